// How a setting's text becomes the value the game uses, and the one Warning that names a text
// the game cannot use: whole numbers, ranges and their stand-ins, switches, the other forms, and
// the defaults, which must all be usable.
#include "Game/ConfigReader.h"
#include "Game/SettingChecks.h"
#include "Game/SettingValue.h"

#include <gtest/gtest.h>

#include <climits>
#include <optional>
#include <string>

namespace
{
using namespace Snake;

TEST(SettingValue, OnlyAWholeDecimalNumberIsANumber)
{
    const struct
    {
        const char* text;
        std::optional<int32_t> number;
    } cases[] = {
        {"0", 0},
        {"8", 8},
        {"-1", -1},
        {"08", 8}, // leading zeros: still exactly the number written
        {"+8", 8},
        {"-0", 0},
        {"2147483647", INT32_MAX},
        {"99999999999999999999999", INT32_MAX}, // saturates instead of wrapping
        {"-99999999999999999999999", INT32_MIN},
        {"", std::nullopt},
        {"-", std::nullopt},
        {"+", std::nullopt},
        {"8abc", std::nullopt},
        {"abc8", std::nullopt},
        {"\v8", std::nullopt},
        {"8\f", std::nullopt},
        {"8.0", std::nullopt},
        {"1e3", std::nullopt},
        {"0x10", std::nullopt},
        {"nan", std::nullopt},
        {"inf", std::nullopt},
        {"--8", std::nullopt},
        {"\xd9\xa8", std::nullopt}, // ARABIC-INDIC DIGIT EIGHT is no digit here
    };
    for (const auto& c : cases)
        EXPECT_EQ(ReadWholeNumber(Lib::String(c.text)), c.number) << '"' << c.text << '"';
}

// The table every setting's bad text goes through: the value the game uses and the Warning it
// logs. The warning is the one form for all of them.
TEST(SettingValue, EveryBadTextHasAValueUsedInsteadAndOneWarning)
{
    const struct
    {
        int32_t id;
        const char* name;
        const char* text;
        const char* used;
    } cases[] = {
        {k_ConfigCustomWidth, "r_customwidth", "wide", "1280"},
        {k_ConfigCustomWidth, "r_customwidth", "-5", "640"},
        {k_ConfigCustomWidth, "r_customwidth", "800px", "1280"},
        {k_ConfigCustomHeight, "r_customheight", "nan", "720"},
        {k_ConfigCustomHeight, "r_customheight", "-1", "480"},
        {k_ConfigWindowMode, "r_windowmode", "7", "0"},
        {k_ConfigWindowMode, "r_windowmode", "-1", "0"},
        {k_ConfigWindowMode, "r_windowmode", "full", "0"},
        {k_ConfigCurrentMonitor, "r_currentmonitor", "-2", "0"},
        {k_ConfigCurrentMonitor, "r_currentmonitor", "left", "0"},
        {k_ConfigGpu, "r_gpu", "-1", "0"},
        {k_ConfigGpu, "r_gpu", "1.5", "0"},
        {k_ConfigShowFps, "r_fps", "yes", "0"},
        {k_ConfigShowPoints, "r_points", "01", "0"},
        {k_ConfigVSync, "g_vsync", "on", "0"},
        {k_ConfigVSync, "g_vsync", "2", "0"},
        {k_ConfigLanguage, "language", "Francais", "English"},
        {k_ConfigLanguage, "language", "english", "English"},
        {k_ConfigGridMode, "grid_mode", "nan", "2"},
        {k_ConfigGridMode, "grid_mode", "12", "11"},
        {k_ConfigGridMode, "grid_mode", "-1", "11"},
        {k_ConfigGridMode, "grid_mode", "8abc", "2"},
        {k_ConfigGameSpeed, "game_speed", "inf", "8"},
        {k_ConfigGameSpeed, "game_speed", "0", "1"},
        {k_ConfigGameSpeed, "game_speed", "11", "10"},
        {k_ConfigGameSpeed, "game_speed", "-1", "10"},
        {k_ConfigGameSpeed, "game_speed", "", "8"},
        {k_ConfigFrameCap, "r_framecap", "fast", "0"},
        {k_ConfigFrameCap, "r_framecap", "-7", "0"},
        {k_ConfigFrameCap, "r_framecap", "5000", "1000"},
        {k_ConfigTurnBuffer, "g_turnbuffer", "true", "0"},
        {k_ConfigFairStart, "g_fairstart", " 1", "0"},
        {k_ConfigAutoPause, "g_autopause", "", "0"},
        {k_ConfigAttract, "g_attract", "-1", "0"},
        {k_ConfigSoundVolume, "s_volume", "-5", "0"},
        {k_ConfigSoundVolume, "s_volume", "250", "100"},
        {k_ConfigSoundVolume, "s_volume", "loud", "60"},
        {k_ConfigSoundMute, "s_mute", "yes", "0"},
        {k_ConfigMultisample, "r_multisample", "16x", "auto"},
        {k_ConfigMultisample, "r_multisample", "3", "auto"},
        {k_ConfigBotWait, "g_botwait", "5", "10"},
        {k_ConfigBotWait, "g_botwait", "60000", "1000"},
        {k_ConfigBotWait, "g_botwait", "-50", "10"},
        {k_ConfigBotWait, "g_botwait", "0.05s", "50"},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(std::string(c.name) + " \"" + c.text + "\"");
        const SettingCheck check = CheckSetting(c.id, Lib::String(c.text));
        EXPECT_FALSE(check.usable);
        EXPECT_EQ(check.used, c.used);
        EXPECT_EQ(UnusableSettingMessage(c.name, Lib::String(c.text), check.used),
                  "Setting \"" + std::string(c.name) + "\" has the value \"" + c.text +
                      "\", which cannot be used: " + c.used + " is used instead");
    }
}

TEST(SettingValue, TextsInAnExactFormAreUsedAsTheyStand)
{
    const struct
    {
        int32_t id;
        const char* text;
        const char* used;
    } cases[] = {
        {k_ConfigGameSpeed, "08", "8"},
        {k_ConfigGameSpeed, "+3", "3"},
        {k_ConfigGridMode, "11", "11"},
        {k_ConfigCustomWidth, "0", "0"}, // the window holds sizes it cannot show and says so itself
        {k_ConfigCustomWidth, "100000", "100000"},
        {k_ConfigCurrentMonitor, "3", "3"},
        {k_ConfigFrameCap, "-1", "-1"},
        {k_ConfigSoundVolume, "0", "0"},
        {k_ConfigSoundMute, "1", "1"},
        {k_ConfigLanguage, "Deutsch", "Deutsch"},
        {k_ConfigMultisample, "Off", "off"},
        {k_ConfigFullscreen, "anything", "anything"}, // stored only, never read
    };
    for (const auto& c : cases)
    {
        const SettingCheck check = CheckSetting(c.id, Lib::String(c.text));
        EXPECT_TRUE(check.usable) << c.id << " \"" << c.text << '"';
        EXPECT_EQ(check.used, c.used) << c.id << " \"" << c.text << '"';
    }
}

// The stand-in for a text that is no number is the default: the default lines read back as they
// are and the same values as an unreadable text.
TEST(SettingValue, EveryDefaultIsUsableAsWritten)
{
    const ConfigReader store;
    for (const ConfigEntry& entry : store.Defaults())
    {
        if (entry.kind != Lib::String("set") || entry.id == k_ConfigRenderer ||
            entry.id == k_ConfigFullscreen)
            continue;
        const SettingCheck check = CheckSetting(entry.id, entry.value);
        EXPECT_TRUE(check.usable) << entry.name.ToNarrow().Bytes();
        EXPECT_EQ(check.used, entry.value.ToNarrow().Bytes()) << entry.name.ToNarrow().Bytes();
        // Switches are off for any text but "1", as they always were, also those on by default.
        const bool onByDefault =
            entry.id == k_ConfigShowFps || entry.id == k_ConfigShowPoints || entry.id == k_ConfigVSync;
        EXPECT_EQ(CheckSetting(entry.id, Lib::String("?")).used,
                  onByDefault ? std::string("0") : entry.value.ToNarrow().Bytes())
            << entry.name.ToNarrow().Bytes();
    }
    EXPECT_TRUE(CheckSetting(k_ConfigRenderer, Lib::String("0")).usable);
    EXPECT_TRUE(CheckSetting(k_ConfigRenderer, Lib::String("1")).usable);
    EXPECT_FALSE(CheckSetting(k_ConfigRenderer, Lib::String("abc")).usable);
    EXPECT_FALSE(CheckSetting(k_ConfigRenderer, Lib::String("-1")).usable);
}

TEST(SettingValue, TheWarningShowsControlCharactersAndCutsALongText)
{
    EXPECT_EQ(UnusableSettingMessage("game_speed", Lib::String(std::string("a\x1b[2J\tb\0c", 9)), "8"),
              "Setting \"game_speed\" has the value \"a\\x1b[2J\\x09b\\x00c\", which cannot be used: 8 is "
              "used instead");
    const std::string message =
        UnusableSettingMessage("game_speed", Lib::String(std::string(999, '7') + "x"), "8");
    EXPECT_EQ(message, "Setting \"game_speed\" has the value \"" + std::string(100, '7') +
                           "...\", which cannot be used: 8 is used instead");
    // Text that is not ASCII is shown as it is.
    EXPECT_EQ(UnusableSettingMessage("language",
                                     Lib::String("Fran\xc3\xa7"
                                                 "ais"),
                                     "English"),
              "Setting \"language\" has the value \"Fran\xc3\xa7"
              "ais\", which cannot be used: English is "
              "used instead");
}
} // namespace
