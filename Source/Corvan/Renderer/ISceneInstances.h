#pragma once
// How the entity registry puts its drawable components into the batching scene. The renderer
// implements it with its opaque and transparent scene databases; the registry never sees those.
#include "Corvan/Renderer/SpriteInstance.h"
#include "Lib/String.h"

#include <cstdint>

namespace Vozad
{
// What a submitted instance is; the container keeps it, drawing does not depend on it.
enum InstanceKind : int32_t
{
    k_InstanceKindTextured = 1,     // sprites and tiled sprites
    k_InstanceKindColouredQuad = 3, // untextured quads
};

// The texture key of instances that sample no texture.
inline constexpr uint64_t k_UntexturedKey = ~0ull;

class ISceneInstances
{
public:
    virtual ~ISceneInstances() = default;

    // Files one more instance for the entity: in the transparent database when
    // p_Instance.transparent is set, else in the opaque one, in the container of
    // (p_ShaderGroup, p_TextureKey), directly after the entity's instances already there.
    virtual void SubmitInstance(uint64_t p_EntityId, const Lib::String& p_ShaderGroup, int32_t p_Kind,
                                uint64_t p_TextureKey, const SpriteInstance& p_Instance) = 0;

    // Overwrites the entity's first instance in the container of (p_ShaderGroup, p_TextureKey) of
    // the named database. When no such container holds the entity, nothing changes.
    virtual void UpdateInstance(uint64_t p_EntityId, bool p_Transparent, const Lib::String& p_ShaderGroup,
                                uint64_t p_TextureKey, const SpriteInstance& p_Instance) = 0;

    // Removes the entity's instances from the first container of the opaque database that holds
    // it or, when the opaque database holds none, from the first such container of the transparent
    // one. True when anything was removed.
    virtual bool RemoveEntity(uint64_t p_EntityId) = 0;
};
} // namespace Vozad
