#include "Lib/Platform/File.h"
#include "Lib/Platform/RegularFile.h"

#include "Support/TempFolder.h"
#ifndef _WIN32
#include "Support/Unprivileged.h"
#endif

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <vector>
#ifdef _WIN32
#include <windows.h>
#undef DeleteFile // the system's narrow/wide macro would rename the engine's function
#else
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

using TestSupport::ReadWholeFile;
using TestSupport::TempFolder;
using TestSupport::WriteWholeFile;

namespace
{
// What a text-mode write ends each line with.
#ifdef _WIN32
constexpr const char* k_LineEnd = "\r\n";
#else
constexpr const char* k_LineEnd = "\n";
#endif

std::vector<std::string> NarrowLines(const Lib::File& p_File)
{
    std::vector<std::string> lines;
    for (const Lib::String& line : p_File.Lines())
        lines.push_back(line.ToNarrow().Bytes());
    return lines;
}

// Every name in the folder: a temporary file left behind shows up here.
std::vector<std::string> FolderEntries(const std::filesystem::path& p_Folder)
{
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(p_Folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

class FileTest : public testing::Test
{
protected:
    TempFolder m_Folder;
};
} // namespace

TEST(FileMode, TableMatchesTheModeStrings)
{
    const char* const expected[] = {"r", "rb", "w", "wb", "a", "r+", "w+", "a+"};
    for (int32_t index = 0; index < 8; ++index)
        EXPECT_STREQ(Lib::FileModeString(static_cast<Lib::FileMode>(index)), expected[index]) << index;
    EXPECT_EQ(Lib::FileModeString(static_cast<Lib::FileMode>(8)), nullptr);
    EXPECT_EQ(Lib::FileModeString(static_cast<Lib::FileMode>(-1)), nullptr);
}

TEST_F(FileTest, ReadSplitsLinesAndKeepsTheContent)
{
    struct Case
    {
        const char* name;
        std::string text;
        std::vector<std::string> lines;
    };
    const Case cases[] = {
        {"last line without break", "set 1 1\nset 2 0\nbind 3 4", {"set 1 1", "set 2 0", "bind 3 4"}},
        {"windows line ends", "a\r\nb\r\n", {"a", "b"}},
        {"empty lines", "\n\n", {"", ""}},
        {"empty file", "", {}},
        {"utf-8",
         "gr\xC3\xBC\xC3\x9F"
         "e\n\xE6\x97\xA5\xE6\x9C\xAC\n",
         {"gr\xC3\xBC\xC3\x9F"
          "e",
          "\xE6\x97\xA5\xE6\x9C\xAC"}},
        {"a carriage return ends the line", "left\rright\n", {"left"}},
    };
    for (const Case& test : cases)
    {
        const std::string path = m_Folder.File("config.cfg");
        WriteWholeFile(path, test.text);
        Lib::File file(path.c_str(), Lib::FileMode::Read);
        ASSERT_EQ(file.Read(), 0) << test.name;
        EXPECT_EQ(NarrowLines(file), test.lines) << test.name;
        EXPECT_EQ(file.LineCount(), test.lines.size()) << test.name;
        EXPECT_EQ(file.Content().ToNarrow().Bytes(), test.text) << test.name;
        EXPECT_EQ(file.ErrorCode(), 0) << test.name;
    }
}

TEST_F(FileTest, LongLinesArriveIn999BytePieces)
{
    // The second case splits a two-byte character between two pieces: the lines carry the
    // halves, but the content must still be the file's text.
    const std::string path = m_Folder.File("long.txt");
    const std::string text = std::string(2500, 'x') + "\n" + std::string(998, 'y') + "\xC3\xA9\n";
    WriteWholeFile(path, text);

    Lib::File file(path.c_str(), Lib::FileMode::Read);
    ASSERT_EQ(file.Read(), 0);
    ASSERT_EQ(file.LineCount(), 5u);
    EXPECT_EQ(file.Lines().At(0).Length(), 999u);
    EXPECT_EQ(file.Lines().At(1).Length(), 999u);
    EXPECT_EQ(file.Lines().At(2).ToNarrow().Bytes(), std::string(502, 'x'));
    EXPECT_EQ(file.Lines().At(3).Length(), 999u);
    EXPECT_EQ(file.Lines().At(4).Length(), 1u);
    EXPECT_EQ(file.Content().ToNarrow().Bytes(), text);
}

TEST_F(FileTest, FailedOpenKeepsErrnoAndItsText)
{
    Lib::File file(m_Folder.File("missing.cfg").c_str(), Lib::FileMode::Read);
    EXPECT_EQ(file.Read(), ENOENT);
    EXPECT_EQ(file.ErrorCode(), ENOENT);
    EXPECT_EQ(file.ErrorText().ToNarrow().Bytes(), strerror(ENOENT));
    EXPECT_EQ(file.LineCount(), 0u);
    EXPECT_TRUE(file.Content().IsEmpty());
    EXPECT_TRUE(file.Lines().IsEmpty());

    Lib::File folder(m_Folder.Path().c_str(), Lib::FileMode::ReadUpdate);
    EXPECT_EQ(folder.Read(), Lib::NotRegularFileError(Lib::FileKind::Directory));
    EXPECT_EQ(folder.ErrorText().ToNarrow().Bytes(), "it is a directory, not a regular file");
}

TEST_F(FileTest, ReadingAgainGivesTheSameResult)
{
    const std::string path = m_Folder.File("twice.txt");
    WriteWholeFile(path, "one\ntwo\n");
    Lib::File file(path.c_str(), Lib::FileMode::ReadBinary);
    ASSERT_EQ(file.Read(), 0);
    ASSERT_EQ(file.Read(), 0);
    EXPECT_EQ(NarrowLines(file), (std::vector<std::string>{"one", "two"}));
    EXPECT_EQ(file.LineCount(), 2u);
    EXPECT_EQ(file.Content().ToNarrow().Bytes(), "one\ntwo\n");
}

TEST_F(FileTest, WriteTextFileReplacesTheWholeContentAsUtf8)
{
    const std::string path = m_Folder.File("gamedata.cfg");
    WriteWholeFile(path, std::string(5000, 'o') + "\n");
    ASSERT_TRUE(Lib::WriteTextFile(path.c_str(), L"set 1 \u00e9\u65e5\nbind 2 3\n"));
    EXPECT_EQ(ReadWholeFile(path),
              std::string("set 1 \xC3\xA9\xE6\x97\xA5") + k_LineEnd + "bind 2 3" + k_LineEnd);
    EXPECT_EQ(FolderEntries(m_Folder.Path()), std::vector<std::string>{"gamedata.cfg"});

    // Creating a new file and writing an empty text both work.
    const std::string fresh = m_Folder.File("fresh.cfg");
    ASSERT_TRUE(Lib::WriteTextFile(fresh.c_str(), "x"));
    EXPECT_EQ(ReadWholeFile(fresh), "x");
    ASSERT_TRUE(Lib::WriteTextFile(fresh.c_str(), ""));
    EXPECT_TRUE(std::filesystem::exists(fresh));
    EXPECT_EQ(std::filesystem::file_size(fresh), 0u);
    EXPECT_EQ(FolderEntries(m_Folder.Path()), (std::vector<std::string>{"fresh.cfg", "gamedata.cfg"}));
}

#ifndef _WIN32
TEST_F(FileTest, WriteTextFileKeepsPermissionsAndWritesThroughLinks)
{
    const std::string real = m_Folder.File("real.cfg");
    const std::string link = m_Folder.File("link.cfg");
    WriteWholeFile(real, "old");
    ASSERT_EQ(chmod(real.c_str(), 0640), 0);
    ASSERT_EQ(symlink(real.c_str(), link.c_str()), 0);

    ASSERT_TRUE(Lib::WriteTextFile(link.c_str(), "new"));
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(ReadWholeFile(real), "new");
    struct stat info
    {
    };
    ASSERT_EQ(stat(real.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0640u);
    EXPECT_EQ(FolderEntries(m_Folder.Path()), (std::vector<std::string>{"link.cfg", "real.cfg"}));
}

#endif

TEST_F(FileTest, WriteTextFileFailuresReturnFalseAndLeaveNothingBehind)
{
    EXPECT_FALSE(Lib::WriteTextFile("", "text"));
    // The folder of the file does not exist.
    EXPECT_FALSE(Lib::WriteTextFile(m_Folder.File("no-such-folder/file.cfg").c_str(), "text"));
    // The target is a folder: it is refused before any temporary file is written.
    const std::string folder = m_Folder.File("folder");
    ASSERT_TRUE(std::filesystem::create_directory(folder));
    EXPECT_FALSE(Lib::WriteTextFile(folder.c_str(), "text"));
    EXPECT_TRUE(std::filesystem::is_directory(folder));
    EXPECT_EQ(FolderEntries(m_Folder.Path()), std::vector<std::string>{"folder"});
}

#ifndef _WIN32
TEST_F(FileTest, WriteTextFileThatFailsHalfwayKeepsTheOldContent)
{
    // A file size limit makes the write fail after part of the text went out, the way a full disk
    // does; it also holds for root. The child process carries the limit, not this one.
    const std::string path = m_Folder.File("gamedata.cfg");
    WriteWholeFile(path, "set 1 1\n");
    EXPECT_EXIT(
        {
            signal(SIGXFSZ, SIG_IGN);
            rlimit limit{};
            limit.rlim_cur = limit.rlim_max = 100;
            setrlimit(RLIMIT_FSIZE, &limit);
            _exit(Lib::WriteTextFile(path.c_str(), std::string(1000, 'z').c_str()) ? 1 : 3);
        },
        testing::ExitedWithCode(3), "");
    EXPECT_EQ(ReadWholeFile(path), "set 1 1\n");
    EXPECT_EQ(FolderEntries(m_Folder.Path()), std::vector<std::string>{"gamedata.cfg"});
}

#endif

TEST_F(FileTest, DeleteFileRemovesOnlyWhatExists)
{
    const std::string path = m_Folder.File("screenshot.png");
    WriteWholeFile(path, "png");
    EXPECT_TRUE(Lib::DeleteFile(path.c_str()));
    EXPECT_FALSE(std::filesystem::exists(path));
    EXPECT_FALSE(Lib::DeleteFile(path.c_str()));
    EXPECT_FALSE(Lib::DeleteFile(""));
}

TEST_F(FileTest, ReadTakesTheFileByItsLengthNulBytesIncluded)
{
    const std::string path = m_Folder.File("gamedata.cfg");
    const std::string text = std::string("// a\0b", 6) + "\nset r_fps \"0\"\n\xE9t\xE9\n";
    WriteWholeFile(path, text);
    Lib::File file(path.c_str(), Lib::FileMode::Read);
    ASSERT_EQ(file.Read(), 0);
    EXPECT_EQ(file.Bytes(), text);
    EXPECT_EQ(file.Content().Wide(), std::wstring(L"// a\0b", 6) + L"\nset r_fps \"0\"\n\u00e9t\u00e9\n");
    ASSERT_EQ(file.LineCount(), 3u);
    EXPECT_EQ(file.Lines().At(0).Wide(), std::wstring(L"// a\0b", 6));
    EXPECT_EQ(file.Lines().At(1).ToNarrow().Bytes(), "set r_fps \"0\"");
}

#ifndef _WIN32
TEST_F(FileTest, WriteFileBytesFallsBackToTheFileItselfWhenTheFolderRefusesNewFiles)
{
    // A writable file in a folder that is not: no temporary file can be made beside it, but the
    // file itself can take the new content. A read-only file in it fails with the reason.
    const std::string writable = m_Folder.File("gamedata.cfg");
    const std::string readOnly = m_Folder.File("locked.cfg");
    WriteWholeFile(writable, std::string(3000, 'o'));
    WriteWholeFile(readOnly, "old");
    ASSERT_EQ(chmod(writable.c_str(), 0666), 0);
    ASSERT_EQ(chmod(readOnly.c_str(), 0444), 0);
    ASSERT_EQ(chmod(m_Folder.Path().c_str(), 0555), 0);

    const int result = TestSupport::RunInChild(
        [&]
        {
            if (!TestSupport::BecomeUnprivileged())
                return TestSupport::k_CannotSetUp;
            if (!Lib::WriteFileBytes(writable.c_str(), std::string_view("new\0content", 11)))
                return 1;
            int32_t error = 0;
            if (Lib::WriteFileBytes(readOnly.c_str(), "x", &error) || error != EACCES)
                return 2;
            return Lib::ErrorTextOf(error).ToNarrow().Bytes() == "Permission denied" ? 0 : 3;
        });
    chmod(m_Folder.Path().c_str(), 0700);
    ASSERT_NE(result, TestSupport::k_CannotSetUp) << "could not become another user";
    EXPECT_EQ(result, 0);
    EXPECT_EQ(ReadWholeFile(writable), std::string("new\0content", 11));
    EXPECT_EQ(ReadWholeFile(readOnly), "old");
    EXPECT_EQ(FolderEntries(m_Folder.Path()), (std::vector<std::string>{"gamedata.cfg", "locked.cfg"}));
}
#endif

TEST_F(FileTest, TextWrittenWithTheSystemsLineEndsReadsBackLineByLine)
{
    // A file saved on one system and read on the other: both kinds of line end give the same lines.
    const std::string path = m_Folder.File("gamedata.cfg");
    ASSERT_TRUE(Lib::WriteTextBytes(path.c_str(), "set a \"1\"\n\n// note\n"));
    EXPECT_EQ(ReadWholeFile(path),
              std::string("set a \"1\"") + k_LineEnd + k_LineEnd + "// note" + k_LineEnd);
    for (const char* text : {"set a \"1\"\r\n\r\n// note\r\n", "set a \"1\"\n\n// note\n"})
    {
        WriteWholeFile(path, text);
        Lib::File file(path.c_str(), Lib::FileMode::Read);
        ASSERT_EQ(file.Read(), 0);
        EXPECT_EQ(NarrowLines(file), (std::vector<std::string>{"set a \"1\"", "", "// note"})) << text;
    }
}

#ifdef _WIN32
// Windows keeps its own edges: names in UTF-16, files another program holds without sharing.
TEST_F(FileTest, AFolderWithLettersBeyondAsciiIsReadWrittenAndCleanedUp)
{
    const std::string folder =
        m_Folder.File("") + "Spielst\xC3\xA4nde \xE6\x97\xA5\xE6\x9C\xAC \xF0\x9F\x90\x8D";
    ASSERT_TRUE(CreateDirectoryW(Lib::String(folder).Wide().c_str(), nullptr));
    const std::string path = folder + "\\gamedata.cfg";
    ASSERT_TRUE(Lib::WriteTextFile(path.c_str(), "bind 1 2\n"));
    Lib::File file(path.c_str(), Lib::FileMode::Read);
    ASSERT_EQ(file.Read(), 0);
    EXPECT_EQ(NarrowLines(file), std::vector<std::string>{"bind 1 2"});
    EXPECT_EQ(file.Bytes(), "bind 1 2\r\n");
    EXPECT_TRUE(Lib::DeleteFile(path.c_str()));
    EXPECT_EQ(GetFileAttributesW(Lib::String(path).Wide().c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(FileTest, AFileHeldWithoutSharingFailsWithAccessDeniedAndKeepsItsContent)
{
    const std::string path = m_Folder.File("gamedata.cfg");
    WriteWholeFile(path, "set 1 1\n");
    HANDLE held = CreateFileW(Lib::String(path).Wide().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    Lib::File file(path.c_str(), Lib::FileMode::Read);
    EXPECT_EQ(file.Read(), EACCES);
    int32_t error = 0;
    EXPECT_FALSE(Lib::WriteFileBytes(path.c_str(), "new", &error));
    EXPECT_EQ(error, EACCES);
    CloseHandle(held);
    EXPECT_EQ(ReadWholeFile(path), "set 1 1\n");
    EXPECT_EQ(FolderEntries(m_Folder.Path()), std::vector<std::string>{"gamedata.cfg"});
}

TEST_F(FileTest, DevicesAreRefusedByTheirKind)
{
    Lib::File console("NUL", Lib::FileMode::Read);
    EXPECT_EQ(console.Read(), Lib::NotRegularFileError(Lib::FileKind::CharacterDevice));
    int32_t error = 0;
    EXPECT_FALSE(Lib::WriteFileBytes("NUL", "x", &error));
    EXPECT_EQ(error, Lib::NotRegularFileError(Lib::FileKind::CharacterDevice));
    EXPECT_FALSE(Lib::DeleteFile("NUL", &error));
    EXPECT_EQ(error, Lib::NotRegularFileError(Lib::FileKind::CharacterDevice));
}
#endif
