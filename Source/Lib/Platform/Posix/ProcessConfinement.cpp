#include "Lib/Platform/ProcessConfinement.h"

#include <cerrno>
#include <csignal>
#include <cstddef>
#include <cstring>
#include <linux/audit.h>
#include <linux/filter.h>
#include <linux/seccomp.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>
#include <vector>

namespace Lib
{
namespace
{
#if defined(__x86_64__)
constexpr uint32_t k_Architecture = AUDIT_ARCH_X86_64;
#elif defined(__aarch64__)
constexpr uint32_t k_Architecture = AUDIT_ARCH_AARCH64;
#else
#error "No system call filter for this architecture"
#endif

std::string Failed(const char* p_Step)
{
    char buffer[256] = {};
    return std::string(p_Step) + ": " + strerror_r(errno, buffer, sizeof buffer);
}

bool Limit(int p_Resource, rlim_t p_Value)
{
    const rlimit limit{p_Value, p_Value};
    return setrlimit(p_Resource, &limit) == 0;
}

// The calls a process needs that only computes on what its standard input brings: read and
// write (the pipes are all it has), memory from the allocator, clocks (the script library seeds
// its random numbers from the time), its processor time limit, and its end.
std::vector<sock_filter> FilterProgram()
{
    const uint32_t allowed[] = {
        SYS_read,         SYS_write,   SYS_brk,           SYS_mmap,         SYS_munmap,
        SYS_mremap,       SYS_madvise, SYS_clock_gettime, SYS_gettimeofday, SYS_getrusage,
        SYS_rt_sigreturn, SYS_exit,    SYS_exit_group,
#ifdef SYS_time
        SYS_time,
#endif
    };
    std::vector<sock_filter> program;
    auto statement = [&](uint16_t p_Code, uint32_t p_Value) { program.push_back(BPF_STMT(p_Code, p_Value)); };
    auto jump = [&](uint16_t p_Code, uint32_t p_Value, uint8_t p_IfTrue, uint8_t p_IfFalse)
    { program.push_back(BPF_JUMP(p_Code, p_Value, p_IfTrue, p_IfFalse)); };

    statement(BPF_LD | BPF_W | BPF_ABS, offsetof(seccomp_data, arch));
    jump(BPF_JMP | BPF_JEQ | BPF_K, k_Architecture, 1, 0);
    statement(BPF_RET | BPF_K, SECCOMP_RET_KILL_PROCESS);
    statement(BPF_LD | BPF_W | BPF_ABS, offsetof(seccomp_data, nr));
#if defined(__x86_64__)
    // The x32 calls share the numbers' low bits; none of them is ours.
    jump(BPF_JMP | BPF_JGE | BPF_K, 0x40000000u, 0, 1);
    statement(BPF_RET | BPF_K, SECCOMP_RET_KILL_PROCESS);
#endif
    for (const uint32_t call : allowed)
    {
        jump(BPF_JMP | BPF_JEQ | BPF_K, call, 0, 1);
        statement(BPF_RET | BPF_K, SECCOMP_RET_ALLOW);
    }
    // prlimit64 only on this process (pid 0) and only for the processor time limit.
    jump(BPF_JMP | BPF_JEQ | BPF_K, SYS_prlimit64, 0, 7);
    statement(BPF_LD | BPF_W | BPF_ABS, offsetof(seccomp_data, args[0]));
    jump(BPF_JMP | BPF_JEQ | BPF_K, 0, 0, 5);
    statement(BPF_LD | BPF_W | BPF_ABS, offsetof(seccomp_data, args[0]) + 4);
    jump(BPF_JMP | BPF_JEQ | BPF_K, 0, 0, 3);
    statement(BPF_LD | BPF_W | BPF_ABS, offsetof(seccomp_data, args[1]));
    jump(BPF_JMP | BPF_JEQ | BPF_K, RLIMIT_CPU, 0, 1);
    statement(BPF_RET | BPF_K, SECCOMP_RET_ALLOW);
    statement(BPF_RET | BPF_K, SECCOMP_RET_KILL_PROCESS);
    return program;
}
} // namespace

bool ConfineThisProcess(const ConfinementLimits& p_Limits, std::string& p_Error)
{
    // Dies with the parent, also when the parent is killed with SIGKILL; a parent that went away
    // before this line is seen through the changed parent id.
    if (prctl(PR_SET_PDEATHSIG, SIGKILL) != 0)
    {
        p_Error = Failed("parent death signal");
        return false;
    }
    if (getppid() != p_Limits.parentProcessId)
    {
        p_Error = "the parent process has ended";
        return false;
    }
    if (!Limit(RLIMIT_AS, p_Limits.addressSpaceBytes))
    {
        p_Error = Failed("address space limit");
        return false;
    }
    // No core dumps, no files written, no processes, no further descriptors beyond the three
    // standard streams.
    if (!Limit(RLIMIT_CORE, 0) || !Limit(RLIMIT_FSIZE, 0) || !Limit(RLIMIT_NPROC, 0) ||
        !Limit(RLIMIT_NOFILE, 3) || !Limit(RLIMIT_MEMLOCK, 0) || !Limit(RLIMIT_MSGQUEUE, 0))
    {
        p_Error = Failed("resource limits");
        return false;
    }
    if (prctl(PR_SET_NO_NEW_PRIVS, 1, 0, 0, 0) != 0)
    {
        p_Error = Failed("no new privileges");
        return false;
    }
    std::vector<sock_filter> filter = FilterProgram();
    const sock_fprog program{static_cast<unsigned short>(filter.size()), filter.data()};
    if (prctl(PR_SET_SECCOMP, SECCOMP_MODE_FILTER, &program) != 0)
    {
        p_Error = Failed("system call filter");
        return false;
    }
    return true;
}

bool AllowProcessorTime(uint32_t p_Seconds)
{
    rusage usage{};
    if (getrusage(RUSAGE_SELF, &usage) != 0)
        return false;
    const rlim_t used = static_cast<rlim_t>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec + 1);
    rlimit limit{};
    if (getrlimit(RLIMIT_CPU, &limit) != 0)
        return false;
    // Only the soft limit moves: raising a hard limit needs a privilege, and the soft one's
    // SIGXCPU ends a process that does not handle it.
    limit.rlim_cur = used + p_Seconds;
    if (limit.rlim_max != RLIM_INFINITY && limit.rlim_cur > limit.rlim_max)
        limit.rlim_cur = limit.rlim_max;
    return setrlimit(RLIMIT_CPU, &limit) == 0;
}
} // namespace Lib
