#include "Corvan/Window/EngineWindow.h"

#include "Corvan/EventRouting/EventManager.h"
#include "Corvan/Renderer/IGraphicsContext.h"
#include "Corvan/Window/WindowErrors.h"
#include "Corvan/Window/WindowIcon.h"

#include <SDL2/SDL.h>

namespace Vozad
{
namespace
{
constexpr const char* k_WindowDataName = "CORVAN_WINDOW_DATA";
} // namespace

EngineWindow::EngineWindow(EngineData* p_EngineData, EventManager* p_EventManager,
                           IEngineNotifier* p_Notifier, const WindowSettings& p_Settings)
    : m_EngineData(p_EngineData), m_EventManager(p_EventManager), m_Notifier(p_Notifier),
      m_Placement(m_Tag, m_EngineData, m_EventManager, m_Notifier, m_Window, m_Created, m_Layout, m_Graphics,
                  p_Settings)
{
    if (!m_EngineData || !m_EventManager)
        LogFatal(m_Tag, "The window needs the engine data and the event manager.");
    m_Graphics.Prepare();
}

EngineWindow::~EngineWindow()
{
    if (m_Window || m_Video.IsStarted())
        Destroy();
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

    if (!m_Graphics.Initialise(m_Window, m_Placement.Settings().title))
    {
        Destroy();
        return false;
    }
    m_Placement.ApplySizeLimits();
    m_Created = true;
    const Lib::RectSize size = GetWindowSize();
    m_Layout.LayoutFor(size.width, size.height);
    return true;
}

bool EngineWindow::CreateNativeWindow()
{
    if (!m_Video.IsStarted())
    {
        // It says why itself: SDL's last error is stale after the display could not be reached.
        if (!m_Video.Start())
            return false;
        m_Input.StartGamepad();
    }

    if (!m_Video.ReadDisplays(*m_EngineData))
        return false;
    m_Placement.PlanWindow();

    Uint32 flags = SDL_WINDOW_HIDDEN;
    if (m_Placement.Settings().resizable)
        flags |= SDL_WINDOW_RESIZABLE;
    if (!m_Graphics.PrepareWindow(flags))
        return false;

    // Created with an empty title: the graphics context names the window once it describes itself.
    m_Window = SDL_CreateWindow("", m_Placement.Settings().x, m_Placement.Settings().y,
                                static_cast<int>(m_Placement.Settings().clientWidth),
                                static_cast<int>(m_Placement.Settings().clientHeight), flags);
    if (!m_Window)
    {
        LogError(m_Tag, "Failed to create the main OpenGL window.");
        ReportSdlError(m_Tag, "SDL_CreateWindow");
        return false;
    }
    SDL_SetWindowData(m_Window, k_WindowDataName, this);

    m_Placement.EnterStartMode();
    return true;
}

void EngineWindow::ReleaseNative()
{
    m_Cursor.Release();

    m_Graphics.Release();
    if (m_Window)
    {
        SDL_SetWindowData(m_Window, k_WindowDataName, nullptr);
        SDL_HideWindow(m_Window);
        SDL_DestroyWindow(m_Window); // also gives the desktop back its display mode
        m_Window = nullptr;
    }
    m_Placement.Release();
    m_Input.StopGamepad();
    m_Video.Stop();
    m_Created = false;
}

void EngineWindow::Destroy()
{
    if (!m_Window && !m_Video.IsStarted() && !m_Created)
        return;
    ReportInvalidApi(m_Tag, m_EngineData->rendererApi, "close");
    m_Screenshots.DropPending(m_Tag);
    if (!m_Window)
        LogError(m_Tag, "Unable to hide and destroy the window, there is none.");
    ReleaseNative();
}

void* EngineWindow::GetNativeGraphicsContext() const
{
    return m_Graphics.GetNativeGraphicsContext();
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
    ReportInvalidApi(m_Tag, m_EngineData->rendererApi, "show");
    if (!CanUseWindow("Failed to show window"))
        return false;
    SDL_ShowWindow(m_Window);
    return true;
}

bool EngineWindow::Hide()
{
    ReportInvalidApi(m_Tag, m_EngineData->rendererApi, "hide");
    if (!CanUseWindow("Failed to hide window"))
        return false;
    SDL_HideWindow(m_Window);
    return true;
}

bool EngineWindow::Focus()
{
    ReportInvalidApi(m_Tag, m_EngineData->rendererApi, "focus");
    if (!CanUseWindow("Failed to set the window focus"))
        return false;
    SDL_RaiseWindow(m_Window);
    m_Placement.Settings().focus = true;
    return true;
}

void EngineWindow::SetResizable(bool p_Resizable)
{
    m_Placement.SetResizable(p_Resizable);
}

Lib::RectSize EngineWindow::GetWindowedSize() const
{
    return m_Placement.GetWindowedSize();
}

Lib::RectSize EngineWindow::GetWindowSize() const
{
    return m_Placement.GetWindowSize();
}

WindowRect EngineWindow::GetRect() const
{
    return m_Placement.GetRect();
}

void EngineWindow::ToggleFullscreen()
{
    m_Placement.ToggleFullscreen();
}

void EngineWindow::SetWindowMode(int32_t p_Mode)
{
    m_Placement.SetWindowMode(p_Mode);
}

bool EngineWindow::SetClientSize(uint32_t p_Width, uint32_t p_Height)
{
    return m_Placement.SetClientSize(p_Width, p_Height);
}

void EngineWindow::SetPosition(int32_t p_X, int32_t p_Y)
{
    m_Placement.SetPosition(p_X, p_Y);
}

double EngineWindow::GetDpiScale() const
{
    return m_Placement.GetDpiScale();
}

bool EngineWindow::SetIcon(const uint8_t* p_Bytes, uint32_t p_Size, const char* p_Name)
{
    return SetWindowIcon(m_Tag, m_Window, p_Bytes, p_Size, p_Name);
}

void EngineWindow::SaveScreenshot(const Lib::String& p_FolderPrefix, const Lib::String& p_NamePrefix)
{
    if (!m_Graphics.GetGraphicsContext())
        return;
    // The request comes with the input, after the last frame was presented; after a swap the back
    // buffer's content is undefined (page flipping hands back an older frame or garbage). The
    // frame drawn next is complete just before its own swap, and that is the one read.
    m_Screenshots.Request(p_FolderPrefix, p_NamePrefix);
}

void EngineWindow::CenterCursor()
{
    const Lib::RectSize size = GetWindowSize();
    SetCursorPosition(static_cast<int32_t>(size.width / 2), static_cast<int32_t>(size.height / 2));
}

void EngineWindow::SetCursorPosition(int32_t p_X, int32_t p_Y)
{
    m_Cursor.SetCursorPosition(p_X, p_Y);
}

void EngineWindow::ClipCursorToRect(const WindowRect& p_Rect)
{
    m_Cursor.ClipCursorToRect(p_Rect);
}

void EngineWindow::ReleaseCursorClip()
{
    m_Cursor.ReleaseCursorClip();
}

void EngineWindow::SetRawMouseInput(bool p_Enabled)
{
    m_Cursor.SetRawMouseInput(p_Enabled);
}

void EngineWindow::SetCursorVisible(bool p_Visible)
{
    m_Cursor.SetCursorVisible(p_Visible);
}

bool EngineWindow::RetrieveVSync() const
{
    return m_Created && m_Graphics.RetrieveVSync();
}

void EngineWindow::SwapVSync(bool p_Enabled)
{
    if (m_Created)
        m_Graphics.SwapVSync(p_Enabled);
}

void EngineWindow::UpdateLayout()
{
    const Lib::RectSize size = GetWindowSize();
    m_Layout.LayoutFor(size.width, size.height);
}

void EngineWindow::Present()
{
    m_Screenshots.SavePending(m_Graphics.GetGraphicsContext(), GetWindowSize());
    if (m_Created)
        m_Graphics.Present(m_Window);
}
} // namespace Vozad
