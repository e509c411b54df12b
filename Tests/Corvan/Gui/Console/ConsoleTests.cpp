#include "Corvan/Events/IEventBase.h"
#include "Corvan/Events/InputEvents.h"
#include "Corvan/Events/KeyCodes.h"
#include "Corvan/Gui/Console/Console.h"
#include "Corvan/Gui/Console/ConsoleScrollView.h"
#include "Corvan/Gui/Console/IConsoleInterface.h"
#include "Corvan/Gui/Console/IKeybindingInterface.h"
#include "Support/FixedMetricsGuiEngine.h"
#include "Support/RecordingDrawingContext.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{
using namespace Vozad;
using Testing::FixedMetricsGuiEngine;
using Testing::RecordingDrawingContext;

// Lines are 16 + 2 pixels tall with the fixed metrics; a view 180 pixels tall shows 10 of them.
constexpr int32_t k_LineHeight = 18;
constexpr int32_t k_ViewHeight = 180;

struct ScrollViewFixture : testing::Test
{
    ScrollViewFixture()
    {
        view.Setup();
        view.SetRect({0, 300, 0, k_ViewHeight});
        view.UpdateLayout();
    }

    void AddLines(int p_Count)
    {
        for (int i = 0; i < p_Count; ++i)
            view.AddLine({Colour::k_White, Lib::String::Format("line %u", next++)});
    }
    bool Wheel(int32_t p_Amount)
    {
        EventMouseScroll event(p_Amount, {10, 10});
        return view.OnMouseScroll(event);
    }
    std::vector<std::string> DrawnTexts()
    {
        RecordingDrawingContext context;
        view.Draw(context);
        return context.CallsStartingWith("DrawText");
    }

    FixedMetricsGuiEngine engine;
    ConsoleScrollView view{&engine};
    unsigned next = 0;
};

TEST_F(ScrollViewFixture, KeepsTheNewestThousandLines)
{
    EXPECT_EQ(view.GetLineHeight(), k_LineHeight);
    EXPECT_EQ(view.GetVisibleLineCount(), 10);
    AddLines(1001);
    ASSERT_EQ(view.GetLineCount(), 1000u);
    EXPECT_EQ(view.GetLine(0).text, Lib::String("line 1"));
    EXPECT_EQ(view.GetLine(999).text, Lib::String("line 1000"));
}

TEST_F(ScrollViewFixture, DropsLineBreaksAndKeepsTheColour)
{
    view.AddLine({0xFF00FF00, "one\ntwo\n"});
    EXPECT_EQ(view.GetLine(0).text, Lib::String("onetwo"));
    EXPECT_EQ(view.GetLine(0).colour, 0xFF00FF00u);
}

TEST_F(ScrollViewFixture, WheelMovesOneLineWithinTheLimits)
{
    AddLines(5);
    EXPECT_TRUE(Wheel(120)); // fewer lines than fit: nothing moves, still consumed
    EXPECT_EQ(view.GetScrollOffset(), 0);

    AddLines(8); // 13 lines, 10 visible: at most 3 back
    EXPECT_TRUE(Wheel(-120));
    EXPECT_EQ(view.GetScrollOffset(), 0);
    EXPECT_TRUE(Wheel(480)); // one line per event, whatever the amount
    EXPECT_EQ(view.GetScrollOffset(), 1);
    Wheel(1);
    Wheel(1);
    Wheel(1);
    EXPECT_EQ(view.GetScrollOffset(), 3);
    Wheel(-5);
    EXPECT_EQ(view.GetScrollOffset(), 2);
}

TEST_F(ScrollViewFixture, NewLinesDoNotMoveAViewThatIsScrolledBack)
{
    AddLines(30);
    Wheel(1);
    Wheel(1);
    const std::vector<std::string> before = DrawnTexts();
    AddLines(3);
    EXPECT_EQ(view.GetScrollOffset(), 5);
    EXPECT_EQ(DrawnTexts(), before);
}

TEST_F(ScrollViewFixture, AtTheCapAScrolledViewStaysWithinTheLines)
{
    AddLines(1000);
    for (int i = 0; i < 990; ++i)
        Wheel(1);
    EXPECT_EQ(view.GetScrollOffset(), 990); // the oldest lines fill the view
    AddLines(1);
    EXPECT_EQ(view.GetScrollOffset(), 990);
    EXPECT_EQ(view.GetLine(0).text, Lib::String("line 1"));
}

TEST_F(ScrollViewFixture, LayoutPullsTheOffsetBackWhenTheViewGrows)
{
    AddLines(20);
    for (int i = 0; i < 10; ++i)
        Wheel(1);
    EXPECT_EQ(view.GetScrollOffset(), 10);
    view.SetRect({0, 300, 0, 15 * k_LineHeight});
    view.UpdateLayout();
    EXPECT_EQ(view.GetScrollOffset(), 4); // lines - visible - 1

    // As many lines as fit: the offset never goes below 0.
    view.SetRect({0, 300, 0, 20 * k_LineHeight});
    view.UpdateLayout();
    EXPECT_EQ(view.GetScrollOffset(), 0);
    EXPECT_EQ(DrawnTexts().size(), 20u);
}

// Scrolled back, then the window grows taller than the lines: the view must not stay stuck on
// an offset that the wheel can no longer move and that holds every new line back.
TEST_F(ScrollViewFixture, AViewGrownPastItsLinesShowsNewLinesAndTakesTheWheelAgain)
{
    AddLines(20);
    for (int i = 0; i < 5; ++i)
        Wheel(1);
    ASSERT_EQ(view.GetScrollOffset(), 5);
    view.SetRect({0, 300, 0, 30 * k_LineHeight});
    view.UpdateLayout();
    EXPECT_EQ(view.GetScrollOffset(), 0);

    AddLines(1);
    std::vector<std::string> texts = DrawnTexts();
    ASSERT_FALSE(texts.empty());
    EXPECT_EQ(texts.front(), "DrawText \"line 20\" 5 522 13pt w0 c=ffffffff")
        << "the newest line at the bottom";

    // Back to the small view: the wheel moves it again.
    view.SetRect({0, 300, 0, k_ViewHeight});
    view.UpdateLayout();
    Wheel(1);
    EXPECT_EQ(view.GetScrollOffset(), 1);
    texts = DrawnTexts();
    EXPECT_EQ(texts.front(), "DrawText \"line 19\" 5 162 13pt w0 c=ffffffff");
}

TEST_F(ScrollViewFixture, DrawsTheNewestLineAtTheBottomAndGoesUp)
{
    view.AddLine({0xFF00FF00, "green"});
    view.AddLine({0xFF00FFFF, "yellow"});
    view.AddLine({Colour::k_White, "white"});
    RecordingDrawingContext context;
    view.Draw(context);
    const std::vector<std::string> expected = {
        "FillRect 0 300 0 180 r0 c=ff2b2b2b",
        "DrawText \"white\" 5 162 13pt w0 c=ffffffff",
        "DrawText \"yellow\" 5 144 13pt w0 c=ff00ffff",
        "DrawText \"green\" 5 126 13pt w0 c=ff00ff00",
    };
    EXPECT_EQ(context.calls, expected);
}

TEST_F(ScrollViewFixture, DrawsOneLineMoreThanFitsFromTheScrollPosition)
{
    AddLines(30);
    Wheel(1);
    Wheel(1);
    const std::vector<std::string> texts = DrawnTexts();
    ASSERT_EQ(texts.size(), 11u);
    EXPECT_EQ(texts.front(), "DrawText \"line 27\" 5 162 13pt w0 c=ffffffff");
    EXPECT_EQ(texts.back(), "DrawText \"line 17\" 5 -18 13pt w0 c=ffffffff");
}

TEST_F(ScrollViewFixture, ClearLinesEmptiesTheViewAndResetsTheOffset)
{
    AddLines(30);
    Wheel(1);
    view.ClearLines();
    EXPECT_EQ(view.GetLineCount(), 0u);
    EXPECT_EQ(view.GetScrollOffset(), 0);
    RecordingDrawingContext context;
    view.Draw(context);
    EXPECT_EQ(context.calls, std::vector<std::string>{"FillRect 0 300 0 180 r0 c=ff2b2b2b"});
}

class NoKeybindings : public IKeybindingInterface
{
public:
    uint32_t GetKeyForCommand(const std::string&) const override { return 0; }
};

class CountingConsoleInterface : public IConsoleInterface
{
public:
    void ExecuteCommand(int32_t p_CommandId, const Lib::String&,
                        const Lib::DynamicArray<Lib::String>&) override
    {
        ids.push_back(p_CommandId);
    }
    std::vector<int32_t> ids;
};

struct ConsoleFixture : testing::Test
{
    ConsoleFixture()
    {
        Lib::DynamicArray<ConsoleCommand> table;
        table.Add({"help", " // Show this help", 1});
        table.Add({"clear", " // Clears the whole console", 4});
        console.Setup(table);
    }

    FixedMetricsGuiEngine engine;
    NoKeybindings keybindings;
    CountingConsoleInterface commands;
    Console console{&engine, &keybindings, &commands};
};

TEST_F(ConsoleFixture, SetupLeavesItHiddenWithTheCommandTable)
{
    EXPECT_EQ(console.GetVisibility(), k_LayoutHidden);
    EXPECT_EQ(console.GetTextBox().m_Commands.Count(), 2u);
    EXPECT_EQ(console.GetTextBox().FindCommandId("clear"), 4);
    EXPECT_EQ(console.GetKeybindings(), &keybindings);
}

TEST_F(ConsoleFixture, CoversTheUpperThreeQuartersOutputAboveInput)
{
    console.SetVisibility(k_LayoutVisible);
    console.SetRect({0, 800, 0, 600});
    console.UpdateLayout();
    const LayoutRect output = console.GetScrollView().GetRect();
    const LayoutRect input = console.GetTextBox().GetRect();
    EXPECT_EQ(output.left, 0);
    EXPECT_EQ(output.right, 800);
    EXPECT_EQ(output.top, 0);
    EXPECT_EQ(output.bottom, input.top);
    EXPECT_EQ(input.bottom, 450);
    EXPECT_EQ(input.Height(), 30);
    EXPECT_EQ(input.right, 800);
}

TEST_F(ConsoleFixture, TextAndKeysReachTheInputLineOnlyWhileShown)
{
    EventTextInput letter(Lib::String("h"));
    EXPECT_FALSE(console.OnTextInput(letter));
    EXPECT_TRUE(console.GetTextBox().GetInputLine().IsEmpty());

    console.SetVisibility(k_LayoutVisible);
    for (const char* character : {"h", "e", "l", "p"})
    {
        EventTextInput event{Lib::String(character)};
        EXPECT_TRUE(console.OnTextInput(event));
    }
    EventKeyInput backspace(k_EventKeyRepeat, KeyCode::Backspace, k_KeyActionRepeat, 0);
    EXPECT_TRUE(console.OnKeyRepeat(backspace));
    EventTextInput p(Lib::String("p"));
    console.OnTextInput(p);
    EventKeyInput enter(k_EventKeyPress, KeyCode::Return, k_KeyActionPress, 0);
    EXPECT_TRUE(console.OnKeyPress(enter));
    EXPECT_EQ(commands.ids, std::vector<int32_t>{1});
}

TEST_F(ConsoleFixture, AddLineGoesToTheOutput)
{
    console.AddLine("hello", 0xFF00FF00);
    ASSERT_EQ(console.GetScrollView().GetLineCount(), 1u);
    EXPECT_EQ(console.GetScrollView().GetLine(0).text, Lib::String("hello"));
    EXPECT_EQ(console.GetScrollView().GetLine(0).colour, 0xFF00FF00u);
}

TEST_F(ConsoleFixture, AClickThatNoPartTakesLandsOnTheInputLine)
{
    EventMousePress click(1, 0, 0, {400, 550});
    EXPECT_EQ(console.OnMouseClick(click), nullptr); // hidden: nothing
    console.SetVisibility(k_LayoutVisible);
    console.SetRect({0, 800, 0, 600});
    console.UpdateLayout();
    EXPECT_EQ(console.OnMouseClick(click), &console.GetTextBox());
    EventMousePress press(1, 1, 0, {400, 550});
    EXPECT_EQ(console.OnMousePress(press), &console);
}
} // namespace
