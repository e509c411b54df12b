#include "Game/Bots/Simulation.h"

#include "Game/Board.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ostream>
#include <string>

namespace Snake
{
GameResult PlayGame(Board& p_Board, IBot& p_Bot, uint64_t p_StallSteps)
{
    GameResult result;
    uint64_t sinceCatch = 0;
    for (;;)
    {
        const auto before = std::chrono::steady_clock::now();
        const BotDecision decision = p_Bot.Decide(p_Board);
        const double micros =
            std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - before).count();
        result.decisionMicroseconds += micros;
        result.maxDecisionMicroseconds = std::max(result.maxDecisionMicroseconds, micros);
        if (decision.stopped)
        {
            result.stopped = true;
            break;
        }
        // A refused turn counts like a refused key: the snake goes on as it went.
        if (decision.turn)
            p_Board.Turn(decision.direction);
        const StepResult step = p_Board.Step();
        ++result.steps;
        if (step == StepResult::Won)
        {
            result.won = true;
            break;
        }
        if (step == StepResult::Lost)
            break;
        sinceCatch = step == StepResult::Grew ? 0 : sinceCatch + 1;
        if (sinceCatch > p_StallSteps)
        {
            result.stalled = true;
            break;
        }
    }
    result.points = p_Board.GetPoints();
    return result;
}

namespace
{
std::string Figure(double p_Value)
{
    char text[64];
    std::snprintf(text, sizeof text, "%.1f", p_Value);
    return text;
}

void PrintSummary(std::ostream& p_Out, const std::string& p_Name, const GridSummary& p_Summary)
{
    const double games = p_Summary.games > 0 ? p_Summary.games : 1.0;
    const double decisions = p_Summary.decisions > 0 ? static_cast<double>(p_Summary.decisions) : 1.0;
    p_Out << p_Name << " games=" << p_Summary.games << " wins=" << p_Summary.wins
          << " stopped=" << p_Summary.stopped << " stalled=" << p_Summary.stalled
          << " avg_points=" << Figure(p_Summary.totalPoints / games)
          << " avg_steps=" << Figure(p_Summary.totalSteps / games)
          << " avg_decision_us=" << Figure(p_Summary.totalDecisionUs / decisions)
          << " max_decision_us=" << static_cast<uint64_t>(p_Summary.maxDecisionUs + 0.5) << "\n";
}
} // namespace

std::vector<GridSummary> RunSimulation(const SimulationOptions& p_Options, const BotFactory& p_MakeBot,
                                       std::ostream& p_Out, std::ostream& p_Notes)
{
    std::vector<GridSummary> summaries;
    GridSummary total;
    for (const uint32_t mode : p_Options.gridModes)
    {
        GridSummary summary;
        summary.grid = GridModeSize(mode);
        const uint64_t cells =
            static_cast<uint64_t>(summary.grid.columns) * static_cast<uint64_t>(summary.grid.rows);
        for (uint32_t game = 0; game < p_Options.games; ++game)
        {
            std::seed_seq seed{static_cast<uint32_t>(p_Options.seed),
                               static_cast<uint32_t>(p_Options.seed >> 32), mode, game};
            SeededRandom random(seed);
            Board board(random);
            board.SetGrid(summary.grid);
            board.Restart();
            const std::unique_ptr<IBot> bot = p_MakeBot();
            const GameResult result = PlayGame(board, *bot, 4 * cells);
            if (!bot->GetNote().empty())
                p_Notes << "grid=" << summary.grid.columns << "x" << summary.grid.rows << " game=" << game
                        << ": " << bot->GetNote() << "\n";
            ++summary.games;
            summary.wins += result.won ? 1 : 0;
            summary.stopped += result.stopped ? 1 : 0;
            summary.stalled += result.stalled ? 1 : 0;
            summary.totalPoints += result.points;
            summary.totalSteps += static_cast<double>(result.steps);
            summary.totalDecisionUs += result.decisionMicroseconds;
            summary.maxDecisionUs = std::max(summary.maxDecisionUs, result.maxDecisionMicroseconds);
            summary.decisions += result.steps + (result.stopped ? 1 : 0);
        }
        PrintSummary(p_Out,
                     "grid=" + std::to_string(summary.grid.columns) + "x" + std::to_string(summary.grid.rows),
                     summary);
        total.games += summary.games;
        total.wins += summary.wins;
        total.stopped += summary.stopped;
        total.stalled += summary.stalled;
        total.totalPoints += summary.totalPoints;
        total.totalSteps += summary.totalSteps;
        total.totalDecisionUs += summary.totalDecisionUs;
        total.maxDecisionUs = std::max(total.maxDecisionUs, summary.maxDecisionUs);
        total.decisions += summary.decisions;
        summaries.push_back(summary);
    }
    PrintSummary(p_Out, "total grids=" + std::to_string(p_Options.gridModes.size()), total);
    return summaries;
}
} // namespace Snake
