#pragma once
// The engine's shared state block: the window writes input and display state into it, the
// engine and the game read it.
#include "Corvan/Events/KeyCodes.h"
#include "Corvan/Renderer/Vulkan/GpuSelection.h"
#include "Corvan/Window/Monitor.h"
#include "Lib/Platform/Timer.h"
#include "Lib/Point.h"
#include "Lib/String.h"

#include <cstdint>

namespace Vozad
{
// Key states: 0 up, 1 pressed, 2 held (auto-repeat).
enum KeyState : int32_t
{
    k_KeyUp = 0,
    k_KeyPressed = 1,
    k_KeyHeld = 2,
};

struct Viewport
{
    int32_t left = 0, right = 0, top = 0, bottom = 0;
};

struct EngineData
{
    Lib::Point cursorPosition;              // client coordinates
    int32_t keyStates[k_KeyCodeCount] = {}; // by engine key code
    // Set when a key goes down, cleared once a frame's update has been sent: a key pressed and
    // released again between two frames is up in keyStates, but still counts as pressed.
    bool keyPressLatches[k_KeyCodeCount] = {};
    int32_t mouseButtonStates[5] = {}; // buttons 1..5: 1 down, 0 up
    Lib::String lastTypedText;
    int32_t desktopBitsPerPixel = 0;
    int32_t desktopWidth = 0;
    int32_t desktopHeight = 0;
    Lib::String defaultFontPath;
    MonitorCollection monitors;
    GpuSelection gpuSelection;
    float fixedAspectRatio = 0.0f; // 0: free
    bool keepAspectRatio = false;
    Viewport viewport;
    Lib::Timer timer;
    int32_t rendererApi = 0; // 0 OpenGL, 1 Vulkan
    int32_t loopMode = 0;    // 0 event-driven, 1 and 2 continuous
    bool toggleFlag = false;
};
} // namespace Vozad
