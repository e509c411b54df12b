// Font files are found by name in the program's font folder (relative to the working directory,
// depth first) and then among the system's installed fonts; real files in a temporary folder.
#include "Corvan/Gui/FontResolver.h"
#include "Lib/Platform/FileSystem.h"

#include "Support/TempFolder.h"

#include <gtest/gtest.h>

#include <climits>
#include <filesystem>
#include <string>

#include <unistd.h>

using TestSupport::TempFolder;

namespace
{
class FontResolverTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        char cwd[PATH_MAX] = {};
        ASSERT_NE(getcwd(cwd, sizeof(cwd)), nullptr);
        m_OldDirectory = cwd;
        ASSERT_EQ(chdir(m_Folder.Path().c_str()), 0);
    }

    void TearDown() override { EXPECT_EQ(chdir(m_OldDirectory.c_str()), 0); }

    // A file under the font folder, e.g. "A/B/x.ttf".
    static void AddFont(const std::string& p_RelativePath)
    {
        const std::filesystem::path path = std::filesystem::path(Vozad::k_FontFolder) / p_RelativePath;
        std::filesystem::create_directories(path.parent_path());
        TestSupport::WriteWholeFile(path.string(), "font");
    }

    static std::string Resolve(const char* p_Name)
    {
        Lib::String path("untouched");
        if (!Vozad::ResolveFontPath(Lib::String(p_Name), path))
            return "<fail:" + path.ToNarrow().Bytes() + ">";
        return path.ToNarrow().Bytes();
    }

    TempFolder m_Folder;
    std::string m_OldDirectory;
};
} // namespace

TEST_F(FontResolverTest, FileInTheFontFolderItselfComesFirst)
{
    AddFont("Deep/Same.ttf");
    AddFont("Same.ttf");
    EXPECT_EQ(Resolve("Same.ttf"), "Resources/Fonts/Same.ttf");
}

TEST_F(FontResolverTest, SubfoldersAreSearchedDepthFirstWithTheFolderFormat)
{
    AddFont("Family/Styles/Bold.ttf");
    EXPECT_EQ(Resolve("Bold.ttf"), "Resources/Fonts//Family//Styles/Bold.ttf");
}

TEST_F(FontResolverTest, AFolderIsSearchedCompletelyBeforeItsNextSibling)
{
    std::filesystem::create_directories(std::filesystem::path(Vozad::k_FontFolder) / "A");
    std::filesystem::create_directories(std::filesystem::path(Vozad::k_FontFolder) / "B");
    // The system decides the listing order; the first listed sibling gets the file deep down, the
    // second one right inside. Depth first finds the deep one, a level-by-level search would not.
    const Lib::FolderContent listing = Lib::ListFolder(Lib::String(Vozad::k_FontFolder));
    ASSERT_EQ(listing.folders.Count(), 2u);
    const std::string first = listing.folders[0].ToNarrow().Bytes();
    const std::string second = listing.folders[1].ToNarrow().Bytes();
    AddFont(first + "/Two/Three/Deep.ttf");
    AddFont(second + "/Deep.ttf");
    // Every level joins folder and subfolder with "%s/%s/", after a folder that ends with a
    // separator already.
    EXPECT_EQ(Resolve("Deep.ttf"), "Resources/Fonts//" + first + "//Two//Three/Deep.ttf");
}

TEST_F(FontResolverTest, OnlyExactFileNamesMatch)
{
    AddFont("Exact.ttf");
    for (const char* name : {"exact.ttf", "Exact", "xact.ttf", "Exact.ttf ", "Exact.ttfx"})
        EXPECT_EQ(Resolve(name), "<fail:untouched>") << name;
}

TEST_F(FontResolverTest, EmptyNameFails)
{
    AddFont("Any.ttf");
    EXPECT_EQ(Resolve(""), "<fail:untouched>");
}

TEST_F(FontResolverTest, AFolderWithTheRequestedNameIsNoFont)
{
    std::filesystem::create_directories(std::filesystem::path(Vozad::k_FontFolder) / "Folder.ttf");
    EXPECT_EQ(Resolve("Folder.ttf"), "<fail:untouched>");
}

TEST_F(FontResolverTest, SystemFontIsFoundByItsFileName)
{
    // fonts-dejavu-core installs it; the working directory has no font folder at all.
    const std::string path = Resolve("DejaVuSans.ttf");
    ASSERT_EQ(path.rfind('<', 0), std::string::npos) << path;
    EXPECT_EQ(std::filesystem::path(path).filename(), "DejaVuSans.ttf");
    EXPECT_TRUE(std::filesystem::is_regular_file(path)) << path;
}

TEST_F(FontResolverTest, ProgramFolderWinsOverTheSystem)
{
    AddFont("DejaVuSans.ttf");
    EXPECT_EQ(Resolve("DejaVuSans.ttf"), "Resources/Fonts/DejaVuSans.ttf");
}

TEST_F(FontResolverTest, NameFoundNowhereFails)
{
    EXPECT_EQ(Resolve("NoSuchFontAnywhere-7731.ttf"), "<fail:untouched>");
    // Not a path either: the system search compares file names only.
    EXPECT_EQ(Resolve("dejavu/DejaVuSans.ttf"), "<fail:untouched>");
}

TEST(FontPixelSizeTest, PointsBecomePixelsAt96Dpi)
{
    struct Case
    {
        uint32_t points;
        const char* name;
        float pixels;
    };
    const Case cases[] = {
        {14, "NotoSans-Regular.ttf", 18.0f}, {10, "NotoSans-Regular.ttf", 13.0f},
        {12, "DejaVuSans.ttf", 16.0f},       {45, "DejaVuSans.ttf", 60.0f},
        {20, "DejaVuSans.ttf", 26.0f},       {0, "DejaVuSans.ttf", 0.0f},
        {14, "ProggyClean.ttf", 13.0f},      {45, "ProggyClean.ttf", 13.0f},
        {14, "proggyclean.ttf", 18.0f},
    };
    for (const Case& c : cases)
    {
        Vozad::FontSpec font;
        font.size = c.points;
        font.name = c.name;
        EXPECT_EQ(Vozad::FontPixelSize(font), c.pixels) << c.points << " " << c.name;
    }
}
