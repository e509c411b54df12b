#include "Corvan/Window/InputTranslator.h"

#include "Corvan/EventRouting/EventManager.h"
#include "Corvan/Events/KeyCodes.h"
#include "Corvan/Window/IWindow.h"
#include "Corvan/Window/ScancodeTable.h"
#include "Corvan/Window/WindowCursor.h"
#include "Lib/String.h"

#include <SDL2/SDL.h>

#include <algorithm>
#include <string>

namespace Vozad
{
InputTranslator::InputTranslator(const Lib::LogTag& p_Tag, EngineData* p_EngineData,
                                 EventManager* p_EventManager, SDL_Window* const& p_Window,
                                 const IWindow& p_Client, WindowCursor& p_Cursor)
    : m_Tag(p_Tag), m_EngineData(p_EngineData), m_EventManager(p_EventManager), m_Window(p_Window),
      m_Client(p_Client), m_Cursor(p_Cursor),
      m_Keyboard(p_EngineData ? p_EngineData->keyStates : nullptr,
                 p_EngineData ? p_EngineData->keyPressLatches : nullptr)
{
}

void InputTranslator::HandleEvent(const SDL_Event& p_Event)
{
    switch (p_Event.type)
    {
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
    default:
        m_Gamepad.HandleEvent(p_Event);
        break;
    }
}

int32_t InputTranslator::Modifiers() const
{
    return static_cast<int32_t>(ModifierMask(m_EngineData->keyStates));
}

void InputTranslator::OnKey(const SDL_Event& p_Event)
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

void InputTranslator::DeliverKey(int32_t p_KeyCode, bool p_Down)
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

void InputTranslator::OnTextInput(const SDL_Event& p_Event)
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

Lib::Point InputTranslator::CursorInClient() const
{
    int globalX = 0, globalY = 0, windowX = 0, windowY = 0;
    SDL_GetGlobalMouseState(&globalX, &globalY);
    if (m_Window)
        SDL_GetWindowPosition(m_Window, &windowX, &windowY);
    return Lib::Point{globalX - windowX, globalY - windowY};
}

void InputTranslator::OnMouseMotion(const SDL_Event& p_Event)
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

void InputTranslator::OnCursorEnter()
{
    const Lib::Point stored = m_EngineData->cursorPosition;
    const Lib::Point position = CursorInClient();
    if (m_HeldButton == 0)
        m_EventManager->SendCursorEnter(position, Lib::Point{position.x - stored.x, position.y - stored.y});
}

void InputTranslator::OnCursorLeave()
{
    // A relative-mode pointer is captured: it only seems to leave.
    if (m_Cursor.IsRawMouseInput() && SDL_GetRelativeMouseMode())
        return;
    const Lib::Point stored = m_EngineData->cursorPosition;
    const Lib::Point position = CursorInClient();
    const Lib::RectSize size = m_Client.GetWindowSize();
    const int32_t maxX = std::max(static_cast<int32_t>(size.width) - 1, 0);
    const int32_t maxY = std::max(static_cast<int32_t>(size.height) - 1, 0);
    const Lib::Point clamped{std::clamp(position.x, 0, maxX), std::clamp(position.y, 0, maxY)};
    if (m_HeldButton == 0)
        m_EventManager->SendCursorLeave(position, Lib::Point{clamped.x - stored.x, clamped.y - stored.y});
    m_EngineData->cursorPosition = position;
}

void InputTranslator::OnMouseButton(const SDL_Event& p_Event)
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
            m_Cursor.SetCursorVisible(false);
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

void InputTranslator::OnMouseWheel(const SDL_Event& p_Event)
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
