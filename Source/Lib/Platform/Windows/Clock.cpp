#include "Lib/Platform/Clock.h"
#include "Lib/Platform/LocalCalendar.h"

#include "Lib/Platform/Windows/Win32.h"

#include <ctime>

namespace Lib
{
namespace
{
// 100-nanosecond intervals between 1 January 1601, where the system's file time starts, and 1970.
constexpr uint64_t k_UnixEpochInFileTime = 116444736000000000ULL;
} // namespace

double GetWallClockSeconds()
{
    FILETIME now{};
    GetSystemTimeAsFileTime(&now);
    const uint64_t intervals =
        ((static_cast<uint64_t>(now.dwHighDateTime) << 32) | now.dwLowDateTime) - k_UnixEpochInFileTime;
    // Millisecond resolution on purpose: callers compare this with the time stamps of log lines.
    const uint64_t milliseconds = intervals / 10000;
    return static_cast<double>(milliseconds / 1000) + static_cast<double>(milliseconds % 1000) / 1000.0;
}

LogTime GetUtcTime()
{
    SYSTEMTIME now{};
    GetSystemTime(&now);
    LogTime result;
    result.year = now.wYear;
    result.month = now.wMonth;
    result.day = now.wDay;
    result.hour = now.wHour;
    result.minute = now.wMinute;
    result.second = now.wSecond;
    result.millisecond = now.wMilliseconds;
    return result;
}

bool ReadLocalCalendar(tm& p_Calendar)
{
    SYSTEMTIME now{};
    GetLocalTime(&now);
    tm& calendar = p_Calendar;
    calendar = tm{};
    calendar.tm_year = now.wYear - 1900;
    calendar.tm_mon = now.wMonth - 1;
    calendar.tm_mday = now.wDay;
    calendar.tm_hour = now.wHour;
    calendar.tm_min = now.wMinute;
    calendar.tm_sec = now.wSecond;
    calendar.tm_wday = now.wDayOfWeek;
    calendar.tm_isdst = -1;
    // strftime needs the day of the year for %j and %U; mktime works it out from the rest.
    tm normalised = calendar;
    if (mktime(&normalised) != static_cast<time_t>(-1))
        calendar.tm_yday = normalised.tm_yday;
    return true;
}
} // namespace Lib
