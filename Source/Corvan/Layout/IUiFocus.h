#pragma once

namespace Vozad
{
class LayoutBase;

// Owner of the keyboard focus; the engine implements it. Elements remember the owner that
// focused them so they can give the focus back when they are hidden or destroyed: an owner must
// therefore outlive every element it has ever focused.
class IUiFocus
{
public:
    virtual ~IUiFocus() = default;
    // Null is ignored; the previously focused element is told it lost the focus.
    virtual void SetFocus(LayoutBase* p_Element) = 0;
    // Only the currently focused element can give the focus back; anything else is ignored.
    virtual void ReleaseFocus(LayoutBase* p_Element) = 0;
};
} // namespace Vozad
