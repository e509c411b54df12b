// The Windows build (build/win64/vorl.exe) run under Wine on the test run's X display, as a player
// on Windows would run it: started in a folder of its own, drawn, steered with real key presses,
// closed with Alt+F4. What it leaves on disk is compared with what the Linux build leaves.
#include "EndToEnd/GameRound.h"
#include "EndToEnd/GameScreen.h"
#include "Support/DefaultConfigFile.h"
#include "Support/GameSession.h"
#include "Support/RgbImage.h"
#include "Support/RunProgram.h"
#include "Support/TempFolder.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <regex>
#include <string>
#include <vector>

using namespace TestSupport;
using namespace GameRound;
using namespace GameScreen;
using namespace std::chrono_literals;

namespace
{
const std::string k_Wine = "/usr/bin/wine";
const std::string k_NotoSans = "/usr/share/fonts/truetype/noto/NotoSans-Regular.ttf";

// Wine has no Arial and no Noto: the game finds its font in "Resources/Fonts/" of its folder, as a
// player's unpacked zip has it.
void ProvideFont(const TempFolder& p_Folder)
{
    const std::filesystem::path fonts = p_Folder.Path() / "Resources" / "Fonts" / "Noto_Sans";
    std::filesystem::create_directories(fonts);
    std::filesystem::copy_file(k_NotoSans, fonts / "NotoSans-Regular.ttf");
}

// The text with every CRLF made LF; the count of CRLF pairs and of LF alone in p_Pairs/p_Bare.
std::string WithoutCarriageReturns(const std::string& p_Text, size_t& p_Pairs, size_t& p_Bare)
{
    std::string result;
    p_Pairs = p_Bare = 0;
    for (size_t i = 0; i < p_Text.size(); ++i)
    {
        if (p_Text[i] == '\r' && i + 1 < p_Text.size() && p_Text[i + 1] == '\n')
        {
            ++p_Pairs;
            continue;
        }
        if (p_Text[i] == '\n' && (i == 0 || p_Text[i - 1] != '\r'))
            ++p_Bare;
        result += p_Text[i];
    }
    return result;
}

bool AnySnakeCellBelowRow1(const RgbImage& p_Image)
{
    for (const Cell& cell : CellsShowing(p_Image, SmallBoard(p_Image), IsSnakeGreen))
        if (cell.row > 1)
            return true;
    return false;
}

class WindowsEndToEnd : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_NE(getenv("DISPLAY"), nullptr) << "the test command provides an X display";
        // The prefix the build step prepared, and no Wine debug lines nor Mono/Gecko offers.
        setenv("WINEPREFIX", VORL_WINE_PREFIX, 0);
        setenv("WINEDEBUG", "-all", 0);
        setenv("WINEDLLOVERRIDES", "mscoree,mshtml=", 0);
    }
};
} // namespace

// One session through what a player does first: the start-up, the menu, a round steered by keys, a
// screenshot, and Alt+F4, which closes the window like the window's close button and saves the
// settings.
TEST_F(WindowsEndToEnd, StartsDrawsPlaysTakesAScreenshotAndSavesOnClose)
{
    TempFolder folder;
    ProvideFont(folder);
    WriteWholeFile(folder.File("gamedata.cfg"), ConfigWith("0", "2"));
    GameSession game(folder, k_Wine, {VORL_WINDOWS_EXECUTABLE});
    ASSERT_TRUE(game.Open()) << game.Log();

    const std::string log = game.Log();
    EXPECT_NE(
        log.find(
            "Platform: Font found, setting default font: 'Resources/Fonts/Noto_Sans/NotoSans-Regular.ttf'"),
        std::string::npos)
        << log;
    EXPECT_NE(log.find("EngineWindow: Total count monitors: "), std::string::npos) << log;
    EXPECT_NE(log.find("EngineWindow: ==== OpenGL successfully initialised ===="), std::string::npos) << log;

    const RgbImage start = game.Capture();
    ASSERT_TRUE(start.Valid());
    EXPECT_TRUE(IsStartPanelShown(start));
    EXPECT_EQ(TextLines(start, InsideStartPanel(start)).size(), 6u);

    // S starts the round; Down turns the head off row 1 before it reaches the border.
    game.Key("s");
    ASSERT_TRUE(
        game.WaitForImage([](const RgbImage& p_Image) { return !IsStartPanelShown(p_Image); }, 10s).Valid())
        << "the start menu stayed on screen";
    game.Hold("Down");
    EXPECT_TRUE(game.WaitForImage(AnySnakeCellBelowRow1, 10s).Valid()) << "Down did not turn the snake";

    game.Key("F11");
    EXPECT_TRUE(GameSession::WaitUntil(
        [&] { return game.Log().find("Saved screenshot to location \"Screenshots/") != std::string::npos; },
        10s))
        << game.Log();
    std::vector<std::filesystem::path> shots;
    if (std::filesystem::exists(folder.Path() / "Screenshots"))
        for (const auto& entry : std::filesystem::directory_iterator(folder.Path() / "Screenshots"))
            shots.push_back(entry.path());
    ASSERT_EQ(shots.size(), 1u);
    const RgbImage shot = LoadRgbImage(shots[0].string());
    EXPECT_EQ(shot.width, 1280);
    EXPECT_EQ(shot.height, 720);

    game.Key("alt+F4");
    const ProgramResult result = game.WaitForExit(30s);
    EXPECT_TRUE(result.exited);
    EXPECT_EQ(result.exitStatus, 0);
    EXPECT_NE(game.Log().find("CorvanEntry: Engine shutdown successful"), std::string::npos) << game.Log();

    // The file the Linux build writes, with the line ends of a text-mode write on Windows.
    size_t pairs = 0, bare = 0;
    const std::string saved = WithoutCarriageReturns(ReadWholeFile(folder.File("gamedata.cfg")), pairs, bare);
    EXPECT_EQ(bare, 0u);
    EXPECT_GE(pairs, 31u);
    EXPECT_EQ(saved.substr(0, k_DefaultConfigFile.size()),
              ConfigWith("0", "2").substr(0, k_DefaultConfigFile.size()));
}

// A data folder with letters outside ASCII, given on the command line, and a configuration with
// Linux line ends in it: the game reads it, keeps its log there, and writes the file back in its
// own line ends. No font is provided: it comes from the Windows font folder.
TEST_F(WindowsEndToEnd, AFolderWithNonAsciiLettersAndAnLfConfigurationWork)
{
    TempFolder base;
    const std::filesystem::path folderPath = base.Path() / "Spielstände ÄÖÜ ß 日本";
    std::filesystem::create_directories(folderPath);
    const std::string folderText = folderPath.string();
    // The folder is given as Windows names it: Wine's drive Z: is the Linux root.
    const std::vector<std::string> arguments{VORL_WINDOWS_EXECUTABLE, "--data-dir", "Z:" + folderText};
    WriteWholeFile((folderPath / "gamedata.cfg").string(), ConfigWith("0", "5"));
    GameSession game(base, k_Wine, arguments);
    game.ReadLogFrom((std::filesystem::path("Spielstände ÄÖÜ ß 日本") / "gamelog.txt").string());
    ASSERT_TRUE(game.Open()) << game.Log();
    const std::string log = game.Log();
    EXPECT_NE(log.find("==== VORL successfully initialised ===="), std::string::npos);
    const size_t font = log.find("Platform: Font found, setting default font: '");
    ASSERT_NE(font, std::string::npos) << log;
    EXPECT_NE(log.substr(font, log.find('\n', font) - font).find("Fonts\\Arial.ttf'"), std::string::npos)
        << log;
    game.Key("alt+F4");
    const ProgramResult closed = game.WaitForExit(30s);
    EXPECT_TRUE(closed.exited);
    EXPECT_EQ(closed.exitStatus, 0);
    size_t pairs = 0, bare = 0;
    const std::string saved =
        WithoutCarriageReturns(ReadWholeFile((folderPath / "gamedata.cfg").string()), pairs, bare);
    EXPECT_EQ(bare, 0u);
    EXPECT_NE(saved.find("set grid_mode \"0\"\n"), std::string::npos) << saved;
    EXPECT_NE(saved.find("set game_speed \"5\"\n"), std::string::npos) << saved;
}

namespace
{
// The lines with the decision times masked: they are measured, so they differ between any two runs.
std::string WithoutTimes(const std::string& p_Lines)
{
    static const std::regex times(R"(avg_decision_us=[0-9.]+ max_decision_us=[0-9]+)");
    return std::regex_replace(p_Lines, times, "avg_decision_us=_ max_decision_us=_");
}
} // namespace

// The same rules and the same random numbers on both systems: the simulation prints the same lines,
// but for the measured decision times.
TEST_F(WindowsEndToEnd, SimulateGivesTheLinuxBuildsLines)
{
    TempFolder linuxFolder, windowsFolder;
    const std::vector<std::string> options{"--simulate", "--grid", "all", "--games", "5", "--seed", "7"};
    ASSERT_EQ(RunProgram(VORL_LINUX_EXECUTABLE, options, linuxFolder.Path().string(), 120s).exitStatus, 0);
    std::vector<std::string> windowsArguments{VORL_WINDOWS_EXECUTABLE};
    windowsArguments.insert(windowsArguments.end(), options.begin(), options.end());
    const ProgramResult result = RunProgram(k_Wine, windowsArguments, windowsFolder.Path().string(), 300s);
    ASSERT_TRUE(result.exited);
    EXPECT_EQ(result.exitStatus, 0);
    size_t pairs = 0, bare = 0;
    const std::string windowsLines =
        WithoutCarriageReturns(ReadWholeFile(windowsFolder.File("stdout.txt")), pairs, bare);
    const std::string linuxLines = ReadWholeFile(linuxFolder.File("stdout.txt"));
    ASSERT_FALSE(linuxLines.empty());
    EXPECT_EQ(WithoutTimes(windowsLines), WithoutTimes(linuxLines));
    EXPECT_EQ(pairs, 13u) << "one line per grid and the total, each ended as a text-mode write ends it";
}
