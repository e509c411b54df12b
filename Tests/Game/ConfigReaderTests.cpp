#include "Game/ConfigReader.h"

#include "Game/ApplicationConfig.h"
#include "Lib/Platform/RegularFile.h"

#include "Support/CapturingForwarder.h"
#include "Support/DefaultConfigFile.h"
#include "Support/LogFileRedirect.h"
#include "Support/SpecialFiles.h"
#include "Support/TempFolder.h"
#include "Support/Unprivileged.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cerrno>
#include <memory>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

using Snake::ConfigReader;
using Snake::EntrySide;
using TestSupport::CapturingForwarder;
using TestSupport::k_DefaultConfigFile;
using TestSupport::ReadWholeFile;
using TestSupport::TempFolder;
using TestSupport::WriteWholeFile;

namespace
{

// The default file with one whole line swapped for another ("" removes it).
std::string ReplaceLine(std::string p_Text, const std::string& p_Line, const std::string& p_Replacement)
{
    const size_t at = p_Text.find(p_Line + "\n");
    if (at == std::string::npos)
        throw std::runtime_error("fixture line not found: " + p_Line);
    p_Text.replace(at, p_Line.size() + 1, p_Replacement.empty() ? "" : p_Replacement + "\n");
    return p_Text;
}

std::string Narrow(const Lib::String& p_Text)
{
    return p_Text.ToNarrow().Bytes();
}

class ConfigReaderTest : public testing::Test
{
protected:
    // A store that has read the text from its file and, unless asked not to, merged the defaults.
    ConfigReader& ReadText(const std::string& p_Text, bool p_Merge = true)
    {
        WriteWholeFile(m_Path, p_Text);
        m_Reader = std::make_unique<ConfigReader>(m_Path.c_str());
        EXPECT_TRUE(m_Reader->ReadFile());
        if (p_Merge)
            m_Reader->MergeDefaults();
        return *m_Reader;
    }

    TempFolder m_Folder;
    std::string m_Path = m_Folder.File("gamedata.cfg");
    TestSupport::LogFileRedirect m_LogFile{m_Folder.File("gamelog.txt")};
    CapturingForwarder m_Log;
    std::unique_ptr<ConfigReader> m_Reader;
};

TEST_F(ConfigReaderTest, MissingFileFailsWithTheReasonAndTheDefaultsMakeTheWholeFile)
{
    ConfigReader reader(m_Path.c_str());
    EXPECT_FALSE(reader.ReadFile());
    EXPECT_EQ(reader.Entries().Count(), 0u);
    EXPECT_THAT(m_Log.Messages(),
                testing::Contains("Could not read file \"" + m_Path +
                                  "\", error message: No such file or directory, error code: 2"));

    reader.MergeDefaults();
    EXPECT_TRUE(reader.WriteFile());
    EXPECT_EQ(ReadWholeFile(m_Path), k_DefaultConfigFile);
}

TEST_F(ConfigReaderTest, EachLineBecomesAnEntryByItsTokenCount)
{
    struct Case
    {
        std::string line, kind, name, value;
        int32_t id;
    };
    const std::vector<Case> cases = {
        {"set game_speed 5", "set", "game_speed", "5", Snake::k_ConfigGameSpeed},
        {"set \"grid_mode\" \"3\"", "set", "grid_mode", "3", Snake::k_ConfigGridMode},
        {"bind W \"+moveup\"", "bind", "W", "+moveup", Snake::k_ConfigMoveUp},
        {"bind A \"+jump\"", "bind", "A", "+jump", Snake::k_ConfigNone},
        {"set r_points \"0\" ", "set", "r_points", "0", Snake::k_ConfigShowPoints},
        // The kind of the asking line is not compared: a set line naming a command gets its id.
        {"set +moveleft \"x\"", "set", "+moveleft", "x", Snake::k_ConfigMoveLeft},
        // Everything else is kept whole, quotes included.
        {"bind  TAB \"+scores\"", "bind  TAB \"+scores\"", "", "", 0},
        {"set language \"Deutsch Schweiz\"", "set language \"Deutsch Schweiz\"", "", "", 0},
        {" set r_fps \"1\"", " set r_fps \"1\"", "", "", 0},
        {"set r_fps \"1\"  ", "set r_fps \"1\"  ", "", "", 0},
        {"set r_fps", "set r_fps", "", "", 0},
        {"bind", "bind", "", "", 0},
        {"alias x y", "alias x y", "", "", 0},
        {"// a note", "// a note", "", "", 0},
    };
    // Windows line ends and blank lines must not leave traces in the entries.
    std::string text = "\r\n\n";
    for (const Case& c : cases)
        text += c.line + "\r\n\n";

    const ConfigReader& reader = ReadText(text, false);
    ASSERT_EQ(reader.Entries().Count(), cases.size());
    for (uint32_t i = 0; i < cases.size(); ++i)
    {
        SCOPED_TRACE(cases[i].line);
        const Snake::ConfigEntry& entry = reader.Entries()[i];
        EXPECT_EQ(Narrow(entry.kind), cases[i].kind);
        EXPECT_EQ(Narrow(entry.name), cases[i].name);
        EXPECT_EQ(Narrow(entry.value), cases[i].value);
        EXPECT_EQ(entry.id, cases[i].id);
    }
}

TEST_F(ConfigReaderTest, UnquotedValuesAndQuotedNamesAreWrittenBackInTheOneForm)
{
    ConfigReader& reader = ReadText("set game_speed 5\nset \"grid_mode\" \"3\"\n");
    EXPECT_EQ(Narrow(reader.GetEntryText(Snake::k_ConfigGameSpeed, EntrySide::Value)), "5");
    EXPECT_EQ(Narrow(reader.GetEntryText(Snake::k_ConfigGridMode, EntrySide::Value)), "3");

    ASSERT_TRUE(reader.WriteFile());
    EXPECT_THAT(ReadWholeFile(m_Path),
                testing::StartsWith("set game_speed \"5\"\nset grid_mode \"3\"\n// contains"));
}

TEST_F(ConfigReaderTest, UnparsableAndDeletedLinesSurviveAndMissingDefaultsComeBackAtTheEnd)
{
    std::string fixture = ReplaceLine(k_DefaultConfigFile, "// contains game configuration data", "");
    fixture = ReplaceLine(fixture, "bind TAB \"+scores\"", "bind  TAB \"+scores\"");
    fixture = ReplaceLine(fixture, "set language \"English\"", "set language \"Deutsch Schweiz\"");

    ConfigReader& reader = ReadText(fixture);
    EXPECT_EQ(Narrow(reader.GetEntryText(Snake::k_ConfigScores, EntrySide::Value)), "TAB");
    EXPECT_EQ(Narrow(reader.GetEntryText(Snake::k_ConfigLanguage, EntrySide::Value)), "English");

    ASSERT_TRUE(reader.WriteFile());
    EXPECT_EQ(ReadWholeFile(m_Path),
              fixture +
                  "// contains game configuration data\nbind TAB \"+scores\"\nset language \"English\"\n");
}

TEST_F(ConfigReaderTest, EntryTextComesFromTheSideAskedFor)
{
    // The unknown binding carries id 0 and must not answer for it.
    const ConfigReader& reader = ReadText("bind A \"+jump\"\n");
    struct Case
    {
        int32_t id;
        EntrySide side;
        std::string expected;
    };
    const std::vector<Case> cases = {
        {Snake::k_ConfigMoveLeft, EntrySide::Value, "LEFT_ARROW"},
        {Snake::k_ConfigMoveLeft, EntrySide::Name, "+moveleft"},
        {Snake::k_ConfigLanguage, EntrySide::Value, "English"},
        {Snake::k_ConfigLanguage, EntrySide::Name, "language"},
        {Snake::k_ConfigNone, EntrySide::Value, "Invalid Entry"},
        {Snake::k_ConfigNone, EntrySide::Name, "Invalid Entry"},
        {Snake::k_ConfigFrameCap, EntrySide::Value, "0"}, // appended after the original lines
        {Snake::k_ConfigFrameCap, EntrySide::Name, "r_framecap"},
        {Snake::k_ConfigTurnBuffer, EntrySide::Name, "g_turnbuffer"},
        {Snake::k_ConfigFairStart, EntrySide::Value, "0"}, // the gameplay options are off at first
        {Snake::k_ConfigAutoPause, EntrySide::Name, "g_autopause"},
        {Snake::k_ConfigAttract, EntrySide::Value, "0"}, // attract mode is off unless asked for
        {Snake::k_ConfigAttract, EntrySide::Name, "g_attract"},
        {Snake::k_ConfigSoundVolume, EntrySide::Name, "s_volume"},
        {Snake::k_ConfigSoundVolume, EntrySide::Value, "60"},
        {Snake::k_ConfigSoundMute, EntrySide::Name, "s_mute"},
        {Snake::k_ConfigSoundMute, EntrySide::Value, "0"},
        {Snake::k_ConfigMultisample, EntrySide::Name, "r_multisample"},
        {Snake::k_ConfigMultisample, EntrySide::Value, "auto"},
        {Snake::k_ConfigBotWait, EntrySide::Name, "g_botwait"},
        {Snake::k_ConfigBotWait, EntrySide::Value, "50"},
        {33, EntrySide::Value, "Invalid Entry"},
        {-1, EntrySide::Value, "Invalid Entry"},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.id);
        EXPECT_EQ(Narrow(reader.GetEntryText(c.id, c.side)), c.expected);
    }
}

TEST_F(ConfigReaderTest, SetEntryTextChangesTheKeyOrTheValueAndNothingElse)
{
    ConfigReader& reader = ReadText(k_DefaultConfigFile);
    reader.AddBinding("+moveleft", 360);

    reader.SetEntryText(Snake::k_ConfigMoveLeft, "A");
    reader.SetEntryText(Snake::k_ConfigGameSpeed, "4");
    reader.SetEntryText(Snake::k_ConfigNone, "x");
    reader.SetEntryText(99, "x");

    EXPECT_EQ(Narrow(reader.GetEntryText(Snake::k_ConfigMoveLeft, EntrySide::Value)), "A");
    EXPECT_EQ(Narrow(reader.GetEntryText(Snake::k_ConfigMoveLeft, EntrySide::Name)), "+moveleft");
    EXPECT_EQ(Narrow(reader.GetEntryText(Snake::k_ConfigGameSpeed, EntrySide::Value)), "4");
    EXPECT_EQ(reader.GetKeyForCommand("+moveleft"), 360u);

    ASSERT_TRUE(reader.WriteFile());
    std::string expected =
        ReplaceLine(k_DefaultConfigFile, "bind LEFT_ARROW \"+moveleft\"", "bind A \"+moveleft\"");
    expected = ReplaceLine(expected, "set game_speed \"8\"", "set game_speed \"4\"");
    EXPECT_EQ(ReadWholeFile(m_Path), expected);
}

TEST_F(ConfigReaderTest, TheEarlierOfTwoLinesIsTheOneReadAndChanged)
{
    ConfigReader& reader = ReadText("set game_speed \"3\"\nset game_speed \"9\"\n");
    EXPECT_EQ(Narrow(reader.GetEntryText(Snake::k_ConfigGameSpeed, EntrySide::Value)), "3");

    reader.SetEntryText(Snake::k_ConfigGameSpeed, "5");
    ASSERT_TRUE(reader.WriteFile());
    EXPECT_THAT(ReadWholeFile(m_Path),
                testing::StartsWith("set game_speed \"5\"\nset game_speed \"9\"\n// contains"));
}

TEST(ConfigReaderBindings, FirstBindingOfACommandStays)
{
    ConfigReader reader;
    reader.AddBinding("toggleconsole", 303);
    reader.AddBinding("toggleconsole", 20);
    EXPECT_EQ(reader.GetKeyForCommand("toggleconsole"), 303u);
    EXPECT_EQ(reader.GetKeyForCommand("screenshot"), 0u);
}

TEST(ConfigReaderIds, IdsComeFromCommandsAndVariablesOfTheDefaults)
{
    const ConfigReader reader;
    const std::vector<std::pair<std::string, int32_t>> cases = {
        {"+moveleft", Snake::k_ConfigMoveLeft},
        {"screenshot", Snake::k_ConfigScreenshot},
        {"r_fps", Snake::k_ConfigShowFps},
        {"g_vsync", Snake::k_ConfigVSync},
        {"game_speed", Snake::k_ConfigGameSpeed},
        {"LEFT_ARROW", 0}, // a key name is no command
        {"bind", 0},
        {"Game_speed", 0},
        {"", 0},
        {"// contains game configuration data", 0},
    };
    for (const auto& [name, id] : cases)
        EXPECT_EQ(reader.GetIdForName(name.c_str()), id) << name;
}

TEST_F(ConfigReaderTest, FilesThatAreCompleteComeBackByteForByte)
{
    const std::string longLine = "// " + std::string(1500, 'x') + " Ende";
    const std::vector<std::string> fixtures = {
        ReplaceLine(k_DefaultConfigFile, "set language \"English\"", "set language \"Übergrößenänderung\"") +
            "// Schlüssel für Größe: äöüß ÄÖÜ\n",
        // Lines longer than the file reader's buffer stay single lines with their whole value.
        ReplaceLine(k_DefaultConfigFile, "set language \"English\"",
                    "set language \"" + std::string(1200, 'y') + "ä\"") +
            longLine + "\n",
    };
    for (const std::string& fixture : fixtures)
    {
        ConfigReader& reader = ReadText(fixture);
        ASSERT_TRUE(reader.WriteFile());
        EXPECT_EQ(ReadWholeFile(m_Path), fixture);
    }
    EXPECT_EQ(Narrow(ReadText(fixtures[0]).GetEntryText(Snake::k_ConfigLanguage, EntrySide::Value)),
              "Übergrößenänderung");
}

TEST_F(ConfigReaderTest, ANulByteStaysInItsLineAndTheLinesBehindItAreRead)
{
    const std::string note = std::string("// my note\0with a NUL", 21);
    const std::string fixture =
        ReplaceLine(k_DefaultConfigFile, "set r_fps \"1\"", note + "\nset r_fps \"0\"");
    ConfigReader& reader = ReadText(fixture);
    EXPECT_EQ(Narrow(reader.GetEntryText(Snake::k_ConfigShowFps, EntrySide::Value)), "0");
    ASSERT_TRUE(reader.WriteFile());
    EXPECT_EQ(ReadWholeFile(m_Path), fixture);
}

TEST_F(ConfigReaderTest, ByteOrderMarkTabsAndBytesThatAreNotUtf8AreKept)
{
    struct Case
    {
        const char* name;
        std::string text;    // in the file
        int32_t id;          // the setting that must be read
        std::string value;   // its value
        std::string written; // what the file is afterwards
    };
    const std::string bom = "\xEF\xBB\xBF";
    const std::string latin1Line = "// Gr\xF6\xDF"
                                   "e f\xFC"
                                   "r das Fenster";
    const std::string withSpeedFirst =
        ReplaceLine(k_DefaultConfigFile, "// contains game configuration data", "set game_speed \"5\"");
    const Case cases[] = {
        // The user's setting stands first, hidden behind the mark unless it is skipped.
        {"byte order mark", bom + withSpeedFirst, Snake::k_ConfigGameSpeed, "5",
         bom + withSpeedFirst + "// contains game configuration data\n"},
        {"tabs", ReplaceLine(k_DefaultConfigFile, "set grid_mode \"2\"", "set\tgrid_mode\t\"3\""),
         Snake::k_ConfigGridMode, "3",
         ReplaceLine(k_DefaultConfigFile, "set grid_mode \"2\"", "set grid_mode \"3\"")},
        {"not utf-8",
         ReplaceLine(k_DefaultConfigFile, "set language \"English\"",
                     latin1Line + "\nset language \"Fran\xE7\x61is\""),
         Snake::k_ConfigLanguage, "Fran\xC3\xA7\x61is",
         ReplaceLine(k_DefaultConfigFile, "set language \"English\"",
                     latin1Line + "\nset language \"Fran\xE7\x61is\"")},
    };
    for (const Case& test : cases)
    {
        SCOPED_TRACE(test.name);
        ConfigReader& reader = ReadText(test.text);
        EXPECT_EQ(Narrow(reader.GetEntryText(test.id, EntrySide::Value)), test.value);
        ASSERT_TRUE(reader.WriteFile());
        EXPECT_TRUE(ReadWholeFile(m_Path) == test.written) << ReadWholeFile(m_Path);
    }

    // A value the game changes is written as UTF-8; the untouched lines keep their bytes.
    ConfigReader& reader = ReadText(cases[2].text);
    reader.SetEntryText(Snake::k_ConfigLanguage, "Deutsch");
    ASSERT_TRUE(reader.WriteFile());
    EXPECT_TRUE(ReadWholeFile(m_Path) == ReplaceLine(k_DefaultConfigFile, "set language \"English\"",
                                                     latin1Line + "\nset language \"Deutsch\""));
}

// Saving must never change what a file says: the written text reads back to the same entries.
// These lines once came back different (found by the configuration fuzz target).
TEST_F(ConfigReaderTest, WhatIsWrittenReadsBackToTheSameEntries)
{
    struct Case
    {
        const char* name;
        std::string line;
    };
    const Case cases[] = {
        {"empty value", "set r_fps \"\""},
        {"empty key name", "bind \"\" \"+scores\""},
        {"neither name nor value", "set \"\" \"\""},
        {"a lone kind word", "set"},
        {"two carriage returns", "// note\r\r"},
        {"two carriage returns after a value", "set language \"Deutsch\"\r\r"},
        {"a byte order mark that starts the first line but not the file", "\n\xEF\xBB\xBF// note"},
    };
    for (const Case& test : cases)
    {
        SCOPED_TRACE(test.name);
        const ConfigReader& first = ReadText(test.line + "\n");
        ASSERT_TRUE(first.WriteFile());
        const std::string written = ReadWholeFile(m_Path);
        std::vector<std::string> before;
        for (const Snake::ConfigEntry& entry : first.Entries())
            before.push_back(Narrow(entry.kind) + "|" + Narrow(entry.name) + "|" + Narrow(entry.value) + "|" +
                             std::to_string(entry.id));

        ConfigReader second(m_Path.c_str());
        ASSERT_TRUE(second.ReadFile());
        std::vector<std::string> after;
        for (const Snake::ConfigEntry& entry : second.Entries())
            after.push_back(Narrow(entry.kind) + "|" + Narrow(entry.name) + "|" + Narrow(entry.value) + "|" +
                            std::to_string(entry.id));
        EXPECT_EQ(after, before) << written;
        EXPECT_EQ(second.ComposeText(), written);
    }
}

TEST_F(ConfigReaderTest, AFileThatCannotBeWrittenIsReportedWithTheReason)
{
    const std::string path = m_Folder.File("no-such-folder/gamedata.cfg");
    ConfigReader reader(path.c_str());
    reader.MergeDefaults();
    EXPECT_FALSE(reader.WriteFile());
    EXPECT_THAT(m_Log.Messages(),
                testing::Contains("Could not write file \"" + path + "\": No such file or directory"));
}

TEST_F(ConfigReaderTest, AReadOnlyFileSystemIsNamedAsTheReason)
{
    WriteWholeFile(m_Path, k_DefaultConfigFile);
    const std::string folder = m_Folder.Path().string();
    const int result = TestSupport::RunInChild(
        [&]
        {
            if (!TestSupport::MountReadOnly(folder))
                return TestSupport::k_CannotSetUp;
            ConfigReader reader(m_Path.c_str());
            if (!reader.ReadFile())
                return 1;
            reader.SetEntryText(Snake::k_ConfigGameSpeed, "3");
            if (reader.WriteFile())
                return 2;
            for (const std::string& message : m_Log.Messages())
                if (message == "Could not write file \"" + m_Path + "\": Read-only file system")
                    return 0;
            return 3;
        });
    if (result == TestSupport::k_CannotSetUp)
        GTEST_SKIP() << "no mount namespace here";
    EXPECT_EQ(result, 0);
    EXPECT_EQ(ReadWholeFile(m_Path), k_DefaultConfigFile);
}

TEST_F(ConfigReaderTest, AReadOnlyFileIsNotReplacedAndTheLogSaysSo)
{
    const std::string fixture = "set game_speed 5\n";
    ConfigReader& reader = ReadText(fixture);
    ASSERT_EQ(chmod(m_Path.c_str(), 0444), 0);
    reader.SetEntryText(Snake::k_ConfigGameSpeed, "3");
    EXPECT_FALSE(reader.WriteFile());
    EXPECT_EQ(ReadWholeFile(m_Path), fixture);
    EXPECT_THAT(m_Log.Messages(),
                testing::Contains("Settings not saved to \"" + m_Path + "\": the file is read-only"));

    // Given its write permission back, the same store saves again.
    ASSERT_EQ(chmod(m_Path.c_str(), 0644), 0);
    EXPECT_TRUE(reader.WriteFile());
    EXPECT_THAT(ReadWholeFile(m_Path), testing::StartsWith("set game_speed \"3\"\n"));
}

class ConfigFileKindTest : public testing::TestWithParam<TestSupport::SpecialFileCase>
{
protected:
    TempFolder m_Folder;
    std::string m_Path = m_Folder.File("gamedata.cfg");
    TempFolder m_LogFolder; // the log's own lines must not count as something written beside the file
    TestSupport::LogFileRedirect m_LogFile{m_LogFolder.File("gamelog.txt")};
    CapturingForwarder m_Log;
};

std::string KindCaseName(const testing::TestParamInfo<TestSupport::SpecialFileCase>& p_Info)
{
    return p_Info.param.name;
}

// A "gamedata.cfg" that is a FIFO, a device, a folder ... : the game starts with the defaults,
// names the file in one Error line, and neither the exit, nor a save before a restart, nor the
// store itself writes to that name.
TEST_P(ConfigFileKindTest, TheDefaultsApplyOneErrorLineNamesItAndNothingIsWrittenThere)
{
    if (GetParam().needsRoot && !TestSupport::IsRoot())
        GTEST_SKIP() << "mknod needs root";
    ASSERT_TRUE(GetParam().make(m_Path));
    const TestSupport::NodeIdentity before = TestSupport::Identity(m_Path);
    const std::vector<std::string> names = TestSupport::NamesIn(m_Folder.Path());
    const std::string notRegular = std::string("it is ") + GetParam().kindText + ", not a regular file";

    alarm(30); // a blocking open would hang here for good; the alarm fails the test instead
    {
        ConfigReader reader(m_Path.c_str());
        EXPECT_FALSE(reader.ReadFile());
        EXPECT_TRUE(Lib::RefusedKindOf(reader.ReadErrorCode()).has_value());
        reader.MergeDefaults();
        EXPECT_FALSE(reader.WriteFile());
    }
    m_Log.lines.clear();
    {
        const Lib::Ref<Snake::ApplicationConfig> config = Snake::LoadApplicationConfig(m_Path.c_str());
        EXPECT_EQ(config->GetWindowSettings().clientWidth, 1280u);
        EXPECT_EQ(Narrow(config->GetConfigReader().GetEntryText(Snake::k_ConfigGameSpeed, EntrySide::Value)),
                  "8");
        // What restart does before the new game starts; the end of the scope is the exit's save.
        config->GetConfigReader().SetEntryText(Snake::k_ConfigGameSpeed, "3");
        EXPECT_FALSE(config->GetConfigReader().WriteFile());
    }
    alarm(0);

    std::vector<std::string> errors;
    for (const TestSupport::LogRecord& record : m_Log.Records())
        if (record.level == "Error")
            errors.push_back(record.message);
    EXPECT_EQ(errors, std::vector<std::string>{"\"" + m_Path + "\" is " + GetParam().kindText +
                                               ", not a regular file: it is left alone and the game runs "
                                               "with the default settings"});
    EXPECT_THAT(m_Log.Messages(),
                testing::Contains("Settings not saved to \"" + m_Path + "\": " + notRegular));
    EXPECT_EQ(TestSupport::Identity(m_Path), before);
    EXPECT_EQ(TestSupport::NamesIn(m_Folder.Path()), names);
}

// A file that was missing at the start but is a FIFO or the like by the time of the save.
TEST_P(ConfigFileKindTest, ANodeThatAppearsBeforeTheSaveIsNotWritten)
{
    if (GetParam().needsRoot && !TestSupport::IsRoot())
        GTEST_SKIP() << "mknod needs root";
    ConfigReader reader(m_Path.c_str());
    EXPECT_FALSE(reader.ReadFile());
    EXPECT_EQ(reader.ReadErrorCode(), ENOENT);
    reader.MergeDefaults();
    ASSERT_TRUE(GetParam().make(m_Path));
    const TestSupport::NodeIdentity before = TestSupport::Identity(m_Path);
    alarm(30);
    EXPECT_FALSE(reader.WriteFile());
    alarm(0);
    EXPECT_THAT(m_Log.Messages(), testing::Contains("Could not write file \"" + m_Path + "\": it is " +
                                                    GetParam().kindText + ", not a regular file"));
    EXPECT_EQ(TestSupport::Identity(m_Path), before);
}

INSTANTIATE_TEST_SUITE_P(Kinds, ConfigFileKindTest, testing::ValuesIn(TestSupport::SpecialFileCases()),
                         KindCaseName);
} // namespace
