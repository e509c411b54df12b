#pragma once
// What the menus need from the localisation: a text by its dotted key.
#include "Lib/String.h"

namespace Snake
{
class ILocale
{
public:
    virtual ~ILocale() = default;

    // The text of the key in the current language, else in the fallback language; empty when
    // neither has it.
    virtual Lib::String GetLocaleString(const Lib::String& p_Key) const = 0;
};
} // namespace Snake
