// Putting screenshot files on disk: names that never replace a file, and failed writes that
// leave nothing behind. Real files in a temporary folder; the full disk is the kernel refusing
// to let the file grow (a file size limit), in a child process of its own.
#include "Corvan/Renderer/ScreenshotFile.h"

#include "Support/TempFolder.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <string>
#include <vector>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

using TestSupport::ReadWholeFile;
using TestSupport::TempFolder;
using TestSupport::WriteWholeFile;

namespace
{
std::vector<uint8_t> Bytes(const std::string& p_Text)
{
    return std::vector<uint8_t>(p_Text.begin(), p_Text.end());
}
} // namespace

TEST(ScreenshotFile, LaterCopiesCountOnBeforeTheExtension)
{
    struct Case
    {
        const char* path;
        uint32_t copy;
        const char* expected;
    };
    for (const Case& test :
         {Case{"Screenshots/Snake_2026-01-02_03-04-05.png", 1, "Screenshots/Snake_2026-01-02_03-04-05.png"},
          Case{"Screenshots/Snake_2026-01-02_03-04-05.png", 2, "Screenshots/Snake_2026-01-02_03-04-05_2.png"},
          Case{"Screenshots/Snake_2026-01-02_03-04-05.png", 12,
               "Screenshots/Snake_2026-01-02_03-04-05_12.png"},
          Case{"out.d/Screenshots/shot", 3, "out.d/Screenshots/shot_3"}})
        EXPECT_EQ(Vozad::NumberedPath(test.path, test.copy), test.expected) << test.path << " " << test.copy;
}

TEST(ScreenshotFile, EveryWriteGetsANewFileAndNoneIsReplaced)
{
    TempFolder folder;
    const std::string path = folder.File("Snake_T.png");
    WriteWholeFile(folder.File("Snake_T_2.png"), "someone else's");

    std::vector<std::string> written;
    for (const std::string text : {"first", "second", "third"})
    {
        const Vozad::NewFileResult result = Vozad::WriteNewFile(path, Bytes(text));
        ASSERT_TRUE(result.written) << result.error;
        EXPECT_TRUE(result.error.empty());
        written.push_back(result.path);
    }
    EXPECT_EQ(written,
              (std::vector<std::string>{path, folder.File("Snake_T_3.png"), folder.File("Snake_T_4.png")}));
    EXPECT_EQ(ReadWholeFile(path), "first");
    EXPECT_EQ(ReadWholeFile(folder.File("Snake_T_2.png")), "someone else's");
    EXPECT_EQ(ReadWholeFile(folder.File("Snake_T_3.png")), "second");
    EXPECT_EQ(ReadWholeFile(folder.File("Snake_T_4.png")), "third");
}

TEST(ScreenshotFile, AFolderThatIsMissingSaysWhy)
{
    TempFolder folder;
    const Vozad::NewFileResult result = Vozad::WriteNewFile(folder.File("missing/shot.png"), Bytes("png"));
    EXPECT_FALSE(result.written);
    EXPECT_EQ(result.path, folder.File("missing/shot.png"));
    EXPECT_EQ(result.error, "No such file or directory");
}

TEST(ScreenshotFile, AWriteThatRunsOutOfSpaceRemovesItsPartialFile)
{
    TempFolder folder;
    const std::string path = folder.File("shot.png");
    const pid_t child = fork();
    if (child == 0)
    {
        // The file may grow to 4 KiB; the write of 64 KiB stops there, as on a full disk.
        signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{4096, 4096};
        setrlimit(RLIMIT_FSIZE, &limit);
        const Vozad::NewFileResult result = Vozad::WriteNewFile(path, std::vector<uint8_t>(65536, 0x5A));
        // Writing anything more is what the limit forbids, so the exit code carries the answer.
        const bool reported = !result.written && result.path == path && result.error == "File too large";
        _exit(reported ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << "the failed write was not reported as \"File too large\"";
    EXPECT_FALSE(std::filesystem::exists(path)) << "the partial file stayed";
}
