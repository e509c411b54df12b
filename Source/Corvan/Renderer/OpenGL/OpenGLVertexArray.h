#pragma once
// A GL vertex array: which buffers feed which attribute locations. Move-only owner of the GL name;
// constructing one makes no GL call.
#include <cstdint>

namespace Vozad
{
class BufferLayout;
class OpenGLVertexBuffer;

class OpenGLVertexArray
{
public:
    OpenGLVertexArray() = default;
    OpenGLVertexArray(const OpenGLVertexArray&) = delete;
    OpenGLVertexArray& operator=(const OpenGLVertexArray&) = delete;
    OpenGLVertexArray(OpenGLVertexArray&& p_Other) noexcept;
    OpenGLVertexArray& operator=(OpenGLVertexArray&& p_Other) noexcept;
    ~OpenGLVertexArray();

    bool Create();
    void Bind();
    bool IsBound() const { return m_Bound; }
    void Unbind();

    // Points the locations from p_FirstLocation on at the buffer, one per layout element (one per
    // column for matrices), with divisor 1 when p_Instanced. A buffer whose changed flag is clear
    // is already attached as it is and is left alone. The vertex array stays bound.
    void AddVertexBuffer(OpenGLVertexBuffer& p_Buffer, const BufferLayout& p_Layout, bool p_Instanced,
                         uint32_t p_FirstLocation);

    // Disables every location from p_FirstLocation on that AddVertexBuffer enabled. Binds the array.
    void DisableLocationsFrom(uint32_t p_FirstLocation);

    uint32_t GetId() const { return m_Id; }

private:
    void Delete();

    uint32_t m_Id = 0;
    bool m_Bound = false;
    uint64_t m_EnabledLocations = 0; // bit i: location i was enabled by AddVertexBuffer
};
} // namespace Vozad
