#pragma once
// The one logger of the engine and the game. A line goes to standard output, to the log file
// (when the writing component allows it) and to the registered output forwarder. A log name that
// leads to anything but a regular file is left alone: the lines then go to standard output and
// the forwarder only, with one Error line there that says why.
#include "Lib/PrintfFormat.h"

#include <cstdint>
#include <string>
#include <string_view>

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

// The log file keeps the newest mebibyte. It is trimmed back to that only when it would pass
// 1.25 MiB, so that a full log costs one rewrite per quarter mebibyte of new lines, not one per line.
inline constexpr uint64_t k_LogFileLimit = 1048576;
inline constexpr uint64_t k_LogTrimThreshold = k_LogFileLimit + k_LogFileLimit / 4;

const char* LogLevelWord(int32_t p_Level);

// The complete line as every sink receives it, cut at 1151 characters.
std::string FormatLogLine(const LogTime& p_Time, int32_t p_ProcessId, int64_t p_ThreadId,
                          const char* p_LevelWord, const char* p_Name, const char* p_Message);

// Appends one finished line to the file. When the line would take the file past the trim
// threshold, the file is cut back to the newest mebibyte instead, starting at a complete line.
// Only a regular file (or a link to one) is written; a missing one is created, never through a
// link. Returns false when the file could not be written, with the errno of the failed step (or
// NotRegularFileError(kind) for a file of another kind, left alone) in p_Error when one is given.
bool AppendToLogFile(const char* p_FileName, const std::string& p_Line, int32_t* p_Error = nullptr);

// What a trim keeps of the whole text (old content and new line): its newest mebibyte, starting at
// the first line start inside it. When no line starts inside it (one endless line), the whole
// window is kept: the log is never emptied and the new line never dropped.
std::string_view NewestLogWindow(std::string_view p_All);

void LogInfo(const LogTag& p_Tag, const char* p_Format, ...) LIB_PRINTF_FORMAT(2, 3);
void LogWarning(const LogTag& p_Tag, const char* p_Format, ...) LIB_PRINTF_FORMAT(2, 3);
void LogError(const LogTag& p_Tag, const char* p_Format, ...) LIB_PRINTF_FORMAT(2, 3);
// Writes a "CRASH" line through every sink, then ends the process with status -1.
[[noreturn]] void LogFatal(const LogTag& p_Tag, const char* p_Format, ...) LIB_PRINTF_FORMAT(2, 3);
// For code without a tag: one "CRASH" line to standard output only, then the process ends with -1.
[[noreturn]] void FatalError(const char* p_Component, const char* p_Format, ...) LIB_PRINTF_FORMAT(2, 3);

// Writes one line at any level value; values outside the table print "INVALID".
void LogLine(const LogTag& p_Tag, int32_t p_Level, const char* p_Format, ...) LIB_PRINTF_FORMAT(3, 4);

void SetLogFileName(const char* p_Name);
const char* GetLogFileName();
void SetOutputForwarder(IOutputForwarder* p_Forwarder);
IOutputForwarder* GetOutputForwarder();
} // namespace Lib
