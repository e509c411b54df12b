#pragma once
// The console's output: the newest of up to 1000 coloured lines, drawn from the bottom up, and
// scrolled back line by line with the wheel.
#include "Corvan/Gui/Console/ConsoleLine.h"
#include "Corvan/Gui/FontSpec.h"
#include "Corvan/Gui/Widgets/WidgetStyle.h"
#include "Corvan/Layout/LayoutBase.h"
#include "Lib/DynamicArray.h"
#include "Lib/Log.h"

namespace Vozad
{
class IGuiEngine;

class ConsoleScrollView : public LayoutBase
{
public:
    static constexpr uint32_t k_MaxLines = 1000;

    explicit ConsoleScrollView(IGuiEngine* p_Engine);

    // Measures the output font once: the line height is its height plus 2.
    void Setup();
    // Line breaks are dropped; while scrolled back the view keeps showing the same lines.
    void AddLine(ConsoleLine p_Line);
    void ClearLines();

    bool OnMouseScroll(EventMouseScroll& p_Event) override; // always consumed
    void UpdateLayout() override;
    void Draw(IDrawingContext& p_Context) override;
    void SetVisibility(int32_t p_Visibility) override;

    int32_t GetScrollOffset() const { return m_ScrollOffset; } // in lines; 0 = newest at the bottom
    int32_t GetLineHeight() const { return m_LineHeight; }
    int32_t GetVisibleLineCount() const { return m_VisibleLineCount; }
    uint32_t GetLineCount() const { return m_Lines.Count(); }
    const ConsoleLine& GetLine(uint32_t p_Index) const { return m_Lines[p_Index]; }
    const FontSpec& GetFont() const { return m_Font; }

private:
    Lib::LogTag m_Tag{"ConsoleScrollView"};
    IGuiEngine* m_Engine = nullptr; // not owned
    WidgetStyle m_Style;
    int32_t m_ScrollOffset = 0;
    FontSpec m_Font{13, k_BuiltInFontName};
    int32_t m_LineHeight = 0;
    int32_t m_VisibleLineCount = 0;
    Lib::DynamicArray<ConsoleLine> m_Lines; // oldest first
};
} // namespace Vozad
