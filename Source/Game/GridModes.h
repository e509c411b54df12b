#pragma once
// The twelve board sizes the game offers and the start-up reading of the grid and speed
// settings.
#include "Game/SettingValue.h"
#include "Lib/String.h"

#include <cstdint>

namespace Snake
{
struct GridSize
{
    int32_t columns = 0; // horizontal
    int32_t rows = 0;
    bool operator==(const GridSize&) const = default;
};

inline constexpr uint32_t k_GridModeCount = 12;
inline constexpr uint32_t k_MinimumGameSpeed = 1;
inline constexpr uint32_t k_MaximumGameSpeed = 10;

// Columns x rows of a grid mode; an index past the table gives the last mode.
GridSize GridModeSize(uint32_t p_Index);

// "grid_mode": a mode index. The number is read as unsigned, so negative values end up above the
// table like too large ones and all of them select the last mode; a text that is no number gives
// the default mode 2.
inline constexpr NumberRule k_GridModeRule{.fallback = 2,
                                           .minimum = 0,
                                           .maximum = k_GridModeCount - 1,
                                           .belowMinimum = 0,
                                           .aboveMaximum = k_GridModeCount - 1,
                                           .negativeIsAbove = true};
uint32_t ParseGridMode(const Lib::String& p_Text);

// "game_speed": moves per second, 1 to 10. Read as unsigned like the grid mode: 0 becomes 1,
// negative values become 10; a text that is no number gives the default 8.
inline constexpr NumberRule k_GameSpeedRule{.fallback = 8,
                                            .minimum = k_MinimumGameSpeed,
                                            .maximum = k_MaximumGameSpeed,
                                            .belowMinimum = k_MinimumGameSpeed,
                                            .aboveMaximum = k_MaximumGameSpeed,
                                            .negativeIsAbove = true};
uint32_t ParseGameSpeed(const Lib::String& p_Text);
} // namespace Snake
