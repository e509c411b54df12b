#include "Lib/Platform/Timer.h"

#include "Lib/Log.h"
#include "Lib/Platform/Counter.h"

namespace Lib
{
namespace
{
// The resolution stays a variable because it also says whether the counter has been found
// working yet.
int64_t g_TicksPerMicrosecond = 0;
bool g_TimerAvailable = false;

// Lazily, and again after every failure, so that a counter that comes back is picked up.
bool EnsureTimer()
{
    if (g_TimerAvailable)
        return true;
    if (!ReadCounterResolution(g_TicksPerMicrosecond))
    {
        static const LogTag s_Tag("Timer");
        LogError(s_Tag, "Unable to initialise the platform timer!");
        return false;
    }
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
    if (!EnsureTimer() || !ReadCounter(counter))
        return 0;
    return counter;
}

Timer::Timer()
{
    Restart();
}

void Timer::Restart()
{
    m_Start = ReadPerformanceCounter();
}

ElapsedTime Timer::Elapsed() const
{
    ElapsedTime result;
    result.start = m_Start;
    const int64_t now = ReadPerformanceCounter();
    const int64_t ticks = GetTicksPerMicrosecond();
    // A timer started while the counter was missing has no start to measure from.
    if (m_Start == 0 || now == 0 || ticks == 0)
        return result;
    result.microseconds = static_cast<uint64_t>(now - m_Start) / static_cast<uint64_t>(ticks);
    return result;
}
} // namespace Lib
