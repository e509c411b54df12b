#include "Lib/Log.h"
#include "Lib/Platform/Process.h"
#include "Lib/Platform/ProcessStart.h"

#include <cstdio>

namespace Lib
{
void RestartProcess(const String& p_ExecutablePath, const String& p_Switch,
                    const DynamicArray<String>& p_Arguments)
{
    static const LogTag s_Tag("Platform");

    const int32_t processId = GetCurrentProcessId();
    char processIdText[32] = {};
    if (snprintf(processIdText, sizeof(processIdText), "%lld", static_cast<long long>(processId)) <= 0)
    {
        LogError(s_Tag, "No valid process ID: id %d", processId);
        return;
    }

    // Every argument travels as its own entry: no shell splits or interprets anything, so paths
    // with spaces or shell characters arrive unchanged.
    std::vector<std::string> arguments;
    arguments.reserve(p_Arguments.Count() + 3);
    arguments.push_back(p_ExecutablePath.ToNarrow().Bytes());
    arguments.push_back(p_Switch.ToNarrow().Bytes());
    arguments.push_back(processIdText);
    for (const String& argument : p_Arguments)
        arguments.push_back(argument.ToNarrow().Bytes());

    int32_t newProcessId = 0;
    if (const unsigned long error = StartProgram(arguments, newProcessId); error != 0)
    {
        LogError(s_Tag, "Failed to restart the engine, error code: %lu", error);
        return;
    }
    LogInfo(s_Tag, "Restart successful, current PID: %d, new PID: %d", processId, newProcessId);
}
} // namespace Lib
