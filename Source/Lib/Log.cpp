#include "Lib/Log.h"

#include "Lib/IOutputForwarder.h"
#include "Lib/Platform/Clock.h"
#include "Lib/Platform/Process.h"
#include "Lib/Platform/RegularFile.h"
#include "Lib/String.h"

#include <algorithm>
#include <atomic>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string_view>

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

std::string_view NewestLogWindow(std::string_view p_All)
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
