#include "Corvan/Gui/Containers/LayoutGrid.h"
#include "Corvan/Layout/LayoutTestElements.h"
#include "Support/RecordingDrawingContext.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace
{
using namespace Vozad;
using namespace LayoutTesting;

constexpr int32_t k_None = k_NoDesiredSize;

// One column of a sizing case: its track and the desired width of the element in it (k_None:
// an element without a wish; -1: no element at all).
struct ColumnSpec
{
    int32_t value;
    GridSizeMode mode;
    int32_t elementWidth = -1;
};

struct SizingCase
{
    const char* name;
    int32_t width;
    std::vector<ColumnSpec> columns;
    std::vector<int32_t> expected;
};

// Lays out one row of columns over [0, width) and reads back the column sizes from the cells.
std::vector<int32_t> ColumnSizes(const SizingCase& p_Case)
{
    LayoutGrid grid;
    std::vector<std::unique_ptr<TestElement>> elements;
    for (const ColumnSpec& column : p_Case.columns)
        grid.AddColumn(column.value, column.mode);
    grid.AddRow(20, GridSizeMode::Fixed);
    for (size_t i = 0; i < p_Case.columns.size(); ++i)
    {
        if (p_Case.columns[i].elementWidth < 0)
            continue;
        elements.push_back(std::make_unique<TestElement>());
        elements.back()->SetDesiredSize(p_Case.columns[i].elementWidth, 10);
        grid.SetElement(elements.back().get(), false, static_cast<int32_t>(i), 0);
    }
    grid.SetRect({0, p_Case.width, 0, 20});
    grid.UpdateLayout();

    std::vector<int32_t> sizes;
    int32_t expectedLeft = 0;
    for (size_t i = 0; i < p_Case.columns.size(); ++i)
    {
        const GridCell* cell = grid.FindCell(static_cast<int32_t>(i), 0);
        EXPECT_NE(cell, nullptr);
        if (!cell)
            return sizes;
        EXPECT_EQ(cell->rect.left, expectedLeft) << "cells follow each other without gaps";
        sizes.push_back(cell->rect.Width());
        expectedLeft = cell->rect.right;
    }
    return sizes;
}

TEST(LayoutGrid, ColumnSizesFollowTheModesInOrder)
{
    const std::vector<SizingCase> cases = {
        {"fixed then weights",
         400,
         {{100, GridSizeMode::Fixed}, {1, GridSizeMode::Weighted}, {2, GridSizeMode::Weighted}},
         {100, 100, 200}},
        {"weights that do not divide the space: the last column takes the leftover",
         100,
         {{1, GridSizeMode::Weighted}, {1, GridSizeMode::Weighted}, {1, GridSizeMode::Weighted}},
         {33, 33, 34}},
        {"leftover split between the first and the last column",
         103,
         {{1, GridSizeMode::Weighted},
          {1, GridSizeMode::Weighted},
          {1, GridSizeMode::Weighted},
          {1, GridSizeMode::Weighted}},
         {26, 25, 25, 27}},
        {"a remainder as large as the column count gives every weighted column an extra",
         14,
         {{2, GridSizeMode::Weighted}, {3, GridSizeMode::Weighted}},
         {6, 8}},
        {"leftover goes to the first and last column whatever their modes",
         15,
         {{10, GridSizeMode::Fixed}, {1, GridSizeMode::Weighted}, {1, GridSizeMode::Weighted}},
         {10, 2, 3}},
        {"share alone takes what the others leave",
         200,
         {{50, GridSizeMode::Fixed}, {1, GridSizeMode::Share}, {1, GridSizeMode::Auto, 20}},
         {50, 130, 20}},
        {"share after fill gets nothing", 200, {{1, GridSizeMode::Fill}, {1, GridSizeMode::Share}}, {200, 0}},
        {"fill gets what the weighted columns leave, here nothing",
         100,
         {{1, GridSizeMode::Weighted}, {1, GridSizeMode::Fill}},
         {100, 0}},
        {"fill after fixed and auto",
         100,
         {{30, GridSizeMode::Fixed}, {1, GridSizeMode::Auto, 25}, {1, GridSizeMode::Fill}},
         {30, 25, 45}},
        {"auto multiplies the widest wish",
         200,
         {{2, GridSizeMode::Auto, 30}, {1, GridSizeMode::Share}},
         {60, 140}},
        {"auto takes the widest of its elements",
         200,
         {{1, GridSizeMode::Auto, 30}, {1, GridSizeMode::Share}},
         {30, 170}},
        {"auto is capped by the space left",
         200,
         {{50, GridSizeMode::Fixed}, {1, GridSizeMode::Auto, 500}},
         {50, 150}},
        {"auto whose element wishes no width",
         100,
         {{1, GridSizeMode::Auto, k_None}, {1, GridSizeMode::Share}},
         {0, 100}},
        {"auto without any element", 100, {{1, GridSizeMode::Auto}, {1, GridSizeMode::Share}}, {0, 100}},
        // Fixed columns that do not fit keep their size; everything else gets nothing.
        {"fixed wider than the rect",
         200,
         {{300, GridSizeMode::Fixed},
          {1, GridSizeMode::Weighted},
          {1, GridSizeMode::Auto, 40},
          {1, GridSizeMode::Share}},
         {300, 0, 0, 0}},
        // Weights of 0 share nothing out; the space stays for Share and Fill.
        {"all weights zero",
         100,
         {{0, GridSizeMode::Weighted}, {0, GridSizeMode::Weighted}, {1, GridSizeMode::Share}},
         {0, 0, 100}},
        {"a negative weight counts as zero",
         100,
         {{-3, GridSizeMode::Weighted}, {1, GridSizeMode::Weighted}},
         {0, 100}},
        // Several Share or Fill tracks split the space evenly, the last one taking the remainder.
        {"three share columns",
         100,
         {{1, GridSizeMode::Share}, {1, GridSizeMode::Share}, {1, GridSizeMode::Share}},
         {33, 33, 34}},
        {"two fill columns, then share",
         101,
         {{1, GridSizeMode::Fill}, {1, GridSizeMode::Share}, {1, GridSizeMode::Fill}},
         {50, 0, 51}},
    };
    for (const SizingCase& sizing : cases)
    {
        SCOPED_TRACE(sizing.name);
        EXPECT_EQ(ColumnSizes(sizing), sizing.expected);
    }
}

TEST(LayoutGrid, RowsAreSizedLikeColumnsAndCellsArePlacedFromTheRectsCorner)
{
    LayoutGrid grid;
    grid.AddColumn(40, GridSizeMode::Fixed);
    grid.AddColumn(1, GridSizeMode::Share);
    grid.AddRow(100, GridSizeMode::Fixed);
    grid.AddRow(1, GridSizeMode::Weighted);
    grid.AddRow(2, GridSizeMode::Weighted);
    TestElement topLeft, topRight, bottomRight;
    grid.SetElement(&topLeft, false, 0, 0);
    grid.SetElement(&topRight, false, 1, 0);
    grid.SetElement(&bottomRight, false, 1, 2);

    grid.SetRect({10, 110, 20, 420});
    grid.UpdateLayout();

    EXPECT_EQ(topLeft.GetRect(), (LayoutRect{10, 50, 20, 120}));
    EXPECT_EQ(topRight.GetRect(), (LayoutRect{50, 110, 20, 120}));
    EXPECT_EQ(bottomRight.GetRect(), (LayoutRect{50, 110, 220, 420}));
    // Empty cells store their rectangle too.
    EXPECT_EQ(grid.FindCell(0, 1)->rect, (LayoutRect{10, 50, 120, 220}));
    EXPECT_EQ(grid.FindCell(0, 2)->rect, (LayoutRect{10, 50, 220, 420}));
}

TEST(LayoutGrid, SizeToDesiredElementsStayAtTheCellsTopLeftCorner)
{
    struct Case
    {
        const char* name;
        bool sizeToDesired;
        int32_t width, height;
        LayoutRect expected;
    };
    const std::vector<Case> cases = {
        {"desired size inside the cell", true, 50, 20, {5, 55, 7, 27}},
        {"without the flag the element fills the cell", false, 50, 20, {5, 205, 7, 47}},
        {"no wish in one component keeps that component full", true, k_None, 20, {5, 205, 7, 27}},
        {"a wish larger than the cell is cut to the cell", true, 300, 80, {5, 205, 7, 47}},
    };
    for (const Case& sizing : cases)
    {
        SCOPED_TRACE(sizing.name);
        LayoutGrid grid;
        grid.AddColumn(200, GridSizeMode::Fixed);
        grid.AddRow(40, GridSizeMode::Fixed);
        TestElement element;
        element.SetDesiredSize(sizing.width, sizing.height);
        element.SetFlag(k_LayoutSizeToDesired, sizing.sizeToDesired);
        grid.SetElement(&element, false, 0, 0);
        grid.SetRect({5, 300, 7, 100});
        grid.UpdateLayout();
        EXPECT_EQ(element.GetRect(), sizing.expected);
        EXPECT_EQ(grid.FindCell(0, 0)->rect, (LayoutRect{5, 205, 7, 47}));
    }
}

TEST(LayoutGrid, AtLeastDesiredFlagsLetTheGridGrowBeyondItsRect)
{
    for (const bool atLeastHeight : {false, true})
    {
        SCOPED_TRACE(atLeastHeight ? "with the flag" : "without the flag");
        LayoutGrid grid;
        grid.AddColumn(1, GridSizeMode::Share);
        TestElement rows[3];
        for (int32_t i = 0; i < 3; ++i)
        {
            grid.AddRow(1, GridSizeMode::Auto);
            rows[i].SetDesiredSize(k_None, 30);
            grid.SetElement(&rows[i], false, 0, i);
        }
        grid.SetFlag(k_LayoutAtLeastDesiredHeight, atLeastHeight);
        grid.SetRect({0, 100, 0, 50});
        grid.UpdateLayout();
        EXPECT_EQ(rows[0].GetRect().Height(), 30);
        EXPECT_EQ(rows[1].GetRect().Height(), atLeastHeight ? 30 : 20);
        EXPECT_EQ(rows[2].GetRect(),
                  atLeastHeight ? (LayoutRect{0, 100, 60, 90}) : (LayoutRect{0, 100, 50, 50}));
    }
}

TEST(LayoutGrid, AddTrackReturnsItsIndexAndEveryPairGetsACell)
{
    LayoutGrid grid;
    EXPECT_EQ(grid.AddColumn(10, GridSizeMode::Fixed), 0);
    EXPECT_EQ(grid.AddColumn(10, GridSizeMode::Fixed), 1);
    EXPECT_EQ(grid.AddRow(10, GridSizeMode::Fixed), 0);
    EXPECT_EQ(grid.AddRow(10, GridSizeMode::Fixed), 1);
    EXPECT_EQ(grid.AddColumn(10, GridSizeMode::Fixed), 2);
    for (int32_t column = 0; column < 3; ++column)
    {
        for (int32_t row = 0; row < 2; ++row)
            EXPECT_NE(grid.FindCell(column, row), nullptr) << column << ", " << row;
    }
    EXPECT_EQ(grid.FindCell(3, 0), nullptr);
    EXPECT_EQ(grid.FindCell(0, 2), nullptr);
}

TEST(LayoutGrid, SetElementResolvesMinusOneAndIgnoresInvalidIndices)
{
    LayoutGrid grid;
    TestElement element;
    grid.SetElement(&element, false, 0, 0);
    EXPECT_EQ(grid.GetCellCount(), 0u) << "a grid without tracks has no cell to fill";

    grid.AddColumn(10, GridSizeMode::Fixed);
    grid.AddColumn(10, GridSizeMode::Fixed);
    // No rows yet: the row is 0 whatever was asked for, as long as it is 0 or -1.
    grid.SetElement(&element, false, -1, -1);
    EXPECT_EQ(grid.GetElement(1, 0), &element);

    grid.AddRow(10, GridSizeMode::Fixed);
    grid.AddRow(10, GridSizeMode::Fixed);
    TestElement last;
    grid.SetElement(&last, false, -1, -1);
    EXPECT_EQ(grid.GetElement(1, 1), &last);

    TestElement stray;
    for (const auto& [column, row] :
         std::vector<std::pair<int32_t, int32_t>>{{2, 0}, {0, 2}, {-2, 0}, {0, -5}})
    {
        grid.SetElement(&stray, false, column, row);
        SCOPED_TRACE(std::to_string(column) + ", " + std::to_string(row));
        for (uint32_t i = 0; i < grid.GetCellCount(); ++i)
            EXPECT_NE(grid.GetCellAt(i).element, &stray);
    }
}

TEST(LayoutGrid, SetElementLaysTheGridOutAtOnce)
{
    LayoutGrid grid;
    grid.AddColumn(30, GridSizeMode::Fixed);
    grid.AddColumn(1, GridSizeMode::Share);
    grid.AddRow(1, GridSizeMode::Share);
    grid.SetRect({0, 100, 0, 40});
    TestElement element;
    grid.SetElement(&element, false, 1, 0);
    EXPECT_EQ(element.layouts, 1);
    EXPECT_EQ(element.GetRect(), (LayoutRect{30, 100, 0, 40}));
}

TEST(LayoutGrid, OwnedElementsDieWithTheGridAndWhenReplaced)
{
    std::vector<std::string> journal;
    TestElement kept("kept", &journal);
    {
        LayoutGrid grid;
        grid.AddColumn(10, GridSizeMode::Fixed);
        grid.AddColumn(10, GridSizeMode::Fixed);
        grid.AddRow(10, GridSizeMode::Fixed);
        grid.SetElement(new TestElement("owned", &journal), true, 0, 0);
        grid.SetElement(&kept, false, 1, 0);
        // The grid was told to own the replaced element, so nobody else can destroy it.
        grid.SetElement(new TestElement("replacement", &journal), true, 0, 0);
        EXPECT_EQ(std::count(journal.begin(), journal.end(), "owned destroyed"), 1);
        // Setting the same owned element again keeps it alive.
        grid.SetElement(grid.GetElement(0, 0), true, 0, 0);
        EXPECT_EQ(std::count(journal.begin(), journal.end(), "replacement destroyed"), 0);
    }
    EXPECT_EQ(std::count(journal.begin(), journal.end(), "replacement destroyed"), 1);
    EXPECT_EQ(std::count(journal.begin(), journal.end(), "kept destroyed"), 0);
}

TEST(LayoutGrid, DesiredSizeAddsFixedValuesAndTheWidestWishes)
{
    LayoutGrid grid;
    grid.AddColumn(30, GridSizeMode::Fixed);
    grid.AddColumn(3, GridSizeMode::Auto);
    grid.AddColumn(1, GridSizeMode::Weighted);
    grid.AddRow(1, GridSizeMode::Auto);
    grid.AddRow(12, GridSizeMode::Fixed);
    TestElement wide, narrow, noWish;
    wide.SetDesiredSize(40, 25);
    narrow.SetDesiredSize(10, 5);
    noWish.SetDesiredSize(k_None, 15);
    grid.SetElement(&wide, false, 1, 0);
    grid.SetElement(&narrow, false, 1, 1);
    grid.SetElement(&noWish, false, 2, 0);

    // Multipliers and weights do not enter; a missing wish counts as nothing.
    EXPECT_EQ(grid.GetDesiredSize(), (Lib::RectSize{30 + 40 + 0, 25 + 12}));

    // A Hidden child keeps its wish; a Collapsed one wishes nothing.
    wide.SetVisibility(k_LayoutHidden);
    EXPECT_EQ(grid.GetDesiredSize(), (Lib::RectSize{70, 37}));
    wide.SetVisibility(k_LayoutCollapsed);
    EXPECT_EQ(grid.GetDesiredSize(), (Lib::RectSize{30 + 10, 15 + 12}));

    // Unlike a plain element, a Hidden grid wishes nothing either.
    for (const int32_t visibility : {k_LayoutHidden, k_LayoutCollapsed})
    {
        grid.SetVisibility(visibility);
        EXPECT_EQ(grid.GetDesiredSize(), (Lib::RectSize{0, 0})) << visibility;
    }
}

// A 2 x 1 grid over {0, 100, 0, 50}: "left" covers x 0..50, "right" x 50..100, so x = 50 lies
// on the shared edge and inside both.
struct GridEventFixture : testing::Test
{
    GridEventFixture()
    {
        grid.AddColumn(1, GridSizeMode::Weighted);
        grid.AddColumn(1, GridSizeMode::Weighted);
        grid.AddRow(1, GridSizeMode::Share);
        grid.SetElement(&left, false, 0, 0);
        grid.SetElement(&right, false, 1, 0);
        grid.SetRect({0, 100, 0, 50});
        grid.UpdateLayout();
        left.SetForwarder(&leftListener);
        right.SetForwarder(&rightListener);
    }
    // Also built by hand, once per case of a table.
    void TestBody() override {}

    LayoutGrid grid;
    TestElement left{"left"};
    TestElement right{"right"};
    RecordingForwarder leftListener;
    RecordingForwarder rightListener;
};

TEST_F(GridEventFixture, PressReturnsTheElementUnderTheCursorAskingTheLastCellFirst)
{
    EventMousePress onLeft(1, 1, 0, {10, 10});
    EXPECT_EQ(grid.OnMousePress(onLeft), &left);
    EventMousePress onEdge(1, 1, 0, {50, 10});
    EXPECT_EQ(grid.OnMousePress(onEdge), &right);
    EXPECT_EQ(leftListener.Operations(), std::vector<std::string>{"OnMousePress"});
    EventMousePress outside(1, 1, 0, {150, 10});
    EXPECT_EQ(grid.OnMousePress(outside), nullptr);
    EXPECT_EQ(grid.OnMouseRelease(onEdge), &right);
    EXPECT_EQ(grid.OnMouseClick(onLeft), &left);
    EventCursor cursor = EventCursor::Position(0, {70, 10}, {});
    EXPECT_EQ(grid.FindElementAt(cursor), &right);
}

TEST_F(GridEventFixture, DisabledHiddenOrInactiveElementsTakeNoEventsAndTheirListenersHearNothing)
{
    struct Case
    {
        const char* name;
        void (*apply)(LayoutBase&);
    };
    const Case cases[] = {
        {"disabled", [](LayoutBase& p_Element) { p_Element.SetEnabled(false); }},
        {"hidden", [](LayoutBase& p_Element) { p_Element.SetVisibility(k_LayoutHidden); }},
        {"inactive", [](LayoutBase& p_Element) { p_Element.SetActive(false); }},
    };
    for (const Case& state : cases)
    {
        SCOPED_TRACE(state.name);
        GridEventFixture fixture;
        state.apply(fixture.left);
        fixture.left.SetFlag(k_LayoutFocused, true);
        fixture.leftListener.answer = true;
        EventMousePress press(1, 1, 0, {10, 10});
        EXPECT_EQ(fixture.grid.OnMousePress(press), nullptr);
        EXPECT_EQ(fixture.grid.OnMouseClick(press), nullptr);
        EventCursor cursor = EventCursor::Position(0, {10, 10}, {});
        EXPECT_EQ(fixture.grid.FindElementAt(cursor), nullptr);
        EventCursor hover = EventCursor::Hover(cursor, 1);
        EXPECT_EQ(fixture.grid.OnHoverChanged(hover), nullptr);
        EXPECT_FALSE(fixture.left.IsHovered());
        EventMouseScroll wheel(-10, {10, 10});
        EXPECT_FALSE(fixture.grid.OnMouseScroll(wheel));
        EventTextInput text(Lib::String("a"));
        EXPECT_FALSE(fixture.grid.OnTextInput(text));
        EventKeyInput key(k_EventKeyPress, 65, k_KeyActionPress, 0);
        EXPECT_FALSE(fixture.grid.OnKeyPress(key));
        EXPECT_TRUE(fixture.leftListener.calls.empty());
    }
}

TEST_F(GridEventFixture, KeyboardEventsGoByFocusAndActivityNotByPosition)
{
    rightListener.answer = true;
    EventTextInput text(Lib::String("a"));
    EventKeyInput press(k_EventKeyPress, 65, k_KeyActionPress, 0);
    EventKeyInput repeat(k_EventKeyRepeat, 65, k_KeyActionRepeat, 0);
    EventKeyInput release(k_EventKeyRelease, 65, k_KeyActionRelease, 0);
    EXPECT_FALSE(grid.OnTextInput(text)) << "text input needs a focused child";
    EXPECT_FALSE(grid.OnKeyRepeat(repeat)) << "key repeat needs a focused child";
    EXPECT_FALSE(grid.OnKeyPress(press)) << "a leaf takes key presses only while focused";

    right.SetFlag(k_LayoutFocused, true);
    EXPECT_TRUE(grid.OnTextInput(text));
    EXPECT_TRUE(grid.OnKeyRepeat(repeat));
    EXPECT_TRUE(grid.OnKeyPress(press));
    EXPECT_FALSE(grid.OnKeyRelease(release)) << "key releases are not passed on";
    EXPECT_EQ(rightListener.Operations(),
              (std::vector<std::string>{"OnTextInput", "OnKeyRepeat", "OnKeyPress"}));
    EXPECT_TRUE(leftListener.calls.empty());
}

TEST(LayoutGrid, ContainerChildThatDoesNotTakeAnEventHasItsListenerAsked)
{
    // A grid child never tells its own listener; the grid around it does.
    LayoutGrid outer;
    outer.AddColumn(1, GridSizeMode::Share);
    outer.AddRow(1, GridSizeMode::Share);
    LayoutGrid* inner = new LayoutGrid;
    inner->AddColumn(1, GridSizeMode::Share);
    inner->AddRow(1, GridSizeMode::Share);
    outer.SetElement(inner, true, 0, 0);
    outer.SetRect({0, 100, 0, 100});
    outer.UpdateLayout();
    RecordingForwarder listener;
    listener.answer = true;
    inner->SetForwarder(&listener);
    inner->SetFlag(k_LayoutFocused, true);

    EventTextInput text(Lib::String("a"));
    EXPECT_TRUE(outer.OnTextInput(text));
    EventKeyInput press(k_EventKeyPress, 65, k_KeyActionPress, 0);
    EXPECT_TRUE(outer.OnKeyPress(press));
    EventMouseScroll wheel(5, {50, 50});
    EXPECT_TRUE(outer.OnMouseScroll(wheel));
    EventCursor drag = EventCursor::Position(1, {50, 50}, {1, 0});
    EXPECT_TRUE(outer.OnCursorDrag(drag));
    EventMouseEnter enter({50, 50}, {});
    EXPECT_TRUE(outer.OnCursorEnter(enter));
    EventMouseLeave leave({50, 50}, {});
    EXPECT_TRUE(outer.OnCursorLeave(leave));
    EXPECT_EQ(listener.Operations(),
              (std::vector<std::string>{"OnTextInput", "OnKeyPress", "OnMouseScroll", "OnCursorDrag",
                                        "OnCursorEnter", "OnCursorLeave"}));
    for (const Call& call : listener.calls)
        EXPECT_EQ(call.sender, inner);

    // Outside the child's rectangle the positional events do not reach it.
    listener.calls.clear();
    EventMouseScroll elsewhere(5, {150, 50});
    EXPECT_FALSE(outer.OnMouseScroll(elsewhere));
    EXPECT_TRUE(listener.calls.empty());
}

TEST_F(GridEventFixture, HoverMarksTheElementAndReturnsIt)
{
    EventCursor cursor = EventCursor::Position(0, {10, 10}, {});
    EventCursor entered = EventCursor::Hover(cursor, 1);
    EXPECT_EQ(grid.OnHoverChanged(entered), &left);
    EXPECT_TRUE(left.IsHovered());
    EXPECT_EQ(leftListener.hoverEntered, std::vector<int32_t>{1});
    EventCursor leftAgain = EventCursor::Hover(cursor, 0);
    EXPECT_EQ(grid.OnHoverChanged(leftAgain), &left);
    EXPECT_FALSE(left.IsHovered());
}

TEST(LayoutGrid, HoverOnANestedGridMarksTheInnerElement)
{
    LayoutGrid outer;
    outer.AddColumn(1, GridSizeMode::Share);
    outer.AddRow(1, GridSizeMode::Share);
    LayoutGrid inner;
    inner.AddColumn(1, GridSizeMode::Share);
    inner.AddRow(1, GridSizeMode::Share);
    TestElement leaf;
    inner.SetElement(&leaf, false, 0, 0);
    outer.SetElement(&inner, false, 0, 0);
    outer.SetRect({0, 100, 0, 100});
    outer.UpdateLayout();

    EventCursor hover = EventCursor::Hover(EventCursor::Position(0, {20, 20}, {}), 1);
    EXPECT_EQ(outer.OnHoverChanged(hover), &leaf);
    EXPECT_TRUE(leaf.IsHovered());
    EXPECT_FALSE(inner.IsHovered());
}

TEST(LayoutGrid, FindByIdSearchesTheCellsFromTheLastAndNestedGrids)
{
    LayoutGrid grid;
    grid.SetId(1);
    grid.AddColumn(1, GridSizeMode::Share);
    grid.AddColumn(1, GridSizeMode::Share);
    grid.AddRow(1, GridSizeMode::Share);
    LayoutGrid inner;
    inner.SetId(2);
    inner.AddColumn(1, GridSizeMode::Share);
    inner.AddRow(1, GridSizeMode::Share);
    TestElement deep, first, last;
    deep.SetId(3);
    first.SetId(4);
    last.SetId(4);
    inner.SetElement(&deep, false, 0, 0);
    grid.SetElement(&first, false, 0, 0);
    grid.SetElement(&inner, false, 1, 0);

    EXPECT_EQ(grid.FindById(1), &grid);
    EXPECT_EQ(grid.FindById(2), &inner);
    EXPECT_EQ(grid.FindById(3), &deep);
    EXPECT_EQ(grid.FindById(4), &first);
    EXPECT_EQ(grid.FindById(9), nullptr);
    inner.SetElement(&last, false, 0, 0);
    EXPECT_EQ(grid.FindById(4), &last) << "the last cell is searched first";
}

TEST(LayoutGrid, DrawsTheVisibleCellsInCellOrderOnlyWhileVisible)
{
    std::vector<std::string> journal;
    LayoutGrid grid;
    grid.AddColumn(1, GridSizeMode::Share);
    TestElement first("first", &journal), hidden("hidden", &journal), last("last", &journal);
    for (TestElement* element : {&first, &hidden, &last})
        grid.SetElement(element, false, 0, grid.AddRow(1, GridSizeMode::Share));
    hidden.SetVisibility(k_LayoutHidden);
    Testing::RecordingDrawingContext context;

    journal.clear();
    grid.Draw(context);
    EXPECT_EQ(journal, (std::vector<std::string>{"first draw", "last draw"}));

    journal.clear();
    grid.SetVisibility(k_LayoutHidden);
    grid.Draw(context);
    EXPECT_TRUE(journal.empty());
    EXPECT_TRUE(first.IsVisible()) << "hiding a grid leaves its children's visibility alone";
}

TEST(LayoutGrid, OriginAndClipRectReachEveryCellElement)
{
    LayoutGrid grid;
    grid.AddColumn(1, GridSizeMode::Share);
    grid.AddColumn(1, GridSizeMode::Share);
    grid.AddRow(1, GridSizeMode::Share);
    TestElement shown, hidden;
    hidden.SetVisibility(k_LayoutHidden);
    grid.SetElement(&shown, false, 0, 0);
    grid.SetElement(&hidden, false, 1, 0);
    grid.SetOrigin({0, -40});
    grid.SetClipRect({1, 2, 3, 4});
    for (const TestElement* element : {&shown, &hidden})
    {
        EXPECT_EQ(element->GetOrigin(), (Lib::Point{0, -40}));
        EXPECT_EQ(element->GetClipRect(), (LayoutRect{1, 2, 3, 4}));
    }
    EXPECT_EQ(grid.GetOrigin(), (Lib::Point{0, -40}));
}
} // namespace
