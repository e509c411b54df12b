#include "Game/GridModes.h"

#include <cstdint>

namespace Snake
{
namespace
{
constexpr GridSize k_GridModes[k_GridModeCount] = {
    {6, 6},   {10, 6},  {6, 10},  {8, 8},   {13, 8},  {8, 13},
    {10, 10}, {16, 10}, {10, 16}, {12, 12}, {20, 12}, {12, 20},
};
} // namespace

GridSize GridModeSize(uint32_t p_Index)
{
    return k_GridModes[p_Index < k_GridModeCount ? p_Index : k_GridModeCount - 1];
}

uint32_t ParseGridMode(const Lib::String& p_Text)
{
    return static_cast<uint32_t>(ReadNumber(p_Text, k_GridModeRule).value);
}

uint32_t ParseGameSpeed(const Lib::String& p_Text)
{
    return static_cast<uint32_t>(ReadNumber(p_Text, k_GameSpeedRule).value);
}
} // namespace Snake
