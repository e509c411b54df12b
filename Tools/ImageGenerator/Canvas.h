#pragma once

#include "Shapes.h"

#include <string>
#include <vector>

namespace ImageGen
{

// Straight (not premultiplied) colour, every channel 0..1.
struct Colour
{
    float r = 0.0f;
    float g = 0.0f;
    float b = 0.0f;
    float a = 1.0f;
};

inline Colour Rgb(int p_R, int p_G, int p_B, float p_A = 1.0f)
{
    return {static_cast<float>(p_R) / 255.0f, static_cast<float>(p_G) / 255.0f,
            static_cast<float>(p_B) / 255.0f, p_A};
}

inline Colour Mix(Colour p_A, Colour p_B, float p_T)
{
    const float t = Clamp01(p_T);
    return {p_A.r + (p_B.r - p_A.r) * t, p_A.g + (p_B.g - p_A.g) * t, p_A.b + (p_B.b - p_A.b) * t,
            p_A.a + (p_B.a - p_A.a) * t};
}

inline Colour WithAlpha(Colour p_C, float p_A)
{
    return {p_C.r, p_C.g, p_C.b, p_A};
}

// An image built by painting shapes over each other. Shapes and paints see positions in "units"
// (pixels divided by the scale), so one drawing serves any output size. Pixels are kept
// premultiplied so layering and partial coverage blend without dark fringes.
class Canvas
{
public:
    Canvas(int p_Width, int p_Height, float p_Scale);

    int Width() const { return m_Width; }
    int Height() const { return m_Height; }

    // Paints where p_Shape (signed distance in units) is negative. The edge ramps from covered to
    // empty over p_Softness pixels; p_Samples x p_Samples positions per pixel are averaged, which
    // tiny icons need to keep their edges crisp and even.
    template <class Shape, class Paint>
    void Fill(const Shape& p_Shape, const Paint& p_Paint, float p_Softness, int p_Samples = 1)
    {
        const float inverseScale = 1.0f / m_Scale;
        const float sampleStep = 1.0f / static_cast<float>(p_Samples);
        for (int y = 0; y < m_Height; ++y)
        {
            for (int x = 0; x < m_Width; ++x)
            {
                float coverage = 0.0f;
                for (int sy = 0; sy < p_Samples; ++sy)
                {
                    for (int sx = 0; sx < p_Samples; ++sx)
                    {
                        const Vec2 p{(static_cast<float>(x) + (static_cast<float>(sx) + 0.5f) * sampleStep) *
                                         inverseScale,
                                     (static_cast<float>(y) + (static_cast<float>(sy) + 0.5f) * sampleStep) *
                                         inverseScale};
                        coverage += Clamp01(0.5f - p_Shape(p) * m_Scale / p_Softness);
                    }
                }
                coverage *= sampleStep * sampleStep;
                if (coverage > 0.0f)
                {
                    const Vec2 centre{(static_cast<float>(x) + 0.5f) * inverseScale,
                                      (static_cast<float>(y) + 0.5f) * inverseScale};
                    Blend(x, y, p_Paint(centre), coverage);
                }
            }
        }
    }

    // The picture shrunk to p_Width x p_Height (no larger than it is), each pixel the average of
    // the area it covers: how a desktop shrinks an icon, without its blur or lost thin lines.
    Canvas Reduced(int p_Width, int p_Height) const;

    // Writes 3 (colour only, alpha dropped) or 4 channels; false when the file cannot be written.
    bool WritePng(const std::string& p_Path, int p_Channels) const;

private:
    void Blend(int p_X, int p_Y, Colour p_Colour, float p_Coverage);

    int m_Width;
    int m_Height;
    float m_Scale;
    std::vector<float> m_Pixels; // premultiplied RGBA, rows top to bottom
};

} // namespace ImageGen
