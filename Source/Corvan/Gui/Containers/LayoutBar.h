#pragma once
// A single row (horizontal) or column (vertical) of slots that grows by one slot per element.
#include "Corvan/Gui/Containers/LayoutGrid.h"
#include "Lib/Log.h"

#include <cstdint>
#include <memory>

namespace Vozad
{
class LayoutBar : public LayoutGrid
{
public:
    // Any non-zero value makes the bar vertical: one (1, Share) column and a row per slot;
    // a horizontal bar has one (1, Share) row and a column per slot.
    explicit LayoutBar(int32_t p_Vertical);

    // Appends an empty slot on the main axis.
    void AddSlot(int32_t p_Value, GridSizeMode p_Mode);
    // Puts the element into the last slot, then adds a new empty slot of the given size behind
    // it. The owner creates the first slot with AddSlot, and may fill the final empty slot with
    // a plain SetElement (element, owned, -1, -1).
    void AddElement(LayoutBase* p_Element, bool p_Owned, int32_t p_Value, GridSizeMode p_Mode);
    // Hands the element over: the bar owns it.
    void AddElement(std::unique_ptr<LayoutBase> p_Element, int32_t p_Value, GridSizeMode p_Mode)
    {
        AddElement(p_Element.release(), true, p_Value, p_Mode);
    }

    bool IsVertical() const { return m_Vertical != 0; }

private:
    Lib::LogTag m_Tag{"LayoutBar"};
    int32_t m_Vertical = 0;
};
} // namespace Vozad
