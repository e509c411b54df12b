#pragma once
// The board's coloured backdrop: one quad under the whole grid.
#include "Corvan/EntryPoint/EntityHandle.h"
#include "Game/GridModes.h"
#include "Game/Scene/BoardLayout.h"
#include "Lib/Log.h"

namespace Telvar
{
class IEngine;
}

namespace Snake
{
class SceneBackground
{
public:
    explicit SceneBackground(Telvar::IEngine* p_Engine) : m_Engine(p_Engine) {}

    void Create(GridSize p_Grid);
    // Covers the grid as it lies in the current window.
    void Layout(GridSize p_Grid);

    Telvar::EntityHandle GetEntity() const { return m_Entity; }
    const BoardLayout& GetLayout() const { return m_Layout; }

private:
    Lib::LogTag m_Tag{"SceneBackground"};
    Telvar::IEngine* m_Engine; // not owned
    BoardLayout m_Layout;
    GridSize m_Grid;
    Telvar::EntityHandle m_Entity;
};
} // namespace Snake
