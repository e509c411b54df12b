#include "Corvan/Layout/LayoutFocusGroup.h"
#include "Corvan/Layout/LayoutTestElements.h"

#include <gtest/gtest.h>

#include <vector>

namespace
{
using namespace Vozad;
using namespace LayoutTesting;

struct FocusGroupFixture : testing::Test
{
    FocusGroupFixture()
    {
        group.AddMember(&first);
        group.AddMember(&second);
        group.AddMember(&third);
    }

    TestFocusOwner owner; // outlives every element it focuses, as the engine does
    RecordingForwarder inner;
    LayoutFocusGroup group{&inner};
    TestElement first{"first"};
    TestElement second{"second"};
    TestElement third{"third"};
};

TEST(LayoutFocusGroup, AddMemberListsEachElementOnceAndTakesOverItsForwarder)
{
    RecordingForwarder previous;
    LayoutFocusGroup group;
    TestElement element;
    element.SetForwarder(&previous);

    group.AddMember(nullptr);
    EXPECT_EQ(group.GetMemberCount(), 0u);
    group.AddMember(&element);
    element.SetForwarder(&previous);
    group.AddMember(&element);

    EXPECT_EQ(group.GetMemberCount(), 1u);
    EXPECT_EQ(group.GetMember(0), &element);
    EXPECT_EQ(element.GetForwarder(), &group); // taken over again by the second call
}

TEST(LayoutFocusGroup, FocusedElementBecomesTheCurrentMemberWhenAdded)
{
    LayoutFocusGroup group;
    TestElement first;
    TestElement second;
    TestElement third;
    second.SetFlag(k_LayoutFocused, true);
    group.AddMember(&first);
    group.AddMember(&second);
    group.AddMember(&third);
    EXPECT_EQ(group.GetCurrent(), 1u);
}

TEST_F(FocusGroupFixture, FocusingAnotherMemberMovesTheHighlightSilently)
{
    first.SetFocused(true);
    EXPECT_EQ(group.GetCurrent(), 0u);

    third.SetFocused(true);
    EXPECT_EQ(group.GetCurrent(), 2u);
    EXPECT_TRUE(third.IsFocused());
    EXPECT_FALSE(first.IsFocused());
    EXPECT_TRUE(inner.calls.empty()); // focus changes stay inside the group
}

TEST_F(FocusGroupFixture, FocusChangeAnswersFollowTheRules)
{
    TestElement stranger;
    struct Case
    {
        const char* name;
        bool focused;
        LayoutBase* sender;
        bool answer;
        uint32_t currentAfter;
    };
    // The group starts with the first member current.
    const Case cases[] = {
        {"non-member gains", true, &stranger, false, 0},
        {"non-member loses", false, &stranger, false, 0},
        {"current member gains again", true, &first, true, 0},
        {"other member loses", false, &second, false, 0},
        {"other member gains", true, &second, true, 1},
        {"current member loses", false, &second, false, 1},
    };
    for (const Case& entry : cases)
    {
        EXPECT_EQ(group.OnFocusChanged(entry.focused, *entry.sender), entry.answer) << entry.name;
        EXPECT_EQ(group.GetCurrent(), entry.currentAfter) << entry.name;
    }
}

TEST_F(FocusGroupFixture, CurrentMemberStaysHighlightedWhenItLosesTheFocus)
{
    second.SetFocused(true);
    second.SetFocused(false);
    EXPECT_TRUE(second.IsFocused());
    EXPECT_EQ(group.GetCurrent(), 1u);

    // A member that is not current loses its bit as usual.
    third.SetFlag(k_LayoutFocused, true);
    third.SetFocused(false);
    EXPECT_FALSE(third.IsFocused());
}

TEST_F(FocusGroupFixture, RefocusingTheCurrentMemberKeepsItHighlighted)
{
    first.SetFocused(true);
    first.SetFocused(true);
    EXPECT_TRUE(first.IsFocused());
    EXPECT_EQ(group.GetCurrent(), 0u);
}

TEST_F(FocusGroupFixture, HiddenCurrentMemberGivesTheKeyboardFocusBackButStaysHighlighted)
{
    owner.SetFocus(&second);
    second.SetVisibility(k_LayoutHidden);
    EXPECT_EQ(owner.focused, nullptr);
    EXPECT_TRUE(second.IsFocused());
}

TEST_F(FocusGroupFixture, MemberEventsReachTheInnerForwarderWithTheMemberAsSender)
{
    inner.answer = true;
    inner.element = &third;
    second.SetFocused(true);

    EventKeyInput key(k_EventKeyPress, 65, k_KeyActionPress, 0);
    EXPECT_TRUE(second.OnKeyPress(key));
    EventMousePress press(1, 1, 0, {1, 1});
    EXPECT_EQ(group.OnMousePress(press, second), &third);
    EventCursor hover = EventCursor::Hover(EventCursor::Position(0, {1, 1}, {0, 0}), 1);
    EXPECT_EQ(group.OnHoverChanged(hover, first), &third);
    EventMouseLeave leave({0, 0}, {0, 0});
    EXPECT_TRUE(group.OnCursorLeave(leave, first));

    EXPECT_EQ(inner.calls, (std::vector<Call>{{"OnKeyPress", &second},
                                              {"OnMousePress", &second},
                                              {"OnHoverChanged", &first},
                                              {"OnCursorLeave", &first}}));
}

TEST(LayoutFocusGroup, WithoutInnerForwarderEventsAreNotTaken)
{
    LayoutFocusGroup group;
    TestElement element;
    group.AddMember(&element);
    element.SetFocused(true);

    EventKeyInput key(k_EventKeyPress, 65, k_KeyActionPress, 0);
    EXPECT_FALSE(element.OnKeyPress(key));
    EventMousePress press(1, 1, 0, {1, 1});
    EXPECT_EQ(group.OnMouseClick(press, element), nullptr);
    EventTextInput text("a");
    EXPECT_FALSE(group.OnTextInput(text, element));
}
} // namespace
