#pragma once
// The frame rate shown to the player: frames counted over at least one second of wall-clock time.
#include <cstdint>

namespace Telvar
{
class FrameRateMeter
{
public:
    // p_Now: the wall clock in seconds when counting begins.
    explicit FrameRateMeter(double p_Now) : m_WindowStart(p_Now) {}

    // One more frame for the current window.
    void CountFrame() { ++m_Frames; }
    // At the end of a frame, with the wall clock read there. Once a second or more has passed
    // since the window began: takes frames / seconds as the rate, starts the next window at
    // p_Now and answers true. The next window begins where this one ends, not where the frame
    // began, so N frames are measured over N frame durations and not N + 1.
    bool Measure(double p_Now);

    float GetRate() const { return m_Rate; }
    // The wall-clock moment from which Measure takes a rate.
    double NextMeasurement() const { return m_WindowStart + 1.0; }

private:
    double m_WindowStart = 0.0;
    uint32_t m_Frames = 0;
    float m_Rate = 0.0f;
};
} // namespace Telvar
