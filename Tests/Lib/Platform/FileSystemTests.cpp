#include "Lib/Platform/FileSystem.h"
#include "Lib/Platform/SystemError.h"

#include "Support/CapturingForwarder.h"
#include "Support/LogFileRedirect.h"
#include "Support/TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

using TestSupport::CapturingForwarder;
using TestSupport::TempFolder;
using TestSupport::WriteWholeFile;

namespace
{
std::vector<std::string> Sorted(const Lib::DynamicArray<Lib::String>& p_Names)
{
    std::vector<std::string> names;
    for (const Lib::String& name : p_Names)
        names.push_back(name.ToNarrow().Bytes());
    std::sort(names.begin(), names.end());
    return names;
}

class FileSystemTest : public testing::Test
{
protected:
    TempFolder m_Folder;
    TempFolder m_Logs; // apart, so the log file never shows up in a listing
    TestSupport::LogFileRedirect m_LogFile{m_Logs.File("log.txt")};
};
} // namespace

TEST_F(FileSystemTest, ListFolderSeparatesFoldersFromFiles)
{
    const std::filesystem::path& root = m_Folder.Path();
    std::filesystem::create_directory(root / "Noto_Sans");
    std::filesystem::create_directory(root / "Screenshots");
    WriteWholeFile((root / "gamedata.cfg").string(), "set 1 1\n");
    WriteWholeFile((root / "Noto_Sans" / "inner.ttf").string(), "");
    std::filesystem::create_directory_symlink(root / "Screenshots", root / "linked folder");
    std::filesystem::create_symlink(root / "nowhere", root / "dangling");

    CapturingForwarder forwarder;
    for (const std::string& path : {root.string() + "/", root.string()})
    {
        const Lib::FolderContent content = Lib::ListFolder(path.c_str());
        EXPECT_EQ(content.path.ToNarrow().Bytes(), path);
        EXPECT_EQ(Sorted(content.folders),
                  (std::vector<std::string>{"Noto_Sans", "Screenshots", "linked folder"}))
            << path;
        EXPECT_EQ(Sorted(content.files), (std::vector<std::string>{"dangling", "gamedata.cfg"})) << path;
    }
    EXPECT_TRUE(forwarder.lines.empty());
}

TEST_F(FileSystemTest, ListFolderOfSomethingElseIsEmptyAndSilent)
{
    const std::string file = m_Folder.File("gamedata.cfg");
    WriteWholeFile(file, "set 1 1\n");
    CapturingForwarder forwarder;
    for (const std::string& path : {file, file + "/", m_Folder.File("missing/"), std::string()})
    {
        const Lib::FolderContent content = Lib::ListFolder(path.c_str());
        EXPECT_EQ(content.path.ToNarrow().Bytes(), path);
        EXPECT_TRUE(content.folders.IsEmpty()) << path;
        EXPECT_TRUE(content.files.IsEmpty()) << path;
    }
    EXPECT_TRUE(forwarder.lines.empty());
}

TEST_F(FileSystemTest, ListFolderThatCannotBeReadReportsBothErrorLines)
{
    // Root may read any folder, so the child gives up root first; an ordinary user is refused by
    // the missing permissions alone.
    const std::string locked = m_Folder.File("locked");
    ASSERT_EQ(mkdir(locked.c_str(), 0), 0);
    ASSERT_EQ(chmod(m_Folder.Path().c_str(), 0755), 0);
    EXPECT_EXIT(
        {
            dup2(2, 1);
            if (geteuid() == 0 && setuid(65534) != 0)
                _exit(7);
            const Lib::FolderContent content = Lib::ListFolder((locked + "/").c_str());
            _exit(content.folders.IsEmpty() && content.files.IsEmpty() ? 0 : 8);
        },
        testing::ExitedWithCode(0),
        "Error +\\| PID: [0-9]+ +\\| TID: [0-9]+ +\\| +FileSystem: Error while retrieving folder content "
        "of: " +
            locked +
            "/, error code: 13\n.*FileSystem: Error while retrieving folder content, error code: 13, "
            "message: Permission denied\n");
}

TEST_F(FileSystemTest, ReportSystemErrorDescribesErrno)
{
    const Lib::LogTag tag("FileSystem");
    CapturingForwarder forwarder;
    errno = ENOENT;
    Lib::ReportSystemError(tag, "Error while retrieving folder content");
    errno = 9999;
    Lib::ReportSystemError(tag, "Unknown");
    const std::vector<std::string> expected = {
        "Error while retrieving folder content, error code: 2, message: No such file or directory",
        "Unknown, error code: 9999, message: Unknown error 9999"};
    EXPECT_EQ(forwarder.Messages(), expected);
    ASSERT_EQ(forwarder.lines.size(), 2u);
    EXPECT_NE(forwarder.lines[0].find("] Error "), std::string::npos);
    EXPECT_NE(forwarder.lines[0].find(" FileSystem: "), std::string::npos);
}

TEST_F(FileSystemTest, PathExistsForFilesAndFolders)
{
    const std::string file = m_Folder.File("gamedata.cfg");
    WriteWholeFile(file, "");
    EXPECT_TRUE(Lib::PathExists(file.c_str()));
    EXPECT_TRUE(Lib::PathExists(m_Folder.Path().c_str()));
    EXPECT_FALSE(Lib::PathExists(m_Folder.File("missing").c_str()));
    EXPECT_FALSE(Lib::PathExists(""));
}

TEST_F(FileSystemTest, CreateFolderIsTrueWhenTheFolderExistsAfterwards)
{
    const std::string folder = m_Folder.File("Screenshots");
    EXPECT_TRUE(Lib::CreateFolder(folder.c_str()));
    EXPECT_TRUE(std::filesystem::is_directory(folder));
    EXPECT_TRUE(Lib::CreateFolder((folder + "/").c_str())) << "an existing folder counts as success";

    const std::string file = m_Folder.File("taken");
    WriteWholeFile(file, "");
    EXPECT_FALSE(Lib::CreateFolder(file.c_str())) << "a file of that name is no folder";
    EXPECT_FALSE(Lib::CreateFolder(m_Folder.File("a/b").c_str()));
    EXPECT_FALSE(std::filesystem::exists(m_Folder.File("a")));
    EXPECT_FALSE(Lib::CreateFolder(""));
}
