// Label, buttons and a check box drawn for real: measured with a real font through the GUI
// context, drawn by ImGui's OpenGL back end into a hidden SDL window, and read back as pixels.
#include "Corvan/Renderer/OpenGL/GLFunctions.h"

#include "Corvan/Gui/Colours.h"
#include "Corvan/Gui/GuiContext.h"
#include "Corvan/Gui/IGuiContext.h"
#include "Corvan/Gui/IGuiEngine.h"
#include "Corvan/Gui/Widgets/Button.h"
#include "Corvan/Gui/Widgets/Checkbox.h"
#include "Corvan/Gui/Widgets/Label.h"
#include "Corvan/Renderer/ImageResources.h"
#include "Corvan/Renderer/TextureHandler.h"
#include "Support/CapturingForwarder.h"
#include "Support/GLWindow.h"
#include "Support/LogFileRedirect.h"
#include "Support/TempFolder.h"
#include "Support/WindowPixels.h"

#include <gtest/gtest.h>
#include <stb_image_write.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

namespace
{
using namespace Vozad;

constexpr int k_Width = 560;
constexpr int k_Height = 180;
constexpr const char* k_FontName = "DejaVuSans.ttf";

// What the engine gives widgets, made of the real parts: text is measured by the GUI context,
// textures are loaded by the renderer's texture handler.
class ContextGuiEngine : public IGuiEngine
{
public:
    ContextGuiEngine(IGuiContext& p_Gui, TextureHandler& p_Textures) : m_Gui(p_Gui), m_Textures(p_Textures) {}

    Lib::RectSize GetWindowSize() const override { return {k_Width, k_Height}; }
    Lib::Ref<IWindow> GetWindow() const override { return {}; }
    void SetFocus(LayoutBase*) override {}
    void ReleaseFocus(LayoutBase*) override {}
    void OpenPopup(Popup*) override {}
    void ClosePopup(Popup*) override {}
    TextMetrics MeasureText(const Lib::String& p_Text, const FontSpec& p_Font) override
    {
        return m_Gui.MeasureText(p_Text, p_Font);
    }
    TextureInfo LoadTextureFromMemory(const ImageResource& p_Image) override
    {
        return m_Textures.LoadTextureFromMemory(p_Image);
    }
    TextureInfo LoadUiTextureFromMemory(const ImageResource& p_Image) override
    {
        return m_Textures.LoadTextureFromMemory(p_Image);
    }

private:
    IGuiContext& m_Gui;
    TextureHandler& m_Textures;
};

using TestSupport::Rgb;

// The colour of a style's 0xAARRGGBB value as it lands in the frame buffer.
Rgb FromStyle(uint32_t p_Colour)
{
    return {static_cast<int>((p_Colour >> 16) & 0xFF), static_cast<int>((p_Colour >> 8) & 0xFF),
            static_cast<int>(p_Colour & 0xFF)};
}

class WidgetsGL : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_Window.Open(k_Width, k_Height, "Widgets")) << SDL_GetError();
        m_Gui = std::make_unique<GuiContext>(m_Window.Window(), m_Window.Context().GetNativeContext(), 0);
        ASSERT_TRUE(m_Gui->Initialise());
        m_Textures = std::make_unique<TextureHandler>(0);
        ASSERT_TRUE(m_Textures->Initialise());
        m_Engine = std::make_unique<ContextGuiEngine>(*m_Gui, *m_Textures);
    }

    void TearDown() override
    {
        m_Engine.reset();
        m_Textures.reset();
        if (m_Gui)
            m_Gui->Shutdown();
        m_Gui.reset();
    }

    FontSpec Font(uint32_t p_Size) const
    {
        FontSpec font;
        font.size = p_Size;
        font.name = k_FontName;
        return font;
    }

    // Clears, draws the elements in one UI frame and reads the back buffer, top row first.
    void DrawFrame(const std::vector<LayoutBase*>& p_Elements)
    {
        glViewport(0, 0, k_Width, k_Height);
        glClearColor(30.0f / 255.0f, 30.0f / 255.0f, 30.0f / 255.0f, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        m_Gui->SetDisplaySize({k_Width, k_Height});
        ASSERT_NE(m_Gui->BeginFrame(), nullptr);
        for (LayoutBase* element : p_Elements)
            element->Draw(*m_Gui);
        m_Gui->EndFrame();
        glFinish();

        glReadBuffer(GL_BACK);
        m_Frame = TestSupport::ReadFrame(k_Width, k_Height);
    }

    Rgb Pixel(int p_X, int p_Y) const { return TestSupport::RgbOf(m_Frame.At(p_X, p_Y)); }

    testing::AssertionResult PixelIs(int p_X, int p_Y, Rgb p_Expected, int p_Tolerance = 6) const
    {
        return TestSupport::NearRgb(Pixel(p_X, p_Y), p_Expected, p_Tolerance)
               << " at pixel (" << p_X << ", " << p_Y << ")";
    }

    // Pixels in the rectangle that are nearly white: drawn text.
    int CountWhite(const LayoutRect& p_Rect) const
    {
        int count = 0;
        for (int y = p_Rect.top; y < p_Rect.bottom; ++y)
            for (int x = p_Rect.left; x < p_Rect.right; ++x)
            {
                const Rgb pixel = Pixel(x, y);
                if (pixel[0] > 200 && pixel[1] > 200 && pixel[2] > 200)
                    ++count;
            }
        return count;
    }

    void WritePng(const std::string& p_Path) const
    {
        ASSERT_NE(stbi_write_png(p_Path.c_str(), k_Width, k_Height, 4, m_Frame.rgba.data(), k_Width * 4), 0)
            << p_Path;
    }

    TestSupport::TempFolder m_Folder;
    TestSupport::LogFileRedirect m_LogFile{m_Folder.File("gamelog.txt")};
    TestSupport::CapturingForwarder m_Log;
    TestSupport::GLWindow m_Window;
    std::unique_ptr<GuiContext> m_Gui;
    std::unique_ptr<TextureHandler> m_Textures;
    std::unique_ptr<ContextGuiEngine> m_Engine;
    TestSupport::PixelFrame m_Frame;
};

TEST_F(WidgetsGL, ALabelIsShortenedWithTheFontsOwnMetrics)
{
    Label label(m_Engine.get(), 20);
    label.GetStyle().font = Font(20);
    const Lib::String full = "The quick brown fox jumps over the lazy dog";
    label.SetText(full);
    ASSERT_GT(label.GetStyle().textMetrics.width, 300.0f) << "the font was not measured";
    label.SetRect({20, 220, 20, 56});
    label.UpdateLayout();

    const std::string shown = label.GetShownText().ToNarrow().Bytes();
    ASSERT_GE(shown.size(), 4u);
    EXPECT_EQ(shown.substr(shown.size() - 3), "...");
    EXPECT_NE(shown[shown.size() - 4], ' ');
    const float avail = 200.0f - 6.0f;
    EXPECT_LE(m_Gui->MeasureText(label.GetShownText(), Font(20)).width, avail);
    // One more character of the text would not have fitted.
    const std::string prefix = shown.substr(0, shown.size() - 3);
    std::string longer = full.ToNarrow().Bytes().substr(0, prefix.size() + 1);
    if (longer.back() == ' ')
        longer = full.ToNarrow().Bytes().substr(0, prefix.size() + 2);
    EXPECT_GT(m_Gui->MeasureText(Lib::String(longer + "..."), Font(20)).width, avail) << longer;
}

TEST_F(WidgetsGL, DrawsLabelButtonsAndCheckbox)
{
    Label label(m_Engine.get(), 20);
    label.GetStyle().font = Font(20);
    label.GetStyle().backgroundColour = 0xFF203040;
    label.GetStyle().borderThickness = 1;
    label.SetText("The quick brown fox jumps over the lazy dog");
    label.SetRect({20, 260, 20, 58});
    label.UpdateLayout();

    Button normal(m_Engine.get(), 20, 0);
    normal.GetStyle().font = Font(20);
    normal.SetText("Play");
    normal.SetDesiredSize(140, 44);
    normal.SetRect({20, 160, 90, 134});
    normal.UpdateLayout();

    Button hovered(m_Engine.get(), 20, 0);
    hovered.GetStyle().font = Font(20);
    hovered.SetText("Options");
    hovered.SetDesiredSize(140, 44);
    hovered.SetRect({180, 320, 90, 134});
    hovered.UpdateLayout();
    hovered.SetFlag(k_LayoutHovered, true);

    // At its natural size the text only just fits inside the clip of the padding.
    Button natural(m_Engine.get(), 20, 4);
    natural.GetStyle().font = Font(20);
    natural.SetText("Quit");
    natural.SetRect({400, 400 + natural.GetNaturalWidth(), 20, 20 + natural.GetNaturalHeight()});
    natural.UpdateLayout();

    Checkbox checkbox(m_Engine.get());
    checkbox.GetLabelStyle().font = Font(13);
    checkbox.SetText("Sound");
    checkbox.SetRect({340, 340 + static_cast<int32_t>(checkbox.GetDesiredSize().width), 98,
                      98 + static_cast<int32_t>(checkbox.GetDesiredSize().height)});
    checkbox.UpdateLayout();
    checkbox.m_Checked = 1;
    EXPECT_EQ(checkbox.GetCheckMarkTexture().width, 16);
    EXPECT_EQ(checkbox.GetCheckMarkTexture().name.ToNarrow().Bytes(), "CheckMark");
    for (const std::string& message : m_Log.Messages())
        EXPECT_NE(message, "Cloud not load slider textures.");

    DrawFrame({&label, &normal, &hovered, &natural, &checkbox});
    if (const char* path = std::getenv("VORL_WIDGETS_PNG"))
        WritePng(path);
    WritePng(m_Folder.File("widgets.png"));

    const Rgb background{30, 30, 30};
    const Rgb face = FromStyle(0xFF4D4D4F);
    const Rgb border = FromStyle(0xFF5F6161);
    const Rgb highlight = FromStyle(0xFF3DAEE9);

    // Label: its background left of the text, its brown border, text in white that stops where the
    // shortened text ends.
    EXPECT_TRUE(PixelIs(22, 39, FromStyle(0xFF203040)));
    EXPECT_TRUE(PixelIs(140, 20, FromStyle(0xFF8B4527)));
    const Lib::Point textAt = label.GetStyle().textPosition;
    const int32_t textEnd =
        textAt.x + static_cast<int32_t>(m_Gui->MeasureText(label.GetShownText(), Font(20)).width);
    EXPECT_GT(CountWhite({textAt.x, textEnd, 21, 57}), 100);
    EXPECT_EQ(CountWhite({textEnd + 2, 259, 21, 57}), 0);
    EXPECT_EQ(CountWhite({261, 399, 0, 80}), 0);

    // Buttons: the same face, the border grey when idle and blue when hovered, white text inside.
    EXPECT_TRUE(PixelIs(23, 93, face));
    EXPECT_TRUE(PixelIs(183, 93, face));
    EXPECT_TRUE(PixelIs(90, 90, border));
    EXPECT_TRUE(PixelIs(20, 112, border));
    EXPECT_TRUE(PixelIs(250, 90, highlight));
    EXPECT_TRUE(PixelIs(319, 112, highlight));
    EXPECT_GT(CountWhite({26, 154, 96, 128}), 50);
    EXPECT_GT(CountWhite({186, 314, 96, 128}), 50);

    // Check box: the mark fills the middle of the box, a background ring separates it from the
    // grey border, and the text sits to the right.
    const LayoutRect box = checkbox.GetBoxRect();
    const int32_t middle = (box.top + box.bottom) / 2;
    EXPECT_TRUE(PixelIs((box.left + box.right) / 2, middle, FromStyle(0xFF808081)));
    EXPECT_TRUE(PixelIs(box.left + 4, middle, FromStyle(0xFF808081)));
    EXPECT_TRUE(PixelIs(box.left + 1, middle, background));
    EXPECT_TRUE(PixelIs(box.left, middle, border));
    EXPECT_TRUE(PixelIs(box.right - 1, middle, border));
    EXPECT_GT(CountWhite({box.right + 4, box.right + 60, box.top - 4, box.bottom + 4}), 20);
}
} // namespace
