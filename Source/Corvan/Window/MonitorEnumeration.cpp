#include "Corvan/Window/MonitorEnumeration.h"

#include "Corvan/Window/DisplayModes.h"
#include "Corvan/Window/MonitorIdentity.h"
#include "Lib/Log.h"

#include <SDL2/SDL.h>

#include <cmath>
#include <string>
#include <vector>

namespace Vozad
{
namespace
{
// The monitor that shows exactly this part of the desktop; with mirrored monitors the primary
// one wins. -1 when none does.
int32_t FindMonitor(const std::vector<MonitorIdentity>& p_Identities, const SDL_Rect& p_Bounds)
{
    int32_t found = -1;
    for (size_t i = 0; i < p_Identities.size(); ++i)
    {
        const MonitorIdentity& output = p_Identities[i];
        if (output.x != p_Bounds.x || output.y != p_Bounds.y ||
            static_cast<int>(output.width) != p_Bounds.w || static_cast<int>(output.height) != p_Bounds.h)
            continue;
        if (found < 0 || (output.primary && !p_Identities[static_cast<size_t>(found)].primary))
            found = static_cast<int32_t>(i);
    }
    return found;
}

Lib::DynamicArray<DisplayMode> CollectDisplayModes(int p_Display)
{
    Lib::DynamicArray<ReportedDisplayMode> reported;
    const int count = SDL_GetNumDisplayModes(p_Display);
    for (int i = 0; i < count; ++i)
    {
        SDL_DisplayMode mode{};
        if (SDL_GetDisplayMode(p_Display, i, &mode) != 0 || mode.w <= 0 || mode.h <= 0)
            continue;
        reported.Add(ReportedDisplayMode{static_cast<uint32_t>(mode.w), static_cast<uint32_t>(mode.h),
                                         static_cast<uint32_t>(mode.refresh_rate > 0 ? mode.refresh_rate : 0),
                                         static_cast<uint32_t>(SDL_BYTESPERPIXEL(mode.format))});
    }
    return SelectDisplayModes(reported);
}

void AddMonitor(MonitorCollection& p_Collection, int p_Display,
                const std::vector<MonitorIdentity>& p_Identities)
{
    static const Lib::LogTag s_Tag("MonitorInfo");

    // A display whose current mode cannot be read is not one the window can open on.
    SDL_DisplayMode current{};
    SDL_Rect bounds{};
    if (SDL_GetCurrentDisplayMode(p_Display, &current) != 0 || SDL_GetDisplayBounds(p_Display, &bounds) != 0)
        return;

    MonitorInfo monitor;
    const int32_t output = FindMonitor(p_Identities, bounds);
    if (output >= 0)
    {
        const MonitorIdentity& identity = p_Identities[static_cast<size_t>(output)];
        monitor.deviceName = Lib::String(std::string_view(identity.deviceName));
        monitor.productName = identity.texts.productName;
        monitor.productText = identity.texts.productText;
    }
    else if (const char* name = SDL_GetDisplayName(p_Display))
    {
        monitor.deviceName = Lib::String(name);
    }
    monitor.primary = p_Collection.pass;
    monitor.rect = MonitorRect{bounds.x, bounds.x + bounds.w, bounds.y, bounds.y + bounds.h};
    monitor.displayModes = CollectDisplayModes(p_Display);

    float horizontal = 0.0f, vertical = 0.0f;
    if (SDL_GetDisplayDPI(p_Display, nullptr, &horizontal, &vertical) != 0)
    {
        LogError(s_Tag, "Could not retrieve dpi values for monitor: %s - %s",
                 monitor.deviceName.ToNarrow().Data(), monitor.productText.ToNarrow().Data());
    }
    else
    {
        monitor.dpiX = static_cast<uint32_t>(std::lround(horizontal > 0.0f ? horizontal : 0.0f));
        monitor.dpiY = static_cast<uint32_t>(std::lround(vertical > 0.0f ? vertical : 0.0f));
    }
    p_Collection.monitors.Add(std::move(monitor));
}
} // namespace

void RefreshMonitors(MonitorCollection& p_Collection)
{
    p_Collection.monitors.Clear();
    p_Collection.pass = 0;
    const int count = SDL_GetNumVideoDisplays();
    if (count <= 0)
        return;

    const std::vector<MonitorIdentity> identities = ReadMonitorIdentities();

    // SDL lists the primary monitor first on X11 only when one is set; ask the system itself so
    // the record order follows the desktop's choice either way.
    int primary = 0;
    for (int display = 0; display < count; ++display)
    {
        SDL_Rect bounds{};
        if (SDL_GetDisplayBounds(display, &bounds) != 0)
            continue;
        const int32_t output = FindMonitor(identities, bounds);
        if (output >= 0 && identities[static_cast<size_t>(output)].primary)
        {
            primary = display;
            break;
        }
    }

    // Two passes, primary then the rest, so the primary monitor is always record 0.
    for (uint8_t pass : {uint8_t{1}, uint8_t{0}})
    {
        p_Collection.pass = pass;
        for (int display = 0; display < count; ++display)
            if ((display == primary) == (pass == 1))
                AddMonitor(p_Collection, display, identities);
    }
    p_Collection.pass = 0;
}
} // namespace Vozad
