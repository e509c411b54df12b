#pragma once
// Reads the two texts a monitor names itself with out of its EDID base block.
#include "Lib/String.h"

#include <cstddef>
#include <cstdint>

namespace Vozad
{
struct EdidTexts
{
    Lib::String productName; // monitor-name descriptor (tag 0xFC)
    Lib::String productText; // unspecified-text descriptor (tag 0xFE)
};

inline constexpr size_t k_EdidBlockSize = 128;

// Decodes the display descriptors of the base block. A block shorter than k_EdidBlockSize or
// without the fixed EDID header yields no texts and false; otherwise true, with each text empty
// when the block has no descriptor of that kind.
bool DecodeEdid(const uint8_t* p_Bytes, size_t p_Size, EdidTexts& p_Texts);
} // namespace Vozad
