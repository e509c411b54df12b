// The game started fullscreen on an X display of its own under a window manager (Openbox): the
// window manager, not the game, decides the window's real place and size, so the tests read them
// from the X server and compare what the game draws with them.
#include "EndToEnd/GameScreen.h"
#include "Support/DefaultConfigFile.h"
#include "Support/GameSession.h"
#include "Support/RgbImage.h"
#include "Support/TempFolder.h"
#include "Support/WindowManagerDisplay.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>

using namespace GameScreen;
using namespace std::chrono_literals;
using TestSupport::GameSession;
using TestSupport::IsNear;
using TestSupport::ReadWholeFile;
using TestSupport::ReadXGeometry;
using TestSupport::TempFolder;
using TestSupport::WindowManagerDisplay;
using TestSupport::WriteWholeFile;
using TestSupport::XGeometry;

namespace
{
const XGeometry k_Monitor{0, 0, WindowManagerDisplay::k_Width, WindowManagerDisplay::k_Height};

std::string ConfigWithWindowMode(const std::string& p_Mode)
{
    std::string config = TestSupport::k_DefaultConfigFile;
    const std::string line = "set r_windowmode \"0\"";
    config.replace(config.find(line), line.size(), "set r_windowmode \"" + p_Mode + "\"");
    return config;
}

XGeometry WaitForGeometry(const std::string& p_Window, const XGeometry& p_Wanted)
{
    XGeometry geometry;
    for (int attempt = 0; attempt < 100; ++attempt)
    {
        geometry = ReadXGeometry(p_Window);
        if (geometry == p_Wanted)
            break;
        std::this_thread::sleep_for(100ms);
    }
    return geometry;
}

// The console's output area (its dark grey) reaches from the window's left to its right edge;
// its lines start a few pixels in and end well before the right edge.
bool ConsoleSpansTheWidth(const RgbImage& p_Image)
{
    return IsNear(p_Image.At(2, 100), {43, 43, 43}, 2) &&
           IsNear(p_Image.At(p_Image.width - 3, 100), {43, 43, 43}, 2);
}
} // namespace

// Exclusive ("1") and borderless ("2") fullscreen cover the monitor, and a client size typed into
// the console while fullscreen leaves window and drawing at the monitor's size; the size is kept
// for the windowed mode.
TEST(FullscreenEndToEnd, FullscreenCoversTheMonitorAndStaysSoWhenTheClientSizeChanges)
{
    WindowManagerDisplay display;
    ASSERT_TRUE(display.Ready()) << "no Xvfb with Openbox could be started";
    for (const std::string mode : {"1", "2"})
    {
        TempFolder folder;
        WriteWholeFile(folder.File("gamedata.cfg"), ConfigWithWindowMode(mode));
        GameSession game(folder, VORL_EXECUTABLE);
        ASSERT_TRUE(game.Open()) << game.Log();
        EXPECT_EQ(WaitForGeometry(game.Window(), k_Monitor), k_Monitor) << "mode " << mode;
        const RgbImage start = game.Capture();
        ASSERT_TRUE(start.Valid());
        EXPECT_EQ(start.width, k_Monitor.width);
        EXPECT_TRUE(IsStartPanelShown(start)) << "mode " << mode;

        game.Key("grave");
        ASSERT_TRUE(game.WaitForImage(ConsoleSpansTheWidth, 5s).Valid()) << "mode " << mode;
        game.Type("r_customwidth 1024");
        game.Key("Return");
        // The command is carried out in the frame that shows its echo.
        const RgbImage echoed = game.WaitForImage(
            [](const RgbImage& p_Image) {
                return CountIn(p_Image, {0, p_Image.width, 0, p_Image.height}, IsConsoleGreen) > 20;
            },
            10s);
        ASSERT_TRUE(echoed.Valid()) << "mode " << mode << ": the command was not echoed";
        std::this_thread::sleep_for(500ms);
        EXPECT_EQ(WaitForGeometry(game.Window(), k_Monitor), k_Monitor) << "mode " << mode;
        const RgbImage resized = game.Capture();
        ASSERT_TRUE(resized.Valid());
        EXPECT_TRUE(ConsoleSpansTheWidth(resized)) << "mode " << mode << ": laid out for another width";

        const TestSupport::ProgramResult result = game.Terminate();
        EXPECT_TRUE(result.exited);
        EXPECT_EQ(result.exitStatus, 0);
        const std::string config = ReadWholeFile(folder.File("gamedata.cfg"));
        EXPECT_NE(config.find("\nset r_customwidth \"1024\"\n"), std::string::npos) << config;
        EXPECT_NE(config.find("\nset r_windowmode \"" + mode + "\"\n"), std::string::npos) << config;
    }
}
