#include "Corvan/Scripting/LuaSandbox.h"

#include "Corvan/Scripting/LuaPatternCost.h"

#include "Support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>

namespace
{
using Telvar::LuaSandbox;
using Telvar::ScriptValue;

struct HostileCase
{
    const char* name;
    const char* body;     // the body of f(), from line 2 of the script on
    const char* expected; // a pattern the one error line must match
};

// Every script defines ok() on line 1, so that the test can see the state still serves.
std::string Script(const char* p_Body)
{
    return std::string("function ok() return 42 end\nfunction f()\n") + p_Body + "\nend\n";
}

class HostileScriptTest : public testing::TestWithParam<HostileCase>
{
};

TEST_P(HostileScriptTest, IsStoppedWithItsLineAndTheStateGoesOn)
{
    LuaSandbox sandbox;
    ASSERT_TRUE(sandbox.LoadText(Script(GetParam().body), "Scripts/hostile.lua")) << sandbox.GetLastError();
    ScriptValue result;
    EXPECT_FALSE(sandbox.Call("f", ScriptValue{}, result));
    const std::string& error = sandbox.GetLastError();
    EXPECT_TRUE(std::regex_search(error, std::regex(GetParam().expected))) << error;
    EXPECT_EQ(error.find('\n'), std::string::npos) << error;
    EXPECT_LT(sandbox.GetMemoryInUse(), Telvar::SandboxLimits{}.memoryBytes);

    ASSERT_TRUE(sandbox.Call("ok", ScriptValue{}, result)) << sandbox.GetLastError();
    EXPECT_EQ(result.type, ScriptValue::Type::Number);
    EXPECT_EQ(result.number, 42.0);
}

INSTANTIATE_TEST_SUITE_P(
    Sandbox, HostileScriptTest,
    testing::Values(
        HostileCase{"InfiniteLoop", "  while true do end",
                    "^Scripts/hostile.lua:3: stopped: instruction budget"},
        HostileCase{"LoopThatSwallowsItsStopWithPcall",
                    "  while true do pcall(function() while true do end end) end",
                    "^Scripts/hostile.lua:3: stopped: instruction budget"},
        HostileCase{"UnboundedTableGrowth", "  local t = {}\n  while true do t[#t + 1] = {} end",
                    "^Scripts/hostile.lua:4: stopped: memory limit"},
        HostileCase{"GigabytesOfStringRep", "  local s = string.rep('x', 2^30)",
                    "^Scripts/hostile.lua:3: stopped: memory limit"},
        HostileCase{"DeepRecursion", "  local function r(n) return 1 + r(n + 1) end\n  return r(1)",
                    "^Scripts/hostile.lua:3: (stopped: memory limit|.*stack overflow)"},
        HostileCase{"OsExecute", "  os.execute('touch /tmp/vorl-sandbox-escaped')",
                    "^Scripts/hostile.lua:3: attempt to index a nil value \\(global 'os'\\)"},
        HostileCase{"IoOpen", "  io.open('/etc/passwd')",
                    "^Scripts/hostile.lua:3: attempt to index a nil value \\(global 'io'\\)"},
        HostileCase{"Require", "  require('os')",
                    "^Scripts/hostile.lua:3: attempt to call a nil value \\(global 'require'\\)"},
        HostileCase{"Dofile", "  dofile('/etc/passwd')",
                    "^Scripts/hostile.lua:3: attempt to call a nil value \\(global 'dofile'\\)"},
        HostileCase{"Loadfile", "  loadfile('/etc/passwd')",
                    "^Scripts/hostile.lua:3: attempt to call a nil value \\(global 'loadfile'\\)"},
        HostileCase{"LoadOfABinaryChunk", "  assert(load('\\27LuaT\\0\\25\\147\\r\\n\\26\\n'))",
                    "^Scripts/hostile.lua:3: .*binary chunk"},
        HostileCase{"StringDumpToMakeOne", "  string.dump(ok)",
                    "^Scripts/hostile.lua:3: attempt to call a nil value \\(field 'dump'\\)"},
        HostileCase{"DebugLibrary", "  debug.sethook()",
                    "^Scripts/hostile.lua:3: attempt to index a nil value \\(global 'debug'\\)"},
        HostileCase{"StoppingTheCollector", "  collectgarbage('stop')",
                    "^Scripts/hostile.lua:3: .*'stop' is not allowed"},
        HostileCase{"ErrorWithoutPosition", "  error('plain', 0)", "^Scripts/hostile.lua:3: plain$"},
        HostileCase{"ErrorWithATable", "  error({})",
                    "^Scripts/hostile.lua:3: \\(error object is a table value\\)$"},
        // Each of these backtracks for longer than the machine lasts inside one C call.
        HostileCase{"PathologicalPatternInFind",
                    "  return string.rep('a', 40):find(string.rep('a*', 40) .. 'b')",
                    "^Scripts/hostile.lua:3: string.find: pattern too complex"},
        HostileCase{"PathologicalPatternInMatchAsAMethod",
                    "  local s = string.rep('a', 5000)\n  return s:match('(.-)(.-)(.-)b')",
                    "^Scripts/hostile.lua:4: string.match: pattern too complex"},
        HostileCase{"PathologicalPatternInGmatch",
                    "  for x in string.rep('a', 200):gmatch(string.rep('a?', 200) .. 'b') do end",
                    "^Scripts/hostile.lua:3: string.gmatch: pattern too complex"},
        HostileCase{"PathologicalPatternInGsub", "  return (string.rep('a', 3000):gsub('a-a-a-b', ''))",
                    "^Scripts/hostile.lua:3: string.gsub: pattern too complex"},
        HostileCase{
            "ManyAffordablePatternsStillAddUp",
            "  local s = string.rep('a', 300)\n  while true do s:find('a*b') end",
            "^Scripts/hostile.lua:4: string.find: pattern too complex.* left of the instruction budget"}),
    [](const testing::TestParamInfo<HostileCase>& p_Info) { return std::string(p_Info.param.name); });

// Found by the sandbox fuzz target: a loop that makes and drops large strings ran a few
// instructions per round while each round copied kilobytes, so one call took many seconds.
TEST(LuaSandboxTest, LargeAllocationsCountAgainstTheInstructionBudget)
{
    LuaSandbox sandbox({16u * 1024u * 1024u, 100'000});
    ASSERT_TRUE(sandbox.LoadText(
        "rounds = 0\n"
        "function f() while true do rounds = rounds + 1; local s = string.rep('x', 100000) end end\n"
        "function count() return rounds end\n",
        "Scripts/churn.lua"))
        << sandbox.GetLastError();
    ScriptValue result;
    EXPECT_FALSE(sandbox.Call("f", ScriptValue{}, result));
    EXPECT_NE(sandbox.GetLastError().find("stopped: instruction budget"), std::string::npos)
        << sandbox.GetLastError();
    ASSERT_TRUE(sandbox.Call("count", ScriptValue{}, result)) << sandbox.GetLastError();
    // 100 kB cost about 1600 instructions: some 60 rounds fit, not the ten thousand and more that
    // the loop alone allowed.
    EXPECT_LT(result.number, 200.0);
}

TEST(LuaSandboxTest, TablesGoInAndPlainValuesComeBack)
{
    LuaSandbox sandbox;
    ASSERT_TRUE(sandbox.LoadText("calls = 0\n"
                                 "function f(t)\n"
                                 "  calls = calls + 1\n"
                                 "  return t.name .. ':' .. #t.list .. ':' .. t.list[2].x .. ':' .. calls\n"
                                 "end\n",
                                 "plain.lua"));
    ScriptValue argument = ScriptValue::Table().Set("name", ScriptValue::Text("grid"));
    ScriptValue list = ScriptValue::Table();
    list.items.push_back(ScriptValue::Table().Set("x", ScriptValue::Number(1)));
    list.items.push_back(ScriptValue::Table().Set("x", ScriptValue::Number(7)));
    argument.Set("list", list);
    ScriptValue result;
    ASSERT_TRUE(sandbox.Call("f", argument, result)) << sandbox.GetLastError();
    ASSERT_TRUE(sandbox.Call("f", argument, result)) << sandbox.GetLastError();
    EXPECT_EQ(result.type, ScriptValue::Type::Text);
    EXPECT_EQ(result.text, "grid:2:7:2"); // the globals live on between calls
}

TEST(LuaSandboxTest, TextChunksStillLoadAndTheSafeLibrariesAreThere)
{
    LuaSandbox sandbox;
    ASSERT_TRUE(sandbox.LoadText("function f()\n"
                                 "  local g = load('return 20 + 1')\n"
                                 "  return g() * 2 + math.floor(0.5) + #string.format('%d', 7) - "
                                 "#table.concat({}) + collectgarbage('count') * 0\n"
                                 "end\n",
                                 "safe.lua"));
    ScriptValue result;
    ASSERT_TRUE(sandbox.Call("f", ScriptValue{}, result)) << sandbox.GetLastError();
    EXPECT_EQ(result.number, 43.0);
}

TEST(LuaSandboxTest, OrdinaryPatternsStillMatchLongSubjects)
{
    LuaSandbox sandbox;
    ASSERT_TRUE(
        sandbox.LoadText("function f()\n"
                         "  local spaced = string.rep('word   ', 20000)\n"
                         "  local squeezed, n = spaced:gsub('%s+', ' ')\n"
                         "  local words = 0\n"
                         "  for w in squeezed:gmatch('%a+') do words = words + 1 end\n"
                         "  local a, b = ('12,34'):match('^(%d+),(%d+)$')\n"
                         "  local at = spaced:find('   ', 1, true)\n"
                         "  return #squeezed .. ':' .. n .. ':' .. words .. ':' .. a + b .. ':' .. at\n"
                         "end\n",
                         "patterns.lua"));
    ScriptValue result;
    ASSERT_TRUE(sandbox.Call("f", ScriptValue{}, result)) << sandbox.GetLastError();
    EXPECT_EQ(result.text, "100000:20000:20000:46:5");
}

TEST(LuaPatternCostTest, GrowsWithEachBacktrackingItemThatHasPatternAfterIt)
{
    struct Case
    {
        const char* pattern;
        bool anchor;
        double atMost; // for a 1000-byte subject
        double atLeast;
    } cases[] = {
        {"%s+", true, 1e4, 1e3},             // a final repetition: one pass per start
        {"^(%d+),(%d+)$", true, 1e10, 1e6},  // anchored; the last repetition retried before the $
        {"^(%d+),(%d+)$", false, 1e13, 1e9}, // gmatch: every position is a start
        {"a*$", true, 1e7, 1e6},             // quadratic on a run of a's that ends in another letter
        {"a-$", true, 1e7, 1e6},
        {"(a+)", true, 1e4, 1e3},      // a last item with nothing after it is one pass per start
        {"a*b", true, 1e7, 1e6},       // the classic quadratic
        {"a-a-a-b", true, 1e13, 1e12}, // cubic and beyond
        {"a?a?a?a?a?a?a?a?a?a?b", true, 1e8, 1e6},
        {"%b()x", true, 1e7, 1e6},
        {"(a*)%1b", true, 1e10, 1e9},
        {"[%]a-]*b", true, 1e8, 1e6}, // a set with an escaped bracket is one item
    };
    for (const Case& c : cases)
    {
        const double steps = Telvar::PatternWorstCaseSteps(c.pattern, 1000, c.anchor);
        EXPECT_LE(steps, c.atMost) << c.pattern;
        EXPECT_GE(steps, c.atLeast) << c.pattern;
    }
}

TEST(LuaSandboxTest, TopLevelLoopsAndMissingFunctionsAreReported)
{
    LuaSandbox looping;
    EXPECT_FALSE(looping.LoadText("local n = 0\nwhile true do n = n + 1 end\n", "top.lua"));
    EXPECT_TRUE(
        std::regex_search(looping.GetLastError(), std::regex("^top.lua:2: stopped: instruction budget")))
        << looping.GetLastError();

    LuaSandbox empty;
    ASSERT_TRUE(empty.LoadText("x = 1\n", "empty.lua"));
    ScriptValue result;
    EXPECT_FALSE(empty.Call("decide", ScriptValue{}, result));
    EXPECT_EQ(empty.GetLastError(), "empty.lua: no function 'decide'");
}

TEST(LuaSandboxTest, FilesCarryTheirPathAndBinaryFilesAreRefused)
{
    TestSupport::TempFolder folder;
    const std::string broken = folder.File("broken.lua");
    std::ofstream(broken) << "function f()\n  return = 1\nend\n";
    LuaSandbox sandbox;
    EXPECT_FALSE(sandbox.LoadFile(broken));
    EXPECT_EQ(sandbox.GetLastError().rfind(broken + ":2:", 0), 0u) << sandbox.GetLastError();

    const std::string binary = folder.File("binary.lua");
    std::ofstream(binary, std::ios::binary) << "\x1bLuaT";
    EXPECT_FALSE(sandbox.LoadFile(binary));
    EXPECT_NE(sandbox.GetLastError().find("binary chunk"), std::string::npos) << sandbox.GetLastError();

    EXPECT_FALSE(sandbox.LoadFile(folder.File("missing.lua")));
    EXPECT_EQ(sandbox.GetLastError(), folder.File("missing.lua") + ": cannot be read");
    EXPECT_FALSE(std::filesystem::exists("/tmp/vorl-sandbox-escaped"));
}
} // namespace
