#include "Lib/Platform/RegularFile.h"

#include "Lib/Platform/Windows/RegularHandle.h"

#include <cerrno>
#include <cwctype>

namespace Lib
{
namespace
{
constexpr DWORD k_ShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

// Opening for nothing but the attributes never blocks on a pipe and works on folders too.
HANDLE OpenForQuery(const std::wstring& p_Path)
{
    return CreateFileW(p_Path.c_str(), FILE_READ_ATTRIBUTES, k_ShareAll, nullptr, OPEN_EXISTING,
                       FILE_FLAG_BACKUP_SEMANTICS, nullptr);
}

// "\\.\pipe\name" in any spelling. Opening a pipe connects to its server and uses up one of
// its instances, so a pipe is known by its name and never opened here.
bool IsPipeName(const std::wstring& p_Path)
{
    if (p_Path.size() < 9)
        return false;
    std::wstring prefix = p_Path.substr(0, 9);
    for (wchar_t& character : prefix)
        character = character == L'/' ? L'\\' : static_cast<wchar_t>(towlower(character));
    return prefix == L"\\\\.\\pipe\\" || prefix == L"\\\\?\\pipe\\";
}

bool IsMissingError(DWORD p_Error)
{
    return p_Error == ERROR_FILE_NOT_FOUND || p_Error == ERROR_PATH_NOT_FOUND ||
           p_Error == ERROR_INVALID_NAME;
}
} // namespace

FileKind FileKindOfHandle(HANDLE p_Handle)
{
    switch (GetFileType(p_Handle))
    {
    case FILE_TYPE_CHAR:
        return FileKind::CharacterDevice;
    case FILE_TYPE_PIPE:
        return FileKind::Fifo;
    case FILE_TYPE_DISK:
        break;
    default:
        return GetLastError() == NO_ERROR ? FileKind::Other : FileKind::Unknown;
    }
    BY_HANDLE_FILE_INFORMATION info{};
    if (!GetFileInformationByHandle(p_Handle, &info))
        // A disk handle without file information is a volume or a disk opened as a device.
        return FileKind::BlockDevice;
    return (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0 ? FileKind::Directory : FileKind::Regular;
}

FileKind FileKindOf(const char* p_Path)
{
    const std::wstring path = WidePath(p_Path);
    if (IsPipeName(path))
        return FileKind::Fifo;
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
    {
        const DWORD error = GetLastError();
        // Device names ("NUL", "CON", "\\.\pipe\...") have no attributes but can be opened.
        ScopedHandle device(OpenForQuery(path));
        if (device.IsValid())
            return FileKindOfHandle(device.Get());
        return IsMissingError(error) ? FileKind::Missing : FileKind::Unknown;
    }
    // A link or junction is judged by what it leads to; one that leads nowhere is dangling.
    ScopedHandle target(OpenForQuery(path));
    if (!target.IsValid())
    {
        const DWORD error = GetLastError();
        if ((attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0 &&
            (IsMissingError(error) || error == ERROR_CANT_RESOLVE_FILENAME))
            return FileKind::DanglingLink;
        return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0 ? FileKind::Directory : FileKind::Unknown;
    }
    return FileKindOfHandle(target.Get());
}

bool IsRegularFileItself(const char* p_Path)
{
    const DWORD attributes = GetFileAttributesW(WidePath(p_Path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES &&
           (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_DEVICE)) ==
               0;
}

HANDLE OpenRegularHandle(const char* p_Path, DWORD p_Access, int32_t& p_Error, WhenMissing p_Missing)
{
    const std::wstring path = WidePath(p_Path);
    if (IsPipeName(path))
    {
        p_Error = NotRegularFileError(FileKind::Fifo);
        return INVALID_HANDLE_VALUE;
    }
    // A few rounds for a name that appears or vanishes between two opens.
    for (int attempt = 0; attempt < 4; ++attempt)
    {
        // Folders open only with backup semantics, so without it a folder fails at the open; the
        // kind is then looked up for the message.
        ScopedHandle handle(CreateFileW(path.c_str(), p_Access, k_ShareAll, nullptr, OPEN_EXISTING,
                                        FILE_ATTRIBUTE_NORMAL, nullptr));
        DWORD error = handle.IsValid() ? NO_ERROR : GetLastError();
        if (!handle.IsValid() && IsMissingError(error) && p_Missing == WhenMissing::Create)
        {
            // CREATE_NEW fails on any existing name, a dangling link included, so it never creates
            // the target of a link.
            handle.Reset(CreateFileW(path.c_str(), p_Access, k_ShareAll, nullptr, CREATE_NEW,
                                     FILE_ATTRIBUTE_NORMAL, nullptr));
            error = handle.IsValid() ? NO_ERROR : GetLastError();
            if (error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS)
            {
                if (FileKindOf(p_Path) == FileKind::DanglingLink)
                {
                    p_Error = NotRegularFileError(FileKind::DanglingLink);
                    return INVALID_HANDLE_VALUE;
                }
                continue;
            }
        }
        if (!handle.IsValid())
        {
            const FileKind kind = FileKindOf(p_Path);
            const bool refused =
                kind != FileKind::Missing && kind != FileKind::Regular && kind != FileKind::Unknown;
            p_Error = refused ? NotRegularFileError(kind) : ErrnoFromSystemError(error);
            return INVALID_HANDLE_VALUE;
        }
        // The open handle decides, not the name: whatever the name leads to now is what was opened.
        const FileKind kind = FileKindOfHandle(handle.Get());
        if (kind != FileKind::Regular)
        {
            p_Error = NotRegularFileError(kind);
            return INVALID_HANDLE_VALUE;
        }
        p_Error = 0;
        return handle.Release();
    }
    p_Error = EEXIST;
    return INVALID_HANDLE_VALUE;
}
} // namespace Lib
