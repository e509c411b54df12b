#pragma once
// The small set of GL draw-state calls the renderer's passes make, and the object-selection flag
// the scene reads while picking draws entity ids instead of images.
#include <cstdint>

namespace Vozad
{
class OpenGLGraphicsAPI
{
public:
    int32_t GetApiKind() const { return 0; }

    // glClearColor from the colour's bytes (red in the lowest) / 255, then glClear(p_Mask).
    void Clear(uint32_t p_Colour, uint32_t p_Mask) const;
    // p_Y is measured from the window's top; GL counts from the bottom of a window
    // p_WindowHeight pixels high.
    void SetViewport(int32_t p_X, int32_t p_Y, int32_t p_Width, int32_t p_Height,
                     int32_t p_WindowHeight) const;
    void DrawArrays(uint32_t p_Count) const;
    void DrawArraysInstanced(uint32_t p_Count, uint32_t p_Instances) const;
    void DrawElements(uint32_t p_Count) const;
    void DrawElementsInstanced(uint32_t p_Count, uint32_t p_Instances) const;

    void SetSelectionFlag(int32_t p_Flag) { m_SelectionFlag = p_Flag; }
    int32_t GetSelectionFlag() const { return m_SelectionFlag; }

private:
    int32_t m_SelectionFlag = 0; // non-zero while picking draws ids as colours
};
} // namespace Vozad
