#pragma once
// One batch of the scene: every instance of one (shader group, texture key) pair, each value of
// each instance in its own per-instance GPU buffer, drawn with one instanced call.
//
// Changes only mark the buffers they touch; the marked buffers go up once, at the container's
// next Draw. A frame that moves every instance therefore costs one pass over the instances and
// one upload per touched buffer, however many single updates it made.
#include "Corvan/Renderer/BufferLayout.h"
#include "Corvan/Renderer/OpenGL/OpenGLBuffers.h"
#include "Corvan/Renderer/OpenGL/OpenGLVertexArray.h"
#include "Corvan/Renderer/SpriteInstance.h"
#include "Lib/DynamicArray.h"
#include "Lib/Log.h"
#include "Lib/ReferenceCounter.h"

#include <glm/mat4x4.hpp>
#include <glm/vec2.hpp>
#include <glm/vec4.hpp>

#include <cstdint>
#include <unordered_map>

namespace Vozad
{
class IShader;
struct MeshData;
struct RenderPassInfo;

class IMeshContainer
{
public:
    virtual ~IMeshContainer() = default;
    // p_ApiKind is the graphics API (0 OpenGL); only OpenGL builds anything.
    virtual bool BuildBuffers(int32_t p_ApiKind, const IShader& p_Shader, const MeshData& p_Mesh) = 0;
    // Files the instance directly after the entity's instances already here, or at the end.
    virtual void AddInstance(uint64_t p_EntityId, const SpriteInstance& p_Instance) = 0;
    // Removes every instance of the entity; false when it has none here.
    virtual bool RemoveEntity(uint64_t p_EntityId) = 0;
    // Index of the entity's first instance.
    virtual bool FindInstance(uint64_t p_EntityId, uint32_t& p_Index) const = 0;
    // Overwrites every value of the entity's first instance; false, changing nothing, when the
    // entity is absent.
    virtual bool UpdateInstance(uint64_t p_EntityId, const SpriteInstance& p_Instance) = 0;
    // These address instance (first instance + p_SubIndex); beyond the instance count is fatal.
    virtual void UpdateTextureRegion(uint64_t p_EntityId, glm::vec2 p_Shift, glm::vec2 p_Scale,
                                     glm::ivec2 p_SubTexturePosition, glm::ivec2 p_SubTextureSize,
                                     uint32_t p_SubIndex) = 0;
    virtual void UpdateModelMatrix(uint64_t p_EntityId, const glm::mat4& p_Matrix, uint32_t p_SubIndex) = 0;
    virtual bool HasInstances() const = 0;
    // The shader is bound by the caller. p_SelectionFlag is the graphics API's object-selection
    // flag: when set, the entity ids are drawn as colours.
    virtual void Draw(const IShader& p_Shader, uint32_t p_SelectionFlag, const glm::mat4& p_ProjectionView,
                      const RenderPassInfo& p_Pass) = 0;
    // Uploads every buffer now, marked or not.
    virtual void UploadAll() = 0;
    virtual uint64_t GetTextureKey() const = 0;
    virtual void SetDrawBorder(uint64_t p_EntityId, bool p_DrawBorder) = 0;
};

class MeshContainerScene : public IMeshContainer, public Lib::ReferenceCounter
{
public:
    // Holds the one instance it is created for; BuildBuffers makes its GL objects.
    MeshContainerScene(uint64_t p_EntityId, uint64_t p_TextureKey, int32_t p_Kind,
                       const SpriteInstance& p_Instance);

    bool BuildBuffers(int32_t p_ApiKind, const IShader& p_Shader, const MeshData& p_Mesh) override;
    void AddInstance(uint64_t p_EntityId, const SpriteInstance& p_Instance) override;
    bool RemoveEntity(uint64_t p_EntityId) override;
    bool FindInstance(uint64_t p_EntityId, uint32_t& p_Index) const override;
    bool UpdateInstance(uint64_t p_EntityId, const SpriteInstance& p_Instance) override;
    void UpdateTextureRegion(uint64_t p_EntityId, glm::vec2 p_Shift, glm::vec2 p_Scale,
                             glm::ivec2 p_SubTexturePosition, glm::ivec2 p_SubTextureSize,
                             uint32_t p_SubIndex) override;
    void UpdateModelMatrix(uint64_t p_EntityId, const glm::mat4& p_Matrix, uint32_t p_SubIndex) override;
    bool HasInstances() const override { return GetInstanceCount() != 0; }
    void Draw(const IShader& p_Shader, uint32_t p_SelectionFlag, const glm::mat4& p_ProjectionView,
              const RenderPassInfo& p_Pass) override;
    void UploadAll() override;
    uint64_t GetTextureKey() const override { return m_TextureKey; }
    void SetDrawBorder(uint64_t p_EntityId, bool p_DrawBorder) override;

    // No instance repeats or scrolls its image or carries a border: the batch may be drawn by the
    // shader's plain variant. Worked out again only after those values changed.
    bool HasOnlyPlainInstances() const;

    uint32_t GetInstanceCount() const { return m_Ids.values.Count(); }
    int32_t GetKind() const { return m_Kind; }
    // Entity ids (low 32 bits) in instance order.
    const Lib::DynamicArray<uint32_t>& GetEntityIds() const { return m_Ids.values; }
    // Uploads made by all per-instance buffers since BuildBuffers.
    uint64_t GetUploadCount() const;

private:
    template <class T> struct InstanceAttribute
    {
        InstanceAttribute(const char* p_Name, AttributeType p_Type) : name(p_Name), type(p_Type) {}

        const char* name; // in the shader
        AttributeType type;
        Lib::DynamicArray<T> values; // one per instance, in instance order
        OpenGLVertexBuffer buffer;   // only when the shader has the attribute
        BufferLayout layout;
        bool hasBuffer = false;
        bool marked = false; // changed since the last upload
    };

    // Where an entity's instances sit: adjacent, from first on.
    struct EntitySpan
    {
        uint32_t first;
        uint32_t count;
    };

    // Every per-instance array, the ids included, in the order the buffers are built.
    template <class Self, class F> static void ForEachAttributeOf(Self& p_Self, F&& p_Function);
    template <class F> void ForEachAttribute(F&& p_Function) { ForEachAttributeOf(*this, p_Function); }
    void StoreValues(uint32_t p_Index, const SpriteInstance& p_Instance);
    void MarkAllButIds();
    void ForgetPlainness() { m_PlainKnown = false; }
    void UploadMarked();
    // Index of instance p_SubIndex of the entity; false when the entity has no instance here.
    bool InstanceIndex(uint64_t p_EntityId, uint32_t p_SubIndex, uint32_t& p_Index) const;

    Lib::LogTag m_Tag{"MeshContainerScene"};
    OpenGLVertexArray m_VertexArray;
    OpenGLVertexBuffer m_MeshBuffer;
    OpenGLIndexBuffer m_IndexBuffer;
    uint64_t m_TextureKey;
    int32_t m_Kind; // what the instances are; kept, not used for drawing
    bool m_Built = false;
    uint32_t m_MeshLocations = 0;   // locations 0 .. m_MeshLocations - 1 feed the mesh
    uint32_t m_AttachedProgram = 0; // the program whose locations the instance buffers are attached at

    // Parallel arrays: index i of each belongs to instance i. The ids double as a_InFrameBufferID.
    InstanceAttribute<uint32_t> m_Ids{"a_InFrameBufferID", AttributeType::UInt};
    InstanceAttribute<glm::vec2> m_TextureShift{"a_InTextureShift", AttributeType::Float2};
    InstanceAttribute<glm::vec2> m_TextureScale{"a_InTextureScale", AttributeType::Float2};
    InstanceAttribute<glm::ivec2> m_SubTexturePosition{"a_InSubTexturePosition", AttributeType::Int2};
    InstanceAttribute<glm::ivec2> m_SubTextureSize{"a_InSubTextureSize", AttributeType::Int2};
    InstanceAttribute<float> m_Layer{"a_InTextureArrayIndex", AttributeType::Float};
    InstanceAttribute<glm::vec2> m_Dimensions{"a_TextureDimensions", AttributeType::Float2};
    InstanceAttribute<glm::vec4> m_Colour{"a_InColor", AttributeType::Float4};
    InstanceAttribute<float> m_Visible{"a_Visible", AttributeType::Float};
    InstanceAttribute<float> m_DrawBorder{"a_DrawBorder", AttributeType::Float};
    InstanceAttribute<glm::mat4> m_ModelMatrix{"a_ModelMatrix", AttributeType::Mat4};

    std::unordered_map<uint32_t, EntitySpan> m_Entities;

    mutable bool m_PlainKnown = false; // m_Plain holds for the current values
    mutable bool m_Plain = false;
};
} // namespace Vozad
