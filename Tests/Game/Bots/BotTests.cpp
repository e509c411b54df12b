#include "Game/Bots/AutopilotBot.h"
#include "Game/Bots/HamiltonianCycle.h"
#include "Game/Bots/LuaBot.h"
#include "Game/Bots/Simulation.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <regex>
#include <set>
#include <sstream>

namespace
{
using namespace Snake;

TEST(HamiltonianCycleTest, VisitsEveryCellOnceInNeighbourStepsOnEveryGridMode)
{
    for (uint32_t mode = 0; mode < k_GridModeCount; ++mode)
    {
        const GridSize grid = GridModeSize(mode);
        const HamiltonianCycle cycle(grid);
        ASSERT_TRUE(cycle.IsValid()) << mode;
        ASSERT_EQ(cycle.GetCount(), static_cast<uint32_t>(grid.columns * grid.rows));
        std::set<std::pair<int32_t, int32_t>> seen;
        for (uint32_t i = 0; i < cycle.GetCount(); ++i)
        {
            const Cell cell = cycle.CellAt(i);
            const Cell next = cycle.CellAt(i + 1); // the last one closes the loop
            ASSERT_TRUE(cell.column >= 0 && cell.column < grid.columns && cell.row >= 0 &&
                        cell.row < grid.rows);
            EXPECT_EQ(std::abs(cell.column - next.column) + std::abs(cell.row - next.row), 1)
                << grid.columns << "x" << grid.rows << " at " << i;
            EXPECT_EQ(cycle.IndexOf(cell), i);
            seen.insert({cell.column, cell.row});
        }
        EXPECT_EQ(seen.size(), cycle.GetCount());
    }
    EXPECT_FALSE(HamiltonianCycle(GridSize{5, 5}).IsValid());
}

// A fixed stream of cells, so that every run plays the same round.
class CountingRandom : public IRandomSource
{
public:
    uint32_t Next() override { return m_Random.Next(); }

private:
    std::seed_seq m_Seed{3u, 1u, 4u};
    SeededRandom m_Random{m_Seed};
};

TEST(AutopilotTest, ShortcutsWinInFewerStepsThanThePlainCycle)
{
    uint64_t steps[2] = {};
    for (int shortcuts = 0; shortcuts < 2; ++shortcuts)
    {
        CountingRandom random;
        Board board(random);
        board.SetGrid(GridModeSize(9)); // 12 x 12
        board.Restart();
        AutopilotBot bot(shortcuts == 1);
        const GameResult result = PlayGame(board, bot, 10000);
        EXPECT_TRUE(result.won) << "shortcuts " << shortcuts << " lost with " << result.points;
        steps[shortcuts] = result.steps;
    }
    EXPECT_LT(steps[1], steps[0]);
}

Board MakeBoard(IRandomSource& p_Random, uint32_t p_Mode)
{
    Board board(p_Random);
    board.SetGrid(GridModeSize(p_Mode));
    board.Restart();
    return board;
}

TEST(LuaBotTest, SeesTheBoardAndSteersIt)
{
    LuaBot bot;
    ASSERT_TRUE(bot.LoadText("function decide(board)\n"
                             "  assert(board.columns == 6 and board.rows == 6 and board.target == 36)\n"
                             "  assert(board.points == 1 and #board.snake == 1 and board.snake[1].x == 1)\n"
                             "  assert(board.item.x >= 0 and board.item.y < 6)\n"
                             "  seen = (seen or 0) + 1\n"
                             "  assert(board.snake[1].y == seen, 'row ' .. board.snake[1].y)\n"
                             "  assert(board.direction == (seen == 1 and 'right' or 'down'))\n"
                             "  return 'down'\n"
                             "end\n",
                             "down.lua"))
        << bot.GetNote();
    CountingRandom random;
    Board board = MakeBoard(random, 0);
    board.SetItem(Cell{4, 4}); // off the way down column 1
    const GameResult result = PlayGame(board, bot, 100);
    EXPECT_TRUE(bot.GetNote().empty()) << bot.GetNote();
    EXPECT_FALSE(result.stopped);
    EXPECT_FALSE(result.won);
    // Rows 2 to 5, then the bottom edge.
    EXPECT_EQ(result.steps, 5u);
    EXPECT_EQ(board.GetHead().cell, (Cell{1, 5}));
}

struct BadBotCase
{
    const char* name;
    const char* script;
    bool stopped;     // false: the answers are ignored and the snake runs on to the wall
    const char* note; // the start of the one line that tells what happened
};

class BadBotTest : public testing::TestWithParam<BadBotCase>
{
};

TEST_P(BadBotTest, LosesOrIsIgnoredAndTheBoardIsUnharmed)
{
    LuaBot bot;
    bot.LoadText(GetParam().script, "Scripts/bad.lua");
    CountingRandom random;
    Board board = MakeBoard(random, 0);
    const GameResult result = PlayGame(board, bot, 100);
    EXPECT_EQ(result.stopped, GetParam().stopped);
    EXPECT_FALSE(result.won);
    EXPECT_EQ(bot.GetNote().rfind(GetParam().note, 0), 0u) << bot.GetNote();
    EXPECT_EQ(bot.GetNote().find('\n'), std::string::npos);
    if (!GetParam().stopped)
    {
        EXPECT_EQ(board.GetHead().cell, (Cell{5, 1})); // kept going right into the wall
    }
    // The board still plays a round by the rules after the bot is gone.
    board.Restart();
    AutopilotBot autopilot;
    EXPECT_TRUE(PlayGame(board, autopilot, 1000).won);
}

INSTANTIATE_TEST_SUITE_P(
    Bots, BadBotTest,
    testing::Values(BadBotCase{"ReturnsGarbage", "function decide(board) return {1, 2} end", false,
                               "Scripts/bad.lua: decide returned something other than"},
                    BadBotCase{"ReturnsAnUnknownWord", "function decide(board) return 'north' end", false,
                               "Scripts/bad.lua: decide returned something other than"},
                    BadBotCase{"ErrorsEveryCall", "function decide(board)\n  error('no idea')\nend", true,
                               "Scripts/bad.lua:2: no idea"},
                    BadBotCase{"LoopsForEver", "function decide(board)\n  repeat until false\nend", true,
                               "Scripts/bad.lua:2: stopped: instruction budget"},
                    BadBotCase{"HasNoDecide", "function decid(board) end", true,
                               "Scripts/bad.lua: defines no function decide"},
                    BadBotCase{"DoesNotCompile", "function decide(board)\n  return +\nend", true,
                               "Scripts/bad.lua:2: unexpected symbol"}),
    [](const testing::TestParamInfo<BadBotCase>& p_Info) { return std::string(p_Info.param.name); });

TEST(SimulationTest, AStoppedBotLosesEachRoundAndTheLineCountsIt)
{
    SimulationOptions options;
    options.gridModes = {0, 3};
    options.games = 3;
    std::ostringstream out, notes;
    RunSimulation(
        options,
        []()
        {
            auto bot = std::make_unique<LuaBot>();
            bot->LoadText("function decide(board)\n  return nil + 1\nend\n", "Scripts/broken.lua");
            return bot;
        },
        out, notes);
    EXPECT_NE(out.str().find("grid=6x6 games=3 wins=0 stopped=3 "), std::string::npos) << out.str();
    EXPECT_NE(out.str().find("grid=8x8 games=3 wins=0 stopped=3 "), std::string::npos) << out.str();
    EXPECT_NE(out.str().find("total grids=2 games=6 wins=0 stopped=6 "), std::string::npos) << out.str();
    // Six rounds stopped for one reason: named once, by the first of them.
    EXPECT_EQ(notes.str(),
              "grid=6x6 game=0: Scripts/broken.lua:2: attempt to perform arithmetic on a nil value\n");
}

// Loses at once with the note it was made with.
class NotedBot : public IBot
{
public:
    explicit NotedBot(std::string p_Note) : m_Note(std::move(p_Note)) {}
    BotDecision Decide(const Board&) override { return BotDecision{true, false, k_DirectionRight}; }
    const std::string& GetNote() const override { return m_Note; }

private:
    std::string m_Note;
};

TEST(SimulationTest, EachReasonIsReportedAtItsFirstRoundBeforeTheNextIsPlayed)
{
    SimulationOptions options;
    options.gridModes = {0};
    options.games = 5;
    std::ostringstream out, notes;
    int made = 0;
    std::string notesWhenSecondMade;
    RunSimulation(
        options,
        [&]() -> std::unique_ptr<IBot>
        {
            if (++made == 2)
                notesWhenSecondMade = notes.str();
            return std::make_unique<NotedBot>(made == 3 || made == 5 ? "other reason" : "first reason");
        },
        out, notes);
    EXPECT_EQ(notesWhenSecondMade, "grid=6x6 game=0: first reason\n");
    EXPECT_EQ(notes.str(), "grid=6x6 game=0: first reason\ngrid=6x6 game=2: other reason\n");
    EXPECT_EQ(out.str().rfind("grid=6x6 games=5 wins=0 stopped=5 ", 0), 0u) << out.str();
}

struct StopCase
{
    const char* name;
    int stopAfterBots;  // the run is told to stop once this many bots were made
    const char* output; // the lines, without the figures after stalled=
};

class SimulationStopTest : public testing::TestWithParam<StopCase>
{
};

// The round a stop cuts short counts for nothing; the grids finished keep their lines and the
// total counts every finished round.
TEST_P(SimulationStopTest, PrintsTheGridsFinishedAndAPartialTotal)
{
    SimulationOptions options;
    options.gridModes = {0, 1, 2};
    options.games = 3;
    std::ostringstream out, notes;
    int made = 0;
    SimulationHooks hooks;
    hooks.stop = [&] { return made >= GetParam().stopAfterBots; };
    const SimulationReport report = RunSimulation(
        options,
        [&]
        {
            ++made;
            return std::make_unique<AutopilotBot>();
        },
        out, notes, hooks);
    EXPECT_TRUE(report.partial);
    const std::string lines = std::regex_replace(out.str(),
                                                 std::regex(" avg_points=[0-9.]+ avg_steps=[0-9.]+ "
                                                            "avg_decision_us=[0-9.]+ max_decision_us=[0-9]+"),
                                                 "");
    EXPECT_EQ(lines, GetParam().output);
    EXPECT_TRUE(notes.str().empty()) << notes.str();
}

INSTANTIATE_TEST_SUITE_P(
    Simulation, SimulationStopTest,
    testing::Values(
        StopCase{"BeforeTheFirstRound", 0, "total grids=0 games=0 wins=0 stopped=0 stalled=0 partial\n"},
        StopCase{"InTheFirstGrid", 2, "total grids=1 games=1 wins=1 stopped=0 stalled=0 partial\n"},
        StopCase{"InTheSecondGrid", 5,
                 "grid=6x6 games=3 wins=3 stopped=0 stalled=0\n"
                 "total grids=2 games=4 wins=4 stopped=0 stalled=0 partial\n"},
        StopCase{"AtTheLastRound", 9,
                 "grid=6x6 games=3 wins=3 stopped=0 stalled=0\n"
                 "grid=10x6 games=3 wins=3 stopped=0 stalled=0\n"
                 "total grids=3 games=8 wins=8 stopped=0 stalled=0 partial\n"}),
    [](const testing::TestParamInfo<StopCase>& p_Info) { return std::string(p_Info.param.name); });
} // namespace
