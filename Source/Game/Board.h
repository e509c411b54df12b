#pragma once
// The rules of a round, free of the engine: the grid, the snake, the item to catch and the
// points; steering, the step with its collisions, growth and the win.
#include "Game/BoardTypes.h"
#include "Game/GridModes.h"
#include "Lib/DynamicArray.h"

#include <cstdint>

namespace Snake
{
class IRandomSource;

enum class StepResult
{
    Moved,
    Grew, // moved onto the item, grew by one segment, the item lies somewhere else now
    Won,  // moved onto the item while the points already equal the cell count
    Lost, // the border or the snake was in the way; nothing moved
};

class Board
{
public:
    // p_Random is not owned and must outlive the board.
    explicit Board(IRandomSource& p_Random);

    // Takes the grid; the snake and the item are left to the caller's reset and placement.
    void SetGrid(GridSize p_Grid);
    GridSize GetGrid() const { return m_Grid; }
    // Columns x rows: a snake that long has won.
    uint32_t GetTargetPoints() const;

    // One head segment on column 1, row 1, moving right. Points stay as they are.
    void ResetSnake();
    // A new round: the snake reset, one point, the item on a random cell.
    void Restart();
    // Column first, then row; the start of a round does not look at the snake, so the item may
    // lie under the head until it moves on.
    void PlaceItemAnywhere();
    void SetItem(Cell p_Cell) { m_Item = p_Cell; }
    void SetPoints(uint32_t p_Points) { m_Points = p_Points; }

    // The held movement keys of this frame. A horizontal and a vertical key together end up
    // vertical unless that turn is refused. True when the head's direction was set.
    bool Steer(bool p_Left, bool p_Right, bool p_Up, bool p_Down);
    // Refused only when it would lead the head straight onto the second segment.
    bool Turn(int32_t p_Direction);

    StepResult Step();

    const Lib::DynamicArray<Segment>& GetSegments() const { return m_Segments; }
    // For tests and the drawing: puts the snake as given, head first.
    void SetSegments(const Lib::DynamicArray<Segment>& p_Segments) { m_Segments = p_Segments; }
    const Segment& GetHead() const { return m_Segments[0]; }
    int32_t GetDirection() const { return m_Segments[0].direction; }
    Cell GetItem() const { return m_Item; }
    uint32_t GetPoints() const { return m_Points; }
    bool IsInside(Cell p_Cell) const;
    bool IsOnSnake(Cell p_Cell, uint32_t p_FromSegment) const;

private:
    Cell RandomCell();
    // After a catch: a random cell off the snake. Leaves the item where it is if the snake
    // covers every cell, instead of drawing for ever.
    void PlaceItemOffSnake();

    IRandomSource& m_Random;
    GridSize m_Grid = GridModeSize(0);
    Lib::DynamicArray<Segment> m_Segments;
    Cell m_Item;
    uint32_t m_Points = 1;
};
} // namespace Snake
