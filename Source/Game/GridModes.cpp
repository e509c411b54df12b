#include "Game/GridModes.h"

#include <cstdint>
#include <cwchar>

namespace Snake
{
namespace
{
constexpr GridSize k_GridModes[k_GridModeCount] = {
    {6, 6},   {10, 6},  {6, 10},  {8, 8},   {13, 8},  {8, 13},
    {10, 10}, {16, 10}, {10, 16}, {12, 12}, {20, 12}, {12, 20},
};

// Base-10 with the C library's leniency: leading blanks and a sign are taken, the first
// non-digit ends the number, text without a number gives 0. Out-of-range numbers saturate at
// the 32-bit limits, so a huge value cannot wrap round to a small one.
uint32_t ReadUnsigned(const Lib::String& p_Text)
{
    const long value = std::wcstol(p_Text.Data(), nullptr, 10);
    const long clamped = value < INT32_MIN ? INT32_MIN : (value > INT32_MAX ? INT32_MAX : value);
    return static_cast<uint32_t>(static_cast<int32_t>(clamped));
}
} // namespace

GridSize GridModeSize(uint32_t p_Index)
{
    return k_GridModes[p_Index < k_GridModeCount ? p_Index : k_GridModeCount - 1];
}

uint32_t ParseGridMode(const Lib::String& p_Text)
{
    const uint32_t index = ReadUnsigned(p_Text);
    return index < k_GridModeCount ? index : k_GridModeCount - 1;
}

uint32_t ParseGameSpeed(const Lib::String& p_Text)
{
    const uint32_t speed = ReadUnsigned(p_Text);
    if (speed < k_MinimumGameSpeed)
        return k_MinimumGameSpeed;
    return speed > k_MaximumGameSpeed ? k_MaximumGameSpeed : speed;
}
} // namespace Snake
