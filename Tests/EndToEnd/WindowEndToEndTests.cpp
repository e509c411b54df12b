// Starts the built program under the test run's X display, drives it with real X input through
// xdotool and ends it with SIGTERM, as a desktop session would.
#include "Support/RunProgram.h"
#include "Support/TempFolder.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>

using TestSupport::CommandOutput;
using TestSupport::ReadWholeFile;
using TestSupport::TempFolder;

namespace
{
// Waits (bounded) for the game's window to be mapped and returns its X id, "" when none came.
std::string WaitForWindow(pid_t p_Pid)
{
    for (int attempt = 0; attempt < 300; ++attempt)
    {
        std::string id =
            CommandOutput("xdotool search --onlyvisible --pid " + std::to_string(p_Pid) + " 2>/dev/null");
        if (!id.empty())
            return id.substr(0, id.find('\n'));
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    return {};
}

// The process is killed at the end of a failing test rather than left behind.
struct RunningGame
{
    explicit RunningGame(const TempFolder& p_Folder)
        : pid(TestSupport::StartProgram(VORL_EXECUTABLE, {}, p_Folder.Path().string()))
    {
    }
    ~RunningGame()
    {
        if (pid > 0 && kill(pid, 0) == 0)
        {
            kill(pid, SIGKILL);
            waitpid(pid, nullptr, 0);
        }
    }
    TestSupport::ProgramResult Terminate()
    {
        kill(pid, SIGTERM);
        auto result = TestSupport::WaitForProgram(pid, std::chrono::seconds(30));
        pid = -1;
        return result;
    }
    pid_t pid;
};
} // namespace

TEST(WindowEndToEnd, RealInputThenSigtermEndsInOrder)
{
    ASSERT_NE(getenv("DISPLAY"), nullptr) << "the test command provides an X display";
    TempFolder folder;
    RunningGame game(folder);
    ASSERT_GT(game.pid, 0);
    const std::string window = WaitForWindow(game.pid);
    ASSERT_FALSE(window.empty()) << ReadWholeFile(folder.File("gamelog.txt"));
    EXPECT_NE(CommandOutput("xdotool getwindowname " + window).find("VORL"), std::string::npos);

    CommandOutput("xdotool windowactivate --sync " + window + " 2>/dev/null");
    CommandOutput("xdotool key --window " + window + " a Left Up Right Down space Return F11 grave Escape");
    CommandOutput("xdotool mousemove --window " + window + " 100 100 click 1");
    CommandOutput("xdotool mousemove --window " + window + " 200 150 click 3");
    std::this_thread::sleep_for(std::chrono::milliseconds(500));

    const auto result = game.Terminate();
    ASSERT_TRUE(result.exited);
    EXPECT_EQ(result.exitStatus, 0);

    const std::string log = ReadWholeFile(folder.File("gamelog.txt"));
    EXPECT_EQ(log.find("Unknown key pressed"), std::string::npos) << log;
    EXPECT_EQ(log.find("Unknown mouse"), std::string::npos) << log;
    const size_t initialised = log.find("CorvanEntry: Orvane - Quarne Engine successfully initialised ====");
    const size_t shutdownStart = log.find("CorvanEntry: Starting engine shutdown");
    const size_t shutdownEnd = log.find("CorvanEntry: Engine shutdown successful");
    ASSERT_NE(initialised, std::string::npos) << log;
    ASSERT_NE(shutdownStart, std::string::npos) << log;
    ASSERT_NE(shutdownEnd, std::string::npos) << log;
    EXPECT_LT(initialised, shutdownStart);
    EXPECT_LT(shutdownStart, shutdownEnd);
    EXPECT_NE(log.find("AppEntry: Exit code: 0"), std::string::npos);
    EXPECT_NE(ReadWholeFile(folder.File("gamedata.cfg")).find("set r_customwidth \"1280\""),
              std::string::npos);
}

TEST(WindowEndToEnd, ZeroWidthOpensTheSmallestWindow)
{
    TempFolder folder;
    TestSupport::WriteWholeFile(folder.File("gamedata.cfg"),
                                "set r_customwidth \"0\"\nset r_customheight \"600\"\n");
    RunningGame game(folder);
    const std::string window = WaitForWindow(game.pid);
    ASSERT_FALSE(window.empty()) << ReadWholeFile(folder.File("gamelog.txt"));
    const std::string geometry = CommandOutput("xdotool getwindowgeometry " + window);
    EXPECT_NE(geometry.find("Geometry: 640x480"), std::string::npos) << geometry;
    const auto result = game.Terminate();
    EXPECT_TRUE(result.exited);
    EXPECT_EQ(result.exitStatus, 0);
    EXPECT_NE(ReadWholeFile(folder.File("gamelog.txt"))
                  .find("Passed 0 for width or height: 0 x 600, defaulting to 640 x 480"),
              std::string::npos);
}

TEST(WindowEndToEnd, TheWindowCarriesTheSnakeIconOnceTheMenuShows)
{
    TempFolder folder;
    RunningGame game(folder);
    const std::string window = WaitForWindow(game.pid);
    ASSERT_FALSE(window.empty()) << ReadWholeFile(folder.File("gamelog.txt"));
    // The icon is handed over once the first picture is shown: the window manager's property
    // starts with the image's width and height.
    std::string icon;
    for (int attempt = 0; attempt < 100 && icon.find("=512,512") == std::string::npos; ++attempt)
    {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        icon = CommandOutput("xprop -id " + window + " -f _NET_WM_ICON 32c '=$0,$1' _NET_WM_ICON 2>&1");
    }
    EXPECT_NE(icon.find("_NET_WM_ICON(CARDINAL)=512,512"), std::string::npos) << icon;
    const auto result = game.Terminate();
    EXPECT_TRUE(result.exited);
    EXPECT_EQ(result.exitStatus, 0);
}
