#pragma once
// Reading back what a GL test drew, and comparing colours with a tolerance: multisampling and
// texture filtering move colours by a few steps. Every GL test that looks at pixels reads them
// here, so that a failure always says what it got and what it expected.
#include "Corvan/Renderer/OpenGL/GLFunctions.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

namespace TestSupport
{
using Rgb = std::array<int, 3>;
using Rgba = std::array<int, 4>;

// The height of the current viewport: the drawable's height for code that set it to the window.
inline int ViewportHeight()
{
    GLint viewport[4] = {};
    glGetIntegerv(GL_VIEWPORT, viewport);
    return viewport[3];
}

// The pixel at (p_X, p_Y) in GL's own coordinates (origin bottom-left) of the framebuffer bound
// for reading.
inline Rgba ReadGLPixel(int p_X, int p_Y)
{
    uint8_t pixel[4] = {};
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(p_X, p_Y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, pixel);
    return {pixel[0], pixel[1], pixel[2], pixel[3]};
}

// The pixel at (p_X, p_Y), origin top-left, of the framebuffer bound for reading, which is
// p_Height pixels high.
inline Rgba ReadPixelRgba(int p_X, int p_Y, int p_Height)
{
    return ReadGLPixel(p_X, p_Height - p_Y - 1);
}

// What the previous frame left at (p_X, p_Y), origin top-left, of a viewport that covers the
// window. Mesa's software driver copies the back buffer to the window on a swap and leaves it as it
// was, so until the next frame draws it still holds what was presented.
inline Rgba ReadPresentedPixel(int p_X, int p_Y)
{
    return ReadPixelRgba(p_X, p_Y, ViewportHeight());
}

// The window's pixel at (p_X, p_Y), origin top-left, in a window p_WindowHeight pixels high.
inline Rgb ReadWindowPixel(int p_X, int p_Y, int p_WindowHeight)
{
    Vozad::glBindFramebuffer(GL_FRAMEBUFFER, 0);
    const Rgba pixel = ReadPixelRgba(p_X, p_Y, p_WindowHeight);
    return {pixel[0], pixel[1], pixel[2]};
}

// RGBA8 pixels of a whole framebuffer, top row first.
struct PixelFrame
{
    int width = 0;
    int height = 0;
    std::vector<uint8_t> rgba;

    // Origin top-left.
    Rgba At(int p_X, int p_Y) const
    {
        const size_t at =
            (static_cast<size_t>(p_Y) * static_cast<size_t>(width) + static_cast<size_t>(p_X)) * 4;
        return {rgba[at], rgba[at + 1], rgba[at + 2], rgba[at + 3]};
    }
};

// The p_Width x p_Height RGBA8 pixels at the origin of the framebuffer bound for reading, in GL's
// own order: bottom row first.
inline std::vector<uint8_t> ReadGLPixels(int p_Width, int p_Height)
{
    std::vector<uint8_t> pixels(static_cast<size_t>(p_Width) * static_cast<size_t>(p_Height) * 4);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, p_Width, p_Height, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    return pixels;
}

// The same pixels top row first.
inline PixelFrame ReadFrame(int p_Width, int p_Height)
{
    PixelFrame frame{p_Width, p_Height, {}};
    const size_t row = static_cast<size_t>(p_Width) * 4;
    const std::vector<uint8_t> bottomUp = ReadGLPixels(p_Width, p_Height);
    frame.rgba.resize(bottomUp.size());
    for (int y = 0; y < p_Height; ++y)
        std::copy_n(&bottomUp[static_cast<size_t>(p_Height - 1 - y) * row], row,
                    &frame.rgba[static_cast<size_t>(y) * row]);
    return frame;
}

// Compares every channel of two colours; on a mismatch says what it got and what it expected.
template <size_t N>
::testing::AssertionResult NearChannels(const std::array<int, N>& p_Got, const std::array<int, N>& p_Expected,
                                        int p_Tolerance)
{
    for (size_t i = 0; i < N; ++i)
    {
        if (std::abs(p_Got[i] - p_Expected[i]) <= p_Tolerance)
            continue;
        ::testing::AssertionResult failure = ::testing::AssertionFailure();
        failure << "got (";
        for (size_t c = 0; c < N; ++c)
            failure << (c ? ", " : "") << p_Got[c];
        failure << "), expected (";
        for (size_t c = 0; c < N; ++c)
            failure << (c ? ", " : "") << p_Expected[c];
        return failure << ") within " << p_Tolerance;
    }
    return ::testing::AssertionSuccess();
}

inline ::testing::AssertionResult NearRgb(const Rgb& p_Got, const Rgb& p_Expected, int p_Tolerance)
{
    return NearChannels(p_Got, p_Expected, p_Tolerance);
}

inline ::testing::AssertionResult NearRgba(const Rgba& p_Got, const Rgba& p_Expected, int p_Tolerance)
{
    return NearChannels(p_Got, p_Expected, p_Tolerance);
}

// The colour part of an RGBA pixel.
inline Rgb RgbOf(const Rgba& p_Pixel)
{
    return {p_Pixel[0], p_Pixel[1], p_Pixel[2]};
}
} // namespace TestSupport
