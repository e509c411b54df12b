#pragma once
// The GUI's drawing back end: Dear ImGui with its SDL2 and OpenGL 3 back ends, used only as a 2D
// drawing and font library. Every drawing call becomes a primitive on the main viewport's
// background draw list. No SDL or ImGui type appears here; only this file pair and the back ends
// see them.
#include "Corvan/Events/IInputCapture.h"
#include "Corvan/Gui/IGuiContext.h"
#include "Corvan/Window/INativeEventObserver.h"
#include "Lib/DynamicArray.h"
#include "Lib/Log.h"
#include "Lib/Point.h"
#include "Lib/RectSize.h"
#include "Lib/ReferenceCounter.h"

#include <cstdint>
#include <map>
#include <string>
#include <vector>

struct SDL_Window;
struct ImGuiContext;
struct ImDrawList;
struct ImFont;
struct ImFontAtlas;

namespace Vozad
{
class OpenGLTexture;

class GuiContext : public IGuiContext, public IInputCapture, public INativeEventObserver
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
    // The measuring context first, then the main context with its back ends.
    void Shutdown();

    // IDrawingContext. Without a frame (or without UI contexts) nothing is drawn.
    void PushClipRect(const LayoutRect& p_Rect) override;
    void PopClipRect() override;
    LayoutRect GetDrawOffset() const override { return LayoutRect{}; }
    bool RectsOverlap(const LayoutRect& p_A, const LayoutRect& p_B) const override;
    void SetOffset(Lib::Point p_Offset) override { m_Offset = p_Offset; }
    void ResetOffset() override { m_Offset = Lib::Point{}; }
    void SetColour(uint32_t p_Colour) override { m_Colour = p_Colour; }
    void DrawLine(Lib::Point p_A, Lib::Point p_B, float p_Thickness) override;
    void DrawRect(const LayoutRect& p_Rect, float p_Thickness, float p_Rounding) override;
    void FillRect(const LayoutRect& p_Rect, float p_Rounding) override;
    void DrawTriangle(Lib::Point p_A, Lib::Point p_B, Lib::Point p_C, float p_Thickness) override;
    void FillTriangle(Lib::Point p_A, Lib::Point p_B, Lib::Point p_C) override;
    void DrawText(const Lib::String& p_Text, Lib::Point p_Position, const FontSpec& p_Font,
                  uint32_t p_WrapWidth) override;
    void DrawImage(const TextureInfo& p_Texture, Lib::Point p_Position, const LayoutRect& p_Clip) override;

    // IGuiContext
    // Loads the pending fonts into the main context, starts its frame for the display size set
    // last and returns the frame's background draw list (an ImDrawList*); null without UI
    // contexts.
    void* BeginFrame() override;
    // Finishes the UI frame and draws it over the scene.
    void EndFrame() override;
    // Both UI contexts; the main context keeps the size also across the SDL back end's frame
    // start, which would size it after the window (a fixed render size differs from that).
    void SetDisplaySize(Lib::RectSize p_DisplaySize) override;
    TextMetrics MeasureText(const Lib::String& p_Text, const FontSpec& p_Font) override;
    // IInputCapture: what the main context's UI claims; false without UI contexts.
    bool WantsKeyboard() const override;
    bool WantsMouse() const override;

    // SetDisplaySize and BeginFrame in one.
    ImDrawList* BeginFrame(Lib::RectSize p_DisplaySize);

    // INativeEventObserver: keeps the main context's input state current.
    void OnNativeEvent(const SDL_Event& p_Event) override;

    // Makes every pending font drawable: the glyphs its measuring atlas rasterised go to the GPU,
    // so no size is rasterised twice; true when a font was loaded. A pending font that has no
    // atlas stays first in the list and holds back the ones behind it until a later frame.
    bool UpdateFonts();
    // The drawable font whose name contains the description's file name and whose pixel size is
    // the description's (the current UI context's own built-in font included); null when there
    // is none.
    ImFont* FindLoadedFont(const FontSpec& p_Font) const;
    // Whether the font was loaded from the description's file at its pixel size.
    static bool IsFontFor(const ImFont& p_Font, const FontSpec& p_Spec);
    // Whether the frame can draw text in the font.
    bool IsLoadedForDrawing(const FontSpec& p_Font) const;
    // Bytes of glyph pixels the atlases keep in main memory: 0 once they are all in textures.
    size_t GetAtlasPixelBytes() const;
    // The GL name of the texture the font's glyphs are drawn from; 0 while it is not drawable.
    uint32_t GetFontTextureName(const FontSpec& p_Font) const;

    ImDrawList* GetDrawList() const { return m_DrawList; }
    ImGuiContext* GetMainContext() const { return m_MainContext; }
    ImGuiContext* GetMeasuringContext() const { return m_MeasuringContext; }
    int32_t GetGraphicsApi() const { return m_GraphicsApi; }
    Lib::Point GetOffset() const { return m_Offset; }
    uint32_t GetColour() const { return m_Colour; }
    const Lib::DynamicArray<FontSpec>& GetPendingFonts() const { return m_PendingFonts; }
    const Lib::LogTag& GetTag() const { return m_Tag; }

private:
    bool CreateMainContext();
    bool CreateMeasuringContext();
    // Adds the font file at p_Path, at p_Pixels, to the atlas; null when the file cannot be read.
    ImFont* AddFontFile(ImFontAtlas& p_Atlas, const char* p_Path, float p_Pixels);
    // The draw list when a frame is running and the colour draws something.
    ImDrawList* VisibleDrawList() const;
    // Loads the font into an atlas of its own for measuring and queues it for the main context;
    // null when its file cannot be found or is no font.
    ImFont* LoadMeasuringFont(const FontSpec& p_Font);
    // The font of the description, drawable or not yet; null when it has not been measured.
    ImFont* FindMeasuringFont(const FontSpec& p_Font) const;

    Lib::LogTag m_Tag{"GuiContext"};
    Lib::LogTag m_FontsTag{"UpdateFonts"};
    SDL_Window* m_Window;                       // not owned
    void* m_GLContext;                          // not owned; SDL_GLContext of the window
    ImGuiContext* m_MainContext = nullptr;      // draws the frame; null without OpenGL
    ImGuiContext* m_MeasuringContext = nullptr; // private: fonts and text measuring, never draws
    ImDrawList* m_DrawList = nullptr;           // the background draw list of the current frame
    int32_t m_GraphicsApi;
    Lib::Point m_Offset;                        // stored only
    uint32_t m_Colour = 0;                      // 0xAABBGGRR
    Lib::DynamicArray<FontSpec> m_PendingFonts; // still to be loaded by the main context
    // One atlas per font, made when the font is first measured and drawn from once its glyphs
    // are in a texture: an atlas rasterises all its fonts again whenever one is added, so a
    // shared one made start-up pay for every size once per size that came after it, and a second
    // atlas for drawing paid for every size again.
    struct FontAtlas
    {
        ImFontAtlas* atlas = nullptr;    // owned
        Lib::Ref<OpenGLTexture> texture; // its glyphs' coverage; null until the font is drawable
    };
    std::vector<FontAtlas> m_FontAtlases;
    // The atlas entry of the description's font; null when it has not been measured.
    const FontAtlas* FindFontAtlas(const FontSpec& p_Font) const;
    // Font files by path, read once and shared by every atlas and size; they outlive the atlases.
    std::map<std::string, std::vector<unsigned char>> m_FontFiles;
    Lib::RectSize m_DisplaySize{1, 1};
    uint32_t m_ClipDepth = 0; // clip rectangles pushed in this frame
    bool m_InFrame = false;   // between BeginFrame and EndFrame
};

// The one GUI context of the process, reachable for the window and the GUI toolkit; null when
// none exists. The engine owns it.
GuiContext* GetGuiContext();
void SetGuiContext(GuiContext* p_Context);
} // namespace Vozad
