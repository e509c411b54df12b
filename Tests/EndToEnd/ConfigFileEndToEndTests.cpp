// Plays the built game with a real window in folders whose "gamedata.cfg" a player has protected,
// or shares with a second game, and checks what is on disk afterwards and what the log said. Each
// fixture holds a value without quotes: any write of the file would add them, so the bytes show
// whether the game wrote the file at all.
#include "Support/DefaultConfigFile.h"
#include "Support/GameSession.h"
#include "Support/LogLines.h"
#include "Support/TempFolder.h"
#include "Support/Unprivileged.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <sys/stat.h>
#include <vector>

using TestSupport::GameSession;
using TestSupport::ReadWholeFile;
using TestSupport::TempFolder;
using TestSupport::WriteWholeFile;

namespace
{
const std::string k_Fixture = "set game_speed 5\n" + TestSupport::k_DefaultConfigFile;

// The game run as the unprivileged user "nobody", for files that root could read or write anyway.
const std::vector<std::string> k_AsNobody = {"--reuid=65534", "--regid=65534", "--clear-groups",
                                             VORL_EXECUTABLE};
constexpr const char* k_SetPriv = "/usr/bin/setpriv";

bool LogHas(const std::string& p_Log, const std::string& p_Level, const std::string& p_Message)
{
    for (const std::string& line : TestSupport::Lines(p_Log))
        if (line.find("] " + p_Level) != std::string::npos &&
            TestSupport::MessageOf(line, "ConfigReader") == p_Message)
            return true;
    return false;
}

mode_t ModeOf(const std::string& p_Path)
{
    struct stat info
    {
    };
    return stat(p_Path.c_str(), &info) == 0 ? info.st_mode & 07777 : 07777;
}

// Opens the game's window, then ends it as a desktop session would; it saves when it may.
void PlayAndEnd(GameSession& p_Game)
{
    ASSERT_TRUE(p_Game.Open()) << p_Game.Log();
    const auto result = p_Game.Terminate();
    ASSERT_TRUE(result.exited);
    EXPECT_EQ(result.exitStatus, 0);
}
} // namespace

TEST(ConfigFileEndToEnd, AnUnreadableConfigurationIsNeitherReplacedNorWritten)
{
    TempFolder folder;
    TestSupport::OpenToEveryone(folder.Path());
    const std::string path = folder.File("gamedata.cfg");
    WriteWholeFile(path, k_Fixture);
    ASSERT_EQ(chmod(path.c_str(), 0000), 0);

    GameSession game(folder, k_SetPriv, k_AsNobody);
    PlayAndEnd(game);
    EXPECT_EQ(ReadWholeFile(path), k_Fixture);
    EXPECT_EQ(ModeOf(path), 0000u);
    EXPECT_TRUE(
        LogHas(game.Log(), "Error",
               "\"gamedata.cfg\" exists but cannot be read: the game runs with the default settings and "
               "leaves the file as it is"))
        << game.Log();
    EXPECT_TRUE(LogHas(game.Log(), "Warning",
                       "Settings not saved to \"gamedata.cfg\": it could not be read at start"));
}

TEST(ConfigFileEndToEnd, AReadOnlyConfigurationIsNotReplacedAtExit)
{
    TempFolder folder;
    const std::string path = folder.File("gamedata.cfg");
    WriteWholeFile(path, k_Fixture);
    ASSERT_EQ(chmod(path.c_str(), 0444), 0);

    GameSession game(folder, VORL_EXECUTABLE);
    PlayAndEnd(game);
    EXPECT_EQ(ReadWholeFile(path), k_Fixture);
    EXPECT_EQ(ModeOf(path), 0444u);
    EXPECT_TRUE(
        LogHas(game.Log(), "Warning", "Settings not saved to \"gamedata.cfg\": the file is read-only"))
        << game.Log();
}

TEST(ConfigFileEndToEnd, TheConfigurationInAFolderThatRefusesNewFilesIsStillSaved)
{
    TempFolder folder;
    const std::string path = folder.File("gamedata.cfg");
    WriteWholeFile(path, k_Fixture);
    ASSERT_EQ(chmod(path.c_str(), 0666), 0);
    // The log is writable too; the folder lets nobody add a file.
    WriteWholeFile(folder.File("gamelog.txt"), "");
    ASSERT_EQ(chmod(folder.File("gamelog.txt").c_str(), 0666), 0);
    ASSERT_EQ(chmod(folder.Path().c_str(), 0555), 0);

    GameSession game(folder, k_SetPriv, k_AsNobody);
    PlayAndEnd(game);
    chmod(folder.Path().c_str(), 0700);
    EXPECT_EQ(ReadWholeFile(path), "set game_speed \"5\"\n" + TestSupport::k_DefaultConfigFile) << game.Log();
}

TEST(ConfigFileEndToEnd, ASecondGameInTheSameFolderSaysSoAndLeavesTheFileToTheFirst)
{
    TempFolder folder;
    const std::string path = folder.File("gamedata.cfg");
    WriteWholeFile(path, k_Fixture);

    GameSession first(folder, VORL_EXECUTABLE);
    ASSERT_TRUE(first.Open()) << first.Log();
    GameSession second(folder, VORL_EXECUTABLE);
    // Both write the one log, so the second game is known by its process id in the lines.
    const auto secondSays = [&](const std::string& p_Tag, const std::string& p_Message)
    {
        for (const std::string& line : TestSupport::Lines(second.Log()))
            if (line.find("PID: " + std::to_string(second.Pid()) + " ") != std::string::npos &&
                TestSupport::MessageOf(line, p_Tag) == p_Message)
                return true;
        return false;
    };
    ASSERT_TRUE(GameSession::WaitUntil(
        [&]
        { return secondSays("GameCore", "==== VORL successfully initialised ====") || !second.IsRunning(); },
        std::chrono::seconds(90)));
    ASSERT_TRUE(second.Open()) << second.Log();
    EXPECT_TRUE(secondSays("ConfigReader",
                           "Another instance of the game is running in this folder: this one does "
                           "not save its settings to \"gamedata.cfg\""))
        << second.Log();

    const auto secondResult = second.Terminate();
    ASSERT_TRUE(secondResult.exited);
    EXPECT_EQ(ReadWholeFile(path), k_Fixture);

    const auto firstResult = first.Terminate();
    ASSERT_TRUE(firstResult.exited);
    EXPECT_EQ(ReadWholeFile(path), "set game_speed \"5\"\n" + TestSupport::k_DefaultConfigFile);
}
