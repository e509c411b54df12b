#include "Corvan/Gui/Popup/Popup.h"

#include "Corvan/Events/InputEvents.h"
#include "Corvan/Events/KeyCodes.h"
#include "Corvan/Gui/Colours.h"
#include "Corvan/Gui/Containers/GridSizeMode.h"
#include "Corvan/Gui/Containers/LayoutBar.h"
#include "Corvan/Gui/Containers/LayoutMargin.h"
#include "Corvan/Gui/IDrawingContext.h"
#include "Corvan/Gui/IGuiEngine.h"

#include <algorithm>
#include <memory>

namespace Vozad
{
Popup::Popup(IGuiEngine* p_Engine) : m_Engine(p_Engine)
{
    SetFlag(k_LayoutSizeToDesired, true);
    m_Style.backgroundColour = 0x00000000;
    m_Style.borderColour = 0xFF5F6161;
    m_Style.borderColourFocused = 0xFF3DAEE9;
    m_Style.textColour = 0xFFBCB9BA;
    m_Style.borderThickness = 1;
    SetVisibility(k_LayoutHidden);
}

void Popup::Close()
{
    m_PressedInside = false;
    SetVisibility(k_LayoutHidden);
    SetFlag(k_LayoutFocused, false);
    if (GetForwarder())
        GetForwarder()->OnFocusChanged(false, *this);
}

void Popup::CloseAndRemove()
{
    m_Engine->ClosePopup(this);
    Close();
}

bool Popup::OnKeyPress(EventKeyInput& p_Event)
{
    if (!IsEnabled() || !IsVisible())
        return false;
    const bool handled = ContentLayoutBase::OnKeyPress(p_Event);
    const bool closingKey = p_Event.keyCode == KeyCode::Return || p_Event.keyCode == KeyCode::Escape;
    if ((m_Behaviour & k_PopupCloseOnKeys) != 0 && closingKey)
    {
        CloseAndRemove();
        return true;
    }
    return handled;
}

LayoutBase* Popup::OnMousePress(EventMousePress& p_Event)
{
    m_PressedInside = IsEnabled() && IsVisible() && GetRect().Contains(p_Event.position);
    return ContentLayoutBase::OnMousePress(p_Event);
}

bool Popup::TakesReleaseOutside(const EventMousePress& p_Event) const
{
    // The press began on the popup and the event manager saw it there (the focused bit), and the
    // button came up beside it: the player dragged off the list to think better of it.
    return m_PressedInside && IsFocused() && IsEnabled() && IsVisible() &&
           !GetRect().Contains(p_Event.position);
}

LayoutBase* Popup::OnMouseRelease(EventMousePress& p_Event)
{
    if (TakesReleaseOutside(p_Event))
        return this;
    return ContentLayoutBase::OnMouseRelease(p_Event);
}

LayoutBase* Popup::OnMouseClick(EventMousePress& p_Event)
{
    const bool takenOutside = TakesReleaseOutside(p_Event);
    m_PressedInside = false;
    if (takenOutside)
    {
        // The click ends here and closes the popup: whatever lies under the release must not
        // fire, and a popup left open would float over whatever the layers below show next.
        CloseAndRemove();
        if (GetForwarder())
            GetForwarder()->OnMouseClick(p_Event, *this);
        return this;
    }
    // A click beside the popup belongs to the layers below it.
    if (!IsEnabled() || !IsVisible() || !GetRect().Contains(p_Event.position))
        return nullptr;
    LayoutBase* handler = ContentLayoutBase::OnMouseClick(p_Event);
    if (!handler)
        handler = this;
    if (IsVisible() && (m_Behaviour & k_PopupCloseOnClick) != 0)
        CloseAndRemove();
    return handler;
}

void Popup::UpdateLayout()
{
    const Lib::RectSize window = m_Engine->GetWindowSize();
    const int64_t width = window.width;
    const int64_t height = window.height;
    const int64_t right = std::min<int64_t>(width, static_cast<int64_t>(m_Position.x) + m_Size.width);
    const int64_t bottom = std::min<int64_t>(height, static_cast<int64_t>(m_Position.y) + m_Size.height);
    SetRect(LayoutRect{std::max(0, m_Position.x), static_cast<int32_t>(right), std::max(0, m_Position.y),
                       static_cast<int32_t>(bottom)});
    ContentLayoutBase::UpdateLayout();
}

void Popup::Draw(IDrawingContext& p_Context)
{
    const LayoutRect rect = GetDrawnRect();
    p_Context.SetColour(Colour::SwapRedBlue(m_Style.backgroundColour));
    p_Context.FillRect(rect, 0.0f);
    // The frame stays in the border colour: the focused bit only says where the last press
    // landed, and a list outlined in the focus colour looks like a second focused field.
    p_Context.SetColour(Colour::SwapRedBlue(m_Style.borderColour));
    p_Context.DrawRect(rect, static_cast<float>(m_Style.borderThickness),
                       static_cast<float>(m_Style.rounding));
    ContentLayoutBase::Draw(p_Context);
}

void Popup::SetFocused(bool p_Focused)
{
    LayoutBase::SetFocused(p_Focused);
    if (!p_Focused && IsVisible() && (m_Behaviour & k_PopupCloseOnOutside) != 0)
        CloseAndRemove();
}

void Popup::SetContent(LayoutBase* p_Content, bool p_Owned)
{
    if (!p_Content)
        return;
    // The element sits inside the border, so the outline is never drawn over.
    auto bar = std::make_unique<LayoutBar>(0);
    bar->AddSlot(1, GridSizeMode::Weighted);
    bar->SetElement(p_Content, p_Owned, -1, -1);
    auto margin = std::make_unique<LayoutMargin>(m_Style.borderThickness);
    margin->SetElement(std::move(bar), 1, 1);
    ContentLayoutBase::SetContent(margin.release(), true);
    GetContent()->SetVisibility(GetVisibility());
}

LayoutBase* Popup::OnMouseClick(EventMousePress&, LayoutBase&)
{
    if (IsVisible() || (m_Behaviour & k_PopupCloseOnClick) != 0)
        CloseAndRemove();
    return nullptr;
}
} // namespace Vozad
