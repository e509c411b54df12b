#pragma once
#include "Lib/DynamicArray.h"
#include "Lib/String.h"

#include <cstdint>

namespace Lib
{
int32_t GetCurrentProcessId();
int64_t GetCurrentThreadId();

// True while a process with the id runs (also one this process may not signal or open).
bool ProcessIsRunning(int64_t p_ProcessId);

// Starts the executable again as {executable, switch, this process id, arguments...}. No shell
// parses anything. The new process does not wait for this one.
void RestartProcess(const String& p_ExecutablePath, const String& p_Switch,
                    const DynamicArray<String>& p_Arguments);
} // namespace Lib
