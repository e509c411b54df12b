#include "Game/Bots/HamiltonianCycle.h"

#include <utility>

namespace Snake
{
HamiltonianCycle::HamiltonianCycle(GridSize p_Grid) : m_Grid(p_Grid)
{
    // Built on a grid with an even number of rows; a grid with only even columns is walked
    // transposed.
    const bool transposed = p_Grid.rows % 2 != 0;
    const int32_t columns = transposed ? p_Grid.rows : p_Grid.columns;
    const int32_t rows = transposed ? p_Grid.columns : p_Grid.rows;
    if (rows % 2 != 0 || columns < 2 || rows < 2)
        return;
    auto add = [&](int32_t p_Column, int32_t p_Row) {
        m_Order.push_back(transposed ? Cell{p_Row, p_Column} : Cell{p_Column, p_Row});
    };
    for (int32_t column = 0; column < columns; ++column)
        add(column, 0);
    for (int32_t row = 1; row < rows; ++row)
    {
        if (row % 2 == 1)
            for (int32_t column = columns - 1; column >= 1; --column)
                add(column, row);
        else
            for (int32_t column = 1; column < columns; ++column)
                add(column, row);
    }
    for (int32_t row = rows - 1; row >= 1; --row)
        add(0, row);

    m_Index.assign(m_Order.size(), 0);
    for (uint32_t i = 0; i < m_Order.size(); ++i)
        m_Index[static_cast<size_t>(m_Order[i].row * m_Grid.columns + m_Order[i].column)] = i;
}

uint32_t HamiltonianCycle::IndexOf(Cell p_Cell) const
{
    return m_Index[static_cast<size_t>(p_Cell.row * m_Grid.columns + p_Cell.column)];
}

uint32_t HamiltonianCycle::Distance(Cell p_From, Cell p_To) const
{
    const uint32_t count = GetCount();
    return (IndexOf(p_To) + count - IndexOf(p_From)) % count;
}

int32_t DirectionBetween(Cell p_From, Cell p_To)
{
    if (p_To.row > p_From.row)
        return k_DirectionDown;
    if (p_To.row < p_From.row)
        return k_DirectionUp;
    return p_To.column < p_From.column ? k_DirectionLeft : k_DirectionRight;
}
} // namespace Snake
