#pragma once
// A text that cannot be clicked: one line cut to fit with "...", or several lines drawn wrapped.
#include "Corvan/Gui/Widgets/WidgetStyle.h"
#include "Corvan/Layout/LayoutBase.h"
#include "Lib/DynamicArray.h"
#include "Lib/Log.h"
#include "Lib/String.h"

#include <cstdint>

namespace Vozad
{
class IGuiEngine;

enum LabelAlignment : int32_t
{
    k_LabelAlignTopLeft = 0,
    k_LabelAlignCentre = 4,
};

class Label : public LayoutBase
{
public:
    // Labels never take input and never grow past their natural size in a grid cell.
    Label(IGuiEngine* p_Engine, uint32_t p_FontSize, int32_t p_Alignment = k_LabelAlignTopLeft);

    // Measures at once. The same text again does nothing; an empty text keeps the last natural
    // size, so a label that is blanked for a moment does not make its row jump.
    void SetText(const Lib::String& p_Text);
    const Lib::String& GetText() const { return m_FullText; }
    // The full text, or the prefix with "..." that fits the current rectangle.
    const Lib::String& GetShownText() const { return m_ShownText; }

    // Colours in the style are 0xAARRGGBB.
    WidgetStyle& GetStyle() { return m_Style; }
    const WidgetStyle& GetStyle() const { return m_Style; }
    int32_t GetAlignment() const { return m_Alignment; }
    int32_t GetNaturalWidth() const { return m_NaturalWidth; }
    int32_t GetNaturalHeight() const { return m_NaturalHeight; }
    void SetPadding(int32_t p_Left, int32_t p_Top, int32_t p_Right, int32_t p_Bottom);

    void UpdateLayout() override;
    void Draw(IDrawingContext& p_Context) override;
    Lib::RectSize GetDesiredSize() const override;

    // Set before the text: a multi-line label keeps its line breaks and draws wrapped.
    bool m_MultiLine = false;

private:
    void MeasureLines();
    void FitText();
    int32_t CountLines(float p_AvailableWidth) const;
    LayoutRect DrawnRect() const;
    // The wished size with unset components taken from the natural size (or the rectangle).
    Lib::RectSize WishedSize() const;

    IGuiEngine* m_Engine; // not owned
    Lib::LogTag m_Tag{"Label"};
    Lib::String m_FullText;
    Lib::String m_ShownText;
    WidgetStyle m_Style;
    int32_t m_Alignment;
    int32_t m_PaddingLeft = 3;
    int32_t m_PaddingTop = 2;
    int32_t m_PaddingRight = 3;
    int32_t m_PaddingBottom = 2;
    int32_t m_NaturalWidth = 0;
    int32_t m_NaturalHeight = 0;
    // Multi-line labels: measured width of every line-break separated part, in order.
    Lib::DynamicArray<float> m_LineWidths;
};
} // namespace Vozad
