#include "Corvan/Events/KeyCodes.h"

#include <gtest/gtest.h>

#include <array>
#include <string>

namespace
{
using namespace Vozad;

struct NameCase
{
    const char* name;
    int32_t code;
};

TEST(KeyCodes, CodeFromNameIsExactAndCaseSensitive)
{
    const NameCase cases[] = {
        {"A", 65},
        {"a", 65},
        {"Z", 90},
        {"z", 90},
        {"M", 77},
        {"F", 70},
        {"F1", 10},
        {"F11", 20},
        {"F12", 21},
        {"F13", 22},
        {"F19", 28},
        {"NUMPAD_0", 270},
        {"NUMPAD_9", 279},
        {"ESCAPE", 300},
        {"~", 303},
        {"LEFT_ARROW", 360},
        {"RIGHT_ARROW", 361},
        {"UP_ARROW", 362},
        {"DOWN_ARROW", 363},
        // The punctuation keys, by their US labels.
        {"MINUS", 223},
        {"EQUALS", 180},
        {"LEFT_BRACKET", 152},
        {"RIGHT_BRACKET", 44},
        {"BACKSLASH", 98},
        {"SEMICOLON", 214},
        {"APOSTROPHE", 196},
        {"COMMA", 43},
        {"PERIOD", 46},
        {"SLASH", 312},
        {"NONUS_BACKSLASH", 62},
        // Near misses: case, surrounding blanks, prefixes and extensions of real names.
        {"escape", 0},
        {"Escape", 0},
        {"ESCAPE ", 0},
        {" ESCAPE", 0},
        {"ESC", 0},
        {"f1", 0},
        {"F1X", 0},
        {"F20", 0},
        {"F0", 0},
        {"AA", 0},
        {"NUMPAD_", 0},
        {"NUMPAD_10", 0},
        {"up_arrow", 0},
        {"minus", 0},
        {"-", 0},
        {"BRACKET", 0},
        {"", 0},
        // Bound by the default configuration, but not in the table.
        {"TAB", 0},
        {"PAUSE", 0},
        {"SHIFT", 0},
        {"RETURN", 0},
        {"SPACE", 0},
        {"0", 0},
        {"1", 0},
    };
    for (const NameCase& c : cases)
        EXPECT_EQ(KeyCodeFromName(c.name), c.code) << "name \"" << c.name << "\"";
}

TEST(KeyCodes, CodeFromNullNameIsZero)
{
    EXPECT_EQ(KeyCodeFromName(nullptr), 0);
}

TEST(KeyCodes, NameFromCodeGivesFirstRowInTableOrder)
{
    const NameCase cases[] = {
        {"A", 65},
        {"Z", 90},
        {"F1", 10},
        {"F11", 20},
        {"F19", 28},
        {"NUMPAD_0", 270},
        {"NUMPAD_9", 279},
        {"ESCAPE", 300},
        {"~", 303},
        {"LEFT_ARROW", 360},
        {"DOWN_ARROW", 363},
        {"MINUS", 223},
        {"NONUS_BACKSLASH", 62},
        {"SLASH", 312},
        // Codes that exist but have no name, and codes outside the space.
        {"", 314},
        {"", 315},
        {"", 301},
        {"", 32},
        {"", 48},
        {"", 304},
        {"", 0},
        {"", -1},
        {"", 380},
        {"", 381},
    };
    for (const NameCase& c : cases)
        EXPECT_STREQ(KeyNameFromCode(c.code), c.name) << "code " << c.code;
}

bool HasName(int32_t p_Code)
{
    return (p_Code >= 10 && p_Code <= 28) || (p_Code >= 65 && p_Code <= 90) ||
           (p_Code >= 270 && p_Code <= 279) || p_Code == 300 || p_Code == 303 ||
           (p_Code >= 360 && p_Code <= 363) || p_Code == 43 || p_Code == 44 || p_Code == 46 || p_Code == 62 ||
           p_Code == 98 || p_Code == 152 || p_Code == 180 || p_Code == 196 || p_Code == 214 ||
           p_Code == 223 || p_Code == 312;
}

// Names are what the configuration file stores, so every named code must survive the trip
// through its name, and no other code may pick up a name.
TEST(KeyCodes, EveryNamedCodeRoundTripsThroughItsName)
{
    for (int32_t code = 0; code < k_KeyCodeCount; ++code)
    {
        const std::string name = KeyNameFromCode(code);
        if (HasName(code))
        {
            ASSERT_FALSE(name.empty()) << "code " << code;
            EXPECT_EQ(KeyCodeFromName(name.c_str()), code) << "code " << code << " name " << name;
        }
        else
        {
            EXPECT_TRUE(name.empty()) << "code " << code << " has name " << name;
        }
    }
}

TEST(KeyCodes, LowerCaseLetterParsesToUpperCaseCode)
{
    for (char letter = 'a'; letter <= 'z'; ++letter)
    {
        const char lower[] = {letter, '\0'};
        const char upper[] = {static_cast<char>(letter - 'a' + 'A'), '\0'};
        EXPECT_EQ(KeyCodeFromName(lower), KeyCodeFromName(upper)) << lower;
        EXPECT_STREQ(KeyNameFromCode(KeyCodeFromName(lower)), upper);
    }
}

class ModifierMaskTest : public testing::Test
{
protected:
    std::array<int32_t, k_KeyCodeCount> m_States{};
};

TEST_F(ModifierMaskTest, EachPressedModifierSetsItsOwnBit)
{
    const struct
    {
        int32_t code;
        uint32_t bit;
    } cases[] = {
        {306, 1u << 0}, {307, 1u << 1}, {310, 1u << 2}, {311, 1u << 3}, {304, 1u << 4}, {305, 1u << 5},
    };
    for (const auto& c : cases)
    {
        m_States.fill(0);
        m_States[c.code] = 1;
        EXPECT_EQ(ModifierMask(m_States.data()), c.bit) << "code " << c.code;
    }
}

TEST_F(ModifierMaskTest, AllModifiersPressedSetSixBits)
{
    for (int32_t code : {304, 305, 306, 307, 310, 311})
        m_States[code] = 1;
    EXPECT_EQ(ModifierMask(m_States.data()), 0x3Fu);
}

TEST_F(ModifierMaskTest, HeldModifierAndOtherKeysSetNoBit)
{
    // Auto-repeat turns a held modifier into state 2; only a fresh press counts.
    for (int32_t code : {304, 305, 306, 307, 310, 311})
        m_States[code] = 2;
    // The Windows keys and ordinary keys are not modifiers.
    for (int32_t code : {308, 309, 65, 300, 314})
        m_States[code] = 1;
    EXPECT_EQ(ModifierMask(m_States.data()), 0u);
}

TEST_F(ModifierMaskTest, MixOfPressedAndHeld)
{
    m_States[306] = 1; // left control pressed
    m_States[304] = 2; // left shift held
    m_States[311] = 1; // right alt pressed
    EXPECT_EQ(ModifierMask(m_States.data()), k_ModifierLeftControl | k_ModifierRightAlt);
}

TEST(KeyCodes, ModifierMaskOfNoStatesIsZero)
{
    EXPECT_EQ(ModifierMask(nullptr), 0u);
}
} // namespace
