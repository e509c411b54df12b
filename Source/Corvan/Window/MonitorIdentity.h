#pragma once
// What the system itself says about each monitor that shows part of the desktop, beyond what SDL
// tells: its device name, whether the desktop made it the primary one, and the texts of its
// EDID. One implementation per system (X11/: XRandR; Windows/: the display devices and SetupAPI).
#include "Corvan/Window/Edid.h"

#include <cstdint>
#include <string>
#include <vector>

namespace Vozad
{
struct MonitorIdentity
{
    std::string deviceName; // UTF-8: an XRandR output ("HDMI-1"), a Windows display ("\\.\DISPLAY1")
    int32_t x = 0, y = 0;   // the part of the desktop it shows
    uint32_t width = 0, height = 0;
    bool primary = false;
    EdidTexts texts;
};

// Every lit monitor the system reports; empty where it reports none (no X display, no XRandR
// 1.3). A monitor without a readable EDID keeps empty texts.
std::vector<MonitorIdentity> ReadMonitorIdentities();
} // namespace Vozad
