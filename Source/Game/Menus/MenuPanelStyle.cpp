#include "Game/Menus/MenuPanelStyle.h"

#include "Corvan/Gui/Colours.h"
#include "Corvan/Gui/IDrawingContext.h"
#include "Corvan/Gui/Widgets/Button.h"
#include "Corvan/Layout/LayoutBase.h"

namespace Snake
{
Vozad::WidgetStyle MakePanelStyle()
{
    Vozad::WidgetStyle style;
    style.backgroundColour = k_PanelBackground;
    style.borderColour = k_PanelBorder;
    style.borderThickness = 1;
    style.rounding = 4;
    return style;
}

void StyleTabButton(Vozad::Button& p_Button)
{
    Vozad::WidgetStyle& style = p_Button.GetStyle();
    style.backgroundColour = 0xFF4D4D4F;
    style.backgroundColourFocused = 0xFF626264;
    style.backgroundColourHovered = 0xFF58585A;
    style.borderColour = 0;
    style.borderColourFocused = 0;
    style.borderColourHovered = 0xFF7C7C80;
    style.textColour = 0xFFFFFFFF;
    style.textColourFocused = k_TabTextFocused;
    style.changed = true;
    p_Button.SetDesiredWidth(100);
}

void DrawPanelFrame(const Vozad::LayoutBase& p_Panel, const Vozad::WidgetStyle& p_Style,
                    Vozad::IDrawingContext& p_Context)
{
    const Vozad::LayoutRect rect = p_Panel.GetDrawnRect();
    const float rounding = static_cast<float>(p_Style.rounding);
    p_Context.SetColour(Vozad::Colour::SwapRedBlue(p_Style.backgroundColour));
    p_Context.FillRect(rect, rounding);
    p_Context.SetColour(Vozad::Colour::SwapRedBlue(p_Style.borderColour));
    p_Context.DrawRect(rect, static_cast<float>(p_Style.borderThickness), rounding);
}
} // namespace Snake
