#pragma once
// What every texture load hands back: where the image lives on the GPU and how big it is.
#include "Lib/String.h"

#include <cstdint>

namespace Vozad
{
// Default-constructed, this is the empty record of a load that produced nothing.
struct TextureInfo
{
    uint64_t textureKey = ~0ull; // FNV-1a of the image name; all ones when nothing was loaded
    uint32_t glTexture = 0;      // GL name of the (array) texture holding the image
    uint32_t layer = 0;          // layer inside the array texture; 1 for a plain 2D texture
    Lib::String name;
    int32_t width = 0; // image size in pixels
    int32_t height = 0;
    float widthRatio = 1.0f; // layer width / image width
    float heightRatio = 1.0f;
    bool transparent = false; // the image has an alpha channel with at least one pixel below 255
};
} // namespace Vozad
