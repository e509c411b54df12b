#pragma once
#include "Lib/String.h"

#include <cstdint>

namespace Vozad
{
// Type numbers of the engine's events.
enum EventType : int32_t
{
    k_EventNone = 0, // nothing to send
    k_EventWindowCreate = 1,
    k_EventWindowFocus = 2,
    k_EventWindowPosition = 3,
    k_EventWindowResize = 4,
    k_EventWindowMinimize = 5,
    k_EventWindowMaximize = 6,
    k_EventWindowFullscreen = 7,
    k_EventWindowClose = 8,
    k_EventQuitRequest = 9,
    k_EventRendererUpdate = 10,
    k_EventRendererPresent = 11,
    k_EventTextInput = 12,
    k_EventKeyPress = 13,
    k_EventKeyRepeat = 14,
    k_EventKeyRelease = 15,
    k_EventMouseScroll = 16,
    k_EventMousePress = 17,
    k_EventCursorPosition = 18,
    k_EventCursorHover = 19,
    // 20 is not used
    k_EventMouseEnter = 21,
    k_EventMouseLeave = 22,
};

// Base of every event: built by its sender, delivered synchronously, then destroyed.
class IEventBase
{
public:
    IEventBase(EventType p_Type, const char* p_Name) : m_Type(p_Type), m_Name(p_Name) {}
    virtual ~IEventBase() = default;

    virtual EventType GetType() const { return m_Type; }
    virtual const Lib::String& GetName() const { return m_Name; }

private:
    EventType m_Type;
    Lib::String m_Name;
};
} // namespace Vozad
