#pragma once
// Reads what the game shows from a capture of its window: the board's cells with the snake and
// the item, the centred menu panel with its lines of text, and the heads-up display.
#include "Support/RgbImage.h"

#include <algorithm>
#include <ostream>
#include <utility>
#include <vector>

namespace GameScreen
{
using TestSupport::Rgb;
using TestSupport::RgbImage;

struct Cell
{
    int column = -1;
    int row = -1;
    bool operator==(const Cell&) const = default;
};

inline std::ostream& operator<<(std::ostream& p_Out, const Cell& p_Cell)
{
    return p_Out << "(" << p_Cell.column << ", " << p_Cell.row << ")";
}

struct Rect
{
    int left = 0, right = 0, top = 0, bottom = 0; // right and bottom exclusive
};

// The board as the game lays it out in a window: the largest square cells that fit, centred.
struct Board
{
    int columns = 0, rows = 0, cellSize = 0, left = 0, top = 0;

    Board(int p_Columns, int p_Rows, const RgbImage& p_Image) : columns(p_Columns), rows(p_Rows)
    {
        cellSize = std::min(p_Image.height / rows, p_Image.width / columns);
        left = (p_Image.width - columns * cellSize) / 2;
        top = (p_Image.height - rows * cellSize) / 2;
    }

    Rect CellRect(Cell p_Cell) const
    {
        const int x = left + p_Cell.column * cellSize, y = top + p_Cell.row * cellSize;
        return {x, x + cellSize, y, y + cellSize};
    }
};

inline bool IsItemRed(Rgb p_Colour)
{
    return p_Colour.r > 150 && p_Colour.g < 90 && p_Colour.b < 90;
}

inline bool IsSnakeGreen(Rgb p_Colour)
{
    return p_Colour.g > 100 && p_Colour.g > p_Colour.r + 40 && p_Colour.g > p_Colour.b + 40;
}

// The console's echo of a command the user typed.
inline bool IsConsoleGreen(Rgb p_Colour)
{
    return p_Colour.r < 60 && p_Colour.g > 200 && p_Colour.b < 60;
}

// Text is drawn in white; nothing on the board or behind the half-transparent panels is that bright.
inline bool IsBright(Rgb p_Colour)
{
    return p_Colour.r > 200 && p_Colour.g > 200 && p_Colour.b > 200;
}

template <typename Predicate> int CountIn(const RgbImage& p_Image, Rect p_Area, Predicate p_Test)
{
    int count = 0;
    for (int y = p_Area.top; y < p_Area.bottom; ++y)
        for (int x = p_Area.left; x < p_Area.right; ++x)
            count += p_Test(p_Image.At(x, y)) ? 1 : 0;
    return count;
}

// Cells of which at least a tenth shows the colour (the item and every snake segment fill most
// of their cell; the head's tongue or the apple's leaf stay far below that).
template <typename Predicate>
std::vector<Cell> CellsShowing(const RgbImage& p_Image, const Board& p_Board, Predicate p_Test)
{
    std::vector<Cell> cells;
    const int enough = p_Board.cellSize * p_Board.cellSize / 10;
    for (int row = 0; row < p_Board.rows; ++row)
        for (int column = 0; column < p_Board.columns; ++column)
            if (CountIn(p_Image, p_Board.CellRect({column, row}), p_Test) >= enough)
                cells.push_back({column, row});
    return cells;
}

// The start-menu panel, which also serves as pause, game-over and game-won panel: centred, half
// of each extent of the window.
inline Rect StartPanelRect(const RgbImage& p_Image)
{
    return {p_Image.width / 4, p_Image.width * 3 / 4, p_Image.height / 4, p_Image.height * 3 / 4};
}

// The panel's opaque border (140, 142, 142) runs down both of its sides.
inline bool IsStartPanelShown(const RgbImage& p_Image)
{
    const Rect panel = StartPanelRect(p_Image);
    int border = 0, total = 0;
    for (int y = panel.top + 8; y < panel.bottom - 8; ++y)
        for (int x : {panel.left, panel.right - 1})
        {
            ++total;
            border += TestSupport::IsNear(p_Image.At(x, y), {140, 142, 142}, 3) ? 1 : 0;
        }
    return total > 0 && border * 10 >= total * 9;
}

inline Rect InsideStartPanel(const RgbImage& p_Image)
{
    const Rect panel = StartPanelRect(p_Image);
    return {panel.left + 2, panel.right - 2, panel.top + 2, panel.bottom - 2};
}

// The heads-up display in the top left corner: the frame-rate line above the points line.
inline Rect HudArea(const RgbImage& p_Image)
{
    return {0, 275, 0, p_Image.height / 4};
}

// Runs of rows with pixels of the text colour in the area, top to bottom: one per line of text.
template <typename Predicate>
std::vector<Rect> TextLines(const RgbImage& p_Image, Rect p_Area, Predicate p_IsText)
{
    std::vector<Rect> lines;
    bool inLine = false;
    for (int y = p_Area.top; y < p_Area.bottom; ++y)
    {
        const bool text = CountIn(p_Image, {p_Area.left, p_Area.right, y, y + 1}, p_IsText) > 0;
        if (text && !inLine)
            lines.push_back({p_Area.left, p_Area.right, y, y + 1});
        else if (text)
            lines.back().bottom = y + 1;
        inLine = text;
    }
    return lines;
}

inline std::vector<Rect> TextLines(const RgbImage& p_Image, Rect p_Area)
{
    return TextLines(p_Image, p_Area, IsBright);
}

// Bounding boxes of the 4-connected areas of pixels with the colour inside the area.
template <typename Predicate> std::vector<Rect> Blobs(const RgbImage& p_Image, Rect p_Area, Predicate p_Test)
{
    const int width = p_Area.right - p_Area.left, height = p_Area.bottom - p_Area.top;
    std::vector<char> seen(static_cast<size_t>(width) * static_cast<size_t>(height), 0);
    auto index = [&](int p_X, int p_Y)
    {
        return static_cast<size_t>(p_Y - p_Area.top) * static_cast<size_t>(width) +
               static_cast<size_t>(p_X - p_Area.left);
    };
    std::vector<Rect> blobs;
    std::vector<std::pair<int, int>> stack;
    for (int y = p_Area.top; y < p_Area.bottom; ++y)
        for (int x = p_Area.left; x < p_Area.right; ++x)
        {
            if (seen[index(x, y)] || !p_Test(p_Image.At(x, y)))
                continue;
            Rect box{x, x + 1, y, y + 1};
            seen[index(x, y)] = 1;
            stack.push_back({x, y});
            while (!stack.empty())
            {
                const auto [px, py] = stack.back();
                stack.pop_back();
                box = {std::min(box.left, px), std::max(box.right, px + 1), std::min(box.top, py),
                       std::max(box.bottom, py + 1)};
                const std::pair<int, int> next[] = {{px + 1, py}, {px - 1, py}, {px, py + 1}, {px, py - 1}};
                for (const auto& [nx, ny] : next)
                    if (nx >= p_Area.left && nx < p_Area.right && ny >= p_Area.top && ny < p_Area.bottom &&
                        !seen[index(nx, ny)] && p_Test(p_Image.At(nx, ny)))
                    {
                        seen[index(nx, ny)] = 1;
                        stack.push_back({nx, ny});
                    }
            }
            blobs.push_back(box);
        }
    return blobs;
}

// Pixels that are text in one capture and not in the other, within the area grown by a margin.
inline int TextDifference(const RgbImage& p_First, const RgbImage& p_Second, Rect p_Area, int p_Margin = 3)
{
    const Rect area{std::max(0, p_Area.left - p_Margin), std::min(p_First.width, p_Area.right + p_Margin),
                    std::max(0, p_Area.top - p_Margin), std::min(p_First.height, p_Area.bottom + p_Margin)};
    int different = 0;
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x)
            different += IsBright(p_First.At(x, y)) != IsBright(p_Second.At(x, y)) ? 1 : 0;
    return different;
}
} // namespace GameScreen
