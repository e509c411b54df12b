#include "Corvan/Renderer/OpenGL/GLFunctions.h"

#include "Corvan/Renderer/BufferLayout.h"
#include "Lib/Log.h"

#include <iterator>
#include <utility>

namespace Vozad
{
namespace
{
// glVertexAttribIPointer accepts no GL_BOOL, so one-byte flags go up as unsigned bytes.
constexpr AttributeTypeInfo k_AttributeTypes[] = {
    {1, 1, 4, GL_FLOAT, AttributeSetup::FloatPointer},           // Float
    {2, 1, 8, GL_FLOAT, AttributeSetup::FloatPointer},           // Float2
    {3, 1, 12, GL_FLOAT, AttributeSetup::FloatPointer},          // Float3
    {4, 1, 16, GL_FLOAT, AttributeSetup::FloatPointer},          // Float4
    {3, 3, 36, GL_FLOAT, AttributeSetup::MatrixColumns},         // Mat3
    {4, 4, 64, GL_FLOAT, AttributeSetup::MatrixColumns},         // Mat4
    {1, 1, 4, GL_UNSIGNED_INT, AttributeSetup::IntegerPointer},  // UInt
    {1, 1, 4, GL_INT, AttributeSetup::IntegerPointer},           // Int
    {2, 1, 8, GL_INT, AttributeSetup::IntegerPointer},           // Int2
    {3, 1, 12, GL_INT, AttributeSetup::IntegerPointer},          // Int3
    {4, 1, 16, GL_INT, AttributeSetup::IntegerPointer},          // Int4
    {1, 1, 1, GL_UNSIGNED_BYTE, AttributeSetup::IntegerPointer}, // Bool
};
static_assert(std::size(k_AttributeTypes) == static_cast<size_t>(AttributeType::Count),
              "every AttributeType needs exactly one row");
} // namespace

const AttributeTypeInfo& AttributeTypeInfoOf(AttributeType p_Type)
{
    const auto index = static_cast<uint32_t>(p_Type);
    if (index >= static_cast<uint32_t>(AttributeType::Count))
        Lib::FatalError("BufferLayout", "Unknown attribute type: %u", index);
    return k_AttributeTypes[index];
}

BufferElement::BufferElement(AttributeType p_Type, Lib::String p_Name)
    : name(std::move(p_Name)), type(p_Type), size(AttributeTypeInfoOf(p_Type).bytes)
{
}

BufferLayout::BufferLayout(std::initializer_list<BufferElement> p_Elements)
{
    for (const BufferElement& element : p_Elements)
        Add(element);
    ComputeOffsetsAndStride();
}

void BufferLayout::ComputeOffsetsAndStride()
{
    uint32_t offset = 0;
    for (BufferElement& element : m_Elements)
    {
        element.offset = offset;
        offset += element.size;
    }
    m_Stride = offset;
}
} // namespace Vozad
