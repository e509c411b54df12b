#pragma once
#include "Lib/DynamicArray.h"
#include "Lib/String.h"

#include <cstdint>

namespace Lib
{
int32_t GetCurrentProcessId();
int64_t GetCurrentThreadId();

// Starts the executable again as {executable, switch, this process id, arguments...}. No shell
// parses anything. The new process does not wait for this one.
void RestartProcess(const String& p_ExecutablePath, const String& p_Switch,
                    const DynamicArray<String>& p_Arguments);
} // namespace Lib
