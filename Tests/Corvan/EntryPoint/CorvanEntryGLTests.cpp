// The engine object on a real window and GL context under the test run's Xvfb: the start-up
// stages in order, frames that nobody else draws, a frame the game draws, and the shutdown.
#include "Corvan/EntryPoint/CorvanEntry.h"
#include "Corvan/EntryPoint/DefaultScreen.h"
#include "Corvan/EntryPoint/EngineSettings.h"
#include "Corvan/EntryPoint/LibraryVersions.h"
#include "Corvan/Events/WindowEvents.h"
#include "Corvan/Gui/Containers/LayoutBar.h"
#include "Corvan/Gui/IDrawingContext.h"
#include "Corvan/Gui/Popup/Popup.h"
#include "Corvan/Gui/Widgets/Label.h"
#include "Corvan/Layout/ILayoutEventForwarder.h"
#include "Corvan/Layout/IWindowEventBase.h"
#include "Corvan/Layout/LayoutStack.h"
#include "Corvan/Renderer/ImageResources.h"
#include "Corvan/Renderer/OrthoCam.h"
#include "Corvan/Renderer/ShaderHandler.h"
#include "Corvan/Window/WindowSettings.h"
#include "Lib/Platform/Platform.h"

#include "Support/CapturingForwarder.h"
#include "Support/LogFileRedirect.h"
#include "Support/TempFolder.h"
#include "Support/WindowEventWatcher.h"
#include "Support/WindowPixels.h"

#include <gtest/gtest.h>

#include <GL/gl.h>

#include <array>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <regex>
#include <string>
#include <vector>

using TestSupport::CapturingForwarder;

namespace
{
Vozad::WindowSettings SmallWindow()
{
    Vozad::WindowSettings settings;
    settings.minimumWidth = 160;
    settings.minimumHeight = 120;
    settings.clientWidth = 320;
    settings.clientHeight = 240;
    settings.title = "VORL";
    settings.supportedWindowModes = 7;
    return settings;
}

Telvar::EngineSettings ContinuousLoop()
{
    Telvar::EngineSettings settings;
    settings.loopMode = 2;
    return settings;
}

// What the previous frame left in the middle of the window. Mesa's software driver copies the
// back buffer to the window on a swap and leaves it as it was, so at the start of the next frame
// it still holds what was presented.
TestSupport::Rgba PresentedCentre()
{
    GLint viewport[4] = {};
    glGetIntegerv(GL_VIEWPORT, viewport);
    return TestSupport::ReadGLPixel(viewport[2] / 2, viewport[3] / 2);
}

const TestSupport::Rgba k_EngineBlue = {0x80, 0xCF, 0xEF, 0xFF};
const TestSupport::Rgba k_Grey = {0x7A, 0x7A, 0x7A, 0xFF};
const TestSupport::Rgba k_Green = {0x00, 0xFF, 0x00, 0xFF};
const TestSupport::Rgba k_Red = {0xFF, 0x00, 0x00, 0xFF};

// A game stand-in: draws nothing for the first frames, then its own grey frame, then quits.
class ScriptedGame : public TestSupport::WindowEventWatcher
{
public:
    explicit ScriptedGame(Telvar::CorvanEntry& p_Engine) : m_Engine(p_Engine) {}

    void OnWindowCreate(Vozad::EventWindowCreate&) override { ++windowCreates; }

    void OnRendererUpdate(Vozad::EventRendererUpdate& p_Event) override
    {
        frameNumbers.push_back(p_Event.frameNumber);
        if (p_Event.frameNumber == 3)
            engineFrame = PresentedCentre();
        if (p_Event.frameNumber == 5)
        {
            gameFrame = PresentedCentre();
            m_Engine.Quit();
        }
    }
    void OnRendererPresent(Vozad::EventRendererPresent&) override
    {
        if (frameNumbers.back() == 4)
        {
            m_Engine.SetClearColour(122, 122, 122);
            m_Engine.Render();
        }
    }

    int windowCreates = 0;
    std::vector<uint64_t> frameNumbers;
    TestSupport::Rgba engineFrame{};
    TestSupport::Rgba gameFrame{};

private:
    Telvar::CorvanEntry& m_Engine;
};

// True when every wanted message appears among the engine's lines, in this order.
::testing::AssertionResult InOrder(const std::vector<std::string>& p_Messages,
                                   const std::vector<std::string>& p_Wanted)
{
    size_t next = 0;
    for (const std::string& message : p_Messages)
        if (next < p_Wanted.size() && message == p_Wanted[next])
            ++next;
    if (next == p_Wanted.size())
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "missing or out of order: \"" << p_Wanted[next] << "\"";
}

class CorvanEntryGLTest : public testing::Test
{
protected:
    // The platform object outlives an engine that never ran its shutdown.
    void TearDown() override { Lib::ShutdownPlatform(); }

    TestSupport::TempFolder m_Folder;
    TestSupport::LogFileRedirect m_LogFile{m_Folder.File("gamelog.txt")};
};
} // namespace

TEST_F(CorvanEntryGLTest, StartsEveryStageInOrderRunsFramesAndShutsDown)
{
    CapturingForwarder log;
    Telvar::CorvanEntry engine;
    ASSERT_TRUE(engine.Initialise(ContinuousLoop(), SmallWindow()));
    EXPECT_TRUE(InOrder(log.Messages(), {
                                            "==== Initialise Orvane - Quarne Engine",
                                            "Version: Alpha 0.5.0",
                                            std::string("Date: ") + Telvar::GetLibraryVersions().buildDate,
                                            "Using GLM",
                                            "Using Stbi Image",
                                            "Using FreeType",
                                            "Using Lua",
                                            "Version: Lua 5.4.4",
                                            "Using ImGUI",
                                            "==== Initialise Platform subsystem",
                                            "Platform subsystem successfully initialised ====",
                                            "==== Initialise Engine subsystem",
                                            "Engine subsystem successfully initialised ====",
                                            "==== Initialise Event subsystem",
                                            "Event subsystem successfully initialised ====",
                                            "==== Initialise Window subsystem",
                                            "Total count monitors: 1",
                                            "==== Choosing OpenGL as renderer ====",
                                            "==== OpenGL successfully initialised ====",
                                            "Window subsystem successfully initialised ====",
                                            "==== Initialise GUI pipeline",
                                            "GUI pipeline successfully initialised ====",
                                            "==== Initialise renderer",
                                            "Renderer successfully initialised ====",
                                            "==== Initialise Engine scripting subsystem",
                                            "Engine scripting subsystem successfully initialised ====",
                                            "Orvane - Quarne Engine successfully initialised ====",
                                        }));
    // The date of the build, as the compiler writes it ("Dec 10 2026"); compared with the library
    // record rather than this file's own date, which a build across midnight would make differ.
    EXPECT_TRUE(std::regex_match(Telvar::GetLibraryVersions().buildDate,
                                 std::regex("[A-Z][a-z]{2} [ 1-3][0-9] 2[0-9]{3}")))
        << Telvar::GetLibraryVersions().buildDate;

    ScriptedGame game(engine);
    engine.SetWindowEventReceiver(&game);
    EXPECT_EQ(game.windowCreates, 1) << "the queued creation event reaches the receiver when it is installed";

    log.lines.clear();
    EXPECT_EQ(engine.Run(), 0);
    EXPECT_EQ(game.frameNumbers, (std::vector<uint64_t>{1, 2, 3, 4, 5}));
    EXPECT_TRUE(TestSupport::NearRgba(game.engineFrame, k_EngineBlue, 0))
        << "a frame nobody draws shows the engine's light blue";
    EXPECT_TRUE(TestSupport::NearRgba(game.gameFrame, k_Grey, 0))
        << "a frame the game rendered is not cleared again";
    EXPECT_TRUE(InOrder(log.Messages(), {"================", "Starting engine shutdown",
                                         "Engine shutdown successful", "================"}));
}

TEST_F(CorvanEntryGLTest, EngineOperationsAnswerFromTheEngineData)
{
    Telvar::CorvanEntry engine;
    ASSERT_TRUE(engine.Initialise(ContinuousLoop(), SmallWindow()));
    EXPECT_FALSE(engine.IsKeyPressed(381));
    EXPECT_EQ(engine.GetWindowSize(), (Lib::RectSize{320, 240}));
    EXPECT_EQ(engine.GetGraphicsApiInfo().apiName, Lib::String("OpenGL"));
    EXPECT_GE(engine.GetMonitorCollection().monitors.Count(), 1u);
    EXPECT_TRUE(engine.ToggleFlag());
    EXPECT_FALSE(engine.ToggleFlag());
    ASSERT_TRUE(engine.GetWindow());
    EXPECT_TRUE(engine.GetWindow()->IsCreated());
}

TEST_F(CorvanEntryGLTest, WithoutAnyFontThePlatformStageFailsAndRunReturnsItsCode)
{
    // A font configuration that knows no font and a working folder without Resources/Fonts.
    TestSupport::WriteWholeFile(m_Folder.File("fonts.conf"),
                                "<?xml version=\"1.0\"?>\n<fontconfig></fontconfig>\n");
    const char* oldConfig = getenv("FONTCONFIG_FILE");
    const std::string savedConfig = oldConfig ? oldConfig : "";
    setenv("FONTCONFIG_FILE", m_Folder.File("fonts.conf").c_str(), 1);
    const std::string oldFolder = std::filesystem::current_path().string();
    std::filesystem::current_path(m_Folder.Path());

    Lib::ShutdownPlatform();
    CapturingForwarder log;
    Telvar::CorvanEntry engine;
    const bool initialised = engine.Initialise(ContinuousLoop(), SmallWindow());
    const int32_t result = initialised ? -1 : engine.Run(); // an engine that started would run on
    EXPECT_FALSE(initialised);
    EXPECT_EQ(result, 6002);

    std::filesystem::current_path(oldFolder);
    if (oldConfig)
        setenv("FONTCONFIG_FILE", savedConfig.c_str(), 1);
    else
        unsetenv("FONTCONFIG_FILE");

    // The reason comes first, at Error level, naming what was looked for.
    const std::string reason = "No font could be found: tried "
                               "\"Resources/Fonts/Noto_Sans/NotoSansJP-Regular.otf\", "
                               "\"Resources/Fonts/Noto_Sans/NotoSans-Regular.ttf\", and the system's fonts "
                               "(fontconfig: \"Noto Sans\", then any \"sans-serif\" font).";
    EXPECT_TRUE(InOrder(log.Messages(), {"==== Initialise Platform subsystem", reason,
                                         "Failed to initialise Platform subsystem ====",
                                         "Engine wasn't initialised properly, the return code is: 6002"}));
    bool infoLevel = false;
    bool reasonAtErrorLevel = false;
    for (const std::string& line : log.lines)
    {
        infoLevel |= line.find("] Info     |") != std::string::npos &&
                     line.find("Failed to initialise Platform subsystem ====") != std::string::npos;
        reasonAtErrorLevel |= line.find("] Error    |") != std::string::npos &&
                              line.find("Platform: No font could be found: ") != std::string::npos;
    }
    EXPECT_TRUE(infoLevel);
    EXPECT_TRUE(reasonAtErrorLevel);
}

TEST_F(CorvanEntryGLTest, EntitiesWithComponentsAreDrawnAndPickedThroughTheEngine)
{
    Telvar::CorvanEntry engine;
    ASSERT_TRUE(engine.Initialise(ContinuousLoop(), SmallWindow()));

    // World units are window pixels, y downwards.
    Vozad::OrthoCam camera;
    camera.SetBox(0.0f, 320.0f, 0.0f, 240.0f);
    const Vozad::WindowRect wholeWindow{0, 320, 0, 240};
    EXPECT_TRUE(engine.SetCamera(0, wholeWindow, camera));

    // A green quad on the left, the opaque snake body image on the right.
    const Vozad::ShaderInfo quadShader =
        engine.GetEngineShaderTable()[Vozad::EngineShaderRow(Vozad::BuiltInShader::BatchedColorSpriteShader)];
    Telvar::EntityHandle quad = engine.CreateEntity();
    Telvar::Transform left;
    left.width = left.height = 60.0f;
    left.x = 20.0f;
    left.y = 90.0f;
    engine.AddTransform(quad, left);
    engine.AddColouredQuad(quad, Telvar::ColouredQuadComponent{quadShader, 0, 255, 0, 255});

    Telvar::EntityHandle body = engine.CreateEntity();
    Telvar::Transform right = left;
    right.x = 200.0f;
    engine.AddTransform(body, right);
    Telvar::SpriteComponent sprite;
    sprite.texture = engine.LoadTextureFromMemory(*Vozad::FindImageResource("snake_body"));
    ASSERT_NE(sprite.texture.textureKey, ~0ull);
    engine.AddSprite(body, sprite);

    engine.SetClearColour(122, 122, 122);
    engine.Render();
    const auto pixelAt = [](int p_X, int p_Y) { return TestSupport::ReadPixelRgba(p_X, p_Y, 240); };
    EXPECT_TRUE(TestSupport::NearRgba(pixelAt(50, 120), k_Green, 0)) << "the coloured quad";
    EXPECT_TRUE(TestSupport::NearRgba(pixelAt(160, 120), k_Grey, 0)) << "nothing between them";
    EXPECT_FALSE(TestSupport::NearRgba(pixelAt(230, 120), k_Grey, 0)) << "the sprite covers its cell";

    EXPECT_EQ(engine.GetPoint({230, 120}, wholeWindow, camera).id, body.id);
    // Coloured quads have no selection output: the selection pass draws their own colour, whose
    // "id" (0x00FF00 = 65280) names no entity here.
    EXPECT_EQ(engine.GetPoint({50, 120}, wholeWindow, camera).id, Telvar::k_InvalidEntityHandle.id);
    EXPECT_EQ(engine.GetPoint({160, 120}, wholeWindow, camera).id, Telvar::k_InvalidEntityHandle.id);

    // Moving the quad and refreshing it moves what is drawn; destroying the sprite removes it.
    left.x = 120.0f;
    ASSERT_TRUE(engine.SetTransform(quad, left, false));
    engine.RefreshColouredQuad(quad);
    engine.DestroyEntity(body);
    engine.Render();
    EXPECT_TRUE(TestSupport::NearRgba(pixelAt(50, 120), k_Grey, 0));
    EXPECT_TRUE(TestSupport::NearRgba(pixelAt(150, 120), k_Green, 0));
    EXPECT_TRUE(TestSupport::NearRgba(pixelAt(230, 120), k_Grey, 0));
}

namespace
{
// A game stand-in that only watches frames: p_OnUpdate runs at every frame's update event, with
// the frame number; the game quits after frame p_LastFrame.
class FrameProbe : public TestSupport::WindowEventWatcher
{
public:
    FrameProbe(Telvar::CorvanEntry& p_Engine, uint64_t p_LastFrame, std::function<void(uint64_t)> p_OnUpdate)
        : m_Engine(p_Engine), m_LastFrame(p_LastFrame), m_OnUpdate(std::move(p_OnUpdate))
    {
    }

    void OnRendererUpdate(Vozad::EventRendererUpdate& p_Event) override
    {
        m_OnUpdate(p_Event.frameNumber);
        if (p_Event.frameNumber >= m_LastFrame)
            m_Engine.Quit();
    }

private:
    Telvar::CorvanEntry& m_Engine;
    uint64_t m_LastFrame;
    std::function<void(uint64_t)> m_OnUpdate;
};

// An element that fills a 40 x 30 box at (100, 80) inside its rectangle in red.
class RedBox : public Vozad::LayoutBase
{
public:
    void Draw(Vozad::IDrawingContext& p_Context) override
    {
        ++draws;
        const Vozad::LayoutRect& rect = GetRect();
        p_Context.SetColour(0xFF0000FF);
        p_Context.FillRect({rect.left + 100, rect.left + 140, rect.top + 80, rect.top + 110}, 0.0f);
    }
    int draws = 0;
};

class FocusRecorder : public Vozad::ILayoutEventForwarder
{
public:
    bool OnFocusChanged(bool p_Focused, Vozad::LayoutBase&) override
    {
        changes.push_back(p_Focused);
        return false;
    }
    std::vector<bool> changes;
};
} // namespace

TEST_F(CorvanEntryGLTest, RootContentIsLaidOutToTheWindowAndDrawnOverTheSceneEveryFrame)
{
    Telvar::CorvanEntry engine;
    ASSERT_TRUE(engine.Initialise(ContinuousLoop(), SmallWindow()));
    RedBox box;
    engine.SetRootContent(&box);
    EXPECT_EQ(box.GetRect(), (Vozad::LayoutRect{0, 320, 0, 240}));

    std::vector<TestSupport::Rgba> inside, outside;
    std::vector<int> drawsSeen;
    FrameProbe probe(engine, 3,
                     [&](uint64_t p_Frame)
                     {
                         drawsSeen.push_back(box.draws);
                         if (p_Frame < 2)
                             return;
                         inside.push_back(TestSupport::ReadPixelRgba(120, 95, 240));
                         outside.push_back(TestSupport::ReadPixelRgba(20, 20, 240));
                     });
    engine.SetWindowEventReceiver(&probe);
    EXPECT_EQ(engine.Run(), 0);
    EXPECT_EQ(drawsSeen, (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(box.draws, 3);
    ASSERT_EQ(inside.size(), 2u);
    ASSERT_EQ(outside.size(), 2u);
    for (size_t frame = 0; frame < 2; ++frame)
    {
        EXPECT_TRUE(TestSupport::NearRgba(inside[frame], k_Red, 0)) << "frame " << frame;
        EXPECT_TRUE(TestSupport::NearRgba(outside[frame], k_EngineBlue, 0)) << "frame " << frame;
    }
}

TEST_F(CorvanEntryGLTest, PopupsOpenAsTheTopLayerAndCloseAgain)
{
    Telvar::CorvanEntry engine;
    // Without a root nothing opens.
    Vozad::Popup early(&engine);
    engine.OpenPopup(&early);
    EXPECT_EQ(engine.GetPopupLayer().GetOpenPopupCount(), 0u);
    EXPECT_EQ(engine.MeasureText("Hello", Vozad::FontSpec{}).width, 0.0f);

    ASSERT_TRUE(engine.Initialise(ContinuousLoop(), SmallWindow()));
    RedBox box;
    engine.SetRootContent(&box);
    FocusRecorder recorder;
    Vozad::Popup popup(&engine);
    popup.SetForwarder(&recorder);
    popup.m_Position = {50, 40};
    popup.m_Size = {100, 60};
    ASSERT_FALSE(popup.IsVisible());

    engine.OpenPopup(&popup);
    engine.OpenPopup(&popup);
    engine.OpenPopup(nullptr);
    ASSERT_EQ(engine.GetPopupLayer().GetOpenPopupCount(), 1u);
    EXPECT_EQ(engine.GetPopupLayer().GetOpenPopup(0), &popup);
    Vozad::LayoutStack* root = engine.GetRootStack();
    ASSERT_EQ(root->GetLayerCount(), 2u);
    EXPECT_EQ(root->GetLayer(1).element, &popup);
    EXPECT_FALSE(root->GetLayer(1).owned);
    EXPECT_TRUE(popup.IsVisible());
    EXPECT_TRUE(popup.IsFocused());
    EXPECT_EQ(recorder.changes, (std::vector<bool>{true}));
    EXPECT_EQ(popup.GetRect(), (Vozad::LayoutRect{50, 150, 40, 100}));

    // A new root keeps the open popup above the new content.
    RedBox other;
    engine.SetRootContent(&other);
    root = engine.GetRootStack();
    ASSERT_EQ(root->GetLayerCount(), 2u);
    EXPECT_EQ(root->GetLayer(0).element, &other);
    EXPECT_EQ(root->GetLayer(1).element, &popup);

    // A press outside a popup that does not close on outside presses leaves it open.
    popup.SetBehaviour(Vozad::k_PopupCloseOnKeys);
    engine.GetPopupLayer().OnPressedOutside(popup);
    EXPECT_EQ(engine.GetPopupLayer().GetOpenPopupCount(), 1u);
    popup.SetBehaviour(Vozad::k_PopupCloseOnOutside);
    engine.GetPopupLayer().OnPressedOutside(popup);
    EXPECT_EQ(engine.GetPopupLayer().GetOpenPopupCount(), 0u);
    EXPECT_EQ(root->GetLayerCount(), 1u);
    EXPECT_FALSE(popup.IsVisible());
    EXPECT_FALSE(popup.IsFocused());
    EXPECT_EQ(recorder.changes, (std::vector<bool>{true, false}));

    // Open again, then closed by the engine: only the layer goes.
    engine.OpenPopup(&popup);
    EXPECT_EQ(root->GetLayerCount(), 2u);
    engine.ClosePopup(&popup);
    engine.ClosePopup(&popup);
    engine.ClosePopup(&early);
    EXPECT_EQ(engine.GetPopupLayer().GetOpenPopupCount(), 0u);
    ASSERT_EQ(root->GetLayerCount(), 1u);
    EXPECT_EQ(root->GetLayer(0).element, &other);

    // A popup destroyed while it is open leaves the engine's list and the root.
    auto* doomed = new Vozad::Popup(&engine);
    engine.OpenPopup(doomed);
    ASSERT_EQ(engine.GetPopupLayer().GetOpenPopupCount(), 1u);
    ASSERT_EQ(root->GetLayerCount(), 2u);
    delete doomed;
    EXPECT_EQ(engine.GetPopupLayer().GetOpenPopupCount(), 0u);
    ASSERT_EQ(root->GetLayerCount(), 1u);
    EXPECT_EQ(root->GetLayer(0).element, &other);

    // Text measuring goes to the GUI context.
    Vozad::FontSpec builtIn;
    builtIn.name = "ProggyClean.ttf";
    EXPECT_EQ(engine.MeasureText("Abc", builtIn).width, 21.0f);
}

TEST_F(CorvanEntryGLTest, WithoutContentTheDefaultScreenShowsItsTexts)
{
    Vozad::WindowSettings settings = SmallWindow();
    settings.clientWidth = 800;
    settings.clientHeight = 600;
    Telvar::CorvanEntry engine;
    ASSERT_TRUE(engine.Initialise(ContinuousLoop(), settings));

    // The labels go with the engine's shutdown at the end of Run: what is checked is taken in the
    // last frame.
    std::string noContentText, titleText;
    int lit = -1, litTitle = -1, litBeside = -1;
    // White-ish pixels of the label texts over the light blue clear colour.
    const auto countWhite = [](const Vozad::LayoutRect& p_Rect)
    {
        int count = 0;
        for (int y = p_Rect.top; y < p_Rect.bottom; ++y)
            for (int x = p_Rect.left; x < p_Rect.right; ++x)
            {
                unsigned char pixel[4] = {};
                glReadPixels(x, 599 - y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, pixel);
                count += pixel[0] > 0xD0 && pixel[1] > 0xD0 && pixel[2] > 0xD0 ? 1 : 0;
            }
        return count;
    };
    FrameProbe probe(engine, 3,
                     [&](uint64_t p_Frame)
                     {
                         if (p_Frame != 3)
                             return;
                         Vozad::LayoutBar* bar = engine.GetRootBar();
                         auto* grid = bar ? dynamic_cast<Vozad::LayoutGrid*>(bar->GetElement(0, 1)) : nullptr;
                         if (!grid)
                             return;
                         auto* noContent = dynamic_cast<Vozad::Label*>(grid->GetElement(1, 5));
                         auto* title = dynamic_cast<Vozad::Label*>(grid->GetElement(1, 1));
                         if (!noContent || !title)
                             return;
                         noContentText = noContent->GetText().ToNarrow().Bytes();
                         titleText = title->GetText().ToNarrow().Bytes();
                         lit = countWhite(noContent->GetRect());
                         litTitle = countWhite(title->GetRect());
                         const Vozad::LayoutRect& rect = noContent->GetRect();
                         litBeside = countWhite({0, 40, rect.top, rect.bottom});
                     });
    engine.SetWindowEventReceiver(&probe);
    EXPECT_EQ(engine.Run(), 0);
    EXPECT_EQ(noContentText, "No content has been added.");
    EXPECT_EQ(titleText, "Quarne Engine");
    EXPECT_GT(lit, 100) << "the text is drawn in the label's rectangle";
    EXPECT_GT(litTitle, lit) << "the title is larger";
    EXPECT_EQ(litBeside, 0) << "centred: the left edge of the window stays clear";
}

namespace
{
// Drawing on change: while nothing happens the loop sleeps, a request for a later moment is
// served by one frame at that moment instead of by every frame until then, and requests made
// each frame (a running round) keep the frames coming.
TEST_F(CorvanEntryGLTest, RedrawingOnChangeDrawsOnlyWhatWasAskedFor)
{
    Telvar::EngineSettings settings = ContinuousLoop();
    settings.redrawOnChange = true;
    Telvar::CorvanEntry engine;
    ASSERT_TRUE(engine.Initialise(settings, SmallWindow()));

    using Clock = std::chrono::steady_clock;
    constexpr double k_Later = 0.5;
    constexpr uint64_t k_Continuous = 20;
    Clock::time_point requestedAt;
    std::vector<double> framesWhileWaiting; // seconds after the request
    uint64_t timedFrame = 0;
    FrameProbe probe(engine, ~0ull,
                     [&](uint64_t p_Frame)
                     {
                         const Clock::time_point now = Clock::now();
                         if (p_Frame == 1)
                         {
                             requestedAt = now;
                             engine.RequestRedraw(k_Later);
                             return;
                         }
                         if (timedFrame == 0)
                         {
                             const double after = std::chrono::duration<double>(now - requestedAt).count();
                             framesWhileWaiting.push_back(after);
                             if (after >= k_Later)
                                 timedFrame = p_Frame;
                         }
                         if (timedFrame != 0 && p_Frame < timedFrame + k_Continuous)
                             engine.RequestRedraw(0.0);
                         else if (timedFrame != 0)
                             engine.Quit();
                     });
    engine.SetWindowEventReceiver(&probe);
    EXPECT_EQ(engine.Run(), 0);

    ASSERT_NE(timedFrame, 0u);
    // The window's own events when it appears may draw a frame or two; a loop that drew without
    // a reason would have drawn dozens in half a second.
    EXPECT_LE(framesWhileWaiting.size(), 4u) << "frames drawn before the requested moment";
    EXPECT_EQ(engine.GetFrameNumber(), timedFrame + k_Continuous)
        << "a request each frame keeps frames coming";
}
} // namespace
