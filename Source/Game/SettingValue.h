#pragma once
// How the text of one setting of "gamedata.cfg" becomes the value the game uses, and the one
// Warning that names a text the game cannot use as written. Reading is quiet and may happen every
// frame; the warning is given once, at start-up (see SettingChecks.h).
#include "Lib/String.h"

#include <cstdint>
#include <optional>
#include <string_view>

namespace Snake
{
// A whole decimal number written as one: an optional sign and the digits 0-9, nothing before,
// between or after them. Leading zeros are allowed ("08" is 8), since the number is still exactly
// what was written. Numbers beyond 32 bits saturate at the 32-bit limits. Anything else (blanks,
// "8abc", "0x10", "8.5", "nan", "inf", "") is no number.
std::optional<int32_t> ReadWholeNumber(const Lib::String& p_Text);

// The range of a number setting and what stands in for a text outside it.
struct NumberRule
{
    int32_t fallback = 0; // for a text that is no whole number: the setting's default
    int32_t minimum = 0;
    int32_t maximum = 0;
    int32_t belowMinimum = 0; // used for a number below the minimum
    int32_t aboveMaximum = 0; // used for a number above the maximum
    // Read as an unsigned number: a negative one counts as too large (grid mode and speed have
    // always read their numbers so).
    bool negativeIsAbove = false;
};

struct SettingValue
{
    int32_t value = 0;
    bool usable = true; // false: the text cannot be used as written and value stands in for it
};

SettingValue ReadNumber(const Lib::String& p_Text, const NumberRule& p_Rule);

// A switch is on exactly when its text is "1" and off when it is "0"; any other text is off too,
// as it always was, but cannot be used.
SettingValue ReadSwitch(const Lib::String& p_Text);

// The one form in which the game says that a setting's text cannot be used:
// Setting "game_speed" has the value "fast", which cannot be used: 8 is used instead
// Control characters of the text are shown as \xNN and a very long text is cut, so the line
// stays one readable line.
std::string UnusableSettingMessage(std::string_view p_Name, const Lib::String& p_Text,
                                   std::string_view p_Used);
// Logs that message as a Warning (and so in the console).
void WarnUnusableSetting(std::string_view p_Name, const Lib::String& p_Text, std::string_view p_Used);
} // namespace Snake
