#include "Lib/Platform/Timer.h"

namespace Lib
{
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
