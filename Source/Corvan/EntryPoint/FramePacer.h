#pragma once
// How the main loop waits out the rest of a frame when its rate is capped: the thread sleeps while
// there is time enough, and only the last fraction of a millisecond is spent re-reading the clock,
// so a capped menu costs a few per cent of a core instead of all of one, and the frame still ends
// on time to well under a millisecond.
#include <cstdint>
#include <functional>

namespace Telvar
{
// The clock and the sleep the wait uses; the engine's read the performance counter and sleep the
// calling thread.
struct FrameClock
{
    std::function<float()> elapsedMilliseconds; // since the frame began
    std::function<void(float)> sleepMilliseconds;
};

// Sleeps wake up late by up to a scheduler slice; this much of the wait is spun instead.
inline constexpr float k_FrameSpinMilliseconds = 0.5f;

// Returns once the clock reads at least p_FrameMilliseconds, with the last value it read. Sleeps
// (repeatedly, should a sleep end early) while more than the spin margin is left.
float WaitForFrameEnd(const FrameClock& p_Clock, float p_FrameMilliseconds);

// The engine's clock: milliseconds since p_StartTicks of the performance counter, and a sleep of
// the calling thread.
FrameClock PerformanceCounterClock(int64_t p_StartTicks, int64_t p_TicksPerMicrosecond);
} // namespace Telvar
