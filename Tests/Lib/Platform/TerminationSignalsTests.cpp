// The termination signals caught for an orderly end, tried in a child process of its own so that
// the test program keeps the default actions.
#include "Lib/Platform/TerminationSignals.h"

#include <gtest/gtest.h>

#ifdef _WIN32
#include <windows.h>

#include <chrono>
#include <thread>

// Console events reach the process on a thread of the system's: the note is awaited, not read at
// once. The note stays for the rest of the program, so one test covers the order of two events.
TEST(TerminationSignals, ConsoleEventsAreNotedAndTheFirstOneIsKept)
{
    if (GetConsoleWindow() == nullptr && !AllocConsole())
        GTEST_SKIP() << "no console to send events on";
    Lib::CatchTerminationSignals();
    ASSERT_EQ(Lib::TerminationSignal(), 0);
    if (!GenerateConsoleCtrlEvent(CTRL_BREAK_EVENT, 0))
        GTEST_SKIP() << "the console cannot send events here (Wine does not), error " << GetLastError();
    for (int i = 0; i < 200 && Lib::TerminationSignal() == 0; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    EXPECT_EQ(Lib::TerminationSignal(), SIGBREAK);
    EXPECT_STREQ(Lib::TerminationSignalName(Lib::TerminationSignal()), "BREAK");

    ASSERT_TRUE(GenerateConsoleCtrlEvent(CTRL_C_EVENT, 0));
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    EXPECT_EQ(Lib::TerminationSignal(), SIGBREAK) << "the process still runs, and the first note stays";
    EXPECT_STREQ(Lib::TerminationSignalName(SIGINT), "INT");
    EXPECT_STREQ(Lib::TerminationSignalName(SIGTERM), "TERM");
}
#else
#include <cerrno>
#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

namespace
{
// Runs p_Body in a child process and returns its wait status.
template <typename Body> int InChild(Body p_Body)
{
    const pid_t child = fork();
    if (child == 0)
        _exit(p_Body());
    int status = 0;
    waitpid(child, &status, 0);
    return status;
}
} // namespace

TEST(TerminationSignals, EachSignalIsNotedInsteadOfEndingTheProcess)
{
    for (const int signal : {SIGTERM, SIGINT, SIGHUP})
    {
        const int status = InChild(
            [signal]
            {
                Lib::CatchTerminationSignals();
                if (Lib::TerminationSignal() != 0)
                    return 100;
                raise(signal);
                return Lib::TerminationSignal();
            });
        ASSERT_TRUE(WIFEXITED(status)) << sigabbrev_np(signal) << " ended the process";
        EXPECT_EQ(WEXITSTATUS(status), signal);
    }
}

TEST(TerminationSignals, TheFirstSignalIsKeptAndLaterOnesChangeNothing)
{
    const int status = InChild(
        []
        {
            Lib::CatchTerminationSignals();
            Lib::CatchTerminationSignals(); // a second call is harmless
            raise(SIGHUP);
            raise(SIGTERM);
            raise(SIGTERM);
            raise(SIGINT);
            return Lib::TerminationSignal();
        });
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), SIGHUP);
}

TEST(TerminationSignals, AVanishedReaderOfTheOutputDoesNotEndTheProcess)
{
    const int status = InChild(
        []
        {
            Lib::CatchTerminationSignals();
            int pipeEnds[2];
            if (pipe(pipeEnds) != 0)
                return 100;
            close(pipeEnds[0]);
            // Without a reader the write fails with EPIPE instead of raising SIGPIPE.
            const bool failed = write(pipeEnds[1], "x", 1) < 0;
            return failed && errno == EPIPE ? 0 : 101;
        });
    ASSERT_TRUE(WIFEXITED(status)) << "SIGPIPE ended the process";
    EXPECT_EQ(WEXITSTATUS(status), 0);
}
#endif
