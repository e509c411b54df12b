#include "Lib/Platform/TerminationSignals.h"

#include <atomic>
#include <csignal>
#include <cstring>

namespace Lib
{
namespace
{
// Written from a signal handler: only a lock-free atomic may be touched there.
std::atomic<int> s_Signal{0};
static_assert(std::atomic<int>::is_always_lock_free);

std::atomic<bool> s_Installed{false};

extern "C" void NoteTerminationSignal(int p_Signal)
{
    int none = 0;
    s_Signal.compare_exchange_strong(none, p_Signal);
}
} // namespace

void CatchTerminationSignals()
{
    if (s_Installed.exchange(true))
        return;
    struct sigaction action = {};
    action.sa_handler = &NoteTerminationSignal;
    sigemptyset(&action.sa_mask);
    // Interrupted system calls resume: the note is read by the main loop, not by whoever waits.
    action.sa_flags = SA_RESTART;
    for (int signal : {SIGTERM, SIGINT, SIGHUP})
        sigaction(signal, &action, nullptr);

    struct sigaction ignore = {};
    ignore.sa_handler = SIG_IGN;
    sigemptyset(&ignore.sa_mask);
    sigaction(SIGPIPE, &ignore, nullptr);
}

int TerminationSignal()
{
    return s_Signal.load();
}

const char* TerminationSignalName(int p_Signal)
{
    return sigabbrev_np(p_Signal);
}
} // namespace Lib
