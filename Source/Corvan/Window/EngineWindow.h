#pragma once
// The one game window on SDL2: creates it on the configured monitor and in the configured mode,
// owns the graphics context that draws into it, and turns SDL's events into engine state (key,
// button and cursor state in the EngineData) and engine events.
#include "Corvan/Window/EngineData.h"
#include "Corvan/Window/GuiRootLayout.h"
#include "Corvan/Window/IWindow.h"
#include "Corvan/Window/InputTranslator.h"
#include "Corvan/Window/ScreenshotQueue.h"
#include "Corvan/Window/VideoSubsystem.h"
#include "Corvan/Window/WindowCursor.h"
#include "Corvan/Window/WindowGraphics.h"
#include "Corvan/Window/WindowSettings.h"
#include "Corvan/Window/WindowSizeLimits.h"
#include "Lib/Log.h"
#include "Lib/Platform/Timer.h"
#include "Lib/ReferenceCounter.h"

#include <cstdint>
#include <memory>
#include <unordered_set>
#include <vector>

struct SDL_Window;
union SDL_Event;

namespace Vozad
{
class EventManager;
class IEngineNotifier;
class IGraphicsContext;
class INativeEventObserver;
class LayoutBase;
class VulkanGPUInfo;

class EngineWindow : public IWindow, public Lib::ReferenceCounter
{
public:
    // p_EngineData and p_EventManager must outlive the window; p_Notifier may be null.
    EngineWindow(EngineData* p_EngineData, EventManager* p_EventManager, IEngineNotifier* p_Notifier,
                 const WindowSettings& p_Settings);
    ~EngineWindow() override;

    int32_t Retain() override { return ReferenceCounter::Retain(); }
    int32_t Release() override { return ReferenceCounter::Release(); }

    // Creates the native window and its graphics context; true at once when already created.
    bool Create();
    // Releases the graphics context, the native window and SDL's video; a second call finds
    // nothing left to release and does nothing.
    void Destroy();

    // IWindow
    bool Show() override;
    bool Hide() override;
    void ToggleFullscreen() override;
    bool Focus() override;
    bool IsCreated() const override { return m_Created; }
    bool IsResizable() const override { return m_Settings.resizable; }
    void SetResizable(bool p_Resizable) override;
    Lib::Point GetPosition() const override { return {m_Settings.x, m_Settings.y}; }
    void SetPosition(int32_t p_X, int32_t p_Y) override;
    Lib::RectSize GetWindowSize() const override;
    Lib::RectSize GetWindowedSize() const override;
    WindowRect GetRect() const override;
    int32_t GetWindowMode() const override { return m_WindowMode; }
    int32_t GetSupportedWindowModes() const override { return m_Settings.supportedWindowModes; }
    void SetWindowMode(int32_t p_Mode) override;
    bool SetIcon(const uint8_t* p_Bytes, uint32_t p_Size, const char* p_Name) override;
    void SaveScreenshot(const Lib::String& p_FolderPrefix, const Lib::String& p_NamePrefix) override;
    void CenterCursor() override;
    void ClipCursorToRect(const WindowRect& p_Rect) override;
    void ReleaseCursorClip() override;
    void SetRawMouseInput(bool p_Enabled) override;
    void SetCursorPosition(int32_t p_X, int32_t p_Y) override;
    void SetCursorVisible(bool p_Visible) override;
    void Idle() override {}
    bool SetClientSize(uint32_t p_Width, uint32_t p_Height) override;
    Lib::ElapsedTime GetUptime() const override { return m_Uptime.Elapsed(); }
    double GetDpiScale() const override;
    bool RetrieveVSync() const override;
    void SwapVSync(bool p_Enabled) override;
    void UpdateLayout() override;

    // Drains SDL's queue for one frame. Loop mode 0 waits for an event and then handles all that
    // are queued; the continuous modes handle what is queued, but stop after the fourth event
    // that arrived at least 2 ms after the pump began, so input cannot starve a frame.
    void PumpMessages(int32_t p_LoopMode);
    // Waits up to p_Milliseconds for an event without taking it from the queue; true when one is
    // queued or a termination signal arrived (the next pump handles either).
    bool WaitForEvents(uint32_t p_Milliseconds);
    // Translates one SDL event; the native event observer sees it first.
    void HandleEvent(const SDL_Event& p_Event);
    // Shows the frame drawn since the last call.
    void Present();

    void SetRoot(LayoutBase* p_Root) { m_Layout.SetRoot(p_Root); }
    void SetNativeEventObserver(INativeEventObserver* p_Observer) { m_Observer = p_Observer; }
    bool IsRawMouseInput() const { return m_Cursor.IsRawMouseInput(); }
    SDL_Window* GetSdlWindow() const { return m_Window; }
    IGraphicsContext* GetGraphicsContext() const { return m_Graphics.GetGraphicsContext(); }
    // The Vulkan device probe; it holds a device only while a window made for Vulkan exists.
    const VulkanGPUInfo* GetVulkanGpuInfo() const { return m_Graphics.GetVulkanGpuInfo(); }
    // The SDL_GLContext for the GUI back end; null without an OpenGL context.
    void* GetNativeGraphicsContext() const;
    const Lib::LogTag& GetTag() const { return m_Tag; }

private:
    struct Placement
    {
        int32_t x = 0, y = 0;
        uint32_t width = 0, height = 0;
    };

    bool CreateNativeWindow();
    // What the monitor the window is on and the graphics driver can show.
    SizeLimits CurrentSizeLimits() const;
    // The monitor that holds the window's position, else the configured one; null without any.
    const MonitorInfo* CurrentMonitor() const;
    void ReleaseNative();
    void SwitchFullscreen(bool p_Enter);
    // False, with p_Failure logged, unless an OpenGL window exists.
    bool CanUseWindow(const char* p_Failure) const;

    void OnWindowEvent(const SDL_Event& p_Event);
    void OnSizeChanged(uint32_t p_Width, uint32_t p_Height);
    void OnMaximised(uint32_t p_Width, uint32_t p_Height);
    void OnCloseRequest();
    void OnProcessQuit();
    // A termination signal caught by the program (Lib::CatchTerminationSignals) ends the window
    // like SDL's quit event; true when it did so now.
    bool CheckTerminationSignal();

    Lib::LogTag m_Tag{"EngineWindow"};
    EngineData* m_EngineData;       // not owned
    EventManager* m_EventManager;   // not owned
    IEngineNotifier* m_Notifier;    // not owned
    SDL_Window* m_Window = nullptr; // the parts below see it through a reference
    GuiRootLayout m_Layout{m_EngineData};
    VideoSubsystem m_Video{m_Tag};
    WindowCursor m_Cursor{m_Tag, m_EngineData, m_Window, m_Video};
    WindowGraphics m_Graphics{m_Tag, m_EngineData};
    ScreenshotQueue m_Screenshots;
    InputTranslator m_Input{m_Tag, m_EngineData, m_EventManager, m_Window, *this, m_Cursor};
    bool m_Created = false;
    WindowSettings m_Settings; // x, y and the client size follow the window
    int32_t m_WindowMode = k_WindowModeWindowed;
    bool m_FullscreenSwitchPending = false;     // size changes report fullscreen until it is left
    bool m_DisplayModeChanged = false;          // an exclusive display mode is active
    bool m_Maximised = false;                   // between SDL's maximised and restored events
    INativeEventObserver* m_Observer = nullptr; // not owned
    Lib::Timer m_Uptime;
    Placement m_SavedPlacement; // windowed geometry to return to from fullscreen
    bool m_TerminationHandled = false;
};
} // namespace Vozad
