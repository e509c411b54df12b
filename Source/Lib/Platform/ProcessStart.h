#pragma once
// Starting a program with an argument list, without a shell: the system's half of RestartProcess
// (Restart.cpp). Internal to the platform layer.
#include <cstdint>
#include <string>
#include <vector>

namespace Lib
{
// Starts p_Arguments[0] with the whole list as its arguments (the first as its own name), giving
// it the standard streams and nothing else of this process. 0 with p_ProcessId set, or the
// system's error code.
unsigned long StartProgram(const std::vector<std::string>& p_Arguments, int32_t& p_ProcessId);
} // namespace Lib
