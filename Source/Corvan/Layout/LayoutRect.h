#pragma once
#include "Lib/Point.h"

#include <cstdint>

namespace Vozad
{
// The toolkit's rectangle in window pixels. Both horizontal edges come first: callers build it
// as {left, right, top, bottom}.
struct LayoutRect
{
    int32_t left = 0;
    int32_t right = 0;
    int32_t top = 0;
    int32_t bottom = 0;

    int32_t Width() const { return right - left; }
    int32_t Height() const { return bottom - top; }
    // Both edges count as inside, so a one-pixel line still catches the cursor.
    bool Contains(Lib::Point p_Point) const
    {
        return left <= p_Point.x && p_Point.x <= right && top <= p_Point.y && p_Point.y <= bottom;
    }
    // All zero stands for "no rectangle" (no clip, or the element's own rectangle when drawing).
    bool IsNone() const { return left == 0 && right == 0 && top == 0 && bottom == 0; }
    bool operator==(const LayoutRect&) const = default;
};
} // namespace Vozad
