#pragma once
// A grid that paints a filled, outlined background behind its cells. A press anywhere on it that
// no child takes is its own, so clicking a panel's background focuses the panel.
#include "Corvan/Gui/Containers/LayoutGrid.h"
#include "Corvan/Gui/Widgets/WidgetStyle.h"
#include "Lib/Log.h"

#include <cstdint>

namespace Vozad
{
class ColouredLayout : public LayoutGrid
{
public:
    // Colours in the drawing packing 0xAABBGGRR (as the named colours); they come out unchanged.
    ColouredLayout(uint32_t p_BackgroundColour, uint32_t p_BorderColour, int32_t p_Rounding);

    LayoutBase* OnMousePress(EventMousePress& p_Event) override;
    LayoutBase* OnMouseRelease(EventMousePress& p_Event) override;
    LayoutBase* OnMouseClick(EventMousePress& p_Event) override;
    void Draw(IDrawingContext& p_Context) override;

    // Colours here are 0xAARRGGBB, as in every style block.
    const WidgetStyle& GetStyle() const { return m_Style; }
    WidgetStyle& GetStyle() { return m_Style; }

private:
    Lib::LogTag m_Tag{"ColouredLayout"};
    WidgetStyle m_Style;
};
} // namespace Vozad
