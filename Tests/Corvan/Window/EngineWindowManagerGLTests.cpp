// The SDL window on an X display of its own with a window manager: fullscreen there is a request
// that the window manager grants on its own time, so the tests read where the X server really has
// the window and compare the engine's size and layout with it.
#include "Corvan/Window/EngineWindow.h"

#include "Corvan/EventRouting/EventManager.h"
#include "Corvan/Layout/LayoutBase.h"
#include "Support/CapturingForwarder.h"
#include "Support/WindowManagerDisplay.h"

#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <string>
#include <thread>

// After the test framework: the X11 headers it pulls in define macros (None, Bool) that clash
// with names the framework uses.
#include <SDL2/SDL.h>
#include <SDL2/SDL_syswm.h>

namespace
{
using namespace Vozad;
using TestSupport::ReadXGeometry;
using TestSupport::WindowManagerDisplay;
using TestSupport::XGeometry;

// The GUI root: keeps the last rectangle the window laid it out in.
class LaidOutRoot : public LayoutBase
{
public:
    void SetRect(const LayoutRect& p_Rect) override
    {
        LayoutBase::SetRect(p_Rect);
        last = p_Rect;
    }
    LayoutRect last{};
};

const XGeometry k_Monitor{0, 0, WindowManagerDisplay::k_Width, WindowManagerDisplay::k_Height};

class EngineWindowManagerGLTest : public testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(m_Display.Ready()) << "no Xvfb with Openbox could be started"; }

    std::unique_ptr<EngineWindow> OpenWindow(int32_t p_Mode, uint32_t p_Width = 800, uint32_t p_Height = 600)
    {
        WindowSettings settings;
        settings.clientWidth = p_Width;
        settings.clientHeight = p_Height;
        settings.minimumWidth = 640;
        settings.minimumHeight = 480;
        settings.title = "Window manager test";
        settings.resizable = true;
        settings.supportedWindowModes = 7;
        settings.windowMode = p_Mode;
        auto window = std::make_unique<EngineWindow>(&m_Data, &m_Events, nullptr, settings);
        window->SetRoot(&m_Root);
        EXPECT_TRUE(window->Create());
        EXPECT_TRUE(window->Show());
        return window;
    }

    static std::string XWindowId(const EngineWindow& p_Window)
    {
        SDL_SysWMinfo info;
        SDL_VERSION(&info.version);
        if (!SDL_GetWindowWMInfo(p_Window.GetSdlWindow(), &info) || info.subsystem != SDL_SYSWM_X11)
            return "0";
        return std::to_string(info.info.x11.window);
    }

    // Runs the window's message pump until the X server has the window at the geometry (the
    // window manager answers in its own time), or only at its size; the geometry it has in the end.
    static XGeometry PumpUntil(EngineWindow& p_Window, const XGeometry& p_Wanted, bool p_SizeOnly = false)
    {
        const std::string id = XWindowId(p_Window);
        XGeometry geometry;
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
        do
        {
            p_Window.PumpMessages(1);
            geometry = ReadXGeometry(id);
            if (geometry == p_Wanted ||
                (p_SizeOnly && geometry.width == p_Wanted.width && geometry.height == p_Wanted.height))
                break;
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        } while (std::chrono::steady_clock::now() < deadline);
        // Whatever the window manager did last has reached the window by now.
        for (int i = 0; i < 5; ++i)
        {
            std::this_thread::sleep_for(std::chrono::milliseconds(40));
            p_Window.PumpMessages(1);
        }
        return ReadXGeometry(id);
    }

    // The engine's size, its viewport and the GUI root all follow the real window.
    void ExpectEngineAt(const EngineWindow& p_Window, const XGeometry& p_Geometry, const char* p_When)
    {
        const Lib::RectSize size = p_Window.GetWindowSize();
        EXPECT_EQ(static_cast<int>(size.width), p_Geometry.width) << p_When;
        EXPECT_EQ(static_cast<int>(size.height), p_Geometry.height) << p_When;
        EXPECT_EQ(m_Root.last, (LayoutRect{0, p_Geometry.width, 0, p_Geometry.height})) << p_When;
        EXPECT_EQ(m_Data.viewport.right, p_Geometry.width) << p_When;
        EXPECT_EQ(m_Data.viewport.bottom, p_Geometry.height) << p_When;
    }

    WindowManagerDisplay m_Display; // first: the window lives on it and goes before it
    TestSupport::CapturingForwarder m_Log;
    EngineData m_Data;
    EventManager m_Events{nullptr};
    LaidOutRoot m_Root;
};

TEST_F(EngineWindowManagerGLTest, BothFullscreenModesCoverTheMonitorFromTheStart)
{
    for (int32_t mode : {k_WindowModeFullscreenBorderless, k_WindowModeFullscreenExclusive})
    {
        auto window = OpenWindow(mode, 1280, 720);
        EXPECT_EQ(PumpUntil(*window, k_Monitor), k_Monitor) << "mode " << mode;
        EXPECT_TRUE(IsFullscreenMode(window->GetWindowMode())) << "mode " << mode;
        ExpectEngineAt(*window, k_Monitor, "fullscreen from the start");
    }
}

TEST_F(EngineWindowManagerGLTest, SwitchingAtRunTimeCoversTheMonitorAndComesBack)
{
    auto window = OpenWindow(k_WindowModeWindowed);
    // Where the window manager puts the framed window is its business; it is where the window
    // goes back to.
    const XGeometry windowed = PumpUntil(*window, {0, 0, 800, 600}, true);
    ASSERT_EQ(windowed.width, 800);
    ASSERT_EQ(windowed.height, 600);

    for (int round = 0; round < 2; ++round)
    {
        if (round == 0)
            window->SetWindowMode(k_WindowModeFullscreenBorderless);
        else
            window->ToggleFullscreen();
        EXPECT_EQ(PumpUntil(*window, k_Monitor), k_Monitor) << "round " << round;
        EXPECT_EQ(window->GetWindowMode(), k_WindowModeFullscreenBorderless);
        ExpectEngineAt(*window, k_Monitor, "fullscreen");

        // Applying a monitor moves a fullscreen window too; on the one monitor it stays a cover.
        window->SetPosition(windowed.x, windowed.y);
        EXPECT_EQ(PumpUntil(*window, k_Monitor), k_Monitor) << "round " << round;
        ExpectEngineAt(*window, k_Monitor, "fullscreen after a move");

        window->SetWindowMode(k_WindowModeWindowed);
        const XGeometry back = PumpUntil(*window, windowed, true);
        EXPECT_EQ(back.width, windowed.width) << "round " << round;
        EXPECT_EQ(back.height, windowed.height) << "round " << round;
        EXPECT_EQ(window->GetWindowMode(), k_WindowModeWindowed);
        ExpectEngineAt(*window, back, "windowed again");
    }
}

// A new client size chosen while fullscreen: the window stays a cover of the monitor and the
// engine stays at the size the window has; leaving fullscreen brings the new size.
TEST_F(EngineWindowManagerGLTest, ClientSizeSetWhileFullscreenWaitsForTheWindowedMode)
{
    for (int32_t mode : {k_WindowModeFullscreenBorderless, k_WindowModeFullscreenExclusive})
    {
        auto window = OpenWindow(mode, 800, 600);
        ASSERT_EQ(PumpUntil(*window, k_Monitor), k_Monitor) << "mode " << mode;

        EXPECT_TRUE(window->SetClientSize(1024, 768));
        EXPECT_FALSE(window->SetClientSize(1024, 768)) << "the same size again changes nothing";
        EXPECT_EQ(PumpUntil(*window, k_Monitor), k_Monitor) << "mode " << mode;
        ExpectEngineAt(*window, k_Monitor, "resized while fullscreen");

        window->SetWindowMode(k_WindowModeWindowed);
        const XGeometry geometry = PumpUntil(*window, {0, 0, 1024, 768}, true);
        EXPECT_EQ(geometry.width, 1024) << "mode " << mode;
        EXPECT_EQ(geometry.height, 768) << "mode " << mode;
        ExpectEngineAt(*window, geometry, "windowed after the resize");
    }
}
} // namespace
