// Runs the built program in empty temporary folders without an X display, so that the engine
// cannot open its window, and checks what a first and a second start leave behind.
#include "Support/LogLines.h"
#include "Support/RunProgram.h"
#include "Support/TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <optional>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

using TestSupport::Lines;
using TestSupport::MessageOf;
using TestSupport::ReadWholeFile;
using TestSupport::RunProgram;
using TestSupport::TempFolder;

namespace
{
// The program as started from a shell without an X display: SDL is held to X11 so that it cannot
// fall back to an off-screen driver, and the window cannot open.
TestSupport::ProgramResult RunWithoutDisplay(const std::vector<std::string>& p_Arguments,
                                             const TempFolder& p_Folder)
{
    const char* display = getenv("DISPLAY");
    const std::string saved = display ? display : "";
    unsetenv("DISPLAY");
    setenv("SDL_VIDEODRIVER", "x11", 1);
    const auto result = RunProgram(VORL_EXECUTABLE, p_Arguments, p_Folder.Path().string());
    unsetenv("SDL_VIDEODRIVER");
    if (display)
        setenv("DISPLAY", saved.c_str(), 1);
    return result;
}

bool HasMessage(const std::vector<std::string>& p_Lines, const std::string& p_Tag,
                const std::string& p_Message)
{
    for (const std::string& line : p_Lines)
        if (MessageOf(line, p_Tag) == p_Message)
            return true;
    return false;
}
} // namespace

TEST(StartupTest, FirstStartWithoutDisplayEndsWith6000AndWritesTheDefaults)
{
    TempFolder folder;
    const auto result = RunWithoutDisplay({"-terminal_output"}, folder);
    ASSERT_TRUE(result.exited);
    EXPECT_EQ(result.exitStatus, 6000 % 256);

    const std::vector<std::string> log = Lines(ReadWholeFile(folder.File("gamelog.txt")));
    ASSERT_FALSE(log.empty());
    EXPECT_FALSE(std::filesystem::exists(folder.File("logfile.txt")));
    EXPECT_TRUE(HasMessage(log, "CorvanEntry", "==== Initialise Orvane - Quarne Engine"));
    EXPECT_TRUE(HasMessage(log, "CorvanEntry", "Platform subsystem successfully initialised ===="));
    EXPECT_TRUE(HasMessage(log, "CorvanEntry", "Failed to initialise Window subsystem ===="));
    EXPECT_TRUE(HasMessage(
        log, "ConfigReader",
        "Could not read file \"gamedata.cfg\", error message: No such file or directory, error code: 2"));
    bool errorLine = false;
    for (const std::string& line : log)
        errorLine |= line.find("] Error    |") != std::string::npos &&
                     MessageOf(line, "EngineWrapper") == "Failed to initialise the engine.";
    EXPECT_TRUE(errorLine);
    EXPECT_EQ(MessageOf(log.back(), "AppEntry"), "Exit code: 6000");

    // Standard output carries the same lines as the file.
    EXPECT_EQ(ReadWholeFile(folder.File("stdout.txt")), ReadWholeFile(folder.File("gamelog.txt")));

    const std::vector<std::string> config = Lines(ReadWholeFile(folder.File("gamedata.cfg")));
    // The 31 original lines come first, as they always were; settings added later follow them.
    ASSERT_EQ(config.size(), 40u);
    EXPECT_EQ(config.front(), "// contains game configuration data");
    EXPECT_EQ(config[3], "bind ~ \"toggleconsole\"");
    EXPECT_EQ(config[11], "set r_customwidth \"1280\"");
    EXPECT_EQ(config[30], "// - Windowed");
    EXPECT_EQ(config[31], "set r_framecap \"0\"");
    EXPECT_EQ(config[32], "set g_turnbuffer \"0\"");
    EXPECT_EQ(config[33], "set g_fairstart \"0\"");
    EXPECT_EQ(config[34], "set g_autopause \"0\"");
    EXPECT_EQ(config[35], "set g_attract \"0\"");
    EXPECT_EQ(config[36], "set s_volume \"60\"");
    EXPECT_EQ(config[37], "set s_mute \"0\"");
    EXPECT_EQ(config[38], "set r_multisample \"auto\"");
    EXPECT_EQ(config.back(), "set g_botwait \"50\"");
}

TEST(StartupTest, SecondStartKeepsTheUsersConfigurationAndAppendsToTheLog)
{
    TempFolder folder;
    TestSupport::WriteWholeFile(folder.File("gamedata.cfg"), "set language \"Deutsch\"\n"
                                                             "my own note, kept as it is\n"
                                                             "set game_speed 5\n");
    ASSERT_TRUE(RunWithoutDisplay({}, folder).exited);
    const std::string firstLog = ReadWholeFile(folder.File("gamelog.txt"));
    const auto result = RunWithoutDisplay({}, folder);
    ASSERT_TRUE(result.exited);
    EXPECT_EQ(result.exitStatus, 6000 % 256);

    const std::string secondLog = ReadWholeFile(folder.File("gamelog.txt"));
    EXPECT_GT(secondLog.size(), firstLog.size());
    EXPECT_EQ(secondLog.substr(0, firstLog.size()), firstLog);

    const std::vector<std::string> config = Lines(ReadWholeFile(folder.File("gamedata.cfg")));
    ASSERT_GE(config.size(), 3u);
    EXPECT_EQ(config[0], "set language \"Deutsch\"");
    EXPECT_EQ(config[1], "my own note, kept as it is");
    EXPECT_EQ(config[2], "set game_speed \"5\"");
    // Every other default came back behind the user's lines, once.
    EXPECT_EQ(config.size(), 3u + 40u - 2u);
}

TEST(StartupTest, LeftoversOfAKilledWriteGoAndTheUsersBytesStay)
{
    TempFolder folder;
    // What a write killed halfway leaves: a temporary file of a process that no longer runs.
    const pid_t ended = fork();
    if (ended == 0)
        _exit(0);
    waitpid(ended, nullptr, 0);
    const std::string leftover = folder.File("gamedata.cfg.tmp-" + std::to_string(ended));
    TestSupport::WriteWholeFile(leftover, "set game_speed \"");

    // A byte order mark, a NUL byte in a note, a line with tabs and text in Latin-1, as editors
    // on other systems leave them.
    std::string config = "\xEF\xBB\xBF"
                         "set r_fps \"0\"\n";
    config += std::string("// note\0 with a NUL\n", 20);
    config += "set\tr_points\t\"0\"\n";
    config += "// Gr\xF6\xDF"
              "e\n";
    config += "set language \"Fran\xE7"
              "ais\"\n";
    TestSupport::WriteWholeFile(folder.File("gamedata.cfg"), config);

    ASSERT_TRUE(RunWithoutDisplay({}, folder).exited);
    EXPECT_FALSE(std::filesystem::exists(leftover));
    const std::string written = ReadWholeFile(folder.File("gamedata.cfg"));
    // Each of the user's lines was understood (no default came back for it) and kept; only the
    // line with tabs is written in the usual form.
    std::string expected = config;
    expected.replace(expected.find("set\tr_points\t"), 13, "set r_points ");
    ASSERT_TRUE(written.starts_with(expected)) << written;
    const std::vector<std::string> lines = Lines(written.substr(expected.size()));
    EXPECT_EQ(lines.size(), 40u - 3u);
    for (const std::string& line : lines)
        EXPECT_TRUE(line.find("r_fps") == std::string::npos && line.find("r_points") == std::string::npos &&
                    line.find("language") == std::string::npos)
            << line;
}

TEST(StartupTest, ALogWithoutLineBreaksIsNotEmptiedByTheNextRun)
{
    TempFolder folder;
    const std::string old(1048576 + 10, 'a');
    TestSupport::WriteWholeFile(folder.File("gamelog.txt"), old);
    ASSERT_TRUE(RunWithoutDisplay({}, folder).exited);
    const std::string log = ReadWholeFile(folder.File("gamelog.txt"));
    ASSERT_GT(log.size(), old.size());
    EXPECT_TRUE(log.starts_with(old));
    EXPECT_EQ(MessageOf(Lines(log).back(), "AppEntry"), "Exit code: 6000");
}

namespace
{
// The Error lines of a log as "tag: message".
std::vector<std::string> ErrorLines(const std::vector<std::string>& p_Log)
{
    std::vector<std::string> errors;
    for (const std::string& line : p_Log)
    {
        if (line.find("] Error    |") == std::string::npos)
            continue;
        const size_t tag = line.find_first_not_of(' ', line.find("| ", line.find("| TID:") + 6) + 2);
        errors.push_back(line.substr(tag));
    }
    return errors;
}

// Sets environment variables (null: unset) for the life of the object.
class ScopedEnvironment
{
public:
    explicit ScopedEnvironment(std::vector<std::pair<std::string, const char*>> p_Values)
    {
        for (const auto& [name, value] : p_Values)
        {
            const char* old = getenv(name.c_str());
            m_Saved.push_back({name, old ? std::optional<std::string>(old) : std::nullopt});
            if (value)
                setenv(name.c_str(), value, 1);
            else
                unsetenv(name.c_str());
        }
    }
    ~ScopedEnvironment()
    {
        for (const auto& [name, value] : m_Saved)
        {
            if (value)
                setenv(name.c_str(), value->c_str(), 1);
            else
                unsetenv(name.c_str());
        }
    }

private:
    std::vector<std::pair<std::string, std::optional<std::string>>> m_Saved;
};
} // namespace

// As a player meets it: no display at all and no video driver asked for. The log says that, once,
// without SDL's stale complaint about a device index.
TEST(StartupTest, WithoutADisplayTheLogSaysSoAndNothingMisleading)
{
    TempFolder folder;
    TestSupport::ProgramResult result;
    {
        ScopedEnvironment environment(
            {{"DISPLAY", nullptr}, {"WAYLAND_DISPLAY", nullptr}, {"SDL_VIDEODRIVER", nullptr}});
        result = RunProgram(VORL_EXECUTABLE, {}, folder.Path().string());
    }
    ASSERT_TRUE(result.exited);
    EXPECT_EQ(result.exitStatus, 6000 % 256);
    const std::vector<std::string> errors = ErrorLines(Lines(ReadWholeFile(folder.File("gamelog.txt"))));
    std::vector<std::string> window;
    for (const std::string& line : errors)
    {
        EXPECT_EQ(line.find("devindex"), std::string::npos) << line;
        if (line.rfind("EngineWindow:", 0) == 0)
            window.push_back(line);
    }
    EXPECT_EQ(window, (std::vector<std::string>{
                          "EngineWindow: No display could be reached (SDL offers only its offscreen driver).",
                          "EngineWindow: Unable to create the window."}));
}

// A renderer value the engine has no renderer for names the setting and its value first.
TEST(StartupTest, AnUnknownRendererNamesTheSettingAndTheValue)
{
    ASSERT_NE(getenv("DISPLAY"), nullptr) << "the test command provides an X display";
    TempFolder folder;
    TestSupport::WriteWholeFile(folder.File("gamedata.cfg"), "set r_renderer \"5\"\n");
    const auto result = RunProgram(VORL_EXECUTABLE, {}, folder.Path().string());
    ASSERT_TRUE(result.exited);
    EXPECT_EQ(result.exitStatus, 6000 % 256);
    const std::vector<std::string> errors = ErrorLines(Lines(ReadWholeFile(folder.File("gamelog.txt"))));
    ASSERT_FALSE(errors.empty());
    EXPECT_EQ(errors.front(),
              "EngineWrapper: The setting \"r_renderer\" is \"5\": it must be 0 (OpenGL) or 1 (Vulkan).");
    EXPECT_EQ(errors.back(), "EngineWrapper: Failed to initialise the engine.");
}
