#include "Corvan/EntryPoint/EngineEntities.h"

namespace Telvar
{
EntityHandle EngineEntities::CreateEntity()
{
    return m_Entities.CreateEntity();
}
void EngineEntities::DestroyEntity(EntityHandle p_Handle)
{
    m_Entities.DestroyEntity(p_Handle);
}
EntityHandle EngineEntities::GetEntity(uint64_t p_Id) const
{
    return m_Entities.GetEntity(p_Id);
}
void EngineEntities::AddTransform(EntityHandle& p_Handle, const Transform& p_Transform)
{
    m_Entities.AddTransform(p_Handle, p_Transform);
}
void EngineEntities::RemoveTransform(EntityHandle& p_Handle)
{
    m_Entities.RemoveTransform(p_Handle);
}
bool EngineEntities::GetTransform(EntityHandle p_Handle, Transform& p_Transform) const
{
    return m_Entities.GetTransform(p_Handle, p_Transform);
}
bool EngineEntities::SetTransform(EntityHandle p_Handle, const Transform& p_Transform, bool p_IgnoreColliders)
{
    return m_Entities.SetTransform(p_Handle, p_Transform, p_IgnoreColliders);
}
void EngineEntities::AddSprite(EntityHandle& p_Handle, const SpriteComponent& p_Sprite)
{
    m_Entities.AddSprite(p_Handle, p_Sprite);
}
bool EngineEntities::RemoveSprite(EntityHandle& p_Handle)
{
    return m_Entities.RemoveSprite(p_Handle);
}
bool EngineEntities::GetSprite(EntityHandle p_Handle, SpriteComponent& p_Sprite) const
{
    return m_Entities.GetSprite(p_Handle, p_Sprite);
}
void EngineEntities::RefreshSprite(EntityHandle p_Handle)
{
    m_Entities.RefreshSprite(p_Handle);
}
void EngineEntities::SetSprite(EntityHandle p_Handle, const SpriteComponent& p_Sprite)
{
    m_Entities.SetSprite(p_Handle, p_Sprite);
}
void EngineEntities::AddColouredQuad(EntityHandle& p_Handle, const ColouredQuadComponent& p_Quad)
{
    m_Entities.AddColouredQuad(p_Handle, p_Quad);
}
bool EngineEntities::RemoveColouredQuad(EntityHandle& p_Handle)
{
    return m_Entities.RemoveColouredQuad(p_Handle);
}
bool EngineEntities::GetColouredQuad(EntityHandle p_Handle, ColouredQuadComponent& p_Quad) const
{
    return m_Entities.GetColouredQuad(p_Handle, p_Quad);
}
void EngineEntities::RefreshColouredQuad(EntityHandle p_Handle)
{
    m_Entities.RefreshColouredQuad(p_Handle);
}
void EngineEntities::SetColouredQuad(EntityHandle p_Handle, const ColouredQuadComponent& p_Quad)
{
    m_Entities.SetColouredQuad(p_Handle, p_Quad);
}
void EngineEntities::AddTiledSprite(EntityHandle& p_Handle, const TiledSpriteComponent& p_Sprite)
{
    m_Entities.AddTiledSprite(p_Handle, p_Sprite);
}
bool EngineEntities::RemoveTiledSprite(EntityHandle& p_Handle)
{
    return m_Entities.RemoveTiledSprite(p_Handle);
}
bool EngineEntities::GetTiledSprite(EntityHandle p_Handle, TiledSpriteComponent& p_Sprite) const
{
    return m_Entities.GetTiledSprite(p_Handle, p_Sprite);
}
void EngineEntities::RefreshTiledSprite(EntityHandle p_Handle)
{
    m_Entities.RefreshTiledSprite(p_Handle);
}
void EngineEntities::SetTiledSprite(EntityHandle p_Handle, const TiledSpriteComponent& p_Sprite)
{
    m_Entities.SetTiledSprite(p_Handle, p_Sprite);
}
void EngineEntities::AddCollider(EntityHandle& p_Handle, int32_t p_Tag)
{
    m_Entities.AddCollider(p_Handle, p_Tag);
}
void EngineEntities::RemoveCollider(EntityHandle& p_Handle)
{
    m_Entities.RemoveCollider(p_Handle);
}
bool EngineEntities::GetCollider(EntityHandle p_Handle, int32_t& p_Tag) const
{
    return m_Entities.GetCollider(p_Handle, p_Tag);
}
void EngineEntities::SetCollider(EntityHandle p_Handle, int32_t p_Tag)
{
    m_Entities.SetCollider(p_Handle, p_Tag);
}
} // namespace Telvar
