#pragma once
// The entity operations of the engine interface, answered by the engine's entity registry. The
// engine object derives from this class, so its own body carries none of the forwarders, and the
// registry's lifetime (cleared at shutdown, its scene set while a renderer exists) stays with it.
#include "Corvan/EntryPoint/EntityRegistry.h"
#include "Corvan/EntryPoint/IEngine.h"

#include <utility>

namespace Telvar
{
class EngineEntities : public IEngine
{
public:
    EntityHandle CreateEntity() final;
    void DestroyEntity(EntityHandle p_Handle) final;
    EntityHandle GetEntity(uint64_t p_Id) const final;
    void AddTransform(EntityHandle& p_Handle, const Transform& p_Transform) final;
    void RemoveTransform(EntityHandle& p_Handle) final;
    bool GetTransform(EntityHandle p_Handle, Transform& p_Transform) const final;
    bool SetTransform(EntityHandle p_Handle, const Transform& p_Transform, bool p_IgnoreColliders) final;
    void AddSprite(EntityHandle& p_Handle, const SpriteComponent& p_Sprite) final;
    bool RemoveSprite(EntityHandle& p_Handle) final;
    bool GetSprite(EntityHandle p_Handle, SpriteComponent& p_Sprite) const final;
    void RefreshSprite(EntityHandle p_Handle) final;
    void SetSprite(EntityHandle p_Handle, const SpriteComponent& p_Sprite) final;
    void AddColouredQuad(EntityHandle& p_Handle, const ColouredQuadComponent& p_Quad) final;
    bool RemoveColouredQuad(EntityHandle& p_Handle) final;
    bool GetColouredQuad(EntityHandle p_Handle, ColouredQuadComponent& p_Quad) const final;
    void RefreshColouredQuad(EntityHandle p_Handle) final;
    void SetColouredQuad(EntityHandle p_Handle, const ColouredQuadComponent& p_Quad) final;
    void AddTiledSprite(EntityHandle& p_Handle, const TiledSpriteComponent& p_Sprite) final;
    bool RemoveTiledSprite(EntityHandle& p_Handle) final;
    bool GetTiledSprite(EntityHandle p_Handle, TiledSpriteComponent& p_Sprite) const final;
    void RefreshTiledSprite(EntityHandle p_Handle) final;
    void SetTiledSprite(EntityHandle p_Handle, const TiledSpriteComponent& p_Sprite) final;
    void AddCollider(EntityHandle& p_Handle, int32_t p_Tag) final;
    void RemoveCollider(EntityHandle& p_Handle) final;
    bool GetCollider(EntityHandle p_Handle, int32_t& p_Tag) const final;
    void SetCollider(EntityHandle p_Handle, int32_t p_Tag) final;

protected:
    explicit EngineEntities(EntityRegistry::ShaderNameSource p_SpriteShaderName)
        : m_Entities(nullptr, std::move(p_SpriteShaderName))
    {
    }

    EntityRegistry& Entities() { return m_Entities; }
    const EntityRegistry& Entities() const { return m_Entities; }

private:
    EntityRegistry m_Entities;
};
} // namespace Telvar
