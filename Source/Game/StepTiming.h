#pragma once
// When the snake's next step is due.
#include <cstdint>

namespace Snake
{
// True once at least 1 / speed seconds have passed. A speed of 0 never steps.
inline bool IsStepDue(uint64_t p_ElapsedMicroseconds, uint32_t p_MovesPerSecond)
{
    return p_MovesPerSecond != 0 && p_ElapsedMicroseconds * p_MovesPerSecond >= 1000000u;
}

// The step clock on a monotonic microsecond reading. It starts with the game and is renewed by
// every step; pausing does not stop it, so the first step after a start or a long pause comes
// at once. A fair start (an option) renews it when a round starts or resumes instead, so the
// player gets one full interval to see where the snake is going.
class StepClock
{
public:
    explicit StepClock(uint64_t p_Now = 0) : m_LastStep(p_Now) {}

    bool IsDue(uint64_t p_Now, uint32_t p_MovesPerSecond) const
    {
        return IsStepDue(p_Now >= m_LastStep ? p_Now - m_LastStep : 0, p_MovesPerSecond);
    }
    void Stepped(uint64_t p_Now)
    {
        m_LastStep = p_Now;
        m_Ready = false;
    }
    // Start, Restart or Resume.
    void RoundGoes(uint64_t p_Now, bool p_FairStart)
    {
        if (!p_FairStart)
            return;
        m_LastStep = p_Now;
        m_Ready = true;
    }
    // Between a fair start and its first step, while the "Ready" marker shows.
    bool IsReady() const { return m_Ready; }
    void EndReady() { m_Ready = false; }

private:
    uint64_t m_LastStep = 0;
    bool m_Ready = false;
};
} // namespace Snake
