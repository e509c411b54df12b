#include "Corvan/Gui/Widgets/Button.h"

#include "Corvan/Gui/Colours.h"
#include "Corvan/Gui/IDrawingContext.h"
#include "Corvan/Gui/IGuiEngine.h"
#include "Corvan/Gui/Widgets/WidgetSize.h"
#include "Corvan/Layout/ILayoutEventForwarder.h"

#include <algorithm>

namespace Vozad
{
namespace
{
constexpr uint32_t k_Face = 0xFF4D4D4F;
constexpr uint32_t k_Border = 0xFF5F6161;
constexpr uint32_t k_BorderHighlight = 0xFF3DAEE9;
// Laid over a disabled button so it still shows but reads as unavailable.
constexpr uint32_t k_DisabledOverlay = 0x7F7F7F7F;

// Offset of text of p_Extent inside p_Available: centred when it fits, else the padding.
int32_t CentreOffset(float p_Extent, int32_t p_Available, int32_t p_Padding)
{
    if (p_Extent >= static_cast<float>(p_Available))
        return p_Padding;
    const int32_t offset =
        std::max(0, static_cast<int32_t>((static_cast<float>(p_Available) - p_Extent) * 0.5f));
    return std::min(offset, p_Available);
}
} // namespace

Button::Button(IGuiEngine* p_Engine, uint32_t p_FontSize, int32_t p_Rounding) : m_Engine(p_Engine)
{
    SetFlag(k_LayoutSizeToDesired, true);
    m_Style.font.size = p_FontSize;
    m_Style.rounding = p_Rounding;
    m_Style.backgroundColour = k_Face;
    m_Style.backgroundColourFocused = k_Face;
    m_Style.backgroundColourHovered = k_Face;
    m_Style.borderColour = k_Border;
    m_Style.borderColourFocused = k_BorderHighlight;
    m_Style.borderColourHovered = k_BorderHighlight;
    m_Style.textColour = Colour::SwapRedBlue(Colour::k_White);
    m_Style.textColourFocused = Colour::SwapRedBlue(Colour::k_White);
    m_Style.borderThickness = 1;
}

void Button::SetText(const Lib::String& p_Text)
{
    m_Text = p_Text;
    if (!(m_Text == m_Style.text))
    {
        m_Style.text = m_Text;
        m_Style.changed = true;
    }
    m_Style.textMetrics = m_Engine ? m_Engine->MeasureText(m_Style.text, m_Style.font) : TextMetrics();
    const int32_t border = m_Style.borderThickness;
    m_NaturalWidth = static_cast<int32_t>(m_Style.textMetrics.width) + 2 * (border + m_Padding);
    m_NaturalHeight = static_cast<int32_t>(m_Style.textMetrics.height) + m_Padding + 2 * border;
    PlaceContent();
}

void Button::SetIcon(const TextureInfo& p_Icon)
{
    m_Icon = p_Icon;
    PlaceContent();
}

void Button::PlaceContent()
{
    const LayoutRect drawn = GetDrawnRect();
    m_Style.drawnRect = drawn;
    const Lib::RectSize wished = WishedOrNaturalSize(*this, m_NaturalWidth, m_NaturalHeight);
    const int32_t availableWidth = std::min(GetRect().Width(), static_cast<int32_t>(wished.width));
    const int32_t availableHeight = std::min(GetRect().Height(), static_cast<int32_t>(wished.height));
    if (!m_Style.text.IsEmpty())
    {
        m_Style.textPosition = {
            drawn.left + CentreOffset(m_Style.textMetrics.width, availableWidth, m_Padding),
            drawn.top + CentreOffset(m_Style.textMetrics.height, availableHeight, m_Padding)};
        m_Style.iconPosition = {drawn.left, drawn.top};
    }
    else
    {
        m_Style.iconPosition = {drawn.left + (availableWidth - m_Icon.width) / 2,
                                drawn.top + (availableHeight - m_Icon.height) / 2};
    }
    m_Style.changed = false;
}

LayoutBase* Button::OnMousePress(EventMousePress& p_Event)
{
    if (PassesInput() && GetForwarder())
        GetForwarder()->OnMousePress(p_Event, *this);
    return this;
}

void Button::UpdateLayout()
{
    PlaceContent();
}

void Button::SetVisibility(int32_t p_Visibility)
{
    LayoutBase::SetVisibility(p_Visibility);
    m_Style.changed = true;
}

Lib::RectSize Button::GetDesiredSize() const
{
    if (GetVisibility() == k_LayoutCollapsed)
        return {0, 0};
    return WishedOrNaturalSize(*this, m_NaturalWidth, m_NaturalHeight);
}

void Button::Draw(IDrawingContext& p_Context)
{
    if (!IsVisible())
        return;
    if (m_Style.changed || !(m_Style.drawnRect == GetDrawnRect()))
        PlaceContent();
    const LayoutRect& drawn = m_Style.drawnRect;
    const float rounding = static_cast<float>(m_Style.rounding);
    const int32_t border = m_Style.borderThickness;

    uint32_t background = IsHovered() ? m_Style.backgroundColourHovered : m_Style.backgroundColour;
    if (IsFocused())
        background = m_Style.backgroundColourFocused;
    p_Context.SetColour(Colour::SwapRedBlue(background));
    p_Context.FillRect(drawn, rounding);

    if (m_Icon.width > 0 && m_Icon.height > 0)
        p_Context.DrawImage(m_Icon, m_Style.iconPosition, drawn);

    if (!m_Style.text.IsEmpty())
    {
        p_Context.PushClipRect({drawn.left + m_Padding, drawn.right - m_Padding, drawn.top + m_Padding,
                                drawn.bottom - m_Padding});
        p_Context.SetColour(
            Colour::SwapRedBlue(IsFocused() ? m_Style.textColourFocused : m_Style.textColour));
        const int32_t wrapWidth = drawn.Width() - 2 * (border + m_Padding);
        p_Context.DrawText(m_Style.text, m_Style.textPosition, m_Style.font,
                           static_cast<uint32_t>(std::max(wrapWidth, 0)));
        p_Context.PopClipRect();
    }

    uint32_t borderColour = IsFocused() ? m_Style.borderColourFocused : m_Style.borderColour;
    if (IsHovered())
        borderColour = m_Style.borderColourHovered;
    p_Context.SetColour(Colour::SwapRedBlue(borderColour));
    p_Context.DrawRect(drawn, static_cast<float>(border), rounding);

    if (!IsEnabled())
    {
        p_Context.SetColour(k_DisabledOverlay);
        p_Context.FillRect(drawn, rounding);
    }
}
} // namespace Vozad
