#include "Game/AppEntry.h"
#include "Game/Bots/SimulateCommand.h"
#include "Game/CommandLine.h"
#include "Game/LaunchOptions.h"
#include "Lib/Platform/Terminal.h"
#include "Lib/Platform/TerminationSignals.h"
#include "Lib/Platform/WorkingFolder.h"

#include <iostream>
#include <string>
#include <vector>

// POSIX keeps only the low 8 bits of the returned code (6000 -> 112, 5000 -> 136, 6010 -> 122);
// the full code is the last line of gamelog.txt.
int main(int argc, char** argv)
{
    const std::vector<std::string> rawArguments(argv + (argc > 0 ? 1 : 0), argv + argc);
    const Snake::LaunchOptions options = Snake::ParseLaunchOptions(rawArguments);
    switch (options.action)
    {
    case Snake::LaunchAction::Help:
        Snake::PrintUsage(std::cout);
        return 0;
    case Snake::LaunchAction::Version:
        Snake::PrintVersion(std::cout);
        return 0;
    case Snake::LaunchAction::UsageError:
        std::cerr << "vorl: " << options.error << "\n";
        Snake::PrintUsageHint(std::cerr);
        return Snake::k_ExitUsage;
    case Snake::LaunchAction::Play:
    case Snake::LaunchAction::Simulate:
        break;
    }

    // Every file the game touches is named relative to the working folder, so choosing the data
    // folder is entering it, before the log file or anything else is opened. A restart started
    // from the console inherits it.
    std::string error;
    if (!options.dataFolder.empty() && !Lib::EnterWorkingFolder(options.dataFolder, error))
    {
        std::cerr << "vorl: cannot use the data folder \"" << options.dataFolder << "\": " << error << "\n";
        return Snake::k_ExitDataFolder;
    }

    // Rounds on the rules alone need no window, no engine start and no log file.
    if (options.action == Snake::LaunchAction::Simulate)
    {
        // Ctrl+C or a kill ends the run between rounds, or cuts a bot's wait short, and the
        // results so far are printed.
        Lib::CatchTerminationSignals();
        Snake::SimulateEnvironment environment;
        environment.errIsTerminal = Lib::StandardErrorIsTerminal();
        return Snake::RunSimulateCommand(options.simulateArguments, std::cout, std::cerr, environment);
    }
    int result = 0;
    {
        const Lib::DynamicArray<Lib::String> arguments = Snake::BuildArgumentList(options.gameArguments);
        result = static_cast<int>(Snake::AppEntry(arguments));
    }
    return result;
}
