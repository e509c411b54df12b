#pragma once
#include <cstdint>

namespace Vozad
{
// One entry of the command table that the game hands to the console's input line. The texts are
// the game's string literals and live as long as the program.
struct ConsoleCommand
{
    const char* name = nullptr;
    const char* description = nullptr;
    int32_t id = 0;
};
} // namespace Vozad
