#pragma once
// Writing a file under a name that must not be taken yet (screenshots): taking the name and
// creating the file is one step, so a file that appears in between is never overwritten.
#include "Lib/String.h"

#include <cstdint>
#include <string_view>

namespace Lib
{
// Creates p_Path only when no file of that name exists, writes every byte and closes it. A file
// that could not be written whole (a full disk, which may show only when it is closed) is removed
// again. 0, EEXIST when the name is taken, or the errno of the step that failed.
int32_t WriteNewFile(const String& p_Path, std::string_view p_Bytes);
} // namespace Lib
