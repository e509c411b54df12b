#include "Game/Scene/BoardLayout.h"

namespace Snake
{
BoardLayout ComputeBoardLayout(int32_t p_WindowWidth, int32_t p_WindowHeight, GridSize p_Grid)
{
    BoardLayout layout;
    layout.windowWidth = p_WindowWidth;
    layout.windowHeight = p_WindowHeight;
    if (p_WindowWidth <= 0 || p_WindowHeight <= 0 || p_Grid.columns <= 0 || p_Grid.rows <= 0)
        return layout;
    const float byHeight = static_cast<float>(p_WindowHeight) / static_cast<float>(p_Grid.rows);
    const float byWidth = static_cast<float>(p_WindowWidth) / static_cast<float>(p_Grid.columns);
    layout.cellSize = static_cast<int32_t>(byHeight < byWidth ? byHeight : byWidth);
    layout.offsetX = (p_WindowWidth - p_Grid.columns * layout.cellSize) / 2;
    layout.offsetY = (p_WindowHeight - p_Grid.rows * layout.cellSize) / 2;
    return layout;
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
