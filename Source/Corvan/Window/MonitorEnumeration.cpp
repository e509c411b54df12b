#include "Corvan/Window/MonitorEnumeration.h"

#include "Corvan/Window/DisplayModes.h"
#include "Corvan/Window/Edid.h"
#include "Lib/Log.h"

#include <SDL2/SDL.h>
#include <X11/Xlib.h>
#include <X11/extensions/Xrandr.h>

#include <cmath>
#include <string>
#include <vector>

namespace Vozad
{
namespace
{
// What XRandR tells about one lit output: where it sits on the desktop, what it is called and
// what its EDID says.
struct RandrOutput
{
    std::string name;
    int32_t x = 0, y = 0;
    uint32_t width = 0, height = 0;
    bool primary = false;
    EdidTexts texts;
};

// Xlib's default error handler ends the process; a display server that refuses a property
// query must only cost us the monitor's name.
int IgnoreXError(Display*, XErrorEvent*)
{
    return 0;
}

// The largest EDID the engine reads: 1024 bytes, in the 32-bit units the query counts in.
constexpr long k_EdidQueryLongs = 1024 / 4;

EdidTexts ReadEdidTexts(Display* p_Display, RROutput p_Output, Atom p_EdidAtom)
{
    EdidTexts texts;
    if (p_EdidAtom == None)
        return texts;
    Atom actualType = None;
    int actualFormat = 0;
    unsigned long count = 0, bytesAfter = 0;
    unsigned char* data = nullptr;
    const int status =
        XRRGetOutputProperty(p_Display, p_Output, p_EdidAtom, 0, k_EdidQueryLongs, False, False,
                             AnyPropertyType, &actualType, &actualFormat, &count, &bytesAfter, &data);
    if (status == Success && data && actualFormat == 8)
        DecodeEdid(data, count, texts);
    if (data)
        XFree(data);
    return texts;
}

void ReadScreenOutputs(Display* p_Display, Window p_Root, Atom p_EdidAtom,
                       std::vector<RandrOutput>& p_Outputs)
{
    XRRScreenResources* resources = XRRGetScreenResourcesCurrent(p_Display, p_Root);
    if (!resources)
        return;
    const RROutput primary = XRRGetOutputPrimary(p_Display, p_Root);
    for (int i = 0; i < resources->noutput; ++i)
    {
        XRROutputInfo* info = XRRGetOutputInfo(p_Display, resources, resources->outputs[i]);
        if (!info)
            continue;
        // Only outputs that show part of the desktop are monitors SDL reports.
        if (info->connection == RR_Connected && info->crtc != None)
        {
            if (XRRCrtcInfo* crtc = XRRGetCrtcInfo(p_Display, resources, info->crtc))
            {
                RandrOutput output;
                output.name.assign(info->name, static_cast<size_t>(info->nameLen));
                output.x = crtc->x;
                output.y = crtc->y;
                output.width = crtc->width;
                output.height = crtc->height;
                output.primary = resources->outputs[i] == primary;
                output.texts = ReadEdidTexts(p_Display, resources->outputs[i], p_EdidAtom);
                p_Outputs.push_back(std::move(output));
                XRRFreeCrtcInfo(crtc);
            }
        }
        XRRFreeOutputInfo(info);
    }
    XRRFreeScreenResources(resources);
}

// Empty without an X display or without XRandR 1.3 (a Wayland-only session, a bare X server).
std::vector<RandrOutput> ReadRandrOutputs()
{
    std::vector<RandrOutput> outputs;
    Display* display = XOpenDisplay(nullptr);
    if (!display)
        return outputs;
    int (*previousHandler)(Display*, XErrorEvent*) = XSetErrorHandler(IgnoreXError);
    int eventBase = 0, errorBase = 0, major = 0, minor = 0;
    if (XRRQueryExtension(display, &eventBase, &errorBase) && XRRQueryVersion(display, &major, &minor) &&
        (major > 1 || (major == 1 && minor >= 3)))
    {
        const Atom edidAtom = XInternAtom(display, RR_PROPERTY_RANDR_EDID, True);
        for (int screen = 0; screen < ScreenCount(display); ++screen)
            ReadScreenOutputs(display, RootWindow(display, screen), edidAtom, outputs);
    }
    XSync(display, False);
    XSetErrorHandler(previousHandler);
    XCloseDisplay(display);
    return outputs;
}

// The output that shows exactly this part of the desktop; with mirrored outputs the primary
// one wins. -1 when none does.
int32_t FindOutput(const std::vector<RandrOutput>& p_Outputs, const SDL_Rect& p_Bounds)
{
    int32_t found = -1;
    for (size_t i = 0; i < p_Outputs.size(); ++i)
    {
        const RandrOutput& output = p_Outputs[i];
        if (output.x != p_Bounds.x || output.y != p_Bounds.y ||
            static_cast<int>(output.width) != p_Bounds.w || static_cast<int>(output.height) != p_Bounds.h)
            continue;
        if (found < 0 || (output.primary && !p_Outputs[static_cast<size_t>(found)].primary))
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

void AddMonitor(MonitorCollection& p_Collection, int p_Display, const std::vector<RandrOutput>& p_Outputs)
{
    static const Lib::LogTag s_Tag("MonitorInfo");

    // A display whose current mode cannot be read is not one the window can open on.
    SDL_DisplayMode current{};
    SDL_Rect bounds{};
    if (SDL_GetCurrentDisplayMode(p_Display, &current) != 0 || SDL_GetDisplayBounds(p_Display, &bounds) != 0)
        return;

    MonitorInfo monitor;
    const int32_t output = FindOutput(p_Outputs, bounds);
    if (output >= 0)
    {
        const RandrOutput& randr = p_Outputs[static_cast<size_t>(output)];
        monitor.deviceName = Lib::String(std::string_view(randr.name));
        monitor.productName = randr.texts.productName;
        monitor.productText = randr.texts.productText;
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

    const std::vector<RandrOutput> outputs = ReadRandrOutputs();

    // SDL lists XRandR's primary output first, but only when one is set; ask XRandR itself so
    // the record order follows the desktop's choice either way.
    int primary = 0;
    for (int display = 0; display < count; ++display)
    {
        SDL_Rect bounds{};
        if (SDL_GetDisplayBounds(display, &bounds) != 0)
            continue;
        const int32_t output = FindOutput(outputs, bounds);
        if (output >= 0 && outputs[static_cast<size_t>(output)].primary)
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
                AddMonitor(p_Collection, display, outputs);
    }
    p_Collection.pass = 0;
}
} // namespace Vozad
