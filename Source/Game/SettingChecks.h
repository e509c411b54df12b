#pragma once
// The start-up check of every setting and key binding the game reads from "gamedata.cfg": each
// text that cannot be used as written is named once in a Warning with the value used instead. The
// entries keep their text, so the file is written back as it was read.
#include "Game/ConfigReader.h"

#include <cstdint>
#include <string>

namespace Snake
{
struct SettingCheck
{
    bool usable = true;
    std::string used; // the value the game uses instead, as the setting would hold it
};

// What the game makes of the text of the "set" setting with the id; a setting the game does not
// read (r_fullscreen) is always usable.
SettingCheck CheckSetting(int32_t p_Id, const Lib::String& p_Text);

// True for the settings LoadApplicationConfig applies line by line for the engine and the window,
// so that the last line of one counts; the game reads every other one through GetEntryText, which
// takes the first.
bool IsAppliedAtStartUp(int32_t p_Id);

// The entry whose text counts for the setting (see IsAppliedAtStartUp), or for a key binding the
// game uses the first "bind" line of its command; nullptr when there is none.
const ConfigEntry* CountingEntry(const ConfigReader& p_Store, int32_t p_Id);

// Warns, in file order, for each counting "set" entry and each key binding the game uses whose
// text cannot be used. "r_renderer" is left to the engine's start, which stops with an Error on
// a renderer it does not have.
void ReportUnusableSettings(const ConfigReader& p_Store);
} // namespace Snake
