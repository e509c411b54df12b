#include "Lib/Platform/ProcessConfinement.h"

#include <windows.h>

#include <atomic>

// Windows has no system call filter that a process can put on itself, and a process cannot lower
// its own memory or processor limits through the job it is in. So the limits are the parent's
// part here (ChildProcess puts the host into a job object: memory, processor time, one process,
// ended with the parent), and the host's part is to check that it is in such a job, to give up
// what its token would let it write, and to switch off what a script interpreter never needs.
namespace Lib
{
namespace
{
// The status the host ends with when a request used up its processor time: 128 + SIGXCPU, the
// number a shell shows for the same end on Linux.
constexpr UINT k_ProcessorTimeStatus = 152;
constexpr DWORD k_WatchMilliseconds = 100;

std::string Failed(const char* p_Step)
{
    return std::string(p_Step) + ": error " + std::to_string(GetLastError());
}

// Low integrity: the system refuses this process write access to every file, registry key and
// process of the user's normal (medium) integrity, whatever their access lists grant. The pipes
// it already holds stay usable.
bool LowerIntegrity()
{
    HANDLE token = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_DEFAULT | TOKEN_QUERY, &token))
        return false;
    SID_IDENTIFIER_AUTHORITY authority = SECURITY_MANDATORY_LABEL_AUTHORITY;
    PSID low = nullptr;
    bool lowered = false;
    if (AllocateAndInitializeSid(&authority, 1, SECURITY_MANDATORY_LOW_RID, 0, 0, 0, 0, 0, 0, 0, &low))
    {
        TOKEN_MANDATORY_LABEL label{};
        label.Label.Attributes = SE_GROUP_INTEGRITY;
        label.Label.Sid = low;
        lowered = SetTokenInformation(token, TokenIntegrityLevel, &label, sizeof label + GetLengthSid(low)) !=
                  FALSE;
        FreeSid(low);
    }
    CloseHandle(token);
    return lowered;
}

// Mitigations that leave the interpreter working and take away ways out of it: no code made at
// run time, no window-manager system calls, no child process, no DLLs from the network or of low
// integrity, no hooks injected through the system's extension points. Each is set where the
// system knows it; older systems lack some of them, and the job and the token hold the process
// all the same.
void SwitchOffUnneededServices()
{
    using SetPolicy = BOOL(WINAPI*)(PROCESS_MITIGATION_POLICY, PVOID, SIZE_T);
    const auto set = reinterpret_cast<SetPolicy>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "SetProcessMitigationPolicy")));
    if (set == nullptr)
        return;
    PROCESS_MITIGATION_DYNAMIC_CODE_POLICY dynamicCode{};
    dynamicCode.ProhibitDynamicCode = 1;
    set(ProcessDynamicCodePolicy, &dynamicCode, sizeof dynamicCode);
    PROCESS_MITIGATION_SYSTEM_CALL_DISABLE_POLICY systemCalls{};
    systemCalls.DisallowWin32kSystemCalls = 1;
    set(ProcessSystemCallDisablePolicy, &systemCalls, sizeof systemCalls);
    PROCESS_MITIGATION_CHILD_PROCESS_POLICY children{};
    children.NoChildProcessCreation = 1;
    set(ProcessChildProcessPolicy, &children, sizeof children);
    PROCESS_MITIGATION_IMAGE_LOAD_POLICY images{};
    images.NoRemoteImages = 1;
    images.NoLowMandatoryLabelImages = 1;
    set(ProcessImageLoadPolicy, &images, sizeof images);
    PROCESS_MITIGATION_EXTENSION_POINT_DISABLE_POLICY extensionPoints{};
    extensionPoints.DisableExtensionPoints = 1;
    set(ProcessExtensionPointDisablePolicy, &extensionPoints, sizeof extensionPoints);
}

// User and kernel time of this process, in 100 ns units.
uint64_t ProcessorTimeUsed()
{
    FILETIME creation{}, exit{}, kernel{}, user{};
    if (!GetProcessTimes(GetCurrentProcess(), &creation, &exit, &kernel, &user))
        return 0;
    return ((uint64_t{kernel.dwHighDateTime} << 32) | kernel.dwLowDateTime) +
           ((uint64_t{user.dwHighDateTime} << 32) | user.dwLowDateTime);
}

std::atomic<uint64_t> g_ProcessorTimeAllowed{UINT64_MAX};

// The counterpart of the kernel's processor time limit on Linux, kept by a thread of this process
// that the script cannot reach; the job's own limit stays as the parent set it.
DWORD WINAPI WatchProcessorTime(void*)
{
    for (;;)
    {
        Sleep(k_WatchMilliseconds);
        if (ProcessorTimeUsed() > g_ProcessorTimeAllowed.load())
            TerminateProcess(GetCurrentProcess(), k_ProcessorTimeStatus);
    }
}
} // namespace

bool ConfineThisProcess(const ConfinementLimits& p_Limits, std::string& p_Error)
{
    HANDLE parent = OpenProcess(SYNCHRONIZE, FALSE, static_cast<DWORD>(p_Limits.parentProcessId));
    const bool parentAlive = parent != nullptr && WaitForSingleObject(parent, 0) == WAIT_TIMEOUT;
    if (parent != nullptr)
        CloseHandle(parent);
    if (!parentAlive)
    {
        p_Error = "the parent process has ended";
        return false;
    }
    // The job is what ends this process with its parent and holds its memory; without one this
    // process was not started by the engine and runs nothing.
    BOOL inJob = FALSE;
    if (!IsProcessInJob(GetCurrentProcess(), nullptr, &inJob) || !inJob)
    {
        p_Error = "not in a job object";
        return false;
    }
    if (!LowerIntegrity())
    {
        p_Error = Failed("low integrity level");
        return false;
    }
    SwitchOffUnneededServices();
    return true;
}

bool AllowProcessorTime(uint32_t p_Seconds)
{
    // A second more than asked, as the whole seconds of the Linux limit round up.
    g_ProcessorTimeAllowed.store(ProcessorTimeUsed() + (uint64_t{p_Seconds} + 1) * 10'000'000u);
    static const HANDLE s_Watcher = CreateThread(nullptr, 0, WatchProcessorTime, nullptr, 0, nullptr);
    return s_Watcher != nullptr;
}
} // namespace Lib
