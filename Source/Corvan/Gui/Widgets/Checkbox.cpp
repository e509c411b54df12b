#include "Corvan/Gui/Widgets/Checkbox.h"

#include "Corvan/Gui/Colours.h"
#include "Corvan/Gui/IDrawingContext.h"
#include "Corvan/Gui/IGuiEngine.h"
#include "Corvan/Gui/Widgets/WidgetSize.h"
#include "Corvan/Layout/ILayoutEventForwarder.h"
#include "Corvan/Renderer/ImageResources.h"

#include <algorithm>

namespace Vozad
{
namespace
{
constexpr const char* k_CheckMarkName = "CheckMark";
constexpr uint32_t k_LabelFontSize = 13;
constexpr uint32_t k_BoxFill = 0xFF808081;
constexpr uint32_t k_BoxBorder = 0xFF5F6161;
constexpr uint32_t k_BoxBorderHighlight = 0xFF3DAEE9;
constexpr int32_t k_MarkInset = 3; // the mark leaves this much of the box free on every side
} // namespace

Checkbox::Checkbox(IGuiEngine* p_Engine) : m_Engine(p_Engine)
{
    SetFlag(k_LayoutSizeToDesired, true);
    m_LabelStyle.font.size = k_LabelFontSize;
    m_LabelStyle.backgroundColour = 0x00000000;
    m_LabelStyle.textColour = Colour::SwapRedBlue(Colour::k_White);
    m_BoxStyle.backgroundColour = k_BoxFill;
    m_BoxStyle.borderColour = k_BoxBorder;
    m_BoxStyle.borderColourFocused = k_BoxBorderHighlight;
    m_BoxStyle.borderColourHovered = k_BoxBorderHighlight;
    m_BoxStyle.borderThickness = 1;

    // The mark is drawn as a filled square; the texture is only loaded so the image is resident
    // for owners that draw it themselves. Without it the box still works. A stand-in image handed
    // back for an undecodable one counts as missing too.
    const ImageResource* image = FindImageResource(k_CheckMarkName);
    if (image && m_Engine)
        m_CheckMark = m_Engine->LoadTextureFromMemory(*image);
    if (m_CheckMark.textureKey == TextureInfo().textureKey || !(m_CheckMark.name == k_CheckMarkName))
        Lib::LogError(m_Tag, "Cloud not load slider textures.");
    UpdateLayout();
}

void Checkbox::SetText(const Lib::String& p_Text)
{
    if (p_Text == m_LabelStyle.text)
        return;
    m_LabelStyle.text = p_Text;
    m_LabelStyle.textMetrics =
        (m_Engine && !p_Text.IsEmpty()) ? m_Engine->MeasureText(p_Text, m_LabelStyle.font) : TextMetrics();
    m_LabelStyle.changed = true;
    UpdateLayout();
}

void Checkbox::UpdateLayout()
{
    const int32_t border = m_LabelStyle.borderThickness;
    const int32_t textWidth = static_cast<int32_t>(m_LabelStyle.textMetrics.width);
    const int32_t textHeight = static_cast<int32_t>(m_LabelStyle.textMetrics.height);
    const int32_t gap = m_LabelStyle.text.IsEmpty() ? 0 : m_TextGap;
    m_NaturalWidth = m_PaddingLeft + m_BoxSize + m_PaddingRight + gap + 2 * border + textWidth;
    m_NaturalHeight = m_PaddingTop + 2 * border + m_PaddingBottom + std::max(m_BoxSize, textHeight);

    const LayoutRect drawn = GetDrawnRect();
    m_LabelStyle.drawnRect = drawn;
    const int32_t boxLeft = drawn.left + m_PaddingLeft + m_BoxStyle.borderThickness;
    int32_t boxTop = drawn.top + m_PaddingTop + border;
    if (textHeight > m_BoxSize)
        boxTop += (textHeight - m_BoxSize) / 2;
    m_BoxStyle.drawnRect = {boxLeft, boxLeft + m_BoxSize, boxTop, boxTop + m_BoxSize};

    int32_t textTop = drawn.top + m_PaddingTop + border;
    if (m_BoxSize > textHeight)
        textTop += (m_BoxSize - textHeight) / 2;
    m_TextPosition = {m_BoxStyle.drawnRect.right + m_TextGap, textTop};
    m_LabelStyle.textPosition = m_TextPosition;
    m_LabelStyle.changed = false;
}

LayoutBase* Checkbox::OnMousePress(EventMousePress& p_Event)
{
    if (PassesInput() && GetForwarder())
        GetForwarder()->OnMousePress(p_Event, *this);
    return this;
}

LayoutBase* Checkbox::OnMouseClick(EventMousePress&)
{
    // A disabled or hidden box keeps its value even when a click is handed to it directly.
    if (!IsEnabled() || !IsVisible())
        return nullptr;
    m_Checked = m_Checked != 1 ? 1 : 0;
    return this;
}

void Checkbox::SetVisibility(int32_t p_Visibility)
{
    LayoutBase::SetVisibility(p_Visibility);
    m_LabelStyle.changed = true;
}

Lib::RectSize Checkbox::GetDesiredSize() const
{
    if (GetVisibility() == k_LayoutCollapsed)
        return {0, 0};
    return WishedOrNaturalSize(*this, m_NaturalWidth, m_NaturalHeight);
}

void Checkbox::Draw(IDrawingContext& p_Context)
{
    if (!IsVisible())
        return;
    if (m_LabelStyle.changed || !(m_LabelStyle.drawnRect == GetDrawnRect()))
        UpdateLayout();

    p_Context.SetColour(Colour::SwapRedBlue(m_LabelStyle.backgroundColour));
    p_Context.FillRect(m_LabelStyle.drawnRect, 0.0f);

    if (!m_LabelStyle.text.IsEmpty())
    {
        p_Context.SetColour(Colour::SwapRedBlue(m_LabelStyle.textColour));
        p_Context.DrawText(m_LabelStyle.text, m_TextPosition, m_LabelStyle.font, 0);
    }

    const LayoutRect& box = m_BoxStyle.drawnRect;
    if (m_Checked == 1)
    {
        p_Context.SetColour(Colour::SwapRedBlue(m_BoxStyle.backgroundColour));
        p_Context.FillRect({box.left + k_MarkInset, box.right - k_MarkInset, box.top + k_MarkInset,
                            box.bottom - k_MarkInset},
                           0.0f);
    }

    uint32_t border = m_BoxStyle.borderColour;
    if (IsFocused())
        border = m_BoxStyle.borderColourFocused;
    if (IsHovered())
        border = m_BoxStyle.borderColourHovered;
    p_Context.SetColour(Colour::SwapRedBlue(border));
    p_Context.DrawRect(box, static_cast<float>(m_BoxStyle.borderThickness), 0.0f);
}
} // namespace Vozad
