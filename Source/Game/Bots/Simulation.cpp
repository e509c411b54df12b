#include "Game/Bots/Simulation.h"

#include "Game/Board.h"
#include "Game/Bots/BotSteering.h"
#include "Game/Bots/SimulationProgress.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ostream>
#include <set>
#include <string>

namespace Snake
{
GameResult PlayGame(Board& p_Board, IBot& p_Bot, uint64_t p_StallSteps,
                    const std::function<bool()>& p_BeforeStep)
{
    GameResult result;
    uint64_t sinceCatch = 0;
    for (;;)
    {
        if (p_BeforeStep && !p_BeforeStep())
            break;
        const auto before = std::chrono::steady_clock::now();
        const BotDecision decision = SteerByBot(p_Board, p_Bot);
        const double micros =
            std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - before).count();
        result.decisionMicroseconds += micros;
        result.maxDecisionMicroseconds = std::max(result.maxDecisionMicroseconds, micros);
        if (decision.stopped)
        {
            result.stopped = true;
            break;
        }
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

void PrintSummary(std::ostream& p_Out, const std::string& p_Name, const GridSummary& p_Summary,
                  bool p_Partial = false)
{
    const double games = p_Summary.games > 0 ? p_Summary.games : 1.0;
    const double decisions = p_Summary.decisions > 0 ? static_cast<double>(p_Summary.decisions) : 1.0;
    p_Out << p_Name << " games=" << p_Summary.games << " wins=" << p_Summary.wins
          << " stopped=" << p_Summary.stopped << " stalled=" << p_Summary.stalled
          << " avg_points=" << Figure(p_Summary.totalPoints / games)
          << " avg_steps=" << Figure(p_Summary.totalSteps / games)
          << " avg_decision_us=" << Figure(p_Summary.totalDecisionUs / decisions)
          << " max_decision_us=" << static_cast<uint64_t>(p_Summary.maxDecisionUs + 0.5)
          << (p_Partial ? " partial" : "") << "\n";
}

void Add(GridSummary& p_Total, const GridSummary& p_Part)
{
    p_Total.games += p_Part.games;
    p_Total.wins += p_Part.wins;
    p_Total.stopped += p_Part.stopped;
    p_Total.stalled += p_Part.stalled;
    p_Total.totalPoints += p_Part.totalPoints;
    p_Total.totalSteps += p_Part.totalSteps;
    p_Total.totalDecisionUs += p_Part.totalDecisionUs;
    p_Total.maxDecisionUs = std::max(p_Total.maxDecisionUs, p_Part.maxDecisionUs);
    p_Total.decisions += p_Part.decisions;
}

void Count(GridSummary& p_Summary, const GameResult& p_Result)
{
    ++p_Summary.games;
    p_Summary.wins += p_Result.won ? 1 : 0;
    p_Summary.stopped += p_Result.stopped ? 1 : 0;
    p_Summary.stalled += p_Result.stalled ? 1 : 0;
    p_Summary.totalPoints += p_Result.points;
    p_Summary.totalSteps += static_cast<double>(p_Result.steps);
    p_Summary.totalDecisionUs += p_Result.decisionMicroseconds;
    p_Summary.maxDecisionUs = std::max(p_Summary.maxDecisionUs, p_Result.maxDecisionMicroseconds);
    p_Summary.decisions += p_Result.steps + (p_Result.stopped ? 1 : 0);
}

std::string GridName(const GridSize& p_Grid)
{
    return std::to_string(p_Grid.columns) + "x" + std::to_string(p_Grid.rows);
}
} // namespace

SimulationReport RunSimulation(const SimulationOptions& p_Options, const BotFactory& p_MakeBot,
                               std::ostream& p_Out, std::ostream& p_Notes, const SimulationHooks& p_Hooks)
{
    const auto stopAsked = [&] { return p_Hooks.stop && p_Hooks.stop(); };
    const auto beforeWriting = [&]
    {
        if (p_Hooks.progress)
            p_Hooks.progress->Clear();
    };
    SimulationReport report;
    GridSummary total;
    // A bot that breaks the same way in every round would bury the lines under copies of one
    // reason; the first round that shows a reason names it, the stopped= counts say how often.
    std::set<std::string> reasonsShown;
    uint64_t gamesDone = 0;
    uint32_t gridsBegun = 0;
    for (const uint32_t mode : p_Options.gridModes)
    {
        GridSummary summary;
        summary.grid = GridModeSize(mode);
        const std::string name = GridName(summary.grid);
        const uint64_t cells =
            static_cast<uint64_t>(summary.grid.columns) * static_cast<uint64_t>(summary.grid.rows);
        for (uint32_t game = 0; game < p_Options.games && !report.partial; ++game)
        {
            if (stopAsked())
            {
                report.partial = true;
                break;
            }
            std::seed_seq seed{static_cast<uint32_t>(p_Options.seed),
                               static_cast<uint32_t>(p_Options.seed >> 32), mode, game};
            SeededRandom random(seed);
            Board board(random);
            board.SetGrid(summary.grid);
            board.Restart();
            const std::unique_ptr<IBot> bot = p_MakeBot();
            // A slow bot may take seconds for one round: the progress moves and a signal is
            // noticed between its steps too.
            const GameResult result = PlayGame(board, *bot, 4 * cells,
                                               [&]
                                               {
                                                   if (p_Hooks.progress)
                                                       p_Hooks.progress->Show(gamesDone, name);
                                                   return !stopAsked();
                                               });
            if (stopAsked())
            {
                report.partial = true;
                break;
            }
            const std::string& note = bot->GetNote();
            if (!note.empty() && reasonsShown.insert(note).second)
            {
                beforeWriting();
                p_Notes << "grid=" << name << " game=" << game << ": " << note << "\n" << std::flush;
            }
            Count(summary, result);
            ++gamesDone;
            if (p_Hooks.progress)
                p_Hooks.progress->Show(gamesDone, name);
        }
        if (summary.games > 0)
            ++gridsBegun;
        Add(total, summary);
        if (report.partial)
            break;
        beforeWriting();
        PrintSummary(p_Out, "grid=" + name, summary);
        p_Out << std::flush;
        report.grids.push_back(summary);
    }
    beforeWriting();
    PrintSummary(p_Out,
                 "total grids=" + std::to_string(report.partial ? gridsBegun : p_Options.gridModes.size()),
                 total, report.partial);
    p_Out << std::flush;
    return report;
}
} // namespace Snake
