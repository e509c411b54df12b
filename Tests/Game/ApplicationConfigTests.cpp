#include "Game/ApplicationConfig.h"
#include "Lib/Platform/File.h"

#include "Support/CapturingForwarder.h"
#include "Support/DefaultConfigFile.h"
#include "Support/LogFileRedirect.h"
#include "Support/LogLines.h"
#include "Support/TempFolder.h"
#include "Support/Unprivileged.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>
#include <vector>

using Snake::ApplicationConfig;
using Snake::EntrySide;
using TestSupport::CapturingForwarder;
using TestSupport::k_DefaultConfigFile;
using TestSupport::ReadWholeFile;
using TestSupport::TempFolder;
using TestSupport::WriteWholeFile;

namespace
{

class ApplicationConfigTest : public testing::Test
{
protected:
    Lib::Ref<ApplicationConfig> LoadText(const std::string& p_Text,
                                         const std::string& p_Name = "gamedata.cfg")
    {
        WriteWholeFile(m_Folder.File(p_Name), p_Text);
        return Snake::LoadApplicationConfig(m_Folder.File(p_Name).c_str());
    }

    TempFolder m_Folder;
    std::string m_Path = m_Folder.File("gamedata.cfg");
    TestSupport::LogFileRedirect m_LogFile{m_Folder.File("gamelog.txt")};
    CapturingForwarder m_Log;
};

TEST_F(ApplicationConfigTest, FirstStartWritesTheDefaultsAtOnce)
{
    const Lib::Ref<ApplicationConfig> config = Snake::LoadApplicationConfig(m_Path.c_str());
    ASSERT_TRUE(config);
    EXPECT_EQ(config->ReferenceCount(), 1);
    EXPECT_TRUE(config->GetConfigReader().IsLoaded());
    EXPECT_THAT(m_Log.Messages(),
                testing::Contains("Could not read file \"" + m_Path +
                                  "\", error message: No such file or directory, error code: 2"));
    EXPECT_EQ(ReadWholeFile(m_Path), k_DefaultConfigFile);
}

TEST_F(ApplicationConfigTest, DefaultsGiveTheStartUpSettings)
{
    const Lib::Ref<ApplicationConfig> config = Snake::LoadApplicationConfig(m_Path.c_str());
    const Telvar::EngineSettings& engine = config->GetEngineSettings();
    EXPECT_EQ(engine.loopMode, 2);
    EXPECT_TRUE(engine.redrawOnChange);
    EXPECT_EQ(engine.rendererApi, 0);
    EXPECT_EQ(engine.gpu.preferredIndex, 0);

    const Vozad::WindowSettings& window = config->GetWindowSettings();
    EXPECT_EQ(window.monitorIndex, 0);
    EXPECT_EQ(window.minimumWidth, 640);
    EXPECT_EQ(window.minimumHeight, 480);
    EXPECT_EQ(window.x, 0);
    EXPECT_EQ(window.y, 0);
    EXPECT_EQ(window.clientWidth, 1280u);
    EXPECT_EQ(window.clientHeight, 720u);
    EXPECT_EQ(window.title.ToNarrow().Bytes(), "VORL");
    EXPECT_FALSE(window.resizable);
    EXPECT_TRUE(window.focus);
    EXPECT_EQ(window.windowMode, 1);
    EXPECT_EQ(window.targetFullscreenMode, 0);
    EXPECT_EQ(window.supportedWindowModes, 7);
}

TEST_F(ApplicationConfigTest, AReadableFileIsLeftAloneUntilTheEnd)
{
    const std::string fixture = "// mine\nset game_speed 5\nbind  TAB x\n";
    const Lib::Ref<ApplicationConfig> config = LoadText(fixture);
    EXPECT_EQ(ReadWholeFile(m_Path), fixture);
    EXPECT_TRUE(m_Log.Messages().empty());
}

TEST_F(ApplicationConfigTest, SettingsFromTheFileReachTheEngineAndTheWindow)
{
    const Lib::Ref<ApplicationConfig> config =
        LoadText("set r_customheight \"900\"\nset r_currentmonitor \"1\"\n"
                 "set r_renderer \"1\"\nset r_gpu \"2\"\nset r_customwidth 1024\n");
    EXPECT_EQ(config->GetWindowSettings().clientWidth, 1024u);
    EXPECT_EQ(config->GetWindowSettings().clientHeight, 900u);
    EXPECT_EQ(config->GetWindowSettings().monitorIndex, 1);
    EXPECT_EQ(config->GetEngineSettings().rendererApi, 1);
    EXPECT_EQ(config->GetEngineSettings().gpu.preferredIndex, 2);
}

// The multisampling setting reaches the engine before the window exists; a text the game does not
// know falls back to automatic, says so once, and stays in the settings as the player wrote it.
TEST_F(ApplicationConfigTest, MultisamplingReachesTheEngineAndABadValueFallsBackToAutomatic)
{
    const struct
    {
        const char* line;
        int32_t setting;
        const char* warning;
    } cases[] = {
        {"set r_multisample \"8\"\n", 8, nullptr},
        {"set r_multisample \"off\"\n", Vozad::k_MultisampleOff, nullptr},
        {"", Vozad::k_MultisampleAutomatic, nullptr},
        {"set r_multisample \"16x\"\n", Vozad::k_MultisampleAutomatic,
         "Setting \"r_multisample\" has the value \"16x\", which cannot be used: auto is used instead"},
    };
    for (const auto& c : cases)
    {
        m_Log.lines.clear();
        const Lib::Ref<ApplicationConfig> config = LoadText(c.line);
        EXPECT_EQ(config->GetEngineSettings().multisample, c.setting) << c.line;
        std::vector<std::string> warnings;
        for (const TestSupport::LogRecord& record : m_Log.Records())
            if (record.level == "Warning")
                warnings.push_back(record.message);
        EXPECT_EQ(warnings, c.warning ? std::vector<std::string>{c.warning} : std::vector<std::string>{})
            << c.line;
        if (c.warning)
        {
            EXPECT_EQ(config->GetConfigReader()
                          .GetEntryText(Snake::k_ConfigMultisample, EntrySide::Value)
                          .ToNarrow()
                          .Bytes(),
                      "16x");
        }
    }
}

// A file with bad values the game cannot use, as a player might leave it: each is named once in a
// Warning with the value used instead, the engine and window get those values, and the file is
// written back byte for byte.
std::string WithBadValues()
{
    std::string text = k_DefaultConfigFile;
    const std::pair<const char*, const char*> replacements[] = {
        {"bind LEFT_ARROW", "bind LEFT \"+moveleft\"\nbind LEFT_ARROW"},
        {"set r_customwidth \"1280\"", "set r_customwidth \"wide\""},
        {"set r_currentmonitor \"0\"", "set r_currentmonitor \"-2\""},
        {"set r_windowmode \"0\"", "set r_windowmode \"7\""},
        {"set g_vsync \"1\"", "set g_vsync \"yes\""},
        {"set language \"English\"", "set language \"Klingon\""},
        {"set grid_mode \"2\"", "set grid_mode \"nan\""},
        {"set game_speed \"8\"", "set game_speed \"inf\""},
        {"set r_framecap \"0\"", "set r_framecap \"060\""}, // exactly 60: used as it stands
        {"set s_volume \"60\"", "set s_volume \"-5\""},
        {"set r_multisample \"auto\"", "set r_multisample \"16x\""},
    };
    for (const auto& [old, replacement] : replacements)
    {
        const size_t at = text.find(old);
        EXPECT_NE(at, std::string::npos) << old;
        text.replace(at, std::string(old).size(), replacement);
    }
    return text;
}

const std::vector<std::string> k_BadValueWarnings = {
    "Setting \"+moveleft\" has the value \"LEFT\", which cannot be used: no key is used instead",
    "Setting \"r_customwidth\" has the value \"wide\", which cannot be used: 1280 is used instead",
    "Setting \"r_currentmonitor\" has the value \"-2\", which cannot be used: 0 is used instead",
    "Setting \"r_windowmode\" has the value \"7\", which cannot be used: 0 is used instead",
    "Setting \"g_vsync\" has the value \"yes\", which cannot be used: 0 is used instead",
    "Setting \"language\" has the value \"Klingon\", which cannot be used: English is used instead",
    "Setting \"grid_mode\" has the value \"nan\", which cannot be used: 2 is used instead",
    "Setting \"game_speed\" has the value \"inf\", which cannot be used: 8 is used instead",
    "Setting \"s_volume\" has the value \"-5\", which cannot be used: 0 is used instead",
    "Setting \"r_multisample\" has the value \"16x\", which cannot be used: auto is used instead",
};

// The Warning lines of the setting check in a log file, in their order.
std::vector<std::string> SettingWarnings(const std::string& p_LogFile)
{
    return TestSupport::WarningsOf(ReadWholeFile(p_LogFile), "ConfigReader", "Setting \"");
}

TEST_F(ApplicationConfigTest, EveryValueThatCannotBeUsedIsNamedOnceAndTheFileKeepsItsBytes)
{
    const std::string text = WithBadValues();
    {
        const Lib::Ref<ApplicationConfig> config = LoadText(text);
        EXPECT_EQ(SettingWarnings(m_Folder.File("gamelog.txt")), k_BadValueWarnings);
        const Vozad::WindowSettings& window = config->GetWindowSettings();
        EXPECT_EQ(window.clientWidth, 1280u);
        EXPECT_EQ(window.monitorIndex, 0);
        EXPECT_EQ(window.windowMode, Vozad::k_WindowModeWindowed);
        EXPECT_EQ(config->GetEngineSettings().multisample, Vozad::k_MultisampleAutomatic);
        EXPECT_EQ(config->GetEngineSettings().rendererApi, 0);
        EXPECT_EQ(config->GetConfigReader().GetKeyForCommand("+moveleft"), 0u);
    }
    EXPECT_EQ(ReadWholeFile(m_Path), text) << "written back as it was read";
}

// A renderer the engine does not have is not replaced: the start ends with an Error that names
// the setting. Text that is no number, or a negative one, asks for no renderer either.
TEST_F(ApplicationConfigTest, ARendererTextOtherThanZeroOrOneNamesNoRenderer)
{
    const std::pair<const char*, int32_t> cases[] = {
        {"0", 0},
        {"1", 1},
        {"01", 1},
        {"2", 2},
        {"vulkan", Snake::k_RendererUnknown},
        {"-1", Snake::k_RendererUnknown},
        {"", Snake::k_RendererUnknown},
    };
    for (const auto& [value, renderer] : cases)
    {
        const Lib::Ref<ApplicationConfig> config =
            LoadText(std::string("set r_renderer \"") + value + "\"\n", "renderer.cfg");
        EXPECT_EQ(config->GetEngineSettings().rendererApi, renderer) << value;
    }
    EXPECT_TRUE(SettingWarnings(m_Folder.File("gamelog.txt")).empty()) << "the engine's start says it";
}

TEST_F(ApplicationConfigTest, TheLaterOfTwoWidthLinesSizesTheWindowWhileTheEarlierIsReported)
{
    const Lib::Ref<ApplicationConfig> config =
        LoadText("set r_customwidth \"1024\"\nset r_customwidth \"1600\"\n");
    EXPECT_EQ(config->GetWindowSettings().clientWidth, 1600u);
    EXPECT_EQ(config->GetConfigReader()
                  .GetEntryText(Snake::k_ConfigCustomWidth, EntrySide::Value)
                  .ToNarrow()
                  .Bytes(),
              "1024");
}

TEST_F(ApplicationConfigTest, WindowModeAndClientSizeFollowTheirTables)
{
    // Anything but 0, 1 and 2 is windowed.
    const std::vector<std::pair<std::string, int32_t>> modes = {
        {"0", 1}, {"1", 2}, {"2", 4}, {"3", 1}, {"x", 1}, {"-1", 1}, {"01", 2}, {"2x", 1},
    };
    for (const auto& [text, code] : modes)
    {
        const Lib::Ref<ApplicationConfig> config =
            LoadText("set r_windowmode \"" + text + "\"\n", "mode.cfg");
        EXPECT_EQ(config->GetWindowSettings().windowMode, code) << text;
    }
    // Text that is no number gives the default; a negative size, which would otherwise wrap into
    // a huge unsigned width, the window's minimum. 0 is the window's to hold to its minimum.
    const std::vector<std::pair<std::string, uint32_t>> widths = {
        {"1024", 1024u}, {"abc", 1280u}, {"-5", 640u}, {"800px", 1280u}, {"0", 0u}, {"01024", 1024u},
    };
    for (const auto& [text, width] : widths)
    {
        const Lib::Ref<ApplicationConfig> config =
            LoadText("set r_customwidth \"" + text + "\"\n", "width.cfg");
        EXPECT_EQ(config->GetWindowSettings().clientWidth, width) << text;
    }
}

TEST_F(ApplicationConfigTest, KeyNamesResolveAndTheFirstBindingOfACommandWins)
{
    const Lib::Ref<ApplicationConfig> config =
        LoadText("bind A \"+moveleft\"\nbind w \"+moveup\"\nbind NOPE \"screenshot\"\n");
    const Snake::ConfigReader& store = config->GetConfigReader();
    EXPECT_EQ(store.GetKeyForCommand("+moveleft"), 65u);
    EXPECT_EQ(store.GetKeyForCommand("+moveup"), 87u);
    EXPECT_EQ(store.GetKeyForCommand("screenshot"), 0u);      // the unknown key stands first
    EXPECT_EQ(store.GetKeyForCommand("toggleconsole"), 303u); // default bind line "~"
    EXPECT_EQ(store.GetKeyForCommand("+moveright"), 361u);
    EXPECT_EQ(store.GetKeyForCommand("+scores"), 0u); // TAB has no name in the key table
    EXPECT_EQ(store.GetKeyForCommand("+jump"), 0u);
}

TEST_F(ApplicationConfigTest, TheLastReferenceSavesTheChangedSettings)
{
    Lib::Ref<ApplicationConfig> config = LoadText(k_DefaultConfigFile);
    config->GetConfigReader().SetEntryText(Snake::k_ConfigGameSpeed, "3");
    Lib::Ref<ApplicationConfig> game = config;
    EXPECT_EQ(config->ReferenceCount(), 2);

    config.Reset();
    EXPECT_EQ(ReadWholeFile(m_Path), k_DefaultConfigFile);

    game.Reset();
    std::string expected = k_DefaultConfigFile;
    const std::string before = "set game_speed \"8\"";
    expected.replace(expected.find(before), before.size(), "set game_speed \"3\"");
    EXPECT_EQ(ReadWholeFile(m_Path), expected);
}
TEST_F(ApplicationConfigTest, AnUnreadableFileRunsWithTheDefaultsAndIsNeverReplaced)
{
    // Mode 000 and another owner: readable for no one but its owner, root. The check runs as
    // another user; root would read the file.
    const std::string fixture = "set game_speed 5\nset r_customwidth \"1024\"\n";
    WriteWholeFile(m_Path, fixture);
    ASSERT_EQ(chmod(m_Path.c_str(), 0000), 0);
    TestSupport::OpenToEveryone(m_Folder.Path());
    const int result = TestSupport::RunInChild(
        [&]
        {
            if (!TestSupport::BecomeUnprivileged())
                return TestSupport::k_CannotSetUp;
            {
                const Lib::Ref<ApplicationConfig> config = Snake::LoadApplicationConfig(m_Path.c_str());
                if (config->GetWindowSettings().clientWidth != 1280u)
                    return 1;
                // A change during the game must not reach the file either.
                config->GetConfigReader().SetEntryText(Snake::k_ConfigGameSpeed, "3");
            }
            const std::vector<TestSupport::LogRecord> records = m_Log.Records();
            const auto has = [&](const std::string& p_Level, const std::string& p_Message)
            {
                for (const TestSupport::LogRecord& record : records)
                    if (record.level == p_Level && record.message == p_Message)
                        return true;
                return false;
            };
            if (!has("Error", "Could not read file \"" + m_Path +
                                  "\", error message: Permission denied, error code: 13"))
                return 2;
            if (!has("Error", "\"" + m_Path +
                                  "\" exists but cannot be read: the game runs with the default settings "
                                  "and leaves the file as it is"))
                return 3;
            return has("Warning", "Settings not saved to \"" + m_Path + "\": it could not be read at start")
                       ? 0
                       : 4;
        });
    ASSERT_NE(result, TestSupport::k_CannotSetUp) << "could not become another user";
    EXPECT_EQ(result, 0);
    struct stat info
    {
    };
    ASSERT_EQ(stat(m_Path.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0u);
    EXPECT_EQ(info.st_uid, 0u);
    EXPECT_EQ(ReadWholeFile(m_Path), fixture);
}

TEST_F(ApplicationConfigTest, ASecondGameInTheFolderSaysSoAndLeavesTheFileToTheFirst)
{
    Lib::Ref<ApplicationConfig> first = Snake::LoadApplicationConfig(m_Path.c_str());
    const std::string written = ReadWholeFile(m_Path);
    ASSERT_EQ(written, k_DefaultConfigFile);
    Lib::Ref<ApplicationConfig> second = Snake::LoadApplicationConfig(m_Path.c_str());
    EXPECT_THAT(m_Log.Messages(),
                testing::Contains("Another instance of the game is running in this folder: this one does not "
                                  "save its settings to \"" +
                                  m_Path + "\""));

    second->GetConfigReader().SetEntryText(Snake::k_ConfigGameSpeed, "2");
    second.Reset();
    EXPECT_EQ(ReadWholeFile(m_Path), written);

    first->GetConfigReader().SetEntryText(Snake::k_ConfigGameSpeed, "4");
    first.Reset();
    EXPECT_THAT(ReadWholeFile(m_Path), testing::HasSubstr("set game_speed \"4\"\n"));

    // The first has gone: the next one is the owner again.
    Lib::Ref<ApplicationConfig> third = Snake::LoadApplicationConfig(m_Path.c_str());
    third->GetConfigReader().SetEntryText(Snake::k_ConfigGameSpeed, "6");
    third.Reset();
    EXPECT_THAT(ReadWholeFile(m_Path), testing::HasSubstr("set game_speed \"6\"\n"));
}

TEST_F(ApplicationConfigTest, TheLeftoverOfAWriteKilledHalfwayIsRemovedAtTheNextStart)
{
    WriteWholeFile(m_Path, k_DefaultConfigFile);
    // A real kill in the middle of the write: the file size limit stops the writer with SIGXFSZ
    // once part of the text is in its temporary file.
    const int result = TestSupport::RunInChild(
        [&]
        {
            signal(SIGXFSZ, SIG_DFL);
            rlimit limit{};
            limit.rlim_cur = limit.rlim_max = 1000;
            setrlimit(RLIMIT_FSIZE, &limit);
            Lib::WriteFileBytes(m_Path.c_str(), std::string(5000, 'z'));
            return 0;
        });
    ASSERT_EQ(result, 128 + SIGXFSZ);
    std::vector<std::string> leftovers;
    for (const auto& entry : std::filesystem::directory_iterator(m_Folder.Path()))
        if (entry.path().filename().string().starts_with("gamedata.cfg.tmp-"))
            leftovers.push_back(entry.path().string());
    ASSERT_EQ(leftovers.size(), 1u);
    EXPECT_EQ(std::filesystem::file_size(leftovers[0]), 1000u);

    const Lib::Ref<ApplicationConfig> config = LoadText(k_DefaultConfigFile);
    EXPECT_FALSE(std::filesystem::exists(leftovers[0]));
    EXPECT_EQ(ReadWholeFile(m_Path), k_DefaultConfigFile);
}
} // namespace
