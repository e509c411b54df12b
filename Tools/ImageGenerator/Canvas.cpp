#include "Canvas.h"

#include <stb_image_write.h>

#include <algorithm>
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

namespace
{
struct Share
{
    int source;
    float weight;
};

// Per target pixel along one axis: the source pixels it covers and how much of each, summing to 1.
std::vector<std::vector<Share>> Shares(int p_From, int p_To)
{
    const float step = static_cast<float>(p_From) / static_cast<float>(p_To);
    std::vector<std::vector<Share>> shares(static_cast<std::size_t>(p_To));
    for (int target = 0; target < p_To; ++target)
    {
        const float begin = static_cast<float>(target) * step;
        const float end = begin + step;
        for (int source = static_cast<int>(begin); source < p_From && static_cast<float>(source) < end;
             ++source)
        {
            const float covered =
                std::min(end, static_cast<float>(source + 1)) - std::max(begin, static_cast<float>(source));
            if (covered > 0.0f)
                shares[static_cast<std::size_t>(target)].push_back({source, covered / step});
        }
    }
    return shares;
}
} // namespace

Canvas Canvas::Reduced(int p_Width, int p_Height) const
{
    Canvas reduced(p_Width, p_Height, m_Scale * static_cast<float>(p_Width) / static_cast<float>(m_Width));
    const std::vector<std::vector<Share>> columns = Shares(m_Width, p_Width);
    const std::vector<std::vector<Share>> rows = Shares(m_Height, p_Height);
    for (int y = 0; y < p_Height; ++y)
    {
        for (int x = 0; x < p_Width; ++x)
        {
            float* out = &reduced.m_Pixels[(static_cast<std::size_t>(y) * static_cast<std::size_t>(p_Width) +
                                            static_cast<std::size_t>(x)) *
                                           4];
            // Premultiplied pixels average without dark fringes at the soft edges.
            for (const Share& row : rows[static_cast<std::size_t>(y)])
            {
                for (const Share& column : columns[static_cast<std::size_t>(x)])
                {
                    const float* in =
                        &m_Pixels[(static_cast<std::size_t>(row.source) * static_cast<std::size_t>(m_Width) +
                                   static_cast<std::size_t>(column.source)) *
                                  4];
                    for (int c = 0; c < 4; ++c)
                        out[c] += in[c] * row.weight * column.weight;
                }
            }
        }
    }
    return reduced;
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
