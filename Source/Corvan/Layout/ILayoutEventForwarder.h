#pragma once

namespace Vozad
{
class EventCursor;
class EventKeyInput;
class EventMouseEnter;
class EventMouseLeave;
class EventMousePress;
class EventMouseScroll;
class EventTextInput;
class LayoutBase;

// Listener of one or more elements: each operation mirrors the element operation of the same
// name and also receives the element that reports it. Every body does nothing, so a listener
// overrides only what it cares about.
class ILayoutEventForwarder
{
public:
    virtual ~ILayoutEventForwarder() = default;

    virtual bool OnTextInput(EventTextInput&, LayoutBase&) { return false; }
    virtual bool OnKeyPress(EventKeyInput&, LayoutBase&) { return false; }
    virtual bool OnKeyRepeat(EventKeyInput&, LayoutBase&) { return false; }
    virtual bool OnKeyRelease(EventKeyInput&, LayoutBase&) { return false; }
    virtual bool OnMouseScroll(EventMouseScroll&, LayoutBase&) { return false; }
    virtual LayoutBase* OnMousePress(EventMousePress&, LayoutBase&) { return nullptr; }
    virtual LayoutBase* OnMouseRelease(EventMousePress&, LayoutBase&) { return nullptr; }
    virtual LayoutBase* OnMouseClick(EventMousePress&, LayoutBase&) { return nullptr; }
    virtual LayoutBase* FindElementAt(EventCursor&, LayoutBase&) { return nullptr; }
    virtual LayoutBase* OnHoverChanged(EventCursor&, LayoutBase&) { return nullptr; }
    virtual bool OnCursorDrag(EventCursor&, LayoutBase&) { return false; }
    virtual bool OnCursorEnter(EventMouseEnter&, LayoutBase&) { return false; }
    virtual bool OnCursorLeave(EventMouseLeave&, LayoutBase&) { return false; }
    virtual bool OnFocusChanged(bool, LayoutBase&) { return false; }
};
} // namespace Vozad
