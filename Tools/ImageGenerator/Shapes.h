#pragma once

#include <algorithm>
#include <cmath>

// Signed-distance primitives for the image generator: negative inside, positive outside, in the
// caller's units. Distances (not just inside tests) are what lets the canvas anti-alias every edge
// by the same amount at any image size.
namespace ImageGen
{

struct Vec2
{
    float x = 0.0f;
    float y = 0.0f;
};

inline Vec2 operator+(Vec2 p_A, Vec2 p_B)
{
    return {p_A.x + p_B.x, p_A.y + p_B.y};
}
inline Vec2 operator-(Vec2 p_A, Vec2 p_B)
{
    return {p_A.x - p_B.x, p_A.y - p_B.y};
}
inline Vec2 operator*(Vec2 p_A, float p_S)
{
    return {p_A.x * p_S, p_A.y * p_S};
}
inline float Dot(Vec2 p_A, Vec2 p_B)
{
    return p_A.x * p_B.x + p_A.y * p_B.y;
}
inline float Length(Vec2 p_A)
{
    return std::sqrt(Dot(p_A, p_A));
}

inline float Clamp01(float p_Value)
{
    return std::clamp(p_Value, 0.0f, 1.0f);
}

inline float SmoothStep(float p_Edge0, float p_Edge1, float p_X)
{
    const float t = Clamp01((p_X - p_Edge0) / (p_Edge1 - p_Edge0));
    return t * t * (3.0f - 2.0f * t);
}

inline float Circle(Vec2 p_P, Vec2 p_Centre, float p_Radius)
{
    return Length(p_P - p_Centre) - p_Radius;
}

// Rectangle with rounded corners; p_Half is half its width and height.
inline float Box(Vec2 p_P, Vec2 p_Centre, Vec2 p_Half, float p_Radius = 0.0f)
{
    const Vec2 q{std::fabs(p_P.x - p_Centre.x) - p_Half.x + p_Radius,
                 std::fabs(p_P.y - p_Centre.y) - p_Half.y + p_Radius};
    const Vec2 outside{std::max(q.x, 0.0f), std::max(q.y, 0.0f)};
    return Length(outside) + std::min(std::max(q.x, q.y), 0.0f) - p_Radius;
}

// Close to the true distance near the outline, which is all the edge ramp needs.
inline float Ellipse(Vec2 p_P, Vec2 p_Centre, Vec2 p_Radii)
{
    const Vec2 d = p_P - p_Centre;
    const float k0 = Length({d.x / p_Radii.x, d.y / p_Radii.y});
    const float k1 = Length({d.x / (p_Radii.x * p_Radii.x), d.y / (p_Radii.y * p_Radii.y)});
    if (k1 == 0.0f)
    {
        return -std::min(p_Radii.x, p_Radii.y);
    }
    return k0 * (k0 - 1.0f) / k1;
}

// A stroke with round caps from p_A to p_B.
inline float Segment(Vec2 p_P, Vec2 p_A, Vec2 p_B, float p_HalfWidth)
{
    const Vec2 pa = p_P - p_A;
    const Vec2 ba = p_B - p_A;
    const float h = Clamp01(Dot(pa, ba) / Dot(ba, ba));
    return Length(pa - ba * h) - p_HalfWidth;
}

inline float Triangle(Vec2 p_P, Vec2 p_A, Vec2 p_B, Vec2 p_C)
{
    const Vec2 e0 = p_B - p_A, e1 = p_C - p_B, e2 = p_A - p_C;
    const Vec2 v0 = p_P - p_A, v1 = p_P - p_B, v2 = p_P - p_C;
    const Vec2 pq0 = v0 - e0 * Clamp01(Dot(v0, e0) / Dot(e0, e0));
    const Vec2 pq1 = v1 - e1 * Clamp01(Dot(v1, e1) / Dot(e1, e1));
    const Vec2 pq2 = v2 - e2 * Clamp01(Dot(v2, e2) / Dot(e2, e2));
    const float s = (e0.x * e2.y - e0.y * e2.x) > 0.0f ? 1.0f : -1.0f;
    const float d0 = Dot(pq0, pq0), d1 = Dot(pq1, pq1), d2 = Dot(pq2, pq2);
    const float w0 = s * (v0.x * e0.y - v0.y * e0.x);
    const float w1 = s * (v1.x * e1.y - v1.y * e1.x);
    const float w2 = s * (v2.x * e2.y - v2.y * e2.x);
    const float distance = std::sqrt(std::min({d0, d1, d2}));
    const bool inside = w0 >= 0.0f && w1 >= 0.0f && w2 >= 0.0f;
    return inside ? -distance : distance;
}

inline Vec2 Rotate(Vec2 p_P, Vec2 p_Centre, float p_Degrees)
{
    const float r = p_Degrees * 3.14159265f / 180.0f;
    const float c = std::cos(r), s = std::sin(r);
    const Vec2 d = p_P - p_Centre;
    return {p_Centre.x + c * d.x - s * d.y, p_Centre.y + s * d.x + c * d.y};
}

inline float Union(float p_A, float p_B)
{
    return std::min(p_A, p_B);
}
inline float Subtract(float p_A, float p_B)
{
    return std::max(p_A, -p_B);
}

// Union that melts the two shapes together over a band of width p_K instead of leaving a crease.
inline float SmoothUnion(float p_A, float p_B, float p_K)
{
    const float h = Clamp01(0.5f + 0.5f * (p_B - p_A) / p_K);
    return p_B + (p_A - p_B) * h - p_K * h * (1.0f - h);
}

inline float SmoothSubtract(float p_A, float p_B, float p_K)
{
    return -SmoothUnion(-p_A, p_B, p_K);
}

} // namespace ImageGen
