#pragma once
// One of the renderer's two instance stores (opaque or transparent): containers filed by shader
// group, then by texture key, so that a draw binds each shader and each texture once.
#include "Corvan/Renderer/MeshContainerScene.h"
#include "Corvan/Renderer/SpriteInstance.h"
#include "Lib/DynamicArray.h"
#include "Lib/Log.h"
#include "Lib/ReferenceCounter.h"
#include "Lib/String.h"

#include <glm/mat4x4.hpp>

#include <cstdint>

namespace Vozad
{
class IShaderSource;
class ISceneTextures;
struct MeshData;
struct RenderPassInfo;

class SceneDatabase
{
public:
    // Both sources must outlive the database.
    SceneDatabase(const IShaderSource& p_Shaders, const ISceneTextures& p_Textures);
    SceneDatabase(const SceneDatabase&) = delete;
    SceneDatabase& operator=(const SceneDatabase&) = delete;

    // The first container of the shader group (exact name) with the texture key; null when none.
    MeshContainerScene* FindContainer(const Lib::String& p_ShaderGroup, uint64_t p_TextureKey) const;

    // Files the instance in the container of (group, key), creating container and groups as
    // needed. p_LayerIndex is the renderer's layer of the instance.
    void SubmitInstance(uint64_t p_EntityId, const Lib::String& p_ShaderGroup, int32_t p_Kind,
                        uint64_t p_TextureKey, const MeshData& p_Mesh, const SpriteInstance& p_Instance,
                        int32_t p_LayerIndex = 0);

    // Files an instance for which FindContainer found nothing. A group name without a loaded shader
    // is fatal (the shader source ends the process).
    void CreateContainer(int32_t p_ApiKind, const Lib::String& p_ShaderGroup, int32_t p_LayerIndex,
                         int32_t p_Kind, uint64_t p_EntityId, uint64_t p_TextureKey, const MeshData& p_Mesh,
                         const SpriteInstance& p_Instance);

    // Overwrites the entity's first instance in the container of (group, key). False when that
    // container does not exist or does not hold the entity.
    bool UpdateInstance(uint64_t p_EntityId, const Lib::String& p_ShaderGroup, uint64_t p_TextureKey,
                        const SpriteInstance& p_Instance);

    // Removes the entity from the first container that holds it; a container, texture group or
    // shader group left empty goes with it. False when no container holds the entity.
    bool RemoveEntity(uint64_t p_EntityId);

    // p_SelectionFlag: the graphics API's object-selection flag, handed to every container.
    void Draw(const glm::mat4& p_ProjectionView, uint32_t p_SelectionFlag, const RenderPassInfo& p_Pass);

    // Drops every container (and with the last reference its GL objects).
    void Clear() { m_ShaderGroups.Clear(); }

    // Statistics.
    uint32_t GetShaderGroupCount() const { return m_ShaderGroups.Count(); }
    uint32_t GetTextureGroupCount() const;
    uint32_t GetContainerCount() const;
    uint32_t GetInstanceCount() const;
    // Whether any container holds an instance; stops at the first.
    bool HasInstances() const;
    // Instanced draw calls the last Draw issued.
    uint32_t GetLastDrawCallCount() const { return m_LastDrawCalls; }

    const Lib::LogTag& GetTag() const { return m_Tag; }

private:
    struct ContainerEntry
    {
        int32_t layerIndex = 0;
        Lib::Ref<MeshContainerScene> container;
    };
    struct TextureGroup
    {
        uint64_t textureKey = 0;
        Lib::DynamicArray<ContainerEntry> containers;
    };
    struct ShaderGroup
    {
        Lib::String name;
        Lib::DynamicArray<TextureGroup> textureGroups;
    };

    // A built container holding the one instance; null (after an Error line) when it cannot be built.
    Lib::Ref<MeshContainerScene> NewContainer(int32_t p_ApiKind, const Lib::String& p_ShaderGroup,
                                              int32_t p_Kind, uint64_t p_EntityId, uint64_t p_TextureKey,
                                              const MeshData& p_Mesh, const SpriteInstance& p_Instance);

    Lib::LogTag m_Tag{"SceneDatabase"};
    const IShaderSource& m_Shaders;
    const ISceneTextures& m_Textures;
    Lib::DynamicArray<ShaderGroup> m_ShaderGroups;
    uint32_t m_LastDrawCalls = 0;
};
} // namespace Vozad
