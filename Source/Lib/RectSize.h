#pragma once
#include <cstdint>

namespace Lib
{
// Window, client-area and render sizes.
struct RectSize
{
    uint32_t width = 0;
    uint32_t height = 0;
    bool operator==(const RectSize&) const = default;
};
} // namespace Lib
