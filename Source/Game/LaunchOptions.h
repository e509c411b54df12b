#pragma once
// What the program's own arguments ask for, read before anything else starts: help, version, a
// data folder, a simulation, or the game with the arguments it has always taken.
#include <iosfwd>
#include <string>
#include <vector>

namespace Snake
{
// Exit statuses of the command line; the game itself ends with the engine's result.
inline constexpr int k_ExitUsage = 2;
// sysexits' "cannot create output file": the data folder cannot be made or written.
inline constexpr int k_ExitDataFolder = 73;

enum class LaunchAction
{
    Play,
    Help,
    Version,
    Simulate,
    UsageError,
};

struct LaunchOptions
{
    LaunchAction action = LaunchAction::Play;
    std::string dataFolder;                 // empty: the folder the program was started in
    std::vector<std::string> gameArguments; // for the game, as it always got them
    std::vector<std::string> simulateArguments;
    std::string error; // one line, for UsageError
};

// Reads the arguments (without the program's name) in order. "--help" and "--version" answer at
// once, whatever else is wrong on the line; "--data-dir DIR" (or "--data-dir=DIR") may come
// anywhere before "-restart". A DIR that starts with "-" is taken for the next option, so
// "--data-dir" before it lacks its value (the "=" form takes any name). Everything from
// "-restart" on is passed to the game uninterpreted, as a restarted instance gets it. With
// "--simulate" anywhere, every other argument belongs to the simulation.
LaunchOptions ParseLaunchOptions(const std::vector<std::string>& p_Arguments);

void PrintUsage(std::ostream& p_Out);
void PrintVersion(std::ostream& p_Out);
// The line that follows a usage error.
void PrintUsageHint(std::ostream& p_Err);
} // namespace Snake
