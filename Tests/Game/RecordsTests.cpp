// The records and "records.cfg": what a round changes, the file's text both ways, damaged lines
// that are skipped while the rest is kept, and a write that replaces the file in one step.
#include "Game/Records.h"
#include "Game/RecordsFile.h"

#include "Support/CapturingForwarder.h"
#include "Support/LogFileRedirect.h"
#include "Support/SpecialFiles.h"
#include "Support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <unistd.h>
#include <vector>

namespace
{
using namespace Snake;
using TestSupport::ReadWholeFile;
using TestSupport::TempFolder;
using TestSupport::WriteWholeFile;

TEST(RecordTable, ARoundSetsBestPointsAndAWinItsTime)
{
    RecordTable table;
    RecordOutcome first = table.Submit(2, 8, 12, false, 30000);
    EXPECT_TRUE(first.newBestPoints);
    EXPECT_FALSE(first.newFastestWin);
    EXPECT_EQ(first.before, Record{});
    EXPECT_EQ(table.Get(2, 8), (Record{12, 0}));

    EXPECT_FALSE(table.Submit(2, 8, 12, false, 1000).IsNewRecord()) << "equal points are no record";
    EXPECT_FALSE(table.Submit(2, 8, 5, false, 1000).IsNewRecord());

    // The 6 x 10 board has 60 cells: a win fills it.
    RecordOutcome win = table.Submit(2, 8, 60, true, 95000);
    EXPECT_TRUE(win.newBestPoints);
    EXPECT_TRUE(win.newFastestWin);
    EXPECT_EQ(win.before, (Record{12, 0}));
    RecordOutcome slower = table.Submit(2, 8, 60, true, 99000);
    EXPECT_FALSE(slower.IsNewRecord());
    RecordOutcome faster = table.Submit(2, 8, 60, true, 80000);
    EXPECT_TRUE(faster.newFastestWin);
    EXPECT_FALSE(faster.newBestPoints);
    EXPECT_EQ(table.Get(2, 8), (Record{60, 80000}));

    EXPECT_EQ(table.Get(2, 6), Record{}) << "each speed has its own record";
    EXPECT_EQ(table.Get(3, 8), Record{}) << "each grid has its own record";
    EXPECT_FALSE(table.Submit(12, 8, 5, false, 0).IsNewRecord()) << "no grid mode 12";
    EXPECT_FALSE(table.Submit(0, 11, 5, false, 0).IsNewRecord()) << "no speed 11";
}

TEST(RecordTable, TheTextReadsBackAsTheSameTable)
{
    RecordTable table;
    table.Submit(0, 1, 36, true, 61234);
    table.Submit(11, 10, 17, false, 0);
    table.Submit(2, 8, 3, false, 0);
    const std::string text = table.Serialise();
    EXPECT_EQ(text.substr(text.find('\n') + 1), "record 0 1 36 61234\nrecord 2 8 3 0\nrecord 11 10 17 0\n");
    const ParsedRecords parsed = ParseRecords(text);
    EXPECT_TRUE(parsed.damaged.empty());
    EXPECT_EQ(parsed.table.Serialise(), text);
    EXPECT_TRUE(ParseRecords("").table.IsEmpty());
}

TEST(ParseRecords, DamagedLinesAreSkippedAndTheRestKept)
{
    const std::string text = "// comment\n"
                             "record 2 8 17 0\n"
                             "record 2 8\n"                        // 3: too short
                             "record 12 8 5 0\n"                   // 4: no grid 12
                             "record 2 0 5 0\n"                    // 5: no speed 0
                             "record 2 11 5 0\n"                   // 6: no speed 11
                             "record 0 4 37 0\n"                   // 7: more points than cells
                             "record 0 4 0 0\n"                    // 8: no points
                             "record 0 4 20 5000\n"                // 9: a win without a full board
                             "record 0 4 x 0\n"                    // 10: no number
                             "record 0 4 -3 0\n"                   // 11: negative
                             "record 0 4 99999999999999999999 0\n" // 12: too large
                             "score 0 4 5 0\n"                     // 13: unknown kind
                             "\xff\xfe garbage\r\n"                // 14
                             "\n"
                             "record\t0 4 36 70000\r\n" // good, tab and CRLF
                             "record 2 8 20 0\n"        // good, a second line for 2 8: the better wins
                             "record 2 8 9 0";          // good, no final line feed
    const ParsedRecords parsed = ParseRecords(text);
    std::vector<uint32_t> numbers;
    for (const DamagedLine& line : parsed.damaged)
    {
        numbers.push_back(line.number);
        EXPECT_FALSE(line.reason.empty());
    }
    EXPECT_EQ(numbers, (std::vector<uint32_t>{3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14}));
    EXPECT_EQ(parsed.table.Get(2, 8), (Record{20, 0}));
    EXPECT_EQ(parsed.table.Get(0, 4), (Record{36, 70000}));
}

TEST(FormatDuration, MinutesSecondsAndTenths)
{
    EXPECT_EQ(FormatDuration(0), "0:00.0");
    EXPECT_EQ(FormatDuration(83456), "1:23.4");
    EXPECT_EQ(FormatDuration(59999), "0:59.9");
    EXPECT_EQ(FormatDuration(3600000), "60:00.0");
}

TEST(CountOfPoints, OneAloneTakesTheSingular)
{
    EXPECT_EQ(CountOfPoints(1, "point", "points"), "1 point");
    EXPECT_EQ(CountOfPoints(1, "Punkt", "Punkte"), "1 Punkt");
    EXPECT_EQ(CountOfPoints(0, "point", "points"), "0 points");
    EXPECT_EQ(CountOfPoints(2, "Punkt", "Punkte"), "2 Punkte");
    EXPECT_EQ(CountOfPoints(21, "point", "points"), "21 points");
}

TEST(RecordsFile, ADamagedLineIsLoggedAndTheGoodOnesLoaded)
{
    TempFolder folder;
    const std::string path = folder.File("records.cfg");
    WriteWholeFile(path, "record 2 8 17 0\nrecord 2 8 oops 0\nrecord 0 1 36 61234\n");
    TestSupport::CapturingForwarder log;
    RecordsFile file{Lib::String(path.c_str())};
    file.Load();
    EXPECT_EQ(file.Table().Get(2, 8), (Record{17, 0}));
    EXPECT_EQ(file.Table().Get(0, 1), (Record{36, 61234}));
    bool logged = false;
    for (const std::string& message : log.Messages())
        logged = logged || (message.find("Skipped line 2 of") != std::string::npos &&
                            message.find("records.cfg") != std::string::npos);
    EXPECT_TRUE(logged);
}

TEST(RecordsFile, AMissingFileIsNoRecordsAndSaveCreatesIt)
{
    TempFolder folder;
    const std::string path = folder.File("records.cfg");
    RecordsFile file{Lib::String(path.c_str())};
    file.Load();
    EXPECT_TRUE(file.Table().IsEmpty());
    file.Table().Submit(4, 6, 9, false, 0);
    ASSERT_TRUE(file.Save());
    RecordsFile again{Lib::String(path.c_str())};
    again.Load();
    EXPECT_EQ(again.Table().Get(4, 6), (Record{9, 0}));
}

// The new text goes to a file of its own that is renamed over the old one: a reader (or a kill)
// sees either the old file whole or the new one whole. A second name for the old file shows it:
// it keeps the old text, which a write into the file itself would have changed.
TEST(RecordsFile, SaveReplacesTheFileInOneStep)
{
    TempFolder folder;
    const std::string path = folder.File("records.cfg");
    const std::string old = "record 2 8 3 0\n";
    WriteWholeFile(path, old);
    ASSERT_EQ(link(path.c_str(), folder.File("old-records.cfg").c_str()), 0);
    RecordsFile file{Lib::String(path.c_str())};
    file.Load();
    file.Table().Submit(2, 8, 30, false, 0);
    ASSERT_TRUE(file.Save());
    EXPECT_EQ(ReadWholeFile(folder.File("old-records.cfg")), old);
    EXPECT_NE(ReadWholeFile(path).find("record 2 8 30 0\n"), std::string::npos);
    int files = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder.Path()))
        ++files;
    EXPECT_EQ(files, 2) << "no temporary file is left behind";
}

class RecordsFileKindTest : public testing::TestWithParam<TestSupport::SpecialFileCase>
{
};

std::string KindCaseName(const testing::TestParamInfo<TestSupport::SpecialFileCase>& p_Info)
{
    return p_Info.param.name;
}

// A "records.cfg" that is a FIFO, a device, a folder ... is named in one Error line and never
// written, not even when a round sets a record; one that turns into such a node after a start
// without the file is not written either.
TEST_P(RecordsFileKindTest, ItIsNamedOnceAndNeverWritten)
{
    if (GetParam().needsRoot && !TestSupport::IsRoot())
        GTEST_SKIP() << "mknod needs root";
    TempFolder folder;
    const std::string path = folder.File("records.cfg");
    ASSERT_TRUE(GetParam().make(path));
    const TestSupport::NodeIdentity before = TestSupport::Identity(path);
    TempFolder logFolder;
    const TestSupport::LogFileRedirect logFile(logFolder.File("gamelog.txt"));
    TestSupport::CapturingForwarder log;

    alarm(30); // a blocking open would hang here for good; the alarm fails the test instead
    RecordsFile file{Lib::String(path.c_str())};
    file.Load();
    EXPECT_TRUE(file.Table().IsEmpty());
    file.Table().Submit(4, 6, 9, false, 0);
    EXPECT_FALSE(file.Save());

    const std::string later = folder.File("later.cfg");
    RecordsFile missing{Lib::String(later.c_str())};
    missing.Load();
    ASSERT_TRUE(GetParam().make(later));
    const TestSupport::NodeIdentity laterBefore = TestSupport::Identity(later);
    missing.Table().Submit(4, 6, 9, false, 0);
    EXPECT_FALSE(missing.Save());
    alarm(0);

    std::vector<std::string> errors;
    for (const TestSupport::LogRecord& record : log.Records())
        if (record.level == "Error")
            errors.push_back(record.message);
    const std::string notRegular = std::string(GetParam().kindText) + ", not a regular file";
    EXPECT_EQ(errors,
              (std::vector<std::string>{"\"" + path + "\" is " + notRegular +
                                            ": it is left alone and records are not saved",
                                        "Could not write file \"" + later + "\": it is " + notRegular}));
    EXPECT_EQ(TestSupport::Identity(path), before);
    EXPECT_EQ(TestSupport::Identity(later), laterBefore);
}

INSTANTIATE_TEST_SUITE_P(Kinds, RecordsFileKindTest, testing::ValuesIn(TestSupport::SpecialFileCases()),
                         KindCaseName);
} // namespace
