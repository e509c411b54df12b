#pragma once
// An IDrawingContext that writes every call down as one readable line, so tests can compare what
// an element drew without pixels: "FillRect 0 100 0 20 r0 c=ff4f4d4d".
#include "Corvan/Gui/IDrawingContext.h"
#include "Corvan/Renderer/TextureInfo.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace Vozad::Testing
{
class RecordingDrawingContext : public IDrawingContext
{
public:
    std::vector<std::string> calls;
    std::vector<LayoutRect> clipStack;

    void PushClipRect(const LayoutRect& p_Rect) override
    {
        clipStack.push_back(p_Rect);
        Record("PushClipRect %d %d %d %d", p_Rect.left, p_Rect.right, p_Rect.top, p_Rect.bottom);
    }
    void PopClipRect() override
    {
        if (!clipStack.empty())
            clipStack.pop_back();
        Record("PopClipRect");
    }
    LayoutRect GetDrawOffset() const override { return {}; }
    bool RectsOverlap(const LayoutRect& p_A, const LayoutRect& p_B) const override
    {
        return std::max(p_A.left, p_B.left) < std::min(p_A.right, p_B.right) &&
               std::max(p_A.top, p_B.top) < std::min(p_A.bottom, p_B.bottom);
    }
    void SetOffset(Lib::Point) override {}
    void ResetOffset() override {}
    void SetColour(uint32_t p_Colour) override { m_Colour = p_Colour; }
    void DrawLine(Lib::Point p_A, Lib::Point p_B, float p_Thickness) override
    {
        Record("DrawLine %d %d %d %d t%g c=%08x", p_A.x, p_A.y, p_B.x, p_B.y, p_Thickness, m_Colour);
    }
    void DrawRect(const LayoutRect& p_Rect, float p_Thickness, float p_Rounding) override
    {
        Record("DrawRect %d %d %d %d t%g r%g c=%08x", p_Rect.left, p_Rect.right, p_Rect.top, p_Rect.bottom,
               p_Thickness, p_Rounding, m_Colour);
    }
    void FillRect(const LayoutRect& p_Rect, float p_Rounding) override
    {
        Record("FillRect %d %d %d %d r%g c=%08x", p_Rect.left, p_Rect.right, p_Rect.top, p_Rect.bottom,
               p_Rounding, m_Colour);
    }
    void DrawTriangle(Lib::Point p_A, Lib::Point p_B, Lib::Point p_C, float p_Thickness) override
    {
        Record("DrawTriangle %d %d %d %d %d %d t%g c=%08x", p_A.x, p_A.y, p_B.x, p_B.y, p_C.x, p_C.y,
               p_Thickness, m_Colour);
    }
    void FillTriangle(Lib::Point p_A, Lib::Point p_B, Lib::Point p_C) override
    {
        Record("FillTriangle %d %d %d %d %d %d c=%08x", p_A.x, p_A.y, p_B.x, p_B.y, p_C.x, p_C.y, m_Colour);
    }
    void DrawText(const Lib::String& p_Text, Lib::Point p_Position, const FontSpec& p_Font,
                  uint32_t p_WrapWidth) override
    {
        Record("DrawText \"%s\" %d %d %upt w%u c=%08x", p_Text.ToNarrow().Data(), p_Position.x, p_Position.y,
               p_Font.size, p_WrapWidth, m_Colour);
    }
    void DrawImage(const TextureInfo& p_Texture, Lib::Point p_Position, const LayoutRect& p_Clip) override
    {
        Record("DrawImage %s %d %d clip %d %d %d %d", p_Texture.name.ToNarrow().Data(), p_Position.x,
               p_Position.y, p_Clip.left, p_Clip.right, p_Clip.top, p_Clip.bottom);
    }

    // Calls whose line starts with p_Prefix, in order.
    std::vector<std::string> CallsStartingWith(const std::string& p_Prefix) const
    {
        std::vector<std::string> result;
        for (const std::string& call : calls)
            if (call.rfind(p_Prefix, 0) == 0)
                result.push_back(call);
        return result;
    }

private:
    template <typename... Args> void Record(const char* p_Format, Args... p_Args)
    {
        char line[512];
        std::snprintf(line, sizeof(line), p_Format, p_Args...);
        calls.emplace_back(line);
    }

    uint32_t m_Colour = 0;
};
} // namespace Vozad::Testing
