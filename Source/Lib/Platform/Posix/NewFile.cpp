#include "Lib/Platform/NewFile.h"

#include <cerrno>

#include <fcntl.h>
#include <unistd.h>

namespace Lib
{
namespace
{
// 0 when every byte reached the file, else the errno of the write that failed.
int32_t WriteAll(int p_File, std::string_view p_Bytes)
{
    size_t done = 0;
    while (done < p_Bytes.size())
    {
        const ssize_t written = write(p_File, p_Bytes.data() + done, p_Bytes.size() - done);
        if (written < 0)
        {
            if (errno == EINTR)
                continue;
            return errno;
        }
        if (written == 0)
            return EIO;
        done += static_cast<size_t>(written);
    }
    return 0;
}
} // namespace

int32_t WriteNewFile(const String& p_Path, std::string_view p_Bytes)
{
    const std::string path = p_Path.ToNarrow().Bytes();
    const int file = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (file < 0)
        return errno;
    int32_t error = WriteAll(file, p_Bytes);
    // Network and delayed-allocation file systems may report a full disk only here.
    if (close(file) != 0 && error == 0)
        error = errno;
    if (error != 0)
        unlink(path.c_str());
    return error;
}
} // namespace Lib
