#include "Lib/Platform/FileReplace.h"

#include "Lib/Platform/Windows/RegularHandle.h"

#include <cerrno>
#include <vector>

namespace Lib
{
namespace
{
// Writes everything, makes it reach the disk and closes the handle; 0 or the errno of the first
// failure.
int WriteAllAndClose(ScopedHandle& p_File, std::string_view p_Bytes, bool p_Truncate)
{
    int error = 0;
    size_t done = 0;
    while (error == 0 && done < p_Bytes.size())
    {
        const DWORD chunk = static_cast<DWORD>(std::min<size_t>(p_Bytes.size() - done, 1u << 30));
        DWORD written = 0;
        if (!WriteFile(p_File.Get(), p_Bytes.data() + done, chunk, &written, nullptr))
            error = ErrnoFromSystemError(GetLastError());
        else if (written == 0)
            error = ENOSPC;
        else
            done += written;
    }
    if (error == 0 && p_Truncate && !SetEndOfFile(p_File.Get()))
        error = ErrnoFromSystemError(GetLastError());
    if (error == 0 && !FlushFileBuffers(p_File.Get()))
        error = ErrnoFromSystemError(GetLastError());
    if (!p_File.Reset() && error == 0)
        error = ErrnoFromSystemError(GetLastError());
    return error;
}

// The final path of what an open handle leads to, links and junctions resolved.
std::wstring FinalPathOf(HANDLE p_Handle)
{
    std::vector<wchar_t> buffer(MAX_PATH);
    while (true)
    {
        const DWORD length =
            GetFinalPathNameByHandleW(p_Handle, buffer.data(), static_cast<DWORD>(buffer.size()),
                                      FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
        if (length == 0)
            return {};
        if (length < buffer.size())
            return std::wstring(buffer.data(), length);
        buffer.resize(length + 1);
    }
}

// What a save replaces: the file itself, or the regular file a link leads to (the link stays).
// p_Exists tells whether there is one; a missing name is created. Anything else is refused with
// its kind, so the rename never replaces a device, pipe or folder, and a dangling link never gets
// its target created.
int ResolveTarget(const std::string& p_Name, std::wstring& p_Target, DWORD& p_Attributes, bool& p_Exists)
{
    p_Target = WidePath(p_Name);
    p_Exists = false;
    const FileKind kind = FileKindOf(p_Name.c_str());
    if (kind == FileKind::Missing)
        return 0;
    if (kind != FileKind::Regular)
        return kind == FileKind::Unknown ? EACCES : NotRegularFileError(kind);
    const DWORD attributes = GetFileAttributesW(p_Target.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return ErrnoFromSystemError(GetLastError());
    if ((attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0)
    {
        ScopedHandle file(CreateFileW(p_Target.c_str(), FILE_READ_ATTRIBUTES,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                      OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
        const std::wstring final = file.IsValid() ? FinalPathOf(file.Get()) : std::wstring();
        if (final.empty())
            return NotRegularFileError(FileKind::DanglingLink);
        p_Target = final;
    }
    p_Attributes = GetFileAttributesW(p_Target.c_str());
    p_Exists = true;
    return 0;
}

// Errors that say the folder refuses new names, not that the data cannot be stored.
bool FolderRefuses(int p_Error)
{
    return p_Error == EACCES || p_Error == EROFS;
}

// Without a temporary file a failure halfway would leave a mix of old and new text, so this is
// only the way out when the folder leaves no other. The old content is overwritten from the start
// and cut behind the new one, never emptied first.
int WriteInPlace(const std::wstring& p_Target, std::string_view p_Bytes)
{
    int32_t error = 0;
    ScopedHandle file(OpenRegularHandle(Utf8FromWide(p_Target).c_str(), GENERIC_WRITE, error));
    if (!file.IsValid())
        return error;
    return WriteAllAndClose(file, p_Bytes, true);
}
} // namespace

int ReplaceFileContent(const std::string& p_Path, std::string_view p_Bytes)
{
    if (p_Path.empty())
        return EINVAL;

    std::wstring target;
    DWORD attributes = 0;
    bool exists = false;
    if (const int refused = ResolveTarget(p_Path, target, attributes, exists); refused != 0)
        return refused;

    // The temporary name is only ever created new: a file planted under it beforehand is removed,
    // never written through.
    const std::wstring temporary =
        WideFromUtf8(TemporaryNameFor(Utf8FromWide(target), static_cast<int64_t>(::GetCurrentProcessId())));
    DeleteFileW(temporary.c_str());
    // The new file keeps the attributes the user gave the old one (hidden, not indexed ...), but it
    // is written, so it cannot start read-only.
    const DWORD keptAttributes =
        exists ? attributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE |
                               FILE_ATTRIBUTE_NOT_CONTENT_INDEXED)
               : 0;
    ScopedHandle file(CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                  keptAttributes ? keptAttributes : FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.IsValid())
    {
        const int error = ErrnoFromSystemError(GetLastError());
        return exists && FolderRefuses(error) ? WriteInPlace(target, p_Bytes) : error;
    }
    const int error = WriteAllAndClose(file, p_Bytes, false);
    if (error != 0)
    {
        DeleteFileW(temporary.c_str());
        return error;
    }
    // The rename is atomic on the same volume; WRITE_THROUGH returns only once it is on disk. A name
    // that was missing is taken only while it still is: whatever appeared there meanwhile is not
    // replaced unseen.
    const DWORD flags = MOVEFILE_WRITE_THROUGH | (exists ? MOVEFILE_REPLACE_EXISTING : 0);
    if (!MoveFileExW(temporary.c_str(), target.c_str(), flags))
    {
        const int renameError = ErrnoFromSystemError(GetLastError());
        DeleteFileW(temporary.c_str());
        // Another process may hold the file open without letting others rename over it.
        return exists && FolderRefuses(renameError) ? WriteInPlace(target, p_Bytes) : renameError;
    }
    return 0;
}
} // namespace Lib
