#pragma once
// Where the running program lives and what a program beside it is called, the parts of finding
// the script host that differ between systems.
#include <filesystem>
#include <string>

namespace Telvar
{
// The running program's own file; empty when the system does not say.
std::filesystem::path RunningProgramPath();

// p_Name as a program file of this system: "vorl-scripthost", or "vorl-scripthost.exe" on Windows.
std::string ProgramFileName(const std::string& p_Name);

// Whether p_Path is a file this system would start as a program.
bool IsRunnableProgram(const std::filesystem::path& p_Path);
} // namespace Telvar
