#include "Lib/Platform/Process.h"

#include "Support/CapturingForwarder.h"
#include "Support/LogFileRedirect.h"
#include "Support/TempFolder.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>
#include <vector>
#ifdef _WIN32
#include <windows.h>
// After windows.h, which it builds on.
#include <shellapi.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

using TestSupport::CapturingForwarder;
using TestSupport::ReadWholeFile;
using TestSupport::TempFolder;
using TestSupport::WriteWholeFile;

namespace
{
#ifdef _WIN32
// Windows has no script to stand in for the engine, so this test program is its own stand-in:
// started with the variable set, it writes its process id and every argument the C runtime's
// rules read from its command line (one per line) and ends before any test runs.
constexpr const wchar_t* k_RecordVariable = L"VORL_RESTART_RECORD";

const bool g_RecordedInstead = []
{
    wchar_t target[1024] = {};
    if (GetEnvironmentVariableW(k_RecordVariable, target, 1024) == 0)
        return false;
    int count = 0;
    wchar_t** arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    std::string record = std::to_string(GetCurrentProcessId()) + "\nclosed\n";
    for (int i = 1; i < count; ++i)
        record += Lib::String(arguments[i]).ToNarrow().Bytes() + "\n";
    const std::wstring part = std::wstring(target) + L".part";
    std::ofstream(part.c_str(), std::ios::binary) << record;
    MoveFileExW(part.c_str(), target, MOVEFILE_REPLACE_EXISTING);
    ExitProcess(0);
}();
#else
// A descriptor this process holds open without close-on-exec; the new instance must not get it.
constexpr int k_StrayDescriptor = 57;

// A stand-in for the engine: records its process id, whether it inherited the stray descriptor
// and every argument it received (one per line), then renames the record into place so that the
// test never reads half of it.
constexpr const char* k_RecorderScript =
    "#!/bin/sh\n"
    "out=\"$(dirname \"$0\")/record\"\n"
    "{\n"
    "  echo \"$$\"\n"
    "  if [ -e /proc/$$/fd/57 ]; then echo inherited; else echo closed; fi\n"
    "  for argument in \"$@\"; do printf '%s\\n' \"$argument\"; done\n"
    "} > \"$out.part\"\n"
    "mv \"$out.part\" \"$out\"\n";
#endif

std::vector<std::string> SplitLines(const std::string& p_Text)
{
    std::vector<std::string> lines;
    std::istringstream stream(p_Text);
    for (std::string line; std::getline(stream, line);)
        lines.push_back(line);
    return lines;
}

bool WaitForFile(const std::string& p_Path)
{
    for (int attempt = 0; attempt < 1000; ++attempt)
    {
        if (std::filesystem::exists(p_Path))
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return false;
}

// Keeps the log file of these tests out of the working folder.
class ProcessTest : public testing::Test
{
protected:
    TempFolder m_Folder;
    TestSupport::LogFileRedirect m_LogFile{m_Folder.File("log.txt")};
};
} // namespace

TEST(Process, IdsAreThoseOfTheCallingProcessAndThread)
{
#ifdef _WIN32
    EXPECT_EQ(Lib::GetCurrentProcessId(), static_cast<int32_t>(::GetCurrentProcessId()));
    EXPECT_EQ(Lib::GetCurrentThreadId(), static_cast<int64_t>(::GetCurrentThreadId()));
#else
    EXPECT_EQ(Lib::GetCurrentProcessId(), static_cast<int32_t>(getpid()));
    EXPECT_EQ(Lib::GetCurrentThreadId(), static_cast<int64_t>(syscall(SYS_gettid)));
#endif

    int64_t otherThread = 0;
    int32_t otherProcess = 0;
    std::thread(
        [&]
        {
            otherThread = Lib::GetCurrentThreadId();
            otherProcess = Lib::GetCurrentProcessId();
        })
        .join();
    EXPECT_NE(otherThread, Lib::GetCurrentThreadId());
    EXPECT_EQ(otherProcess, Lib::GetCurrentProcessId());
}

#ifdef _WIN32
TEST_F(ProcessTest, RestartStartsTheExecutableWithSwitchProcessIdAndArgumentsVerbatim)
{
    ASSERT_FALSE(g_RecordedInstead);
    const std::string record = m_Folder.File("record");
    ASSERT_TRUE(SetEnvironmentVariableW(k_RecordVariable, Lib::String(record).Wide().c_str()));
    wchar_t self[MAX_PATH] = {};
    ASSERT_GT(GetModuleFileNameW(nullptr, self, MAX_PATH), 0u);

    CapturingForwarder forwarder;
    // Quotes, backslashes before quotes and at the end, and shell characters arrive as they were.
    const std::vector<std::string> passed = {
        "two words", "say \"hi\"", "C:\\folder with space\\", "back\\\\\"slash", "na\xC3\xAFve & | <x>", ""};
    Lib::DynamicArray<Lib::String> arguments;
    for (const std::string& argument : passed)
        arguments.Add(Lib::String(argument));
    Lib::RestartProcess(Lib::String(self), "-restart", arguments);
    SetEnvironmentVariableW(k_RecordVariable, nullptr);

    ASSERT_TRUE(WaitForFile(record)) << "the restarted program never ran";
    const std::vector<std::string> lines = SplitLines(ReadWholeFile(record));
    ASSERT_GE(lines.size(), 2u);
    std::vector<std::string> expected = {"-restart", std::to_string(::GetCurrentProcessId())};
    expected.insert(expected.end(), passed.begin(), passed.end());
    EXPECT_EQ(std::vector<std::string>(lines.begin() + 2, lines.end()), expected);
    const std::vector<std::string> expectedMessages = {
        "Restart successful, current PID: " + std::to_string(::GetCurrentProcessId()) +
        ", new PID: " + lines[0]};
    EXPECT_EQ(forwarder.Messages(), expectedMessages);
}

TEST_F(ProcessTest, RestartFailureIsLoggedWithTheSystemErrorCode)
{
    const std::string notExecutable = m_Folder.File("plain.txt");
    WriteWholeFile(notExecutable, "not a program\n");
    const std::pair<std::string, DWORD> cases[] = {
        {m_Folder.File("missing.exe"), ERROR_FILE_NOT_FOUND},
        {notExecutable, ERROR_BAD_EXE_FORMAT},
        {m_Folder.Path().string(), ERROR_ACCESS_DENIED}, // a folder
    };
    for (const auto& [path, code] : cases)
    {
        CapturingForwarder forwarder;
        Lib::RestartProcess(path.c_str(), "-restart", {});
        const std::string expected = "Failed to restart the engine, error code: " + std::to_string(code);
        // Wine answers a folder with ERROR_INVALID_HANDLE where Windows says access denied.
        const std::string underWine = "Failed to restart the engine, error code: 6";
        ASSERT_EQ(forwarder.Messages().size(), 1u) << path;
        EXPECT_TRUE(forwarder.Messages()[0] == expected ||
                    (code == ERROR_ACCESS_DENIED && forwarder.Messages()[0] == underWine))
            << forwarder.Messages()[0];
    }
}

TEST(Process, AProcessRunsUntilItHasEnded)
{
    EXPECT_TRUE(Lib::ProcessIsRunning(::GetCurrentProcessId()));
    EXPECT_FALSE(Lib::ProcessIsRunning(0));
    EXPECT_FALSE(Lib::ProcessIsRunning(-5));
}
#else
TEST_F(ProcessTest, RestartStartsTheExecutableWithSwitchProcessIdAndArgumentsVerbatim)
{
    const std::string script = m_Folder.File("engine with space");
    WriteWholeFile(script, k_RecorderScript);
    ASSERT_EQ(chmod(script.c_str(), 0755), 0);
    const int stray = open("/dev/null", O_RDONLY);
    ASSERT_GE(stray, 0);
    ASSERT_EQ(dup2(stray, k_StrayDescriptor), k_StrayDescriptor);
    close(stray);

    CapturingForwarder forwarder;
    // Shell characters in an argument must arrive as text, not run.
    const std::string injection = "$(touch " + m_Folder.File("injected") + ")";
    Lib::RestartProcess(script.c_str(), "-restart", {"two words", injection.c_str(), "naïve;", ""});
    close(k_StrayDescriptor);

    ASSERT_TRUE(WaitForFile(m_Folder.File("record"))) << "the restarted program never ran";
    const std::vector<std::string> record = SplitLines(ReadWholeFile(m_Folder.File("record")));
    ASSERT_GE(record.size(), 2u);
    const pid_t newProcess = static_cast<pid_t>(std::stoi(record[0]));
    EXPECT_EQ(waitpid(newProcess, nullptr, 0), newProcess) << "not a child of this process";

    EXPECT_EQ(record[1], "closed");
    const std::vector<std::string> arguments(record.begin() + 2, record.end());
    const std::vector<std::string> expected = {
        "-restart", std::to_string(getpid()), "two words", injection, "naïve;", ""};
    EXPECT_EQ(arguments, expected);
    EXPECT_NE(access(m_Folder.File("injected").c_str(), F_OK), 0);

    const std::vector<std::string> expectedMessages = {
        "Restart successful, current PID: " + std::to_string(getpid()) +
        ", new PID: " + std::to_string(newProcess)};
    EXPECT_EQ(forwarder.Messages(), expectedMessages);
    ASSERT_EQ(forwarder.lines.size(), 1u);
    EXPECT_NE(forwarder.lines[0].find("] Info "), std::string::npos);
    EXPECT_NE(forwarder.lines[0].find(" Platform: "), std::string::npos);
}

TEST_F(ProcessTest, RestartFailureIsLoggedWithTheSystemErrorCode)
{
    const std::string notExecutable = m_Folder.File("plain.txt");
    WriteWholeFile(notExecutable, "#!/bin/sh\n");
    const std::pair<std::string, int> cases[] = {
        {m_Folder.File("missing"), ENOENT},
        {notExecutable, EACCES},
        {m_Folder.Path().string(), EACCES}, // a folder
    };
    for (const auto& [path, code] : cases)
    {
        CapturingForwarder forwarder;
        Lib::RestartProcess(path.c_str(), "-restart", {});
        const std::vector<std::string> expected = {"Failed to restart the engine, error code: " +
                                                   std::to_string(code)};
        EXPECT_EQ(forwarder.Messages(), expected) << path;
        ASSERT_EQ(forwarder.lines.size(), 1u);
        EXPECT_NE(forwarder.lines[0].find("] Error "), std::string::npos);
        EXPECT_NE(forwarder.lines[0].find(" Platform: "), std::string::npos);
    }
}
#endif
