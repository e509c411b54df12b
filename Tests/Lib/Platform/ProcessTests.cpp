#include "Lib/Platform/Process.h"

#include "Support/CapturingForwarder.h"
#include "Support/LogFileRedirect.h"
#include "Support/TempFolder.h"

#include <gtest/gtest.h>

#include <chrono>
#include <fcntl.h>
#include <sstream>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

using TestSupport::CapturingForwarder;
using TestSupport::ReadWholeFile;
using TestSupport::TempFolder;
using TestSupport::WriteWholeFile;

namespace
{
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
        if (access(p_Path.c_str(), F_OK) == 0)
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
    EXPECT_EQ(Lib::GetCurrentProcessId(), static_cast<int32_t>(getpid()));
    EXPECT_EQ(Lib::GetCurrentThreadId(), static_cast<int64_t>(syscall(SYS_gettid)));

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
