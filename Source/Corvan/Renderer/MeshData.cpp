#include "Corvan/Renderer/MeshData.h"

namespace Vozad
{
MeshData MeshData::UnitQuad()
{
    MeshData mesh;
    mesh.vertices.Add({0.0f, 0.0f, 0.0f, 0.0f, 0.0f});
    mesh.vertices.Add({1.0f, 0.0f, 0.0f, 1.0f, 0.0f});
    mesh.vertices.Add({1.0f, 1.0f, 0.0f, 1.0f, 1.0f});
    mesh.vertices.Add({0.0f, 1.0f, 0.0f, 0.0f, 1.0f});
    mesh.triangles.Add({{0, 1, 2}});
    mesh.triangles.Add({{2, 3, 0}});
    mesh.layout = BufferLayout{{AttributeType::Float3, "a_InVertexPosition"},
                               {AttributeType::Float2, "a_InUVCoordinates"}};
    return mesh;
}
} // namespace Vozad
