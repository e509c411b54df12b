#pragma once
// Starts a program in a given working folder, its standard output and error going to files
// there, and waits for it a bounded time.
#include <chrono>
#include <cstdio>
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

// Starts the program in p_WorkingFolder with standard output and error in "stdout.txt" and
// "stderr.txt" there; returns its process id, or -1.
inline pid_t StartProgram(const std::string& p_Path, const std::vector<std::string>& p_Arguments,
                          const std::string& p_WorkingFolder)
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
    return spawned == 0 ? pid : -1;
}

// Waits for the program to end; kills it when it runs past the time-out.
inline ProgramResult WaitForProgram(pid_t p_Pid, std::chrono::seconds p_Timeout = std::chrono::seconds(60))
{
    ProgramResult result;
    if (p_Pid <= 0)
        return result;
    const auto deadline = std::chrono::steady_clock::now() + p_Timeout;
    int status = 0;
    while (waitpid(p_Pid, &status, WNOHANG) == 0)
    {
        if (std::chrono::steady_clock::now() > deadline)
        {
            kill(p_Pid, SIGKILL);
            waitpid(p_Pid, &status, 0);
            return result;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    result.exited = WIFEXITED(status);
    result.exitStatus = result.exited ? WEXITSTATUS(status) : -1;
    return result;
}

inline ProgramResult RunProgram(const std::string& p_Path, const std::vector<std::string>& p_Arguments,
                                const std::string& p_WorkingFolder,
                                std::chrono::seconds p_Timeout = std::chrono::seconds(60))
{
    return WaitForProgram(StartProgram(p_Path, p_Arguments, p_WorkingFolder), p_Timeout);
}

// Runs a shell command line and returns what it printed (for the X tools of end-to-end tests).
inline std::string CommandOutput(const std::string& p_Command)
{
    std::string output;
    if (FILE* pipe = popen(p_Command.c_str(), "r"))
    {
        char buffer[256];
        while (fgets(buffer, sizeof(buffer), pipe))
            output += buffer;
        pclose(pipe);
    }
    return output;
}

} // namespace TestSupport
