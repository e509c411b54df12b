#include "Lib/Platform/Counter.h"

#include <ctime>

namespace Lib
{
bool ReadCounterResolution(int64_t& p_TicksPerMicrosecond)
{
    // The monotonic clock counts nanoseconds; it is probed so that a missing one is found out.
    int64_t probe = 0;
    if (!ReadCounter(probe))
        return false;
    p_TicksPerMicrosecond = 1000;
    return true;
}

bool ReadCounter(int64_t& p_Counter)
{
    timespec now{};
    if (clock_gettime(CLOCK_MONOTONIC, &now) != 0)
        return false;
    p_Counter = static_cast<int64_t>(now.tv_sec) * 1000000000 + now.tv_nsec;
    return true;
}
} // namespace Lib
