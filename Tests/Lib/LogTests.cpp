#include "Lib/Log.h"

#include "Support/CapturingForwarder.h"
#include "Support/LogFileRedirect.h"
#include "Support/TempFolder.h"

#include <gtest/gtest.h>

#include <regex>
#include <string>
#include <unistd.h>

using TestSupport::CapturingForwarder;
using TestSupport::ReadWholeFile;
using TestSupport::TempFolder;
using TestSupport::WriteWholeFile;

namespace
{
class LogFileTest : public testing::Test
{
protected:
    std::string LogPath() const { return m_Folder.File("gamelog.txt"); }

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
    EXPECT_EQ(std::stol(match[2]), static_cast<long>(gettid()));
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

TEST_F(LogFileTest, FileOfExactlyOneMebibyteIsAppendedThenTrimmedAtTheNextLine)
{
    // 16384 lines of 64 bytes: exactly 1 MiB.
    std::string line(63, 'a');
    line += '\n';
    std::string content;
    for (int i = 0; i < 16384; ++i)
        content += line;
    ASSERT_EQ(content.size(), Lib::k_LogFileLimit);
    WriteWholeFile(LogPath(), content);

    ASSERT_TRUE(Lib::AppendToLogFile(LogPath().c_str(), "first\n"));
    EXPECT_EQ(ReadWholeFile(LogPath()), content + "first\n");

    ASSERT_TRUE(Lib::AppendToLogFile(LogPath().c_str(), "second\n"));
    const std::string trimmed = ReadWholeFile(LogPath());
    EXPECT_LE(trimmed.size(), Lib::k_LogFileLimit);
    // The window started inside an old line; the file now starts with the next complete one.
    EXPECT_EQ(trimmed.substr(0, 64), line);
    EXPECT_TRUE(trimmed.ends_with(line + "first\nsecond\n"));
    const std::string all = content + "first\nsecond\n";
    EXPECT_EQ(trimmed, all.substr(all.size() - trimmed.size()));
    EXPECT_FALSE(std::filesystem::exists(LogPath() + ".trim"));
}

TEST_F(LogFileTest, WindowWithoutLineBreakIsWrittenWhole)
{
    const std::string old(Lib::k_LogFileLimit + 10, 'a');
    WriteWholeFile(LogPath(), old);
    const std::string cutLine(20, 'b'); // a line cut at 1151 characters has no line break
    ASSERT_TRUE(Lib::AppendToLogFile(LogPath().c_str(), cutLine));
    const std::string all = old + cutLine;
    EXPECT_EQ(ReadWholeFile(LogPath()), all.substr(all.size() - Lib::k_LogFileLimit));
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
        testing::ExitedWithCode(255),
        R"(\] CRASH    \| PID: [0-9]+ +\| TID: [0-9]+ +\| +DynamicArray: Index out of range, index: 3, size: 3)");
}

TEST_F(LogFileTest, LogFatalWritesThroughEverySinkAndEnds)
{
    EXPECT_EXIT(
        {
            dup2(2, 1);
            Lib::LogFatal(Lib::LogTag("CorvanEntry"), "No valid engine object, %s call.", "GetFolderPath()");
        },
        testing::ExitedWithCode(255),
        R"(CRASH    \|.* CorvanEntry: No valid engine object, GetFolderPath\(\) call\.)");
    EXPECT_NE(ReadWholeFile(LogPath()).find("CRASH"), std::string::npos);
}
