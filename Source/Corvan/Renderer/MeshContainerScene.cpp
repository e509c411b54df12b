#include "Corvan/Renderer/OpenGL/GLFunctions.h"

#include "Corvan/Renderer/IGraphicsContext.h"
#include "Corvan/Renderer/IShader.h"
#include "Corvan/Renderer/MeshContainerScene.h"
#include "Corvan/Renderer/MeshData.h"
#include "Corvan/Renderer/RenderPassInfo.h"

#include <glm/gtc/type_ptr.hpp>

#include <cstring>
#include <type_traits>

namespace Vozad
{
namespace
{
uint32_t LowId(uint64_t p_EntityId)
{
    return static_cast<uint32_t>(p_EntityId & 0xFFFFFFFFull);
}

template <class T>
void Upload(OpenGLVertexBuffer& p_Buffer, const Lib::DynamicArray<T>& p_Values, const BufferLayout& p_Layout)
{
    const uint32_t count = p_Values.Count();
    p_Buffer.SetData(&p_Values.At(0), count * p_Layout.GetStride(), count);
}
} // namespace

MeshContainerScene::MeshContainerScene(uint64_t p_EntityId, uint64_t p_TextureKey, int32_t p_Kind,
                                       const SpriteInstance& p_Instance)
    : m_TextureKey(p_TextureKey), m_Kind(p_Kind)
{
    AddInstance(p_EntityId, p_Instance);
}

template <class Self, class F> void MeshContainerScene::ForEachAttributeOf(Self& p_Self, F&& p_Function)
{
    p_Function(p_Self.m_TextureShift);
    p_Function(p_Self.m_TextureScale);
    p_Function(p_Self.m_SubTexturePosition);
    p_Function(p_Self.m_SubTextureSize);
    p_Function(p_Self.m_Layer);
    p_Function(p_Self.m_Dimensions);
    p_Function(p_Self.m_Ids);
    p_Function(p_Self.m_Colour);
    p_Function(p_Self.m_Visible);
    p_Function(p_Self.m_DrawBorder);
    p_Function(p_Self.m_ModelMatrix);
}

bool MeshContainerScene::BuildBuffers(int32_t p_ApiKind, const IShader& p_Shader, const MeshData& p_Mesh)
{
    if (p_ApiKind != k_GraphicsApiOpenGL)
        return false;
    if (!m_VertexArray.Create())
        return false;
    m_VertexArray.Bind();

    const uint32_t vertexCount = p_Mesh.vertices.Count();
    const uint32_t triangleCount = p_Mesh.triangles.Count();
    if (vertexCount == 0 || triangleCount == 0)
    {
        m_VertexArray.Unbind();
        return false;
    }
    if (!m_MeshBuffer.CreateStatic(&p_Mesh.vertices.At(0), vertexCount * sizeof(MeshVertex), vertexCount) ||
        !m_IndexBuffer.Create(p_Mesh.triangles.At(0).indices, triangleCount * 3))
    {
        m_VertexArray.Unbind();
        return false;
    }
    m_VertexArray.AddVertexBuffer(m_MeshBuffer, p_Mesh.layout, false, 0);
    for (const BufferElement& element : p_Mesh.layout.GetElements())
        m_MeshLocations += AttributeTypeInfoOf(element.type).columns;
    m_AttachedProgram = p_Shader.GetProgram();

    bool created = true;
    ForEachAttribute(
        [&](auto& p_Attribute)
        {
            const int32_t location = p_Shader.GetAttributeLocation(p_Attribute.name);
            if (location < 0 || !created)
                return;
            if (!p_Attribute.buffer.Create())
            {
                created = false;
                return;
            }
            p_Attribute.layout = BufferLayout{{p_Attribute.type, p_Attribute.name}};
            p_Attribute.hasBuffer = true;
            m_VertexArray.AddVertexBuffer(p_Attribute.buffer, p_Attribute.layout, true,
                                          static_cast<uint32_t>(location));
        });
    if (!created)
    {
        m_VertexArray.Unbind();
        return false;
    }

    m_Built = true;
    UploadAll();
    m_VertexArray.Unbind();
    return true;
}

namespace
{
// Marks the attribute only when the value differs: a sprite that moves every frame changes its
// matrix alone, and the other buffers need not go up again. Compared bit for bit, so that what the
// buffer holds is always exactly what was given (0.0 and -0.0 compare equal as numbers). True when
// the value changed.
template <class Attribute, class T> bool Store(Attribute& p_Attribute, uint32_t p_Index, const T& p_Value)
{
    static_assert(std::is_trivially_copyable_v<T>);
    T& stored = p_Attribute.values.At(p_Index);
    if (std::memcmp(&stored, &p_Value, sizeof(T)) == 0)
        return false;
    stored = p_Value;
    p_Attribute.marked = true;
    return true;
}
} // namespace

void MeshContainerScene::StoreValues(uint32_t p_Index, const SpriteInstance& p_Instance)
{
    bool plainnessMayChange = Store(m_TextureShift, p_Index, p_Instance.textureShift);
    plainnessMayChange = Store(m_TextureScale, p_Index, p_Instance.textureScale) || plainnessMayChange;
    Store(m_SubTexturePosition, p_Index, p_Instance.subTexturePosition);
    Store(m_SubTextureSize, p_Index, p_Instance.subTextureSize);
    Store(m_Layer, p_Index, p_Instance.layer);
    Store(m_Dimensions, p_Index,
          glm::vec2(static_cast<float>(p_Instance.width), static_cast<float>(p_Instance.height)));
    Store(m_Colour, p_Index, p_Instance.colour);
    Store(m_Visible, p_Index, p_Instance.visible ? 1.0f : 0.0f);
    plainnessMayChange =
        Store(m_DrawBorder, p_Index, p_Instance.drawBorder ? 1.0f : 0.0f) || plainnessMayChange;
    Store(m_ModelMatrix, p_Index, p_Instance.modelMatrix);
    if (plainnessMayChange)
        ForgetPlainness();
}

void MeshContainerScene::MarkAllButIds()
{
    ForEachAttribute([](auto& p_Attribute) { p_Attribute.marked = true; });
    m_Ids.marked = false;
    ForgetPlainness();
}

bool MeshContainerScene::HasOnlyPlainInstances() const
{
    if (m_PlainKnown)
        return m_Plain;
    // Bit for bit, like the stored values: a scale of exactly one and a shift of exactly zero
    // sample what the plain variant samples, anything else takes the full shader.
    const auto is = [](const auto& p_Value, const auto& p_Expected)
    { return std::memcmp(&p_Value, &p_Expected, sizeof(p_Value)) == 0; };
    const glm::vec2 unscaled{1.0f, 1.0f}, unshifted{0.0f, 0.0f};
    const float noBorder = 0.0f;
    m_Plain = true;
    for (uint32_t i = 0; i < GetInstanceCount() && m_Plain; ++i)
        m_Plain = is(m_TextureScale.values.At(i), unscaled) && is(m_TextureShift.values.At(i), unshifted) &&
                  is(m_DrawBorder.values.At(i), noBorder);
    m_PlainKnown = true;
    return m_Plain;
}

void MeshContainerScene::AddInstance(uint64_t p_EntityId, const SpriteInstance& p_Instance)
{
    const uint32_t id = LowId(p_EntityId);
    const uint32_t count = GetInstanceCount();
    uint32_t index = count;
    const auto found = m_Entities.find(id);
    if (found != m_Entities.end())
        index = found->second.first + found->second.count;

    ForEachAttribute(
        [&](auto& p_Attribute)
        {
            using Value = std::remove_reference_t<decltype(p_Attribute.values.At(0))>;
            if (index == count)
                p_Attribute.values.Add(Value{});
            else
                p_Attribute.values.InsertAfter(index - 1, Value{});
        });
    m_Ids.values.At(index) = id;
    StoreValues(index, p_Instance);

    if (found != m_Entities.end())
    {
        ++found->second.count;
        if (index != count)
        {
            for (auto& [otherId, span] : m_Entities)
                if (otherId != id && span.first >= index)
                    ++span.first;
        }
    }
    else
    {
        m_Entities.emplace(id, EntitySpan{index, 1});
    }

    MarkAllButIds();
    m_Ids.marked = true;
}

bool MeshContainerScene::RemoveEntity(uint64_t p_EntityId)
{
    const uint32_t id = LowId(p_EntityId);
    const auto found = m_Entities.find(id);
    if (found == m_Entities.end())
        return false;

    const uint32_t count = GetInstanceCount();
    bool lengthsAgree = true;
    ForEachAttribute([&](auto& p_Attribute)
                     { lengthsAgree = lengthsAgree && p_Attribute.values.Count() == count; });
    if (!lengthsAgree)
    {
        LogError(
            m_Tag,
            "Error removing entity ID \"%u\", c1: %u, c2: %u, c3: %u, c4: %u, c5: %u, c6: %u, c7: %u, c8: %u",
            id, m_Ids.values.Count(), m_TextureShift.values.Count(), m_TextureScale.values.Count(),
            m_SubTexturePosition.values.Count(), m_SubTextureSize.values.Count(), m_Layer.values.Count(),
            m_Dimensions.values.Count(), m_Colour.values.Count());
        return false;
    }

    const EntitySpan removed = found->second;
    m_Entities.erase(found);
    for (uint32_t i = removed.first + removed.count; i-- > removed.first;)
        ForEachAttribute([i](auto& p_Attribute) { p_Attribute.values.Remove(i); });
    for (auto& entry : m_Entities)
        if (entry.second.first > removed.first)
            entry.second.first -= removed.count;

    MarkAllButIds();
    m_Ids.marked = true;
    return true;
}

bool MeshContainerScene::FindInstance(uint64_t p_EntityId, uint32_t& p_Index) const
{
    const auto found = m_Entities.find(LowId(p_EntityId));
    if (found == m_Entities.end())
        return false;
    p_Index = found->second.first;
    return true;
}

bool MeshContainerScene::InstanceIndex(uint64_t p_EntityId, uint32_t p_SubIndex, uint32_t& p_Index) const
{
    uint32_t first = 0;
    if (!FindInstance(p_EntityId, first))
        return false;
    p_Index = first + p_SubIndex;
    return true;
}

bool MeshContainerScene::UpdateInstance(uint64_t p_EntityId, const SpriteInstance& p_Instance)
{
    uint32_t index = 0;
    if (!FindInstance(p_EntityId, index))
        return false;
    StoreValues(index, p_Instance);
    return true;
}

void MeshContainerScene::UpdateTextureRegion(uint64_t p_EntityId, glm::vec2 p_Shift, glm::vec2 p_Scale,
                                             glm::ivec2 p_SubTexturePosition, glm::ivec2 p_SubTextureSize,
                                             uint32_t p_SubIndex)
{
    uint32_t index = 0;
    if (!InstanceIndex(p_EntityId, p_SubIndex, index))
        return;
    m_TextureShift.values.At(index) = p_Shift;
    m_TextureScale.values.At(index) = p_Scale;
    m_SubTexturePosition.values.At(index) = p_SubTexturePosition;
    m_SubTextureSize.values.At(index) = p_SubTextureSize;
    m_TextureShift.marked = true;
    m_TextureScale.marked = true;
    m_SubTexturePosition.marked = true;
    m_SubTextureSize.marked = true;
    ForgetPlainness();
}

void MeshContainerScene::UpdateModelMatrix(uint64_t p_EntityId, const glm::mat4& p_Matrix,
                                           uint32_t p_SubIndex)
{
    uint32_t index = 0;
    if (!InstanceIndex(p_EntityId, p_SubIndex, index))
        return;
    m_ModelMatrix.values.At(index) = p_Matrix;
    m_ModelMatrix.marked = true;
}

void MeshContainerScene::SetDrawBorder(uint64_t p_EntityId, bool p_DrawBorder)
{
    uint32_t index = 0;
    if (!FindInstance(p_EntityId, index))
        return;
    m_DrawBorder.values.At(index) = p_DrawBorder ? 1.0f : 0.0f;
    m_DrawBorder.marked = true;
    ForgetPlainness();
}

void MeshContainerScene::UploadAll()
{
    ForEachAttribute([](auto& p_Attribute) { p_Attribute.marked = true; });
    UploadMarked();
}

void MeshContainerScene::UploadMarked()
{
    // Without a built container there is nothing to upload into; without instances nothing to
    // upload. Either way the marks stay until there is.
    if (!m_Built || GetInstanceCount() == 0)
        return;
    ForEachAttribute(
        [](auto& p_Attribute)
        {
            if (!p_Attribute.marked)
                return;
            if (p_Attribute.hasBuffer)
                Upload(p_Attribute.buffer, p_Attribute.values, p_Attribute.layout);
            p_Attribute.marked = false;
        });
}

uint64_t MeshContainerScene::GetUploadCount() const
{
    uint64_t uploads = 0;
    ForEachAttributeOf(*this,
                       [&](const auto& p_Attribute) { uploads += p_Attribute.buffer.GetUploadCount(); });
    return uploads;
}

void MeshContainerScene::Draw(const IShader& p_Shader, uint32_t p_SelectionFlag,
                              const glm::mat4& p_ProjectionView, const RenderPassInfo& p_Pass)
{
    if (!m_Built || GetInstanceCount() == 0)
        return;
    UploadMarked();
    m_VertexArray.Bind();

    if (p_Shader.GetProgram() != m_AttachedProgram)
    {
        // Another program may put the same attributes at other locations, and an attachment that
        // is merely unchanged would then feed the wrong ones: attach everything afresh for it.
        m_VertexArray.DisableLocationsFrom(m_MeshLocations);
        ForEachAttribute([](auto& p_Attribute) { p_Attribute.buffer.MarkChanged(); });
        m_AttachedProgram = p_Shader.GetProgram();
    }

    if (p_Shader.HasUniform("u_UseFrameBuffer"))
    {
        p_Shader.SetUniform1ui("u_UseFrameBuffer", p_SelectionFlag);
        if (p_SelectionFlag != 0 && m_Ids.hasBuffer)
        {
            const int32_t location = p_Shader.GetAttributeLocation(m_Ids.name);
            if (location >= 0)
                m_VertexArray.AddVertexBuffer(m_Ids.buffer, m_Ids.layout, true,
                                              static_cast<uint32_t>(location));
        }
    }

    const auto attach = [&](auto& p_Attribute)
    {
        if (!p_Attribute.hasBuffer)
            return;
        const int32_t location = p_Shader.GetAttributeLocation(p_Attribute.name);
        if (location >= 0)
            m_VertexArray.AddVertexBuffer(p_Attribute.buffer, p_Attribute.layout, true,
                                          static_cast<uint32_t>(location));
    };
    attach(m_TextureShift);
    attach(m_TextureScale);
    attach(m_SubTexturePosition);
    attach(m_SubTextureSize);
    attach(m_Layer);
    attach(m_Dimensions);
    attach(m_Visible);
    attach(m_Colour);
    attach(m_DrawBorder);
    attach(m_ModelMatrix);

    if (!p_Pass.opaque &&
        (p_Pass.kind == k_RenderPassWeightedBlended || p_Pass.kind == k_RenderPassDepthPeeling))
    {
        if (p_Shader.HasUniform("u_IsOpaquePass"))
            p_Shader.SetUniform1ui("u_IsOpaquePass", 0);
        if (p_Pass.kind == k_RenderPassDepthPeeling)
        {
            if (p_Shader.HasUniform("u_FirstPeel"))
                p_Shader.SetUniform1i("u_FirstPeel", p_Pass.firstPeel ? 1 : 0);
            if (p_Shader.HasUniform("width"))
                p_Shader.SetUniform1f("width", static_cast<float>(p_Pass.width));
            if (p_Shader.HasUniform("height"))
                p_Shader.SetUniform1f("height", static_cast<float>(p_Pass.height));
            if (p_Shader.HasUniform("prevDepth") && !p_Pass.firstPeel)
            {
                GL_CHECK(glActiveTexture(GL_TEXTURE1));
                GL_CHECK(glBindTexture(GL_TEXTURE_2D, p_Pass.depthSourceTexture));
                // Later texture binds of the scene expect unit 0 to be the active one.
                GL_CHECK(glActiveTexture(GL_TEXTURE0));
                p_Shader.SetUniform1i("prevDepth", 1);
            }
        }
    }

    p_Shader.SetUniformMatrix4("u_ProjectionViewMatrix", glm::value_ptr(p_ProjectionView));
    GL_CHECK(glDrawElementsInstanced(GL_TRIANGLES, static_cast<GLsizei>(m_IndexBuffer.GetCount()),
                                     GL_UNSIGNED_INT, nullptr, static_cast<GLsizei>(GetInstanceCount())));
    m_VertexArray.Unbind();
}
} // namespace Vozad
