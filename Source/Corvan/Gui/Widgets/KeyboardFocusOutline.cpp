#include "Corvan/Gui/Widgets/KeyboardFocusOutline.h"

#include "Corvan/Gui/Widgets/DrawOutline.h"
#include "Corvan/Layout/FocusOrder.h"
#include "Corvan/Layout/LayoutBase.h"

#include <algorithm>
#include <vector>

namespace Vozad
{
namespace
{
constexpr uint32_t k_OutlineColour = 0xFF00C8FF; // amber, in the drawing packing 0xAABBGGRR
constexpr int32_t k_OutlineGap = 3;
constexpr float k_OutlineThickness = 2.0f;
} // namespace

void DrawKeyboardFocusOutline(LayoutBase& p_Root, IDrawingContext& p_Context)
{
    const LayoutBase* element = GetKeyboardFocusShown();
    if (!element)
        return;
    // A hidden panel leaves its controls' own visibility alone: ask the tree.
    const std::vector<LayoutBase*> reachable = CollectFocusable(p_Root);
    if (std::find(reachable.begin(), reachable.end(), element) == reachable.end())
        return;
    LayoutRect rect = element->GetDrawnRect();
    rect.left -= k_OutlineGap;
    rect.right += k_OutlineGap;
    rect.top -= k_OutlineGap;
    rect.bottom += k_OutlineGap;
    DrawOutline(*element, p_Context, rect, k_OutlineColour, k_OutlineThickness);
}
} // namespace Vozad
