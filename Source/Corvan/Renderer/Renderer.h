#pragma once
// The one object through which the engine draws a frame.
//
// Not built yet: the shader and texture handlers, the engine shader table, the opaque and
// transparent scene databases, the views with their cameras, the transparency frame buffers,
// picking and the GUI drawing context. Until they arrive a frame is the clear alone.
#include "Lib/Log.h"
#include "Lib/RectSize.h"

#include <cstdint>

namespace Vozad
{
class Renderer
{
public:
    Renderer() = default;
    Renderer(const Renderer&) = delete;
    Renderer& operator=(const Renderer&) = delete;

    // Called once the window's graphics context exists. Only OpenGL (0) draws; with any other API
    // the renderer keeps its state but makes no GL call.
    bool Initialise(int32_t p_GraphicsApi);
    void Shutdown();

    // Draws the frame into the default frame buffer of a window of p_WindowSize: viewport over
    // the whole window, colour and depth cleared with the clear colour. Marks the frame rendered.
    void RenderFrame(Lib::RectSize p_WindowSize);
    // The window size changed; the renderer's own buffers follow it.
    void Resize(Lib::RectSize p_WindowSize);

    // Bytes red, green, blue, alpha from the lowest byte up (0xAABBGGRR).
    void SetClearColour(uint32_t p_Colour) { m_ClearColour = p_Colour; }
    uint32_t GetClearColour() const { return m_ClearColour; }

    // Set by RenderFrame: tells the main loop that this frame has been drawn already.
    bool IsFrameRendered() const { return m_FrameRendered; }
    void SetFrameRendered(bool p_Rendered) { m_FrameRendered = p_Rendered; }

    Lib::RectSize GetSize() const { return m_Size; }
    const Lib::LogTag& GetTag() const { return m_Tag; }

private:
    Lib::LogTag m_Tag{"Renderer"};
    int32_t m_GraphicsApi = 0;
    bool m_Initialised = false;
    uint32_t m_ClearColour = 0;
    bool m_FrameRendered = false;
    Lib::RectSize m_Size; // the last size given to Resize
};
} // namespace Vozad
