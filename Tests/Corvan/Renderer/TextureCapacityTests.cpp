// Layers per array texture from the driver's limits.
#include "Corvan/Renderer/TextureCapacity.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

using Vozad::ArrayTextureCapacity;
using Vozad::k_ArrayTextureSizes;

namespace
{
std::vector<uint32_t> CapacitiesOf(int32_t p_MaxLayers, int32_t p_MaxBufferSize)
{
    std::vector<uint32_t> capacities;
    for (const uint32_t size : k_ArrayTextureSizes)
        capacities.push_back(ArrayTextureCapacity(size, p_MaxLayers, p_MaxBufferSize));
    return capacities;
}

TEST(TextureCapacityTest, SizesArePowersOfTwoFrom32To4096)
{
    EXPECT_EQ(std::vector<uint32_t>(std::begin(k_ArrayTextureSizes), std::end(k_ArrayTextureSizes)),
              (std::vector<uint32_t>{32, 64, 128, 256, 512, 1024, 2048, 4096}));
}

TEST(TextureCapacityTest, LargeBufferLimitCapsSmallSizesAtTheLayerLimit)
{
    EXPECT_EQ(CapacitiesOf(2048, 134217728), (std::vector<uint32_t>{2048, 2048, 2048, 512, 128, 32, 8, 2}));
}

TEST(TextureCapacityTest, SmallBufferLimitLeavesOnlyTheThreeSmallestSizes)
{
    EXPECT_EQ(CapacitiesOf(2048, 65536), (std::vector<uint32_t>{16, 4, 1, 0, 0, 0, 0, 0}));
}

TEST(TextureCapacityTest, DivisionTruncatesAndBadLimitsGiveNothing)
{
    struct Case
    {
        uint32_t size;
        int32_t maxLayers;
        int32_t maxBufferSize;
        uint32_t expected;
    };
    const Case cases[] = {
        {32, 2048, 4096 * 3 - 1, 2}, // two whole layers and most of a third
        {32, 2048, 4095, 0},         // not even one layer
        {32, 5, 1 << 30, 5},         // the layer limit wins
        {4096, 2048, 0x7fffffff, 31}, {32, 0, 65536, 0}, {32, -1, 65536, 0}, {32, 2048, -65536, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ArrayTextureCapacity(c.size, c.maxLayers, c.maxBufferSize), c.expected)
            << "size " << c.size << ", layers " << c.maxLayers << ", buffer " << c.maxBufferSize;
}
} // namespace
