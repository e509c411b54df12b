#include "Corvan/Layout/LayoutFocusGroup.h"

#include "Corvan/Layout/LayoutBase.h"

namespace Vozad
{
void LayoutFocusGroup::AddMember(LayoutBase* p_Element)
{
    if (!p_Element)
        return;
    p_Element->SetForwarder(this);
    if (m_Members.Find(p_Element) >= 0)
        return;
    m_Members.Add(p_Element);
    if (p_Element->IsFocused())
        m_Current = m_Members.Count() - 1;
}

bool LayoutFocusGroup::OnTextInput(EventTextInput& p_Event, LayoutBase& p_Sender)
{
    return m_Inner && m_Inner->OnTextInput(p_Event, p_Sender);
}

bool LayoutFocusGroup::OnKeyPress(EventKeyInput& p_Event, LayoutBase& p_Sender)
{
    return m_Inner && m_Inner->OnKeyPress(p_Event, p_Sender);
}

bool LayoutFocusGroup::OnKeyRepeat(EventKeyInput& p_Event, LayoutBase& p_Sender)
{
    return m_Inner && m_Inner->OnKeyRepeat(p_Event, p_Sender);
}

bool LayoutFocusGroup::OnKeyRelease(EventKeyInput& p_Event, LayoutBase& p_Sender)
{
    return m_Inner && m_Inner->OnKeyRelease(p_Event, p_Sender);
}

bool LayoutFocusGroup::OnMouseScroll(EventMouseScroll& p_Event, LayoutBase& p_Sender)
{
    return m_Inner && m_Inner->OnMouseScroll(p_Event, p_Sender);
}

LayoutBase* LayoutFocusGroup::OnMousePress(EventMousePress& p_Event, LayoutBase& p_Sender)
{
    return m_Inner ? m_Inner->OnMousePress(p_Event, p_Sender) : nullptr;
}

LayoutBase* LayoutFocusGroup::OnMouseRelease(EventMousePress& p_Event, LayoutBase& p_Sender)
{
    return m_Inner ? m_Inner->OnMouseRelease(p_Event, p_Sender) : nullptr;
}

LayoutBase* LayoutFocusGroup::OnMouseClick(EventMousePress& p_Event, LayoutBase& p_Sender)
{
    return m_Inner ? m_Inner->OnMouseClick(p_Event, p_Sender) : nullptr;
}

LayoutBase* LayoutFocusGroup::FindElementAt(EventCursor& p_Event, LayoutBase& p_Sender)
{
    return m_Inner ? m_Inner->FindElementAt(p_Event, p_Sender) : nullptr;
}

LayoutBase* LayoutFocusGroup::OnHoverChanged(EventCursor& p_Event, LayoutBase& p_Sender)
{
    return m_Inner ? m_Inner->OnHoverChanged(p_Event, p_Sender) : nullptr;
}

bool LayoutFocusGroup::OnCursorDrag(EventCursor& p_Event, LayoutBase& p_Sender)
{
    return m_Inner && m_Inner->OnCursorDrag(p_Event, p_Sender);
}

bool LayoutFocusGroup::OnCursorEnter(EventMouseEnter& p_Event, LayoutBase& p_Sender)
{
    return m_Inner && m_Inner->OnCursorEnter(p_Event, p_Sender);
}

bool LayoutFocusGroup::OnCursorLeave(EventMouseLeave& p_Event, LayoutBase& p_Sender)
{
    return m_Inner && m_Inner->OnCursorLeave(p_Event, p_Sender);
}

bool LayoutFocusGroup::OnFocusChanged(bool p_Focused, LayoutBase& p_Sender)
{
    const int32_t index = m_Members.Find(&p_Sender);
    if (index < 0)
        return false;
    const uint32_t sender = static_cast<uint32_t>(index);
    if (p_Focused)
    {
        // Directly, without notification: the old member must not report back into the group.
        if (m_Current != sender)
            m_Members.At(m_Current)->SetFlag(k_LayoutFocused, false);
        m_Current = sender;
        return true;
    }
    if (m_Current != sender)
        return false;
    m_Members.At(sender)->SetFlag(k_LayoutFocused, true);
    return false;
}
} // namespace Vozad
