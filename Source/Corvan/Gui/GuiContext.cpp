#include "Corvan/Gui/GuiContext.h"

#include "Corvan/Gui/FontResolver.h"
#include "Corvan/Renderer/IGraphicsContext.h"
#include "Corvan/Renderer/OpenGL/OpenGLTexture.h"
#include "Corvan/Renderer/TextureInfo.h"

#include <SDL2/SDL.h>
#include <backends/imgui_impl_opengl3.h>
#include <backends/imgui_impl_sdl.h>
#include <imgui.h>
#include <imgui_internal.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <initializer_list>
#include <iterator>
#include <string>

namespace Vozad
{
namespace
{
GuiContext* g_GuiContext = nullptr;

// Basic Latin, Latin-1 Supplement and General Punctuation, for every font. ImGui keeps the
// pointer, so the list lives as long as the program.
const ImWchar k_GlyphRanges[] = {0x0020, 0x00FF, 0x2000, 0x206F, 0};

// The engine accepts GL 4.0 core contexts and newer, so the back end gets GLSL 4.00.
constexpr const char* k_GlslVersion = "#version 400 core";

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

bool DrawsSomething(uint32_t p_Colour)
{
    return (p_Colour & IM_COL32_A_MASK) != 0;
}

ImVec2 ToVec(Lib::Point p_Point)
{
    return ImVec2(static_cast<float>(p_Point.x), static_cast<float>(p_Point.y));
}

// ImGui stops the whole program on a file it cannot read as a font, so only files that start
// like a TrueType or OpenType font (or a collection of them) are handed to it.
bool IsFontFile(const Lib::String& p_Path)
{
    FILE* file = fopen(p_Path.ToNarrow().Data(), "rb");
    if (!file)
        return false;
    unsigned char head[4] = {};
    const bool complete = fread(head, 1, sizeof(head), file) == sizeof(head);
    fclose(file);
    if (!complete)
        return false;
    static const unsigned char k_Signatures[][4] = {
        {0x00, 0x01, 0x00, 0x00}, {'O', 'T', 'T', 'O'}, {'t', 'r', 'u', 'e'}, {'t', 't', 'c', 'f'}};
    for (const auto& signature : k_Signatures)
        if (memcmp(head, signature, sizeof(head)) == 0)
            return true;
    return false;
}

// A font is loaded at its pixel size; ImGui cannot make a font smaller than one pixel.
bool HasLoadableSize(const FontSpec& p_Font)
{
    return FontPixelSize(p_Font) >= 1.0f;
}

// Height from the font, and one entry per character that the font can show (its own glyph or
// the fallback glyph), up to the first invalid or zero character.
void AddGlyphMetrics(const ImFont& p_Font, const Lib::String& p_Text, TextMetrics& p_Metrics)
{
    p_Metrics.height = std::fabs(p_Font.Descent) + p_Font.Ascent;
    for (const wchar_t character : p_Text.Wide())
    {
        const uint32_t codePoint = static_cast<uint32_t>(character);
        if (codePoint == 0 || codePoint > 0x10FFFF || (codePoint >= 0xD800 && codePoint <= 0xDFFF))
            break;
        // Characters beyond what ImGui indexes have no glyph of their own.
        const ImFontGlyph* glyph = codePoint <= IM_UNICODE_CODEPOINT_MAX
                                       ? p_Font.FindGlyph(static_cast<ImWchar>(codePoint))
                                       : p_Font.FallbackGlyph;
        if (!glyph)
            continue;
        GlyphMetrics metrics;
        metrics.width = glyph->X1 - glyph->X0;
        metrics.height = glyph->Y1 - glyph->Y0;
        metrics.advance = codePoint <= IM_UNICODE_CODEPOINT_MAX
                              ? p_Font.GetCharAdvance(static_cast<ImWchar>(codePoint))
                              : p_Font.FallbackAdvanceX;
        p_Metrics.glyphs.Add(metrics);
    }
}

// Text size in the current context with the font pushed; no wrapping. ImGui rounds the width up
// to a whole pixel.
float MeasureWidth(ImFont* p_Font, const std::string& p_Text)
{
    ImGui::PushFont(p_Font);
    const ImVec2 size = ImGui::CalcTextSize(p_Text.c_str(), p_Text.c_str() + p_Text.size());
    ImGui::PopFont();
    return size.x;
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
    // The back end's texture holds the built-in font now; its pixels are not needed again.
    ImGui::GetIO().Fonts->ClearTexData();
    return true;
}

bool GuiContext::CreateMeasuringContext()
{
    // Measuring never draws, so this context has no renderer back end: no shaders, no buffers and
    // no font texture of its own. Building its atlas is all NewFrame needs, and the pixels that
    // building makes are dropped at once.
    m_MeasuringContext = CreateUiContext();
    ImFontAtlas* atlas = ImGui::GetIO().Fonts;
    atlas->Build();
    atlas->ClearTexData();
    // One empty frame leaves the measuring context ready, so text can be measured before the
    // first real frame.
    ImGui::NewFrame();
    ImGui::EndFrame();
    return true;
}

ImDrawList* GuiContext::BeginFrame(Lib::RectSize p_DisplaySize)
{
    SetDisplaySize(p_DisplaySize);
    return static_cast<ImDrawList*>(BeginFrame());
}

void* GuiContext::BeginFrame()
{
    if (!m_MainContext)
        return nullptr;
    if (m_InFrame)
        return m_DrawList;
    UpdateFonts();
    ImGui::SetCurrentContext(m_MainContext);
    // Creates the device objects again when they are missing.
    ImGui_ImplOpenGL3_NewFrame();
    ImGui_ImplSDL2_NewFrame();
    // The SDL back end sizes the UI after the window; the engine's render size wins, because a
    // fixed render size differs from the window's.
    ImGui::GetIO().DisplaySize =
        ImVec2(static_cast<float>(m_DisplaySize.width), static_cast<float>(m_DisplaySize.height));
    ImGui::NewFrame();
    m_DrawList = ImGui::GetBackgroundDrawList();
    m_ClipDepth = 0;
    m_InFrame = true;
    return m_DrawList;
}

void GuiContext::EndFrame()
{
    if (!m_MainContext || !m_InFrame)
        return;
    ImGui::SetCurrentContext(m_MainContext);
    ImGui::Render();
    // The back end saves and restores some thirty pieces of GL state around its draws, even when
    // there is nothing to draw: a frame without UI skips it and leaves the same state behind.
    ImDrawData* drawData = ImGui::GetDrawData();
    if (drawData && drawData->TotalVtxCount > 0)
        ImGui_ImplOpenGL3_RenderDrawData(drawData);
    m_InFrame = false;
    m_DrawList = nullptr;
    m_ClipDepth = 0;
}

void GuiContext::SetDisplaySize(Lib::RectSize p_DisplaySize)
{
    m_DisplaySize = p_DisplaySize;
    const ImVec2 size(static_cast<float>(p_DisplaySize.width), static_cast<float>(p_DisplaySize.height));
    for (ImGuiContext* context : {m_MainContext, m_MeasuringContext})
    {
        if (!context)
            continue;
        ScopedUiContext current(context);
        ImGui::GetIO().DisplaySize = size;
    }
}

// Fonts -----------------------------------------------------------------------------------------

bool GuiContext::IsFontFor(const ImFont& p_Font, const FontSpec& p_Spec)
{
    const float pixels = FontPixelSize(p_Spec);
    if (!p_Font.ConfigData || p_Font.FontSize != pixels)
        return false;
    const std::string name = p_Spec.name.ToNarrow().Bytes();
    // ImGui names a font "<file>, <size>px" and keeps only what fits its name buffer: a long file
    // name is recognised by that beginning, or it would be loaded again at every measurement.
    char shortened[sizeof(ImFontConfig::Name)] = {};
    const bool longName = name.size() + 1 >= sizeof(shortened);
    if (longName)
        snprintf(shortened, sizeof(shortened), "%s, %.0fpx", name.c_str(), pixels);
    const char* fontName = p_Font.ConfigData->Name;
    return strstr(fontName, name.c_str()) || (longName && strcmp(fontName, shortened) == 0);
}

ImFont* GuiContext::FindLoadedFont(const FontSpec& p_Font) const
{
    if (ImGui::GetCurrentContext())
        for (ImFont* font : ImGui::GetIO().Fonts->Fonts)
            if (font && IsFontFor(*font, p_Font))
                return font;
    const FontAtlas* entry = FindFontAtlas(p_Font);
    return entry && entry->texture ? entry->atlas->Fonts[0] : nullptr;
}

const GuiContext::FontAtlas* GuiContext::FindFontAtlas(const FontSpec& p_Font) const
{
    for (const FontAtlas& entry : m_FontAtlases)
        if (!entry.atlas->Fonts.empty() && IsFontFor(*entry.atlas->Fonts[0], p_Font))
            return &entry;
    return nullptr;
}

ImFont* GuiContext::FindMeasuringFont(const FontSpec& p_Font) const
{
    const FontAtlas* entry = FindFontAtlas(p_Font);
    return entry ? entry->atlas->Fonts[0] : nullptr;
}

bool GuiContext::IsLoadedForDrawing(const FontSpec& p_Font) const
{
    if (!m_MainContext)
        return false;
    ScopedUiContext current(m_MainContext);
    return FindLoadedFont(p_Font) != nullptr;
}

size_t GuiContext::GetAtlasPixelBytes() const
{
    if (!m_MainContext)
        return 0;
    ScopedUiContext current(m_MainContext);
    size_t bytes = 0;
    const auto add = [&bytes](const ImFontAtlas& p_Atlas)
    {
        const size_t pixels = static_cast<size_t>(p_Atlas.TexWidth) * static_cast<size_t>(p_Atlas.TexHeight);
        bytes += (p_Atlas.TexPixelsAlpha8 ? pixels : 0) + (p_Atlas.TexPixelsRGBA32 ? 4 * pixels : 0);
    };
    add(*ImGui::GetIO().Fonts);
    for (const FontAtlas& entry : m_FontAtlases)
        add(*entry.atlas);
    return bytes;
}

uint32_t GuiContext::GetFontTextureName(const FontSpec& p_Font) const
{
    const FontAtlas* entry = FindFontAtlas(p_Font);
    return entry && entry->texture ? entry->texture->GetGLName() : 0u;
}

bool GuiContext::UpdateFonts()
{
    if (m_PendingFonts.IsEmpty() || !m_MainContext)
        return false;
    bool loaded = false;
    while (!m_PendingFonts.IsEmpty())
    {
        const FontSpec& font = m_PendingFonts[0];
        Lib::String path;
        auto entry = std::find_if(m_FontAtlases.begin(), m_FontAtlases.end(),
                                  [&](const FontAtlas& p_Entry) {
                                      return !p_Entry.atlas->Fonts.empty() &&
                                             IsFontFor(*p_Entry.atlas->Fonts[0], font);
                                  });
        if (entry == m_FontAtlases.end() || !ResolveFontPath(font.name, path))
            break;
        // The glyphs go to the GPU as one byte of coverage per texel, sampled as white with that
        // alpha: a quarter of the bytes of the white RGBA texels ImGui's back end would upload.
        unsigned char* coverage = nullptr;
        int width = 0, height = 0;
        entry->atlas->GetTexDataAsAlpha8(&coverage, &width, &height);
        entry->texture = coverage ? OpenGLTexture::CreateCoverage(static_cast<uint32_t>(width),
                                                                  static_cast<uint32_t>(height), coverage)
                                  : Lib::Ref<OpenGLTexture>();
        if (!entry->texture)
            break;
        entry->atlas->SetTexID(
            reinterpret_cast<ImTextureID>(static_cast<uintptr_t>(entry->texture->GetGLName())));
        // The texture holds the glyphs; the metrics stay for measuring.
        entry->atlas->ClearTexData();
        LogInfo(m_FontsTag, "Font loaded: %s, size: %.f", path.ToNarrow().Data(), FontPixelSize(font));
        m_PendingFonts.Remove(0);
        loaded = true;
    }
    return loaded;
}

ImFont* GuiContext::AddFontFile(ImFontAtlas& p_Atlas, const char* p_Path, float p_Pixels)
{
    auto file = m_FontFiles.find(p_Path);
    if (file == m_FontFiles.end())
    {
        std::ifstream stream(p_Path, std::ios::binary);
        if (!stream)
            return nullptr;
        std::vector<unsigned char> bytes((std::istreambuf_iterator<char>(stream)),
                                         std::istreambuf_iterator<char>());
        if (bytes.empty())
            return nullptr;
        file = m_FontFiles.emplace(p_Path, std::move(bytes)).first;
    }
    ImFontConfig config;
    config.FontDataOwnedByAtlas = false;
    // The name ImGui gives a font it reads itself, which IsFontFor recognises.
    const char* fileName = std::strrchr(p_Path, '/');
    snprintf(config.Name, sizeof(config.Name), "%s, %.0fpx", fileName ? fileName + 1 : p_Path, p_Pixels);
    return p_Atlas.AddFontFromMemoryTTF(file->second.data(), static_cast<int>(file->second.size()), p_Pixels,
                                        &config, k_GlyphRanges);
}

ImFont* GuiContext::LoadMeasuringFont(const FontSpec& p_Font)
{
    Lib::String path;
    if (!HasLoadableSize(p_Font) || !ResolveFontPath(p_Font.name, path) || !IsFontFile(path))
        return nullptr;
    auto* atlas = IM_NEW(ImFontAtlas)();
    ImFont* font = AddFontFile(*atlas, path.ToNarrow().Data(), FontPixelSize(p_Font));
    if (!font)
    {
        IM_DELETE(atlas);
        return nullptr;
    }
    if (m_PendingFonts.Find(p_Font) < 0)
        m_PendingFonts.Add(p_Font);
    // The coverage pixels stay until the next frame puts them in a texture.
    atlas->Build();
    m_FontAtlases.push_back({atlas, {}});
    return font;
}

TextMetrics GuiContext::MeasureText(const Lib::String& p_Text, const FontSpec& p_Font)
{
    TextMetrics metrics;
    if (!m_MainContext || !m_MeasuringContext)
        return metrics;
    const std::string text = p_Text.ToNarrow().Bytes();

    ImGui::SetCurrentContext(m_MainContext);
    ImFont* font = FindLoadedFont(p_Font);
    if (font && ImGui::GetCurrentContext()->CurrentWindow)
    {
        metrics.width = MeasureWidth(font, text);
        AddGlyphMetrics(*font, p_Text, metrics);
        return metrics;
    }

    ImGui::SetCurrentContext(m_MeasuringContext);
    // The measuring context's own atlas holds the built-in font.
    font = FindMeasuringFont(p_Font);
    if (!font)
        font = FindLoadedFont(p_Font);
    if (!font)
        font = LoadMeasuringFont(p_Font);
    if (!font)
    {
        ImGui::SetCurrentContext(m_MainContext);
        return metrics;
    }
    ImGui::NewFrame();
    metrics.width = MeasureWidth(font, text);
    ImGui::EndFrame();
    AddGlyphMetrics(*font, p_Text, metrics);
    ImGui::SetCurrentContext(m_MainContext);
    return metrics;
}

// Drawing ---------------------------------------------------------------------------------------

ImDrawList* GuiContext::VisibleDrawList() const
{
    return m_InFrame && DrawsSomething(m_Colour) ? m_DrawList : nullptr;
}

void GuiContext::PushClipRect(const LayoutRect& p_Rect)
{
    if (!m_InFrame || !m_DrawList)
        return;
    m_DrawList->PushClipRect(ImVec2(static_cast<float>(p_Rect.left), static_cast<float>(p_Rect.top)),
                             ImVec2(static_cast<float>(p_Rect.right), static_cast<float>(p_Rect.bottom)),
                             true);
    ++m_ClipDepth;
}

void GuiContext::PopClipRect()
{
    // The frame's own clip rectangle is never popped: ImGui would stop the program at the next
    // pop.
    if (!m_InFrame || !m_DrawList || m_ClipDepth == 0)
        return;
    m_DrawList->PopClipRect();
    --m_ClipDepth;
}

bool GuiContext::RectsOverlap(const LayoutRect& p_A, const LayoutRect& p_B) const
{
    return std::max(p_A.left, p_B.left) < std::min(p_A.right, p_B.right) &&
           std::max(p_A.top, p_B.top) < std::min(p_A.bottom, p_B.bottom);
}

void GuiContext::DrawLine(Lib::Point p_A, Lib::Point p_B, float p_Thickness)
{
    if (p_Thickness < 1.0f || !m_InFrame || !m_DrawList)
        return;
    m_DrawList->AddLine(ToVec(p_A), ToVec(p_B), m_Colour, p_Thickness);
}

void GuiContext::DrawRect(const LayoutRect& p_Rect, float p_Thickness, float p_Rounding)
{
    ImDrawList* drawList = VisibleDrawList();
    if (p_Thickness < 1.0f || !drawList)
        return;
    drawList->AddRect(ImVec2(static_cast<float>(p_Rect.left), static_cast<float>(p_Rect.top)),
                      ImVec2(static_cast<float>(p_Rect.right), static_cast<float>(p_Rect.bottom)), m_Colour,
                      p_Rounding, ImDrawFlags_RoundCornersAll, p_Thickness);
}

void GuiContext::FillRect(const LayoutRect& p_Rect, float p_Rounding)
{
    if (ImDrawList* drawList = VisibleDrawList())
        drawList->AddRectFilled(ImVec2(static_cast<float>(p_Rect.left), static_cast<float>(p_Rect.top)),
                                ImVec2(static_cast<float>(p_Rect.right), static_cast<float>(p_Rect.bottom)),
                                m_Colour, p_Rounding, ImDrawFlags_RoundCornersAll);
}

void GuiContext::DrawTriangle(Lib::Point p_A, Lib::Point p_B, Lib::Point p_C, float p_Thickness)
{
    if (ImDrawList* drawList = VisibleDrawList())
        drawList->AddTriangle(ToVec(p_A), ToVec(p_B), ToVec(p_C), m_Colour, p_Thickness);
}

void GuiContext::FillTriangle(Lib::Point p_A, Lib::Point p_B, Lib::Point p_C)
{
    if (ImDrawList* drawList = VisibleDrawList())
        drawList->AddTriangleFilled(ToVec(p_A), ToVec(p_B), ToVec(p_C), m_Colour);
}

void GuiContext::DrawText(const Lib::String& p_Text, Lib::Point p_Position, const FontSpec& p_Font,
                          uint32_t p_WrapWidth)
{
    ImDrawList* drawList = VisibleDrawList();
    if (!drawList || p_Text.IsEmpty())
        return;
    const std::string text = p_Text.ToNarrow().Bytes();
    ScopedUiContext current(m_MainContext);
    if (ImFont* font = FindLoadedFont(p_Font))
    {
        const float size = font->FontSize > 0.0f ? font->FontSize : drawList->_Data->FontSize;
        // Every font has an atlas and a texture of its own.
        drawList->PushTextureID(font->ContainerAtlas->TexID);
        drawList->AddText(font, size, ToVec(p_Position), m_Colour, text.c_str(), text.c_str() + text.size(),
                          static_cast<float>(p_WrapWidth));
        drawList->PopTextureID();
        return;
    }
    drawList->AddText(ToVec(p_Position), m_Colour, text.c_str(), text.c_str() + text.size());
}

void GuiContext::DrawImage(const TextureInfo& p_Texture, Lib::Point p_Position, const LayoutRect& p_Clip)
{
    if (!m_InFrame || !m_DrawList)
        return;
    ImVec2 topLeft = ToVec(p_Position);
    ImVec2 bottomRight(topLeft.x + static_cast<float>(p_Texture.width),
                       topLeft.y + static_cast<float>(p_Texture.height));
    // An all-zero clip rectangle is no clip rectangle.
    if (!(p_Clip == LayoutRect{}))
    {
        topLeft.x = std::max(topLeft.x, static_cast<float>(p_Clip.left));
        topLeft.y = std::max(topLeft.y, static_cast<float>(p_Clip.top));
        bottomRight.x = std::min(bottomRight.x, static_cast<float>(p_Clip.right));
        bottomRight.y = std::min(bottomRight.y, static_cast<float>(p_Clip.bottom));
    }
    // Wholly outside the clip rectangle: squeezing would turn the image inside out.
    if (bottomRight.x <= topLeft.x || bottomRight.y <= topLeft.y)
        return;
    const ImTextureID texture = reinterpret_cast<ImTextureID>(static_cast<uintptr_t>(p_Texture.glTexture));
    m_DrawList->AddImage(texture, topLeft, bottomRight, ImVec2(0.0f, 0.0f), ImVec2(1.0f, 1.0f),
                         IM_COL32_WHITE);
}

void GuiContext::Shutdown()
{
    m_PendingFonts.Clear();
    for (FontAtlas& entry : m_FontAtlases)
    {
        entry.texture.Reset();
        IM_DELETE(entry.atlas);
    }
    m_FontAtlases.clear();
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
