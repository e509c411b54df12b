#pragma once
// How far one wheel message scrolls, and the limiter that thins out fast wheel bursts (free-
// spinning wheels and touchpads flood the queue faster than the GUI can follow).
#include "Lib/Platform/Timer.h"

#include <cstdint>
#include <functional>

namespace Vozad
{
// Lines per notch: Linux has no desktop-wide wheel setting, so the common default is used.
inline constexpr int32_t k_WheelScrollLines = 3;
// The wheel delta of one notch, as the reference platform counts it.
inline constexpr int32_t k_WheelDeltaPerNotch = 120;
// A scroll-lines value that means "one page per notch".
inline constexpr int32_t k_WheelScrollPage = -1;

// Pixels scrolled: p_Lines x p_Delta x 6 / 120, so one notch of 120 at 3 lines gives 18. With
// page scrolling the amount is the largest int32 for a positive delta and the smallest for a
// negative one (and 0 for none).
int32_t WheelScrollAmount(int32_t p_Lines, int32_t p_Delta);

// The wheel delta of p_Notches notches (fractions come from high-resolution wheels).
int32_t WheelDeltaFromNotches(float p_Notches);

class WheelLimiter
{
public:
    static constexpr double k_BurstSeconds = 0.01667;

    // Seconds on any monotonic clock.
    using Clock = std::function<double()>;

    WheelLimiter(); // measures with the engine's performance counter
    explicit WheelLimiter(Clock p_Clock);

    // Counts one wheel message into the current burst; false when it is to be dropped. The
    // first two messages of a burst always pass; from the third on, a message less than
    // k_BurstSeconds after the burst began is dropped and a later one starts a new burst.
    bool Accept();

    uint32_t BurstCount() const { return m_Count; }

private:
    double Now() const;

    Clock m_Clock; // empty: the timer below
    Lib::Timer m_Timer;
    double m_BurstStart = 0.0;
    uint32_t m_Count = 0;
};
} // namespace Vozad
