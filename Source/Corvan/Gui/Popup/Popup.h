#pragma once
// A floating element at an absolute window position, shown as an extra layer of the engine's
// root stack. Its behaviour flags say what closes it.
#include "Corvan/Gui/Widgets/WidgetStyle.h"
#include "Corvan/Layout/ContentLayoutBase.h"
#include "Corvan/Layout/ILayoutEventForwarder.h"
#include "Lib/Log.h"
#include "Lib/Point.h"
#include "Lib/RectSize.h"

#include <cstdint>

namespace Vozad
{
class IGuiEngine;

enum PopupFlag : int32_t
{
    k_PopupCloseOnOutside = 1, // a press outside it, or losing the focus
    k_PopupCloseOnClick = 2,   // a click inside it
    k_PopupCloseOnKeys = 4,    // Return and Escape
};

class Popup : public ContentLayoutBase, public ILayoutEventForwarder
{
public:
    explicit Popup(IGuiEngine* p_Engine);

    // Hides the popup and drops its focus; the opener removes it from the engine.
    void Close();

    int32_t GetBehaviour() const { return m_Behaviour; }
    void SetBehaviour(int32_t p_Behaviour) { m_Behaviour = p_Behaviour; }
    const WidgetStyle& GetStyle() const { return m_Style; }

    bool OnKeyPress(EventKeyInput& p_Event) override;
    // A press on the popup that is released beside it is the popup's: the release and the click
    // go to no layer below, the popup closes and its forwarder hears of the click (as sender the
    // popup), so an opener can take the keyboard focus back.
    LayoutBase* OnMousePress(EventMousePress& p_Event) override;
    LayoutBase* OnMouseRelease(EventMousePress& p_Event) override;
    LayoutBase* OnMouseClick(EventMousePress& p_Event) override;
    // Placed at its position with its size, clamped to the window.
    void UpdateLayout() override;
    void Draw(IDrawingContext& p_Context) override;
    void SetFocused(bool p_Focused) override;
    // The element is wrapped in a margin of the border thickness; the wrapper is owned.
    void SetContent(LayoutBase* p_Content, bool p_Owned) override;
    using ContentLayoutBase::SetContent;

    LayoutBase* OnMouseClick(EventMousePress& p_Event, LayoutBase& p_Sender) override;

    // Set by the owner before the engine opens the popup.
    Lib::Point m_Position;
    Lib::RectSize m_Size;

private:
    // Closes and asks the engine to drop the layer.
    void CloseAndRemove();
    bool TakesReleaseOutside(const EventMousePress& p_Event) const;

    Lib::LogTag m_Tag{"Popup"};
    IGuiEngine* m_Engine = nullptr; // not owned
    int32_t m_Behaviour = k_PopupCloseOnOutside | k_PopupCloseOnClick | k_PopupCloseOnKeys;
    WidgetStyle m_Style;
    bool m_PressedInside = false; // the last press landed on the popup
};
} // namespace Vozad
