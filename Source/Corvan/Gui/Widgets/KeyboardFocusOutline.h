#pragma once
// The ring around the control that the keyboard focused, drawn over everything else so that no
// neighbour hides it.

namespace Vozad
{
class IDrawingContext;

// Nothing while the focus last moved by the mouse or the focused control is not Visible.
void DrawKeyboardFocusOutline(IDrawingContext& p_Context);
} // namespace Vozad
