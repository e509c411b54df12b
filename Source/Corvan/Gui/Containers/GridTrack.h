#pragma once
#include "Corvan/Gui/Containers/GridSizeMode.h"

#include <cstdint>

namespace Vozad
{
// One column or row of a grid. After a layout the grid's working copy holds the computed size in
// value.
struct GridTrack
{
    int32_t value = 0;
    GridSizeMode mode = GridSizeMode::Share;
};
} // namespace Vozad
