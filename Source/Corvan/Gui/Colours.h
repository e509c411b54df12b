#pragma once
// The engine's named colours, already in the drawing packing 0xAABBGGRR, and the swap between
// that packing and the 0xAARRGGBB that widget styles store.
#include <cstdint>

namespace Vozad::Colour
{
inline constexpr uint32_t k_Blue = 0xFFFF0000;
inline constexpr uint32_t k_Purple = 0xFF800080;
inline constexpr uint32_t k_Pink = 0xFFCBC0FF;
inline constexpr uint32_t k_Brown = 0xFF27458B;
inline constexpr uint32_t k_Red = 0xFF0000FF;
inline constexpr uint32_t k_Black = 0xFF000000;
inline constexpr uint32_t k_Orange = 0xFF00A5FF;
inline constexpr uint32_t k_White = 0xFFFFFFFF;
inline constexpr uint32_t k_Green = 0xFF00FF00;
inline constexpr uint32_t k_Yellow = 0xFF00FFFF;

// Exchanges the red and blue bytes; its own inverse.
constexpr uint32_t SwapRedBlue(uint32_t p_Colour)
{
    return (p_Colour & 0xFF00FF00u) | ((p_Colour & 0x00FF0000u) >> 16) | ((p_Colour & 0x000000FFu) << 16);
}
} // namespace Vozad::Colour
