#pragma once
// The order in which the keyboard walks a panel's controls, and the one control whose focus the
// keyboard put there (the one that shows an outline).
#include <cstdint>
#include <vector>

namespace Vozad
{
class LayoutBase;

// The controls under p_Root that can take the keyboard focus now, in the order their holders
// placed them (a form reads left to right, then top to bottom). A holder that is Hidden,
// Collapsed or disabled hides everything inside it.
std::vector<LayoutBase*> CollectFocusable(LayoutBase& p_Root);

// The control p_Step places after p_Current, wrapping around at either end; the first (p_Step
// > 0) or last control when p_Current is not in the order. Null for an empty order.
LayoutBase* StepFocus(const std::vector<LayoutBase*>& p_Order, const LayoutBase* p_Current, int p_Step);

// False when p_Control or an element holding it under p_Root refuses p_KeyCode as a navigation
// key (LayoutBase::SetNavigationKeys); true also for a control that is not under p_Root.
bool NavigationKeyReaches(LayoutBase& p_Root, const LayoutBase& p_Control, int32_t p_KeyCode);

// Null when the focus last moved by the mouse or nothing has it. The event manager keeps it and
// forgets destroyed elements.
void SetKeyboardFocusShown(const LayoutBase* p_Element);
const LayoutBase* GetKeyboardFocusShown();
} // namespace Vozad
