#pragma once
// The component records an entity can carry; the registry stores one of each kind per entity.
#include "Corvan/Renderer/ShaderInfo.h"
#include "Corvan/Renderer/TextureInfo.h"

#include <glm/vec2.hpp>

#include <cstdint>

namespace Telvar
{
// Placement of an entity. For overlap tests its box is x .. x + width by y .. y + height;
// rotation, pivot and scale only affect drawing.
struct Transform
{
    float width = 0.0f;
    float height = 0.0f;
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;
    float rotationX = 0.0f; // degrees
    float rotationY = 0.0f;
    float rotationZ = 0.0f;
    int32_t pivot = 0; // 0 to 4: the point rotations turn about
    float scale = 1.0f;
};

struct SpriteComponent
{
    Vozad::TextureInfo texture;
    glm::vec2 textureShift{0.0f, 0.0f}; // pixels
    glm::vec2 textureScale{1.0f, 1.0f};
    glm::ivec2 subTexturePosition{0, 0};
    glm::ivec2 subTextureSize{0, 0}; // {0, 0}: the whole image
    bool drawBorder = false;
};

// An untextured quad drawn with the shader of the given name.
struct ColouredQuadComponent
{
    Vozad::ShaderInfo shader;
    uint8_t red = 0;
    uint8_t green = 0;
    uint8_t blue = 0;
    uint8_t alpha = 0;
};

// Shows one tile of a sheet: the part at (tileWidth * column, tileHeight * row) of size
// tileWidth x tileHeight.
struct TiledSpriteComponent
{
    Vozad::TextureInfo texture;
    int16_t reserved0 = 0; // stored for the game, not used for drawing
    int16_t reserved1 = 0;
    uint16_t column = 0;
    uint16_t row = 0;
    int32_t tileWidth = 0;
    int32_t tileHeight = 0;
};
} // namespace Telvar
