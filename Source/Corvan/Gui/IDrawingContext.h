#pragma once
// What GUI elements draw through. Coordinates are absolute window pixels; colours are packed
// 0xAABBGGRR and an alpha of 0 draws nothing.
#include "Corvan/Gui/FontSpec.h"
#include "Corvan/Layout/LayoutRect.h"
#include "Lib/Point.h"
#include "Lib/String.h"

#include <cstdint>

namespace Vozad
{
struct TextureInfo;

class IDrawingContext
{
public:
    virtual ~IDrawingContext() = default;

    // The new clip rectangle is the intersection with the current one.
    virtual void PushClipRect(const LayoutRect& p_Rect) = 0;
    virtual void PopClipRect() = 0;
    // Always all zero; kept for callers that ask.
    virtual LayoutRect GetDrawOffset() const = 0;
    // Rectangles that only touch at an edge do not overlap.
    virtual bool RectsOverlap(const LayoutRect& p_A, const LayoutRect& p_B) const = 0;
    // Stored only; no drawing operation applies it.
    virtual void SetOffset(Lib::Point p_Offset) = 0;
    virtual void ResetOffset() = 0;
    virtual void SetColour(uint32_t p_Colour) = 0;
    // Nothing below a thickness of 1.
    virtual void DrawLine(Lib::Point p_A, Lib::Point p_B, float p_Thickness) = 0;
    virtual void DrawRect(const LayoutRect& p_Rect, float p_Thickness, float p_Rounding) = 0;
    virtual void FillRect(const LayoutRect& p_Rect, float p_Rounding) = 0;
    virtual void DrawTriangle(Lib::Point p_A, Lib::Point p_B, Lib::Point p_C, float p_Thickness) = 0;
    virtual void FillTriangle(Lib::Point p_A, Lib::Point p_B, Lib::Point p_C) = 0;
    // p_WrapWidth 0 does not wrap. A font that is not loaded yet falls back to the default font.
    virtual void DrawText(const Lib::String& p_Text, Lib::Point p_Position, const FontSpec& p_Font,
                          uint32_t p_WrapWidth) = 0;
    // The image is squeezed into the part of its rectangle that lies inside p_Clip.
    virtual void DrawImage(const TextureInfo& p_Texture, Lib::Point p_Position, const LayoutRect& p_Clip) = 0;
};
} // namespace Vozad
