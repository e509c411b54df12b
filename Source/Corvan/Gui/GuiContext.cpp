#include "Corvan/Gui/GuiContext.h"

#include "Corvan/Renderer/IGraphicsContext.h"

#include <SDL2/SDL.h>
#include <backends/imgui_impl_opengl3.h>
#include <backends/imgui_impl_sdl.h>
#include <imgui.h>

#include <initializer_list>

namespace Vozad
{
namespace
{
GuiContext* g_GuiContext = nullptr;

// The engine's contexts are GL 4.1 core or newer.
constexpr const char* k_GlslVersion = "#version 410 core";

// Makes a UI context current for one scope and puts the previous one back after it.
class ScopedUiContext
{
public:
    explicit ScopedUiContext(ImGuiContext* p_Context) : m_Previous(ImGui::GetCurrentContext())
    {
        ImGui::SetCurrentContext(p_Context);
    }
    ~ScopedUiContext() { ImGui::SetCurrentContext(m_Previous); }
    ScopedUiContext(const ScopedUiContext&) = delete;
    ScopedUiContext& operator=(const ScopedUiContext&) = delete;

private:
    ImGuiContext* m_Previous;
};

// A new UI context, made current: no settings file, a placeholder display size until the first
// frame gives the real one.
ImGuiContext* CreateUiContext()
{
    ImGuiContext* context = ImGui::CreateContext();
    // CreateContext leaves the previous context current.
    ImGui::SetCurrentContext(context);
    ImGuiIO& io = ImGui::GetIO();
    io.IniFilename = nullptr;
    io.DisplaySize = ImVec2(1.0f, 1.0f);
    return context;
}

// Shuts down whatever back ends the current context has and destroys it.
void DestroyUiContext(ImGuiContext* p_Context)
{
    ImGui::SetCurrentContext(p_Context);
    ImGuiIO& io = ImGui::GetIO();
    if (io.BackendRendererUserData)
        ImGui_ImplOpenGL3_Shutdown();
    if (io.BackendPlatformUserData)
        ImGui_ImplSDL2_Shutdown();
    ImGui::DestroyContext(p_Context);
}
} // namespace

GuiContext* GetGuiContext()
{
    return g_GuiContext;
}

void SetGuiContext(GuiContext* p_Context)
{
    g_GuiContext = p_Context;
}

GuiContext::GuiContext(SDL_Window* p_Window, void* p_GLContext, int32_t p_GraphicsApi)
    : m_Window(p_Window), m_GLContext(p_GLContext), m_GraphicsApi(p_GraphicsApi)
{
}

GuiContext::~GuiContext()
{
    Shutdown();
}

bool GuiContext::Initialise()
{
    if (m_GraphicsApi != k_GraphicsApiOpenGL || m_MainContext)
        return true;
    if (!m_Window)
    {
        LogError(m_Tag, "No window to attach the GUI to.");
        return false;
    }
    IMGUI_CHECKVERSION();
    if (!CreateMainContext() || !CreateMeasuringContext())
        return false;
    ImGui::SetCurrentContext(m_MainContext);
    return true;
}

bool GuiContext::CreateMainContext()
{
    m_MainContext = CreateUiContext();
    ImGuiIO& io = ImGui::GetIO();
    io.ConfigFlags |= ImGuiConfigFlags_NavEnableKeyboard;
    // Navigation becomes active on the library's implicit window from the second frame on and
    // would then claim the keyboard for good; the layout tree, which owns all keyboard input, would
    // never see a key again.
    io.ConfigFlags |= ImGuiConfigFlags_NavNoCaptureKeyboard;
    // The window decides the cursor's shape and visibility (it hides it in raw mouse mode); the
    // SDL back end would show it again every frame.
    io.ConfigFlags |= ImGuiConfigFlags_NoMouseCursorChange;
    if (!ImGui_ImplSDL2_InitForOpenGL(m_Window, m_GLContext))
    {
        LogError(m_Tag, "ImGui_ImplSDL2_InitForOpenGL() failed.");
        return false;
    }
    if (!ImGui_ImplOpenGL3_Init(k_GlslVersion))
    {
        LogError(m_Tag, "ImGui_ImplOpenGL3_Init() failed for the main context.");
        return false;
    }
    if (!ImGui_ImplOpenGL3_CreateDeviceObjects())
    {
        LogError(m_Tag, "ImGui_ImplOpenGL3_CreateDeviceObjects() failed for the main context.");
        return false;
    }
    return true;
}

bool GuiContext::CreateMeasuringContext()
{
    m_MeasuringContext = CreateUiContext();
    if (!ImGui_ImplOpenGL3_Init(k_GlslVersion))
    {
        LogError(m_Tag, "ImGui_ImplOpenGL3_Init() failed for the measuring context.");
        return false;
    }
    if (!ImGui_ImplOpenGL3_CreateDeviceObjects())
    {
        LogError(m_Tag, "ImGui_ImplOpenGL3_CreateDeviceObjects() failed for the measuring context.");
        return false;
    }
    // One empty frame leaves the measuring context's font atlas built, so text can be measured
    // before the first real frame.
    ImGui::NewFrame();
    ImGui::EndFrame();
    return true;
}

ImDrawList* GuiContext::BeginFrame(Lib::RectSize p_DisplaySize)
{
    if (!m_MainContext)
        return nullptr;
    if (m_InFrame)
        return m_DrawList;
    ImGui::SetCurrentContext(m_MainContext);
    // Creates the device objects again when they are missing.
    ImGui_ImplOpenGL3_NewFrame();
    ImGui_ImplSDL2_NewFrame();
    // The SDL back end sizes the UI after the window; the engine's render size wins, because a
    // fixed render size differs from the window's.
    SetDisplaySize(p_DisplaySize);
    ImGui::NewFrame();
    m_DrawList = ImGui::GetBackgroundDrawList();
    m_InFrame = true;
    return m_DrawList;
}

void GuiContext::EndFrame()
{
    if (!m_MainContext || !m_InFrame)
        return;
    ImGui::SetCurrentContext(m_MainContext);
    ImGui::Render();
    ImGui_ImplOpenGL3_RenderDrawData(ImGui::GetDrawData());
    m_InFrame = false;
    m_DrawList = nullptr;
}

void GuiContext::SetDisplaySize(Lib::RectSize p_DisplaySize)
{
    const ImVec2 size(static_cast<float>(p_DisplaySize.width), static_cast<float>(p_DisplaySize.height));
    for (ImGuiContext* context : {m_MainContext, m_MeasuringContext})
    {
        if (!context)
            continue;
        ScopedUiContext current(context);
        ImGui::GetIO().DisplaySize = size;
    }
}

void GuiContext::Shutdown()
{
    if (m_MeasuringContext)
    {
        DestroyUiContext(m_MeasuringContext);
        m_MeasuringContext = nullptr;
    }
    if (m_MainContext)
    {
        DestroyUiContext(m_MainContext);
        m_MainContext = nullptr;
    }
    m_DrawList = nullptr;
    m_InFrame = false;
}

bool GuiContext::WantsKeyboard() const
{
    if (!m_MainContext)
        return false;
    ScopedUiContext current(m_MainContext);
    return ImGui::GetIO().WantCaptureKeyboard;
}

bool GuiContext::WantsMouse() const
{
    if (!m_MainContext)
        return false;
    ScopedUiContext current(m_MainContext);
    return ImGui::GetIO().WantCaptureMouse;
}

void GuiContext::OnNativeEvent(const SDL_Event& p_Event)
{
    if (!m_MainContext)
        return;
    ScopedUiContext current(m_MainContext);
    ImGui_ImplSDL2_ProcessEvent(&p_Event);
}
} // namespace Vozad
