#include "Corvan/EntryPoint/FrameRateMeter.h"

namespace Telvar
{
bool FrameRateMeter::Measure(double p_Now)
{
    const double elapsed = p_Now - m_WindowStart;
    if (elapsed < 1.0)
        return false;
    m_Rate = static_cast<float>(m_Frames / elapsed);
    m_WindowStart = p_Now;
    m_Frames = 0;
    return true;
}
} // namespace Telvar
