#pragma once
// Events from the keyboard and the mouse; they travel into the layout tree.
#include "Corvan/Events/IEventBase.h"
#include "Lib/Point.h"
#include "Lib/String.h"

namespace Vozad
{
class EventTextInput : public IEventBase
{
public:
    explicit EventTextInput(Lib::String p_Text)
        : IEventBase(k_EventTextInput, "CharEvent"), text(std::move(p_Text))
    {
    }
    Lib::String text; // the typed character
};

// Key actions carried by key events.
enum KeyAction : int32_t
{
    k_KeyActionRelease = 0,
    k_KeyActionPress = 1,
    k_KeyActionRepeat = 2,
};

// One class for press, repeat and release; the name is the same for all three.
class EventKeyInput : public IEventBase
{
public:
    EventKeyInput(EventType p_Type, int32_t p_KeyCode, int32_t p_Action, int32_t p_Modifiers)
        : IEventBase(p_Type, "KeyInputEvent"), keyCode(p_KeyCode), action(p_Action), modifiers(p_Modifiers)
    {
    }
    int32_t keyCode;
    int32_t action;
    int32_t modifiers;
};

class EventMouseScroll : public IEventBase
{
public:
    EventMouseScroll(int32_t p_Amount, Lib::Point p_Position)
        : IEventBase(k_EventMouseScroll, "ScrollEvent"), amount(p_Amount), position(p_Position)
    {
    }
    int32_t amount; // pixels
    Lib::Point position;
};

// Buttons: 1 left, 2 right, 3 middle. Pressed: 1 down, 0 up.
class EventMousePress : public IEventBase
{
public:
    EventMousePress(int32_t p_Button, int32_t p_Pressed, int32_t p_Modifiers, Lib::Point p_Position)
        : IEventBase(k_EventMousePress, "MouseClickEvent"), button(p_Button), pressed(p_Pressed),
          modifiers(p_Modifiers), position(p_Position)
    {
    }
    int32_t button;
    int32_t pressed;
    int32_t modifiers;
    Lib::Point position;
};

// The cursor-position and cursor-hover events share one payload; hover adds entered.
class EventCursor : public IEventBase
{
public:
    EventCursor(EventType p_Type, const char* p_Name, int32_t p_ButtonHeld, Lib::Point p_Position,
                Lib::Point p_Movement, int32_t p_Entered)
        : IEventBase(p_Type, p_Name), buttonHeld(p_ButtonHeld), position(p_Position), movement(p_Movement),
          entered(p_Entered)
    {
    }
    static EventCursor Position(int32_t p_ButtonHeld, Lib::Point p_Position, Lib::Point p_Movement)
    {
        return EventCursor(k_EventCursorPosition, "CursorPositionEvent", p_ButtonHeld, p_Position, p_Movement,
                           0);
    }
    static EventCursor Hover(const EventCursor& p_Position, int32_t p_Entered)
    {
        return EventCursor(k_EventCursorHover, "CursorHoverEvent", p_Position.buttonHeld, p_Position.position,
                           p_Position.movement, p_Entered);
    }
    int32_t buttonHeld; // 0 none
    Lib::Point position;
    Lib::Point movement; // since the last position
    int32_t entered;     // hover only: 1 now under the cursor, 0 no longer
};

class EventMouseEnter : public IEventBase
{
public:
    EventMouseEnter(Lib::Point p_Position, Lib::Point p_Movement)
        : IEventBase(k_EventMouseEnter, "CursorEnterEvent"), position(p_Position), movement(p_Movement)
    {
    }
    Lib::Point position;
    Lib::Point movement;
};

class EventMouseLeave : public IEventBase
{
public:
    EventMouseLeave(Lib::Point p_Position, Lib::Point p_Movement)
        : IEventBase(k_EventMouseLeave, "CursorLeaveEvent"), position(p_Position), movement(p_Movement)
    {
    }
    Lib::Point position;
    Lib::Point movement;
};
} // namespace Vozad
