#pragma once
// A decoded PNG (or binary PPM) as 8-bit red, green, blue rows (top row first), for tests that look at what
// the program put on the screen or into its screenshot files.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include <stb_image.h>

namespace TestSupport
{
struct Rgb
{
    int r = 0, g = 0, b = 0;
};

struct RgbImage
{
    int width = 0;
    int height = 0;
    std::vector<uint8_t> pixels; // width * height * 3

    bool Valid() const { return width > 0 && height > 0; }

    Rgb At(int p_X, int p_Y) const
    {
        const size_t at =
            (static_cast<size_t>(p_Y) * static_cast<size_t>(width) + static_cast<size_t>(p_X)) * 3;
        return {pixels[at], pixels[at + 1], pixels[at + 2]};
    }
};

// An empty image when the file is missing or is no image that stb_image can read.
inline RgbImage LoadRgbImage(const std::string& p_Path)
{
    RgbImage image;
    int components = 0;
    stbi_uc* data = stbi_load(p_Path.c_str(), &image.width, &image.height, &components, 3);
    if (!data)
        return RgbImage{};
    image.pixels.assign(data,
                        data + static_cast<size_t>(image.width) * static_cast<size_t>(image.height) * 3);
    stbi_image_free(data);
    return image;
}

inline bool IsNear(const Rgb& p_Colour, const Rgb& p_Wanted, int p_Tolerance)
{
    return std::abs(p_Colour.r - p_Wanted.r) <= p_Tolerance &&
           std::abs(p_Colour.g - p_Wanted.g) <= p_Tolerance &&
           std::abs(p_Colour.b - p_Wanted.b) <= p_Tolerance;
}
} // namespace TestSupport
