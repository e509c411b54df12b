#include "Corvan/EventRouting/EventManager.h"

#include "Corvan/Events/IInputCapture.h"
#include "Corvan/Layout/ContentLayoutBase.h"
#include "Corvan/Layout/FocusOrder.h"
#include "Corvan/Layout/ILayoutEventForwarder.h"
#include "Corvan/Layout/IWindowEventBase.h"
#include "Corvan/Layout/LayoutBase.h"

#include <utility>

namespace Vozad
{
EventManager::EventManager(IUiFocus* p_FocusOwner) : m_FocusOwner(p_FocusOwner)
{
    LayoutBase::SetLifetimeObserver(this);
}

EventManager::~EventManager()
{
    if (LayoutBase::GetLifetimeObserver() == this)
        LayoutBase::SetLifetimeObserver(nullptr);
}

void EventManager::Deliver(std::function<void()> p_Call)
{
    if (m_Receiver)
        p_Call();
    else if (m_Queue.Count() < k_QueueLimit)
        m_Queue.Add(std::move(p_Call));
}

void EventManager::SendWindowCreate()
{
    Deliver(
        [this]
        {
            EventWindowCreate event;
            m_Receiver->OnWindowCreate(event);
        });
}

void EventManager::SendWindowFocus(bool p_Focused)
{
    Deliver(
        [this, p_Focused]
        {
            EventWindowFocus event(p_Focused);
            m_Receiver->OnWindowFocus(event);
        });
}

void EventManager::SendWindowPosition(Lib::Point p_Position)
{
    Deliver(
        [this, p_Position]
        {
            EventWindowPosition event(p_Position);
            m_Receiver->OnWindowPosition(event);
        });
}

void EventManager::SendWindowResize(Lib::RectSize p_Size)
{
    Deliver(
        [this, p_Size]
        {
            EventWindowResize event(p_Size);
            m_Receiver->OnWindowResize(event);
        });
}

void EventManager::SendWindowMinimize()
{
    Deliver(
        [this]
        {
            EventWindowMinimize event;
            m_Receiver->OnWindowMinimize(event);
        });
}

void EventManager::SendWindowMaximize(Lib::RectSize p_Size)
{
    Deliver(
        [this, p_Size]
        {
            EventWindowMaximize event(p_Size);
            m_Receiver->OnWindowMaximize(event);
        });
}

void EventManager::SendWindowFullscreen(Lib::RectSize p_Size)
{
    Deliver(
        [this, p_Size]
        {
            EventWindowFullscreen event(p_Size);
            m_Receiver->OnWindowFullscreen(event);
        });
}

void EventManager::SendWindowClose()
{
    Deliver(
        [this]
        {
            EventWindowClose event;
            m_Receiver->OnWindowClose(event);
        });
}

bool EventManager::SendQuitRequest()
{
    if (!m_Receiver)
        return true;
    EventQuitRequest event;
    m_Receiver->OnQuitRequest(event);
    return event.answer != EventQuitRequest::k_QuitRefused;
}

void EventManager::SendRendererUpdate(uint64_t p_FrameNumber, float p_Fps, uint64_t p_PreviousFrameStart,
                                      uint64_t p_Microseconds)
{
    if (!m_Receiver)
        return;
    EventRendererUpdate event(p_FrameNumber, p_Fps, p_PreviousFrameStart, p_Microseconds);
    m_Receiver->OnRendererUpdate(event);
}

void EventManager::SendRendererPresent()
{
    if (!m_Receiver)
        return;
    EventRendererPresent event;
    m_Receiver->OnRendererPresent(event);
}

void EventManager::SetWindowEventReceiver(IWindowEventBase* p_Receiver)
{
    m_Receiver = p_Receiver;
    // Taken out first: a replayed call re-queues itself when the receiver was taken away again,
    // and a receiver may raise new window events while it handles an old one.
    Lib::DynamicArray<std::function<void()>> queued = std::move(m_Queue);
    for (uint32_t i = 0; i < queued.Count(); ++i)
        Deliver(std::move(queued.At(i)));
}

bool EventManager::WantsKeyboard() const
{
    return m_InputCapture && m_InputCapture->WantsKeyboard();
}

bool EventManager::WantsMouse() const
{
    return m_InputCapture && m_InputCapture->WantsMouse();
}

void EventManager::SendTextInput(const Lib::String& p_Text)
{
    EventTextInput event(p_Text);
    if (m_Root && m_Root->OnTextInput(event))
        return;
    if (m_Focused)
        m_Focused->OnTextInput(event);
}

void EventManager::SendKeyPress(int32_t p_KeyCode, int32_t p_Action, int32_t p_Modifiers)
{
    if (WantsKeyboard())
        return;
    EventKeyInput event(k_EventKeyPress, p_KeyCode, p_Action, p_Modifiers);
    if (m_Root && m_Root->OnKeyPress(event))
        return;
    // A focused root with a listener lets that listener try before the focused element.
    if (m_Root && m_Root->PassesInput() && m_Root->GetForwarder() && m_Root->IsFocused())
    {
        if (m_Root->GetForwarder()->OnKeyPress(event, *m_Root))
            return;
    }
    if (m_Focused && m_Focused->OnKeyPress(event))
        return;
    NavigateByKey(p_KeyCode, p_Modifiers);
}

void EventManager::SendKeyRepeat(int32_t p_KeyCode, int32_t p_Action, int32_t p_Modifiers)
{
    if (WantsKeyboard())
        return;
    EventKeyInput event(k_EventKeyRepeat, p_KeyCode, p_Action, p_Modifiers);
    if (m_Root && m_Root->OnKeyRepeat(event))
        return;
    if (m_Focused)
        m_Focused->OnKeyRepeat(event);
}

void EventManager::SendKeyRelease(int32_t p_KeyCode, int32_t p_Action, int32_t p_Modifiers)
{
    if (WantsKeyboard())
        return;
    EventKeyInput event(k_EventKeyRelease, p_KeyCode, p_Action, p_Modifiers);
    if (m_Root && m_Root->OnKeyRelease(event))
        return;
    if (m_Focused)
        m_Focused->OnKeyRelease(event);
}

void EventManager::SetFocus(LayoutBase* p_Element)
{
    if (!p_Element)
        return;
    if (m_Focused)
        m_Focused->SetFocused(false);
    m_Focused = p_Element;
    p_Element->SetFocusOwner(m_FocusOwner);
    p_Element->SetFocused(true);
}

void EventManager::ReleaseFocus(LayoutBase* p_Element)
{
    if (!p_Element || p_Element != m_Focused)
        return;
    // Forgotten before the element hears about it, so a listener that asks again finds no focus.
    m_Focused = nullptr;
    p_Element->SetFocused(false);
}

void EventManager::ForgetElement(const LayoutBase* p_Element)
{
    if (!p_Element)
        return;
    if (m_Focused == p_Element)
        m_Focused = nullptr;
    if (m_Hovered == p_Element)
        m_Hovered = nullptr;
    if (GetKeyboardFocusShown() == p_Element)
        SetKeyboardFocusShown(nullptr);
}

void EventManager::SendMouseButtonDown(int32_t p_Button, int32_t p_Modifiers, Lib::Point p_Position)
{
    if (WantsMouse())
        return;
    // The mouse took over: the keyboard's outline goes until the keyboard moves the focus again.
    SetKeyboardFocusShown(nullptr);
    EventMousePress event(p_Button, 1, p_Modifiers, p_Position);
    LayoutBase* target = m_Root ? m_Root->OnMousePress(event) : nullptr;
    // A press on nothing, or on the element that already has the focus, leaves the focus alone.
    if (target && target != m_Focused)
        SetFocus(target);
    m_ButtonHeld = true;
    UpdatePopupFocus(p_Position);
}

bool EventManager::IsOpenPopup(const ContentLayoutBase* p_Popup) const
{
    for (uint32_t i = 0; p_Popup && i < m_OpenPopups->GetOpenPopupCount(); ++i)
        if (m_OpenPopups->GetOpenPopup(i) == p_Popup)
            return true;
    return false;
}

void EventManager::UpdatePopupFocus(Lib::Point p_Position)
{
    if (!m_OpenPopups)
        return;
    // A forwarder told of the focus, or a popup that closes, may open or close other popups. The
    // walk goes over the popups open when the press came, from the top down, and passes one that
    // has left the list meanwhile; the list itself is never walked while it changes.
    Lib::DynamicArray<ContentLayoutBase*> pressedOn;
    for (uint32_t i = 0; i < m_OpenPopups->GetOpenPopupCount(); ++i)
        pressedOn.Add(m_OpenPopups->GetOpenPopup(i));
    for (uint32_t next = pressedOn.Count(); next > 0; --next)
    {
        ContentLayoutBase* popup = pressedOn[next - 1];
        if (!IsOpenPopup(popup) || !popup->IsVisible())
            continue;
        const bool inside = popup->GetRect().Contains(p_Position);
        popup->SetFlag(k_LayoutFocused, inside);
        if (popup->GetForwarder())
            popup->GetForwarder()->OnFocusChanged(inside, *popup);
        if (!inside)
            m_OpenPopups->OnPressedOutside(*popup);
    }
}

void EventManager::SendMouseButtonUp(int32_t p_Button, int32_t p_Modifiers, Lib::Point p_Position)
{
    if (WantsMouse())
    {
        // The press may have reached the tree before the back end took the mouse; a flag left
        // set would turn every later cursor move into a drag.
        m_ButtonHeld = false;
        return;
    }
    EventMousePress event(p_Button, 0, p_Modifiers, p_Position);
    LayoutBase* handler = m_Root ? m_Root->OnMouseRelease(event) : nullptr;
    // The focused element hears about the release even when the cursor has left it.
    LayoutBase* focused = m_Focused;
    if (focused && focused != handler && !focused->OnMouseRelease(event) && focused == m_Focused &&
        focused->PassesInput() && focused->GetForwarder())
        focused->GetForwarder()->OnMouseRelease(event, *focused);
    if (!handler && m_Root && m_Root->PassesInput() && m_Root->GetForwarder())
        m_Root->GetForwarder()->OnMouseRelease(event, *m_Root);
    m_ButtonHeld = false;

    EventMousePress click(p_Button, 0, p_Modifiers, p_Position);
    LayoutBase* clicked = m_Root ? m_Root->OnMouseClick(click) : nullptr;
    if (!clicked && m_Root && m_Root->PassesInput() && m_Root->GetForwarder())
        m_Root->GetForwarder()->OnMouseClick(click, *m_Root);
}

void EventManager::SendCursorMove(int32_t p_ButtonHeld, Lib::Point p_Position, Lib::Point p_Movement)
{
    EventCursor event = EventCursor::Position(p_ButtonHeld, p_Position, p_Movement);
    LayoutBase* focused = m_Focused;
    if (m_ButtonHeld && focused)
    {
        if (!focused->OnCursorDrag(event) && focused == m_Focused && focused->PassesInput() &&
            focused->GetForwarder())
            focused->GetForwarder()->OnCursorDrag(event, *focused);
        return;
    }
    TrackHover(event);
}

void EventManager::TrackHover(EventCursor& p_Position)
{
    LayoutBase* hit = m_Root ? m_Root->FindElementAt(p_Position) : nullptr;
    if (hit == m_Hovered)
        return;
    LayoutBase* previous = m_Hovered;
    m_Hovered = hit;
    if (previous)
        SendHover(*previous, p_Position, 0);
    if (hit && hit == m_Hovered)
        SendHover(*hit, p_Position, 1);
}

void EventManager::SendHover(LayoutBase& p_Element, const EventCursor& p_Position, int32_t p_Entered)
{
    EventCursor hover = EventCursor::Hover(p_Position, p_Entered);
    // An element that takes input gets its bit from here and only its listener is told; one that
    // does not is left to decide for itself.
    if (p_Element.PassesInput())
    {
        p_Element.SetHovered(p_Entered != 0);
        if (p_Element.GetForwarder())
            p_Element.GetForwarder()->OnHoverChanged(hover, p_Element);
    }
    else
    {
        p_Element.OnHoverChanged(hover);
    }
}

void EventManager::SendCursorEnter(Lib::Point p_Position, Lib::Point p_Movement)
{
    if (m_ButtonHeld || !m_Root)
        return;
    EventMouseEnter event(p_Position, p_Movement);
    m_Root->OnCursorEnter(event);
}

void EventManager::SendCursorLeave(Lib::Point p_Position, Lib::Point p_Movement)
{
    if (m_ButtonHeld || !m_Root)
        return;
    EventMouseLeave event(p_Position, p_Movement);
    m_Root->OnCursorLeave(event);
}

bool EventManager::ScrollOpenPopup(EventMouseScroll& p_Event)
{
    if (!m_OpenPopups)
        return false;
    for (uint32_t i = 0; i < m_OpenPopups->GetOpenPopupCount(); ++i)
    {
        ContentLayoutBase* popup = m_OpenPopups->GetOpenPopup(i);
        if (!popup || !popup->GetRect().Contains(p_Event.position))
            continue;
        LayoutBase* content = popup->GetContent();
        if (!popup->IsEnabled() || !popup->IsVisible() || !content || !content->IsEnabled() ||
            !content->IsVisible())
            return false;
        return content->OnMouseScroll(p_Event);
    }
    return false;
}

void EventManager::SendMouseScroll(int32_t p_Amount, Lib::Point p_Position)
{
    if (WantsMouse())
        return;
    EventMouseScroll event(p_Amount, p_Position);
    // Open popups are layers of the root too: once a popup's content has taken the wheel, the
    // root would only hand the same step to the same popup a second time.
    if (ScrollOpenPopup(event))
        return;
    if (m_Root)
        m_Root->OnMouseScroll(event);
}
} // namespace Vozad
