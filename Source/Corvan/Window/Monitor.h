#pragma once
// The monitors the engine can open its window on, with their 32-bit display modes.
#include "Lib/DynamicArray.h"
#include "Lib/String.h"

#include <cstdint>

namespace Vozad
{
struct DisplayMode
{
    uint32_t width = 0;
    uint32_t height = 0;
    uint32_t frequency = 0; // Hz
    bool operator==(const DisplayMode&) const = default;
};

struct MonitorRect
{
    int32_t left = 0, right = 0, top = 0, bottom = 0;
    // Edges belong to the monitor.
    bool Contains(int32_t p_X, int32_t p_Y) const
    {
        return p_X >= left && p_X <= right && p_Y >= top && p_Y <= bottom;
    }
};

struct MonitorInfo
{
    Lib::String deviceName;
    Lib::String productName; // from the EDID monitor-name descriptor; empty when there is none
    Lib::String productText; // from the EDID unspecified-text descriptor
    int32_t primary = 0;
    Lib::DynamicArray<DisplayMode> displayModes; // each size once, sorted by width
    MonitorRect rect;
    uint32_t dpiX = 0, dpiY = 0; // 0 when the system cannot tell
};

struct MonitorCollection
{
    uint8_t pass = 0;
    Lib::DynamicArray<MonitorInfo> monitors; // primary first

    // The first monitor whose rectangle holds the point, or -1.
    int32_t FindMonitorAt(int32_t p_X, int32_t p_Y) const
    {
        for (uint32_t i = 0; i < monitors.Count(); ++i)
            if (monitors[i].rect.Contains(p_X, p_Y))
                return static_cast<int32_t>(i);
        return -1;
    }
};
} // namespace Vozad
