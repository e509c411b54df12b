// The keys a scroll view takes: a page, the ends, and single lines.
#include "Corvan/Events/KeyCodes.h"
#include "Corvan/Gui/Containers/Scrollview.h"

namespace Vozad
{
bool Scrollview::ScrollByKey(int32_t p_KeyCode)
{
    if (!PassesInput() || ScrollRange() == 0)
        return false;
    const int64_t now = -static_cast<int64_t>(m_Offset.y);
    const int64_t line = LineHeight();
    // A page keeps one line of the old view in sight, so the reader does not lose the place.
    const int64_t page = std::max<int64_t>(line, GetRect().Height() - Inset() - line);
    switch (p_KeyCode)
    {
    case KeyCode::PageUp:
        ScrollTo(now - page);
        return true;
    case KeyCode::PageDown:
        ScrollTo(now + page);
        return true;
    case KeyCode::Home:
        ScrollTo(0);
        return true;
    case KeyCode::End:
        ScrollTo(ScrollRange());
        return true;
    case KeyCode::UpArrow:
        if (!IsFocused())
            return false;
        ScrollTo(now - line);
        return true;
    case KeyCode::DownArrow:
        if (!IsFocused())
            return false;
        ScrollTo(now + line);
        return true;
    default:
        return false;
    }
}
} // namespace Vozad
