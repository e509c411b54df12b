#include "Corvan/EntryPoint/EntityRegistry.h"

#include "Corvan/Renderer/ISceneInstances.h"
#include "Corvan/Renderer/SpriteInstance.h"

#include <glm/ext/matrix_transform.hpp>
#include <glm/vec3.hpp>

#include <utility>

namespace Telvar
{
namespace
{
Vozad::SpriteInstance BlankInstance(const Transform& p_Transform)
{
    Vozad::SpriteInstance instance;
    instance.modelMatrix = ModelMatrixOf(p_Transform);
    instance.visible = true;
    return instance;
}

Vozad::SpriteInstance SpriteInstanceOf(const SpriteComponent& p_Sprite, const Transform& p_Transform)
{
    Vozad::SpriteInstance instance = BlankInstance(p_Transform);
    const Vozad::TextureInfo& texture = p_Sprite.texture;
    instance.layer = static_cast<float>(texture.layer);
    instance.textureShift = p_Sprite.textureShift;
    instance.textureScale = p_Sprite.textureScale;
    instance.width = texture.width;
    instance.height = texture.height;
    instance.subTexturePosition = p_Sprite.subTexturePosition;
    const bool wholeImage = p_Sprite.subTextureSize.x == 0 && p_Sprite.subTextureSize.y == 0;
    instance.subTextureSize =
        wholeImage ? glm::ivec2(texture.width, texture.height) : p_Sprite.subTextureSize;
    instance.drawBorder = p_Sprite.drawBorder;
    instance.transparent = texture.transparent;
    return instance;
}

Vozad::SpriteInstance ColouredQuadInstanceOf(const ColouredQuadComponent& p_Quad,
                                             const Transform& p_Transform)
{
    Vozad::SpriteInstance instance = BlankInstance(p_Transform);
    instance.colour = glm::vec4(p_Quad.red, p_Quad.green, p_Quad.blue, p_Quad.alpha) / 255.0f;
    return instance;
}

Vozad::SpriteInstance TiledSpriteInstanceOf(const TiledSpriteComponent& p_Tiled, const Transform& p_Transform)
{
    Vozad::SpriteInstance instance = BlankInstance(p_Transform);
    const Vozad::TextureInfo& texture = p_Tiled.texture;
    instance.layer = static_cast<float>(texture.layer);
    instance.width = texture.width;
    instance.height = texture.height;
    instance.subTexturePosition =
        glm::ivec2(p_Tiled.tileWidth * p_Tiled.column, p_Tiled.tileHeight * p_Tiled.row);
    instance.subTextureSize = glm::ivec2(p_Tiled.tileWidth, p_Tiled.tileHeight);
    instance.transparent = texture.transparent;
    return instance;
}
} // namespace

glm::mat4 ModelMatrixOf(const Transform& p_Transform)
{
    const Transform& t = p_Transform;
    const glm::vec3 position(t.x, t.y, t.z);
    glm::vec3 pivot = position;
    switch (t.pivot)
    {
    case 0:
        pivot = glm::vec3(t.x, t.y - t.height, t.z);
        break;
    case 1:
        pivot = glm::vec3(t.x + t.width, t.y - t.height, t.z);
        break;
    case 3:
        pivot = glm::vec3(t.x + t.width, t.y, t.z);
        break;
    case 4:
        pivot = glm::vec3(t.x + t.width * 0.5f, t.y + t.height * 0.5f, t.z);
        break;
    default:
        break;
    }
    const glm::vec3 size(t.scale * t.width, t.scale * t.height, t.scale);
    if (t.rotationX == 0.0f && t.rotationY == 0.0f && t.rotationZ == 0.0f)
    {
        // Unturned, as nearly every sprite is: the product below with the turns left out, which is
        // what it comes to value for value (the unturned rotation is the identity exactly).
        glm::mat4 matrix(1.0f);
        matrix[0][0] = size.x;
        matrix[1][1] = size.y;
        matrix[2][2] = size.z;
        matrix[3] = glm::vec4(pivot + (position - pivot), 1.0f);
        return matrix;
    }
    const float toRadians = 3.1415927f / 180.0f;
    const glm::mat4 identity(1.0f);
    const glm::mat4 rotation = glm::rotate(identity, t.rotationX * toRadians, glm::vec3(1.0f, 0.0f, 0.0f)) *
                               glm::rotate(identity, t.rotationY * toRadians, glm::vec3(0.0f, 1.0f, 0.0f)) *
                               glm::rotate(identity, t.rotationZ * toRadians, glm::vec3(0.0f, 0.0f, 1.0f));
    return glm::translate(identity, pivot) * rotation * glm::translate(identity, position - pivot) *
           glm::scale(identity, size);
}

EntityRegistry::EntityRegistry(Vozad::ISceneInstances* p_Scene, ShaderNameSource p_SpriteShaderName)
    : m_Scene(p_Scene), m_SpriteShaderName(std::move(p_SpriteShaderName))
{
}

// ---- entities --------------------------------------------------------------------------------

EntityHandle EntityRegistry::CreateEntity()
{
    uint64_t id = 0;
    if (!m_FreeIds.IsEmpty())
    {
        id = m_FreeIds.At(0);
        m_FreeIds.Remove(0);
    }
    else
    {
        id = m_NextId++;
    }
    m_Entities[id] = 0;
    return EntityHandle{id, 0};
}

void EntityRegistry::DestroyEntity(const EntityHandle& p_Entity)
{
    const uint64_t id = p_Entity.id;
    if (m_Entities.erase(id) == 0)
        return;
    m_FreeIds.Add(id);

    // The game's handle says what the entity carries; its records go with it.
    if (p_Entity.Has(k_ComponentTransform))
        RemoveRow(m_Transforms, id);
    if (p_Entity.Has(k_ComponentSprite))
        RemoveRow(m_Sprites, id);
    if (p_Entity.Has(k_ComponentColouredQuad))
        RemoveRow(m_ColouredQuads, id);
    if (p_Entity.Has(k_ComponentTiledSprite))
        RemoveRow(m_TiledSprites, id);
    if (p_Entity.Has(k_ComponentCollider))
        RemoveRow(m_Colliders, id);

    // Every instance goes, in whichever containers it sits: one removal call only empties the
    // first container holding the entity, and a leftover would stay on screen and, once the id is
    // given out again, receive the in-place updates meant for the new entity.
    if (m_Scene)
        while (m_Scene->RemoveEntity(id))
        {
        }
}

EntityHandle EntityRegistry::GetEntity(uint64_t p_Id) const
{
    const auto entity = m_Entities.find(p_Id);
    if (entity == m_Entities.end())
        return k_InvalidEntityHandle;
    return EntityHandle{p_Id, entity->second};
}

void EntityRegistry::Clear()
{
    m_Entities.clear();
    m_NextId = 1;
    m_FreeIds.Clear();
    m_Transforms.Clear();
    m_Sprites.Clear();
    m_ColouredQuads.Clear();
    m_TiledSprites.Clear();
    m_Colliders.Clear();
}

// ---- table helpers ---------------------------------------------------------------------------

template <class T> int32_t EntityRegistry::IndexOf(const Table<T>& p_Table, uint64_t p_Id)
{
    return p_Table.IndexOf(p_Id);
}

template <class T> bool EntityRegistry::RemoveRow(Table<T>& p_Table, uint64_t p_Id)
{
    const int32_t index = IndexOf(p_Table, p_Id);
    if (index < 0)
        return false;
    p_Table.Remove(static_cast<uint32_t>(index));
    return true;
}

template <class T>
bool EntityRegistry::AddRow(Table<T>& p_Table, EntityHandle& p_Entity, uint32_t p_Bit, const T& p_Record,
                            const char* p_Operation)
{
    const auto entity = m_Entities.find(p_Entity.id);
    if (entity == m_Entities.end())
    {
        // Storing it would bring a destroyed entity back without an entry in the map.
        Lib::LogError(m_Tag, "%s: no entity with id %llu.", p_Operation,
                      static_cast<unsigned long long>(p_Entity.id));
        return false;
    }
    if (IndexOf(p_Table, p_Entity.id) < 0)
        p_Table.Add(Row<T>{p_Entity.id, p_Record});
    entity->second |= p_Bit;
    p_Entity.mask |= p_Bit;
    return true;
}

template <class T>
bool EntityRegistry::RemoveComponent(Table<T>& p_Table, EntityHandle& p_Entity, uint32_t p_Bit)
{
    const auto entity = m_Entities.find(p_Entity.id);
    if (entity == m_Entities.end())
        return false;
    entity->second &= ~p_Bit;
    p_Entity.mask &= ~p_Bit;
    return RemoveRow(p_Table, p_Entity.id);
}

template <class T>
bool EntityRegistry::GetComponent(const Table<T>& p_Table, const EntityHandle& p_Entity, uint32_t p_Bit,
                                  T& p_Record) const
{
    if (!p_Entity.Has(p_Bit) || !IsLiving(p_Entity.id))
        return false;
    const int32_t index = IndexOf(p_Table, p_Entity.id);
    if (index < 0)
        return false;
    p_Record = p_Table.At(static_cast<uint32_t>(index)).record;
    return true;
}

template <class T>
T* EntityRegistry::FindComponent(Table<T>& p_Table, const EntityHandle& p_Entity, uint32_t p_Bit)
{
    if (!p_Entity.Has(p_Bit) || !IsLiving(p_Entity.id))
        return nullptr;
    const int32_t index = IndexOf(p_Table, p_Entity.id);
    return index < 0 ? nullptr : &p_Table.At(static_cast<uint32_t>(index)).record;
}

const Transform* EntityRegistry::DrawnTransform(const EntityHandle& p_Entity) const
{
    if (!p_Entity.Has(k_ComponentTransform))
        return nullptr;
    const int32_t index = IndexOf(m_Transforms, p_Entity.id);
    return index < 0 ? nullptr : &m_Transforms.At(static_cast<uint32_t>(index)).record;
}

const Lib::String& EntityRegistry::SpriteShaderGroup() const
{
    static const Lib::String none;
    return m_SpriteShaderName ? m_SpriteShaderName() : none;
}

void EntityRegistry::Submit(uint64_t p_Id, const Lib::String& p_ShaderGroup, int32_t p_Kind,
                            uint64_t p_TextureKey, const Vozad::SpriteInstance& p_Instance)
{
    if (m_Scene)
        m_Scene->SubmitInstance(p_Id, p_ShaderGroup, p_Kind, p_TextureKey, p_Instance);
}

// ---- transform -------------------------------------------------------------------------------

void EntityRegistry::AddTransform(EntityHandle& p_Entity, const Transform& p_Transform)
{
    AddRow(m_Transforms, p_Entity, k_ComponentTransform, p_Transform, "AddTransform");
}

void EntityRegistry::RemoveTransform(EntityHandle& p_Entity)
{
    RemoveComponent(m_Transforms, p_Entity, k_ComponentTransform);
}

bool EntityRegistry::GetTransform(const EntityHandle& p_Entity, Transform& p_Transform) const
{
    return GetComponent(m_Transforms, p_Entity, k_ComponentTransform, p_Transform);
}

bool EntityRegistry::SetTransform(const EntityHandle& p_Entity, const Transform& p_Transform,
                                  bool p_IgnoreColliders)
{
    if (!IsLiving(p_Entity.id))
        return false;
    if (p_Entity.Has(k_ComponentCollider) && !p_IgnoreColliders)
    {
        if (IndexOf(m_Colliders, p_Entity.id) < 0)
            return false;
        const Transform& box = p_Transform;
        for (const Row<Transform>& other : m_Transforms)
        {
            if (other.id == p_Entity.id)
                continue;
            const auto owner = m_Entities.find(other.id);
            if (owner == m_Entities.end() || (owner->second & k_ComponentCollider) == 0)
                continue;
            // Strict on every side: boxes that only share an edge do not collide.
            const Transform& o = other.record;
            if (box.x + box.width > o.x && o.x + o.width > box.x && o.y + o.height > box.y &&
                box.y + box.height > o.y)
                return false;
        }
    }
    if (Transform* stored = FindComponent(m_Transforms, p_Entity, k_ComponentTransform))
        *stored = p_Transform;
    return true;
}

// ---- sprite ----------------------------------------------------------------------------------

void EntityRegistry::AddSprite(EntityHandle& p_Entity, const SpriteComponent& p_Sprite)
{
    if (!AddRow(m_Sprites, p_Entity, k_ComponentSprite, p_Sprite, "AddSprite"))
        return;
    if (const Transform* transform = DrawnTransform(p_Entity))
        Submit(p_Entity.id, SpriteShaderGroup(), Vozad::k_InstanceKindTextured, p_Sprite.texture.textureKey,
               SpriteInstanceOf(p_Sprite, *transform));
}

bool EntityRegistry::RemoveSprite(EntityHandle& p_Entity)
{
    return RemoveComponent(m_Sprites, p_Entity, k_ComponentSprite);
}

bool EntityRegistry::GetSprite(const EntityHandle& p_Entity, SpriteComponent& p_Sprite) const
{
    return GetComponent(m_Sprites, p_Entity, k_ComponentSprite, p_Sprite);
}

void EntityRegistry::RefreshSprite(const EntityHandle& p_Entity)
{
    // The stored record is drawn again as it stands: its image, hence its container, is the one
    // it was filed under, and only the instance's values are written. A game refreshes every
    // moving sprite every frame, so no copy of the record (and of its image name) is made.
    const SpriteComponent* stored = FindComponent(m_Sprites, p_Entity, k_ComponentSprite);
    if (!stored || !m_Scene)
        return;
    if (const Transform* transform = DrawnTransform(p_Entity))
        m_Scene->UpdateInstance(p_Entity.id, stored->texture.transparent, SpriteShaderGroup(),
                                stored->texture.textureKey, SpriteInstanceOf(*stored, *transform));
}

void EntityRegistry::SetSprite(const EntityHandle& p_Entity, const SpriteComponent& p_Sprite)
{
    SpriteComponent* stored = FindComponent(m_Sprites, p_Entity, k_ComponentSprite);
    if (!stored)
        return;
    const bool keyChanged = stored->texture.textureKey != p_Sprite.texture.textureKey;
    *stored = p_Sprite;

    const Transform* transform = DrawnTransform(p_Entity);
    if (!transform || !m_Scene)
        return;
    const Vozad::SpriteInstance instance = SpriteInstanceOf(p_Sprite, *transform);
    const uint64_t key = p_Sprite.texture.textureKey;
    if (keyChanged)
    {
        // The image moved to another array texture, hence to another container.
        m_Scene->RemoveEntity(p_Entity.id);
        m_Scene->SubmitInstance(p_Entity.id, SpriteShaderGroup(), Vozad::k_InstanceKindTextured, key,
                                instance);
    }
    else
    {
        m_Scene->UpdateInstance(p_Entity.id, p_Sprite.texture.transparent, SpriteShaderGroup(), key,
                                instance);
    }
}

// ---- coloured quad ---------------------------------------------------------------------------

void EntityRegistry::AddColouredQuad(EntityHandle& p_Entity, const ColouredQuadComponent& p_Quad)
{
    if (!AddRow(m_ColouredQuads, p_Entity, k_ComponentColouredQuad, p_Quad, "AddColouredQuad"))
        return;
    if (const Transform* transform = DrawnTransform(p_Entity))
        Submit(p_Entity.id, p_Quad.shader.name, Vozad::k_InstanceKindColouredQuad, Vozad::k_UntexturedKey,
               ColouredQuadInstanceOf(p_Quad, *transform));
}

bool EntityRegistry::RemoveColouredQuad(EntityHandle& p_Entity)
{
    return RemoveComponent(m_ColouredQuads, p_Entity, k_ComponentColouredQuad);
}

bool EntityRegistry::GetColouredQuad(const EntityHandle& p_Entity, ColouredQuadComponent& p_Quad) const
{
    return GetComponent(m_ColouredQuads, p_Entity, k_ComponentColouredQuad, p_Quad);
}

void EntityRegistry::RefreshColouredQuad(const EntityHandle& p_Entity)
{
    if (const ColouredQuadComponent* stored =
            FindComponent(m_ColouredQuads, p_Entity, k_ComponentColouredQuad))
        SetColouredQuad(p_Entity, ColouredQuadComponent(*stored));
}

void EntityRegistry::SetColouredQuad(const EntityHandle& p_Entity, const ColouredQuadComponent& p_Quad)
{
    ColouredQuadComponent* stored = FindComponent(m_ColouredQuads, p_Entity, k_ComponentColouredQuad);
    if (!stored)
        return;
    *stored = p_Quad;
    const Transform* transform = DrawnTransform(p_Entity);
    if (transform && m_Scene)
        m_Scene->UpdateInstance(p_Entity.id, false, p_Quad.shader.name, Vozad::k_UntexturedKey,
                                ColouredQuadInstanceOf(p_Quad, *transform));
}

// ---- tiled sprite ----------------------------------------------------------------------------

void EntityRegistry::AddTiledSprite(EntityHandle& p_Entity, const TiledSpriteComponent& p_Tiled)
{
    if (!AddRow(m_TiledSprites, p_Entity, k_ComponentTiledSprite, p_Tiled, "AddTiledSprite"))
        return;
    if (const Transform* transform = DrawnTransform(p_Entity))
        Submit(p_Entity.id, SpriteShaderGroup(), Vozad::k_InstanceKindTextured, p_Tiled.texture.textureKey,
               TiledSpriteInstanceOf(p_Tiled, *transform));
}

bool EntityRegistry::RemoveTiledSprite(EntityHandle& p_Entity)
{
    return RemoveComponent(m_TiledSprites, p_Entity, k_ComponentTiledSprite);
}

bool EntityRegistry::GetTiledSprite(const EntityHandle& p_Entity, TiledSpriteComponent& p_Tiled) const
{
    return GetComponent(m_TiledSprites, p_Entity, k_ComponentTiledSprite, p_Tiled);
}

void EntityRegistry::RefreshTiledSprite(const EntityHandle& p_Entity)
{
    if (const TiledSpriteComponent* stored = FindComponent(m_TiledSprites, p_Entity, k_ComponentTiledSprite))
        SetTiledSprite(p_Entity, TiledSpriteComponent(*stored));
}

void EntityRegistry::SetTiledSprite(const EntityHandle& p_Entity, const TiledSpriteComponent& p_Tiled)
{
    TiledSpriteComponent* stored = FindComponent(m_TiledSprites, p_Entity, k_ComponentTiledSprite);
    if (!stored)
        return;
    *stored = p_Tiled;
    const Transform* transform = DrawnTransform(p_Entity);
    if (transform && m_Scene)
        m_Scene->UpdateInstance(p_Entity.id, p_Tiled.texture.transparent, SpriteShaderGroup(),
                                p_Tiled.texture.textureKey, TiledSpriteInstanceOf(p_Tiled, *transform));
}

// ---- collider --------------------------------------------------------------------------------

void EntityRegistry::AddCollider(EntityHandle& p_Entity, int32_t p_Tag)
{
    AddRow(m_Colliders, p_Entity, k_ComponentCollider, p_Tag, "AddCollider");
}

void EntityRegistry::RemoveCollider(EntityHandle& p_Entity)
{
    RemoveComponent(m_Colliders, p_Entity, k_ComponentCollider);
}

bool EntityRegistry::GetCollider(const EntityHandle& p_Entity, int32_t& p_Tag) const
{
    return GetComponent(m_Colliders, p_Entity, k_ComponentCollider, p_Tag);
}

void EntityRegistry::SetCollider(const EntityHandle& p_Entity, int32_t p_Tag)
{
    if (int32_t* stored = FindComponent(m_Colliders, p_Entity, k_ComponentCollider))
        *stored = p_Tag;
}
} // namespace Telvar
