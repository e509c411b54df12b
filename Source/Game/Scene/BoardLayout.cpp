#include "Game/Scene/BoardLayout.h"

namespace Snake
{
namespace
{
// The largest square cells that fit the area, the board centred in it; the area is given by its
// left and top edge and its size.
BoardLayout LayoutInArea(int32_t p_WindowWidth, int32_t p_WindowHeight, GridSize p_Grid, int32_t p_Left,
                         int32_t p_Top, int32_t p_Width, int32_t p_Height)
{
    BoardLayout layout;
    layout.windowWidth = p_WindowWidth;
    layout.windowHeight = p_WindowHeight;
    if (p_Width <= 0 || p_Height <= 0 || p_Grid.columns <= 0 || p_Grid.rows <= 0)
        return layout;
    const float byHeight = static_cast<float>(p_Height) / static_cast<float>(p_Grid.rows);
    const float byWidth = static_cast<float>(p_Width) / static_cast<float>(p_Grid.columns);
    layout.cellSize = static_cast<int32_t>(byHeight < byWidth ? byHeight : byWidth);
    layout.offsetX = p_Left + (p_Width - p_Grid.columns * layout.cellSize) / 2;
    layout.offsetY = p_Top + (p_Height - p_Grid.rows * layout.cellSize) / 2;
    return layout;
}
} // namespace

BoardLayout ComputeBoardLayout(int32_t p_WindowWidth, int32_t p_WindowHeight, GridSize p_Grid)
{
    return LayoutInArea(p_WindowWidth, p_WindowHeight, p_Grid, 0, 0, p_WindowWidth, p_WindowHeight);
}

BoardLayout ComputeBoardLayoutClearOf(int32_t p_WindowWidth, int32_t p_WindowHeight, GridSize p_Grid,
                                      Lib::RectSize p_Corner)
{
    const BoardLayout whole = ComputeBoardLayout(p_WindowWidth, p_WindowHeight, p_Grid);
    const auto cornerWidth = static_cast<int32_t>(p_Corner.width);
    const auto cornerHeight = static_cast<int32_t>(p_Corner.height);
    if (cornerWidth <= 0 || cornerHeight <= 0 || whole.cellSize <= 0)
        return whole;
    if (whole.offsetX >= cornerWidth || whole.offsetY >= cornerHeight)
        return whole;
    const BoardLayout below = LayoutInArea(p_WindowWidth, p_WindowHeight, p_Grid, 0, cornerHeight,
                                           p_WindowWidth, p_WindowHeight - cornerHeight);
    const BoardLayout beside = LayoutInArea(p_WindowWidth, p_WindowHeight, p_Grid, cornerWidth, 0,
                                            p_WindowWidth - cornerWidth, p_WindowHeight);
    return below.cellSize >= beside.cellSize ? below : beside;
}

PixelRect CellRect(const BoardLayout& p_Layout, Cell p_Cell)
{
    PixelRect rect;
    rect.left = p_Layout.offsetX + p_Cell.column * p_Layout.cellSize;
    rect.top = p_Layout.offsetY + p_Cell.row * p_Layout.cellSize;
    rect.right = rect.left + p_Layout.cellSize;
    rect.bottom = rect.top + p_Layout.cellSize;
    return rect;
}

void PlaceOnPixels(const BoardLayout& p_Layout, const PixelRect& p_Rect, Telvar::Transform& p_Transform)
{
    if (p_Layout.windowWidth <= 0 || p_Layout.windowHeight <= 0)
        return;
    const float width = static_cast<float>(p_Layout.windowWidth);
    const float height = static_cast<float>(p_Layout.windowHeight);
    const float aspect = width / height;
    p_Transform.width = 2.0f * static_cast<float>(p_Rect.right - p_Rect.left) / height;
    p_Transform.height = 2.0f * static_cast<float>(p_Rect.bottom - p_Rect.top) / height;
    p_Transform.x = aspect * (2.0f * static_cast<float>(p_Rect.left) / width) - aspect;
    p_Transform.y = 1.0f - 2.0f * static_cast<float>(p_Rect.bottom) / height;
}
} // namespace Snake
