#pragma once
// The console commands the game registers, and the text its "help" command prints.
#include "Corvan/Gui/Console/ConsoleCommand.h"
#include "Lib/DynamicArray.h"
#include "Lib/String.h"

#include <cstdint>
#include <string>

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
    k_CommandBot = 9,
    k_CommandBots = 10,
    k_CommandAttract = 11,
};

// The commands in the order "help" lists them.
Lib::DynamicArray<Vozad::ConsoleCommand> GameCommandTable();

// "help", the heading, the introduction and one " name arguments description" line per command (the
// arguments of the game's own commands, as their usage line shows them).
Lib::DynamicArray<Lib::String> HelpLines(const Lib::DynamicArray<Vozad::ConsoleCommand>& p_Commands);

// The arguments of a command line cut into tokens: every token after the command name, the empty
// ones (from doubled spaces) left out.
Lib::DynamicArray<Lib::String> CommandArguments(const Lib::DynamicArray<Lib::String>& p_Tokens);

// What a command taking an argument expects, as the console shows it when the argument is missing
// or bad ("r_customwidth <pixels>"); empty for commands without arguments.
std::string CommandUsage(int32_t p_CommandId);

// A size argument: base-10 digits only, above 0; values beyond 32 bits are the largest 32-bit
// value rather than a wrapped small one. False for anything else, with p_Pixels untouched.
bool ParsePixels(const Lib::String& p_Text, uint32_t& p_Pixels);

// An on/off argument: a whole base-10 number, on when it is not 0. False for anything else.
bool ParseSwitch(const Lib::String& p_Text, bool& p_On);
} // namespace Snake
