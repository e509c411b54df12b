#pragma once
// The item the snake hunts: one sprite on one cell.
#include "Corvan/EntryPoint/EntityHandle.h"
#include "Game/BoardTypes.h"
#include "Game/GridModes.h"
#include "Game/Scene/BoardLayout.h"
#include "Lib/Log.h"

namespace Telvar
{
class IEngine;
}

namespace Snake
{
class PointToCatch
{
public:
    explicit PointToCatch(Telvar::IEngine* p_Engine) : m_Engine(p_Engine) {}

    void Create(GridSize p_Grid, Cell p_Cell);
    // Puts the sprite on the cell as it lies in the current window.
    void Layout(GridSize p_Grid, Cell p_Cell);

    Telvar::EntityHandle GetEntity() const { return m_Entity; }
    Cell GetCell() const { return m_Cell; }
    const PixelRect& GetRect() const { return m_Rect; }

private:
    Lib::LogTag m_Tag{"PointToCatch"};
    Telvar::IEngine* m_Engine; // not owned
    BoardLayout m_Layout;
    GridSize m_Grid;
    Cell m_Cell;
    PixelRect m_Rect;
    Telvar::EntityHandle m_Entity;
};
} // namespace Snake
