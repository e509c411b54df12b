// The stored form of "r_multisample": what each text means, what bad texts fall back to, how a
// setting is written back and which options list entry shows it.
#include "Game/MultisampleSetting.h"

#include <gtest/gtest.h>

#include <iterator>

namespace
{
using namespace Snake;

TEST(MultisampleSetting, StoredTextsAreReadWithAutomaticAsTheFallback)
{
    const struct
    {
        const char* text;
        int32_t setting;
        bool valid;
    } cases[] = {
        {"auto", Vozad::k_MultisampleAutomatic, true},
        {" AUTO ", Vozad::k_MultisampleAutomatic, true},
        {"off", Vozad::k_MultisampleOff, true},
        {"Off", Vozad::k_MultisampleOff, true},
        {"0", Vozad::k_MultisampleOff, true},
        {"2", 2, true},
        {"4", 4, true},
        {"8", 8, true},
        {"", Vozad::k_MultisampleAutomatic, false},
        {"16", Vozad::k_MultisampleAutomatic, false},
        {"3", Vozad::k_MultisampleAutomatic, false},
        {"-1", Vozad::k_MultisampleAutomatic, false},
        {"4x", Vozad::k_MultisampleAutomatic, false},
        {"on", Vozad::k_MultisampleAutomatic, false},
    };
    for (const auto& c : cases)
    {
        const ParsedMultisample parsed = ParseMultisample(Lib::String(c.text));
        EXPECT_EQ(parsed.setting, c.setting) << '"' << c.text << '"';
        EXPECT_EQ(parsed.valid, c.valid) << '"' << c.text << '"';
    }
}

TEST(MultisampleSetting, EveryChoiceIsWrittenInAFormThatReadsBackAsItself)
{
    const char* expected[] = {"auto", "off", "2", "4", "8"};
    ASSERT_EQ(std::size(expected), std::size(k_MultisampleChoices));
    for (uint32_t i = 0; i < std::size(k_MultisampleChoices); ++i)
    {
        const Lib::String text = MultisampleText(k_MultisampleChoices[i]);
        EXPECT_EQ(text.ToNarrow().Bytes(), expected[i]);
        EXPECT_EQ(ParseMultisample(text).setting, k_MultisampleChoices[i]);
        EXPECT_EQ(MultisampleIndexFor(k_MultisampleChoices[i]), i);
    }
    EXPECT_EQ(MultisampleIndexFor(16), 0u);
}
} // namespace
