// The SDL window on the test run's X server: real window, real GL context, real SDL event queue.
#include "Corvan/Window/EngineWindow.h"
#include "Corvan/Window/GuiRootLayout.h"

#include "Corvan/EventRouting/EventManager.h"
#include "Corvan/Events/InputEvents.h"
#include "Corvan/Events/WindowEvents.h"
#include "Corvan/Layout/IWindowEventBase.h"
#include "Corvan/Layout/LayoutBase.h"
#include "Corvan/Renderer/IGraphicsContext.h"
#include "Corvan/Renderer/OpenGL/OpenGLGraphicsContext.h"
#include "Corvan/Window/IEngineNotifier.h"
#include "Corvan/Window/INativeEventObserver.h"
#include "Support/CapturingForwarder.h"
#include "Support/GLWindow.h"
#include "Support/RgbImage.h"
#include "Support/TempFolder.h"

#include <GL/gl.h>
#include <SDL2/SDL.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace
{
using namespace Vozad;

struct KeyRecord
{
    int32_t type, keyCode, action, modifiers;
    bool operator==(const KeyRecord&) const = default;
};

struct PointerRecord
{
    int32_t value; // button, amount or entered/left marker
    Lib::Point position;
    bool operator==(const PointerRecord&) const = default;
};

// The GUI root: records what reaches it and takes every key and wheel event.
class RecordingRoot : public LayoutBase
{
public:
    bool OnKeyPress(EventKeyInput& p_Event) override { return Key(p_Event); }
    bool OnKeyRepeat(EventKeyInput& p_Event) override { return Key(p_Event); }
    bool OnKeyRelease(EventKeyInput& p_Event) override { return Key(p_Event); }
    bool OnTextInput(EventTextInput& p_Event) override
    {
        texts.push_back(p_Event.text.Wide());
        return true;
    }
    bool OnMouseScroll(EventMouseScroll& p_Event) override
    {
        scrolls.push_back({p_Event.amount, p_Event.position});
        return true;
    }
    LayoutBase* OnMousePress(EventMousePress& p_Event) override
    {
        presses.push_back({p_Event.button, p_Event.position});
        return nullptr;
    }
    LayoutBase* OnMouseRelease(EventMousePress& p_Event) override
    {
        releases.push_back({p_Event.button, p_Event.position});
        return nullptr;
    }
    bool OnCursorEnter(EventMouseEnter& p_Event) override
    {
        crossings.push_back({1, p_Event.position});
        return true;
    }
    bool OnCursorLeave(EventMouseLeave& p_Event) override
    {
        crossings.push_back({0, p_Event.position});
        return true;
    }
    void SetRect(const LayoutRect& p_Rect) override
    {
        LayoutBase::SetRect(p_Rect);
        rects.push_back(p_Rect);
    }
    void UpdateLayout() override { ++layouts; }

    std::vector<KeyRecord> keys;
    std::vector<std::wstring> texts;
    std::vector<PointerRecord> scrolls, presses, releases, crossings;
    std::vector<LayoutRect> rects;
    int layouts = 0;

private:
    bool Key(EventKeyInput& p_Event)
    {
        keys.push_back({p_Event.GetType(), p_Event.keyCode, p_Event.action, p_Event.modifiers});
        return true;
    }
};

struct WindowEventRecord
{
    int32_t type;
    Lib::RectSize size;
    Lib::Point position;
    bool focused = false;
};

class RecordingReceiver : public IWindowEventBase
{
public:
    void OnWindowCreate(EventWindowCreate& p_Event) override { Add(p_Event.GetType()); }
    void OnWindowFocus(EventWindowFocus& p_Event) override
    {
        Add(p_Event.GetType()).focused = p_Event.focused;
    }
    void OnWindowPosition(EventWindowPosition& p_Event) override
    {
        Add(p_Event.GetType()).position = p_Event.position;
    }
    void OnWindowResize(EventWindowResize& p_Event) override { Add(p_Event.GetType()).size = p_Event.size; }
    void OnWindowMinimize(EventWindowMinimize& p_Event) override { Add(p_Event.GetType()); }
    void OnWindowMaximize(EventWindowMaximize& p_Event) override
    {
        Add(p_Event.GetType()).size = p_Event.size;
    }
    void OnWindowFullscreen(EventWindowFullscreen& p_Event) override
    {
        Add(p_Event.GetType()).size = p_Event.size;
    }
    void OnQuitRequest(EventQuitRequest& p_Event) override
    {
        Add(p_Event.GetType());
        p_Event.answer = quitAnswer;
    }
    void OnWindowClose(EventWindowClose& p_Event) override { Add(p_Event.GetType()); }
    void OnRendererUpdate(EventRendererUpdate& p_Event) override { Add(p_Event.GetType()); }
    void OnRendererPresent(EventRendererPresent& p_Event) override { Add(p_Event.GetType()); }

    std::vector<int32_t> Types() const
    {
        std::vector<int32_t> types;
        for (const WindowEventRecord& record : events)
            types.push_back(record.type);
        return types;
    }

    std::vector<WindowEventRecord> events;
    int32_t quitAnswer = 0;

private:
    WindowEventRecord& Add(int32_t p_Type)
    {
        events.push_back({p_Type, {}, {}, false});
        return events.back();
    }
};

class RecordingNotifier : public IEngineNotifier
{
public:
    void NotifyResize() override { ++resizes; }
    void NotifyRunFrame() override { ++frames; }
    void NotifyQuit() override { ++quits; }
    int resizes = 0, frames = 0, quits = 0;
};

class RecordingObserver : public INativeEventObserver
{
public:
    void OnNativeEvent(const SDL_Event& p_Event) override
    {
        types.push_back(p_Event.type);
        if (onEvent)
            onEvent(p_Event);
    }
    std::vector<uint32_t> types;
    std::function<void(const SDL_Event&)> onEvent;
};

bool HasMode(const MonitorInfo& p_Monitor, uint32_t p_Width, uint32_t p_Height)
{
    for (const DisplayMode& mode : p_Monitor.displayModes)
        if (mode.width == p_Width && mode.height == p_Height)
            return true;
    return false;
}

// A 2 x 2 RGBA PNG.
constexpr uint8_t k_IconPng[] = {0x89, 0x50, 0x4E, 0x47, 0x0D, 0x0A, 0x1A, 0x0A, 0x00, 0x00, 0x00, 0x0D, 0x49,
                                 0x48, 0x44, 0x52, 0x00, 0x00, 0x00, 0x02, 0x00, 0x00, 0x00, 0x02, 0x08, 0x06,
                                 0x00, 0x00, 0x00, 0x72, 0xB6, 0x0D, 0x24, 0x00, 0x00, 0x00, 0x13, 0x49, 0x44,
                                 0x41, 0x54, 0x78, 0x9C, 0x63, 0xF8, 0xCF, 0xC0, 0xF0, 0x1F, 0x0C, 0x81, 0x34,
                                 0x08, 0x34, 0x00, 0x00, 0x49, 0x49, 0x09, 0x78, 0x28, 0xA0, 0xDB, 0x77, 0x00,
                                 0x00, 0x00, 0x00, 0x49, 0x45, 0x4E, 0x44, 0xAE, 0x42, 0x60, 0x82};

class EngineWindowGLTest : public testing::Test
{
protected:
    EngineWindowGLTest() { m_Events.SetRoot(&m_Root); }

    static WindowSettings Settings(uint32_t p_Width = 800, uint32_t p_Height = 600)
    {
        WindowSettings settings;
        settings.clientWidth = p_Width;
        settings.clientHeight = p_Height;
        settings.minimumWidth = 640;
        settings.minimumHeight = 480;
        settings.title = "Window test";
        settings.resizable = true;
        settings.supportedWindowModes = 7;
        return settings;
    }

    std::unique_ptr<EngineWindow> MakeWindow(const WindowSettings& p_Settings)
    {
        auto window = std::make_unique<EngineWindow>(&m_Data, &m_Events, &m_Notifier, p_Settings);
        window->SetRoot(&m_Root);
        return window;
    }

    // A created window whose own start-up events are gone, with the receiver installed.
    std::unique_ptr<EngineWindow> CreateQuietWindow(const WindowSettings& p_Settings)
    {
        auto window = MakeWindow(p_Settings);
        EXPECT_TRUE(window->Create());
        SDL_PumpEvents();
        SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
        m_Events.SetWindowEventReceiver(&m_Receiver);
        m_Receiver.events.clear();
        m_Root.rects.clear();
        m_Root.layouts = 0;
        m_Notifier = RecordingNotifier{};
        return window;
    }

    static SDL_Event WindowEvent(const EngineWindow& p_Window, uint8_t p_Id, int32_t p_Data1 = 0,
                                 int32_t p_Data2 = 0)
    {
        SDL_Event event{};
        event.type = SDL_WINDOWEVENT;
        event.window.windowID = SDL_GetWindowID(p_Window.GetSdlWindow());
        event.window.event = p_Id;
        event.window.data1 = p_Data1;
        event.window.data2 = p_Data2;
        return event;
    }

    static SDL_Event KeyEvent(uint32_t p_Type, SDL_Scancode p_Scancode, bool p_Repeat = false)
    {
        SDL_Event event{};
        event.type = p_Type;
        event.key.keysym.scancode = p_Scancode;
        event.key.repeat = p_Repeat ? 1 : 0;
        event.key.state = p_Type == SDL_KEYDOWN ? SDL_PRESSED : SDL_RELEASED;
        return event;
    }

    static SDL_Event ButtonEvent(uint32_t p_Type, uint8_t p_Button, int32_t p_X, int32_t p_Y)
    {
        SDL_Event event{};
        event.type = p_Type;
        event.button.button = p_Button;
        event.button.state = p_Type == SDL_MOUSEBUTTONDOWN ? SDL_PRESSED : SDL_RELEASED;
        event.button.x = p_X;
        event.button.y = p_Y;
        return event;
    }

    bool Logged(const std::string& p_Message) const
    {
        const std::vector<std::string> messages = m_Log.Messages();
        return std::find(messages.begin(), messages.end(), p_Message) != messages.end();
    }

    TestSupport::CapturingForwarder m_Log;
    EngineData m_Data;
    EventManager m_Events{nullptr};
    RecordingRoot m_Root;
    RecordingReceiver m_Receiver;
    RecordingNotifier m_Notifier;
};

TEST_F(EngineWindowGLTest, CreationOpensAGLWindowCentredOnTheMonitor)
{
    auto window = MakeWindow(Settings(800, 600));
    ASSERT_TRUE(window->Create());
    EXPECT_TRUE(window->IsCreated());
    EXPECT_TRUE(Logged("Total count monitors: 1"));
    EXPECT_TRUE(Logged("Main window created"));

    // The test run's X server: one 1920 x 1080 screen at 24-bit depth, stored in 32-bit pixels.
    EXPECT_EQ(m_Data.desktopBitsPerPixel, 32);
    EXPECT_EQ(m_Data.desktopWidth, 1920);
    EXPECT_EQ(m_Data.desktopHeight, 1080);
    ASSERT_EQ(m_Data.monitors.monitors.Count(), 1u);
    const MonitorInfo& monitor = m_Data.monitors.monitors[0];
    EXPECT_EQ(monitor.primary, 1);
    EXPECT_FALSE(monitor.deviceName.IsEmpty());
    EXPECT_EQ(monitor.rect.left, 0);
    EXPECT_EQ(monitor.rect.right, 1920);
    EXPECT_EQ(monitor.rect.top, 0);
    EXPECT_EQ(monitor.rect.bottom, 1080);
    ASSERT_FALSE(monitor.displayModes.IsEmpty());
    EXPECT_TRUE(HasMode(monitor, 1920, 1080));
    for (uint32_t i = 1; i < monitor.displayModes.Count(); ++i)
        EXPECT_LE(monitor.displayModes[i - 1].width, monitor.displayModes[i].width);

    // Centred: (1920 - 800) / 2, (1080 - 600) / 2.
    EXPECT_EQ(window->GetPosition(), (Lib::Point{560, 240}));
    int x = 0, y = 0, width = 0, height = 0;
    SDL_GetWindowPosition(window->GetSdlWindow(), &x, &y);
    SDL_GetWindowSize(window->GetSdlWindow(), &width, &height);
    EXPECT_EQ(x, 560);
    EXPECT_EQ(y, 240);
    EXPECT_EQ(width, 800);
    EXPECT_EQ(height, 600);
    EXPECT_EQ(window->GetWindowSize(), (Lib::RectSize{800, 600}));
    EXPECT_EQ(window->GetRect(), (WindowRect{560, 1360, 240, 840}));
    EXPECT_EQ(window->GetWindowMode(), k_WindowModeWindowed);
    EXPECT_EQ(window->GetSupportedWindowModes(), 7);

    EXPECT_EQ(SDL_GetWindowData(window->GetSdlWindow(), "CORVAN_WINDOW_DATA"), window.get());
    EXPECT_STREQ(SDL_GetWindowTitle(window->GetSdlWindow()), "Window test");
    ASSERT_NE(window->GetGraphicsContext(), nullptr);
    EXPECT_EQ(window->GetGraphicsContext()->GetApi(), k_GraphicsApiOpenGL);
    EXPECT_NE(window->GetNativeGraphicsContext(), nullptr);
    EXPECT_EQ(SDL_GL_GetCurrentContext(), window->GetNativeGraphicsContext());

    // The viewport and the GUI root follow the client size from the start.
    EXPECT_EQ(m_Data.viewport.right, 800);
    EXPECT_EQ(m_Data.viewport.bottom, 600);
    ASSERT_FALSE(m_Root.rects.empty());
    EXPECT_EQ(m_Root.rects.back(), (LayoutRect{0, 800, 0, 600}));

    // The creation event waits for the game and reaches it once it is installed.
    m_Events.SetWindowEventReceiver(&m_Receiver);
    EXPECT_EQ(m_Receiver.Types(), (std::vector<int32_t>{k_EventWindowCreate}));

    EXPECT_TRUE(window->Show());
    window->Destroy();
    EXPECT_FALSE(window->IsCreated());
    EXPECT_EQ(window->GetSdlWindow(), nullptr);
    EXPECT_EQ(window->GetGraphicsContext(), nullptr);
}

// Start-up makes one window and one GL context: the window is single-sampled whatever the driver,
// since the renderer multisamples in a target of its own once the context exists. SDL numbers its
// windows in creation order, so a hidden helper window made before the real one would show as a gap.
TEST_F(EngineWindowGLTest, CreationMakesOneSingleSampledWindowAndNoHelperWindow)
{
    ASSERT_TRUE(TestSupport::StartVideo()) << SDL_GetError();
    SDL_Window* before = SDL_CreateWindow("", 0, 0, 16, 16, SDL_WINDOW_HIDDEN);
    ASSERT_NE(before, nullptr) << SDL_GetError();
    const Uint32 beforeId = SDL_GetWindowID(before);
    SDL_DestroyWindow(before);

    auto window = MakeWindow(Settings(320, 240));
    ASSERT_TRUE(window->Create());
    EXPECT_EQ(SDL_GetWindowID(window->GetSdlWindow()), beforeId + 1);
    GLint samples = -1;
    glGetIntegerv(GL_SAMPLES, &samples);
    EXPECT_EQ(samples, 0);
    // Whether to multisample is the renderer's decision now; the window says nothing about it.
    for (const std::string& message : m_Log.Messages())
        EXPECT_EQ(message.find("multisampling"), std::string::npos) << message;
    EXPECT_TRUE(Logged("==== OpenGL successfully initialised ===="));
    window->Destroy();
    SDL_Quit();
}

TEST(OpenGLGraphicsContextNames, SoftwareRasterizersAreRecognisedByTheirRendererText)
{
    const std::pair<const char*, bool> cases[] = {
        {"llvmpipe (LLVM 15.0.6, 256 bits)", true},   {"softpipe", true},
        {"SWR (LLVM 12.0.0, 256 bits)", true},        {"Mesa Intel(R) UHD Graphics 620 (KBL GT2)", false},
        {"NVIDIA GeForce RTX 3060/PCIe/SSE2", false}, {"", false}};
    for (const auto& [renderer, software] : cases)
        EXPECT_EQ(Vozad::OpenGLGraphicsContext::IsSoftwareRasterizer(renderer), software) << renderer;
}

TEST_F(EngineWindowGLTest, ZeroWidthOpensAt640x480)
{
    auto window = MakeWindow(Settings(0, 600));
    EXPECT_TRUE(Logged("Passed 0 for width or height: 0 x 600, defaulting to 640 x 480"));
    ASSERT_TRUE(window->Create());
    int width = 0, height = 0;
    SDL_GetWindowSize(window->GetSdlWindow(), &width, &height);
    EXPECT_EQ(width, 640);
    EXPECT_EQ(height, 480);
    EXPECT_EQ(window->GetWindowSize(), (Lib::RectSize{640, 480}));
}

TEST_F(EngineWindowGLTest, MonitorIndexBeyondTheCountOpensOnTheFirstMonitor)
{
    WindowSettings settings = Settings(1000, 500);
    settings.monitorIndex = 5;
    auto window = MakeWindow(settings);
    ASSERT_TRUE(window->Create());
    EXPECT_EQ(window->GetPosition(), (Lib::Point{460, 290}));
    EXPECT_EQ(window->GetDpiScale(), static_cast<double>(m_Data.monitors.monitors[0].dpiX));
    for (const std::string& message : m_Log.Messages())
        EXPECT_EQ(message.find("Unable to retrieve dpi"), std::string::npos) << message;
}

// A window made for Vulkan only probes the device: it has no GL context, and what needs one
// (showing, vertical sync) is refused.
TEST_F(EngineWindowGLTest, VulkanWindowsProbeTheDeviceButCannotBeShown)
{
    m_Data.rendererApi = k_GraphicsApiVulkan;
    auto window = MakeWindow(Settings());
    ASSERT_TRUE(window->Create());
    EXPECT_TRUE(window->IsCreated());
    ASSERT_NE(window->GetSdlWindow(), nullptr);
    EXPECT_NE(SDL_GetWindowFlags(window->GetSdlWindow()) & SDL_WINDOW_VULKAN, 0u);
    ASSERT_NE(window->GetGraphicsContext(), nullptr);
    EXPECT_EQ(window->GetGraphicsContext()->GetApi(), k_GraphicsApiVulkan);
    EXPECT_EQ(window->GetNativeGraphicsContext(), nullptr);
    EXPECT_TRUE(Logged("==== End of Vulkan renderer info ===="));
    EXPECT_FALSE(window->Show());
    EXPECT_TRUE(Logged("Failed to show window"));
    EXPECT_FALSE(window->RetrieveVSync());
    window->Present();
    window->Destroy();
    EXPECT_FALSE(window->IsCreated());
    EXPECT_EQ(window->GetSdlWindow(), nullptr);
}

TEST_F(EngineWindowGLTest, KeysDriveTheKeyStatesAndReachTheRoot)
{
    auto window = CreateQuietWindow(Settings());
    window->HandleEvent(KeyEvent(SDL_KEYDOWN, SDL_SCANCODE_A));
    EXPECT_EQ(m_Data.keyStates[65], 1);
    window->HandleEvent(KeyEvent(SDL_KEYDOWN, SDL_SCANCODE_A, true));
    window->HandleEvent(KeyEvent(SDL_KEYDOWN, SDL_SCANCODE_A, true));
    EXPECT_EQ(m_Data.keyStates[65], 2);
    window->HandleEvent(KeyEvent(SDL_KEYUP, SDL_SCANCODE_A));
    EXPECT_EQ(m_Data.keyStates[65], 0);

    // Left shift held into auto-repeat no longer modifies the letter typed after it.
    window->HandleEvent(KeyEvent(SDL_KEYDOWN, SDL_SCANCODE_LSHIFT));
    window->HandleEvent(KeyEvent(SDL_KEYDOWN, SDL_SCANCODE_LSHIFT, true));
    window->HandleEvent(KeyEvent(SDL_KEYDOWN, SDL_SCANCODE_B));

    EXPECT_EQ(m_Root.keys, (std::vector<KeyRecord>{
                               {13, 65, 1, 0},
                               {14, 65, 2, 0},
                               {14, 65, 2, 0},
                               {15, 65, 0, 0},
                               {13, 304, 1, 1 << 4},
                               {14, 304, 2, 0},
                               {13, 66, 1, 0},
                           }));
}

TEST_F(EngineWindowGLTest, UnknownKeysAreLoggedOnceAndIgnored)
{
    auto window = CreateQuietWindow(Settings());
    // Three keystrokes of one unknown key and one of another: one line for each key.
    for (int stroke = 0; stroke < 3; ++stroke)
    {
        window->HandleEvent(KeyEvent(SDL_KEYDOWN, SDL_SCANCODE_VOLUMEUP));
        window->HandleEvent(KeyEvent(SDL_KEYUP, SDL_SCANCODE_VOLUMEUP));
    }
    window->HandleEvent(KeyEvent(SDL_KEYUP, SDL_SCANCODE_MUTE));
    const std::vector<std::string> messages = m_Log.Messages();
    const auto unknown = [](const std::string& p_Message)
    { return p_Message.rfind("Unknown key pressed", 0) == 0; };
    EXPECT_EQ(std::count_if(messages.begin(), messages.end(), unknown), 2);
    EXPECT_TRUE(Logged("Unknown key pressed, event: 768, key: 128"));
    EXPECT_TRUE(Logged("Unknown key pressed, event: 769, key: 127"));
    EXPECT_TRUE(m_Root.keys.empty());
    for (int32_t state : m_Data.keyStates)
        ASSERT_EQ(state, 0);
}

TEST_F(EngineWindowGLTest, PunctuationKeysArriveAsKeysAndTapsLeaveTheirLatch)
{
    auto window = CreateQuietWindow(Settings());
    // Pressed and let go before anyone looked: the state is up again, the latch still set.
    window->HandleEvent(KeyEvent(SDL_KEYDOWN, SDL_SCANCODE_MINUS));
    window->HandleEvent(KeyEvent(SDL_KEYUP, SDL_SCANCODE_MINUS));
    window->HandleEvent(KeyEvent(SDL_KEYDOWN, SDL_SCANCODE_SEMICOLON));
    EXPECT_EQ(m_Data.keyStates[223], 0);
    EXPECT_TRUE(m_Data.keyPressLatches[223]);
    EXPECT_EQ(m_Data.keyStates[214], 1);
    EXPECT_TRUE(m_Data.keyPressLatches[214]);
    EXPECT_EQ(m_Root.keys, (std::vector<KeyRecord>{{13, 223, 1, 0}, {15, 223, 0, 0}, {13, 214, 1, 0}}));
    for (const std::string& message : m_Log.Messages())
        EXPECT_EQ(message.rfind("Unknown key pressed", 0), std::string::npos) << message;
}

TEST_F(EngineWindowGLTest, TextInputGivesOneEventPerCharacter)
{
    auto window = CreateQuietWindow(Settings());
    SDL_Event event{};
    event.type = SDL_TEXTINPUT;
    std::strcpy(event.text.text, "\xC3\xA4");
    window->HandleEvent(event);
    EXPECT_EQ(m_Root.texts, (std::vector<std::wstring>{L"\u00E4"}));
    EXPECT_EQ(m_Data.lastTypedText.Wide(), L"\u00E4");

    // A composed string arrives as several characters; beyond the basic plane stays one.
    std::strcpy(event.text.text, "a\xF0\x9F\x90\x8D");
    window->HandleEvent(event);
    EXPECT_EQ(m_Root.texts, (std::vector<std::wstring>{L"\u00E4", L"a", L"\U0001F40D"}));
    EXPECT_EQ(m_Data.lastTypedText.Wide(), L"\U0001F40D");
}

TEST_F(EngineWindowGLTest, MouseButtonsAreMappedAndTracked)
{
    auto window = CreateQuietWindow(Settings());
    window->HandleEvent(ButtonEvent(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, 10, 20));
    EXPECT_EQ(m_Data.mouseButtonStates[0], 1);
    window->HandleEvent(ButtonEvent(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_RIGHT, 11, 21));
    window->HandleEvent(ButtonEvent(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_MIDDLE, 12, 22));
    EXPECT_EQ(m_Data.mouseButtonStates[1], 1);
    EXPECT_EQ(m_Data.mouseButtonStates[2], 1);
    window->HandleEvent(ButtonEvent(SDL_MOUSEBUTTONUP, SDL_BUTTON_MIDDLE, 13, 23));
    window->HandleEvent(ButtonEvent(SDL_MOUSEBUTTONUP, SDL_BUTTON_LEFT, 14, 24));
    EXPECT_EQ(m_Data.mouseButtonStates[0], 0);
    EXPECT_EQ(m_Data.mouseButtonStates[1], 1);
    EXPECT_EQ(m_Data.mouseButtonStates[2], 0);
    EXPECT_EQ(m_Root.presses, (std::vector<PointerRecord>{{1, {10, 20}}, {2, {11, 21}}, {3, {12, 22}}}));
    EXPECT_EQ(m_Root.releases, (std::vector<PointerRecord>{{3, {13, 23}}, {1, {14, 24}}}));

    window->HandleEvent(ButtonEvent(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_X1, 1, 1));
    const std::vector<std::string> messages = m_Log.Messages();
    EXPECT_TRUE(std::any_of(messages.begin(), messages.end(),
                            [](const std::string& p_Message)
                            { return p_Message.rfind("Unknown mouse-down button: 4, keystate: ", 0) == 0; }));
    EXPECT_EQ(m_Data.mouseButtonStates[3], 0);
    EXPECT_EQ(m_Root.presses.size(), 3u);
}

TEST_F(EngineWindowGLTest, ButtonPositionsAreRelativeToTheViewport)
{
    m_Data.keepAspectRatio = true;
    m_Data.fixedAspectRatio = 1.0f;
    auto window = CreateQuietWindow(Settings(800, 600));
    EXPECT_EQ(m_Data.viewport.left, 100);
    window->HandleEvent(ButtonEvent(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, 150, 40));
    EXPECT_EQ(m_Root.presses, (std::vector<PointerRecord>{{1, {50, 40}}}));
}

TEST_F(EngineWindowGLTest, WheelNotchesScrollEighteenPixels)
{
    auto window = CreateQuietWindow(Settings());
    SDL_Event event{};
    event.type = SDL_MOUSEWHEEL;
    event.wheel.y = 1;
    event.wheel.mouseX = 30;
    event.wheel.mouseY = 40;
    window->HandleEvent(event);
    event.wheel.direction = SDL_MOUSEWHEEL_FLIPPED;
    window->HandleEvent(event);
    EXPECT_EQ(m_Root.scrolls, (std::vector<PointerRecord>{{18, {30, 40}}, {-18, {30, 40}}}));
}

TEST_F(EngineWindowGLTest, WindowEventsReachTheReceiverAndTheLayout)
{
    auto window = CreateQuietWindow(Settings());
    window->HandleEvent(WindowEvent(*window, SDL_WINDOWEVENT_MOVED, -300, 50));
    EXPECT_EQ(window->GetPosition(), (Lib::Point{-300, 50}));

    window->HandleEvent(WindowEvent(*window, SDL_WINDOWEVENT_SIZE_CHANGED, 1024, 768));
    EXPECT_EQ(window->GetWindowSize(), (Lib::RectSize{1024, 768}));
    EXPECT_EQ(m_Notifier.resizes, 1);
    EXPECT_EQ(m_Data.viewport.right, 1024);
    EXPECT_EQ(m_Data.viewport.bottom, 768);
    EXPECT_EQ(m_Root.rects, (std::vector<LayoutRect>{{0, 1024, 0, 768}}));
    EXPECT_EQ(m_Root.layouts, 1);
    EXPECT_EQ(window->GetWindowMode(), k_WindowModeWindowed);

    window->HandleEvent(WindowEvent(*window, SDL_WINDOWEVENT_MINIMIZED));
    EXPECT_EQ(window->GetWindowMode(), k_WindowModeMinimised);
    window->HandleEvent(WindowEvent(*window, SDL_WINDOWEVENT_MAXIMIZED));
    EXPECT_EQ(window->GetWindowMode(), k_WindowModeMaximised);
    window->HandleEvent(WindowEvent(*window, SDL_WINDOWEVENT_FOCUS_LOST));
    window->HandleEvent(WindowEvent(*window, SDL_WINDOWEVENT_FOCUS_GAINED));

    // Another window's events are not this window's business.
    SDL_Event foreign = WindowEvent(*window, SDL_WINDOWEVENT_MINIMIZED);
    foreign.window.windowID += 1000;
    window->HandleEvent(foreign);

    ASSERT_EQ(m_Receiver.Types(),
              (std::vector<int32_t>{k_EventWindowPosition, k_EventWindowResize, k_EventWindowMinimize,
                                    k_EventWindowMaximize, k_EventWindowFocus, k_EventWindowFocus}));
    EXPECT_EQ(m_Receiver.events[0].position, (Lib::Point{-300, 50}));
    EXPECT_EQ(m_Receiver.events[1].size, (Lib::RectSize{1024, 768}));
    EXPECT_FALSE(m_Receiver.events[4].focused);
    EXPECT_TRUE(m_Receiver.events[5].focused);
    EXPECT_EQ(window->GetWindowMode(), k_WindowModeMaximised);

    // The position is off every monitor now: no DPI to report.
    EXPECT_EQ(window->GetDpiScale(), 0.0);
    EXPECT_TRUE(Logged(
        "Unable to retrieve dpi for the current monitor, monitor count: 1, current position: -300,50"));
}

TEST_F(EngineWindowGLTest, RefusedQuitRequestKeepsTheWindow)
{
    auto window = CreateQuietWindow(Settings());
    m_Receiver.quitAnswer = EventQuitRequest::k_QuitRefused;
    window->HandleEvent(WindowEvent(*window, SDL_WINDOWEVENT_CLOSE));
    EXPECT_EQ(m_Receiver.Types(), (std::vector<int32_t>{k_EventQuitRequest}));
    EXPECT_EQ(m_Notifier.quits, 0);
    EXPECT_TRUE(window->IsCreated());

    m_Receiver.quitAnswer = 0;
    window->HandleEvent(WindowEvent(*window, SDL_WINDOWEVENT_CLOSE));
    EXPECT_EQ(m_Receiver.Types(),
              (std::vector<int32_t>{k_EventQuitRequest, k_EventQuitRequest, k_EventWindowClose}));
    EXPECT_EQ(m_Notifier.quits, 1);
}

TEST_F(EngineWindowGLTest, ProcessQuitClosesWithoutAsking)
{
    auto window = CreateQuietWindow(Settings());
    m_Receiver.quitAnswer = EventQuitRequest::k_QuitRefused;
    SDL_Event quit{};
    quit.type = SDL_QUIT;
    ASSERT_EQ(SDL_PushEvent(&quit), 1);
    window->PumpMessages(1);
    EXPECT_EQ(m_Receiver.Types(), (std::vector<int32_t>{k_EventWindowClose}));
    EXPECT_EQ(m_Notifier.quits, 1);
}

TEST_F(EngineWindowGLTest, EventDrivenPumpHandlesEverythingQueued)
{
    auto window = CreateQuietWindow(Settings());
    RecordingObserver observer;
    window->SetNativeEventObserver(&observer);
    for (SDL_Scancode scancode : {SDL_SCANCODE_A, SDL_SCANCODE_B, SDL_SCANCODE_C})
    {
        SDL_Event event = KeyEvent(SDL_KEYDOWN, scancode);
        ASSERT_EQ(SDL_PushEvent(&event), 1);
    }
    window->PumpMessages(0);
    EXPECT_EQ(observer.types, (std::vector<uint32_t>{SDL_KEYDOWN, SDL_KEYDOWN, SDL_KEYDOWN}));
    EXPECT_EQ(m_Root.keys.size(), 3u);
    EXPECT_EQ(m_Data.keyStates[67], 1);
    window->SetNativeEventObserver(nullptr);
}

TEST_F(EngineWindowGLTest, ContinuousPumpStopsAfterFourLateEvents)
{
    auto window = CreateQuietWindow(Settings());
    RecordingObserver observer;
    window->SetNativeEventObserver(&observer);

    // Added without SDL_PushEvent, which would stamp them with the current time: one event from
    // before the pump began, then events stamped well after it (repaints among them).
    const Uint32 now = SDL_GetTicks();
    auto add = [](SDL_Event p_Event, Uint32 p_Timestamp)
    {
        p_Event.common.timestamp = p_Timestamp;
        return SDL_PeepEvents(&p_Event, 1, SDL_ADDEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT);
    };
    SDL_Event user{};
    user.type = SDL_USEREVENT;
    ASSERT_EQ(add(user, now), 1);
    ASSERT_EQ(add(WindowEvent(*window, SDL_WINDOWEVENT_EXPOSED), now + 1000), 1);
    ASSERT_EQ(add(WindowEvent(*window, SDL_WINDOWEVENT_EXPOSED), now + 1000), 1);
    for (int i = 0; i < 6; ++i)
        ASSERT_EQ(add(user, now + 1000), 1);

    window->PumpMessages(1);
    window->SetNativeEventObserver(nullptr);

    // The on-time event and the repaints do not count; the fourth late event ends the pump.
    EXPECT_EQ(observer.types,
              (std::vector<uint32_t>{SDL_USEREVENT, SDL_WINDOWEVENT, SDL_WINDOWEVENT, SDL_USEREVENT,
                                     SDL_USEREVENT, SDL_USEREVENT, SDL_USEREVENT}));
    EXPECT_EQ(SDL_PeepEvents(nullptr, 0, SDL_PEEKEVENT, SDL_USEREVENT, SDL_USEREVENT), 2);
    SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
}

// F11 arrives with the input, after the last frame was presented. What the back buffer holds then
// is undefined (page flipping drivers hand back an old frame); the screenshot is the next frame,
// read when it is complete, just before it is presented.
TEST_F(EngineWindowGLTest, AScreenshotShowsTheFramePresentedNext)
{
    TestSupport::TempFolder folder;
    const std::filesystem::path oldFolder = std::filesystem::current_path();
    std::filesystem::current_path(folder.Path());
    auto window = CreateQuietWindow(Settings());
    auto clearTo = [](float p_Red, float p_Green, float p_Blue)
    {
        glClearColor(p_Red, p_Green, p_Blue, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT);
    };

    clearTo(1.0f, 0.0f, 0.0f);
    window->Present();
    clearTo(0.0f, 1.0f, 0.0f); // the back buffer's leftover content at the time of the request
    window->SaveScreenshot("", "Snake");
    EXPECT_FALSE(std::filesystem::exists("Screenshots") && !std::filesystem::is_empty("Screenshots"))
        << "read before the frame was drawn";
    clearTo(0.0f, 0.0f, 1.0f); // the frame drawn after the request
    window->Present();

    std::vector<std::filesystem::path> shots;
    if (std::filesystem::is_directory("Screenshots"))
        for (const auto& entry : std::filesystem::directory_iterator("Screenshots"))
            shots.push_back(entry.path());
    std::filesystem::current_path(oldFolder);
    ASSERT_EQ(shots.size(), 1u);
    const TestSupport::RgbImage shot = TestSupport::LoadRgbImage((folder.Path() / shots[0]).string());
    ASSERT_TRUE(shot.Valid());
    EXPECT_TRUE(TestSupport::IsNear(shot.At(shot.width / 2, shot.height / 2), {0, 0, 255}, 1))
        << shot.At(shot.width / 2, shot.height / 2).r << " " << shot.At(shot.width / 2, shot.height / 2).g;
}

TEST_F(EngineWindowGLTest, RuntimeSwitchesGiveBorderlessFullscreenAndBack)
{
    auto window = CreateQuietWindow(Settings(800, 600));
    ASSERT_TRUE(window->Show());
    window->PumpMessages(1);

    window->SetWindowMode(k_WindowModeFullscreenExclusive);
    EXPECT_EQ(window->GetWindowMode(), k_WindowModeFullscreenBorderless);
    EXPECT_NE(SDL_GetWindowFlags(window->GetSdlWindow()) & SDL_WINDOW_FULLSCREEN_DESKTOP, 0u);
    window->PumpMessages(1);
    EXPECT_EQ(window->GetWindowSize(), (Lib::RectSize{1920, 1080}));
    EXPECT_EQ(window->GetWindowMode(), k_WindowModeFullscreenBorderless);

    window->ToggleFullscreen();
    window->PumpMessages(1);
    EXPECT_EQ(window->GetWindowMode(), k_WindowModeWindowed);
    EXPECT_EQ(window->GetWindowSize(), (Lib::RectSize{800, 600}));
    EXPECT_EQ(window->GetPosition(), (Lib::Point{560, 240}));
    EXPECT_EQ(SDL_GetWindowFlags(window->GetSdlWindow()) & SDL_WINDOW_FULLSCREEN, 0u);

    const std::vector<int32_t> types = m_Receiver.Types();
    EXPECT_NE(std::find(types.begin(), types.end(), k_EventWindowFullscreen), types.end());
}

TEST_F(EngineWindowGLTest, ExclusiveModeWithoutALargeEnoughModeFallsBackToBorderless)
{
    WindowSettings settings = Settings(4000, 3000);
    settings.windowMode = k_WindowModeFullscreenExclusive;
    auto window = MakeWindow(settings);
    ASSERT_TRUE(window->Create());
    EXPECT_TRUE(Logged("Unable to use exclusive fullscreen mode."));
    EXPECT_EQ(window->GetWindowMode(), k_WindowModeFullscreenBorderless);
    EXPECT_EQ(window->GetWindowSize(), (Lib::RectSize{1920, 1080}));
    EXPECT_EQ(window->GetPosition(), (Lib::Point{0, 0}));
}

TEST_F(EngineWindowGLTest, ExclusiveModeTakesADisplayModeAtLeastTheClientSize)
{
    WindowSettings settings = Settings(800, 600);
    settings.windowMode = k_WindowModeFullscreenExclusive;
    auto window = MakeWindow(settings);
    ASSERT_TRUE(window->Create());
    EXPECT_FALSE(Logged("Unable to use exclusive fullscreen mode."));
    EXPECT_EQ(window->GetWindowMode(), k_WindowModeFullscreenExclusive);
    const Lib::RectSize size = window->GetWindowSize();
    EXPECT_GE(size.width, 800u);
    EXPECT_GE(size.height, 600u);
    EXPECT_TRUE(HasMode(m_Data.monitors.monitors[0], size.width, size.height));
    EXPECT_EQ(SDL_GetWindowFlags(window->GetSdlWindow()) & SDL_WINDOW_FULLSCREEN_DESKTOP,
              SDL_WINDOW_FULLSCREEN);
}

TEST_F(EngineWindowGLTest, SetIconDecodesPngAndRejectsBrokenData)
{
    auto window = CreateQuietWindow(Settings());
    EXPECT_TRUE(window->SetIcon(k_IconPng, sizeof(k_IconPng), "snake_head"));
    const uint8_t broken[] = {0x89, 0x50, 0x4E, 0x47, 0x00, 0x01, 0x02};
    EXPECT_FALSE(window->SetIcon(broken, sizeof(broken), "broken"));
    EXPECT_TRUE(Logged("Could not load icon data, texture name: 'broken'."));
    EXPECT_FALSE(window->SetIcon(nullptr, 0, "empty"));
}

TEST_F(EngineWindowGLTest, CursorOperationsStoreTheCursorPosition)
{
    auto window = CreateQuietWindow(Settings(800, 600));
    window->SetCursorPosition(100, 200);
    EXPECT_EQ(m_Data.cursorPosition, (Lib::Point{100, 200}));
    window->CenterCursor();
    EXPECT_EQ(m_Data.cursorPosition, (Lib::Point{400, 300}));

    SDL_Event motion{};
    motion.type = SDL_MOUSEMOTION;
    motion.motion.x = 410;
    motion.motion.y = 290;
    window->HandleEvent(motion);
    EXPECT_EQ(m_Data.cursorPosition, (Lib::Point{410, 290}));

    window->SetRawMouseInput(true);
    EXPECT_TRUE(window->IsRawMouseInput());
    // Relative motion moves a virtual cursor; the stored position stays.
    motion.motion.xrel = 5;
    motion.motion.yrel = -7;
    window->HandleEvent(motion);
    EXPECT_EQ(m_Data.cursorPosition, (Lib::Point{410, 290}));
    window->SetRawMouseInput(false);
    EXPECT_FALSE(window->IsRawMouseInput());
}

TEST_F(EngineWindowGLTest, LeavingAndEnteringReportThePointerInClientCoordinates)
{
    auto window = CreateQuietWindow(Settings(800, 600)); // client area at (560, 240)
    m_Data.cursorPosition = Lib::Point{100, 100};
    ASSERT_EQ(SDL_WarpMouseGlobal(10, 20), 0);
    window->HandleEvent(WindowEvent(*window, SDL_WINDOWEVENT_LEAVE));
    EXPECT_EQ(m_Root.crossings, (std::vector<PointerRecord>{{0, {-550, -220}}}));
    EXPECT_EQ(m_Data.cursorPosition, (Lib::Point{-550, -220}));

    ASSERT_EQ(SDL_WarpMouseGlobal(600, 300), 0);
    window->HandleEvent(WindowEvent(*window, SDL_WINDOWEVENT_ENTER));
    EXPECT_EQ(m_Root.crossings, (std::vector<PointerRecord>{{0, {-550, -220}}, {1, {40, 60}}}));
}

TEST_F(EngineWindowGLTest, SetClientSizeResizesAndLaysOut)
{
    auto window = CreateQuietWindow(Settings(800, 600));
    EXPECT_FALSE(window->SetClientSize(800, 600));
    EXPECT_TRUE(window->SetClientSize(1024, 768));
    int width = 0, height = 0;
    SDL_GetWindowSize(window->GetSdlWindow(), &width, &height);
    EXPECT_EQ(width, 1024);
    EXPECT_EQ(height, 768);
    EXPECT_EQ(window->GetWindowSize(), (Lib::RectSize{1024, 768}));
    EXPECT_EQ(m_Root.rects, (std::vector<LayoutRect>{{0, 1024, 0, 768}}));
    EXPECT_EQ(m_Data.viewport.right, 1024);
}

// The test run's screen offers 1920 x 1080 at most, far below what Mesa draws into.
TEST_F(EngineWindowGLTest, SizesThatCannotBeShownOpenAtTheNearestOneThatCanCentredAndOnScreen)
{
    const auto warnings = [this]
    {
        std::vector<std::string> found;
        for (const TestSupport::LogRecord& record : m_Log.Records())
            if (record.level == "Warning")
                found.push_back(record.message);
        return found;
    };
    const struct
    {
        uint32_t width, height;
        Lib::RectSize shown;
        Lib::Point position;
    } cases[] = {
        {100000, 100000, {1920, 1080}, {0, 0}}, // used to fail the start (SDL: window too large)
        {20000, 720, {1920, 720}, {0, 180}},
        {300, 200, {640, 480}, {640, 300}}, // centred at the size it gets, not at 300 x 200
        {1280, 300, {1280, 480}, {320, 300}},
    };
    for (const auto& c : cases)
    {
        m_Log.lines.clear();
        auto window = MakeWindow(Settings(c.width, c.height));
        ASSERT_TRUE(window->Create()) << c.width << " x " << c.height;
        EXPECT_EQ(window->GetWindowSize(), c.shown) << c.width << " x " << c.height;
        EXPECT_EQ(window->GetPosition(), c.position) << c.width << " x " << c.height;
        int x = -1, y = -1, width = 0, height = 0;
        SDL_GetWindowPosition(window->GetSdlWindow(), &x, &y);
        SDL_GetWindowSize(window->GetSdlWindow(), &width, &height);
        EXPECT_EQ((Lib::RectSize{static_cast<uint32_t>(width), static_cast<uint32_t>(height)}), c.shown);
        EXPECT_EQ((Lib::Point{x, y}), c.position);
        const std::string expected = "The window size " + std::to_string(c.width) + " x " +
                                     std::to_string(c.height) + " cannot be shown, using " +
                                     std::to_string(c.shown.width) + " x " + std::to_string(c.shown.height) +
                                     " (from 640 x 480 up to 1920 x 1080 can be shown here).";
        EXPECT_EQ(warnings(), std::vector<std::string>{expected});
        window->Destroy();
    }

    // A size that can be shown opens as it is, without a word.
    m_Log.lines.clear();
    auto window = CreateQuietWindow(Settings(800, 600));
    EXPECT_EQ(window->GetWindowSize(), (Lib::RectSize{800, 600}));
    EXPECT_TRUE(warnings().empty());

    // At run time the same limits hold, and a window that grows stays on the monitor.
    EXPECT_TRUE(window->SetClientSize(100000, 600));
    EXPECT_EQ(window->GetWindowSize(), (Lib::RectSize{1920, 600}));
    EXPECT_EQ(window->GetPosition().x, 0);
    int x = -1, y = -1, width = 0, height = 0;
    SDL_GetWindowPosition(window->GetSdlWindow(), &x, &y);
    SDL_GetWindowSize(window->GetSdlWindow(), &width, &height);
    EXPECT_EQ(x, 0);
    EXPECT_EQ(width, 1920);
    EXPECT_EQ(height, 600);
    EXPECT_EQ(m_Data.viewport.right, 1920);
    EXPECT_EQ(warnings().size(), 1u);
    EXPECT_FALSE(window->SetClientSize(1920, 600)) << "unchanged";
    EXPECT_FALSE(window->SetClientSize(UINT32_MAX, 600)) << "held to the same size";
    EXPECT_TRUE(window->SetClientSize(1280, 300));
    EXPECT_EQ(window->GetWindowSize(), (Lib::RectSize{1280, 480}));
    EXPECT_FALSE(window->SetClientSize(0, 600));
    EXPECT_EQ(window->GetWindowSize(), (Lib::RectSize{1280, 480}));
}

TEST_F(EngineWindowGLTest, VSyncGoesThroughTheGLContext)
{
    auto window = CreateQuietWindow(Settings());
    EXPECT_FALSE(window->RetrieveVSync()); // the context description turns it off
    window->SwapVSync(true);
    EXPECT_EQ(window->RetrieveVSync(), SDL_GL_GetSwapInterval() != 0);
    window->SwapVSync(false);
    EXPECT_FALSE(window->RetrieveVSync());
    EXPECT_EQ(SDL_GL_GetSwapInterval(), 0);
}

struct ViewportCase
{
    uint32_t width, height;
    float ratio;
    bool keep;
    Viewport expected;
};

TEST(EngineWindowViewport, KeptAspectRatioCentresTheViewport)
{
    const ViewportCase cases[] = {
        {800, 600, 0.0f, false, {0, 800, 0, 600}},   {800, 600, 2.0f, false, {0, 800, 0, 600}}, // not kept
        {800, 600, 0.0f, true, {0, 800, 0, 600}},    // no ratio to keep
        {800, 400, 2.0f, true, {0, 800, 0, 400}},    // already that ratio
        {1000, 500, 1.0f, true, {250, 750, 0, 500}}, // bars left and right
        {800, 800, 2.0f, true, {0, 800, 200, 600}},  // bars above and below
    };
    for (const ViewportCase& c : cases)
    {
        const Viewport got = GuiRootLayout::ComputeViewport(c.width, c.height, c.ratio, c.keep);
        EXPECT_EQ(got.left, c.expected.left) << c.width << "x" << c.height << " ratio " << c.ratio;
        EXPECT_EQ(got.right, c.expected.right) << c.width << "x" << c.height << " ratio " << c.ratio;
        EXPECT_EQ(got.top, c.expected.top) << c.width << "x" << c.height << " ratio " << c.ratio;
        EXPECT_EQ(got.bottom, c.expected.bottom) << c.width << "x" << c.height << " ratio " << c.ratio;
    }
}
} // namespace
