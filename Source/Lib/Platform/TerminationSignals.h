#pragma once
// The signals that ask the process to end (SIGTERM from a session or a kill, SIGINT from Ctrl+C,
// SIGHUP when the terminal that started it closes). Caught, they only leave a note that the main
// loop reads, so the program can shut down in order and save what the player set; a second one
// during that shutdown changes nothing.
namespace Lib
{
// Installs the handlers for SIGTERM, SIGINT and SIGHUP (on Windows the console's handler), and ignores
// SIGPIPE (a reader of the standard output that went away with the terminal must not end the process either).
// They stay for the rest of the process. Installed before SDL starts its video, SDL leaves them alone. A
// second call does nothing.
void CatchTerminationSignals();

// The number of the first termination signal that arrived, 0 while none has. On Windows the
// console's events count as signals: Ctrl+C as SIGINT, Ctrl+Break as SIGBREAK, and closing the
// console, logging off and shutting down as SIGTERM.
int TerminationSignal();

// The signal's short name without "SIG" ("TERM", "INT" ...); null for a number that is none.
const char* TerminationSignalName(int p_Signal);
} // namespace Lib
