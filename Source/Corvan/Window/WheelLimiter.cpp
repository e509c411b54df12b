#include "Corvan/Window/WheelLimiter.h"

#include <cmath>
#include <limits>

namespace Vozad
{
int32_t WheelScrollAmount(int32_t p_Lines, int32_t p_Delta)
{
    if (p_Lines == k_WheelScrollPage)
    {
        if (p_Delta > 0)
            return std::numeric_limits<int32_t>::max();
        return p_Delta < 0 ? std::numeric_limits<int32_t>::min() : 0;
    }
    // 64-bit intermediate: a large accumulated delta must not overflow before the division.
    const int64_t amount = static_cast<int64_t>(p_Lines) * p_Delta * 6 / k_WheelDeltaPerNotch;
    if (amount > std::numeric_limits<int32_t>::max())
        return std::numeric_limits<int32_t>::max();
    if (amount < std::numeric_limits<int32_t>::min())
        return std::numeric_limits<int32_t>::min();
    return static_cast<int32_t>(amount);
}

int32_t WheelDeltaFromNotches(float p_Notches)
{
    const double delta = std::round(static_cast<double>(p_Notches) * k_WheelDeltaPerNotch);
    if (!std::isfinite(delta))
        return 0;
    if (delta > std::numeric_limits<int32_t>::max())
        return std::numeric_limits<int32_t>::max();
    if (delta < std::numeric_limits<int32_t>::min())
        return std::numeric_limits<int32_t>::min();
    return static_cast<int32_t>(delta);
}

WheelLimiter::WheelLimiter() = default;

WheelLimiter::WheelLimiter(Clock p_Clock) : m_Clock(std::move(p_Clock)) {}

double WheelLimiter::Now() const
{
    if (m_Clock)
        return m_Clock();
    return static_cast<double>(m_Timer.Elapsed().microseconds) / 1000000.0;
}

bool WheelLimiter::Accept()
{
    const double now = Now();
    if (m_Count == 0)
    {
        m_BurstStart = now;
        m_Count = 1;
        return true;
    }
    ++m_Count;
    if (m_Count < 3)
        return true;
    if (now - m_BurstStart < k_BurstSeconds)
        return false;
    m_BurstStart = now;
    m_Count = 1;
    return true;
}
} // namespace Vozad
