// The GUI drawing context on a real window and GL context under the test run's Xvfb: what its
// primitives leave in the read-back pixels, and how fonts are measured and loaded lazily.
#include "Corvan/Gui/GuiContext.h"

#include "Corvan/Gui/FontResolver.h"
#include "Corvan/Renderer/IGraphicsContext.h"
#include "Corvan/Renderer/ImageResources.h"
#include "Corvan/Renderer/Screenshot.h"
#include "Corvan/Renderer/TextureHandler.h"
#include "Corvan/Renderer/TextureInfo.h"

#include "Support/CapturingForwarder.h"
#include "Support/GLWindow.h"
#include "Support/LogFileRedirect.h"
#include "Support/TempFolder.h"
#include "Support/WindowPixels.h"

#include <gtest/gtest.h>

#include <GL/gl.h>

#include <array>
#include <climits>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include <unistd.h>

using TestSupport::CapturingForwarder;
using Vozad::FontSpec;
using Vozad::GuiContext;
using Vozad::LayoutRect;

namespace
{
constexpr int k_Width = 200;
constexpr int k_Height = 160;

// Drawing packing 0xAABBGGRR.
constexpr uint32_t k_Red = 0xFF0000FF;
constexpr uint32_t k_Green = 0xFF00FF00;

using Pixel = TestSupport::Rgba;

FontSpec Font(uint32_t p_Points, const char* p_Name)
{
    FontSpec font;
    font.size = p_Points;
    font.name = p_Name;
    return font;
}

// Bytes this process has read through read() and its kin so far.
uint64_t BytesReadSoFar()
{
    std::ifstream io("/proc/self/io");
    std::string key;
    uint64_t value = 0;
    while (io >> key >> value)
        if (key == "rchar:")
            return value;
    return 0;
}

std::string Hex(const Pixel& p_Pixel)
{
    char text[16];
    snprintf(text, sizeof(text), "%02X %02X %02X %02X", p_Pixel[0], p_Pixel[1], p_Pixel[2], p_Pixel[3]);
    return text;
}

class GuiContextGLTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_Window.Open(k_Width, k_Height)) << SDL_GetError();
        m_Gui = std::make_unique<GuiContext>(m_Window.Window(), m_Window.Context().GetNativeContext(),
                                             Vozad::k_GraphicsApiOpenGL);
        ASSERT_TRUE(m_Gui->Initialise());
    }

    void TearDown() override
    {
        if (m_Gui)
            m_Gui->Shutdown();
        m_Gui.reset();
        m_Window.Close();
    }

    // One frame over a black window: p_Draw fills the frame's draw list, the frame is drawn and
    // the back buffer read back.
    void DrawFrame(const std::function<void(GuiContext&)>& p_Draw)
    {
        glViewport(0, 0, k_Width, k_Height);
        glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT);
        ASSERT_NE(m_Gui->BeginFrame({k_Width, k_Height}), nullptr);
        p_Draw(*m_Gui);
        m_Gui->EndFrame();
        m_Frame = TestSupport::ReadFrame(k_Width, k_Height);
        ASSERT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    }

    // Window coordinates, origin top-left.
    Pixel At(int p_X, int p_Y) const { return m_Frame.At(p_X, p_Y); }

    struct PixelAt
    {
        int x, y;
        Pixel colour;
    };
    // Each listed pixel has exactly its colour.
    void ExpectPixels(const std::vector<PixelAt>& p_Expected) const
    {
        for (const PixelAt& expected : p_Expected)
            EXPECT_TRUE(TestSupport::NearRgba(At(expected.x, expected.y), expected.colour, 0))
                << "at (" << expected.x << ", " << expected.y << ")";
    }

    // Pixels in the rectangle whose colour is not black.
    int CountLit(const LayoutRect& p_Rect) const
    {
        int lit = 0;
        for (int y = p_Rect.top; y < p_Rect.bottom; ++y)
            for (int x = p_Rect.left; x < p_Rect.right; ++x)
            {
                const Pixel pixel = At(x, y);
                lit += (pixel[0] | pixel[1] | pixel[2]) != 0 ? 1 : 0;
            }
        return lit;
    }

    TestSupport::GLWindow m_Window;
    std::unique_ptr<GuiContext> m_Gui;
    TestSupport::PixelFrame m_Frame;
};

const Pixel k_BlackPixel = {0, 0, 0, 0xFF};
const Pixel k_RedPixel = {0xFF, 0, 0, 0xFF};
const Pixel k_GreenPixel = {0, 0xFF, 0, 0xFF};
} // namespace

TEST_F(GuiContextGLTest, FillRectCoversExactlyItsRectangle)
{
    DrawFrame(
        [](GuiContext& p_Gui)
        {
            p_Gui.SetColour(k_Red);
            p_Gui.FillRect({20, 60, 30, 50}, 0.0f);
        });
    ExpectPixels({
        {20, 30, k_RedPixel},
        {59, 49, k_RedPixel},
        {40, 40, k_RedPixel},
        {19, 40, k_BlackPixel},
        {60, 40, k_BlackPixel},
        {40, 29, k_BlackPixel},
        {40, 50, k_BlackPixel},
    });
    EXPECT_EQ(CountLit({0, k_Width, 0, k_Height}), 40 * 20);
}

TEST_F(GuiContextGLTest, DrawRectOutlinesWithoutFilling)
{
    DrawFrame(
        [](GuiContext& p_Gui)
        {
            p_Gui.SetColour(k_Green);
            p_Gui.DrawRect({20, 100, 20, 80}, 2.0f, 0.0f);
        });
    // The outline runs along the edges; the inside and the outside stay black.
    EXPECT_GT(At(60, 20)[1], 0x80) << Hex(At(60, 20));
    EXPECT_GT(At(60, 79)[1], 0x80) << Hex(At(60, 79));
    EXPECT_GT(At(20, 50)[1], 0x80) << Hex(At(20, 50));
    EXPECT_GT(At(99, 50)[1], 0x80) << Hex(At(99, 50));
    EXPECT_EQ(CountLit({25, 95, 25, 75}), 0);
    EXPECT_EQ(CountLit({0, k_Width, 85, k_Height}), 0);
    EXPECT_EQ(CountLit({105, k_Width, 0, k_Height}), 0);
}

TEST_F(GuiContextGLTest, ThinLinesAndTransparentColourDrawNothing)
{
    DrawFrame(
        [](GuiContext& p_Gui)
        {
            p_Gui.SetColour(k_Red);
            p_Gui.DrawRect({10, 100, 10, 100}, 0.5f, 0.0f);
            p_Gui.DrawLine({10, 10}, {150, 120}, 0.9f);
            p_Gui.SetColour(0x00FFFFFF);
            p_Gui.FillRect({0, k_Width, 0, k_Height}, 0.0f);
            p_Gui.DrawRect({10, 100, 10, 100}, 3.0f, 0.0f);
            p_Gui.FillTriangle({0, 0}, {150, 0}, {0, 150});
            p_Gui.DrawTriangle({0, 0}, {150, 0}, {0, 150}, 2.0f);
            p_Gui.DrawText("Nothing", {20, 20}, FontSpec{}, 0);
            p_Gui.DrawText("Nothing", {20, 20}, Font(14, Vozad::k_BuiltInFontName), 0);
        });
    EXPECT_EQ(CountLit({0, k_Width, 0, k_Height}), 0);
    // The same calls with an opaque colour do draw.
    DrawFrame(
        [](GuiContext& p_Gui)
        {
            p_Gui.SetColour(k_Red);
            p_Gui.DrawLine({10, 10}, {150, 120}, 1.0f);
            p_Gui.FillTriangle({0, 150}, {40, 150}, {0, 110});
        });
    EXPECT_GT(CountLit({0, k_Width, 0, 100}), 50);
    EXPECT_TRUE(TestSupport::NearRgba(At(5, 145), k_RedPixel, 0));
}

TEST_F(GuiContextGLTest, PushedClipRectanglesIntersectAndPopRestoresThePreviousOne)
{
    DrawFrame(
        [](GuiContext& p_Gui)
        {
            p_Gui.PushClipRect({0, 100, 0, 100});
            // Partly outside the current clip rectangle: only the overlap (50..100) remains.
            p_Gui.PushClipRect({50, 150, 50, 150});
            p_Gui.SetColour(k_Red);
            p_Gui.FillRect({0, k_Width, 0, k_Height}, 0.0f);
            p_Gui.PopClipRect();
            // Back to 0..100: green everywhere in there that is not red yet.
            p_Gui.SetColour(k_Green);
            p_Gui.FillRect({0, 50, 0, k_Height}, 0.0f);
            p_Gui.PopClipRect();
            // More pops than pushes change nothing.
            p_Gui.PopClipRect();
            p_Gui.PopClipRect();
        });
    ExpectPixels({
        {50, 50, k_RedPixel},
        {99, 99, k_RedPixel},
        {120, 120, k_BlackPixel},
        {99, 100, k_BlackPixel},
        {100, 99, k_BlackPixel},
    });
    EXPECT_EQ(CountLit({50, 100, 50, 100}), 50 * 50);
    ExpectPixels({
        {10, 10, k_GreenPixel},
        {49, 99, k_GreenPixel},
        {10, 100, k_BlackPixel},
    });
    EXPECT_EQ(CountLit({0, k_Width, 0, k_Height}), 50 * 50 + 50 * 100);
}

TEST_F(GuiContextGLTest, ImageIsSqueezedIntoTheClipRectangle)
{
    // Two texels: red on the left, green on the right.
    const unsigned char texels[] = {0xFF, 0, 0, 0xFF, 0, 0xFF, 0, 0xFF};
    GLuint texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, 2, 1, 0, GL_RGBA, GL_UNSIGNED_BYTE, texels);
    glBindTexture(GL_TEXTURE_2D, 0);
    Vozad::TextureInfo info;
    info.glTexture = texture;
    info.width = 40;
    info.height = 20;

    DrawFrame(
        [&](GuiContext& p_Gui)
        {
            // Unclipped the image would cover 10..50; the clip starts at 30.
            p_Gui.DrawImage(info, {10, 10}, {30, 100, 0, 100});
            // All-zero clip: drawn at its own size. Wholly outside its clip: not drawn at all.
            p_Gui.DrawImage(info, {10, 100}, LayoutRect{});
            p_Gui.DrawImage(info, {120, 10}, {0, 100, 0, 100});
        });
    // Squeezed, not cut: the red half is still there, in 30..40.
    ExpectPixels({
        {32, 20, k_RedPixel},
        {45, 20, k_GreenPixel},
        {25, 20, k_BlackPixel},
        {52, 20, k_BlackPixel},
        {12, 110, k_RedPixel},
        {45, 110, k_GreenPixel},
    });
    EXPECT_EQ(CountLit({100, k_Width, 0, 60}), 0);
    glDeleteTextures(1, &texture);
}

// The same PNG, once read from a file and once compiled in, shows the same way up: its red top
// half at the top of the drawn image.
TEST_F(GuiContextGLTest, ImageFromAFileIsUprightLikeTheSameImageCompiledIn)
{
    constexpr uint32_t k_Side = 16;
    std::vector<uint8_t> texels;
    for (uint32_t i = 0; i < k_Side * k_Side; ++i)
        texels.insert(texels.end(), {static_cast<uint8_t>(i < k_Side * k_Side / 2 ? 0xFF : 0),
                                     static_cast<uint8_t>(i < k_Side * k_Side / 2 ? 0 : 0xFF), 0, 0xFF});
    TestSupport::TempFolder folder;
    const std::string path = folder.File("halves.png");
    ASSERT_TRUE(Vozad::WritePngFile(Lib::String(path), texels.data(), k_Side, k_Side, 4));
    std::ifstream file(path, std::ios::binary);
    const std::vector<uint8_t> png((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    const Vozad::ImageResource compiledIn = {png.data(), "halves", static_cast<uint32_t>(png.size()), k_Side,
                                             k_Side};

    Vozad::TextureHandler textures(Vozad::k_GraphicsApiOpenGL);
    const Vozad::TextureInfo fromFile = textures.LoadUiTexture(Lib::String(path));
    const Vozad::TextureInfo fromMemory = textures.LoadUiTextureFromMemory(compiledIn);
    ASSERT_NE(fromFile.glTexture, 0u);
    ASSERT_NE(fromMemory.glTexture, 0u);
    DrawFrame(
        [&](GuiContext& p_Gui)
        {
            p_Gui.DrawImage(fromFile, {20, 20}, LayoutRect{});
            p_Gui.DrawImage(fromMemory, {60, 20}, LayoutRect{});
        });
    for (const int left : {20, 60})
    {
        SCOPED_TRACE(left == 20 ? "from a file" : "compiled in");
        EXPECT_TRUE(TestSupport::NearRgba(At(left + 8, 22), k_RedPixel, 0));
        EXPECT_TRUE(TestSupport::NearRgba(At(left + 8, 33), k_GreenPixel, 0));
    }
    textures.Shutdown();
}

// The GUI back end blends with source alpha; a half-transparent texel must be weighted by its
// alpha once: red 255 at alpha 128 over black shows as red 128, not 64.
TEST_F(GuiContextGLTest, HalfTransparentImageIsNotDarkenedTwice)
{
    std::vector<uint8_t> halfRed;
    for (int i = 0; i < 8 * 8; ++i)
        halfRed.insert(halfRed.end(), {0xFF, 0, 0, 0x80});
    TestSupport::TempFolder folder;
    const std::string path = folder.File("half.png");
    ASSERT_TRUE(Vozad::WritePngFile(Lib::String(path), halfRed.data(), 8, 8, 4));
    Vozad::TextureHandler textures(Vozad::k_GraphicsApiOpenGL);
    const Vozad::TextureInfo image = textures.LoadUiTexture(Lib::String(path));
    ASSERT_NE(image.glTexture, 0u);
    EXPECT_TRUE(image.transparent);
    DrawFrame([&](GuiContext& p_Gui) { p_Gui.DrawImage(image, {20, 20}, LayoutRect{}); });
    EXPECT_TRUE(TestSupport::NearRgb(TestSupport::RgbOf(At(24, 24)), {128, 0, 0}, 2));
    textures.Shutdown();
}

TEST_F(GuiContextGLTest, TextDrawsInTheFallbackFontWhenItsFontIsNotLoaded)
{
    DrawFrame(
        [](GuiContext& p_Gui)
        {
            p_Gui.SetColour(0xFFFFFFFF);
            p_Gui.DrawText("Hello", {20, 20}, Font(14, "NoSuchFontAnywhere-7731.ttf"), 0);
            p_Gui.DrawText("", {20, 80}, Font(14, Vozad::k_BuiltInFontName), 0);
        });
    const int lit = CountLit({20, 80, 20, 40});
    EXPECT_GT(lit, 20);
    EXPECT_EQ(CountLit({0, k_Width, 0, k_Height}), lit);
}

TEST_F(GuiContextGLTest, RectsOverlapOnlyWithCommonArea)
{
    struct Case
    {
        LayoutRect a, b;
        bool overlap;
    };
    const Case cases[] = {
        {{0, 10, 0, 10}, {5, 15, 5, 15}, true},    {{0, 10, 0, 10}, {10, 20, 0, 10}, false},
        {{0, 10, 0, 10}, {0, 10, 10, 20}, false},  {{0, 10, 0, 10}, {2, 3, 2, 3}, true},
        {{0, 10, 0, 10}, {-5, 0, -5, 0}, false},   {{0, 10, 0, 10}, {9, 30, -4, 1}, true},
        {{0, 10, 0, 10}, {11, 20, 11, 20}, false},
    };
    for (const Case& c : cases)
    {
        EXPECT_EQ(m_Gui->RectsOverlap(c.a, c.b), c.overlap) << c.b.left << " " << c.b.top;
        EXPECT_EQ(m_Gui->RectsOverlap(c.b, c.a), c.overlap) << c.b.left << " " << c.b.top;
    }
    m_Gui->SetOffset({4, 5});
    EXPECT_EQ(m_Gui->GetOffset(), (Lib::Point{4, 5}));
    m_Gui->ResetOffset();
    EXPECT_EQ(m_Gui->GetOffset(), (Lib::Point{0, 0}));
    EXPECT_EQ(m_Gui->GetDrawOffset(), LayoutRect{});
}

TEST_F(GuiContextGLTest, FontMeasuredBeforeItIsLoadedEntersTheMainAtlasAtTheNextFrame)
{
    TestSupport::TempFolder logs;
    TestSupport::LogFileRedirect logFile(logs.File("log.txt"));
    CapturingForwarder log;
    const FontSpec font = Font(14, "DejaVuSans.ttf");
    Lib::String path;
    ASSERT_TRUE(Vozad::ResolveFontPath(font.name, path));

    const Vozad::TextMetrics first = m_Gui->MeasureText("Hello", font);
    EXPECT_GT(first.width, 20.0f);
    EXPECT_EQ(first.width, std::floor(first.width));
    EXPECT_GT(first.height, 15.0f);
    ASSERT_EQ(first.glyphs.Count(), 5u);
    float advances = 0.0f;
    for (uint32_t i = 0; i < first.glyphs.Count(); ++i)
    {
        EXPECT_GT(first.glyphs[i].width, 0.0f);
        EXPECT_GT(first.glyphs[i].height, 0.0f);
        advances += first.glyphs[i].advance;
    }
    EXPECT_EQ(first.width, std::ceil(advances));
    // The two 'l' are the same glyph.
    EXPECT_EQ(first.glyphs[2].advance, first.glyphs[3].advance);

    // Measuring it again queues it no second time; nothing is loaded into the main atlas yet.
    const Vozad::TextMetrics again = m_Gui->MeasureText("Hello", font);
    EXPECT_EQ(again.width, first.width);
    ASSERT_EQ(m_Gui->GetPendingFonts().Count(), 1u);
    EXPECT_TRUE(m_Gui->GetPendingFonts()[0] == font);
    EXPECT_FALSE(m_Gui->IsLoadedForDrawing(font));
    EXPECT_TRUE(log.lines.empty());

    Vozad::TextMetrics inFrame;
    DrawFrame(
        [&](GuiContext& p_Gui)
        {
            // In a frame the main context measures, with the font now in its atlas.
            inFrame = p_Gui.MeasureText("Hello", font);
            p_Gui.SetColour(0xFFFFFFFF);
            p_Gui.DrawText("Hello", {10, 10}, font, 0);
        });
    EXPECT_TRUE(m_Gui->IsLoadedForDrawing(font));
    EXPECT_TRUE(m_Gui->GetPendingFonts().IsEmpty());
    const std::vector<TestSupport::LogRecord> records = log.Records();
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].level, "Info");
    EXPECT_EQ(records[0].tag, "UpdateFonts");
    EXPECT_EQ(records[0].message, "Font loaded: " + path.ToNarrow().Bytes() + ", size: 18");
    EXPECT_EQ(inFrame.width, first.width);
    EXPECT_EQ(inFrame.height, first.height);
    EXPECT_EQ(inFrame.glyphs.Count(), 5u);
    // Drawn in the 18-pixel face: taller than the built-in 13 pixels.
    EXPECT_GT(CountLit({10, 10 + static_cast<int>(first.width), 10, 30}), 30);
    EXPECT_EQ(CountLit({10 + static_cast<int>(first.width) + 2, k_Width, 0, k_Height}), 0);

    // Later frames load nothing again.
    DrawFrame([](GuiContext&) {});
    EXPECT_EQ(log.lines.size(), 1u);
}

TEST_F(GuiContextGLTest, AtlasPixelsAreDroppedOnceUploadedAndALaterSizeStillDraws)
{
    TestSupport::TempFolder logs;
    TestSupport::LogFileRedirect logFile(logs.File("log.txt"));
    CapturingForwarder log;
    const FontSpec small = Font(14, "DejaVuSans.ttf");
    const FontSpec large = Font(24, "DejaVuSans.ttf");
    const float smallWidth = m_Gui->MeasureText("Hello", small).width;
    DrawFrame(
        [&](GuiContext& p_Gui)
        {
            p_Gui.SetColour(0xFFFFFFFF);
            p_Gui.DrawText("Hello", {10, 10}, small, 0);
        });
    ASSERT_TRUE(m_Gui->IsLoadedForDrawing(small));
    EXPECT_EQ(m_Gui->GetAtlasPixelBytes(), 0u);
    EXPECT_GT(CountLit({10, 10 + static_cast<int>(smallWidth), 10, 30}), 30);

    // A size added later rebuilds the atlas from the font data it kept: both sizes draw.
    const float largeWidth = m_Gui->MeasureText("Hello", large).width;
    DrawFrame(
        [&](GuiContext& p_Gui)
        {
            p_Gui.SetColour(0xFFFFFFFF);
            p_Gui.DrawText("Hello", {10, 10}, small, 0);
            p_Gui.DrawText("Hello", {10, 50}, large, 0);
        });
    ASSERT_TRUE(m_Gui->IsLoadedForDrawing(large));
    EXPECT_EQ(m_Gui->GetAtlasPixelBytes(), 0u);
    EXPECT_GT(CountLit({10, 10 + static_cast<int>(smallWidth), 10, 30}), 30);
    EXPECT_GT(CountLit({10, 10 + static_cast<int>(largeWidth), 50, 85}), 60);
}

TEST_F(GuiContextGLTest, GlyphsAreUploadedAsCoverageAndTextKeepsItsColour)
{
    TestSupport::TempFolder logs;
    TestSupport::LogFileRedirect logFile(logs.File("log.txt"));
    CapturingForwarder log;
    const FontSpec font = Font(24, "DejaVuSans.ttf");
    const float width = m_Gui->MeasureText("Hello", font).width;
    DrawFrame(
        [&](GuiContext& p_Gui)
        {
            p_Gui.SetColour(0xFF00FF00); // opaque green, 0xAABBGGRR
            p_Gui.DrawText("Hello", {10, 10}, font, 0);
        });

    // One byte per texel: a quarter of what the same atlas takes as RGBA.
    const GLuint atlas = m_Gui->GetFontTextureName(font);
    ASSERT_NE(atlas, 0u);
    GLint format = 0;
    glBindTexture(GL_TEXTURE_2D, atlas);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_INTERNAL_FORMAT, &format);
    glBindTexture(GL_TEXTURE_2D, 0);
    EXPECT_EQ(format, GL_R8);

    // The coverage only weighs the text's colour: no red or blue creeps in, and the glyphs' solid
    // parts show the colour itself.
    int lit = 0, full = 0, tinted = 0;
    for (int y = 10; y < 45; ++y)
        for (int x = 10; x < 10 + static_cast<int>(width); ++x)
        {
            const Pixel pixel = At(x, y);
            lit += pixel[1] != 0 ? 1 : 0;
            full += pixel[1] >= 0xF8 ? 1 : 0;
            tinted += (pixel[0] | pixel[2]) != 0 ? 1 : 0;
        }
    EXPECT_GT(lit, 60);
    EXPECT_GT(full, 20);
    EXPECT_EQ(tinted, 0);
}

TEST_F(GuiContextGLTest, AFontFileIsReadOnceForAllItsSizesAndBothAtlases)
{
    TestSupport::TempFolder logs;
    TestSupport::LogFileRedirect logFile(logs.File("log.txt"));
    CapturingForwarder log;
    const std::filesystem::path file = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";
    ASSERT_TRUE(std::filesystem::exists(file));
    const uint64_t fileBytes = std::filesystem::file_size(file);

    // Four sizes measured (one measuring atlas each) and then drawn (the drawing atlas): eight
    // fonts made from the file, which is read once.
    const uint64_t before = BytesReadSoFar();
    std::vector<FontSpec> fonts;
    for (const uint32_t points : {10u, 14u, 20u, 28u})
    {
        fonts.push_back(Font(points, "DejaVuSans.ttf"));
        EXPECT_GT(m_Gui->MeasureText("Hello", fonts.back()).width, 0.0f);
    }
    DrawFrame(
        [&](GuiContext& p_Gui)
        {
            p_Gui.SetColour(0xFFFFFFFF);
            int y = 5;
            for (const FontSpec& font : fonts)
            {
                p_Gui.DrawText("Hello", {10, y}, font, 0);
                y += 35;
            }
        });
    const uint64_t read = BytesReadSoFar() - before;
    for (const FontSpec& font : fonts)
        EXPECT_TRUE(m_Gui->IsLoadedForDrawing(font));
    EXPECT_GT(CountLit({10, k_Width, 110, k_Height}), 60);
    EXPECT_GE(read, fileBytes);
    EXPECT_LT(read, 2 * fileBytes);
}

TEST_F(GuiContextGLTest, PointSizesBecomePixelFonts)
{
    TestSupport::TempFolder logs;
    TestSupport::LogFileRedirect logFile(logs.File("log.txt"));
    CapturingForwarder log;
    // The interface's own font (Debian's fonts-noto-core) at the widgets' default size.
    const FontSpec fourteen = Font(14, "NotoSans-Regular.ttf");
    const FontSpec ten = Font(10, "NotoSans-Regular.ttf");
    const Vozad::TextMetrics large = m_Gui->MeasureText("M", fourteen);
    const Vozad::TextMetrics small = m_Gui->MeasureText("M", ten);
    EXPECT_GT(large.glyphs[0].advance, small.glyphs[0].advance);
    DrawFrame([](GuiContext&) {});
    ASSERT_EQ(log.Messages().size(), 2u);
    EXPECT_NE(log.Messages()[0].find(", size: 18"), std::string::npos) << log.Messages()[0];
    EXPECT_NE(log.Messages()[1].find(", size: 13"), std::string::npos) << log.Messages()[1];
    // A 13-pixel Noto Sans is not the built-in 13-pixel font, and 14 points of it is no 10 points.
    EXPECT_TRUE(m_Gui->IsLoadedForDrawing(ten));
    EXPECT_FALSE(m_Gui->IsLoadedForDrawing(Font(12, "NotoSans-Regular.ttf")));
}

TEST_F(GuiContextGLTest, BuiltInFontMeasuresAtThirteenPixelsWhateverTheSize)
{
    TestSupport::TempFolder logs;
    TestSupport::LogFileRedirect logFile(logs.File("log.txt"));
    CapturingForwarder log;
    const Vozad::TextMetrics reference = m_Gui->MeasureText("Abc", Font(10, Vozad::k_BuiltInFontName));
    // Ascent plus descent of the 13-pixel face, at every point size.
    EXPECT_EQ(reference.height, 14.0f);
    for (uint32_t points : {1u, 14u, 45u})
    {
        SCOPED_TRACE(points);
        const Vozad::TextMetrics metrics = m_Gui->MeasureText("Abc", Font(points, Vozad::k_BuiltInFontName));
        EXPECT_EQ(metrics.height, reference.height);
        EXPECT_TRUE(m_Gui->IsLoadedForDrawing(Font(points, Vozad::k_BuiltInFontName)));
        ASSERT_EQ(metrics.glyphs.Count(), 3u);
        // The built-in face is monospaced, 7 pixels a character.
        EXPECT_EQ(metrics.glyphs[0].advance, 7.0f);
        EXPECT_EQ(metrics.width, 21.0f);
    }
    // Built in: nothing to load, nothing queued, nothing logged.
    EXPECT_TRUE(m_Gui->GetPendingFonts().IsEmpty());
    DrawFrame([](GuiContext&) {});
    EXPECT_TRUE(log.lines.empty());
}

TEST_F(GuiContextGLTest, FontsThatCannotBeLoadedMeasureEmptyAndLogNothing)
{
    TestSupport::TempFolder folder;
    TestSupport::LogFileRedirect logFile(folder.File("log.txt"));
    char cwd[PATH_MAX] = {};
    ASSERT_NE(getcwd(cwd, sizeof(cwd)), nullptr);
    ASSERT_EQ(chdir(folder.Path().c_str()), 0);
    // Present but no font: an empty file and a text file.
    std::filesystem::create_directories(Vozad::k_FontFolder);
    TestSupport::WriteWholeFile(std::string(Vozad::k_FontFolder) + "Empty.ttf", "");
    TestSupport::WriteWholeFile(std::string(Vozad::k_FontFolder) + "Text.ttf", "no font in here at all");
    CapturingForwarder log;

    for (const FontSpec& font : {Font(14, "NoSuchFontAnywhere-7731.ttf"), Font(14, "Empty.ttf"),
                                 Font(14, "Text.ttf"), Font(0, "DejaVuSans.ttf"), Font(14, "")})
    {
        SCOPED_TRACE(font.name.ToNarrow().Bytes());
        const Vozad::TextMetrics metrics = m_Gui->MeasureText("Hello", font);
        EXPECT_EQ(metrics.width, 0.0f);
        EXPECT_EQ(metrics.height, 0.0f);
        EXPECT_EQ(metrics.glyphs.Count(), 0u);
    }
    EXPECT_TRUE(m_Gui->GetPendingFonts().IsEmpty());
    DrawFrame(
        [](GuiContext& p_Gui)
        {
            p_Gui.SetColour(0xFFFFFFFF);
            p_Gui.DrawText("Hello", {10, 10}, Font(14, "Text.ttf"), 0);
        });
    EXPECT_GT(CountLit({10, 60, 10, 30}), 10);
    EXPECT_TRUE(log.lines.empty());
    EXPECT_EQ(chdir(cwd), 0);
}

TEST_F(GuiContextGLTest, AFontWithALongFileNameIsLoadedOnce)
{
    TestSupport::TempFolder folder;
    TestSupport::LogFileRedirect logFile(folder.File("log.txt"));
    Lib::String system;
    ASSERT_TRUE(Vozad::ResolveFontPath("DejaVuSans.ttf", system));
    char cwd[PATH_MAX] = {};
    ASSERT_NE(getcwd(cwd, sizeof(cwd)), nullptr);
    ASSERT_EQ(chdir(folder.Path().c_str()), 0);
    // Longer than the name ImGui keeps for a font.
    const std::string name = "AFontFileNameFarLongerThanImGuiKeepsForAFont-Regular.ttf";
    std::filesystem::create_directories(Vozad::k_FontFolder);
    std::filesystem::copy_file(system.ToNarrow().Bytes(), std::string(Vozad::k_FontFolder) + name);
    const FontSpec font = Font(14, name.c_str());
    CapturingForwarder log;

    const Vozad::TextMetrics first = m_Gui->MeasureText("Hello", font);
    EXPECT_GT(first.width, 0.0f);
    m_Gui->MeasureText("Hello", font);
    DrawFrame([](GuiContext&) {});
    EXPECT_TRUE(m_Gui->IsLoadedForDrawing(font));
    // Measured again, inside and outside a frame: known in both atlases, nothing queued again.
    DrawFrame([&](GuiContext& p_Gui) { EXPECT_EQ(p_Gui.MeasureText("Hello", font).width, first.width); });
    EXPECT_EQ(m_Gui->MeasureText("Hello", font).width, first.width);
    EXPECT_TRUE(m_Gui->GetPendingFonts().IsEmpty());
    DrawFrame([](GuiContext&) {});
    ASSERT_EQ(log.Messages().size(), 1u);
    EXPECT_EQ(log.Messages()[0], "Font loaded: Resources/Fonts/" + name + ", size: 18");
    EXPECT_EQ(chdir(cwd), 0);
}

TEST(GuiContextWithoutUiTest, OtherGraphicsApisMeasureAndDrawNothing)
{
    GuiContext gui(nullptr, nullptr, Vozad::k_GraphicsApiVulkan);
    ASSERT_TRUE(gui.Initialise());
    const Vozad::TextMetrics metrics = gui.MeasureText("Hello", Font(14, Vozad::k_BuiltInFontName));
    EXPECT_EQ(metrics.width, 0.0f);
    EXPECT_EQ(metrics.glyphs.Count(), 0u);
    EXPECT_EQ(gui.BeginFrame(), nullptr);
    gui.SetColour(k_Red);
    gui.FillRect({0, 10, 0, 10}, 0.0f);
    gui.PushClipRect({0, 10, 0, 10});
    gui.PopClipRect();
    gui.DrawText("Hello", {0, 0}, FontSpec{}, 0);
    gui.EndFrame();
    EXPECT_FALSE(gui.WantsKeyboard());
    EXPECT_FALSE(gui.UpdateFonts());
}
