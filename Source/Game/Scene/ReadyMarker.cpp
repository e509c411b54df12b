#include "Game/Scene/ReadyMarker.h"

#include "Corvan/Gui/FontSpec.h"
#include "Corvan/Gui/IDrawingContext.h"

#include <algorithm>

namespace Snake
{
namespace
{
// Drawing packing 0xAABBGGRR.
constexpr uint32_t k_HeadOutline = 0xFF00DCFF; // yellow 255, 220, 0
constexpr uint32_t k_NextFill = 0x80FFFFFF;    // white at half alpha
constexpr uint32_t k_TextColour = 0xFF00DCFF;
constexpr uint32_t k_TextSize = 24;

Vozad::LayoutRect ToLayout(const PixelRect& p_Rect, int32_t p_Inset)
{
    return Vozad::LayoutRect{p_Rect.left + p_Inset, p_Rect.right - p_Inset, p_Rect.top + p_Inset,
                             p_Rect.bottom - p_Inset};
}
} // namespace

void ReadyMarker::Show(const PixelRect& p_Head, const PixelRect& p_Next, const Lib::String& p_Text)
{
    m_Shown = true;
    m_Head = p_Head;
    m_Next = p_Next;
    m_Text = p_Text;
}

void ReadyMarker::Draw(Vozad::IDrawingContext& p_Context)
{
    if (!m_Shown || !IsVisible())
        return;
    const int32_t cell = m_Head.right - m_Head.left;
    const int32_t inset = std::max(2, cell / 10);
    p_Context.SetColour(k_NextFill);
    p_Context.FillRect(ToLayout(m_Next, inset), 4.0f);
    p_Context.SetColour(k_HeadOutline);
    p_Context.DrawRect(ToLayout(m_Head, 1), 3.0f, 2.0f);
    // Beside the head on the side away from where it goes, so the word never hides the way.
    Vozad::FontSpec font;
    font.size = k_TextSize;
    const bool goesDown = m_Next.top > m_Head.top;
    const int32_t y = goesDown ? m_Head.top - static_cast<int32_t>(k_TextSize) - 8 : m_Head.bottom + 4;
    p_Context.SetColour(k_TextColour);
    p_Context.DrawText(m_Text, Lib::Point{m_Head.left, std::max(0, y)}, font, 0);
}
} // namespace Snake
