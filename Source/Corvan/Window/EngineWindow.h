#pragma once
// The one game window on SDL2, as the engine and the game see it: it owns the native window and
// wires the parts that each do one job with it (SDL's video and the monitors, placement and
// modes, the graphics context, input translation, the pointer, the icon, the GUI root's layout),
// and pumps SDL's events to them.
#include "Corvan/Window/EngineData.h"
#include "Corvan/Window/GuiRootLayout.h"
#include "Corvan/Window/IWindow.h"
#include "Corvan/Window/InputTranslator.h"
#include "Corvan/Window/ScreenshotQueue.h"
#include "Corvan/Window/VideoSubsystem.h"
#include "Corvan/Window/WindowCursor.h"
#include "Corvan/Window/WindowGraphics.h"
#include "Corvan/Window/WindowPlacement.h"
#include "Corvan/Window/WindowSettings.h"
#include "Lib/Log.h"
#include "Lib/Platform/Timer.h"
#include "Lib/ReferenceCounter.h"

#include <cstdint>

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
    bool IsResizable() const override { return m_Placement.Settings().resizable; }
    void SetResizable(bool p_Resizable) override;
    Lib::Point GetPosition() const override { return {m_Placement.Settings().x, m_Placement.Settings().y}; }
    void SetPosition(int32_t p_X, int32_t p_Y) override;
    Lib::RectSize GetWindowSize() const override;
    Lib::RectSize GetWindowedSize() const override;
    WindowRect GetRect() const override;
    int32_t GetWindowMode() const override { return m_Placement.GetWindowMode(); }
    int32_t GetSupportedWindowModes() const override { return m_Placement.Settings().supportedWindowModes; }
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
    bool CreateNativeWindow();
    void ReleaseNative();
    // False, with p_Failure logged, unless an OpenGL window exists.
    bool CanUseWindow(const char* p_Failure) const;

    void OnWindowEvent(const SDL_Event& p_Event);
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
    bool m_Created = false;
    GuiRootLayout m_Layout{m_EngineData};
    VideoSubsystem m_Video{m_Tag};
    WindowCursor m_Cursor{m_Tag, m_EngineData, m_Window, m_Video};
    WindowGraphics m_Graphics{m_Tag, m_EngineData};
    ScreenshotQueue m_Screenshots;
    WindowPlacement m_Placement;
    InputTranslator m_Input{m_Tag, m_EngineData, m_EventManager, m_Window, *this, m_Cursor};
    INativeEventObserver* m_Observer = nullptr; // not owned
    Lib::Timer m_Uptime;
    bool m_TerminationHandled = false;
};
} // namespace Vozad
