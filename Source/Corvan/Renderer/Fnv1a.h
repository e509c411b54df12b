#pragma once
// The one 64-bit FNV-1a hash behind shader and texture keys. Both key families must come from the
// same function, or a name would not find what was loaded under it.
#include <cstdint>
#include <string_view>

namespace Vozad
{
inline constexpr uint64_t k_Fnv1a64OffsetBasis = 0xcbf29ce484222325ull;
inline constexpr uint64_t k_Fnv1a64Prime = 0x100000001b3ull;

// Hashes the bytes as they are; callers pass the narrow (UTF-8) form of a name.
constexpr uint64_t Fnv1a64(std::string_view p_Bytes)
{
    uint64_t hash = k_Fnv1a64OffsetBasis;
    for (const char byte : p_Bytes)
    {
        hash ^= static_cast<uint8_t>(byte);
        hash *= k_Fnv1a64Prime;
    }
    return hash;
}
} // namespace Vozad
