// The GL context, the function table, the renderer's clear and the GUI back end on a real hidden
// SDL window with Mesa's driver (the test run provides the Xvfb).
#include "Corvan/Renderer/OpenGL/GLFunctions.h"

#include "Corvan/Gui/GuiContext.h"
#include "Corvan/Renderer/OpenGL/OpenGLGraphicsContext.h"
#include "Corvan/Renderer/Renderer.h"
#include "Lib/Log.h"
#include "Lib/String.h"
#include "Support/CapturingForwarder.h"
#include "Support/GLWindow.h"
#include "Support/LogFileRedirect.h"
#include "Support/TempFolder.h"
#include "Support/WindowPixels.h"

#include <SDL2/SDL.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <initializer_list>
#include <string>
#include <vector>

using Vozad::GuiContext;
using Vozad::OpenGLGraphicsContext;
using Vozad::Renderer;

namespace
{
constexpr int k_Width = 320;
constexpr int k_Height = 240;

// The load order of the function table, written out independently of the table itself.
const std::vector<std::string> k_ExpectedLoadOrder = {"glDebugMessageCallback",
                                                      "glBlendFuncSeparate",
                                                      "glAttachShader",
                                                      "glBindBuffer",
                                                      "glBindVertexArray",
                                                      "glBufferData",
                                                      "glBufferSubData",
                                                      "glCompileShader",
                                                      "glCreateProgram",
                                                      "glCreateShader",
                                                      "glDeleteBuffers",
                                                      "glDeleteProgram",
                                                      "glDeleteShader",
                                                      "glDeleteVertexArrays",
                                                      "glDetachShader",
                                                      "glEnableVertexAttribArray",
                                                      "glGenBuffers",
                                                      "glGenVertexArrays",
                                                      "glGetAttribLocation",
                                                      "glGetProgramInfoLog",
                                                      "glGetProgramiv",
                                                      "glGetShaderInfoLog",
                                                      "glGetShaderiv",
                                                      "glLinkProgram",
                                                      "glValidateProgram",
                                                      "glShaderSource",
                                                      "glUseProgram",
                                                      "glVertexAttribIPointer",
                                                      "glVertexAttribPointer",
                                                      "glVertexAttribDivisor",
                                                      "glBindAttribLocation",
                                                      "glBindFragDataLocation",
                                                      "glGetUniformLocation",
                                                      "glActiveTexture",
                                                      "glGenerateMipmap",
                                                      "glDisableVertexAttribArray",
                                                      "glUniformMatrix4fv",
                                                      "glUniform1ui",
                                                      "glUniform1i",
                                                      "glUniform1f",
                                                      "glUniform2f",
                                                      "glUniform3f",
                                                      "glUniform4f",
                                                      "glUniform3fv",
                                                      "glUniform4fv",
                                                      "glGetBufferParameteriv",
                                                      "glDrawArraysInstanced",
                                                      "glDrawElementsInstanced",
                                                      "glDrawElementsInstancedBaseInstance",
                                                      "glTexStorage3D",
                                                      "glTexSubImage3D",
                                                      "glCreateFramebuffers",
                                                      "glBindFramebuffer",
                                                      "glBlitFramebuffer",
                                                      "glDeleteFramebuffers",
                                                      "glGenRenderbuffers",
                                                      "glDeleteRenderbuffers",
                                                      "glBindRenderbuffer",
                                                      "glRenderbufferStorage",
                                                      "glFramebufferRenderbuffer",
                                                      "glCreateTextures",
                                                      "glFramebufferTexture2D",
                                                      "glGetActiveAttrib",
                                                      "glGetActiveUniform",
                                                      "glDrawBuffers",
                                                      "glClearBufferfv",
                                                      "glClearBufferuiv",
                                                      "glBlendEquation",
                                                      "glBlendEquationi",
                                                      "glBlendFunci",
                                                      "glClearTexImage",
                                                      "glBindImageTexture",
                                                      "glMemoryBarrier",
                                                      "glGenQueries",
                                                      "glDeleteQueries",
                                                      "glGetQueryObjectuiv",
                                                      "glGetQueryObjectiv",
                                                      "glBeginQuery",
                                                      "glEndQuery"};

std::vector<std::string> MessagesOf(const TestSupport::CapturingForwarder& p_Log, const std::string& p_Tag)
{
    std::vector<std::string> messages;
    for (const TestSupport::LogRecord& record : p_Log.Records())
    {
        if (record.tag == p_Tag)
            messages.push_back(record.message);
    }
    return messages;
}

std::vector<TestSupport::LogRecord> ErrorsOf(const TestSupport::CapturingForwarder& p_Log)
{
    std::vector<TestSupport::LogRecord> errors;
    for (const TestSupport::LogRecord& record : p_Log.Records())
    {
        if (record.level == "Error")
            errors.push_back(record);
    }
    return errors;
}

std::string GLText(GLenum p_Name)
{
    const GLubyte* text = glGetString(p_Name);
    return text ? reinterpret_cast<const char*>(text) : "";
}

GLint GLInteger(GLenum p_Name)
{
    GLint value = 0;
    glGetIntegerv(p_Name, &value);
    return value;
}

std::string Hex(uint32_t p_Value)
{
    char text[16];
    snprintf(text, sizeof(text), "0x%02X", p_Value);
    return text;
}

// Reads the back buffer and compares every pixel with one colour, within p_Tolerance per channel;
// on a mismatch says where, what it got and what it expected.
testing::AssertionResult BackBufferIs(const TestSupport::Rgba& p_Expected, int p_Tolerance)
{
    glReadBuffer(GL_BACK);
    const TestSupport::PixelFrame frame = TestSupport::ReadFrame(k_Width, k_Height);
    for (int y = 0; y < k_Height; ++y)
        for (int x = 0; x < k_Width; ++x)
        {
            testing::AssertionResult near = TestSupport::NearRgba(frame.At(x, y), p_Expected, p_Tolerance);
            if (!near)
                return near << " at pixel (" << x << ", " << y << ")";
        }
    return testing::AssertionSuccess();
}

void ExpectDefaultState()
{
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
    EXPECT_TRUE(glIsEnabled(GL_BLEND));
    EXPECT_TRUE(glIsEnabled(GL_MULTISAMPLE));
    EXPECT_EQ(GLInteger(GL_BLEND_SRC_RGB), GL_SRC_ALPHA);
    EXPECT_EQ(GLInteger(GL_BLEND_DST_RGB), GL_ONE_MINUS_SRC_ALPHA);
    EXPECT_EQ(GLInteger(GL_BLEND_SRC_ALPHA), GL_ONE);
    EXPECT_EQ(GLInteger(GL_BLEND_DST_ALPHA), GL_ONE_MINUS_SRC_ALPHA);
}

class OpenGLGraphicsContextGLTest : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(TestSupport::StartVideo()) << SDL_GetError();
        OpenGLGraphicsContext::PrepareWindowAttributes();
        m_Window = SDL_CreateWindow("GL test", SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED, k_Width,
                                    k_Height, SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN);
        ASSERT_NE(m_Window, nullptr) << SDL_GetError();
    }

    void TearDown() override
    {
        m_Context.Destroy();
        if (m_Window)
            SDL_DestroyWindow(m_Window);
        SDL_Quit();
    }

    TestSupport::TempFolder m_Folder;
    TestSupport::LogFileRedirect m_LogFile{m_Folder.File("gamelog.txt")};
    TestSupport::CapturingForwarder m_Log;
    SDL_Window* m_Window = nullptr;
    OpenGLGraphicsContext m_Context;
    Lib::LogTag m_WindowTag{"EngineWindow"};
};

TEST_F(OpenGLGraphicsContextGLTest, InitialiseCreatesTheNewestCoreContextWithTheEnginePixelFormat)
{
    ASSERT_TRUE(m_Context.Initialise(m_Window));

    EXPECT_EQ(m_Context.GetApi(), 0);
    EXPECT_NE(m_Context.GetNativeContext(), nullptr);
    EXPECT_EQ(SDL_GL_GetCurrentContext(), m_Context.GetNativeContext());
    // Versions are tried from 4.6 down: the one taken is the newest the driver has, so the
    // context reports exactly the version that was asked for (llvmpipe: 4.6 refused, 4.5 taken).
    EXPECT_EQ(m_Context.GetRequestedMajorVersion(), 4);
    EXPECT_EQ(GLInteger(GL_MAJOR_VERSION), m_Context.GetRequestedMajorVersion());
    EXPECT_EQ(GLInteger(GL_MINOR_VERSION), m_Context.GetRequestedMinorVersion());
    EXPECT_NE(GLInteger(GL_CONTEXT_PROFILE_MASK) & GL_CONTEXT_CORE_PROFILE_BIT, 0);

    EXPECT_EQ(GLInteger(GL_SAMPLES), 4);
    int32_t depth = 0, stencil = 0, alpha = 0, doubleBuffer = 0;
    SDL_GL_GetAttribute(SDL_GL_DEPTH_SIZE, &depth);
    SDL_GL_GetAttribute(SDL_GL_STENCIL_SIZE, &stencil);
    SDL_GL_GetAttribute(SDL_GL_ALPHA_SIZE, &alpha);
    SDL_GL_GetAttribute(SDL_GL_DOUBLEBUFFER, &doubleBuffer);
    EXPECT_EQ(depth, 24);
    EXPECT_EQ(stencil, 8);
    EXPECT_EQ(alpha, 8);
    EXPECT_EQ(doubleBuffer, 1);
    EXPECT_TRUE(ErrorsOf(m_Log).empty());

    m_Context.Destroy();
    EXPECT_EQ(m_Context.GetNativeContext(), nullptr);
    EXPECT_EQ(SDL_GL_GetCurrentContext(), nullptr);
}

TEST_F(OpenGLGraphicsContextGLTest, InitialiseLoadsEveryFunctionInOrder)
{
    ASSERT_TRUE(m_Context.Initialise(m_Window));

    std::vector<std::string> expected;
    for (const std::string& name : k_ExpectedLoadOrder)
        expected.push_back("Successfully loaded GL function: " + name);
    EXPECT_EQ(MessagesOf(m_Log, "GL_InitFunctions"), expected);
    for (const TestSupport::LogRecord& record : m_Log.Records())
        EXPECT_EQ(record.level, "Info") << record.message;

        // Every slot holds its own entry point.
#define VOZAD_EXPECT_SLOT(name)                                                                              \
    EXPECT_EQ(reinterpret_cast<void*>(Vozad::name), SDL_GL_GetProcAddress(#name)) << #name;
    VOZAD_GL_FUNCTION_LIST(VOZAD_EXPECT_SLOT)
    VOZAD_EXPECT_SLOT(glTexStorage2D)
    VOZAD_EXPECT_SLOT(glCheckFramebufferStatus)
#undef VOZAD_EXPECT_SLOT
}

// The names the loader asked for, and the one it is told does not exist.
std::vector<std::string> g_AskedNames;
const char* g_MissingName = "";

void* LookUpAllButOne(const char* p_Name)
{
    g_AskedNames.push_back(p_Name);
    return std::string(p_Name) == g_MissingName ? nullptr : SDL_GL_GetProcAddress(p_Name);
}

TEST_F(OpenGLGraphicsContextGLTest, AMissingFunctionStopsTheLoadThere)
{
    ASSERT_TRUE(m_Context.Initialise(m_Window));

    for (const char* missing : {"glDebugMessageCallback", "glUniform1f", "glEndQuery"})
    {
        SCOPED_TRACE(missing);
        g_MissingName = missing;
        g_AskedNames.clear();
        m_Log.lines.clear();

        EXPECT_FALSE(Vozad::GL_InitFunctions(&LookUpAllButOne));

        std::vector<std::string> before;
        std::vector<std::string> expected;
        for (const std::string& name : k_ExpectedLoadOrder)
        {
            before.push_back(name);
            if (name == missing)
                break;
            expected.push_back("Successfully loaded GL function: " + name);
        }
        expected.push_back(std::string("Unable to load GL function: ") + missing);
        EXPECT_EQ(g_AskedNames, before);
        EXPECT_EQ(MessagesOf(m_Log, "GL_InitFunctions"), expected);
        const std::vector<TestSupport::LogRecord> errors = ErrorsOf(m_Log);
        ASSERT_EQ(errors.size(), 1u);
        EXPECT_EQ(errors[0].message, expected.back());
    }
    // Later tests in this process need the whole table again.
    EXPECT_TRUE(Vozad::GL_InitFunctions());
}

TEST_F(OpenGLGraphicsContextGLTest, DescribeContextLogsTheDescriptionAndSwitchesVSyncOff)
{
    ASSERT_TRUE(m_Context.Initialise(m_Window));
    const std::string vendor = GLText(GL_VENDOR);
    // The expected lines are those of a driver without vendor memory queries, as Mesa is.
    ASSERT_EQ(OpenGLGraphicsContext::VendorKindOf(vendor.c_str()), Vozad::k_GpuVendorOther) << vendor;
    m_Log.lines.clear();

    ASSERT_TRUE(m_Context.DescribeContext(m_WindowTag, m_Window, "Snake"));

    const std::string maxTexture = std::to_string(GLInteger(GL_MAX_TEXTURE_SIZE));
    const std::vector<std::string> expected = {
        "==== Choosing OpenGL as renderer ====",
        "==== Begin initialisation ====",
        "",
        "Graphic Context Log:",
        "    API:                  OpenGL",
        "    Vendor:               " + vendor,
        "    Renderer (GPU name):  " + GLText(GL_RENDERER),
        "    GLSL Version:         " + GLText(GL_SHADING_LANGUAGE_VERSION),
        "    Version queried:      " + std::to_string(GLInteger(GL_MAJOR_VERSION)) + "." +
            std::to_string(GLInteger(GL_MINOR_VERSION)),
        "    Version available:    " + GLText(GL_VERSION),
        "    Total GPU memory:     0.00 MB (0.00 GB)",
        "    Free GPU memory:      0.00 MB (0.00 GB)",
        "    Used GPU memory:      0.00 MB (0.00 GB)",
        "",
        "Some OpenGL values:",
        "GL_MAX_TEXTURE_SIZE:         " + maxTexture + " x " + maxTexture,
        "GL_MAX_ARRAY_TEXTURE_LAYERS: " + std::to_string(GLInteger(GL_MAX_ARRAY_TEXTURE_LAYERS)),
        "SwapVSync():                 false",
        "RetrieveVSync():             false",
        "==== OpenGL successfully initialised ====",
        ""};
    EXPECT_EQ(MessagesOf(m_Log, "EngineWindow"), expected);
    EXPECT_EQ(m_Log.Records().size(), expected.size());
    for (const TestSupport::LogRecord& record : m_Log.Records())
        EXPECT_EQ(record.level, "Info") << record.message;

    const Vozad::GraphicsInformation& information = m_Context.GetGraphicsInformation();
    EXPECT_EQ(information.vendor.ToNarrow().Bytes(), vendor);
    EXPECT_EQ(information.renderer.ToNarrow().Bytes(), GLText(GL_RENDERER));
    EXPECT_EQ(information.vendorKind, Vozad::k_GpuVendorOther);
    EXPECT_FALSE(m_Context.RetrieveVSync());
    EXPECT_EQ(SDL_GL_GetSwapInterval(), 0);
    EXPECT_NE(Vozad::glGetStringi, nullptr);
}

TEST_F(OpenGLGraphicsContextGLTest, DescribeContextTitlesTheWindow)
{
    ASSERT_TRUE(m_Context.Initialise(m_Window));
    const struct
    {
        Lib::String title;
        std::string shown;
    } cases[] = {
        {"", "CorvanEngine"},
        {"Snake", "Snake"},
        {L"Schlange \u00DF \u2013 \u00E9", "Schlange \xC3\x9F \xE2\x80\x93 \xC3\xA9"},
    };
    for (const auto& testCase : cases)
    {
        ASSERT_TRUE(m_Context.DescribeContext(m_WindowTag, m_Window, testCase.title));
        EXPECT_EQ(std::string(SDL_GetWindowTitle(m_Window)), testCase.shown);
    }
}

TEST_F(OpenGLGraphicsContextGLTest, SwapVSyncReportsWhetherTheDriverTookTheInterval)
{
    ASSERT_TRUE(m_Context.Initialise(m_Window));

    EXPECT_FALSE(m_Context.SwapVSync(false));
    EXPECT_FALSE(m_Context.RetrieveVSync());
    // Xvfb's GLX refuses any swap interval, a real display takes it: either way the result must
    // say what the driver now does.
    const bool on = m_Context.SwapVSync(true);
    EXPECT_EQ(on, m_Context.RetrieveVSync());
    EXPECT_EQ(on, SDL_GL_GetSwapInterval() != 0);
    EXPECT_FALSE(m_Context.SwapVSync(false));
    EXPECT_FALSE(m_Context.RetrieveVSync());
}

TEST_F(OpenGLGraphicsContextGLTest, DefaultStateIsSetAndRestored)
{
    ASSERT_TRUE(m_Context.Initialise(m_Window));
    ExpectDefaultState();

    glDisable(GL_DEPTH_TEST);
    glDisable(GL_BLEND);
    glDisable(GL_MULTISAMPLE);
    Vozad::glBlendFuncSeparate(GL_ONE, GL_ZERO, GL_ZERO, GL_ONE);
    m_Context.RestoreDefaultState();
    ExpectDefaultState();
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST(OpenGLGraphicsContextVendorTest, VendorKindFollowsTheVendorString)
{
    const struct
    {
        const char* vendor;
        Vozad::GpuVendorKind kind;
    } cases[] = {
        {"NVIDIA Corporation", Vozad::k_GpuVendorNvidia},
        {"AMD", Vozad::k_GpuVendorAmd},
        {"ATI Technologies Inc.", Vozad::k_GpuVendorAmd},
        {"NVIDIA and ATI", Vozad::k_GpuVendorNvidia},
        {"nvidia", Vozad::k_GpuVendorOther},
        {"Advanced Micro Devices, Inc.", Vozad::k_GpuVendorOther},
        {"Mesa/X.org", Vozad::k_GpuVendorOther},
        {"Intel", Vozad::k_GpuVendorOther},
        {"", Vozad::k_GpuVendorOther},
        {nullptr, Vozad::k_GpuVendorOther},
    };
    for (const auto& testCase : cases)
        EXPECT_EQ(OpenGLGraphicsContext::VendorKindOf(testCase.vendor), testCase.kind)
            << (testCase.vendor ? testCase.vendor : "(null)");
}

// Creates a context in a process whose driver offers at most p_Cap (Mesa reads the cap once per
// process) and reports the outcome on standard error, where the death test looks.
[[noreturn]] void CreateContextWithVersionCap(const char* p_Cap)
{
    dup2(2, 1);
    setenv("MESA_GL_VERSION_OVERRIDE", p_Cap, 1);
    // No log file: the lines go to the forwarder (a device would be refused with an Error line).
    Lib::SetLogFileName("");
    TestSupport::CapturingForwarder log;
    if (!TestSupport::StartVideo())
        exit(2);
    OpenGLGraphicsContext::PrepareWindowAttributes();
    SDL_Window* window =
        SDL_CreateWindow("GL test", 0, 0, k_Width, k_Height, SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN);
    if (!window)
        exit(3);
    OpenGLGraphicsContext context;
    const bool created = context.Initialise(window);
    if (created)
        fprintf(stderr, "created %d.%d, context %d.%d\n", context.GetRequestedMajorVersion(),
                context.GetRequestedMinorVersion(), GLInteger(GL_MAJOR_VERSION), GLInteger(GL_MINOR_VERSION));
    fprintf(stderr, "error lines: %zu\n", ErrorsOf(log).size());
    for (const TestSupport::LogRecord& record : ErrorsOf(log))
        fprintf(stderr, "error: %s: %s\n", record.tag.c_str(), record.message.c_str());
    fflush(stderr);
    exit(created ? 0 : 1);
}

TEST(OpenGLGraphicsContextVersionGLTest, OlderDriversGetTheNewestVersionTheyOffer)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    // 4.6, 4.5 and 4.4 are refused, 4.3 is taken, and nothing is reported.
    EXPECT_EXIT(CreateContextWithVersionCap("4.3"), testing::ExitedWithCode(0),
                "created 4\\.3, context 4\\.3\nerror lines: 0\n");
}

TEST(OpenGLGraphicsContextVersionGLTest, ADriverWithoutAny4xContextFailsWithOneError)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        CreateContextWithVersionCap("3.3"), testing::ExitedWithCode(1),
        "error lines: 1\nerror: OpenGLGraphicsContext: SDL_GL_CreateContext\\(\\) failed, result: [^\n]+\n");
}

#ifndef NDEBUG
TEST_F(OpenGLGraphicsContextGLTest, GLCheckNamesTheFailingCallAndItsError)
{
    ASSERT_TRUE(m_Context.Initialise(m_Window));
    m_Log.lines.clear();

    GL_CHECK(glEnable(GL_BLEND));
    EXPECT_TRUE(m_Log.lines.empty());

    GL_CHECK(glEnable(0x1234));
    const std::vector<TestSupport::LogRecord> errors = ErrorsOf(m_Log);
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors[0].tag, "GL_CHECK");
    EXPECT_EQ(errors[0].message.rfind("glEnable(0x1234) failed with GL_INVALID_ENUM (0x0500) at ", 0), 0u)
        << errors[0].message;
    EXPECT_NE(errors[0].message.find("OpenGLGraphicsContextGLTests.cpp:"), std::string::npos)
        << errors[0].message;
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}
#endif

TEST_F(OpenGLGraphicsContextGLTest, RenderFrameClearsTheWholeWindowWithTheClearColour)
{
    ASSERT_TRUE(m_Context.Initialise(m_Window));
    Renderer renderer;
    EXPECT_EQ(renderer.GetClearColour(), 0u);
    EXPECT_FALSE(renderer.IsFrameRendered());
    ASSERT_TRUE(renderer.Initialise(Vozad::k_GraphicsApiOpenGL));

    const struct
    {
        uint32_t colour;
        TestSupport::Rgba bytes; // R, G, B, A
    } cases[] = {
        {0xFFEFCF80, {0x80, 0xCF, 0xEF, 0xFF}},
        {0x80402010, {0x10, 0x20, 0x40, 0x80}},
    };
    for (const auto& testCase : cases)
    {
        SCOPED_TRACE(Hex(testCase.colour));
        // Leave a small viewport and a half-way depth behind, as a previous pass would.
        glViewport(10, 10, 20, 20);
        glClearDepth(0.5);
        glClear(GL_DEPTH_BUFFER_BIT);
        glClearDepth(1.0);
        renderer.SetFrameRendered(false);

        renderer.SetClearColour(testCase.colour);
        EXPECT_EQ(renderer.GetClearColour(), testCase.colour);
        renderer.RenderFrame({k_Width, k_Height});

        EXPECT_TRUE(renderer.IsFrameRendered());
        GLint viewport[4] = {};
        glGetIntegerv(GL_VIEWPORT, viewport);
        EXPECT_EQ(std::vector<GLint>(viewport, viewport + 4), (std::vector<GLint>{0, 0, k_Width, k_Height}));
        EXPECT_TRUE(BackBufferIs(testCase.bytes, 1));
        // Nothing was drawn, so nothing tested depth: the frame spared itself the depth fill. A
        // frame that draws instances clears it (RendererGLTest.AFrameWithInstancesClearsTheDepthLeftBehind).
        float depth = 0.0f;
        glReadPixels(k_Width / 2, k_Height / 2, 1, 1, GL_DEPTH_COMPONENT, GL_FLOAT, &depth);
        EXPECT_FLOAT_EQ(depth, 0.5f);
    }
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));

    renderer.Shutdown();
    EXPECT_FALSE(renderer.IsFrameRendered());
}

TEST_F(OpenGLGraphicsContextGLTest, GuiFramesRunOverTheSceneWithoutTakingInput)
{
    ASSERT_TRUE(m_Context.Initialise(m_Window));
    Renderer renderer;
    ASSERT_TRUE(renderer.Initialise(Vozad::k_GraphicsApiOpenGL));
    renderer.SetClearColour(0xFFEFCF80);

    GuiContext gui(m_Window, m_Context.GetNativeContext(), Vozad::k_GraphicsApiOpenGL);
    ASSERT_TRUE(gui.Initialise());
    EXPECT_NE(gui.GetMainContext(), nullptr);
    EXPECT_NE(gui.GetMeasuringContext(), nullptr);
    EXPECT_NE(gui.GetMainContext(), gui.GetMeasuringContext());

    SDL_Event keyDown = {};
    keyDown.type = SDL_KEYDOWN;
    keyDown.key.keysym.scancode = SDL_SCANCODE_A;
    keyDown.key.keysym.sym = SDLK_a;
    Vozad::SetGuiContext(&gui);
    EXPECT_EQ(Vozad::GetGuiContext(), &gui);
    // The window hides the cursor in raw mouse mode; a UI frame must not show it again.
    SDL_ShowCursor(SDL_DISABLE);
    for (int32_t frame = 0; frame < 3; ++frame)
    {
        SCOPED_TRACE(frame);
        gui.OnNativeEvent(keyDown);

        ImDrawList* drawList = gui.BeginFrame({k_Width, k_Height});
        EXPECT_NE(drawList, nullptr);
        EXPECT_EQ(gui.GetDrawList(), drawList);
        renderer.RenderFrame({k_Width, k_Height});
        gui.EndFrame();
        EXPECT_EQ(gui.GetDrawList(), nullptr);

        EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
        // An empty UI draws nothing over the scene and leaves the scene's GL state as it was.
        EXPECT_TRUE(BackBufferIs({0x80, 0xCF, 0xEF, 0xFF}, 1));
        ExpectDefaultState();
        EXPECT_FALSE(gui.WantsKeyboard());
        EXPECT_FALSE(gui.WantsMouse());
        EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), SDL_DISABLE);
        m_Context.SwapBuffers(m_Window);
    }

    gui.Shutdown();
    Vozad::SetGuiContext(nullptr);
    EXPECT_EQ(Vozad::GetGuiContext(), nullptr);
    EXPECT_EQ(gui.GetMainContext(), nullptr);
    EXPECT_EQ(gui.GetMeasuringContext(), nullptr);
    EXPECT_EQ(gui.BeginFrame({k_Width, k_Height}), nullptr);
    EXPECT_FALSE(gui.WantsKeyboard());
    EXPECT_TRUE(ErrorsOf(m_Log).empty());
}

TEST(GuiContextTest, WithoutOpenGLNothingIsCreatedAndNothingIsDriven)
{
    GuiContext gui(nullptr, nullptr, Vozad::k_GraphicsApiVulkan);
    ASSERT_TRUE(gui.Initialise());
    EXPECT_EQ(gui.GetMainContext(), nullptr);
    EXPECT_EQ(gui.GetMeasuringContext(), nullptr);
    EXPECT_EQ(gui.BeginFrame({k_Width, k_Height}), nullptr);
    gui.EndFrame();
    SDL_Event event = {};
    event.type = SDL_KEYDOWN;
    gui.OnNativeEvent(event);
    EXPECT_FALSE(gui.WantsKeyboard());
    EXPECT_FALSE(gui.WantsMouse());
    gui.Shutdown();
}
} // namespace
