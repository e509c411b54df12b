#include "Corvan/EventRouting/EventManager.h"
#include "Corvan/Events/IEventBase.h"
#include "Corvan/Events/InputEvents.h"
#include "Corvan/Events/KeyCodes.h"
#include "Corvan/Gui/Containers/GridSizeMode.h"
#include "Corvan/Gui/Containers/LayoutBar.h"
#include "Corvan/Gui/Popup/ComboBox.h"
#include "Corvan/Gui/Popup/ComboBoxContent.h"
#include "Corvan/Gui/Popup/IComboBoxItemSelect.h"
#include "Corvan/Gui/Popup/PopupTestEngine.h"
#include "Corvan/Layout/IUiFocus.h"
#include "Corvan/Layout/LayoutStack.h"
#include "Support/CapturingForwarder.h"
#include "Support/RecordingDrawingContext.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

namespace
{
using namespace Vozad;
using Testing::PopupTestEngine;
using Testing::RecordingDrawingContext;

class NoItemSelect : public IComboBoxItemSelect
{
public:
    void OnComboBoxItemSelected(ComboBox&, uint32_t) override {}
};

// A field 200 x 26 at (100, 50) with three entries, focused as a press would focus it.
struct ComboFixture : testing::Test
{
    ComboFixture()
    {
        combo.AddItem("alpha");
        combo.AddItem("beta");
        combo.AddItem("gamma");
        Place({100, 300, 50, 76});
    }

    void Place(const LayoutRect& p_Rect)
    {
        combo.SetRect(p_Rect);
        combo.UpdateLayout();
    }
    bool Key(int32_t p_Key)
    {
        EventKeyInput event(k_EventKeyPress, p_Key, k_KeyActionPress, 0);
        return combo.OnKeyPress(event);
    }
    // A key as the event manager delivers it while the list is open: to the popup layer.
    bool ListKey(int32_t p_Key)
    {
        EventKeyInput event(k_EventKeyPress, p_Key, k_KeyActionPress, 0);
        return combo.GetPopup().OnKeyPress(event);
    }
    LayoutBase* PressAndClickField(int32_t p_Button = 1)
    {
        EventMousePress press(p_Button, 1, 0, {150, 60});
        LayoutBase* target = combo.OnMousePress(press);
        if (target == &combo)
            combo.SetFlag(k_LayoutFocused, true);
        EventMousePress click(p_Button, 0, 0, {150, 60});
        return combo.OnMouseClick(click);
    }
    Lib::Point CentreOf(uint32_t p_Entry)
    {
        const LayoutRect rect = combo.GetContent().GetEntry(p_Entry).GetRect();
        return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
    }
    std::string Text() const { return combo.GetText().ToNarrow().Bytes(); }

    PopupTestEngine engine;
    NoItemSelect itemSelect;
    ComboBox combo{&engine, 14, &itemSelect};
};

TEST_F(ComboFixture, LoadsItsArrowAsAUiTexture)
{
    EXPECT_EQ(engine.loadedTextures, std::vector<std::string>{"DropDown"});
    EXPECT_TRUE(combo.HasDropDown());
    EXPECT_EQ(combo.GetItemSelect(), &itemSelect);
    EXPECT_EQ(combo.GetPopup().GetBehaviour(), 7);
}

TEST(ComboBoxIcon, WithoutItsArrowTheComboBoxHasNoList)
{
    TestSupport::CapturingForwarder log;
    PopupTestEngine engine;
    engine.failTextureLoads = true;
    NoItemSelect itemSelect;
    ComboBox combo(&engine, 14, &itemSelect);
    EXPECT_NE(std::find(log.Messages().begin(), log.Messages().end(), "Cloud not load drop down textures."),
              log.Messages().end());
    EXPECT_FALSE(combo.HasDropDown());

    combo.AddItem("only"); // entries still work
    EXPECT_EQ(combo.GetText(), Lib::String("only"));
    combo.SetRect({0, 100, 0, 26});
    combo.SetFlag(k_LayoutFocused, true);
    EventKeyInput enter(k_EventKeyPress, KeyCode::Return, k_KeyActionPress, 0);
    combo.OnKeyPress(enter);
    EXPECT_FALSE(combo.IsOpen());
    EXPECT_TRUE(engine.openPopups.empty());
    // Without an icon the natural size is text and paddings only.
    EXPECT_EQ(combo.GetDesiredSize(), (Lib::RectSize{28u + 12u + 2u, 10u + 16u}));
}

TEST(ComboBoxSize, NaturalSizeFollowsTheWidestAndTallestItem)
{
    PopupTestEngine engine;
    NoItemSelect itemSelect;
    ComboBox combo(&engine, 14, &itemSelect);
    // Icon only: 16 + 3 paddings of 4 + 2 borders; 2 x (4 + 1) + 16.
    EXPECT_EQ(combo.GetDesiredSize(), (Lib::RectSize{30, 26}));
    combo.AddItem("ab");
    EXPECT_EQ(combo.GetDesiredSize(), (Lib::RectSize{16 + 14 + 12 + 2, 26}));
    combo.AddItem("abcdef");
    combo.AddItem("abc");
    EXPECT_EQ(combo.GetDesiredSize(), (Lib::RectSize{16 + 42 + 12 + 2, 26}));
    combo.SetDesiredWidth(120);
    EXPECT_EQ(combo.GetDesiredSize(), (Lib::RectSize{120, 26}));
    combo.SetVisibility(k_LayoutCollapsed);
    EXPECT_EQ(combo.GetDesiredSize(), (Lib::RectSize{0, 0}));
}

TEST_F(ComboFixture, TheFirstItemIsSelectedAndLaterOnesOnlyWhenAsked)
{
    EXPECT_EQ(combo.GetSelectedIndex(), 0u);
    EXPECT_EQ(Text(), "alpha");
    combo.AddItem("delta", true);
    EXPECT_EQ(combo.GetSelectedIndex(), 3u);
    EXPECT_EQ(Text(), "delta");
    EXPECT_EQ(combo.GetItemCount(), 4u);
    EXPECT_EQ(combo.GetItemText(1), Lib::String("beta"));
}

TEST_F(ComboFixture, AClickOpensTheListBelowTheField)
{
    EXPECT_EQ(PressAndClickField(), &combo);
    ASSERT_TRUE(combo.IsOpen());
    EXPECT_TRUE(engine.IsOpen(combo.GetPopup()));
    // A row is its 13-point label: 16 pixels of text and 2 + 2 of padding.
    const int32_t entryHeight = combo.GetContent().GetEntryHeight();
    ASSERT_EQ(entryHeight, 20);
    EXPECT_EQ(combo.GetContent().GetDesiredSize().height, static_cast<uint32_t>(3 * entryHeight));
    EXPECT_EQ(combo.GetPopup().GetRect(), (LayoutRect{100, 300, 76, 76 + 3 * entryHeight + 2}));
    EXPECT_EQ(combo.GetContent().GetHighlightedIndex(), 0u);
    // The rows are stacked inside the popup's border.
    EXPECT_EQ(combo.GetContent().GetEntry(0).GetRect().top, 77);
    EXPECT_EQ(combo.GetContent().GetEntry(1).GetRect().top, 77 + entryHeight);
}

TEST_F(ComboFixture, OnlyTheLeftButtonOfAFocusedFieldOpensIt)
{
    EXPECT_EQ(PressAndClickField(2), &combo); // the click is answered, the press was not
    EXPECT_FALSE(combo.IsOpen());
    EventMousePress press(2, 1, 0, {150, 60});
    EXPECT_EQ(combo.OnMousePress(press), nullptr);

    EventMousePress click(1, 0, 0, {150, 60});
    combo.OnMouseClick(click); // not focused
    EXPECT_FALSE(combo.IsOpen());
}

TEST_F(ComboFixture, ReturnOpensAFocusedFieldAndTheArrowsAreLeftToTheFocusWalk)
{
    EXPECT_FALSE(Key(KeyCode::Return)); // not focused
    combo.SetFlag(k_LayoutFocused, true);
    for (int32_t key : {65, KeyCode::UpArrow, KeyCode::DownArrow})
    {
        EXPECT_FALSE(Key(key)) << key;
        EXPECT_FALSE(combo.IsOpen()) << key;
    }
    EXPECT_TRUE(Key(KeyCode::Return));
    EXPECT_TRUE(combo.IsOpen());
    ListKey(KeyCode::Escape);
    EXPECT_FALSE(combo.IsOpen());
}

TEST_F(ComboFixture, KeysMoveTheHighlightAndReturnSelects)
{
    combo.SetFlag(k_LayoutFocused, true);
    Key(KeyCode::Return);
    ComboBoxContent& list = combo.GetContent();
    EXPECT_TRUE(ListKey(KeyCode::UpArrow)); // already at the first entry
    EXPECT_EQ(list.GetHighlightedIndex(), 0u);
    ListKey(KeyCode::DownArrow);
    ListKey(KeyCode::DownArrow);
    EXPECT_TRUE(ListKey(KeyCode::DownArrow)); // already at the last entry
    EXPECT_EQ(list.GetHighlightedIndex(), 2u);
    EXPECT_TRUE(list.GetEntry(2).IsHighlighted());
    EXPECT_FALSE(list.GetEntry(0).IsHighlighted());
    EXPECT_TRUE(ListKey(65)); // the open list takes every key
    EXPECT_TRUE(combo.IsOpen());

    // Keys that reach the focused field while the list is open go through the list as well.
    EXPECT_TRUE(Key(KeyCode::UpArrow));
    EXPECT_EQ(list.GetHighlightedIndex(), 1u);
    EXPECT_TRUE(Key(KeyCode::Return));
    EXPECT_EQ(combo.GetSelectedIndex(), 1u);
    EXPECT_EQ(list.GetSelectedIndex(), 1u);
    EXPECT_EQ(Text(), "beta");
    EXPECT_FALSE(combo.IsOpen());
    EXPECT_TRUE(engine.openPopups.empty());

    // Reopening puts the highlight back on the selection.
    Key(KeyCode::Return);
    EXPECT_EQ(list.GetHighlightedIndex(), 1u);
}

TEST_F(ComboFixture, EscapeClosesWithoutSelecting)
{
    combo.SetFlag(k_LayoutFocused, true);
    Key(KeyCode::Return);
    ListKey(KeyCode::DownArrow);
    ListKey(KeyCode::Escape);
    EXPECT_FALSE(combo.IsOpen());
    EXPECT_EQ(combo.GetSelectedIndex(), 0u);
    EXPECT_EQ(Text(), "alpha");
}

TEST_F(ComboFixture, AClickOnAnEntrySelectsItClosesAndGivesTheFocusBack)
{
    PressAndClickField();
    ASSERT_TRUE(combo.IsOpen());
    EventMousePress click(1, 0, 0, CentreOf(2));
    LayoutBase* handler = combo.GetPopup().OnMouseClick(click);
    EXPECT_EQ(handler, &combo.GetContent().GetEntry(2));
    EXPECT_EQ(combo.GetSelectedIndex(), 2u);
    EXPECT_EQ(Text(), "gamma");
    EXPECT_EQ(combo.GetContent().GetHighlightedIndex(), 2u);
    EXPECT_FALSE(combo.IsOpen());
    EXPECT_TRUE(engine.openPopups.empty());
    ASSERT_FALSE(engine.focusRequests.empty());
    EXPECT_EQ(engine.focusRequests.back(), &combo);
}

TEST_F(ComboFixture, HoveringAnEntryMovesTheHighlight)
{
    PressAndClickField();
    const ComboBoxContent::Entry& entry = combo.GetContent().GetEntry(1);
    auto& hovered = const_cast<ComboBoxContent::Entry&>(entry);
    EventCursor position = EventCursor::Position(0, CentreOf(1), {0, 0});
    EXPECT_EQ(static_cast<LayoutBase&>(combo.GetPopup()).FindElementAt(position), &entry);
    // The event manager finds the row under the cursor and tells its forwarder.
    ASSERT_NE(hovered.GetForwarder(), nullptr);
    EventCursor left = EventCursor::Hover(position, 0);
    hovered.GetForwarder()->OnHoverChanged(left, hovered);
    EXPECT_EQ(combo.GetContent().GetHighlightedIndex(), 0u);
    EventCursor entered = EventCursor::Hover(position, 1);
    hovered.GetForwarder()->OnHoverChanged(entered, hovered);
    EXPECT_EQ(combo.GetContent().GetHighlightedIndex(), 1u);
}

TEST_F(ComboFixture, AListThatWouldLeaveTheWindowIsShortened)
{
    engine.windowSize = {1280, 100};
    PressAndClickField();
    ASSERT_TRUE(combo.IsOpen());
    EXPECT_EQ(combo.GetPopup().GetRect(), (LayoutRect{100, 300, 76, 100}));
    EXPECT_EQ(combo.GetContent().GetRect().bottom, 99);
}

TEST_F(ComboFixture, AFieldOutsideItsClipRectangleDoesNotOpen)
{
    combo.SetClipRect({0, 400, 60, 400}); // the field's top is cut off
    PressAndClickField();
    EXPECT_FALSE(combo.IsOpen());
    combo.SetFlag(k_LayoutFocused, true);
    EXPECT_TRUE(Key(KeyCode::Return));
    EXPECT_FALSE(combo.IsOpen());

    combo.SetClipRect({100, 300, 50, 76}); // exactly inside
    PressAndClickField();
    EXPECT_TRUE(combo.IsOpen());
}

TEST_F(ComboFixture, PressingTheFieldWhileOpenClosesWithoutReopening)
{
    PressAndClickField();
    ASSERT_TRUE(combo.IsOpen());
    EventMousePress press(1, 1, 0, {150, 60});
    EXPECT_EQ(combo.OnMousePress(press), &combo);
    // The same press is outside the popup: the engine's popup handling closes it.
    combo.GetPopup().SetFlag(k_LayoutFocused, false);
    combo.GetPopup().Close();
    engine.ClosePopup(&combo.GetPopup());
    EventMousePress click(1, 0, 0, {150, 60});
    combo.OnMouseClick(click);
    EXPECT_FALSE(combo.IsOpen());
    // The next click opens it again.
    PressAndClickField();
    EXPECT_TRUE(combo.IsOpen());
}

TEST_F(ComboFixture, RowsAlternateAndTheHighlightStandsOut)
{
    combo.SetFlag(k_LayoutFocused, true);
    Key(KeyCode::Return);
    ListKey(KeyCode::DownArrow);
    RecordingDrawingContext context;
    combo.GetPopup().Draw(context);
    std::vector<std::string> rows;
    for (uint32_t i = 0; i < 3; ++i)
    {
        const LayoutRect rect = combo.GetContent().GetEntry(i).GetRect();
        for (const std::string& call : context.CallsStartingWith("FillRect"))
            if (call.rfind("FillRect " + std::to_string(rect.left) + " " + std::to_string(rect.right) + " " +
                               std::to_string(rect.top) + " " + std::to_string(rect.bottom) + " ",
                           0) == 0)
                rows.push_back(call.substr(call.find("c=")));
    }
    EXPECT_EQ(rows, (std::vector<std::string>{"c=ff424242", "c=ffca652f", "c=ff424242"}));

    ListKey(KeyCode::UpArrow);
    RecordingDrawingContext again;
    combo.GetPopup().Draw(again);
    const LayoutRect second = combo.GetContent().GetEntry(1).GetRect();
    const std::string secondFill = "FillRect " + std::to_string(second.left) + " " +
                                   std::to_string(second.right) + " " + std::to_string(second.top) + " " +
                                   std::to_string(second.bottom) + " r0 c=ff4f4d4d";
    const std::vector<std::string> fills = again.CallsStartingWith("FillRect");
    EXPECT_NE(std::find(fills.begin(), fills.end(), secondFill), fills.end());
    // The labels draw the entry texts.
    EXPECT_EQ(again.CallsStartingWith("DrawText \"beta\"").size(), 1u);
}

TEST_F(ComboFixture, DrawsFieldTextArrowAndOutline)
{
    RecordingDrawingContext context;
    combo.Draw(context);
    const std::vector<std::string> expected = {
        "FillRect 100 300 50 76 r0 c=ff4f4d4d",
        "DrawText \"alpha\" 105 55 14pt w0 c=ffffffff",
        "DrawImage DropDown 279 55 clip 100 300 50 76",
        "DrawRect 100 300 50 76 t1 r0 c=ff61615f",
    };
    EXPECT_EQ(context.calls, expected);

    combo.SetHovered(true);
    combo.SetEnabled(false);
    RecordingDrawingContext lit;
    combo.Draw(lit);
    ASSERT_EQ(lit.calls.size(), 5u);
    EXPECT_EQ(lit.calls[3], "DrawRect 100 300 50 76 t1 r0 c=ffe9ae3d");
    EXPECT_EQ(lit.calls[4], "FillRect 100 300 50 76 r0 c=7f7f7f7f");
}

TEST_F(ComboFixture, ClearEmptiesFieldAndList)
{
    PressAndClickField();
    combo.Clear();
    EXPECT_FALSE(combo.IsOpen());
    EXPECT_TRUE(engine.openPopups.empty());
    EXPECT_EQ(combo.GetItemCount(), 0u);
    EXPECT_EQ(Text(), "");
    EXPECT_EQ(combo.GetDesiredSize(), (Lib::RectSize{30, 26}));
    EXPECT_EQ(combo.GetContent().GetSelectedIndex(), ComboBoxContent::k_NoIndex);

    combo.AddItem("new");
    EXPECT_EQ(Text(), "new");
    EXPECT_EQ(combo.GetSelectedIndex(), 0u);
    PressAndClickField();
    EXPECT_TRUE(combo.IsOpen());
    EXPECT_EQ(combo.GetContent().GetEntry(0).GetRect().top, 77);
}

TEST(ComboBoxLifetime, AnOpenComboBoxLeavesTheEngineWhenDestroyed)
{
    PopupTestEngine engine;
    NoItemSelect itemSelect;
    {
        auto combo = std::make_unique<ComboBox>(&engine, 12, &itemSelect);
        combo->AddItem("one");
        combo->SetRect({0, 100, 0, 26});
        combo->SetFlag(k_LayoutFocused, true);
        EventKeyInput open(k_EventKeyPress, KeyCode::Return, k_KeyActionPress, 0);
        combo->OnKeyPress(open);
        ASSERT_EQ(engine.openPopups.size(), 1u);
    }
    EXPECT_TRUE(engine.openPopups.empty());
}

TEST_F(ComboFixture, HidingTheFieldClosesItsList)
{
    PressAndClickField();
    combo.SetVisibility(k_LayoutHidden);
    EXPECT_FALSE(combo.IsOpen());
    EXPECT_TRUE(engine.openPopups.empty());
}

// The whole path as the running program takes it: the event manager hands input to a root stack
// whose first layer holds the field and whose later layers are the open popups.
class TreeEngine : public PopupTestEngine, public IUiFocus, public IOpenPopups
{
public:
    TreeEngine()
    {
        events.SetRoot(&stack);
        events.SetOpenPopups(this);
    }

    void SetFocus(LayoutBase* p_Element) override { events.SetFocus(p_Element); }
    void ReleaseFocus(LayoutBase* p_Element) override { events.ReleaseFocus(p_Element); }
    void OpenPopup(Popup* p_Popup) override
    {
        if (IsOpen(*p_Popup))
            return;
        stack.AddLayer(p_Popup, false);
        PopupTestEngine::OpenPopup(p_Popup);
    }
    void ClosePopup(Popup* p_Popup) override
    {
        stack.RemoveLayer(p_Popup);
        PopupTestEngine::ClosePopup(p_Popup);
    }
    uint32_t GetOpenPopupCount() const override { return static_cast<uint32_t>(openPopups.size()); }
    ContentLayoutBase* GetOpenPopup(uint32_t p_Index) const override { return openPopups[p_Index]; }
    void OnPressedOutside(ContentLayoutBase& p_Popup) override
    {
        auto& popup = static_cast<Popup&>(p_Popup);
        if ((popup.GetBehaviour() & k_PopupCloseOnOutside) == 0)
            return;
        ClosePopup(&popup);
        popup.Close();
    }

    LayoutStack stack;
    EventManager events{this};
};

// A widget of the layer below the list, as the Back button of a menu is.
class ClickCounter : public LayoutBase
{
public:
    LayoutBase* OnMouseClick(EventMousePress&) override
    {
        ++clicks;
        return this;
    }
    int clicks = 0;
};

// The field at the top of the window; 300 pixels lower a widget that counts its clicks.
struct TreeFixture : testing::Test
{
    TreeFixture()
    {
        combo.AddItem("alpha");
        combo.AddItem("beta");
        combo.AddItem("gamma");
        bar.AddSlot(26, GridSizeMode::Fixed);
        bar.AddSlot(300, GridSizeMode::Fixed);
        bar.AddSlot(100, GridSizeMode::Fixed);
        bar.SetElement(&combo, false, 0, 0);
        bar.SetElement(&below, false, 0, 2);
        engine.stack.AddLayer(&bar, false);
        engine.stack.SetRect({0, 1280, 0, 720});
        engine.stack.UpdateLayout();
    }

    void Click(Lib::Point p_Position)
    {
        engine.events.SendMouseButtonDown(1, 0, p_Position);
        engine.events.SendMouseButtonUp(1, 0, p_Position);
    }
    void Key(int32_t p_Key) { engine.events.SendKeyPress(p_Key, k_KeyActionPress, 0); }
    Lib::Point CentreOf(uint32_t p_Entry)
    {
        const LayoutRect rect = combo.GetContent().GetEntry(p_Entry).GetRect();
        return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
    }

    TreeEngine engine;
    NoItemSelect itemSelect;
    ComboBox combo{&engine, 14, &itemSelect};
    ClickCounter below;
    LayoutBar bar{1};
};

TEST_F(TreeFixture, APressOnTheListReleasedOverAWidgetBelowClosesTheListAndFiresNothing)
{
    Click({10, 10});
    ASSERT_TRUE(combo.IsOpen());
    const Lib::Point onBelow{10, 350};
    ASSERT_TRUE(below.GetRect().Contains(onBelow));

    engine.events.SendMouseButtonDown(1, 0, CentreOf(1));
    engine.events.SendCursorMove(1, onBelow, {0, 0});
    engine.events.SendMouseButtonUp(1, 0, onBelow);
    EXPECT_EQ(below.clicks, 0) << "the widget under the release fired";
    EXPECT_FALSE(combo.IsOpen()) << "the list stays open over the layer below";
    EXPECT_TRUE(engine.openPopups.empty());
    EXPECT_EQ(engine.stack.GetLayerCount(), 1u);
    EXPECT_EQ(combo.GetSelectedIndex(), 0u) << "nothing was chosen";
    EXPECT_EQ(engine.events.GetFocusedElement(), &combo);

    Key(KeyCode::Return); // the field has the keyboard again
    EXPECT_TRUE(combo.IsOpen());
    Key(KeyCode::Escape);
    Click(onBelow); // and the widget below works as before
    EXPECT_EQ(below.clicks, 1);
}

TEST_F(TreeFixture, APressThatClosesTheListReleasedOffTheFieldLeavesTheNextClickWorking)
{
    Click({10, 10});
    ASSERT_TRUE(combo.IsOpen());
    engine.events.SendMouseButtonDown(1, 0, {10, 10}); // on the field: closes the list
    EXPECT_FALSE(combo.IsOpen());
    engine.events.SendCursorMove(1, {900, 600}, {0, 0});
    engine.events.SendMouseButtonUp(1, 0, {900, 600}); // released on nothing
    EXPECT_FALSE(combo.IsOpen());

    Click({10, 10});
    EXPECT_TRUE(combo.IsOpen()) << "the next click on the field was swallowed";
}

TEST_F(TreeFixture, KeysThroughTheRootOpenMoveSelectAndClose)
{
    Click({10, 10});
    EXPECT_EQ(engine.events.GetFocusedElement(), &combo);
    ASSERT_TRUE(combo.IsOpen());
    Key(KeyCode::Escape);
    EXPECT_FALSE(combo.IsOpen());

    Key(KeyCode::Return); // the focused field opens again
    ASSERT_TRUE(combo.IsOpen());
    Key(KeyCode::DownArrow); // now the list layer takes it
    Key(KeyCode::DownArrow);
    EXPECT_EQ(combo.GetContent().GetHighlightedIndex(), 2u);
    Key(KeyCode::Return);
    EXPECT_FALSE(combo.IsOpen());
    EXPECT_TRUE(engine.openPopups.empty());
    EXPECT_EQ(combo.GetText(), Lib::String("gamma"));
}

TEST_F(TreeFixture, ClickingAnEntrySelectsItAndTheFieldKeepsTheFocus)
{
    Click({10, 10});
    ASSERT_TRUE(combo.IsOpen());
    engine.events.SendCursorMove(0, CentreOf(1), {0, 0});
    EXPECT_EQ(combo.GetContent().GetHighlightedIndex(), 1u);
    Click(CentreOf(1));
    EXPECT_FALSE(combo.IsOpen());
    EXPECT_EQ(combo.GetSelectedIndex(), 1u);
    EXPECT_EQ(combo.GetText(), Lib::String("beta"));
    EXPECT_EQ(engine.events.GetFocusedElement(), &combo);
}

TEST_F(TreeFixture, PressingTheOpenFieldClosesTheListForGood)
{
    Click({10, 10});
    ASSERT_TRUE(combo.IsOpen());
    Click({10, 10});
    EXPECT_FALSE(combo.IsOpen());
    EXPECT_TRUE(engine.openPopups.empty());
    Click({10, 10});
    EXPECT_TRUE(combo.IsOpen());
    Click({900, 600}); // anywhere else closes it as well
    EXPECT_FALSE(combo.IsOpen());
    EXPECT_EQ(combo.GetSelectedIndex(), 0u);
}
} // namespace
