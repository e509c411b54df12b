#pragma once
// What the end-to-end tests of a played round share: a configuration file with another board and
// speed, the small 6 x 6 board as a capture shows it, where the snake's head is, whether the
// console is open, a console line typed, a bot script in place, and the orderly end of the game.
#include "EndToEnd/GameScreen.h"
#include "Support/DefaultConfigFile.h"
#include "Support/GameSession.h"
#include "Support/TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <string>

namespace GameRound
{
using namespace GameScreen;

inline void ReplaceLine(std::string& p_Text, const std::string& p_Old, const std::string& p_New)
{
    const size_t at = p_Text.find(p_Old);
    ASSERT_NE(at, std::string::npos) << p_Old;
    p_Text.replace(at, p_Old.size(), p_New);
}

// The default configuration with another grid mode and speed, and lines of the user's own first.
inline std::string ConfigWith(const std::string& p_GridMode, const std::string& p_Speed,
                              const std::string& p_FirstLines = "")
{
    std::string config = TestSupport::k_DefaultConfigFile;
    ReplaceLine(config, "set grid_mode \"2\"", "set grid_mode \"" + p_GridMode + "\"");
    ReplaceLine(config, "set game_speed \"8\"", "set game_speed \"" + p_Speed + "\"");
    return p_FirstLines + config;
}

// The grid mode "0": six columns and six rows.
inline Board SmallBoard(const RgbImage& p_Image)
{
    return Board(6, 6, p_Image);
}

// The column of the snake's head while it runs to the right along row 1: its rightmost segment
// there; -1 when no segment is seen.
inline int HeadColumnInRow1(const RgbImage& p_Image)
{
    int column = -1;
    for (const Cell& cell : CellsShowing(p_Image, SmallBoard(p_Image), IsSnakeGreen))
        if (cell.row == 1)
            column = std::max(column, cell.column);
    return column;
}

inline bool AllSegmentsInRow(const RgbImage& p_Image, int p_Row)
{
    for (const Cell& cell : CellsShowing(p_Image, SmallBoard(p_Image), IsSnakeGreen))
        if (cell.row != p_Row)
            return false;
    return true;
}

// The console's dark output view covers the upper three quarters of the window.
inline bool IsConsoleShown(const RgbImage& p_Image)
{
    const int darkRows = CountIn(p_Image, {p_Image.width - 3, p_Image.width - 2, 0, p_Image.height / 2},
                                 [](Rgb p_Colour) {
                                     return TestSupport::IsNear(p_Colour, {43, 43, 43}, 2);
                                 });
    return darkRows * 10 >= p_Image.height / 2 * 7;
}

// Steers a one-segment snake on the small board onto the item, from what the window shows:
// towards the item's column first, then its row. While the snake has one segment it may turn any
// way, and a direction towards the item never leaves the board. Returns the first capture whose
// points line differs from p_Start's (an empty image when none did in time, with a failure).
inline RgbImage SteerOntoTheItem(TestSupport::GameSession& p_Game, const RgbImage& p_Start,
                                 const Rect& p_PointsLine)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (std::chrono::steady_clock::now() < deadline)
    {
        const RgbImage image = p_Game.Capture();
        if (!image.Valid() || IsStartPanelShown(image))
        {
            ADD_FAILURE() << "the game ended before the snake reached the item";
            return RgbImage{};
        }
        if (TextDifference(p_Start, image, p_PointsLine) > 30)
            return image;
        const Board board = SmallBoard(image);
        const std::vector<Cell> snake = CellsShowing(image, board, IsSnakeGreen);
        const std::vector<Cell> items = CellsShowing(image, board, IsItemRed);
        if (snake.size() != 1 || items.size() != 1)
            continue; // the item hidden under the head, or a frame between two states
        const Cell head = snake[0], item = items[0];
        if (head.column < item.column)
            p_Game.Hold("Right");
        else if (head.column > item.column)
            p_Game.Hold("Left");
        else if (head.row < item.row)
            p_Game.Hold("Down");
        else if (head.row > item.row)
            p_Game.Hold("Up");
    }
    ADD_FAILURE() << "the points line never changed";
    return RgbImage{};
}

// The game has ended (or been ended) with status 0 after an orderly shutdown.
inline void ExpectOrderlyEnd(TestSupport::GameSession& p_Game, const TestSupport::ProgramResult& p_Result)
{
    EXPECT_TRUE(p_Result.exited);
    EXPECT_EQ(p_Result.exitStatus, 0);
    const std::string log = p_Game.Log();
    EXPECT_NE(log.find("CorvanEntry: Engine shutdown successful"), std::string::npos);
    EXPECT_NE(log.find("AppEntry: Exit code: 0"), std::string::npos);
}

// Opens the console, types the line, and closes the console again.
inline void RunConsoleLine(TestSupport::GameSession& p_Game, const std::string& p_Line)
{
    p_Game.Key("grave");
    ASSERT_TRUE(p_Game.WaitForImage(IsConsoleShown, std::chrono::seconds(5)).Valid())
        << "the console did not open";
    p_Game.Type(p_Line);
    p_Game.Key("Return");
    p_Game.Key("grave");
    ASSERT_TRUE(p_Game
                    .WaitForImage([](const RgbImage& p_Image) { return !IsConsoleShown(p_Image); },
                                  std::chrono::seconds(5))
                    .Valid())
        << "the console did not close";
}

// A bot script "Scripts/<name>.lua" in the game's folder.
inline void WriteScript(const TestSupport::TempFolder& p_Folder, const std::string& p_Name,
                        const std::string& p_Source)
{
    std::filesystem::create_directories(p_Folder.File("Scripts"));
    TestSupport::WriteWholeFile(p_Folder.File("Scripts/" + p_Name + ".lua"), p_Source);
}
} // namespace GameRound
