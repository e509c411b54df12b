// Menus from the keyboard: what Tab, the arrow keys and Return do when no element took them.
#include "Corvan/EventRouting/EventManager.h"
#include "Corvan/Events/KeyCodes.h"
#include "Corvan/Layout/FocusOrder.h"
#include "Corvan/Layout/LayoutBase.h"

#include <algorithm>
#include <vector>

namespace Vozad
{
namespace
{
constexpr int32_t k_LeftButton = 1;

// +1 forward, -1 back, 0 for a key that does not move the focus.
int StepOf(int32_t p_KeyCode, int32_t p_Modifiers)
{
    switch (p_KeyCode)
    {
    case KeyCode::Tab:
        return (p_Modifiers & (k_ModifierLeftShift | k_ModifierRightShift)) != 0 ? -1 : 1;
    case KeyCode::DownArrow:
    case KeyCode::RightArrow:
        return 1;
    case KeyCode::UpArrow:
    case KeyCode::LeftArrow:
        return -1;
    default:
        return 0;
    }
}
} // namespace

bool EventManager::NavigateByKey(int32_t p_KeyCode, int32_t p_Modifiers)
{
    const int step = StepOf(p_KeyCode, p_Modifiers);
    if ((step == 0 && p_KeyCode != KeyCode::Return) || !m_Root)
        return false;
    const std::vector<LayoutBase*> order = CollectFocusable(*m_Root);
    if (order.empty())
        return false;
    // An input line (the console's) keeps every key to itself while it is shown.
    if (m_Focused && m_Focused->KeepsNavigationKeys() && m_Focused->PassesInput())
        return false;
    const bool focusInOrder = std::find(order.begin(), order.end(), m_Focused) != order.end();
    // A panel may leave some keys to something else (the game's steering keys over its board).
    if (!NavigationKeyReaches(*m_Root, focusInOrder ? *m_Focused : *order.front(), p_KeyCode))
        return false;
    if (step == 0)
    {
        // Return with no control focused takes the panel's first one, as a default button.
        Activate(focusInOrder ? *m_Focused : *order.front());
        return true;
    }
    LayoutBase* next = StepFocus(order, focusInOrder ? m_Focused : nullptr, step);
    if (next != m_Focused)
        SetFocus(next);
    SetKeyboardFocusShown(next);
    return true;
}

void EventManager::Activate(LayoutBase& p_Element)
{
    // A click in the middle of the control: whatever the mouse would do, the key does, through
    // the same routing (focus, popups, the panel's listeners).
    const LayoutRect rect = p_Element.GetDrawnRect();
    const Lib::Point centre{rect.left + rect.Width() / 2, rect.top + rect.Height() / 2};
    SendMouseButtonDown(k_LeftButton, 0, centre);
    SendMouseButtonUp(k_LeftButton, 0, centre);
    // The click came from the keyboard: the outline stays where the keyboard put the focus.
    if (m_Focused == &p_Element)
        SetKeyboardFocusShown(&p_Element);
}
} // namespace Vozad
