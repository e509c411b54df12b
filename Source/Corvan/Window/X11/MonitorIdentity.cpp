// Monitor names and EDID texts from XRandR: each lit output's name, place and EDID property.
#include "Corvan/Window/MonitorIdentity.h"

#include <X11/Xlib.h>
#include <X11/extensions/Xrandr.h>

namespace Vozad
{
namespace
{
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
                       std::vector<MonitorIdentity>& p_Outputs)
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
                MonitorIdentity output;
                output.deviceName.assign(info->name, static_cast<size_t>(info->nameLen));
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
} // namespace

// Empty without an X display or without XRandR 1.3 (a Wayland-only session, a bare X server).
std::vector<MonitorIdentity> ReadMonitorIdentities()
{
    std::vector<MonitorIdentity> outputs;
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
} // namespace Vozad
