#pragma once
// Events about the window and the frame; they go to the one window-event receiver (the game).
#include "Corvan/Events/IEventBase.h"
#include "Lib/Point.h"
#include "Lib/RectSize.h"

namespace Vozad
{
class EventWindowCreate : public IEventBase
{
public:
    EventWindowCreate() : IEventBase(k_EventWindowCreate, "WindowCreateEvent") {}
};

class EventWindowFocus : public IEventBase
{
public:
    explicit EventWindowFocus(bool p_Focused)
        : IEventBase(k_EventWindowFocus, "WindowFocusEvent"), focused(p_Focused)
    {
    }
    bool focused;
};

class EventWindowPosition : public IEventBase
{
public:
    explicit EventWindowPosition(Lib::Point p_Position)
        : IEventBase(k_EventWindowPosition, "WindowPositionEvent"), position(p_Position)
    {
    }
    Lib::Point position; // of the client area on the screen
};

class EventWindowResize : public IEventBase
{
public:
    explicit EventWindowResize(Lib::RectSize p_Size)
        : IEventBase(k_EventWindowResize, "WindowSizeEvent"), size(p_Size)
    {
    }
    Lib::RectSize size; // new client size
};

class EventWindowMinimize : public IEventBase
{
public:
    EventWindowMinimize() : IEventBase(k_EventWindowMinimize, "WindowMinimizeEvent") {}
};

class EventWindowMaximize : public IEventBase
{
public:
    explicit EventWindowMaximize(Lib::RectSize p_Size)
        : IEventBase(k_EventWindowMaximize, "WindowMaximizeEvent"), size(p_Size)
    {
    }
    Lib::RectSize size;
};

class EventWindowFullscreen : public IEventBase
{
public:
    explicit EventWindowFullscreen(Lib::RectSize p_Size)
        : IEventBase(k_EventWindowFullscreen, "WindowFullscreenEvent"), size(p_Size)
    {
    }
    Lib::RectSize size;
};

class EventWindowClose : public IEventBase
{
public:
    EventWindowClose() : IEventBase(k_EventWindowClose, "WindowCloseEvent") {}
};

// The receiver sets answer to k_QuitRefused to keep the window open.
class EventQuitRequest : public IEventBase
{
public:
    static constexpr int32_t k_QuitRefused = 7;
    EventQuitRequest() : IEventBase(k_EventQuitRequest, "QuitRequestEvent") {}
    int32_t answer = 0;
};

class EventRendererUpdate : public IEventBase
{
public:
    EventRendererUpdate(uint64_t p_FrameNumber, float p_Fps, uint64_t p_PreviousFrameStart,
                        uint64_t p_Microseconds)
        : IEventBase(k_EventRendererUpdate, "RendererUpdateEvent"), frameNumber(p_FrameNumber), fps(p_Fps),
          previousFrameStart(p_PreviousFrameStart), microseconds(p_Microseconds)
    {
    }
    uint64_t frameNumber;
    float fps;
    uint64_t previousFrameStart; // counter value at the start of the previous frame
    uint64_t microseconds;       // since then
};

class EventRendererPresent : public IEventBase
{
public:
    EventRendererPresent() : IEventBase(k_EventRendererPresent, "RendererPresentEvent") {}
};
} // namespace Vozad
