#include "Corvan/Gui/Widgets/DrawOutline.h"

#include "Corvan/Gui/Colours.h"
#include "Corvan/Gui/IDrawingContext.h"
#include "Corvan/Gui/Widgets/WidgetSize.h"
#include "Corvan/Layout/LayoutBase.h"

namespace Vozad
{
void DrawOutline(const LayoutBase& p_Element, IDrawingContext& p_Context, const LayoutRect& p_Rect,
                 uint32_t p_Colour, float p_Thickness)
{
    const LayoutRect rect = p_Rect.IsNone() ? p_Element.GetDrawnRect() : p_Rect;
    p_Context.SetColour(p_Colour == 0 ? Colour::k_Red : p_Colour);
    p_Context.DrawRect(rect, p_Thickness, 0.0f);
}
} // namespace Vozad
