// vorl --simulate as a person runs it from a shell: a slow bot interrupted by Ctrl+C or a kill,
// and a bot script that does not compile.
#include "EndToEnd/GameRound.h"
#include "Support/GameSession.h"
#include "Support/RunProgram.h"
#include "Support/TempFolder.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <regex>
#include <sstream>
#include <string>

using namespace std::chrono_literals;
using GameRound::WriteScript;
using TestSupport::GameSession;
using TestSupport::ReadWholeFile;
using TestSupport::TempFolder;

namespace
{
// Each decision compares two strings of a megabyte some thousand times: a few hundred
// milliseconds spent in the script host, within the wait, where the instruction budget hardly
// counts. Going straight on, every round is lost within a few steps.
const char* const k_SlowBot = R"lua(
a = string.rep('x', 1000000) .. 'a'
b = string.rep('x', 1000000) .. 'b'
function decide(board)
  for i = 1, 6000 do local _ = a < b end
  return nil
end
)lua";

struct SignalCase
{
    int signal;
    int status;
};

class SimulateEndToEnd : public testing::TestWithParam<SignalCase>
{
};

TEST_P(SimulateEndToEnd, ASignalMidRunPrintsTheResultsSoFarAndEndsAtOnce)
{
    TempFolder folder;
    WriteScript(folder, "slow", k_SlowBot);
    const pid_t pid = TestSupport::StartProgram(
        VORL_EXECUTABLE, {"--simulate", "--bot", "slow", "--grid", "all", "--games", "3", "--wait", "1000"},
        folder.Path().string());
    ASSERT_GT(pid, 0);
    // Standard error is a file here: after a second, plain progress lines; the first grid's line
    // is on standard output as soon as that grid ends.
    const bool underway = GameSession::WaitUntil(
        [&]
        {
            return ReadWholeFile(folder.File("stdout.txt")).rfind("grid=6x6 ", 0) == 0 &&
                   ReadWholeFile(folder.File("stderr.txt")).find("progress: ") != std::string::npos;
        },
        60s);
    EXPECT_TRUE(underway) << ReadWholeFile(folder.File("stdout.txt"))
                          << ReadWholeFile(folder.File("stderr.txt"));
    const auto before = std::chrono::steady_clock::now();
    kill(pid, GetParam().signal);
    const TestSupport::ProgramResult result = TestSupport::WaitForProgram(pid, 30s);
    const auto took = std::chrono::steady_clock::now() - before;
    std::printf("[ ended    ] %.0f ms after signal %d, with decisions of about 200 ms\n",
                std::chrono::duration<double, std::milli>(took).count(), GetParam().signal);
    EXPECT_TRUE(result.exited);
    EXPECT_EQ(result.exitStatus, GetParam().status);
    // The rest of the run would take half a minute; the exit comes at once (tens of milliseconds
    // here, less than one decision: the wait for the bot is cut short).
    EXPECT_LT(took, 2s);

    std::istringstream lines(ReadWholeFile(folder.File("stdout.txt")));
    std::string line;
    std::vector<std::string> all;
    while (std::getline(lines, line))
        all.push_back(line);
    ASSERT_GE(all.size(), 2u);
    for (size_t i = 0; i + 1 < all.size(); ++i)
        EXPECT_TRUE(
            std::regex_match(all[i], std::regex("grid=[0-9]+x[0-9]+ games=3 wins=0 stopped=0 .*[0-9]")))
            << all[i];
    EXPECT_TRUE(std::regex_match(all.back(), std::regex("total grids=[0-9]+ games=[0-9]+ wins=0 stopped=0 "
                                                        "stalled=0 avg_points=.* partial")))
        << all.back();
    const std::string err = ReadWholeFile(folder.File("stderr.txt"));
    // Only progress; the bot the signal interrupted is not reported as broken.
    EXPECT_EQ(std::regex_replace(err, std::regex("progress: [^\n]*\n"), ""), "") << err;
}

INSTANTIATE_TEST_SUITE_P(Simulate, SimulateEndToEnd,
                         testing::Values(SignalCase{SIGINT, 130}, SignalCase{SIGTERM, 143}),
                         [](const testing::TestParamInfo<SignalCase>& p_Info) {
                             return p_Info.param.signal == SIGINT ? std::string("Interrupt")
                                                                  : std::string("Terminate");
                         });

TEST(SimulateEndToEndErrors, AScriptWithASyntaxErrorIsOneLineAndStatusTwo)
{
    TempFolder folder;
    WriteScript(folder, "typo", "function decide(board)\n  return +\nend\n");
    const TestSupport::ProgramResult result = TestSupport::RunProgram(
        VORL_EXECUTABLE, {"--simulate", "--bot", "typo"}, folder.Path().string(), 60s);
    EXPECT_TRUE(result.exited);
    EXPECT_EQ(result.exitStatus, 2);
    EXPECT_EQ(ReadWholeFile(folder.File("stderr.txt")),
              "vorl: Scripts/typo.lua:2: unexpected symbol near '+'\n");
    EXPECT_EQ(ReadWholeFile(folder.File("stdout.txt")), "");
}
} // namespace
