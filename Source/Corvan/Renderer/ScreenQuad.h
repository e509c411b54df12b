#pragma once
// Two triangles covering the whole viewport with texture coordinates 0..1: what the transparency
// passes draw a frame-buffer texture back with.
#include "Corvan/Renderer/OpenGL/OpenGLBuffers.h"
#include "Corvan/Renderer/OpenGL/OpenGLVertexArray.h"
#include "Lib/Log.h"

namespace Vozad
{
class ScreenQuad
{
public:
    // Makes the vertex array and buffer: {a_InVertexPosition Float2, a_InUVCoordinates Float2}
    // from location 0. Logs under p_Tag which GL object could not be made and returns false.
    bool Create(const Lib::LogTag& p_Tag);
    // Six vertices with the bound shader.
    void Draw();
    bool IsCreated() const { return m_Array.GetId() != 0; }

private:
    OpenGLVertexArray m_Array;
    OpenGLVertexBuffer m_Buffer;
};
} // namespace Vozad
