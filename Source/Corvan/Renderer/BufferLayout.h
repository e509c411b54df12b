#pragma once
// How the values of one vertex buffer are laid out: which attributes, at which byte offsets, and
// how far apart one vertex (or instance) is from the next.
#include "Lib/DynamicArray.h"
#include "Lib/String.h"

#include <cstdint>
#include <initializer_list>

namespace Vozad
{
enum class AttributeType : uint32_t
{
    Float = 0,
    Float2 = 1,
    Float3 = 2,
    Float4 = 3,
    Mat3 = 4,
    Mat4 = 5,
    UInt = 6,
    Int = 7,
    Int2 = 8,
    Int3 = 9,
    Int4 = 10,
    Bool = 11,
    Count = 12,
};

// Which GL call feeds an attribute of the type to the shader.
enum class AttributeSetup : uint32_t
{
    FloatPointer = 0,   // glVertexAttribPointer
    MatrixColumns = 1,  // one glVertexAttribPointer per column, one location each
    IntegerPointer = 2, // glVertexAttribIPointer
};

struct AttributeTypeInfo
{
    uint32_t components; // per column for the matrix types
    uint32_t columns;    // 1 for everything but the matrices
    uint32_t bytes;
    uint32_t glType; // GLenum
    AttributeSetup setup;
};

// Valid for every type but Count, which is a programming error and ends the process.
const AttributeTypeInfo& AttributeTypeInfoOf(AttributeType p_Type);

struct BufferElement
{
    BufferElement() = default;
    BufferElement(AttributeType p_Type, Lib::String p_Name);

    Lib::String name;
    AttributeType type = AttributeType::Float;
    uint32_t size = 0;   // bytes, from the type
    uint32_t offset = 0; // set by BufferLayout::ComputeOffsetsAndStride
    bool normalized = false;
};

class BufferLayout
{
public:
    BufferLayout() = default;
    // Adds the elements in order and computes offsets and stride.
    BufferLayout(std::initializer_list<BufferElement> p_Elements);

    void Add(const BufferElement& p_Element) { m_Elements.Add(p_Element); }
    // Packs the elements one after another: each offset is the sum of the sizes before it.
    void ComputeOffsetsAndStride();

    const Lib::DynamicArray<BufferElement>& GetElements() const { return m_Elements; }
    uint32_t GetStride() const { return m_Stride; }

private:
    Lib::DynamicArray<BufferElement> m_Elements;
    uint32_t m_Stride = 0;
};
} // namespace Vozad
