#pragma once
// Opening a file as a handle only when it is a regular file: the Windows side of
// Lib/Platform/RegularFile.h, for the platform layer's own Windows files.
#include "Lib/Platform/RegularFile.h"
#include "Lib/Platform/Windows/Win32.h"

namespace Lib
{
// Opens the file for p_Access (GENERIC_READ, GENERIC_WRITE, FILE_APPEND_DATA ...) only when it
// is a regular file or a link to one. Others may read, write, rename and delete it meanwhile, as
// on Linux, so a save of another process can still rename over it. With WhenMissing::Create a
// missing name is created new, never through a link. Returns the handle, or an invalid one with
// p_Error set to the errno of the failure or NotRegularFileError(kind).
HANDLE OpenRegularHandle(const char* p_Path, DWORD p_Access, int32_t& p_Error,
                         WhenMissing p_Missing = WhenMissing::Fail);

// The kind of what an open handle leads to.
FileKind FileKindOfHandle(HANDLE p_Handle);
} // namespace Lib
