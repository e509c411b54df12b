#include "Corvan/Scripting/ScriptProcess.h"

#include "Corvan/Scripting/ScriptWire.h"
#include "Lib/Platform/ChildProcess.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <regex>
#include <sstream>
#include <unistd.h>

namespace
{
using namespace std::chrono_literals;
using Telvar::ScriptFailure;
using Telvar::ScriptProcess;
using Telvar::ScriptValue;

// The limits of a bot, with a longer wait: the cases that the budget or the cap stop must be
// stopped by them even on a busy machine, and the time cases then show the wait at work.
Telvar::ScriptProcessLimits TestLimits(std::chrono::milliseconds p_Wait = 500ms)
{
    Telvar::ScriptProcessLimits limits;
    limits.sandbox.memoryBytes = 16u * 1024u * 1024u;
    limits.sandbox.instructionsPerCall = 2'000'000;
    limits.answerTime = p_Wait;
    limits.loadTime = p_Wait;
    return limits;
}

// One field of /proc/<pid>/status in kB ("VmRSS", "VmPeak"); 0 when the process is gone.
uint64_t StatusKilobytes(int p_ProcessId, const std::string& p_Field)
{
    std::ifstream status("/proc/" + std::to_string(p_ProcessId) + "/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind(p_Field + ":", 0) == 0)
            return std::stoull(line.substr(p_Field.size() + 1));
    return 0;
}

bool ProcessIsGone(int p_ProcessId)
{
    return kill(p_ProcessId, 0) == -1 && errno == ESRCH;
}

const char* FailureName(ScriptFailure p_Failure)
{
    switch (p_Failure)
    {
    case ScriptFailure::None:
        return "none";
    case ScriptFailure::Error:
        return "error";
    case ScriptFailure::Instructions:
        return "instructions";
    case ScriptFailure::Memory:
        return "memory";
    case ScriptFailure::Time:
        return "time";
    case ScriptFailure::HostEnded:
        return "host ended";
    }
    return "?";
}

struct HostileCase
{
    const char* name;
    const char* body; // the body of decide(board), from line 3 of the script on
    ScriptFailure failure;
    const char* line; // a pattern the one error line must match, after "Scripts/hostile.lua"
};

// Line 1 keeps a finalizer-free helper, line 2 opens decide: the body starts at line 3.
std::string Script(const char* p_Body)
{
    return std::string("function ok() return 42 end\nfunction decide(board)\n") + p_Body + "\nend\n";
}

class HostileScriptProcessTest : public testing::TestWithParam<HostileCase>
{
};

TEST_P(HostileScriptProcessTest, IsStoppedInTimeWithOneLineAndTheCallerGoesOn)
{
    const HostileCase& hostile = GetParam();
    const uint64_t residentBefore = StatusKilobytes(getpid(), "VmRSS");
    ScriptProcess script(TestLimits());
    ASSERT_TRUE(script.LoadText(Script(hostile.body), "Scripts/hostile.lua")) << script.GetLastError();
    const int host = script.HostProcessId();
    ASSERT_GT(host, 0);

    ScriptValue result;
    const auto before = std::chrono::steady_clock::now();
    const bool answered = script.Call("decide", ScriptValue::Table(), result);
    const auto took = std::chrono::steady_clock::now() - before;
    EXPECT_EQ(answered, hostile.failure == ScriptFailure::None) << script.GetLastError();
    // The wait plus a margin for a busy machine; never the minutes to days the work would take.
    EXPECT_LT(took, 500ms + 1500ms);
    EXPECT_EQ(FailureName(script.GetLastFailure()), std::string(FailureName(hostile.failure)))
        << script.GetLastError();
    if (!answered)
    {
        EXPECT_TRUE(std::regex_search(script.GetLastError(),
                                      std::regex(std::string("^Scripts/hostile\\.lua") + hostile.line)))
            << script.GetLastError();
    }
    EXPECT_EQ(script.GetLastError().find('\n'), std::string::npos);
    std::printf("[ stopped  ] %-28s %6.1f ms  %s\n", hostile.name,
                std::chrono::duration<double, std::milli>(took).count(), script.GetLastError().c_str());

    if (hostile.failure == ScriptFailure::Time || hostile.failure == ScriptFailure::HostEnded)
    {
        // The host is gone and stays gone; later calls fail at once with the same line.
        EXPECT_TRUE(ProcessIsGone(host));
        const std::string line = script.GetLastError();
        EXPECT_FALSE(script.Call("ok", ScriptValue{}, result));
        EXPECT_EQ(script.GetLastError(), line);
    }
    else
    {
        // The sandbox caught it: the same host serves on, within its address space.
        ASSERT_TRUE(script.Call("ok", ScriptValue{}, result)) << script.GetLastError();
        EXPECT_EQ(result.number, 42);
        EXPECT_LE(StatusKilobytes(host, "VmPeak") * 1024, 16u * 1024u * 1024u + 96u * 1024u * 1024u);
    }
    // None of it grew the caller.
    EXPECT_LT(StatusKilobytes(getpid(), "VmRSS"), residentBefore + 64 * 1024);
}

INSTANTIATE_TEST_SUITE_P(
    ScriptHost, HostileScriptProcessTest,
    testing::Values(
        // Code the count hook never sees: a message handler and finalizers.
        HostileCase{"LoopingMessageHandler",
                    "  return xpcall(function() while true do end end, function(e) while true do end end)",
                    ScriptFailure::Time, ": stopped: no answer within 500 ms$"},
        HostileCase{"LoopingFinalizer",
                    "  setmetatable({}, {__gc = function() while true do end end})\n  collectgarbage()",
                    ScriptFailure::Time, ": stopped: no answer within 500 ms$"},
        // A finalizer's errors are swallowed by Lua: one that allocates is held by the memory cap
        // and the call goes on; one that also swallows the cap's error runs until the wait ends.
        HostileCase{"AllocatingFinalizer",
                    "  setmetatable({}, {__gc = function() local t = {} while true do t[#t + 1] = "
                    "string.rep('x', 1000) end end})\n  collectgarbage()",
                    ScriptFailure::None, ""},
        HostileCase{"AllocatingFinalizerThatCatchesTheCap",
                    "  setmetatable({}, {__gc = function() local t = {} while true do pcall(function() "
                    "t[#t + 1] = string.rep('x', 1000) end) end end})\n  collectgarbage()",
                    ScriptFailure::Time, ": stopped: no answer within 500 ms$"},
        // Work inside one library call.
        HostileCase{"RepeatingTheEmptyString", "  return string.rep('', 1e15)", ScriptFailure::Error,
                    ":3: string.rep: 1e\\+15 steps are more than"},
        HostileCase{"MovingAQuadrillionSlots", "  return table.move({}, 1, 1e15, 2)", ScriptFailure::Error,
                    ":3: table.move: 1e\\+15 steps"},
        HostileCase{"ComparingLongStrings",
                    "  local a = string.rep('x', 5e6)\n  local b = string.rep('x', 5e6)\n"
                    "  while true do local _ = a < b end",
                    ScriptFailure::Time, ": stopped: no answer within 500 ms$"},
        HostileCase{"PlainFindOnMegabytes",
                    "  local s = string.rep('ab', 4e6)\n  while true do s:find('ba', 1, true) s:find('c', 1, "
                    "true) end",
                    ScriptFailure::Time, ": stopped: no answer within 500 ms$"},
        HostileCase{
            "SortingInALoop",
            "  local t = {} for i = 1, 1e5 do t[i] = tostring(i) end\n  while true do table.sort(t) end",
            ScriptFailure::Error,
            ":4: table.sort: .* steps are more than the .* left of the instruction budget$"},
        // An iterator that has found nothing scans to the end again at every further call.
        HostileCase{"CallingASpentMatchIterator",
                    "  local it = string.rep('a', 20000):gmatch('b')\n  while true do it() end",
                    ScriptFailure::Instructions, ":4: stopped: instruction budget"},
        HostileCase{"AnchoredQuantifierAtTheEnd", "  return (string.rep('a', 5000) .. 'b'):find('a*$')",
                    ScriptFailure::Error, ":3: string.find: pattern too complex"},
        // load() catches the cap's error and returns it: the call answers.
        HostileCase{"ReaderThatNeverEnds", "  return load(function() return 'x = 1 ' end)",
                    ScriptFailure::None, ""},
        HostileCase{"LoopInAMessageHandlerOfAnError",
                    "  error(setmetatable({}, {__tostring = function() "
                    "while true do end end}))",
                    ScriptFailure::Error, ":3: \\(error object is a table value\\)$"},
        HostileCase{"DoublingAString", "  local s = 'x'\n  while true do s = s .. s end",
                    ScriptFailure::Memory, ":4: stopped: memory limit"},
        HostileCase{"EndlessRecursion", "  local function f() return 1 + f() end\n  return f()",
                    ScriptFailure::Memory, ":3: stopped: memory limit"}),
    [](const testing::TestParamInfo<HostileCase>& p_Info) { return std::string(p_Info.param.name); });

TEST(ScriptProcessTest, AnswersCarryPlainValuesAndTheStateLivesOnBetweenCalls)
{
    ScriptProcess script(TestLimits());
    ASSERT_TRUE(script.LoadText("n = 0\nfunction decide(board)\n  n = n + 1\n"
                                "  return board.snake[1].x .. ',' .. n\nend\n"
                                "function table_answer() return {} end\n",
                                "Scripts/count.lua"))
        << script.GetLastError();
    bool found = false;
    ASSERT_TRUE(script.HasFunction("decide", found));
    EXPECT_TRUE(found);
    ASSERT_TRUE(script.HasFunction("n", found));
    EXPECT_FALSE(found);
    ScriptValue board = ScriptValue::Table().Set(
        "snake",
        []
        {
            ScriptValue snake = ScriptValue::Table();
            snake.items.push_back(ScriptValue::Table().Set("x", ScriptValue::Number(4)));
            return snake;
        }());
    ScriptValue result;
    for (const char* expected : {"4,1", "4,2", "4,3"})
    {
        ASSERT_TRUE(script.Call("decide", board, result)) << script.GetLastError();
        EXPECT_EQ(result.text, expected);
    }
    ASSERT_TRUE(script.Call("table_answer", ScriptValue{}, result));
    EXPECT_EQ(result.type, ScriptValue::Type::Other);
}

TEST(ScriptProcessTest, TheDefaultWaitEndsALoopThatTheBudgetCannotSee)
{
    ScriptProcess script(TestLimits(50ms));
    ASSERT_TRUE(script.LoadText(Script("  setmetatable({}, {__gc = function() while true do end end})\n"
                                       "  collectgarbage()"),
                                "Scripts/finalizer.lua"));
    ScriptValue result;
    const auto before = std::chrono::steady_clock::now();
    EXPECT_FALSE(script.Call("decide", ScriptValue{}, result));
    const auto took = std::chrono::steady_clock::now() - before;
    EXPECT_EQ(script.GetLastFailure(), ScriptFailure::Time);
    EXPECT_EQ(script.GetLastError(), "Scripts/finalizer.lua: stopped: no answer within 50 ms");
    EXPECT_GE(took, 50ms);
    EXPECT_LT(took, 1s);
}

TEST(ScriptProcessTest, LoadingIsBoundedAndFailuresNameTheScript)
{
    struct Case
    {
        const char* name;
        std::string source;
        ScriptFailure failure;
        const char* line;
    } cases[] = {
        {"TopLevelFinalizerLoop",
         "setmetatable({}, {__gc = function() while true do end end})\ncollectgarbage()\n",
         ScriptFailure::Time, "^Scripts/load\\.lua: stopped: no answer within 500 ms$"},
        {"DeeplyNested", "return " + std::string(100000, '(') + "1" + std::string(100000, ')'),
         ScriptFailure::Error, "^Scripts/load\\.lua: .*(C stack overflow|too many|overflow)"},
        {"DeeplyNestedTables", "x = " + std::string(100000, '{') + std::string(100000, '}'),
         ScriptFailure::Error, "^Scripts/load\\.lua"},
        {"BinaryChunk", std::string("\x1bLuaT\0", 6), ScriptFailure::Error,
         "^Scripts/load\\.lua.*binary chunk"},
        {"TopLevelLoop", "while true do end", ScriptFailure::Instructions,
         "^Scripts/load\\.lua:1: stopped: instruction budget"},
    };
    for (const Case& c : cases)
    {
        ScriptProcess script(TestLimits());
        const auto before = std::chrono::steady_clock::now();
        EXPECT_FALSE(script.LoadText(c.source, "Scripts/load.lua")) << c.name;
        EXPECT_LT(std::chrono::steady_clock::now() - before, 2s) << c.name;
        EXPECT_EQ(FailureName(script.GetLastFailure()), std::string(FailureName(c.failure)))
            << c.name << ": " << script.GetLastError();
        EXPECT_TRUE(std::regex_search(script.GetLastError(), std::regex(c.line)))
            << c.name << ": " << script.GetLastError();
    }
}

TEST(ScriptProcessTest, TheHostEndsAtOnceWithItsOwnerAndRunsNoFinalizerAfterwards)
{
    int host = 0;
    std::chrono::steady_clock::duration took{};
    {
        auto script = std::make_unique<ScriptProcess>(TestLimits());
        // A finalizer that would allocate without end once the state is closed, and a call that
        // is still running when its owner goes.
        ASSERT_TRUE(script->LoadText("keep = setmetatable({}, {__gc = function() local t = {} "
                                     "while true do t[#t + 1] = string.rep('x', 4096) end end})\n"
                                     "function decide() while true do end end\n",
                                     "Scripts/leaving.lua"));
        host = script->HostProcessId();
        ASSERT_GT(host, 0);
        const auto before = std::chrono::steady_clock::now();
        script.reset();
        took = std::chrono::steady_clock::now() - before;
    }
    EXPECT_TRUE(ProcessIsGone(host)); // killed and reaped, not left to run or to be waited for
    EXPECT_LT(took, 500ms);
}

// The limits as the kernel keeps them for the running host: /proc/<pid>/limits and status.
TEST(ScriptProcessTest, TheHostRunsUnderItsLimitsAndTheSystemCallFilter)
{
    ScriptProcess script(TestLimits());
    ASSERT_TRUE(script.LoadText("function decide() return 1 end\n", "Scripts/plain.lua"));
    const int host = script.HostProcessId();
    std::ifstream limitsFile("/proc/" + std::to_string(host) + "/limits");
    std::stringstream limits;
    limits << limitsFile.rdbuf();
    const std::string addressSpace = std::to_string(16ull * 1024 * 1024 + 96ull * 1024 * 1024);
    for (const std::string& expected :
         {"Max address space +" + addressSpace + " +" + addressSpace, std::string("Max core file size +0 +0"),
          std::string("Max file size +0 +0"), std::string("Max open files +3 +3"),
          std::string("Max cpu time +[0-9]+ +unlimited")})
        EXPECT_TRUE(std::regex_search(limits.str(), std::regex(expected))) << expected << "\n"
                                                                           << limits.str();
    std::ifstream statusFile("/proc/" + std::to_string(host) + "/status");
    std::stringstream status;
    status << statusFile.rdbuf();
    EXPECT_NE(status.str().find("NoNewPrivs:\t1"), std::string::npos) << status.str();
    EXPECT_NE(status.str().find("Seccomp:\t2"), std::string::npos) << status.str(); // a filter
    // Its own process group: the terminal's Ctrl+C is the game's to handle.
    EXPECT_EQ(getpgid(host), host);

    // The host refuses to run for a parent that is not its own: confinement fails closed.
    const std::string command =
        "'" + ScriptProcess::FindHostProgram() + "' 1 100000000 1 </dev/null; echo $?";
    FILE* pipe = popen(command.c_str(), "r");
    ASSERT_NE(pipe, nullptr);
    char exitStatus[16] = {};
    ASSERT_NE(fgets(exitStatus, sizeof exitStatus, pipe), nullptr);
    pclose(pipe);
    EXPECT_STREQ(exitStatus, "3\n");
}

// The engine normally ends a late host itself; a host whose parent stopped watching (stopped in a
// debugger, or hung) still ends by its own processor-time limit.
TEST(ScriptProcessTest, AHostNobodyWatchesEndsByItsProcessorTimeLimit)
{
    Lib::ChildProcess host;
    std::string error;
    // One second a request (the least the host takes), and a budget the loop cannot spend.
    ASSERT_TRUE(host.Start(ScriptProcess::FindHostProgram(),
                           {std::to_string(getpid()), std::to_string(256u * 1024u * 1024u), "1"}, error))
        << error;
    const Lib::Deadline deadline = Lib::DeadlineIn(5s);
    ASSERT_EQ(host.Write(Telvar::Wire::EncodeLoad({16u * 1024u * 1024u, UINT64_MAX / 2}, "Scripts/spin.lua",
                                                  "function decide() while true do end end"),
                         deadline),
              Lib::PipeResult::Done);
    char prefix[Telvar::Wire::k_LengthBytes];
    ASSERT_EQ(host.ReadExactly(prefix, sizeof prefix, deadline), Lib::PipeResult::Done);
    uint32_t length = 0;
    ASSERT_TRUE(Telvar::Wire::DecodeLength(prefix, length));
    std::string payload(length, '\0');
    ASSERT_EQ(host.ReadExactly(payload.data(), payload.size(), deadline), Lib::PipeResult::Done);
    ASSERT_EQ(host.Write(Telvar::Wire::EncodeCall("decide", ScriptValue{}), deadline), Lib::PipeResult::Done);

    // Nobody waits for the answer: the kernel ends the host after about a second of its time.
    const auto before = std::chrono::steady_clock::now();
    char byte = 0;
    EXPECT_EQ(host.ReadExactly(&byte, 1, Lib::DeadlineIn(10s)), Lib::PipeResult::Closed);
    const auto took = std::chrono::steady_clock::now() - before;
    EXPECT_LT(took, 9s); // a second or two of processor time, on a machine that may be busy
    host.Kill();
    EXPECT_EQ(host.EndDescription().rfind("killed by signal 24", 0), 0u) << host.EndDescription(); // SIGXCPU
}

TEST(ScriptProcessTest, AMissingHostProgramIsReportedAndNothingRuns)
{
    const char* configured = std::getenv("VORL_SCRIPT_HOST");
    const std::string saved = configured != nullptr ? configured : "";
    setenv("VORL_SCRIPT_HOST", "/nonexistent/vorl-scripthost", 1);
    ScriptProcess script(TestLimits());
    EXPECT_FALSE(script.LoadText("function decide() end", "Scripts/x.lua"));
    setenv("VORL_SCRIPT_HOST", saved.c_str(), 1);
    EXPECT_EQ(script.GetLastFailure(), ScriptFailure::HostEnded);
    EXPECT_TRUE(std::regex_search(script.GetLastError(), std::regex("^Scripts/x\\.lua: cannot start "
                                                                    "\"/nonexistent/vorl-scripthost\"")))
        << script.GetLastError();
    ScriptValue result;
    EXPECT_FALSE(script.Call("decide", ScriptValue{}, result));
}
} // namespace
