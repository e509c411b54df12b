#include "Corvan/Renderer/OpenGL/GLFunctions.h"

#include "Corvan/Renderer/BufferLayout.h"
#include "Corvan/Renderer/OpenGL/OpenGLBuffers.h"
#include "Corvan/Renderer/OpenGL/OpenGLVertexArray.h"

#include <cstdint>
#include <utility>

namespace Vozad
{
namespace
{
const void* ByteOffset(uint32_t p_Offset)
{
    return reinterpret_cast<const void*>(static_cast<uintptr_t>(p_Offset));
}
} // namespace

OpenGLVertexArray::OpenGLVertexArray(OpenGLVertexArray&& p_Other) noexcept
    : m_Id(std::exchange(p_Other.m_Id, 0u)), m_Bound(std::exchange(p_Other.m_Bound, false)),
      m_EnabledLocations(std::exchange(p_Other.m_EnabledLocations, 0ull))
{
}

OpenGLVertexArray& OpenGLVertexArray::operator=(OpenGLVertexArray&& p_Other) noexcept
{
    if (this != &p_Other)
    {
        Delete();
        m_Id = std::exchange(p_Other.m_Id, 0u);
        m_Bound = std::exchange(p_Other.m_Bound, false);
        m_EnabledLocations = std::exchange(p_Other.m_EnabledLocations, 0ull);
    }
    return *this;
}

OpenGLVertexArray::~OpenGLVertexArray()
{
    Delete();
}

void OpenGLVertexArray::Delete()
{
    if (m_Id != 0)
        GL_CHECK(glDeleteVertexArrays(1, &m_Id));
    m_Id = 0;
    m_Bound = false;
    m_EnabledLocations = 0;
}

bool OpenGLVertexArray::Create()
{
    Delete();
    GL_CHECK(glGenVertexArrays(1, &m_Id));
    return m_Id != 0;
}

void OpenGLVertexArray::Bind()
{
    GL_CHECK(glBindVertexArray(m_Id));
    m_Bound = true;
}

void OpenGLVertexArray::Unbind()
{
    GL_CHECK(glBindVertexArray(0));
    m_Bound = false;
}

void OpenGLVertexArray::DisableLocationsFrom(uint32_t p_FirstLocation)
{
    Bind();
    for (uint32_t location = p_FirstLocation; location < 64; ++location)
    {
        if ((m_EnabledLocations & (1ull << location)) == 0)
            continue;
        GL_CHECK(glDisableVertexAttribArray(location));
        m_EnabledLocations &= ~(1ull << location);
    }
}

void OpenGLVertexArray::AddVertexBuffer(OpenGLVertexBuffer& p_Buffer, const BufferLayout& p_Layout,
                                        bool p_Instanced, uint32_t p_FirstLocation)
{
    if (!p_Buffer.IsChanged())
        return;
    Bind();
    p_Buffer.Bind();
    p_Buffer.ClearChanged();

    const auto stride = static_cast<GLsizei>(p_Layout.GetStride());
    uint32_t location = p_FirstLocation;
    for (const BufferElement& element : p_Layout.GetElements())
    {
        const AttributeTypeInfo& info = AttributeTypeInfoOf(element.type);
        const GLboolean normalized = element.normalized ? GL_TRUE : GL_FALSE;
        for (uint32_t column = 0; column < info.columns; ++column)
        {
            GL_CHECK(glEnableVertexAttribArray(location));
            if (location < 64)
                m_EnabledLocations |= 1ull << location;
            if (info.setup == AttributeSetup::IntegerPointer)
            {
                GL_CHECK(glVertexAttribIPointer(location, static_cast<GLint>(info.components), info.glType,
                                                stride, ByteOffset(element.offset)));
            }
            else
            {
                // Matrix columns follow one another inside the element.
                const uint32_t offset = element.offset + column * info.components * 4;
                GL_CHECK(glVertexAttribPointer(location, static_cast<GLint>(info.components), info.glType,
                                               normalized, stride, ByteOffset(offset)));
            }
            if (p_Instanced)
                GL_CHECK(glVertexAttribDivisor(location, 1));
            ++location;
        }
    }
}
} // namespace Vozad
