#pragma once
// Sits between a set of elements and their real listener and keeps exactly one member
// highlighted: the member that last took the focus stays marked when the keyboard focus moves
// elsewhere, so key presses routed through the tree still reach it.
#include "Corvan/Layout/ILayoutEventForwarder.h"
#include "Lib/DynamicArray.h"

#include <cstdint>

namespace Vozad
{
class LayoutFocusGroup : public ILayoutEventForwarder
{
public:
    explicit LayoutFocusGroup(ILayoutEventForwarder* p_Inner = nullptr) : m_Inner(p_Inner) {}

    // Null is ignored. The element reports to the group from now on; it is listed once, and a
    // member that is focused when it joins becomes the current one.
    void AddMember(LayoutBase* p_Element);

    void SetInner(ILayoutEventForwarder* p_Inner) { m_Inner = p_Inner; }
    ILayoutEventForwarder* GetInner() const { return m_Inner; }
    uint32_t GetCurrent() const { return m_Current; }
    uint32_t GetMemberCount() const { return m_Members.Count(); }
    LayoutBase* GetMember(uint32_t p_Index) const { return m_Members.At(p_Index); }

    // Passed unchanged, with the same sender, to the inner listener.
    bool OnTextInput(EventTextInput& p_Event, LayoutBase& p_Sender) override;
    bool OnKeyPress(EventKeyInput& p_Event, LayoutBase& p_Sender) override;
    bool OnKeyRepeat(EventKeyInput& p_Event, LayoutBase& p_Sender) override;
    bool OnKeyRelease(EventKeyInput& p_Event, LayoutBase& p_Sender) override;
    bool OnMouseScroll(EventMouseScroll& p_Event, LayoutBase& p_Sender) override;
    LayoutBase* OnMousePress(EventMousePress& p_Event, LayoutBase& p_Sender) override;
    LayoutBase* OnMouseRelease(EventMousePress& p_Event, LayoutBase& p_Sender) override;
    LayoutBase* OnMouseClick(EventMousePress& p_Event, LayoutBase& p_Sender) override;
    LayoutBase* FindElementAt(EventCursor& p_Event, LayoutBase& p_Sender) override;
    LayoutBase* OnHoverChanged(EventCursor& p_Event, LayoutBase& p_Sender) override;
    bool OnCursorDrag(EventCursor& p_Event, LayoutBase& p_Sender) override;
    bool OnCursorEnter(EventMouseEnter& p_Event, LayoutBase& p_Sender) override;
    bool OnCursorLeave(EventMouseLeave& p_Event, LayoutBase& p_Sender) override;

    // Moves the highlight to a member that gains focus (true); a current member that loses
    // focus keeps its highlight (false). Non-members answer false.
    bool OnFocusChanged(bool p_Focused, LayoutBase& p_Sender) override;

private:
    uint32_t m_Current = 0;
    Lib::DynamicArray<LayoutBase*> m_Members; // not owned, in the order added
    ILayoutEventForwarder* m_Inner;           // not owned; usually the owner menu
};
} // namespace Vozad
