// Screenshots and region captures read back from a real hidden SDL window with Mesa's driver
// (the test run provides the Xvfb).
#include "Corvan/Renderer/OpenGL/GLFunctions.h"

#include "Corvan/Renderer/OpenGL/OpenGLGraphicsContext.h"
#include "Corvan/Renderer/Screenshot.h"
#include "Lib/Blob.h"
#include "Lib/Log.h"
#include "Support/CapturingForwarder.h"
#include "Support/GLWindow.h"
#include "Support/LogFileRedirect.h"
#include "Support/TempFolder.h"

#include <SDL2/SDL.h>
#include <gtest/gtest.h>
#include <stb_image.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <regex>
#include <string>
#include <vector>

using Lib::WindowRect;
using Vozad::OpenGLGraphicsContext;

namespace
{
// 1366 * 3 is not a multiple of 4: a read-back with GL's default row alignment would pad rows.
constexpr int k_Width = 1366;
constexpr int k_Height = 64;
constexpr int k_BandHeight = 16; // four horizontal bands, top to bottom
constexpr int k_ColumnSplit = 455;

struct Rgba
{
    uint8_t r, g, b, a;
};

// Colour of band (0 = top) and column (0 = left of the split); every cell differs in every channel.
Rgba CellColour(int p_Band, int p_Column)
{
    return {static_cast<uint8_t>(30 + p_Band * 50 + p_Column * 20), static_cast<uint8_t>(200 - p_Band * 40),
            static_cast<uint8_t>(10 + p_Column * 200), 255};
}

Rgba ExpectedAt(int p_X, int p_TopDownY)
{
    return CellColour(p_TopDownY / k_BandHeight, p_X < k_ColumnSplit ? 0 : 1);
}

// Clears each cell of the window to its colour; rows are counted from the top as in a window.
void PaintBands()
{
    glEnable(GL_SCISSOR_TEST);
    for (int band = 0; band < k_Height / k_BandHeight; ++band)
    {
        for (int column = 0; column < 2; ++column)
        {
            const int left = column == 0 ? 0 : k_ColumnSplit;
            const int right = column == 0 ? k_ColumnSplit : k_Width;
            glScissor(left, k_Height - (band + 1) * k_BandHeight, right - left, k_BandHeight);
            const Rgba colour = CellColour(band, column);
            glClearColor(colour.r / 255.0f, colour.g / 255.0f, colour.b / 255.0f, colour.a / 255.0f);
            glClear(GL_COLOR_BUFFER_BIT);
        }
    }
    glDisable(GL_SCISSOR_TEST);
}

std::vector<uint8_t> Decode(const uint8_t* p_Png, size_t p_Size, int p_Components, int& p_Width,
                            int& p_Height, int& p_Channels)
{
    stbi_set_flip_vertically_on_load(0);
    stbi_uc* pixels = stbi_load_from_memory(p_Png, static_cast<int>(p_Size), &p_Width, &p_Height, &p_Channels,
                                            p_Components);
    if (!pixels)
        return {};
    std::vector<uint8_t> result(pixels, pixels + static_cast<size_t>(p_Width) * p_Height * p_Components);
    stbi_image_free(pixels);
    return result;
}

// Compares decoded rows (first row = top) with the expected colour of each pixel within one step
// per channel; on a mismatch says where, what it got and what it expected.
testing::AssertionResult PixelsMatch(const std::vector<uint8_t>& p_Pixels, int p_Width, int p_Height,
                                     int p_Components, Rgba (*p_Expected)(int, int))
{
    for (int y = 0; y < p_Height; ++y)
    {
        for (int x = 0; x < p_Width; ++x)
        {
            const uint8_t* got = &p_Pixels[(static_cast<size_t>(y) * p_Width + x) * p_Components];
            const Rgba expected = p_Expected(x, y);
            const uint8_t want[4] = {expected.r, expected.g, expected.b, expected.a};
            for (int c = 0; c < p_Components; ++c)
            {
                if (std::abs(got[c] - want[c]) > 1)
                    return testing::AssertionFailure()
                           << "pixel (" << x << ", " << y << ") channel " << c << " got " << int(got[c])
                           << " expected " << int(want[c]);
            }
        }
    }
    return testing::AssertionSuccess();
}

GLint GLInteger(GLenum p_Name)
{
    GLint value = 0;
    glGetIntegerv(p_Name, &value);
    return value;
}

std::vector<std::string> FilesIn(const std::filesystem::path& p_Folder)
{
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(p_Folder))
        names.push_back(entry.path().filename().string());
    return names;
}

class ScreenshotGLTest : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_GL.Open(k_Width, k_Height, "Screenshot test")) << SDL_GetError();
        int width = 0, height = 0;
        SDL_GL_GetDrawableSize(m_GL.Window(), &width, &height);
        ASSERT_EQ(width, k_Width);
        ASSERT_EQ(height, k_Height);
        // Screenshots land in the working directory.
        m_OldWorkingFolder = std::filesystem::current_path();
        std::filesystem::current_path(m_Folder.Path());
        m_Log.lines.clear();
    }

    void TearDown() override
    {
        if (!m_OldWorkingFolder.empty())
            std::filesystem::current_path(m_OldWorkingFolder);
        m_GL.Close();
    }

    TestSupport::TempFolder m_Folder;
    TestSupport::LogFileRedirect m_LogFile{m_Folder.File("gamelog.txt")};
    TestSupport::CapturingForwarder m_Log;
    std::filesystem::path m_OldWorkingFolder;
    TestSupport::GLWindow m_GL;
    Lib::LogTag m_Tag{"Renderer"};
};
} // namespace

TEST_F(ScreenshotGLTest, ScreenshotIsATopDownUnskewedPngNamedAfterTheLocalTime)
{
    PaintBands();
    const GLint packAlignment = GLInteger(GL_PACK_ALIGNMENT);

    m_GL.Context().SaveScreenshot("", "Snake", k_Width, k_Height);

    const std::vector<std::string> files = FilesIn(m_Folder.Path() / "Screenshots");
    ASSERT_EQ(files.size(), 1u);
    EXPECT_TRUE(std::regex_match(files[0], std::regex(R"(Snake_\d{4}-\d{2}-\d{2}_\d{2}-\d{2}-\d{2}\.png)")))
        << files[0];
    ASSERT_EQ(m_Log.lines.size(), 1u);
    EXPECT_EQ(m_Log.Messages()[0], "Saved screenshot to location \"Screenshots/" + files[0] + "\"");
    EXPECT_NE(m_Log.lines[0].find("Info"), std::string::npos) << m_Log.lines[0];
    EXPECT_NE(m_Log.lines[0].find("OpenGLGraphicsContext"), std::string::npos) << m_Log.lines[0];
    EXPECT_EQ(GLInteger(GL_PACK_ALIGNMENT), packAlignment);

    const std::string png = TestSupport::ReadWholeFile(m_Folder.File("Screenshots/" + files[0]));
    int width = 0, height = 0, channels = 0;
    const std::vector<uint8_t> pixels =
        Decode(reinterpret_cast<const uint8_t*>(png.data()), png.size(), 3, width, height, channels);
    ASSERT_FALSE(pixels.empty());
    EXPECT_EQ(width, k_Width);
    EXPECT_EQ(height, k_Height);
    EXPECT_EQ(channels, 3);
    EXPECT_TRUE(PixelsMatch(pixels, width, height, 3, &ExpectedAt));
}

TEST_F(ScreenshotGLTest, ScreenshotsInQuickSuccessionEachKeepTheirOwnFile)
{
    PaintBands();
    for (int shot = 0; shot < 3; ++shot)
        m_GL.Context().SaveScreenshot("", "Snake", k_Width, k_Height);

    std::vector<std::string> files = FilesIn(m_Folder.Path() / "Screenshots");
    ASSERT_EQ(files.size(), 3u);
    std::sort(files.begin(), files.end());
    ASSERT_EQ(m_Log.lines.size(), 3u);
    for (const std::string& name : files)
    {
        EXPECT_TRUE(
            std::regex_match(name, std::regex(R"(Snake_\d{4}-\d{2}-\d{2}_\d{2}-\d{2}-\d{2}(_[23])?\.png)")))
            << name;
        const std::vector<std::string> messages = m_Log.Messages();
        EXPECT_NE(std::find(messages.begin(), messages.end(),
                            "Saved screenshot to location \"Screenshots/" + name + "\""),
                  messages.end())
            << name;
    }
}

TEST_F(ScreenshotGLTest, AFileInThePlaceOfTheFolderAbortsTheScreenshot)
{
    TestSupport::WriteWholeFile(m_Folder.File("Screenshots"), "not a folder");

    m_GL.Context().SaveScreenshot("", "Snake", k_Width, k_Height);

    EXPECT_EQ(m_Log.Messages(),
              std::vector<std::string>{"Unable to create the screenshot folder, aborting the screenshot."});
    ASSERT_EQ(m_Log.lines.size(), 1u);
    EXPECT_NE(m_Log.lines[0].find("Error"), std::string::npos) << m_Log.lines[0];
    EXPECT_EQ(TestSupport::ReadWholeFile(m_Folder.File("Screenshots")), "not a folder");
}

TEST_F(ScreenshotGLTest, AWindowWithoutAreaIsReportedAndWritesNothing)
{
    m_GL.Context().SaveScreenshot("", "", 0, k_Height);

    ASSERT_EQ(m_Log.lines.size(), 1u);
    EXPECT_TRUE(std::regex_match(
        m_Log.Messages()[0],
        std::regex(
            R"(Could not save the screenshot to location "Screenshots/\d{4}-\d{2}-\d{2}_\d{2}-\d{2}-\d{2}\.png": )"
            R"(the window has no area or is too large to encode)")))
        << m_Log.Messages()[0];
    EXPECT_NE(m_Log.lines[0].find("Warning"), std::string::npos) << m_Log.lines[0];
    EXPECT_TRUE(FilesIn(m_Folder.Path() / "Screenshots").empty());
}

TEST_F(ScreenshotGLTest, CaptureClearColourTakesTheLowestByteAsRed)
{
    Vozad::ClearForCapture(0x80FF4020u); // alpha 0x80, blue 0xFF, green 0x40, red 0x20

    const Lib::Ref<Lib::Blob> blob = Vozad::ReadRegionPng(m_Tag, WindowRect{0, 1, 0, 1}, k_Height);
    ASSERT_TRUE(blob);
    int width = 0, height = 0, channels = 0;
    const std::vector<uint8_t> pixels = Decode(blob->Data(), blob->Size(), 4, width, height, channels);
    ASSERT_EQ(pixels.size(), 4u);
    EXPECT_NEAR(pixels[0], 0x20, 1);
    EXPECT_NEAR(pixels[1], 0x40, 1);
    EXPECT_NEAR(pixels[2], 0xFF, 1);
    EXPECT_NEAR(pixels[3], 0x80, 1);
}

TEST_F(ScreenshotGLTest, RegionCaptureIsAnRgbaPngOfTheRectangleBottomRowFirst)
{
    // What a capture sees is the frame drawn after the capture clear: the bands replace it.
    Vozad::ClearForCapture(0xFF00FF00u);
    PaintBands();

    const Lib::Ref<Lib::Blob> corner = Vozad::ReadRegionPng(m_Tag, WindowRect{0, 2, 0, 1}, k_Height);
    ASSERT_TRUE(corner);
    EXPECT_EQ(corner->ReferenceCount(), 1);
    int width = 0, height = 0, channels = 0;
    std::vector<uint8_t> pixels = Decode(corner->Data(), corner->Size(), 4, width, height, channels);
    EXPECT_EQ(width, 2);
    EXPECT_EQ(height, 1);
    EXPECT_EQ(channels, 4);
    EXPECT_TRUE(PixelsMatch(pixels, width, height, 4, [](int, int) { return CellColour(0, 0); }));

    // Two by two across the first band edge (y 15 | 16) and the column split (x 454 | 455): the
    // PNG's first row is the lower window row.
    const Lib::Ref<Lib::Blob> cross =
        Vozad::ReadRegionPng(m_Tag, WindowRect{k_ColumnSplit - 1, k_ColumnSplit + 1, 15, 17}, k_Height);
    ASSERT_TRUE(cross);
    pixels = Decode(cross->Data(), cross->Size(), 4, width, height, channels);
    EXPECT_EQ(width, 2);
    EXPECT_EQ(height, 2);
    EXPECT_TRUE(
        PixelsMatch(pixels, width, height, 4, [](int x, int pngRow) { return CellColour(1 - pngRow, x); }));
    EXPECT_TRUE(m_Log.lines.empty());
}

TEST_F(ScreenshotGLTest, RegionWithoutAreaGivesNothing)
{
    for (const WindowRect& rect : {WindowRect{5, 5, 0, 1}, WindowRect{0, 2, 3, 1}})
    {
        m_Log.lines.clear();
        EXPECT_FALSE(Vozad::ReadRegionPng(m_Tag, rect, k_Height));
        ASSERT_EQ(m_Log.lines.size(), 1u);
        EXPECT_NE(m_Log.lines[0].find("Error"), std::string::npos) << m_Log.lines[0];
    }
}
