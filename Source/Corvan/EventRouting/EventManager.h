#pragma once
// Delivers every event: window and frame events to the one window-event receiver (queued until
// it exists), input events into the layout tree and to the element holding the keyboard focus.
#include "Corvan/Events/InputEvents.h"
#include "Corvan/Events/WindowEvents.h"
#include "Corvan/Layout/LayoutBase.h"
#include "Lib/DynamicArray.h"
#include "Lib/Log.h"
#include "Lib/Point.h"
#include "Lib/RectSize.h"

#include <cstdint>
#include <functional>

namespace Vozad
{
class ContentLayoutBase;
class IInputCapture;
class IUiFocus;
class IWindowEventBase;
class LayoutBase;

// The popups that are open right now, as the GUI toolkit's popup layer keeps them. They are
// layers of the root as well; the manager additionally moves their focus on every mouse press
// and offers them the wheel first.
class IOpenPopups
{
public:
    virtual ~IOpenPopups() = default;
    virtual uint32_t GetOpenPopupCount() const = 0;
    virtual ContentLayoutBase* GetOpenPopup(uint32_t p_Index) const = 0;
    // A mouse button went down outside this Visible popup; a popup that closes on outside clicks
    // closes itself now and leaves the list.
    virtual void OnPressedOutside(ContentLayoutBase& p_Popup) = 0;
};

class EventManager : public ILayoutLifetimeObserver
{
public:
    static constexpr uint32_t k_QueueLimit = 20;

    // Registers itself as the layout tree's lifetime observer, so destroyed elements are
    // forgotten however they go.
    explicit EventManager(IUiFocus* p_FocusOwner);
    ~EventManager() override;
    EventManager(const EventManager&) = delete;
    EventManager& operator=(const EventManager&) = delete;

    // Window events: to the receiver, or queued (at most k_QueueLimit) until it is installed.
    void SendWindowCreate();
    void SendWindowFocus(bool p_Focused);
    void SendWindowPosition(Lib::Point p_Position);
    void SendWindowResize(Lib::RectSize p_Size);
    void SendWindowMinimize();
    void SendWindowMaximize(Lib::RectSize p_Size);
    void SendWindowFullscreen(Lib::RectSize p_Size);
    void SendWindowClose();
    // Asks the receiver; true when the window may close (the answer was not k_QuitRefused).
    // Without a receiver nobody objects and the window may close. On true the window sends
    // SendWindowClose and then tells the engine to quit.
    bool SendQuitRequest();

    // Frame events, straight to the receiver (nothing happens without one).
    void SendRendererUpdate(uint64_t p_FrameNumber, float p_Fps, uint64_t p_PreviousFrameStart,
                            uint64_t p_Microseconds);
    void SendRendererPresent();

    // Input events into the tree. Key events are held back while the UI back end wants the
    // keyboard, button and wheel events while it wants the mouse.
    void SendTextInput(const Lib::String& p_Text);
    void SendKeyPress(int32_t p_KeyCode, int32_t p_Action, int32_t p_Modifiers);
    void SendKeyRepeat(int32_t p_KeyCode, int32_t p_Action, int32_t p_Modifiers);
    void SendKeyRelease(int32_t p_KeyCode, int32_t p_Action, int32_t p_Modifiers);
    void SendMouseButtonDown(int32_t p_Button, int32_t p_Modifiers, Lib::Point p_Position);
    void SendMouseButtonUp(int32_t p_Button, int32_t p_Modifiers, Lib::Point p_Position);
    // Drags the focused element while a button is held, otherwise tracks the hovered element.
    void SendCursorMove(int32_t p_ButtonHeld, Lib::Point p_Position, Lib::Point p_Movement);
    // Window enter and leave are not delivered while a button is held.
    void SendCursorEnter(Lib::Point p_Position, Lib::Point p_Movement);
    void SendCursorLeave(Lib::Point p_Position, Lib::Point p_Movement);
    void SendMouseScroll(int32_t p_Amount, Lib::Point p_Position);

    // Installs the receiver and replays the queued window events in order.
    void SetWindowEventReceiver(IWindowEventBase* p_Receiver);
    IWindowEventBase* GetWindowEventReceiver() const { return m_Receiver; }
    void SetRoot(LayoutBase* p_Root) { m_Root = p_Root; }
    LayoutBase* GetRoot() const { return m_Root; }
    void SetInputCapture(const IInputCapture* p_Capture) { m_InputCapture = p_Capture; }
    // Null until the GUI toolkit's popups are handed over; without it no popup rules run.
    void SetOpenPopups(IOpenPopups* p_Popups) { m_OpenPopups = p_Popups; }

    // What the engine's IUiFocus does: the old element is told it lost the focus, the new one
    // remembers the focus owner and is told it has the focus. Null is ignored.
    void SetFocus(LayoutBase* p_Element);
    // Only the focused element can give the focus back; anything else is ignored.
    void ReleaseFocus(LayoutBase* p_Element);
    // Drops every pointer the manager keeps to an element that is about to be destroyed.
    void ForgetElement(const LayoutBase* p_Element);
    void OnElementDestroyed(const LayoutBase* p_Element) override { ForgetElement(p_Element); }

    IUiFocus* GetFocusOwner() const { return m_FocusOwner; }
    LayoutBase* GetFocusedElement() const { return m_Focused; }
    void SetFocusedElement(LayoutBase* p_Element) { m_Focused = p_Element; }
    LayoutBase* GetHoveredElement() const { return m_Hovered; }
    bool IsButtonHeld() const { return m_ButtonHeld; }
    bool IsUpdateRequested() const { return m_UpdateRequested; }
    void SetUpdateRequested(bool p_Requested) { m_UpdateRequested = p_Requested; }
    uint32_t QueuedCount() const { return m_Queue.Count(); }

private:
    // Runs the call when a receiver is installed, else queues it while there is room.
    void Deliver(std::function<void()> p_Call);
    bool WantsKeyboard() const;
    bool WantsMouse() const;
    void TrackHover(EventCursor& p_Position);
    void SendHover(LayoutBase& p_Element, const EventCursor& p_Position, int32_t p_Entered);
    void UpdatePopupFocus(Lib::Point p_Position);
    // p_Popup is in the open popups' list right now.
    bool IsOpenPopup(const ContentLayoutBase* p_Popup) const;
    bool ScrollOpenPopup(EventMouseScroll& p_Event);
    // Tab, the arrow keys and Return that nothing else took (KeyboardNavigation.cpp): move the
    // focus through the shown controls or activate the focused one.
    bool NavigateByKey(int32_t p_KeyCode, int32_t p_Modifiers);
    void Activate(LayoutBase& p_Element);

    Lib::LogTag m_Tag{"EventManager"};
    bool m_UpdateRequested = false;
    Lib::DynamicArray<std::function<void()>> m_Queue; // deferred window-event deliveries
    IUiFocus* m_FocusOwner;                           // the engine; not owned
    IWindowEventBase* m_Receiver = nullptr;           // the game; not owned
    LayoutBase* m_Root = nullptr;                     // not owned
    const IInputCapture* m_InputCapture = nullptr;    // not owned
    IOpenPopups* m_OpenPopups = nullptr;              // not owned
    bool m_ButtonHeld = false;                        // a button went down over the GUI
    LayoutBase* m_Focused = nullptr;
    LayoutBase* m_Hovered = nullptr;
};
} // namespace Vozad
