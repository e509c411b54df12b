#pragma once
// A key as people say it ("Left arrow", "W", "Numpad 4"), in the menu's language, for the key
// names of the configuration ("LEFT_ARROW", "W", "NUMPAD_4"), which stay what the file holds.
#include "Lib/String.h"

#include <functional>
#include <string>

namespace Snake
{
// p_Lookup gives the text of a locale key, empty when there is none. Names without a text of
// their own (letters, digits, function keys) are said as they are written.
Lib::String SpokenKeyName(const std::string& p_Name, const std::function<Lib::String(const char*)>& p_Lookup);
} // namespace Snake
