#pragma once
// The time a round has been played: only running time counts, so a pause, a menu or an open
// console does not make a win slower. Readings are monotonic microseconds.
#include <cstdint>

namespace Snake
{
class RoundClock
{
public:
    // A new round, running from p_Now.
    void Start(uint64_t p_Now)
    {
        m_Played = 0;
        m_Since = p_Now;
        m_Running = true;
    }
    void Resume(uint64_t p_Now)
    {
        if (m_Running)
            return;
        m_Since = p_Now;
        m_Running = true;
    }
    // Paused, lost or won: the time stands.
    void Stop(uint64_t p_Now)
    {
        m_Played = Elapsed(p_Now);
        m_Running = false;
    }
    uint64_t Elapsed(uint64_t p_Now) const
    {
        return m_Running && p_Now > m_Since ? m_Played + (p_Now - m_Since) : m_Played;
    }
    bool IsRunning() const { return m_Running; }

private:
    uint64_t m_Played = 0;
    uint64_t m_Since = 0;
    bool m_Running = false;
};
} // namespace Snake
