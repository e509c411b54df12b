#include "Corvan/Window/WindowSizeLimits.h"

#include <algorithm>
#include <cstdint>

namespace Vozad
{
namespace
{
uint32_t Positive(int32_t p_Value)
{
    return p_Value > 0 ? static_cast<uint32_t>(p_Value) : 0;
}

// The smaller of two limits, where 0 stands for none.
uint32_t Tighter(uint32_t p_First, uint32_t p_Second)
{
    if (p_First == 0)
        return p_Second;
    if (p_Second == 0)
        return p_First;
    return std::min(p_First, p_Second);
}

int32_t FitAxis(int32_t p_Start, int32_t p_End, int32_t p_Wanted, uint32_t p_Length)
{
    const int64_t latest = static_cast<int64_t>(p_End) - static_cast<int64_t>(p_Length);
    const int64_t fitted = std::max<int64_t>(std::min<int64_t>(p_Wanted, latest), p_Start);
    return static_cast<int32_t>(fitted);
}
} // namespace

Lib::RectSize LargestDisplayMode(const MonitorInfo& p_Monitor)
{
    Lib::RectSize largest{};
    for (const DisplayMode& mode : p_Monitor.displayModes)
    {
        largest.width = std::max(largest.width, mode.width);
        largest.height = std::max(largest.height, mode.height);
    }
    if (largest.width == 0 || largest.height == 0)
        largest = {Positive(p_Monitor.rect.right - p_Monitor.rect.left),
                   Positive(p_Monitor.rect.bottom - p_Monitor.rect.top)};
    return largest;
}

SizeLimits ComputeSizeLimits(int32_t p_MinimumWidth, int32_t p_MinimumHeight, Lib::RectSize p_LargestMode,
                             Lib::RectSize p_GraphicsMaximum)
{
    SizeLimits limits;
    limits.maxWidth = Tighter(p_LargestMode.width, p_GraphicsMaximum.width);
    limits.maxHeight = Tighter(p_LargestMode.height, p_GraphicsMaximum.height);
    limits.minWidth = Positive(p_MinimumWidth);
    limits.minHeight = Positive(p_MinimumHeight);
    if (limits.maxWidth != 0)
        limits.minWidth = std::min(limits.minWidth, limits.maxWidth);
    if (limits.maxHeight != 0)
        limits.minHeight = std::min(limits.minHeight, limits.maxHeight);
    return limits;
}

Lib::RectSize LimitClientSize(Lib::RectSize p_Size, const SizeLimits& p_Limits)
{
    Lib::RectSize size = p_Size;
    if (p_Limits.maxWidth != 0)
        size.width = std::min(size.width, p_Limits.maxWidth);
    if (p_Limits.maxHeight != 0)
        size.height = std::min(size.height, p_Limits.maxHeight);
    size.width = std::max(size.width, p_Limits.minWidth);
    size.height = std::max(size.height, p_Limits.minHeight);
    return size;
}

Lib::Point FitOnMonitor(const MonitorRect& p_Monitor, Lib::Point p_Wanted, Lib::RectSize p_Size)
{
    return {FitAxis(p_Monitor.left, p_Monitor.right, p_Wanted.x, p_Size.width),
            FitAxis(p_Monitor.top, p_Monitor.bottom, p_Wanted.y, p_Size.height)};
}

Lib::Point CentreOnMonitor(const MonitorRect& p_Monitor, Lib::RectSize p_Size)
{
    const int64_t x =
        p_Monitor.left + (static_cast<int64_t>(p_Monitor.right - p_Monitor.left) - p_Size.width) / 2;
    const int64_t y =
        p_Monitor.top + (static_cast<int64_t>(p_Monitor.bottom - p_Monitor.top) - p_Size.height) / 2;
    const Lib::Point centred{static_cast<int32_t>(std::max<int64_t>(x, INT32_MIN)),
                             static_cast<int32_t>(std::max<int64_t>(y, INT32_MIN))};
    return FitOnMonitor(p_Monitor, centred, p_Size);
}
} // namespace Vozad
