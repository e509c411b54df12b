#include "Lib/Log.h"

#include "Lib/IOutputForwarder.h"
#include "Lib/Platform/Clock.h"
#include "Lib/Platform/Process.h"
#include "Lib/String.h"

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

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

std::string CurrentLine(const char* p_LevelWord, const char* p_Name, const char* p_Format,
                        va_list p_Arguments)
{
    char message[k_MessageBufferSize] = {};
    vsnprintf(message, sizeof(message), p_Format, p_Arguments);
    return FormatLogLine(GetUtcTime(), GetCurrentProcessId(), GetCurrentThreadId(), p_LevelWord, p_Name,
                         message);
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
    if (p_Tag.writeToFile)
        AppendToLogFile(g_LogFileName, line);
}

// Writes the newest mebibyte of old content + line into a fresh file and renames it over the
// log, so a failure at any point leaves the old log as it was.
bool TrimLogFile(const char* p_FileName, FILE* p_File, uint64_t p_Size, const std::string& p_Line)
{
    std::vector<char> buffer(p_Size + p_Line.size());
    const size_t read = fread(buffer.data(), 1, p_Size, p_File);
    if (fclose(p_File) != 0 || read != p_Size)
        return false;
    memcpy(buffer.data() + p_Size, p_Line.data(), p_Line.size());

    const char* window = buffer.data();
    size_t windowSize = buffer.size();
    if (windowSize > k_LogFileLimit)
    {
        window += windowSize - k_LogFileLimit;
        windowSize = k_LogFileLimit;
    }
    // Start the trimmed file with a complete line when the window holds a line break.
    if (const void* lineBreak = memchr(window, '\n', windowSize))
    {
        const size_t skip = static_cast<size_t>(static_cast<const char*>(lineBreak) - window) + 1;
        window += skip;
        windowSize -= skip;
    }

    const std::string temporary = std::string(p_FileName) + ".trim";
    FILE* out = fopen(temporary.c_str(), "wb");
    if (!out)
        return false;
    const bool written = fwrite(window, 1, windowSize, out) == windowSize && fflush(out) == 0;
    if (fclose(out) != 0 || !written || rename(temporary.c_str(), p_FileName) != 0)
    {
        remove(temporary.c_str());
        return false;
    }
    return true;
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

bool AppendToLogFile(const char* p_FileName, const std::string& p_Line)
{
    FILE* file = fopen(p_FileName, "a+b");
    if (!file)
        return false;
    fseek(file, 0, SEEK_END);
    const long end = ftell(file);
    fseek(file, 0, SEEK_SET);
    if (end < 0)
    {
        fclose(file);
        return false;
    }
    const uint64_t size = static_cast<uint64_t>(end);
    if (size <= k_LogFileLimit)
    {
        const bool written = fwrite(p_Line.data(), 1, p_Line.size(), file) == p_Line.size();
        return fclose(file) == 0 && written;
    }
    return TrimLogFile(p_FileName, file, size, p_Line);
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
