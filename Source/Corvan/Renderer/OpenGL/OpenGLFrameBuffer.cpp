#include "Corvan/Renderer/OpenGL/GLFunctions.h"

#include "Corvan/Renderer/OpenGL/OpenGLFrameBuffer.h"

#include <utility>

namespace Vozad
{
OpenGLFrameBufferBase::~OpenGLFrameBufferBase()
{
    Delete();
}

OpenGLFrameBufferBase::OpenGLFrameBufferBase(OpenGLFrameBufferBase&& p_Other) noexcept
    : m_Spec(p_Other.m_Spec),
      m_Id(std::exchange(p_Other.m_Id, 0)), m_Textures{std::exchange(p_Other.m_Textures[0], 0),
                                                       std::exchange(p_Other.m_Textures[1], 0)},
      m_Renderbuffer(std::exchange(p_Other.m_Renderbuffer, 0))
{
}

OpenGLFrameBufferBase& OpenGLFrameBufferBase::operator=(OpenGLFrameBufferBase&& p_Other) noexcept
{
    if (this != &p_Other)
    {
        Delete();
        m_Spec = p_Other.m_Spec;
        m_Id = std::exchange(p_Other.m_Id, 0);
        m_Textures[0] = std::exchange(p_Other.m_Textures[0], 0);
        m_Textures[1] = std::exchange(p_Other.m_Textures[1], 0);
        m_Renderbuffer = std::exchange(p_Other.m_Renderbuffer, 0);
    }
    return *this;
}

void OpenGLFrameBufferBase::Delete()
{
    if (m_Id)
        GL_CHECK(glDeleteFramebuffers(1, &m_Id));
    for (uint32_t& texture : m_Textures)
    {
        if (texture)
            GL_CHECK(glDeleteTextures(1, &texture));
        texture = 0;
    }
    if (m_Renderbuffer)
        GL_CHECK(glDeleteRenderbuffers(1, &m_Renderbuffer));
    m_Id = 0;
    m_Renderbuffer = 0;
}

bool OpenGLFrameBufferBase::Create()
{
    Delete();
    if (m_Spec.width == 0 || m_Spec.height == 0)
        return false;
    // Generated, not created (DSA is GL 4.5): the bind below makes the object.
    GL_CHECK(glGenFramebuffers(1, &m_Id));
    GL_CHECK(glBindFramebuffer(GL_FRAMEBUFFER, m_Id));
    CreateAttachments();
    const bool complete = GL_CHECK_VALUE(glCheckFramebufferStatus(GL_FRAMEBUFFER)) == GL_FRAMEBUFFER_COMPLETE;
    GL_CHECK(glBindFramebuffer(GL_FRAMEBUFFER, 0));
    GL_CHECK(glBindTexture(GL_TEXTURE_2D, 0));
    return complete;
}

bool OpenGLFrameBufferBase::Resize(const FrameBufferSpec& p_Spec)
{
    m_Spec.width = p_Spec.width;
    m_Spec.height = p_Spec.height;
    return Create();
}

void OpenGLFrameBufferBase::Bind() const
{
    GL_CHECK(glBindFramebuffer(GL_FRAMEBUFFER, m_Id));
}

void OpenGLFrameBufferBase::Unbind() const
{
    GL_CHECK(glBindFramebuffer(GL_FRAMEBUFFER, 0));
}

void OpenGLFrameBufferBase::BindTexture(uint32_t p_Unit, uint32_t p_Which) const
{
    GL_CHECK(glActiveTexture(GL_TEXTURE0 + p_Unit));
    GL_CHECK(glBindTexture(GL_TEXTURE_2D, p_Which == 1 && m_Textures[1] ? m_Textures[1] : m_Textures[0]));
}

void OpenGLFrameBufferBase::UnbindTexture() const
{
    GL_CHECK(glBindTexture(GL_TEXTURE_2D, 0));
}

uint32_t OpenGLFrameBufferBase::NewTexture(int32_t p_InternalFormat, uint32_t p_Format, uint32_t p_Type,
                                           int32_t p_Filter) const
{
    GLuint texture = 0;
    GL_CHECK(glGenTextures(1, &texture));
    GL_CHECK(glBindTexture(GL_TEXTURE_2D, texture));
    GL_CHECK(glTexImage2D(GL_TEXTURE_2D, 0, p_InternalFormat, static_cast<GLsizei>(m_Spec.width),
                          static_cast<GLsizei>(m_Spec.height), 0, p_Format, p_Type, nullptr));
    GL_CHECK(glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, p_Filter));
    GL_CHECK(glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, p_Filter));
    GL_CHECK(glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE));
    GL_CHECK(glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE));
    return texture;
}

void OpenGLFrameBuffer::CreateAttachments()
{
    GL_CHECK(glPixelStorei(GL_UNPACK_ALIGNMENT, 1));
    m_Textures[0] = NewTexture(GL_RGBA8, GL_RGBA, GL_UNSIGNED_BYTE, GL_LINEAR);
    GL_CHECK(glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, m_Textures[0], 0));
    m_Textures[1] = NewTexture(GL_DEPTH24_STENCIL8, GL_DEPTH_STENCIL, GL_UNSIGNED_INT_24_8, GL_NEAREST);
    GL_CHECK(
        glFramebufferTexture2D(GL_FRAMEBUFFER, GL_DEPTH_STENCIL_ATTACHMENT, GL_TEXTURE_2D, m_Textures[1], 0));
    GL_CHECK(glPixelStorei(GL_UNPACK_ALIGNMENT, 4));
}

void OpenGLWBOITFrameBuffer::CreateAttachments()
{
    m_Textures[0] = NewTexture(GL_RGBA16F, GL_RGBA, GL_FLOAT, GL_NEAREST);
    GL_CHECK(glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, m_Textures[0], 0));
    m_Textures[1] = NewTexture(GL_R16F, GL_RED, GL_FLOAT, GL_NEAREST);
    GL_CHECK(glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT1, GL_TEXTURE_2D, m_Textures[1], 0));
    // Depth-stencil rather than plain depth: the opaque depth is blitted in from the window's
    // buffer, and a blit of depth needs both formats to match.
    GL_CHECK(glGenRenderbuffers(1, &m_Renderbuffer));
    GL_CHECK(glBindRenderbuffer(GL_RENDERBUFFER, m_Renderbuffer));
    GL_CHECK(glRenderbufferStorage(GL_RENDERBUFFER, GL_DEPTH24_STENCIL8, static_cast<GLsizei>(m_Spec.width),
                                   static_cast<GLsizei>(m_Spec.height)));
    GL_CHECK(glBindRenderbuffer(GL_RENDERBUFFER, 0));
    GL_CHECK(glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_STENCIL_ATTACHMENT, GL_RENDERBUFFER,
                                       m_Renderbuffer));
    const GLenum drawBuffers[2] = {GL_COLOR_ATTACHMENT0, GL_COLOR_ATTACHMENT1};
    GL_CHECK(glDrawBuffers(2, drawBuffers));
}

void OpenGLDepthPeelingFrameBuffer::CreateAttachments()
{
    m_Textures[0] = NewTexture(GL_RGBA8, GL_RGBA, GL_UNSIGNED_BYTE, GL_LINEAR);
    GL_CHECK(glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, m_Textures[0], 0));
    m_Textures[1] = NewTexture(GL_DEPTH_COMPONENT24, GL_DEPTH_COMPONENT, GL_FLOAT, GL_NEAREST);
    GL_CHECK(glFramebufferTexture2D(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_TEXTURE_2D, m_Textures[1], 0));
}
} // namespace Vozad
