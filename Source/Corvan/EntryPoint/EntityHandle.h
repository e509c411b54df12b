#pragma once
// The game's reference to an engine entity. The game keeps the mask current: the Add and Remove
// operations update the handle they are given, everything else decides by the handle's mask.
#include <cstdint>

namespace Telvar
{
// Bits of the component mask, one per component table.
enum ComponentBit : uint32_t
{
    k_ComponentTransform = 0x02,
    k_ComponentSprite = 0x04,
    k_ComponentColouredQuad = 0x08,
    k_ComponentTiledSprite = 0x10,
    k_ComponentCollider = 0x20,
};

struct EntityHandle
{
    uint64_t id = ~0ull; // default-constructed, the handle is the invalid handle
    uint32_t mask = 0;

    bool Has(uint32_t p_Bit) const { return (mask & p_Bit) != 0; }
    bool operator==(const EntityHandle&) const = default;
};

inline constexpr EntityHandle k_InvalidEntityHandle{~0ull, 0};
} // namespace Telvar
