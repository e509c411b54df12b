#pragma once
// Reading back what a GL test drew into the window, and comparing colours with a tolerance:
// multisampling and texture filtering move colours by a few steps.
#include "Corvan/Renderer/OpenGL/GLFunctions.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <cstdlib>

namespace TestSupport
{
using Rgb = std::array<int, 3>;

// The window's pixel at (p_X, p_Y), origin top-left, in a window p_WindowHeight pixels high.
inline Rgb ReadWindowPixel(int p_X, int p_Y, int p_WindowHeight)
{
    uint8_t pixel[4] = {};
    Vozad::glBindFramebuffer(GL_FRAMEBUFFER, 0);
    glReadPixels(p_X, p_WindowHeight - p_Y - 1, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, pixel);
    return {pixel[0], pixel[1], pixel[2]};
}

inline ::testing::AssertionResult NearRgb(const Rgb& p_Got, const Rgb& p_Expected, int p_Tolerance)
{
    for (size_t i = 0; i < 3; ++i)
    {
        if (std::abs(p_Got[i] - p_Expected[i]) > p_Tolerance)
            return ::testing::AssertionFailure()
                   << "got (" << p_Got[0] << ", " << p_Got[1] << ", " << p_Got[2] << "), expected ("
                   << p_Expected[0] << ", " << p_Expected[1] << ", " << p_Expected[2] << ") within "
                   << p_Tolerance;
    }
    return ::testing::AssertionSuccess();
}
} // namespace TestSupport
