#pragma once
// The engine object: owns every engine subsystem, initialises them in a fixed order, runs the
// frame loop and shuts them down again.
#include "Corvan/Audio/AudioDevice.h"
#include "Corvan/EntryPoint/EngineEntities.h"
#include "Corvan/EntryPoint/FrameRateMeter.h"
#include "Corvan/EntryPoint/IEngine.h"
#include "Corvan/EntryPoint/RedrawSchedule.h"
#include "Corvan/EventRouting/EventManager.h"
#include "Corvan/Gui/Popup/PopupLayer.h"
#include "Corvan/Layout/IUiFocus.h"
#include "Corvan/Renderer/ImageDecodeAhead.h"
#include "Corvan/Window/IEngineNotifier.h"
#include "Lib/DynamicArray.h"
#include "Lib/Log.h"
#include "Lib/Platform/Mutex.h"
#include "Lib/Platform/Timer.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

namespace Vozad
{
class EngineWindow;
class EventManager;
class GuiContext;
class LayoutBar;
class LayoutStack;
class Popup;
class Renderer;
struct WindowSettings;
} // namespace Vozad

namespace Telvar
{
struct EngineSettings;

// The engine's return codes.
enum EngineReturnCode : int32_t
{
    k_ReturnNormal = 0,
    k_ReturnEngineDataFailed = 6001,
    k_ReturnPlatformFailed = 6002,
    k_ReturnWindowFailed = 6003,
    k_ReturnRendererFailed = 6004,
    k_ReturnEventManagerFailed = 6005,
    k_ReturnException = 6010,
};

class CorvanEntry : public EngineEntities,
                    public Vozad::IEngineNotifier,
                    public Vozad::IUiFocus,
                    public Vozad::ILayoutLifetimeObserver
{
public:
    CorvanEntry();
    CorvanEntry(const CorvanEntry&) = delete;
    CorvanEntry& operator=(const CorvanEntry&) = delete;
    ~CorvanEntry() override;

    // Decodes compiled-in images on a worker thread from now on, for LoadTextureFromMemory to take
    // once the renderer exists: called before Initialise with the images of the first picture,
    // their decoding overlaps the making of the window and its context.
    void DecodeAhead(std::vector<const Vozad::ImageResource*> p_Images);
    bool Initialise(const EngineSettings& p_EngineSettings, const Vozad::WindowSettings& p_WindowSettings);
    int32_t Run();
    void RunFrame();
    bool IsRunning() const;
    void Shutdown();
    bool IsInitialised() const { return m_Initialised; }
    int32_t ReturnCode() const { return m_ReturnCode; }
    float GetFramesPerSecond() const { return m_Fps; }
    uint64_t GetFrameNumber() const { return m_FrameNumber; }

    // IEngine
    GraphicsApiInfo GetGraphicsApiInfo() const override;
    Lib::RectSize GetScreenSize() const override;
    Lib::RectSize GetWindowSize() const override;
    float GetAspectRatio() const override;
    Vozad::Viewport GetViewport() const override;
    Lib::String GetFolderPath() const override;
    bool IsKeyPressed(uint32_t p_KeyCode) const override;
    bool WasKeyPressed(uint32_t p_KeyCode) const override;
    EntityHandle GetPoint(Lib::Point p_Cursor, const Vozad::WindowRect& p_Rect,
                          const Vozad::ICamera& p_Camera) override;
    Vozad::MonitorCollection GetMonitorCollection() const override;
    Lib::Point GetCursorPosition() const override;
    void SetRootContent(Vozad::LayoutBase* p_Element) override;
    void SetWindowEventReceiver(Vozad::IWindowEventBase* p_Receiver) override;
    Lib::Ref<Vozad::IWindow> GetWindow() const override;
    void SetFrameLimit(uint32_t p_FramesPerSecond, bool p_Enabled) override;
    void SetMultisample(int32_t p_Setting) override;
    void RequestRedraw(double p_DelaySeconds) override;
    void SetFocus(Vozad::LayoutBase* p_Element) override;
    void ReleaseFocus(Vozad::LayoutBase* p_Element) override;
    // Opens the popup as the root's new top layer; nothing without a root, for null or for a
    // popup that is open already.
    void OpenPopup(Vozad::Popup* p_Popup) override;
    // Removes the popup's layer; nothing for a popup that is not open.
    void ClosePopup(Vozad::Popup* p_Popup) override;
    // The GUI context's measurement; the empty metrics without one.
    Vozad::TextMetrics MeasureText(const Lib::String& p_Text, const Vozad::FontSpec& p_Font) override;
    void* GetUserData() const override { return m_UserData; }
    void SetUserData(void* p_UserData) override { m_UserData = p_UserData; }
    void ClearUserData() override { m_UserData = nullptr; }
    Vozad::TextureInfo LoadTexture(const Lib::String& p_Name) override;
    Vozad::TextureInfo LoadUiTexture(const Lib::String& p_Name) override;
    Vozad::TextureInfo LoadTextureFromMemory(const Vozad::ImageResource& p_Image) override;
    Vozad::TextureInfo LoadUiTextureFromMemory(const Vozad::ImageResource& p_Image) override;
    Vozad::TextureInfo LoadUiTextureFromBlob(const Lib::String& p_Name, Lib::Ref<Lib::Blob>& p_Blob) override;
    Vozad::ShaderInfo LoadShader(const Lib::String& p_Name) override;
    const Vozad::ShaderInfo* GetEngineShaderTable() const override;
    Lib::Ref<Lib::Blob> CaptureRegionPng(uint32_t p_ClearColour, const Vozad::WindowRect& p_Rect) override;
    void Restart(const Lib::String& p_Arguments) override;
    void Quit() override;
    bool ToggleFlag() override;
    void SetClearColour(uint8_t p_Red, uint8_t p_Green, uint8_t p_Blue) override;
    bool SetCamera(uint32_t p_ViewId, const Vozad::WindowRect& p_Rect,
                   const Vozad::ICamera& p_Camera) override;
    void Render() override;
    Vozad::IAudioPlayer& GetAudio() override { return m_Audio; }
    void RunWhenIdle(std::function<void()> p_Work) override;

    // IEngineNotifier
    void NotifyResize() override;
    void NotifyRunFrame() override;
    void NotifyQuit() override;

    // The popups that are open, oldest first.
    Vozad::PopupLayer& GetPopupLayer() { return m_Popups; }

    // ILayoutLifetimeObserver: a popup destroyed while open leaves the popup layer and the root;
    // the event manager forgets the element as well.
    void OnElementDestroyed(const Vozad::LayoutBase* p_Element) override;

    // The root of the GUI tree; its first layer is the game's top element (or the default
    // screen), the later layers are the open popups.
    Vozad::LayoutStack* GetRootStack() const { return m_RootStack.get(); }
    Vozad::LayoutBar* GetRootBar() const { return m_RootBar.get(); }
    Vozad::GuiContext* GetGuiContext() const { return m_GuiContext.get(); }

private:
    bool Fail(int32_t p_ReturnCode);
    const Lib::String& SpriteShaderName() const;
    bool RunLoop();
    // The update and present events; the key press latches are cleared between the two.
    void SendFrameEvents();
    void BeginGuiFrame();
    void EndGuiFrame();
    void PresentFrame();
    void LimitFrameRate();
    // True when the reading changed in what the player sees (whole frames per second).
    bool MeasureFrameRate();
    // Between frames of the continuous loop: returns once input or a window event is queued, a
    // requested frame is due, or the frame-rate reading changed; until then the thread sleeps.
    void WaitForReasonToDraw();
    // Runs the work held back for an idle moment (the sound device's opening among it).
    void RunIdleWork();
    // Seconds on a steady clock, for the redraw schedule.
    static double LoopSeconds();
    void InstallRoot(std::unique_ptr<Vozad::LayoutStack> p_Root);
    // Lays the root out again when its rectangle no longer matches the render size.
    void KeepRootSized();
    // Releases the subsystems in reverse order of their creation; the destructor and Shutdown
    // both end here, and a second call finds nothing left to release.
    void ReleaseSubsystems();

    Lib::LogTag m_Tag{"CorvanEntry"};
    std::unique_ptr<Vozad::EngineData> m_EngineData;
    std::unique_ptr<Vozad::EventManager> m_EventManager;
    Lib::Ref<Vozad::EngineWindow> m_Window;
    Vozad::ImageDecodeAhead m_DecodeAhead; // before the renderer, whose texture handler reads it
    std::unique_ptr<Vozad::Renderer> m_Renderer;
    Vozad::AudioDevice m_Audio;                    // plays nothing when no device opens
    std::vector<std::function<void()>> m_IdleWork; // runs after a frame is shown
    std::unique_ptr<Vozad::LayoutBar> m_RootBar;   // the default screen's; a layer of the first root
    std::unique_ptr<Vozad::LayoutStack> m_RootStack;
    Vozad::PopupLayer m_Popups; // layers of m_RootStack above its first
    // Also published as the process-wide GUI context while it exists.
    std::unique_ptr<Vozad::GuiContext> m_GuiContext;
    void* m_UserData = nullptr; // not owned
    bool m_Running = false;
    Lib::Timer m_FrameTimer; // the frame limiter measures from its start
    Lib::Timer m_DeltaTimer; // the next frame's delta measures from its start
    uint64_t m_FrameNumber = 0;
    uint64_t m_PreviousFrameStart = 0;
    uint64_t m_FrameMicroseconds = 0;
    float m_Fps = 0.0f;
    bool m_FrameLimitEnabled = false;
    uint32_t m_TargetFrameRate = 120;
    float m_MillisecondsPerFrame = 1000.0f / 120.0f;
    FrameRateMeter m_FrameRate;
    RedrawSchedule m_Redraw;
    // The next frame only shows a new frame-rate reading; counted, it would itself change the
    // reading of an idle loop, which would then flip between 0 and 1 every second.
    bool m_NextFrameUncounted = false;
    bool m_RedrawOnChange = false;
    float m_ElapsedFrameTime = 0.0f;
    bool m_Initialised = false;
    bool m_ContentSet = false;
    int32_t m_ReturnCode = k_ReturnNormal;
    Lib::Mutex m_Mutex; // never created: nothing here is shared between threads
};
} // namespace Telvar
