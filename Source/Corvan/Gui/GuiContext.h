#pragma once
// The GUI's drawing back end: Dear ImGui with its SDL2 and OpenGL 3 back ends, used only as a 2D
// drawing and font library. No SDL or ImGui type appears here; only this file pair and the
// back ends see them.
#include "Corvan/Events/IInputCapture.h"
#include "Corvan/Window/INativeEventObserver.h"
#include "Lib/Log.h"
#include "Lib/RectSize.h"

#include <cstdint>

struct SDL_Window;
struct ImGuiContext;
struct ImDrawList;

namespace Vozad
{
class GuiContext : public IInputCapture, public INativeEventObserver
{
public:
    // p_GLContext is the window's SDL_GLContext; p_GraphicsApi the engine's API (0 OpenGL). Any
    // API other than OpenGL creates no UI contexts and drives no back end.
    GuiContext(SDL_Window* p_Window, void* p_GLContext, int32_t p_GraphicsApi);
    GuiContext(const GuiContext&) = delete;
    GuiContext& operator=(const GuiContext&) = delete;
    // Releases whatever Shutdown has not, also after a failed Initialise.
    ~GuiContext() override;

    // Creates the main context (the one that draws, bound to the window) and the measuring
    // context (for loading fonts and measuring text at any time). Needs the window's GL context
    // current. False when either context or a back end cannot be set up.
    bool Initialise();
    // Starts a UI frame for a render target of p_DisplaySize and returns the main viewport's
    // background draw list that the layout tree draws into; null without UI contexts.
    ImDrawList* BeginFrame(Lib::RectSize p_DisplaySize);
    // Finishes the UI frame and draws it over the scene.
    void EndFrame();
    void SetDisplaySize(Lib::RectSize p_DisplaySize);
    // The measuring context first, then the main context with its back ends.
    void Shutdown();

    // IInputCapture: what the main context's UI claims; false without UI contexts.
    bool WantsKeyboard() const override;
    bool WantsMouse() const override;
    // INativeEventObserver: keeps the main context's input state current.
    void OnNativeEvent(const SDL_Event& p_Event) override;

    ImDrawList* GetDrawList() const { return m_DrawList; }
    ImGuiContext* GetMainContext() const { return m_MainContext; }
    ImGuiContext* GetMeasuringContext() const { return m_MeasuringContext; }
    int32_t GetGraphicsApi() const { return m_GraphicsApi; }
    const Lib::LogTag& GetTag() const { return m_Tag; }

private:
    bool CreateMainContext();
    bool CreateMeasuringContext();

    Lib::LogTag m_Tag{"GuiContext"};
    SDL_Window* m_Window;                       // not owned
    void* m_GLContext;                          // not owned; SDL_GLContext of the window
    ImGuiContext* m_MainContext = nullptr;      // draws the frame; null without OpenGL
    ImGuiContext* m_MeasuringContext = nullptr; // private: fonts and text measuring
    ImDrawList* m_DrawList = nullptr;           // the background draw list of the current frame
    int32_t m_GraphicsApi;
    bool m_InFrame = false; // between BeginFrame and EndFrame
};

// The one GUI context of the process, reachable for the window and the GUI toolkit; null when
// none exists. The engine owns it.
GuiContext* GetGuiContext();
void SetGuiContext(GuiContext* p_Context);
} // namespace Vozad
