#pragma once
// SDL's input events turned into the engine's: keys (through the scancode table and the key
// states in the engine data), typed text, pointer motion, buttons and the wheel, and the game
// controller's buttons and stick as keys.
#include "Corvan/Window/EngineData.h"
#include "Corvan/Window/Gamepad.h"
#include "Corvan/Window/KeyboardState.h"
#include "Corvan/Window/WheelLimiter.h"
#include "Lib/Log.h"
#include "Lib/Point.h"

#include <cstdint>
#include <unordered_set>

struct SDL_Window;
union SDL_Event;

namespace Vozad
{
class EventManager;
class IWindow;
class WindowCursor;

class InputTranslator
{
public:
    // Everything passed must outlive this object; p_Window is the owner's native window, null
    // while there is none, and p_Client gives the client size.
    InputTranslator(const Lib::LogTag& p_Tag, EngineData* p_EngineData, EventManager* p_EventManager,
                    SDL_Window* const& p_Window, const IWindow& p_Client, WindowCursor& p_Cursor);

    // Translates a keyboard, text, mouse or game controller event; other events are ignored.
    void HandleEvent(const SDL_Event& p_Event);
    void OnCursorEnter();
    void OnCursorLeave();
    // The next click brings the player back (and hides a mouse-look cursor again).
    void OnFocusLost() { m_ClickedIn = false; }
    void StartGamepad() { m_Gamepad.Start(); }
    void StopGamepad() { m_Gamepad.Stop(); }

private:
    void OnKey(const SDL_Event& p_Event);
    // A key pressed or let go by the keyboard or the gamepad.
    void DeliverKey(int32_t p_KeyCode, bool p_Down);
    void OnTextInput(const SDL_Event& p_Event);
    void OnMouseMotion(const SDL_Event& p_Event);
    void OnMouseButton(const SDL_Event& p_Event);
    void OnMouseWheel(const SDL_Event& p_Event);
    // The pointer in client coordinates, read from the pointer itself: it may be outside.
    Lib::Point CursorInClient() const;
    int32_t Modifiers() const;

    const Lib::LogTag& m_Tag;
    EngineData* m_EngineData;     // not owned
    EventManager* m_EventManager; // not owned
    SDL_Window* const& m_Window;
    const IWindow& m_Client;
    WindowCursor& m_Cursor;
    WheelLimiter m_WheelLimiter;
    bool m_ClickedIn = false; // a click since the window last lost focus
    int32_t m_HeldButton = 0; // 0 none, 1 left, 2 right, 3 middle
    KeyboardState m_Keyboard;
    Gamepad m_Gamepad{[this](int32_t p_KeyCode, bool p_Down) { DeliverKey(p_KeyCode, p_Down); }};
    std::unordered_set<int32_t> m_ReportedUnknownKeys; // scancodes the key table lacks, logged once
};
} // namespace Vozad
