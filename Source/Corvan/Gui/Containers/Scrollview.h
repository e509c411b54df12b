#pragma once
// Shows one element through a padded, outlined window that scrolls vertically: by the wheel, by
// the keys (ScrollviewKeys.cpp) and by the scroll bar it shows while the content does not fit
// (ScrollviewBar.cpp). The horizontal offset stays 0.
#include "Corvan/Gui/Containers/ScrollviewContent.h"
#include "Corvan/Gui/FontSpec.h"
#include "Corvan/Gui/Widgets/WidgetStyle.h"
#include "Corvan/Layout/LayoutBase.h"
#include "Lib/Log.h"
#include "Lib/Point.h"

#include <cstdint>
#include <memory>

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
    void SetContent(std::unique_ptr<LayoutBase> p_Element) { m_Content.SetContent(std::move(p_Element)); }
    LayoutBase* GetShownElement() const { return m_Content.GetContent(); }

    // x is always 0, y is 0 or negative (content moved up).
    Lib::Point GetOffset() const { return m_Offset; }
    int32_t GetPadding() const { return m_Padding; }
    const WidgetStyle& GetStyle() const { return m_Style; }
    WidgetStyle& GetStyle() { return m_Style; }

    // The font of the content's lines: the wheel scrolls three of them per notch and the arrow
    // keys one.
    void SetContentFont(const FontSpec& p_Font);
    // Moves the content so that its top is p_Offset above the view's top, held to the scrollable
    // range; 0 is the top.
    void ScrollTo(int64_t p_Offset);
    // How far the content can move: 0 when it fits.
    int64_t ScrollRange() const;
    // The bar's track and thumb in the view's own coordinates; all zero while the content fits.
    LayoutRect GetBarTrack() const;
    LayoutRect GetBarThumb() const;
    // A view whose content does not fit takes the keyboard focus, so the arrow keys scroll it.
    bool TakesKeyboardFocus() const override { return ScrollRange() > 0; }
    void ForEachChild(const std::function<void(LayoutBase&)>& p_Visit) override { p_Visit(m_Content); }

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
    // Hands a mouse event to the shown element in its own coordinates (the content is drawn
    // moved by the offset); without a shown element the event is not the content's.
    template <typename Event, typename Result>
    Result ForwardToContent(Event& p_Event, Result (LayoutBase::*p_Handler)(Event&))
    {
        LayoutBase* element = ElementForEvents();
        if (!element)
            return Result{};
        Event shifted = p_Event;
        shifted.position = {p_Event.position.x - m_Offset.x, p_Event.position.y - m_Offset.y};
        return (element->*p_Handler)(shifted);
    }
    // Desired height of the shown element; 0 when there is none or it is not Visible.
    int32_t ShownHeight() const;
    int32_t Inset() const { return 2 * (m_Padding + m_Style.borderThickness); }
    void ApplyOffset();

    // The scroll bar's part of the mouse (ScrollviewBar.cpp): true when the press was the bar's.
    bool PressBar(Lib::Point p_Position);
    // Page Up and Down, Home and End whenever the view shows; the arrow keys while it has the
    // focus (elsewhere they move the focus). True when the key was one of those.
    bool ScrollByKey(int32_t p_KeyCode);
    bool DragBar(Lib::Point p_Movement);
    void DrawBar(IDrawingContext& p_Context, const LayoutRect& p_Drawn);
    // Pixels of one line of the content's font (measured once).
    int32_t LineHeight();

    Lib::LogTag m_Tag{"Scrollview"};
    FontSpec m_ContentFont;
    int32_t m_LineHeight = 0;       // 0 until measured
    bool m_DraggingBar = false;     // the left button went down on the thumb and is still down
    double m_DragRemainder = 0.0;   // the part of a pixel the drag has moved the content so far
    IGuiEngine* m_Engine = nullptr; // not owned
    WidgetStyle m_Style;
    int32_t m_Padding = 0;
    Lib::Point m_Offset;
    ScrollviewContent m_Content;
};
} // namespace Vozad
