#pragma once
// The appearance and text block that widgets and the painted containers embed. Colours here are
// 0xAARRGGBB; they are swapped to the drawing packing when drawn (Colour::SwapRedBlue).
#include "Corvan/Gui/FontSpec.h"
#include "Corvan/Gui/TextMetrics.h"
#include "Corvan/Layout/LayoutRect.h"
#include "Lib/Point.h"
#include "Lib/String.h"

#include <cstdint>

namespace Vozad
{
struct WidgetStyle
{
    uint32_t backgroundColour = 0;
    uint32_t backgroundColourFocused = 0;
    uint32_t backgroundColourHovered = 0;
    uint32_t borderColour = 0;
    uint32_t borderColourFocused = 0;
    uint32_t borderColourHovered = 0;
    uint32_t textColour = 0;
    uint32_t textColourFocused = 0;
    LayoutRect drawnRect;
    int32_t borderThickness = 1;
    int32_t rounding = 0;
    Lib::Point iconPosition;
    FontSpec font;
    Lib::String text;
    Lib::Point textPosition;
    TextMetrics textMetrics;
    bool changed = true; // positions are recomputed at the next layout
};
} // namespace Vozad
