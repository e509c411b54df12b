#pragma once
// Vertex and index buffers of the GL back end. Both are move-only owners of one GL buffer name:
// constructing one makes no GL call, so they can sit in objects built without a context; the GL
// name exists from Create until destruction.
#include <cstdint>

namespace Vozad
{
class OpenGLVertexBuffer
{
public:
    OpenGLVertexBuffer() = default;
    OpenGLVertexBuffer(const OpenGLVertexBuffer&) = delete;
    OpenGLVertexBuffer& operator=(const OpenGLVertexBuffer&) = delete;
    OpenGLVertexBuffer(OpenGLVertexBuffer&& p_Other) noexcept;
    OpenGLVertexBuffer& operator=(OpenGLVertexBuffer&& p_Other) noexcept;
    ~OpenGLVertexBuffer();

    // Generates the buffer with an empty store (it is bound once so that the name becomes a
    // buffer). A new buffer counts as changed: a vertex array has not seen it yet.
    bool Create();
    // The same, with a store that holds p_Bytes of p_Data and is never expected to change.
    bool CreateStatic(const void* p_Data, uint32_t p_Bytes, uint32_t p_Count);

    void Bind() const;
    void Unbind() const;

    // Replaces the contents with p_Bytes of p_Data. The store only grows: while the data fits it is
    // overwritten in place, so a container that changes every frame does not reallocate every frame.
    // A vertex array points at the buffer's name, which a new store keeps: the buffer does not
    // count as changed, so its attachments are not made again every frame.
    void SetData(const void* p_Data, uint32_t p_Bytes, uint32_t p_Count);

    // Set by Create, cleared when a vertex array (re)attaches the buffer.
    bool IsChanged() const { return m_Changed; }
    void ClearChanged() { m_Changed = false; }
    // Makes the next AddVertexBuffer attach the buffer again, e.g. for a program with other locations.
    void MarkChanged() { m_Changed = true; }

    uint32_t GetId() const { return m_Id; }
    uint32_t GetCount() const { return m_Count; }
    // How many times SetData ran since Create: what an upload costs is visible to the tests.
    uint64_t GetUploadCount() const { return m_UploadCount; }

private:
    void Delete();

    uint32_t m_Id = 0;
    uint32_t m_StoreBytes = 0; // size of the GL store, at least the bytes of the last SetData
    uint32_t m_Count = 0;      // elements of the last SetData
    uint64_t m_UploadCount = 0;
    bool m_Changed = false;
};

class OpenGLIndexBuffer
{
public:
    OpenGLIndexBuffer() = default;
    OpenGLIndexBuffer(const OpenGLIndexBuffer&) = delete;
    OpenGLIndexBuffer& operator=(const OpenGLIndexBuffer&) = delete;
    OpenGLIndexBuffer(OpenGLIndexBuffer&& p_Other) noexcept;
    OpenGLIndexBuffer& operator=(OpenGLIndexBuffer&& p_Other) noexcept;
    ~OpenGLIndexBuffer();

    // Binds the buffer as GL_ELEMENT_ARRAY_BUFFER: with a vertex array bound, the array keeps it.
    bool Create(const uint32_t* p_Indices, uint32_t p_Count);
    void SetData(const uint32_t* p_Indices, uint32_t p_Count);
    void Bind() const;
    // Never call this while a vertex array is bound: the array would lose its index buffer.
    void Unbind() const;

    uint32_t GetCount() const { return m_Count; }
    uint32_t GetId() const { return m_Id; }

private:
    void Delete();

    uint32_t m_Id = 0;
    uint32_t m_Count = 0;
};
} // namespace Vozad
