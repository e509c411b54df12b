#pragma once
// vorl --simulate [--bot NAME] [--grid N|all] [--games N] [--seed N] [--wait MS]: bot rounds on the rules
// alone, one key=value line per grid and a total line on standard output.
#include "Game/Bots/LuaBot.h"
#include "Game/Bots/Simulation.h"
#include "Game/Bots/SimulationProgress.h"

#include <chrono>
#include <functional>
#include <iosfwd>
#include <string>
#include <vector>

namespace Snake
{
inline constexpr int k_SimulateUsageStatus = 2;

// True when the program's arguments ask for a simulation instead of the window game.
bool IsSimulateCommand(const std::vector<std::string>& p_Arguments);

struct SimulateRequest
{
    std::string bot = "autopilot";
    std::chrono::milliseconds answerTime = k_DefaultBotAnswerTime;
    SimulationOptions options;
};

// Reads the arguments (without the program's name). False with the reason in p_Error when one
// is unknown, lacks its value or has a value out of range. Whether the bot loads is not asked.
bool ParseSimulateArguments(const std::vector<std::string>& p_Arguments, SimulateRequest& p_Request,
                            std::string& p_Error);

// What the command reads from the process around it; a test gives its own.
struct SimulateEnvironment
{
    // The termination signal that arrived, 0 while none has (Lib::TerminationSignal when empty).
    std::function<int()> terminationSignal;
    bool errIsTerminal = false; // the progress is a bar redrawn in place rather than lines
    SimulationProgress::Clock clock;
};

// Runs the whole command and returns the process's exit status: 0 once the rounds are played,
// whatever the bot made of them; 2 for bad arguments (the reason and the usage text on p_Err) and
// for a bot that cannot be made (one line); 128 + the signal's number when a termination signal
// ended the run, after the results so far.
int RunSimulateCommand(const std::vector<std::string>& p_Arguments, std::ostream& p_Out, std::ostream& p_Err,
                       const SimulateEnvironment& p_Environment = {});
} // namespace Snake
