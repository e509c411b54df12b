#include "Corvan/Renderer/OpenGL/GLFunctions.h"

#include "Corvan/Renderer/OpenGL/OpenGLMainTarget.h"

namespace Vozad
{
OpenGLMainTarget::~OpenGLMainTarget()
{
    Release();
}

void OpenGLMainTarget::Release()
{
    if (m_Framebuffer)
        GL_CHECK(glDeleteFramebuffers(1, &m_Framebuffer));
    if (m_Colour)
        GL_CHECK(glDeleteRenderbuffers(1, &m_Colour));
    if (m_DepthStencil)
        GL_CHECK(glDeleteRenderbuffers(1, &m_DepthStencil));
    m_Framebuffer = m_Colour = m_DepthStencil = 0;
    m_Width = m_Height = 0;
    m_Samples = 0;
}

bool OpenGLMainTarget::Fit(uint32_t p_Width, uint32_t p_Height, int32_t p_Samples)
{
    if (p_Samples < 2 || p_Width == 0 || p_Height == 0)
    {
        Release();
        return true;
    }
    if (m_Framebuffer && m_Width == p_Width && m_Height == p_Height && m_Samples == p_Samples)
        return true;
    Release();
    const auto width = static_cast<GLsizei>(p_Width);
    const auto height = static_cast<GLsizei>(p_Height);
    // The same formats as the window's pixel format, so the depth blits of the transparency passes
    // between this target and their own buffers stay legal.
    GL_CHECK(glGenRenderbuffers(1, &m_Colour));
    GL_CHECK(glBindRenderbuffer(GL_RENDERBUFFER, m_Colour));
    GL_CHECK(glRenderbufferStorageMultisample(GL_RENDERBUFFER, p_Samples, GL_RGBA8, width, height));
    GL_CHECK(glGenRenderbuffers(1, &m_DepthStencil));
    GL_CHECK(glBindRenderbuffer(GL_RENDERBUFFER, m_DepthStencil));
    GL_CHECK(
        glRenderbufferStorageMultisample(GL_RENDERBUFFER, p_Samples, GL_DEPTH24_STENCIL8, width, height));
    GL_CHECK(glBindRenderbuffer(GL_RENDERBUFFER, 0));
    GL_CHECK(glGenFramebuffers(1, &m_Framebuffer));
    GL_CHECK(glBindFramebuffer(GL_FRAMEBUFFER, m_Framebuffer));
    GL_CHECK(glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, m_Colour));
    GL_CHECK(glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_STENCIL_ATTACHMENT, GL_RENDERBUFFER,
                                       m_DepthStencil));
    const bool complete = GL_CHECK_VALUE(glCheckFramebufferStatus(GL_FRAMEBUFFER)) == GL_FRAMEBUFFER_COMPLETE;
    GL_CHECK(glBindFramebuffer(GL_FRAMEBUFFER, 0));
    if (!complete)
    {
        Release();
        return false;
    }
    m_Width = p_Width;
    m_Height = p_Height;
    m_Samples = p_Samples;
    return true;
}

void OpenGLMainTarget::Resolve() const
{
    if (!m_Framebuffer)
        return;
    const auto width = static_cast<GLint>(m_Width);
    const auto height = static_cast<GLint>(m_Height);
    GL_CHECK(glBindFramebuffer(GL_READ_FRAMEBUFFER, m_Framebuffer));
    GL_CHECK(glBindFramebuffer(GL_DRAW_FRAMEBUFFER, 0));
    // A scissor box left by the GUI would cut the copy short.
    const GLboolean scissor = GL_CHECK_VALUE(glIsEnabled(GL_SCISSOR_TEST));
    GL_CHECK(glDisable(GL_SCISSOR_TEST));
    GL_CHECK(glBlitFramebuffer(0, 0, width, height, 0, 0, width, height, GL_COLOR_BUFFER_BIT, GL_NEAREST));
    if (scissor)
        GL_CHECK(glEnable(GL_SCISSOR_TEST));
    GL_CHECK(glBindFramebuffer(GL_FRAMEBUFFER, 0));
}
} // namespace Vozad
