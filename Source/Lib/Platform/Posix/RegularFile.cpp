#include "Lib/Platform/RegularFile.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace Lib
{
namespace
{
// Every open here: a FIFO or a terminal must neither wait for a peer nor become the process's
// controlling terminal, and no program started later inherits the descriptor.
constexpr int k_SafeOpenFlags = O_NONBLOCK | O_NOCTTY | O_CLOEXEC;

// The open descriptor decides, not the name: whatever the name leads to now is what was opened.
int Accepted(int p_Descriptor, int32_t& p_Error)
{
    struct stat info
    {
    };
    if (fstat(p_Descriptor, &info) != 0)
    {
        p_Error = errno;
        close(p_Descriptor);
        return -1;
    }
    if (!S_ISREG(info.st_mode))
    {
        p_Error = NotRegularFileError(FileKindOfMode(info.st_mode));
        close(p_Descriptor);
        return -1;
    }
    const int flags = fcntl(p_Descriptor, F_GETFL);
    if (flags < 0 || fcntl(p_Descriptor, F_SETFL, flags & ~O_NONBLOCK) != 0)
    {
        p_Error = errno;
        close(p_Descriptor);
        return -1;
    }
    p_Error = 0;
    return p_Descriptor;
}

// A failed open says little about the kind (a FIFO without a reader gives ENXIO, a folder opened
// for writing EISDIR); the name is looked at only to tell the user what is there.
int32_t Classified(const char* p_Path, int p_Error)
{
    const FileKind kind = FileKindOf(p_Path);
    if (kind == FileKind::Missing || kind == FileKind::Regular || kind == FileKind::Unknown)
        return p_Error;
    return NotRegularFileError(kind);
}
} // namespace

FileKind FileKindOfMode(uint32_t p_Mode)
{
    if (S_ISREG(p_Mode))
        return FileKind::Regular;
    if (S_ISDIR(p_Mode))
        return FileKind::Directory;
    if (S_ISFIFO(p_Mode))
        return FileKind::Fifo;
    if (S_ISCHR(p_Mode))
        return FileKind::CharacterDevice;
    if (S_ISBLK(p_Mode))
        return FileKind::BlockDevice;
    if (S_ISSOCK(p_Mode))
        return FileKind::Socket;
    return FileKind::Other;
}

FileKind FileKindOf(const char* p_Path)
{
    struct stat info
    {
    };
    if (lstat(p_Path, &info) != 0)
        return errno == ENOENT || errno == ENOTDIR ? FileKind::Missing : FileKind::Unknown;
    if (!S_ISLNK(info.st_mode))
        return FileKindOfMode(info.st_mode);
    if (stat(p_Path, &info) != 0)
        return errno == ENOENT || errno == ENOTDIR || errno == ELOOP ? FileKind::DanglingLink
                                                                     : FileKind::Unknown;
    return FileKindOfMode(info.st_mode);
}

bool IsRegularFileItself(const char* p_Path)
{
    struct stat info
    {
    };
    return lstat(p_Path, &info) == 0 && S_ISREG(info.st_mode);
}

int OpenRegularFile(const char* p_Path, int p_Flags, int32_t& p_Error, WhenMissing p_Missing,
                    uint32_t p_Permissions)
{
    const int flags = (p_Flags & ~(O_CREAT | O_EXCL | O_TRUNC)) | k_SafeOpenFlags;
    // A few rounds for a name that appears or vanishes between two opens.
    for (int attempt = 0; attempt < 4; ++attempt)
    {
        int descriptor = open(p_Path, flags);
        if (descriptor >= 0)
            return Accepted(descriptor, p_Error);
        if (errno != ENOENT || p_Missing == WhenMissing::Fail)
        {
            p_Error = Classified(p_Path, errno);
            return -1;
        }
        // O_EXCL never follows a link: a dangling one fails here instead of creating its target.
        descriptor = open(p_Path, flags | O_CREAT | O_EXCL, static_cast<mode_t>(p_Permissions));
        if (descriptor >= 0)
            return Accepted(descriptor, p_Error);
        if (errno != EEXIST)
        {
            p_Error = errno;
            return -1;
        }
        if (FileKindOf(p_Path) == FileKind::DanglingLink)
        {
            p_Error = NotRegularFileError(FileKind::DanglingLink);
            return -1;
        }
    }
    p_Error = EEXIST;
    return -1;
}
} // namespace Lib
