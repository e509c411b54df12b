#pragma once
// Where the window is and how it is shown: the monitor and size it starts with (a size nobody
// could see is limited), the mode it starts in (windowed, exclusive or borderless fullscreen),
// switching between windowed and fullscreen with the windowed placement kept to return to, size
// and position changes, and what SDL's window events say about all of them.
#include "Corvan/Window/EngineData.h"
#include "Corvan/Window/Monitor.h"
#include "Corvan/Window/WindowSettings.h"
#include "Corvan/Window/WindowSizeLimits.h"
#include "Lib/Log.h"
#include "Lib/RectSize.h"
#include "Lib/WindowRect.h"

#include <cstdint>
#include <memory>

struct SDL_Window;
struct SDL_WindowEvent;

namespace Vozad
{
class EventManager;
class GuiRootLayout;
class IEngineNotifier;
class WindowGraphics;

class WindowPlacement
{
public:
    // Everything passed by pointer or reference must outlive this object; p_Notifier may be null.
    // p_Window and p_Created are the owner's native window (null while there is none) and whether
    // it is fully created. A client size of 0 in either part becomes 640 x 480.
    WindowPlacement(const Lib::LogTag& p_Tag, EngineData* p_EngineData, EventManager* p_EventManager,
                    IEngineNotifier* p_Notifier, SDL_Window* const& p_Window, const bool& p_Created,
                    GuiRootLayout& p_Layout, const WindowGraphics& p_Graphics,
                    const WindowSettings& p_Settings);
    ~WindowPlacement();

    // x, y and the client size follow the window.
    WindowSettings& Settings() { return m_Settings; }
    const WindowSettings& Settings() const { return m_Settings; }
    int32_t GetWindowMode() const { return m_WindowMode; }

    // Before the native window is made (the monitors read): picks the monitor, limits the
    // configured size to what the monitor shows, centres the window and finds the start mode.
    void PlanWindow();
    // After the native window is made: enters the start mode found by PlanWindow.
    void EnterStartMode();
    // Once the graphics context exists: limits the configured size by what the monitor shows and
    // the driver draws into, shrinks the (still hidden) window to it and says so once.
    void ApplySizeLimits();
    // Forgets the display mode and fullscreen state of a window that is going away.
    void Release();

    void SetResizable(bool p_Resizable);
    void SetPosition(int32_t p_X, int32_t p_Y);
    // False when the size is already the client size.
    bool SetClientSize(uint32_t p_Width, uint32_t p_Height);
    Lib::RectSize GetWindowSize() const;
    Lib::RectSize GetWindowedSize() const;
    Lib::WindowRect GetRect() const;
    void ToggleFullscreen();
    void SetWindowMode(int32_t p_Mode);
    // Horizontal DPI of the monitor holding the window position; 0 when none holds it.
    double GetDpiScale() const;

    // Moves, size changes, minimising, maximising and restoring; other events are ignored.
    void OnWindowEvent(const SDL_WindowEvent& p_Window);

private:
    struct Placement
    {
        int32_t x = 0, y = 0;
        uint32_t width = 0, height = 0;
    };

    // What the monitor the window is on and the graphics driver can show.
    SizeLimits CurrentSizeLimits() const;
    // The monitor that holds the window's position, else the configured one; null without any.
    const MonitorInfo* CurrentMonitor() const;
    void SwitchFullscreen(bool p_Enter);
    // Sizes and moves the native window to the placement, and the settings follow.
    void Place(const Placement& p_Placement);
    void OnSizeChanged(uint32_t p_Width, uint32_t p_Height);
    void OnMaximised(uint32_t p_Width, uint32_t p_Height);

    const Lib::LogTag& m_Tag;
    EngineData* m_EngineData;     // not owned
    EventManager* m_EventManager; // not owned
    IEngineNotifier* m_Notifier;  // not owned
    SDL_Window* const& m_Window;
    const bool& m_Created;
    GuiRootLayout& m_Layout;
    const WindowGraphics& m_Graphics; // knows how large a client area the driver draws into
    WindowSettings m_Settings;
    int32_t m_WindowMode = k_WindowModeWindowed;
    bool m_FullscreenSwitchPending = false; // size changes report fullscreen until it is left
    bool m_DisplayModeChanged = false;      // an exclusive display mode is active
    bool m_Maximised = false;               // between SDL's maximised and restored events
    Placement m_SavedPlacement;             // windowed geometry to return to from fullscreen
    Lib::RectSize m_ConfiguredSize;         // the client size asked for, before any limit
    // Between PlanWindow and EnterStartMode: the monitor, the mode and an exclusive display mode.
    MonitorRect m_StartMonitor;
    int32_t m_StartMode = k_WindowModeWindowed;
    struct ExclusiveMode; // SDL's display mode, which has no name to declare ahead
    std::unique_ptr<ExclusiveMode> m_ExclusiveMode;
};
} // namespace Vozad
