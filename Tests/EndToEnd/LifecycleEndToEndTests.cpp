// How the built game ends, restarts and keeps what the player set: a restart through the console,
// termination signals sent to the real process at the moments that matter, and screenshots taken
// with real F11 presses. What counts is what a user finds afterwards: the window of the new
// instance, the configuration file, the screenshot files and the exit status.
#include "Support/DefaultConfigFile.h"
#include "Support/GameSession.h"
#include "Support/RgbImage.h"
#include "Support/TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <map>
#include <regex>
#include <string>
#include <thread>
#include <vector>

#include <signal.h>

using namespace std::chrono_literals;
using TestSupport::CommandOutput;
using TestSupport::GameSession;
using TestSupport::ReadWholeFile;
using TestSupport::RgbImage;
using TestSupport::TempFolder;
using TestSupport::WriteWholeFile;

namespace
{
// A process that is neither gone nor a zombie waiting to be reaped.
bool IsAlive(pid_t p_Pid)
{
    const std::string stat = ReadWholeFile("/proc/" + std::to_string(p_Pid) + "/stat");
    const size_t close = stat.rfind(')');
    return close != std::string::npos && close + 2 < stat.size() && stat[close + 2] != 'Z';
}

// The visible window of a process that is not a child of the test (a restarted instance).
std::string WaitForWindowOf(pid_t p_Pid)
{
    std::string window;
    GameSession::WaitUntil(
        [&]
        {
            const std::string ids =
                CommandOutput("xdotool search --onlyvisible --pid " + std::to_string(p_Pid) + " 2>/dev/null");
            window = ids.substr(0, ids.find('\n'));
            return !window.empty() || !IsAlive(p_Pid);
        },
        60s);
    return window;
}

RgbImage CaptureWindow(const TempFolder& p_Folder, const std::string& p_Window)
{
    const std::string path = p_Folder.File("window.ppm");
    CommandOutput("import -window " + p_Window + " ppm:" + path + " 2>/dev/null");
    RgbImage image = TestSupport::LoadRgbImage(path);
    std::filesystem::remove(path);
    return image;
}

// The configuration the game starts with, missing most default lines, so that a save at exit
// shows as the complete file (reading it leaves it as it is).
const std::string k_ShortConfig = "set grid_mode \"3\"\n";

void ExpectSavedFromShortConfig(const std::string& p_Config)
{
    EXPECT_EQ(p_Config.rfind(k_ShortConfig, 0), 0u) << p_Config;
    EXPECT_NE(p_Config.find("\nset game_speed \"8\"\n"), std::string::npos) << "not saved at exit:\n"
                                                                            << p_Config;
}

void OpenConsoleAndRun(GameSession& p_Game, const std::string& p_Command)
{
    p_Game.Type(p_Command);
    p_Game.Key("Return");
}
} // namespace

TEST(LifecycleEndToEnd, RestartThroughTheConsoleStartsTheNewInstanceWithTheSessionsSettings)
{
    ASSERT_NE(getenv("DISPLAY"), nullptr) << "the test command provides an X display";
    TempFolder folder;
    GameSession game(folder, VORL_EXECUTABLE);
    ASSERT_TRUE(game.Open()) << game.Log();

    game.Key("grave");
    std::this_thread::sleep_for(500ms);
    OpenConsoleAndRun(game, "r_customheight 600");
    ASSERT_TRUE(game.WaitForImage([](const RgbImage& p_Image) { return p_Image.height == 600; }, 10s).Valid())
        << "the window did not take the new height";
    OpenConsoleAndRun(game, "restart");
    const TestSupport::ProgramResult oldEnd = game.WaitForExit(30s);
    EXPECT_TRUE(oldEnd.exited);
    EXPECT_EQ(oldEnd.exitStatus, 0);

    std::smatch match;
    const std::string log = game.Log();
    ASSERT_TRUE(
        std::regex_search(log, match, std::regex(R"(Restart successful, current PID: \d+, new PID: (\d+))")))
        << log;
    const pid_t newPid = static_cast<pid_t>(std::stoi(match[1].str()));

    // The new instance opens with the height set in the session before.
    const std::string window = WaitForWindowOf(newPid);
    ASSERT_FALSE(window.empty()) << "the new instance shows no window\n" << game.Log();
    RgbImage image;
    ASSERT_TRUE(GameSession::WaitUntil(
        [&]
        {
            image = CaptureWindow(folder, window);
            return image.Valid();
        },
        10s));
    EXPECT_EQ(image.width, 1280);
    EXPECT_EQ(image.height, 600) << "the new instance read the settings of the last start";

    // It ends like any other, and the file it leaves keeps the height.
    kill(newPid, SIGTERM);
    EXPECT_TRUE(GameSession::WaitUntil([&] { return !IsAlive(newPid); }, 30s));
    const std::string config = ReadWholeFile(folder.File("gamedata.cfg"));
    EXPECT_NE(config.find("\nset r_customheight \"600\"\n"), std::string::npos) << config;
    EXPECT_EQ(config.find("\nset r_customheight \"720\"\n"), std::string::npos) << config;
}

// Closing the terminal that runs the game sends SIGHUP; Ctrl+C there sends SIGINT.
TEST(LifecycleEndToEnd, HangupAndInterruptEndTheGameInOrderAndSaveTheSettings)
{
    ASSERT_NE(getenv("DISPLAY"), nullptr) << "the test command provides an X display";
    for (const int signal : {SIGHUP, SIGINT})
    {
        SCOPED_TRACE(sigabbrev_np(signal));
        TempFolder folder;
        WriteWholeFile(folder.File("gamedata.cfg"), k_ShortConfig);
        GameSession game(folder, VORL_EXECUTABLE);
        ASSERT_TRUE(game.Open()) << game.Log();

        kill(game.Pid(), signal);
        const TestSupport::ProgramResult result = game.WaitForExit(30s);
        EXPECT_TRUE(result.exited) << "ended by the signal";
        EXPECT_EQ(result.exitStatus, 0);
        EXPECT_NE(game.Log().find("AppEntry: Exit code: 0"), std::string::npos);
        ExpectSavedFromShortConfig(ReadWholeFile(folder.File("gamedata.cfg")));
    }
}

// A desktop that ends a session may repeat SIGTERM while the game is already shutting down; none
// of them may end the process before the configuration is written, however late it comes.
TEST(LifecycleEndToEnd, RepeatedTerminationSignalsDuringShutdownDoNotLoseTheSettings)
{
    ASSERT_NE(getenv("DISPLAY"), nullptr) << "the test command provides an X display";
    TempFolder folder;
    WriteWholeFile(folder.File("gamedata.cfg"), k_ShortConfig);
    GameSession game(folder, VORL_EXECUTABLE);
    ASSERT_TRUE(game.Open()) << game.Log();

    const auto deadline = std::chrono::steady_clock::now() + 30s;
    int sent = 0;
    while (game.IsRunning() && std::chrono::steady_clock::now() < deadline)
    {
        kill(game.Pid(), SIGTERM);
        ++sent;
        std::this_thread::sleep_for(1ms);
    }
    const TestSupport::ProgramResult result = game.WaitForExit(5s);
    EXPECT_GT(sent, 1);
    EXPECT_TRUE(result.exited) << "a late SIGTERM ended the process";
    EXPECT_EQ(result.exitStatus, 0);
    ExpectSavedFromShortConfig(ReadWholeFile(folder.File("gamedata.cfg")));
}

TEST(LifecycleEndToEnd, EveryF11PressLeavesItsOwnScreenshot)
{
    ASSERT_NE(getenv("DISPLAY"), nullptr) << "the test command provides an X display";
    TempFolder folder;
    GameSession game(folder, VORL_EXECUTABLE);
    ASSERT_TRUE(game.Open()) << game.Log();

    game.Key("F11 F11 F11");
    ASSERT_TRUE(GameSession::WaitUntil(
        [&]
        {
            const std::string log = game.Log();
            size_t saved = 0;
            for (size_t at = log.find("Saved screenshot"); at != std::string::npos;
                 at = log.find("Saved screenshot", at + 1))
                ++saved;
            return saved == 3;
        },
        10s))
        << game.Log();

    // Presses within one second share the time in the name; the first keeps the plain name and
    // the later ones count on from 2.
    std::map<std::string, std::vector<int>> copiesBySecond;
    for (const auto& entry : std::filesystem::directory_iterator(folder.Path() / "Screenshots"))
    {
        const std::string name = entry.path().filename().string();
        std::smatch match;
        ASSERT_TRUE(std::regex_match(
            name, match, std::regex(R"(Snake_(\d{4}-\d{2}-\d{2}_\d{2}-\d{2}-\d{2})(?:_(\d+))?\.png)")))
            << name;
        copiesBySecond[match[1].str()].push_back(match[2].matched ? std::stoi(match[2].str()) : 1);
        const RgbImage shot = TestSupport::LoadRgbImage(entry.path().string());
        EXPECT_EQ(shot.width, 1280) << name;
        EXPECT_EQ(shot.height, 720) << name;
        EXPECT_NE(game.Log().find("Saved screenshot to location \"Screenshots/" + name + "\""),
                  std::string::npos);
    }
    size_t files = 0;
    for (auto& [second, copies] : copiesBySecond)
    {
        std::sort(copies.begin(), copies.end());
        for (size_t i = 0; i < copies.size(); ++i)
            EXPECT_EQ(copies[i], static_cast<int>(i) + 1) << second;
        files += copies.size();
    }
    EXPECT_EQ(files, 3u);

    game.Terminate();
}
