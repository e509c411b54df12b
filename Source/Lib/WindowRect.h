#pragma once
#include <cstdint>

namespace Lib
{
// A rectangle in window or screen pixels, horizontal edges first.
struct WindowRect
{
    int32_t left = 0, right = 0, top = 0, bottom = 0;
    bool operator==(const WindowRect&) const = default;
};
} // namespace Lib
