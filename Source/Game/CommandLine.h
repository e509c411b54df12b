#pragma once
#include "Lib/DynamicArray.h"
#include "Lib/String.h"

#include <string>
#include <vector>

namespace Snake
{
// Cuts a command line at every space (U+0020 only; tabs and quotes mean nothing) and keeps the
// non-empty pieces in order.
Lib::DynamicArray<Lib::String> SplitCommandLine(const Lib::String& p_CommandLine);

// The argument list of the process: the program's arguments (not its name) joined with spaces,
// then split as above, as if they had arrived as one command line.
Lib::DynamicArray<Lib::String> BuildArgumentList(int p_Argc, const char* const* p_Argv);
Lib::DynamicArray<Lib::String> BuildArgumentList(const std::vector<std::string>& p_Arguments);
} // namespace Snake
