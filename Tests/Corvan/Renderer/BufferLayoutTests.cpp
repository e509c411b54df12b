// Attribute type table, layout offsets and the unit quad: everything of the vertex layouts that
// needs no GL context.
#include <GL/glcorearb.h>

#include "Corvan/Renderer/BufferLayout.h"
#include "Corvan/Renderer/MeshData.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdint>
#include <vector>

using Vozad::AttributeSetup;
using Vozad::AttributeType;
using Vozad::AttributeTypeInfoOf;
using Vozad::BufferElement;
using Vozad::BufferLayout;

namespace
{
TEST(BufferLayoutTest, AttributeTypeTableGivesComponentsBytesAndTheGLCall)
{
    const struct
    {
        AttributeType type;
        uint32_t components;
        uint32_t columns;
        uint32_t bytes;
        uint32_t glType;
        AttributeSetup setup;
    } cases[] = {
        {AttributeType::Float, 1, 1, 4, GL_FLOAT, AttributeSetup::FloatPointer},
        {AttributeType::Float2, 2, 1, 8, GL_FLOAT, AttributeSetup::FloatPointer},
        {AttributeType::Float3, 3, 1, 12, GL_FLOAT, AttributeSetup::FloatPointer},
        {AttributeType::Float4, 4, 1, 16, GL_FLOAT, AttributeSetup::FloatPointer},
        {AttributeType::Mat3, 3, 3, 36, GL_FLOAT, AttributeSetup::MatrixColumns},
        {AttributeType::Mat4, 4, 4, 64, GL_FLOAT, AttributeSetup::MatrixColumns},
        {AttributeType::UInt, 1, 1, 4, GL_UNSIGNED_INT, AttributeSetup::IntegerPointer},
        {AttributeType::Int, 1, 1, 4, GL_INT, AttributeSetup::IntegerPointer},
        {AttributeType::Int2, 2, 1, 8, GL_INT, AttributeSetup::IntegerPointer},
        {AttributeType::Int3, 3, 1, 12, GL_INT, AttributeSetup::IntegerPointer},
        {AttributeType::Int4, 4, 1, 16, GL_INT, AttributeSetup::IntegerPointer},
        // GL_BOOL is no valid type for integer attributes; a one-byte flag goes up as a byte.
        {AttributeType::Bool, 1, 1, 1, GL_UNSIGNED_BYTE, AttributeSetup::IntegerPointer},
    };
    for (const auto& testCase : cases)
    {
        SCOPED_TRACE(static_cast<uint32_t>(testCase.type));
        const auto& info = AttributeTypeInfoOf(testCase.type);
        EXPECT_EQ(info.components, testCase.components);
        EXPECT_EQ(info.columns, testCase.columns);
        EXPECT_EQ(info.bytes, testCase.bytes);
        EXPECT_EQ(info.glType, testCase.glType);
        EXPECT_EQ(info.setup, testCase.setup);
        EXPECT_EQ(BufferElement(testCase.type, "a").size, testCase.bytes);
    }
}

// LogFatal ends the process with -1: POSIX keeps its low 8 bits, Windows all 32.
#ifdef _WIN32
constexpr int k_FatalExitCode = -1;
#else
constexpr int k_FatalExitCode = 255;
#endif

TEST(BufferLayoutTest, AnUnknownTypeIsFatal)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            dup2(2, 1);
            AttributeTypeInfoOf(AttributeType::Count);
        },
        testing::ExitedWithCode(k_FatalExitCode), "Unknown attribute type: 12");
}

std::vector<uint32_t> Offsets(const BufferLayout& p_Layout)
{
    std::vector<uint32_t> offsets;
    for (const BufferElement& element : p_Layout.GetElements())
        offsets.push_back(element.offset);
    return offsets;
}

TEST(BufferLayoutTest, ElementsArePackedInOrderAndTheStrideIsTheirTotal)
{
    const BufferLayout mesh{{AttributeType::Float3, "a_InVertexPosition"},
                            {AttributeType::Float2, "a_InUVCoordinates"}};
    EXPECT_EQ(Offsets(mesh), (std::vector<uint32_t>{0, 12}));
    EXPECT_EQ(mesh.GetStride(), 20u);

    const BufferLayout mixed{{AttributeType::Bool, "a"},
                             {AttributeType::Mat4, "b"},
                             {AttributeType::Int2, "c"},
                             {AttributeType::Mat3, "d"},
                             {AttributeType::UInt, "e"}};
    EXPECT_EQ(Offsets(mixed), (std::vector<uint32_t>{0, 1, 65, 73, 109}));
    EXPECT_EQ(mixed.GetStride(), 113u);
    for (const BufferElement& element : mixed.GetElements())
        EXPECT_FALSE(element.normalized);
    EXPECT_EQ(mixed.GetElements().At(2).name, Lib::String("c"));

    // Elements added one by one get their offsets only when the layout is computed.
    BufferLayout added;
    added.Add({AttributeType::Float4, "x"});
    added.Add({AttributeType::Float, "y"});
    EXPECT_EQ(added.GetStride(), 0u);
    added.ComputeOffsetsAndStride();
    EXPECT_EQ(Offsets(added), (std::vector<uint32_t>{0, 16}));
    EXPECT_EQ(added.GetStride(), 20u);

    EXPECT_EQ(BufferLayout{}.GetStride(), 0u);
}

TEST(BufferLayoutTest, UnitQuadCoversTheUnitSquareWithMatchingTextureCoordinates)
{
    const Vozad::MeshData quad = Vozad::MeshData::UnitQuad();
    ASSERT_EQ(quad.vertices.Count(), 4u);
    const float expected[4][5] = {{0, 0, 0, 0, 0}, {1, 0, 0, 1, 0}, {1, 1, 0, 1, 1}, {0, 1, 0, 0, 1}};
    for (uint32_t i = 0; i < 4; ++i)
    {
        const Vozad::MeshVertex& vertex = quad.vertices.At(i);
        EXPECT_EQ((std::vector<float>{vertex.x, vertex.y, vertex.z, vertex.u, vertex.v}),
                  (std::vector<float>(expected[i], expected[i] + 5)))
            << "vertex " << i;
    }
    ASSERT_EQ(quad.triangles.Count(), 2u);
    EXPECT_EQ((std::vector<uint32_t>(quad.triangles.At(0).indices, quad.triangles.At(0).indices + 3)),
              (std::vector<uint32_t>{0, 1, 2}));
    EXPECT_EQ((std::vector<uint32_t>(quad.triangles.At(1).indices, quad.triangles.At(1).indices + 3)),
              (std::vector<uint32_t>{2, 3, 0}));
    EXPECT_EQ(Offsets(quad.layout), (std::vector<uint32_t>{0, 12}));
    EXPECT_EQ(quad.layout.GetStride(), 20u);
    EXPECT_EQ(quad.layout.GetElements().At(0).name, Lib::String("a_InVertexPosition"));
    EXPECT_EQ(quad.layout.GetElements().At(1).name, Lib::String("a_InUVCoordinates"));
}
} // namespace
