#include "Corvan/Gui/Containers/LayoutBar.h"

namespace Vozad
{
LayoutBar::LayoutBar(int32_t p_Vertical) : m_Vertical(p_Vertical)
{
    // The cross axis is one track that takes the bar's whole extent.
    if (IsVertical())
        AddColumn(1, GridSizeMode::Share);
    else
        AddRow(1, GridSizeMode::Share);
}

void LayoutBar::AddSlot(int32_t p_Value, GridSizeMode p_Mode)
{
    if (IsVertical())
        AddRow(p_Value, p_Mode);
    else
        AddColumn(p_Value, p_Mode);
}

void LayoutBar::AddElement(LayoutBase* p_Element, bool p_Owned, int32_t p_Value, GridSizeMode p_Mode)
{
    SetElement(p_Element, p_Owned, -1, -1);
    AddSlot(p_Value, p_Mode);
}
} // namespace Vozad
