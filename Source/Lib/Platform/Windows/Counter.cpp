#include "Lib/Platform/Counter.h"

#include "Lib/Platform/Windows/Win32.h"

namespace Lib
{
bool ReadCounterResolution(int64_t& p_TicksPerMicrosecond)
{
    // Every Windows since XP has the counter; its frequency is fixed at boot (10 MHz on current
    // systems), so whole ticks per microsecond lose nothing there.
    LARGE_INTEGER frequency{};
    if (!QueryPerformanceFrequency(&frequency) || frequency.QuadPart / 1000000 == 0)
        return false;
    p_TicksPerMicrosecond = frequency.QuadPart / 1000000;
    return true;
}

bool ReadCounter(int64_t& p_Counter)
{
    LARGE_INTEGER counter{};
    if (!QueryPerformanceCounter(&counter))
        return false;
    p_Counter = counter.QuadPart;
    return true;
}
} // namespace Lib
