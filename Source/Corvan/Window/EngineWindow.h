#pragma once
// The one game window on SDL2: creates it on the configured monitor and in the configured mode,
// owns the graphics context that draws into it, and turns SDL's events into engine state (key,
// button and cursor state in the EngineData) and engine events.
#include "Corvan/Window/EngineData.h"
#include "Corvan/Window/Gamepad.h"
#include "Corvan/Window/IWindow.h"
#include "Corvan/Window/KeyboardState.h"
#include "Corvan/Window/WheelLimiter.h"
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

    void SetRoot(LayoutBase* p_Root) { m_Root = p_Root; }
    void SetNativeEventObserver(INativeEventObserver* p_Observer) { m_Observer = p_Observer; }
    bool IsRawMouseInput() const { return m_RawMouseInput; }
    SDL_Window* GetSdlWindow() const { return m_Window; }
    IGraphicsContext* GetGraphicsContext() const { return m_GraphicsContext.get(); }
    // The Vulkan device probe; it holds a device only while a window made for Vulkan exists.
    const VulkanGPUInfo* GetVulkanGpuInfo() const { return m_GpuInfo.get(); }
    // The SDL_GLContext for the GUI back end; null without an OpenGL context.
    void* GetNativeGraphicsContext() const;
    const Lib::LogTag& GetTag() const { return m_Tag; }

    // The viewport for a client size: the whole area, or with a kept fixed aspect ratio the
    // largest centred area of that ratio.
    static Viewport ComputeViewport(uint32_t p_Width, uint32_t p_Height, float p_FixedAspectRatio,
                                    bool p_KeepAspectRatio);

private:
    struct Placement
    {
        int32_t x = 0, y = 0;
        uint32_t width = 0, height = 0;
    };

    void CreateGraphicsContext();
    // Starts SDL's video on a real display; false, with the reason logged, when there is none.
    bool InitialiseVideo();
    bool CreateNativeWindow();
    // Runs the Vulkan device probe on the window; false at the first step that fails.
    bool ProbeVulkanDevice();
    // Once the graphics context exists: limits the configured size by what the monitor shows and
    // the driver draws into, shrinks the (still hidden) window to it and says so once.
    void ApplySizeLimits();
    // Sizes and moves the native window to the placement, and the settings follow.
    void Place(const Placement& p_Placement);
    // What the monitor the window is on and the graphics driver can show.
    SizeLimits CurrentSizeLimits() const;
    // The monitor that holds the window's position, else the configured one; null without any.
    const MonitorInfo* CurrentMonitor() const;
    void ReleaseNative();
    void SwitchFullscreen(bool p_Enter);
    void LayoutFor(uint32_t p_Width, uint32_t p_Height);
    void ReportSdlError(const char* p_Text) const;
    // Logs the invalid-API line for APIs other than OpenGL and Vulkan.
    void ReportInvalidApi(const char* p_Operation) const;
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
    // Saves the screenshots asked for since the last frame, from the frame about to be shown.
    void SavePendingScreenshots();
    void OnKey(const SDL_Event& p_Event);
    // A key pressed or let go by the keyboard or the gamepad.
    void DeliverKey(int32_t p_KeyCode, bool p_Down);
    void OnTextInput(const SDL_Event& p_Event);
    void OnMouseMotion(const SDL_Event& p_Event);
    void OnCursorEnter();
    void OnCursorLeave();
    void OnMouseButton(const SDL_Event& p_Event);
    void OnMouseWheel(const SDL_Event& p_Event);
    // The pointer in client coordinates, read from the pointer itself: it may be outside.
    Lib::Point CursorInClient() const;
    int32_t Modifiers() const;

    Lib::LogTag m_Tag{"EngineWindow"};
    EngineData* m_EngineData;     // not owned
    EventManager* m_EventManager; // not owned
    IEngineNotifier* m_Notifier;  // not owned
    bool m_Created = false;
    Lib::RectSize m_LargestDrawable; // what the GL driver draws into; 0 x 0 when unknown
    Lib::RectSize m_ConfiguredSize;  // the client size asked for, before any limit
    WindowSettings m_Settings;       // x, y and the client size follow the window
    int32_t m_WindowMode = k_WindowModeWindowed;
    bool m_FullscreenSwitchPending = false; // size changes report fullscreen until it is left
    bool m_DisplayModeChanged = false;      // an exclusive display mode is active
    bool m_Maximised = false;               // between SDL's maximised and restored events
    WheelLimiter m_WheelLimiter;
    std::unique_ptr<IGraphicsContext> m_GraphicsContext;
    std::unique_ptr<VulkanGPUInfo> m_GpuInfo; // the device probe of the Vulkan renderer
    bool m_RawMouseInput = false;
    bool m_ClickedIn = false;        // a click since the window last lost focus
    int32_t m_CursorShowCounter = 0; // 0 shown, -1 hidden
    int32_t m_HeldButton = 0;        // 0 none, 1 left, 2 right, 3 middle
    KeyboardState m_Keyboard;
    Gamepad m_Gamepad{[this](int32_t p_KeyCode, bool p_Down) { DeliverKey(p_KeyCode, p_Down); }};
    std::unordered_set<int32_t> m_ReportedUnknownKeys; // scancodes the key table lacks, logged once
    LayoutBase* m_Root = nullptr;                      // not owned
    INativeEventObserver* m_Observer = nullptr;        // not owned
    Lib::Timer m_Uptime;
    SDL_Window* m_Window = nullptr;
    bool m_VideoInitialised = false; // this window holds a reference on SDL's video
    Placement m_SavedPlacement;      // windowed geometry to return to from fullscreen
    bool m_TerminationHandled = false;
    struct ScreenshotRequest
    {
        Lib::String folderPrefix, namePrefix;
    };
    std::vector<ScreenshotRequest> m_ScreenshotRequests; // saved by the next Present
};
} // namespace Vozad
