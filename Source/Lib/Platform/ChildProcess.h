#pragma once
// A helper program run as a child process that this process can always stop. The child gets a
// pipe for what we send on its standard input, a pipe for its answers on its standard output,
// /dev/null as standard error and nothing else: no other descriptor, an empty environment, the
// default signal dispositions and a process group of its own (a Ctrl+C in the terminal is ours to
// handle, not the child's). Reads and writes wait at most until a deadline; ending the child is
// SIGKILL and a reap, so nothing here ever waits on the child's cooperation.
//
//   Lib::ChildProcess child;
//   if (!child.Start("/usr/libexec/x/helper", {"--flag"}, error)) ...
//   child.Write(request, Lib::DeadlineIn(50ms)); child.ReadExactly(buffer, 4, deadline);
//   child.Kill(); // also done by the destructor
#include <chrono>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace Lib
{
using Deadline = std::chrono::steady_clock::time_point;

inline Deadline DeadlineIn(std::chrono::steady_clock::duration p_Time)
{
    return std::chrono::steady_clock::now() + p_Time;
}

enum class PipeResult
{
    Done,
    TimedOut,    // the deadline passed first
    Closed,      // the child closed its end or has ended
    Interrupted, // a termination signal arrived while we waited (see TerminationSignals.h)
};

class ChildProcess
{
public:
    ChildProcess() = default;
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;
    ~ChildProcess();

    // Starts p_Program (a path; no search) with p_Arguments after its name. False, with the reason
    // in p_Error, when the pipes cannot be made or the program cannot be started.
    bool Start(const std::string& p_Program, const std::vector<std::string>& p_Arguments,
               std::string& p_Error);

    bool IsRunning() const { return m_ProcessId > 0; }
    int ProcessId() const { return m_ProcessId; }

    PipeResult Write(std::string_view p_Bytes, Deadline p_Deadline);
    PipeResult ReadExactly(char* p_Buffer, size_t p_Size, Deadline p_Deadline);

    // Ends the child with SIGKILL and reaps it; nothing to do when it is not running. Afterwards
    // EndDescription says how it ended (a child that had already died keeps its own cause).
    void Kill();
    // "exited with status 3", "killed by signal 31 (Bad system call)"; empty while it runs.
    const std::string& EndDescription() const { return m_End; }

private:
    void ClosePipes();

    int m_ProcessId = 0;
    int m_ToChild = -1;
    int m_FromChild = -1;
    std::string m_End;
};
} // namespace Lib
