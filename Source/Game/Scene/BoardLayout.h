#pragma once
// Where the board's cells lie in the window and in the world. The board is the largest grid
// of square cells that fits, centred; the world spans -aspect .. aspect horizontally and
// -1 .. 1 vertically, y upwards.
#include "Corvan/EntryPoint/Components.h"
#include "Game/BoardTypes.h"
#include "Game/GridModes.h"
#include "Lib/RectSize.h"

#include <cstdint>

namespace Snake
{
struct PixelRect
{
    int32_t left = 0, right = 0, top = 0, bottom = 0;
    bool operator==(const PixelRect&) const = default;
};

struct BoardLayout
{
    int32_t windowWidth = 0;
    int32_t windowHeight = 0;
    int32_t cellSize = 0;
    int32_t offsetX = 0; // left edge of column 0
    int32_t offsetY = 0; // top edge of row 0
};

// A window without area gives cell size 0 rather than a division by zero.
BoardLayout ComputeBoardLayout(int32_t p_WindowWidth, int32_t p_WindowHeight, GridSize p_Grid);
// The same board kept clear of a panel of p_Corner's size in the window's top left corner (the
// HUD). A board that already leaves the corner free stays as it is; otherwise it is laid out in
// the part of the window below the corner or in the part beside it, whichever gives the larger
// cells. An empty corner changes nothing.
BoardLayout ComputeBoardLayoutClearOf(int32_t p_WindowWidth, int32_t p_WindowHeight, GridSize p_Grid,
                                      Lib::RectSize p_Corner);
PixelRect CellRect(const BoardLayout& p_Layout, Cell p_Cell);

// The world rectangle of a pixel rectangle, placed by its lower left corner: fills width,
// height, x and y of the transform and leaves the rest as it is.
void PlaceOnPixels(const BoardLayout& p_Layout, const PixelRect& p_Rect, Telvar::Transform& p_Transform);
} // namespace Snake
