// The renderer on a real GL context (hidden SDL window, Mesa under Xvfb): instances submitted
// through the scene interface are drawn, picked and captured, and the pixels are read back.
// The texture handler's arrays are large, so one renderer serves the whole program.
#include "Corvan/Renderer/OpenGL/GLFunctions.h"

#include "Corvan/Gui/GuiContext.h"
#include "Corvan/Renderer/ImageResources.h"
#include "Corvan/Renderer/OrthoCam.h"
#include "Corvan/Renderer/Renderer.h"
#include "Corvan/Renderer/Screenshot.h"
#include "Support/CapturingForwarder.h"
#include "Support/GLWindow.h"
#include "Support/TempFolder.h"
#include "Support/WindowPixels.h"

#include <glm/gtc/matrix_transform.hpp>
#include <gtest/gtest.h>
#include <stb_image.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

using Lib::WindowRect;
using Vozad::Renderer;
using Vozad::SpriteInstance;

namespace
{
constexpr int k_Size = 128;
const Lib::String k_SpriteGroup = "BatchedTextureSpriteShader";
const Lib::String k_ColourGroup = "BatchedColorSpriteShader";
constexpr uint32_t k_Black = 0xFF000000u;
// Multisampling and texture filtering move colours by a few steps; sampled points stay away
// from edges.
constexpr int k_Tolerance = 6;

using TestSupport::Rgb;

Rgb ReadPixel(int p_X, int p_Y)
{
    return TestSupport::ReadWindowPixel(p_X, p_Y, k_Size);
}

::testing::AssertionResult Near(const Rgb& p_Got, const Rgb& p_Expected, int p_Tolerance = k_Tolerance)
{
    return TestSupport::NearRgb(p_Got, p_Expected, p_Tolerance);
}

// World units are window pixels: x to the right, y downwards, the camera looking down -z.
std::unique_ptr<Vozad::OrthoCam> PixelCamera(float p_Left, float p_Width, float p_Height)
{
    auto camera = std::make_unique<Vozad::OrthoCam>();
    camera->SetBox(p_Left, p_Left + p_Width, 0.0f, p_Height);
    return camera;
}

glm::mat4 Placement(float p_X, float p_Y, float p_Z, float p_Width, float p_Height)
{
    return glm::scale(glm::translate(glm::mat4(1.0f), glm::vec3(p_X, p_Y, p_Z)),
                      glm::vec3(p_Width, p_Height, 1.0f));
}

SpriteInstance Sprite(const Vozad::TextureInfo& p_Texture, const glm::mat4& p_Model)
{
    SpriteInstance instance;
    instance.layer = static_cast<float>(p_Texture.layer);
    instance.width = p_Texture.width;
    instance.height = p_Texture.height;
    instance.subTextureSize = glm::ivec2(p_Texture.width, p_Texture.height);
    instance.modelMatrix = p_Model;
    instance.transparent = p_Texture.transparent;
    instance.colour = glm::vec4(1.0f);
    return instance;
}

SpriteInstance Quad(const glm::vec4& p_Colour, const glm::mat4& p_Model)
{
    SpriteInstance instance;
    instance.modelMatrix = p_Model;
    instance.colour = p_Colour;
    return instance;
}

class RendererGLTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        s_Window = new TestSupport::GLWindow();
        ASSERT_TRUE(s_Window->Open(k_Size, k_Size)) << SDL_GetError();
        s_Folder = new TestSupport::TempFolder();
        s_Renderer = new Renderer();
        ASSERT_TRUE(s_Renderer->Initialise(Vozad::k_GraphicsApiOpenGL, Lib::RectSize{k_Size, k_Size}));
        // Flat images of one colour each, so every covered pixel has a known value.
        s_HalfRed = LoadFlat("HalfRed.png", 255, 0, 0, 128);
        s_HalfBlue = LoadFlat("HalfBlue.png", 0, 0, 255, 128);
        s_Green = LoadFlat("Green.png", 0, 255, 0, 255);
        s_Body =
            s_Renderer->GetTextureHandler().LoadTextureFromMemory(*Vozad::FindImageResource("snake_body"));
    }
    static void TearDownTestSuite()
    {
        if (s_Renderer)
            s_Renderer->Shutdown();
        delete s_Renderer;
        delete s_Folder;
        delete s_Window;
        s_Renderer = nullptr;
        s_Folder = nullptr;
        s_Window = nullptr;
    }
    void SetUp() override
    {
        ASSERT_NE(s_Renderer, nullptr);
        m_Renderer = s_Renderer;
        m_Renderer->ClearViews();
        m_Renderer->SetTransparencyModeForTests(Vozad::k_TransparencyPlain);
        m_Renderer->SetClearColour(k_Black);
        m_Camera = PixelCamera(0.0f, k_Size, k_Size);
        m_Renderer->SetCamera(0, k_Whole, *m_Camera);
    }
    void TearDown() override
    {
        for (uint64_t id : m_Submitted)
            while (m_Renderer->RemoveEntity(id))
            {
            }
        m_Renderer->Resize(Lib::RectSize{k_Size, k_Size});
    }

    static Vozad::TextureInfo LoadFlat(const std::string& p_Name, uint8_t p_R, uint8_t p_G, uint8_t p_B,
                                       uint8_t p_A)
    {
        std::vector<uint8_t> pixels;
        for (int i = 0; i < 32 * 32; ++i)
            pixels.insert(pixels.end(), {p_R, p_G, p_B, p_A});
        const std::string path = s_Folder->File(p_Name);
        EXPECT_TRUE(Vozad::WritePngFile(Lib::String(path), pixels.data(), 32, 32, 4));
        return s_Renderer->GetTextureHandler().LoadTexture(Lib::String(path));
    }

    void Submit(uint64_t p_Id, const Lib::String& p_Group, int32_t p_Kind, uint64_t p_Key,
                const SpriteInstance& p_Instance)
    {
        m_Renderer->SubmitInstance(p_Id, p_Group, p_Kind, p_Key, p_Instance);
        m_Submitted.push_back(p_Id);
    }
    void SubmitSprite(uint64_t p_Id, const Vozad::TextureInfo& p_Texture, const glm::mat4& p_Model)
    {
        Submit(p_Id, k_SpriteGroup, Vozad::k_InstanceKindTextured, p_Texture.textureKey,
               Sprite(p_Texture, p_Model));
    }
    void SubmitQuad(uint64_t p_Id, const SpriteInstance& p_Instance)
    {
        Submit(p_Id, k_ColourGroup, Vozad::k_InstanceKindColouredQuad, Vozad::k_UntexturedKey, p_Instance);
    }

    static inline const WindowRect k_Whole{0, k_Size, 0, k_Size};
    static inline TestSupport::GLWindow* s_Window = nullptr;
    static inline TestSupport::TempFolder* s_Folder = nullptr;
    static inline Renderer* s_Renderer = nullptr;
    static inline Vozad::TextureInfo s_HalfRed, s_HalfBlue, s_Green, s_Body;

    Renderer* m_Renderer = nullptr;
    std::unique_ptr<Vozad::OrthoCam> m_Camera;
    std::vector<uint64_t> m_Submitted;
};

const Rgb k_BodyCentre = {200, 228, 110}; // the middle of "snake_body" is one flat colour

TEST_F(RendererGLTest, InitialiseLoadsTheEngineShaderTable)
{
    const Vozad::ShaderInfo* table = m_Renderer->GetEngineShaderTable();
    ASSERT_NE(table, nullptr);
    for (uint32_t row = 0; row < Vozad::k_EngineShaderCount; ++row)
        EXPECT_NE(table[row].program, 0u) << "row " << row;
    EXPECT_EQ(table[2].name, k_SpriteGroup);
    EXPECT_TRUE(s_HalfRed.transparent);
    EXPECT_FALSE(s_Body.transparent);
    EXPECT_FALSE(s_Green.transparent);
}

TEST_F(RendererGLTest, ColouredQuadAndTexturedSpriteShowTheirColours)
{
    SubmitQuad(1, Quad({1.0f, 0.0f, 0.0f, 1.0f}, Placement(8, 8, 0, 32, 32)));
    SubmitSprite(2, s_Body, Placement(64, 64, 0, 48, 48));
    EXPECT_EQ(m_Renderer->GetOpaqueScene().GetInstanceCount(), 2u);
    m_Renderer->RenderScene();

    EXPECT_TRUE(Near(ReadPixel(24, 24), {255, 0, 0}));
    EXPECT_TRUE(Near(ReadPixel(88, 88), k_BodyCentre, 12));
    EXPECT_TRUE(Near(ReadPixel(50, 50), {0, 0, 0}));
    EXPECT_TRUE(Near(ReadPixel(4, 120), {0, 0, 0}));
}

// The texture-coordinate and border rules of the sprite shader, on an image whose left half is red
// and right half green: the columns tell which part of the image reaches the screen. Samples sit
// in the middle of each expected stripe, away from the filtered seams.
TEST_F(RendererGLTest, SpriteShaderPlacesSubRectanglesShiftsRepeatsAndBorders)
{
    std::vector<uint8_t> pixels;
    for (int i = 0; i < 32 * 32; ++i)
        pixels.insert(pixels.end(), {static_cast<uint8_t>(i % 32 < 16 ? 255 : 0),
                                     static_cast<uint8_t>(i % 32 < 16 ? 0 : 255), 0, 255});
    const std::string path = s_Folder->File("RedGreen.png");
    ASSERT_TRUE(Vozad::WritePngFile(Lib::String(path), pixels.data(), 32, 32, 4));
    const Vozad::TextureInfo halves = m_Renderer->GetTextureHandler().LoadTexture(Lib::String(path));
    const Rgb red = {255, 0, 0}, green = {0, 255, 0}, border = {61, 174, 233};

    struct Case
    {
        const char* what;
        glm::ivec2 subPosition, subSize;
        glm::vec2 shift, scale;
        std::array<Rgb, 4> quarters; // the four vertical stripes of the quad, left to right
    };
    const Case cases[] = {
        {"whole image", {0, 0}, {32, 32}, {0, 0}, {1, 1}, {red, red, green, green}},
        {"right half as sub-rectangle", {16, 0}, {16, 32}, {0, 0}, {1, 1}, {green, green, green, green}},
        {"shifted by half the width", {0, 0}, {32, 32}, {16, 0}, {1, 1}, {green, green, red, red}},
        {"repeated twice across", {0, 0}, {32, 32}, {0, 0}, {0.5f, 1}, {red, green, red, green}},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.what);
        SpriteInstance instance = Sprite(halves, Placement(0, 32, 0, 128, 64));
        instance.subTexturePosition = c.subPosition;
        instance.subTextureSize = c.subSize;
        instance.textureShift = c.shift;
        instance.textureScale = c.scale;
        Submit(40, k_SpriteGroup, Vozad::k_InstanceKindTextured, halves.textureKey, instance);
        m_Renderer->RenderScene();
        for (int q = 0; q < 4; ++q)
            EXPECT_TRUE(Near(ReadPixel(16 + 32 * q, 64), c.quarters[static_cast<size_t>(q)], 12))
                << "stripe " << q;
        ASSERT_TRUE(m_Renderer->RemoveEntity(40));
    }

    // A bordered quad of aspect 2 has 2 % of its width as border at the sides (columns 0 to 2 and
    // 125 to 127) and 2 % / 2 of its height at top and bottom (rows 32 and 95).
    SpriteInstance bordered = Sprite(halves, Placement(0, 32, 0, 128, 64));
    bordered.drawBorder = true;
    Submit(41, k_SpriteGroup, Vozad::k_InstanceKindTextured, halves.textureKey, bordered);
    m_Renderer->RenderScene();
    EXPECT_TRUE(Near(ReadPixel(0, 64), border, 1));
    EXPECT_TRUE(Near(ReadPixel(127, 64), border, 1));
    EXPECT_TRUE(Near(ReadPixel(40, 32), border, 1));
    EXPECT_TRUE(Near(ReadPixel(40, 95), border, 1));
    EXPECT_TRUE(Near(ReadPixel(16, 64), red, 12));
    EXPECT_TRUE(Near(ReadPixel(112, 64), green, 12));
}

// Sub-rectangles are addressed from the top of the image while texture v runs upwards: on an image
// whose top half is blue and bottom half red, each half as a sub-rectangle fills the whole quad
// with its own colour, also when repeated.
TEST_F(RendererGLTest, SpriteShaderPlacesSubRectanglesCountedFromTheTop)
{
    std::vector<uint8_t> pixels;
    for (int i = 0; i < 32 * 32; ++i)
        pixels.insert(pixels.end(), {static_cast<uint8_t>(i / 32 < 16 ? 0 : 255), 0,
                                     static_cast<uint8_t>(i / 32 < 16 ? 255 : 0), 255});
    const std::string path = s_Folder->File("BlueRed.png");
    ASSERT_TRUE(Vozad::WritePngFile(Lib::String(path), pixels.data(), 32, 32, 4));
    const Vozad::TextureInfo halves = m_Renderer->GetTextureHandler().LoadTexture(Lib::String(path));
    const Rgb blue = {0, 0, 255}, red = {255, 0, 0};

    struct Case
    {
        const char* what;
        glm::ivec2 subPosition;
        glm::vec2 scale;
        Rgb colour;
    };
    const Case cases[] = {
        {"top half", {0, 0}, {1, 1}, blue},
        {"bottom half", {0, 16}, {1, 1}, red},
        {"bottom half repeated", {0, 16}, {0.5f, 0.5f}, red},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.what);
        SpriteInstance instance = Sprite(halves, Placement(0, 32, 0, 128, 64));
        instance.subTexturePosition = c.subPosition;
        instance.subTextureSize = {32, 16};
        instance.textureScale = c.scale;
        Submit(42, k_SpriteGroup, Vozad::k_InstanceKindTextured, halves.textureKey, instance);
        m_Renderer->RenderScene();
        for (const int y : {40, 64, 88})
            EXPECT_TRUE(Near(ReadPixel(64, y), c.colour, 12)) << "row " << y;
        ASSERT_TRUE(m_Renderer->RemoveEntity(42));
    }
}

// A batch of sprites that neither repeat, scroll nor carry a border is drawn by the sprite
// shader's plain variant; one repeating instance anywhere in the batch (here off screen) puts the
// whole batch on the full shader. Both must put the same pixels on the screen: a turned, scaled
// sub-rectangle of a gradient image, compared pixel by pixel.
TEST_F(RendererGLTest, ThePlainSpriteVariantDrawsWhatTheFullShaderDraws)
{
    std::vector<uint8_t> pixels;
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x)
            pixels.insert(pixels.end(), {static_cast<uint8_t>(x * 8), static_cast<uint8_t>(y * 8), 128, 255});
    const std::string path = s_Folder->File("Gradient.png");
    ASSERT_TRUE(Vozad::WritePngFile(Lib::String(path), pixels.data(), 32, 32, 4));
    const Vozad::TextureInfo gradient = m_Renderer->GetTextureHandler().LoadTexture(Lib::String(path));

    SpriteInstance turned =
        Sprite(gradient, glm::rotate(Placement(20.5f, 30.25f, 0, 90, 70), 0.3f, {0, 0, 1}));
    turned.subTexturePosition = {6, 3};
    turned.subTextureSize = {20, 24};
    Submit(43, k_SpriteGroup, Vozad::k_InstanceKindTextured, gradient.textureKey, turned);
    const auto frame = [&]
    {
        m_Renderer->RenderScene();
        Vozad::glBindFramebuffer(GL_FRAMEBUFFER, 0);
        return TestSupport::ReadFrame(k_Size, k_Size);
    };
    const TestSupport::PixelFrame plain = frame();

    SpriteInstance offScreen = Sprite(gradient, Placement(-400, -400, 0, 32, 32));
    offScreen.textureScale = {0.5f, 0.5f};
    Submit(44, k_SpriteGroup, Vozad::k_InstanceKindTextured, gradient.textureKey, offScreen);
    const TestSupport::PixelFrame full = frame();

    size_t drawn = 0;
    for (int y = 0; y < k_Size; ++y)
        for (int x = 0; x < k_Size; ++x)
        {
            const TestSupport::Rgba a = plain.At(x, y);
            drawn += a[0] != 0 || a[1] != 0 || a[2] != 0;
            ASSERT_TRUE(TestSupport::NearRgba(a, full.At(x, y), 2)) << "at (" << x << ", " << y << ")";
        }
    EXPECT_GT(drawn, 3000u) << "the sprite covers most of its 90 x 70 pixels";
}

TEST_F(RendererGLTest, ClearColourFillsWhereNothingIsDrawn)
{
    m_Renderer->SetClearColour(0xFF204080u);
    m_Renderer->RenderScene();
    EXPECT_TRUE(Near(ReadPixel(64, 64), {0x80, 0x40, 0x20}, 1));
}

// An empty frame skips the depth fill; the first frame with instances must still start from a
// cleared depth, or a depth left behind by a pass before it would hide everything.
TEST_F(RendererGLTest, AFrameWithInstancesClearsTheDepthLeftBehind)
{
    m_Renderer->RenderScene();
    glClearDepth(0.0);
    glClear(GL_DEPTH_BUFFER_BIT);
    glClearDepth(1.0);
    m_Renderer->RenderScene();
    SubmitQuad(6, Quad({0.0f, 0.0f, 1.0f, 1.0f}, Placement(0, 0, 0, k_Size, k_Size)));
    m_Renderer->RenderScene();
    EXPECT_TRUE(Near(ReadPixel(64, 64), {0, 0, 255}));
}

TEST_F(RendererGLTest, InvisibleInstanceDrawsNothing)
{
    SpriteInstance quad = Quad({0.0f, 1.0f, 0.0f, 1.0f}, Placement(0, 0, 0, k_Size, k_Size));
    quad.visible = false;
    SubmitQuad(3, quad);
    SpriteInstance sprite = Sprite(s_Body, Placement(0, 0, 0, k_Size, k_Size));
    sprite.visible = false;
    Submit(4, k_SpriteGroup, Vozad::k_InstanceKindTextured, s_Body.textureKey, sprite);
    m_Renderer->RenderScene();
    EXPECT_TRUE(Near(ReadPixel(64, 64), {0, 0, 0}));

    // Made visible in place, the same instance shows.
    quad.visible = true;
    m_Renderer->UpdateInstance(3, false, k_ColourGroup, Vozad::k_UntexturedKey, quad);
    m_Renderer->RenderScene();
    EXPECT_TRUE(Near(ReadPixel(64, 64), {0, 255, 0}));
}

TEST_F(RendererGLTest, RemovedEntityIsNotDrawn)
{
    SubmitQuad(5, Quad({0.0f, 0.0f, 1.0f, 1.0f}, Placement(0, 0, 0, k_Size, k_Size)));
    EXPECT_TRUE(m_Renderer->RemoveEntity(5));
    EXPECT_FALSE(m_Renderer->RemoveEntity(5));
    m_Renderer->RenderScene();
    EXPECT_TRUE(Near(ReadPixel(64, 64), {0, 0, 0}));
}

TEST_F(RendererGLTest, ViewsDrawInIdOrderEachInItsOwnViewport)
{
    // Half-transparent quads blend differently in the two orders; the quad of view 5 is nearer,
    // so drawn after view 1 it blends over it, drawn before it would hide view 1's quad.
    m_Renderer->ClearViews();
    auto farCamera = PixelCamera(1000.0f, 64, k_Size);
    EXPECT_TRUE(m_Renderer->SetCamera(5, WindowRect{0, 64, 0, k_Size}, *farCamera));
    EXPECT_TRUE(m_Renderer->SetCamera(1, k_Whole, *m_Camera));
    EXPECT_EQ(m_Renderer->GetViewCount(), 2u);
    SubmitQuad(10, Quad({1.0f, 0.0f, 0.0f, 0.5f}, Placement(0, 0, 0, k_Size, k_Size)));
    SubmitQuad(11, Quad({0.0f, 0.0f, 1.0f, 0.5f}, Placement(1000, 0, 0.5f, 32, k_Size)));
    m_Renderer->RenderScene();

    EXPECT_TRUE(Near(ReadPixel(16, 64), {64, 0, 128})); // view 1, then view 5 over it
    EXPECT_TRUE(Near(ReadPixel(48, 64), {128, 0, 0}));  // view 5's quad fills half its viewport
    EXPECT_TRUE(Near(ReadPixel(100, 64), {128, 0, 0})); // outside view 5's viewport
}

TEST_F(RendererGLTest, SetCameraReportsChanges)
{
    EXPECT_FALSE(m_Renderer->SetCamera(0, k_Whole, *m_Camera));
    m_Camera->SetPosition({4.0f, 0.0f, 1.0f});
    EXPECT_TRUE(m_Renderer->SetCamera(0, k_Whole, *m_Camera));
    EXPECT_TRUE(m_Renderer->SetCamera(0, WindowRect{0, 64, 0, k_Size}, *m_Camera));
    EXPECT_FALSE(m_Renderer->SetCamera(0, WindowRect{0, 64, 0, k_Size}, *m_Camera));
}

TEST_F(RendererGLTest, TransparentSpriteBlendsOverOpaqueOne)
{
    SubmitSprite(20, s_Green, Placement(16, 16, 0, 96, 96));
    SubmitSprite(21, s_HalfRed, Placement(40, 40, 0.5f, 48, 48));
    EXPECT_EQ(m_Renderer->GetTransparentScene().GetInstanceCount(), 1u);
    m_Renderer->RenderScene();

    // Textures hold premultiplied colours (red 128 at alpha 128), laid over as they are: red 128
    // plus green 255 * (1 - 128 / 255). Weighted by alpha once more, the red came out as 64.
    EXPECT_TRUE(Near(ReadPixel(64, 64), {128, 127, 0}));
    EXPECT_TRUE(Near(ReadPixel(24, 64), {0, 255, 0}));
}

// An image smaller than its layer is filtered with the texels next to it at its far edges: what
// the layer holds around the image must add nothing when laid over as premultiplied colour.
TEST_F(RendererGLTest, TransparentImageSmallerThanItsLayerHasNoColouredFringe)
{
    std::vector<uint8_t> pixels;
    for (int i = 0; i < 20 * 20; ++i)
        pixels.insert(pixels.end(), {0, 0, 255, 128});
    const std::string path = s_Folder->File("SmallBlue.png");
    ASSERT_TRUE(Vozad::WritePngFile(Lib::String(path), pixels.data(), 20, 20, 4));
    const Vozad::TextureInfo small = m_Renderer->GetTextureHandler().LoadTexture(Lib::String(path));
    ASSERT_TRUE(small.transparent);
    SubmitSprite(22, small, Placement(0, 0, 0.5f, 100, 100));
    m_Renderer->RenderScene();

    EXPECT_TRUE(Near(ReadPixel(50, 50), {0, 0, 128}));
    for (const auto& [x, y] : {std::pair{99, 50}, std::pair{0, 50}, std::pair{50, 0}, std::pair{50, 99}})
    {
        const Rgb edge = ReadPixel(x, y);
        EXPECT_LE(edge[0], 2) << "red at (" << x << ", " << y << ")";
        EXPECT_LE(edge[1], 2) << "green at (" << x << ", " << y << ")";
        EXPECT_LE(edge[2], 130) << "blue at (" << x << ", " << y << ")";
    }
}

TEST_F(RendererGLTest, PickingFindsTheOpaqueEntityFirst)
{
    SubmitSprite(30, s_Body, Placement(16, 16, 0, 48, 48));
    SubmitSprite(31, s_HalfRed, Placement(40, 40, 0.5f, 48, 48));

    EXPECT_EQ(m_Renderer->PickEntity({50, 50}, k_Whole, *m_Camera), 30u); // both, opaque wins
    EXPECT_EQ(m_Renderer->PickEntity({80, 80}, k_Whole, *m_Camera), 31u); // transparent only
    EXPECT_EQ(m_Renderer->PickEntity({20, 110}, k_Whole, *m_Camera), Vozad::k_NoEntity);
    // Outside the view's rectangle, even where something is drawn.
    EXPECT_EQ(m_Renderer->PickEntity({50, 50}, WindowRect{0, 32, 0, 32}, *m_Camera), Vozad::k_NoEntity);
    EXPECT_EQ(m_Renderer->PickEntity({-1, 50}, k_Whole, *m_Camera), Vozad::k_NoEntity);
}

TEST_F(RendererGLTest, PickingFollowsAResize)
{
    SubmitSprite(40, s_Body, Placement(160, 160, 0, 48, 48));
    const WindowRect large{0, 256, 0, 256};
    auto camera = PixelCamera(0.0f, 256, 256);
    EXPECT_EQ(m_Renderer->PickEntity({180, 180}, large, *camera), Vozad::k_NoEntity); // outside the window
    m_Renderer->Resize(Lib::RectSize{256, 256});
    EXPECT_EQ(m_Renderer->PickEntity({180, 180}, large, *camera), 40u);
    EXPECT_EQ(m_Renderer->PickEntity({150, 180}, large, *camera), Vozad::k_NoEntity);
}

TEST_F(RendererGLTest, DepthPeelingCompositesOverlappingTransparentSprites)
{
    m_Renderer->SetTransparencyModeForTests(Vozad::k_TransparencyDepthPeeling);
    SubmitSprite(50, s_HalfRed, Placement(16, 16, 0, 64, 64));
    SubmitSprite(51, s_HalfBlue, Placement(48, 48, 0.5f, 64, 64));
    m_Renderer->RenderScene();

    EXPECT_TRUE(Near(ReadPixel(32, 32), {128, 0, 0}));  // red alone over black
    EXPECT_TRUE(Near(ReadPixel(96, 96), {0, 0, 128}));  // blue alone
    EXPECT_TRUE(Near(ReadPixel(64, 64), {64, 0, 128})); // the nearer blue over the red
    EXPECT_TRUE(Near(ReadPixel(8, 120), {0, 0, 0}));
}

TEST_F(RendererGLTest, DepthPeelingKeepsOpaqueSpritesAndTheirDepth)
{
    m_Renderer->SetTransparencyModeForTests(Vozad::k_TransparencyDepthPeeling);
    SubmitSprite(52, s_Green, Placement(16, 16, 0.5f, 64, 64));
    SubmitSprite(53, s_HalfRed, Placement(48, 48, 0.0f, 64, 64)); // behind the opaque sprite
    m_Renderer->RenderScene();
    EXPECT_TRUE(Near(ReadPixel(32, 32), {0, 255, 0}));
    EXPECT_TRUE(Near(ReadPixel(64, 64), {0, 255, 0}));
    EXPECT_TRUE(Near(ReadPixel(100, 100), {128, 0, 0}));
}

// One transparent layer of the weighted-blended pass: the image's colour before it was
// premultiplied, its alpha and the world z the sprite is placed at.
struct BlendedLayer
{
    glm::vec3 colour;
    float alpha;
    float z;
};

// The expected weighted-blended result over an opaque background, worked out independently of
// the shaders: each layer adds colour * alpha * weight and alpha * weight to the accumulation and
// multiplies the revealage by (1 - alpha); the average colour (accumulated colour over summed
// alpha * weight) is blended over the background with coverage 1 - revealage.
Rgb WeightedBlendedOver(const std::vector<BlendedLayer>& p_Layers, const glm::vec3& p_Background,
                        const glm::mat4& p_ProjectionView)
{
    glm::vec4 accumulation(0.0f);
    float revealage = 1.0f;
    for (const BlendedLayer& layer : p_Layers)
    {
        const glm::vec4 clip = p_ProjectionView * glm::vec4(0.0f, 0.0f, layer.z, 1.0f);
        const float depth = clip.z / clip.w * 0.5f + 0.5f; // window depth with the default range
        const float weight = glm::clamp(std::pow(std::min(1.0f, layer.alpha * 10.0f) + 0.01f, 3.0f) * 1e8f *
                                            std::pow(1.0f - depth * 0.9f, 3.0f),
                                        0.01f, 3000.0f);
        accumulation += glm::vec4(layer.colour * layer.alpha * weight, layer.alpha * weight);
        revealage *= 1.0f - layer.alpha;
    }
    const glm::vec3 average = glm::vec3(accumulation) / std::max(accumulation.a, 1e-5f);
    const float coverage = 1.0f - revealage;
    const glm::vec3 result = average * coverage + p_Background * (1.0f - coverage);
    return {static_cast<int>(std::lround(result.r * 255.0f)),
            static_cast<int>(std::lround(result.g * 255.0f)),
            static_cast<int>(std::lround(result.b * 255.0f))};
}

TEST_F(RendererGLTest, WeightedBlendedPassCompositesTransparentSpritesBehindOpaqueDepth)
{
    m_Renderer->SetTransparencyModeForTests(Vozad::k_TransparencyWeightedBlended);
    SubmitSprite(70, s_Green, Placement(8, 8, 0.5f, 48, 48));
    SubmitSprite(71, s_HalfRed, Placement(32, 32, 0.0f, 48, 48)); // partly behind the green one
    SubmitSprite(72, s_HalfBlue, Placement(88, 8, 0.0f, 32, 32));
    m_Renderer->RenderScene();

    // The flat images are red or blue 255 at alpha 128; premultiplied on load, they must still
    // count as full red or blue at half coverage, not as a darker red weighted twice.
    const float half = 128.0f / 255.0f;
    const glm::mat4& camera = m_Camera->GetViewProjection();
    const glm::vec3 black(0.0f);
    EXPECT_TRUE(Near(ReadPixel(20, 20), {0, 255, 0})); // opaque alone
    EXPECT_TRUE(Near(ReadPixel(44, 44), {0, 255, 0})); // red hidden by the opaque depth
    EXPECT_TRUE(Near(ReadPixel(70, 70), WeightedBlendedOver({{{1, 0, 0}, half, 0.0f}}, black, camera)));
    EXPECT_TRUE(Near(ReadPixel(104, 24), WeightedBlendedOver({{{0, 0, 1}, half, 0.0f}}, black, camera)));
    EXPECT_TRUE(Near(ReadPixel(104, 110), {0, 0, 0})); // nothing
}

TEST_F(RendererGLTest, WeightedBlendedPassCompositesOverlappingTransparentSprites)
{
    // Revealage must be the product of (1 - alpha) over the layers: with the weight mixed in, a
    // second layer drives it far below zero and the overlap came out as the background.
    m_Renderer->SetTransparencyModeForTests(Vozad::k_TransparencyWeightedBlended);
    m_Renderer->SetClearColour(0xFF00FF00u); // green, so the background shows in the result
    SubmitSprite(73, s_HalfRed, Placement(16, 16, 0.0f, 64, 64));
    SubmitSprite(74, s_HalfBlue, Placement(48, 48, 0.5f, 64, 64));
    m_Renderer->RenderScene();

    const float half = 128.0f / 255.0f;
    const glm::mat4& camera = m_Camera->GetViewProjection();
    const glm::vec3 green(0.0f, 1.0f, 0.0f);
    const BlendedLayer red{{1, 0, 0}, half, 0.0f};
    const BlendedLayer blue{{0, 0, 1}, half, 0.5f};
    const Rgb overlap = WeightedBlendedOver({red, blue}, green, camera);
    // Two layers of alpha 1/2 leave a quarter of the background: a broken revealage shows either
    // all of it or none.
    EXPECT_NEAR(overlap[1], 64, 2);
    EXPECT_TRUE(Near(ReadPixel(64, 64), overlap));
    EXPECT_TRUE(Near(ReadPixel(32, 32), WeightedBlendedOver({red}, green, camera)));
    EXPECT_TRUE(Near(ReadPixel(96, 96), WeightedBlendedOver({blue}, green, camera)));
    EXPECT_TRUE(Near(ReadPixel(8, 120), {0, 255, 0}));
}

TEST_F(RendererGLTest, RegionCaptureIsAPngOfTheRegion)
{
    SubmitQuad(60, Quad({0.0f, 1.0f, 0.0f, 1.0f}, Placement(0, 0, 0, 8, 8)));
    const Lib::Ref<Lib::Blob> png = m_Renderer->CaptureRegionPng(0xFF0000FFu, WindowRect{4, 20, 0, 10});
    ASSERT_TRUE(png);
    int width = 0, height = 0, components = 0;
    stbi_uc* pixels =
        stbi_load_from_memory(png->Data(), static_cast<int>(png->Size()), &width, &height, &components, 4);
    ASSERT_NE(pixels, nullptr);
    EXPECT_EQ(width, 16);
    EXPECT_EQ(height, 10);
    EXPECT_EQ(components, 4);
    // First row is the region's bottom row (window row 9): green until x 8, then the clear colour
    // (the colour passed in never shows).
    const Rgb topLeftCovered = {pixels[4 * (9 * 16 + 1)], pixels[4 * (9 * 16 + 1) + 1],
                                pixels[4 * (9 * 16 + 1) + 2]};
    const Rgb uncovered = {pixels[4 * (0 * 16 + 12)], pixels[4 * (0 * 16 + 12) + 1],
                           pixels[4 * (0 * 16 + 12) + 2]};
    stbi_image_free(pixels);
    EXPECT_TRUE(Near(topLeftCovered, {0, 255, 0}));
    EXPECT_TRUE(Near(uncovered, {0, 0, 0}));
    EXPECT_FALSE(m_Renderer->CaptureRegionPng(0, WindowRect{4, 4, 0, 10}));
}
} // namespace

namespace
{
// Started before the window has a size, the renderer picks nothing until it has one; the
// selection buffer is made by the first pick after that, not by start-up or by drawing.
TEST(RendererSizeGLTest, TheSelectionBufferIsMadeByTheFirstPick)
{
    TestSupport::GLWindow window;
    ASSERT_TRUE(window.Open(k_Size, k_Size)) << SDL_GetError();
    Renderer renderer;
    ASSERT_TRUE(renderer.Initialise(Vozad::k_GraphicsApiOpenGL));
    const Vozad::TextureInfo body =
        renderer.GetTextureHandler().LoadTextureFromMemory(*Vozad::FindImageResource("snake_body"));
    renderer.SubmitInstance(9, k_SpriteGroup, Vozad::k_InstanceKindTextured, body.textureKey,
                            Sprite(body, Placement(0, 0, 0, k_Size, k_Size)));
    auto camera = PixelCamera(0.0f, k_Size, k_Size);
    const WindowRect whole{0, k_Size, 0, k_Size};
    EXPECT_EQ(renderer.PickEntity({64, 64}, whole, *camera), Vozad::k_NoEntity);

    renderer.Resize(Lib::RectSize{k_Size, k_Size});
    renderer.RenderFrame(Lib::RectSize{k_Size, k_Size});
    EXPECT_FALSE(renderer.HasSelectionBuffer());
    EXPECT_EQ(renderer.PickEntity({64, 64}, whole, *camera), 9u);
    EXPECT_TRUE(renderer.HasSelectionBuffer());

    renderer.Shutdown();
    EXPECT_EQ(renderer.GetOpaqueScene().GetInstanceCount(), 0u);
    EXPECT_EQ(renderer.GetEngineShaderTable()[Vozad::EngineShaderRow(Vozad::BuiltInShader::BatchedFontShader)]
                  .program,
              0u);
}

// The Vulkan context only describes its device: the renderer refuses to initialise with it and,
// without a GL context, takes no instances and draws nothing.
TEST(RendererSizeGLTest, OtherApiFailsInitialisationAndMakesNoGLCall)
{
    Renderer renderer;
    TestSupport::CapturingForwarder log;
    EXPECT_FALSE(renderer.Initialise(Vozad::k_GraphicsApiVulkan, Lib::RectSize{k_Size, k_Size}));
    ASSERT_EQ(log.Records().size(), 1u);
    EXPECT_EQ(log.Records()[0].level, "Error");
    EXPECT_EQ(log.Records()[0].message, "The renderer draws with OpenGL only, graphics API 1 cannot render.");
    auto camera = PixelCamera(0.0f, k_Size, k_Size);
    const WindowRect whole{0, k_Size, 0, k_Size};
    renderer.SubmitInstance(9, k_ColourGroup, Vozad::k_InstanceKindColouredQuad, Vozad::k_UntexturedKey,
                            Quad({1.0f, 0.0f, 0.0f, 1.0f}, Placement(0, 0, 0, k_Size, k_Size)));
    EXPECT_EQ(renderer.GetOpaqueScene().GetInstanceCount(), 0u);
    EXPECT_FALSE(renderer.RemoveEntity(9));
    renderer.RenderFrame(Lib::RectSize{k_Size, k_Size});
    EXPECT_TRUE(renderer.IsFrameRendered());
    EXPECT_EQ(renderer.PickEntity({64, 64}, whole, *camera), Vozad::k_NoEntity);
    EXPECT_FALSE(renderer.CaptureRegionPng(0, whole));
    renderer.Shutdown();
}
} // namespace

namespace
{
// Every context the engine accepts (GL 4.0 core and newer) must start the renderer and the GUI and
// draw with them. The test run gives the newest context Mesa offers; ctest runs this test again on
// a 4.3 and a 4.0 context through Mesa's version override, which must be in the environment before
// the context exists, and names the version it must then get.
TEST(RendererContextVersionGLTest, RendererAndGuiStartAndDrawOnTheContextGiven)
{
    TestSupport::GLWindow window;
    ASSERT_TRUE(window.Open(k_Size, k_Size)) << SDL_GetError();
    GLint major = 0, minor = 0;
    glGetIntegerv(GL_MAJOR_VERSION, &major);
    glGetIntegerv(GL_MINOR_VERSION, &minor);
    const std::string version = std::to_string(major) + "." + std::to_string(minor);
    if (const char* expected = std::getenv("VORL_EXPECTED_GL_VERSION"))
    {
        ASSERT_EQ(version, expected) << "the version override did not take";
    }
    EXPECT_EQ(window.Context().GetRequestedMajorVersion(), major);
    EXPECT_EQ(window.Context().GetRequestedMinorVersion(), minor);

    TestSupport::CapturingForwarder log;
    Vozad::GuiContext gui(window.Window(), window.Context().GetNativeContext(), Vozad::k_GraphicsApiOpenGL);
    ASSERT_TRUE(gui.Initialise());
    Renderer renderer;
    ASSERT_TRUE(renderer.Initialise(Vozad::k_GraphicsApiOpenGL, Lib::RectSize{k_Size, k_Size}))
        << "GL " << version;
    const Vozad::TextureInfo body =
        renderer.GetTextureHandler().LoadTextureFromMemory(*Vozad::FindImageResource("snake_body"));
    renderer.SubmitInstance(9, k_SpriteGroup, Vozad::k_InstanceKindTextured, body.textureKey,
                            Sprite(body, Placement(16, 16, 0, 48, 48)));
    auto camera = PixelCamera(0.0f, k_Size, k_Size);
    const WindowRect whole{0, k_Size, 0, k_Size};
    renderer.SetCamera(0, whole, *camera);

    // Each transparency technique draws through frame buffers of its own.
    for (const int32_t mode : {Vozad::k_TransparencyPlain, Vozad::k_TransparencyWeightedBlended,
                               Vozad::k_TransparencyDepthPeeling})
    {
        SCOPED_TRACE("GL " + version + ", transparency mode " + std::to_string(mode));
        renderer.SetTransparencyModeForTests(mode);
        renderer.SetClearColour(k_Black);
        renderer.RenderScene();
        ASSERT_NE(gui.BeginFrame(Lib::RectSize{k_Size, k_Size}), nullptr);
        gui.SetColour(0xFF0000FFu); // red, as the drawing context packs colours
        gui.FillRect({80, 120, 80, 120}, 0.0f);
        gui.EndFrame();
        EXPECT_TRUE(Near(ReadPixel(40, 40), k_BodyCentre, 12));
        EXPECT_TRUE(Near(ReadPixel(100, 100), {255, 0, 0}, 1));
        EXPECT_TRUE(Near(ReadPixel(4, 120), {0, 0, 0}));
    }
    EXPECT_EQ(renderer.PickEntity({40, 40}, whole, *camera), 9u);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    for (const TestSupport::LogRecord& record : log.Records())
        EXPECT_NE(record.level, "Error") << record.tag << ": " << record.message;

    renderer.Shutdown();
    gui.Shutdown();
}
} // namespace
