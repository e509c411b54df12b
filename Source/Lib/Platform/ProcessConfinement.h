#pragma once
// What a helper process that runs untrusted code does to itself before it reads any of it, so
// that a fault in the interpreter cannot reach further than the helper's own pipes: it dies with
// its parent, it gets a fixed amount of address space and no core or output files, and a system
// call filter leaves it reading, writing its standard streams, managing memory, reading clocks
// and ending. Everything else ends the process on the spot (SIGSYS). Once confined, a process
// stays so, and so would anything it started.
#include <cstdint>
#include <string>

namespace Lib
{
struct ConfinementLimits
{
    // The parent that must be alive; when it is already gone the confinement fails.
    int parentProcessId = 0;
    uint64_t addressSpaceBytes = 0;
};

// False, with the step that failed in p_Error, when any part of the confinement cannot be set up:
// the caller must then end without running anything.
bool ConfineThisProcess(const ConfinementLimits& p_Limits, std::string& p_Error);

// Lets this process use p_Seconds more of processor time from now; past that the kernel ends it
// (SIGXCPU, then SIGKILL a second later). A confined process may call it again and again.
bool AllowProcessorTime(uint32_t p_Seconds);
} // namespace Lib
