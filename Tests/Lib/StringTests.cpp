#include "Lib/String.h"

#include <gtest/gtest.h>

#include <string>

using Lib::String;

TEST(StringTest, GermanTextSurvivesTheRoundTrip)
{
    const char* texts[] = {"Zurück", "Benötigt einen Neustart", "Größe ÄÖÜ äöü ß", "Auflösung", ""};
    for (const char* text : texts)
    {
        const String wide(text);
        EXPECT_EQ(wide.ToNarrow().Bytes(), text);
    }
    EXPECT_EQ(String("Zurück").Wide(), L"Zurück");
    EXPECT_EQ(String("Zurück").Length(), 6u);
}

TEST(StringTest, CharacterCountIgnoresContinuationBytes)
{
    const Lib::NarrowString utf8 = String("Größe").ToNarrow();
    EXPECT_EQ(utf8.Size(), 7u);
    EXPECT_EQ(utf8.CharacterCount(), 5);
    // The same word in a single-byte code page: bytes at or above 0xC0 count as characters.
    EXPECT_EQ(Lib::CountUtf8Characters("Gr\xF6\xDF"
                                       "e"),
              5);
}

TEST(StringTest, InvalidUtf8KeepsEveryByteAsACharacter)
{
    // A file written in Latin-1 must not turn into an empty string (and so vanish on rewrite).
    const String latin1("Gr\xF6\xDF"
                        "e");
    EXPECT_EQ(latin1.Wide(), L"Größe");
    EXPECT_EQ(String("a\xC3").Wide(), L"a\u00C3");               // cut sequence
    EXPECT_EQ(String("\xC0\xAF").Wide(), L"\u00C0\u00AF");       // overlong form
    EXPECT_EQ(String("\xED\xA0\x80").Wide().size(), 3u);         // encoded surrogate
    EXPECT_EQ(String("\xF0\x9F\x90\x8D").Wide(), L"\U0001F40D"); // four-byte sequence
}

TEST(StringTest, SubstringClampsStartAndCount)
{
    const String text("Snake");
    EXPECT_EQ(text.Substring(1, 3), String("nak"));
    EXPECT_EQ(text.Substring(3, 100), String("ke"));
    EXPECT_TRUE(text.Substring(9, 2).IsEmpty());
    EXPECT_TRUE(text.Substring(2, 0).IsEmpty());
}

TEST(StringTest, FindCharStepsOverWholeCharacters)
{
    const String text("a=b=c");
    EXPECT_EQ(text.FindChar('=', 0), 1);
    EXPECT_EQ(text.FindChar('=', 2), 3);
    EXPECT_EQ(text.FindChar('=', 4), -1);
    EXPECT_EQ(text.FindChar('=', 40), -1);
    // Positions are bytes of the narrow form: "ü" takes two.
    EXPECT_EQ(String("zü=1").FindChar('=', 0), 3);
}

TEST(StringTest, RemoveAppendConcatAssign)
{
    String quoted("\"1280\"");
    quoted.RemoveChar(L'"');
    EXPECT_EQ(quoted, String("1280"));

    String text("Points: ");
    text.Append(String("12"));
    EXPECT_EQ(text, String("Points: 12"));
    EXPECT_EQ(String::Concat(String("a"), String("ü")), String("aü"));

    String target("something long");
    target.Assign(String("x"));
    EXPECT_EQ(target, String("x"));
    target.AssignNarrow("Grün");
    EXPECT_EQ(target.Wide(), L"Grün");
    target.AssignNarrow(nullptr);
    EXPECT_TRUE(target.IsEmpty());
}

TEST(StringTest, FormatCutsAt1023Characters)
{
    EXPECT_EQ(String::Format("%s %d", "FPS:", 60), String("FPS: 60"));
    const std::string big(3000, 'y');
    EXPECT_EQ(String::Format("%s", big.c_str()).Length(), 1023u);
}

TEST(StringTest, IntegerConversions)
{
    EXPECT_EQ(String::FromInt(-2147483647 - 1), String("-2147483648"));
    EXPECT_EQ(String::FromInt(0), String("0"));
    const std::pair<const char*, int32_t> cases[] = {{"1280", 1280},
                                                     {"-7", -7},
                                                     {"12abc", 12},
                                                     {"abc", 0},
                                                     {"", 0},
                                                     {" 5", 5},
                                                     {"+3", 3},
                                                     {"99999999999", 2147483647},
                                                     {"-99999999999", -2147483647 - 1}};
    for (const auto& [text, value] : cases)
        EXPECT_EQ(String(text).ToInt(), value) << text;
}
