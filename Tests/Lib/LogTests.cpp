#include "Lib/Log.h"

#include "FatalExit.h"
#include "Support/CapturingForwarder.h"
#include "Support/LogFileRedirect.h"
#ifndef _WIN32
#include "Support/SpecialFiles.h"
#endif
#include "Support/TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <map>
#include <regex>
#include <sstream>
#include <string>
#include <thread>
#include <unistd.h>
#include <vector>
#ifdef _WIN32
#include <windows.h>
#else
#include <sys/wait.h>
#endif

using TestSupport::CapturingForwarder;
using TestSupport::ReadWholeFile;
using TestSupport::TempFolder;
using TestSupport::WriteWholeFile;

namespace
{
// GoogleTest matches death-test output with POSIX regular expressions on Linux and with its own
// simple ones, which know \d but no brackets, on Windows.
#ifdef _WIN32
constexpr const char* k_Digits = R"(\d+)";
#else
constexpr const char* k_Digits = "[0-9]+";
#endif

long ThisThreadId()
{
#ifdef _WIN32
    return static_cast<long>(GetCurrentThreadId());
#else
    return static_cast<long>(gettid());
#endif
}

class LogFileTest : public testing::Test
{
protected:
    std::string LogPath() const { return m_Folder.File("gamelog.txt"); }
    // Every name in the folder: a temporary file of a trim shows up here.
    std::vector<std::string> FolderEntries() const
    {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(m_Folder.Path()))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    TempFolder m_Folder;
    TestSupport::LogFileRedirect m_LogFile{m_Folder.File("gamelog.txt")};
};
} // namespace

TEST(LogLineFormat, MatchesTheDocumentedLayout)
{
    const Lib::LogTime time{2025, 6, 7, 18, 4, 5, 120};
    EXPECT_EQ(Lib::FormatLogLine(time, 4711, 4712, "Info", "CorvanEntry", "Version: Alpha 0.5.0"),
              "[2025/06/07 18:04:05.120] Info     | PID: 4711    | TID: 4712    |             CorvanEntry: "
              "Version: Alpha 0.5.0\n");
}

TEST(LogLineFormat, LevelWords)
{
    const std::pair<int32_t, const char*> cases[] = {{0, "Info"},    {1, "Warning"}, {2, "Error"},
                                                     {3, "DEBUG"},   {4, "CRASH"},   {5, "INVALID"},
                                                     {-1, "INVALID"}};
    for (const auto& [level, word] : cases)
        EXPECT_STREQ(Lib::LogLevelWord(level), word) << "level " << level;
}

TEST(LogTagTest, CutsLongNamesAndWritesToFileByDefault)
{
    const Lib::LogTag tag("ABCDEFGHIJKLMNOPQRSTUVWXYZ");
    EXPECT_EQ(tag.capacity, 23);
    EXPECT_STREQ(tag.name, "ABCDEFGHIJKLMNOPQRSTUV");
    EXPECT_TRUE(tag.writeToFile);
}

TEST_F(LogFileTest, LineReachesForwarderAndFileWithUtcPidAndTid)
{
    CapturingForwarder forwarder;
    Lib::LogWarning(Lib::LogTag("ConfigReader"), "value %d of %s", 3, "five");

    ASSERT_EQ(forwarder.lines.size(), 1u);
    const std::string& line = forwarder.lines[0];
    const std::regex layout(
        R"(\[\d{4}/\d\d/\d\d \d\d:\d\d:\d\d\.\d{3}\] Warning  \| PID: (\d+) +\| TID: (\d+) +\| {12}ConfigReader: value 3 of five\n)");
    std::smatch match;
    ASSERT_TRUE(std::regex_match(line, match, layout)) << line;
    EXPECT_EQ(std::stoi(match[1]), getpid());
    EXPECT_EQ(std::stol(match[2]), static_cast<long>(ThisThreadId()));
    EXPECT_EQ(ReadWholeFile(LogPath()), line);
}

TEST_F(LogFileTest, EmptyFormatWritesAnEmptyMessage)
{
    CapturingForwarder forwarder;
    Lib::LogInfo(Lib::LogTag("AppEntry"), "%s", "");
    ASSERT_EQ(forwarder.Messages().size(), 1u);
    EXPECT_EQ(forwarder.Messages()[0], "");
}

TEST_F(LogFileTest, TagWithoutFileWritingSkipsOnlyTheFile)
{
    CapturingForwarder forwarder;
    Lib::LogTag tag("Quiet");
    tag.writeToFile = false;
    Lib::LogError(tag, "not in the file");
    EXPECT_EQ(forwarder.Messages(), std::vector<std::string>{"not in the file"});
    EXPECT_EQ(ReadWholeFile(LogPath()), "");
}

TEST_F(LogFileTest, LongMessageIsCutTo1023Characters)
{
    CapturingForwarder forwarder;
    const std::string longMessage(2000, 'x');
    Lib::LogInfo(Lib::LogTag("AppEntry"), "%s", longMessage.c_str());
    ASSERT_EQ(forwarder.Messages().size(), 1u);
    EXPECT_EQ(forwarder.Messages()[0], std::string(1023, 'x'));
    // The prefix is short enough that a cut message still leaves room for the line break.
    EXPECT_EQ(forwarder.lines[0].back(), '\n');
}

TEST_F(LogFileTest, UnknownLevelPrintsInvalid)
{
    CapturingForwarder forwarder;
    Lib::LogLine(Lib::LogTag("AppEntry"), 9, "odd");
    ASSERT_EQ(forwarder.lines.size(), 1u);
    EXPECT_NE(forwarder.lines[0].find("] INVALID  | PID"), std::string::npos) << forwarder.lines[0];
}

TEST_F(LogFileTest, AFullLogTakesLinesUntilItsSlackIsUsedThenKeepsTheNewestMebibyteFromALineStart)
{
    // 16384 lines of 64 bytes: exactly 1 MiB.
    std::string line(63, 'a');
    line += '\n';
    std::string all;
    for (int i = 0; i < 16384; ++i)
        all += line;
    ASSERT_EQ(all.size(), Lib::k_LogFileLimit);
    WriteWholeFile(LogPath(), all);

    // A full log is not rewritten for every new line: the lines are appended, byte for byte, up
    // to the trim threshold.
    int appended = 0;
    while (all.size() + 100 <= Lib::k_LogTrimThreshold)
    {
        char number[16];
        snprintf(number, sizeof(number), "%06d", appended++);
        const std::string next = "line " + std::string(number) + std::string(88, '.') + "\n";
        all += next;
        ASSERT_TRUE(Lib::AppendToLogFile(LogPath().c_str(), next));
    }
    EXPECT_EQ(ReadWholeFile(LogPath()), all);

    const std::string last = "the line that passes the threshold " + std::string(120, '!') + "\n";
    all += last;
    ASSERT_GT(all.size(), Lib::k_LogTrimThreshold);
    ASSERT_TRUE(Lib::AppendToLogFile(LogPath().c_str(), last));
    const std::string trimmed = ReadWholeFile(LogPath());
    ASSERT_LT(trimmed.size(), all.size());
    EXPECT_LE(trimmed.size(), Lib::k_LogFileLimit);
    EXPECT_GT(trimmed.size(), Lib::k_LogFileLimit - 200);
    EXPECT_EQ(trimmed, all.substr(all.size() - trimmed.size()));
    // It starts with a complete line.
    EXPECT_EQ(all[all.size() - trimmed.size() - 1], '\n');
    EXPECT_TRUE(trimmed.ends_with(last));
    EXPECT_EQ(FolderEntries(), std::vector<std::string>{"gamelog.txt"});
}

TEST_F(LogFileTest, TheTrimNeverEmptiesTheLogNorDropsTheNewLine)
{
    struct Case
    {
        const char* name;
        std::string old, line, expected;
    };
    const std::string endless(Lib::k_LogTrimThreshold + 10, 'a');
    const std::string justFull(Lib::k_LogFileLimit + 10, 'a');
    const std::string tail = std::string(Lib::k_LogTrimThreshold, 'a') + "\nb";
    const Case cases[] = {
        // Its only line break is the new line's last byte: the whole newest mebibyte stays.
        {"one endless line", endless, "first\n",
         (endless + "first\n").substr(endless.size() + 6 - Lib::k_LogFileLimit)},
        // A mebibyte and ten bytes are inside the slack: the line is simply appended.
        {"just over a mebibyte", justFull, "first\n", justFull + "first\n"},
        // A cut line (no line break of its own) behind an old line break.
        {"cut line", tail, std::string(20, 'c'), (tail + std::string(20, 'c')).substr(tail.size() - 1)},
    };
    for (const Case& test : cases)
    {
        WriteWholeFile(LogPath(), test.old);
        ASSERT_TRUE(Lib::AppendToLogFile(LogPath().c_str(), test.line)) << test.name;
        const std::string result = ReadWholeFile(LogPath());
        EXPECT_EQ(result.size(), test.expected.size()) << test.name;
        EXPECT_TRUE(result == test.expected) << test.name;
    }
}

TEST_F(LogFileTest, TwoProcessesWritingOneFullLogLoseNoLines)
{
    // Two games in one folder share the log. Each appends numbered lines while the log keeps
    // passing its trim threshold; every line of each must be there from the oldest one the trim
    // kept up to the last, in order, and no temporary file may be left.
    std::string filler;
    while (filler.size() < Lib::k_LogTrimThreshold - 20000)
        filler += std::string(99, 'f') + "\n";
    WriteWholeFile(LogPath(), filler);

    constexpr int k_Lines = 4000;
    const auto writeLines = [this](char p_Name)
    {
        for (int i = 0; i < k_Lines; ++i)
        {
            char text[128];
            snprintf(text, sizeof(text), "%c %05d %s\n", p_Name, i, std::string(90, p_Name).c_str());
            if (!Lib::AppendToLogFile(LogPath().c_str(), text))
                return false;
        }
        return true;
    };
#ifdef _WIN32
    // Without fork, two threads stand in: each append opens a handle of its own, and the system's
    // locks are held per handle, so they meet the same locks as two processes.
    bool succeeded[2] = {false, false};
    std::thread first([&] { succeeded[0] = writeLines('A'); });
    std::thread second([&] { succeeded[1] = writeLines('B'); });
    first.join();
    second.join();
    EXPECT_TRUE(succeeded[0] && succeeded[1]);
#else
    std::vector<pid_t> writers;
    for (const char name : {'A', 'B'})
    {
        const pid_t pid = fork();
        if (pid == 0)
            _exit(writeLines(name) ? 0 : 1);
        writers.push_back(pid);
    }
    for (const pid_t pid : writers)
    {
        int status = 0;
        waitpid(pid, &status, 0);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
#endif

    const std::string log = ReadWholeFile(LogPath());
    EXPECT_LE(log.size(), Lib::k_LogTrimThreshold);
    std::map<char, std::vector<int>> seen;
    std::istringstream in(log);
    for (std::string line; std::getline(in, line);)
    {
        if (line == std::string(99, 'f'))
            continue;
        ASSERT_EQ(line.size(), 98u) << "a broken line: " << line.substr(0, 40);
        seen[line[0]].push_back(std::stoi(line.substr(2, 5)));
    }
    for (const char name : {'A', 'B'})
    {
        const std::vector<int>& numbers = seen[name];
        ASSERT_FALSE(numbers.empty()) << name;
        EXPECT_EQ(numbers.back(), k_Lines - 1) << name;
        for (size_t i = 1; i < numbers.size(); ++i)
            ASSERT_EQ(numbers[i], numbers[i - 1] + 1) << name << ": line lost after " << numbers[i - 1];
    }
    EXPECT_EQ(FolderEntries(), std::vector<std::string>{"gamelog.txt"});
}

TEST_F(LogFileTest, UnwritableLogStillReachesTheForwarder)
{
    Lib::SetLogFileName(m_Folder.File("missing-folder/gamelog.txt").c_str());
    CapturingForwarder forwarder;
    Lib::LogError(Lib::LogTag("AppEntry"), "still shown");
    EXPECT_EQ(forwarder.Messages(), std::vector<std::string>{"still shown"});
}

TEST(LogFatalPaths, FatalErrorWritesOneCrashLineToStandardOutputAndEnds)
{
    EXPECT_EXIT(
        {
            dup2(2, 1);
            Lib::FatalError("DynamicArray", "Index out of range, index: %u, size: %u", 3u, 3u);
        },
        testing::ExitedWithCode(TestSupport::k_FatalExitStatus),
        std::string(R"(\] CRASH    \| PID: )") + k_Digits + R"( +\| TID: )" + k_Digits +
            R"( +\| +DynamicArray: Index out of range, index: 3, size: 3)");
}

TEST_F(LogFileTest, LogFatalWritesThroughEverySinkAndEnds)
{
#ifdef _WIN32
    // A death test on Windows runs in a new process that builds its own fixture, and so its own
    // temporary folder: the parent cannot see the child's log file.
    GTEST_SKIP() << "needs the death test to share the fixture's folder (fork)";
#endif
    EXPECT_EXIT(
        {
            dup2(2, 1);
            Lib::LogFatal(Lib::LogTag("CorvanEntry"), "No valid engine object, %s call.", "GetFolderPath()");
        },
        testing::ExitedWithCode(TestSupport::k_FatalExitStatus),
        R"(CRASH    \|.* CorvanEntry: No valid engine object, GetFolderPath\(\) call\.)");
    EXPECT_NE(ReadWholeFile(LogPath()).find("CRASH"), std::string::npos);
}

#ifndef _WIN32
namespace
{
class LogFileKindTest : public testing::TestWithParam<TestSupport::SpecialFileCase>
{
protected:
    TempFolder m_Folder;
};

std::string KindCaseName(const testing::TestParamInfo<TestSupport::SpecialFileCase>& p_Info)
{
    return p_Info.param.name;
}
} // namespace

// A log name that leads to a FIFO, a device, a folder ... : the game keeps logging to standard
// output (and the console) with one Error line there that says why, and the node stays as it was.
TEST_P(LogFileKindTest, TheLinesGoToStandardOutputWithOneErrorLineAndTheFileIsLeftAlone)
{
    if (GetParam().needsRoot && !TestSupport::IsRoot())
        GTEST_SKIP() << "mknod needs root";
    const std::string path = m_Folder.File("gamelog.txt");
    ASSERT_TRUE(GetParam().make(path));
    const TestSupport::NodeIdentity before = TestSupport::Identity(path);
    const std::vector<std::string> names = TestSupport::NamesIn(m_Folder.Path());

    alarm(30); // a blocking open or write would hang here for good; the alarm fails the test instead
    {
        TestSupport::LogFileRedirect redirect(path);
        CapturingForwarder log;
        const Lib::LogTag tag("LogTest");
        testing::internal::CaptureStdout();
        Lib::LogInfo(tag, "first");
        Lib::LogWarning(tag, "second");
        Lib::LogInfo(tag, "%s", std::string(Lib::k_LogTrimThreshold / 2, 'x').c_str());
        const std::string output = testing::internal::GetCapturedStdout();

        const std::string error =
            "\"" + path + "\" is " + GetParam().kindText +
            ", not a regular file: it is left alone and the log goes to standard output only";
        const std::vector<TestSupport::LogRecord> records = log.Records();
        ASSERT_EQ(records.size(), 4u);
        EXPECT_EQ(records[0].message, "first");
        EXPECT_EQ(records[1].level, "Error");
        EXPECT_EQ(records[1].tag, "Log");
        EXPECT_EQ(records[1].message, error);
        EXPECT_EQ(records[2].message, "second");
        EXPECT_NE(output.find("first\n"), std::string::npos);
        EXPECT_NE(output.find(error + "\n"), std::string::npos);
        EXPECT_EQ(output.find(error), output.rfind(error)) << "the reason is given once";
        EXPECT_NE(output.find("second\n"), std::string::npos);
    }
    alarm(0);
    EXPECT_EQ(TestSupport::Identity(path), before);
    EXPECT_EQ(TestSupport::NamesIn(m_Folder.Path()), names);
}

INSTANTIATE_TEST_SUITE_P(Kinds, LogFileKindTest, testing::ValuesIn(TestSupport::SpecialFileCases()),
                         KindCaseName);
#endif
