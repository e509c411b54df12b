#pragma once
// The one logger of the engine and the game. A line goes to standard output, to the log file
// (when the writing component allows it) and to the registered output forwarder.
#include <cstdint>
#include <string>

namespace Lib
{
class IOutputForwarder;

enum class LogLevel : int32_t
{
    Info = 0,
    Warning = 1,
    Error = 2,
    Debug = 3, // in the table, but nothing writes it
    Crash = 4,
};

// The identity of one logging component, embedded by every object that logs.
struct LogTag
{
    static constexpr int32_t k_Capacity = 23;

    explicit LogTag(const char* p_Name);

    int32_t capacity = k_Capacity;
    char name[k_Capacity] = {};
    bool writeToFile = true;
};

// The fields of one line's time stamp, in coordinated universal time.
struct LogTime
{
    int32_t year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0, millisecond = 0;
};

inline constexpr uint64_t k_LogFileLimit = 1048576; // the log file keeps the newest mebibyte

const char* LogLevelWord(int32_t p_Level);

// The complete line as every sink receives it, cut at 1151 characters.
std::string FormatLogLine(const LogTime& p_Time, int32_t p_ProcessId, int64_t p_ThreadId,
                          const char* p_LevelWord, const char* p_Name, const char* p_Message);

// Appends one finished line to the file, trimming it to the newest mebibyte first when it has
// grown past that. Returns false when the file could not be written.
bool AppendToLogFile(const char* p_FileName, const std::string& p_Line);

void LogInfo(const LogTag& p_Tag, const char* p_Format, ...) __attribute__((format(printf, 2, 3)));
void LogWarning(const LogTag& p_Tag, const char* p_Format, ...) __attribute__((format(printf, 2, 3)));
void LogError(const LogTag& p_Tag, const char* p_Format, ...) __attribute__((format(printf, 2, 3)));
// Writes a "CRASH" line through every sink, then ends the process with status -1.
[[noreturn]] void LogFatal(const LogTag& p_Tag, const char* p_Format, ...)
    __attribute__((format(printf, 2, 3)));
// For code without a tag: one "CRASH" line to standard output only, then the process ends with -1.
[[noreturn]] void FatalError(const char* p_Component, const char* p_Format, ...)
    __attribute__((format(printf, 2, 3)));

// Writes one line at any level value; values outside the table print "INVALID".
void LogLine(const LogTag& p_Tag, int32_t p_Level, const char* p_Format, ...)
    __attribute__((format(printf, 3, 4)));

void SetLogFileName(const char* p_Name);
const char* GetLogFileName();
void SetOutputForwarder(IOutputForwarder* p_Forwarder);
IOutputForwarder* GetOutputForwarder();
} // namespace Lib
