#include "Lib/Platform/FileSystem.h"

#include "Lib/Log.h"
#include "Lib/Platform/SystemError.h"
#include "Lib/Platform/Windows/Win32.h"

#include <string>

namespace Lib
{
namespace
{
bool IsFolder(const std::wstring& p_Path)
{
    const DWORD attributes = GetFileAttributesW(p_Path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}
} // namespace

FolderContent ListFolder(const String& p_Path)
{
    static const LogTag s_Tag("FileSystem");

    FolderContent content;
    content.path = p_Path;
    std::wstring folder = p_Path.Wide();
    if (folder.empty() || !IsFolder(folder))
        return content;
    if (folder.back() != L'/' && folder.back() != L'\\')
        folder.push_back(L'\\');

    WIN32_FIND_DATAW entry{};
    // The basic information level skips the short 8.3 names nobody here needs.
    HANDLE search = FindFirstFileExW((folder + L"*").c_str(), FindExInfoBasic, &entry, FindExSearchNameMatch,
                                     nullptr, FIND_FIRST_EX_LARGE_FETCH);
    DWORD error = search == INVALID_HANDLE_VALUE ? GetLastError() : ERROR_NO_MORE_FILES;
    while (search != INVALID_HANDLE_VALUE)
    {
        const std::wstring name = entry.cFileName;
        if (name != L"." && name != L"..")
        {
            // A junction or a link to a folder carries the folder attribute itself, the way the
            // Linux listing counts a linked folder as a folder.
            if ((entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
                content.folders.Add(String(name));
            else
                content.files.Add(String(name));
        }
        if (!FindNextFileW(search, &entry))
        {
            error = GetLastError();
            break;
        }
    }

    // An empty folder has no entry at all on some file systems, not even ".".
    if (error != ERROR_NO_MORE_FILES && error != ERROR_FILE_NOT_FOUND)
    {
        LogError(s_Tag, "Error while retrieving folder content of: %s, error code: %lu",
                 p_Path.ToNarrow().Data(), static_cast<unsigned long>(error));
        // Logging may have touched the last error; the report is about the listing's failure.
        SetLastError(error);
        ReportSystemError(s_Tag, "Error while retrieving folder content");
    }
    if (search != INVALID_HANDLE_VALUE)
        FindClose(search);
    return content;
}

bool PathExists(const String& p_Path)
{
    return !p_Path.IsEmpty() && GetFileAttributesW(p_Path.Wide().c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool CreateFolder(const String& p_Path)
{
    if (p_Path.IsEmpty())
        return false;
    if (CreateDirectoryW(p_Path.Wide().c_str(), nullptr))
        return true;
    return GetLastError() == ERROR_ALREADY_EXISTS && IsFolder(p_Path.Wide());
}

bool IsReadOnlyFile(const String& p_Path)
{
    if (p_Path.IsEmpty())
        return false;
    const std::wstring path = p_Path.Wide();
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES ||
        (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE)) != 0)
        return false;
    // The read-only attribute is the owner's "do not change this file".
    if ((attributes & FILE_ATTRIBUTE_READONLY) != 0)
        return true;
    // Access control decides the rest; only a real open for writing asks it. Another program that
    // holds the file without sharing is no refusal of ours, nor is a write-protected medium.
    HANDLE file =
        CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE)
    {
        CloseHandle(file);
        return false;
    }
    return GetLastError() == ERROR_ACCESS_DENIED;
}
} // namespace Lib
