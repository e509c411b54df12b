#pragma once
// How large and how small a client area the window may have, and where a window of a given size
// goes on its monitor. A size nobody can see (wider than any display mode, beyond what the GL
// driver can draw into) only costs memory, or brings the driver down: it is limited instead.
#include "Corvan/Window/Monitor.h"
#include "Lib/Point.h"
#include "Lib/RectSize.h"

#include <cstdint>

namespace Vozad
{
struct SizeLimits
{
    uint32_t minWidth = 0, minHeight = 0;
    uint32_t maxWidth = 0, maxHeight = 0;
};

// The widest and the tallest of the monitor's display modes; its rectangle when it lists none.
Lib::RectSize LargestDisplayMode(const MonitorInfo& p_Monitor);

// The limits from the window's minimum size, the monitor's largest display mode and the largest
// size the graphics driver draws into (a 0 part sets no limit). A minimum above the maximum gives
// way to it: a monitor smaller than the minimum still gets a window it can show.
SizeLimits ComputeSizeLimits(int32_t p_MinimumWidth, int32_t p_MinimumHeight, Lib::RectSize p_LargestMode,
                             Lib::RectSize p_GraphicsMaximum);

// Each part of the size held between its limits.
Lib::RectSize LimitClientSize(Lib::RectSize p_Size, const SizeLimits& p_Limits);

// The top-left corner that keeps a window of p_Size, wanted at p_Wanted, on the monitor: moved
// left and up as far as it sticks out on the right and at the bottom, but never past the
// monitor's left and top edges (a window larger than the monitor starts at its corner).
Lib::Point FitOnMonitor(const MonitorRect& p_Monitor, Lib::Point p_Wanted, Lib::RectSize p_Size);

// The window centred on the monitor, fitted as above.
Lib::Point CentreOnMonitor(const MonitorRect& p_Monitor, Lib::RectSize p_Size);
} // namespace Vozad
