// Bots in the running window game, driven as a player drives them: console lines typed with real
// key presses, the board read back from the window, the game's log read from its folder.
#include "EndToEnd/GameRound.h"
#include "EndToEnd/GameScreen.h"
#include "Support/GameSession.h"
#include "Support/RgbImage.h"
#include "Support/TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
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
class BotEndToEnd : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_NE(getenv("DISPLAY"), nullptr) << "the test command provides an X display";
    }
};

bool LogHas(GameSession& p_Game, const std::string& p_Text, std::chrono::milliseconds p_Wait)
{
    return GameSession::WaitUntil([&] { return p_Game.Log().find(p_Text) != std::string::npos; }, p_Wait);
}

void StartRound(GameSession& p_Game)
{
    p_Game.Key("s");
    ASSERT_TRUE(
        p_Game.WaitForImage([](const RgbImage& p_Image) { return !IsStartPanelShown(p_Image); }, 5s).Valid())
        << "the start menu stayed on screen";
}

void StartAutopilotRound(GameSession& p_Game)
{
    ASSERT_NO_FATAL_FAILURE(RunConsoleLine(p_Game, "bot autopilot"));
    ASSERT_TRUE(LogHas(p_Game, "Bot 'autopilot' plays", 5s)) << p_Game.Log();
    ASSERT_NO_FATAL_FAILURE(StartRound(p_Game));
}

// On the 6 x 6 board: round and round the ring of columns and rows 1 to 4, which no snake shorter
// than twelve ever bites.
const char* const k_RingBot = R"lua(
function decide(board)
  local head = board.snake[1]
  if head.y == 1 and head.x < 4 then return "right" end
  if head.x == 4 and head.y < 4 then return "down" end
  if head.y == 4 and head.x > 1 then return "left" end
  return "up"
end
)lua";

bool OnTheRing(const Cell& p_Cell)
{
    const bool inside = p_Cell.column >= 1 && p_Cell.column <= 4 && p_Cell.row >= 1 && p_Cell.row <= 4;
    return inside && (p_Cell.column == 1 || p_Cell.column == 4 || p_Cell.row == 1 || p_Cell.row == 4);
}
} // namespace

TEST_F(BotEndToEnd, TheAutopilotWinsASixBySixRoundAtSpeedTen)
{
    TempFolder folder;
    WriteWholeFile(folder.File("gamedata.cfg"), ConfigWith("0", "10"));
    GameSession game(folder, VORL_EXECUTABLE);
    ASSERT_TRUE(game.Open()) << game.Log();
    ASSERT_NO_FATAL_FAILURE(StartAutopilotRound(game));

    // The HUD names the bot under the frame rate and the points.
    const RgbImage playing = game.Capture();
    ASSERT_TRUE(playing.Valid());
    EXPECT_EQ(TextLines(playing, HudArea(playing)).size(), 3u);

    // 36 cells take a few hundred steps; at ten a second that is well under two minutes.
    const RgbImage end = game.WaitForImage(IsStartPanelShown, 150s);
    ASSERT_TRUE(end.Valid()) << "no panel came up";
    // Won: the item is gone and the snake fills the board, as far as the panel lets it be seen.
    const Board board = SmallBoard(end);
    EXPECT_TRUE(CellsShowing(end, board, IsItemRed).empty());
    const std::vector<Cell> snake = CellsShowing(end, board, IsSnakeGreen);
    for (int column = 0; column < 6; ++column)
        for (int row : {0, 5})
            EXPECT_NE(std::find(snake.begin(), snake.end(), Cell{column, row}), snake.end())
                << "no segment on " << Cell{column, row};
    const std::string log = game.Log();
    const size_t handedBack = log.find("gives the control back to the player");
    EXPECT_EQ(handedBack, std::string::npos) << log.substr(handedBack == std::string::npos ? 0 : handedBack);
    // A full board is the best a round can do, but the bot's, not the player's: no record.
    EXPECT_NE(log.find("A bot steered this round: it sets no record"), std::string::npos) << log;
    EXPECT_FALSE(std::filesystem::exists(folder.File("records.cfg")));

    ExpectOrderlyEnd(game, game.Terminate());
}

// The player takes over from the autopilot and loses the round: it had a bot in it, so the
// points it made set no record.
TEST_F(BotEndToEnd, ARoundABotSteeredPartOfSetsNoRecord)
{
    TempFolder folder;
    WriteWholeFile(folder.File("gamedata.cfg"), ConfigWith("0", "10"));
    GameSession game(folder, VORL_EXECUTABLE);
    ASSERT_TRUE(game.Open()) << game.Log();
    ASSERT_NO_FATAL_FAILURE(StartAutopilotRound(game));
    // Some thirty steps: the autopilot catches items within them on the 6 x 6 board.
    std::this_thread::sleep_for(3s);
    game.Key("Up");
    ASSERT_TRUE(
        LogHas(game, "Bot 'autopilot' gives the control back to the player: a movement key was pressed", 5s))
        << game.Log();
    // Nobody steers now: the snake runs into a border or itself.
    const RgbImage over = game.WaitForImage(IsStartPanelShown, 20s);
    ASSERT_TRUE(over.Valid()) << "the round did not end";
    EXPECT_TRUE(LogHas(game, "A bot steered this round: it sets no record", 5s)) << game.Log();
    EXPECT_FALSE(std::filesystem::exists(folder.File("records.cfg")));
    ExpectOrderlyEnd(game, game.Terminate());
}

TEST_F(BotEndToEnd, AUserBotFromScriptsPlaysUntilAMovementKeyTakesTheControlBack)
{
    TempFolder folder;
    WriteWholeFile(folder.File("gamedata.cfg"), ConfigWith("0", "5"));
    WriteScript(folder, "ring", k_RingBot);
    GameSession game(folder, VORL_EXECUTABLE);
    ASSERT_TRUE(game.Open()) << game.Log();
    ASSERT_NO_FATAL_FAILURE(RunConsoleLine(game, "bot ring"));
    ASSERT_TRUE(LogHas(game, "Bot 'ring' plays", 5s)) << game.Log();
    ASSERT_NO_FATAL_FAILURE(StartRound(game));

    // Going right alone, the snake hits the border within a second; the bot keeps it on the ring.
    std::this_thread::sleep_for(4s);
    const RgbImage ring = game.Capture();
    ASSERT_TRUE(ring.Valid());
    ASSERT_FALSE(IsStartPanelShown(ring)) << "the round ended under the bot";
    const std::vector<Cell> snake = CellsShowing(ring, SmallBoard(ring), IsSnakeGreen);
    ASSERT_FALSE(snake.empty());
    for (const Cell& cell : snake)
        EXPECT_TRUE(OnTheRing(cell)) << cell;
    EXPECT_EQ(TextLines(ring, HudArea(ring)).size(), 3u);

    // An arrow key: the player steers again, and the HUD drops the bot's line.
    game.Key("Up");
    ASSERT_TRUE(
        LogHas(game, "Bot 'ring' gives the control back to the player: a movement key was pressed", 5s))
        << game.Log();
    const RgbImage after = game.WaitForImage(
        [](const RgbImage& p_Image) { return TextLines(p_Image, HudArea(p_Image)).size() == 2u; }, 5s);
    EXPECT_TRUE(after.Valid()) << "the HUD still names a bot";

    ExpectOrderlyEnd(game, game.Terminate());
}

TEST_F(BotEndToEnd, AHostileBotIsStoppedAndTheRoundGoesOnUnderThePlayer)
{
    TempFolder folder;
    WriteWholeFile(folder.File("gamedata.cfg"), ConfigWith("0", "1"));
    WriteScript(folder, "hostile", "function decide(board)\n  while true do end\nend\n");
    GameSession game(folder, VORL_EXECUTABLE);
    ASSERT_TRUE(game.Open()) << game.Log();
    // A name that leads out of the script folder is refused before anything is read.
    ASSERT_NO_FATAL_FAILURE(RunConsoleLine(game, "bot ../hostile"));
    ASSERT_NO_FATAL_FAILURE(RunConsoleLine(game, "bot hostile"));
    ASSERT_TRUE(LogHas(game, "Bot 'hostile' plays", 5s)) << game.Log();
    // Refused in the log (and the console), with nothing read.
    EXPECT_NE(game.Log().find("Bot '../hostile' cannot play: '../hostile' is no bot name"),
              std::string::npos);
    EXPECT_EQ(game.Log().find("Bot '../hostile' plays"), std::string::npos);
    EXPECT_NE(game.Log().find("is no bot name: use letters, digits, '_' and '-' only; the player steers"),
              std::string::npos);
    // Refused while another bot sits: that one plays on, and the line says so.
    ASSERT_NO_FATAL_FAILURE(RunConsoleLine(game, "bot nosuch"));
    EXPECT_TRUE(LogHas(game,
                       "Bot 'nosuch' cannot play: no bot named 'nosuch' (neither compiled in nor "
                       "\"Scripts/nosuch.lua\"); bot 'hostile' plays on",
                       5s))
        << game.Log();
    ASSERT_NO_FATAL_FAILURE(StartRound(game));

    // Its first decision breaks the budget: one line, then the player has the round.
    ASSERT_TRUE(
        LogHas(game,
               "Bot 'hostile' stopped, the player has the control back: Scripts/hostile.lua:2: stopped: "
               "instruction budget of 2000000 exceeded",
               10s))
        << game.Log();
    game.Hold("Down");
    const RgbImage turned = game.WaitForImage(
        [](const RgbImage& p_Image)
        {
            const std::vector<Cell> snake = CellsShowing(p_Image, SmallBoard(p_Image), IsSnakeGreen);
            return std::any_of(snake.begin(), snake.end(),
                               [](const Cell& p_Cell) { return p_Cell.row >= 2; });
        },
        10s);
    EXPECT_TRUE(turned.Valid()) << "the snake did not follow the player's key";
    EXPECT_TRUE(game.IsRunning());

    ExpectOrderlyEnd(game, game.Terminate());
}

TEST_F(BotEndToEnd, AttractModePlaysBehindTheStartMenuAndStartBeginsAFreshRound)
{
    TempFolder folder;
    std::string config = ConfigWith("0", "10");
    ReplaceLine(config, "set g_attract \"0\"", "set g_attract \"1\"");
    WriteWholeFile(folder.File("gamedata.cfg"), config);
    GameSession game(folder, VORL_EXECUTABLE);
    ASSERT_TRUE(game.Open()) << game.Log();

    // The snake moves and grows behind the start menu, and the HUD says who plays it.
    const RgbImage grown = game.WaitForImage(
        [](const RgbImage& p_Image)
        {
            return IsStartPanelShown(p_Image) &&
                   CellsShowing(p_Image, SmallBoard(p_Image), IsSnakeGreen).size() >= 3;
        },
        60s);
    ASSERT_TRUE(grown.Valid()) << "the board behind the start menu did not play";
    EXPECT_EQ(TextLines(grown, HudArea(grown)).size(), 3u);

    // Start: the player's own round from the first cell, which at this speed runs into the right
    // border at once. The demo does not come back behind the game-over panel.
    game.Key("s");
    const auto endedInRowOne = [](const RgbImage& p_Image)
    {
        const std::vector<Cell> snake = CellsShowing(p_Image, SmallBoard(p_Image), IsSnakeGreen);
        return IsStartPanelShown(p_Image) && !snake.empty() && snake.size() <= 2 &&
               AllSegmentsInRow(p_Image, 1);
    };
    const RgbImage over = game.WaitForImage(endedInRowOne, 20s);
    ASSERT_TRUE(over.Valid()) << "no fresh round ran into the border";
    EXPECT_EQ(TextLines(over, HudArea(over)).size(), 2u);
    std::this_thread::sleep_for(1s);
    const RgbImage later = game.Capture();
    ASSERT_TRUE(later.Valid());
    EXPECT_EQ(CellsShowing(later, SmallBoard(later), IsSnakeGreen),
              CellsShowing(over, SmallBoard(over), IsSnakeGreen));

    ExpectOrderlyEnd(game, game.Terminate());
}
