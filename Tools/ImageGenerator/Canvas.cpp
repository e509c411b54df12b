#include "Canvas.h"

#include <stb_image_write.h>

#include <cstdint>

namespace ImageGen
{

Canvas::Canvas(int p_Width, int p_Height, float p_Scale)
    : m_Width(p_Width), m_Height(p_Height), m_Scale(p_Scale),
      m_Pixels(static_cast<std::size_t>(p_Width) * static_cast<std::size_t>(p_Height) * 4, 0.0f)
{
}

void Canvas::Blend(int p_X, int p_Y, Colour p_Colour, float p_Coverage)
{
    float* pixel = &m_Pixels[(static_cast<std::size_t>(p_Y) * static_cast<std::size_t>(m_Width) +
                              static_cast<std::size_t>(p_X)) *
                             4];
    const float alpha = Clamp01(p_Colour.a) * Clamp01(p_Coverage);
    const float keep = 1.0f - alpha;
    pixel[0] = p_Colour.r * alpha + pixel[0] * keep;
    pixel[1] = p_Colour.g * alpha + pixel[1] * keep;
    pixel[2] = p_Colour.b * alpha + pixel[2] * keep;
    pixel[3] = alpha + pixel[3] * keep;
}

static std::uint8_t ToByte(float p_Value)
{
    return static_cast<std::uint8_t>(Clamp01(p_Value) * 255.0f + 0.5f);
}

bool Canvas::WritePng(const std::string& p_Path, int p_Channels) const
{
    if (p_Channels != 3 && p_Channels != 4)
    {
        return false;
    }
    const std::size_t count = static_cast<std::size_t>(m_Width) * static_cast<std::size_t>(m_Height);
    std::vector<std::uint8_t> bytes(count * static_cast<std::size_t>(p_Channels));
    for (std::size_t i = 0; i < count; ++i)
    {
        const float* pixel = &m_Pixels[i * 4];
        const std::uint8_t alpha = ToByte(pixel[3]);
        std::uint8_t* out = &bytes[i * static_cast<std::size_t>(p_Channels)];
        // PNG stores straight alpha; a pixel that rounds to fully transparent keeps no colour, so
        // the file compresses well and the loader's premultiplication sees clean zeros.
        for (int c = 0; c < 3; ++c)
        {
            out[c] =
                (p_Channels == 4 && alpha == 0) ? 0 : ToByte(pixel[3] > 0.0f ? pixel[c] / pixel[3] : 0.0f);
        }
        if (p_Channels == 4)
        {
            out[3] = alpha;
        }
    }
    stbi_write_png_compression_level = 9;
    return stbi_write_png(p_Path.c_str(), m_Width, m_Height, p_Channels, bytes.data(),
                          m_Width * p_Channels) != 0;
}

} // namespace ImageGen
