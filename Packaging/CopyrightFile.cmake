# Script mode: writes the package's copyright file, the program's own notice followed by the
# licence texts of every library in the licence table, as the about menu shows them.
#   cmake -DTABLE=<LicenceTable.cmake> -DVERSION=<version> -DOUTPUT=<file> -P CopyrightFile.cmake
include("${TABLE}")
include("${CMAKE_CURRENT_LIST_DIR}/../cmake/LicenceText.cmake")

set(names "")
set(texts "")
foreach(name IN LISTS VORL_LICENCE_NAMES)
  string(APPEND names " - ${VORL_LICENCE_${name}_LIBRARY}\n")
  vorl_licence_text(${name} text REFER_TO_COMMON)
  string(APPEND texts "\n${text}")
endforeach()

file(WRITE "${OUTPUT}.tmp"
"VORL ${VERSION}

Copyright: Kestrova Technologies. All rights reserved.
VORL (Vorlquest) is a trademark of Kestrova Technologies.

VORL is linked with, or finds at run time, the following libraries and fonts; their licence texts
follow, each under a banner that says what the entry covers in this program:
${names}${texts}")
file(RENAME "${OUTPUT}.tmp" "${OUTPUT}")
