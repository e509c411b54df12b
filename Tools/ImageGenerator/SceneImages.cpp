// The game's scene images. They are drawn at 512 x 512 but mostly seen as cells of 40 to 120
// pixels, sampled with a linear filter and no mipmaps: every shape gets a soft edge several texels
// wide and no detail is thinner than about ten texels, or it would flicker and break up on screen.
#include "Drawings.h"

#include <cmath>

namespace ImageGen
{
namespace
{

constexpr int kSize = 512;
constexpr float kEdge = 5.0f; // edge ramp in texels

const Colour kScaleLight = Rgb(140, 214, 92);
const Colour kScaleMid = Rgb(66, 160, 62);
const Colour kScaleRim = Rgb(22, 80, 34);
const Colour kPatternLine = Rgb(26, 88, 38);
const Colour kPatternFill = Rgb(200, 228, 110);

float Everywhere(Vec2)
{
    return -1.0f;
}

// The snake is a tube seen from above: lit along its middle, darker towards both flanks. The
// shading depends only on the distance across the direction of travel, so body cells in a row,
// and the head behind them, continue each other's colours seamlessly over the shared edge.
Colour TubeShade(Vec2 p_P)
{
    const float across = std::fabs(p_P.x - 0.5f) * 2.0f;
    const Colour lit = Mix(kScaleLight, kScaleMid, SmoothStep(0.0f, 0.75f, across));
    return Mix(lit, kScaleRim, SmoothStep(0.6f, 1.05f, across));
}

// Rhombus with half diagonals p_Half; the distance is exact on the edges, where it matters.
float Diamond(Vec2 p_P, Vec2 p_Centre, Vec2 p_Half)
{
    const float dx = std::fabs(p_P.x - p_Centre.x);
    const float dy = std::fabs(p_P.y - p_Centre.y);
    return (dx * p_Half.y + dy * p_Half.x - p_Half.x * p_Half.y) / std::hypot(p_Half.x, p_Half.y);
}

Colour Solid(Colour p_C)
{
    return p_C;
}

} // namespace

// Every segment is stored travelling downwards, like the head. It covers its whole cell: the
// join edges (top and bottom) must meet the neighbours in a straight run, and at a bend the
// segment meets the previous one with a flank, so the flanks have to reach the cell edge too.
// Being fully opaque also keeps the body in the opaque batch.
Canvas DrawSnakeBody()
{
    Canvas canvas(kSize, kSize, static_cast<float>(kSize));
    canvas.Fill(Everywhere, TubeShade, kEdge);

    // Dorsal pattern: a diamond whose tips run past the cell, so a row of segments shows one
    // continuous chain of diamonds.
    const Vec2 centre{0.5f, 0.5f};
    canvas.Fill(
        [&](Vec2 p) {
            return Diamond(p, centre, {0.27f, 0.62f});
        },
        [](Vec2) { return Solid(kPatternLine); }, kEdge);
    canvas.Fill(
        [&](Vec2 p) {
            return Diamond(p, centre, {0.19f, 0.47f});
        },
        [&](Vec2 p) { return Mix(kPatternFill, kScaleMid, SmoothStep(0.05f, 0.45f, Length(p - centre))); },
        kEdge);
    return canvas;
}

// The unrotated head looks down the image (towards its bottom edge); its neck is the top edge.
// The game turns a sprite by direction * 90 degrees counter-clockwise in a y-up world, with
// direction 0 = down, 1 = right, 2 = up, 3 = left, and the texture is uploaded bottom row first,
// so the image appears upright for direction 0 and the head then faces its travel direction in
// all four cases.
Canvas DrawSnakeHead()
{
    Canvas canvas(kSize, kSize, static_cast<float>(kSize));

    // Neck: full cell width from the top edge; then the skull rounds off towards the snout.
    auto head = [](Vec2 p) {
        return Union(Box(p, {0.5f, 0.16f}, {0.53f, 0.26f}), Ellipse(p, {0.5f, 0.42f}, {0.53f, 0.47f}));
    };

    // Forked tongue in front of the snout, drawn first so that it comes out from under the head.
    const Colour tongue = Rgb(214, 36, 64);
    auto tongueShape = [](Vec2 p)
    {
        const Vec2 fork{0.5f, 0.925f};
        return Union(
            Segment(p, {0.5f, 0.8f}, fork, 0.024f),
            Union(Segment(p, fork, {0.445f, 0.975f}, 0.02f), Segment(p, fork, {0.555f, 0.975f}, 0.02f)));
    };
    canvas.Fill(
        tongueShape, [&](Vec2) { return tongue; }, kEdge);

    // Darken the outline of the snout so the head stands out against the board and the body.
    canvas.Fill(
        head,
        [&](Vec2 p)
        {
            const float rim = SmoothStep(-0.09f, 0.0f, head(p)) * SmoothStep(0.35f, 0.6f, p.y);
            return Mix(TubeShade(p), kScaleRim, rim * 0.8f);
        },
        kEdge);

    // Crown marking, continuing the body's chain of diamonds into the head.
    const Vec2 crown{0.5f, 0.2f};
    canvas.Fill(
        [&](Vec2 p) {
            return Diamond(p, crown, {0.2f, 0.32f});
        },
        [](Vec2) { return Solid(kPatternLine); }, kEdge);
    canvas.Fill(
        [&](Vec2 p) {
            return Diamond(p, crown, {0.125f, 0.22f});
        },
        [&](Vec2 p) { return Mix(kPatternFill, kScaleMid, SmoothStep(0.0f, 0.3f, Length(p - crown))); },
        kEdge);

    // Soft sheen on top of the skull, centred so it reads the same in every rotation.
    canvas.Fill(
        [](Vec2 p) {
            return Ellipse(p, {0.5f, 0.62f}, {0.16f, 0.12f});
        },
        [](Vec2) {
            return Colour{1.0f, 1.0f, 1.0f, 0.18f};
        },
        40.0f);

    // Eyes set forward with the pupils pushed towards the snout, so the look shows the way.
    for (const float side : {0.255f, 0.745f})
    {
        const Vec2 eye{side, 0.57f};
        canvas.Fill([&](Vec2 p) { return Circle(p, eye, 0.135f); }, [](Vec2) { return Rgb(12, 40, 18); },
                    kEdge);
        canvas.Fill([&](Vec2 p) { return Circle(p, eye, 0.108f); },
                    [&](Vec2 p) {
                        return Mix(Rgb(255, 252, 226), Rgb(226, 214, 140),
                                   SmoothStep(0.02f, 0.11f, Length(p - eye)));
                    },
                    kEdge);
        const Vec2 pupil{eye.x, eye.y + 0.038f};
        canvas.Fill(
            [&](Vec2 p) {
                return Ellipse(p, pupil, {0.052f, 0.064f});
            },
            [](Vec2) { return Rgb(10, 10, 14); }, kEdge);
        canvas.Fill(
            [&](Vec2 p) {
                return Circle(p, {pupil.x - 0.022f, pupil.y - 0.024f}, 0.022f);
            },
            [](Vec2) { return Rgb(255, 255, 255); }, kEdge);
    }

    // Nostrils.
    for (const float side : {0.43f, 0.57f})
    {
        canvas.Fill(
            [&](Vec2 p) {
                return Ellipse(p, {side, 0.81f}, {0.022f, 0.03f});
            },
            [](Vec2) { return Rgb(14, 50, 22); }, kEdge);
    }
    return canvas;
}

// A glossy red apple with a leaf, standing on a soft shadow: round, warm and unlike the snake.
Canvas DrawFood()
{
    Canvas canvas(kSize, kSize, static_cast<float>(kSize));

    canvas.Fill(
        [](Vec2 p) {
            return Ellipse(p, {0.5f, 0.86f}, {0.3f, 0.055f});
        },
        [](Vec2) {
            return Colour{0.0f, 0.0f, 0.0f, 0.45f};
        },
        40.0f);

    auto apple = [](Vec2 p)
    {
        const float body =
            SmoothUnion(Circle(p, {0.385f, 0.56f}, 0.275f), Circle(p, {0.615f, 0.56f}, 0.275f), 0.1f);
        const float top = SmoothSubtract(body, Circle(p, {0.5f, 0.24f}, 0.075f), 0.07f);
        return SmoothSubtract(top, Circle(p, {0.5f, 0.885f}, 0.035f), 0.05f);
    };
    canvas.Fill(
        apple,
        [](Vec2 p)
        {
            const float t = Length(p - Vec2{0.41f, 0.46f}) / 0.42f;
            const Colour inner = Mix(Rgb(255, 96, 78), Rgb(222, 34, 36), SmoothStep(0.0f, 0.55f, t));
            return Mix(inner, Rgb(128, 10, 22), SmoothStep(0.55f, 1.0f, t));
        },
        kEdge);

    // Highlight: a tilted soft oval on the lit side.
    canvas.Fill(
        [](Vec2 p) {
            return Ellipse(Rotate(p, {0.35f, 0.44f}, 30.0f), {0.35f, 0.44f}, {0.06f, 0.11f});
        },
        [](Vec2) {
            return Colour{1.0f, 1.0f, 1.0f, 0.6f};
        },
        24.0f);

    canvas.Fill(
        [](Vec2 p) {
            return Segment(p, {0.5f, 0.33f}, {0.535f, 0.13f}, 0.026f);
        },
        [](Vec2 p) { return Mix(Rgb(128, 84, 46), Rgb(84, 52, 28), SmoothStep(0.13f, 0.33f, p.y)); }, kEdge);

    const Vec2 leaf{0.665f, 0.175f};
    auto leafShape = [&](Vec2 p) { return Ellipse(Rotate(p, leaf, 28.0f), leaf, {0.13f, 0.055f}); };
    canvas.Fill(
        leafShape,
        [&](Vec2 p)
        {
            const Vec2 q = Rotate(p, leaf, 28.0f);
            return Mix(Rgb(120, 200, 70), Rgb(48, 128, 40), SmoothStep(-0.05f, 0.05f, q.y - leaf.y));
        },
        kEdge);
    return canvas;
}

// A neutral two-tone checkerboard of 8 x 8 squares.
Canvas DrawChecker()
{
    Canvas canvas(kSize, kSize, static_cast<float>(kSize));
    canvas.Fill(
        Everywhere,
        [](Vec2 p)
        {
            const int column = static_cast<int>(p.x * 8.0f);
            const int row = static_cast<int>(p.y * 8.0f);
            return (column + row) % 2 == 0 ? Rgb(204, 204, 204) : Rgb(153, 153, 153);
        },
        1.0f);
    return canvas;
}

} // namespace ImageGen
