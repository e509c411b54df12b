#pragma once
#include <cstdint>

namespace Vozad
{
class ComboBox;

// Implemented by menus that own combo boxes; the combo box keeps it for its owner.
class IComboBoxItemSelect
{
public:
    virtual ~IComboBoxItemSelect() = default;
    virtual void OnComboBoxItemSelected(ComboBox& p_Sender, uint32_t p_Index) = 0;
};
} // namespace Vozad
