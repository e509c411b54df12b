#include "Game/GameCommands.h"

#include <gtest/gtest.h>

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

TEST(GameCommands, HelpIsOneLinePerCommandAfterTheHeadingWithoutATrailingEmptyOne)
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
        L" r_customwidth",
        L" r_customheight",
        L" g_vsync",
        L" remove_config",
        L" bot <name>|off // A bot plays the round; off gives the control back",
        L" bots // Lists the bots, compiled in and in Scripts/",
        L" g_attract",
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

    EXPECT_STREQ(CommandUsage(k_CommandCustomWidth), "r_customwidth <pixels>");
    EXPECT_STREQ(CommandUsage(k_CommandCustomHeight), "r_customheight <pixels>");
    EXPECT_STREQ(CommandUsage(k_CommandVSync), "g_vsync <0|1>");
    for (int32_t id : {k_CommandNone, k_CommandHelp, k_CommandRestart, k_CommandQuit, k_CommandClear,
                       k_CommandRemoveConfig})
        EXPECT_EQ(CommandUsage(id), nullptr) << id;
}
} // namespace
