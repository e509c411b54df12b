#include "Lib/Platform/ChildProcess.h"

#include "Lib/Platform/TerminationSignals.h"

#include <windows.h>

#include <algorithm>
#include <atomic>
#include <cstdio>

namespace Lib
{
namespace
{
// The status a killed child ends with: the shell's number for a process ended by SIGKILL, so that
// a log line reads the same on both systems.
constexpr UINT k_KilledStatus = 137;
constexpr DWORD k_PipeBufferBytes = 64 * 1024;
// How often a wait looks for a termination request: console control handlers run on a thread of
// their own and only leave a note.
constexpr DWORD k_SignalCheckMilliseconds = 50;

std::wstring Wide(const std::string& p_Text)
{
    if (p_Text.empty())
        return {};
    const int size =
        MultiByteToWideChar(CP_UTF8, 0, p_Text.data(), static_cast<int>(p_Text.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(std::max(size, 0)), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, p_Text.data(), static_cast<int>(p_Text.size()), wide.data(), size);
    return wide;
}

std::string ErrorText(DWORD p_Code)
{
    char* text = nullptr;
    const DWORD length = FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                            FORMAT_MESSAGE_IGNORE_INSERTS,
                                        nullptr, p_Code, 0, reinterpret_cast<char*>(&text), 0, nullptr);
    std::string result = length > 0 && text != nullptr ? std::string(text, length) : std::string();
    LocalFree(text);
    while (!result.empty() && (result.back() == '\n' || result.back() == '\r' || result.back() == '.'))
        result.pop_back();
    return result + " (error " + std::to_string(p_Code) + ")";
}

std::string Describe(DWORD p_Status)
{
    if (p_Status < 0xC0000000u)
        return "exited with status " + std::to_string(p_Status);
    char hex[16] = {};
    std::snprintf(hex, sizeof hex, "0x%08lX", static_cast<unsigned long>(p_Status));
    const char* name = nullptr;
    switch (p_Status)
    {
    case 0xC0000005u:
        name = "access violation";
        break;
    case 0xC0000017u:
        name = "out of memory";
        break;
    case 0xC00000FDu:
        name = "stack overflow";
        break;
    case 0xC000013Au:
        name = "interrupted";
        break;
    case 0xC0000409u:
        name = "fail fast";
        break;
    default:
        break;
    }
    return std::string("ended with status ") + hex + (name != nullptr ? std::string(" (") + name + ")" : "");
}

// Rules for one argument as the C runtime splits a command line: quotes around it when it holds
// a blank or a quote, and backslashes doubled only where a quote follows them.
std::wstring Quoted(const std::wstring& p_Argument)
{
    if (!p_Argument.empty() && p_Argument.find_first_of(L" \t\n\v\"") == std::wstring::npos)
        return p_Argument;
    std::wstring quoted = L"\"";
    size_t backslashes = 0;
    for (const wchar_t character : p_Argument)
    {
        if (character == L'\\')
        {
            ++backslashes;
            continue;
        }
        quoted.append(character == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
        backslashes = 0;
        quoted.push_back(character);
    }
    quoted.append(backslashes * 2, L'\\');
    quoted.push_back(L'"');
    return quoted;
}

// Anonymous pipes cannot be waited on with a time limit, so both pipes are named pipes with an
// overlapped server end (ours) and a plain client end (the child's). The name only has to be
// unique; the first-instance flag makes a taken name fail rather than join someone else's pipe.
bool MakePipe(bool p_ToChild, HANDLE& p_Ours, HANDLE& p_Theirs)
{
    static std::atomic<unsigned> s_Count{0};
    wchar_t name[96] = {};
    std::swprintf(name, sizeof name / sizeof name[0], L"\\\\.\\pipe\\vorl-child-%lu-%u-%llu",
                  GetCurrentProcessId(), s_Count.fetch_add(1),
                  static_cast<unsigned long long>(GetTickCount64()));
    const DWORD direction = p_ToChild ? PIPE_ACCESS_OUTBOUND : PIPE_ACCESS_INBOUND;
    p_Ours = CreateNamedPipeW(name, direction | FILE_FLAG_OVERLAPPED | FILE_FLAG_FIRST_PIPE_INSTANCE,
                              PIPE_TYPE_BYTE | PIPE_READMODE_BYTE | PIPE_WAIT | PIPE_REJECT_REMOTE_CLIENTS, 1,
                              k_PipeBufferBytes, k_PipeBufferBytes, 0, nullptr);
    if (p_Ours == INVALID_HANDLE_VALUE)
    {
        p_Ours = nullptr;
        return false;
    }
    SECURITY_ATTRIBUTES inheritable{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    p_Theirs = CreateFileW(name, p_ToChild ? GENERIC_READ : GENERIC_WRITE, 0, &inheritable, OPEN_EXISTING, 0,
                           nullptr);
    if (p_Theirs == INVALID_HANDLE_VALUE)
    {
        p_Theirs = nullptr;
        return false;
    }
    return true;
}

void Close(HANDLE& p_Handle)
{
    if (p_Handle != nullptr)
        CloseHandle(p_Handle);
    p_Handle = nullptr;
}

// The job's limits; the processor time counts from p_UserTimeSoFar (100 ns units), the child's
// user time when the limit was set.
bool SetJobLimits(HANDLE p_Job, const ChildLimits& p_Limits, uint64_t p_UserTimeSoFar)
{
    JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
    JOBOBJECT_BASIC_LIMIT_INFORMATION& basic = limits.BasicLimitInformation;
    // No grandchildren, no crash dialog waiting for a click, and nothing left running once we
    // close the job's handle, which the system also does when this process dies in any way.
    basic.LimitFlags = JOB_OBJECT_LIMIT_ACTIVE_PROCESS | JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE |
                       JOB_OBJECT_LIMIT_DIE_ON_UNHANDLED_EXCEPTION;
    basic.ActiveProcessLimit = 1;
    if (p_Limits.memoryBytes > 0)
    {
        basic.LimitFlags |= JOB_OBJECT_LIMIT_PROCESS_MEMORY;
        limits.ProcessMemoryLimit = static_cast<SIZE_T>(p_Limits.memoryBytes);
    }
    if (p_Limits.processorSecondsPerRequest > 0)
    {
        basic.LimitFlags |= JOB_OBJECT_LIMIT_PROCESS_TIME;
        basic.PerProcessUserTimeLimit.QuadPart = static_cast<LONGLONG>(
            p_UserTimeSoFar + uint64_t{p_Limits.processorSecondsPerRequest} * 10'000'000u);
    }
    return SetInformationJobObject(p_Job, JobObjectExtendedLimitInformation, &limits, sizeof limits) != FALSE;
}

bool SetUiRestrictions(HANDLE p_Job)
{
    JOBOBJECT_BASIC_UI_RESTRICTIONS restrictions{};
    restrictions.UIRestrictionsClass =
        JOB_OBJECT_UILIMIT_DESKTOP | JOB_OBJECT_UILIMIT_DISPLAYSETTINGS | JOB_OBJECT_UILIMIT_EXITWINDOWS |
        JOB_OBJECT_UILIMIT_GLOBALATOMS | JOB_OBJECT_UILIMIT_HANDLES | JOB_OBJECT_UILIMIT_READCLIPBOARD |
        JOB_OBJECT_UILIMIT_SYSTEMPARAMETERS | JOB_OBJECT_UILIMIT_WRITECLIPBOARD;
    return SetInformationJobObject(p_Job, JobObjectBasicUIRestrictions, &restrictions, sizeof restrictions) !=
           FALSE;
}

uint64_t UserTime(HANDLE p_Process)
{
    FILETIME creation{}, exit{}, kernel{}, user{};
    if (!GetProcessTimes(p_Process, &creation, &exit, &kernel, &user))
        return 0;
    return (uint64_t{user.dwHighDateTime} << 32) | user.dwLowDateTime;
}

// Waits until the event is set or the deadline passes; a termination request cuts it short.
PipeResult WaitFor(HANDLE p_Event, Deadline p_Deadline)
{
    for (;;)
    {
        const auto left = p_Deadline - std::chrono::steady_clock::now();
        if (left <= std::chrono::steady_clock::duration::zero())
            return WaitForSingleObject(p_Event, 0) == WAIT_OBJECT_0 ? PipeResult::Done : PipeResult::TimedOut;
        const auto milliseconds = std::chrono::ceil<std::chrono::milliseconds>(left).count();
        const DWORD slice = static_cast<DWORD>(std::min<long long>(milliseconds, k_SignalCheckMilliseconds));
        const DWORD waited = WaitForSingleObject(p_Event, slice);
        if (waited == WAIT_OBJECT_0)
            return PipeResult::Done;
        if (waited != WAIT_TIMEOUT)
            return PipeResult::Closed;
        if (TerminationSignal() != 0)
            return PipeResult::Interrupted;
    }
}

enum class Direction
{
    Read,
    Write
};

// Moves all p_Size bytes through the pipe, at most until the deadline. An operation that is
// still pending then is cancelled and waited for, since it owns the buffer and its OVERLAPPED
// until the system says it is done; what it moved by then counts.
PipeResult Transfer(HANDLE p_Pipe, Direction p_Direction, char* p_Buffer, size_t p_Size, Deadline p_Deadline)
{
    if (p_Pipe == nullptr)
        return PipeResult::Closed;
    OVERLAPPED operation{};
    operation.hEvent = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    if (operation.hEvent == nullptr)
        return PipeResult::Closed;
    PipeResult result = PipeResult::Done;
    size_t done = 0;
    while (done < p_Size && result == PipeResult::Done)
    {
        ResetEvent(operation.hEvent);
        const DWORD piece = static_cast<DWORD>(std::min<size_t>(p_Size - done, 1u << 20));
        const BOOL started = p_Direction == Direction::Read
                                 ? ReadFile(p_Pipe, p_Buffer + done, piece, nullptr, &operation)
                                 : WriteFile(p_Pipe, p_Buffer + done, piece, nullptr, &operation);
        if (!started && GetLastError() != ERROR_IO_PENDING)
        {
            result = PipeResult::Closed; // the other end is gone (broken pipe, pipe being closed)
            break;
        }
        result = WaitFor(operation.hEvent, p_Deadline);
        if (result != PipeResult::Done)
            CancelIoEx(p_Pipe, &operation);
        DWORD moved = 0;
        if (GetOverlappedResult(p_Pipe, &operation, &moved, TRUE))
            done += moved;
        else if (result == PipeResult::Done)
            result = PipeResult::Closed;
    }
    CloseHandle(operation.hEvent);
    return done == p_Size ? PipeResult::Done : result;
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
    HANDLE toChild = nullptr;
    HANDLE childInput = nullptr;
    HANDLE fromChild = nullptr;
    HANDLE childOutput = nullptr;
    SECURITY_ATTRIBUTES inheritable{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    HANDLE childError = CreateFileW(L"NUL", GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &inheritable,
                                    OPEN_EXISTING, 0, nullptr);
    if (childError == INVALID_HANDLE_VALUE)
        childError = nullptr;
    HANDLE job = CreateJobObjectW(nullptr, nullptr);
    auto fail = [&](const std::string& p_Reason)
    {
        p_Error = p_Reason + ": " + ErrorText(GetLastError());
        for (HANDLE* handle : {&toChild, &childInput, &fromChild, &childOutput, &childError, &job})
            Close(*handle);
        return false;
    };
    if (!MakePipe(true, toChild, childInput) || !MakePipe(false, fromChild, childOutput) ||
        childError == nullptr)
        return fail("cannot make a pipe");
    if (job == nullptr || !SetJobLimits(job, m_Limits, 0) || !SetUiRestrictions(job))
        return fail("cannot make a job object");

    // Only the three handles of the child's standard streams are inherited, whatever else of ours
    // happens to be inheritable.
    HANDLE inherited[] = {childInput, childOutput, childError};
    SIZE_T attributeBytes = 0;
    InitializeProcThreadAttributeList(nullptr, 1, 0, &attributeBytes);
    std::vector<char> attributeStorage(attributeBytes);
    auto* attributes = reinterpret_cast<LPPROC_THREAD_ATTRIBUTE_LIST>(attributeStorage.data());
    if (!InitializeProcThreadAttributeList(attributes, 1, 0, &attributeBytes))
        return fail("cannot start \"" + p_Program + "\"");
    const bool listed = UpdateProcThreadAttribute(attributes, 0, PROC_THREAD_ATTRIBUTE_HANDLE_LIST, inherited,
                                                  sizeof inherited, nullptr, nullptr) != FALSE;

    STARTUPINFOEXW startup{};
    startup.StartupInfo.cb = sizeof startup;
    startup.StartupInfo.dwFlags = STARTF_USESTDHANDLES;
    startup.StartupInfo.hStdInput = childInput;
    startup.StartupInfo.hStdOutput = childOutput;
    startup.StartupInfo.hStdError = childError;
    startup.lpAttributeList = attributes;

    const std::wstring program = Wide(p_Program);
    std::wstring commandLine = Quoted(program);
    for (const std::string& argument : p_Arguments)
        commandLine += L" " + Quoted(Wide(argument));
    // Nothing of ours; SystemRoot alone, since some system libraries do not load without it.
    std::wstring environment;
    wchar_t systemRoot[MAX_PATH] = {};
    const DWORD rootLength = GetEnvironmentVariableW(L"SystemRoot", systemRoot, MAX_PATH);
    if (rootLength > 0 && rootLength < MAX_PATH)
        environment = std::wstring(L"SystemRoot=") + systemRoot;
    environment.push_back(L'\0');
    environment.push_back(L'\0');

    // Suspended until it is in the job, so that not one instruction of it runs outside.
    PROCESS_INFORMATION process{};
    const DWORD flags = CREATE_SUSPENDED | CREATE_NO_WINDOW | CREATE_NEW_PROCESS_GROUP |
                        CREATE_UNICODE_ENVIRONMENT | EXTENDED_STARTUPINFO_PRESENT;
    const bool started =
        listed && CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, TRUE, flags,
                                 environment.data(), nullptr, &startup.StartupInfo, &process);
    const DWORD startError = GetLastError();
    DeleteProcThreadAttributeList(attributes);
    if (!started)
    {
        SetLastError(startError);
        return fail("cannot start \"" + p_Program + "\"");
    }
    if (!AssignProcessToJobObject(job, process.hProcess))
    {
        const DWORD assignError = GetLastError();
        TerminateProcess(process.hProcess, k_KilledStatus);
        WaitForSingleObject(process.hProcess, INFINITE);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
        SetLastError(assignError);
        return fail("cannot put \"" + p_Program + "\" into its job");
    }
    ResumeThread(process.hThread);
    CloseHandle(process.hThread);
    Close(childInput);
    Close(childOutput);
    Close(childError);
    m_Process = process.hProcess;
    m_ProcessId = static_cast<int>(process.dwProcessId);
    m_Job = job;
    m_ToChild = toChild;
    m_FromChild = fromChild;
    return true;
}

PipeResult ChildProcess::Write(std::string_view p_Bytes, Deadline p_Deadline)
{
    if (m_ToChild == nullptr)
        return PipeResult::Closed;
    if (m_Limits.processorSecondsPerRequest > 0)
        SetJobLimits(m_Job, m_Limits, UserTime(m_Process));
    // WriteFile takes a non-const buffer pointer only by its declaration; it does not write to it.
    return Transfer(m_ToChild, Direction::Write, const_cast<char*>(p_Bytes.data()), p_Bytes.size(),
                    p_Deadline);
}

PipeResult ChildProcess::ReadExactly(char* p_Buffer, size_t p_Size, Deadline p_Deadline)
{
    return Transfer(m_FromChild, Direction::Read, p_Buffer, p_Size, p_Deadline);
}

void ChildProcess::ClosePipes()
{
    Close(m_ToChild);
    Close(m_FromChild);
}

void ChildProcess::Kill()
{
    ClosePipes();
    if (m_Process == nullptr)
        return;
    // Terminating cannot be caught or delayed by the child; the wait returns once the system has
    // taken the process down.
    const bool endedBefore = WaitForSingleObject(m_Process, 0) == WAIT_OBJECT_0;
    if (!endedBefore && !TerminateJobObject(m_Job, k_KilledStatus))
        TerminateProcess(m_Process, k_KilledStatus);
    WaitForSingleObject(m_Process, INFINITE);
    DWORD status = 0;
    if (!GetExitCodeProcess(m_Process, &status))
        m_End = "ended";
    else
        m_End = !endedBefore && status == k_KilledStatus ? "killed" : Describe(status);
    Close(m_Process);
    Close(m_Job);
    m_ProcessId = 0;
}
} // namespace Lib
