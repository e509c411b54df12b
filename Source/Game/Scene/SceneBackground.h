#pragma once
// The board's coloured backdrop: one quad under the whole grid.
#include "Corvan/EntryPoint/EntityHandle.h"
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
class SceneBackground
{
public:
    // p_KeptClear: the window corner the board leaves free, owned by the caller; may be null.
    explicit SceneBackground(Telvar::IEngine* p_Engine, const Lib::RectSize* p_KeptClear = nullptr)
        : m_Engine(p_Engine), m_KeptClear(p_KeptClear)
    {
    }

    void Create(GridSize p_Grid);
    // Covers the grid as it lies in the current window.
    void Layout(GridSize p_Grid);

    Telvar::EntityHandle GetEntity() const { return m_Entity; }
    const BoardLayout& GetLayout() const { return m_Layout; }

private:
    Lib::LogTag m_Tag{"SceneBackground"};
    Telvar::IEngine* m_Engine;        // not owned
    const Lib::RectSize* m_KeptClear; // not owned
    BoardLayout m_Layout;
    GridSize m_Grid;
    Telvar::EntityHandle m_Entity;
};
} // namespace Snake
