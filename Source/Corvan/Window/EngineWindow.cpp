#include "Corvan/Window/EngineWindow.h"

#include "Corvan/EventRouting/EventManager.h"
#include "Corvan/Events/KeyCodes.h"
#include "Corvan/Layout/LayoutBase.h"
#include "Corvan/Renderer/IGraphicsContext.h"
#include "Corvan/Renderer/OpenGL/OpenGLGraphicsContext.h"
#include "Corvan/Renderer/Vulkan/VulkanGPUInfo.h"
#include "Corvan/Renderer/Vulkan/VulkanGraphicsContext.h"
#include "Corvan/Window/DisplayModes.h"
#include "Corvan/Window/IEngineNotifier.h"
#include "Corvan/Window/INativeEventObserver.h"
#include "Corvan/Window/MonitorEnumeration.h"
#include "Corvan/Window/ScancodeTable.h"
#include "Lib/String.h"

#include <SDL2/SDL.h>
#include <SDL2/SDL_vulkan.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

// stb_image's implementation comes from Debian's libstb, linked once for the whole program.
#include <stb_image.h>

namespace Vozad
{
namespace
{
constexpr uint32_t k_FallbackWidth = 640;
constexpr uint32_t k_FallbackHeight = 480;
constexpr const char* k_WindowDataName = "CORVAN_WINDOW_DATA";
constexpr int32_t k_FullColourBits = 32;
constexpr uint32_t k_VideoAttempts = 5;
constexpr uint32_t k_VideoRetryMilliseconds = 20;

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

EngineWindow::EngineWindow(EngineData* p_EngineData, EventManager* p_EventManager,
                           IEngineNotifier* p_Notifier, const WindowSettings& p_Settings)
    : m_EngineData(p_EngineData), m_EventManager(p_EventManager), m_Notifier(p_Notifier),
      m_Settings(p_Settings), m_Keyboard(p_EngineData ? p_EngineData->keyStates : nullptr,
                                         p_EngineData ? p_EngineData->keyPressLatches : nullptr)
{
    if (!m_EngineData || !m_EventManager)
        LogFatal(m_Tag, "The window needs the engine data and the event manager.");
    CreateGraphicsContext();
    m_GpuInfo = std::make_unique<VulkanGPUInfo>(m_EngineData->gpuSelection);
    if (m_Settings.clientWidth == 0 || m_Settings.clientHeight == 0)
    {
        LogError(m_Tag, "Passed 0 for width or height: %u x %u, defaulting to 640 x 480",
                 m_Settings.clientWidth, m_Settings.clientHeight);
        m_Settings.clientWidth = k_FallbackWidth;
        m_Settings.clientHeight = k_FallbackHeight;
    }
}

EngineWindow::~EngineWindow()
{
    if (m_Window || m_VideoInitialised)
        Destroy();
}

void EngineWindow::CreateGraphicsContext()
{
    // Other API values get no context, and creating the window then fails.
    if (m_EngineData->rendererApi == k_GraphicsApiOpenGL)
    {
        m_GraphicsContext = std::make_unique<OpenGLGraphicsContext>();
    }
    else if (m_EngineData->rendererApi == k_GraphicsApiVulkan)
    {
        m_GraphicsContext = std::make_unique<VulkanGraphicsContext>();
    }
}

bool EngineWindow::InitialiseVideo()
{
    // A busy X server can refuse a connection for a moment (EAGAIN). SDL then quietly falls back
    // to its offscreen driver, and the game would run in a window nobody sees; unless someone
    // asked for a driver, the display gets a few more chances first, and without any display
    // the window is not created at all.
    const bool ownsVideo = SDL_WasInit(SDL_INIT_VIDEO) == 0;
    const bool driverChosen = SDL_getenv("SDL_VIDEODRIVER") || SDL_GetHint(SDL_HINT_VIDEODRIVER);
    for (uint32_t attempt = 1;; ++attempt)
    {
        if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0)
        {
            ReportSdlError("Failed to register the main window class");
            return false;
        }
        const char* driver = SDL_GetCurrentVideoDriver();
        const bool withoutDisplay =
            driver && (SDL_strcmp(driver, "offscreen") == 0 || SDL_strcmp(driver, "dummy") == 0);
        if (!ownsVideo || driverChosen || !withoutDisplay)
            return true;
        if (attempt == k_VideoAttempts)
        {
            LogError(m_Tag, "No display could be reached (SDL offers only its %s driver).", driver);
            SDL_QuitSubSystem(SDL_INIT_VIDEO);
            return false;
        }
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        SDL_Delay(k_VideoRetryMilliseconds * attempt);
    }
}

void EngineWindow::ReportSdlError(const char* p_Text) const
{
    LogError(m_Tag, "%s, message: %s", p_Text, SDL_GetError());
}

void EngineWindow::ReportInvalidApi(const char* p_Operation) const
{
    const int32_t api = m_EngineData->rendererApi;
    if (api != k_GraphicsApiOpenGL && api != k_GraphicsApiVulkan)
        LogError(m_Tag, "Not valid Renderer API is available (%s).", p_Operation);
}

bool EngineWindow::Create()
{
    if (m_Created)
        return true;
    if (!CreateNativeWindow())
    {
        LogError(m_Tag, "Unable to create the window.");
        ReleaseNative();
        return false;
    }
    m_EventManager->SendWindowCreate(); // queued until the game installs itself as receiver
    LogInfo(m_Tag, "Main window created");

    if (!m_GraphicsContext)
        CreateGraphicsContext();
    bool initialised = false;
    if (m_GraphicsContext)
    {
        initialised = m_GraphicsContext->Initialise(m_Window) &&
                      m_GraphicsContext->DescribeContext(m_Tag, m_Window, m_Settings.title);
        if (m_GraphicsContext->GetApi() == k_GraphicsApiVulkan)
        {
            initialised = initialised && ProbeVulkanDevice();
            if (!initialised)
                LogError(m_Tag, "Unable to create the window.");
        }
    }
    if (!initialised)
    {
        Destroy();
        return false;
    }
    ApplySizeLimits();
    m_Created = true;
    const Lib::RectSize size = GetWindowSize();
    LayoutFor(size.width, size.height);
    return true;
}

void EngineWindow::ApplySizeLimits()
{
    // The real context tells how large a window the driver draws into; a configured size
    // nobody could see would only fail the driver. The window is still hidden, so shrinking it
    // now shows nothing.
    if (m_GraphicsContext && m_GraphicsContext->GetApi() == k_GraphicsApiOpenGL)
        m_LargestDrawable = OpenGLGraphicsContext::CurrentLargestDrawable();
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

void EngineWindow::Place(const Placement& p_Placement)
{
    SDL_SetWindowSize(m_Window, static_cast<int>(p_Placement.width), static_cast<int>(p_Placement.height));
    SDL_SetWindowPosition(m_Window, p_Placement.x, p_Placement.y);
    m_Settings.x = p_Placement.x;
    m_Settings.y = p_Placement.y;
    m_Settings.clientWidth = p_Placement.width;
    m_Settings.clientHeight = p_Placement.height;
}

const MonitorInfo* EngineWindow::CurrentMonitor() const
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

SizeLimits EngineWindow::CurrentSizeLimits() const
{
    const MonitorInfo* monitor = CurrentMonitor();
    const Lib::RectSize largestMode = monitor ? LargestDisplayMode(*monitor) : Lib::RectSize{};
    SizeLimits limits =
        ComputeSizeLimits(m_Settings.minimumWidth, m_Settings.minimumHeight, largestMode, m_LargestDrawable);
    // SDL refuses to create a window larger than 16384 in either direction, and the window is
    // created before the context can tell what the driver draws into.
    constexpr uint32_t k_Largest = 16384;
    limits.maxWidth = limits.maxWidth == 0 ? k_Largest : std::min(limits.maxWidth, k_Largest);
    limits.maxHeight = limits.maxHeight == 0 ? k_Largest : std::min(limits.maxHeight, k_Largest);
    return limits;
}

bool EngineWindow::CreateNativeWindow()
{
    if (!m_VideoInitialised)
    {
        // SDL would add a quit event of its own when the last window's close button is pressed;
        // closing goes through the game's quit question instead.
        SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
        // It says why itself: SDL's last error is stale after the display could not be reached.
        if (!InitialiseVideo())
            return false;
        m_VideoInitialised = true;
        m_Gamepad.Start();
    }

    SDL_DisplayMode desktop{};
    if (SDL_GetDesktopDisplayMode(0, &desktop) != 0)
    {
        ReportSdlError("Unable to read the desktop display mode");
        return false;
    }
    // X11 keeps 24-bit colour in 32-bit pixels: the storage size is what counts.
    m_EngineData->desktopBitsPerPixel = static_cast<int32_t>(SDL_BYTESPERPIXEL(desktop.format)) * 8;
    m_EngineData->desktopWidth = desktop.w;
    m_EngineData->desktopHeight = desktop.h;
    if (m_EngineData->desktopBitsPerPixel < k_FullColourBits)
    {
        LogError(m_Tag, "The desktop has %d bits per pixel, at least %d are needed.",
                 m_EngineData->desktopBitsPerPixel, k_FullColourBits);
        return false;
    }

    MonitorCollection& monitors = m_EngineData->monitors;
    RefreshMonitors(monitors);
    LogInfo(m_Tag, "Total count monitors: %u", monitors.monitors.Count());
    if (monitors.monitors.IsEmpty())
    {
        LogError(m_Tag, "No monitor found.");
        return false;
    }
    if (m_Settings.monitorIndex < 0 ||
        static_cast<uint32_t>(m_Settings.monitorIndex) >= monitors.monitors.Count())
        m_Settings.monitorIndex = 0;
    const MonitorRect monitor = monitors.monitors[static_cast<uint32_t>(m_Settings.monitorIndex)].rect;
    const int32_t monitorWidth = monitor.right - monitor.left;
    const int32_t monitorHeight = monitor.bottom - monitor.top;

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
    const Lib::Point centre = CentreOnMonitor(monitor, shown);
    m_Settings.x = centre.x;
    m_Settings.y = centre.y;
    m_SavedPlacement = Placement{m_Settings.x, m_Settings.y, m_Settings.clientWidth, m_Settings.clientHeight};

    // An exclusive window asks the display for a mode of the configured size; without one it
    // covers the monitor borderless instead.
    int32_t mode = m_Settings.windowMode;
    if (mode != k_WindowModeFullscreenExclusive && mode != k_WindowModeFullscreenBorderless)
        mode = k_WindowModeWindowed;
    SDL_DisplayMode exclusive{};
    if (mode == k_WindowModeFullscreenExclusive &&
        !FindExclusiveMode(monitor, configured.width, configured.height, exclusive))
    {
        LogError(m_Tag, "Unable to use exclusive fullscreen mode.");
        mode = k_WindowModeFullscreenBorderless;
    }

    Uint32 flags = SDL_WINDOW_HIDDEN;
    if (m_Settings.resizable)
        flags |= SDL_WINDOW_RESIZABLE;
    switch (m_EngineData->rendererApi)
    {
    case k_GraphicsApiOpenGL:
        // Single-sampled: the renderer multisamples in a target of its own when it is on, so the
        // choice waits for the real context and costs no second one.
        OpenGLGraphicsContext::PrepareWindowAttributes(0);
        flags |= SDL_WINDOW_OPENGL;
        break;
    case k_GraphicsApiVulkan:
        flags |= SDL_WINDOW_VULKAN;
        break;
    default:
        ReportInvalidApi("create");
        return false;
    }

    // Created with an empty title: the graphics context names the window once it describes itself.
    m_Window = SDL_CreateWindow("", m_Settings.x, m_Settings.y, static_cast<int>(m_Settings.clientWidth),
                                static_cast<int>(m_Settings.clientHeight), flags);
    if (!m_Window)
    {
        LogError(m_Tag, "Failed to create the main OpenGL window.");
        ReportSdlError("SDL_CreateWindow");
        return false;
    }
    SDL_SetWindowData(m_Window, k_WindowDataName, this);

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
            ReportSdlError("Unable to change the display mode");
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
            ReportSdlError("Unable to switch into fullscreen mode");
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
    return true;
}

bool EngineWindow::ProbeVulkanDevice()
{
    LogInfo(m_Tag, "==== Start of Vulkan renderer info ====");
    VulkanGPUInfo& probe = *m_GpuInfo;
    probe.Teardown();
    if (!probe.CheckApiVersion() || !probe.EnumerateLayers())
        return false;

    // The surface extensions of the window system the window lives on (on X11 VK_KHR_surface and
    // VK_KHR_xlib_surface), in the place of the Win32 surface extension.
    unsigned int count = 0;
    std::vector<const char*> names;
    if (SDL_Vulkan_GetInstanceExtensions(m_Window, &count, nullptr))
    {
        names.resize(count);
        if (!SDL_Vulkan_GetInstanceExtensions(m_Window, &count, names.data()))
            names.clear();
    }
    if (names.empty())
    {
        ReportSdlError("Unable to get the Vulkan instance extensions of the window");
        return false;
    }
    names.resize(count);
    const std::vector<std::string> extensions(names.begin(), names.end());

    if (!probe.CreateInstance(extensions) || !probe.DescribeDevices() || !probe.CreateDevice())
        return false;
    LogInfo(m_Tag, "==== End of Vulkan renderer info ====");
    return true;
}

void EngineWindow::ReleaseNative()
{
    if (m_Window)
    {
        if (m_RawMouseInput)
            SDL_SetRelativeMouseMode(SDL_FALSE);
        SDL_SetWindowMouseRect(m_Window, nullptr);
    }
    m_RawMouseInput = false;
    if (m_CursorShowCounter < 0 && m_VideoInitialised)
        SDL_ShowCursor(SDL_ENABLE);
    m_CursorShowCounter = 0;

    if (m_GpuInfo)
        m_GpuInfo->Teardown();
    if (m_GraphicsContext)
    {
        m_GraphicsContext->Destroy();
        m_GraphicsContext->Shutdown();
        m_GraphicsContext.reset();
    }
    if (m_Window)
    {
        SDL_SetWindowData(m_Window, k_WindowDataName, nullptr);
        SDL_HideWindow(m_Window);
        SDL_DestroyWindow(m_Window); // also gives the desktop back its display mode
        m_Window = nullptr;
    }
    m_DisplayModeChanged = false;
    m_FullscreenSwitchPending = false;
    m_Gamepad.Stop();
    if (m_VideoInitialised)
    {
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        m_VideoInitialised = false;
    }
    m_Created = false;
}

void EngineWindow::Destroy()
{
    if (!m_Window && !m_VideoInitialised && !m_Created)
        return;
    ReportInvalidApi("close");
    if (!m_ScreenshotRequests.empty())
        LogWarning(m_Tag,
                   "Could not save %zu screenshot(s): the window closed before it showed another frame.",
                   m_ScreenshotRequests.size());
    m_ScreenshotRequests.clear();
    if (!m_Window)
        LogError(m_Tag, "Unable to hide and destroy the window, there is none.");
    ReleaseNative();
}

void* EngineWindow::GetNativeGraphicsContext() const
{
    return m_GraphicsContext ? m_GraphicsContext->GetNativeContext() : nullptr;
}

bool EngineWindow::CanUseWindow(const char* p_Failure) const
{
    if (m_EngineData->rendererApi != k_GraphicsApiOpenGL)
    {
        LogError(m_Tag, "%s", p_Failure);
        return false;
    }
    if (!m_Window)
    {
        LogError(m_Tag, "%s, the window does not exist.", p_Failure);
        return false;
    }
    return true;
}

bool EngineWindow::Show()
{
    ReportInvalidApi("show");
    if (!CanUseWindow("Failed to show window"))
        return false;
    SDL_ShowWindow(m_Window);
    return true;
}

bool EngineWindow::Hide()
{
    ReportInvalidApi("hide");
    if (!CanUseWindow("Failed to hide window"))
        return false;
    SDL_HideWindow(m_Window);
    return true;
}

bool EngineWindow::Focus()
{
    ReportInvalidApi("focus");
    if (!CanUseWindow("Failed to set the window focus"))
        return false;
    SDL_RaiseWindow(m_Window);
    m_Settings.focus = true;
    return true;
}

void EngineWindow::SetResizable(bool p_Resizable)
{
    m_Settings.resizable = p_Resizable;
    if (m_Window)
        SDL_SetWindowResizable(m_Window, p_Resizable ? SDL_TRUE : SDL_FALSE);
}

Lib::RectSize EngineWindow::GetWindowedSize() const
{
    if (m_Window && (SDL_GetWindowFlags(m_Window) & SDL_WINDOW_FULLSCREEN) != 0)
        return {m_SavedPlacement.width, m_SavedPlacement.height};
    return GetWindowSize();
}

Lib::RectSize EngineWindow::GetWindowSize() const
{
    if (m_Settings.clientWidth != 0 && m_Settings.clientHeight != 0)
        return {m_Settings.clientWidth, m_Settings.clientHeight};
    int width = 0, height = 0;
    if (m_Window)
        SDL_GetWindowSize(m_Window, &width, &height);
    return {static_cast<uint32_t>(std::max(width, 0)), static_cast<uint32_t>(std::max(height, 0))};
}

WindowRect EngineWindow::GetRect() const
{
    const Lib::RectSize size = GetWindowSize();
    return {m_Settings.x, m_Settings.x + static_cast<int32_t>(size.width), m_Settings.y,
            m_Settings.y + static_cast<int32_t>(size.height)};
}

void EngineWindow::ToggleFullscreen()
{
    SwitchFullscreen(!IsFullscreenMode(m_WindowMode));
}

void EngineWindow::SetWindowMode(int32_t p_Mode)
{
    if (p_Mode == k_WindowModeWindowed)
        SwitchFullscreen(false);
    else if (IsFullscreenMode(p_Mode))
        SwitchFullscreen(true);
}

void EngineWindow::SwitchFullscreen(bool p_Enter)
{
    // Switches at run time always go borderless: changing the display's mode under a running
    // game is slow and leaves the desktop rearranged when anything goes wrong.
    m_Settings.targetFullscreenMode = k_WindowModeFullscreenBorderless;
    if (!m_Window)
    {
        LogError(m_Tag, "Failed to switch the window state, the window does not exist.");
        return;
    }
    if (m_DisplayModeChanged)
    {
        // Back to the desktop's mode; the window stays a fullscreen cover of its monitor.
        const int result = SDL_SetWindowFullscreen(m_Window, SDL_WINDOW_FULLSCREEN_DESKTOP);
        if (result != 0)
        {
            LogError(m_Tag, "Unable to reset the display mode: %ld", static_cast<long>(result));
        }
        else
        {
            m_DisplayModeChanged = false;
            m_WindowMode = k_WindowModeFullscreenBorderless;
        }
    }

    const bool fullscreen = (SDL_GetWindowFlags(m_Window) & SDL_WINDOW_FULLSCREEN) != 0;
    if (p_Enter)
    {
        if (m_EngineData->rendererApi != k_GraphicsApiOpenGL)
        {
            ReportInvalidApi("fullscreen switch");
            LogError(m_Tag, "Failed to switch the window state");
            return;
        }
        if (fullscreen)
            return;
        m_SavedPlacement =
            Placement{m_Settings.x, m_Settings.y, m_Settings.clientWidth, m_Settings.clientHeight};
        m_FullscreenSwitchPending = true;
        if (SDL_SetWindowFullscreen(m_Window, SDL_WINDOW_FULLSCREEN_DESKTOP) != 0)
        {
            m_FullscreenSwitchPending = false;
            ReportSdlError("Unable to switch into fullscreen mode");
            return;
        }
        m_WindowMode = k_WindowModeFullscreenBorderless;
        return;
    }

    if (!fullscreen)
    {
        LogError(m_Tag, "Failed to switch the window state, the window is not in fullscreen mode.");
        return;
    }
    if (SDL_SetWindowFullscreen(m_Window, 0) != 0)
    {
        ReportSdlError("Failed to switch the window state");
        return;
    }
    m_FullscreenSwitchPending = false;
    Place(m_SavedPlacement);
    m_WindowMode = k_WindowModeWindowed;
    LayoutFor(m_SavedPlacement.width, m_SavedPlacement.height);
}

bool EngineWindow::SetIcon(const uint8_t* p_Bytes, uint32_t p_Size, const char* p_Name)
{
    const char* name = p_Name ? p_Name : "";
    int width = 0, height = 0, channels = 0;
    stbi_uc* pixels = nullptr;
    if (p_Bytes && p_Size > 0 && p_Size <= static_cast<uint32_t>(INT32_MAX))
        pixels = stbi_load_from_memory(p_Bytes, static_cast<int>(p_Size), &width, &height, &channels,
                                       STBI_rgb_alpha);
    if (!pixels)
    {
        LogError(m_Tag, "Could not load icon data, texture name: '%s'.", name);
        return false;
    }

    // stb_image hands out R, G, B, A bytes; the masks say where those land in a 32-bit pixel.
#if SDL_BYTEORDER == SDL_BIG_ENDIAN
    const Uint32 red = 0xFF000000, green = 0x00FF0000, blue = 0x0000FF00, alpha = 0x000000FF;
#else
    const Uint32 red = 0x000000FF, green = 0x0000FF00, blue = 0x00FF0000, alpha = 0xFF000000;
#endif
    SDL_Surface* surface =
        SDL_CreateRGBSurfaceFrom(pixels, width, height, 32, width * 4, red, green, blue, alpha);
    bool set = false;
    if (!surface)
    {
        LogError(m_Tag, "Unable to create window icon bitmap handle.");
    }
    else if (!m_Window)
    {
        LogError(m_Tag, "Could not set the window icon '%s', the window does not exist.", name);
    }
    else
    {
        SDL_SetWindowIcon(m_Window, surface); // SDL copies the pixels
        set = true;
    }
    SDL_FreeSurface(surface);
    stbi_image_free(pixels);
    return set;
}

void EngineWindow::SaveScreenshot(const Lib::String& p_FolderPrefix, const Lib::String& p_NamePrefix)
{
    if (!m_GraphicsContext)
        return;
    // The request comes with the input, after the last frame was presented; after a swap the back
    // buffer's content is undefined (page flipping hands back an older frame or garbage). The
    // frame drawn next is complete just before its own swap, and that is the one read.
    m_ScreenshotRequests.push_back({p_FolderPrefix, p_NamePrefix});
}

void EngineWindow::SavePendingScreenshots()
{
    if (m_ScreenshotRequests.empty())
        return;
    const std::vector<ScreenshotRequest> requests = std::move(m_ScreenshotRequests);
    m_ScreenshotRequests.clear();
    if (!m_GraphicsContext)
        return;
    const Lib::RectSize size = GetWindowSize();
    for (const ScreenshotRequest& request : requests)
        m_GraphicsContext->SaveScreenshot(request.folderPrefix, request.namePrefix, size.width, size.height);
}

void EngineWindow::CenterCursor()
{
    const Lib::RectSize size = GetWindowSize();
    SetCursorPosition(static_cast<int32_t>(size.width / 2), static_cast<int32_t>(size.height / 2));
}

void EngineWindow::SetCursorPosition(int32_t p_X, int32_t p_Y)
{
    if (m_Window)
        SDL_WarpMouseInWindow(m_Window, p_X, p_Y);
    m_EngineData->cursorPosition = Lib::Point{p_X, p_Y};
}

void EngineWindow::ClipCursorToRect(const WindowRect& p_Rect)
{
    if (!m_Window)
        return;
    // SDL takes the rectangle in client coordinates and keeps it while the window has focus.
    const SDL_Rect rect{p_Rect.left, p_Rect.top, p_Rect.right - p_Rect.left, p_Rect.bottom - p_Rect.top};
    if (SDL_SetWindowMouseRect(m_Window, &rect) != 0)
        ReportSdlError("Unable to clip the cursor");
}

void EngineWindow::ReleaseCursorClip()
{
    if (m_Window && SDL_SetWindowMouseRect(m_Window, nullptr) != 0)
        ReportSdlError("Unable to release the cursor clip");
}

void EngineWindow::SetRawMouseInput(bool p_Enabled)
{
    if (p_Enabled == m_RawMouseInput)
        return;
    // SDL's relative mode gives unaccelerated motion and keeps the hidden pointer inside the
    // window itself, so no clip box around the cursor is needed.
    if (SDL_SetRelativeMouseMode(p_Enabled ? SDL_TRUE : SDL_FALSE) != 0)
    {
        ReportSdlError("Error during SDL_SetRelativeMouseMode()");
        return;
    }
    m_RawMouseInput = p_Enabled;
    if (p_Enabled)
    {
        SetCursorVisible(false);
    }
    else
    {
        ReleaseCursorClip();
        SetCursorVisible(true);
    }
}

void EngineWindow::SetCursorVisible(bool p_Visible)
{
    if (!m_VideoInitialised)
        return;
    if (p_Visible && m_CursorShowCounter < 0)
    {
        SDL_ShowCursor(SDL_ENABLE);
        m_CursorShowCounter = 0;
    }
    else if (!p_Visible && m_CursorShowCounter == 0)
    {
        SDL_ShowCursor(SDL_DISABLE);
        m_CursorShowCounter = -1;
    }
}

bool EngineWindow::SetClientSize(uint32_t p_Width, uint32_t p_Height)
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
    LayoutFor(size.width, size.height);
    return true;
}

void EngineWindow::SetPosition(int32_t p_X, int32_t p_Y)
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
        ReportSdlError("Unable to move the fullscreen window");
        return;
    }
    SDL_SetWindowPosition(m_Window, p_X, p_Y);
    if (SDL_SetWindowFullscreen(m_Window, flags) != 0)
        ReportSdlError("Unable to switch into fullscreen mode");
}

double EngineWindow::GetDpiScale() const
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

bool EngineWindow::RetrieveVSync() const
{
    return m_Created && m_GraphicsContext ? m_GraphicsContext->RetrieveVSync() : false;
}

void EngineWindow::SwapVSync(bool p_Enabled)
{
    if (m_Created && m_GraphicsContext)
        m_GraphicsContext->SwapVSync(p_Enabled);
}

void EngineWindow::UpdateLayout()
{
    const Lib::RectSize size = GetWindowSize();
    LayoutFor(size.width, size.height);
}

Viewport EngineWindow::ComputeViewport(uint32_t p_Width, uint32_t p_Height, float p_FixedAspectRatio,
                                       bool p_KeepAspectRatio)
{
    const int32_t width = static_cast<int32_t>(p_Width);
    const int32_t height = static_cast<int32_t>(p_Height);
    Viewport viewport{0, width, 0, height};
    if (!p_KeepAspectRatio || !(p_FixedAspectRatio > 0.0f) || width <= 0 || height <= 0)
        return viewport;
    const double ratio = static_cast<double>(p_FixedAspectRatio);
    const double current = static_cast<double>(width) / height;
    if (std::fabs(current - ratio) < 1e-6)
        return viewport;
    if (current > ratio)
    {
        // Wider than wanted: equal bars left and right.
        const int32_t inner = static_cast<int32_t>(std::lround(height * ratio));
        viewport.left = (width - inner) / 2;
        viewport.right = viewport.left + inner;
    }
    else
    {
        const int32_t inner = static_cast<int32_t>(std::lround(width / ratio));
        viewport.top = (height - inner) / 2;
        viewport.bottom = viewport.top + inner;
    }
    return viewport;
}

void EngineWindow::LayoutFor(uint32_t p_Width, uint32_t p_Height)
{
    m_EngineData->viewport =
        ComputeViewport(p_Width, p_Height, m_EngineData->fixedAspectRatio, m_EngineData->keepAspectRatio);
    if (m_Root)
    {
        m_Root->SetRect(LayoutRect{0, static_cast<int32_t>(p_Width), 0, static_cast<int32_t>(p_Height)});
        m_Root->UpdateLayout();
    }
}

void EngineWindow::Present()
{
    SavePendingScreenshots();
    if (m_Created && m_GraphicsContext)
        m_GraphicsContext->SwapBuffers(m_Window);
}
} // namespace Vozad
