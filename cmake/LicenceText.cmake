# vorl_licence_text(<name> <variable> [REFER_TO_COMMON]): the text of one entry of the licence
# table (included before), as the about menu and the package's copyright file show it: a line of
# 80 '=', " LIBRARY: <name>", what the entry covers, another line of 80 '=', then the licence
# files. With REFER_TO_COMMON a text from /usr/share/common-licenses/ is named instead of copied,
# as Debian wants it in a copyright file.
function(vorl_licence_text name variable)
  cmake_parse_arguments(ARG "REFER_TO_COMMON" "" "" ${ARGN})
  string(REPEAT "=" 80 rule)
  set(text "${rule}\n LIBRARY: ${VORL_LICENCE_${name}_LIBRARY}\n ${VORL_LICENCE_${name}_COVERS}\n${rule}\n")
  foreach(source IN LISTS VORL_LICENCE_${name}_FILES)
    if(NOT EXISTS "${source}")
      message(FATAL_ERROR "Licence text of ${name}: ${source} is missing; run scripts/setup.sh")
    endif()
    if(ARG_REFER_TO_COMMON AND source MATCHES "^/usr/share/common-licenses/")
      string(APPEND text "\nOn Debian systems, the complete text of this licence is in ${source}.\n")
      continue()
    endif()
    file(READ "${source}" content)
    string(APPEND text "\n${content}")
  endforeach()
  set(${variable} "${text}" PARENT_SCOPE)
endfunction()
