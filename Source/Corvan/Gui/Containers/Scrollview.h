#pragma once
// Shows one element through a padded, outlined window that the mouse wheel scrolls vertically.
// There is no scroll bar; the horizontal offset stays 0.
#include "Corvan/Gui/Containers/ScrollviewContent.h"
#include "Corvan/Gui/Widgets/WidgetStyle.h"
#include "Corvan/Layout/LayoutBase.h"
#include "Lib/Log.h"
#include "Lib/Point.h"

#include <cstdint>

namespace Vozad
{
class IGuiEngine;

class Scrollview : public LayoutBase
{
public:
    // The background colour is 0xAARRGGBB, as stored in the style block.
    Scrollview(IGuiEngine* p_Engine, int32_t p_Padding, int32_t p_BorderThickness,
               uint32_t p_BackgroundColour);

    // The element shown is the content of this holder (SetContent (element, owned)).
    ScrollviewContent& GetScrollviewContent() { return m_Content; }
    const ScrollviewContent& GetScrollviewContent() const { return m_Content; }
    // Shorthand for GetScrollviewContent().SetContent(...).
    void SetContent(LayoutBase* p_Element, bool p_Owned) { m_Content.SetContent(p_Element, p_Owned); }
    LayoutBase* GetShownElement() const { return m_Content.GetContent(); }

    // x is always 0, y is 0 or negative (content moved up).
    Lib::Point GetOffset() const { return m_Offset; }
    int32_t GetPadding() const { return m_Padding; }
    const WidgetStyle& GetStyle() const { return m_Style; }
    WidgetStyle& GetStyle() { return m_Style; }

    // Events with a position travel in content coordinates (shifted by minus the offset).
    bool OnTextInput(EventTextInput& p_Event) override;
    bool OnKeyPress(EventKeyInput& p_Event) override;
    bool OnKeyRepeat(EventKeyInput& p_Event) override;
    bool OnKeyRelease(EventKeyInput& p_Event) override;
    // Always consumed, even when nothing moved.
    bool OnMouseScroll(EventMouseScroll& p_Event) override;
    LayoutBase* OnMousePress(EventMousePress& p_Event) override;
    LayoutBase* OnMouseRelease(EventMousePress& p_Event) override;
    LayoutBase* OnMouseClick(EventMousePress& p_Event) override;
    LayoutBase* FindElementAt(EventCursor& p_Event) override;
    LayoutBase* OnHoverChanged(EventCursor& p_Event) override;
    bool OnCursorDrag(EventCursor& p_Event) override;
    bool OnCursorEnter(EventMouseEnter& p_Event) override;
    bool OnCursorLeave(EventMouseLeave& p_Event) override;

    // Keeps the offset, except where the content now fits or would leave a gap at the bottom.
    void UpdateLayout() override;
    void Draw(IDrawingContext& p_Context) override;
    void SetVisibility(int32_t p_Visibility) override;

private:
    // The shown element when it and its holder are enabled and Visible, else null.
    LayoutBase* ElementForEvents() const;
    // Desired height of the shown element; 0 when there is none or it is not Visible.
    int32_t ShownHeight() const;
    int32_t Inset() const { return 2 * (m_Padding + m_Style.borderThickness); }
    void ApplyOffset();

    Lib::LogTag m_Tag{"Scrollview"};
    IGuiEngine* m_Engine = nullptr; // not owned
    WidgetStyle m_Style;
    int32_t m_Padding = 0;
    Lib::Point m_Offset;
    ScrollviewContent m_Content;
};
} // namespace Vozad
