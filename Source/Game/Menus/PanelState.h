#pragma once
#include <cstdint>

namespace Snake
{
// Which panel of the GUI handler is on screen. 2, 5 and 6 reuse the start menu's panel with
// another title and first button.
enum PanelState : int32_t
{
    k_PanelNone = 0, // the game view
    k_PanelStart = 1,
    k_PanelPause = 2,
    k_PanelOptions = 3,
    k_PanelAbout = 4,
    k_PanelGameWon = 5,
    k_PanelGameOver = 6,
};
} // namespace Snake
