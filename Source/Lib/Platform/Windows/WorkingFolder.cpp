#include "Lib/Platform/WorkingFolder.h"

#include "Lib/Platform/Windows/Win32.h"

namespace Lib
{
namespace
{
std::string Reason(const std::wstring& p_Folder, const char* p_What, DWORD p_Error)
{
    return "cannot " + std::string(p_What) + " \"" + Utf8FromWide(p_Folder) +
           "\": " + SystemErrorText(p_Error);
}

// Where the folders that may be created start: behind "C:\", "\\server\share\" or "\\?\C:\".
size_t FirstCreatable(const std::wstring& p_Path)
{
    auto isSeparator = [](wchar_t p_Character) { return p_Character == L'/' || p_Character == L'\\'; };
    size_t start = 0;
    if (p_Path.rfind(L"\\\\?\\", 0) == 0)
        start = 4;
    else if (p_Path.size() >= 2 && isSeparator(p_Path[0]) && isSeparator(p_Path[1]))
    {
        // The server and the share name are never created.
        size_t separators = 0;
        for (start = 2; start < p_Path.size() && separators < 2; ++start)
            separators += isSeparator(p_Path[start]) ? 1 : 0;
        return start;
    }
    if (p_Path.size() >= start + 2 && p_Path[start + 1] == L':')
        start += 2;
    while (start < p_Path.size() && isSeparator(p_Path[start]))
        ++start;
    return start;
}

// Each prefix ending before a separator is made in turn; ones that exist are fine as long as they
// are folders.
bool CreateFolders(const std::wstring& p_Path, std::string& p_Error)
{
    for (size_t end = p_Path.find_first_of(L"/\\", FirstCreatable(p_Path));;
         end = p_Path.find_first_of(L"/\\", end + 1))
    {
        const std::wstring prefix = p_Path.substr(0, end);
        if (!prefix.empty() && !CreateDirectoryW(prefix.c_str(), nullptr) &&
            GetLastError() != ERROR_ALREADY_EXISTS)
        {
            p_Error = Reason(prefix, "create the folder", GetLastError());
            return false;
        }
        if (end == std::wstring::npos)
            return true;
    }
}

// Access control lists decide who may create files, and only trying asks them. The probe file
// disappears with its handle.
bool CanCreateFilesIn(const std::wstring& p_Folder, DWORD& p_Error)
{
    const std::wstring probe = p_Folder + L"\\.vorl-write-probe-" + std::to_wstring(::GetCurrentProcessId());
    HANDLE file = CreateFileW(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                              FILE_ATTRIBUTE_TEMPORARY | FILE_ATTRIBUTE_HIDDEN, nullptr);
    if (file == INVALID_HANDLE_VALUE)
    {
        p_Error = GetLastError();
        return false;
    }
    CloseHandle(file);
    DeleteFileW(probe.c_str());
    return true;
}
} // namespace

bool EnterWorkingFolder(const std::string& p_Path, std::string& p_Error)
{
    if (p_Path.empty())
    {
        p_Error = "cannot use the folder \"\": the name is empty";
        return false;
    }
    const std::wstring path = WidePath(p_Path);
    if (!CreateFolders(path, p_Error))
        return false;
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
    {
        p_Error = Reason(path, "use the folder", GetLastError());
        return false;
    }
    if ((attributes & FILE_ATTRIBUTE_DIRECTORY) == 0)
    {
        p_Error = Reason(path, "use the folder", ERROR_DIRECTORY);
        return false;
    }
    // The settings are only written when the game ends: a folder that cannot take them must be
    // refused now, not after a whole session.
    DWORD error = 0;
    if (!CanCreateFilesIn(path, error))
    {
        p_Error = Reason(path, "write into", error);
        return false;
    }
    if (!SetCurrentDirectoryW(path.c_str()))
    {
        p_Error = Reason(path, "enter", GetLastError());
        return false;
    }
    return true;
}
} // namespace Lib
