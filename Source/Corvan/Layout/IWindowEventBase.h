#pragma once
// The top of the game's GUI that also receives the window and frame events; the game's core
// object derives from it and registers itself with the engine.
#include "Corvan/Layout/ContentLayoutBase.h"

namespace Vozad
{
class EventQuitRequest;
class EventRendererPresent;
class EventRendererUpdate;
class EventWindowClose;
class EventWindowCreate;
class EventWindowFocus;
class EventWindowFullscreen;
class EventWindowMaximize;
class EventWindowMinimize;
class EventWindowPosition;
class EventWindowResize;

class IWindowEventBase : public ContentLayoutBase
{
public:
    virtual void OnWindowCreate(EventWindowCreate& p_Event) = 0;
    virtual void OnWindowFocus(EventWindowFocus& p_Event) = 0;
    virtual void OnWindowPosition(EventWindowPosition& p_Event) = 0;
    virtual void OnWindowResize(EventWindowResize& p_Event) = 0;
    virtual void OnWindowMinimize(EventWindowMinimize& p_Event) = 0;
    virtual void OnWindowMaximize(EventWindowMaximize& p_Event) = 0;
    virtual void OnWindowFullscreen(EventWindowFullscreen& p_Event) = 0;
    // Setting the answer to EventQuitRequest::k_QuitRefused keeps the window open.
    virtual void OnQuitRequest(EventQuitRequest& p_Event) = 0;
    virtual void OnWindowClose(EventWindowClose& p_Event) = 0;
    // Once per frame, before drawing.
    virtual void OnRendererUpdate(EventRendererUpdate& p_Event) = 0;
    // Once per frame, to draw.
    virtual void OnRendererPresent(EventRendererPresent& p_Event) = 0;
};
} // namespace Vozad
