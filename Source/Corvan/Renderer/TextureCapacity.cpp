#include "Corvan/Renderer/TextureCapacity.h"

#include <algorithm>

namespace Vozad
{
uint64_t ArrayLayerBytes(uint32_t p_Size)
{
    return static_cast<uint64_t>(p_Size) * p_Size * 4;
}

uint32_t ArrayTextureCapacity(uint32_t p_Size, int32_t p_MaxLayers, int32_t p_MaxBufferSize)
{
    const uint64_t layerBytes = ArrayLayerBytes(p_Size);
    if (layerBytes == 0 || p_MaxLayers <= 0 || p_MaxBufferSize <= 0)
        return 0;
    const uint64_t byBuffer = static_cast<uint64_t>(p_MaxBufferSize) / layerBytes;
    return static_cast<uint32_t>(std::min<uint64_t>(static_cast<uint64_t>(p_MaxLayers), byBuffer));
}
} // namespace Vozad
