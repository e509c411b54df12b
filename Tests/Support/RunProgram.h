#pragma once
// Starts a program in a given working folder, its standard output and error going to files
// there, and waits for it a bounded time.
#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

extern char** environ;

namespace TestSupport
{
struct ProgramResult
{
    bool exited = false; // false: killed after the time-out or by a signal
    int exitStatus = -1;
};

inline ProgramResult RunProgram(const std::string& p_Path, const std::vector<std::string>& p_Arguments,
                                const std::string& p_WorkingFolder,
                                std::chrono::seconds p_Timeout = std::chrono::seconds(60))
{
    std::vector<std::string> storage{p_Path};
    storage.insert(storage.end(), p_Arguments.begin(), p_Arguments.end());
    std::vector<char*> argv;
    for (std::string& argument : storage)
        argv.push_back(argument.data());
    argv.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addchdir_np(&actions, p_WorkingFolder.c_str());
    posix_spawn_file_actions_addopen(&actions, 1, "stdout.txt", O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addopen(&actions, 2, "stderr.txt", O_WRONLY | O_CREAT | O_TRUNC, 0644);
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, p_Path.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    ProgramResult result;
    if (spawned != 0)
        return result;

    const auto deadline = std::chrono::steady_clock::now() + p_Timeout;
    int status = 0;
    while (waitpid(pid, &status, WNOHANG) == 0)
    {
        if (std::chrono::steady_clock::now() > deadline)
        {
            kill(pid, SIGKILL);
            waitpid(pid, &status, 0);
            return result;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    result.exited = WIFEXITED(status);
    result.exitStatus = result.exited ? WEXITSTATUS(status) : -1;
    return result;
}
} // namespace TestSupport
