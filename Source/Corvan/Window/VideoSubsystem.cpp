#include "Corvan/Window/VideoSubsystem.h"

#include "Corvan/Window/MonitorEnumeration.h"
#include "Corvan/Window/WindowErrors.h"

#include <SDL2/SDL.h>

namespace Vozad
{
namespace
{
constexpr int32_t k_FullColourBits = 32;
constexpr uint32_t k_VideoAttempts = 5;
constexpr uint32_t k_VideoRetryMilliseconds = 20;
} // namespace

bool VideoSubsystem::Start()
{
    if (m_VideoInitialised)
        return true;
    // SDL would add a quit event of its own when the last window's close button is pressed;
    // closing goes through the game's quit question instead.
    SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
    if (!InitialiseVideo())
        return false;
    m_VideoInitialised = true;
    return true;
}

void VideoSubsystem::Stop()
{
    if (!m_VideoInitialised)
        return;
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
    m_VideoInitialised = false;
}

bool VideoSubsystem::InitialiseVideo()
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
            ReportSdlError(m_Tag, "Failed to register the main window class");
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

bool VideoSubsystem::ReadDisplays(EngineData& p_Data) const
{
    SDL_DisplayMode desktop{};
    if (SDL_GetDesktopDisplayMode(0, &desktop) != 0)
    {
        ReportSdlError(m_Tag, "Unable to read the desktop display mode");
        return false;
    }
    // X11 keeps 24-bit colour in 32-bit pixels: the storage size is what counts.
    p_Data.desktopBitsPerPixel = static_cast<int32_t>(SDL_BYTESPERPIXEL(desktop.format)) * 8;
    p_Data.desktopWidth = desktop.w;
    p_Data.desktopHeight = desktop.h;
    if (p_Data.desktopBitsPerPixel < k_FullColourBits)
    {
        LogError(m_Tag, "The desktop has %d bits per pixel, at least %d are needed.",
                 p_Data.desktopBitsPerPixel, k_FullColourBits);
        return false;
    }

    MonitorCollection& monitors = p_Data.monitors;
    RefreshMonitors(monitors);
    LogInfo(m_Tag, "Total count monitors: %u", monitors.monitors.Count());
    if (monitors.monitors.IsEmpty())
    {
        LogError(m_Tag, "No monitor found.");
        return false;
    }
    return true;
}
} // namespace Vozad
