#include "Lib/Platform/Process.h"

#include "Lib/Log.h"

#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdio>
#include <spawn.h>
#include <string>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace Lib
{
int32_t GetCurrentProcessId()
{
    return static_cast<int32_t>(getpid());
}

int64_t GetCurrentThreadId()
{
    return static_cast<int64_t>(gettid());
}

bool ProcessIsRunning(int64_t p_ProcessId)
{
    return p_ProcessId > 0 && p_ProcessId <= INT32_MAX &&
           (kill(static_cast<pid_t>(p_ProcessId), 0) == 0 || errno == EPERM);
}

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

    // Every argument travels as its own vector entry: no shell splits or interprets anything, so
    // paths with spaces or shell characters arrive unchanged.
    std::vector<std::string> texts;
    texts.reserve(p_Arguments.Count() + 3);
    texts.push_back(p_ExecutablePath.ToNarrow().Bytes());
    texts.push_back(p_Switch.ToNarrow().Bytes());
    texts.push_back(processIdText);
    for (const String& argument : p_Arguments)
        texts.push_back(argument.ToNarrow().Bytes());

    std::vector<char*> argv;
    argv.reserve(texts.size() + 1);
    for (std::string& text : texts)
        argv.push_back(text.data());
    argv.push_back(nullptr);

    // The new instance gets the standard streams and nothing else: the window system's and the
    // driver's descriptors belong to this process only.
    posix_spawn_file_actions_t actions;
    int result = posix_spawn_file_actions_init(&actions);
    bool haveActions = result == 0;
    if (haveActions)
        result = posix_spawn_file_actions_addclosefrom_np(&actions, 3);

    pid_t newProcessId = 0;
    if (result == 0)
        result = posix_spawn(&newProcessId, argv[0], &actions, nullptr, argv.data(), environ);
    if (haveActions)
        posix_spawn_file_actions_destroy(&actions);

    if (result != 0)
    {
        LogError(s_Tag, "Failed to restart the engine, error code: %lu", static_cast<unsigned long>(result));
        return;
    }
    LogInfo(s_Tag, "Restart successful, current PID: %d, new PID: %d", processId,
            static_cast<int32_t>(newProcessId));
}
} // namespace Lib
