#include "Lib/Platform/NewFile.h"

#include "Lib/Platform/Windows/Win32.h"

#include <algorithm>

#include <cerrno>

namespace Lib
{
int32_t WriteNewFile(const String& p_Path, std::string_view p_Bytes)
{
    const std::wstring path = WidePath(p_Path.ToNarrow().Bytes());
    ScopedHandle file(
        CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.IsValid())
        return ErrnoFromSystemError(GetLastError());
    int32_t error = 0;
    size_t done = 0;
    while (error == 0 && done < p_Bytes.size())
    {
        const DWORD chunk = static_cast<DWORD>(std::min<size_t>(p_Bytes.size() - done, 1u << 30));
        DWORD written = 0;
        if (!WriteFile(file.Get(), p_Bytes.data() + done, chunk, &written, nullptr))
            error = ErrnoFromSystemError(GetLastError());
        else if (written == 0)
            error = EIO;
        done += written;
    }
    if (!file.Reset() && error == 0)
        error = ErrnoFromSystemError(GetLastError());
    if (error != 0)
        DeleteFileW(path.c_str());
    return error;
}
} // namespace Lib
