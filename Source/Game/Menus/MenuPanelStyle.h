#pragma once
// The look the game's menu panels share: a translucent dark face with a light outline.
#include "Corvan/Gui/Widgets/WidgetStyle.h"

#include <cstdint>

namespace Vozad
{
class Button;
class IDrawingContext;
class LayoutBase;
} // namespace Vozad

namespace Snake
{
// 0xAARRGGBB, as in every style block.
inline constexpr uint32_t k_PanelBackground = 0xC83C3F41; // 60, 63, 65 at alpha 200
inline constexpr uint32_t k_PanelBorder = 0xFF8C8E8E;     // 140, 142, 142
// The orange of a selected tab's text and of the menus' notes and prompts.
inline constexpr uint32_t k_TabTextFocused = 0xFFFFA500;
// The face of a tabbed menu's pages and the line under its tab row.
inline constexpr uint32_t k_PageBackground = 0xFF383838;  // grey 56
inline constexpr uint32_t k_SeparatorColour = 0xFF8E8E8C; // 140, 142, 142 in the drawing packing

Vozad::WidgetStyle MakePanelStyle();
// The flat face of the about and options menus' tab buttons; the selected tab's text is orange.
void StyleTabButton(Vozad::Button& p_Button);
// Fills the panel's rectangle with the background and outlines it; the caller draws the content.
void DrawPanelFrame(const Vozad::LayoutBase& p_Panel, const Vozad::WidgetStyle& p_Style,
                    Vozad::IDrawingContext& p_Context);
} // namespace Snake
