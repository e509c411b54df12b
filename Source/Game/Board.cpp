#include "Game/Board.h"

#include "Game/IRandomSource.h"

#include <cstdlib>

namespace Snake
{
uint32_t ProcessRandom::Next()
{
    return static_cast<uint32_t>(std::rand());
}

Board::Board(IRandomSource& p_Random) : m_Random(p_Random)
{
    ResetSnake();
}

void Board::SetGrid(GridSize p_Grid)
{
    m_Grid = p_Grid;
}

uint32_t Board::GetTargetPoints() const
{
    return static_cast<uint32_t>(m_Grid.columns) * static_cast<uint32_t>(m_Grid.rows);
}

void Board::ResetSnake()
{
    m_Segments.Clear();
    m_Segments.Add(Segment{{1, 1}, k_DirectionRight});
}

void Board::Restart()
{
    m_Points = 1;
    PlaceItemAnywhere();
    ResetSnake();
}

Cell Board::RandomCell()
{
    Cell cell;
    cell.column = static_cast<int32_t>(m_Random.Next() % static_cast<uint32_t>(m_Grid.columns));
    cell.row = static_cast<int32_t>(m_Random.Next() % static_cast<uint32_t>(m_Grid.rows));
    return cell;
}

void Board::PlaceItemAnywhere()
{
    m_Item = RandomCell();
}

bool Board::IsInside(Cell p_Cell) const
{
    return p_Cell.column >= 0 && p_Cell.column < m_Grid.columns && p_Cell.row >= 0 &&
           p_Cell.row < m_Grid.rows;
}

bool Board::IsOnSnake(Cell p_Cell, uint32_t p_FromSegment) const
{
    for (uint32_t i = p_FromSegment; i < m_Segments.Count(); ++i)
        if (m_Segments[i].cell == p_Cell)
            return true;
    return false;
}

bool Board::Turn(int32_t p_Direction)
{
    if (m_Segments.Count() > 1 && Neighbour(m_Segments[0].cell, p_Direction) == m_Segments[1].cell)
        return false;
    m_Segments[0].direction = p_Direction;
    return true;
}

bool Board::Steer(bool p_Left, bool p_Right, bool p_Up, bool p_Down)
{
    bool turned = false;
    if (p_Left)
        turned = Turn(k_DirectionLeft);
    else if (p_Right)
        turned = Turn(k_DirectionRight);
    if (p_Up)
        turned = Turn(k_DirectionUp) || turned;
    else if (p_Down)
        turned = Turn(k_DirectionDown) || turned;
    return turned;
}

StepResult Board::Step()
{
    const Cell candidate = Neighbour(m_Segments[0].cell, m_Segments[0].direction);
    // The tail's cell counts although the tail would leave it in this very step.
    if (!IsInside(candidate) || IsOnSnake(candidate, 1))
        return StepResult::Lost;

    for (uint32_t i = m_Segments.Count() - 1; i > 0; --i)
        m_Segments[i] = m_Segments[i - 1];
    m_Segments[0].cell = candidate;

    if (!(candidate == m_Item))
        return StepResult::Moved;
    if (m_Points == GetTargetPoints())
        return StepResult::Won;

    // The new segment stands where the head stood before this step; after the next move it
    // is where the old tail was.
    m_Segments.Add(Segment{Neighbour(candidate, Opposite(m_Segments[0].direction)), k_DirectionRight});
    ++m_Points;
    PlaceItemOffSnake();
    return StepResult::Grew;
}

void Board::PlaceItemOffSnake()
{
    bool freeCellExists = false;
    for (int32_t row = 0; row < m_Grid.rows && !freeCellExists; ++row)
        for (int32_t column = 0; column < m_Grid.columns && !freeCellExists; ++column)
            freeCellExists = !IsOnSnake(Cell{column, row}, 0);
    if (!freeCellExists)
        return;
    do
        m_Item = RandomCell();
    while (IsOnSnake(m_Item, 0));
}
} // namespace Snake
