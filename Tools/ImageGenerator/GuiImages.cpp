// The fallback image and the GUI icons. The icons are white on transparent: the widgets draw them
// over dark greys (combo box field 0x4D4D4F, check box 0x808081), and white also survives any
// tint. They are drawn in pixel units with 8 x 8 samples per pixel, and the shapes sit on the
// pixel grid where they can, so the 16-pixel icons stay sharp.
#include "Drawings.h"

namespace ImageGen
{
namespace
{

constexpr int kIconSamples = 8;
constexpr float kIconEdge = 1.0f / kIconSamples; // each sample is either in or out

Colour IconColour(Vec2)
{
    return Rgb(255, 255, 255);
}

// A filled triangle whose corners are rounded by p_Round pixels (the corners are pulled in by
// the same amount first, so the outline keeps the given size).
Canvas IconTriangle(int p_Width, int p_Height, Vec2 p_A, Vec2 p_B, Vec2 p_C, float p_Round = 0.6f)
{
    Canvas canvas(p_Width, p_Height, 1.0f);
    const Vec2 centre = (p_A + p_B + p_C) * (1.0f / 3.0f);
    auto pullIn = [&](Vec2 p_Corner)
    {
        const Vec2 d = centre - p_Corner;
        return p_Corner + d * (p_Round * 2.0f / Length(d));
    };
    const Vec2 a = pullIn(p_A), b = pullIn(p_B), c = pullIn(p_C);
    canvas.Fill([&](Vec2 p) { return Triangle(p, a, b, c) - p_Round; }, IconColour, kIconEdge, kIconSamples);
    return canvas;
}

} // namespace

// Magenta and black 8-pixel squares: nothing in the game looks like it, so a missing image is
// obvious at a glance.
Canvas DrawTextureNotFound()
{
    Canvas canvas(64, 64, 1.0f);
    canvas.Fill([](Vec2) { return -1.0f; },
                [](Vec2 p)
                {
                    const int column = static_cast<int>(p.x) / 8;
                    const int row = static_cast<int>(p.y) / 8;
                    return (column + row) % 2 == 0 ? Rgb(255, 0, 220) : Rgb(16, 16, 16);
                },
                1.0f);
    return canvas;
}

Canvas DrawCheckMark()
{
    Canvas canvas(16, 16, 1.0f);
    const Vec2 start{3.5f, 8.5f}, corner{6.5f, 11.5f}, end{12.75f, 4.25f};
    canvas.Fill([&](Vec2 p)
                { return Union(Segment(p, start, corner, 1.15f), Segment(p, corner, end, 1.15f)); },
                IconColour, kIconEdge, kIconSamples);
    return canvas;
}

Canvas DrawCrossMark()
{
    Canvas canvas(16, 16, 1.0f);
    canvas.Fill(
        [](Vec2 p)
        {
            return Union(Segment(p, {4.5f, 4.5f}, {11.5f, 11.5f}, 1.1f),
                         Segment(p, {11.5f, 4.5f}, {4.5f, 11.5f}, 1.1f));
        },
        IconColour, kIconEdge, kIconSamples);
    return canvas;
}

Canvas DrawDropDown()
{
    return IconTriangle(16, 16, {3.0f, 5.5f}, {13.0f, 5.5f}, {8.0f, 11.0f});
}

Canvas DrawIncrementButton()
{
    return IconTriangle(16, 11, {8.0f, 2.5f}, {13.0f, 8.0f}, {3.0f, 8.0f});
}

Canvas DrawDecrementButton()
{
    return IconTriangle(16, 11, {3.0f, 3.0f}, {13.0f, 3.0f}, {8.0f, 8.5f});
}

Canvas DrawSliderLeft()
{
    return IconTriangle(16, 16, {5.0f, 8.0f}, {10.5f, 3.0f}, {10.5f, 13.0f});
}

Canvas DrawSliderRight()
{
    return IconTriangle(16, 16, {11.0f, 8.0f}, {5.5f, 13.0f}, {5.5f, 3.0f});
}

} // namespace ImageGen
