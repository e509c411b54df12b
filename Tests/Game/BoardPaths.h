#pragma once
// Paths over a grid for tests that lay a long snake out without playing it there.
#include "Game/BoardTypes.h"
#include "Game/GridModes.h"

#include <cstdint>
#include <vector>

namespace Snake::Testing
{
// A path through every cell of the grid, row by row, turning at the ends.
inline std::vector<Cell> SerpentinePath(GridSize p_Grid)
{
    std::vector<Cell> path;
    for (int32_t row = 0; row < p_Grid.rows; ++row)
        for (int32_t i = 0; i < p_Grid.columns; ++i)
            path.push_back(Cell{row % 2 == 0 ? i : p_Grid.columns - 1 - i, row});
    return path;
}

// The direction that leads from a cell to its neighbour; -1 when they are not neighbours.
inline int32_t DirectionFromTo(Cell p_From, Cell p_To)
{
    for (int32_t d = 0; d < 4; ++d)
        if (Neighbour(p_From, d) == p_To)
            return d;
    return -1;
}
} // namespace Snake::Testing
