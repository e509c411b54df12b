#include "Lib/Platform/Timer.h"

#include "Lib/Log.h"
#include "Lib/Platform/Windows/Win32.h"

namespace Lib
{
namespace
{
int64_t g_TicksPerMicrosecond = 0;
bool g_TimerAvailable = false;

// Lazily, and again after every failure, so that a counter that comes back is picked up. Every
// Windows since XP has the counter; its frequency is fixed at boot (10 MHz on current systems).
bool EnsureTimer()
{
    if (g_TimerAvailable)
        return true;
    LARGE_INTEGER frequency{};
    if (!QueryPerformanceFrequency(&frequency) || frequency.QuadPart / 1000000 == 0)
    {
        static const LogTag s_Tag("Timer");
        LogError(s_Tag, "Unable to initialise the platform timer!");
        return false;
    }
    g_TicksPerMicrosecond = frequency.QuadPart / 1000000;
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
    LARGE_INTEGER counter{};
    if (!EnsureTimer() || !QueryPerformanceCounter(&counter))
        return 0;
    return counter.QuadPart;
}
} // namespace Lib
