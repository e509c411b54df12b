#include "Game/FrameCap.h"

#include <algorithm>

namespace Snake
{
int32_t ParseFrameCap(const Lib::String& p_Text)
{
    return ReadNumber(p_Text, k_FrameCapRule).value;
}

uint32_t MonitorRefreshRate(const Vozad::MonitorCollection& p_Monitors, int32_t p_X, int32_t p_Y)
{
    int32_t index = p_Monitors.FindMonitorAt(p_X, p_Y);
    if (index < 0 && p_Monitors.monitors.Count() != 0)
        index = 0;
    if (index < 0)
        return k_FallbackRefreshRate;
    const Vozad::MonitorInfo& monitor = p_Monitors.monitors[static_cast<uint32_t>(index)];
    const uint32_t width = static_cast<uint32_t>(monitor.rect.right - monitor.rect.left);
    const uint32_t height = static_cast<uint32_t>(monitor.rect.bottom - monitor.rect.top);
    uint32_t rate = 0;
    for (const Vozad::DisplayMode& mode : monitor.displayModes)
        if (mode.width == width && mode.height == height)
            rate = std::max(rate, mode.frequency);
    return rate != 0 ? rate : k_FallbackRefreshRate;
}

uint32_t FrameCapRate(int32_t p_Setting, uint32_t p_RefreshRate)
{
    if (p_Setting == k_FrameCapOff)
        return 0;
    if (p_Setting > 0)
        return static_cast<uint32_t>(p_Setting);
    return p_RefreshRate != 0 ? p_RefreshRate : k_FallbackRefreshRate;
}
} // namespace Snake
