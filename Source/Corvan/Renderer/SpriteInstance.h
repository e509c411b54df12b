#pragma once
// The per-instance drawing record of one unit quad in the batching scene.
#include <glm/mat4x4.hpp>
#include <glm/vec2.hpp>
#include <glm/vec4.hpp>

#include <cstdint>

namespace Vozad
{
struct SpriteInstance
{
    float layer = 0.0f;                 // layer of the array texture
    glm::vec2 textureShift{0.0f, 0.0f}; // pixels
    glm::vec2 textureScale{1.0f, 1.0f}; // below 1 repeats the image
    int32_t width = 0;                  // image size in pixels
    int32_t height = 0;
    glm::ivec2 subTexturePosition{0, 0}; // drawn part of the image, from its top left
    glm::ivec2 subTextureSize{0, 0};
    glm::mat4 modelMatrix{1.0f}; // column-major
    bool visible = true;
    bool drawBorder = false;
    bool transparent = false; // files the instance in the transparent scene database
    glm::vec4 colour{0.0f};   // r, g, b, a in 0..1; used by untextured quads
};
} // namespace Vozad
