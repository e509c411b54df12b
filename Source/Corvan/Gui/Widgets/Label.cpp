#include "Corvan/Gui/Widgets/Label.h"

#include "Corvan/Gui/Colours.h"
#include "Corvan/Gui/FontResolver.h"
#include "Corvan/Gui/IDrawingContext.h"
#include "Corvan/Gui/IGuiEngine.h"
#include "Corvan/Gui/Widgets/WidgetSize.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace Vozad
{
namespace
{
const Lib::String k_Ellipsis = "...";
} // namespace

Label::Label(IGuiEngine* p_Engine, uint32_t p_FontSize, int32_t p_Alignment)
    : m_Engine(p_Engine), m_Alignment(p_Alignment)
{
    m_Style.font.size = p_FontSize;
    m_Style.backgroundColour = 0;
    m_Style.borderColour = Colour::SwapRedBlue(Colour::k_Brown);
    m_Style.textColour = Colour::SwapRedBlue(Colour::k_White);
    m_Style.borderThickness = 0;
    SetFlag(k_LayoutActive, false);
    SetFlag(k_LayoutSizeToDesired, true);
}

void Label::SetText(const Lib::String& p_Text)
{
    Lib::String text = p_Text;
    if (!m_MultiLine)
        text.RemoveChar(L'\n');
    if (text == m_FullText)
        return;
    if (text.IsEmpty())
    {
        m_FullText = Lib::String();
        m_ShownText = Lib::String();
        m_Style.text = Lib::String();
        m_Style.changed = true;
        return;
    }
    m_FullText = text;
    m_Style.text = text;
    m_Style.textMetrics = m_Engine ? m_Engine->MeasureText(m_Style.text, m_Style.font) : TextMetrics();
    if (m_MultiLine)
        MeasureLines();
    FitText();
}

void Label::SetPadding(int32_t p_Left, int32_t p_Top, int32_t p_Right, int32_t p_Bottom)
{
    m_PaddingLeft = p_Left;
    m_PaddingTop = p_Top;
    m_PaddingRight = p_Right;
    m_PaddingBottom = p_Bottom;
    FitText();
}

void Label::UpdateLayout()
{
    FitText();
}

LayoutRect Label::DrawnRect() const
{
    return GetDrawnRect();
}

void Label::MeasureLines()
{
    m_LineWidths.Clear();
    const std::wstring& text = m_Style.text.Wide();
    size_t start = 0;
    while (true)
    {
        const size_t end = text.find(L'\n', start);
        const std::wstring part =
            text.substr(start, end == std::wstring::npos ? std::wstring::npos : end - start);
        float width = 0.0f;
        if (!part.empty() && m_Engine)
            width = m_Engine->MeasureText(Lib::String(part), m_Style.font).width;
        m_LineWidths.Add(width);
        if (end == std::wstring::npos)
            break;
        start = end + 1;
    }
}

// A part wider than the space it gets wraps when drawn; each further full or partial width it
// needs counts as one more line, so the natural height covers the wrapped text.
int32_t Label::CountLines(float p_AvailableWidth) const
{
    int32_t lines = static_cast<int32_t>(m_LineWidths.Count());
    if (p_AvailableWidth <= 0.0f)
        return lines;
    for (uint32_t i = 0; i < m_LineWidths.Count(); ++i)
        if (m_LineWidths[i] > p_AvailableWidth)
            lines += static_cast<int32_t>(std::ceil(m_LineWidths[i] / p_AvailableWidth)) - 1;
    return lines;
}

void Label::FitText()
{
    const int32_t border = 2 * m_Style.borderThickness;
    const int32_t padW = m_PaddingLeft + m_PaddingRight + border;
    const int32_t padH = m_PaddingTop + m_PaddingBottom + border;
    const LayoutRect drawn = DrawnRect();
    m_Style.drawnRect = drawn;

    float textWidth = m_Style.textMetrics.width;
    float textHeight = m_Style.textMetrics.height;
    if (m_MultiLine)
    {
        float widest = 0.0f;
        for (uint32_t i = 0; i < m_LineWidths.Count(); ++i)
            widest = std::max(widest, m_LineWidths[i]);
        // Lines are drawn one pixel size apart; the last one needs the font's full height for
        // its descenders. Counting the point size per line, as once done, cut off the last
        // lines of every multi-line label in a grid cell sized to it.
        const float lineAdvance = FontPixelSize(m_Style.font);
        const int32_t lines = CountLines(static_cast<float>(drawn.Width() - padW));
        m_NaturalWidth = static_cast<int32_t>(widest) + padW;
        textWidth = widest;
        textHeight = lines > 0 ? lineAdvance * static_cast<float>(lines - 1) +
                                     std::max(lineAdvance, m_Style.textMetrics.height)
                               : 0.0f;
        m_NaturalHeight = static_cast<int32_t>(std::ceil(textHeight)) + padH;
    }
    else
    {
        m_NaturalWidth = padW + static_cast<int32_t>(textWidth);
        m_NaturalHeight = padH + static_cast<int32_t>(textHeight);
    }
    m_ShownText = m_FullText;

    const Lib::RectSize wished = WishedSize();
    const int32_t widthUsed = std::min(static_cast<int32_t>(wished.width), drawn.Width());
    const int32_t heightUsed = std::min(static_cast<int32_t>(wished.height), drawn.Height());

    const int32_t avail = widthUsed - padW;
    if (!m_MultiLine && !m_FullText.IsEmpty() && avail != 0 && textWidth > static_cast<float>(avail))
    {
        const TextMetrics& metrics = m_Style.textMetrics;
        uint32_t kept = metrics.glyphs.Count();
        float sum = 0.0f;
        for (uint32_t i = 0; i < metrics.glyphs.Count(); ++i)
        {
            sum += std::max(metrics.glyphs[i].advance, metrics.glyphs[i].width);
            if (sum >= static_cast<float>(avail))
            {
                kept = i;
                break;
            }
        }
        m_ShownText = Lib::String();
        textWidth = 0.0f;
        int32_t count = static_cast<int32_t>(std::min(kept, m_FullText.Length()));
        while (count > 0)
        {
            std::wstring candidate = m_FullText.Wide().substr(0, static_cast<size_t>(count));
            // The dots follow the last word directly, never a gap.
            while (!candidate.empty() && candidate.back() == L' ')
                candidate.pop_back();
            if (candidate.empty())
                break;
            const int32_t prefixLength = static_cast<int32_t>(candidate.size());
            candidate.append(k_Ellipsis.Wide());
            const Lib::String shortened(candidate);
            const float width = m_Engine ? m_Engine->MeasureText(shortened, m_Style.font).width : 0.0f;
            if (width <= static_cast<float>(avail))
            {
                m_ShownText = shortened;
                textWidth = width;
                break;
            }
            count = prefixLength - 1;
        }
    }

    Lib::Point position;
    if (m_Alignment == k_LabelAlignCentre)
    {
        const int32_t x =
            std::min(widthUsed, std::max(static_cast<int32_t>((widthUsed - textWidth) / 2), padW / 2));
        const int32_t y =
            std::min(heightUsed, std::max(static_cast<int32_t>((heightUsed - textHeight) / 2), padH / 2));
        position = {drawn.left + x, drawn.top + y};
    }
    else
    {
        position = {drawn.left + padW / 2, drawn.top + padH / 2};
    }
    m_Style.textPosition = position;
    m_Style.changed = false;
}

Lib::RectSize Label::GetDesiredSize() const
{
    if (GetVisibility() == k_LayoutCollapsed)
        return {0, 0};
    return WishedSize();
}

Lib::RectSize Label::WishedSize() const
{
    return WishedOrNaturalSize(*this, m_NaturalWidth, m_NaturalHeight);
}

void Label::Draw(IDrawingContext& p_Context)
{
    if (!IsVisible())
        return;
    if (m_Style.changed || !(m_Style.drawnRect == DrawnRect()))
        FitText();
    const LayoutRect& drawn = m_Style.drawnRect;
    const int32_t border = m_Style.borderThickness;

    p_Context.SetColour(Colour::SwapRedBlue(m_Style.backgroundColour));
    p_Context.FillRect(drawn, 0.0f);

    p_Context.PushClipRect({drawn.left + m_PaddingLeft, drawn.right - m_PaddingRight,
                            drawn.top + m_PaddingTop, drawn.bottom - m_PaddingBottom});
    const int32_t wrapWidth = drawn.Width() - m_PaddingLeft - m_PaddingRight - 2 * border;
    p_Context.SetColour(Colour::SwapRedBlue(m_Style.textColour));
    p_Context.DrawText(m_ShownText, m_Style.textPosition, m_Style.font,
                       static_cast<uint32_t>(std::max(wrapWidth, 0)));
    p_Context.PopClipRect();

    if (border > 0)
    {
        p_Context.SetColour(Colour::SwapRedBlue(m_Style.borderColour));
        p_Context.DrawRect(drawn, static_cast<float>(border), 0.0f);
    }
}
} // namespace Vozad
