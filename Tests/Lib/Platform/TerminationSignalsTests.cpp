// The termination signals caught for an orderly end, tried in a child process of its own so that
// the test program keeps the default actions.
#include "Lib/Platform/TerminationSignals.h"

#include <gtest/gtest.h>

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
