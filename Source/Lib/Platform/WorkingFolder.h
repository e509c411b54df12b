#pragma once
// The folder a game reads and writes its files in, chosen on the command line.
#include <string>

namespace Lib
{
// Creates p_Path with every missing parent folder, checks that this process may create files in
// it and makes it the working folder. False, with one line saying which folder failed and why in
// p_Error, when any of that is impossible; the working folder is then unchanged.
bool EnterWorkingFolder(const std::string& p_Path, std::string& p_Error);
} // namespace Lib
