#include "Corvan/Gui/Containers/Scrollview.h"

#include "Corvan/Events/InputEvents.h"
#include "Corvan/Gui/Colours.h"
#include "Corvan/Gui/IDrawingContext.h"
#include "Corvan/Gui/IGuiEngine.h"

#include <algorithm>
#include <cstdlib>
#include <limits>

namespace Vozad
{
Scrollview::Scrollview(IGuiEngine* p_Engine, int32_t p_Padding, int32_t p_BorderThickness,
                       uint32_t p_BackgroundColour)
    : m_Engine(p_Engine), m_Padding(p_Padding)
{
    m_Style.backgroundColour = p_BackgroundColour;
    m_Style.borderColour = 0xFF8C8E8E;
    m_Style.borderThickness = p_BorderThickness;
    SetFlag(k_LayoutSizeToDesired, true);
}

LayoutBase* Scrollview::ElementForEvents() const
{
    LayoutBase* element = m_Content.GetContent();
    if (!element || !m_Content.IsEnabled() || !m_Content.IsVisible())
        return nullptr;
    return element->IsEnabled() && element->IsVisible() ? element : nullptr;
}

int32_t Scrollview::ShownHeight() const
{
    const LayoutBase* element = m_Content.GetContent();
    if (!element || !element->IsVisible())
        return 0;
    const uint32_t height = element->GetDesiredSize().height;
    // An element without a wish takes the view as it is: nothing to scroll.
    return height >= static_cast<uint32_t>(k_NoDesiredSize) ? 0 : static_cast<int32_t>(height);
}

void Scrollview::ApplyOffset()
{
    // The holder passes the origin on to the shown element.
    m_Content.SetOrigin(m_Offset);
}

void Scrollview::UpdateLayout()
{
    const int64_t contentHeight = static_cast<int64_t>(ShownHeight()) + Inset();
    const int64_t view = GetRect().Height();
    const int64_t scrolled = std::abs(static_cast<int64_t>(m_Offset.y));
    const Lib::Point before = m_Offset;
    if (view < contentHeight && m_Offset.y != 0 && contentHeight - scrolled < view)
    {
        // The content shrank or the view grew: pull the content down until its end meets the
        // bottom of the view again, instead of leaving a gap below it.
        m_Offset.y = static_cast<int32_t>(m_Offset.y + (view - (contentHeight - scrolled)));
    }
    if (view >= contentHeight && m_Offset.y < 0)
        m_Offset.y = 0;
    if (!(m_Offset == before))
        ApplyOffset();

    const LayoutRect& rect = GetRect();
    const int32_t inset = m_Padding + m_Style.borderThickness;
    m_Content.SetRect(
        LayoutRect{rect.left + inset, rect.right - inset, rect.top + inset, rect.bottom - inset});
    m_Content.UpdateLayout();
}

int64_t Scrollview::ScrollRange() const
{
    const int64_t view = GetRect().Height();
    const int64_t contentHeight = static_cast<int64_t>(ShownHeight()) + Inset();
    // The same test the layout uses, so the last few pixels of a content that only just
    // overflows stay reachable.
    return view >= contentHeight ? 0 : contentHeight - view;
}

void Scrollview::ScrollTo(int64_t p_Offset)
{
    const int64_t target = -std::clamp<int64_t>(p_Offset, 0, ScrollRange());
    if (target == m_Offset.y)
        return;
    m_Offset.y = static_cast<int32_t>(target);
    ApplyOffset();
    m_Content.UpdateLayout();
}

bool Scrollview::OnMouseScroll(EventMouseScroll& p_Event)
{
    if (ForwardToContent(p_Event, &LayoutBase::OnMouseScroll))
        return true;
    if (ScrollRange() == 0)
        return true;
    // The window reports 6 pixels per wheel line (18 for a notch of three lines); the view
    // turns them into lines of its content's font, so a notch moves three lines of text.
    const int64_t amount = static_cast<int64_t>(p_Event.amount);
    const int64_t pixels =
        amount >= std::numeric_limits<int32_t>::max() / 2 || amount <= std::numeric_limits<int32_t>::min() / 2
            ? amount
            : amount * LineHeight() / 6;
    ScrollTo(static_cast<int64_t>(-m_Offset.y) - pixels);
    return true;
}

bool Scrollview::OnTextInput(EventTextInput& p_Event)
{
    return m_Content.OnTextInput(p_Event);
}

bool Scrollview::OnKeyPress(EventKeyInput& p_Event)
{
    return m_Content.OnKeyPress(p_Event) || ScrollByKey(p_Event.keyCode);
}

bool Scrollview::OnKeyRepeat(EventKeyInput& p_Event)
{
    return m_Content.OnKeyRepeat(p_Event) || ScrollByKey(p_Event.keyCode);
}

bool Scrollview::OnKeyRelease(EventKeyInput& p_Event)
{
    return m_Content.OnKeyRelease(p_Event);
}

LayoutBase* Scrollview::OnMousePress(EventMousePress& p_Event)
{
    if (PassesInput() && p_Event.button == 1 && PressBar(p_Event.position))
        return this;
    return ForwardToContent(p_Event, &LayoutBase::OnMousePress);
}

LayoutBase* Scrollview::OnMouseRelease(EventMousePress& p_Event)
{
    if (m_DraggingBar)
    {
        m_DraggingBar = false;
        return this;
    }
    return ForwardToContent(p_Event, &LayoutBase::OnMouseRelease);
}

LayoutBase* Scrollview::OnMouseClick(EventMousePress& p_Event)
{
    return m_Content.PassesInput() ? ForwardToContent(p_Event, &LayoutBase::OnMouseClick) : nullptr;
}

LayoutBase* Scrollview::FindElementAt(EventCursor& p_Event)
{
    return ForwardToContent(p_Event, &LayoutBase::FindElementAt);
}

LayoutBase* Scrollview::OnHoverChanged(EventCursor& p_Event)
{
    return ForwardToContent(p_Event, &LayoutBase::OnHoverChanged);
}

bool Scrollview::OnCursorDrag(EventCursor& p_Event)
{
    if (m_DraggingBar)
        return DragBar(p_Event.movement);
    return ForwardToContent(p_Event, &LayoutBase::OnCursorDrag);
}

bool Scrollview::OnCursorEnter(EventMouseEnter& p_Event)
{
    return ForwardToContent(p_Event, &LayoutBase::OnCursorEnter);
}

bool Scrollview::OnCursorLeave(EventMouseLeave& p_Event)
{
    return ForwardToContent(p_Event, &LayoutBase::OnCursorLeave);
}

void Scrollview::Draw(IDrawingContext& p_Context)
{
    if (!IsVisible())
        return;
    // Where this view itself draws: inside another scrolled content it moves with that content.
    const LayoutRect drawn = GetDrawnRect();
    p_Context.SetColour(Colour::SwapRedBlue(m_Style.backgroundColour));
    p_Context.FillRect(drawn, 0.0f);
    // A border of 0 means none: the drawing back end would still draw a hairline.
    if (m_Style.borderThickness >= 1)
    {
        p_Context.SetColour(Colour::SwapRedBlue(m_Style.borderColour));
        p_Context.DrawRect(drawn, static_cast<float>(m_Style.borderThickness), 0.0f);
    }
    const int32_t border = m_Style.borderThickness;
    p_Context.PushClipRect(
        LayoutRect{drawn.left + border, drawn.right - border, drawn.top + border, drawn.bottom - border});
    LayoutBase* element = m_Content.GetContent();
    if (element && element->IsVisible())
        element->Draw(p_Context);
    DrawBar(p_Context, drawn);
    p_Context.PopClipRect();
}

void Scrollview::SetContentFont(const FontSpec& p_Font)
{
    m_ContentFont = p_Font;
    m_LineHeight = 0;
}

int32_t Scrollview::LineHeight()
{
    if (m_LineHeight <= 0 && m_Engine)
        m_LineHeight = static_cast<int32_t>(m_Engine->MeasureText(Lib::String("Ag"), m_ContentFont).height);
    // Without a font to measure, a line is what the window counts one: 6 pixels.
    return m_LineHeight > 0 ? m_LineHeight : 6;
}

void Scrollview::SetVisibility(int32_t p_Visibility)
{
    LayoutBase::SetVisibility(p_Visibility);
    m_Content.SetVisibility(p_Visibility);
    m_Style.changed = true;
}
} // namespace Vozad
