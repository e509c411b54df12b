#include "Lib/Log.h"

#include "Lib/IOutputForwarder.h"
#include "Lib/Platform/Clock.h"
#include "Lib/Platform/FileReplace.h"
#include "Lib/Platform/Process.h"
#include "Lib/Platform/RegularFile.h"
#include "Lib/String.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <optional>
#include <string_view>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace Lib
{
namespace
{
constexpr size_t k_MessageBufferSize = 1024;
constexpr size_t k_LineBufferSize = 1152;
constexpr const char* k_LineFormat =
    "[%4i/%02i/%02i %02i:%02i:%02i.%03i] %-8s | PID: %-7d | TID: %-7ld | %23s: %s\n";

char g_LogFileName[256] = "logfile.txt";
IOutputForwarder* g_Forwarder = nullptr;
// The log file was refused for its kind and standard output was told so; said once until the
// file is usable again.
std::atomic<bool> g_RefusalReported{false};

std::string CurrentLine(const char* p_LevelWord, const char* p_Name, const char* p_Format,
                        va_list p_Arguments)
{
    char message[k_MessageBufferSize] = {};
    vsnprintf(message, sizeof(message), p_Format, p_Arguments);
    return FormatLogLine(GetUtcTime(), GetCurrentProcessId(), GetCurrentThreadId(), p_LevelWord, p_Name,
                         message);
}

// A log name that leads to a FIFO would hang the game at its first line, one that leads to a
// device would pour the log into it: such a file is left alone and the lines go to standard
// output (and the console) only. This line goes there too, never to the file.
void ReportRefusedLogFile(FileKind p_Kind)
{
    static const LogTag s_Tag = []
    {
        LogTag tag("Log");
        tag.writeToFile = false;
        return tag;
    }();
    LogLine(s_Tag, static_cast<int32_t>(LogLevel::Error),
            "\"%s\" is %s, not a regular file: it is left alone and the log goes to standard output only",
            g_LogFileName, FileKindName(p_Kind));
}

void WriteLine(const LogTag& p_Tag, int32_t p_Level, const char* p_Format, va_list p_Arguments)
{
    const std::string line = CurrentLine(LogLevelWord(p_Level), p_Tag.name, p_Format, p_Arguments);
    if (line.empty())
        return;
    if (g_Forwarder)
        g_Forwarder->ForwardOutput(String(std::string_view(line)));
    fwrite(line.data(), 1, line.size(), stdout);
    fflush(stdout);
    if (!p_Tag.writeToFile)
        return;
    int32_t error = 0;
    if (AppendToLogFile(g_LogFileName, line, &error))
        g_RefusalReported = false;
    else if (const std::optional<FileKind> kind = RefusedKindOf(error);
             kind && !g_RefusalReported.exchange(true))
        ReportRefusedLogFile(*kind);
}

// The newest mebibyte of old content + line, starting at the first line start inside it. When no
// line starts inside it (one endless line), the whole window is kept: the log is never emptied
// and the new line never dropped.
std::string_view TrimWindow(std::string_view p_All)
{
    std::string_view window = p_All.substr(p_All.size() - std::min<size_t>(p_All.size(), k_LogFileLimit));
    const size_t offset = p_All.size() - window.size();
    if (offset > 0 && p_All[offset - 1] == '\n')
        return window;
    const size_t lineBreak = window.find('\n');
    if (lineBreak != std::string_view::npos && lineBreak + 1 < window.size())
        window.remove_prefix(lineBreak + 1);
    return window;
}

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
    p_Error = ReplaceFileContent(p_FileName, TrimWindow(all));
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

LogTag::LogTag(const char* p_Name)
{
    const size_t length = std::min<size_t>(strlen(p_Name), k_Capacity - 1);
    memcpy(name, p_Name, length);
    name[length] = '\0';
}

const char* LogLevelWord(int32_t p_Level)
{
    switch (p_Level)
    {
    case 0:
        return "Info";
    case 1:
        return "Warning";
    case 2:
        return "Error";
    case 3:
        return "DEBUG";
    case 4:
        return "CRASH";
    default:
        return "INVALID";
    }
}

std::string FormatLogLine(const LogTime& p_Time, int32_t p_ProcessId, int64_t p_ThreadId,
                          const char* p_LevelWord, const char* p_Name, const char* p_Message)
{
    char line[k_LineBufferSize] = {};
    const int length = snprintf(line, sizeof(line), k_LineFormat, p_Time.year, p_Time.month, p_Time.day,
                                p_Time.hour, p_Time.minute, p_Time.second, p_Time.millisecond, p_LevelWord,
                                p_ProcessId, static_cast<long>(p_ThreadId), p_Name, p_Message);
    if (length <= 0)
        return {};
    return std::string(line, std::min<size_t>(static_cast<size_t>(length), sizeof(line) - 1));
}

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

void LogInfo(const LogTag& p_Tag, const char* p_Format, ...)
{
    va_list arguments;
    va_start(arguments, p_Format);
    WriteLine(p_Tag, static_cast<int32_t>(LogLevel::Info), p_Format, arguments);
    va_end(arguments);
}

void LogWarning(const LogTag& p_Tag, const char* p_Format, ...)
{
    va_list arguments;
    va_start(arguments, p_Format);
    WriteLine(p_Tag, static_cast<int32_t>(LogLevel::Warning), p_Format, arguments);
    va_end(arguments);
}

void LogError(const LogTag& p_Tag, const char* p_Format, ...)
{
    va_list arguments;
    va_start(arguments, p_Format);
    WriteLine(p_Tag, static_cast<int32_t>(LogLevel::Error), p_Format, arguments);
    va_end(arguments);
}

void LogLine(const LogTag& p_Tag, int32_t p_Level, const char* p_Format, ...)
{
    va_list arguments;
    va_start(arguments, p_Format);
    WriteLine(p_Tag, p_Level, p_Format, arguments);
    va_end(arguments);
}

// Both fatal paths end with _Exit: the process is in a state the code considers impossible, so
// no destructor or exit handler should run on top of it. Standard output is flushed first.
void LogFatal(const LogTag& p_Tag, const char* p_Format, ...)
{
    va_list arguments;
    va_start(arguments, p_Format);
    WriteLine(p_Tag, static_cast<int32_t>(LogLevel::Crash), p_Format, arguments);
    va_end(arguments);
    fflush(stdout);
    std::_Exit(-1);
}

void FatalError(const char* p_Component, const char* p_Format, ...)
{
    va_list arguments;
    va_start(arguments, p_Format);
    const std::string line = CurrentLine("CRASH", p_Component, p_Format, arguments);
    va_end(arguments);
    fwrite(line.data(), 1, line.size(), stdout);
    fflush(stdout);
    std::_Exit(-1);
}

void SetLogFileName(const char* p_Name)
{
    snprintf(g_LogFileName, sizeof(g_LogFileName), "%s", p_Name);
    g_RefusalReported = false;
}

const char* GetLogFileName()
{
    return g_LogFileName;
}

void SetOutputForwarder(IOutputForwarder* p_Forwarder)
{
    g_Forwarder = p_Forwarder;
}

IOutputForwarder* GetOutputForwarder()
{
    return g_Forwarder;
}
} // namespace Lib
