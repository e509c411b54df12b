#include "Lib/Platform/File.h"

#include "Lib/Platform/FileBytes.h"
#include "Lib/Platform/Windows/RegularHandle.h"

#include <cerrno>
#include <cstring>
#include <optional>

namespace Lib
{
// The file is read by its byte length: a NUL byte is data like any other and must not end a line,
// nor hide what follows it.
int32_t ReadFileBytes(const String& p_FileName, size_t p_MaxBytes, std::string& p_Bytes)
{
    int32_t error = 0;
    ScopedHandle file(OpenRegularHandle(p_FileName.ToNarrow().Data(), GENERIC_READ, error));
    if (!file.IsValid())
        return error;
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.Get(), &size))
        return ErrnoFromSystemError(GetLastError());
    if (static_cast<uint64_t>(size.QuadPart) > p_MaxBytes)
        return EFBIG;
    char buffer[64 * 1024];
    while (true)
    {
        DWORD got = 0;
        if (!ReadFile(file.Get(), buffer, sizeof(buffer), &got, nullptr))
            return ErrnoFromSystemError(GetLastError());
        if (got == 0)
            return 0;
        if (got > p_MaxBytes - p_Bytes.size())
            return EFBIG; // it grew after the size was checked
        p_Bytes.append(buffer, got);
    }
}

String ErrorTextOf(int32_t p_Code)
{
    if (const std::optional<FileKind> kind = RefusedKindOf(p_Code))
        return String(NotRegularFileText(*kind));
    // The errors here are errno values, whose texts come from the C runtime.
    char buffer[256] = {};
    if (strerror_s(buffer, sizeof(buffer), p_Code) != 0)
        return String();
    return String(static_cast<const char*>(buffer));
}

int32_t RemoveFileName(const char* p_Path)
{
    return DeleteFileW(WidePath(p_Path).c_str()) ? 0 : ErrnoFromSystemError(GetLastError());
}
} // namespace Lib
