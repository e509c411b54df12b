#include "Game/LaunchOptions.h"

#include "Corvan/EntryPoint/EngineVersion.h"
#include "Game/Bots/SimulateCommand.h"
#include "Game/Menus/BuildInfo.h"

#include <ostream>

namespace Snake
{
namespace
{
constexpr const char* k_DataFolderOption = "--data-dir";
constexpr const char* k_RestartSwitch = "-restart";

LaunchOptions UsageError(std::string p_Error)
{
    LaunchOptions options;
    options.action = LaunchAction::UsageError;
    options.error = std::move(p_Error);
    return options;
}

bool IsLegacySwitch(const std::string& p_Argument)
{
    return p_Argument == "-terminal_output" || p_Argument == "-turn-assert-break-off";
}
} // namespace

LaunchOptions ParseLaunchOptions(const std::vector<std::string>& p_Arguments)
{
    LaunchOptions options;
    std::vector<std::string> rest; // what is not ours: for the simulation, or unknown
    std::string error;             // the first mistake; "--help" and "--version" still win
    for (size_t i = 0; i < p_Arguments.size(); ++i)
    {
        const std::string& argument = p_Arguments[i];
        if (argument == k_RestartSwitch)
        {
            options.gameArguments.insert(options.gameArguments.end(),
                                         p_Arguments.begin() + static_cast<long>(i), p_Arguments.end());
            break;
        }
        if (argument == "--help" || argument == "-h")
        {
            options.action = LaunchAction::Help;
            return options;
        }
        if (argument == "--version")
        {
            options.action = LaunchAction::Version;
            return options;
        }
        const std::string withValue = std::string(k_DataFolderOption) + "=";
        if (argument == k_DataFolderOption || argument.rfind(withValue, 0) == 0)
        {
            const bool separate = argument == k_DataFolderOption;
            // A forgotten value must not make the next option the folder ("--data-dir --simulate"
            // would play in a folder named "--simulate"); such a folder is still reachable as
            // "--data-dir=-x" or "./-x".
            if (separate && (i + 1 >= p_Arguments.size() || p_Arguments[i + 1].starts_with('-')))
            {
                if (error.empty())
                    error = i + 1 >= p_Arguments.size()
                                ? "option '--data-dir' needs a folder"
                                : "option '--data-dir' needs a folder before '" + p_Arguments[i + 1] +
                                      "' (a folder of that name: --data-dir=" + p_Arguments[i + 1] + ")";
                continue;
            }
            const std::string folder = separate ? p_Arguments[++i] : argument.substr(withValue.size());
            if (folder.empty() && error.empty())
                error = "option '--data-dir' needs a folder, not an empty name";
            options.dataFolder = folder;
            continue;
        }
        if (IsLegacySwitch(argument))
            options.gameArguments.push_back(argument);
        else
            rest.push_back(argument);
    }

    if (!error.empty())
        return UsageError(std::move(error));
    if (IsSimulateCommand(rest))
    {
        options.action = LaunchAction::Simulate;
        options.simulateArguments = std::move(rest);
        options.gameArguments.clear();
        return options;
    }
    if (!rest.empty())
    {
        const std::string& first = rest.front();
        return UsageError(first.size() > 1 && first[0] == '-' ? "unknown option '" + first + "'"
                                                              : "unexpected argument '" + first + "'");
    }
    return options;
}

void PrintUsage(std::ostream& p_Out)
{
    p_Out << "Usage: vorl [--data-dir DIR]\n"
             "       vorl [--data-dir DIR] --simulate [--bot NAME] [--grid N|all] [--games N] [--seed N]\n"
             "            [--wait MS]\n"
             "       vorl --help | --version\n"
             "\n"
             "VORL is a game of Snake. It reads and writes its files in its data folder: the folder it\n"
             "is started in, or the one given with --data-dir.\n"
             "\n"
             "Options:\n"
             "  --data-dir DIR   use DIR as the data folder; it is created when missing (a DIR\n"
             "                   that starts with '-' is given as --data-dir=DIR)\n"
             "  --simulate       play rounds with a bot on the rules alone, without a window, and\n"
             "                   print one line per grid and a total line:\n"
             "    --bot NAME     the bot that plays (default autopilot)\n"
             "    --grid N|all   one grid mode as in the options, or all of them (default all)\n"
             "    --games N      rounds per grid (default 20)\n"
             "    --seed N       the same seed plays the same rounds (default 1)\n"
             "    --wait MS      how long a Lua bot may think per step, 10 to 1000 (default 50)\n"
             "  --help           print this help and exit\n"
             "  --version        print the versions of the game and its engine and exit\n"
             "  -terminal_output, -turn-assert-break-off\n"
             "                   accepted and ignored\n"
             "  -restart PID ... used by the game when it restarts itself; what follows is not read\n"
             "\n"
             "Files in the data folder:\n"
             "  gamedata.cfg     the settings, written when the game ends\n"
             "  gamelog.txt      the log of the last runs\n"
             "  Screenshots/     screenshots taken with F11\n"
             "  records.cfg      the best points and fastest wins of each grid size and speed\n"
             "  Scripts/         your own bots, one Lua script each (Scripts/NAME.lua, played with\n"
             "                   the console's 'bot NAME' or --simulate --bot NAME)\n"
             "\n"
             "Exit status:\n"
             "  0                the game ended normally (also after --help and --version)\n"
             "  2                an unknown option or a missing value\n"
             "  73               the data folder cannot be created or written\n"
             "  112, 136         the engine (6000) or the game (5000) failed to start; the last line\n"
             "                   of gamelog.txt has the full code\n"
             "  122              an error ended the main loop (6010)\n"
             "  130, 143         --simulate ended by SIGINT or SIGTERM, after printing the results so far\n";
}

void PrintVersion(std::ostream& p_Out)
{
    p_Out << "VORL " << k_ProductVersion << " (Build " << k_BuildStamp << ", commit " << k_BuildRevision
          << ")\n"
          << Telvar::k_EngineName << " " << Telvar::k_EngineVersion << "\n";
}

void PrintUsageHint(std::ostream& p_Err)
{
    p_Err << "Try 'vorl --help' for more information.\n";
}
} // namespace Snake
