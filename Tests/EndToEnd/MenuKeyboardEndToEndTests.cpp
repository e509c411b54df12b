// The menus driven from the keyboard alone: Tab moves an outlined focus, Return activates, and the
// keys that steer never walk the panels over the board; the licence page's End key.
#include "EndToEnd/GameRound.h"
#include "EndToEnd/GameScreen.h"
#include "Support/GameSession.h"
#include "Support/TempFolder.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>

namespace
{
using namespace GameRound;
using namespace std::chrono_literals;
using TestSupport::GameSession;
using TestSupport::IsNear;
using TestSupport::TempFolder;

// The keyboard focus ring's amber (255, 200, 0).
bool IsOutline(Rgb p_Colour)
{
    return IsNear(p_Colour, {255, 200, 0}, 20);
}

Rect WholeWindow(const RgbImage& p_Image)
{
    return {0, p_Image.width, 0, p_Image.height};
}

// The row of the topmost outline pixel; -1 without an outline.
int OutlineTop(const RgbImage& p_Image)
{
    for (int y = 0; y < p_Image.height; ++y)
        if (CountIn(p_Image, {0, p_Image.width, y, y + 1}, IsOutline) > 20)
            return y;
    return -1;
}

// The options and about pages are grey 56 and cover much of the window.
bool IsPageShown(const RgbImage& p_Image)
{
    return CountIn(p_Image, WholeWindow(p_Image),
                   [](Rgb p_Colour) {
                       return IsNear(p_Colour, {56, 56, 56}, 1);
                   }) > 100000;
}

// Presses p_Key twice over a panel: the first press outlines a button, the second moves the
// outline down to the next one. The row of the first outline; -1 after a failure.
int ExpectTwoPressesWalkDown(GameSession& p_Game, const std::string& p_Key)
{
    p_Game.Key(p_Key);
    const RgbImage first =
        p_Game.WaitForImage([](const RgbImage& p_Image) { return OutlineTop(p_Image) >= 0; }, 5s);
    EXPECT_TRUE(first.Valid()) << p_Key << " showed no outline";
    if (!first.Valid())
        return -1;
    const int firstTop = OutlineTop(first);
    p_Game.Key(p_Key);
    EXPECT_TRUE(p_Game
                    .WaitForImage([firstTop](const RgbImage& p_Image)
                                  { return OutlineTop(p_Image) > firstTop + 10; },
                                  5s)
                    .Valid())
        << p_Key << " did not move the outline down";
    return firstTop;
}

class MenuKeyboardEndToEnd : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_NE(getenv("DISPLAY"), nullptr) << "the test command provides an X display";
    }
};
} // namespace

TEST_F(MenuKeyboardEndToEnd, TabMovesAnOutlinedFocusReturnActivatesAndArrowsSteerInPlay)
{
    TempFolder folder;
    TestSupport::WriteWholeFile(folder.File("gamedata.cfg"), ConfigWith("0", "1"));
    GameSession game(folder, VORL_EXECUTABLE);
    ASSERT_TRUE(game.Open()) << game.Log();
    const RgbImage start = game.Capture();
    ASSERT_TRUE(IsStartPanelShown(start));
    EXPECT_EQ(CountIn(start, WholeWindow(start), IsOutline), 0) << "an outline before any key";

    // Tab outlines the first button and moves the outline down to the next one, Shift+Tab back.
    // The arrow keys steer, so over the board they leave the focus where it is.
    game.Key("Tab");
    const RgbImage first =
        game.WaitForImage([](const RgbImage& p_Image) { return OutlineTop(p_Image) >= 0; }, 5s);
    ASSERT_TRUE(first.Valid()) << "Tab showed no outline";
    const int firstTop = OutlineTop(first);
    game.Key("Down Down");
    std::this_thread::sleep_for(300ms);
    EXPECT_EQ(OutlineTop(game.Capture()), firstTop) << "a steering key moved the focus";
    game.Key("Tab");
    const RgbImage second = game.WaitForImage(
        [firstTop](const RgbImage& p_Image) { return OutlineTop(p_Image) > firstTop + 10; }, 5s);
    ASSERT_TRUE(second.Valid()) << "Tab did not move the outline down";
    game.Key("shift+Tab");
    ASSERT_TRUE(
        game.WaitForImage([firstTop](const RgbImage& p_Image) { return OutlineTop(p_Image) == firstTop; }, 5s)
            .Valid())
        << "Shift+Tab did not bring the outline back";

    // A click of the mouse takes the outline away; the keyboard brings it back.
    game.Click(5, 5);
    ASSERT_TRUE(
        game.WaitForImage([](const RgbImage& p_Image) { return OutlineTop(p_Image) < 0; }, 5s).Valid())
        << "the outline stayed after a click";

    // Return activates the focused first button: the round starts.
    game.Key("Return");
    ASSERT_TRUE(
        game.WaitForImage([](const RgbImage& p_Image) { return !IsStartPanelShown(p_Image); }, 5s).Valid())
        << "Return did not start the round";
    // In play the arrow keys steer: the snake leaves its row downwards.
    game.Hold("Down");
    const RgbImage turned = game.WaitForImage(
        [](const RgbImage& p_Image) { return IsStartPanelShown(p_Image) || !AllSegmentsInRow(p_Image, 1); },
        5s);
    ASSERT_TRUE(turned.Valid());
    EXPECT_FALSE(AllSegmentsInRow(turned, 1)) << "the down arrow did not steer";
    EXPECT_EQ(CountIn(turned, WholeWindow(turned), IsOutline), 0) << "an outline over the board";

    // Paused, the keyboard goes on in the panel: Tab to the options button, Return opens them,
    // and Tab walks their tabs and controls with the outline.
    game.Key("Escape");
    ASSERT_TRUE(game.WaitForImage(IsStartPanelShown, 5s).Valid()) << "Escape did not pause";
    game.Key("Tab Return");
    ASSERT_TRUE(game.WaitForImage(IsPageShown, 5s).Valid())
        << "Return on the second button did not open the options";
    game.Key("Tab Tab");
    ASSERT_TRUE(
        game.WaitForImage([](const RgbImage& p_Image) { return OutlineTop(p_Image) >= 0; }, 5s).Valid())
        << "no outline in the options";
    ExpectOrderlyEnd(game, game.Terminate());
}

// The round ends while the player still steers: neither the held key nor the steering keys
// pressed after it reach the game-over panel's buttons, so Return plays again instead of quitting.
TEST_F(MenuKeyboardEndToEnd, SteeringKeysAfterARoundEndsLeaveReturnToPlayAgain)
{
    TempFolder folder;
    TestSupport::WriteWholeFile(folder.File("gamedata.cfg"), ConfigWith("0", "10"));
    GameSession game(folder, VORL_EXECUTABLE);
    ASSERT_TRUE(game.Open()) << game.Log();
    // S starts the round and leaves no control focused.
    game.Key("s");
    ASSERT_TRUE(
        game.WaitForImage([](const RgbImage& p_Image) { return !IsStartPanelShown(p_Image); }, 5s).Valid())
        << "S did not start the round";
    // Up from row 1 runs into the top border at once; the key is still down when the panel shows.
    game.Hold("Up", 1500ms);
    ASSERT_TRUE(game.WaitForImage(IsStartPanelShown, 5s).Valid()) << "the round did not end";
    game.Key("Up Down Down Down Left Right");
    std::this_thread::sleep_for(300ms);
    const RgbImage over = game.Capture();
    ASSERT_TRUE(IsStartPanelShown(over));
    EXPECT_EQ(CountIn(over, WholeWindow(over), IsOutline), 0) << "a steering key focused a button";

    game.Key("Return");
    ASSERT_TRUE(
        game.WaitForImage([](const RgbImage& p_Image) { return !IsStartPanelShown(p_Image); }, 5s).Valid())
        << "Return did not start a new round";
    EXPECT_TRUE(game.IsRunning()) << "Return closed the game";

    // Tab still walks the panel once the new round has ended.
    ASSERT_TRUE(game.WaitForImage(IsStartPanelShown, 10s).Valid()) << "the new round did not end";
    EXPECT_GE(ExpectTwoPressesWalkDown(game, "Tab"), 0);
    ExpectOrderlyEnd(game, game.Terminate());
}

// With the snake steered by W, A, S and D the arrow keys are free, and walk the panel as before.
TEST_F(MenuKeyboardEndToEnd, ArrowsWalkThePanelWhenOtherKeysSteer)
{
    TempFolder folder;
    TestSupport::WriteWholeFile(
        folder.File("gamedata.cfg"),
        ConfigWith(
            "0", "1",
            "bind W \"+moveup\"\nbind A \"+moveleft\"\nbind S \"+movedown\"\nbind D \"+moveright\"\n"));
    GameSession game(folder, VORL_EXECUTABLE);
    ASSERT_TRUE(game.Open()) << game.Log();
    const int firstTop = ExpectTwoPressesWalkDown(game, "Down");
    ASSERT_GE(firstTop, 0);
    game.Key("Up");
    ASSERT_TRUE(
        game.WaitForImage([firstTop](const RgbImage& p_Image) { return OutlineTop(p_Image) == firstTop; }, 5s)
            .Valid())
        << "Up did not bring the outline back";
    // S steers here: it neither moves the outline nor starts the round.
    game.Key("s");
    std::this_thread::sleep_for(300ms);
    const RgbImage after = game.Capture();
    EXPECT_TRUE(IsStartPanelShown(after));
    EXPECT_EQ(OutlineTop(after), firstTop);
    ExpectOrderlyEnd(game, game.Terminate());
}

TEST_F(MenuKeyboardEndToEnd, EndShowsTheLastLineOfTheLicencePageAndHomeTheFirst)
{
    TempFolder folder;
    TestSupport::WriteWholeFile(folder.File("gamedata.cfg"), ConfigWith("0", "1"));
    GameSession game(folder, VORL_EXECUTABLE);
    ASSERT_TRUE(game.Open()) << game.Log();
    // About, then Tab to the licences tab (after the credits tab) and Return.
    game.Key("a");
    ASSERT_TRUE(game.WaitForImage(IsPageShown, 5s).Valid()) << "A did not open the about page";
    const RgbImage credits = game.Capture();
    game.Key("Tab Tab Return");
    const Rect page = {credits.width / 8, credits.width * 7 / 8, credits.height / 4, credits.height * 3 / 4};
    const RgbImage top = game.WaitForImage(
        [&](const RgbImage& p_Image) { return TextDifference(credits, p_Image, page) > 200; }, 5s);
    ASSERT_TRUE(top.Valid()) << "the licence page did not open";

    // End: the view moves to the end, where Page Down changes nothing any more.
    game.Key("End");
    const RgbImage end = game.WaitForImage(
        [&](const RgbImage& p_Image) { return TextDifference(top, p_Image, page) > 200; }, 5s);
    ASSERT_TRUE(end.Valid()) << "End did not move the licence page";
    std::this_thread::sleep_for(300ms);
    const RgbImage settled = game.Capture();
    game.Key("Next");
    std::this_thread::sleep_for(500ms);
    const RgbImage after = game.Capture();
    EXPECT_LE(TextDifference(settled, after, page), 5) << "Page Down still scrolled: End stopped short";
    game.Key("Home");
    ASSERT_TRUE(game.WaitForImage(
                        [&](const RgbImage& p_Image) { return TextDifference(top, p_Image, page) <= 5; }, 5s)
                    .Valid())
        << "Home did not bring back the first lines";
    ExpectOrderlyEnd(game, game.Terminate());
}
