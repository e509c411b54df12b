#pragma once
// The system's half of reading and removing a file, for the shared half in FileLines.cpp. Not for callers
// outside the platform layer: they read through Lib::File.
#include "Lib/String.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace Lib
{
// Appends the bytes of the regular file to p_Bytes. 0, or the errno of the failed step
// (NotRegularFileError(kind) for another kind of file, EFBIG past p_MaxBytes).
int32_t ReadFileBytes(const String& p_FileName, size_t p_MaxBytes, std::string& p_Bytes);

// Removes the name (a link itself, not what it leads to); 0 or the errno of the failure.
int32_t RemoveFileName(const char* p_Path);
} // namespace Lib
