#include "Corvan/Renderer/OpenGL/GLFunctions.h"

#include "Corvan/Renderer/OpenGL/OpenGLBuffers.h"

#include <utility>

namespace Vozad
{
OpenGLVertexBuffer::OpenGLVertexBuffer(OpenGLVertexBuffer&& p_Other) noexcept
    : m_Id(std::exchange(p_Other.m_Id, 0u)), m_StoreBytes(std::exchange(p_Other.m_StoreBytes, 0u)),
      m_Count(std::exchange(p_Other.m_Count, 0u)), m_UploadCount(std::exchange(p_Other.m_UploadCount, 0u)),
      m_Changed(std::exchange(p_Other.m_Changed, false))
{
}

OpenGLVertexBuffer& OpenGLVertexBuffer::operator=(OpenGLVertexBuffer&& p_Other) noexcept
{
    if (this != &p_Other)
    {
        Delete();
        m_Id = std::exchange(p_Other.m_Id, 0u);
        m_StoreBytes = std::exchange(p_Other.m_StoreBytes, 0u);
        m_Count = std::exchange(p_Other.m_Count, 0u);
        m_UploadCount = std::exchange(p_Other.m_UploadCount, 0u);
        m_Changed = std::exchange(p_Other.m_Changed, false);
    }
    return *this;
}

OpenGLVertexBuffer::~OpenGLVertexBuffer()
{
    Delete();
}

void OpenGLVertexBuffer::Delete()
{
    if (m_Id != 0)
        GL_CHECK(glDeleteBuffers(1, &m_Id));
    m_Id = 0;
    m_StoreBytes = 0;
    m_Count = 0;
}

bool OpenGLVertexBuffer::Create()
{
    Delete();
    GL_CHECK(glGenBuffers(1, &m_Id));
    if (m_Id == 0)
        return false;
    GL_CHECK(glBindBuffer(GL_ARRAY_BUFFER, m_Id));
    m_UploadCount = 0;
    m_Changed = true;
    return true;
}

bool OpenGLVertexBuffer::CreateStatic(const void* p_Data, uint32_t p_Bytes, uint32_t p_Count)
{
    if (!Create())
        return false;
    GL_CHECK(glBufferData(GL_ARRAY_BUFFER, p_Bytes, p_Data, GL_STATIC_DRAW));
    m_StoreBytes = p_Bytes;
    m_Count = p_Count;
    return true;
}

void OpenGLVertexBuffer::Bind() const
{
    GL_CHECK(glBindBuffer(GL_ARRAY_BUFFER, m_Id));
}

void OpenGLVertexBuffer::Unbind() const
{
    GL_CHECK(glBindBuffer(GL_ARRAY_BUFFER, 0));
}

void OpenGLVertexBuffer::SetData(const void* p_Data, uint32_t p_Bytes, uint32_t p_Count)
{
    Bind();
    if (p_Bytes > m_StoreBytes)
    {
        GL_CHECK(glBufferData(GL_ARRAY_BUFFER, p_Bytes, p_Data, GL_DYNAMIC_DRAW));
        m_StoreBytes = p_Bytes;
    }
    else if (p_Bytes > 0)
    {
        GL_CHECK(glBufferSubData(GL_ARRAY_BUFFER, 0, p_Bytes, p_Data));
    }
    m_Count = p_Count;
    ++m_UploadCount;
}

OpenGLIndexBuffer::OpenGLIndexBuffer(OpenGLIndexBuffer&& p_Other) noexcept
    : m_Id(std::exchange(p_Other.m_Id, 0u)), m_Count(std::exchange(p_Other.m_Count, 0u))
{
}

OpenGLIndexBuffer& OpenGLIndexBuffer::operator=(OpenGLIndexBuffer&& p_Other) noexcept
{
    if (this != &p_Other)
    {
        Delete();
        m_Id = std::exchange(p_Other.m_Id, 0u);
        m_Count = std::exchange(p_Other.m_Count, 0u);
    }
    return *this;
}

OpenGLIndexBuffer::~OpenGLIndexBuffer()
{
    Delete();
}

void OpenGLIndexBuffer::Delete()
{
    if (m_Id != 0)
        GL_CHECK(glDeleteBuffers(1, &m_Id));
    m_Id = 0;
    m_Count = 0;
}

bool OpenGLIndexBuffer::Create(const uint32_t* p_Indices, uint32_t p_Count)
{
    Delete();
    GL_CHECK(glGenBuffers(1, &m_Id));
    if (m_Id == 0)
        return false;
    GL_CHECK(glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, m_Id));
    GL_CHECK(glBufferData(GL_ELEMENT_ARRAY_BUFFER, static_cast<GLsizeiptr>(p_Count) * 4, p_Indices,
                          GL_STATIC_DRAW));
    m_Count = p_Count;
    return true;
}

void OpenGLIndexBuffer::SetData(const uint32_t* p_Indices, uint32_t p_Count)
{
    Bind();
    GL_CHECK(glBufferData(GL_ELEMENT_ARRAY_BUFFER, static_cast<GLsizeiptr>(p_Count) * 4, p_Indices,
                          GL_DYNAMIC_DRAW));
    m_Count = p_Count;
}

void OpenGLIndexBuffer::Bind() const
{
    GL_CHECK(glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, m_Id));
}

void OpenGLIndexBuffer::Unbind() const
{
    GL_CHECK(glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, 0));
}
} // namespace Vozad
