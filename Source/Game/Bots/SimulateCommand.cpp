#include "Game/Bots/SimulateCommand.h"

#include "Game/Bots/BotCatalog.h"
#include "Game/GridModes.h"
#include "Lib/Platform/TerminationSignals.h"

#include <charconv>
#include <ostream>
#include <utility>

namespace Snake
{
namespace
{
constexpr const char* k_SimulateFlag = "--simulate";
constexpr uint32_t k_MaximumGames = 1'000'000;

bool ReadNumber(const std::string& p_Text, uint64_t p_Maximum, uint64_t& p_Value)
{
    const char* end = p_Text.data() + p_Text.size();
    const auto [position, error] = std::from_chars(p_Text.data(), end, p_Value);
    return !p_Text.empty() && error == std::errc() && position == end && p_Value <= p_Maximum;
}

// Stands in for a bot that could not be made: it loses at once and says why.
class BrokenBot : public IBot
{
public:
    explicit BrokenBot(std::string p_Reason) : m_Note(std::move(p_Reason)) {}
    BotDecision Decide(const Board&) override { return BotDecision{true, false, k_DirectionRight}; }
    const std::string& GetNote() const override { return m_Note; }

private:
    std::string m_Note;
};

void PrintUsage(std::ostream& p_Err)
{
    p_Err << "usage: vorl --simulate [--bot NAME] [--grid N|all] [--games N] [--seed N] [--wait MS]\n"
             "  --bot NAME    the bot that plays (default autopilot); compiled in:";
    for (const std::string& name : CompiledInBotNames())
        p_Err << " " << name;
    p_Err << "; or a script \"" << k_BotScriptFolder
          << "/NAME.lua\"\n"
             "  --grid N|all  grid mode 0 to "
          << k_GridModeCount - 1
          << " as in the options, or all of them (default all)\n"
             "  --games N     rounds per grid, 1 to "
          << k_MaximumGames
          << " (default 20)\n"
             "  --seed N      where the item's cells come from; the same seed plays the same rounds (default "
             "1)\n"
             "  --wait MS     how long a script bot may think per step before it is stopped, "
          << k_ShortestBotAnswerTime.count() << " to " << k_LongestBotAnswerTime.count() << " (default "
          << k_DefaultBotAnswerTime.count() << ")\n";
}
} // namespace

bool IsSimulateCommand(const std::vector<std::string>& p_Arguments)
{
    for (const std::string& argument : p_Arguments)
        if (argument == k_SimulateFlag)
            return true;
    return false;
}

bool ParseSimulateArguments(const std::vector<std::string>& p_Arguments, SimulateRequest& p_Request,
                            std::string& p_Error)
{
    p_Request = SimulateRequest{};
    bool allGrids = true;
    for (size_t i = 0; i < p_Arguments.size(); ++i)
    {
        const std::string& option = p_Arguments[i];
        if (option == k_SimulateFlag)
            continue;
        if (option != "--bot" && option != "--grid" && option != "--games" && option != "--seed" &&
            option != "--wait")
        {
            p_Error = "unknown argument '" + option + "'";
            return false;
        }
        if (i + 1 >= p_Arguments.size())
        {
            p_Error = option + " needs a value";
            return false;
        }
        const std::string& value = p_Arguments[++i];
        uint64_t number = 0;
        if (option == "--bot")
            p_Request.bot = value;
        else if (option == "--wait")
        {
            if (!ParseBotAnswerTime(value, p_Request.answerTime))
            {
                p_Error = "--wait takes a number of milliseconds from " +
                          std::to_string(k_ShortestBotAnswerTime.count()) + " to " +
                          std::to_string(k_LongestBotAnswerTime.count()) + ", not '" + value + "'";
                return false;
            }
        }
        else if (option == "--grid")
        {
            if (value == "all")
            {
                allGrids = true;
                continue;
            }
            if (!ReadNumber(value, k_GridModeCount - 1, number))
            {
                p_Error = "--grid takes a grid mode from 0 to " + std::to_string(k_GridModeCount - 1) +
                          " or all, not '" + value + "'";
                return false;
            }
            allGrids = false;
            p_Request.options.gridModes = {static_cast<uint32_t>(number)};
        }
        else if (option == "--games")
        {
            if (!ReadNumber(value, k_MaximumGames, number) || number == 0)
            {
                p_Error = "--games takes a number from 1 to " + std::to_string(k_MaximumGames) + ", not '" +
                          value + "'";
                return false;
            }
            p_Request.options.games = static_cast<uint32_t>(number);
        }
        else if (!ReadNumber(value, UINT64_MAX, number))
        {
            p_Error = "--seed takes a whole number from 0, not '" + value + "'";
            return false;
        }
        else
            p_Request.options.seed = number;
    }
    if (allGrids)
    {
        p_Request.options.gridModes.clear();
        for (uint32_t mode = 0; mode < k_GridModeCount; ++mode)
            p_Request.options.gridModes.push_back(mode);
    }
    return true;
}

int RunSimulateCommand(const std::vector<std::string>& p_Arguments, std::ostream& p_Out, std::ostream& p_Err,
                       const SimulateEnvironment& p_Environment)
{
    SimulateRequest request;
    std::string error;
    if (!ParseSimulateArguments(p_Arguments, request, error))
    {
        p_Err << "vorl: " << error << "\n";
        PrintUsage(p_Err);
        return k_SimulateUsageStatus;
    }
    // The bot is tried once before any round, with the wait given: a bad name or a script that
    // does not load is one line, as the arguments themselves were fine.
    if (!CreateBot(request.bot, k_BotScriptFolder, error, request.answerTime))
    {
        p_Err << "vorl: " << error << "\n";
        return k_SimulateUsageStatus;
    }
    // Every round gets a fresh bot; a script that stops loading meanwhile loses its rounds.
    const auto makeBot = [&]() -> std::unique_ptr<IBot>
    {
        std::string reason;
        if (std::unique_ptr<IBot> bot = CreateBot(request.bot, k_BotScriptFolder, reason, request.answerTime))
            return bot;
        return std::make_unique<BrokenBot>(reason);
    };
    const std::function<int()> signal = p_Environment.terminationSignal
                                            ? p_Environment.terminationSignal
                                            : std::function<int()>(&Lib::TerminationSignal);
    SimulationProgress progress(
        p_Err, p_Environment.errIsTerminal,
        static_cast<uint64_t>(request.options.gridModes.size()) * request.options.games, p_Environment.clock);
    SimulationHooks hooks;
    hooks.stop = [&] { return signal() != 0; };
    hooks.progress = &progress;
    if (RunSimulation(request.options, makeBot, p_Out, p_Err, hooks).partial)
        return 128 + signal();
    return 0;
}
} // namespace Snake
