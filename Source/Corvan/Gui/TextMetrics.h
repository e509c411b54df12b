#pragma once
#include "Lib/DynamicArray.h"

namespace Vozad
{
struct GlyphMetrics
{
    float width = 0.0f;   // right edge minus left edge in the font
    float height = 0.0f;  // bottom minus top
    float advance = 0.0f; // horizontal distance to the next character
};

// A failed measurement is the default: zero size and no glyphs.
struct TextMetrics
{
    float width = 0.0f; // always a whole number
    float height = 0.0f;
    Lib::DynamicArray<GlyphMetrics> glyphs; // one per measured character, in order
};
} // namespace Vozad
