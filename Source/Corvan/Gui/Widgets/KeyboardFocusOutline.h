#pragma once
// The ring around the control that the keyboard focused, drawn over everything else so that no
// neighbour hides it.

namespace Vozad
{
class IDrawingContext;
class LayoutBase;

// Nothing while the focus last moved by the mouse, or while the focused control is not one the
// keyboard can reach under p_Root now (its panel went away).
void DrawKeyboardFocusOutline(LayoutBase& p_Root, IDrawingContext& p_Context);
} // namespace Vozad
