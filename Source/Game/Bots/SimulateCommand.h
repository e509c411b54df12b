#pragma once
// vorl --simulate [--bot NAME] [--grid N|all] [--games N] [--seed N] [--wait MS]: bot rounds on the rules
// alone, one key=value line per grid and a total line on standard output.
#include "Game/Bots/LuaBot.h"
#include "Game/Bots/Simulation.h"

#include <chrono>

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
// is unknown, lacks its value or has a value out of range.
bool ParseSimulateArguments(const std::vector<std::string>& p_Arguments, SimulateRequest& p_Request,
                            std::string& p_Error);

// Runs the whole command and returns the process's exit status: 0 once the rounds are played,
// whatever the bot made of them; 2, with the reason and the usage text on p_Err, for bad arguments.
int RunSimulateCommand(const std::vector<std::string>& p_Arguments, std::ostream& p_Out, std::ostream& p_Err);
} // namespace Snake
