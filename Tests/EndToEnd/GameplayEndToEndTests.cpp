// The Gameplay options and the records as a player meets them, through real X input: two quick
// turns with and without the turn buffer, the step after Resume with and without a fair start,
// losing the window's focus with and without the automatic pause, and a record that a lost round
// writes to "records.cfg" and the next game-over panel shows.
#include "EndToEnd/GameRound.h"
#include "EndToEnd/GameScreen.h"
#include "Support/GameSession.h"
#include "Support/RgbImage.h"
#include "Support/RunProgram.h"
#include "Support/TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <regex>
#include <string>
#include <thread>
#include <vector>

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

extern char** environ;

using namespace GameRound;
using namespace GameScreen;
using namespace std::chrono_literals;
using TestSupport::GameSession;
using TestSupport::ReadWholeFile;
using TestSupport::TempFolder;
using TestSupport::WriteWholeFile;

namespace
{
// The wide board (20 x 12) without the heads-up display, so that the board fills the window as
// Board lays it out; the options as given.
std::string WideConfig(const std::string& p_Speed, const std::string& p_Options = "")
{
    return ConfigWith("10", p_Speed, "set r_fps \"0\"\nset r_points \"0\"\n" + p_Options);
}

std::vector<Cell> SnakeCells(const RgbImage& p_Image)
{
    return CellsShowing(p_Image, Board(20, 12, p_Image), IsSnakeGreen);
}

// The snake's cell furthest right in row 1, where it runs at the start; -1 when none is there.
int HeadColumn(const RgbImage& p_Image)
{
    int column = -1;
    for (const Cell& cell : SnakeCells(p_Image))
        if (cell.row == 1)
            column = std::max(column, cell.column);
    return column;
}

// The yellow of the "Ready" marker's outline.
bool IsReadyYellow(TestSupport::Rgb p_Colour)
{
    return p_Colour.r > 220 && p_Colour.g > 190 && p_Colour.g < 240 && p_Colour.b < 60;
}

bool IsRecordOrange(TestSupport::Rgb p_Colour)
{
    return p_Colour.r > 230 && p_Colour.g > 140 && p_Colour.g < 190 && p_Colour.b < 50;
}

void StartAndRunToColumn(GameSession& p_Game, int p_Column)
{
    p_Game.Key("s");
    ASSERT_TRUE(p_Game
                    .WaitForImage([p_Column](const RgbImage& p_Image)
                                  { return !IsStartPanelShown(p_Image) && HeadColumn(p_Image) >= p_Column; },
                                  15s)
                    .Valid())
        << "the round did not run along row 1";
}

// Both presses reach the game in one frame, between two steps: the game is stopped while xdotool
// sends them.
void TwoQuickTurns(GameSession& p_Game, const std::string& p_First, const std::string& p_Second)
{
    kill(p_Game.Pid(), SIGSTOP);
    p_Game.Tap(p_First);
    p_Game.Tap(p_Second);
    std::this_thread::sleep_for(60ms);
    kill(p_Game.Pid(), SIGCONT);
}

// The round ends at a border; the capture of its game-over panel.
RgbImage WaitForGameOver(GameSession& p_Game)
{
    return p_Game.WaitForImage(IsStartPanelShown, 15s);
}

// Another program's window that takes the focus from the game: xmessage, ended by its id.
class OtherWindow
{
public:
    OtherWindow()
    {
        char program[] = "xmessage";
        char geometry[] = "-geometry";
        char place[] = "+10+10";
        char text[] = "elsewhere";
        char* arguments[] = {program, geometry, place, text, nullptr};
        // Its font warnings are no concern of the test's.
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
        if (posix_spawnp(&m_Pid, "xmessage", &actions, nullptr, arguments, environ) != 0)
            m_Pid = -1;
        posix_spawn_file_actions_destroy(&actions);
    }
    ~OtherWindow()
    {
        if (m_Pid > 0)
        {
            kill(m_Pid, SIGTERM);
            waitpid(m_Pid, nullptr, 0);
        }
    }
    // Waits for the window and gives it the keyboard focus; false when it never showed.
    bool TakeFocus()
    {
        for (int attempt = 0; attempt < 100 && m_Pid > 0; ++attempt)
        {
            // xmessage does not name its process on its window; its class finds it.
            const std::string id =
                TestSupport::CommandOutput("xdotool search --onlyvisible --class Xmessage 2>/dev/null");
            if (!id.empty())
            {
                TestSupport::CommandOutput("timeout 5 xdotool windowfocus --sync " +
                                           id.substr(0, id.find('\n')) + " 2>/dev/null");
                return true;
            }
            std::this_thread::sleep_for(100ms);
        }
        return false;
    }

private:
    pid_t m_Pid = -1;
};

class GameplayEndToEnd : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_NE(getenv("DISPLAY"), nullptr) << "the test command provides an X display";
    }
};
} // namespace

// Moving right, down and then left pressed between two steps. With the buffer the snake goes
// down one row and then left: a U-turn into row 2, ended by the left border. Without it both
// keys count in the same frame, where the vertical one wins: the left turn is lost and the snake
// runs down to the bottom border.
TEST_F(GameplayEndToEnd, AQueuedDoubleTurnAtSpeedTenIsTakenWithTheTurnBuffer)
{
    for (const bool buffered : {true, false})
    {
        SCOPED_TRACE(buffered ? "g_turnbuffer 1" : "no option set");
        TempFolder folder;
        WriteWholeFile(folder.File("gamedata.cfg"),
                       WideConfig("10", buffered ? "set g_turnbuffer \"1\"\n" : ""));
        GameSession game(folder, VORL_EXECUTABLE);
        ASSERT_TRUE(game.Open()) << game.Log();
        // At ten steps a second the snake crosses the board in two seconds: the turns come as soon
        // as the round is seen running, far from the right border.
        game.Key("s");
        ASSERT_TRUE(game.WaitForImage([](const RgbImage& p_Image) { return !IsStartPanelShown(p_Image); }, 5s)
                        .Valid());
        TwoQuickTurns(game, "Down", "Left");
        const RgbImage over = WaitForGameOver(game);
        ASSERT_TRUE(over.Valid()) << "the round did not end";
        const std::vector<Cell> cells = SnakeCells(over);
        ASSERT_FALSE(cells.empty());
        const auto any = [&cells](auto p_Test) { return std::any_of(cells.begin(), cells.end(), p_Test); };
        std::string shown;
        for (const Cell& cell : cells)
            shown += " (" + std::to_string(cell.column) + "," + std::to_string(cell.row) + ")";
        SCOPED_TRACE("snake:" + shown);
        if (buffered)
        {
            EXPECT_TRUE(
                std::all_of(cells.begin(), cells.end(), [](const Cell& p_Cell) { return p_Cell.row == 2; }))
                << "the second turn was lost";
            EXPECT_TRUE(any([](const Cell& p_Cell) { return p_Cell.column == 0; }))
                << "not ended at the left border";
        }
        else
        {
            EXPECT_TRUE(any([](const Cell& p_Cell) { return p_Cell.row == 11; }))
                << "without the buffer the snake goes on down";
        }
        ExpectOrderlyEnd(game, game.Terminate());
    }
}

// Paused for longer than an interval, the round resumes. Without a fair start the step is long
// due and comes with the first frame; with it, the "Ready" marker shows and the head waits.
TEST_F(GameplayEndToEnd, AFairStartWaitsAnIntervalAfterResumeAndShowsReady)
{
    for (const bool fair : {true, false})
    {
        SCOPED_TRACE(fair ? "g_fairstart 1" : "no option set");
        TempFolder folder;
        WriteWholeFile(folder.File("gamedata.cfg"), WideConfig("1", fair ? "set g_fairstart \"1\"\n" : ""));
        GameSession game(folder, VORL_EXECUTABLE);
        ASSERT_TRUE(game.Open()) << game.Log();
        ASSERT_NO_FATAL_FAILURE(StartAndRunToColumn(game, 3));
        game.Key("Escape");
        const RgbImage paused = game.WaitForImage(IsStartPanelShown, 5s);
        ASSERT_TRUE(paused.Valid()) << "ESCAPE did not pause";
        std::this_thread::sleep_for(1500ms);
        const int column = HeadColumn(game.Capture());
        ASSERT_GE(column, 3);

        game.Key("s");
        const auto resumed = std::chrono::steady_clock::now();
        const RgbImage first =
            game.WaitForImage([](const RgbImage& p_Image) { return !IsStartPanelShown(p_Image); }, 5s);
        ASSERT_TRUE(first.Valid()) << "the round did not resume";
        if (fair)
        {
            EXPECT_GT(CountIn(first, {0, first.width, 0, first.height}, IsReadyYellow), 50)
                << "no Ready marker";
            if (std::chrono::steady_clock::now() - resumed < 700ms)
            {
                EXPECT_EQ(HeadColumn(first), column) << "the head moved before a full interval";
            }
            const RgbImage moved = game.WaitForImage(
                [column](const RgbImage& p_Image) { return HeadColumn(p_Image) > column; }, 4s);
            ASSERT_TRUE(moved.Valid()) << "the snake did not go on";
            EXPECT_EQ(CountIn(moved, {0, moved.width, 0, moved.height}, IsReadyYellow), 0)
                << "the marker stays after the first step";
        }
        else
        {
            EXPECT_EQ(CountIn(first, {0, first.width, 0, first.height}, IsReadyYellow), 0);
            const RgbImage moved = game.WaitForImage(
                [column](const RgbImage& p_Image) { return HeadColumn(p_Image) > column; }, 700ms);
            EXPECT_TRUE(moved.Valid()) << "the first step after Resume did not come at once";
        }
        ExpectOrderlyEnd(game, game.Terminate());
    }
}

// Another window takes the focus in the middle of a round: with g_autopause the pause panel comes
// up and the snake stands; without it the round goes on as before. With the option the console
// pauses the round too.
TEST_F(GameplayEndToEnd, LosingTheFocusPausesOnlyWithTheOption)
{
    for (const bool autoPause : {true, false})
    {
        SCOPED_TRACE(autoPause ? "g_autopause 1" : "no option set");
        TempFolder folder;
        WriteWholeFile(folder.File("gamedata.cfg"),
                       WideConfig("2", autoPause ? "set g_autopause \"1\"\n" : ""));
        GameSession game(folder, VORL_EXECUTABLE);
        ASSERT_TRUE(game.Open()) << game.Log();
        ASSERT_NO_FATAL_FAILURE(StartAndRunToColumn(game, 3));

        OtherWindow other;
        ASSERT_TRUE(other.TakeFocus()) << "xmessage did not show";
        if (autoPause)
        {
            const RgbImage paused = game.WaitForImage(IsStartPanelShown, 5s);
            ASSERT_TRUE(paused.Valid()) << "losing the focus did not pause";
            std::this_thread::sleep_for(1200ms);
            const RgbImage later = game.Capture();
            EXPECT_TRUE(IsStartPanelShown(later));
            EXPECT_EQ(SnakeCells(later).size(), SnakeCells(paused).size());
            EXPECT_EQ(HeadColumn(later), HeadColumn(paused)) << "the snake moved while paused";

            // Back in the game: Resume, then the console pauses the round again.
            TestSupport::CommandOutput("timeout 5 xdotool windowfocus --sync " + game.Window() +
                                       " 2>/dev/null");
            game.Key("s");
            ASSERT_TRUE(
                game.WaitForImage([](const RgbImage& p_Image) { return !IsStartPanelShown(p_Image); }, 5s)
                    .Valid());
            game.Key("grave");
            ASSERT_TRUE(game.WaitForImage(IsConsoleShown, 5s).Valid()) << "the console did not open";
            game.Key("grave");
            const RgbImage afterConsole =
                game.WaitForImage([](const RgbImage& p_Image) { return !IsConsoleShown(p_Image); }, 5s);
            ASSERT_TRUE(afterConsole.Valid());
            EXPECT_TRUE(IsStartPanelShown(afterConsole)) << "the console did not pause the round";
        }
        else
        {
            const int column = HeadColumn(game.Capture());
            const RgbImage onward =
                game.WaitForImage([column](const RgbImage& p_Image)
                                  { return IsStartPanelShown(p_Image) || HeadColumn(p_Image) >= column + 2; },
                                  5s);
            ASSERT_TRUE(onward.Valid()) << "the snake stopped without the option";
            EXPECT_FALSE(IsStartPanelShown(onward)) << "the round paused without the option";
        }
        ExpectOrderlyEnd(game, game.Terminate());
    }
}

// A lost round writes its points to "records.cfg"; the next start reads them and its game-over
// panel shows the record line under the title.
TEST_F(GameplayEndToEnd, ALostRoundWritesARecordThatTheNextGameOverPanelShows)
{
    TempFolder folder;
    WriteWholeFile(folder.File("gamedata.cfg"), ConfigWith("0", "4"));
    const std::regex recordLine("record 0 4 ([0-9]+) 0\n");
    std::string firstPoints;
    {
        GameSession game(folder, VORL_EXECUTABLE);
        ASSERT_TRUE(game.Open()) << game.Log();
        const RgbImage start = game.Capture();
        ASSERT_EQ(TextLines(start, InsideStartPanel(start)).size(), 6u)
            << "no record line on the start panel";
        game.Key("s");
        ASSERT_TRUE(game.WaitForImage([](const RgbImage& p_Image) { return !IsStartPanelShown(p_Image); }, 5s)
                        .Valid());
        const RgbImage over = WaitForGameOver(game);
        ASSERT_TRUE(over.Valid()) << "the round did not end";
        EXPECT_EQ(TextLines(over, InsideStartPanel(over)).size(), 7u)
            << "title, record, four buttons, version";
        EXPECT_GT(CountIn(over, InsideStartPanel(over), IsRecordOrange), 20)
            << "the first round is a new record";
        std::smatch match;
        const std::string records = ReadWholeFile(folder.File("records.cfg"));
        ASSERT_TRUE(std::regex_search(records, match, recordLine)) << records;
        firstPoints = match[1];
        ExpectOrderlyEnd(game, game.Terminate());
    }
    GameSession game(folder, VORL_EXECUTABLE);
    ASSERT_TRUE(game.Open()) << game.Log();
    game.Key("s");
    ASSERT_TRUE(
        game.WaitForImage([](const RgbImage& p_Image) { return !IsStartPanelShown(p_Image); }, 5s).Valid());
    const RgbImage over = WaitForGameOver(game);
    ASSERT_TRUE(over.Valid());
    EXPECT_EQ(TextLines(over, InsideStartPanel(over)).size(), 7u) << "the record line of the earlier round";
    std::smatch match;
    const std::string records = ReadWholeFile(folder.File("records.cfg"));
    ASSERT_TRUE(std::regex_search(records, match, recordLine)) << records;
    EXPECT_GE(std::stoi(match[1]), std::stoi(firstPoints)) << "the record never goes down";
    ExpectOrderlyEnd(game, game.Terminate());
}
