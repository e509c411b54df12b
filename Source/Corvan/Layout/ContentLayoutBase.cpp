#include "Corvan/Layout/ContentLayoutBase.h"

namespace Vozad
{
ContentLayoutBase::~ContentLayoutBase()
{
    if (m_Owned)
        delete m_Content;
}

LayoutBase* ContentLayoutBase::ContentForEvents() const
{
    if (!IsEnabled() || !IsVisible() || !m_Content)
        return nullptr;
    return m_Content->IsEnabled() && m_Content->IsVisible() ? m_Content : nullptr;
}

bool ContentLayoutBase::OnTextInput(EventTextInput& p_Event)
{
    LayoutBase* content = ContentForEvents();
    return content && content->OnTextInput(p_Event);
}

bool ContentLayoutBase::OnKeyPress(EventKeyInput& p_Event)
{
    LayoutBase* content = ContentForEvents();
    return content && content->OnKeyPress(p_Event);
}

bool ContentLayoutBase::OnKeyRepeat(EventKeyInput& p_Event)
{
    LayoutBase* content = ContentForEvents();
    return content && content->OnKeyRepeat(p_Event);
}

bool ContentLayoutBase::OnKeyRelease(EventKeyInput& p_Event)
{
    LayoutBase* content = ContentForEvents();
    return content && content->OnKeyRelease(p_Event);
}

bool ContentLayoutBase::OnMouseScroll(EventMouseScroll& p_Event)
{
    LayoutBase* content = ContentForEvents();
    return content && content->OnMouseScroll(p_Event);
}

LayoutBase* ContentLayoutBase::OnMousePress(EventMousePress& p_Event)
{
    LayoutBase* content = ContentForEvents();
    return content ? content->OnMousePress(p_Event) : nullptr;
}

LayoutBase* ContentLayoutBase::OnMouseRelease(EventMousePress& p_Event)
{
    LayoutBase* content = ContentForEvents();
    return content ? content->OnMouseRelease(p_Event) : nullptr;
}

LayoutBase* ContentLayoutBase::OnMouseClick(EventMousePress& p_Event)
{
    LayoutBase* content = ContentForEvents();
    return content ? content->OnMouseClick(p_Event) : nullptr;
}

LayoutBase* ContentLayoutBase::FindElementAt(EventCursor& p_Event)
{
    LayoutBase* content = ContentForEvents();
    return content ? content->FindElementAt(p_Event) : nullptr;
}

LayoutBase* ContentLayoutBase::OnHoverChanged(EventCursor& p_Event)
{
    LayoutBase* content = ContentForEvents();
    return content ? content->OnHoverChanged(p_Event) : nullptr;
}

bool ContentLayoutBase::OnCursorDrag(EventCursor& p_Event)
{
    LayoutBase* content = ContentForEvents();
    return content && content->OnCursorDrag(p_Event);
}

bool ContentLayoutBase::OnCursorEnter(EventMouseEnter& p_Event)
{
    LayoutBase* content = ContentForEvents();
    return content && content->OnCursorEnter(p_Event);
}

bool ContentLayoutBase::OnCursorLeave(EventMouseLeave& p_Event)
{
    LayoutBase* content = ContentForEvents();
    return content && content->OnCursorLeave(p_Event);
}

void ContentLayoutBase::UpdateLayout()
{
    if (!m_Content)
        return;
    m_Content->SetRect(GetRect());
    m_Content->UpdateLayout();
}

void ContentLayoutBase::Draw(IDrawingContext& p_Context)
{
    if (m_Content && m_Content->IsVisible())
        m_Content->Draw(p_Context);
}

void ContentLayoutBase::SetOrigin(Lib::Point p_Origin)
{
    LayoutBase::SetOrigin(p_Origin);
    if (m_Content)
        m_Content->SetOrigin(p_Origin);
}

void ContentLayoutBase::SetClipRect(const LayoutRect& p_ClipRect)
{
    LayoutBase::SetClipRect(p_ClipRect);
    if (m_Content)
        m_Content->SetClipRect(p_ClipRect);
}

void ContentLayoutBase::SetVisibility(int32_t p_Visibility)
{
    LayoutBase::SetVisibility(p_Visibility);
    if (m_Content)
        m_Content->SetVisibility(p_Visibility);
}

Lib::RectSize ContentLayoutBase::GetDesiredSize() const
{
    if (!m_Content)
        return LayoutBase::GetDesiredSize();
    if (!m_Content->IsVisible())
        return {0, 0};
    return m_Content->GetDesiredSize();
}

void ContentLayoutBase::SetContent(LayoutBase* p_Content, bool p_Owned)
{
    if (!p_Content)
        return;
    if (m_Owned && m_Content != p_Content)
        delete m_Content;
    m_Content = p_Content;
    m_Owned = p_Owned;
}
} // namespace Vozad
