#include "Lib/Platform/RegularFile.h"

#include "Lib/Log.h"
#include "Lib/Platform/File.h"
#include "Lib/Platform/FileReplace.h"
#include "Lib/Platform/Process.h"

#include "Support/TempFolder.h"
#ifndef _WIN32
#include "Support/SpecialFiles.h"
#endif

#include <gtest/gtest.h>

#include <cerrno>
#include <chrono>
#include <filesystem>
#include <string>
#include <vector>
#ifdef _WIN32
#include <windows.h>
#undef DeleteFile // the system's narrow/wide macro would rename the engine's function
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

using TestSupport::ReadWholeFile;
using TestSupport::TempFolder;
using TestSupport::WriteWholeFile;
#ifndef _WIN32
using TestSupport::NamesIn;
using TestSupport::SpecialFileCase;

namespace
{
// The kind the game must name for a case, found by its text so the table stays free of Lib.
Lib::FileKind KindNamed(const std::string& p_Text)
{
    for (int32_t kind = 0; kind <= static_cast<int32_t>(Lib::FileKind::Unknown); ++kind)
        if (p_Text == Lib::FileKindName(static_cast<Lib::FileKind>(kind)))
            return static_cast<Lib::FileKind>(kind);
    return Lib::FileKind::Unknown;
}

// A blocking open would hang the test program for good; the alarm ends it instead, which fails.
class HangGuard
{
public:
    HangGuard() { alarm(30); }
    ~HangGuard() { alarm(0); }
    HangGuard(const HangGuard&) = delete;
    HangGuard& operator=(const HangGuard&) = delete;
};

class SpecialFileTest : public testing::TestWithParam<SpecialFileCase>
{
protected:
    void SetUp() override
    {
        if (GetParam().needsRoot && !TestSupport::IsRoot())
            GTEST_SKIP() << "mknod needs root";
        ASSERT_TRUE(GetParam().make(m_Path)) << strerror(errno);
        m_Before = TestSupport::Identity(m_Path);
        m_Names = NamesIn(m_Folder.Path());
    }

    // The node is the very one that was made, and nothing appeared beside it (no temporary file,
    // no created link target).
    void ExpectLeftAlone() const
    {
        EXPECT_EQ(TestSupport::Identity(m_Path), m_Before);
        EXPECT_EQ(NamesIn(m_Folder.Path()), m_Names);
    }

    TempFolder m_Folder;
    std::string m_Path = m_Folder.File("gamedata.cfg");
    TestSupport::NodeIdentity m_Before;
    std::vector<std::string> m_Names;
};

std::string CaseName(const testing::TestParamInfo<SpecialFileCase>& p_Info)
{
    return p_Info.param.name;
}
} // namespace

TEST_P(SpecialFileTest, OpeningRefusesItAtOnceWithItsKind)
{
    const Lib::FileKind kind = KindNamed(GetParam().kindText);
    ASSERT_NE(kind, Lib::FileKind::Unknown);
    EXPECT_EQ(Lib::FileKindOf(m_Path.c_str()), kind);

    const HangGuard guard;
    const int flags[] = {O_RDONLY, O_WRONLY, O_RDWR | O_APPEND};
    for (const Lib::WhenMissing missing : {Lib::WhenMissing::Fail, Lib::WhenMissing::Create})
        for (const int flag : flags)
        {
            int32_t error = 0;
            EXPECT_EQ(Lib::OpenRegularFile(m_Path.c_str(), flag, error, missing), -1) << flag;
            EXPECT_EQ(error, Lib::NotRegularFileError(kind)) << flag;
            EXPECT_EQ(Lib::RefusedKindOf(error), kind) << flag;
        }
    ExpectLeftAlone();
}

TEST_P(SpecialFileTest, ReadWriteAppendAndDeleteLeaveItAsItWas)
{
    const Lib::FileKind kind = KindNamed(GetParam().kindText);
    const int32_t code = Lib::NotRegularFileError(kind);
    const std::string text = std::string("it is ") + GetParam().kindText + ", not a regular file";
    const HangGuard guard;

    Lib::File file(m_Path.c_str(), Lib::FileMode::ReadBinary);
    EXPECT_EQ(file.Read(), code);
    EXPECT_EQ(file.ErrorText().ToNarrow().Bytes(), text);
    EXPECT_TRUE(file.Bytes().empty());

    int32_t error = 0;
    EXPECT_FALSE(Lib::WriteFileBytes(m_Path.c_str(), "set game_speed 3\n", &error));
    EXPECT_EQ(error, code);
    EXPECT_EQ(Lib::ErrorTextOf(error).ToNarrow().Bytes(), text);
    EXPECT_EQ(Lib::ReplaceFileContent(m_Path, "x"), code);

    // A line past the trim threshold takes the trim's way; neither way touches the node.
    for (const size_t length : {size_t{40}, static_cast<size_t>(Lib::k_LogTrimThreshold) + 10})
    {
        EXPECT_FALSE(Lib::AppendToLogFile(m_Path.c_str(), std::string(length, 'l') + "\n", &error));
        EXPECT_EQ(error, code);
    }

    EXPECT_FALSE(Lib::DeleteFile(m_Path.c_str(), &error));
    EXPECT_EQ(error, code);
    ExpectLeftAlone();
}

INSTANTIATE_TEST_SUITE_P(Kinds, SpecialFileTest, testing::ValuesIn(TestSupport::SpecialFileCases()),
                         CaseName);

TEST(RegularFile, ALinkToARegularFileIsReadAppendedReplacedAndRemovedAsTheLink)
{
    TempFolder folder;
    const std::string real = folder.File("real.txt");
    const std::string link = folder.File("gamelog.txt");
    WriteWholeFile(real, "one\n");
    ASSERT_EQ(symlink(real.c_str(), link.c_str()), 0);

    Lib::File file(link.c_str(), Lib::FileMode::Read);
    ASSERT_EQ(file.Read(), 0);
    EXPECT_EQ(file.Bytes(), "one\n");
    ASSERT_TRUE(Lib::AppendToLogFile(link.c_str(), "two\n"));
    EXPECT_EQ(ReadWholeFile(real), "one\ntwo\n");
    ASSERT_TRUE(Lib::WriteFileBytes(link.c_str(), "three\n"));
    EXPECT_EQ(ReadWholeFile(real), "three\n");
    EXPECT_TRUE(std::filesystem::is_symlink(link));

    // Removing the name removes the link, never what it leads to.
    ASSERT_TRUE(Lib::DeleteFile(link.c_str()));
    EXPECT_EQ(NamesIn(folder.Path()), std::vector<std::string>{"real.txt"});
}

TEST(RegularFile, AMissingNameIsCreatedAsARegularFile)
{
    TempFolder folder;
    const std::string path = folder.File("gamelog.txt");
    int32_t error = -1;
    const int descriptor =
        Lib::OpenRegularFile(path.c_str(), O_RDWR | O_APPEND, error, Lib::WhenMissing::Create, 0640);
    ASSERT_GE(descriptor, 0) << error;
    EXPECT_EQ(error, 0);
    // Reads and writes block again: a short read on a regular file would not tell anyway, the flag does.
    EXPECT_EQ(fcntl(descriptor, F_GETFL) & O_NONBLOCK, 0);
    EXPECT_NE(fcntl(descriptor, F_GETFD) & FD_CLOEXEC, 0);
    close(descriptor);
    struct stat info
    {
    };
    ASSERT_EQ(lstat(path.c_str(), &info), 0);
    EXPECT_TRUE(S_ISREG(info.st_mode));

    const std::string missing = folder.File("missing.cfg");
    EXPECT_EQ(Lib::OpenRegularFile(missing.c_str(), O_RDONLY, error), -1);
    EXPECT_EQ(error, ENOENT);
    EXPECT_EQ(Lib::FileKindOf(missing.c_str()), Lib::FileKind::Missing);
}

// The temporary name "<file>.tmp-<process id>" may already be taken by a link an attacker
// planted there: the save must neither write through it nor create what it leads to.
TEST(RegularFile, ASaveNeverWritesThroughALinkPlantedAtItsTemporaryName)
{
    TempFolder folder;
    const std::string path = folder.File("gamedata.cfg");
    const std::string victim = folder.File("victim");
    const std::string missing = folder.File("created");
    const std::string temporary = Lib::TemporaryNameFor(path, getpid());
    WriteWholeFile(path, "old\n");
    WriteWholeFile(victim, "precious\n");

    for (const std::string& target : {victim, missing})
    {
        std::filesystem::remove(temporary);
        ASSERT_EQ(symlink(target.c_str(), temporary.c_str()), 0);
        ASSERT_TRUE(Lib::WriteFileBytes(path.c_str(), "new\n")) << target;
        EXPECT_EQ(ReadWholeFile(path), "new\n");
        EXPECT_EQ(ReadWholeFile(victim), "precious\n");
        EXPECT_EQ(NamesIn(folder.Path()), (std::vector<std::string>{"gamedata.cfg", "victim"})) << target;
    }
}

#endif

TEST(FileRead, ALimitRefusesALargerFileWithoutReadingIt)
{
    TempFolder folder;
    struct Case
    {
        const char* name;
        std::string content;
        size_t limit;
        int32_t result;
    };
    const Case cases[] = {
        {"exactly the limit", std::string(10, 'a'), 10, 0},
        {"one byte over", std::string(11, 'a'), 10, EFBIG},
        {"empty with no room", "", 0, 0},
        {"no limit", std::string(100000, 'b'), SIZE_MAX, 0},
    };
    for (const Case& test : cases)
    {
        const std::string path = folder.File("script.lua");
        WriteWholeFile(path, test.content);
        Lib::File file(path.c_str(), Lib::FileMode::ReadBinary);
        EXPECT_EQ(file.Read(test.limit), test.result) << test.name;
        EXPECT_EQ(file.Bytes(), test.result == 0 ? test.content : std::string()) << test.name;
        if (test.result == EFBIG)
        {
            EXPECT_EQ(file.ErrorText().ToNarrow().Bytes(), "File too large") << test.name;
        }
    }

    // 64 GiB of holes: reading it whole would take minutes and more memory than the machine has.
    const std::string huge = folder.File("huge.lua");
    WriteWholeFile(huge, "");
    std::filesystem::resize_file(huge, std::uintmax_t{64} << 30);
    const auto start = std::chrono::steady_clock::now();
    Lib::File file(huge.c_str(), Lib::FileMode::ReadBinary);
    EXPECT_EQ(file.Read(1 << 20), EFBIG);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
}

#ifndef _WIN32
// A file whose size says nothing (the kernel's files report 0) is held to the limit by what is read.
TEST(FileRead, AFileThatHasMoreThanItsSizeSaysStopsAtTheLimit)
{
    Lib::File status("/proc/self/status", Lib::FileMode::ReadBinary);
    EXPECT_EQ(status.Read(16), EFBIG);
    EXPECT_TRUE(status.Bytes().empty());
    EXPECT_EQ(status.Read(), 0);
    EXPECT_GT(status.Bytes().size(), 16u);
}
#else
namespace
{
int32_t Refused(Lib::FileKind p_Kind)
{
    return Lib::NotRegularFileError(p_Kind);
}
} // namespace

// What a name leads to on Windows: folders, devices and pipes are told apart by the opened handle,
// and none of them is read, written or deleted as a file.
TEST(RegularFile, WindowsKindsAreToldApartAndLeftAlone)
{
    TempFolder folder;
    const std::string file = folder.File("gamedata.cfg");
    WriteWholeFile(file, "x");
    const std::string pipeName = "\\\\.\\pipe\\vorl-test-" + std::to_string(GetCurrentProcessId());
    HANDLE pipe = CreateNamedPipeW(Lib::String(pipeName).Wide().c_str(), PIPE_ACCESS_DUPLEX, PIPE_TYPE_BYTE,
                                   4, 0, 0, 0, nullptr);
    ASSERT_NE(pipe, INVALID_HANDLE_VALUE);

    const std::pair<std::string, Lib::FileKind> cases[] = {
        {file, Lib::FileKind::Regular},
        {folder.File("missing.cfg"), Lib::FileKind::Missing},
        {folder.Path().string(), Lib::FileKind::Directory},
        {"NUL", Lib::FileKind::CharacterDevice},
        {pipeName, Lib::FileKind::Fifo},
    };
    for (const auto& [path, kind] : cases)
        EXPECT_EQ(Lib::FileKindOf(path.c_str()), kind) << path;
    for (const auto& [path, kind] : cases)
    {
        if (kind == Lib::FileKind::Regular || kind == Lib::FileKind::Missing)
            continue;
        // A pipe without a writer must fail at once, not wait for one.
        const auto start = std::chrono::steady_clock::now();
        Lib::File read(path.c_str(), Lib::FileMode::Read);
        EXPECT_EQ(read.Read(), Refused(kind)) << path;
        int32_t error = 0;
        EXPECT_FALSE(Lib::WriteFileBytes(path.c_str(), "x", &error)) << path;
        EXPECT_EQ(error, Refused(kind)) << path;
        EXPECT_FALSE(Lib::AppendToLogFile(path.c_str(), "line\n", &error)) << path;
        EXPECT_EQ(error, Refused(kind)) << path;
        EXPECT_FALSE(Lib::DeleteFile(path.c_str(), &error)) << path;
        EXPECT_EQ(error, Refused(kind)) << path;
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2)) << path;
    }
    EXPECT_TRUE(std::filesystem::is_directory(folder.Path()));
    CloseHandle(pipe);
}

TEST(RegularFile, ASaveReplacesWhateverFileLiesAtItsTemporaryName)
{
    TempFolder folder;
    const std::string path = folder.File("gamedata.cfg");
    WriteWholeFile(path, "old\n");
    WriteWholeFile(Lib::TemporaryNameFor(path, Lib::GetCurrentProcessId()), "planted\n");
    ASSERT_TRUE(Lib::WriteFileBytes(path.c_str(), "new\n"));
    EXPECT_EQ(ReadWholeFile(path), "new\n");
    EXPECT_FALSE(std::filesystem::exists(Lib::TemporaryNameFor(path, Lib::GetCurrentProcessId())));
}
#endif
