#include "Lib/Log.h"
#include "Lib/Platform/FileReplace.h"
#include "Lib/Platform/LockedLogFile.h"

#include <cerrno>

namespace Lib
{
namespace
{
// Called with the log open and locked. The trimmed text replaces the file through a temporary
// file of this process (or in place where the folder allows no new file), so two games writing
// one log never share a temporary file, and a failure leaves the old log as it was.
int32_t TrimLogFile(const char* p_FileName, const LockedLogFile& p_File, uint64_t p_Size,
                    const std::string& p_Line)
{
    std::string all;
    if (const int32_t error = p_File.ReadAll(p_Size, all); error != 0)
        return error;
    all += p_Line;
    return ReplaceFileContent(p_FileName, NewestLogWindow(all));
}
} // namespace

bool AppendToLogFile(const char* p_FileName, const std::string& p_Line, int32_t* p_Error)
{
    int32_t error = EAGAIN;
    // Every writer takes the file's lock for its append or trim, so lines of two games sharing
    // one folder neither interleave with nor vanish in the other's trim.
    for (int attempt = 0; attempt < 5; ++attempt)
    {
        LockedLogFile file(p_FileName);
        if (!file.IsOpen())
        {
            error = file.Error();
            break;
        }
        if (!file.StillNamed())
            continue;
        uint64_t size = 0;
        error = file.Size(size);
        if (error == 0)
            error = size + p_Line.size() <= k_LogTrimThreshold ? file.Append(p_Line)
                                                               : TrimLogFile(p_FileName, file, size, p_Line);
        const int32_t closeError = file.Close();
        if (error == 0)
            error = closeError;
        break;
    }
    if (p_Error)
        *p_Error = error;
    return error == 0;
}
} // namespace Lib
