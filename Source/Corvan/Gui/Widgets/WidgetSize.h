#pragma once
// The size rules the widgets share.
#include "Corvan/Layout/LayoutBase.h"
#include "Corvan/Layout/LayoutRect.h"
#include "Lib/RectSize.h"

#include <cstdint>

namespace Vozad
{
// The wished size, with each unset component replaced by the natural one, or by the rectangle's
// when the widget has no natural extent yet (no text measured).
inline Lib::RectSize WishedOrNaturalSize(const LayoutBase& p_Element, int32_t p_NaturalWidth,
                                         int32_t p_NaturalHeight)
{
    const LayoutRect& rect = p_Element.GetRect();
    int32_t width = p_Element.GetDesiredWidth();
    int32_t height = p_Element.GetDesiredHeight();
    if (width == k_NoDesiredSize)
        width = p_NaturalWidth != 0 ? p_NaturalWidth : rect.Width();
    if (height == k_NoDesiredSize)
        height = p_NaturalHeight != 0 ? p_NaturalHeight : rect.Height();
    return {static_cast<uint32_t>(width), static_cast<uint32_t>(height)};
}
} // namespace Vozad
