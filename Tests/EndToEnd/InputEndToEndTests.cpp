// The keyboard as a player meets it, through real X input: taps shorter than a frame, keys that
// belong to the console or to steering rather than to the menus, and the punctuation keys.
// The 6 x 6 board at one step per second leaves time for the input to land between two steps.
#include "EndToEnd/GameRound.h"
#include "EndToEnd/GameScreen.h"
#include "Support/GameSession.h"
#include "Support/LogLines.h"
#include "Support/RgbImage.h"
#include "Support/TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <string>
#include <thread>
#include <vector>

using namespace GameRound;
using namespace GameScreen;
using namespace std::chrono_literals;
using TestSupport::GameSession;
using TestSupport::TempFolder;
using TestSupport::WriteWholeFile;

namespace
{
// The grid mode "10": twenty columns and twelve rows. At one step a second the snake takes
// many seconds to reach a border, so slow captures on a busy machine never race it.
const std::string k_WideGrid = "10";

// The wide board at one step a second, with the user's lines first. The heads-up display is
// hidden so that the board fills the window as Board lays it out: with the display shown, the
// wide board moves out of the display's corner.
std::string WideGridConfig(const std::string& p_FirstLines = "")
{
    return ConfigWith(k_WideGrid, "1", "set r_fps \"0\"\nset r_points \"0\"\n" + p_FirstLines);
}

std::vector<Cell> SnakeCells(const RgbImage& p_Image)
{
    return CellsShowing(p_Image, Board(20, 12, p_Image), IsSnakeGreen);
}

// Some segment of the snake lies on a cell that passes the test.
template <typename Predicate> bool SnakeReaches(const RgbImage& p_Image, Predicate p_Cell)
{
    const std::vector<Cell> cells = SnakeCells(p_Image);
    return std::any_of(cells.begin(), cells.end(), p_Cell);
}

bool BelowRow1(const Cell& p_Cell)
{
    return p_Cell.row >= 2;
}

// The snake has left its starting row, or the round has ended.
bool TurnedOrOver(const RgbImage& p_Image)
{
    return IsStartPanelShown(p_Image) || SnakeReaches(p_Image, BelowRow1);
}

// Waits until the head, running along row 1, has passed the heads-up display in the top left
// corner, so that every later cell of the snake is in sight.
void WaitUntilClearOfTheHud(GameSession& p_Game)
{
    ASSERT_TRUE(p_Game
                    .WaitForImage(
                        [](const RgbImage& p_Image)
                        {
                            return !IsStartPanelShown(p_Image) &&
                                   SnakeReaches(p_Image, [](const Cell& p_Cell)
                                                { return p_Cell.row == 1 && p_Cell.column >= 5; });
                        },
                        15s)
                    .Valid())
        << "the round did not run along row 1";
}

// Holds the key and expects the snake to leave row 1 downwards.
void ExpectHoldTurnsDown(GameSession& p_Game, const std::string& p_Key, const std::string& p_Failure)
{
    p_Game.Hold(p_Key);
    const RgbImage turned = p_Game.WaitForImage(TurnedOrOver, 5s);
    ASSERT_TRUE(turned.Valid()) << p_Failure;
    EXPECT_TRUE(SnakeReaches(turned, BelowRow1)) << p_Failure;
}

// The console key, and a wait until the console is shown (p_Open) or gone.
void ToggleConsole(GameSession& p_Game, bool p_Open)
{
    p_Game.Key("grave");
    ASSERT_TRUE(
        p_Game
            .WaitForImage([p_Open](const RgbImage& p_Image) { return IsConsoleShown(p_Image) == p_Open; }, 5s)
            .Valid())
        << (p_Open ? "the console did not open" : "the console did not close");
}

// Starts the round from the start menu with S and waits until the head is in sight.
void StartRound(GameSession& p_Game)
{
    p_Game.Key("s");
    WaitUntilClearOfTheHud(p_Game);
}

// The centre of the start panel's first button (Start or Resume), read from a capture.
void ClickFirstButton(GameSession& p_Game)
{
    const RgbImage panel = p_Game.Capture();
    const std::vector<Rect> lines = TextLines(panel, InsideStartPanel(panel));
    ASSERT_EQ(lines.size(), 6u) << "title, four buttons and the version line";
    p_Game.Click((lines[1].left + lines[1].right) / 2, (lines[1].top + lines[1].bottom) / 2);
    p_Game.MoveMouse(5, 5);
}

int UnknownKeyLines(const std::string& p_Log)
{
    const std::vector<std::string> lines = TestSupport::Lines(p_Log);
    return static_cast<int>(std::count_if(
        lines.begin(), lines.end(),
        [](const std::string& p_Line) { return p_Line.find("Unknown key pressed") != std::string::npos; }));
}

class InputEndToEnd : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_NE(getenv("DISPLAY"), nullptr) << "the test command provides an X display";
    }
};
} // namespace

// Both ways a press and its release fall between two frames: a hitch of the game, and a tap
// faster than a frame. Each tap turns the snake once.
TEST_F(InputEndToEnd, TapsShorterThanAFrameSteer)
{
    TempFolder folder;
    WriteWholeFile(folder.File("gamedata.cfg"), WideGridConfig());
    GameSession game(folder, VORL_EXECUTABLE);
    ASSERT_TRUE(game.Open()) << game.Log();
    ASSERT_NO_FATAL_FAILURE(StartRound(game));

    game.TapDuringStall("Down");
    const RgbImage down = game.WaitForImage(TurnedOrOver, 4s);
    ASSERT_TRUE(down.Valid()) << "the tap during the stall did not turn the snake down";
    ASSERT_FALSE(IsStartPanelShown(down));
    ASSERT_TRUE(SnakeReaches(down, BelowRow1)) << "the tap during the stall did not turn the snake down";
    const std::vector<Cell> cells = SnakeCells(down);
    const int column = std::max_element(cells.begin(), cells.end(),
                                        [](const Cell& p_A, const Cell& p_B) { return p_A.row < p_B.row; })
                           ->column;

    game.Tap("Right");
    const RgbImage right = game.WaitForImage(
        [column](const RgbImage& p_Image)
        {
            return IsStartPanelShown(p_Image) ||
                   SnakeReaches(p_Image, [column](const Cell& p_Cell)
                                { return p_Cell.row >= 2 && p_Cell.column == column + 1; });
        },
        4s);
    ASSERT_TRUE(right.Valid()) << "the back-to-back tap did not turn the snake right";
    EXPECT_FALSE(IsStartPanelShown(right));

    ExpectOrderlyEnd(game, game.Terminate());
}

// The console takes the arrow keys for its history: held there, Down must not turn the snake.
// Held again once the console is closed, it does.
TEST_F(InputEndToEnd, WithTheConsoleOpenTheArrowKeysDoNotSteer)
{
    TempFolder folder;
    WriteWholeFile(folder.File("gamedata.cfg"), WideGridConfig());
    GameSession game(folder, VORL_EXECUTABLE);
    ASSERT_TRUE(game.Open()) << game.Log();
    ASSERT_NO_FATAL_FAILURE(StartRound(game));

    ASSERT_NO_FATAL_FAILURE(ToggleConsole(game, true));
    game.Hold("Down", 300ms);
    ASSERT_NO_FATAL_FAILURE(ToggleConsole(game, false));
    // More than a step: a turn made while the console was open shows by now.
    std::this_thread::sleep_for(1500ms);
    const RgbImage onward = game.Capture();
    ASSERT_TRUE(onward.Valid());
    ASSERT_FALSE(IsStartPanelShown(onward)) << "the round ended early";
    EXPECT_FALSE(SnakeReaches(onward, BelowRow1)) << "the arrow key held in the console steered the snake";
    EXPECT_TRUE(SnakeReaches(onward, [](const Cell& p_Cell) { return p_Cell.row == 1; }));

    ASSERT_NO_FATAL_FAILURE(ExpectHoldTurnsDown(game, "Down", "Down did not steer with the console closed"));

    ExpectOrderlyEnd(game, game.Terminate());
}

// With W, A, S and D steering, A and S are the game's: in the pause panel they neither open the
// about page nor resume. The panel's other letters still work, and S steers once play goes on.
TEST_F(InputEndToEnd, KeysBoundToMovementAreNoMenuShortcuts)
{
    TempFolder folder;
    WriteWholeFile(folder.File("gamedata.cfg"),
                   WideGridConfig("bind W \"+moveup\"\nbind A \"+moveleft\"\nbind S \"+movedown\"\n"
                                  "bind D \"+moveright\"\n"));
    GameSession game(folder, VORL_EXECUTABLE);
    ASSERT_TRUE(game.Open()) << game.Log();

    ASSERT_NO_FATAL_FAILURE(ClickFirstButton(game));
    ASSERT_NO_FATAL_FAILURE(WaitUntilClearOfTheHud(game));
    game.Key("Escape");
    const RgbImage paused = game.WaitForImage(IsStartPanelShown, 5s);
    ASSERT_TRUE(paused.Valid()) << "no pause panel came up";
    const std::vector<Rect> lines = TextLines(paused, InsideStartPanel(paused));
    ASSERT_EQ(lines.size(), 6u);

    game.Key("a s");
    std::this_thread::sleep_for(1500ms);
    const RgbImage still = game.Capture();
    ASSERT_TRUE(still.Valid());
    EXPECT_TRUE(IsStartPanelShown(still)) << "A opened the about page";
    EXPECT_LE(TextDifference(paused, still, lines[0]), 10) << "the pause title is gone";
    EXPECT_LE(TextDifference(paused, still, lines[1]), 10) << "Resume is gone";
    EXPECT_EQ(SnakeCells(still), SnakeCells(paused)) << "S resumed the round";

    game.Key("i");
    ASSERT_TRUE(
        game.WaitForImage([](const RgbImage& p_Image) { return !IsStartPanelShown(p_Image); }, 5s).Valid())
        << "I no longer opens the about page";
    game.Key("Escape");
    ASSERT_TRUE(game.WaitForImage(IsStartPanelShown, 5s).Valid())
        << "ESCAPE did not lead back to the pause panel";

    ASSERT_NO_FATAL_FAILURE(ClickFirstButton(game));
    ASSERT_TRUE(
        game.WaitForImage([](const RgbImage& p_Image) { return !IsStartPanelShown(p_Image); }, 5s).Valid())
        << "Resume did not resume";
    ASSERT_NO_FATAL_FAILURE(ExpectHoldTurnsDown(game, "s", "S did not steer the snake down"));

    ExpectOrderlyEnd(game, game.Terminate());
}

// The punctuation keys are keys of the game: one bound in the configuration steers, and typing
// them into the console logs nothing. A key the game does not know is logged once, however
// often it is pressed.
TEST_F(InputEndToEnd, PunctuationKeysAreBindableAndUnknownKeysAreLoggedOnce)
{
    TempFolder folder;
    WriteWholeFile(folder.File("gamedata.cfg"), WideGridConfig("bind SEMICOLON \"+movedown\"\n"));
    GameSession game(folder, VORL_EXECUTABLE);
    ASSERT_TRUE(game.Open()) << game.Log();
    ASSERT_NO_FATAL_FAILURE(StartRound(game));

    ASSERT_NO_FATAL_FAILURE(
        ExpectHoldTurnsDown(game, "semicolon", "the key bound as SEMICOLON did not steer"));
    game.Key("Escape");
    ASSERT_TRUE(game.WaitForImage(IsStartPanelShown, 5s).Valid()) << "no pause panel came up";

    ASSERT_NO_FATAL_FAILURE(ToggleConsole(game, true));
    game.Key("minus equal semicolon apostrophe bracketleft bracketright backslash comma period slash "
             "less underscore");
    // The pad's = key, which the game does not know, three times.
    game.Key("KP_Equal KP_Equal KP_Equal");
    ASSERT_NO_FATAL_FAILURE(ToggleConsole(game, false));

    const TestSupport::ProgramResult result = game.Terminate();
    const std::string log = game.Log();
    EXPECT_EQ(UnknownKeyLines(log), 1) << log;
    EXPECT_NE(log.find("Unknown key pressed, event: 768, key: 103"), std::string::npos) << log;
    ExpectOrderlyEnd(game, result);
}
