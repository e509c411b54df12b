#include "Lib/Platform/ChildProcess.h"

#include <gtest/gtest.h>

#include <atomic>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <string>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace
{
using namespace std::chrono_literals;
using Lib::ChildProcess;
using Lib::PipeResult;

struct Command
{
    std::string program;
    std::vector<std::string> arguments;
};

#ifdef _WIN32
// Windows has no cat, sleep or sh to lean on, so this test program plays the child's part itself
// when started with "--child-role=<role>"; the role runs before any test and ends the process.
void Send(const std::string& p_Text)
{
    DWORD written = 0;
    WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), p_Text.data(), static_cast<DWORD>(p_Text.size()), &written,
              nullptr);
}

std::string HexOf(uint64_t p_Value)
{
    char text[24] = {};
    std::snprintf(text, sizeof text, "%llx", static_cast<unsigned long long>(p_Value));
    return text;
}

// What the child can see of its own containment, one "name value" line each.
void ReportContainment()
{
    Send("variable " + std::to_string(GetEnvironmentVariableW(L"VORL_CHILD_TEST_SECRET", nullptr, 0) > 0) +
         "\n");
    Send("error-kind " + std::to_string(GetFileType(GetStdHandle(STD_ERROR_HANDLE))) + "\n");
    BOOL inJob = FALSE;
    IsProcessInJob(GetCurrentProcess(), nullptr, &inJob);
    Send("in-job " + std::to_string(inJob != FALSE) + "\n");
    JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
    if (QueryInformationJobObject(nullptr, JobObjectExtendedLimitInformation, &limits, sizeof limits,
                                  nullptr))
    {
        Send("flags " + HexOf(limits.BasicLimitInformation.LimitFlags) + "\n");
        Send("processes " + std::to_string(limits.BasicLimitInformation.ActiveProcessLimit) + "\n");
        Send("memory " + std::to_string(limits.ProcessMemoryLimit) + "\n");
    }
}

// Commits memory in 8 MiB pieces up to 1 GiB and says how far it got.
void Allocate()
{
    size_t committed = 0;
    while (committed < (size_t{1} << 30) &&
           VirtualAlloc(nullptr, size_t{8} << 20, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE) != nullptr)
        committed += size_t{8} << 20;
    Send("committed " + std::to_string(committed >> 20) + "\n");
}

int PlayChildRole()
{
    // The C runtime has split the command line before any constructor runs.
    if (__argc < 2 || std::string_view(__argv[1]).rfind("--child-role=", 0) != 0)
        return 0;
    const std::string_view role = std::string_view(__argv[1]).substr(13);
    HANDLE input = GetStdHandle(STD_INPUT_HANDLE);
    if (role == "echo")
    {
        char buffer[4096];
        DWORD count = 0;
        while (ReadFile(input, buffer, sizeof buffer, &count, nullptr) && count > 0)
            Send(std::string(buffer, count));
    }
    else if (role == "exit7")
        ExitProcess(7);
    else if (role == "close-input")
    {
        CloseHandle(input);
        Send("closed\n");
        Sleep(30'000);
    }
    else if (role == "arguments")
        for (int i = 2; i < __argc; ++i)
            Send(std::string("[") + __argv[i] + "]");
    else if (role == "report")
        ReportContainment();
    else if (role == "allocate")
        Allocate();
    else if (role == "spin")
    {
        std::atomic<uint64_t> turns{0};
        for (;;)
            turns.fetch_add(1, std::memory_order_relaxed);
    }
    else
        Sleep(30'000);
    ExitProcess(0);
}
const int g_ChildRole = PlayChildRole();

Command AsChild(const char* p_Role)
{
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    char narrow[MAX_PATH * 3] = {};
    WideCharToMultiByte(CP_UTF8, 0, path, -1, narrow, sizeof narrow, nullptr, nullptr);
    return {narrow, {std::string("--child-role=") + p_Role}};
}

// Wine runs the job object and the pipes, but neither enforces a job's memory and time limits nor
// answers a query for them, and it keeps the child's standard handles open behind the child's back.
bool UnderWine()
{
    return GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr;
}

Command Echo()
{
    return AsChild("echo");
}
Command Sleeper()
{
    return AsChild("sleep");
}
Command ExitSeven()
{
    return AsChild("exit7");
}
Command CloseInputThenSleep()
{
    return AsChild("close-input");
}
Command ArgumentPrinter()
{
    return AsChild("arguments");
}
constexpr const char* k_Killed = "killed";
#else
Command Echo()
{
    return {"/bin/cat", {}};
}
Command Sleeper()
{
    return {"/bin/sleep", {"30"}};
}
Command ExitSeven()
{
    return {"/bin/sh", {"-c", "exit 7"}};
}
Command CloseInputThenSleep()
{
    return {"/bin/sh", {"-c", "exec 0<&-; echo closed; sleep 30"}};
}
Command ArgumentPrinter()
{
    return {"/bin/sh", {"-c", "for a in \"$@\"; do printf '[%s]' \"$a\"; done", "sh"}};
}
constexpr const char* k_Killed = "killed by signal 9";
#endif

bool Start(ChildProcess& p_Child, const Command& p_Command, std::string& p_Error)
{
    return p_Child.Start(p_Command.program, p_Command.arguments, p_Error);
}

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
    ASSERT_TRUE(Start(child, Echo(), error)) << error;
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
    ASSERT_TRUE(Start(child, Sleeper(), error)) << error;
    const int processId = child.ProcessId();
    char c = 0;
    const auto before = std::chrono::steady_clock::now();
    EXPECT_EQ(child.ReadExactly(&c, 1, Lib::DeadlineIn(100ms)), PipeResult::TimedOut);
    const auto waited = std::chrono::steady_clock::now() - before;
    EXPECT_GE(waited, 100ms);
    EXPECT_LT(waited, 2s);
    child.Kill();
    EXPECT_FALSE(child.IsRunning());
    EXPECT_EQ(child.EndDescription().rfind(k_Killed, 0), 0u) << child.EndDescription();
#ifdef _WIN32
    // Gone, not just told to go: a handle opened now finds it ended.
    HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, static_cast<DWORD>(processId));
    if (process != nullptr)
    {
        EXPECT_EQ(WaitForSingleObject(process, 0), WAIT_OBJECT_0);
        CloseHandle(process);
    }
#else
    // Reaped, not a zombie: the process id is free.
    EXPECT_EQ(kill(processId, 0), -1);
    EXPECT_EQ(errno, ESRCH);
#endif
}

TEST(ChildProcessTest, AChildThatEndsIsSeenAsClosedAndTellsHowItEnded)
{
    ChildProcess child;
    std::string error;
    ASSERT_TRUE(Start(child, ExitSeven(), error)) << error;
    char c = 0;
    EXPECT_EQ(child.ReadExactly(&c, 1, Lib::DeadlineIn(5s)), PipeResult::Closed);
    child.Kill();
    EXPECT_EQ(child.EndDescription(), "exited with status 7");
}

TEST(ChildProcessTest, WritingToAChildThatStoppedReadingFailsWithoutSigpipe)
{
    // This test program does not ignore SIGPIPE: a write that raised it would end the program.
#ifdef _WIN32
    if (UnderWine())
        GTEST_SKIP() << "Wine keeps a closed standard input open";
#endif
    ChildProcess child;
    std::string error;
    ASSERT_TRUE(Start(child, CloseInputThenSleep(), error)) << error;
    char said[7] = {};
    ASSERT_EQ(child.ReadExactly(said, sizeof said, Lib::DeadlineIn(5s)), PipeResult::Done);
    EXPECT_EQ(child.Write("more", Lib::DeadlineIn(5s)), PipeResult::Closed);
#ifndef _WIN32
    sigset_t pending;
    sigpending(&pending);
    EXPECT_EQ(sigismember(&pending, SIGPIPE), 0);
#endif
    child.Kill();
    EXPECT_EQ(child.EndDescription().rfind(k_Killed, 0), 0u) << child.EndDescription();
}

#ifndef _WIN32
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
#else
TEST(ChildProcessTest, TheChildGetsNoEnvironmentOfOursAndRunsInAJobThatHoldsIt)
{
    SetEnvironmentVariableW(L"VORL_CHILD_TEST_SECRET", L"1");
    ChildProcess child;
    child.SetLimits({64u << 20, 5});
    std::string error;
    ASSERT_TRUE(Start(child, AsChild("report"), error)) << error;
    const std::string output = ReadUntilClosed(child, Lib::DeadlineIn(10s));
    SetEnvironmentVariableW(L"VORL_CHILD_TEST_SECRET", nullptr);
    EXPECT_NE(output.find("variable 0\n"), std::string::npos) << output;
    EXPECT_NE(output.find("error-kind " + std::to_string(FILE_TYPE_CHAR) + "\n"), std::string::npos)
        << output; // NUL
    EXPECT_NE(output.find("in-job 1\n"), std::string::npos) << output;
    child.Kill();
    EXPECT_EQ(child.EndDescription(), "exited with status 0");
    if (UnderWine())
        GTEST_SKIP() << "Wine does not answer what limits a job has";
    const DWORD flags = JOB_OBJECT_LIMIT_ACTIVE_PROCESS | JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE |
                        JOB_OBJECT_LIMIT_DIE_ON_UNHANDLED_EXCEPTION | JOB_OBJECT_LIMIT_PROCESS_MEMORY |
                        JOB_OBJECT_LIMIT_PROCESS_TIME;
    EXPECT_NE(output.find("flags " + HexOf(flags) + "\n"), std::string::npos) << output;
    EXPECT_NE(output.find("processes 1\n"), std::string::npos) << output;
    EXPECT_NE(output.find("memory " + std::to_string(64u << 20) + "\n"), std::string::npos) << output;
}

TEST(ChildProcessTest, TheJobRefusesMemoryPastTheLimit)
{
    if (UnderWine())
        GTEST_SKIP() << "Wine does not enforce a job's memory limit";
    ChildProcess child;
    child.SetLimits({64u << 20, 0});
    std::string error;
    ASSERT_TRUE(Start(child, AsChild("allocate"), error)) << error;
    const std::string output = ReadUntilClosed(child, Lib::DeadlineIn(20s));
    ASSERT_EQ(output.rfind("committed ", 0), 0u) << output;
    EXPECT_LT(std::stoul(output.substr(10)), 64u) << output;
}

TEST(ChildProcessTest, TheJobEndsAChildThatSpinsPastItsProcessorTime)
{
    if (UnderWine())
        GTEST_SKIP() << "Wine does not enforce a job's processor time limit";
    ChildProcess child;
    child.SetLimits({0, 1});
    std::string error;
    ASSERT_TRUE(Start(child, AsChild("spin"), error)) << error;
    EXPECT_EQ(child.Write("go", Lib::DeadlineIn(1s)), PipeResult::Done);
    char c = 0;
    EXPECT_EQ(child.ReadExactly(&c, 1, Lib::DeadlineIn(10s)), PipeResult::Closed);
    child.Kill();
    EXPECT_NE(child.EndDescription(), "killed");
}
#endif

TEST(ChildProcessTest, ArgumentsReachTheChildWholeWhateverTheyHold)
{
    // Windows hands a child one command line that the child's runtime splits again: blanks,
    // quotes and backslashes before a quote must survive the round trip.
    const std::vector<std::string> arguments = {
        "plain",  "two words",     "",          "quote\"inside",
        "ends\\", "back\\\"quote", "tab\there", "C:\\Program Files\\"};
    Command command = ArgumentPrinter();
    command.arguments.insert(command.arguments.end(), arguments.begin(), arguments.end());
    ChildProcess child;
    std::string error;
    ASSERT_TRUE(Start(child, command, error)) << error;
    std::string expected;
    for (const std::string& argument : arguments)
        expected += "[" + argument + "]";
    EXPECT_EQ(ReadUntilClosed(child, Lib::DeadlineIn(10s)), expected);
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
