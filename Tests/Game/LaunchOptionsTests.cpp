#include "Game/LaunchOptions.h"

#include <gtest/gtest.h>

#include <regex>
#include <sstream>
#include <string>
#include <vector>

using Snake::LaunchAction;
using Strings = std::vector<std::string>;

namespace
{
struct Case
{
    Strings arguments;
    LaunchAction action;
    std::string dataFolder;
    Strings gameArguments;
    Strings simulateArguments;
    std::string error;
};

std::string Joined(const Strings& p_Arguments)
{
    std::string text;
    for (const std::string& argument : p_Arguments)
        text += "[" + argument + "]";
    return text;
}
} // namespace

TEST(LaunchOptionsTest, ReadsEveryFormOfTheCommandLine)
{
    const Case cases[] = {
        {{}, LaunchAction::Play, "", {}, {}, ""},
        {{"-terminal_output", "-turn-assert-break-off"},
         LaunchAction::Play,
         "",
         {"-terminal_output", "-turn-assert-break-off"},
         {},
         ""},
        {{"--data-dir", "/tmp/a b"}, LaunchAction::Play, "/tmp/a b", {}, {}, ""},
        {{"--data-dir=rel/dir", "-terminal_output"},
         LaunchAction::Play,
         "rel/dir",
         {"-terminal_output"},
         {},
         ""},
        {{"--data-dir", "one", "--data-dir", "two"}, LaunchAction::Play, "two", {}, {}, ""},
        // A value that starts with "-" is the next option, never the folder: the value is missing.
        {{"--data-dir", "--simulate"},
         LaunchAction::UsageError,
         "",
         {},
         {},
         "option '--data-dir' needs a folder before '--simulate' (a folder of that name: "
         "--data-dir=--simulate)"},
        {{"--data-dir", "-x", "--games", "3"},
         LaunchAction::UsageError,
         "",
         {},
         {},
         "option '--data-dir' needs a folder before '-x' (a folder of that name: --data-dir=-x)"},
        {{"--data-dir", "-", "-terminal_output"},
         LaunchAction::UsageError,
         "",
         {},
         {},
         "option '--data-dir' needs a folder before '-' (a folder of that name: --data-dir=-)"},
        {{"--data-dir", "-terminal_output"},
         LaunchAction::UsageError,
         "",
         {},
         {},
         "option '--data-dir' needs a folder before '-terminal_output' (a folder of that name: "
         "--data-dir=-terminal_output)"},
        // ... and "--help" or "--version" behind it still answers.
        {{"--data-dir", "--help"}, LaunchAction::Help, "", {}, {}, ""},
        {{"--data-dir", "--version"}, LaunchAction::Version, "", {}, {}, ""},
        {{"--data-dir=", "--help"}, LaunchAction::Help, "", {}, {}, ""},
        // A folder named like an option is reachable with "=" or a path.
        {{"--data-dir=-x"}, LaunchAction::Play, "-x", {}, {}, ""},
        {{"--data-dir=--simulate", "--simulate"},
         LaunchAction::Simulate,
         "--simulate",
         {},
         {"--simulate"},
         ""},
        {{"--data-dir", "./-x"}, LaunchAction::Play, "./-x", {}, {}, ""},
        // A restarted instance passes on what follows uninterpreted, unknown words included.
        {{"--data-dir", "d", "-restart", "4711", "--bogus", "--help"},
         LaunchAction::Play,
         "d",
         {"-restart", "4711", "--bogus", "--help"},
         {},
         ""},
        {{"--help"}, LaunchAction::Help, "", {}, {}, ""},
        {{"-h"}, LaunchAction::Help, "", {}, {}, ""},
        {{"--data-dir", "d", "--version", "--bogus"}, LaunchAction::Version, "d", {}, {}, ""},
        {{"--simulate", "--games", "3"}, LaunchAction::Simulate, "", {}, {"--simulate", "--games", "3"}, ""},
        {{"--grid", "1", "--data-dir", "d", "--simulate"},
         LaunchAction::Simulate,
         "d",
         {},
         {"--grid", "1", "--simulate"},
         ""},
        {{"--bogus"}, LaunchAction::UsageError, "", {}, {}, "unknown option '--bogus'"},
        // Help is given whatever else is wrong on the line.
        {{"-x", "--help"}, LaunchAction::Help, "", {}, {}, ""},
        {{"-x", "--bogus"}, LaunchAction::UsageError, "", {}, {}, "unknown option '-x'"},
        {{"--data-dir"}, LaunchAction::UsageError, "", {}, {}, "option '--data-dir' needs a folder"},
        {{"--data-dir="},
         LaunchAction::UsageError,
         "",
         {},
         {},
         "option '--data-dir' needs a folder, not an empty name"},
        {{"-terminal_output", "play"}, LaunchAction::UsageError, "", {}, {}, "unexpected argument 'play'"},
        {{"-"}, LaunchAction::UsageError, "", {}, {}, "unexpected argument '-'"},
        {{"--version=2"}, LaunchAction::UsageError, "", {}, {}, "unknown option '--version=2'"},
    };
    for (const Case& c : cases)
    {
        const Snake::LaunchOptions options = Snake::ParseLaunchOptions(c.arguments);
        const std::string context = Joined(c.arguments);
        EXPECT_EQ(options.action, c.action) << context;
        EXPECT_EQ(options.dataFolder, c.dataFolder) << context;
        EXPECT_EQ(options.gameArguments, c.gameArguments) << context;
        EXPECT_EQ(options.simulateArguments, c.simulateArguments) << context;
        EXPECT_EQ(options.error, c.error) << context;
    }
}

TEST(LaunchOptionsTest, VersionNamesTheGameItsBuildAndTheEngine)
{
    std::ostringstream out;
    Snake::PrintVersion(out);
    EXPECT_TRUE(
        std::regex_match(out.str(), std::regex("VORL 1\\.0\\.0\\.0 \\(Build [0-9]{14}, commit "
                                               "([0-9a-f]{10}|unknown)\\)\nQuarne Engine Alpha 0\\.5\\.0\n")))
        << out.str();
}

TEST(LaunchOptionsTest, HelpNamesEveryOptionFileAndExitStatus)
{
    std::ostringstream out;
    Snake::PrintUsage(out);
    for (const char* expected :
         {"--data-dir DIR", "--simulate", "--help", "--version", "-terminal_output", "-turn-assert-break-off",
          "-restart", "gamedata.cfg", "gamelog.txt", "Screenshots/", "records.cfg", "Scripts/NAME.lua",
          "\n  73 ", "\n  2 ", "\n  0 "})
        EXPECT_NE(out.str().find(expected), std::string::npos) << expected;
}
