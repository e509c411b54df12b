#include "Corvan/Renderer/OpenGL/GLFunctions.h"

#include "Corvan/Renderer/ScreenQuad.h"

#include "Corvan/Renderer/BufferLayout.h"

namespace Vozad
{
namespace
{
struct QuadVertex
{
    float x, y; // position in clip space
    float u, v; // (position + 1) / 2
};
constexpr QuadVertex k_Vertices[6] = {{-1.0f, -1.0f, 0.0f, 0.0f}, {1.0f, -1.0f, 1.0f, 0.0f},
                                      {-1.0f, 1.0f, 0.0f, 1.0f},  {-1.0f, 1.0f, 0.0f, 1.0f},
                                      {1.0f, -1.0f, 1.0f, 0.0f},  {1.0f, 1.0f, 1.0f, 1.0f}};
} // namespace

bool ScreenQuad::Create(const Lib::LogTag& p_Tag)
{
    if (!m_Array.Create())
    {
        Lib::LogError(p_Tag, "Failed to create the vertex array.");
        return false;
    }
    m_Array.Bind();
    if (!m_Buffer.CreateStatic(k_Vertices, sizeof(k_Vertices), 6))
    {
        m_Array.Unbind();
        Lib::LogError(p_Tag, "Failed to create the vertex buffer.");
        return false;
    }
    const BufferLayout layout{{AttributeType::Float2, "a_InVertexPosition"},
                              {AttributeType::Float2, "a_InUVCoordinates"}};
    m_Array.AddVertexBuffer(m_Buffer, layout, false, 0);
    m_Array.Unbind();
    return true;
}

void ScreenQuad::Draw()
{
    m_Array.Bind();
    GL_CHECK(glDrawArrays(GL_TRIANGLES, 0, 6));
    m_Array.Unbind();
}
} // namespace Vozad
