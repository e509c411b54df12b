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

// p_KeptClear: the size of the top left corner the board leaves free (the HUD); null or empty
// for none.
inline BoardLayout LayoutForWindow(const Telvar::IEngine& p_Engine, GridSize p_Grid,
                                   const Lib::RectSize* p_KeptClear)
{
    const Lib::RectSize size = p_Engine.GetWindowSize();
    return ComputeBoardLayoutClearOf(static_cast<int32_t>(size.width), static_cast<int32_t>(size.height),
                                     p_Grid, p_KeptClear ? *p_KeptClear : Lib::RectSize{});
}
} // namespace Snake
