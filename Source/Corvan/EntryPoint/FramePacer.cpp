#include "Corvan/EntryPoint/FramePacer.h"

#include "Lib/Platform/Timer.h"

#include <chrono>
#include <cstdint>
#include <thread>

namespace Telvar
{
float WaitForFrameEnd(const FrameClock& p_Clock, float p_FrameMilliseconds)
{
    float elapsed = p_Clock.elapsedMilliseconds();
    while (p_FrameMilliseconds - elapsed > k_FrameSpinMilliseconds)
    {
        p_Clock.sleepMilliseconds(p_FrameMilliseconds - elapsed - k_FrameSpinMilliseconds);
        elapsed = p_Clock.elapsedMilliseconds();
    }
    while (elapsed < p_FrameMilliseconds)
        elapsed = p_Clock.elapsedMilliseconds();
    return elapsed;
}

FrameClock PerformanceCounterClock(int64_t p_StartTicks, int64_t p_TicksPerMicrosecond)
{
    return FrameClock{
        [p_StartTicks, p_TicksPerMicrosecond]
        {
            // Whole microseconds, as the frame rate has always been measured.
            const int64_t micros = (Lib::ReadPerformanceCounter() - p_StartTicks) / p_TicksPerMicrosecond;
            return static_cast<float>(micros) / 1000.0f;
        },
        [](float p_Milliseconds)
        { std::this_thread::sleep_for(std::chrono::duration<float, std::milli>(p_Milliseconds)); }};
}
} // namespace Telvar
