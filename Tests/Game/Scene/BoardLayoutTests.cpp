#include "Game/Scene/BoardLayout.h"

#include <gtest/gtest.h>

#include <string>

namespace
{
using namespace Snake;

TEST(BoardLayout, LargestSquareCellsCentredInTheWindow)
{
    const struct
    {
        int32_t width, height;
        GridSize grid;
        int32_t cell, x0, y0;
    } cases[] = {
        {1280, 720, {6, 6}, 120, 280, 0},  {1280, 720, {20, 12}, 60, 40, 0}, {720, 1280, {6, 6}, 120, 0, 280},
        {1000, 700, {13, 8}, 76, 6, 46}, // 700 / 8 = 87.5 but 1000 / 13 = 76.9
        {1280, 720, {12, 20}, 36, 424, 0}, {801, 601, {10, 6}, 80, 0, 60}, // offsets truncate towards zero
        {0, 0, {6, 6}, 0, 0, 0}, // a minimised window: no cell size, no division by zero
    };
    for (const auto& c : cases)
    {
        const BoardLayout layout = ComputeBoardLayout(c.width, c.height, c.grid);
        EXPECT_EQ(layout.cellSize, c.cell) << c.width << "x" << c.height;
        EXPECT_EQ(layout.offsetX, c.x0) << c.width << "x" << c.height;
        EXPECT_EQ(layout.offsetY, c.y0) << c.width << "x" << c.height;
    }
}

TEST(BoardLayout, TheBoardLeavesTheHudCornerFreeBelowOrBesideIt)
{
    const Lib::RectSize hud{275, 100};
    const struct
    {
        int32_t width, height;
        GridSize grid;
        Lib::RectSize corner;
        int32_t cell, x0, y0;
    } cases[] = {
        // Room in the margin beside the board: the board stays as it is.
        {1280, 720, {6, 6}, hud, 120, 280, 0},
        {1280, 720, {12, 20}, hud, 36, 424, 0},
        // Room above the board.
        {720, 1280, {6, 6}, hud, 120, 0, 280},
        // No room: below the corner gives 620 / 12 = 51 against 1005 / 20 = 50 beside it.
        {1280, 720, {20, 12}, hud, 51, 130, 104},
        {1280, 720, {16, 10}, hud, 62, 144, 100},
        {1280, 720, {10, 6}, hud, 103, 125, 101},
        // A tall narrow corner: beside it is the better place.
        {1280, 720, {20, 12}, Lib::RectSize{100, 600}, 59, 100, 6},
        // A hidden HUD changes nothing.
        {1280, 720, {20, 12}, Lib::RectSize{}, 60, 40, 0},
    };
    for (const auto& c : cases)
    {
        const BoardLayout layout = ComputeBoardLayoutClearOf(c.width, c.height, c.grid, c.corner);
        const std::string name = std::to_string(c.grid.columns) + "x" + std::to_string(c.grid.rows) + " in " +
                                 std::to_string(c.width) + "x" + std::to_string(c.height);
        EXPECT_EQ(layout.cellSize, c.cell) << name;
        EXPECT_EQ(layout.offsetX, c.x0) << name;
        EXPECT_EQ(layout.offsetY, c.y0) << name;
        EXPECT_EQ(layout.windowWidth, c.width) << name;
        // Whatever the place, no cell lies under the corner and the board stays in the window.
        const PixelRect first = CellRect(layout, Cell{0, 0});
        const PixelRect last = CellRect(layout, Cell{c.grid.columns - 1, c.grid.rows - 1});
        EXPECT_TRUE(first.left >= static_cast<int32_t>(c.corner.width) ||
                    first.top >= static_cast<int32_t>(c.corner.height))
            << name;
        EXPECT_LE(last.right, c.width) << name;
        EXPECT_LE(last.bottom, c.height) << name;
    }
}

TEST(BoardLayout, CellRectanglesStepByTheCellSizeFromTheOffsets)
{
    const BoardLayout layout = ComputeBoardLayout(1280, 720, GridSize{6, 6});
    EXPECT_EQ(CellRect(layout, Cell{0, 0}), (PixelRect{280, 400, 0, 120}));
    EXPECT_EQ(CellRect(layout, Cell{1, 1}), (PixelRect{400, 520, 120, 240}));
    EXPECT_EQ(CellRect(layout, Cell{5, 5}), (PixelRect{880, 1000, 600, 720}));
}

TEST(BoardLayout, QuadsArePlacedByTheirLowerLeftCornerInAspectScaledWorldUnits)
{
    const BoardLayout layout = ComputeBoardLayout(1280, 720, GridSize{6, 6});
    const float aspect = 1280.0f / 720.0f;
    const struct
    {
        Cell cell;
        float x, y;
    } cases[] = {
        {{0, 0}, aspect * (560.0f / 1280.0f) - aspect, 1.0f - 240.0f / 720.0f},
        {{5, 5}, aspect * (1760.0f / 1280.0f) - aspect, -1.0f},
        {{1, 1}, aspect * (800.0f / 1280.0f) - aspect, 1.0f - 480.0f / 720.0f},
    };
    for (const auto& c : cases)
    {
        Telvar::Transform transform;
        transform.z = 0.1f;
        transform.rotationZ = 90.0f;
        PlaceOnPixels(layout, CellRect(layout, c.cell), transform);
        EXPECT_FLOAT_EQ(transform.width, 240.0f / 720.0f);
        EXPECT_FLOAT_EQ(transform.height, 240.0f / 720.0f);
        EXPECT_FLOAT_EQ(transform.x, c.x) << c.cell.column;
        EXPECT_FLOAT_EQ(transform.y, c.y) << c.cell.row;
        EXPECT_FLOAT_EQ(transform.z, 0.1f) << "depth and rotation are the caller's";
        EXPECT_FLOAT_EQ(transform.rotationZ, 90.0f);
    }
}

TEST(BoardLayout, WholeBoardSpansTheWindowHeightAndIsCentredOnTheWorldOrigin)
{
    const BoardLayout layout = ComputeBoardLayout(1280, 720, GridSize{6, 6});
    Telvar::Transform board;
    PlaceOnPixels(layout, PixelRect{280, 1000, 0, 720}, board);
    EXPECT_FLOAT_EQ(board.height, 2.0f);
    EXPECT_FLOAT_EQ(board.y, -1.0f);
    EXPECT_FLOAT_EQ(board.x + board.width / 2.0f, 0.0f);
}
} // namespace
