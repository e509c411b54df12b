#include "Lib/Platform/ChildProcess.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <string>
#include <unistd.h>

namespace
{
using namespace std::chrono_literals;
using Lib::ChildProcess;
using Lib::PipeResult;

// Everything the child writes until it closes its output, or what came before the deadline.
std::string ReadUntilClosed(ChildProcess& p_Child, Lib::Deadline p_Deadline)
{
    std::string text;
    char c = 0;
    while (p_Child.ReadExactly(&c, 1, p_Deadline) == PipeResult::Done)
        text += c;
    return text;
}

TEST(ChildProcessTest, WhatIsWrittenComesBackThroughTheChild)
{
    ChildProcess child;
    std::string error;
    ASSERT_TRUE(child.Start("/bin/cat", {}, error)) << error;
    // More than a pipe holds, so that writing and reading must take turns through the waits.
    std::string sent(200'000, 'x');
    for (size_t i = 0; i < sent.size(); i += 97)
        sent[i] = static_cast<char>('a' + i % 26);
    std::string received(sent.size(), '\0');
    size_t done = 0;
    const Lib::Deadline deadline = Lib::DeadlineIn(10s);
    while (done < sent.size())
    {
        const size_t piece = std::min<size_t>(4096, sent.size() - done);
        ASSERT_EQ(child.Write(std::string_view(sent).substr(done, piece), deadline), PipeResult::Done);
        ASSERT_EQ(child.ReadExactly(received.data() + done, piece, deadline), PipeResult::Done);
        done += piece;
    }
    EXPECT_EQ(received, sent);
}

TEST(ChildProcessTest, AChildThatDoesNotAnswerTimesOutAndIsKilled)
{
    ChildProcess child;
    std::string error;
    ASSERT_TRUE(child.Start("/bin/sleep", {"30"}, error)) << error;
    const int processId = child.ProcessId();
    char c = 0;
    const auto before = std::chrono::steady_clock::now();
    EXPECT_EQ(child.ReadExactly(&c, 1, Lib::DeadlineIn(100ms)), PipeResult::TimedOut);
    const auto waited = std::chrono::steady_clock::now() - before;
    EXPECT_GE(waited, 100ms);
    EXPECT_LT(waited, 2s);
    child.Kill();
    EXPECT_FALSE(child.IsRunning());
    EXPECT_EQ(child.EndDescription().rfind("killed by signal 9", 0), 0u) << child.EndDescription();
    // Reaped, not a zombie: the process id is free.
    EXPECT_EQ(kill(processId, 0), -1);
    EXPECT_EQ(errno, ESRCH);
}

TEST(ChildProcessTest, AChildThatEndsIsSeenAsClosedAndTellsHowItEnded)
{
    ChildProcess child;
    std::string error;
    ASSERT_TRUE(child.Start("/bin/sh", {"-c", "exit 7"}, error)) << error;
    char c = 0;
    EXPECT_EQ(child.ReadExactly(&c, 1, Lib::DeadlineIn(5s)), PipeResult::Closed);
    child.Kill();
    EXPECT_EQ(child.EndDescription(), "exited with status 7");
}

TEST(ChildProcessTest, WritingToAChildThatStoppedReadingFailsWithoutSigpipe)
{
    // This test program does not ignore SIGPIPE: a write that raised it would end the program.
    ChildProcess child;
    std::string error;
    ASSERT_TRUE(child.Start("/bin/sh", {"-c", "exec 0<&-; echo closed; sleep 30"}, error)) << error;
    char said[7] = {};
    ASSERT_EQ(child.ReadExactly(said, sizeof said, Lib::DeadlineIn(5s)), PipeResult::Done);
    EXPECT_EQ(child.Write("more", Lib::DeadlineIn(5s)), PipeResult::Closed);
    sigset_t pending;
    sigpending(&pending);
    EXPECT_EQ(sigismember(&pending, SIGPIPE), 0);
    child.Kill();
    EXPECT_EQ(child.EndDescription().rfind("killed by signal 9", 0), 0u) << child.EndDescription();
}

TEST(ChildProcessTest, TheChildInheritsNoDescriptorNoEnvironmentAndHasAGroupOfItsOwn)
{
    // A descriptor of ours without close-on-exec, which a plain fork and exec would hand on.
    const int stray = open("/dev/null", O_RDONLY);
    ASSERT_GE(stray, 0);
    setenv("VORL_CHILD_TEST_SECRET", "1", 1);
    ChildProcess child;
    std::string error;
    ASSERT_TRUE(child.Start("/bin/sh",
                            {"-c", "ls -x /proc/$$/fd; env | grep -c VORL_; "
                                   "ps -o pgid= -p $$ 2>/dev/null || cut -d' ' -f5 /proc/$$/stat; "
                                   "trap '' PIPE; kill -0 $$ && echo alive"},
                            error))
        << error;
    const int processId = child.ProcessId();
    const std::string output = ReadUntilClosed(child, Lib::DeadlineIn(10s));
    close(stray);
    unsetenv("VORL_CHILD_TEST_SECRET");
    // The shell's own descriptors, listed while it waits for ls (a pipeline would add its pipes).
    EXPECT_EQ(output.substr(0, output.find('\n')), "0  1  2") << output;
    EXPECT_NE(output.find("\n0\n"), std::string::npos) << output;                   // no variable of ours
    EXPECT_NE(output.find(std::to_string(processId)), std::string::npos) << output; // its own group
    child.Kill();
}

TEST(ChildProcessTest, AProgramThatCannotBeStartedSaysWhy)
{
    ChildProcess child;
    std::string error;
    EXPECT_FALSE(child.Start("/nonexistent/helper", {}, error));
    EXPECT_NE(error.find("/nonexistent/helper"), std::string::npos) << error;
    EXPECT_FALSE(child.IsRunning());
}
} // namespace
