#pragma once
// The images compiled into the program, described so the texture handler can load them.
#include <cstdint>
#include <string_view>

namespace Vozad
{
struct ImageResource
{
    const uint8_t* bytes = nullptr; // the encoded file
    const char* name = nullptr;     // the name textures are keyed by
    uint32_t size = 0;              // byte count of the encoded file
    uint32_t width = 0;             // the size the image is drawn at; 0 marks an unusable record
    uint32_t height = 0;
};

inline constexpr uint32_t k_ImageResourceCount = 12;

// Every compiled-in image, "TextureNotFound" first.
const ImageResource* GetImageResources();
// The record of that name (exact, case-sensitive), or null.
const ImageResource* FindImageResource(std::string_view p_Name);
} // namespace Vozad
