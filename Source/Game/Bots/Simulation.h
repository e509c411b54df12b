#pragma once
// Rounds played by a bot on the board rules alone: no window, no drawing, no sound. The board is
// the one the window game plays on, started the way a round starts there.
#include "Game/Bots/IBot.h"
#include "Game/IRandomSource.h"

#include <cstdint>
#include <functional>
#include <iosfwd>
#include <memory>
#include <random>
#include <vector>

namespace Snake
{
// A fixed generator for the item's cells, so that a seed gives the same rounds everywhere.
class SeededRandom : public IRandomSource
{
public:
    explicit SeededRandom(std::seed_seq& p_Seed) : m_Engine(p_Seed) {}
    uint32_t Next() override { return static_cast<uint32_t>(m_Engine()); }

private:
    std::mt19937 m_Engine;
};

struct GameResult
{
    bool won = false;
    bool stopped = false; // the bot broke down and lost
    bool stalled = false; // no catch for too long: the round is given up as lost
    uint32_t points = 0;
    uint64_t steps = 0;
    double decisionMicroseconds = 0.0; // all of the round's decisions together
    double maxDecisionMicroseconds = 0.0;
};

// Plays one round from the start position until it is won or lost. A round with no catch in
// p_StallSteps steps is stopped as stalled. p_BeforeStep, when given, is asked before every
// decision; false leaves the round where it is (its result then means nothing).
GameResult PlayGame(Board& p_Board, IBot& p_Bot, uint64_t p_StallSteps,
                    const std::function<bool()>& p_BeforeStep = {});

struct SimulationOptions
{
    std::vector<uint32_t> gridModes; // indices into the grid mode table
    uint32_t games = 20;
    uint64_t seed = 1;
};

struct GridSummary
{
    GridSize grid;
    uint32_t games = 0, wins = 0, stopped = 0, stalled = 0;
    double totalPoints = 0.0, totalSteps = 0.0, totalDecisionUs = 0.0, maxDecisionUs = 0.0;
    uint64_t decisions = 0;
};

using BotFactory = std::function<std::unique_ptr<IBot>()>;

class SimulationProgress;

struct SimulationHooks
{
    // Asked before each round and after it: true ends the run early, and the round it cut short
    // counts for nothing (a bot stopped because the program is ending did not lose).
    std::function<bool()> stop;
    SimulationProgress* progress = nullptr;
};

struct SimulationReport
{
    std::vector<GridSummary> grids; // the grids played to the end
    bool partial = false;
};

// Plays p_Options.games rounds on each grid, each with a fresh bot from p_MakeBot, and prints
// one key=value line per grid as it ends and a total line to p_Out. What a bot did wrong goes to
// p_Notes at once, the first time for each reason. A run that p_Hooks.stop ends prints the grids
// finished and a total of every finished round, marked "partial".
SimulationReport RunSimulation(const SimulationOptions& p_Options, const BotFactory& p_MakeBot,
                               std::ostream& p_Out, std::ostream& p_Notes,
                               const SimulationHooks& p_Hooks = {});
} // namespace Snake
