#pragma once
// How many layers an array texture of one square size gets on this driver.
#include <cstdint>

namespace Vozad
{
// The square layer sizes of the scene's array textures, smallest first.
inline constexpr uint32_t k_ArrayTextureSizes[] = {32, 64, 128, 256, 512, 1024, 2048, 4096};

// Bytes of one RGBA8 layer of s x s texels.
uint64_t ArrayLayerBytes(uint32_t p_Size);

// min(max layers, max buffer size / layer bytes). The texture-buffer limit stands in for a memory
// budget per array, so big layers get few of them; 0 means no array of that size can be made.
// Negative driver values count as 0.
uint32_t ArrayTextureCapacity(uint32_t p_Size, int32_t p_MaxLayers, int32_t p_MaxBufferSize);
} // namespace Vozad
