#pragma once
// What a render pass tells the scene databases about the draw it wants.
#include <cstdint>

namespace Vozad
{
class IShader;

enum RenderPassKind : int32_t
{
    k_RenderPassPlain = 0,
    k_RenderPassWeightedBlended = 2,
    k_RenderPassDepthPeeling = 3,
};

struct RenderPassInfo
{
    int32_t kind = k_RenderPassPlain;
    // GL name of the previous peel's depth texture, sampled as "prevDepth" after the first peel.
    uint32_t depthSourceTexture = 0;
    // Drawn with instead of each group's own shader when set.
    const IShader* overrideShader = nullptr;
    bool opaque = true;
    bool firstPeel = true;
    int32_t width = 0;
    int32_t height = 0;
};
} // namespace Vozad
