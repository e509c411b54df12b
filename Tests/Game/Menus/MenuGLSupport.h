#pragma once
// The real engine on a 1280 x 720 window for menu tests, and a way to look at what it presented.
#include "Corvan/EntryPoint/CorvanEntry.h"
#include "Corvan/EntryPoint/EngineSettings.h"
#include "Corvan/Events/InputEvents.h"
#include "Corvan/Events/KeyCodes.h"
#include "Corvan/Events/WindowEvents.h"
#include "Corvan/Gui/Popup/ComboBox.h"
#include "Corvan/Layout/IWindowEventBase.h"
#include "Corvan/Window/WindowSettings.h"
#include "Lib/Platform/Platform.h"

#include "Support/LogFileRedirect.h"
#include "Support/TempFolder.h"
#include "Support/WindowEventWatcher.h"
#include "Support/WindowPixels.h"

#include <gtest/gtest.h>

#include <GL/gl.h>
#include <stb_image_write.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace Snake::Testing
{
inline constexpr int32_t k_WindowWidth = 1280;
inline constexpr int32_t k_WindowHeight = 720;

inline Vozad::WindowSettings MenuWindow()
{
    Vozad::WindowSettings settings;
    settings.minimumWidth = 320;
    settings.minimumHeight = 240;
    settings.clientWidth = k_WindowWidth;
    settings.clientHeight = k_WindowHeight;
    settings.title = "VORL";
    settings.supportedWindowModes = 7;
    return settings;
}

inline Telvar::EngineSettings ContinuousLoop()
{
    Telvar::EngineSettings settings;
    settings.loopMode = 2;
    return settings;
}

// Picks a list entry as a player does with the keyboard: Return opens the list, the arrows walk
// to the entry, Return takes it.
inline void ChooseListEntry(Telvar::CorvanEntry& p_Engine, Vozad::ComboBox& p_List, uint32_t p_Index)
{
    p_Engine.SetFocus(&p_List);
    auto key = [&p_List](int32_t p_Code)
    {
        Vozad::EventKeyInput event(Vozad::k_EventKeyPress, p_Code, 1, 0);
        return p_List.OnKeyPress(event);
    };
    ASSERT_TRUE(key(Vozad::KeyCode::Return));
    ASSERT_TRUE(p_List.IsOpen());
    uint32_t at = p_List.GetSelectedIndex();
    for (; at < p_Index; ++at)
        key(Vozad::KeyCode::DownArrow);
    for (; at > p_Index; --at)
        key(Vozad::KeyCode::UpArrow);
    key(Vozad::KeyCode::Return);
    ASSERT_FALSE(p_List.IsOpen());
    ASSERT_EQ(p_List.GetSelectedIndex(), p_Index);
}

// One presented frame read back, top row first, RGBA.
struct Frame
{
    int32_t width = 0;
    int32_t height = 0;
    std::vector<unsigned char> pixels;

    // "RR GG BB" of the pixel at window coordinates (origin top-left).
    std::string At(int32_t p_X, int32_t p_Y) const
    {
        const unsigned char* pixel = &pixels[(static_cast<size_t>(p_Y) * width + p_X) * 4];
        char text[16];
        std::snprintf(text, sizeof(text), "%02X %02X %02X", pixel[0], pixel[1], pixel[2]);
        return text;
    }

    // Writes the frame as "<folder>/<name>.png" when VORL_MENU_SCREENSHOTS names a folder, so a
    // person can look at the menus; the tests never depend on it.
    void SaveIfAsked(const std::string& p_Name) const
    {
        const char* folder = std::getenv("VORL_MENU_SCREENSHOTS");
        if (!folder || !*folder)
            return;
        const std::string path = std::string(folder) + "/" + p_Name + ".png";
        EXPECT_NE(stbi_write_png(path.c_str(), width, height, 4, pixels.data(), width * 4), 0) << path;
    }
};

// Runs the engine's loop and reads back what was presented before each frame of p_GrabAt; after
// the grabs of a frame p_Between runs with its number, and the loop ends at the last grab. Mesa's
// software driver leaves the presented image in the back buffer, so it is read at the start of
// the following frame.
class FrameGrabber : public TestSupport::WindowEventWatcher
{
public:
    FrameGrabber(Telvar::CorvanEntry& p_Engine, std::vector<uint64_t> p_GrabAt,
                 std::function<void(uint64_t)> p_Between = {})
        : m_Engine(p_Engine), m_GrabAt(std::move(p_GrabAt)), m_Between(std::move(p_Between))
    {
    }

    std::vector<Frame> Run()
    {
        m_Engine.SetWindowEventReceiver(this);
        EXPECT_EQ(m_Engine.Run(), 0);
        return std::move(m_Frames);
    }

    void OnRendererUpdate(Vozad::EventRendererUpdate& p_Event) override
    {
        for (uint64_t frame : m_GrabAt)
            if (frame == p_Event.frameNumber)
                m_Frames.push_back(Grab());
        if (m_Between)
            m_Between(p_Event.frameNumber);
        if (m_GrabAt.empty() || p_Event.frameNumber >= m_GrabAt.back())
            m_Engine.Quit();
    }

private:
    static Frame Grab()
    {
        GLint viewport[4] = {};
        glGetIntegerv(GL_VIEWPORT, viewport);
        TestSupport::PixelFrame read = TestSupport::ReadFrame(viewport[2], viewport[3]);
        Frame frame;
        frame.width = read.width;
        frame.height = read.height;
        frame.pixels = std::move(read.rgba);
        return frame;
    }

    Telvar::CorvanEntry& m_Engine;
    std::vector<uint64_t> m_GrabAt;
    std::function<void(uint64_t)> m_Between;
    std::vector<Frame> m_Frames;
};

class MenuGLTest : public testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(m_Engine->Initialise(ContinuousLoop(), MenuWindow())); }
    // The platform object outlives an engine that never ran its shutdown.
    void TearDown() override
    {
        m_Engine.reset();
        Lib::ShutdownPlatform();
    }

    TestSupport::TempFolder m_Folder;
    TestSupport::LogFileRedirect m_LogFile{m_Folder.File("gamelog.txt")};
    std::unique_ptr<Telvar::CorvanEntry> m_Engine = std::make_unique<Telvar::CorvanEntry>();
};
} // namespace Snake::Testing
