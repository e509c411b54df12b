#include "Corvan/Events/KeyCodes.h"
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
        // The window sends 6 per wheel line, 18 for a notch: a notch moves three lines of the
        // content's font (16 pixels here). The lowest offset is 100 - (200 + 12): the content's
        // end meets the inner bottom edge.
        {"down to the end and back up",
         200,
         {-18, -18, -18, -18, 6, 180, 6},
         {-48, -96, -112, -112, -96, 0, 0}},
        {"content that fits never scrolls", 50, {-18, 18}, {0, 0}},
        {"content exactly as tall as the view with its inset", 88, {-18}, {0}},
        // Taller than the view only with its padding and border: the last pixels stay reachable.
        {"content that overflows only by the inset", 95, {-18, -6}, {-7, -7}},
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

    // One notch: three lines of 16 pixels.
    EventMouseScroll wheel(-18, {50, 70});
    ASSERT_TRUE(view.OnMouseScroll(wheel));
    ASSERT_EQ(view.GetOffset().y, -48);
    // Screen y 70 is content y 118 now: the lower row.
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

TEST(Scrollview, KeysScrollByPageToTheEndsAndByLineWhileFocused)
{
    struct Case
    {
        const char* name;
        bool focused;
        std::vector<int32_t> keys;
        std::vector<int32_t> offsets;
        std::vector<bool> taken;
    };
    // A page is the inner height (88) less one line (16): 72.
    const std::vector<Case> cases = {
        {"pages and ends",
         false,
         {KeyCode::PageDown, KeyCode::PageDown, KeyCode::PageUp, KeyCode::Home, KeyCode::End},
         {-72, -112, -40, 0, -112},
         {true, true, true, true, true}},
        {"arrows without the focus are left to the focus walk",
         false,
         {KeyCode::DownArrow, KeyCode::UpArrow},
         {0, 0},
         {false, false}},
        {"arrows with the focus move one line",
         true,
         {KeyCode::DownArrow, KeyCode::DownArrow, KeyCode::UpArrow, KeyCode::UpArrow},
         {-16, -32, -16, 0},
         {true, true, true, true}},
        {"other keys pass", true, {KeyCode::Return, 65}, {0, 0}, {false, false}},
    };
    for (const Case& keys : cases)
    {
        SCOPED_TRACE(keys.name);
        ScrollFixture fixture;
        fixture.view.SetFlag(k_LayoutFocused, keys.focused);
        std::vector<int32_t> offsets;
        std::vector<bool> taken;
        for (const int32_t key : keys.keys)
        {
            EventKeyInput press(k_EventKeyPress, key, 1, 0);
            taken.push_back(fixture.view.OnKeyPress(press));
            offsets.push_back(fixture.view.GetOffset().y);
        }
        EXPECT_EQ(offsets, keys.offsets);
        EXPECT_EQ(taken, keys.taken);
    }
    // Content that fits takes no key at all, and neither does a hidden view.
    ScrollFixture fits(50);
    EventKeyInput end(k_EventKeyPress, KeyCode::End, 1, 0);
    EXPECT_FALSE(fits.view.OnKeyPress(end));
    ScrollFixture hidden;
    hidden.view.SetVisibility(k_LayoutHidden);
    EXPECT_FALSE(hidden.view.OnKeyPress(end));
    EXPECT_EQ(hidden.view.GetOffset().y, 0);
}

TEST(Scrollview, TheBarShowsOnlyWhileTheContentOverflowsAndItsThumbFollowsTheOffset)
{
    ScrollFixture fits(50);
    EXPECT_TRUE(fits.view.GetBarTrack().IsNone());
    EXPECT_FALSE(fits.view.TakesKeyboardFocus());

    ScrollFixture fixture;
    EXPECT_TRUE(fixture.view.TakesKeyboardFocus());
    // Along the right inner edge, 8 wide, the border's height inside.
    EXPECT_EQ(fixture.view.GetBarTrack(), (LayoutRect{191, 199, 1, 99}));
    // The thumb is as long as the share in sight: 98 x 100 / 212 = 46, at the top...
    EXPECT_EQ(fixture.view.GetBarThumb(), (LayoutRect{191, 199, 1, 47}));
    // ...and at the bottom at the end.
    fixture.view.ScrollTo(112);
    EXPECT_EQ(fixture.view.GetBarThumb(), (LayoutRect{191, 199, 53, 99}));

    // Drawn over the content, in the view's own place.
    Testing::RecordingDrawingContext context;
    fixture.view.Draw(context);
    bool thumbDrawn = false;
    for (const auto& call : context.calls)
        thumbDrawn = thumbDrawn || call.find("FillRect 191 199 53 99") != std::string::npos;
    EXPECT_TRUE(thumbDrawn);
}

TEST(Scrollview, PressOnTheTrackMovesAPageAndDraggingTheThumbScrolls)
{
    ScrollFixture fixture;
    Scrollview& view = fixture.view;
    // Below the thumb: a page (the inner height, 88) down; the view takes the press itself.
    EventMousePress below(1, 1, 0, {195, 80});
    EXPECT_EQ(view.OnMousePress(below), &view);
    EXPECT_EQ(view.GetOffset().y, -88);
    EventMousePress above(1, 1, 0, {195, 5});
    EXPECT_EQ(view.OnMousePress(above), &view);
    EXPECT_EQ(view.GetOffset().y, 0);

    // On the thumb: the drag moves the content by range / free track per pixel (112 / 52).
    EventMousePress onThumb(1, 1, 0, {195, 20});
    EXPECT_EQ(view.OnMousePress(onThumb), &view);
    EventCursor drag = EventCursor::Position(1, {195, 46}, {0, 26});
    EXPECT_TRUE(view.OnCursorDrag(drag));
    EXPECT_EQ(view.GetOffset().y, -56);
    EventCursor far = EventCursor::Position(1, {195, 400}, {0, 400});
    view.OnCursorDrag(far);
    EXPECT_EQ(view.GetOffset().y, -112);
    EventMousePress release(1, 0, 0, {195, 400});
    EXPECT_EQ(view.OnMouseRelease(release), &view);
    // After the release a drag is the content's again.
    EventCursor later = EventCursor::Position(1, {195, 10}, {0, -300});
    view.OnCursorDrag(later);
    EXPECT_EQ(view.GetOffset().y, -112);

    // A press beside the bar goes to the content as before.
    EventMousePress content(1, 1, 0, {50, 50});
    EXPECT_EQ(view.OnMousePress(content), &fixture.shown);
}
