# Script mode: turns one file into a C++ byte array.
#   cmake -DINPUT=<file> -DOUTPUT=<cpp> -DSYMBOL=<name> -DNAMESPACE=<ns> -P EmbedFile.cmake
# A zero byte follows the data (not counted in the size) so text resources can be read as C strings.
file(READ "${INPUT}" hex HEX)
string(LENGTH "${hex}" hexLength)
math(EXPR size "${hexLength} / 2")
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
# Keep lines short enough for editors and compilers to stay comfortable.
string(REGEX REPLACE "((0x[0-9a-f][0-9a-f],){24})" "\\1\n    " bytes "${bytes}")
file(WRITE "${OUTPUT}.tmp"
"// Generated from ${INPUT}; edit that file, not this one.
#include <cstddef>
namespace ${NAMESPACE} {
namespace {
const unsigned char k_Bytes[] = {
    ${bytes}0x00};
}
extern const unsigned char* const ${SYMBOL}Data;
extern const std::size_t ${SYMBOL}Size;
const unsigned char* const ${SYMBOL}Data = k_Bytes;
const std::size_t ${SYMBOL}Size = ${size};
}
")
file(RENAME "${OUTPUT}.tmp" "${OUTPUT}")
