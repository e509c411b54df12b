#include "Corvan/Window/KeyboardState.h"

#include "Corvan/Events/KeyCodes.h"

#include <gtest/gtest.h>

#include <array>

namespace
{
using namespace Vozad;

struct Expected
{
    int32_t eventType;
    int32_t action;
    int32_t modifiers;
};

void ExpectTransition(const KeyTransition& p_Got, int32_t p_KeyCode, const Expected& p_Expected)
{
    EXPECT_EQ(p_Got.keyCode, p_KeyCode);
    EXPECT_EQ(p_Got.eventType, p_Expected.eventType);
    EXPECT_EQ(p_Got.action, p_Expected.action);
    EXPECT_EQ(p_Got.modifiers, p_Expected.modifiers);
}

class KeyboardStateTest : public testing::Test
{
protected:
    std::array<int32_t, k_KeyCodeCount> m_States{};
    std::array<bool, k_KeyCodeCount> m_Latches{};
    KeyboardState m_Keyboard{m_States.data(), m_Latches.data()};
};

TEST_F(KeyboardStateTest, HeldKeyGivesOnePressThenRepeatsThenOneRelease)
{
    const int32_t a = 65;
    ExpectTransition(m_Keyboard.Press(a), a, {13, 1, 0});
    EXPECT_EQ(m_States[a], 1);
    EXPECT_EQ(m_Keyboard.RepeatCount(), 0u);

    for (uint32_t repeat = 1; repeat <= 3; ++repeat)
    {
        ExpectTransition(m_Keyboard.Press(a), a, {14, 2, 0});
        EXPECT_EQ(m_States[a], 2);
        EXPECT_EQ(m_Keyboard.RepeatCount(), repeat);
    }

    ExpectTransition(m_Keyboard.Release(a), a, {15, 0, 0});
    EXPECT_EQ(m_States[a], 0);
    EXPECT_EQ(m_Keyboard.RepeatCount(), 0u);

    // The next press starts over as a fresh press.
    ExpectTransition(m_Keyboard.Press(a), a, {13, 1, 0});
}

TEST_F(KeyboardStateTest, ModifierPressCarriesItsOwnBitAndReleaseDoesNot)
{
    ExpectTransition(m_Keyboard.Press(KeyCode::LeftControl), KeyCode::LeftControl, {13, 1, 1 << 0});
    ExpectTransition(m_Keyboard.Press(KeyCode::RightAlt), KeyCode::RightAlt, {13, 1, (1 << 0) | (1 << 3)});
    ExpectTransition(m_Keyboard.Press(65), 65, {13, 1, (1 << 0) | (1 << 3)});
    ExpectTransition(m_Keyboard.Release(KeyCode::LeftControl), KeyCode::LeftControl, {15, 0, 1 << 3});
}

TEST_F(KeyboardStateTest, ShiftHeldIntoAutoRepeatNoLongerModifiesLetters)
{
    ExpectTransition(m_Keyboard.Press(KeyCode::LeftShift), KeyCode::LeftShift, {13, 1, 1 << 4});
    ExpectTransition(m_Keyboard.Press(66), 66, {13, 1, 1 << 4});
    m_Keyboard.Release(66);

    // Shift's auto-repeat turns it into "held"...
    ExpectTransition(m_Keyboard.Press(KeyCode::LeftShift), KeyCode::LeftShift, {14, 2, 0});
    // ...and a letter typed afterwards arrives with bit 4 clear.
    const KeyTransition letter = m_Keyboard.Press(66);
    EXPECT_EQ(letter.modifiers & (1 << 4), 0);
    ExpectTransition(letter, 66, {13, 1, 0});
}

TEST_F(KeyboardStateTest, ReleasingOneShiftLeavesTheOtherDown)
{
    m_Keyboard.Press(KeyCode::LeftShift);
    m_Keyboard.Press(KeyCode::RightShift);
    ExpectTransition(m_Keyboard.Release(KeyCode::RightShift), KeyCode::RightShift, {15, 0, 1 << 4});
    EXPECT_EQ(m_States[KeyCode::LeftShift], 1);
    EXPECT_EQ(m_States[KeyCode::RightShift], 0);
}

// The latch is what lets a tap shorter than a frame steer: set by a fresh press, kept through
// the release, and cleared only by its reader (the engine, once per frame).
TEST_F(KeyboardStateTest, AFreshPressSetsTheLatchAndOnlyTheReaderClearsIt)
{
    const int32_t down = KeyCode::DownArrow, left = KeyCode::LeftArrow;
    m_Keyboard.Press(down);
    m_Keyboard.Release(down);
    EXPECT_EQ(m_States[down], 0);
    EXPECT_TRUE(m_Latches[down]) << "a tap is remembered after its release";
    EXPECT_FALSE(m_Latches[left]);

    // A second tap before anyone read the first leaves one latch, not a count.
    m_Keyboard.Press(down);
    m_Keyboard.Release(down);
    EXPECT_TRUE(m_Latches[down]);

    // After the reader cleared it, auto-repeat of a held key does not set it again...
    m_Latches.fill(false);
    m_Keyboard.Press(left);
    m_Latches.fill(false);
    m_Keyboard.Press(left);
    EXPECT_FALSE(m_Latches[left]);
    // ...and a release never does.
    m_Keyboard.Release(left);
    EXPECT_FALSE(m_Latches[left]);
}

TEST(KeyboardState, WithoutLatchesKeysStillWork)
{
    std::array<int32_t, k_KeyCodeCount> states{};
    KeyboardState keyboard(states.data(), nullptr);
    EXPECT_EQ(keyboard.Press(65).eventType, 13);
    EXPECT_EQ(states[65], 1);
}

TEST_F(KeyboardStateTest, CodesOutsideTheKeySpaceChangeNothing)
{
    for (int32_t code : {0, -1, k_KeyCodeCount, 100000})
    {
        EXPECT_EQ(m_Keyboard.Press(code).eventType, 0) << code;
        EXPECT_EQ(m_Keyboard.Release(code).eventType, 0) << code;
    }
    for (int32_t state : m_States)
        ASSERT_EQ(state, 0);
    for (bool latch : m_Latches)
        ASSERT_FALSE(latch);
}
} // namespace
