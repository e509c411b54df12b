// The scroll bar: a track along the view's right inner edge with a thumb that shows which part of
// the content is in sight. Dragging the thumb scrolls; a click on the track moves a page.
#include "Corvan/Gui/Containers/Scrollview.h"
#include "Corvan/Gui/IDrawingContext.h"

#include <algorithm>

namespace Vozad
{
namespace
{
constexpr int32_t k_BarWidth = 8;
constexpr int32_t k_MinimumThumb = 20;
constexpr uint32_t k_TrackColour = 0x50FFFFFF; // white at a third, drawing packing 0xAABBGGRR
constexpr uint32_t k_ThumbColour = 0xD0C8C8C8;
constexpr uint32_t k_ThumbDraggedColour = 0xFF00C8FF; // the keyboard outline's amber

LayoutRect Moved(const LayoutRect& p_Rect, Lib::Point p_By)
{
    return {p_Rect.left + p_By.x, p_Rect.right + p_By.x, p_Rect.top + p_By.y, p_Rect.bottom + p_By.y};
}
} // namespace

LayoutRect Scrollview::GetBarTrack() const
{
    if (ScrollRange() == 0)
        return {};
    const LayoutRect& rect = GetRect();
    const int32_t border = m_Style.borderThickness;
    return {rect.right - border - k_BarWidth, rect.right - border, rect.top + border, rect.bottom - border};
}

LayoutRect Scrollview::GetBarThumb() const
{
    const LayoutRect track = GetBarTrack();
    const int64_t range = ScrollRange();
    if (range == 0 || track.Height() <= 0)
        return {};
    const int64_t trackHeight = track.Height();
    const int64_t view = GetRect().Height();
    const int64_t thumb =
        std::clamp<int64_t>(trackHeight * view / (view + range), k_MinimumThumb, trackHeight);
    const int64_t top = (trackHeight - thumb) * (-static_cast<int64_t>(m_Offset.y)) / range;
    return {track.left, track.right, static_cast<int32_t>(track.top + top),
            static_cast<int32_t>(track.top + top + thumb)};
}

bool Scrollview::PressBar(Lib::Point p_Position)
{
    const LayoutRect track = GetBarTrack();
    if (track.IsNone() || !track.Contains(p_Position))
        return false;
    const LayoutRect thumb = GetBarThumb();
    if (thumb.Contains(p_Position))
    {
        m_DraggingBar = true;
        m_DragRemainder = 0.0;
        return true;
    }
    const int64_t now = -static_cast<int64_t>(m_Offset.y);
    const int64_t page = std::max<int64_t>(1, GetRect().Height() - Inset());
    ScrollTo(p_Position.y < thumb.top ? now - page : now + page);
    return true;
}

bool Scrollview::DragBar(Lib::Point p_Movement)
{
    const LayoutRect track = GetBarTrack();
    const LayoutRect thumb = GetBarThumb();
    const int64_t free = track.Height() - thumb.Height();
    if (free <= 0)
        return true;
    // The thumb follows the cursor: a pixel of thumb travel is range / free pixels of content.
    m_DragRemainder +=
        static_cast<double>(p_Movement.y) * static_cast<double>(ScrollRange()) / static_cast<double>(free);
    const auto whole = static_cast<int64_t>(m_DragRemainder);
    m_DragRemainder -= static_cast<double>(whole);
    ScrollTo(-static_cast<int64_t>(m_Offset.y) + whole);
    return true;
}

void Scrollview::DrawBar(IDrawingContext& p_Context, const LayoutRect& p_Drawn)
{
    const LayoutRect track = GetBarTrack();
    if (track.IsNone())
        return;
    // Drawn where the view itself is drawn, which inside another scrolled content is moved.
    const Lib::Point shift{p_Drawn.left - GetRect().left, p_Drawn.top - GetRect().top};
    p_Context.SetColour(k_TrackColour);
    p_Context.FillRect(Moved(track, shift), 0.0f);
    p_Context.SetColour(m_DraggingBar ? k_ThumbDraggedColour : k_ThumbColour);
    p_Context.FillRect(Moved(GetBarThumb(), shift), 3.0f);
}
} // namespace Vozad
