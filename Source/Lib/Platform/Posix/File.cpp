#include "Lib/Platform/File.h"

#include "Lib/Platform/FileBytes.h"
#include "Lib/Platform/RegularFile.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <optional>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace Lib
{
// The file is read by its byte length: a NUL byte is data like any other and must not end a line,
// nor hide what follows it.
int32_t ReadFileBytes(const String& p_FileName, size_t p_MaxBytes, std::string& p_Bytes)
{
    int32_t error = 0;
    const int descriptor = OpenRegularFile(p_FileName.ToNarrow().Data(), O_RDONLY, error);
    if (descriptor < 0)
        return error;
    struct stat info
    {
    };
    if (fstat(descriptor, &info) != 0)
        error = errno;
    else if (static_cast<uint64_t>(info.st_size) > p_MaxBytes)
        error = EFBIG;
    char buffer[64 * 1024];
    while (error == 0)
    {
        const ssize_t got = read(descriptor, buffer, sizeof(buffer));
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            error = errno;
        else if (got == 0)
            break;
        else if (static_cast<size_t>(got) > p_MaxBytes - p_Bytes.size())
            error = EFBIG; // it grew after the size was checked
        else
            p_Bytes.append(buffer, static_cast<size_t>(got));
    }
    close(descriptor);
    return error;
}

String ErrorTextOf(int32_t p_Code)
{
    if (const std::optional<FileKind> kind = RefusedKindOf(p_Code))
        return String(NotRegularFileText(*kind));
    char buffer[256] = {};
    const char* text = strerror_r(p_Code, buffer, sizeof(buffer));
    return String(text ? text : "");
}

int32_t RemoveFileName(const char* p_Path)
{
    return unlink(p_Path) == 0 ? 0 : errno;
}
} // namespace Lib
