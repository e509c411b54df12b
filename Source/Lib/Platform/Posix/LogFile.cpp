#include "Lib/Platform/LockedLogFile.h"
#include "Lib/Platform/RegularFile.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace Lib
{
LockedLogFile::LockedLogFile(const char* p_FileName) : m_FileName(p_FileName)
{
    const int descriptor = OpenRegularFile(p_FileName, O_RDWR | O_APPEND, m_Error, WhenMissing::Create);
    if (descriptor < 0)
        return;
    m_Handle = descriptor;
    flock(descriptor, LOCK_EX); // a file system without locks still gets the line
}

LockedLogFile::~LockedLogFile()
{
    Close();
}

bool LockedLogFile::StillNamed() const
{
    struct stat opened
    {
    };
    struct stat named
    {
    };
    return fstat(static_cast<int>(m_Handle), &opened) == 0 && stat(m_FileName, &named) == 0 &&
           opened.st_dev == named.st_dev && opened.st_ino == named.st_ino;
}

int32_t LockedLogFile::Size(uint64_t& p_Size) const
{
    struct stat info
    {
    };
    if (fstat(static_cast<int>(m_Handle), &info) != 0)
        return errno;
    p_Size = static_cast<uint64_t>(info.st_size);
    return 0;
}

int32_t LockedLogFile::Append(const std::string& p_Bytes)
{
    size_t done = 0;
    while (done < p_Bytes.size())
    {
        const ssize_t written =
            write(static_cast<int>(m_Handle), p_Bytes.data() + done, p_Bytes.size() - done);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return written < 0 ? errno : ENOSPC;
        done += static_cast<size_t>(written);
    }
    return 0;
}

int32_t LockedLogFile::ReadAll(uint64_t p_Size, std::string& p_Bytes) const
{
    p_Bytes.assign(p_Size, '\0');
    size_t done = 0;
    while (done < p_Size)
    {
        const ssize_t got =
            pread(static_cast<int>(m_Handle), p_Bytes.data() + done, p_Size - done, static_cast<off_t>(done));
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            return got < 0 ? errno : EIO;
        done += static_cast<size_t>(got);
    }
    return 0;
}

int32_t LockedLogFile::Close()
{
    if (m_Handle == -1)
        return 0;
    const int result = close(static_cast<int>(m_Handle));
    m_Handle = -1;
    return result == 0 ? 0 : errno;
}
} // namespace Lib
