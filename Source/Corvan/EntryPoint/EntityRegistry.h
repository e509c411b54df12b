#pragma once
// The engine's entities: ids with a component mask, and one table per component kind. Drawable
// components are turned into instances of the batching scene as they are added and set.
#include "Corvan/EntryPoint/Components.h"
#include "Corvan/EntryPoint/EntityHandle.h"
#include "Lib/DynamicArray.h"
#include "Lib/Log.h"
#include "Lib/String.h"

#include <glm/mat4x4.hpp>

#include <cstdint>
#include <functional>
#include <unordered_map>

namespace Vozad
{
class ISceneInstances;
struct SpriteInstance;
} // namespace Vozad

namespace Telvar
{
// Model matrix of the unit quad placed by a transform: scaled to its size, turned about its pivot.
glm::mat4 ModelMatrixOf(const Transform& p_Transform);

class EntityRegistry
{
public:
    // Sprites and tiled sprites are filed under the name of the engine's batched texture-sprite
    // shader. That table is loaded by the renderer long after the registry exists, so the name is
    // asked for each time an instance is built, by reference: moving sprites are refreshed every
    // frame, and a copy of the name each time would cost an allocation. Without a source the name
    // is empty.
    using ShaderNameSource = std::function<const Lib::String&()>;

    // p_Scene may be null: the components are stored and nothing is drawn.
    explicit EntityRegistry(Vozad::ISceneInstances* p_Scene = nullptr,
                            ShaderNameSource p_SpriteShaderName = {});

    // The scene comes and goes with the renderer; instances already drawn are its own business.
    void SetSceneInstances(Vozad::ISceneInstances* p_Scene) { m_Scene = p_Scene; }

    EntityHandle CreateEntity();
    void DestroyEntity(const EntityHandle& p_Entity);
    // {id, current mask}, or the invalid handle for an id that does not live.
    EntityHandle GetEntity(uint64_t p_Id) const;
    uint32_t EntityCount() const { return static_cast<uint32_t>(m_Entities.size()); }

    void AddTransform(EntityHandle& p_Entity, const Transform& p_Transform);
    void RemoveTransform(EntityHandle& p_Entity);
    bool GetTransform(const EntityHandle& p_Entity, Transform& p_Transform) const;
    // Refuses a move that would overlap another collider (unless told to ignore colliders); the
    // drawn instances stay where they are until the caller refreshes them.
    bool SetTransform(const EntityHandle& p_Entity, const Transform& p_Transform, bool p_IgnoreColliders);

    void AddSprite(EntityHandle& p_Entity, const SpriteComponent& p_Sprite);
    bool RemoveSprite(EntityHandle& p_Entity);
    bool GetSprite(const EntityHandle& p_Entity, SpriteComponent& p_Sprite) const;
    void RefreshSprite(const EntityHandle& p_Entity);
    void SetSprite(const EntityHandle& p_Entity, const SpriteComponent& p_Sprite);

    void AddColouredQuad(EntityHandle& p_Entity, const ColouredQuadComponent& p_Quad);
    bool RemoveColouredQuad(EntityHandle& p_Entity);
    bool GetColouredQuad(const EntityHandle& p_Entity, ColouredQuadComponent& p_Quad) const;
    void RefreshColouredQuad(const EntityHandle& p_Entity);
    void SetColouredQuad(const EntityHandle& p_Entity, const ColouredQuadComponent& p_Quad);

    void AddTiledSprite(EntityHandle& p_Entity, const TiledSpriteComponent& p_Tiled);
    bool RemoveTiledSprite(EntityHandle& p_Entity);
    bool GetTiledSprite(const EntityHandle& p_Entity, TiledSpriteComponent& p_Tiled) const;
    void RefreshTiledSprite(const EntityHandle& p_Entity);
    void SetTiledSprite(const EntityHandle& p_Entity, const TiledSpriteComponent& p_Tiled);

    void AddCollider(EntityHandle& p_Entity, int32_t p_Tag);
    void RemoveCollider(EntityHandle& p_Entity);
    bool GetCollider(const EntityHandle& p_Entity, int32_t& p_Tag) const;
    void SetCollider(const EntityHandle& p_Entity, int32_t p_Tag);

    // Back to the state after construction (ids start at 1 again). The scene is not touched: the
    // renderer empties its databases when it shuts down.
    void Clear();

private:
    template <class T> struct Row
    {
        uint64_t id;
        T record;
    };
    // A component table: rows in insertion order, and an index from entity id to row so that
    // per-entity operations do not grow with the number of entities.
    template <class T> class Table
    {
    public:
        uint32_t Count() const { return m_Rows.Count(); }
        Row<T>& At(uint32_t p_Index) { return m_Rows.At(p_Index); }
        const Row<T>& At(uint32_t p_Index) const { return m_Rows.At(p_Index); }
        int32_t IndexOf(uint64_t p_Id) const
        {
            const auto row = m_Index.find(p_Id);
            return row == m_Index.end() ? -1 : static_cast<int32_t>(row->second);
        }
        void Add(Row<T> p_Row)
        {
            m_Index[p_Row.id] = m_Rows.Count();
            m_Rows.Add(std::move(p_Row));
        }
        // Later rows move down, as the insertion order demands; their index entries follow.
        void Remove(uint32_t p_Index)
        {
            m_Index.erase(m_Rows.At(p_Index).id);
            m_Rows.Remove(p_Index);
            for (uint32_t i = p_Index; i < m_Rows.Count(); ++i)
                m_Index[m_Rows.At(i).id] = i;
        }
        void Clear()
        {
            m_Rows.Clear();
            m_Index.clear();
        }
        auto begin() const { return m_Rows.begin(); }
        auto end() const { return m_Rows.end(); }

    private:
        Lib::DynamicArray<Row<T>> m_Rows;
        std::unordered_map<uint64_t, uint32_t> m_Index;
    };

    template <class T> static int32_t IndexOf(const Table<T>& p_Table, uint64_t p_Id);
    template <class T> static bool RemoveRow(Table<T>& p_Table, uint64_t p_Id);
    template <class T>
    bool AddRow(Table<T>& p_Table, EntityHandle& p_Entity, uint32_t p_Bit, const T& p_Record,
                const char* p_Operation);
    template <class T> bool RemoveComponent(Table<T>& p_Table, EntityHandle& p_Entity, uint32_t p_Bit);
    template <class T>
    bool GetComponent(const Table<T>& p_Table, const EntityHandle& p_Entity, uint32_t p_Bit,
                      T& p_Record) const;
    // The stored record the handle's mask grants access to, or null.
    template <class T> T* FindComponent(Table<T>& p_Table, const EntityHandle& p_Entity, uint32_t p_Bit);

    bool IsLiving(uint64_t p_Id) const { return m_Entities.find(p_Id) != m_Entities.end(); }
    // The transform an instance is built from: only when the handle has the bit and a record exists.
    const Transform* DrawnTransform(const EntityHandle& p_Entity) const;
    const Lib::String& SpriteShaderGroup() const;
    void Submit(uint64_t p_Id, const Lib::String& p_ShaderGroup, int32_t p_Kind, uint64_t p_TextureKey,
                const Vozad::SpriteInstance& p_Instance);

    Lib::LogTag m_Tag{"EntityRegistry"};
    Vozad::ISceneInstances* m_Scene; // not owned; null draws nothing
    ShaderNameSource m_SpriteShaderName;

    std::unordered_map<uint64_t, uint32_t> m_Entities; // id -> component mask of every living entity
    uint64_t m_NextId = 1;                             // id 0 is never given out
    Lib::DynamicArray<uint64_t> m_FreeIds;             // reused first in, first out
    Table<Transform> m_Transforms;
    Table<SpriteComponent> m_Sprites;
    Table<ColouredQuadComponent> m_ColouredQuads;
    Table<TiledSpriteComponent> m_TiledSprites;
    Table<int32_t> m_Colliders;
};
} // namespace Telvar
