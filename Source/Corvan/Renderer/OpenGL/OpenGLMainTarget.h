#pragma once
// The frame's multisampled render target: the scene and the GUI draw into its colour and
// depth-stencil renderbuffers, and Resolve copies the averaged samples into the window's frame
// buffer before it is shown. The window itself is always single-sampled, so whether and how much
// to multisample is decided after the real context exists and can change while the game runs.
// Without samples there is no target and the frame draws straight into the window (frame buffer 0).
#include <cstdint>

namespace Vozad
{
class OpenGLMainTarget
{
public:
    OpenGLMainTarget() = default;
    OpenGLMainTarget(const OpenGLMainTarget&) = delete;
    OpenGLMainTarget& operator=(const OpenGLMainTarget&) = delete;
    ~OpenGLMainTarget();

    // Gives the target p_Samples samples per pixel at the size, making it again only when either
    // changed. 0 samples or an empty size deletes it. False, with the target deleted, when GL
    // cannot make a complete frame buffer of it.
    bool Fit(uint32_t p_Width, uint32_t p_Height, int32_t p_Samples);
    // Deletes the GL objects; needs the context that made them.
    void Release();

    // The frame buffer the frame draws into: the target, or 0 (the window) without one.
    uint32_t GetId() const { return m_Framebuffer; }
    int32_t GetSamples() const { return m_Framebuffer != 0 ? m_Samples : 0; }
    // Copies the colour into the window's frame buffer, which is left bound for drawing and
    // reading; nothing without a target.
    void Resolve() const;

private:
    uint32_t m_Framebuffer = 0;
    uint32_t m_Colour = 0;
    uint32_t m_DepthStencil = 0;
    uint32_t m_Width = 0;
    uint32_t m_Height = 0;
    int32_t m_Samples = 0;
};
} // namespace Vozad
