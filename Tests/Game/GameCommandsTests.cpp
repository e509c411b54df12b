#include "Game/GameCommands.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <initializer_list>
#include <iterator>
#include <string>
#include <vector>

namespace
{
using namespace Snake;

TEST(GameCommands, TableHoldsTheCommandsInOrderWithTheirIds)
{
    const Lib::DynamicArray<Vozad::ConsoleCommand> table = GameCommandTable();
    const char* names[] = {"help",    "restart",       "quit", "clear", "r_customwidth", "r_customheight",
                           "g_vsync", "remove_config", "bot",  "bots",  "g_attract"};
    ASSERT_EQ(table.Count(), std::size(names));
    for (uint32_t i = 0; i < std::size(names); ++i)
    {
        EXPECT_STREQ(table[i].name, names[i]);
        EXPECT_EQ(table[i].id, static_cast<int32_t>(i + 1));
    }
    EXPECT_STREQ(table[0].description, " // Show this help");
    EXPECT_STREQ(table[3].description, " // Clears the whole console");
    EXPECT_STREQ(table[1].description, "");
}

TEST(GameCommands, HelpIsOneLinePerCommandWithItsArgumentsAfterTheHeadingWithoutATrailingEmptyOne)
{
    std::vector<std::wstring> lines;
    for (const Lib::String& line : HelpLines(GameCommandTable()))
        lines.push_back(line.Wide());
    const std::vector<std::wstring> expected = {
        L"help",
        L"===== HELP =====",
        L"Following are the available commands:",
        L" help // Show this help",
        L" restart",
        L" quit",
        L" clear // Clears the whole console",
        L" r_customwidth <pixels>",
        L" r_customheight <pixels>",
        L" g_vsync <0|1>",
        L" remove_config",
        L" bot <name>|off // A bot plays the round; off gives the control back",
        L" bots // Lists the bots, compiled in and in Scripts/",
        L" g_attract <0|1>",
    };
    EXPECT_EQ(lines, expected);
}

TEST(GameCommands, SizeArgumentsArePositiveDecimalsAndNeverWrap)
{
    const struct
    {
        const char* text;
        bool valid;
        uint32_t value;
    } cases[] = {{"800", true, 800},
                 {"1", true, 1},
                 {"0", false, 0},
                 {"abc", false, 0},
                 {"", false, 0},
                 {"640px", false, 0},
                 {"-5", false, 0},
                 {"+5", false, 0},
                 {"99999999999", true, UINT32_MAX},
                 {"4294967295", true, UINT32_MAX},
                 {"000720", true, 720}};
    for (const auto& c : cases)
    {
        uint32_t value = 0;
        EXPECT_EQ(ParsePixels(Lib::String(c.text), value), c.valid) << '"' << c.text << '"';
        EXPECT_EQ(value, c.value) << '"' << c.text << '"';
    }
}

TEST(GameCommands, SwitchArgumentsAreWholeNumbers)
{
    const struct
    {
        const char* text;
        bool valid;
        bool on;
    } cases[] = {{"0", true, false},   {"1", true, true},   {"2", true, true},    {"-1", true, true},
                 {"00", true, false},  {"-0", true, false}, {"on", false, false}, {"", false, false},
                 {"1x", false, false}, {"-", false, false}, {"--1", false, false}};
    for (const auto& c : cases)
    {
        bool on = false;
        EXPECT_EQ(ParseSwitch(Lib::String(c.text), on), c.valid) << '"' << c.text << '"';
        EXPECT_EQ(on, c.on) << '"' << c.text << '"';
    }
}

TEST(GameCommands, ArgumentsLeaveOutTheNameAndEmptyTokensAndCommandsWithArgumentsHaveAUsage)
{
    const Lib::DynamicArray<Lib::String> tokens{Lib::String("r_customwidth"), Lib::String(""),
                                                Lib::String("800"), Lib::String("")};
    const Lib::DynamicArray<Lib::String> arguments = CommandArguments(tokens);
    ASSERT_EQ(arguments.Count(), 1u);
    EXPECT_EQ(arguments[0].Wide(), L"800");
    EXPECT_EQ(CommandArguments(Lib::DynamicArray<Lib::String>{Lib::String("quit")}).Count(), 0u);

    EXPECT_EQ(CommandUsage(k_CommandCustomWidth), "r_customwidth <pixels>");
    EXPECT_EQ(CommandUsage(k_CommandCustomHeight), "r_customheight <pixels>");
    EXPECT_EQ(CommandUsage(k_CommandVSync), "g_vsync <0|1>");
    EXPECT_EQ(CommandUsage(k_CommandBot), "bot <name>|off");
    EXPECT_EQ(CommandUsage(k_CommandAttract), "g_attract <0|1>");
    for (int32_t id :
         std::initializer_list<int32_t>{k_CommandNone, k_CommandHelp, k_CommandRestart, k_CommandQuit,
                                        k_CommandClear, k_CommandRemoveConfig, k_CommandBots, 99})
        EXPECT_EQ(CommandUsage(id), "") << id;

    // The help line of a command starts with exactly the usage its bad argument shows.
    std::vector<std::string> help;
    for (const Lib::String& line : HelpLines(GameCommandTable()))
        help.push_back(line.ToNarrow().Bytes());
    for (const Vozad::ConsoleCommand& command : GameCommandTable())
    {
        const std::string usage = CommandUsage(command.id);
        if (usage.empty())
            continue;
        const auto matches = [&](const std::string& p_Line)
        { return p_Line == " " + usage || p_Line.rfind(" " + usage + " //", 0) == 0; };
        EXPECT_TRUE(std::any_of(help.begin(), help.end(), matches)) << usage;
    }
}
} // namespace
