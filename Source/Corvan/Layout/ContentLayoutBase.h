#pragma once
// An element that holds one child, its content, and hands events, layout and drawing to it.
// Menus, the console and popups are built on it.
#include "Corvan/Layout/LayoutBase.h"

#include <memory>

namespace Vozad
{
class ContentLayoutBase : public LayoutBase
{
public:
    ContentLayoutBase() = default;
    ~ContentLayoutBase() override;

    // Events reach the content only while the holder and the content are enabled and Visible;
    // the holder's own forwarder is never told.
    bool OnTextInput(EventTextInput& p_Event) override;
    bool OnKeyPress(EventKeyInput& p_Event) override;
    bool OnKeyRepeat(EventKeyInput& p_Event) override;
    bool OnKeyRelease(EventKeyInput& p_Event) override;
    bool OnMouseScroll(EventMouseScroll& p_Event) override;
    LayoutBase* OnMousePress(EventMousePress& p_Event) override;
    LayoutBase* OnMouseRelease(EventMousePress& p_Event) override;
    LayoutBase* OnMouseClick(EventMousePress& p_Event) override;
    LayoutBase* FindElementAt(EventCursor& p_Event) override;
    LayoutBase* OnHoverChanged(EventCursor& p_Event) override;
    bool OnCursorDrag(EventCursor& p_Event) override;
    bool OnCursorEnter(EventMouseEnter& p_Event) override;
    bool OnCursorLeave(EventMouseLeave& p_Event) override;

    // The content covers the holder's whole rectangle.
    void UpdateLayout() override;
    void Draw(IDrawingContext& p_Context) override;
    void SetOrigin(Lib::Point p_Origin) override;
    void SetClipRect(const LayoutRect& p_ClipRect) override;
    void SetVisibility(int32_t p_Visibility) override;
    Lib::RectSize GetDesiredSize() const override;

    // Null is ignored. A previously owned content that is replaced by another element is
    // destroyed, so a holder never leaks what it was told to own.
    virtual void SetContent(LayoutBase* p_Content, bool p_Owned);
    // Hands the content over: the holder owns and destroys it.
    void SetContent(std::unique_ptr<LayoutBase> p_Content) { SetContent(p_Content.release(), true); }

    LayoutBase* GetContent() const { return m_Content; }
    void ForEachChild(const std::function<void(LayoutBase&)>& p_Visit) override
    {
        if (m_Content)
            p_Visit(*m_Content);
    }
    bool OwnsContent() const { return m_Owned; }

private:
    // The content when the holder and the content may take events, else null.
    LayoutBase* ContentForEvents() const;

    bool m_Owned = false;
    LayoutBase* m_Content = nullptr;
};
} // namespace Vozad
