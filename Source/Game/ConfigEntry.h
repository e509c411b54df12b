#pragma once
#include "Lib/String.h"

#include <cstdint>
#include <string>

namespace Snake
{
// One line of the configuration file as held in memory. A "bind" line keeps the key name in
// name and the command in value; a "set" line the variable and its value. Any other line keeps
// its whole text in kind, so it can be written back exactly as it was read.
struct ConfigEntry
{
    Lib::String kind;
    Lib::String name;
    Lib::String value;
    int32_t id = 0; // a ConfigId; 0 for lines that no code addresses

    // The bytes each text was read from (empty for entries that did not come from the file).
    // A text nobody changed is written back with these bytes, so a line keeps even bytes that
    // are not UTF-8 and would otherwise come back re-encoded.
    struct ReadBytes
    {
        std::string kind, name, value;
    } read;
};
} // namespace Snake
