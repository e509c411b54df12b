#pragma once
#include "Lib/String.h"

#include <cstdint>

namespace Vozad
{
// Window mode codes; the supported modes are a bit mask of them.
enum WindowMode : int32_t
{
    k_WindowModeWindowed = 1,
    k_WindowModeFullscreenExclusive = 2,
    k_WindowModeFullscreenBorderless = 4,
    k_WindowModeMaximised = 8,
    k_WindowModeMinimised = 16,
};

inline bool IsFullscreenMode(int32_t p_Mode)
{
    return p_Mode == k_WindowModeFullscreenExclusive || p_Mode == k_WindowModeFullscreenBorderless;
}

// How the game window is to be created; the window copies it at construction.
struct WindowSettings
{
    int32_t monitorIndex = 0; // beyond the monitor count becomes 0
    int32_t minimumWidth = 0;
    int32_t minimumHeight = 0;
    int32_t x = 0;
    int32_t y = 0;
    uint32_t clientWidth = 0; // 0 in either becomes 640 x 480
    uint32_t clientHeight = 0;
    Lib::String title;
    bool resizable = false;
    bool focus = true;
    uint64_t reserved0 = 0; // stored, never read
    uint64_t reserved1 = 0;
    int32_t windowMode = 0; // a WindowMode code; 0 creates a windowed window
    int32_t reserved2 = 0;
    int32_t targetFullscreenMode = 0;
    int32_t supportedWindowModes = 0;
};
} // namespace Vozad
