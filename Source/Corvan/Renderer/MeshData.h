#pragma once
// The geometry a container instances: vertices, triangles and the layout of the vertices.
#include "Corvan/Renderer/BufferLayout.h"
#include "Lib/DynamicArray.h"

#include <cstdint>

namespace Vozad
{
struct MeshVertex
{
    float x, y, z; // position
    float u, v;    // texture coordinate
};
static_assert(sizeof(MeshVertex) == 20, "the vertex layout has a stride of 20 bytes");

struct MeshTriangle
{
    uint32_t indices[3];
};
static_assert(sizeof(MeshTriangle) == 12, "triangles go to the index buffer as they are");

struct MeshData
{
    Lib::DynamicArray<MeshVertex> vertices;
    Lib::DynamicArray<MeshTriangle> triangles;
    BufferLayout layout; // a_InVertexPosition Float3, a_InUVCoordinates Float2

    // The mesh of every sprite: the square (0,0)..(1,1), whose texture coordinates equal its
    // positions, so a model matrix that scales by the size places it at x..x+width, y..y+height.
    static MeshData UnitQuad();
};
} // namespace Vozad
