#include "Corvan/Renderer/ImageDecoder.h"

#include <stb_image.h>

#include <climits>
#include <cstring>
#include <memory>

namespace Vozad
{
namespace
{
struct StbFree
{
    void operator()(stbi_uc* p_Pixels) const { stbi_image_free(p_Pixels); }
};
using StbPixels = std::unique_ptr<stbi_uc, StbFree>;

// The decoder's flip is a setting, not an argument: set it for this thread and put it back to
// off whichever way the call ends, so no other load inherits it.
class ScopedFlip
{
public:
    explicit ScopedFlip(bool p_Flip) { stbi_set_flip_vertically_on_load_thread(p_Flip ? 1 : 0); }
    ~ScopedFlip() { stbi_set_flip_vertically_on_load_thread(0); }
    ScopedFlip(const ScopedFlip&) = delete;
    ScopedFlip& operator=(const ScopedFlip&) = delete;
};

// Notes whether any texel is see-through and, for the premultiplied form, multiplies its colour by
// its alpha. Integer arithmetic keeps the truncation exact: an opaque texel keeps its colour, a
// clear one becomes black.
void TakeAlpha(DecodedImage& p_Image, AlphaForm p_Alpha)
{
    uint8_t* texel = p_Image.pixels.data();
    const size_t count = p_Image.pixels.size() / 4;
    for (size_t i = 0; i < count; ++i, texel += 4)
    {
        const uint32_t alpha = texel[3];
        if (alpha == 255)
            continue;
        p_Image.hasTransparency = true;
        if (p_Alpha == AlphaForm::Straight)
            return;
        for (int channel = 0; channel < 3; ++channel)
            texel[channel] = static_cast<uint8_t>(texel[channel] * alpha / 255);
    }
}

bool Finish(StbPixels p_Pixels, int p_Width, int p_Height, int p_Channels, AlphaForm p_Alpha,
            DecodedImage& p_Image)
{
    if (!p_Pixels || p_Width <= 0 || p_Height <= 0)
        return false;
    DecodedImage image;
    image.width = p_Width;
    image.height = p_Height;
    image.channels = p_Channels;
    const size_t bytes = static_cast<size_t>(p_Width) * static_cast<size_t>(p_Height) * 4;
    image.pixels.assign(p_Pixels.get(), p_Pixels.get() + bytes);
    if (p_Channels == 4)
        TakeAlpha(image, p_Alpha);
    p_Image = std::move(image);
    return true;
}
} // namespace

bool DecodeImageFile(const std::string& p_Path, bool p_FlipVertically, DecodedImage& p_Image,
                     AlphaForm p_Alpha)
{
    p_Image = DecodedImage();
    if (p_Path.empty())
        return false;
    const ScopedFlip flip(p_FlipVertically);
    int width = 0, height = 0, channels = 0;
    StbPixels pixels(stbi_load(p_Path.c_str(), &width, &height, &channels, 4));
    return Finish(std::move(pixels), width, height, channels, p_Alpha, p_Image);
}

bool DecodeImageMemory(const uint8_t* p_Bytes, uint64_t p_Count, bool p_FlipVertically, DecodedImage& p_Image,
                       AlphaForm p_Alpha)
{
    p_Image = DecodedImage();
    // The decoder counts bytes in an int; anything larger cannot be a valid image for it.
    if (!p_Bytes || p_Count == 0 || p_Count > static_cast<uint64_t>(INT_MAX) || p_Bytes[0] == 0)
        return false;
    const ScopedFlip flip(p_FlipVertically);
    int width = 0, height = 0, channels = 0;
    StbPixels pixels(
        stbi_load_from_memory(p_Bytes, static_cast<int>(p_Count), &width, &height, &channels, 4));
    return Finish(std::move(pixels), width, height, channels, p_Alpha, p_Image);
}
} // namespace Vozad
