#include "Corvan/Renderer/SceneDatabase.h"

#include "Corvan/Renderer/IGraphicsContext.h"
#include "Corvan/Renderer/ISceneTextures.h"
#include "Corvan/Renderer/IShader.h"
#include "Corvan/Renderer/MeshData.h"
#include "Corvan/Renderer/RenderPassInfo.h"

namespace Vozad
{
namespace
{
// Rows of the engine shader table that draw transparent instances in the two alternative passes.
constexpr uint32_t k_WeightedBlendedShaderRow = 3;
constexpr uint32_t k_DepthPeelingShaderRow = 4;
} // namespace

SceneDatabase::SceneDatabase(const IShaderSource& p_Shaders, const ISceneTextures& p_Textures)
    : m_Shaders(p_Shaders), m_Textures(p_Textures)
{
}

MeshContainerScene* SceneDatabase::FindContainer(const Lib::String& p_ShaderGroup,
                                                 uint64_t p_TextureKey) const
{
    for (const ShaderGroup& shaderGroup : m_ShaderGroups)
    {
        if (!(shaderGroup.name == p_ShaderGroup))
            continue;
        for (const TextureGroup& textureGroup : shaderGroup.textureGroups)
            for (const ContainerEntry& entry : textureGroup.containers)
                if (entry.container->GetTextureKey() == p_TextureKey)
                    return entry.container.Get();
        return nullptr;
    }
    return nullptr;
}

void SceneDatabase::SubmitInstance(uint64_t p_EntityId, const Lib::String& p_ShaderGroup, int32_t p_Kind,
                                   uint64_t p_TextureKey, const MeshData& p_Mesh,
                                   const SpriteInstance& p_Instance, int32_t p_LayerIndex)
{
    if (MeshContainerScene* container = FindContainer(p_ShaderGroup, p_TextureKey))
        container->AddInstance(p_EntityId, p_Instance);
    else
        CreateContainer(k_GraphicsApiOpenGL, p_ShaderGroup, p_LayerIndex, p_Kind, p_EntityId, p_TextureKey,
                        p_Mesh, p_Instance);
}

Lib::Ref<MeshContainerScene> SceneDatabase::NewContainer(int32_t p_ApiKind, const Lib::String& p_ShaderGroup,
                                                         int32_t p_Kind, uint64_t p_EntityId,
                                                         uint64_t p_TextureKey, const MeshData& p_Mesh,
                                                         const SpriteInstance& p_Instance)
{
    const IShader& shader = m_Shaders.GetShaderByGroupName(p_ShaderGroup);
    auto container = Lib::MakeRef<MeshContainerScene>(p_EntityId, p_TextureKey, p_Kind, p_Instance);
    if (!container->BuildBuffers(p_ApiKind, shader, p_Mesh))
    {
        // Filing a container without GL objects would only make every later draw fail.
        LogError(m_Tag,
                 "Could not build the buffers of shader group \"%s\" (API %d); entity %u is not drawn.",
                 p_ShaderGroup.ToNarrow().Data(), p_ApiKind, static_cast<uint32_t>(p_EntityId));
        return {};
    }
    return container;
}

void SceneDatabase::CreateContainer(int32_t p_ApiKind, const Lib::String& p_ShaderGroup, int32_t p_LayerIndex,
                                    int32_t p_Kind, uint64_t p_EntityId, uint64_t p_TextureKey,
                                    const MeshData& p_Mesh, const SpriteInstance& p_Instance)
{
    ShaderGroup* shaderGroup = nullptr;
    for (ShaderGroup& candidate : m_ShaderGroups)
        if (candidate.name == p_ShaderGroup)
        {
            shaderGroup = &candidate;
            break;
        }

    TextureGroup* textureGroup = nullptr;
    if (shaderGroup)
        for (TextureGroup& candidate : shaderGroup->textureGroups)
            if (candidate.textureKey == p_TextureKey)
            {
                textureGroup = &candidate;
                break;
            }

    if (textureGroup && textureGroup->containers.Count() > 0 &&
        textureGroup->containers.At(0).layerIndex == p_LayerIndex)
    {
        textureGroup->containers.At(0).container->AddInstance(p_EntityId, p_Instance);
        return;
    }

    Lib::Ref<MeshContainerScene> container =
        NewContainer(p_ApiKind, p_ShaderGroup, p_Kind, p_EntityId, p_TextureKey, p_Mesh, p_Instance);
    if (!container)
        return;
    ContainerEntry entry{p_LayerIndex, container};

    if (textureGroup)
    {
        textureGroup->containers.Add(entry);
        return;
    }
    TextureGroup newTextureGroup;
    newTextureGroup.textureKey = p_TextureKey;
    newTextureGroup.containers.Add(entry);
    if (shaderGroup)
    {
        shaderGroup->textureGroups.Add(newTextureGroup);
        return;
    }
    ShaderGroup newShaderGroup;
    newShaderGroup.name = p_ShaderGroup;
    newShaderGroup.textureGroups.Add(newTextureGroup);
    m_ShaderGroups.Add(newShaderGroup);
}

bool SceneDatabase::UpdateInstance(uint64_t p_EntityId, const Lib::String& p_ShaderGroup,
                                   uint64_t p_TextureKey, const SpriteInstance& p_Instance)
{
    MeshContainerScene* container = FindContainer(p_ShaderGroup, p_TextureKey);
    return container && container->UpdateInstance(p_EntityId, p_Instance);
}

bool SceneDatabase::RemoveEntity(uint64_t p_EntityId)
{
    for (uint32_t s = 0; s < m_ShaderGroups.Count(); ++s)
    {
        ShaderGroup& shaderGroup = m_ShaderGroups.At(s);
        for (uint32_t t = 0; t < shaderGroup.textureGroups.Count(); ++t)
        {
            TextureGroup& textureGroup = shaderGroup.textureGroups.At(t);
            for (uint32_t c = 0; c < textureGroup.containers.Count(); ++c)
            {
                MeshContainerScene& container = *textureGroup.containers.At(c).container;
                if (!container.RemoveEntity(p_EntityId))
                    continue;
                if (!container.HasInstances())
                    textureGroup.containers.Remove(c);
                if (textureGroup.containers.IsEmpty())
                    shaderGroup.textureGroups.Remove(t);
                if (shaderGroup.textureGroups.IsEmpty())
                    m_ShaderGroups.Remove(s);
                return true;
            }
        }
    }
    return false;
}

void SceneDatabase::Draw(const glm::mat4& p_ProjectionView, uint32_t p_SelectionFlag,
                         const RenderPassInfo& p_Pass)
{
    m_LastDrawCalls = 0;
    for (const ShaderGroup& shaderGroup : m_ShaderGroups)
    {
        const IShader* shader =
            p_Pass.overrideShader ? p_Pass.overrideShader : &m_Shaders.GetShaderByGroupName(shaderGroup.name);
        // Picking needs the full shader, which writes ids; so does a shader the pass imposes.
        const IShader* plain =
            p_Pass.overrideShader || p_SelectionFlag != 0 ? nullptr : m_Shaders.GetPlainVariant(*shader);
        const IShader* bound = shader;
        shader->Bind();
        bool switched = false;
        for (const TextureGroup& textureGroup : shaderGroup.textureGroups)
        {
            const bool textureBound = m_Textures.BindSceneTexture(textureGroup.textureKey);
            for (const ContainerEntry& entry : textureGroup.containers)
            {
                if (!p_Pass.opaque && !switched &&
                    (p_Pass.kind == k_RenderPassWeightedBlended || p_Pass.kind == k_RenderPassDepthPeeling))
                {
                    // The transparent instances of these passes need the pass's own shader, whatever
                    // their group draws with otherwise.
                    shader = &m_Shaders.GetEngineShader(p_Pass.kind == k_RenderPassWeightedBlended
                                                            ? k_WeightedBlendedShaderRow
                                                            : k_DepthPeelingShaderRow);
                    plain = nullptr;
                    switched = true;
                }
                if (!entry.container->HasInstances())
                    continue;
                const IShader* wanted = plain && entry.container->HasOnlyPlainInstances() ? plain : shader;
                if (wanted != bound)
                {
                    wanted->Bind();
                    bound = wanted;
                }
                entry.container->Draw(*wanted, p_SelectionFlag, p_ProjectionView, p_Pass);
                ++m_LastDrawCalls;
            }
            if (textureBound)
                m_Textures.UnbindSceneTexture();
        }
        bound->Unbind();
    }
}

uint32_t SceneDatabase::GetTextureGroupCount() const
{
    uint32_t count = 0;
    for (const ShaderGroup& shaderGroup : m_ShaderGroups)
        count += shaderGroup.textureGroups.Count();
    return count;
}

uint32_t SceneDatabase::GetContainerCount() const
{
    uint32_t count = 0;
    for (const ShaderGroup& shaderGroup : m_ShaderGroups)
        for (const TextureGroup& textureGroup : shaderGroup.textureGroups)
            count += textureGroup.containers.Count();
    return count;
}

uint32_t SceneDatabase::GetInstanceCount() const
{
    uint32_t count = 0;
    for (const ShaderGroup& shaderGroup : m_ShaderGroups)
        for (const TextureGroup& textureGroup : shaderGroup.textureGroups)
            for (const ContainerEntry& entry : textureGroup.containers)
                count += entry.container->GetInstanceCount();
    return count;
}

bool SceneDatabase::HasInstances() const
{
    for (const ShaderGroup& shaderGroup : m_ShaderGroups)
        for (const TextureGroup& textureGroup : shaderGroup.textureGroups)
            for (const ContainerEntry& entry : textureGroup.containers)
                if (entry.container->HasInstances())
                    return true;
    return false;
}
} // namespace Vozad
