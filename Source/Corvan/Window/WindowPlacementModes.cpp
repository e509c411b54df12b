// The placement's mode changes: windowed and fullscreen switched at run time, and what SDL's window
// events report of moves, size changes, minimising, maximising and restoring.
#include "Corvan/Window/WindowPlacement.h"

#include "Corvan/EventRouting/EventManager.h"
#include "Corvan/Renderer/IGraphicsContext.h"
#include "Corvan/Window/GuiRootLayout.h"
#include "Corvan/Window/IEngineNotifier.h"
#include "Corvan/Window/WindowErrors.h"

#include <SDL2/SDL.h>

namespace Vozad
{
void WindowPlacement::ToggleFullscreen()
{
    SwitchFullscreen(!IsFullscreenMode(m_WindowMode));
}

void WindowPlacement::SetWindowMode(int32_t p_Mode)
{
    if (p_Mode == k_WindowModeWindowed)
        SwitchFullscreen(false);
    else if (IsFullscreenMode(p_Mode))
        SwitchFullscreen(true);
}

void WindowPlacement::SwitchFullscreen(bool p_Enter)
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
            ReportInvalidApi(m_Tag, m_EngineData->rendererApi, "fullscreen switch");
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
            ReportSdlError(m_Tag, "Unable to switch into fullscreen mode");
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
        ReportSdlError(m_Tag, "Failed to switch the window state");
        return;
    }
    m_FullscreenSwitchPending = false;
    Place(m_SavedPlacement);
    m_WindowMode = k_WindowModeWindowed;
    m_Layout.LayoutFor(m_SavedPlacement.width, m_SavedPlacement.height);
}

void WindowPlacement::OnSizeChanged(uint32_t p_Width, uint32_t p_Height)
{
    if (m_Maximised)
    {
        OnMaximised(p_Width, p_Height);
        return;
    }
    m_Settings.clientWidth = p_Width;
    m_Settings.clientHeight = p_Height;
    if (m_Notifier)
        m_Notifier->NotifyResize();
    m_Layout.LayoutFor(p_Width, p_Height);
    const Lib::RectSize size{p_Width, p_Height};
    if (m_FullscreenSwitchPending)
    {
        const int32_t target = m_Settings.targetFullscreenMode;
        if (IsFullscreenMode(target))
        {
            m_WindowMode = target;
            m_EventManager->SendWindowFullscreen(size);
        }
        else
        {
            LogError(m_Tag, "Unknown target fullscreen state: %u", static_cast<uint32_t>(target));
        }
        return;
    }
    m_WindowMode = k_WindowModeWindowed;
    m_EventManager->SendWindowResize(size);
}

void WindowPlacement::OnMaximised(uint32_t p_Width, uint32_t p_Height)
{
    m_Settings.clientWidth = p_Width;
    m_Settings.clientHeight = p_Height;
    m_WindowMode = k_WindowModeMaximised;
    if (m_Notifier)
        m_Notifier->NotifyResize();
    m_Layout.LayoutFor(p_Width, p_Height);
    m_EventManager->SendWindowMaximize(Lib::RectSize{p_Width, p_Height});
}

void WindowPlacement::OnWindowEvent(const SDL_WindowEvent& p_Window)
{
    const SDL_WindowEvent& window = p_Window;
    switch (window.event)
    {
    case SDL_WINDOWEVENT_MOVED:
        m_Settings.x = window.data1;
        m_Settings.y = window.data2;
        m_EventManager->SendWindowPosition(Lib::Point{window.data1, window.data2});
        break;
    // SDL follows every RESIZED with SIZE_CHANGED, which also covers size changes the program
    // made itself: handling only the latter reports each change once.
    case SDL_WINDOWEVENT_SIZE_CHANGED:
        if (window.data1 > 0 && window.data2 > 0)
            OnSizeChanged(static_cast<uint32_t>(window.data1), static_cast<uint32_t>(window.data2));
        break;
    case SDL_WINDOWEVENT_MINIMIZED:
        m_WindowMode = k_WindowModeMinimised;
        m_EventManager->SendWindowMinimize();
        break;
    case SDL_WINDOWEVENT_MAXIMIZED:
    {
        m_Maximised = true;
        int width = 0, height = 0;
        if (m_Window)
            SDL_GetWindowSize(m_Window, &width, &height);
        if (width > 0 && height > 0)
            OnMaximised(static_cast<uint32_t>(width), static_cast<uint32_t>(height));
        else
            OnMaximised(m_Settings.clientWidth, m_Settings.clientHeight);
        break;
    }
    case SDL_WINDOWEVENT_RESTORED:
    {
        m_Maximised = false;
        const Lib::RectSize size = GetWindowSize();
        int width = static_cast<int>(size.width), height = static_cast<int>(size.height);
        if (m_Window)
            SDL_GetWindowSize(m_Window, &width, &height);
        if (width > 0 && height > 0)
            OnSizeChanged(static_cast<uint32_t>(width), static_cast<uint32_t>(height));
        break;
    }
    default:
        break;
    }
}
} // namespace Vozad
