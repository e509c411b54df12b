#include "Corvan/Layout/LayoutBase.h"

#include "Corvan/Events/InputEvents.h"
#include "Corvan/Layout/ILayoutEventForwarder.h"
#include "Corvan/Layout/INavigationKeys.h"
#include "Corvan/Layout/IUiFocus.h"

namespace Vozad
{
namespace
{
ILayoutLifetimeObserver* g_LifetimeObserver = nullptr;
}

void LayoutBase::SetLifetimeObserver(ILayoutLifetimeObserver* p_Observer)
{
    g_LifetimeObserver = p_Observer;
}

ILayoutLifetimeObserver* LayoutBase::GetLifetimeObserver()
{
    return g_LifetimeObserver;
}

LayoutBase::~LayoutBase()
{
    if (g_LifetimeObserver)
        g_LifetimeObserver->OnElementDestroyed(this);
    // The owner is asked even when the focused bit is already clear: focus groups and popups
    // clear that bit directly, and the owner must never keep pointing at a destroyed element.
    // The owner ignores elements that do not hold its focus.
    if (m_FocusOwner)
        m_FocusOwner->ReleaseFocus(this);
}

bool LayoutBase::OnTextInput(EventTextInput& p_Event)
{
    return PassesInput() && m_Forwarder && m_Forwarder->OnTextInput(p_Event, *this);
}

bool LayoutBase::OnKeyPress(EventKeyInput& p_Event)
{
    return PassesInput() && IsFocused() && m_Forwarder && m_Forwarder->OnKeyPress(p_Event, *this);
}

bool LayoutBase::OnKeyRepeat(EventKeyInput& p_Event)
{
    return PassesInput() && m_Forwarder && m_Forwarder->OnKeyRepeat(p_Event, *this);
}

bool LayoutBase::OnKeyRelease(EventKeyInput& p_Event)
{
    return PassesInput() && m_Forwarder && m_Forwarder->OnKeyRelease(p_Event, *this);
}

bool LayoutBase::OnMouseScroll(EventMouseScroll& p_Event)
{
    return PassesInput() && m_Forwarder && m_Forwarder->OnMouseScroll(p_Event, *this);
}

// The pointer-returning operations answer with the element itself: the listener is only told.
LayoutBase* LayoutBase::OnMousePress(EventMousePress& p_Event)
{
    if (!PassesInput())
        return nullptr;
    if (m_Forwarder)
        m_Forwarder->OnMousePress(p_Event, *this);
    return this;
}

LayoutBase* LayoutBase::OnMouseRelease(EventMousePress& p_Event)
{
    if (!PassesInput())
        return nullptr;
    if (m_Forwarder)
        m_Forwarder->OnMouseRelease(p_Event, *this);
    return this;
}

LayoutBase* LayoutBase::OnMouseClick(EventMousePress& p_Event)
{
    if (!PassesInput())
        return nullptr;
    if (m_Forwarder)
        m_Forwarder->OnMouseClick(p_Event, *this);
    return this;
}

LayoutBase* LayoutBase::FindElementAt(EventCursor& p_Event)
{
    if (!PassesInput())
        return nullptr;
    if (m_Forwarder)
        m_Forwarder->FindElementAt(p_Event, *this);
    return this;
}

LayoutBase* LayoutBase::OnHoverChanged(EventCursor& p_Event)
{
    if (!PassesInput())
        return nullptr;
    SetHovered(p_Event.entered != 0);
    if (m_Forwarder)
        m_Forwarder->OnHoverChanged(p_Event, *this);
    return this;
}

bool LayoutBase::OnCursorDrag(EventCursor& p_Event)
{
    return PassesInput() && m_Forwarder && m_Forwarder->OnCursorDrag(p_Event, *this);
}

bool LayoutBase::OnCursorEnter(EventMouseEnter& p_Event)
{
    return PassesInput() && m_Forwarder && m_Forwarder->OnCursorEnter(p_Event, *this);
}

bool LayoutBase::OnCursorLeave(EventMouseLeave& p_Event)
{
    return PassesInput() && m_Forwarder && m_Forwarder->OnCursorLeave(p_Event, *this);
}

void LayoutBase::SetOrigin(Lib::Point p_Origin)
{
    m_Origin = p_Origin;
}

void LayoutBase::SetClipRect(const LayoutRect& p_ClipRect)
{
    m_ClipRect = p_ClipRect;
}

bool LayoutBase::IsEnabled() const
{
    return HasFlag(k_LayoutEnabled);
}

void LayoutBase::SetEnabled(bool p_Enabled)
{
    SetFlag(k_LayoutEnabled, p_Enabled);
}

bool LayoutBase::IsVisible() const
{
    return m_Visibility == k_LayoutVisible;
}

int32_t LayoutBase::GetVisibility() const
{
    return m_Visibility;
}

void LayoutBase::SetVisibility(int32_t p_Visibility)
{
    m_Visibility = p_Visibility;
    // An element that was focused by hand (no owner) keeps its bit: nobody else tracks it.
    if (IsFocused() && p_Visibility != k_LayoutVisible && m_FocusOwner)
    {
        SetFocused(false);
        m_FocusOwner->ReleaseFocus(this);
    }
}

bool LayoutBase::IsFocused() const
{
    return HasFlag(k_LayoutFocused);
}

void LayoutBase::SetFocused(bool p_Focused)
{
    SetFlag(k_LayoutFocused, p_Focused);
    if (m_Forwarder)
        m_Forwarder->OnFocusChanged(p_Focused, *this);
}

bool LayoutBase::IsHovered() const
{
    return HasFlag(k_LayoutHovered);
}

void LayoutBase::SetHovered(bool p_Hovered)
{
    SetFlag(k_LayoutHovered, p_Hovered);
}

bool LayoutBase::IsActive() const
{
    return HasFlag(k_LayoutActive);
}

void LayoutBase::SetActive(bool p_Active)
{
    SetFlag(k_LayoutActive, p_Active);
}

void LayoutBase::SetRect(const LayoutRect& p_Rect)
{
    m_Rect = p_Rect;
}

Lib::RectSize LayoutBase::GetDesiredSize() const
{
    if (m_Visibility == k_LayoutCollapsed)
        return {0, 0};
    return {static_cast<uint32_t>(m_DesiredWidth), static_cast<uint32_t>(m_DesiredHeight)};
}

void LayoutBase::SetDesiredSize(int32_t p_Width, int32_t p_Height)
{
    m_DesiredWidth = p_Width;
    m_DesiredHeight = p_Height;
}

void LayoutBase::SetDesiredWidth(int32_t p_Width)
{
    m_DesiredWidth = p_Width;
}

void LayoutBase::SetDesiredHeight(int32_t p_Height)
{
    m_DesiredHeight = p_Height;
}

LayoutBase* LayoutBase::FindById(int32_t p_Id)
{
    return p_Id == m_Id ? this : nullptr;
}

bool LayoutBase::PassesInput() const
{
    return IsEnabled() && IsVisible() && IsActive();
}

bool LayoutBase::TakesNavigationKey(int32_t p_KeyCode) const
{
    return !m_NavigationKeys || m_NavigationKeys->IsForNavigation(p_KeyCode);
}

void LayoutBase::SetFlag(uint32_t p_Flag, bool p_Set)
{
    m_Flags = p_Set ? (m_Flags | p_Flag) : (m_Flags & ~p_Flag);
}
} // namespace Vozad
