#include "Corvan/Layout/ContentLayoutBase.h"
#include "Corvan/Layout/LayoutBase.h"
#include "Corvan/Layout/LayoutRect.h"
#include "Corvan/Layout/LayoutTestElements.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace
{
using namespace Vozad;
using namespace LayoutTesting;

// Every event operation of an element, called with a fresh event. Bool operations report their
// result; pointer operations report the element they return.
struct BoolOperation
{
    const char* name;
    std::function<bool(LayoutBase&)> call;
};

struct ElementOperation
{
    const char* name;
    std::function<LayoutBase*(LayoutBase&)> call;
};

const std::vector<BoolOperation>& BoolOperations()
{
    static const std::vector<BoolOperation> operations = {
        {"OnTextInput",
         [](LayoutBase& p_Element)
         {
             EventTextInput event("x");
             return p_Element.OnTextInput(event);
         }},
        {"OnKeyPress",
         [](LayoutBase& p_Element)
         {
             EventKeyInput event(k_EventKeyPress, 65, k_KeyActionPress, 0);
             return p_Element.OnKeyPress(event);
         }},
        {"OnKeyRepeat",
         [](LayoutBase& p_Element)
         {
             EventKeyInput event(k_EventKeyRepeat, 65, k_KeyActionRepeat, 0);
             return p_Element.OnKeyRepeat(event);
         }},
        {"OnKeyRelease",
         [](LayoutBase& p_Element)
         {
             EventKeyInput event(k_EventKeyRelease, 65, k_KeyActionRelease, 0);
             return p_Element.OnKeyRelease(event);
         }},
        {"OnMouseScroll",
         [](LayoutBase& p_Element)
         {
             EventMouseScroll event(-120, {5, 5});
             return p_Element.OnMouseScroll(event);
         }},
        {"OnCursorDrag",
         [](LayoutBase& p_Element)
         {
             EventCursor event = EventCursor::Position(1, {5, 5}, {1, 0});
             return p_Element.OnCursorDrag(event);
         }},
        {"OnCursorEnter",
         [](LayoutBase& p_Element)
         {
             EventMouseEnter event({5, 5}, {0, 0});
             return p_Element.OnCursorEnter(event);
         }},
        {"OnCursorLeave",
         [](LayoutBase& p_Element)
         {
             EventMouseLeave event({5, 5}, {0, 0});
             return p_Element.OnCursorLeave(event);
         }},
    };
    return operations;
}

const std::vector<ElementOperation>& ElementOperations()
{
    static const std::vector<ElementOperation> operations = {
        {"OnMousePress",
         [](LayoutBase& p_Element)
         {
             EventMousePress event(1, 1, 0, {5, 5});
             return p_Element.OnMousePress(event);
         }},
        {"OnMouseRelease",
         [](LayoutBase& p_Element)
         {
             EventMousePress event(1, 0, 0, {5, 5});
             return p_Element.OnMouseRelease(event);
         }},
        {"OnMouseClick",
         [](LayoutBase& p_Element)
         {
             EventMousePress event(1, 0, 0, {5, 5});
             return p_Element.OnMouseClick(event);
         }},
        {"FindElementAt",
         [](LayoutBase& p_Element)
         {
             EventCursor event = EventCursor::Position(0, {5, 5}, {0, 0});
             return p_Element.FindElementAt(event);
         }},
        {"OnHoverChanged",
         [](LayoutBase& p_Element)
         {
             EventCursor event = EventCursor::Hover(EventCursor::Position(0, {5, 5}, {0, 0}), 1);
             return p_Element.OnHoverChanged(event);
         }},
    };
    return operations;
}

// The states in which an element must not take input, each applied to a fresh element.
struct BlockedState
{
    const char* name;
    std::function<void(LayoutBase&)> apply;
};

const std::vector<BlockedState>& BlockedStates()
{
    static const std::vector<BlockedState> states = {
        {"disabled", [](LayoutBase& p_Element) { p_Element.SetEnabled(false); }},
        {"hidden", [](LayoutBase& p_Element) { p_Element.SetVisibility(k_LayoutHidden); }},
        {"collapsed", [](LayoutBase& p_Element) { p_Element.SetVisibility(k_LayoutCollapsed); }},
        {"inactive", [](LayoutBase& p_Element) { p_Element.SetActive(false); }},
    };
    return states;
}

TEST(LayoutRect, EdgesAreInsideAndSizesAreDifferences)
{
    const LayoutRect rect{10, 30, 20, 25};
    EXPECT_EQ(rect.Width(), 20);
    EXPECT_EQ(rect.Height(), 5);
    EXPECT_TRUE(rect.Contains({10, 20}));
    EXPECT_TRUE(rect.Contains({30, 25}));
    EXPECT_FALSE(rect.Contains({9, 22}));
    EXPECT_FALSE(rect.Contains({31, 22}));
    EXPECT_FALSE(rect.Contains({15, 19}));
    EXPECT_FALSE(rect.Contains({15, 26}));
    EXPECT_FALSE(rect.IsNone());
    EXPECT_TRUE(LayoutRect{}.IsNone());
}

TEST(LayoutBase, NewElementIsEnabledActiveVisibleWithoutWishes)
{
    TestElement element;
    EXPECT_EQ(element.GetFlags(), 9u);
    EXPECT_TRUE(element.IsEnabled());
    EXPECT_TRUE(element.IsActive());
    EXPECT_FALSE(element.IsFocused());
    EXPECT_FALSE(element.IsHovered());
    EXPECT_EQ(element.GetVisibility(), k_LayoutVisible);
    EXPECT_EQ(element.GetId(), -1);
    EXPECT_EQ(element.GetForwarder(), nullptr);
    EXPECT_EQ(element.GetFocusOwner(), nullptr);
    EXPECT_TRUE(element.GetRect().IsNone());
    EXPECT_EQ(element.GetDesiredSize(), (Lib::RectSize{2147483647u, 2147483647u}));
}

TEST(LayoutBase, ElementThatPassesInputReportsEveryEventToItsForwarder)
{
    for (const BoolOperation& operation : BoolOperations())
    {
        for (const bool answer : {false, true})
        {
            TestElement element;
            RecordingForwarder forwarder;
            forwarder.answer = answer;
            element.SetForwarder(&forwarder);
            element.SetFocused(true); // key presses need it
            forwarder.calls.clear();

            EXPECT_EQ(operation.call(element), answer) << operation.name;
            EXPECT_EQ(forwarder.calls, (std::vector<Call>{{operation.name, &element}})) << operation.name;
        }
    }
    for (const ElementOperation& operation : ElementOperations())
    {
        TestElement element;
        TestElement other("other");
        RecordingForwarder forwarder;
        forwarder.element = &other; // what the forwarder answers is only heard, never returned
        element.SetForwarder(&forwarder);

        EXPECT_EQ(operation.call(element), &element) << operation.name;
        EXPECT_EQ(forwarder.calls, (std::vector<Call>{{operation.name, &element}})) << operation.name;
    }
}

TEST(LayoutBase, ElementThatPassesInputWithoutForwarderStillAnswersWithItself)
{
    for (const ElementOperation& operation : ElementOperations())
    {
        TestElement element;
        EXPECT_EQ(operation.call(element), &element) << operation.name;
    }
    for (const BoolOperation& operation : BoolOperations())
    {
        TestElement element;
        element.SetFocused(true);
        EXPECT_FALSE(operation.call(element)) << operation.name;
    }
}

TEST(LayoutBase, DisabledHiddenCollapsedOrInactiveElementTakesNoEventAndNeverCallsItsForwarder)
{
    for (const BlockedState& state : BlockedStates())
    {
        TestElement element;
        RecordingForwarder forwarder;
        forwarder.answer = true;
        element.SetFocused(true);
        element.SetForwarder(&forwarder);
        state.apply(element);

        for (const BoolOperation& operation : BoolOperations())
            EXPECT_FALSE(operation.call(element)) << state.name << " " << operation.name;
        for (const ElementOperation& operation : ElementOperations())
            EXPECT_EQ(operation.call(element), nullptr) << state.name << " " << operation.name;
        EXPECT_TRUE(forwarder.calls.empty()) << state.name;
        EXPECT_FALSE(element.IsHovered()) << state.name;
    }
}

TEST(LayoutBase, KeyPressNeedsFocusWhileTextRepeatAndReleaseDoNot)
{
    TestElement element;
    RecordingForwarder forwarder;
    forwarder.answer = true;
    element.SetForwarder(&forwarder);

    for (const BoolOperation& operation : BoolOperations())
    {
        const std::string name = operation.name;
        if (name != "OnKeyPress" && name != "OnTextInput" && name != "OnKeyRepeat" && name != "OnKeyRelease")
            continue;
        forwarder.calls.clear();
        EXPECT_EQ(operation.call(element), name != "OnKeyPress") << name;
        EXPECT_EQ(forwarder.calls.size(), name == "OnKeyPress" ? 0u : 1u) << name;
    }
}

TEST(LayoutBase, HoverChangeSetsTheHoveredBitFromTheEnteredFlag)
{
    TestElement element;
    RecordingForwarder forwarder;
    element.SetForwarder(&forwarder);
    const EventCursor position = EventCursor::Position(0, {1, 2}, {0, 0});

    EventCursor entered = EventCursor::Hover(position, 1);
    EXPECT_EQ(element.OnHoverChanged(entered), &element);
    EXPECT_TRUE(element.IsHovered());

    EventCursor left = EventCursor::Hover(position, 0);
    EXPECT_EQ(element.OnHoverChanged(left), &element);
    EXPECT_FALSE(element.IsHovered());
    EXPECT_EQ(forwarder.hoverEntered, (std::vector<int32_t>{1, 0}));
}

TEST(LayoutBase, DesiredSizeIsKeptWhenHiddenAndZeroWhenCollapsed)
{
    TestElement element;
    element.SetVisibility(k_LayoutHidden);
    EXPECT_EQ(element.GetDesiredSize(), (Lib::RectSize{2147483647u, 2147483647u}));

    element.SetDesiredSize(120, 30);
    EXPECT_EQ(element.GetDesiredSize(), (Lib::RectSize{120, 30}));
    element.SetDesiredWidth(80);
    element.SetDesiredHeight(12);
    EXPECT_EQ(element.GetDesiredSize(), (Lib::RectSize{80, 12}));

    element.SetVisibility(k_LayoutCollapsed);
    EXPECT_EQ(element.GetDesiredSize(), (Lib::RectSize{0, 0}));
    element.SetVisibility(k_LayoutVisible);
    EXPECT_EQ(element.GetDesiredSize(), (Lib::RectSize{80, 12}));
}

TEST(LayoutBase, SetFocusedTellsTheForwarderWhileSetFlagDoesNot)
{
    TestElement element;
    RecordingForwarder forwarder;
    element.SetForwarder(&forwarder);

    element.SetFocused(true);
    EXPECT_TRUE(element.IsFocused());
    element.SetFocused(false);
    EXPECT_FALSE(element.IsFocused());
    EXPECT_EQ(forwarder.focusValues, (std::vector<bool>{true, false}));
    EXPECT_EQ(forwarder.calls,
              (std::vector<Call>{{"OnFocusChanged", &element}, {"OnFocusChanged", &element}}));

    element.SetFlag(k_LayoutFocused | k_LayoutSizeToDesired, true);
    EXPECT_TRUE(element.IsFocused());
    EXPECT_TRUE(element.HasFlag(k_LayoutSizeToDesired));
    EXPECT_EQ(element.GetFlags(), 1u | 2u | 8u | 16u);
    EXPECT_EQ(forwarder.calls.size(), 2u);
}

TEST(LayoutBase, HidingAnOwnerFocusedElementGivesTheFocusBack)
{
    for (const int32_t visibility : {k_LayoutHidden, k_LayoutCollapsed})
    {
        TestFocusOwner owner;
        TestElement element;
        RecordingForwarder forwarder;
        element.SetForwarder(&forwarder);
        owner.SetFocus(&element);
        ASSERT_EQ(element.GetFocusOwner(), &owner);

        element.SetVisibility(visibility);
        EXPECT_FALSE(element.IsFocused()) << visibility;
        EXPECT_EQ(owner.focused, nullptr) << visibility;
        EXPECT_EQ(forwarder.focusValues.back(), false) << visibility;
    }
}

TEST(LayoutBase, HidingAnElementFocusedByHandKeepsItsBit)
{
    TestElement element;
    element.SetFocused(true);
    element.SetVisibility(k_LayoutHidden);
    EXPECT_TRUE(element.IsFocused());
}

TEST(LayoutBase, ShowingAFocusedElementAgainKeepsTheFocus)
{
    TestFocusOwner owner;
    TestElement element;
    owner.SetFocus(&element);
    element.SetVisibility(k_LayoutVisible);
    EXPECT_TRUE(element.IsFocused());
    EXPECT_EQ(owner.focused, &element);
}

TEST(LayoutBase, DestroyedFocusedElementGivesTheFocusBack)
{
    TestFocusOwner owner;
    auto* element = new TestElement;
    owner.SetFocus(element);
    delete element;
    EXPECT_EQ(owner.focused, nullptr);
}

TEST(LayoutBase, DestroyedElementWhoseBitWasClearedByHandStillLeavesTheFocusOwner)
{
    // Focus groups and popups clear the bit directly; the owner must not keep a dead element.
    TestFocusOwner owner;
    auto* element = new TestElement;
    owner.SetFocus(element);
    element->SetFlag(k_LayoutFocused, false);
    delete element;
    EXPECT_EQ(owner.focused, nullptr);
}

TEST(LayoutBase, FindByIdAnswersOnlyForItsOwnId)
{
    TestElement element;
    EXPECT_EQ(element.FindById(-1), &element);
    element.SetId(7);
    EXPECT_EQ(element.FindById(7), &element);
    EXPECT_EQ(element.FindById(8), nullptr);
}

TEST(LayoutBase, GeometrySettersStoreTheirValues)
{
    TestElement element;
    element.SetRect({1, 2, 3, 4});
    element.SetOrigin({0, -40});
    element.SetClipRect({5, 6, 7, 8});
    EXPECT_EQ(element.GetRect(), (LayoutRect{1, 2, 3, 4}));
    EXPECT_EQ(element.GetOrigin(), (Lib::Point{0, -40}));
    EXPECT_EQ(element.GetClipRect(), (LayoutRect{5, 6, 7, 8}));
    EXPECT_EQ(element.layouts, 0); // storing a rectangle does no layout
}

// A holder with a content element that reports to its own listener.
struct HolderFixture : testing::Test
{
    HolderFixture()
    {
        holder.SetForwarder(&holderForwarder);
        content.SetForwarder(&contentForwarder);
        content.SetFocused(true);
        contentForwarder.calls.clear();
        holder.SetContent(&content, false);
    }

    TestFocusOwner owner; // outlives every element it focuses, as the engine does
    ContentLayoutBase holder;
    TestElement content{"content"};
    RecordingForwarder holderForwarder;
    RecordingForwarder contentForwarder;
};

TEST_F(HolderFixture, EventsGoToTheContentAndNeverToTheHoldersForwarder)
{
    contentForwarder.answer = true;
    for (const BoolOperation& operation : BoolOperations())
        EXPECT_TRUE(operation.call(holder)) << operation.name;
    for (const ElementOperation& operation : ElementOperations())
        EXPECT_EQ(operation.call(holder), &content) << operation.name;
    EXPECT_EQ(contentForwarder.calls.size(), BoolOperations().size() + ElementOperations().size());
    for (const Call& call : contentForwarder.calls)
        EXPECT_EQ(call.sender, &content) << call.operation;
    EXPECT_TRUE(holderForwarder.calls.empty());
}

TEST_F(HolderFixture, InactiveHolderStillPassesEventsOn)
{
    holder.SetActive(false);
    for (const ElementOperation& operation : ElementOperations())
        EXPECT_EQ(operation.call(holder), &content) << operation.name;
}

TEST_F(HolderFixture, NoEventPassesWhenHolderOrContentIsDisabledOrNotVisible)
{
    const std::vector<BlockedState> states = {
        {"holder disabled", [this](LayoutBase&) { holder.SetEnabled(false); }},
        {"holder hidden", [this](LayoutBase&) { holder.LayoutBase::SetVisibility(k_LayoutHidden); }},
        {"content disabled", [this](LayoutBase&) { content.SetEnabled(false); }},
        {"content hidden", [this](LayoutBase&) { content.SetVisibility(k_LayoutHidden); }},
        {"content collapsed", [this](LayoutBase&) { content.SetVisibility(k_LayoutCollapsed); }},
    };
    contentForwarder.answer = true;
    for (const BlockedState& state : states)
    {
        holder.SetEnabled(true);
        holder.LayoutBase::SetVisibility(k_LayoutVisible);
        content.SetEnabled(true);
        content.SetVisibility(k_LayoutVisible);
        state.apply(holder);

        for (const BoolOperation& operation : BoolOperations())
            EXPECT_FALSE(operation.call(holder)) << state.name << " " << operation.name;
        for (const ElementOperation& operation : ElementOperations())
            EXPECT_EQ(operation.call(holder), nullptr) << state.name << " " << operation.name;
    }
    EXPECT_TRUE(contentForwarder.calls.empty());
    EXPECT_TRUE(holderForwarder.calls.empty());
}

TEST(ContentLayoutBase, HolderWithoutContentTakesNoEvent)
{
    ContentLayoutBase holder;
    RecordingForwarder forwarder;
    holder.SetForwarder(&forwarder);
    holder.SetFocused(true);
    forwarder.calls.clear();
    for (const BoolOperation& operation : BoolOperations())
        EXPECT_FALSE(operation.call(holder)) << operation.name;
    for (const ElementOperation& operation : ElementOperations())
        EXPECT_EQ(operation.call(holder), nullptr) << operation.name;
    EXPECT_TRUE(forwarder.calls.empty());
}

TEST_F(HolderFixture, DesiredSizeFollowsTheContentAndIsZeroForHiddenContent)
{
    holder.SetDesiredSize(500, 500);
    content.SetDesiredSize(40, 10);
    EXPECT_EQ(holder.GetDesiredSize(), (Lib::RectSize{40, 10}));

    content.SetVisibility(k_LayoutHidden);
    EXPECT_EQ(holder.GetDesiredSize(), (Lib::RectSize{0, 0}));

    ContentLayoutBase empty;
    empty.SetDesiredSize(500, 60);
    EXPECT_EQ(empty.GetDesiredSize(), (Lib::RectSize{500, 60}));
    empty.SetVisibility(k_LayoutCollapsed);
    EXPECT_EQ(empty.GetDesiredSize(), (Lib::RectSize{0, 0}));
}

TEST_F(HolderFixture, LayoutGivesTheContentTheHoldersRectangle)
{
    holder.SetRect({10, 110, 20, 70});
    holder.UpdateLayout();
    EXPECT_EQ(content.GetRect(), (LayoutRect{10, 110, 20, 70}));
    EXPECT_EQ(content.layouts, 1);
}

TEST_F(HolderFixture, DrawsOnlyVisibleContent)
{
    holder.Draw(UnusedDrawingContext());
    EXPECT_EQ(content.draws, 1);
    content.SetVisibility(k_LayoutHidden);
    holder.Draw(UnusedDrawingContext());
    EXPECT_EQ(content.draws, 1);
}

TEST_F(HolderFixture, VisibilityOriginAndClipRectReachTheContent)
{
    holder.SetVisibility(k_LayoutCollapsed);
    EXPECT_EQ(content.GetVisibility(), k_LayoutCollapsed);
    holder.SetVisibility(k_LayoutVisible);
    EXPECT_EQ(content.GetVisibility(), k_LayoutVisible);

    holder.SetOrigin({0, -25});
    holder.SetClipRect({1, 2, 3, 4});
    EXPECT_EQ(holder.GetOrigin(), (Lib::Point{0, -25}));
    EXPECT_EQ(content.GetOrigin(), (Lib::Point{0, -25}));
    EXPECT_EQ(content.GetClipRect(), (LayoutRect{1, 2, 3, 4}));
}

TEST_F(HolderFixture, HidingTheHolderGivesTheContentsFocusBack)
{
    owner.SetFocus(&content);
    holder.SetVisibility(k_LayoutHidden);
    EXPECT_EQ(owner.focused, nullptr);
    EXPECT_FALSE(content.IsFocused());
}

TEST(ContentLayoutBase, OwnedContentIsDestroyedWithTheHolderAndWhenReplaced)
{
    std::vector<std::string> journal;
    {
        ContentLayoutBase holder;
        holder.SetContent(new TestElement("first", &journal), true);
        holder.SetContent(nullptr, false); // ignored: the content stays and stays owned
        EXPECT_NE(holder.GetContent(), nullptr);
        EXPECT_TRUE(holder.OwnsContent());

        holder.SetContent(new TestElement("second", &journal), true);
        EXPECT_EQ(journal, (std::vector<std::string>{"first destroyed"}));

        TestElement kept("kept", &journal);
        {
            ContentLayoutBase borrower;
            borrower.SetContent(&kept, false);
        }
        EXPECT_EQ(journal.size(), 1u);
    }
    EXPECT_EQ(journal, (std::vector<std::string>{"first destroyed", "kept destroyed", "second destroyed"}));
}

TEST(ContentLayoutBase, SettingTheSameOwnedContentAgainKeepsItAlive)
{
    std::vector<std::string> journal;
    ContentLayoutBase holder;
    auto* content = new TestElement("content", &journal);
    holder.SetContent(content, true);
    holder.SetContent(content, true);
    EXPECT_TRUE(journal.empty());
    EXPECT_EQ(holder.GetContent(), content);
}
} // namespace
