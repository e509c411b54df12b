#pragma once

namespace Vozad
{
class Checkbox;

// For owners of check boxes. A check box toggles by itself on a click and does not call this;
// owners read the checked state when they need it.
class ICheckboxListener
{
public:
    virtual ~ICheckboxListener() = default;
    virtual void OnCheckboxChanged(Checkbox& p_Checkbox) = 0;
};
} // namespace Vozad
