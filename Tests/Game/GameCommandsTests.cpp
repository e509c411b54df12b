#include "Game/GameCommands.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{
using namespace Snake;

TEST(GameCommands, TableHoldsTheEightCommandsInOrderWithTheirIds)
{
    const Lib::DynamicArray<Vozad::ConsoleCommand> table = GameCommandTable();
    const char* names[] = {"help",          "restart",        "quit",    "clear",
                           "r_customwidth", "r_customheight", "g_vsync", "remove_config"};
    ASSERT_EQ(table.Count(), 8u);
    for (uint32_t i = 0; i < 8; ++i)
    {
        EXPECT_STREQ(table[i].name, names[i]);
        EXPECT_EQ(table[i].id, static_cast<int32_t>(i + 1));
    }
    EXPECT_STREQ(table[0].description, " // Show this help");
    EXPECT_STREQ(table[3].description, " // Clears the whole console");
    EXPECT_STREQ(table[1].description, "");
}

TEST(GameCommands, HelpIsElevenLinesWithoutATrailingEmptyOne)
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
    };
    EXPECT_EQ(lines, expected);
}

TEST(GameCommands, SizeArgumentsAreDecimalAndNeverWrap)
{
    const struct
    {
        const char* text;
        uint32_t value;
    } cases[] = {
        {"800", 800}, {"0", 0}, {"abc", 0}, {"", 0}, {"640px", 640}, {"-5", 0}, {"99999999999", UINT32_MAX}};
    for (const auto& c : cases)
        EXPECT_EQ(ParseSizeArgument(Lib::String(c.text)), c.value) << '"' << c.text << '"';
}
} // namespace
