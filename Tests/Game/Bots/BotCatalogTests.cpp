// Bots by name: what names may reach the file system, which scripts are found, and that a user
// bot from the script folder plays like a compiled-in one, in the simulation too.
#include "Game/Bots/BotCatalog.h"
#include "Game/Bots/SimulateCommand.h"

#include "Support/SpecialFiles.h"
#include "Support/TempFolder.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

namespace
{
using namespace Snake;
using TestSupport::TempFolder;
using TestSupport::WriteWholeFile;

TEST(BotCatalogTest, OnlyPlainNamesMayNameAScript)
{
    for (const char* name : {"mybot", "My_Bot-2", "a", "0"})
        EXPECT_TRUE(IsValidBotName(name)) << name;
    for (const char* name :
         {"", ".", "..", "../x", "/etc/passwd", "a/b", "a\\b", "x.lua", "my bot", "~root", "a\nb"})
        EXPECT_FALSE(IsValidBotName(name)) << name;
    EXPECT_TRUE(IsValidBotName(std::string(64, 'b')));
    EXPECT_FALSE(IsValidBotName(std::string(65, 'b')));
}

TEST(BotCatalogTest, FindsTheScriptsWithValidNamesAndNothingElse)
{
    TempFolder folder;
    const std::filesystem::path scripts = folder.Path() / "Scripts";
    std::filesystem::create_directories(scripts / "folder.lua");
    for (const char* file : {"zeta.lua", "alpha.lua", "with space.lua", "notes.txt", "upper.LUA", ".lua"})
        WriteWholeFile((scripts / file).string(), "function decide(board) end\n");
    EXPECT_EQ(FindUserBotNames(scripts.string()), (std::vector<std::string>{"alpha", "zeta"}));
    EXPECT_TRUE(FindUserBotNames((folder.Path() / "missing").string()).empty());
}

TEST(BotCatalogTest, CreatesCompiledInAndUserBotsAndSaysWhyNot)
{
    TempFolder folder;
    const std::string scripts = (folder.Path() / "Scripts").string();
    std::filesystem::create_directories(scripts + "/folder");
    WriteWholeFile(scripts + "/left.lua", "function decide(board) return 'left' end\n");
    WriteWholeFile(scripts + "/broken.lua", "function decide(board\n");
    // A script beside the folder, reachable only by a name that climbs out of it.
    WriteWholeFile(folder.File("outside.lua"), "function decide(board) return 'up' end\n");

    std::string error;
    EXPECT_NE(CreateBot("autopilot", scripts, error), nullptr);
    const std::unique_ptr<IBot> left = CreateBot("left", scripts, error);
    ASSERT_NE(left, nullptr) << error;

    const struct
    {
        const char* name;
        const char* reason;
    } refused[] = {
        {"../outside", "'../outside' is no bot name"},
        {"missing", "no bot named 'missing'"},
        {"folder", "no bot named 'folder'"},
        {"broken", "Scripts/broken.lua:2:"},
    };
    for (const auto& c : refused)
    {
        error.clear();
        EXPECT_EQ(CreateBot(c.name, scripts, error), nullptr) << c.name;
        EXPECT_NE(error.find(c.reason), std::string::npos) << c.name << ": " << error;
        EXPECT_EQ(error.find('\n'), std::string::npos) << error;
    }
}

// A script name that leads to a FIFO, a device, a socket ... is refused at once with its kind,
// and left as it was: reading a FIFO would wait for a writer for ever.
class ScriptFileKindTest : public testing::TestWithParam<TestSupport::SpecialFileCase>
{
};

TEST_P(ScriptFileKindTest, IsRefusedAtOnceWithItsKindAndLeftAlone)
{
    const TestSupport::SpecialFileCase& kind = GetParam();
    if (kind.needsRoot && !TestSupport::IsRoot())
        GTEST_SKIP() << "making a device node needs root";
    TempFolder folder;
    const std::string scripts = (folder.Path() / "Scripts").string();
    std::filesystem::create_directories(scripts);
    const std::string path = scripts + "/odd.lua";
    ASSERT_TRUE(kind.make(path));
    const TestSupport::NodeIdentity before = TestSupport::Identity(path);

    std::string error;
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(CreateBot("odd", scripts, error), nullptr);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
    EXPECT_NE(
        error.find(scripts + "/odd.lua: cannot be read: it is " + kind.kindText + ", not a regular file"),
        std::string::npos)
        << error;
    EXPECT_TRUE(TestSupport::Identity(path) == before);
}

INSTANTIATE_TEST_SUITE_P(Kinds, ScriptFileKindTest, testing::ValuesIn(TestSupport::SpecialFileCases()),
                         [](const testing::TestParamInfo<TestSupport::SpecialFileCase>& p_Info)
                         { return std::string(p_Info.param.name); });

TEST(BotCatalogTest, AScriptLargerThanTheMemoryCapIsRefusedUnread)
{
    TempFolder folder;
    const std::string scripts = (folder.Path() / "Scripts").string();
    std::filesystem::create_directories(scripts);
    // Sparse: the size says 1 GiB, the disk holds nothing of it.
    WriteWholeFile(scripts + "/huge.lua", "");
    std::filesystem::resize_file(std::filesystem::path(scripts) / "huge.lua", 1ull << 30);
    std::string error;
    EXPECT_EQ(CreateBot("huge", scripts, error), nullptr);
    EXPECT_EQ(error, scripts + "/huge.lua: too large for the script memory limit");
}

// The simulation takes user bots by name from "Scripts" in the working folder.
TEST(BotCatalogTest, TheSimulationPlaysAUserBotFromTheScriptFolder)
{
    TempFolder folder;
    std::filesystem::create_directories(folder.Path() / "Scripts");
    WriteWholeFile(folder.File("Scripts/straight.lua"), "function decide(board) return nil end\n");
    const std::filesystem::path before = std::filesystem::current_path();
    std::filesystem::current_path(folder.Path());
    std::ostringstream out, err, badErr;
    const int status =
        RunSimulateCommand({"--simulate", "--bot", "straight", "--grid", "0", "--games", "2"}, out, err);
    const int badStatus = RunSimulateCommand({"--simulate", "--bot", "../straight"}, out, badErr);
    std::filesystem::current_path(before);

    EXPECT_EQ(status, 0) << err.str();
    // Straight on from column 1 of six: four steps to the border, and lost.
    EXPECT_EQ(out.str().rfind("grid=6x6 games=2 wins=0 stopped=0 stalled=0 avg_points=", 0), 0u) << out.str();
    EXPECT_EQ(badStatus, k_SimulateUsageStatus);
    EXPECT_NE(badErr.str().find("'../straight' is no bot name"), std::string::npos) << badErr.str();
}
} // namespace
