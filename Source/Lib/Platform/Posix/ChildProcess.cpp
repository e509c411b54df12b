#include "Lib/Platform/ChildProcess.h"

#include "Lib/Platform/TerminationSignals.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <pthread.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

namespace Lib
{
namespace
{
std::string ErrorText(int p_Code)
{
    char buffer[256] = {};
    return strerror_r(p_Code, buffer, sizeof buffer);
}

std::string Describe(int p_Status)
{
    if (WIFEXITED(p_Status))
        return "exited with status " + std::to_string(WEXITSTATUS(p_Status));
    if (WIFSIGNALED(p_Status))
    {
        const int signal = WTERMSIG(p_Status);
        const char* name = strsignal(signal);
        return "killed by signal " + std::to_string(signal) +
               (name != nullptr ? std::string(" (") + name + ")" : "");
    }
    return "ended";
}

// Waits until the descriptor is ready for p_Events or the deadline passes.
PipeResult WaitFor(int p_Descriptor, short p_Events, Deadline p_Deadline)
{
    for (;;)
    {
        const auto left = p_Deadline - std::chrono::steady_clock::now();
        if (left <= std::chrono::steady_clock::duration::zero())
            return PipeResult::TimedOut;
        const auto nanoseconds = std::chrono::duration_cast<std::chrono::nanoseconds>(left).count();
        const timespec timeout{static_cast<time_t>(nanoseconds / 1'000'000'000),
                               static_cast<long>(nanoseconds % 1'000'000'000)};
        pollfd entry{p_Descriptor, p_Events, 0};
        const int ready = ppoll(&entry, 1, &timeout, nullptr);
        if (ready > 0)
            return (entry.revents & p_Events) != 0 ? PipeResult::Done : PipeResult::Closed;
        if (ready < 0 && errno == EINTR && TerminationSignal() != 0)
            return PipeResult::Interrupted;
        if (ready < 0 && errno != EINTR)
            return PipeResult::Closed;
    }
}
} // namespace

ChildProcess::~ChildProcess()
{
    Kill();
}

bool ChildProcess::Start(const std::string& p_Program, const std::vector<std::string>& p_Arguments,
                         std::string& p_Error)
{
    Kill();
    m_End.clear();
    // Our ends are close-on-exec and non-blocking (the waits poll); the child's ends become its
    // standard streams, which the spawn makes blocking descriptors without the flag.
    int toChild[2] = {-1, -1};
    int fromChild[2] = {-1, -1};
    if (pipe2(toChild, O_CLOEXEC) != 0 || pipe2(fromChild, O_CLOEXEC) != 0)
    {
        p_Error = "cannot make a pipe: " + ErrorText(errno);
        for (int descriptor : {toChild[0], toChild[1], fromChild[0], fromChild[1]})
            if (descriptor >= 0)
                close(descriptor);
        return false;
    }

    std::vector<std::string> texts;
    texts.push_back(p_Program);
    texts.insert(texts.end(), p_Arguments.begin(), p_Arguments.end());
    std::vector<char*> argv;
    for (std::string& text : texts)
        argv.push_back(text.data());
    argv.push_back(nullptr);
    char* environment[] = {nullptr};

    posix_spawn_file_actions_t actions;
    posix_spawnattr_t attributes;
    posix_spawn_file_actions_init(&actions);
    posix_spawnattr_init(&attributes);
    posix_spawn_file_actions_adddup2(&actions, toChild[0], STDIN_FILENO);
    posix_spawn_file_actions_adddup2(&actions, fromChild[1], STDOUT_FILENO);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addclosefrom_np(&actions, STDERR_FILENO + 1);
    // This process ignores SIGPIPE and may block signals; the child starts with the defaults.
    sigset_t all;
    sigset_t none;
    sigfillset(&all);
    sigemptyset(&none);
    posix_spawnattr_setsigdefault(&attributes, &all);
    posix_spawnattr_setsigmask(&attributes, &none);
    posix_spawnattr_setpgroup(&attributes, 0);
    posix_spawnattr_setflags(&attributes,
                             POSIX_SPAWN_SETSIGDEF | POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETPGROUP);

    pid_t processId = 0;
    const int result = posix_spawn(&processId, argv[0], &actions, &attributes, argv.data(), environment);
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attributes);
    close(toChild[0]);
    close(fromChild[1]);
    if (result != 0)
    {
        close(toChild[1]);
        close(fromChild[0]);
        p_Error = "cannot start \"" + p_Program + "\": " + ErrorText(result);
        return false;
    }
    m_ProcessId = processId;
    m_ToChild = toChild[1];
    m_FromChild = fromChild[0];
    fcntl(m_ToChild, F_SETFL, O_NONBLOCK);
    fcntl(m_FromChild, F_SETFL, O_NONBLOCK);
    return true;
}

// A write into a pipe whose reader has gone raises SIGPIPE, which ends a process that does not
// ignore it (the simulation does not). The signal is held back for the write, and one that the
// write raised is taken off again, so the write just fails with EPIPE.
class SigpipeHeld
{
public:
    SigpipeHeld()
    {
        sigemptyset(&m_Pipe);
        sigaddset(&m_Pipe, SIGPIPE);
        sigset_t pending;
        sigpending(&pending);
        m_WasPending = sigismember(&pending, SIGPIPE) == 1;
        pthread_sigmask(SIG_BLOCK, &m_Pipe, &m_Previous);
    }
    ~SigpipeHeld()
    {
        if (!m_WasPending)
        {
            const timespec now{0, 0};
            while (sigtimedwait(&m_Pipe, nullptr, &now) == -1 && errno == EINTR)
            {
            }
        }
        pthread_sigmask(SIG_SETMASK, &m_Previous, nullptr);
    }
    SigpipeHeld(const SigpipeHeld&) = delete;
    SigpipeHeld& operator=(const SigpipeHeld&) = delete;

private:
    sigset_t m_Pipe;
    sigset_t m_Previous;
    bool m_WasPending = false;
};

PipeResult ChildProcess::Write(std::string_view p_Bytes, Deadline p_Deadline)
{
    if (m_ToChild < 0)
        return PipeResult::Closed;
    const SigpipeHeld held;
    while (!p_Bytes.empty())
    {
        const ssize_t written = write(m_ToChild, p_Bytes.data(), p_Bytes.size());
        if (written > 0)
        {
            p_Bytes.remove_prefix(static_cast<size_t>(written));
            continue;
        }
        if (written < 0 && errno == EINTR)
            continue;
        if (written < 0 && errno != EAGAIN)
            return PipeResult::Closed;
        const PipeResult ready = WaitFor(m_ToChild, POLLOUT, p_Deadline);
        if (ready != PipeResult::Done)
            return ready;
    }
    return PipeResult::Done;
}

PipeResult ChildProcess::ReadExactly(char* p_Buffer, size_t p_Size, Deadline p_Deadline)
{
    if (m_FromChild < 0)
        return PipeResult::Closed;
    size_t got = 0;
    while (got < p_Size)
    {
        const ssize_t count = read(m_FromChild, p_Buffer + got, p_Size - got);
        if (count > 0)
        {
            got += static_cast<size_t>(count);
            continue;
        }
        if (count == 0)
            return PipeResult::Closed;
        if (errno == EINTR)
            continue;
        if (errno != EAGAIN)
            return PipeResult::Closed;
        const PipeResult ready = WaitFor(m_FromChild, POLLIN, p_Deadline);
        if (ready != PipeResult::Done)
            return ready;
    }
    return PipeResult::Done;
}

void ChildProcess::ClosePipes()
{
    for (int* descriptor : {&m_ToChild, &m_FromChild})
    {
        if (*descriptor >= 0)
            close(*descriptor);
        *descriptor = -1;
    }
}

void ChildProcess::Kill()
{
    ClosePipes();
    if (m_ProcessId <= 0)
        return;
    // SIGKILL cannot be caught, blocked or delayed by the child: the reap that follows returns
    // as soon as the kernel has taken the process down.
    kill(m_ProcessId, SIGKILL);
    int status = 0;
    pid_t reaped = -1;
    do
        reaped = waitpid(m_ProcessId, &status, 0);
    while (reaped < 0 && errno == EINTR);
    m_End = reaped == m_ProcessId ? Describe(status) : "ended";
    m_ProcessId = 0;
}
} // namespace Lib
