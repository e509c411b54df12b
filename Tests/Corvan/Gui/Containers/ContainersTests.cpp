#include "Corvan/Gui/Colours.h"
#include "Corvan/Gui/Containers/ColouredLayout.h"
#include "Corvan/Gui/Containers/LayoutBar.h"
#include "Corvan/Gui/Containers/LayoutMargin.h"
#include "Corvan/Layout/LayoutTestElements.h"
#include "Support/RecordingDrawingContext.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{
using namespace Vozad;
using namespace LayoutTesting;

TEST(LayoutBar, ConstructionGivesTheCrossAxisOneShareTrack)
{
    struct Case
    {
        int32_t vertical;
        uint32_t columns, rows;
    };
    for (const Case& bar : {Case{1, 1, 0}, Case{7, 1, 0}, Case{0, 0, 1}})
    {
        SCOPED_TRACE(bar.vertical);
        LayoutBar layout(bar.vertical);
        EXPECT_EQ(layout.IsVertical(), bar.vertical != 0);
        EXPECT_EQ(layout.GetColumnCount(), bar.columns);
        EXPECT_EQ(layout.GetRowCount(), bar.rows);
        const GridTrack& cross = bar.vertical ? layout.GetColumn(0) : layout.GetRow(0);
        EXPECT_EQ(cross.value, 1);
        EXPECT_EQ(cross.mode, GridSizeMode::Share);
    }
}

TEST(LayoutBar, AddElementFillsTheLastSlotAndAddsAnEmptyOneBehindIt)
{
    for (const int32_t vertical : {1, 0})
    {
        SCOPED_TRACE(vertical ? "vertical" : "horizontal");
        LayoutBar bar(vertical);
        const auto slotCount = [&] { return vertical ? bar.GetRowCount() : bar.GetColumnCount(); };
        const auto slot = [&](uint32_t p_Index)
        { return vertical ? bar.GetRow(p_Index) : bar.GetColumn(p_Index); };
        const auto element = [&](int32_t p_Slot)
        { return vertical ? bar.GetElement(0, p_Slot) : bar.GetElement(p_Slot, 0); };

        bar.AddSlot(40, GridSizeMode::Fixed);
        TestElement first, second, final;
        bar.AddElement(&first, false, 1, GridSizeMode::Weighted);
        ASSERT_EQ(slotCount(), 2u);
        EXPECT_EQ(element(0), &first);
        EXPECT_EQ(element(1), nullptr) << "one empty trailing slot";
        EXPECT_EQ(slot(1).mode, GridSizeMode::Weighted);

        bar.AddElement(&second, false, 2, GridSizeMode::Auto);
        bar.SetElement(&final, false, -1, -1);
        ASSERT_EQ(slotCount(), 3u);
        EXPECT_EQ(element(1), &second);
        EXPECT_EQ(element(2), &final);

        // Placed along the main axis, stretched over the cross axis.
        bar.SetRect({0, 200, 0, 200});
        bar.UpdateLayout();
        const LayoutRect expected = vertical ? LayoutRect{0, 200, 40, 200} : LayoutRect{40, 200, 0, 200};
        EXPECT_EQ(second.GetRect(), expected);
    }
}

TEST(LayoutMargin, ContentInTheCentreCellIsInsetByTheMargin)
{
    std::vector<std::string> journal; // outlives the margin, which destroys its content
    LayoutMargin margin(10);
    ASSERT_EQ(margin.GetColumnCount(), 3u);
    ASSERT_EQ(margin.GetRowCount(), 3u);
    for (uint32_t i = 0; i < 3; ++i)
    {
        const GridSizeMode expected = i == 1 ? GridSizeMode::Weighted : GridSizeMode::Fixed;
        EXPECT_EQ(margin.GetColumn(i).mode, expected);
        EXPECT_EQ(margin.GetRow(i).mode, expected);
        EXPECT_EQ(margin.GetColumn(i).value, i == 1 ? 1 : 10);
    }
    margin.SetElement(new TestElement("content", &journal), true, 1, 1);
    margin.SetRect({100, 300, 50, 150});
    margin.UpdateLayout();
    EXPECT_EQ(margin.GetElement(1, 1)->GetRect(), (LayoutRect{110, 290, 60, 140}));
    EXPECT_EQ(margin.GetDesiredSize().width, 20u) << "content without a wish adds nothing to the margins";
}

TEST(ColouredLayout, ColoursGivenInTheDrawingPackingAreStoredSwapped)
{
    ColouredLayout panel(0xC8413F3C, 0xC88E8E8C, 4);
    const uint32_t background = panel.GetStyle().backgroundColour; // 0xAARRGGBB
    EXPECT_EQ((background >> 16) & 0xFF, 60u) << "red";
    EXPECT_EQ((background >> 8) & 0xFF, 63u) << "green";
    EXPECT_EQ(background & 0xFF, 65u) << "blue";
    EXPECT_EQ(background >> 24, 200u) << "alpha";
    EXPECT_EQ(panel.GetStyle().borderColour, 0xC88C8E8Eu);
    EXPECT_EQ(panel.GetStyle().borderThickness, 1);
    EXPECT_EQ(panel.GetStyle().rounding, 4);
}

TEST(ColouredLayout, DrawsItsBackgroundUnchangedThenItsCells)
{
    ColouredLayout panel(0xC8413F3C, Colour::k_Brown, 4);
    panel.AddColumn(1, GridSizeMode::Weighted);
    panel.AddRow(1, GridSizeMode::Weighted);
    std::vector<std::string> journal;
    TestElement child("child", &journal);
    panel.SetElement(&child, false, 0, 0);
    panel.SetRect({10, 110, 20, 60});
    panel.UpdateLayout();
    panel.SetOrigin({0, -5});

    Testing::RecordingDrawingContext context;
    journal.clear();
    panel.Draw(context);
    EXPECT_EQ(context.calls, (std::vector<std::string>{"FillRect 10 110 15 55 r4 c=c8413f3c",
                                                       "DrawRect 10 110 15 55 t1 r4 c=ff27458b"}));
    EXPECT_EQ(journal, std::vector<std::string>{"child draw"});

    context.calls.clear();
    journal.clear();
    panel.SetVisibility(k_LayoutHidden);
    panel.Draw(context);
    EXPECT_TRUE(context.calls.empty());
    EXPECT_TRUE(journal.empty());
}

struct ColouredFixture : testing::Test
{
    ColouredFixture()
    {
        panel.AddColumn(50, GridSizeMode::Fixed);
        panel.AddColumn(1, GridSizeMode::Share);
        panel.AddRow(1, GridSizeMode::Share);
        panel.SetElement(&child, false, 0, 0);
        panel.SetRect({0, 200, 0, 100});
        panel.UpdateLayout();
        panel.SetForwarder(&panelListener);
    }

    ColouredLayout panel{0xFF000000, 0xFFFFFFFF, 0};
    TestElement child;
    RecordingForwarder panelListener;
};

TEST_F(ColouredFixture, PressAndClickOutsideEveryChildReturnThePanel)
{
    EventMousePress onChild(1, 1, 0, {20, 20});
    EventMousePress onBackground(1, 1, 0, {150, 20});
    EXPECT_EQ(panel.OnMousePress(onChild), &child);
    EXPECT_EQ(panel.OnMousePress(onBackground), &panel);
    EXPECT_EQ(panel.OnMouseClick(onChild), &child);
    EXPECT_EQ(panel.OnMouseClick(onBackground), &panel);
    EXPECT_TRUE(panelListener.calls.empty()) << "press and click on the background are not reported";
}

TEST_F(ColouredFixture, ReleaseOnTheBackgroundIsReportedWhileThePanelTakesInput)
{
    EventMousePress onBackground(1, 0, 0, {150, 20});
    EXPECT_EQ(panel.OnMouseRelease(onBackground), &panel);
    ASSERT_EQ(panelListener.calls.size(), 1u);
    EXPECT_EQ(panelListener.calls[0], (Call{"OnMouseRelease", &panel}));

    panelListener.calls.clear();
    panel.SetActive(false);
    EXPECT_EQ(panel.OnMouseRelease(onBackground), nullptr);
    EXPECT_TRUE(panelListener.calls.empty());

    EventMousePress onChild(1, 0, 0, {20, 20});
    EXPECT_EQ(panel.OnMouseRelease(onChild), &child) << "children still take their releases";
}
} // namespace
