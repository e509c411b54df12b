#pragma once
// The twelve board sizes the game offers and the start-up reading of the grid and speed
// settings.
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

// The configured "grid_mode" text as a mode index. The number is read as unsigned, so negative
// values end up above the table like too large ones and all of them select the last mode.
uint32_t ParseGridMode(const Lib::String& p_Text);

// The configured "game_speed" text as moves per second, 1 to 10. Read as unsigned like the grid
// mode: 0 becomes 1, negative values become 10.
uint32_t ParseGameSpeed(const Lib::String& p_Text);
} // namespace Snake
