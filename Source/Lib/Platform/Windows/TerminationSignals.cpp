#include "Lib/Platform/TerminationSignals.h"

#include "Lib/Platform/Windows/Win32.h"

#include <atomic>
#include <csignal>

namespace Lib
{
namespace
{
std::atomic<int> s_Signal{0};
std::atomic<bool> s_Installed{false};

// After a console close, a log-off or a shutdown the system ends the process as soon as the
// handler returns, and on its own some five seconds later. The handler therefore does not return
// while the main loop shuts down in order: when main is done, the process exits and takes this
// thread with it. The wait stays below the system's limit, so a loop that never looks at the note
// still ends the way it would without a handler.
constexpr DWORD k_ShutdownGraceMilliseconds = 4500;

// Called by the system on a thread of its own.
BOOL WINAPI NoteConsoleEvent(DWORD p_Event)
{
    int signal = 0;
    switch (p_Event)
    {
    case CTRL_C_EVENT:
        signal = SIGINT;
        break;
    case CTRL_BREAK_EVENT:
        signal = SIGBREAK;
        break;
    case CTRL_CLOSE_EVENT:
    case CTRL_LOGOFF_EVENT:
    case CTRL_SHUTDOWN_EVENT:
        signal = SIGTERM;
        break;
    default:
        return FALSE;
    }
    int none = 0;
    s_Signal.compare_exchange_strong(none, signal);
    if (signal == SIGTERM)
        Sleep(k_ShutdownGraceMilliseconds);
    return TRUE;
}
} // namespace

void CatchTerminationSignals()
{
    if (s_Installed.exchange(true))
        return;
    SetConsoleCtrlHandler(&NoteConsoleEvent, TRUE);
}

int TerminationSignal()
{
    return s_Signal.load();
}

const char* TerminationSignalName(int p_Signal)
{
    switch (p_Signal)
    {
    case SIGINT:
        return "INT";
    case SIGBREAK:
        return "BREAK";
    case SIGTERM:
        return "TERM";
    default:
        return nullptr;
    }
}
} // namespace Lib
