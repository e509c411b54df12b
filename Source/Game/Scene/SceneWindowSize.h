#pragma once
// What every scene object does first: the board layout for the engine's current window size.
#include "Corvan/EntryPoint/IEngine.h"
#include "Game/Scene/BoardLayout.h"

namespace Snake
{
// Rotations turn about the quad's centre.
inline constexpr int32_t k_PivotCentre = 4;
// Sprites lie just in front of the backdrop.
inline constexpr float k_SpriteDepth = 0.1f;

inline BoardLayout LayoutForWindow(const Telvar::IEngine& p_Engine, GridSize p_Grid)
{
    const Lib::RectSize size = p_Engine.GetWindowSize();
    return ComputeBoardLayout(static_cast<int32_t>(size.width), static_cast<int32_t>(size.height), p_Grid);
}
} // namespace Snake
