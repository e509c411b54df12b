#include "Corvan/Renderer/Renderer.h"

#include "Corvan/Renderer/IGraphicsContext.h"
#include "Corvan/Renderer/OpenGL/GLFunctions.h"

namespace Vozad
{
namespace
{
float ColourByte(uint32_t p_Colour, uint32_t p_Shift)
{
    return static_cast<float>((p_Colour >> p_Shift) & 0xFFu) / 255.0f;
}
} // namespace

bool Renderer::Initialise(int32_t p_GraphicsApi)
{
    m_GraphicsApi = p_GraphicsApi;
    m_Initialised = true;
    return true;
}

void Renderer::Shutdown()
{
    m_Initialised = false;
    m_FrameRendered = false;
}

void Renderer::RenderFrame(Lib::RectSize p_WindowSize)
{
    if (m_Initialised && m_GraphicsApi == k_GraphicsApiOpenGL)
    {
        glBindFramebuffer(GL_FRAMEBUFFER, 0);
        glViewport(0, 0, static_cast<GLsizei>(p_WindowSize.width), static_cast<GLsizei>(p_WindowSize.height));
        glClearColor(ColourByte(m_ClearColour, 0), ColourByte(m_ClearColour, 8),
                     ColourByte(m_ClearColour, 16), ColourByte(m_ClearColour, 24));
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    }
    m_FrameRendered = true;
}

void Renderer::Resize(Lib::RectSize p_WindowSize)
{
    m_Size = p_WindowSize;
}
} // namespace Vozad
