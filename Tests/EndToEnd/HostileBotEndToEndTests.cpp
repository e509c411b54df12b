// Bot scripts written to hurt, run where a player would run them: seated in the window game from
// the console, and in --simulate. Each must be stopped with one line that names it and why, and
// the game must go on drawing, keep its size, end on SIGTERM at once and write its settings.
#include "EndToEnd/GameRound.h"
#include "EndToEnd/GameScreen.h"
#include "Support/GameSession.h"
#include "Support/RgbImage.h"
#include "Support/RunProgram.h"
#include "Support/TempFolder.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

using namespace GameRound;
using namespace GameScreen;
using namespace std::chrono_literals;
using TestSupport::GameSession;
using TestSupport::ReadWholeFile;
using TestSupport::TempFolder;
using TestSupport::WriteWholeFile;

namespace
{
struct HostileBot
{
    const char* name;
    const char* source;
    const char* reason; // what the one line says after "Scripts/<name>.lua"
};

// Each escapes the instruction budget or works inside one library call; the line 2 is decide's body.
const HostileBot k_HostileBots[] = {
    {"handler",
     "function decide(board)\n  return xpcall(function() while true do end end, function(e) while true do "
     "end end)\nend\n",
     ": stopped: no answer within 1000 ms"},
    {"finalizer",
     "function decide(board)\n  setmetatable({}, {__gc = function() while true do end end})\n  "
     "collectgarbage()\nend\n",
     ": stopped: no answer within 1000 ms"},
    {"compare",
     "a = string.rep('x', 5e6)\nb = string.rep('x', 5e6)\nfunction decide(board)\n  while true do local _ = "
     "a < b end\nend\n",
     ": stopped: no answer within 1000 ms"},
    {"emptyrep", "function decide(board)\n  return string.rep('', 1e15)\nend\n",
     ":2: string.rep: 1e+15 steps are more than"},
    {"doubling", "function decide(board)\n  local s = 'x' while true do s = s .. s end\nend\n",
     ":2: stopped: memory limit of 16777216 bytes exceeded"},
    {"loop", "function decide(board)\n  while true do end\nend\n",
     ":2: stopped: instruction budget of 2000000 exceeded"},
};

// /proc/<pid>/stat taken apart: the name between its parentheses and the fields after it (state,
// parent, ..., user time, system time ...); no fields when the process is gone.
struct ProcessStat
{
    std::string name;
    std::vector<std::string> fields;
};

ProcessStat StatOf(const std::string& p_Process)
{
    ProcessStat stat;
    const std::string text = ReadWholeFile("/proc/" + p_Process + "/stat");
    const size_t open = text.find('(');
    const size_t close = text.rfind(')');
    if (open == std::string::npos || close == std::string::npos || close < open)
        return stat;
    stat.name = text.substr(open + 1, close - open - 1);
    std::istringstream fields(text.substr(close + 1));
    for (std::string field; fields >> field;)
        stat.fields.push_back(field);
    return stat;
}

// The hosts this game started and that still run: the children named after the host program.
std::vector<pid_t> ScriptHostsOf(pid_t p_Game)
{
    std::vector<pid_t> hosts;
    for (const auto& entry : std::filesystem::directory_iterator("/proc"))
    {
        const std::string process = entry.path().filename().string();
        const ProcessStat stat = StatOf(process);
        if (stat.name == "vorl-scripthost" && stat.fields.size() > 1 && std::stol(stat.fields[1]) == p_Game)
            hosts.push_back(static_cast<pid_t>(std::stol(process)));
    }
    return hosts;
}

// Processor time the process has used so far, in clock ticks; 0 when it is gone.
unsigned long long ProcessorTicks(pid_t p_Process)
{
    const ProcessStat stat = StatOf(std::to_string(p_Process));
    return stat.fields.size() > 12 ? std::stoull(stat.fields[11]) + std::stoull(stat.fields[12]) : 0;
}
} // namespace

TEST(HostileBotEndToEnd, EachIsStoppedWithOneLineWhileTheGameDrawsOnAndTheEndSavesTheSettings)
{
    ASSERT_NE(getenv("DISPLAY"), nullptr) << "the test command provides an X display";
    TempFolder folder;
    // The widest board at the slowest speed: the player's round outlasts every bot below.
    // A long wait, so that the budget and the cap are seen to stop what they can even on a busy
    // machine; the default wait of 50 ms is held to in the script host's own tests.
    std::string config = ConfigWith("11", "1");
    ReplaceLine(config, "set g_botwait \"50\"", "set g_botwait \"1000\"");
    WriteWholeFile(folder.File("gamedata.cfg"), config);
    for (const HostileBot& bot : k_HostileBots)
        WriteScript(folder, bot.name, bot.source);
    // Loads and answers, keeping a finalizer that would loop and allocate at the state's close.
    WriteScript(folder, "leaving",
                "keep = setmetatable({}, {__gc = function() local t = {} while true do t[#t + 1] = "
                "string.rep('x', 4096) end end})\nfunction decide(board) return nil end\n");

    GameSession game(folder, VORL_EXECUTABLE);
    ASSERT_TRUE(game.Open()) << game.Log();

    for (const HostileBot& bot : k_HostileBots)
    {
        const std::string name = bot.name;
        // A round runs (the last one may have ended at the border under the player's keys).
        const RgbImage now = game.Capture();
        ASSERT_TRUE(now.Valid());
        if (IsStartPanelShown(now))
        {
            game.Key("s");
            ASSERT_TRUE(
                game.WaitForImage([](const RgbImage& p_Image) { return !IsStartPanelShown(p_Image); }, 5s)
                    .Valid());
        }
        ASSERT_NO_FATAL_FAILURE(RunConsoleLine(game, "bot " + name));
        const std::string line = "Bot '" + name + "' stopped, the player has the control back: Scripts/" +
                                 name + ".lua" + bot.reason;
        const auto before = std::chrono::steady_clock::now();
        EXPECT_TRUE(GameSession::WaitUntil([&] { return game.Log().find(line) != std::string::npos; }, 10s))
            << line << "\n"
            << game.Log();
        std::printf(
            "[ stopped  ] %-10s seen in the log %5.0f ms after the console closed\n", bot.name,
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - before).count());
        // Once: the player has the round, and the host is gone.
        EXPECT_EQ(game.Log().find(line), game.Log().rfind(line));
        EXPECT_TRUE(GameSession::WaitUntil([&] { return ScriptHostsOf(game.Pid()).empty(); }, 2s)) << name;
        ASSERT_TRUE(game.IsRunning());
    }
    // Still drawing: the console opens and closes on real key presses; a setting changed now
    // must reach the file at the end.
    ASSERT_NO_FATAL_FAILURE(RunConsoleLine(game, "g_attract 1"));

    // A bot that plays, and whose state would run away when closed: the end does not wait for it.
    ASSERT_NO_FATAL_FAILURE(RunConsoleLine(game, "bot leaving"));
    ASSERT_TRUE(GameSession::WaitUntil(
        [&] { return game.Log().find("Bot 'leaving' plays") != std::string::npos; }, 5s));
    ASSERT_EQ(ScriptHostsOf(game.Pid()).size(), 1u);
    const std::vector<pid_t> hosts = ScriptHostsOf(game.Pid());
    const auto before = std::chrono::steady_clock::now();
    const TestSupport::ProgramResult ended = game.Terminate();
    EXPECT_LT(std::chrono::steady_clock::now() - before, 10s);
    ExpectOrderlyEnd(game, ended);
    for (pid_t host : hosts)
        EXPECT_FALSE(std::filesystem::exists("/proc/" + std::to_string(host))) << host;
    // The settings were written.
    EXPECT_NE(ReadWholeFile(folder.File("gamedata.cfg")).find("set g_attract \"1\""), std::string::npos);
}

TEST(HostileBotEndToEnd, ATerminationSignalWhileABotThinksEndsTheGameAtOnceAndSaves)
{
    ASSERT_NE(getenv("DISPLAY"), nullptr) << "the test command provides an X display";
    TempFolder folder;
    std::string config = ConfigWith("11", "1");
    ReplaceLine(config, "set g_botwait \"50\"", "set g_botwait \"1000\"");
    WriteWholeFile(folder.File("gamedata.cfg"), config);
    // Answers its first step, then thinks for ever where the budget cannot see it.
    WriteScript(
        folder, "thinker",
        "calls = 0\nfunction decide(board)\n  calls = calls + 1\n  if calls == 1 then return nil end\n"
        "  setmetatable({}, {__gc = function() while true do end end})\n  collectgarbage()\nend\n");
    GameSession game(folder, VORL_EXECUTABLE);
    ASSERT_TRUE(game.Open()) << game.Log();
    game.Key("s");
    ASSERT_TRUE(
        game.WaitForImage([](const RgbImage& p_Image) { return !IsStartPanelShown(p_Image); }, 5s).Valid());
    ASSERT_NO_FATAL_FAILURE(RunConsoleLine(game, "g_attract 1"));
    ASSERT_NO_FATAL_FAILURE(RunConsoleLine(game, "bot thinker"));

    // The host spends processor time only while it thinks, and the game waits for it meanwhile.
    pid_t host = 0;
    const bool thinking = GameSession::WaitUntil(
        [&]
        {
            const std::vector<pid_t> hosts = ScriptHostsOf(game.Pid());
            if (hosts.empty())
                return false;
            host = hosts.front();
            const unsigned long long before = ProcessorTicks(host);
            std::this_thread::sleep_for(30ms);
            return ProcessorTicks(host) > before + 1;
        },
        10s);
    ASSERT_TRUE(thinking) << game.Log();
    const auto before = std::chrono::steady_clock::now();
    const TestSupport::ProgramResult ended = game.Terminate();
    const auto took = std::chrono::steady_clock::now() - before;
    std::printf("[ ended    ] %.0f ms after SIGTERM, with the bot thinking\n",
                std::chrono::duration<double, std::milli>(took).count());
    EXPECT_LT(took, 5s);
    ExpectOrderlyEnd(game, ended);
    // The wait was cut short by the signal, not run out.
    EXPECT_NE(game.Log().find("Scripts/thinker.lua: stopped: the program is ending"), std::string::npos)
        << game.Log();
    EXPECT_FALSE(std::filesystem::exists("/proc/" + std::to_string(host)));
    EXPECT_NE(ReadWholeFile(folder.File("gamedata.cfg")).find("set g_attract \"1\""), std::string::npos);
}

TEST(HostileBotEndToEnd, TheSimulationStopsEachAndReportsItsRounds)
{
    TempFolder folder;
    for (const HostileBot& bot : k_HostileBots)
        WriteScript(folder, bot.name, bot.source);
    for (const HostileBot& bot : k_HostileBots)
    {
        const auto before = std::chrono::steady_clock::now();
        const TestSupport::ProgramResult result = TestSupport::RunProgram(
            VORL_EXECUTABLE,
            {"--simulate", "--bot", bot.name, "--grid", "0", "--games", "3", "--wait", "1000"},
            folder.Path().string(), 60s);
        const double seconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - before).count();
        EXPECT_TRUE(result.exited) << bot.name;
        EXPECT_EQ(result.exitStatus, 0) << bot.name;
        const std::string out = ReadWholeFile(folder.File("stdout.txt"));
        const std::string err = ReadWholeFile(folder.File("stderr.txt"));
        EXPECT_NE(out.find("grid=6x6 games=3 wins=0 stopped=3 "), std::string::npos) << bot.name << "\n"
                                                                                     << out;
        EXPECT_NE(err.find("Scripts/" + std::string(bot.name) + ".lua" + bot.reason), std::string::npos)
            << bot.name << "\n"
            << err;
        std::printf("[ stopped  ] %-10s three simulated rounds in %.2f s\n", bot.name, seconds);
    }

    // A script whose loading never ends is refused while the arguments are checked.
    WriteScript(folder, "loading",
                "setmetatable({}, {__gc = function() while true do end end})\ncollectgarbage()\n");
    const TestSupport::ProgramResult refused = TestSupport::RunProgram(
        VORL_EXECUTABLE, {"--simulate", "--bot", "loading", "--grid", "0"}, folder.Path().string(), 60s);
    EXPECT_TRUE(refused.exited);
    EXPECT_EQ(refused.exitStatus, 2);
    EXPECT_NE(ReadWholeFile(folder.File("stderr.txt"))
                  .find("vorl: Scripts/loading.lua: stopped: no answer within 1000 ms"),
              std::string::npos)
        << ReadWholeFile(folder.File("stderr.txt"));
}
