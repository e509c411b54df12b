// The data folder is entered in a child process: the working folder belongs to the whole test
// program, and the unwritable cases need a user that file permissions apply to.
#include "Lib/Platform/WorkingFolder.h"
#include "Support/TempFolder.h"
#ifdef _WIN32
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

using TestSupport::TempFolder;

// Without fork the folder is entered in this process and the old one restored afterwards.
TEST(WorkingFolderTest, CreatesMissingFoldersBeyondAsciiAndRefusesAFile)
{
    const TempFolder root;
    const std::filesystem::path start = std::filesystem::current_path();
    const std::string nested = root.File("") + "Spielst\xC3\xA4nde\\\xE6\x97\xA5\xE6\x9C\xAC/deep";
    std::string error;
    ASSERT_TRUE(Lib::EnterWorkingFolder(nested, error)) << error;
    EXPECT_EQ(std::filesystem::current_path(), std::filesystem::u8path(nested).make_preferred());
    EXPECT_TRUE(std::filesystem::is_empty(".")) << "the write probe leaves nothing behind";
    std::filesystem::current_path(start);

    const std::string file = root.File("taken");
    std::ofstream(file) << "x";
    EXPECT_FALSE(Lib::EnterWorkingFolder(file, error));
    EXPECT_NE(error.find("\"" + file + "\""), std::string::npos) << error;
    EXPECT_FALSE(Lib::EnterWorkingFolder(file + "\\below", error));
    EXPECT_FALSE(Lib::EnterWorkingFolder("", error));
    EXPECT_EQ(std::filesystem::current_path(), start);
}
#else
#include "Support/Unprivileged.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include <sys/stat.h>
#include <unistd.h>

using TestSupport::TempFolder;

namespace
{
constexpr int k_Entered = 0;
constexpr int k_Refused = 1;
constexpr int k_Wrong = 2;

// Enters p_Path (relative names from p_Start) in a child; k_Entered only when the child really
// works in the folder afterwards, k_Refused when it was refused with a message naming p_Named.
int EnterInChild(const std::string& p_Start, const std::string& p_Path, const std::string& p_Named,
                 bool p_Unprivileged)
{
    return TestSupport::RunInChild(
        [&]
        {
            if (p_Unprivileged && !TestSupport::BecomeUnprivileged())
                return TestSupport::k_CannotSetUp;
            if (chdir(p_Start.c_str()) != 0)
                return TestSupport::k_CannotSetUp;
            std::string error;
            if (!Lib::EnterWorkingFolder(p_Path, error))
            {
                const bool unchanged = std::filesystem::current_path() == p_Start;
                return unchanged && error.find("\"" + p_Named + "\"") != std::string::npos ? k_Refused
                                                                                           : k_Wrong;
            }
            const bool there = std::filesystem::equivalent(std::filesystem::current_path(),
                                                           std::filesystem::path(p_Start) / p_Path);
            return there && access(".", W_OK) == 0 ? k_Entered : k_Wrong;
        });
}
} // namespace

TEST(WorkingFolderTest, CreatesMissingFoldersAndRefusesWhatCannotHoldTheFiles)
{
    TempFolder temp;
    const std::string root = temp.Path().string();
    TestSupport::OpenToEveryone(temp.Path());
    std::filesystem::create_directory(temp.Path() / "existing");
    TestSupport::WriteWholeFile(temp.File("afile"), "x");
    std::filesystem::create_directory(temp.Path() / "locked");
    chmod(temp.File("locked").c_str(), 0555);

    struct Case
    {
        std::string path; // relative to the temporary folder, or absolute
        std::string named;
        bool unprivileged;
        int expected;
    };
    const Case cases[] = {
        {"existing", "", false, k_Entered},
        {"new/deeper/still", "", false, k_Entered},
        {root + "/abs//double/", "", false, k_Entered},
        {"existing/../back", "", false, k_Entered},
        {"afile", "afile", false, k_Refused},
        {"afile/below", "afile/below", false, k_Refused},
        {"locked", "locked", true, k_Refused},
        {"locked/inside", "locked/inside", true, k_Refused},
        {"", "", false, k_Refused},
    };
    for (const Case& c : cases)
    {
        const int result = EnterInChild(root, c.path, c.named, c.unprivileged);
        ASSERT_NE(result, TestSupport::k_CannotSetUp) << c.path;
        EXPECT_EQ(result, c.expected) << "'" << c.path << "'";
    }
    EXPECT_TRUE(std::filesystem::is_directory(temp.Path() / "new/deeper/still"));
}
#endif
