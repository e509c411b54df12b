// The window's half that turns SDL events into engine state and engine events.
#include "Corvan/Window/EngineWindow.h"

#include "Corvan/EventRouting/EventManager.h"
#include "Corvan/Events/KeyCodes.h"
#include "Corvan/Window/IEngineNotifier.h"
#include "Corvan/Window/INativeEventObserver.h"
#include "Corvan/Window/MonitorEnumeration.h"
#include "Corvan/Window/ScancodeTable.h"
#include "Corvan/Window/WindowErrors.h"
#include "Lib/Platform/TerminationSignals.h"
#include "Lib/String.h"

#include <SDL2/SDL.h>

#include <algorithm>
#include <cstring>
#include <string>

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
    case SDL_KEYDOWN:
    case SDL_KEYUP:
        OnKey(p_Event);
        break;
    case SDL_TEXTINPUT:
        OnTextInput(p_Event);
        break;
    case SDL_MOUSEMOTION:
        OnMouseMotion(p_Event);
        break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
        OnMouseButton(p_Event);
        break;
    case SDL_MOUSEWHEEL:
        OnMouseWheel(p_Event);
        break;
    case SDL_DISPLAYEVENT:
        RefreshMonitors(m_EngineData->monitors);
        break;
    case SDL_QUIT:
        OnProcessQuit();
        break;
    default:
        m_Gamepad.HandleEvent(p_Event);
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
    case SDL_WINDOWEVENT_FOCUS_GAINED:
        m_EventManager->SendWindowFocus(true);
        break;
    case SDL_WINDOWEVENT_FOCUS_LOST:
        m_ClickedIn = false;
        SetCursorVisible(true);
        m_EventManager->SendWindowFocus(false);
        break;
    case SDL_WINDOWEVENT_ENTER:
        OnCursorEnter();
        break;
    case SDL_WINDOWEVENT_LEAVE:
        OnCursorLeave();
        break;
    case SDL_WINDOWEVENT_CLOSE:
        OnCloseRequest();
        break;
    default:
        break;
    }
}

void EngineWindow::OnSizeChanged(uint32_t p_Width, uint32_t p_Height)
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

void EngineWindow::OnMaximised(uint32_t p_Width, uint32_t p_Height)
{
    m_Settings.clientWidth = p_Width;
    m_Settings.clientHeight = p_Height;
    m_WindowMode = k_WindowModeMaximised;
    if (m_Notifier)
        m_Notifier->NotifyResize();
    m_Layout.LayoutFor(p_Width, p_Height);
    m_EventManager->SendWindowMaximize(Lib::RectSize{p_Width, p_Height});
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
    const char* name = sigabbrev_np(signal);
    LogInfo(m_Tag, "Received SIG%s, shutting down.", name ? name : "?");
    OnProcessQuit();
    return true;
}

int32_t EngineWindow::Modifiers() const
{
    return static_cast<int32_t>(ModifierMask(m_EngineData->keyStates));
}

void EngineWindow::OnKey(const SDL_Event& p_Event)
{
    const int32_t scancode = static_cast<int32_t>(p_Event.key.keysym.scancode);
    const int32_t code = KeyCodeFromScancode(scancode);
    if (code == KeyCode::None)
    {
        // Once per key: its press and release, and every later keystroke, would otherwise fill
        // the console with the same line while the player types.
        if (m_ReportedUnknownKeys.insert(scancode).second)
            LogError(m_Tag, "Unknown key pressed, event: %u, key: %lu", p_Event.type,
                     static_cast<unsigned long>(scancode));
        return;
    }
    DeliverKey(code, p_Event.type == SDL_KEYDOWN);
}

void EngineWindow::DeliverKey(int32_t p_KeyCode, bool p_Down)
{
    const KeyTransition key = p_Down ? m_Keyboard.Press(p_KeyCode) : m_Keyboard.Release(p_KeyCode);
    switch (key.eventType)
    {
    case k_EventKeyPress:
        m_EventManager->SendKeyPress(key.keyCode, key.action, key.modifiers);
        break;
    case k_EventKeyRepeat:
        m_EventManager->SendKeyRepeat(key.keyCode, key.action, key.modifiers);
        break;
    case k_EventKeyRelease:
        m_EventManager->SendKeyRelease(key.keyCode, key.action, key.modifiers);
        break;
    default:
        break;
    }
}

void EngineWindow::OnTextInput(const SDL_Event& p_Event)
{
    // One event per character, as typed; wchar_t holds a whole code point here, so characters
    // beyond the basic plane need no surrogate pairs.
    const std::wstring text = Lib::WideFromUtf8(p_Event.text.text);
    for (wchar_t character : text)
    {
        if (character <= 31 || character == 127)
            continue;
        const Lib::String typed(std::wstring(1, character));
        m_EventManager->SendTextInput(typed);
        if (!(m_EngineData->lastTypedText == typed))
            m_EngineData->lastTypedText = typed;
    }
}

Lib::Point EngineWindow::CursorInClient() const
{
    int globalX = 0, globalY = 0, windowX = 0, windowY = 0;
    SDL_GetGlobalMouseState(&globalX, &globalY);
    if (m_Window)
        SDL_GetWindowPosition(m_Window, &windowX, &windowY);
    return Lib::Point{globalX - windowX, globalY - windowY};
}

void EngineWindow::OnMouseMotion(const SDL_Event& p_Event)
{
    const Lib::Point stored = m_EngineData->cursorPosition;
    if (m_Cursor.IsRawMouseInput())
    {
        // Relative motion moves a virtual cursor from the stored position, which stays put.
        const Lib::Point motion{p_Event.motion.xrel, p_Event.motion.yrel};
        m_EventManager->SendCursorMove(m_HeldButton, Lib::Point{stored.x + motion.x, stored.y + motion.y},
                                       motion);
        return;
    }
    // While a button is held SDL keeps reporting motion outside the window too.
    const Lib::Point position{p_Event.motion.x, p_Event.motion.y};
    m_EventManager->SendCursorMove(m_HeldButton, position,
                                   Lib::Point{position.x - stored.x, position.y - stored.y});
    m_EngineData->cursorPosition = position;
}

void EngineWindow::OnCursorEnter()
{
    const Lib::Point stored = m_EngineData->cursorPosition;
    const Lib::Point position = CursorInClient();
    if (m_HeldButton == 0)
        m_EventManager->SendCursorEnter(position, Lib::Point{position.x - stored.x, position.y - stored.y});
}

void EngineWindow::OnCursorLeave()
{
    // A relative-mode pointer is captured: it only seems to leave.
    if (m_Cursor.IsRawMouseInput() && SDL_GetRelativeMouseMode())
        return;
    const Lib::Point stored = m_EngineData->cursorPosition;
    const Lib::Point position = CursorInClient();
    const Lib::RectSize size = GetWindowSize();
    const int32_t maxX = std::max(static_cast<int32_t>(size.width) - 1, 0);
    const int32_t maxY = std::max(static_cast<int32_t>(size.height) - 1, 0);
    const Lib::Point clamped{std::clamp(position.x, 0, maxX), std::clamp(position.y, 0, maxY)};
    if (m_HeldButton == 0)
        m_EventManager->SendCursorLeave(position, Lib::Point{clamped.x - stored.x, clamped.y - stored.y});
    m_EngineData->cursorPosition = position;
}

void EngineWindow::OnMouseButton(const SDL_Event& p_Event)
{
    const bool down = p_Event.type == SDL_MOUSEBUTTONDOWN;
    int32_t button = 0;
    switch (p_Event.button.button)
    {
    case SDL_BUTTON_LEFT:
        button = 1;
        break;
    case SDL_BUTTON_RIGHT:
        button = 2;
        break;
    case SDL_BUTTON_MIDDLE:
        button = 3;
        break;
    default:
    {
        const int32_t state = static_cast<int32_t>(SDL_GetMouseState(nullptr, nullptr));
        if (down)
            LogError(m_Tag, "Unknown mouse-down button: %d, keystate: %d", p_Event.button.button, state);
        else
            LogError(m_Tag, "Unknown mouse-up button: %d, keystate: %d", p_Event.button.button, state);
        return;
    }
    }

    const Viewport& viewport = m_EngineData->viewport;
    const Lib::Point position{p_Event.button.x - viewport.left, p_Event.button.y - viewport.top};
    if (down)
    {
        // Mouse-look hides the cursor with the first click that brings the player back.
        if (m_Cursor.IsRawMouseInput() && !m_ClickedIn)
            SetCursorVisible(false);
        m_ClickedIn = true;
        m_HeldButton = button;
        m_EngineData->mouseButtonStates[button - 1] = 1;
        m_EventManager->SendMouseButtonDown(button, Modifiers(), position);
        return;
    }
    if (m_HeldButton == button)
        m_HeldButton = 0;
    m_EngineData->mouseButtonStates[button - 1] = 0;
    m_EventManager->SendMouseButtonUp(button, Modifiers(), position);
}

void EngineWindow::OnMouseWheel(const SDL_Event& p_Event)
{
    const SDL_MouseWheelEvent& wheel = p_Event.wheel;
    const float direction = wheel.direction == SDL_MOUSEWHEEL_FLIPPED ? -1.0f : 1.0f;
    const Lib::Point position{wheel.mouseX, wheel.mouseY};
    // High-resolution wheels report fractions of a notch; older senders only the whole notches.
    const float vertical = wheel.preciseY != 0.0f ? wheel.preciseY : static_cast<float>(wheel.y);
    const float horizontal = wheel.preciseX != 0.0f ? wheel.preciseX : static_cast<float>(wheel.x);
    for (const float notches : {vertical, horizontal})
    {
        if (notches == 0.0f || !m_WheelLimiter.Accept())
            continue;
        const int32_t amount =
            WheelScrollAmount(k_WheelScrollLines, WheelDeltaFromNotches(notches * direction));
        m_EventManager->SendMouseScroll(amount, position);
    }
}
} // namespace Vozad
