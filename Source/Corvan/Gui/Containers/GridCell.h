#pragma once
#include "Corvan/Layout/LayoutRect.h"

#include <cstdint>

namespace Vozad
{
class LayoutBase;

// One (column, row) place of a grid; holds at most one element.
struct GridCell
{
    LayoutRect rect; // the full cell after the last layout, whatever size the element took
    int32_t column = 0;
    int32_t row = 0;
    LayoutBase* element = nullptr; // null when empty
    bool owned = false;            // the grid destroys the element with itself
};
} // namespace Vozad
