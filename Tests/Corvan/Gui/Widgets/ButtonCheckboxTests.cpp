#include "Corvan/Events/InputEvents.h"
#include "Corvan/Gui/Colours.h"
#include "Corvan/Gui/Widgets/Button.h"
#include "Corvan/Gui/Widgets/Checkbox.h"
#include "Corvan/Gui/Widgets/DrawOutline.h"
#include "Corvan/Layout/LayoutBase.h"
#include "Corvan/Layout/LayoutTestElements.h"
#include "Support/CapturingForwarder.h"
#include "Support/FixedMetricsGuiEngine.h"
#include "Support/LogFileRedirect.h"
#include "Support/RecordingDrawingContext.h"
#include "Support/TempFolder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{
using namespace Vozad;
using LayoutTesting::RecordingForwarder;
using Vozad::Testing::FixedMetricsGuiEngine;
using Vozad::Testing::RecordingDrawingContext;

EventMousePress Click(int32_t p_Button)
{
    return EventMousePress(p_Button, 0, 0, {20, 30});
}

// Text of a chosen height, to put a check box's text above or below its box.
class TallTextEngine : public FixedMetricsGuiEngine
{
public:
    explicit TallTextEngine(float p_Height) : m_Height(p_Height) {}
    TextMetrics MeasureText(const Lib::String& p_Text, const FontSpec& p_Font) override
    {
        TextMetrics metrics = FixedMetricsGuiEngine::MeasureText(p_Text, p_Font);
        metrics.height = m_Height;
        return metrics;
    }

private:
    float m_Height;
};

// ---- Button -------------------------------------------------------------------------------------

TEST(Button, NaturalSizeCountsThePaddingTwiceAcrossAndOnceDown)
{
    FixedMetricsGuiEngine engine;
    Button button(&engine, 14, 3);
    button.SetText("OK"); // 14 x 16
    EXPECT_EQ(button.GetNaturalWidth(), 14 + 2 * (1 + 6));
    EXPECT_EQ(button.GetNaturalHeight(), 16 + 6 + 2 * 1);
    EXPECT_TRUE(button.HasFlag(k_LayoutSizeToDesired));
}

TEST(Button, DesiredSizeRules)
{
    FixedMetricsGuiEngine engine;
    Button button(&engine);
    button.SetRect({0, 70, 0, 30});
    EXPECT_EQ(button.GetDesiredSize(), (Lib::RectSize{70, 30})); // nothing measured: the rectangle
    button.SetText("OK");
    EXPECT_EQ(button.GetDesiredSize(), (Lib::RectSize{28, 24}));
    button.SetDesiredWidth(150);
    EXPECT_EQ(button.GetDesiredSize(), (Lib::RectSize{150, 24}));
    button.SetVisibility(k_LayoutCollapsed);
    EXPECT_EQ(button.GetDesiredSize(), (Lib::RectSize{0, 0}));
}

struct ButtonLayoutCase
{
    const char* name;
    const char* text;
    LayoutRect rect;
    int32_t desiredWidth;
    int32_t desiredHeight;
    Lib::Point textPosition;
};

class ButtonLayout : public testing::TestWithParam<ButtonLayoutCase>
{
};

TEST_P(ButtonLayout, PlacesTheText)
{
    const ButtonLayoutCase& test = GetParam();
    FixedMetricsGuiEngine engine;
    Button button(&engine);
    button.SetDesiredSize(test.desiredWidth, test.desiredHeight);
    button.SetText(test.text);
    button.SetRect(test.rect);
    button.UpdateLayout();
    EXPECT_EQ(button.GetStyle().textPosition, test.textPosition);
    EXPECT_EQ(button.GetStyle().iconPosition, (Lib::Point{test.rect.left, test.rect.top}));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ButtonLayout,
    testing::Values(
        // centred in the natural 28 x 24, which is all the space a button without a wish uses
        ButtonLayoutCase{"Natural", "OK", {100, 200, 50, 90}, k_NoDesiredSize, k_NoDesiredSize, {107, 54}},
        // centred in the wished 100 x 40: (100 - 14) / 2, (40 - 16) / 2
        ButtonLayoutCase{"Wished", "OK", {100, 200, 50, 90}, 100, 40, {143, 62}},
        // "OK OK" (35) does not fit into 30: it starts at the padding
        ButtonLayoutCase{"TooWide", "OK OK", {0, 30, 0, 30}, k_NoDesiredSize, k_NoDesiredSize, {6, 4}},
        // only 10 tall: the text is taller, so the padding again
        ButtonLayoutCase{"TooLow", "OK", {0, 100, 0, 10}, 100, 40, {43, 6}}),
    [](const testing::TestParamInfo<ButtonLayoutCase>& p_Info) { return std::string(p_Info.param.name); });

TEST(Button, AnIconWithoutTextIsCentred)
{
    FixedMetricsGuiEngine engine;
    Button button(&engine);
    TextureInfo icon;
    icon.name = "DropDown";
    icon.width = 16;
    icon.height = 16;
    button.SetIcon(icon);
    button.SetRect({0, 40, 0, 30});
    button.UpdateLayout();
    EXPECT_EQ(button.GetStyle().iconPosition, (Lib::Point{12, 7}));

    RecordingDrawingContext context;
    button.Draw(context);
    EXPECT_EQ(context.calls, (std::vector<std::string>{
                                 "FillRect 0 40 0 30 r0 c=ff4f4d4d",
                                 "DrawImage DropDown 12 7 clip 0 40 0 30",
                                 "DrawRect 0 40 0 30 t1 r0 c=ff61615f",
                             }));
}

TEST(Button, DrawsFaceClippedTextAndBorder)
{
    FixedMetricsGuiEngine engine;
    Button button(&engine, 14, 3);
    button.SetText("OK");
    button.SetRect({100, 200, 50, 90});
    button.UpdateLayout();
    RecordingDrawingContext context;
    button.Draw(context);
    EXPECT_EQ(context.calls, (std::vector<std::string>{
                                 "FillRect 100 200 50 90 r3 c=ff4f4d4d",
                                 "PushClipRect 106 194 56 84",
                                 "DrawText \"OK\" 107 54 14pt w86 c=ffffffff",
                                 "PopClipRect",
                                 "DrawRect 100 200 50 90 t1 r3 c=ff61615f",
                             }));
}

struct ButtonStateCase
{
    const char* name;
    bool hovered;
    bool focused;
    bool enabled;
    uint32_t face;   // drawing packing
    uint32_t text;   // drawing packing
    uint32_t border; // drawing packing
};

class ButtonStates : public testing::TestWithParam<ButtonStateCase>
{
};

TEST_P(ButtonStates, DrawTheColoursOfTheState)
{
    const ButtonStateCase& test = GetParam();
    FixedMetricsGuiEngine engine;
    Button button(&engine);
    // Distinct colours per state; the hovered border keeps the default highlight 0xFF3DAEE9.
    button.GetStyle().backgroundColourHovered = 0xFF112233;
    button.GetStyle().backgroundColourFocused = 0xFF445566;
    button.GetStyle().textColourFocused = 0xFFAA0000;
    button.GetStyle().borderColourFocused = 0xFF0000CC;
    button.SetText("OK");
    button.SetRect({0, 28, 0, 24});
    button.UpdateLayout();
    button.SetFlag(k_LayoutHovered, test.hovered);
    button.SetFlag(k_LayoutFocused, test.focused);
    button.SetEnabled(test.enabled);

    RecordingDrawingContext context;
    button.Draw(context);
    char expected[64];
    std::vector<std::string> fills = context.CallsStartingWith("FillRect");
    ASSERT_EQ(fills.size(), test.enabled ? 1u : 2u);
    std::snprintf(expected, sizeof(expected), "FillRect 0 28 0 24 r0 c=%08x", test.face);
    EXPECT_EQ(fills[0], expected);
    if (!test.enabled)
    {
        EXPECT_EQ(fills[1], "FillRect 0 28 0 24 r0 c=7f7f7f7f");
        EXPECT_EQ(context.calls.back(), fills[1]); // the overlay covers everything else
    }
    std::snprintf(expected, sizeof(expected), "DrawText \"OK\" 7 4 14pt w14 c=%08x", test.text);
    EXPECT_EQ(context.CallsStartingWith("DrawText"), std::vector<std::string>{expected});
    std::snprintf(expected, sizeof(expected), "DrawRect 0 28 0 24 t1 r0 c=%08x", test.border);
    EXPECT_EQ(context.CallsStartingWith("DrawRect"), std::vector<std::string>{expected});
}

INSTANTIATE_TEST_SUITE_P(
    States, ButtonStates,
    testing::Values(ButtonStateCase{"Normal", false, false, true, 0xff4f4d4d, 0xffffffff, 0xff61615f},
                    ButtonStateCase{"Hovered", true, false, true, 0xff332211, 0xffffffff, 0xffe9ae3d},
                    ButtonStateCase{"Focused", false, true, true, 0xff665544, 0xff0000aa, 0xffcc0000},
                    // focus wins the face, hover wins the border
                    ButtonStateCase{"FocusedAndHovered", true, true, true, 0xff665544, 0xff0000aa,
                                    0xffe9ae3d},
                    ButtonStateCase{"Disabled", false, false, false, 0xff4f4d4d, 0xffffffff, 0xff61615f}),
    [](const testing::TestParamInfo<ButtonStateCase>& p_Info) { return std::string(p_Info.param.name); });

TEST(Button, APressReturnsTheButtonAndTellsTheForwarderOnlyWhenItPassesInput)
{
    FixedMetricsGuiEngine engine;
    RecordingForwarder forwarder;
    Button button(&engine);
    button.SetForwarder(&forwarder);
    EventMousePress press = Click(1);

    EXPECT_EQ(button.OnMousePress(press), &button);
    ASSERT_EQ(forwarder.calls.size(), 1u);
    EXPECT_EQ(forwarder.calls[0], (LayoutTesting::Call{"OnMousePress", &button}));

    button.SetEnabled(false);
    EXPECT_EQ(button.OnMousePress(press), &button);
    EXPECT_EQ(forwarder.calls.size(), 1u);
}

TEST(Button, AClickReachesTheForwarderWithTheButtonAsSender)
{
    FixedMetricsGuiEngine engine;
    RecordingForwarder forwarder;
    Button button(&engine);
    button.SetForwarder(&forwarder);
    EventMousePress click = Click(1);
    EXPECT_EQ(button.OnMouseClick(click), &button);
    EXPECT_EQ(forwarder.calls, (std::vector<LayoutTesting::Call>{{"OnMouseClick", &button}}));
}

TEST(Button, HiddenDrawsNothingAndVisibleAgainDrawsAtTheNewPlace)
{
    FixedMetricsGuiEngine engine;
    Button button(&engine);
    button.SetText("OK");
    button.SetRect({0, 28, 0, 24});
    button.UpdateLayout();
    button.SetVisibility(k_LayoutHidden);
    RecordingDrawingContext hidden;
    button.Draw(hidden);
    EXPECT_TRUE(hidden.calls.empty());

    button.SetRect({10, 38, 10, 34});
    button.SetVisibility(k_LayoutVisible);
    RecordingDrawingContext shown;
    button.Draw(shown);
    EXPECT_EQ(shown.CallsStartingWith("DrawText"),
              std::vector<std::string>{"DrawText \"OK\" 17 14 14pt w14 c=ffffffff"});
}

TEST(Button, SameTextKeepsTheStyleUnchangedButANewTextMarksIt)
{
    FixedMetricsGuiEngine engine;
    Button button(&engine);
    button.SetText("OK");
    button.UpdateLayout();
    EXPECT_FALSE(button.GetStyle().changed);
    button.SetText("Cancel");
    EXPECT_EQ(button.GetText().ToNarrow().Bytes(), "Cancel");
    EXPECT_EQ(button.GetNaturalWidth(), 42 + 14);
}

// ---- Checkbox -----------------------------------------------------------------------------------

class CheckboxTest : public testing::Test
{
protected:
    TestSupport::TempFolder m_Folder;
    TestSupport::LogFileRedirect m_LogFile{m_Folder.File("gamelog.txt")};
    TestSupport::CapturingForwarder m_Log;
};

TEST_F(CheckboxTest, LoadsTheCheckMarkTextureThroughTheEngine)
{
    FixedMetricsGuiEngine engine;
    Checkbox checkbox(&engine);
    EXPECT_EQ(engine.loadedTextures, std::vector<std::string>{"CheckMark"});
    EXPECT_EQ(checkbox.GetCheckMarkTexture().name.ToNarrow().Bytes(), "CheckMark");
    EXPECT_TRUE(m_Log.lines.empty());
}

TEST_F(CheckboxTest, AMissingTextureIsLoggedAndTheBoxStillWorks)
{
    FixedMetricsGuiEngine engine;
    engine.failTextureLoads = true;
    Checkbox checkbox(&engine);
    const std::vector<TestSupport::LogRecord> records = m_Log.Records();
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].level, "Error");
    EXPECT_EQ(records[0].tag, "Checkbox");
    EXPECT_EQ(records[0].message, "Cloud not load slider textures.");

    EventMousePress click = Click(1);
    EXPECT_EQ(checkbox.OnMouseClick(click), &checkbox);
    EXPECT_TRUE(checkbox.IsChecked());
}

// Hands back the renderer's stand-in image, as the texture handler does for an undecodable one.
class StandInTextureEngine : public FixedMetricsGuiEngine
{
public:
    TextureInfo LoadTextureFromMemory(const ImageResource&) override
    {
        TextureInfo info;
        info.textureKey = 7;
        info.name = "TextureNotFound";
        info.width = 32;
        info.height = 32;
        return info;
    }
};

TEST_F(CheckboxTest, AStandInTextureCountsAsMissing)
{
    StandInTextureEngine engine;
    Checkbox checkbox(&engine);
    EXPECT_EQ(m_Log.Messages(), std::vector<std::string>{"Cloud not load slider textures."});
}

TEST_F(CheckboxTest, TogglesOnEveryClickWithAnyButtonWithoutTellingTheForwarder)
{
    FixedMetricsGuiEngine engine;
    RecordingForwarder forwarder;
    Checkbox checkbox(&engine);
    checkbox.SetForwarder(&forwarder);
    const int32_t expected[] = {1, 0, 1};
    const int32_t buttons[] = {1, 2, 3};
    for (int i = 0; i < 3; ++i)
    {
        EventMousePress click = Click(buttons[i]);
        EXPECT_EQ(checkbox.OnMouseClick(click), &checkbox);
        EXPECT_EQ(checkbox.m_Checked, expected[i]) << "button " << buttons[i];
    }
    EXPECT_TRUE(forwarder.calls.empty());

    // Any value other than 1 counts as unchecked.
    checkbox.m_Checked = 5;
    EventMousePress click = Click(1);
    checkbox.OnMouseClick(click);
    EXPECT_EQ(checkbox.m_Checked, 1);
}

TEST_F(CheckboxTest, ADisabledBoxKeepsItsValue)
{
    FixedMetricsGuiEngine engine;
    Checkbox checkbox(&engine);
    checkbox.SetEnabled(false);
    EventMousePress click = Click(1);
    EXPECT_EQ(checkbox.OnMouseClick(click), nullptr);
    EXPECT_FALSE(checkbox.IsChecked());
    // A press still answers with the box, as a button does.
    EXPECT_EQ(checkbox.OnMousePress(click), &checkbox);
}

TEST_F(CheckboxTest, NaturalSizeWithAndWithoutText)
{
    FixedMetricsGuiEngine engine;
    Checkbox checkbox(&engine);
    // paddings 5 + 5, box 16, border 1 twice; no gap without text
    EXPECT_EQ(checkbox.GetDesiredSize(), (Lib::RectSize{28, 28}));
    checkbox.SetText("Show"); // 28 x 16
    EXPECT_EQ(checkbox.GetDesiredSize(), (Lib::RectSize{5 + 16 + 5 + 5 + 2 + 28, 28}));
    checkbox.SetVisibility(k_LayoutCollapsed);
    EXPECT_EQ(checkbox.GetDesiredSize(), (Lib::RectSize{0, 0}));
}

struct PlacementCase
{
    const char* name;
    float textHeight;
    LayoutRect box;
    Lib::Point text;
    uint32_t naturalHeight;
};

class CheckboxPlacement : public testing::TestWithParam<PlacementCase>
{
};

TEST_P(CheckboxPlacement, PutsBoxAndTextSideBySide)
{
    const PlacementCase& test = GetParam();
    TallTextEngine engine(test.textHeight);
    Checkbox checkbox(&engine);
    checkbox.SetText("Show");
    checkbox.SetRect({10, 110, 20, 60});
    checkbox.UpdateLayout();
    EXPECT_EQ(checkbox.GetBoxRect(), test.box);
    EXPECT_EQ(checkbox.GetTextPosition(), test.text);
    EXPECT_EQ(checkbox.GetDesiredSize().height, test.naturalHeight);
}

INSTANTIATE_TEST_SUITE_P(Heights, CheckboxPlacement,
                         testing::Values(PlacementCase{"SameHeight", 16.0f, {16, 32, 26, 42}, {37, 26}, 28},
                                         // a 24 tall text pushes the box down by 4
                                         PlacementCase{"TallText", 24.0f, {16, 32, 30, 46}, {37, 26}, 36},
                                         // a 10 tall text sits 3 lower, centred on the box
                                         PlacementCase{"ShortText", 10.0f, {16, 32, 26, 42}, {37, 29}, 28}),
                         [](const testing::TestParamInfo<PlacementCase>& p_Info)
                         { return std::string(p_Info.param.name); });

TEST_F(CheckboxTest, DrawsTextMarkAndBox)
{
    FixedMetricsGuiEngine engine;
    Checkbox checkbox(&engine);
    checkbox.SetText("Show");
    checkbox.SetRect({10, 110, 20, 60});
    checkbox.UpdateLayout();
    checkbox.m_Checked = 1;
    RecordingDrawingContext context;
    checkbox.Draw(context);
    EXPECT_EQ(context.calls, (std::vector<std::string>{
                                 "FillRect 10 110 20 60 r0 c=00000000",
                                 "DrawText \"Show\" 37 26 13pt w0 c=ffffffff",
                                 "FillRect 19 29 29 39 r0 c=ff818080",
                                 "DrawRect 16 32 26 42 t1 r0 c=ff61615f",
                             }));
}

TEST_F(CheckboxTest, UncheckedDrawsNoMarkAndHoverOrFocusHighlightsTheBox)
{
    FixedMetricsGuiEngine engine;
    Checkbox checkbox(&engine);
    checkbox.SetRect({0, 28, 0, 28});
    checkbox.UpdateLayout();
    for (const uint32_t flag : {k_LayoutHovered, k_LayoutFocused})
    {
        checkbox.SetFlag(k_LayoutHovered | k_LayoutFocused, false);
        checkbox.SetFlag(flag, true);
        RecordingDrawingContext context;
        checkbox.Draw(context);
        EXPECT_EQ(context.calls, (std::vector<std::string>{
                                     "FillRect 0 28 0 28 r0 c=00000000",
                                     "DrawRect 6 22 6 22 t1 r0 c=ffe9ae3d",
                                 }))
            << "flag " << flag;
    }
}

// ---- DrawOutline ---------------------------------------------------------------------------------

TEST(DrawOutline, AnEmptyRectangleMeansTheElementAndColourZeroMeansRed)
{
    LayoutTesting::TestElement element;
    element.SetRect({10, 50, 20, 40});
    element.SetOrigin({-5, 3});
    RecordingDrawingContext context;
    DrawOutline(element, context, {}, 0, 2.0f);
    DrawOutline(element, context, {1, 2, 3, 4}, 0xFF00FF00, 1.0f);
    EXPECT_EQ(context.calls, (std::vector<std::string>{
                                 "DrawRect 5 45 23 43 t2 r0 c=ff0000ff",
                                 "DrawRect 1 2 3 4 t1 r0 c=ff00ff00",
                             }));
}

TEST(Colours, SwappingRedAndBlueTurnsStyleColoursIntoDrawingColours)
{
    EXPECT_EQ(Colour::SwapRedBlue(0xFF8B4527u), Colour::k_Brown);
    EXPECT_EQ(Colour::SwapRedBlue(Colour::SwapRedBlue(0x12345678u)), 0x12345678u);
    EXPECT_EQ(Colour::SwapRedBlue(0x80102030u), 0x80302010u);
}
} // namespace
