#include "Lib/Platform/Clock.h"
#include "Lib/Platform/LocalCalendar.h"

#include <ctime>

namespace Lib
{
namespace
{
timespec ReadRealtime()
{
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    return now;
}
} // namespace

double GetWallClockSeconds()
{
    // Millisecond resolution on purpose: callers compare this with the time stamps of log lines.
    const timespec now = ReadRealtime();
    const int64_t milliseconds = now.tv_nsec / 1000000;
    return static_cast<double>(now.tv_sec) + static_cast<double>(milliseconds) / 1000.0;
}

LogTime GetUtcTime()
{
    const timespec now = ReadRealtime();
    tm calendar{};
    gmtime_r(&now.tv_sec, &calendar);
    LogTime result;
    result.year = calendar.tm_year + 1900;
    result.month = calendar.tm_mon + 1;
    result.day = calendar.tm_mday;
    result.hour = calendar.tm_hour;
    result.minute = calendar.tm_min;
    result.second = calendar.tm_sec;
    result.millisecond = static_cast<int32_t>(now.tv_nsec / 1000000);
    return result;
}

bool ReadLocalCalendar(tm& p_Calendar)
{
    // localtime_r need not look at TZ again; tzset makes a changed zone count from the next call.
    tzset();
    const timespec now = ReadRealtime();
    return localtime_r(&now.tv_sec, &p_Calendar) != nullptr;
}
} // namespace Lib
