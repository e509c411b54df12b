// The game draws a menu only when something on it may change. A player must not notice: the
// pointer's hover, a click, the letters typed into the console and a screenshot all show up at
// once although the loop sleeps between them.
#include "EndToEnd/GameRound.h"
#include "EndToEnd/GameScreen.h"
#include "Support/GameSession.h"
#include "Support/RgbImage.h"
#include "Support/TempFolder.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

using namespace GameRound;
using namespace GameScreen;
using namespace std::chrono_literals;
using TestSupport::GameSession;
using TestSupport::TempFolder;

namespace
{
// Pixels of the area that differ between the captures by more than a rounding step.
int ChangedPixels(const RgbImage& p_First, const RgbImage& p_Second, Rect p_Area)
{
    int changed = 0;
    for (int y = p_Area.top; y < p_Area.bottom; ++y)
        for (int x = p_Area.left; x < p_Area.right; ++x)
            changed += TestSupport::IsNear(p_First.At(x, y), p_Second.At(x, y), 3) ? 0 : 1;
    return changed;
}

// The options page's grey covers most of the window.
bool IsOptionsPageShown(const RgbImage& p_Image)
{
    return CountIn(p_Image, {0, p_Image.width, 0, p_Image.height},
                   [](Rgb p_Colour) {
                       return TestSupport::IsNear(p_Colour, {56, 56, 56}, 1);
                   }) > 100000;
}
} // namespace

TEST(IdleMenuEndToEnd, TheSleepingMenuAnswersHoverTypingScreenshotsAndClicks)
{
    ASSERT_NE(getenv("DISPLAY"), nullptr) << "the test command provides an X display";
    TempFolder folder;
    GameSession game(folder, VORL_EXECUTABLE);
    ASSERT_TRUE(game.Open()) << game.Log();
    // Long enough for the loop to have gone to sleep (it draws a frame at most when the frame
    // rate it shows changes, once a second).
    std::this_thread::sleep_for(1500ms);
    const RgbImage idle = game.Capture();
    ASSERT_TRUE(idle.Valid());
    const std::vector<Rect> lines = TextLines(idle, InsideStartPanel(idle));
    ASSERT_EQ(lines.size(), 6u) << "title, four buttons and the version line";

    // Hover: the Options button's outline lights up under the pointer and goes out again.
    const Rect options = lines[2];
    const Rect around{options.left, options.right, options.top - 12, options.bottom + 12};
    game.MoveMouse(idle.width / 2, (options.top + options.bottom) / 2);
    const RgbImage hovered = game.WaitForImage(
        [&](const RgbImage& p_Image) { return ChangedPixels(idle, p_Image, around) > 50; }, 5s);
    ASSERT_TRUE(hovered.Valid()) << "the hovered button did not change";
    EXPECT_LE(ChangedPixels(idle, hovered, {0, idle.width, around.bottom, idle.height}), 0)
        << "nothing below the hovered button changes";
    game.MoveMouse(5, idle.height - 5);
    EXPECT_TRUE(game.WaitForImage([&](const RgbImage& p_Image)
                                  { return ChangedPixels(idle, p_Image, around) == 0; },
                                  5s)
                    .Valid())
        << "the outline stayed lit after the pointer left";

    // Typing into the console shows each letter in its input line.
    game.Key("grave");
    const RgbImage console = game.WaitForImage(IsConsoleShown, 5s);
    ASSERT_TRUE(console.Valid()) << "the console did not open";
    std::this_thread::sleep_for(1200ms);
    const RgbImage empty = game.Capture();
    // The input line lies under the console's output view, at three quarters of the height.
    const Rect input{0, empty.width, empty.height * 3 / 4 - 24, empty.height * 3 / 4 + 24};
    game.Type("xyz");
    EXPECT_TRUE(game.WaitForImage([&](const RgbImage& p_Image)
                                  { return TextDifference(empty, p_Image, input) > 50; },
                                  5s)
                    .Valid())
        << "the typed letters did not show";
    game.Key("grave");
    ASSERT_TRUE(
        game.WaitForImage([](const RgbImage& p_Image) { return !IsConsoleShown(p_Image); }, 5s).Valid())
        << "the console did not close";

    // A screenshot of the sleeping menu is taken at once and shows the menu.
    std::this_thread::sleep_for(1200ms);
    game.Key("F11");
    ASSERT_TRUE(GameSession::WaitUntil(
        [&] { return game.Log().find("Saved screenshot to location \"Screenshots/") != std::string::npos; },
        10s))
        << game.Log();
    std::vector<std::filesystem::path> shots;
    for (const auto& entry : std::filesystem::directory_iterator(folder.Path() / "Screenshots"))
        shots.push_back(entry.path());
    ASSERT_EQ(shots.size(), 1u);
    const RgbImage shot = TestSupport::LoadRgbImage(shots[0].string());
    ASSERT_TRUE(shot.Valid());
    EXPECT_TRUE(IsStartPanelShown(shot));

    // A click on Options opens the options page.
    game.Click(idle.width / 2, (options.top + options.bottom) / 2);
    EXPECT_TRUE(game.WaitForImage(IsOptionsPageShown, 5s).Valid()) << "the click did not open the options";

    ExpectOrderlyEnd(game, game.Terminate());
}
