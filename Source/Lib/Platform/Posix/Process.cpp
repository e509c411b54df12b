#include "Lib/Platform/Process.h"

#include "Lib/Platform/ProcessStart.h"

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

unsigned long StartProgram(const std::vector<std::string>& p_Arguments, int32_t& p_ProcessId)
{
    std::vector<std::string> texts = p_Arguments;
    std::vector<char*> argv;
    argv.reserve(texts.size() + 1);
    for (std::string& text : texts)
        argv.push_back(text.data());
    argv.push_back(nullptr);

    // The new instance gets the standard streams and nothing else: the window system's and the
    // driver's descriptors belong to this process only.
    posix_spawn_file_actions_t actions;
    int result = posix_spawn_file_actions_init(&actions);
    const bool haveActions = result == 0;
    if (haveActions)
        result = posix_spawn_file_actions_addclosefrom_np(&actions, 3);

    pid_t newProcessId = 0;
    if (result == 0)
        result = posix_spawn(&newProcessId, argv[0], &actions, nullptr, argv.data(), environ);
    if (haveActions)
        posix_spawn_file_actions_destroy(&actions);
    p_ProcessId = static_cast<int32_t>(newProcessId);
    return static_cast<unsigned long>(result);
}
} // namespace Lib
