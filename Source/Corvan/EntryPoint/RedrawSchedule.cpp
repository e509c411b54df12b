#include "Corvan/EntryPoint/RedrawSchedule.h"

#include <algorithm>
#include <cmath>

namespace Telvar
{
namespace
{
// A wait longer than this is cut: the loop looks again, which costs nothing worth counting.
constexpr double k_LongestWaitSeconds = 3600.0;
} // namespace

void RedrawSchedule::Request(double p_At)
{
    // One request per moment is enough; the game asks every frame while its round runs.
    if (std::find(m_Requests.begin(), m_Requests.end(), p_At) == m_Requests.end())
        m_Requests.push_back(p_At);
}

void RedrawSchedule::BeginFrame(double p_Now)
{
    std::erase_if(m_Requests, [p_Now](double p_At) { return p_At <= p_Now; });
}

bool RedrawSchedule::IsDue(double p_Now) const
{
    return std::any_of(m_Requests.begin(), m_Requests.end(), [p_Now](double p_At) { return p_At <= p_Now; });
}

double RedrawSchedule::NextRequest() const
{
    if (m_Requests.empty())
        return -1.0;
    return *std::min_element(m_Requests.begin(), m_Requests.end());
}

uint32_t RedrawSchedule::WaitMilliseconds(double p_Now, double p_Deadline) const
{
    double until = p_Deadline;
    if (!m_Requests.empty())
        until = std::min(until, NextRequest());
    const double seconds = until - p_Now;
    if (!(seconds > 0.0)) // also a NaN deadline
        return 0;
    return static_cast<uint32_t>(std::ceil(std::min(seconds, k_LongestWaitSeconds) * 1000.0));
}
} // namespace Telvar
