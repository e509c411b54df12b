#include "Corvan/Gui/Containers/LayoutBar.h"
#include "Corvan/Gui/Containers/Scrollview.h"
#include "Corvan/Layout/LayoutTestElements.h"
#include "Support/FixedMetricsGuiEngine.h"
#include "Support/RecordingDrawingContext.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{
using namespace Vozad;
using namespace LayoutTesting;

// A view 100 pixels tall with padding 5 and border 1: the content area is 88 pixels tall
// (inset 12) and starts 6 pixels inside the view.
struct ScrollFixture : testing::Test
{
    explicit ScrollFixture(int32_t p_ContentHeight = 200)
    {
        shown.SetDesiredSize(150, p_ContentHeight);
        view.SetContent(&shown, false);
        view.SetRect({0, 200, 0, 100});
        view.UpdateLayout();
    }

    int32_t Wheel(int32_t p_Amount)
    {
        EventMouseScroll wheel(p_Amount, {50, 50});
        EXPECT_TRUE(view.OnMouseScroll(wheel)) << "the wheel is always consumed";
        return view.GetOffset().y;
    }

    void TestBody() override {}

    Testing::FixedMetricsGuiEngine engine;
    Scrollview view{&engine, 5, 1, 0xFF383838};
    TestElement shown{"shown"};
};

TEST(Scrollview, ConstructionSetsTheStyleAndSizeToDesiredFlags)
{
    ScrollFixture fixture;
    Scrollview& view = fixture.view;
    EXPECT_TRUE(view.HasFlag(k_LayoutSizeToDesired));
    EXPECT_TRUE(view.GetScrollviewContent().HasFlag(k_LayoutSizeToDesired));
    EXPECT_EQ(view.GetStyle().backgroundColour, 0xFF383838u);
    EXPECT_EQ(view.GetStyle().borderColour, 0xFF8C8E8Eu);
    EXPECT_EQ(view.GetStyle().borderThickness, 1);
    EXPECT_EQ(view.GetPadding(), 5);
    EXPECT_EQ(view.GetShownElement(), &fixture.shown);
    EXPECT_EQ(view.GetOffset(), (Lib::Point{0, 0}));
}

TEST(Scrollview, ShownElementIsLaidOutInsideThePaddingAndBorder)
{
    ScrollFixture fixture;
    EXPECT_EQ(fixture.view.GetScrollviewContent().GetRect(), (LayoutRect{6, 194, 6, 94}));
    EXPECT_EQ(fixture.shown.GetRect(), (LayoutRect{6, 194, 6, 94}));
    EXPECT_EQ(fixture.shown.layouts, 1);
}

TEST(Scrollview, WheelScrollsBetweenTheTopAndTheEndOfTheContent)
{
    struct Case
    {
        const char* name;
        int32_t contentHeight;
        std::vector<int32_t> amounts;
        std::vector<int32_t> offsets;
    };
    const std::vector<Case> cases = {
        // The lowest offset is 100 - (200 + 12): the content's end meets the inner bottom edge.
        {"down to the end and back up",
         200,
         {-50, -50, -50, -50, 30, 500, 10},
         {-50, -100, -112, -112, -82, 0, 0}},
        {"content that fits never scrolls", 50, {-50, 50}, {0, 0}},
        {"content exactly as tall as the view with its inset", 88, {-50}, {0}},
        // Taller than the view only with its padding and border: the last pixels stay reachable.
        {"content that overflows only by the inset", 95, {-50, -1}, {-7, -7}},
    };
    for (const Case& scroll : cases)
    {
        SCOPED_TRACE(scroll.name);
        ScrollFixture fixture(scroll.contentHeight);
        std::vector<int32_t> offsets;
        for (const int32_t amount : scroll.amounts)
            offsets.push_back(fixture.Wheel(amount));
        EXPECT_EQ(offsets, scroll.offsets);
        EXPECT_EQ(fixture.shown.GetOrigin(), (Lib::Point{0, offsets.back()})) << "the content draws moved";
        EXPECT_EQ(fixture.view.GetScrollviewContent().GetOrigin(), (Lib::Point{0, offsets.back()}));
    }
}

TEST(Scrollview, LayoutPullsTheContentBackWhenItShrinksOrTheViewGrows)
{
    ScrollFixture fixture;
    fixture.Wheel(-500);
    ASSERT_EQ(fixture.view.GetOffset().y, -112);

    // The end of the content meets the bottom of the view again: 150 + 12 - 100.
    fixture.shown.SetDesiredHeight(150);
    fixture.view.UpdateLayout();
    EXPECT_EQ(fixture.view.GetOffset().y, -62);
    EXPECT_EQ(fixture.shown.GetOrigin().y, -62);

    // Content that is still taller keeps the offset.
    fixture.shown.SetDesiredHeight(400);
    fixture.view.UpdateLayout();
    EXPECT_EQ(fixture.view.GetOffset().y, -62);

    fixture.view.SetRect({0, 200, 0, 500});
    fixture.view.UpdateLayout();
    EXPECT_EQ(fixture.view.GetOffset().y, 0);
    EXPECT_EQ(fixture.shown.GetOrigin().y, 0);
}

TEST(Scrollview, HiddenContentCountsAsNoContent)
{
    ScrollFixture fixture;
    fixture.Wheel(-40);
    fixture.shown.SetVisibility(k_LayoutHidden);
    fixture.view.UpdateLayout();
    EXPECT_EQ(fixture.view.GetOffset().y, 0);
    EXPECT_EQ(fixture.Wheel(-40), 0);
}

TEST(Scrollview, ShownElementThatTakesTheWheelKeepsTheOffset)
{
    ScrollFixture fixture;
    RecordingForwarder listener;
    listener.answer = true;
    fixture.shown.SetForwarder(&listener);
    EXPECT_EQ(fixture.Wheel(-40), 0);
    EXPECT_EQ(listener.Operations(), std::vector<std::string>{"OnMouseScroll"});
}

// A view over a vertical bar of two 100-pixel rows that extends below the view.
struct ScrolledBarFixture : testing::Test
{
    ScrolledBarFixture()
    {
        LayoutBar* bar = new LayoutBar(1);
        bar->SetFlag(k_LayoutAtLeastDesiredHeight, true);
        bar->AddSlot(100, GridSizeMode::Fixed);
        bar->AddElement(&upper, false, 100, GridSizeMode::Fixed);
        bar->SetElement(&lower, false, -1, -1);
        view.SetContent(bar, true);
        view.SetRect({0, 200, 0, 100});
        view.UpdateLayout();
    }

    Testing::FixedMetricsGuiEngine engine;
    TestElement upper{"upper"};
    TestElement lower{"lower"};
    Scrollview view{&engine, 5, 1, 0xFF383838};
};

TEST_F(ScrolledBarFixture, PositionedEventsAreShiftedIntoContentCoordinates)
{
    ASSERT_EQ(upper.GetRect(), (LayoutRect{6, 194, 6, 106}));
    ASSERT_EQ(lower.GetRect(), (LayoutRect{6, 194, 106, 206}));
    EventMousePress press(1, 1, 0, {50, 70});
    EventCursor cursor = EventCursor::Position(0, {50, 70}, {});
    EXPECT_EQ(view.OnMousePress(press), &upper);
    EXPECT_EQ(view.FindElementAt(cursor), &upper);

    EventMouseScroll wheel(-50, {50, 70});
    ASSERT_TRUE(view.OnMouseScroll(wheel));
    ASSERT_EQ(view.GetOffset().y, -50);
    // Screen y 70 is content y 120 now: the lower row.
    EXPECT_EQ(view.OnMousePress(press), &lower);
    EXPECT_EQ(view.OnMouseRelease(press), &lower);
    EXPECT_EQ(view.OnMouseClick(press), &lower);
    EXPECT_EQ(view.FindElementAt(cursor), &lower);
    EventCursor hover = EventCursor::Hover(cursor, 1);
    EXPECT_EQ(view.OnHoverChanged(hover), &lower);
    EXPECT_TRUE(lower.IsHovered());
    EXPECT_EQ(press.position, (Lib::Point{50, 70})) << "the caller's event is left as it was";
}

TEST_F(ScrolledBarFixture, ScrollingToTheEndShowsTheLastRowAtTheInnerBottomEdge)
{
    EventMouseScroll wheel(-1000, {50, 50});
    view.OnMouseScroll(wheel);
    EXPECT_EQ(view.GetOffset().y, -112);
    // Where the lower row is drawn: its rect moved by the offset.
    EXPECT_EQ(lower.GetRect().bottom + lower.GetOrigin().y, 94);
}

TEST_F(ScrolledBarFixture, ClickNeedsAHolderThatTakesInput)
{
    view.GetScrollviewContent().SetActive(false);
    EventMousePress press(1, 0, 0, {50, 30});
    EXPECT_EQ(view.OnMousePress(press), &upper);
    EXPECT_EQ(view.OnMouseClick(press), nullptr);
}

TEST(Scrollview, DisabledOrHiddenShownElementTakesNoEvents)
{
    for (const bool hide : {false, true})
    {
        SCOPED_TRACE(hide ? "hidden" : "disabled");
        ScrollFixture fixture;
        RecordingForwarder listener;
        listener.answer = true;
        fixture.shown.SetForwarder(&listener);
        fixture.shown.SetFlag(k_LayoutFocused, true);
        if (hide)
            fixture.shown.SetVisibility(k_LayoutHidden);
        else
            fixture.shown.SetEnabled(false);
        EventMousePress press(1, 1, 0, {50, 50});
        EXPECT_EQ(fixture.view.OnMousePress(press), nullptr);
        EventKeyInput key(k_EventKeyPress, 65, k_KeyActionPress, 0);
        EXPECT_FALSE(fixture.view.OnKeyPress(key));
        EXPECT_TRUE(listener.calls.empty());
    }
}

TEST(Scrollview, KeyboardEventsReachTheShownElementUnshifted)
{
    ScrollFixture fixture;
    RecordingForwarder listener;
    listener.answer = true;
    fixture.shown.SetForwarder(&listener);
    EventKeyInput key(k_EventKeyPress, 65, k_KeyActionPress, 0);
    EXPECT_FALSE(fixture.view.OnKeyPress(key)) << "a leaf takes key presses only while focused";
    fixture.shown.SetFlag(k_LayoutFocused, true);
    EXPECT_TRUE(fixture.view.OnKeyPress(key));
    EventTextInput text(Lib::String("x"));
    EXPECT_TRUE(fixture.view.OnTextInput(text));
    EXPECT_EQ(listener.Operations(), (std::vector<std::string>{"OnKeyPress", "OnTextInput"}));
}

TEST(Scrollview, DrawsBackgroundAndBorderThenTheContentClippedInsideTheBorder)
{
    std::vector<std::string> journal;
    Testing::FixedMetricsGuiEngine engine;
    for (const int32_t border : {1, 0})
    {
        SCOPED_TRACE(border);
        Scrollview view(&engine, 5, border, 0xFF102030);
        TestElement shown("shown", &journal);
        view.SetContent(&shown, false);
        view.SetRect({10, 210, 20, 120});
        view.UpdateLayout();

        Testing::RecordingDrawingContext context;
        journal.clear();
        view.Draw(context);
        // Style colours are 0xAARRGGBB and reach the context swapped.
        std::vector<std::string> expected = {"FillRect 10 210 20 120 r0 c=ff302010"};
        if (border == 1)
            expected.push_back("DrawRect 10 210 20 120 t1 r0 c=ff8e8e8c");
        expected.push_back(border == 1 ? "PushClipRect 11 209 21 119" : "PushClipRect 10 210 20 120");
        expected.push_back("PopClipRect");
        EXPECT_EQ(context.calls, expected);
        EXPECT_EQ(journal, std::vector<std::string>{"shown draw"});
        EXPECT_TRUE(context.clipStack.empty());

        journal.clear();
        shown.SetVisibility(k_LayoutHidden);
        context.calls.clear();
        view.Draw(context);
        EXPECT_TRUE(journal.empty());
        EXPECT_EQ(context.CallsStartingWith("PopClipRect").size(), 1u);
    }
}

TEST(Scrollview, SetVisibilityReachesTheContentAndMarksTheStyleChanged)
{
    ScrollFixture fixture;
    fixture.view.GetStyle().changed = false;
    fixture.view.SetVisibility(k_LayoutCollapsed);
    EXPECT_EQ(fixture.view.GetScrollviewContent().GetVisibility(), k_LayoutCollapsed);
    EXPECT_EQ(fixture.shown.GetVisibility(), k_LayoutCollapsed);
    EXPECT_TRUE(fixture.view.GetStyle().changed);
    Testing::RecordingDrawingContext context;
    fixture.view.Draw(context);
    EXPECT_TRUE(context.calls.empty());
}
} // namespace
