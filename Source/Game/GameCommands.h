#pragma once
// The console commands the game registers, and the text its "help" command prints.
#include "Corvan/Gui/Console/ConsoleCommand.h"
#include "Lib/DynamicArray.h"
#include "Lib/String.h"

#include <cstdint>

namespace Snake
{
enum GameCommandId : int32_t
{
    k_CommandNone = 0, // the first token names no command
    k_CommandHelp = 1,
    k_CommandRestart = 2,
    k_CommandQuit = 3,
    k_CommandClear = 4,
    k_CommandCustomWidth = 5,
    k_CommandCustomHeight = 6,
    k_CommandVSync = 7,
    k_CommandRemoveConfig = 8,
};

// The eight commands in the order "help" lists them.
Lib::DynamicArray<Vozad::ConsoleCommand> GameCommandTable();

// "help", the heading, the introduction and one " name description" line per command.
Lib::DynamicArray<Lib::String> HelpLines(const Lib::DynamicArray<Vozad::ConsoleCommand>& p_Commands);

// The number a size argument stands for: base 10, text without a number is 0, values beyond
// 32 bits are the largest 32-bit value rather than a wrapped small one.
uint32_t ParseSizeArgument(const Lib::String& p_Text);
} // namespace Snake
