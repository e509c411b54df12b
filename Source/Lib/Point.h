#pragma once
#include <cstdint>

namespace Lib
{
// Cursor, window and mouse positions.
struct Point
{
    int32_t x = 0;
    int32_t y = 0;
    bool operator==(const Point&) const = default;
};
} // namespace Lib
