// Starts the built game in folders where one of its files ("gamedata.cfg", "records.cfg",
// "gamelog.txt") is no regular file but a FIFO, a device node, a folder, a socket, a dangling link
// or a link to a device or a FIFO. Such a file once hung the start-up (a FIFO's open waits for a
// writer, and SIGTERM was not yet caught) or was replaced at exit (a save renamed over a link's
// target). The game must draw its first frame, name the file in one Error line, end with status 0
// on SIGTERM within seconds, and leave the node exactly as it was.
#include "Support/GameSession.h"
#include "Support/LogLines.h"
#include "Support/SpecialFiles.h"
#include "Support/TempFolder.h"

#include <gtest/gtest.h>

#include <chrono>
#include <ostream>
#include <string>
#include <tuple>
#include <vector>

using TestSupport::GameSession;
using TestSupport::SpecialFileCase;
using TestSupport::TempFolder;

namespace
{
struct GameFile
{
    const char* name;
    const char* testName;
    const char* tag;       // the component that names the file in its Error line
    const char* afterKind; // the rest of that line behind "<kind>, not a regular file: "
};

const GameFile k_GameFiles[] = {
    {"gamedata.cfg", "Settings", "ConfigReader",
     "it is left alone and the game runs with the default settings"},
    {"records.cfg", "Records", "Records", "it is left alone and records are not saved"},
    {"gamelog.txt", "Log", "Log", "it is left alone and the log goes to standard output only"},
};

// The file's name in a failing test's parameter line.
void PrintTo(const GameFile& p_File, std::ostream* p_Out)
{
    *p_Out << p_File.name;
}

using Param = std::tuple<GameFile, SpecialFileCase>;

class FileKindEndToEnd : public testing::TestWithParam<Param>
{
};

std::string ParamName(const testing::TestParamInfo<Param>& p_Info)
{
    return std::string(std::get<0>(p_Info.param).testName) + std::get<1>(p_Info.param).name;
}

// How many lines at the level carry exactly this message under the tag.
int CountLines(const std::string& p_Log, const std::string& p_Level, const std::string& p_Tag,
               const std::string& p_Message)
{
    int count = 0;
    for (const std::string& line : TestSupport::Lines(p_Log))
        if (line.find("] " + p_Level + " ") != std::string::npos &&
            TestSupport::MessageOf(line, p_Tag) == p_Message)
            ++count;
    return count;
}
} // namespace

TEST_P(FileKindEndToEnd, TheGameStartsNamesTheFileEndsOnSigtermAndLeavesItAlone)
{
    const auto& [file, kind] = GetParam();
    if (kind.needsRoot && !TestSupport::IsRoot())
        GTEST_SKIP() << "mknod needs root";
    TempFolder folder;
    const std::string path = folder.File(file.name);
    ASSERT_TRUE(kind.make(path));
    const TestSupport::NodeIdentity before = TestSupport::Identity(path);

    GameSession game(folder, VORL_EXECUTABLE);
    // Every line goes to standard output too; "gamelog.txt" may be the FIFO itself.
    game.ReadLogFrom("stdout.txt");
    ASSERT_TRUE(game.Open()) << game.Log();

    const auto start = std::chrono::steady_clock::now();
    const TestSupport::ProgramResult result = game.Terminate();
    EXPECT_TRUE(result.exited);
    EXPECT_EQ(result.exitStatus, 0);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10));

    const std::string log = game.Log();
    const std::string error =
        "\"" + std::string(file.name) + "\" is " + kind.kindText + ", not a regular file: " + file.afterKind;
    EXPECT_EQ(CountLines(log, "Error", file.tag, error), 1) << log;
    if (std::string(file.name) == "gamedata.cfg")
    {
        EXPECT_EQ(CountLines(log, "Warning", "ConfigReader",
                             "Settings not saved to \"gamedata.cfg\": it is " + std::string(kind.kindText) +
                                 ", not a regular file"),
                  1)
            << log;
    }

    EXPECT_EQ(TestSupport::Identity(path), before);
    for (const std::string& name : TestSupport::NamesIn(folder.Path()))
        EXPECT_EQ(name.find(std::string(file.name) + ".tmp-"), std::string::npos) << name;
}

INSTANTIATE_TEST_SUITE_P(Kinds, FileKindEndToEnd,
                         testing::Combine(testing::ValuesIn(k_GameFiles),
                                          testing::ValuesIn(TestSupport::SpecialFileCases())),
                         ParamName);

// The same report found "--data-dir" taking the next option as its folder: "vorl --data-dir
// --simulate" played in a new folder named "--simulate". Now it is a usage error, and nothing is
// created.
TEST(DataDirEndToEnd, AnOptionBehindDataDirIsNoFolderButAUsageError)
{
    const std::vector<std::vector<std::string>> cases = {
        {"--data-dir", "--simulate"},
        {"--data-dir", "-x", "--simulate", "--games", "1"},
        {"--data-dir"},
    };
    for (const std::vector<std::string>& arguments : cases)
    {
        TempFolder folder;
        const TestSupport::ProgramResult result = TestSupport::RunProgram(
            VORL_EXECUTABLE, arguments, folder.Path().string(), std::chrono::seconds(30));
        const std::string error = TestSupport::ReadWholeFile(folder.File("stderr.txt"));
        EXPECT_TRUE(result.exited) << arguments.size();
        EXPECT_EQ(result.exitStatus, 2) << error;
        EXPECT_EQ(error.rfind("vorl: option '--data-dir' needs a folder", 0), 0u) << error;
        EXPECT_NE(error.find("Try 'vorl --help' for more information.\n"), std::string::npos) << error;
        EXPECT_EQ(TestSupport::NamesIn(folder.Path()),
                  (std::vector<std::string>{"stderr.txt", "stdout.txt"}));
    }
}
