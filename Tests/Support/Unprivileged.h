#pragma once
// Tests about files a process may not read or write. The tests run as root, which reads a file of
// mode 000 and writes into a read-only folder regardless, so such a test runs its checks in a
// child process that first becomes the unprivileged user "nobody" (or stays what it is when it is
// not root). Read-only file systems come from a private read-only bind mount in the child.
#include <cstdio>
#include <filesystem>
#include <string>

#include <grp.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace TestSupport
{
inline constexpr uid_t k_NobodyId = 65534;
// The exit status of a child that could not set up what the test needs (no skip from a child).
inline constexpr int k_CannotSetUp = 77;

// Drops root for the rest of this (child) process.
inline bool BecomeUnprivileged()
{
    if (geteuid() != 0)
        return true;
    return setgroups(0, nullptr) == 0 && setgid(k_NobodyId) == 0 && setuid(k_NobodyId) == 0 && geteuid() != 0;
}

// Lets everyone in and create files, so the unprivileged child can work in a test folder.
inline void OpenToEveryone(const std::filesystem::path& p_Folder)
{
    chmod(p_Folder.c_str(), 0777);
}

// Makes the folder read-only for this (child) process only: a mount namespace of its own with a
// read-only bind mount of the folder over itself.
inline bool MountReadOnly(const std::string& p_Folder)
{
    return unshare(CLONE_NEWNS) == 0 && mount("none", "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0 &&
           mount(p_Folder.c_str(), p_Folder.c_str(), nullptr, MS_BIND, nullptr) == 0 &&
           mount(nullptr, p_Folder.c_str(), nullptr, MS_BIND | MS_REMOUNT | MS_RDONLY, nullptr) == 0;
}
// Runs p_Check in a forked child and returns its result (its exit status; 128 + the signal number
// when a signal ended it). The child ends with _exit: no exit handler of the test program runs
// under the changed user or mount.
template <typename Check> int RunInChild(Check&& p_Check)
{
    fflush(nullptr);
    const pid_t pid = fork();
    if (pid == 0)
    {
        const int result = p_Check();
        fflush(nullptr);
        _exit(result);
    }
    int status = 0;
    if (pid < 0 || waitpid(pid, &status, 0) != pid)
        return -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}
} // namespace TestSupport
