#include "Corvan/Layout/FocusOrder.h"

#include "Corvan/Layout/LayoutBase.h"

#include <algorithm>

namespace Vozad
{
namespace
{
const LayoutBase* g_KeyboardFocusShown = nullptr;

void Collect(LayoutBase& p_Element, std::vector<LayoutBase*>& p_Order)
{
    if (!p_Element.IsEnabled() || !p_Element.IsVisible())
        return;
    if (p_Element.TakesKeyboardFocus())
    {
        if (p_Element.IsActive())
            p_Order.push_back(&p_Element);
        // A control's own parts (a scroll view's content) are walked as well.
    }
    p_Element.ForEachChild([&p_Order](LayoutBase& p_Child) { Collect(p_Child, p_Order); });
}
// 1 when p_Control lies under p_Element and every holder on the way takes the key, 0 when one
// refuses it, -1 when p_Control is not under p_Element.
int KeyReaches(LayoutBase& p_Element, const LayoutBase& p_Control, int32_t p_KeyCode)
{
    if (&p_Element == &p_Control)
        return p_Element.TakesNavigationKey(p_KeyCode) ? 1 : 0;
    int found = -1;
    p_Element.ForEachChild(
        [&](LayoutBase& p_Child)
        {
            if (found < 0)
                found = KeyReaches(p_Child, p_Control, p_KeyCode);
        });
    if (found == 1 && !p_Element.TakesNavigationKey(p_KeyCode))
        return 0;
    return found;
}
} // namespace

bool NavigationKeyReaches(LayoutBase& p_Root, const LayoutBase& p_Control, int32_t p_KeyCode)
{
    return KeyReaches(p_Root, p_Control, p_KeyCode) != 0;
}

std::vector<LayoutBase*> CollectFocusable(LayoutBase& p_Root)
{
    std::vector<LayoutBase*> order;
    Collect(p_Root, order);
    return order;
}

LayoutBase* StepFocus(const std::vector<LayoutBase*>& p_Order, const LayoutBase* p_Current, int p_Step)
{
    if (p_Order.empty())
        return nullptr;
    const auto count = static_cast<int>(p_Order.size());
    const auto found = std::find(p_Order.begin(), p_Order.end(), p_Current);
    if (found == p_Order.end())
        return p_Step >= 0 ? p_Order.front() : p_Order.back();
    const int index = static_cast<int>(found - p_Order.begin());
    return p_Order[static_cast<size_t>(((index + p_Step) % count + count) % count)];
}

void SetKeyboardFocusShown(const LayoutBase* p_Element)
{
    g_KeyboardFocusShown = p_Element;
}

const LayoutBase* GetKeyboardFocusShown()
{
    return g_KeyboardFocusShown;
}
} // namespace Vozad
