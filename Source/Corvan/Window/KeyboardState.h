#pragma once
// The per-key state machine behind key events: press, auto-repeat and release, and the modifier
// mask that travels with each event.
//
// Shift needs no special case here. The reference platform reports both shift keys under one
// key number and only tells them apart through a side query, so when one shift was let go it
// released every shift that was down to be safe. SDL reports the physical key: left and right
// shift have scancodes of their own, each release names exactly the key that went up, and
// releasing the other shift as well would drop a key the player is still holding.
#include "Corvan/Events/IEventBase.h"

#include <cstdint>

namespace Vozad
{
// What the window sends for one key message; k_EventNone means nothing is sent.
struct KeyTransition
{
    EventType eventType = k_EventNone; // press, repeat or release
    int32_t keyCode = 0;
    int32_t action = 0; // 1 press, 2 repeat, 0 release
    int32_t modifiers = 0;
};

class KeyboardState
{
public:
    // p_KeyStates: the engine data's k_KeyCodeCount key states; p_PressLatches: its as many
    // press latches, or null to keep none. Neither is owned.
    KeyboardState(int32_t* p_KeyStates, bool* p_PressLatches)
        : m_KeyStates(p_KeyStates), m_PressLatches(p_PressLatches)
    {
    }

    // A key-down message, first press and auto-repeat alike: a key that was up becomes pressed
    // (action 1) and its press latch is set, any other becomes held (action 2) and the repeat
    // counter grows. The latch outlives the release; whoever reads it once a frame clears it.
    KeyTransition Press(int32_t p_KeyCode);
    // A key-up message: the key becomes up (action 0) and the repeat counter restarts.
    KeyTransition Release(int32_t p_KeyCode);

    uint32_t RepeatCount() const { return m_RepeatCount; }

private:
    bool IsValid(int32_t p_KeyCode) const;
    KeyTransition Make(EventType p_EventType, int32_t p_KeyCode, int32_t p_Action) const;

    int32_t* m_KeyStates;
    bool* m_PressLatches;
    uint32_t m_RepeatCount = 0;
};
} // namespace Vozad
