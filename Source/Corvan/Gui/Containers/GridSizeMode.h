#pragma once
#include <cstdint>

namespace Vozad
{
// How a grid column or row gets its size. What the track's value means depends on the mode.
enum class GridSizeMode : int32_t
{
    Share = 0,    // value ignored: the space left at the very end
    Fill = 1,     // value ignored: all space left after the Fixed, Auto and Weighted tracks
    Auto = 2,     // value is a multiplier of the largest desired extent among the track's elements
    Weighted = 3, // value is a weight: a proportional share of the space left after Fixed and Auto
    Fixed = 4,    // value is the size in pixels
};
} // namespace Vozad
