#pragma once
// A helper program run as a child process that this process can always stop. The child gets a
// pipe for what we send on its standard input, a pipe for its answers on its standard output,
// /dev/null as standard error and nothing else: no other descriptor, an empty environment, the
// default signal dispositions and a process group of its own (a Ctrl+C in the terminal is ours to
// handle, not the child's). Reads and writes wait at most until a deadline; ending the child is
// SIGKILL and a reap, so nothing here ever waits on the child's cooperation.
//
// On Windows the same holds with the system's words: NUL for standard error, only the two pipe
// handles inherited, an environment of SystemRoot alone, no console window, and the child is put
// into a job object of its own before its first instruction runs. The job holds it to ChildLimits
// from outside, lets it start no process, and ends it when this process ends (the job's last
// handle closes). Ending it is terminating the job and waiting for the process.
//
//   Lib::ChildProcess child;
//   if (!child.Start("/usr/libexec/x/helper", {"--flag"}, error)) ...
//   child.Write(request, Lib::DeadlineIn(50ms)); child.ReadExactly(buffer, 4, deadline);
//   child.Kill(); // also done by the destructor
#include <chrono>
#include <cstddef>
#include <cstdint>
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

// What the system holds the child to from outside, where it has a way to (Windows: the job
// object). On Linux a child confines itself (ProcessConfinement.h) and these are not used. Zero
// means no limit.
struct ChildLimits
{
    uint64_t memoryBytes = 0;
    // Processor time the child may use from each Write on; a child that slips past its own limit
    // is still ended.
    uint32_t processorSecondsPerRequest = 0;
};

class ChildProcess
{
public:
    ChildProcess() = default;
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;
    ~ChildProcess();

    // Takes effect at the next Start.
    void SetLimits(const ChildLimits& p_Limits) { m_Limits = p_Limits; }

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
    // "exited with status 3", "killed by signal 31 (Bad system call)"; on Windows "killed",
    // "exited with status 3" or "ended with status 0xC0000005 (access violation)". Empty while it
    // runs.
    const std::string& EndDescription() const { return m_End; }

private:
    void ClosePipes();

    ChildLimits m_Limits;
    int m_ProcessId = 0;
#ifdef _WIN32
    // HANDLEs, as void* so that users of this header do not get <windows.h>.
    void* m_Process = nullptr;
    void* m_Job = nullptr;
    void* m_ToChild = nullptr;
    void* m_FromChild = nullptr;
#else
    int m_ToChild = -1;
    int m_FromChild = -1;
#endif
    std::string m_End;
};
} // namespace Lib
