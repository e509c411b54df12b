#pragma once
// A small box with an optional text beside it that toggles on every click reaching it.
#include "Corvan/Gui/Widgets/WidgetStyle.h"
#include "Corvan/Layout/LayoutBase.h"
#include "Corvan/Renderer/TextureInfo.h"
#include "Lib/Log.h"
#include "Lib/Point.h"
#include "Lib/String.h"

#include <cstdint>

namespace Vozad
{
class IGuiEngine;

class Checkbox : public LayoutBase
{
public:
    explicit Checkbox(IGuiEngine* p_Engine);

    // Measured with the 13-point font at once; placed at the next layout.
    void SetText(const Lib::String& p_Text);
    const Lib::String& GetText() const { return m_LabelStyle.text; }
    bool IsChecked() const { return m_Checked == 1; }
    void SetChecked(bool p_Checked) { m_Checked = p_Checked ? 1 : 0; }

    // Colours in the styles are 0xAARRGGBB.
    WidgetStyle& GetLabelStyle() { return m_LabelStyle; }
    WidgetStyle& GetBoxStyle() { return m_BoxStyle; }
    const WidgetStyle& GetBoxStyle() const { return m_BoxStyle; }
    // The 16 x 16 box in window pixels, valid after a layout.
    const LayoutRect& GetBoxRect() const { return m_BoxStyle.drawnRect; }
    Lib::Point GetTextPosition() const { return m_TextPosition; }
    const TextureInfo& GetCheckMarkTexture() const { return m_CheckMark; }
    int32_t GetNaturalWidth() const { return m_NaturalWidth; }
    int32_t GetNaturalHeight() const { return m_NaturalHeight; }

    // Returns the check box even when it passes no input, like a button.
    bool TakesKeyboardFocus() const override { return true; }
    LayoutBase* OnMousePress(EventMousePress& p_Event) override;
    // Toggles on any button; the forwarder is not told.
    LayoutBase* OnMouseClick(EventMousePress& p_Event) override;
    void UpdateLayout() override;
    void Draw(IDrawingContext& p_Context) override;
    void SetVisibility(int32_t p_Visibility) override;
    Lib::RectSize GetDesiredSize() const override;

    // 1 checked, 0 not; owners read and set it directly.
    int32_t m_Checked = 0;

private:
    IGuiEngine* m_Engine; // not owned
    Lib::LogTag m_Tag{"Checkbox"};
    WidgetStyle m_LabelStyle;
    WidgetStyle m_BoxStyle;
    TextureInfo m_CheckMark;
    int32_t m_NaturalWidth = 0;
    int32_t m_NaturalHeight = 0;
    Lib::Point m_TextPosition;
    int32_t m_PaddingLeft = 5;
    int32_t m_PaddingTop = 5;
    int32_t m_TextGap = 5;
    int32_t m_PaddingBottom = 5;
    int32_t m_PaddingRight = 5;
    int32_t m_BoxSize = 16;
};
} // namespace Vozad
