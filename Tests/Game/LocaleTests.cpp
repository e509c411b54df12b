#include "Game/Locale.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace
{
using namespace Snake;

std::vector<std::string> SplitLines(std::string_view p_Text)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < p_Text.size())
    {
        const std::size_t end = p_Text.find('\n', start);
        lines.emplace_back(p_Text.substr(start, end - start));
        start = end == std::string_view::npos ? p_Text.size() : end + 1;
    }
    return lines;
}

std::vector<std::wstring> Lines(const Lib::DynamicArray<Lib::String>& p_Lines)
{
    std::vector<std::wstring> lines;
    for (const Lib::String& line : p_Lines)
        lines.push_back(line.Wide());
    return lines;
}

std::wstring Lookup(const Locale& p_Locale, const char* p_Key)
{
    return p_Locale.GetLocaleString(Lib::String(p_Key)).Wide();
}

TEST(LocaleTexts, CompiledInTextsAreWholeUtf8Lines)
{
    const struct
    {
        uint32_t index;
        std::size_t lines;
    } cases[] = {{k_LanguageEnglish, 90}, {k_LanguageGerman, 91}};
    for (const auto& c : cases)
    {
        const std::string_view text = LanguageText(c.index);
        ASSERT_FALSE(text.empty()) << LanguageName(c.index);
        EXPECT_EQ(text.back(), '\n') << LanguageName(c.index);
        EXPECT_EQ(text.find('\r'), std::string_view::npos) << LanguageName(c.index);
        // Read as a C string elsewhere, so the byte behind the text must end it.
        EXPECT_EQ(text.data()[text.size()], '\0') << LanguageName(c.index);
        EXPECT_EQ(SplitLines(text).size(), c.lines) << LanguageName(c.index);
    }
    EXPECT_NE(LanguageText(k_LanguageGerman)
                  .find("menu_about.back=Zur\xC3\xBC"
                        "ck\n"),
              std::string_view::npos);
    EXPECT_TRUE(LanguageText(k_LanguageCount).empty());
}

TEST(LocaleTexts, LanguageTableNamesAndOwnNames)
{
    EXPECT_STREQ(LanguageName(0), "English");
    EXPECT_STREQ(LanguageName(1), "German");
    EXPECT_STREQ(LanguageName(2), "");
    EXPECT_STREQ(LanguageOwnName("English"), "English");
    EXPECT_STREQ(LanguageOwnName("German"), "Deutsch");
    EXPECT_STREQ(LanguageOwnName("Deutsch"), "");
    EXPECT_STREQ(LanguageOwnName("german"), "");
    EXPECT_STREQ(LanguageOwnName(nullptr), "");
}

struct LookupCase
{
    const char* language; // the configured value
    const char* key;
    const wchar_t* expected;
};

TEST(Locale, CompiledInLanguagesAnswerByConfiguredName)
{
    const LookupCase cases[] = {
        {"Deutsch", "menu_start.about", L"Info"},
        {"English", "menu_start.about", L"About"},
        {"Deutsch", "menu_about.title", L"Info"},
        {"English", "menu_about.title", L""},
        // The key stands twice; the first line wins.
        {"Deutsch", "menu_options.tab_graphics.title", L"Grafik"},
        {"English", "menu_options.tab_graphics.title", L"Graphics"},
        {"Deutsch", "menu_about.back", L"Zurück"},
        {"Deutsch", "menu_options.tab_input.assign_key", L"Beliebige Taste drücken, um zuzuweisen"},
        {"Deutsch", "menu_options.tab_graphics.resolution", L"Auflösung"},
        // .1 is a prefix of .10 and .11, which come later in the text.
        {"English", "menu_options.tab_general.grid_modes.1", L"10 x 6"},
        {"Deutsch", "menu_options.tab_general.grid_modes.10", L"20 x 12"},
        {"English", "menu_options.tab_general.grid_modes.3", L"Let's get started (8 x 8)"},
        {"Deutsch", "window_mode.minimised", L"Minimiert"},
        {"English", "no.such.key", L""},
        {"Deutsch", "no.such.key", L""},
        // Neither own name: every lookup falls back to English.
        {"Klingon", "menu_start.about", L"About"},
        {"Klingon", "menu_about.back", L"Back"},
        {"Klingon", "menu_about.title", L""},
        {"German", "menu_start.options", L"Options"},
        {"deutsch", "menu_start.quit", L"Quit"},
        {"", "menu_options.tab_graphics.title", L"Graphics"},
    };
    for (const LookupCase& c : cases)
    {
        Locale locale;
        locale.LoadLanguages(Lib::String(c.language));
        EXPECT_EQ(Lookup(locale, c.key), c.expected) << "language \"" << c.language << "\", key " << c.key;
    }
}

TEST(Locale, LoadLanguagesSetsNamesAndLines)
{
    const struct
    {
        const char* configured;
        const wchar_t* current;
        std::size_t currentLines;
    } cases[] = {
        {"English", L"English", 90},
        {"Deutsch", L"German", 91},
        {"Klingon", L"", 0},
    };
    for (const auto& c : cases)
    {
        Locale locale;
        locale.LoadLanguages(Lib::String(c.configured));
        EXPECT_EQ(locale.GetFallbackLanguage().Wide(), L"English") << c.configured;
        EXPECT_EQ(locale.GetFallbackLines().Count(), 90u) << c.configured;
        EXPECT_EQ(locale.GetCurrentLanguage().Wide(), c.current) << c.configured;
        EXPECT_EQ(locale.GetCurrentLines().Count(), c.currentLines) << c.configured;
    }
}

TEST(Locale, ApplyingAnotherLanguageReplacesTheLoadedLines)
{
    Locale locale;
    locale.LoadLanguages(Lib::String("Deutsch"));
    locale.LoadLanguages(Lib::String("English"));
    EXPECT_EQ(locale.GetCurrentLanguage().Wide(), L"English");
    EXPECT_EQ(locale.GetFallbackLines().Count(), 90u);
    EXPECT_EQ(locale.GetCurrentLines().Count(), 90u);
    EXPECT_EQ(Lookup(locale, "menu_start.about"), L"About");
}

// Every key resolves to its first line's value, in the language that holds it.
TEST(Locale, EveryKeyOfEachTextResolvesToItsFirstValue)
{
    const struct
    {
        const char* configured;
        uint32_t index;
    } cases[] = {{"English", k_LanguageEnglish}, {"Deutsch", k_LanguageGerman}};
    for (const auto& c : cases)
    {
        Locale locale;
        locale.LoadLanguages(Lib::String(c.configured));
        std::map<std::string, std::string> firstValue;
        for (const std::string& line : SplitLines(LanguageText(c.index)))
        {
            const std::size_t separator = line.find('=');
            ASSERT_NE(separator, std::string::npos) << line;
            firstValue.emplace(line.substr(0, separator), line.substr(separator + 1));
        }
        for (const auto& [key, value] : firstValue)
            EXPECT_EQ(Lookup(locale, key.c_str()), Lib::String(value).Wide()) << c.configured << " " << key;
    }
}

TEST(Locale, LoadCutsTheTextAtLineFeeds)
{
    const struct
    {
        const char* text;
        std::vector<std::wstring> lines;
    } cases[] = {
        {"", {}},
        {"\n", {L""}},
        {"a=1\n", {L"a=1"}},
        {"a=1\n\nb=2\n", {L"a=1", L"", L"b=2"}},
        {"a=1\nb=2", {L"a=1", L"b=2"}}, // a last line without its line feed is kept
        {"k=Zur\xC3\xBC"
         "ck\n",
         {L"k=Zurück"}},
    };
    for (const auto& c : cases)
    {
        Locale locale;
        locale.Load(c.text, Lib::String("Test"), false);
        EXPECT_EQ(Lines(locale.GetCurrentLines()), c.lines) << "text \"" << c.text << "\"";
        EXPECT_TRUE(locale.GetFallbackLines().IsEmpty());
        EXPECT_EQ(locale.GetCurrentLanguage().Wide(), L"Test");
        EXPECT_TRUE(locale.GetFallbackLanguage().IsEmpty());
    }
}

TEST(Locale, LoadAppendsToTheChosenSide)
{
    Locale locale;
    locale.Load("a=1\n", Lib::String("First"), true);
    locale.Load("b=2\n", Lib::String("Second"), true);
    EXPECT_EQ(Lines(locale.GetFallbackLines()), (std::vector<std::wstring>{L"a=1", L"b=2"}));
    EXPECT_EQ(locale.GetFallbackLanguage().Wide(), L"Second");
    EXPECT_TRUE(locale.GetCurrentLines().IsEmpty());
    EXPECT_TRUE(locale.GetCurrentLanguage().IsEmpty());
}

struct RuleCase
{
    const char* name;
    const char* fallback;
    const char* current;
    const char* key;
    const wchar_t* expected;
};

// The lookup rules on small texts; the current language differs from the fallback unless the
// case says otherwise.
TEST(Locale, LookupRules)
{
    const RuleCase cases[] = {
        {"only the first '=' separates", "", "a.b=x=y\n", "a.b", L"x=y"},
        {"empty value side", "", "a.b=\n", "a.b", L""},
        {"key inside a longer key is skipped", "", "menu.title.long=Long\nmenu.title=Short\n", "menu.title",
         L"Short"},
        {"longer key is not found by its prefix", "", "menu.title=Short\n", "menu.title.long", L""},
        {"key as a value does not match", "", "other=menu.key\nmenu.key=Found\n", "menu.key", L"Found"},
        {"line without '=' that lacks the key is passed", "", "comment\nmenu.key=Found\n", "menu.key",
         L"Found"},
        {"line without '=' that has the key stops the walk", "", "see menu.key\nmenu.key=Found\n", "menu.key",
         L""},
        {"missing key falls back", "menu.key=Fallback\n", "other=1\n", "menu.key", L"Fallback"},
        {"empty value falls back", "menu.key=Fallback\n", "menu.key=\n", "menu.key", L"Fallback"},
        {"stopped walk falls back", "menu.key=Fallback\n", "see menu.key\nmenu.key=Found\n", "menu.key",
         L"Fallback"},
        {"found value wins over fallback", "menu.key=Fallback\n", "menu.key=Found\n", "menu.key", L"Found"},
        {"fallback takes the first line holding the key", "menu.key.long=Long\nmenu.key=Short\n", "",
         "menu.key", L"Long"},
        {"fallback line without '=' ends the search", "see menu.key\nmenu.key=Later\n", "", "menu.key", L""},
        {"missing in both", "a=1\n", "b=2\n", "c", L""},
    };
    for (const RuleCase& c : cases)
    {
        Locale locale;
        locale.Load(c.fallback, Lib::String("English"), true);
        locale.Load(c.current, Lib::String("Test"), false);
        EXPECT_EQ(Lookup(locale, c.key), c.expected) << c.name;
    }
}

TEST(Locale, SameLanguageOnBothSidesNeverFallsBack)
{
    Locale locale;
    locale.Load("menu.key=Fallback\n", Lib::String("English"), true);
    locale.Load("other=1\nmenu.empty=\n", Lib::String("English"), false);
    EXPECT_EQ(Lookup(locale, "menu.key"), L"");
    EXPECT_EQ(Lookup(locale, "menu.empty"), L"");
    EXPECT_EQ(Lookup(locale, "other"), L"1");
}

TEST(Locale, NothingLoadedGivesEmptyTexts)
{
    const Locale locale;
    EXPECT_EQ(Lookup(locale, "menu_start.about"), L"");
    EXPECT_EQ(Lookup(locale, ""), L"");
}

TEST(Locale, AnswersThroughTheInterface)
{
    Locale locale;
    locale.LoadLanguages(Lib::String("Deutsch"));
    const ILocale& texts = locale;
    EXPECT_EQ(texts.GetLocaleString(Lib::String("menu_options.back")).Wide(), L"Zurück");
}
} // namespace
