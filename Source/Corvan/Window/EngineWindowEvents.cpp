// The window's event pump: SDL's queue drained each frame, window events to the placement and the
// game, input to the input translator, and the ways the window is told to close.
#include "Corvan/Window/EngineWindow.h"

#include "Corvan/EventRouting/EventManager.h"
#include "Corvan/Window/IEngineNotifier.h"
#include "Corvan/Window/INativeEventObserver.h"
#include "Corvan/Window/MonitorEnumeration.h"
#include "Corvan/Window/WindowErrors.h"
#include "Lib/Platform/TerminationSignals.h"

#include <SDL2/SDL.h>

#include <algorithm>
#include <cstring>

namespace Vozad
{
namespace
{
// The continuous pump stops after this many events that arrived while it was already running.
constexpr uint32_t k_PumpLateEventLimit = 4;
constexpr int32_t k_PumpLateMilliseconds = 2;
// How often a pump waiting for events looks whether a termination signal arrived.
constexpr int k_SignalCheckMilliseconds = 100;
} // namespace

void EngineWindow::PumpMessages(int32_t p_LoopMode)
{
    if (!m_Video.IsStarted())
        return;
    SDL_Event event;
    if (CheckTerminationSignal())
        return;
    if (p_LoopMode == 0)
    {
        // A signal does not wake SDL's wait, so the wait is cut into slices.
        SDL_ClearError();
        while (!SDL_WaitEventTimeout(&event, k_SignalCheckMilliseconds))
        {
            if (CheckTerminationSignal())
                return;
            if (*SDL_GetError() != '\0')
            {
                ReportSdlError(m_Tag, "Unable to wait for window events");
                return;
            }
        }
        HandleEvent(event);
        while (SDL_PollEvent(&event))
            HandleEvent(event);
        return;
    }

    const Uint32 start = SDL_GetTicks();
    uint32_t late = 0;
    while (SDL_PollEvent(&event))
    {
        HandleEvent(event);
        // Repaint and close requests never count: they must not cut a frame short.
        const bool exempt = event.type == SDL_WINDOWEVENT && (event.window.event == SDL_WINDOWEVENT_EXPOSED ||
                                                              event.window.event == SDL_WINDOWEVENT_CLOSE);
        const bool late_event =
            static_cast<int32_t>(event.common.timestamp - start) >= k_PumpLateMilliseconds;
        if (!exempt && late_event && ++late >= k_PumpLateEventLimit)
            break;
    }
}

bool EngineWindow::WaitForEvents(uint32_t p_Milliseconds)
{
    if (!m_Video.IsStarted())
        return true;
    // A signal does not wake SDL's wait, so the wait is cut into slices.
    uint32_t left = p_Milliseconds;
    while (!CheckTerminationSignal())
    {
        const uint32_t slice = std::min<uint32_t>(left, k_SignalCheckMilliseconds);
        if (SDL_WaitEventTimeout(nullptr, static_cast<int>(slice)) == 1)
            return true;
        if (left <= slice)
            return false;
        left -= slice;
    }
    return true;
}

void EngineWindow::HandleEvent(const SDL_Event& p_Event)
{
    if (m_Observer)
        m_Observer->OnNativeEvent(p_Event);
    switch (p_Event.type)
    {
    case SDL_WINDOWEVENT:
        OnWindowEvent(p_Event);
        break;
    case SDL_DISPLAYEVENT:
        RefreshMonitors(m_EngineData->monitors);
        break;
    case SDL_QUIT:
        OnProcessQuit();
        break;
    default:
        m_Input.HandleEvent(p_Event);
        break;
    }
}

void EngineWindow::OnWindowEvent(const SDL_Event& p_Event)
{
    if (m_Window && p_Event.window.windowID != SDL_GetWindowID(m_Window))
        return;
    const SDL_WindowEvent& window = p_Event.window;
    switch (window.event)
    {
    case SDL_WINDOWEVENT_FOCUS_GAINED:
        m_EventManager->SendWindowFocus(true);
        break;
    case SDL_WINDOWEVENT_FOCUS_LOST:
        m_Input.OnFocusLost();
        m_Cursor.SetCursorVisible(true);
        m_EventManager->SendWindowFocus(false);
        break;
    case SDL_WINDOWEVENT_ENTER:
        m_Input.OnCursorEnter();
        break;
    case SDL_WINDOWEVENT_LEAVE:
        m_Input.OnCursorLeave();
        break;
    case SDL_WINDOWEVENT_CLOSE:
        OnCloseRequest();
        break;
    default:
        m_Placement.OnWindowEvent(window);
        break;
    }
}

void EngineWindow::OnCloseRequest()
{
    if (!m_Created)
        return;
    // The game may refuse (an unsaved state, a question on screen): then the window stays open.
    if (!m_EventManager->SendQuitRequest())
        return;
    m_EventManager->SendWindowClose();
    if (m_Notifier)
        m_Notifier->NotifyQuit();
}

void EngineWindow::OnProcessQuit()
{
    // With SDL's own quit-on-last-window-close turned off, SDL_QUIT comes from outside: SDL turns
    // SIGINT and SIGTERM into it unless the program caught the termination signals itself
    // (CheckTerminationSignal). The process is being told to end, so the game is not asked; it
    // still hears the close and the engine shuts down in order (the configuration gets saved).
    m_EventManager->SendWindowClose();
    if (m_Notifier)
        m_Notifier->NotifyQuit();
}

bool EngineWindow::CheckTerminationSignal()
{
    const int signal = Lib::TerminationSignal();
    if (signal == 0 || m_TerminationHandled)
        return false;
    m_TerminationHandled = true;
    const char* name = Lib::TerminationSignalName(signal);
    LogInfo(m_Tag, "Received SIG%s, shutting down.", name ? name : "?");
    OnProcessQuit();
    return true;
}
} // namespace Vozad
