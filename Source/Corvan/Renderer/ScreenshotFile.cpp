#include "Corvan/Renderer/ScreenshotFile.h"

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <unistd.h>

namespace Vozad
{
namespace
{
// More screenshots than this within one second are not a player pressing a key.
constexpr uint32_t k_MaxCopiesPerName = 1000;

std::string ErrorText(int p_Error)
{
    return std::strerror(p_Error);
}

// 0 when every byte reached the file, else the errno of the write that failed.
int WriteAll(int p_File, const std::vector<uint8_t>& p_Bytes)
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

std::string NumberedPath(const std::string& p_Path, uint32_t p_Copy)
{
    if (p_Copy <= 1)
        return p_Path;
    const size_t slash = p_Path.rfind('/');
    size_t dot = p_Path.rfind('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
        dot = p_Path.size();
    return p_Path.substr(0, dot) + "_" + std::to_string(p_Copy) + p_Path.substr(dot);
}

NewFileResult WriteNewFile(const std::string& p_Path, const std::vector<uint8_t>& p_Bytes)
{
    NewFileResult result;
    result.path = p_Path;
    int file = -1;
    for (uint32_t copy = 1; copy <= k_MaxCopiesPerName; ++copy)
    {
        const std::string path = NumberedPath(p_Path, copy);
        // O_EXCL makes taking the name and creating the file one step: a file that appeared
        // in between is not overwritten.
        file = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
        if (file >= 0)
        {
            result.path = path;
            break;
        }
        if (errno != EEXIST)
        {
            result.error = ErrorText(errno);
            return result;
        }
    }
    if (file < 0)
    {
        result.error = "every name for this second is taken";
        return result;
    }

    int error = WriteAll(file, p_Bytes);
    // A full disk may only show when the file is closed (network and delayed-allocation file
    // systems report it there).
    if (close(file) != 0 && error == 0)
        error = errno;
    if (error != 0)
    {
        unlink(result.path.c_str());
        result.error = ErrorText(error);
        return result;
    }
    result.written = true;
    return result;
}
} // namespace Vozad
