#pragma once
#include "Corvan/Gui/Colours.h"
#include "Lib/String.h"

#include <cstdint>

namespace Vozad
{
// One line of the console's output.
struct ConsoleLine
{
    uint32_t colour = Colour::k_White; // drawing packing 0xAABBGGRR, drawn as it is
    Lib::String text;
};
} // namespace Vozad
