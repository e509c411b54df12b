#include "Game/Bots/SimulateCommand.h"
#include "Game/Bots/SimulationProgress.h"

#include "Support/TempFolder.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
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

SimulateRun Simulate(const std::vector<std::string>& p_Arguments,
                     const Snake::SimulateEnvironment& p_Environment = {})
{
    std::ostringstream out, err;
    SimulateRun run;
    run.status = RunSimulateCommand(p_Arguments, out, err, p_Environment);
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
    // A run this long shows its progress; nothing else goes to standard error.
    EXPECT_EQ(std::regex_replace(run.err, std::regex("progress: [^\n]*\n"), ""), "") << run.err;
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
                                         std::vector<std::string>{"--simulate", "--seed", "-3"},
                                         std::vector<std::string>{"--simulate", "--seed",
                                                                  "99999999999999999999999"}));

TEST(SimulateCommandTest, OnlyArgumentListsWithTheFlagSimulate)
{
    EXPECT_TRUE(Snake::IsSimulateCommand({"--grid", "1", "--simulate"}));
    EXPECT_FALSE(Snake::IsSimulateCommand({}));
    EXPECT_FALSE(Snake::IsSimulateCommand({"-simulate"}));
}

// A bot that cannot be made is no fault of the arguments: one line, no usage, status 2.
TEST(SimulateCommandTest, ABotThatDoesNotLoadIsOneLineWithoutTheUsage)
{
    TestSupport::TempFolder folder;
    std::filesystem::create_directories(folder.Path() / "Scripts");
    TestSupport::WriteWholeFile(folder.File("Scripts/typo.lua"), "function decide(board)\n  return +\nend\n");
    const std::filesystem::path before = std::filesystem::current_path();
    std::filesystem::current_path(folder.Path());
    const SimulateRun typo = Simulate({"--simulate", "--bot", "typo", "--grid", "0"});
    const SimulateRun missing = Simulate({"--simulate", "--bot", "nosuchbot"});
    std::filesystem::current_path(before);

    EXPECT_EQ(typo.status, 2);
    EXPECT_TRUE(typo.out.empty()) << typo.out;
    EXPECT_TRUE(std::regex_match(typo.err, std::regex("vorl: Scripts/typo\\.lua:2: [^\n]+\n"))) << typo.err;
    EXPECT_EQ(missing.status, 2);
    EXPECT_EQ(missing.err,
              "vorl: no bot named 'nosuchbot' (neither compiled in nor \"Scripts/nosuchbot.lua\")\n");
}

struct SignalCase
{
    int signal;
    int status;
};

class SimulateSignalTest : public testing::TestWithParam<SignalCase>
{
};

// The signal is read between the steps of a round; from the 4000th look on, one has arrived.
TEST_P(SimulateSignalTest, PrintsTheGridsFinishedAPartialTotalAndEndsWithTheSignalsStatus)
{
    int looks = 0;
    Snake::SimulateEnvironment environment;
    environment.terminationSignal = [&] { return ++looks > 4000 ? GetParam().signal : 0; };
    const SimulateRun run = Simulate({"--simulate", "--grid", "all", "--games", "3"}, environment);
    EXPECT_EQ(run.status, GetParam().status);
    std::istringstream lines(run.out);
    std::string line;
    int grids = 0;
    while (std::getline(lines, line) && line.rfind("grid=", 0) == 0)
    {
        EXPECT_NE(line.find(" games=3 wins=3 "), std::string::npos) << line;
        EXPECT_EQ(line.find("partial"), std::string::npos) << line;
        ++grids;
    }
    EXPECT_GT(grids, 0) << run.out;
    EXPECT_LT(grids, 12) << run.out;
    EXPECT_TRUE(
        std::regex_match(line, std::regex("total grids=[0-9]+ games=[0-9]+ wins=[0-9]+ stopped=0 stalled=0 "
                                          "avg_points=[0-9.]+ avg_steps=[0-9.]+ avg_decision_us=[0-9.]+ "
                                          "max_decision_us=[0-9]+ partial")))
        << line;
    EXPECT_FALSE(std::getline(lines, line)) << line;
    EXPECT_TRUE(run.err.empty()) << run.err;
}

INSTANTIATE_TEST_SUITE_P(Simulate, SimulateSignalTest,
                         testing::Values(SignalCase{SIGINT, 130}, SignalCase{SIGTERM, 143}));

struct ProgressCase
{
    const char* name;
    bool terminal;
    double secondsPerLook; // how far the clock moves each time it is read
    const char* pattern;   // what standard error holds
};

class SimulateProgressTest : public testing::TestWithParam<ProgressCase>
{
};

TEST_P(SimulateProgressTest, ShowsProgressOnlyForRunsLongerThanASecond)
{
    double now = 0.0;
    Snake::SimulateEnvironment environment;
    environment.errIsTerminal = GetParam().terminal;
    environment.clock = [&]
    {
        now += GetParam().secondsPerLook;
        return now;
    };
    const SimulateRun run = Simulate({"--simulate", "--grid", "0", "--games", "40"}, environment);
    EXPECT_EQ(run.status, 0);
    EXPECT_TRUE(std::regex_match(run.err, std::regex(GetParam().pattern))) << run.err;
    // The results themselves are untouched by the progress.
    EXPECT_EQ(run.out.rfind("grid=6x6 games=40 wins=40 ", 0), 0u) << run.out;
}

INSTANTIATE_TEST_SUITE_P(
    Simulate, SimulateProgressTest,
    testing::Values(
        // Under a second in all: nothing.
        ProgressCase{"ShortRunOnAFile", false, 1e-6, ""}, ProgressCase{"ShortRunOnATerminal", true, 1e-6, ""},
        // About ten seconds: a few whole lines, five seconds apart, or a bar that is taken away
        // before the results are written.
        ProgressCase{"LongRunOnAFile", false, 1e-3,
                     "(progress: +[0-9]+% [0-9]+/40 games, grid 6x6, [0-9]+ s, about [0-9]+ s left\n){1,3}"},
        ProgressCase{"LongRunOnATerminal", true, 1e-3,
                     "(\r\x1b\\[K\\[[#.]{30}\\] +[0-9]+% [0-9]+/40 games, grid 6x6, [0-9]+ s, about [0-9]+ s "
                     "left)+\r\x1b\\[K"}),
    [](const testing::TestParamInfo<ProgressCase>& p_Info) { return std::string(p_Info.param.name); });

TEST(SimulationProgressTest, PlainLinesComeAtMostEveryFiveSecondsAndABarComesBackAfterAClear)
{
    double now = 0.0;
    std::ostringstream plain, bar;
    Snake::SimulationProgress lines(plain, false, 10, [&] { return now; });
    Snake::SimulationProgress drawn(bar, true, 10, [&] { return now; });
    const auto showBoth = [&](double p_At, uint64_t p_Done)
    {
        now = p_At;
        lines.Show(p_Done, "6x6");
        drawn.Show(p_Done, "6x6");
    };
    showBoth(0.9, 1); // too early for either
    EXPECT_EQ(plain.str(), "");
    EXPECT_EQ(bar.str(), "");
    showBoth(1.0, 1);
    showBoth(1.05, 2); // within the bar's tenth of a second
    showBoth(5.9, 3);
    EXPECT_EQ(plain.str(), "progress:  10% 1/10 games, grid 6x6, 1 s, about 9 s left\n");
    EXPECT_EQ(bar.str(),
              "\r\x1b[K[###...........................]  10% 1/10 games, grid 6x6, 1 s, about 9 s left"
              "\r\x1b[K[#########.....................]  30% 3/10 games, grid 6x6, 6 s, about 14 s left");
    lines.Clear();
    drawn.Clear();
    showBoth(5.95, 3); // the bar is drawn again at once after it was taken away
    showBoth(6.0, 5);
    EXPECT_EQ(plain.str(), "progress:  10% 1/10 games, grid 6x6, 1 s, about 9 s left\n"
                           "progress:  50% 5/10 games, grid 6x6, 6 s, about 6 s left\n");
    EXPECT_EQ(bar.str(),
              "\r\x1b[K[###...........................]  10% 1/10 games, grid 6x6, 1 s, about 9 s left"
              "\r\x1b[K[#########.....................]  30% 3/10 games, grid 6x6, 6 s, about 14 s left"
              "\r\x1b[K"
              "\r\x1b[K[#########.....................]  30% 3/10 games, grid 6x6, 6 s, about 14 s left");
}
} // namespace
