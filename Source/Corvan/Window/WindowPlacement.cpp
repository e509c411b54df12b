#include "Corvan/Window/WindowPlacement.h"

#include "Corvan/Window/DisplayModes.h"
#include "Corvan/Window/GuiRootLayout.h"
#include "Corvan/Window/WindowErrors.h"
#include "Corvan/Window/WindowGraphics.h"

#include <SDL2/SDL.h>

#include <algorithm>

namespace Vozad
{
namespace
{
constexpr uint32_t k_FallbackWidth = 640;
constexpr uint32_t k_FallbackHeight = 480;

// The SDL display that shows exactly this monitor rectangle; the first display when none does.
int FindSdlDisplay(const MonitorRect& p_Monitor)
{
    const int count = SDL_GetNumVideoDisplays();
    for (int display = 0; display < count; ++display)
    {
        SDL_Rect bounds{};
        if (SDL_GetDisplayBounds(display, &bounds) == 0 && bounds.x == p_Monitor.left &&
            bounds.y == p_Monitor.top && bounds.x + bounds.w == p_Monitor.right &&
            bounds.y + bounds.h == p_Monitor.bottom)
            return display;
    }
    return 0;
}

// An exclusive mode for a client size on the monitor: exactly that size when the display offers
// it at 32 bits, else the first 32-bit mode that is at least that large.
bool FindExclusiveMode(const MonitorRect& p_Monitor, uint32_t p_Width, uint32_t p_Height,
                       SDL_DisplayMode& p_Mode)
{
    const int display = FindSdlDisplay(p_Monitor);
    const int count = SDL_GetNumDisplayModes(display);
    Lib::DynamicArray<ReportedDisplayMode> reported;
    Lib::DynamicArray<SDL_DisplayMode> modes;
    for (int i = 0; i < count; ++i)
    {
        SDL_DisplayMode mode{};
        if (SDL_GetDisplayMode(display, i, &mode) != 0 || mode.w <= 0 || mode.h <= 0)
            continue;
        reported.Add(ReportedDisplayMode{static_cast<uint32_t>(mode.w), static_cast<uint32_t>(mode.h),
                                         static_cast<uint32_t>(std::max(mode.refresh_rate, 0)),
                                         static_cast<uint32_t>(SDL_BYTESPERPIXEL(mode.format))});
        modes.Add(mode);
    }
    int32_t chosen = FindModeAtLeast(reported, p_Width, p_Height);
    if (chosen < 0)
        return false;
    for (uint32_t i = 0; i < reported.Count(); ++i)
    {
        if (reported[i].width == p_Width && reported[i].height == p_Height &&
            reported[i].bytesPerPixel == k_FullColourBytesPerPixel)
        {
            chosen = static_cast<int32_t>(i);
            break;
        }
    }
    p_Mode = modes[static_cast<uint32_t>(chosen)];
    return true;
}

void ReportLimitedSize(const Lib::LogTag& p_Tag, Lib::RectSize p_Wanted, Lib::RectSize p_Shown,
                       const SizeLimits& p_Limits)
{
    LogWarning(p_Tag,
               "The window size %u x %u cannot be shown, using %u x %u (from %u x %u up to %u x %u can be "
               "shown here).",
               p_Wanted.width, p_Wanted.height, p_Shown.width, p_Shown.height, p_Limits.minWidth,
               p_Limits.minHeight, p_Limits.maxWidth, p_Limits.maxHeight);
}
} // namespace

struct WindowPlacement::ExclusiveMode
{
    SDL_DisplayMode mode{};
};

WindowPlacement::WindowPlacement(const Lib::LogTag& p_Tag, EngineData* p_EngineData,
                                 EventManager* p_EventManager, IEngineNotifier* p_Notifier,
                                 SDL_Window* const& p_Window, const bool& p_Created, GuiRootLayout& p_Layout,
                                 const WindowGraphics& p_Graphics, const WindowSettings& p_Settings)
    : m_Tag(p_Tag), m_EngineData(p_EngineData), m_EventManager(p_EventManager), m_Notifier(p_Notifier),
      m_Window(p_Window), m_Created(p_Created), m_Layout(p_Layout), m_Graphics(p_Graphics),
      m_Settings(p_Settings)
{
    if (m_Settings.clientWidth == 0 || m_Settings.clientHeight == 0)
    {
        LogError(m_Tag, "Passed 0 for width or height: %u x %u, defaulting to 640 x 480",
                 m_Settings.clientWidth, m_Settings.clientHeight);
        m_Settings.clientWidth = k_FallbackWidth;
        m_Settings.clientHeight = k_FallbackHeight;
    }
}

WindowPlacement::~WindowPlacement() = default;

const MonitorInfo* WindowPlacement::CurrentMonitor() const
{
    const MonitorCollection& monitors = m_EngineData->monitors;
    if (monitors.monitors.IsEmpty())
        return nullptr;
    int32_t index = m_Created ? monitors.FindMonitorAt(m_Settings.x, m_Settings.y) : -1;
    if (index < 0)
        index = m_Settings.monitorIndex;
    if (index < 0 || static_cast<uint32_t>(index) >= monitors.monitors.Count())
        index = 0;
    return &monitors.monitors[static_cast<uint32_t>(index)];
}

SizeLimits WindowPlacement::CurrentSizeLimits() const
{
    const MonitorInfo* monitor = CurrentMonitor();
    const Lib::RectSize largestMode = monitor ? LargestDisplayMode(*monitor) : Lib::RectSize{};
    SizeLimits limits = ComputeSizeLimits(m_Settings.minimumWidth, m_Settings.minimumHeight, largestMode,
                                          m_Graphics.GetLargestDrawable());
    // SDL refuses to create a window larger than 16384 in either direction, and the window is
    // created before the context can tell what the driver draws into.
    constexpr uint32_t k_Largest = 16384;
    limits.maxWidth = limits.maxWidth == 0 ? k_Largest : std::min(limits.maxWidth, k_Largest);
    limits.maxHeight = limits.maxHeight == 0 ? k_Largest : std::min(limits.maxHeight, k_Largest);
    return limits;
}

void WindowPlacement::PlanWindow()
{
    const MonitorCollection& monitors = m_EngineData->monitors;
    if (m_Settings.monitorIndex < 0 ||
        static_cast<uint32_t>(m_Settings.monitorIndex) >= monitors.monitors.Count())
        m_Settings.monitorIndex = 0;
    m_StartMonitor = monitors.monitors[static_cast<uint32_t>(m_Settings.monitorIndex)].rect;

    // A configured size nobody could see would only fail the start: the window takes the nearest
    // size the monitor shows. What the driver draws into is known once the context exists, and
    // ApplySizeLimits then says once what became of the configured size.
    const SizeLimits limits = CurrentSizeLimits();
    const Lib::RectSize configured{m_Settings.clientWidth, m_Settings.clientHeight};
    m_ConfiguredSize = configured;
    const Lib::RectSize shown = LimitClientSize(configured, limits);
    m_Settings.clientWidth = shown.width;
    m_Settings.clientHeight = shown.height;

    // The windowed placement, centred on the monitor at the size the window gets; fullscreen
    // windows return to it.
    const Lib::Point centre = CentreOnMonitor(m_StartMonitor, shown);
    m_Settings.x = centre.x;
    m_Settings.y = centre.y;
    m_SavedPlacement = Placement{m_Settings.x, m_Settings.y, m_Settings.clientWidth, m_Settings.clientHeight};

    // An exclusive window asks the display for a mode of the configured size; without one it
    // covers the monitor borderless instead.
    int32_t mode = m_Settings.windowMode;
    if (mode != k_WindowModeFullscreenExclusive && mode != k_WindowModeFullscreenBorderless)
        mode = k_WindowModeWindowed;
    m_ExclusiveMode = std::make_unique<ExclusiveMode>();
    if (mode == k_WindowModeFullscreenExclusive &&
        !FindExclusiveMode(m_StartMonitor, configured.width, configured.height, m_ExclusiveMode->mode))
    {
        LogError(m_Tag, "Unable to use exclusive fullscreen mode.");
        mode = k_WindowModeFullscreenBorderless;
    }
    m_StartMode = mode;
}

void WindowPlacement::ApplySizeLimits()
{
    // The real context tells how large a window the driver draws into; a configured size
    // nobody could see would only fail the driver. The window is still hidden, so shrinking it
    // now shows nothing.
    const SizeLimits limits = CurrentSizeLimits();
    const Lib::RectSize shown = LimitClientSize(m_ConfiguredSize, limits);
    if (shown != m_ConfiguredSize)
        ReportLimitedSize(m_Tag, m_ConfiguredSize, shown, limits);
    if (limits.minWidth > 0 && limits.minHeight > 0)
        SDL_SetWindowMinimumSize(m_Window, static_cast<int>(limits.minWidth),
                                 static_cast<int>(limits.minHeight));
    SDL_SetWindowMaximumSize(m_Window, static_cast<int>(limits.maxWidth), static_cast<int>(limits.maxHeight));
    if (shown == Lib::RectSize{m_SavedPlacement.width, m_SavedPlacement.height})
        return;
    const MonitorInfo* monitor = CurrentMonitor();
    const Lib::Point centre =
        monitor ? CentreOnMonitor(monitor->rect, shown) : Lib::Point{m_Settings.x, m_Settings.y};
    m_SavedPlacement = Placement{centre.x, centre.y, shown.width, shown.height};
    if (!IsFullscreenMode(m_WindowMode))
        Place(m_SavedPlacement);
}

void WindowPlacement::Place(const Placement& p_Placement)
{
    SDL_SetWindowSize(m_Window, static_cast<int>(p_Placement.width), static_cast<int>(p_Placement.height));
    SDL_SetWindowPosition(m_Window, p_Placement.x, p_Placement.y);
    m_Settings.x = p_Placement.x;
    m_Settings.y = p_Placement.y;
    m_Settings.clientWidth = p_Placement.width;
    m_Settings.clientHeight = p_Placement.height;
}

void WindowPlacement::EnterStartMode()
{
    const MonitorRect& monitor = m_StartMonitor;
    const int32_t monitorWidth = monitor.right - monitor.left;
    const int32_t monitorHeight = monitor.bottom - monitor.top;
    int32_t mode = m_StartMode;
    const SDL_DisplayMode exclusive = m_ExclusiveMode ? m_ExclusiveMode->mode : SDL_DisplayMode{};
    m_ExclusiveMode.reset();
    if (mode == k_WindowModeFullscreenExclusive)
    {
        // SDL switches the display when the window is first shown and gives the desktop its
        // mode back when the window leaves fullscreen or goes away.
        if (SDL_SetWindowDisplayMode(m_Window, &exclusive) == 0 &&
            SDL_SetWindowFullscreen(m_Window, SDL_WINDOW_FULLSCREEN) == 0)
        {
            m_DisplayModeChanged = true;
            m_Settings.clientWidth = static_cast<uint32_t>(exclusive.w);
            m_Settings.clientHeight = static_cast<uint32_t>(exclusive.h);
        }
        else
        {
            ReportSdlError(m_Tag, "Unable to change the display mode");
            LogError(m_Tag, "Unable to use exclusive fullscreen mode.");
            mode = k_WindowModeFullscreenBorderless;
        }
    }
    if (mode == k_WindowModeFullscreenBorderless)
    {
        if (SDL_SetWindowFullscreen(m_Window, SDL_WINDOW_FULLSCREEN_DESKTOP) == 0)
        {
            m_Settings.clientWidth = static_cast<uint32_t>(monitorWidth);
            m_Settings.clientHeight = static_cast<uint32_t>(monitorHeight);
        }
        else
        {
            ReportSdlError(m_Tag, "Unable to switch into fullscreen mode");
            mode = k_WindowModeWindowed;
        }
    }
    if (IsFullscreenMode(mode))
    {
        // Size changes report the mode the window was created in, until fullscreen is left.
        m_FullscreenSwitchPending = true;
        m_Settings.targetFullscreenMode = mode;
        m_Settings.x = monitor.left;
        m_Settings.y = monitor.top;
    }
    m_WindowMode = mode;
}

void WindowPlacement::SetResizable(bool p_Resizable)
{
    m_Settings.resizable = p_Resizable;
    if (m_Window)
        SDL_SetWindowResizable(m_Window, p_Resizable ? SDL_TRUE : SDL_FALSE);
}

Lib::RectSize WindowPlacement::GetWindowedSize() const
{
    if (m_Window && (SDL_GetWindowFlags(m_Window) & SDL_WINDOW_FULLSCREEN) != 0)
        return {m_SavedPlacement.width, m_SavedPlacement.height};
    return GetWindowSize();
}

Lib::RectSize WindowPlacement::GetWindowSize() const
{
    if (m_Settings.clientWidth != 0 && m_Settings.clientHeight != 0)
        return {m_Settings.clientWidth, m_Settings.clientHeight};
    int width = 0, height = 0;
    if (m_Window)
        SDL_GetWindowSize(m_Window, &width, &height);
    return {static_cast<uint32_t>(std::max(width, 0)), static_cast<uint32_t>(std::max(height, 0))};
}

Lib::WindowRect WindowPlacement::GetRect() const
{
    const Lib::RectSize size = GetWindowSize();
    return {m_Settings.x, m_Settings.x + static_cast<int32_t>(size.width), m_Settings.y,
            m_Settings.y + static_cast<int32_t>(size.height)};
}

bool WindowPlacement::SetClientSize(uint32_t p_Width, uint32_t p_Height)
{
    if (p_Width == 0 || p_Height == 0)
    {
        LogError(m_Tag, "Invalid client size: %u x %u", p_Width, p_Height);
        return false;
    }
    const SizeLimits limits = CurrentSizeLimits();
    const Lib::RectSize size = LimitClientSize({p_Width, p_Height}, limits);
    if (size != Lib::RectSize{p_Width, p_Height})
        ReportLimitedSize(m_Tag, {p_Width, p_Height}, size, limits);
    if (m_Window && (SDL_GetWindowFlags(m_Window) & SDL_WINDOW_FULLSCREEN) != 0)
    {
        // A fullscreen window keeps covering its monitor, and the engine keeps the size it really
        // has: the new size is the one that leaving fullscreen returns to.
        if (size.width == m_SavedPlacement.width && size.height == m_SavedPlacement.height)
            return false;
        m_SavedPlacement.width = size.width;
        m_SavedPlacement.height = size.height;
        return true;
    }
    if (size.width == m_Settings.clientWidth && size.height == m_Settings.clientHeight)
        return false;
    if (m_Window)
        SDL_SetWindowSize(m_Window, static_cast<int>(size.width), static_cast<int>(size.height));
    m_Settings.clientWidth = size.width;
    m_Settings.clientHeight = size.height;
    // A window that grows where it stands would reach past the monitor's edge.
    const MonitorInfo* monitor = CurrentMonitor();
    if (m_Window && monitor)
    {
        const Lib::Point place = FitOnMonitor(monitor->rect, {m_Settings.x, m_Settings.y}, size);
        if (place != Lib::Point{m_Settings.x, m_Settings.y})
        {
            SDL_SetWindowPosition(m_Window, place.x, place.y);
            m_Settings.x = place.x;
            m_Settings.y = place.y;
        }
    }
    m_Layout.LayoutFor(size.width, size.height);
    return true;
}

void WindowPlacement::SetPosition(int32_t p_X, int32_t p_Y)
{
    // Leaving fullscreen returns to the new place, not to the old monitor.
    m_SavedPlacement.x = p_X;
    m_SavedPlacement.y = p_Y;
    const bool fullscreen = m_Window && (SDL_GetWindowFlags(m_Window) & SDL_WINDOW_FULLSCREEN) != 0;
    if (!fullscreen)
    {
        m_Settings.x = p_X;
        m_Settings.y = p_Y;
        if (m_Window)
            SDL_SetWindowPosition(m_Window, p_X, p_Y);
        return;
    }
    // SDL keeps a fullscreen window on its display: it goes windowed for the move and covers the
    // monitor at the new place afterwards. The move events report where it ends up.
    const Uint32 flags = SDL_GetWindowFlags(m_Window) & SDL_WINDOW_FULLSCREEN_DESKTOP;
    if (SDL_SetWindowFullscreen(m_Window, 0) != 0)
    {
        ReportSdlError(m_Tag, "Unable to move the fullscreen window");
        return;
    }
    SDL_SetWindowPosition(m_Window, p_X, p_Y);
    if (SDL_SetWindowFullscreen(m_Window, flags) != 0)
        ReportSdlError(m_Tag, "Unable to switch into fullscreen mode");
}

double WindowPlacement::GetDpiScale() const
{
    const MonitorCollection& monitors = m_EngineData->monitors;
    const int32_t index = monitors.FindMonitorAt(m_Settings.x, m_Settings.y);
    if (index < 0)
    {
        LogError(m_Tag,
                 "Unable to retrieve dpi for the current monitor, monitor count: %u, current position: %d,%d",
                 monitors.monitors.Count(), m_Settings.x, m_Settings.y);
        return 0.0;
    }
    return static_cast<double>(monitors.monitors[static_cast<uint32_t>(index)].dpiX);
}

void WindowPlacement::Release()
{
    m_DisplayModeChanged = false;
    m_FullscreenSwitchPending = false;
}
} // namespace Vozad
