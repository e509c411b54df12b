#pragma once
// Cells, directions and segments of the board; column 0 is the left edge, row 0 the top.
#include <cstdint>

namespace Snake
{
enum Direction : int32_t
{
    k_DirectionDown = 0, // row + 1
    k_DirectionRight = 1,
    k_DirectionUp = 2,
    k_DirectionLeft = 3,
};

struct Cell
{
    int32_t column = 0;
    int32_t row = 0;
    bool operator==(const Cell&) const = default;
};

struct Segment
{
    Cell cell;
    // The head's is the direction of travel; the others keep the one they had on their cell,
    // which only the drawing uses.
    int32_t direction = k_DirectionRight;
};

inline Cell Neighbour(Cell p_Cell, int32_t p_Direction)
{
    switch (p_Direction)
    {
    case k_DirectionDown:
        return {p_Cell.column, p_Cell.row + 1};
    case k_DirectionRight:
        return {p_Cell.column + 1, p_Cell.row};
    case k_DirectionUp:
        return {p_Cell.column, p_Cell.row - 1};
    case k_DirectionLeft:
        return {p_Cell.column - 1, p_Cell.row};
    default:
        return p_Cell;
    }
}

inline int32_t Opposite(int32_t p_Direction)
{
    return (p_Direction + 2) % 4;
}
} // namespace Snake
