#pragma once
// A closed path through every cell of a grid: along the top row, back and forth through the
// remaining columns row by row, and up the first column home. It exists when a side is even,
// which holds for every grid mode; grids turned on their side are walked with rows and columns
// swapped.
#include "Game/BoardTypes.h"
#include "Game/GridModes.h"

#include <cstdint>
#include <vector>

namespace Snake
{
class HamiltonianCycle
{
public:
    explicit HamiltonianCycle(GridSize p_Grid);

    // False when both sides are odd (or a side is shorter than 2): there is no such cycle.
    bool IsValid() const { return !m_Order.empty(); }
    uint32_t GetCount() const { return static_cast<uint32_t>(m_Order.size()); }
    uint32_t IndexOf(Cell p_Cell) const;
    Cell CellAt(uint32_t p_Index) const { return m_Order[p_Index % m_Order.size()]; }
    // Steps along the cycle from p_From to p_To; 0 for the same cell.
    uint32_t Distance(Cell p_From, Cell p_To) const;
    Cell Next(Cell p_Cell) const { return CellAt(IndexOf(p_Cell) + 1); }

private:
    GridSize m_Grid;
    std::vector<Cell> m_Order;
    std::vector<uint32_t> m_Index; // by row * columns + column
};

// The direction from a cell to one of its four neighbours.
int32_t DirectionBetween(Cell p_From, Cell p_To);
} // namespace Snake
