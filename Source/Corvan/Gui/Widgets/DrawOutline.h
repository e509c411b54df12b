#pragma once
// The outline every element can draw around itself or around any rectangle.
#include "Corvan/Layout/LayoutRect.h"

#include <cstdint>

namespace Vozad
{
class IDrawingContext;
class LayoutBase;

// Outlines p_Rect with rounding 0. An all-zero p_Rect stands for the element's rectangle moved by
// its origin; p_Colour is in the drawing packing 0xAABBGGRR, and 0 draws red so that a forgotten
// colour still shows up.
void DrawOutline(const LayoutBase& p_Element, IDrawingContext& p_Context, const LayoutRect& p_Rect,
                 uint32_t p_Colour, float p_Thickness);
} // namespace Vozad
