#include "Corvan/Gui/Console/ConsoleScrollView.h"

#include "Corvan/Events/InputEvents.h"
#include "Corvan/Gui/Colours.h"
#include "Corvan/Gui/IDrawingContext.h"
#include "Corvan/Gui/IGuiEngine.h"

#include <algorithm>

namespace Vozad
{
namespace
{
constexpr int32_t k_TextIndent = 5;
} // namespace

ConsoleScrollView::ConsoleScrollView(IGuiEngine* p_Engine) : m_Engine(p_Engine)
{
    SetFlag(k_LayoutSizeToDesired, true);
    m_Style.backgroundColour = 0xFF2B2B2B;
    m_Style.font = m_Font;
}

void ConsoleScrollView::Setup()
{
    m_LineHeight = static_cast<int32_t>(m_Engine->MeasureText("TestText", m_Font).height) + 2;
}

void ConsoleScrollView::AddLine(ConsoleLine p_Line)
{
    p_Line.text.RemoveChar(L'\n');
    m_Lines.Add(std::move(p_Line));
    if (m_ScrollOffset != 0)
        ++m_ScrollOffset;
    if (m_Lines.Count() > k_MaxLines)
    {
        m_Lines.Remove(0);
        // A view already at 0 stays there: a negative offset would point past the newest line.
        if (m_ScrollOffset > 0 &&
            m_ScrollOffset >= static_cast<int32_t>(m_Lines.Count()) - m_VisibleLineCount)
            --m_ScrollOffset;
    }
}

void ConsoleScrollView::ClearLines()
{
    m_Lines.Clear();
    m_ScrollOffset = 0;
}

bool ConsoleScrollView::OnMouseScroll(EventMouseScroll& p_Event)
{
    if (!IsEnabled() || !IsVisible())
        return false;
    const int32_t count = static_cast<int32_t>(m_Lines.Count());
    if (count < m_VisibleLineCount)
        return true;
    // One line per wheel event, however far the wheel turned.
    if (p_Event.amount > 0)
    {
        if (m_ScrollOffset < count - m_VisibleLineCount)
            ++m_ScrollOffset;
    }
    else if (p_Event.amount < 0 && m_ScrollOffset > 0)
        --m_ScrollOffset;
    return true;
}

void ConsoleScrollView::UpdateLayout()
{
    m_VisibleLineCount = m_LineHeight > 0 ? GetRect().Height() / m_LineHeight : 0;
    // A view that grew taller than its lines shows them all from the newest: an offset kept
    // there would outlive the wheel (which does nothing while every line fits) and hold every
    // new line back.
    const int32_t count = static_cast<int32_t>(m_Lines.Count());
    const int32_t limit = std::max(0, count - m_VisibleLineCount - 1);
    if (m_ScrollOffset > limit)
        m_ScrollOffset = limit;
    m_Style.changed = false;
}

void ConsoleScrollView::Draw(IDrawingContext& p_Context)
{
    if (!IsVisible())
        return;
    const LayoutRect rect = GetDrawnRect();
    p_Context.SetColour(Colour::SwapRedBlue(m_Style.backgroundColour));
    p_Context.FillRect(rect, 0.0f);

    const int32_t count = static_cast<int32_t>(m_Lines.Count());
    if (count == 0)
        return;
    const int32_t newest = std::clamp(count - m_ScrollOffset - 1, 0, count - 1);
    // One line more than fits, so a partly covered line at the top is not left blank.
    const int32_t drawCount = std::min(m_VisibleLineCount, count) + 1;
    int32_t y = rect.bottom;
    for (int32_t i = 0; i < drawCount && newest - i >= 0; ++i)
    {
        const ConsoleLine& line = m_Lines[static_cast<uint32_t>(newest - i)];
        y -= m_LineHeight;
        p_Context.SetColour(line.colour);
        p_Context.DrawText(line.text, {rect.left + k_TextIndent, y}, m_Font, 0);
    }
}

void ConsoleScrollView::SetVisibility(int32_t p_Visibility)
{
    LayoutBase::SetVisibility(p_Visibility);
    m_Style.changed = true;
}
} // namespace Vozad
