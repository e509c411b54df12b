#include "Lib/Platform/FileReplace.h"

#include "Lib/Platform/RegularFile.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace Lib
{
namespace
{
// The file's descriptor is closed on every path; 0 or the errno of the first failure.
int WriteAllAndClose(int p_Descriptor, std::string_view p_Bytes, bool p_Truncate)
{
    int error = 0;
    size_t done = 0;
    while (error == 0 && done < p_Bytes.size())
    {
        const ssize_t written = write(p_Descriptor, p_Bytes.data() + done, p_Bytes.size() - done);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            error = written < 0 ? errno : ENOSPC;
        else
            done += static_cast<size_t>(written);
    }
    if (error == 0 && p_Truncate && ftruncate(p_Descriptor, static_cast<off_t>(p_Bytes.size())) != 0)
        error = errno;
    if (error == 0 && fsync(p_Descriptor) != 0)
        error = errno;
    if (close(p_Descriptor) != 0 && error == 0)
        error = errno;
    return error;
}

// What a save replaces: the file itself, or the regular file a link leads to (the link stays, as
// writing into the file in place would keep it). p_Exists tells whether there is one; a missing
// name (no link) is created. Anything else is refused with its kind, so the rename never replaces
// a device, FIFO or folder, and a dangling link never gets its target created.
int ResolveTarget(const std::string& p_Name, std::string& p_Target, bool& p_Exists)
{
    p_Target = p_Name;
    p_Exists = false;
    struct stat info
    {
    };
    if (lstat(p_Name.c_str(), &info) != 0)
        return errno == ENOENT ? 0 : errno;
    if (S_ISLNK(info.st_mode))
    {
        char* resolved = realpath(p_Name.c_str(), nullptr);
        if (!resolved)
            return errno == ENOENT || errno == ENOTDIR || errno == ELOOP
                       ? NotRegularFileError(FileKind::DanglingLink)
                       : errno;
        p_Target = resolved;
        free(resolved);
        if (lstat(p_Target.c_str(), &info) != 0)
            return errno == ENOENT ? NotRegularFileError(FileKind::DanglingLink) : errno;
    }
    if (!S_ISREG(info.st_mode))
        return NotRegularFileError(FileKindOfMode(info.st_mode));
    p_Exists = true;
    return 0;
}

// Best effort: makes the rename itself survive a power loss. The data is already safe either way.
void SyncFolderOf(const std::string& p_Path)
{
    const size_t separator = p_Path.find_last_of('/');
    const std::string folder = separator == std::string::npos ? "." : p_Path.substr(0, separator + 1);
    const int descriptor = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (descriptor < 0)
        return;
    fsync(descriptor);
    close(descriptor);
}

// Errors that say the folder refuses new names, not that the data cannot be stored.
bool FolderRefuses(int p_Error)
{
    return p_Error == EACCES || p_Error == EPERM || p_Error == EROFS;
}

// Without a temporary file a failure halfway would leave a mix of old and new text, so this is
// only the way out when the folder leaves no other. The old content is overwritten from the
// start and cut behind the new one, never emptied first.
int WriteInPlace(const std::string& p_Target, std::string_view p_Bytes)
{
    int32_t error = 0;
    const int descriptor = OpenRegularFile(p_Target.c_str(), O_WRONLY, error);
    if (descriptor < 0)
        return error;
    return WriteAllAndClose(descriptor, p_Bytes, true);
}
} // namespace

int ReplaceFileContent(const std::string& p_Path, std::string_view p_Bytes)
{
    if (p_Path.empty())
        return EINVAL;

    std::string target;
    bool exists = false;
    if (const int refused = ResolveTarget(p_Path, target, exists); refused != 0)
        return refused;
    struct stat existing
    {
    };
    if (exists && stat(target.c_str(), &existing) != 0)
        return errno;

    // The temporary name is only ever created new: a link or file planted under it beforehand is
    // removed, never written through.
    const std::string temporary = TemporaryNameFor(target, getpid());
    unlink(temporary.c_str());
    const int descriptor =
        open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_NOCTTY | O_CLOEXEC, 0666);
    if (descriptor < 0)
    {
        const int error = errno;
        return exists && FolderRefuses(error) ? WriteInPlace(target, p_Bytes) : error;
    }

    // Keep the permissions the user gave the file.
    if (exists)
        fchmod(descriptor, existing.st_mode & 07777);

    const int error = WriteAllAndClose(descriptor, p_Bytes, false);
    if (error != 0)
    {
        unlink(temporary.c_str());
        return error;
    }
    // A name that was missing is taken only while it still is: whatever appeared there meanwhile is
    // not replaced unseen. File systems without the flag get a plain rename.
    int renamed =
        renameat2(AT_FDCWD, temporary.c_str(), AT_FDCWD, target.c_str(), exists ? 0 : RENAME_NOREPLACE);
    if (renamed != 0 && !exists && errno == EINVAL)
        renamed = rename(temporary.c_str(), target.c_str());
    if (renamed != 0)
    {
        const int renameError = errno;
        unlink(temporary.c_str());
        // A sticky folder lets us create our own names but not replace another user's file.
        return exists && FolderRefuses(renameError) ? WriteInPlace(target, p_Bytes) : renameError;
    }
    SyncFolderOf(target);
    return 0;
}
} // namespace Lib
