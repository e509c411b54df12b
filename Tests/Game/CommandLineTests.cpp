#include "Game/CommandLine.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{
std::vector<std::string> Narrow(const Lib::DynamicArray<Lib::String>& p_Arguments)
{
    std::vector<std::string> result;
    for (const Lib::String& argument : p_Arguments)
        result.push_back(argument.ToNarrow().Bytes());
    return result;
}
} // namespace

TEST(CommandLineTest, SplitsAtSpacesOnly)
{
    const std::pair<const char*, std::vector<std::string>> cases[] = {
        {"", {}},
        {"     ", {}},
        {"-restart 4711", {"-restart", "4711"}},
        {"a  b", {"a", "b"}},
        {"  lead trail  ", {"lead", "trail"}},
        {"tab\there \"quoted words\"", {"tab\there", "\"quoted", "words\""}},
        {"Größe -x", {"Größe", "-x"}},
    };
    for (const auto& [line, expected] : cases)
        EXPECT_EQ(Narrow(Snake::SplitCommandLine(Lib::String(line))), expected) << "'" << line << "'";
}

TEST(CommandLineTest, ArgumentListLeavesOutTheProgramName)
{
    const char* argv[] = {"/usr/games/vorl", "-terminal_output", "two words", ""};
    EXPECT_EQ(Narrow(Snake::BuildArgumentList(4, argv)),
              (std::vector<std::string>{"-terminal_output", "two", "words"}));
    EXPECT_TRUE(Snake::BuildArgumentList(1, argv).IsEmpty());
}
