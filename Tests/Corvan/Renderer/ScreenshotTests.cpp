// Screenshot names, row order and PNG encoding; nothing here needs a GL context.
#include "Corvan/Renderer/Screenshot.h"

#include "Lib/Blob.h"
#include "Lib/String.h"
#include "Support/TempFolder.h"

#include <gtest/gtest.h>
#include <stb_image.h>

#include <ctime>
#include <filesystem>
#include <regex>
#include <string>
#include <vector>

namespace
{
std::string Narrow(const Lib::String& p_Text)
{
    return p_Text.ToNarrow().Bytes();
}

std::string LocalTimeNow()
{
    const time_t now = time(nullptr);
    tm calendar{};
    localtime_r(&now, &calendar);
    char text[80] = {};
    strftime(text, sizeof(text), "%Y-%m-%d_%H-%M-%S", &calendar);
    return text;
}

// Decodes PNG bytes with the given component count; empty when they are no PNG.
std::vector<uint8_t> Decode(const uint8_t* p_Png, size_t p_Size, int p_Components, int& p_Width,
                            int& p_Height)
{
    stbi_set_flip_vertically_on_load(0);
    int channels = 0;
    stbi_uc* pixels =
        stbi_load_from_memory(p_Png, static_cast<int>(p_Size), &p_Width, &p_Height, &channels, p_Components);
    if (!pixels)
        return {};
    std::vector<uint8_t> result(pixels, pixels + static_cast<size_t>(p_Width) * p_Height * p_Components);
    stbi_image_free(pixels);
    EXPECT_EQ(channels, p_Components);
    return result;
}

// Three rows of five RGB pixels (an odd row length), each byte different.
std::vector<uint8_t> Pattern(size_t p_Size)
{
    std::vector<uint8_t> bytes(p_Size);
    for (size_t i = 0; i < p_Size; ++i)
        bytes[i] = static_cast<uint8_t>(i * 7 + 1);
    return bytes;
}
} // namespace

TEST(ScreenshotNameTest, PathJoinsFolderNamePrefixAndTime)
{
    struct Case
    {
        const char* folderPrefix;
        const char* namePrefix;
        const char* path;
    };
    for (const Case& test : {Case{"", "Snake", "Screenshots/Snake_2026-01-02_03-04-05.png"},
                             Case{"", "", "Screenshots/2026-01-02_03-04-05.png"},
                             Case{"out", "Snake", "out/Screenshots/Snake_2026-01-02_03-04-05.png"},
                             Case{"out", "", "out/Screenshots/2026-01-02_03-04-05.png"}})
    {
        SCOPED_TRACE(std::string("'") + test.folderPrefix + "' '" + test.namePrefix + "'");
        EXPECT_EQ(Narrow(Vozad::ScreenshotPath(test.folderPrefix, test.namePrefix, "2026-01-02_03-04-05")),
                  test.path);
    }
    EXPECT_EQ(Narrow(Vozad::ScreenshotFolder("")), "Screenshots");
    EXPECT_EQ(Narrow(Vozad::ScreenshotFolder("out")), "out/Screenshots");
}

TEST(ScreenshotNameTest, TimeTextIsTheLocalTimeToTheSecond)
{
    const std::string before = LocalTimeNow();
    const std::string text = Narrow(Vozad::ScreenshotTimeText());
    const std::string after = LocalTimeNow();
    EXPECT_TRUE(std::regex_match(text, std::regex(R"(\d{4}-\d{2}-\d{2}_\d{2}-\d{2}-\d{2})"))) << text;
    EXPECT_TRUE(text == before || text == after) << text << " between " << before << " and " << after;
}

TEST(ScreenshotRowsTest, FlipRowsReversesTheRowOrder)
{
    const std::vector<uint8_t> rows = Pattern(15);
    const std::vector<uint8_t> flipped = Vozad::FlipRows(rows.data(), 5, 3);
    ASSERT_EQ(flipped.size(), 15u);
    EXPECT_EQ(std::vector<uint8_t>(flipped.begin(), flipped.begin() + 5),
              std::vector<uint8_t>(rows.begin() + 10, rows.end()));
    EXPECT_EQ(std::vector<uint8_t>(flipped.begin() + 5, flipped.begin() + 10),
              std::vector<uint8_t>(rows.begin() + 5, rows.begin() + 10));
    EXPECT_EQ(std::vector<uint8_t>(flipped.begin() + 10, flipped.end()),
              std::vector<uint8_t>(rows.begin(), rows.begin() + 5));
    EXPECT_EQ(Vozad::FlipRows(flipped.data(), 5, 3), rows);
    EXPECT_EQ(Vozad::FlipRows(rows.data(), 5, 1), std::vector<uint8_t>(rows.begin(), rows.begin() + 5));
}

TEST(ScreenshotEncodingTest, PngKeepsEveryPixelAndRowOrder)
{
    for (const uint32_t components : {3u, 4u})
    {
        SCOPED_TRACE(components);
        // Five pixels wide: RGB rows of 15 bytes are not a multiple of four.
        const std::vector<uint8_t> pixels = Pattern(5 * 3 * components);
        const std::vector<uint8_t> png = Vozad::EncodePng(pixels.data(), 5, 3, components);
        ASSERT_FALSE(png.empty());
        int width = 0, height = 0;
        EXPECT_EQ(Decode(png.data(), png.size(), static_cast<int>(components), width, height), pixels);
        EXPECT_EQ(width, 5);
        EXPECT_EQ(height, 3);
    }
}

TEST(ScreenshotEncodingTest, ImagesThatCannotBeEncodedGiveNothing)
{
    const std::vector<uint8_t> pixels = Pattern(64);
    EXPECT_TRUE(Vozad::EncodePng(pixels.data(), 0, 3, 3).empty());
    EXPECT_TRUE(Vozad::EncodePng(pixels.data(), 3, 0, 3).empty());
    EXPECT_TRUE(Vozad::EncodePng(pixels.data(), 2, 2, 5).empty());
    EXPECT_TRUE(Vozad::EncodePng(nullptr, 2, 2, 3).empty());
    // Larger than the encoder can count; nothing is read from the pixels.
    EXPECT_TRUE(Vozad::EncodePng(pixels.data(), 100000, 100000, 4).empty());
    EXPECT_FALSE(Vozad::EncodePngToBlob(pixels.data(), 0, 0, 4));
}

TEST(ScreenshotEncodingTest, BlobHoldsThePngAndOneReference)
{
    const std::vector<uint8_t> pixels = Pattern(2 * 2 * 4);
    const Lib::Ref<Lib::Blob> blob = Vozad::EncodePngToBlob(pixels.data(), 2, 2, 4);
    ASSERT_TRUE(blob);
    EXPECT_EQ(blob->ReferenceCount(), 1);
    EXPECT_EQ(blob->Position(), 0u);
    int width = 0, height = 0;
    EXPECT_EQ(Decode(blob->Data(), blob->Size(), 4, width, height), pixels);
}

TEST(ScreenshotEncodingTest, WritePngFileCreatesAFileOnlyWhenItCanWriteIt)
{
    TestSupport::TempFolder folder;
    const std::vector<uint8_t> pixels = Pattern(4 * 2 * 3);

    const std::string path = folder.File("shot.png");
    ASSERT_TRUE(Vozad::WritePngFile(path.c_str(), pixels.data(), 4, 2, 3));
    const std::string png = TestSupport::ReadWholeFile(path);
    int width = 0, height = 0;
    EXPECT_EQ(Decode(reinterpret_cast<const uint8_t*>(png.data()), png.size(), 3, width, height), pixels);

    // Overwrites an earlier file of the same name.
    const std::vector<uint8_t> other(4 * 2 * 3, 0x5A);
    ASSERT_TRUE(Vozad::WritePngFile(path.c_str(), other.data(), 4, 2, 3));
    const std::string second = TestSupport::ReadWholeFile(path);
    EXPECT_EQ(Decode(reinterpret_cast<const uint8_t*>(second.data()), second.size(), 3, width, height),
              other);

    const std::string empty = folder.File("empty.png");
    EXPECT_FALSE(Vozad::WritePngFile(empty.c_str(), pixels.data(), 0, 2, 3));
    EXPECT_FALSE(std::filesystem::exists(empty));

    EXPECT_FALSE(Vozad::WritePngFile(folder.File("missing/shot.png").c_str(), pixels.data(), 4, 2, 3));
    EXPECT_FALSE(std::filesystem::exists(folder.File("missing")));
}
