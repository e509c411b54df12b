#pragma once
// The item the snake hunts: one sprite on one cell.
#include "Corvan/EntryPoint/EntityHandle.h"
#include "Game/BoardTypes.h"
#include "Game/GridModes.h"
#include "Game/Scene/BoardLayout.h"
#include "Lib/Log.h"
#include "Lib/RectSize.h"

namespace Telvar
{
class IEngine;
}

namespace Snake
{
class PointToCatch
{
public:
    // p_KeptClear: the window corner the board leaves free, owned by the caller; may be null.
    explicit PointToCatch(Telvar::IEngine* p_Engine, const Lib::RectSize* p_KeptClear = nullptr)
        : m_Engine(p_Engine), m_KeptClear(p_KeptClear)
    {
    }

    void Create(GridSize p_Grid, Cell p_Cell);
    // Puts the sprite on the cell as it lies in the current window; a hidden item stays hidden.
    void Layout(GridSize p_Grid, Cell p_Cell);
    // An eaten item that is not placed anew (the winning catch) must not be drawn over the
    // head that now lies on its cell.
    void SetVisible(bool p_Visible);
    bool IsVisible() const { return m_Visible; }

    Telvar::EntityHandle GetEntity() const { return m_Entity; }
    Cell GetCell() const { return m_Cell; }
    const PixelRect& GetRect() const { return m_Rect; }

private:
    Lib::LogTag m_Tag{"PointToCatch"};
    Telvar::IEngine* m_Engine;        // not owned
    const Lib::RectSize* m_KeptClear; // not owned
    BoardLayout m_Layout;
    GridSize m_Grid;
    Cell m_Cell;
    PixelRect m_Rect;
    Telvar::EntityHandle m_Entity;
    bool m_Visible = true;
};
} // namespace Snake
