// Multisampling in the renderer's own target, on a single-sampled window as the engine makes it:
// a diagonal edge is smoothed with samples and hard without, the frame reaches the window through
// the resolve, and the setting is turned into a sample count the driver can give.
#include "Corvan/Renderer/OpenGL/GLFunctions.h"

#include "Corvan/Renderer/MultisampleChoice.h"
#include "Corvan/Renderer/OrthoCam.h"
#include "Corvan/Renderer/Renderer.h"
#include "Support/CapturingForwarder.h"
#include "Support/GLWindow.h"
#include "Support/WindowPixels.h"

#include <glm/gtc/matrix_transform.hpp>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace
{
constexpr int k_Size = 64;
const Lib::String k_ColourGroup = "BatchedColorSpriteShader";
const Lib::WindowRect k_Whole{0, k_Size, 0, k_Size};

class MultisampleGLTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_Window.Open(k_Size, k_Size, "GL test", 0)) << SDL_GetError();
        GLint samples = -1;
        glGetIntegerv(GL_SAMPLES, &samples);
        ASSERT_EQ(samples, 0) << "the window itself must not smooth anything";
        m_Camera = std::make_unique<Vozad::OrthoCam>();
        m_Camera->SetBox(0.0f, k_Size, 0.0f, k_Size);
    }
    void TearDown() override
    {
        if (m_Renderer)
            m_Renderer->Shutdown();
        m_Renderer.reset();
    }

    void Start(int32_t p_Setting)
    {
        m_Renderer = std::make_unique<Vozad::Renderer>();
        m_Renderer->SetMultisample(p_Setting);
        ASSERT_TRUE(m_Renderer->Initialise(Vozad::k_GraphicsApiOpenGL, Lib::RectSize{k_Size, k_Size}));
        m_Renderer->SetClearColour(0xFF000000u);
        m_Renderer->SetCamera(0, k_Whole, *m_Camera);
    }

    // A red square turned by 30 degrees about the window's centre: every edge is diagonal.
    void SubmitTurnedSquare()
    {
        glm::mat4 model = glm::translate(glm::mat4(1.0f), glm::vec3(k_Size / 2.0f, k_Size / 2.0f, 0.0f));
        model = glm::rotate(model, glm::radians(30.0f), glm::vec3(0.0f, 0.0f, 1.0f));
        model = glm::scale(model, glm::vec3(36.0f, 36.0f, 1.0f));
        model = glm::translate(model, glm::vec3(-0.5f, -0.5f, 0.0f));
        Vozad::SpriteInstance square;
        square.modelMatrix = model;
        square.colour = glm::vec4(1.0f, 0.0f, 0.0f, 1.0f);
        m_Renderer->SubmitInstance(1, k_ColourGroup, Vozad::k_InstanceKindColouredQuad,
                                   Vozad::k_UntexturedKey, square);
    }

    // Draws the frame as the engine does (scene, resolve) and reads the window back.
    TestSupport::PixelFrame DrawAndRead()
    {
        m_Renderer->RenderFrame(Lib::RectSize{k_Size, k_Size});
        m_Renderer->ResolveFrame();
        glBindFramebuffer(GL_FRAMEBUFFER, 0);
        return TestSupport::ReadFrame(k_Size, k_Size);
    }

    // Pixels between the clear colour and the square's red: only an edge that was smoothed has them.
    static int MixedPixels(const TestSupport::PixelFrame& p_Frame)
    {
        int mixed = 0;
        for (int y = 0; y < k_Size; ++y)
            for (int x = 0; x < k_Size; ++x)
            {
                const TestSupport::Rgba pixel = p_Frame.At(x, y);
                if (pixel[0] > 20 && pixel[0] < 235)
                    ++mixed;
            }
        return mixed;
    }

    TestSupport::GLWindow m_Window;
    std::unique_ptr<Vozad::OrthoCam> m_Camera;
    std::unique_ptr<Vozad::Renderer> m_Renderer;
};

TEST_F(MultisampleGLTest, ADiagonalEdgeIsSmoothedWithSamplesAndHardWithout)
{
    const struct
    {
        int32_t setting;
        int32_t samples;
        bool smoothed;
    } cases[] = {{Vozad::k_MultisampleOff, 0, false}, {2, 2, true}, {4, 4, true}};
    for (const auto& c : cases)
    {
        Start(c.setting);
        EXPECT_EQ(m_Renderer->GetSampleCount(), c.samples) << c.setting;
        SubmitTurnedSquare();
        const TestSupport::PixelFrame frame = DrawAndRead();
        // The square's middle and the corners far from it show their colours whatever the setting.
        EXPECT_TRUE(TestSupport::NearRgb({frame.At(32, 32)[0], frame.At(32, 32)[1], frame.At(32, 32)[2]},
                                         {255, 0, 0}, 2));
        EXPECT_TRUE(
            TestSupport::NearRgb({frame.At(1, 1)[0], frame.At(1, 1)[1], frame.At(1, 1)[2]}, {0, 0, 0}, 2));
        const int mixed = MixedPixels(frame);
        if (c.smoothed)
            EXPECT_GE(mixed, 40) << c.setting << " samples: the edge pixels should mix red and black";
        else
            EXPECT_EQ(mixed, 0) << "without samples every pixel is red or black";
        EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
        m_Renderer->Shutdown();
        m_Renderer.reset();
    }
}

// The transparency passes copy the depth out of the frame's target and draw their result back
// into it; with samples that is a resolve of the depth, which GL must accept. Depth peeling draws
// the whole scene in single-sampled buffers of its own and lays the result over the target, so
// its edges stay hard (the game never draws with it).
TEST_F(MultisampleGLTest, EveryTransparencyPassDrawsIntoTheMultisampledTarget)
{
    Start(4);
    ASSERT_EQ(m_Renderer->GetSampleCount(), 4);
    SubmitTurnedSquare();
    const struct
    {
        int32_t mode;
        bool smoothed;
    } cases[] = {{Vozad::k_TransparencyPlain, true},
                 {Vozad::k_TransparencyWeightedBlended, true},
                 {Vozad::k_TransparencyDepthPeeling, false}};
    for (const auto& c : cases)
    {
        m_Renderer->SetTransparencyModeForTests(c.mode);
        TestSupport::CapturingForwarder log;
        const TestSupport::PixelFrame frame = DrawAndRead();
        EXPECT_TRUE(TestSupport::NearRgb({frame.At(32, 32)[0], frame.At(32, 32)[1], frame.At(32, 32)[2]},
                                         {255, 0, 0}, 2))
            << "mode " << c.mode;
        EXPECT_TRUE(
            TestSupport::NearRgb({frame.At(1, 1)[0], frame.At(1, 1)[1], frame.At(1, 1)[2]}, {0, 0, 0}, 2))
            << "mode " << c.mode;
        if (c.smoothed)
        {
            EXPECT_GE(MixedPixels(frame), 40) << "mode " << c.mode;
        }
        for (const TestSupport::LogRecord& record : log.Records())
            EXPECT_NE(record.tag, "GL_CHECK") << "mode " << c.mode << ": " << record.message;
        EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR)) << "mode " << c.mode;
    }
}

TEST_F(MultisampleGLTest, TheSettingBecomesWhatTheDriverCanGiveAndChangesWhileRunning)
{
    GLint maxSamples = 0;
    glGetIntegerv(GL_MAX_SAMPLES, &maxSamples);
    TestSupport::CapturingForwarder log;
    // The test run draws with Mesa's llvmpipe: automatic leaves multisampling off, and says why.
    Start(Vozad::k_MultisampleAutomatic);
    EXPECT_EQ(m_Renderer->GetSampleCount(), 0);
    const std::string renderer = Vozad::OpenGLGraphicsContext::CurrentRenderer();
    ASSERT_TRUE(Vozad::OpenGLGraphicsContext::IsSoftwareRasterizer(renderer)) << renderer;
    EXPECT_THAT(log.Messages(), testing::Contains("Software rasterizer \"" + renderer +
                                                  "\": drawing without multisampling."));

    // More than the driver offers is lowered to its maximum, with one warning.
    log.lines.clear();
    const int32_t tooMany = static_cast<int32_t>(maxSamples) * 2;
    m_Renderer->SetMultisample(tooMany);
    EXPECT_EQ(m_Renderer->GetSampleCount(), maxSamples);
    EXPECT_EQ(log.Messages(),
              (std::vector<std::string>{
                  std::to_string(tooMany) + " samples per pixel were asked for, the driver offers at most " +
                      std::to_string(maxSamples) + ": drawing with " + std::to_string(maxSamples) + ".",
                  "Drawing with " + std::to_string(maxSamples) + " samples per pixel."}));

    // A change while running takes effect with the next frame.
    SubmitTurnedSquare();
    EXPECT_GE(MixedPixels(DrawAndRead()), 40);
    m_Renderer->SetMultisample(Vozad::k_MultisampleOff);
    EXPECT_EQ(MixedPixels(DrawAndRead()), 0);
    m_Renderer->SetMultisample(4);
    EXPECT_GE(MixedPixels(DrawAndRead()), 40);
}
} // namespace
