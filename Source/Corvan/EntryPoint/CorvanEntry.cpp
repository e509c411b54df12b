#include "Corvan/EntryPoint/CorvanEntry.h"

#include "Corvan/EntryPoint/DefaultScreen.h"
#include "Corvan/EntryPoint/EngineBanner.h"
#include "Corvan/EntryPoint/EngineSettings.h"
#include "Corvan/EntryPoint/EngineVersion.h"
#include "Corvan/EntryPoint/FramePacer.h"
#include "Corvan/EntryPoint/ScriptHandler.h"
#include "Corvan/EventRouting/EventManager.h"
#include "Corvan/Gui/Containers/LayoutBar.h"
#include "Corvan/Gui/GuiContext.h"
#include "Corvan/Gui/Popup/Popup.h"
#include "Corvan/Gui/Widgets/KeyboardFocusOutline.h"
#include "Corvan/Layout/LayoutStack.h"
#include "Corvan/Renderer/ImageResources.h"
#include "Corvan/Renderer/Renderer.h"
#include "Corvan/Renderer/ShaderHandler.h"
#include "Corvan/Renderer/TextureHandler.h"
#include "Corvan/Window/EngineWindow.h"
#include "Corvan/Window/WindowSettings.h"
#include "Lib/Platform/Clock.h"
#include "Lib/Platform/Platform.h"
#include "Lib/Platform/Process.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <ctime>
#include <exception>
#include <iterator>

namespace Telvar
{
namespace
{
// The exception lines name the engine's entry source, as the engine has always reported it.
constexpr const char* k_EntrySourceFile = "Source/Corvan/EntryPoint/CorvanEntry";
// The light blue a frame shows when nothing else draws it (bytes R 0x80, G 0xCF, B 0xEF, A 0xFF).
constexpr uint32_t k_DefaultClearColour = 0xFFEFCF80;
} // namespace

// Sprites are drawn with the engine shader table's textured-sprite row, known once the renderer
// exists.
CorvanEntry::CorvanEntry()
    : EngineEntities([this]() -> const Lib::String& { return SpriteShaderName(); }),
      m_FrameRate(Lib::GetWallClockSeconds())
{
}

CorvanEntry::~CorvanEntry()
{
    ReleaseSubsystems();
    DestroyScriptHandler();
    m_Window.Reset();
    if (Vozad::LayoutBase::GetLifetimeObserver() == this)
        Vozad::LayoutBase::SetLifetimeObserver(nullptr);
    m_EventManager.reset();
    m_EngineData.reset();
}

void CorvanEntry::ReleaseSubsystems()
{
    Entities().Clear();
    Entities().SetSceneInstances(nullptr);
    if (m_GuiContext)
    {
        if (m_EventManager)
            m_EventManager->SetInputCapture(nullptr);
        if (m_Window)
            m_Window->SetNativeEventObserver(nullptr);
        m_GuiContext->Shutdown();
        Vozad::SetGuiContext(nullptr);
        m_GuiContext.reset();
    }
    if (m_EventManager)
        m_EventManager->SetRoot(nullptr);
    if (m_Window)
        m_Window->SetRoot(nullptr);
    m_Popups.Clear();
    m_Popups.SetRoot(nullptr);
    m_RootStack.reset();
    m_RootBar.reset();
    if (m_Renderer)
    {
        m_Renderer->Shutdown();
        m_Renderer.reset();
    }
    m_Audio.Close();
    if (m_Window)
        m_Window->Destroy();
}

const Lib::String& CorvanEntry::SpriteShaderName() const
{
    static const Lib::String none;
    return m_Renderer ? m_Renderer
                            ->GetEngineShaderTable()[Vozad::EngineShaderRow(
                                Vozad::BuiltInShader::BatchedTextureSpriteShader)]
                            .name
                      : none;
}

bool CorvanEntry::Fail(int32_t p_ReturnCode)
{
    m_ReturnCode = p_ReturnCode;
    return false;
}

bool CorvanEntry::Initialise(const EngineSettings& p_EngineSettings,
                             const Vozad::WindowSettings& p_WindowSettings)
{
    EngineSettings settings = p_EngineSettings;
    if (settings.loopMode == -1)
        settings.loopMode = 0;
    if (settings.rendererApi == -1)
        settings.rendererApi = 0;

    LogEngineBanner(m_Tag);

    LogInfo(m_Tag, "==== Initialise Platform subsystem");
    if (!Lib::InitialisePlatform())
    {
        LogInfo(m_Tag, "Failed to initialise Platform subsystem ====");
        return Fail(k_ReturnPlatformFailed);
    }
    LogInfo(m_Tag, "Platform subsystem successfully initialised ====");
    LogInfo(m_Tag, "%s", "");

    LogInfo(m_Tag, "==== Initialise Engine subsystem");
    m_EngineData = std::make_unique<Vozad::EngineData>();
    m_EngineData->gpuSelection = settings.gpu;
    m_EngineData->rendererApi = settings.rendererApi;
    m_EngineData->loopMode = settings.loopMode;
    m_RedrawOnChange = settings.redrawOnChange;
    LogInfo(m_Tag, "Engine subsystem successfully initialised ====");
    LogInfo(m_Tag, "%s", "");

    LogInfo(m_Tag, "==== Initialise Event subsystem");
    m_EventManager = std::make_unique<Vozad::EventManager>(this);
    m_EventManager->SetOpenPopups(&m_Popups);
    // The engine hears of destroyed elements first and passes them on to the event manager.
    Vozad::LayoutBase::SetLifetimeObserver(this);
    LogInfo(m_Tag, "Event subsystem successfully initialised ====");
    LogInfo(m_Tag, "%s", "");

    LogInfo(m_Tag, "==== Initialise Window subsystem");
    m_Window = Lib::Ref<Vozad::EngineWindow>(
        new Vozad::EngineWindow(m_EngineData.get(), m_EventManager.get(), this, p_WindowSettings));
    if (!m_Window->Create())
    {
        LogError(m_Tag, "Failed to initialise Window subsystem ====");
        LogError(m_Tag, "%s", "");
        return Fail(k_ReturnWindowFailed);
    }
    LogInfo(m_Tag, "Window subsystem successfully initialised ====");
    LogInfo(m_Tag, "%s", "");

    LogInfo(m_Tag, "==== Initialise GUI pipeline");
    auto guiContext = std::make_unique<Vozad::GuiContext>(
        m_Window->GetSdlWindow(), m_Window->GetNativeGraphicsContext(), m_EngineData->rendererApi);
    if (!guiContext->Initialise())
    {
        LogError(m_Tag, "Failed to initialise the GUI pipeline ====");
        LogError(m_Tag, "%s", "");
        return Fail(k_ReturnWindowFailed);
    }
    m_GuiContext = std::move(guiContext);
    Vozad::SetGuiContext(m_GuiContext.get());
    m_EventManager->SetInputCapture(m_GuiContext.get());
    m_Window->SetNativeEventObserver(m_GuiContext.get());
    LogInfo(m_Tag, "GUI pipeline successfully initialised ====");
    LogInfo(m_Tag, "%s", "");

    LogInfo(m_Tag, "==== Initialise renderer");
    if (m_Renderer)
        m_Renderer->Shutdown();
    m_Renderer = std::make_unique<Vozad::Renderer>();
    m_Renderer->SetMultisample(settings.multisample);
    if (!m_Renderer->Initialise(m_EngineData->rendererApi, GetWindowSize()))
    {
        LogError(m_Tag, "Failed to initialise renderer ====");
        LogInfo(m_Tag, "%s", "");
        return Fail(k_ReturnRendererFailed);
    }
    Entities().SetSceneInstances(m_Renderer.get());
    m_Renderer->GetTextureHandler().SetDecodeAhead(&m_DecodeAhead);
    LogInfo(m_Tag, "Renderer successfully initialised ====");
    LogInfo(m_Tag, "%s", "");

    // Sound is a nicety: a machine without a device starts all the same. Opening it, or learning
    // there is none, takes about a tenth of a second. A loop that draws only on change opens it at
    // its first idle moment, once the first picture is shown; a loop that always draws has no such
    // moment and would stall a running frame, so it opens the device now.
    if (m_RedrawOnChange)
        RunWhenIdle([this] { m_Audio.Open(); });
    else
        m_Audio.Open();

    LogInfo(m_Tag, "==== Initialise Engine scripting subsystem");
    CreateScriptHandler(this);
    LogInfo(m_Tag, "Engine scripting subsystem successfully initialised ====");

    Lib::Platform* platform = Lib::GetPlatform();
    platform->displayDpi = m_Window->GetDpiScale();

    // The game's random choices come from the C library's generator.
    srand(static_cast<unsigned>(time(nullptr)));
    m_EngineData->defaultFontPath = platform->defaultFontPath;

    // The root starts with the engine's own (empty, vertical) bar; the default screen fills it
    // when the program installs no content of its own.
    if (m_RootBar)
        m_EventManager->ForgetElement(m_RootBar.get());
    m_RootBar = std::make_unique<Vozad::LayoutBar>(1);
    auto root = std::make_unique<Vozad::LayoutStack>();
    root->AddLayer(m_RootBar.get(), false);
    InstallRoot(std::move(root));

    LogInfo(m_Tag, "%s - %s successfully initialised ====", k_CompanyName, k_EngineName);
    m_Initialised = true;
    return true;
}

void CorvanEntry::InstallRoot(std::unique_ptr<Vozad::LayoutStack> p_Root)
{
    if (m_RootStack)
        m_EventManager->ForgetElement(m_RootStack.get());
    m_RootStack = std::move(p_Root);
    // Open popups stay open above the new root.
    m_Popups.SetRoot(m_RootStack.get());
    m_EventManager->SetRoot(m_RootStack.get());
    m_Window->SetRoot(m_RootStack.get());
    m_Window->UpdateLayout();
}

int32_t CorvanEntry::Run()
{
    if (!m_Initialised)
    {
        LogError(m_Tag, "Engine wasn't initialised properly, the return code is: %d", m_ReturnCode);
        return m_ReturnCode;
    }
    if (!m_ContentSet && m_RootBar)
    {
        BuildDefaultScreen(*m_RootBar, this);
        m_Window->UpdateLayout();
    }
    m_Window->Show();
    m_Running = true;
    try
    {
        while (IsRunning())
        {
            RunFrame();
            WaitForReasonToDraw();
        }
        Shutdown();
    }
    catch (const std::exception& p_Exception)
    {
        m_ReturnCode = k_ReturnException;
        const char* message = p_Exception.what();
        LogError(m_Tag, "==== Exception caught ====\nIn file: %s\nOn line: %d\nException message: %s",
                 k_EntrySourceFile, __LINE__, message && *message ? message : "Unknown exception");
    }
    catch (...)
    {
        m_ReturnCode = k_ReturnException;
        LogError(m_Tag,
                 "==== Unknown exception caught ====\nIn file: %s\nOn line: %d\nException message: No "
                 "message available",
                 k_EntrySourceFile, __LINE__);
    }
    return m_ReturnCode;
}

bool CorvanEntry::IsRunning() const
{
    return m_EngineData && m_GuiContext && m_Running;
}

void CorvanEntry::RunFrame()
{
    const int64_t ticksPerMicrosecond = Lib::GetTicksPerMicrosecond();
    const int64_t now = Lib::ReadPerformanceCounter();
    m_PreviousFrameStart = static_cast<uint64_t>(m_DeltaTimer.Start());
    m_FrameMicroseconds = ticksPerMicrosecond > 0
                              ? static_cast<uint64_t>((now - m_DeltaTimer.Start()) / ticksPerMicrosecond)
                              : 0;
    ++m_FrameNumber;
    if (!m_NextFrameUncounted)
        m_FrameRate.CountFrame();
    m_NextFrameUncounted = false;
    // Requests made from here on, during this frame, ask for a later one.
    m_Redraw.BeginFrame(LoopSeconds());
    m_FrameTimer.Restart();
    m_DeltaTimer.Restart();

    m_Window->PumpMessages(m_EngineData ? m_EngineData->loopMode : 0);
    if (!IsRunning())
        return;

    BeginGuiFrame();

    if (m_EngineData->loopMode == 0)
    {
        // Event-driven mode draws only on request; nothing in the engine asks for it yet.
        if (m_EventManager->IsUpdateRequested())
        {
            m_EventManager->SetUpdateRequested(false);
            SendFrameEvents();
        }
    }
    else
    {
        SendFrameEvents();
    }

    if (m_Renderer->IsFrameRendered())
    {
        m_Renderer->SetFrameRendered(false);
    }
    else
    {
        m_Renderer->SetClearColour(k_DefaultClearColour);
        Render();
        // The flag tells the next frame that the game drew it; a frame the loop drew itself must
        // not make the next one skip drawing.
        m_Renderer->SetFrameRendered(false);
    }

    // The GUI lands in the frame's target over the scene; the window shows it once resolved.
    m_Renderer->BindFrameTarget();
    EndGuiFrame();
    m_Renderer->ResolveFrame();
    m_Window->Present();
    // A round drawn from the first frame on (the attract demo) leaves the loop no idle moment.
    if (m_FrameNumber >= 2)
        RunIdleWork();
    LimitFrameRate();
    MeasureFrameRate();
}

void CorvanEntry::SendFrameEvents()
{
    m_EventManager->SendRendererUpdate(m_FrameNumber, m_Fps, m_PreviousFrameStart, m_FrameMicroseconds);
    // The update has seen every press of this frame; later presses belong to the next one.
    std::fill(std::begin(m_EngineData->keyPressLatches), std::end(m_EngineData->keyPressLatches), false);
    m_EventManager->SendRendererPresent();
}

void CorvanEntry::BeginGuiFrame()
{
    m_GuiContext->SetDisplaySize(GetWindowSize());
    m_GuiContext->BeginFrame();
}

void CorvanEntry::EndGuiFrame()
{
    // The layout tree draws over the scene, into the frame's draw list, once per frame.
    if (m_RootStack && m_GuiContext->GetDrawList())
    {
        KeepRootSized();
        m_RootStack->Draw(*m_GuiContext);
        Vozad::DrawKeyboardFocusOutline(*m_RootStack, *m_GuiContext);
    }
    m_GuiContext->EndFrame();
}

void CorvanEntry::KeepRootSized()
{
    const Lib::RectSize size = GetWindowSize();
    const Vozad::LayoutRect& rect = m_RootStack->GetRect();
    if (rect.left != 0 || rect.top != 0 || rect.right != static_cast<int32_t>(size.width) ||
        rect.bottom != static_cast<int32_t>(size.height))
        m_Window->UpdateLayout();
}

void CorvanEntry::LimitFrameRate()
{
    if (!m_FrameLimitEnabled)
        return;
    // With vertical sync on, the swap already paces the frames.
    if (m_EngineData->rendererApi == Vozad::k_GraphicsApiOpenGL && m_Window->RetrieveVSync())
        return;
    const int64_t ticksPerMicrosecond = Lib::GetTicksPerMicrosecond();
    if (ticksPerMicrosecond <= 0)
        return;
    m_ElapsedFrameTime = WaitForFrameEnd(PerformanceCounterClock(m_FrameTimer.Start(), ticksPerMicrosecond),
                                         m_MillisecondsPerFrame);
}

bool CorvanEntry::MeasureFrameRate()
{
    if (!m_FrameRate.Measure(Lib::GetWallClockSeconds()))
        return false;
    const long shown = std::lround(m_Fps);
    m_Fps = m_FrameRate.GetRate();
    return std::lround(m_Fps) != shown;
}

double CorvanEntry::LoopSeconds()
{
    const int64_t ticksPerMicrosecond = Lib::GetTicksPerMicrosecond();
    if (ticksPerMicrosecond <= 0)
        return 0.0;
    return static_cast<double>(Lib::ReadPerformanceCounter() / ticksPerMicrosecond) / 1e6;
}

void CorvanEntry::RunWhenIdle(std::function<void()> p_Work)
{
    if (p_Work)
        m_IdleWork.push_back(std::move(p_Work));
}

void CorvanEntry::RunIdleWork()
{
    // Work may hand in more work; that waits for the next idle moment.
    std::vector<std::function<void()>> work;
    work.swap(m_IdleWork);
    for (const std::function<void()>& item : work)
        item();
}

void CorvanEntry::WaitForReasonToDraw()
{
    // The event-driven mode waits inside its pump.
    if (!m_RedrawOnChange || m_EngineData->loopMode == 0)
        return;
    while (IsRunning())
    {
        const double now = LoopSeconds();
        // The meter reads the wall clock; its next reading is due that much later on this one.
        const double measurement = now + (m_FrameRate.NextMeasurement() - Lib::GetWallClockSeconds());
        const uint32_t wait = m_Redraw.WaitMilliseconds(now, measurement);
        if (wait > 0)
        {
            // Work done now may ask for a frame at once; the wait is then measured again.
            const bool hadWork = !m_IdleWork.empty();
            RunIdleWork();
            if (hadWork)
                continue;
            if (m_Window->WaitForEvents(wait))
                return;
            continue;
        }
        if (m_Redraw.IsDue(now))
            return;
        // Nothing was drawn for a while: the reading falls, and the player sees it fall.
        if (MeasureFrameRate())
        {
            m_NextFrameUncounted = true;
            return;
        }
    }
}

void CorvanEntry::Shutdown()
{
    LogInfo(m_Tag, "================");
    LogInfo(m_Tag, "Starting engine shutdown");
    if (m_Window)
        m_Window->SetRawMouseInput(false);
    else
        LogError(m_Tag, "No valid engine window");
    ReleaseSubsystems();
    Lib::ShutdownPlatform();
    m_ReturnCode = k_ReturnNormal;
    LogInfo(m_Tag, "Engine shutdown successful");
    LogInfo(m_Tag, "================");
}

// IEngine ---------------------------------------------------------------------------------------

GraphicsApiInfo CorvanEntry::GetGraphicsApiInfo() const
{
    if (!m_EngineData)
        LogFatal(m_Tag, "No valid engine object, GetGraphicsApiInfo() call.");
    GraphicsApiInfo info;
    info.api = m_EngineData->rendererApi;
    info.apiName = info.api == 0 ? "OpenGL" : info.api == 1 ? "Vulkan" : "No valid renderer.";
    info.graphicsText = m_EngineData->gpuSelection.apiInfo;
    return info;
}

Lib::RectSize CorvanEntry::GetScreenSize() const
{
    if (!m_EngineData)
        return {};
    return {static_cast<uint32_t>(m_EngineData->desktopWidth),
            static_cast<uint32_t>(m_EngineData->desktopHeight)};
}

Lib::RectSize CorvanEntry::GetWindowSize() const
{
    return m_Window ? m_Window->GetWindowSize() : Lib::RectSize{};
}

float CorvanEntry::GetAspectRatio() const
{
    return m_EngineData ? m_EngineData->fixedAspectRatio : 0.0f;
}

Vozad::Viewport CorvanEntry::GetViewport() const
{
    return m_EngineData ? m_EngineData->viewport : Vozad::Viewport{};
}

Lib::String CorvanEntry::GetFolderPath() const
{
    if (!m_EngineData)
        LogFatal(m_Tag, "No valid engine object, GetFolderPath() call.");
    return m_EngineData->defaultFontPath;
}

bool CorvanEntry::IsKeyPressed(uint32_t p_KeyCode) const
{
    if (!m_EngineData || p_KeyCode >= static_cast<uint32_t>(Vozad::k_KeyCodeCount))
        return false;
    const int32_t state = m_EngineData->keyStates[p_KeyCode];
    return state == Vozad::k_KeyPressed || state == Vozad::k_KeyHeld;
}

bool CorvanEntry::WasKeyPressed(uint32_t p_KeyCode) const
{
    if (!m_EngineData || p_KeyCode >= static_cast<uint32_t>(Vozad::k_KeyCodeCount))
        return false;
    return m_EngineData->keyPressLatches[p_KeyCode];
}

EntityHandle CorvanEntry::GetPoint(Lib::Point p_Cursor, const Vozad::WindowRect& p_Rect,
                                   const Vozad::ICamera& p_Camera)
{
    if (!m_Renderer)
        LogFatal(m_Tag, "No valid engine window, GetPoint() call.");
    const uint64_t id = m_Renderer->PickEntity(p_Cursor, p_Rect, p_Camera);
    return id == Vozad::k_NoEntity ? EntityHandle{} : Entities().GetEntity(id);
}

Vozad::MonitorCollection CorvanEntry::GetMonitorCollection() const
{
    if (!m_EngineData)
        LogFatal(m_Tag, "No valid engine object, GetMonitorCollection() call.");
    return m_EngineData->monitors;
}

Lib::Point CorvanEntry::GetCursorPosition() const
{
    if (!m_EngineData)
        LogFatal(m_Tag, "No valid engine object, GetCursorPosition() call.");
    return m_EngineData->cursorPosition;
}

void CorvanEntry::SetRootContent(Vozad::LayoutBase* p_Element)
{
    auto root = std::make_unique<Vozad::LayoutStack>();
    if (p_Element)
        root->AddLayer(p_Element, false);
    if (m_EventManager && m_Window)
        InstallRoot(std::move(root));
    else
        m_RootStack = std::move(root);
    m_ContentSet = true;
}

void CorvanEntry::SetWindowEventReceiver(Vozad::IWindowEventBase* p_Receiver)
{
    if (m_EventManager)
        m_EventManager->SetWindowEventReceiver(p_Receiver);
}

Lib::Ref<Vozad::IWindow> CorvanEntry::GetWindow() const
{
    return Lib::Ref<Vozad::IWindow>(m_Window.Get());
}

void CorvanEntry::SetFrameLimit(uint32_t p_FramesPerSecond, bool p_Enabled)
{
    m_TargetFrameRate = p_FramesPerSecond < 1 ? 1 : p_FramesPerSecond;
    m_MillisecondsPerFrame = 1000.0f / static_cast<float>(m_TargetFrameRate);
    m_FrameLimitEnabled = p_Enabled;
}

void CorvanEntry::RequestRedraw(double p_DelaySeconds)
{
    m_Redraw.Request(LoopSeconds() + (p_DelaySeconds > 0.0 ? p_DelaySeconds : 0.0));
}

void CorvanEntry::SetFocus(Vozad::LayoutBase* p_Element)
{
    if (m_EventManager)
        m_EventManager->SetFocus(p_Element);
}

void CorvanEntry::ReleaseFocus(Vozad::LayoutBase* p_Element)
{
    if (m_EventManager)
        m_EventManager->ReleaseFocus(p_Element);
}

void CorvanEntry::OpenPopup(Vozad::Popup* p_Popup)
{
    m_Popups.Open(p_Popup);
}

void CorvanEntry::ClosePopup(Vozad::Popup* p_Popup)
{
    m_Popups.Close(p_Popup);
}

void CorvanEntry::OnElementDestroyed(const Vozad::LayoutBase* p_Element)
{
    m_Popups.Forget(p_Element);
    if (m_EventManager)
        m_EventManager->ForgetElement(p_Element);
}

Vozad::TextMetrics CorvanEntry::MeasureText(const Lib::String& p_Text, const Vozad::FontSpec& p_Font)
{
    return m_GuiContext ? m_GuiContext->MeasureText(p_Text, p_Font) : Vozad::TextMetrics{};
}

Vozad::TextureInfo CorvanEntry::LoadTexture(const Lib::String& p_Name)
{
    return m_Renderer ? m_Renderer->GetTextureHandler().LoadTexture(p_Name) : Vozad::TextureInfo{};
}

Vozad::TextureInfo CorvanEntry::LoadUiTexture(const Lib::String& p_Name)
{
    return m_Renderer ? m_Renderer->GetTextureHandler().LoadUiTexture(p_Name) : Vozad::TextureInfo{};
}

void CorvanEntry::DecodeAhead(std::vector<const Vozad::ImageResource*> p_Images)
{
    // OpenGL's row order: under another graphics API the texture handler decodes for itself.
    m_DecodeAhead.Start(std::move(p_Images), true);
}

Vozad::TextureInfo CorvanEntry::LoadTextureFromMemory(const Vozad::ImageResource& p_Image)
{
    return m_Renderer ? m_Renderer->GetTextureHandler().LoadTextureFromMemory(p_Image) : Vozad::TextureInfo{};
}

Vozad::TextureInfo CorvanEntry::LoadUiTextureFromMemory(const Vozad::ImageResource& p_Image)
{
    return m_Renderer ? m_Renderer->GetTextureHandler().LoadUiTextureFromMemory(p_Image)
                      : Vozad::TextureInfo{};
}

Vozad::TextureInfo CorvanEntry::LoadUiTextureFromBlob(const Lib::String& p_Name, Lib::Ref<Lib::Blob>& p_Blob)
{
    // The engine takes the caller's reference over whether or not the load succeeds.
    Lib::Ref<Lib::Blob> blob = std::move(p_Blob);
    p_Blob.Reset();
    return m_Renderer ? m_Renderer->GetTextureHandler().LoadUiTextureFromBlob(p_Name, std::move(blob))
                      : Vozad::TextureInfo{};
}

Vozad::ShaderInfo CorvanEntry::LoadShader(const Lib::String& p_Name)
{
    return m_Renderer ? m_Renderer->GetShaderHandler().LoadShader(p_Name) : Vozad::ShaderInfo{};
}

const Vozad::ShaderInfo* CorvanEntry::GetEngineShaderTable() const
{
    if (!m_Renderer)
        LogFatal(m_Tag, "No valid engine object, GetEngineShaderTable() call.");
    return m_Renderer->GetEngineShaderTable();
}

Lib::Ref<Lib::Blob> CorvanEntry::CaptureRegionPng(uint32_t p_ClearColour, const Vozad::WindowRect& p_Rect)
{
    return m_Renderer ? m_Renderer->CaptureRegionPng(p_ClearColour, p_Rect) : Lib::Ref<Lib::Blob>{};
}

bool CorvanEntry::SetCamera(uint32_t p_ViewId, const Vozad::WindowRect& p_Rect,
                            const Vozad::ICamera& p_Camera)
{
    return m_Renderer && m_Renderer->SetCamera(p_ViewId, p_Rect, p_Camera);
}

void CorvanEntry::Restart(const Lib::String& p_Arguments)
{
    if (const Lib::Platform* platform = Lib::GetPlatform())
    {
        // The new instance splits its command line at spaces itself, so the text goes as it is.
        Lib::DynamicArray<Lib::String> arguments;
        if (!p_Arguments.IsEmpty())
            arguments.Add(p_Arguments);
        Lib::RestartProcess(platform->executablePath, "-restart", arguments);
    }
    m_Running = false;
}

void CorvanEntry::Quit()
{
    m_Running = false;
}

bool CorvanEntry::ToggleFlag()
{
    if (!m_EngineData)
        return false;
    m_EngineData->toggleFlag = !m_EngineData->toggleFlag;
    return m_EngineData->toggleFlag;
}

void CorvanEntry::SetClearColour(uint8_t p_Red, uint8_t p_Green, uint8_t p_Blue)
{
    if (m_Renderer)
        m_Renderer->SetClearColour(0xFF000000u + p_Blue * 65536u + p_Green * 256u + p_Red);
}

void CorvanEntry::SetMultisample(int32_t p_Setting)
{
    if (m_Renderer)
        m_Renderer->SetMultisample(p_Setting);
    RequestRedraw(0.0);
}

void CorvanEntry::Render()
{
    if (m_Renderer)
        m_Renderer->RenderFrame(GetWindowSize());
}

// IEngineNotifier --------------------------------------------------------------------------------

void CorvanEntry::NotifyResize()
{
    RequestRedraw(0.0);
    if (m_Renderer)
        m_Renderer->Resize(GetWindowSize());
}

void CorvanEntry::NotifyRunFrame()
{
    RunFrame();
}

void CorvanEntry::NotifyQuit()
{
    m_Running = false;
}
} // namespace Telvar
