#include "Lib/Platform/Timer.h"

#include "Lib/Log.h"

#include <ctime>

namespace Lib
{
namespace
{
// The monotonic clock counts nanoseconds, so a microsecond is always 1000 ticks; the value stays a
// variable because it also says whether the counter has been found working yet.
constexpr int64_t k_NanosecondsPerMicrosecond = 1000;

int64_t g_TicksPerMicrosecond = 0;
bool g_TimerAvailable = false;

bool ReadMonotonic(int64_t& p_Counter)
{
    timespec now{};
    if (clock_gettime(CLOCK_MONOTONIC, &now) != 0)
        return false;
    p_Counter = static_cast<int64_t>(now.tv_sec) * 1000000000 + now.tv_nsec;
    return true;
}

// Lazily, and again after every failure, so that a clock that comes back is picked up.
bool EnsureTimer()
{
    if (g_TimerAvailable)
        return true;
    int64_t probe = 0;
    if (!ReadMonotonic(probe))
    {
        static const LogTag s_Tag("Timer");
        LogError(s_Tag, "Unable to initialise the platform timer!");
        return false;
    }
    g_TicksPerMicrosecond = k_NanosecondsPerMicrosecond;
    g_TimerAvailable = true;
    return true;
}
} // namespace

int64_t GetTicksPerMicrosecond()
{
    return EnsureTimer() ? g_TicksPerMicrosecond : 0;
}

int64_t ReadPerformanceCounter()
{
    int64_t counter = 0;
    if (!EnsureTimer() || !ReadMonotonic(counter))
        return 0;
    return counter;
}
} // namespace Lib
