// Key names as the Input tab says them, in both languages, from the compiled-in texts.
#include "Game/Locale.h"
#include "Game/Menus/SpokenKeyName.h"

#include <gtest/gtest.h>

namespace
{
using namespace Snake;

TEST(SpokenKeyName, KeysAsPeopleSayThemInBothLanguages)
{
    struct Case
    {
        const char* language;
        const char* name;
        const wchar_t* spoken;
    };
    const Case cases[] = {
        {"English", "LEFT_ARROW", L"Left arrow"},
        {"English", "DOWN_ARROW", L"Down arrow"},
        {"English", "W", L"W"},
        {"English", "F11", L"F11"},
        {"English", "NUMPAD_4", L"Numpad 4"},
        {"English", "~", L"~"},
        {"English", "", L""},
        {"Deutsch", "LEFT_ARROW", L"Pfeil links"},
        {"Deutsch", "UP_ARROW", L"Pfeil hoch"},
        {"Deutsch", "W", L"W"},
        {"Deutsch", "NUMPAD_0", L"Ziffernblock 0"},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(std::string(c.language) + " " + c.name);
        Locale locale;
        locale.LoadLanguages(Lib::String(c.language));
        const Lib::String spoken = SpokenKeyName(c.name, [&locale](const char* p_Key)
                                                 { return locale.GetLocaleString(Lib::String(p_Key)); });
        EXPECT_EQ(spoken.Wide(), c.spoken);
    }
}
} // namespace
