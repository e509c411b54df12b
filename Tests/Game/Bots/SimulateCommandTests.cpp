#include "Game/Bots/SimulateCommand.h"

#include <gtest/gtest.h>

#include <regex>
#include <sstream>

namespace
{
using Snake::RunSimulateCommand;

struct SimulateRun
{
    int status = -1;
    std::string out, err;
};

SimulateRun Simulate(const std::vector<std::string>& p_Arguments)
{
    std::ostringstream out, err;
    SimulateRun run;
    run.status = RunSimulateCommand(p_Arguments, out, err);
    run.out = out.str();
    run.err = err.str();
    return run;
}

// The lines without the decision times, which are measured and so differ from run to run.
std::string WithoutTimes(const std::string& p_Output)
{
    return std::regex_replace(p_Output, std::regex(" (avg|max)_decision_us=[0-9.]+"), "");
}

TEST(SimulateCommandTest, AutopilotWinsEveryGameOnEveryGrid)
{
    const SimulateRun run = Simulate({"--simulate", "--bot", "autopilot", "--grid", "all", "--games", "20"});
    ASSERT_EQ(run.status, 0) << run.err;
    std::istringstream lines(run.out);
    std::string line;
    int grids = 0;
    const std::regex gridLine("^grid=[0-9]+x[0-9]+ games=20 wins=20 stopped=0 stalled=0 avg_points=[0-9.]+ "
                              "avg_steps=[0-9.]+ avg_decision_us=[0-9.]+ max_decision_us=[0-9]+$");
    while (std::getline(lines, line) && line.rfind("grid=", 0) == 0)
    {
        EXPECT_TRUE(std::regex_match(line, gridLine)) << line;
        ++grids;
    }
    EXPECT_EQ(grids, 12);
    EXPECT_EQ(line.rfind("total grids=12 games=240 wins=240 stopped=0 stalled=0 ", 0), 0u) << line;
    EXPECT_TRUE(run.err.empty()) << run.err;
}

// These rounds once caught a cut that left too little room in front while holes lay behind.
TEST(SimulateCommandTest, AutopilotSurvivesRunsOfCatchesRightAfterItsShortcuts)
{
    const SimulateRun run = Simulate({"--simulate", "--grid", "0", "--games", "300", "--seed", "12345"});
    EXPECT_EQ(run.out.rfind("grid=6x6 games=300 wins=300 ", 0), 0u) << run.out;
}

TEST(SimulateCommandTest, TheSameSeedPlaysTheSameGamesAndAnotherDoesNot)
{
    const std::vector<std::string> base = {"--simulate", "--grid", "4", "--games", "3", "--bot", "autopilot"};
    auto withSeed = [&](const char* p_Seed)
    {
        std::vector<std::string> arguments = base;
        arguments.insert(arguments.end(), {"--seed", p_Seed});
        return WithoutTimes(Simulate(arguments).out);
    };
    const std::string first = withSeed("7");
    EXPECT_EQ(first, withSeed("7"));
    EXPECT_NE(first, withSeed("8"));
    EXPECT_EQ(first.rfind("grid=13x8 games=3 wins=3 ", 0), 0u) << first;
}

class SimulateArgumentErrorTest : public testing::TestWithParam<std::vector<std::string>>
{
};

TEST_P(SimulateArgumentErrorTest, GetsTheUsageAndStatusTwo)
{
    const SimulateRun run = Simulate(GetParam());
    EXPECT_EQ(run.status, 2);
    EXPECT_TRUE(run.out.empty()) << run.out;
    EXPECT_EQ(run.err.rfind("vorl: ", 0), 0u) << run.err;
    EXPECT_NE(run.err.find("usage: vorl --simulate [--bot NAME] [--grid N|all] [--games N] [--seed N]"),
              std::string::npos)
        << run.err;
}

INSTANTIATE_TEST_SUITE_P(Simulate, SimulateArgumentErrorTest,
                         testing::Values(std::vector<std::string>{"--simulate", "--frobnicate"},
                                         std::vector<std::string>{"--simulate", "--games"},
                                         std::vector<std::string>{"--simulate", "--games", "0"},
                                         std::vector<std::string>{"--simulate", "--games", "12x"},
                                         std::vector<std::string>{"--simulate", "--games", "1000001"},
                                         std::vector<std::string>{"--simulate", "--grid", "12"},
                                         std::vector<std::string>{"--simulate", "--grid", "-1"},
                                         std::vector<std::string>{"--simulate", "--grid", "6x6"},
                                         std::vector<std::string>{"--simulate", "--bot", "nosuchbot"},
                                         std::vector<std::string>{"--simulate", "--seed", "-3"},
                                         std::vector<std::string>{"--simulate", "--seed",
                                                                  "99999999999999999999999"}));

TEST(SimulateCommandTest, OnlyArgumentListsWithTheFlagSimulate)
{
    EXPECT_TRUE(Snake::IsSimulateCommand({"--grid", "1", "--simulate"}));
    EXPECT_FALSE(Snake::IsSimulateCommand({}));
    EXPECT_FALSE(Snake::IsSimulateCommand({"-simulate"}));
}
} // namespace
