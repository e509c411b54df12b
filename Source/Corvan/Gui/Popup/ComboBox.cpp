#include "Corvan/Gui/Popup/ComboBox.h"

#include "Corvan/Events/InputEvents.h"
#include "Corvan/Events/KeyCodes.h"
#include "Corvan/Gui/Colours.h"
#include "Corvan/Gui/IDrawingContext.h"
#include "Corvan/Gui/IGuiEngine.h"
#include "Corvan/Gui/Widgets/DrawOutline.h"
#include "Corvan/Renderer/ImageResources.h"

#include <algorithm>

namespace Vozad
{
namespace
{
constexpr uint32_t k_DisabledOverlay = 0x7F7F7F7F;
constexpr int32_t k_DropDownGap = 2;

bool LiesInside(const LayoutRect& p_Inner, const LayoutRect& p_Outer)
{
    return p_Inner.left >= p_Outer.left && p_Inner.right <= p_Outer.right && p_Inner.top >= p_Outer.top &&
           p_Inner.bottom <= p_Outer.bottom;
}
} // namespace

ComboBox::ComboBox(IGuiEngine* p_Engine, uint32_t p_FontSize, IComboBoxItemSelect* p_ItemSelect)
    : m_Engine(p_Engine), m_ItemSelect(p_ItemSelect), m_Popup(p_Engine), m_Content(p_Engine, this, p_FontSize)
{
    SetFlag(k_LayoutSizeToDesired, true);
    m_FieldStyle.backgroundColour = 0xFF4D4D4F;
    m_FieldStyle.borderColour = 0xFF5F6161;
    m_FieldStyle.borderColourFocused = 0xFF3DAEE9;
    m_FieldStyle.borderColourHovered = 0xFF3DAEE9;
    m_FieldStyle.textColour = 0xFFFFFFFF;
    m_FieldStyle.borderThickness = 1;
    m_FieldStyle.font.size = p_FontSize;

    m_Window = m_Engine->GetWindow();
    const ImageResource* image = FindImageResource("DropDown");
    if (image)
        m_Icon = m_Engine->LoadUiTextureFromMemory(*image);
    if (!image || m_Icon.textureKey == TextureInfo().textureKey)
    {
        m_Icon = TextureInfo();
        Lib::LogError(m_Tag, "Cloud not load drop down textures.");
        return;
    }
    m_Popup.SetContent(&m_Content, false);
    m_Content.SetForwarder(this);
    // A press on the list released beside it closes the list and reaches the field as a click,
    // which takes the focus back from the entry that the press focused.
    m_Popup.SetForwarder(this);
    m_Popup.SetBehaviour(k_PopupCloseOnOutside | k_PopupCloseOnClick | k_PopupCloseOnKeys);
}

ComboBox::~ComboBox()
{
    // The root stack must not keep a layer that dies with this field.
    if (IsOpen())
        m_Engine->ClosePopup(&m_Popup);
}

void ComboBox::AddItem(const Lib::String& p_Text, bool p_Select)
{
    m_Content.AddEntry(p_Text, p_Select);
    const TextMetrics metrics = m_Engine->MeasureText(p_Text, m_FieldStyle.font);
    m_WidestText = std::max(m_WidestText, static_cast<int32_t>(metrics.width));
    m_TallestText = std::max(m_TallestText, static_cast<int32_t>(metrics.height));
    m_FieldStyle.changed = true;
    UpdatePositions();
}

void ComboBox::Clear()
{
    if (IsOpen())
    {
        m_Engine->ClosePopup(&m_Popup);
        m_Popup.Close();
    }
    m_Selected = 0;
    m_WidestText = 0;
    m_TallestText = 0;
    m_FieldStyle.text = Lib::String();
    m_FieldStyle.textMetrics = TextMetrics();
    m_FieldStyle.changed = true;
    m_Content.RemoveAllEntries();
}

int32_t ComboBox::NaturalWidth() const
{
    return m_Icon.width + m_WidestText + 3 * m_Padding + 2 * m_FieldStyle.borderThickness;
}

int32_t ComboBox::NaturalHeight() const
{
    return 2 * (m_Padding + m_FieldStyle.borderThickness) + std::max(m_TallestText, m_Icon.width);
}

Lib::RectSize ComboBox::GetDesiredSize() const
{
    if (GetVisibility() == k_LayoutCollapsed)
        return {0, 0};
    const int32_t width = GetDesiredWidth() != k_NoDesiredSize ? GetDesiredWidth() : NaturalWidth();
    const int32_t height = GetDesiredHeight() != k_NoDesiredSize ? GetDesiredHeight() : NaturalHeight();
    return {static_cast<uint32_t>(width), static_cast<uint32_t>(height)};
}

void ComboBox::OpenDropDown()
{
    if (!HasDropDown() || IsOpen())
        return;
    const LayoutRect field = GetDrawnRect();
    // A field scrolled (even partly) out of its view has no place to hang the list from.
    if (!GetClipRect().IsNone() && !LiesInside(field, GetClipRect()))
        return;
    if (m_Selected < m_Content.GetEntryCount())
        m_Content.Highlight(m_Selected);
    PlaceDropDown();
    m_Engine->OpenPopup(&m_Popup);
}

void ComboBox::PlaceDropDown()
{
    const LayoutRect field = GetDrawnRect();
    const int64_t listHeight = m_Content.GetDesiredSize().height;
    const int64_t windowHeight = m_Engine->GetWindowSize().height;
    const int64_t bottom = std::max<int64_t>(
        field.bottom, std::min<int64_t>(windowHeight, field.bottom + listHeight + k_DropDownGap));
    m_Content.SetRect({field.left, field.right, field.bottom, static_cast<int32_t>(bottom)});
    m_Popup.m_Position = {field.left, field.bottom};
    m_Popup.m_Size = {static_cast<uint32_t>(std::max(0, field.Width())),
                      static_cast<uint32_t>(bottom - field.bottom)};
}

void ComboBox::OnEntrySelected(uint32_t p_Index, const Lib::String& p_Text, bool)
{
    m_Selected = p_Index;
    if (!(p_Text == m_FieldStyle.text))
    {
        m_FieldStyle.text = p_Text;
        m_FieldStyle.changed = true;
    }
    m_FieldStyle.textMetrics = m_Engine->MeasureText(p_Text, m_FieldStyle.font);
    UpdatePositions();
}

bool ComboBox::OnKeyPress(EventKeyInput& p_Event)
{
    if (!PassesInput() || !IsFocused() || m_Content.GetEntryCount() == 0)
        return false;
    // Through the popup, so that Return and Escape close the list after it has handled them.
    if (IsOpen())
        return m_Popup.OnKeyPress(p_Event);
    // A closed list leaves the arrow keys to the focus walk through the panel; Return opens it.
    if (p_Event.keyCode != KeyCode::Return)
        return false;
    OpenDropDown();
    return true;
}

LayoutBase* ComboBox::OnMousePress(EventMousePress& p_Event)
{
    if (!PassesInput() || p_Event.button != MouseButton::Left)
        return nullptr;
    // The same press closes the open list as an outside press; its click must not reopen it.
    // Set anew on every press: a press released off the field never reaches this field's click,
    // and a mark left from it would swallow the next click.
    m_PressedWhileOpen = IsOpen();
    return this;
}

LayoutBase* ComboBox::OnMouseClick(EventMousePress& p_Event)
{
    if (!PassesInput())
        return nullptr;
    if (IsFocused() && p_Event.button == MouseButton::Left && m_Content.GetEntryCount() > 0 &&
        !m_PressedWhileOpen)
        OpenDropDown();
    m_PressedWhileOpen = false;
    return this;
}

LayoutBase* ComboBox::OnHoverChanged(EventCursor&)
{
    return this;
}

void ComboBox::UpdatePositions()
{
    const LayoutRect drawn = GetDrawnRect();
    m_FieldStyle.drawnRect = drawn;
    const int32_t wished = GetDesiredHeight() != k_NoDesiredSize ? GetDesiredHeight() : NaturalHeight();
    const int32_t height = std::min(GetRect().Height(), wished);
    const int32_t inset = m_Padding + m_FieldStyle.borderThickness;
    const int32_t textHeight = static_cast<int32_t>(m_FieldStyle.textMetrics.height);
    m_FieldStyle.textPosition = {drawn.left + inset, drawn.top + std::max(0, (height - textHeight) / 2)};
    m_IconStyle.iconPosition = {drawn.right - m_Icon.width - inset,
                                drawn.top + std::max(0, (height - m_Icon.height) / 2)};
    m_FieldStyle.changed = false;
}

void ComboBox::UpdateLayout()
{
    UpdatePositions();
    if (IsOpen())
    {
        PlaceDropDown();
        m_Popup.UpdateLayout();
    }
}

void ComboBox::Draw(IDrawingContext& p_Context)
{
    if (!IsVisible())
        return;
    if (m_FieldStyle.changed)
        UpdatePositions();
    const LayoutRect& drawn = m_FieldStyle.drawnRect;
    p_Context.SetColour(Colour::SwapRedBlue(m_FieldStyle.backgroundColour));
    p_Context.FillRect(drawn, 0.0f);
    p_Context.SetColour(Colour::SwapRedBlue(m_FieldStyle.textColour));
    p_Context.DrawText(m_FieldStyle.text, m_FieldStyle.textPosition, m_FieldStyle.font, 0);
    if (m_Icon.width > 0)
        p_Context.DrawImage(m_Icon, m_IconStyle.iconPosition, drawn);
    const bool lit = IsFocused() || IsHovered();
    DrawOutline(*this, p_Context, drawn,
                Colour::SwapRedBlue(lit ? m_FieldStyle.borderColourFocused : m_FieldStyle.borderColour),
                static_cast<float>(m_FieldStyle.borderThickness));
    if (!IsEnabled())
    {
        p_Context.SetColour(k_DisabledOverlay);
        p_Context.FillRect(drawn, static_cast<float>(m_FieldStyle.rounding));
    }
}

void ComboBox::SetVisibility(int32_t p_Visibility)
{
    LayoutBase::SetVisibility(p_Visibility);
    m_FieldStyle.changed = true;
    // A list hanging below a field that is gone would float over nothing.
    if (p_Visibility != k_LayoutVisible && IsOpen())
    {
        m_Engine->ClosePopup(&m_Popup);
        m_Popup.Close();
    }
}

LayoutBase* ComboBox::OnMouseClick(EventMousePress&, LayoutBase&)
{
    m_Engine->SetFocus(this);
    return nullptr;
}
} // namespace Vozad
