#include "Corvan/Gui/Colours.h"
#include "Corvan/Gui/Widgets/Label.h"
#include "Corvan/Layout/LayoutBase.h"
#include "Support/FixedMetricsGuiEngine.h"
#include "Support/RecordingDrawingContext.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{
using namespace Vozad;
using Vozad::Testing::FixedMetricsGuiEngine;
using Vozad::Testing::RecordingDrawingContext;

// Counts what the label asks to have measured, so re-measuring shows.
class CountingEngine : public FixedMetricsGuiEngine
{
public:
    std::vector<std::string> measured;
    TextMetrics MeasureText(const Lib::String& p_Text, const FontSpec& p_Font) override
    {
        measured.emplace_back(p_Text.ToNarrow().Data());
        return FixedMetricsGuiEngine::MeasureText(p_Text, p_Font);
    }
};

std::string Shown(const Label& p_Label)
{
    return p_Label.GetShownText().ToNarrow().Data();
}

// Paddings 3 + 3 and no border: 6 pixels of the width never hold text. Every character is 7
// pixels wide, so "Hello World" needs 77.
struct ShorteningCase
{
    int32_t rectWidth;
    const char* shown;
};

class LabelShortening : public testing::TestWithParam<ShorteningCase>
{
};

TEST_P(LabelShortening, ShowsTheLongestPrefixThatFitsWithDots)
{
    FixedMetricsGuiEngine engine;
    Label label(&engine, 14);
    label.SetText("Hello World");
    label.SetRect({0, GetParam().rectWidth, 0, 20});
    label.UpdateLayout();
    EXPECT_EQ(Shown(label), GetParam().shown);
    EXPECT_EQ(label.GetText().ToNarrow().Bytes(), "Hello World");
}

INSTANTIATE_TEST_SUITE_P(Widths, LabelShortening,
                         testing::Values(ShorteningCase{200, "Hello World"}, // plenty of room
                                         ShorteningCase{83, "Hello World"},  // exactly 77 for the text
                                         ShorteningCase{82, "Hello W..."},   // one pixel short
                                         ShorteningCase{69, "Hello..."},     // "Hello ..." would fit: no gap
                                         ShorteningCase{66, "Hello..."}, ShorteningCase{50, "Hel..."},
                                         ShorteningCase{34, "H..."}, // "H..." needs exactly 28
                                         ShorteningCase{33, ""},     // not even one letter and dots
                                         ShorteningCase{10, ""}),    // the first glyph alone is too wide
                         [](const testing::TestParamInfo<ShorteningCase>& p_Info)
                         { return "Width" + std::to_string(p_Info.param.rectWidth); });

TEST(Label, AWishedWidthNarrowerThanTheRectangleShortens)
{
    FixedMetricsGuiEngine engine;
    Label label(&engine, 14);
    label.SetText("Hello World");
    label.SetDesiredWidth(50);
    label.SetRect({0, 200, 0, 20});
    label.UpdateLayout();
    EXPECT_EQ(Shown(label), "Hel...");

    // Room again: the full text comes back.
    label.SetDesiredWidth(k_NoDesiredSize);
    label.UpdateLayout();
    EXPECT_EQ(Shown(label), "Hello World");
}

TEST(Label, SingleLineTextLosesItsLineBreaks)
{
    FixedMetricsGuiEngine engine;
    Label label(&engine, 14);
    label.SetText("ab\ncd\n");
    EXPECT_EQ(label.GetText().ToNarrow().Bytes(), "abcd");
    EXPECT_EQ(label.GetNaturalWidth(), 6 + 28);
    EXPECT_EQ(label.GetNaturalHeight(), 4 + 16);
}

TEST(Label, MultiLineNaturalSizeComesFromTheWidestLineAndTheLineCount)
{
    FixedMetricsGuiEngine engine;
    Label label(&engine, 14);
    label.m_MultiLine = true;
    label.SetText("ab\ncdef\n\nxyz");
    EXPECT_EQ(label.GetText().ToNarrow().Bytes(), "ab\ncdef\n\nxyz");
    EXPECT_EQ(label.GetNaturalWidth(), 28 + 6); // "cdef"
    // Four lines one pixel size (14 pt = 18 px) apart, the empty one included; the last line
    // needs the taller of that and the font's measured height (16 here).
    EXPECT_EQ(label.GetNaturalHeight(), 4 * 18 + 4);

    label.SetRect({0, 200, 0, 100});
    label.UpdateLayout();
    EXPECT_EQ(label.GetNaturalHeight(), 4 * 18 + 4);
    EXPECT_EQ(Shown(label), "ab\ncdef\n\nxyz");

    // 20 pixels for text: "cdef" (28) and "xyz" (21) each wrap onto one more line.
    label.SetRect({0, 26, 0, 100});
    label.UpdateLayout();
    EXPECT_EQ(label.GetNaturalHeight(), 6 * 18 + 4);
}

TEST(Label, MultiLineTextIsDrawnWholeAndWrapped)
{
    FixedMetricsGuiEngine engine;
    Label label(&engine, 14);
    label.m_MultiLine = true;
    label.SetText("first line\nsecond");
    label.SetRect({0, 40, 0, 100});
    label.UpdateLayout();
    RecordingDrawingContext context;
    label.Draw(context);
    EXPECT_EQ(context.CallsStartingWith("DrawText"),
              std::vector<std::string>{"DrawText \"first line\nsecond\" 3 2 14pt w34 c=ffffffff"});
}

TEST(Label, TheSameTextAgainIsNotMeasuredAgain)
{
    CountingEngine engine;
    Label label(&engine, 14);
    label.SetText("Hello");
    label.SetText("Hello");
    EXPECT_EQ(engine.measured, std::vector<std::string>{"Hello"});
}

TEST(Label, AnEmptyTextKeepsTheNaturalSize)
{
    FixedMetricsGuiEngine engine;
    Label label(&engine, 14);
    label.SetText("Hello");
    label.SetText("");
    EXPECT_EQ(label.GetText().ToNarrow().Bytes(), "");
    EXPECT_EQ(Shown(label), "");
    label.SetRect({0, 100, 0, 30});
    label.UpdateLayout();
    EXPECT_EQ(label.GetNaturalWidth(), 41);
    EXPECT_EQ(label.GetNaturalHeight(), 20);
    EXPECT_EQ(label.GetDesiredSize(), (Lib::RectSize{41, 20}));
}

TEST(Label, DesiredSizeRules)
{
    FixedMetricsGuiEngine engine;
    Label label(&engine, 14);
    label.SetRect({10, 60, 5, 25});
    // Nothing measured yet: the rectangle stands in.
    EXPECT_EQ(label.GetDesiredSize(), (Lib::RectSize{50, 20}));

    label.SetText("Hello");
    EXPECT_EQ(label.GetDesiredSize(), (Lib::RectSize{41, 20}));
    label.SetDesiredWidth(100);
    EXPECT_EQ(label.GetDesiredSize(), (Lib::RectSize{100, 20}));
    label.SetVisibility(k_LayoutHidden);
    EXPECT_EQ(label.GetDesiredSize(), (Lib::RectSize{100, 20}));
    label.SetVisibility(k_LayoutCollapsed);
    EXPECT_EQ(label.GetDesiredSize(), (Lib::RectSize{0, 0}));
}

TEST(Label, TakesNoInputAndAsksForNoMoreThanItsSize)
{
    FixedMetricsGuiEngine engine;
    Label label(&engine, 14);
    EXPECT_FALSE(label.IsActive());
    EXPECT_FALSE(label.PassesInput());
    EXPECT_TRUE(label.HasFlag(k_LayoutSizeToDesired));
}

TEST(Label, DrawsBackgroundClippedTextAndNoBorderByDefault)
{
    FixedMetricsGuiEngine engine;
    Label label(&engine, 14);
    label.SetText("Hello");
    label.SetRect({10, 110, 20, 44});
    label.UpdateLayout();
    RecordingDrawingContext context;
    label.Draw(context);
    EXPECT_EQ(context.calls, (std::vector<std::string>{
                                 "FillRect 10 110 20 44 r0 c=00000000",
                                 "PushClipRect 13 107 22 42",
                                 "DrawText \"Hello\" 13 22 14pt w94 c=ffffffff",
                                 "PopClipRect",
                             }));
}

TEST(Label, ABorderWidensThePaddingAndIsDrawnInTheStyleColourSwapped)
{
    FixedMetricsGuiEngine engine;
    Label label(&engine, 18);
    EXPECT_EQ(label.GetStyle().borderColour, 0xFF8B4527u); // brown, stored as 0xAARRGGBB
    label.GetStyle().borderThickness = 1;
    label.GetStyle().backgroundColour = 0x80102030;
    label.SetText("Hello");
    label.SetRect({10, 110, 20, 44});
    label.UpdateLayout();
    EXPECT_EQ(label.GetNaturalWidth(), 35 + 8);
    RecordingDrawingContext context;
    label.Draw(context);
    EXPECT_EQ(context.calls, (std::vector<std::string>{
                                 "FillRect 10 110 20 44 r0 c=80302010",
                                 "PushClipRect 13 107 22 42",
                                 "DrawText \"Hello\" 14 23 18pt w92 c=ffffffff",
                                 "PopClipRect",
                                 "DrawRect 10 110 20 44 t1 r0 c=ff27458b",
                             }));
}

struct AlignmentCase
{
    int32_t alignment;
    const char* text;
    int32_t desiredWidth;
    int32_t desiredHeight;
    Lib::Point position;
};

class LabelAlignment : public testing::TestWithParam<AlignmentCase>
{
};

TEST_P(LabelAlignment, PlacesTheText)
{
    const AlignmentCase& test = GetParam();
    FixedMetricsGuiEngine engine;
    Label label(&engine, 14, test.alignment);
    label.SetText(test.text);
    label.SetDesiredSize(test.desiredWidth, test.desiredHeight);
    label.SetRect({10, 110, 20, 60});
    label.UpdateLayout();
    EXPECT_EQ(label.GetStyle().textPosition, test.position);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LabelAlignment,
    testing::Values(AlignmentCase{k_LabelAlignTopLeft, "Hi", 100, 40, {13, 22}},
                    // (100 - 14) / 2 and (40 - 16) / 2
                    AlignmentCase{k_LabelAlignCentre, "Hi", 100, 40, {53, 32}},
                    // unset: the natural 20 x 20 is the space, the paddings' halves win
                    AlignmentCase{k_LabelAlignCentre, "Hi", k_NoDesiredSize, k_NoDesiredSize, {13, 22}},
                    // centred on the shortened "Hel..." (42 wide) in 50
                    AlignmentCase{k_LabelAlignCentre, "Hello World", 50, 40, {14, 32}},
                    // odd remainder rounds toward zero: (101 - 14) / 2 = 43, inside 100 of rect
                    AlignmentCase{k_LabelAlignCentre, "Hi", 101, 41, {53, 32}}));

TEST(Label, DrawsWhereTheOriginMovesIt)
{
    FixedMetricsGuiEngine engine;
    Label label(&engine, 14);
    label.SetText("Hi");
    label.SetRect({10, 110, 20, 44});
    label.UpdateLayout();
    label.SetOrigin({5, -7});
    RecordingDrawingContext context;
    label.Draw(context);
    EXPECT_EQ(context.calls.front(), "FillRect 15 115 13 37 r0 c=00000000");
    EXPECT_EQ(context.CallsStartingWith("DrawText").front(), "DrawText \"Hi\" 18 15 14pt w94 c=ffffffff");
}

TEST(Label, ANewRectangleIsFittedAtTheNextDraw)
{
    FixedMetricsGuiEngine engine;
    Label label(&engine, 14);
    label.SetText("Hello World");
    label.SetRect({0, 200, 0, 20});
    label.UpdateLayout();
    label.SetRect({0, 50, 0, 20});
    RecordingDrawingContext context;
    label.Draw(context);
    EXPECT_EQ(context.CallsStartingWith("DrawText").front(), "DrawText \"Hel...\" 3 2 14pt w44 c=ffffffff");
}

TEST(Label, HiddenDrawsNothing)
{
    FixedMetricsGuiEngine engine;
    Label label(&engine, 14);
    label.SetText("Hi");
    label.SetRect({0, 50, 0, 20});
    label.SetVisibility(k_LayoutHidden);
    RecordingDrawingContext context;
    label.Draw(context);
    EXPECT_TRUE(context.calls.empty());
}
} // namespace
