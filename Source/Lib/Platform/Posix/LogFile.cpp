#include "Lib/Log.h"

#include "Lib/Platform/FileReplace.h"
#include "Lib/Platform/RegularFile.h"

#include <cerrno>
#include <fcntl.h>
#include <string>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace Lib
{
namespace
{
// Called with the log open and locked. The trimmed text replaces the file through a temporary
// file of this process (or in place where the folder allows no new file), so two games writing
// one log never share a temporary file, and a failure leaves the old log as it was.
bool TrimLogFile(const char* p_FileName, int p_Descriptor, uint64_t p_Size, const std::string& p_Line,
                 int32_t& p_Error)
{
    std::string all(p_Size, '\0');
    size_t done = 0;
    while (done < p_Size)
    {
        const ssize_t got = pread(p_Descriptor, all.data() + done, p_Size - done, static_cast<off_t>(done));
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
        {
            p_Error = got < 0 ? errno : EIO;
            return false;
        }
        done += static_cast<size_t>(got);
    }
    all += p_Line;
    p_Error = ReplaceFileContent(p_FileName, NewestLogWindow(all));
    return p_Error == 0;
}

bool WriteWhole(int p_Descriptor, const std::string& p_Bytes, int32_t& p_Error)
{
    size_t done = 0;
    while (done < p_Bytes.size())
    {
        const ssize_t written = write(p_Descriptor, p_Bytes.data() + done, p_Bytes.size() - done);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
        {
            p_Error = written < 0 ? errno : ENOSPC;
            return false;
        }
        done += static_cast<size_t>(written);
    }
    return true;
}

// True when the open file is still the one the name leads to: another process's trim may have
// renamed a new file over it while this one waited for the lock.
bool StillNamed(const char* p_FileName, int p_Descriptor)
{
    struct stat opened
    {
    };
    struct stat named
    {
    };
    return fstat(p_Descriptor, &opened) == 0 && stat(p_FileName, &named) == 0 &&
           opened.st_dev == named.st_dev && opened.st_ino == named.st_ino;
}
} // namespace

bool AppendToLogFile(const char* p_FileName, const std::string& p_Line, int32_t* p_Error)
{
    int32_t error = 0;
    const auto failed = [&](int32_t p_Code)
    {
        if (p_Error)
            *p_Error = p_Code;
        return false;
    };
    // Every writer takes the file's lock for its append or trim, so lines of two games sharing
    // one folder neither interleave with nor vanish in the other's trim.
    for (int attempt = 0; attempt < 5; ++attempt)
    {
        const int descriptor = OpenRegularFile(p_FileName, O_RDWR | O_APPEND, error, WhenMissing::Create);
        if (descriptor < 0)
            return failed(error);
        flock(descriptor, LOCK_EX); // a file system without locks still gets the line
        if (!StillNamed(p_FileName, descriptor))
        {
            close(descriptor);
            continue;
        }
        struct stat info
        {
        };
        bool written = fstat(descriptor, &info) == 0;
        const uint64_t size = written ? static_cast<uint64_t>(info.st_size) : 0;
        if (written && size + p_Line.size() <= k_LogTrimThreshold)
            written = WriteWhole(descriptor, p_Line, error);
        else if (written)
            written = TrimLogFile(p_FileName, descriptor, size, p_Line, error);
        else
            error = errno;
        if (close(descriptor) != 0 && written)
        {
            written = false;
            error = errno;
        }
        if (p_Error)
            *p_Error = written ? 0 : error;
        return written;
    }
    return failed(EAGAIN);
}

} // namespace Lib
