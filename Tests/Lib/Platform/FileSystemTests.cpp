#include "Lib/Platform/FileSystem.h"
#include "Lib/Platform/FolderLock.h"
#include "Lib/Platform/SystemError.h"

#include "Support/CapturingForwarder.h"
#include "Support/LogFileRedirect.h"
#include "Support/TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <filesystem>
#include <thread>
#include <vector>
#ifdef _WIN32
#include <windows.h>
#else
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

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
#ifdef _WIN32
    // Links need a privilege on Windows; a junction is the folder link every user may make.
    const std::vector<std::string> folders = {"Noto_Sans", "Screenshots"};
    const std::vector<std::string> files = {"gamedata.cfg"};
#else
    std::filesystem::create_directory_symlink(root / "Screenshots", root / "linked folder");
    std::filesystem::create_symlink(root / "nowhere", root / "dangling");
    const std::vector<std::string> folders = {"Noto_Sans", "Screenshots", "linked folder"};
    const std::vector<std::string> files = {"dangling", "gamedata.cfg"};
#endif

    CapturingForwarder forwarder;
    for (const std::string& path : {root.string() + "/", root.string()})
    {
        const Lib::FolderContent content = Lib::ListFolder(path.c_str());
        EXPECT_EQ(content.path.ToNarrow().Bytes(), path);
        EXPECT_EQ(Sorted(content.folders), folders) << path;
        EXPECT_EQ(Sorted(content.files), files) << path;
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

#ifndef _WIN32
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

#endif

#ifdef _WIN32
TEST_F(FileSystemTest, ReportSystemErrorDescribesTheLastSystemError)
{
    const Lib::LogTag tag("FileSystem");
    CapturingForwarder forwarder;
    SetLastError(ERROR_FILE_NOT_FOUND);
    Lib::ReportSystemError(tag, "Error while retrieving folder content");
    SetLastError(0x2000FFFF); // a customer code: no table has a text for it
    Lib::ReportSystemError(tag, "Unknown");
    const std::vector<std::string> messages = forwarder.Messages();
    ASSERT_EQ(messages.size(), 2u);
    const std::string known = "Error while retrieving folder content, error code: 2, message: ";
    EXPECT_EQ(messages[0].substr(0, known.size()), known);
    EXPECT_GT(messages[0].size(), known.size() + 5) << messages[0];
    EXPECT_TRUE(messages[1] == "Unknown, error code: 536936447, message: Error message not found." ||
                messages[1] == "Unknown, error code: 536936447, message: Could not retrieve error message.")
        << messages[1];
    EXPECT_NE(forwarder.lines[0].find("] Error "), std::string::npos);
}
#else
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
#endif

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

namespace
{
#ifdef _WIN32
// A process that has ended, kept open so that its id is not handed on before the test is done.
struct EndedProcess
{
    EndedProcess()
    {
        wchar_t self[MAX_PATH] = {};
        GetModuleFileNameW(nullptr, self, MAX_PATH);
        std::wstring line = L"LibTests --gtest_list_tests --gtest_filter=-*";
        STARTUPINFOW startup{};
        startup.cb = sizeof(startup);
        PROCESS_INFORMATION created{};
        if (!CreateProcessW(self, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                            &created))
            return;
        WaitForSingleObject(created.hProcess, INFINITE);
        CloseHandle(created.hThread);
        handle = created.hProcess;
        id = created.dwProcessId;
    }
    ~EndedProcess()
    {
        if (handle)
            CloseHandle(handle);
    }
    HANDLE handle = nullptr;
    DWORD id = 0;
};
#else
// The id of a process that has ended: nothing runs under it right after its end.
pid_t EndedProcessId()
{
    const pid_t pid = fork();
    if (pid == 0)
        _exit(0);
    waitpid(pid, nullptr, 0);
    return pid;
}
#endif
} // namespace

TEST_F(FileSystemTest, StaleTemporaryFilesOfEndedProcessesAreRemovedAndNothingElse)
{
#ifdef _WIN32
    const EndedProcess endedProcess;
    ASSERT_NE(endedProcess.id, 0u);
    const std::string ended = std::to_string(endedProcess.id);
    // This process may be writing its temporary file right now.
    const std::string running = std::to_string(GetCurrentProcessId());
#else
    const std::string ended = std::to_string(EndedProcessId());
    // A live process of ours may be writing its temporary file right now.
    const pid_t sleeper = fork();
    if (sleeper == 0)
    {
        pause();
        _exit(0);
    }
    const std::string running = std::to_string(sleeper);
#endif

    const std::vector<std::string> removed = {"gamedata.cfg.tmp-" + ended, "gamedata.cfg.tmp-0"};
    const std::vector<std::string> kept = {
        "gamedata.cfg",           "gamedata.cfg.tmp-" + running,        "gamedata.cfg.tmp-",
        "gamedata.cfg.tmp-12ab",  "gamedata.cfg.tmp-" + ended + ".bak", "gamedata.cfg.trim",
        "other.cfg.tmp-" + ended, "xgamedata.cfg.tmp-" + ended,
    };
    for (const std::string& name : removed)
        WriteWholeFile(m_Folder.File(name), "partial");
    for (const std::string& name : kept)
        WriteWholeFile(m_Folder.File(name), "keep");
    // Only the file's own folder is cleaned; a folder with the pattern's name is no leftover.
    ASSERT_TRUE(std::filesystem::create_directory(m_Folder.File("sub")));
    WriteWholeFile(m_Folder.File("sub/gamedata.cfg.tmp-" + ended), "keep");
    ASSERT_TRUE(std::filesystem::create_directory(m_Folder.File("gamedata.cfg.tmp-1")));

    EXPECT_EQ(Lib::RemoveStaleTemporaryFiles(m_Folder.File("gamedata.cfg").c_str()), removed.size());
#ifndef _WIN32
    kill(sleeper, SIGKILL);
    waitpid(sleeper, nullptr, 0);
#endif

    std::vector<std::string> expected = kept;
    expected.push_back("gamedata.cfg.tmp-1");
    expected.push_back("sub");
    std::sort(expected.begin(), expected.end());
    const Lib::FolderContent content = Lib::ListFolder((m_Folder.Path().string() + "/").c_str());
    std::vector<std::string> left = Sorted(content.files);
    for (const std::string& folder : Sorted(content.folders))
        left.push_back(folder);
    std::sort(left.begin(), left.end());
    EXPECT_EQ(left, expected);
    EXPECT_TRUE(std::filesystem::exists(m_Folder.File("sub/gamedata.cfg.tmp-" + ended)));
}

TEST_F(FileSystemTest, ReadOnlyFilesAreThoseWithoutAWritePermission)
{
    const std::string path = m_Folder.File("gamedata.cfg");
    WriteWholeFile(path, "x");
#ifdef _WIN32
    // The read-only attribute is the owner's choice on Windows.
    const std::wstring widePath = Lib::String(path).Wide();
    EXPECT_FALSE(Lib::IsReadOnlyFile(path.c_str()));
    ASSERT_TRUE(SetFileAttributesW(widePath.c_str(), FILE_ATTRIBUTE_READONLY));
    EXPECT_TRUE(Lib::IsReadOnlyFile(path.c_str()));
    ASSERT_TRUE(SetFileAttributesW(widePath.c_str(), FILE_ATTRIBUTE_NORMAL));
    EXPECT_FALSE(Lib::IsReadOnlyFile(path.c_str()));
#else
    const std::pair<mode_t, bool> cases[] = {{0644, false}, {0600, false}, {0444, true},
                                             {0400, true},  {0000, true},  {0200, false}};
    for (const auto& [mode, readOnly] : cases)
    {
        ASSERT_EQ(chmod(path.c_str(), mode), 0);
        EXPECT_EQ(Lib::IsReadOnlyFile(path.c_str()), readOnly) << std::oct << mode;
    }
#endif
    EXPECT_FALSE(Lib::IsReadOnlyFile(m_Folder.File("missing.cfg").c_str()));
    EXPECT_FALSE(Lib::IsReadOnlyFile(m_Folder.Path().c_str()));
}

TEST(FileSystemPaths, FolderOfAFilePath)
{
    const std::pair<const char*, const char*> cases[] = {
        {"gamedata.cfg", "."},
        {"/tmp/x/gamedata.cfg", "/tmp/x"},
        {"/gamedata.cfg", "/"},
        {"a/b", "a"},
#ifdef _WIN32
        {"C:\\x\\gamedata.cfg", "C:\\x"},
        {"a\\b/c", "a\\b"},
        {"a/b\\c", "a/b"},
#else
        {"a\\b", "."}, // a backslash is a letter of a Linux name
#endif
    };
    for (const auto& [path, folder] : cases)
        EXPECT_EQ(Lib::FolderOf(path).ToNarrow().Bytes(), folder) << path;
}

TEST_F(FileSystemTest, OneFolderLockAtATimeAndAWaitCoversAHolderThatEnds)
{
    const Lib::String folder = m_Folder.Path().c_str();
    Lib::FolderLock first;
    Lib::FolderLock second;
    EXPECT_EQ(first.Acquire(folder), Lib::FolderLockResult::Acquired);
    EXPECT_EQ(second.Acquire(folder), Lib::FolderLockResult::HeldElsewhere);
    EXPECT_FALSE(second.IsHeld());

    // Held by another holder, let go while this one waits: another process on Linux; on Windows,
    // without fork, another thread with a lock object (and so a handle) of its own.
    first.Release();
#ifdef _WIN32
    bool held = false;
    std::thread holder(
        [&]
        {
            Lib::FolderLock lock;
            held = lock.Acquire(folder) == Lib::FolderLockResult::Acquired;
            std::this_thread::sleep_for(std::chrono::milliseconds(300));
        });
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    EXPECT_EQ(second.Acquire(folder, std::chrono::seconds(10)), Lib::FolderLockResult::Acquired);
    holder.join();
    EXPECT_TRUE(held);
#else
    const pid_t holder = fork();
    if (holder == 0)
    {
        Lib::FolderLock held;
        if (held.Acquire(folder) != Lib::FolderLockResult::Acquired)
            _exit(1);
        usleep(300 * 1000);
        _exit(0);
    }
    usleep(100 * 1000);
    EXPECT_EQ(second.Acquire(folder, std::chrono::seconds(10)), Lib::FolderLockResult::Acquired);
    int status = 0;
    waitpid(holder, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
#endif
    EXPECT_EQ(first.Acquire(m_Folder.File("missing").c_str()), Lib::FolderLockResult::Unavailable);
}
