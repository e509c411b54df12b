#pragma once
// The popups that are open: layers of the root stack above its first layer, oldest first. The
// layer shows and focuses a popup when it opens, drops it when it closes or is destroyed, and
// keeps the open popups above a root that is replaced. The event manager reaches it as its
// IOpenPopups to move their focus on a press and to offer them the wheel.
#include "Corvan/EventRouting/EventManager.h"
#include "Lib/DynamicArray.h"

#include <cstdint>

namespace Vozad
{
class ContentLayoutBase;
class LayoutBase;
class LayoutStack;
class Popup;

class PopupLayer : public IOpenPopups
{
public:
    // The stack the popups are layers of; not owned. The popups that are open become layers of
    // the new root; null leaves nothing for popups to open on.
    void SetRoot(LayoutStack* p_Root);
    // The root's new top layer, visible and focused; nothing without a root, for null or for a
    // popup that is open already.
    void Open(Popup* p_Popup);
    // Removes the popup's layer; nothing for a popup that is not open.
    void Close(Popup* p_Popup);
    // A popup destroyed while open leaves the list and the root.
    void Forget(const LayoutBase* p_Element);
    // Forgets every popup without touching it or the root (the root goes away with them).
    void Clear() { m_Open.Clear(); }
    bool IsOpen(const ContentLayoutBase* p_Popup) const { return Find(p_Popup) >= 0; }

    // IOpenPopups
    uint32_t GetOpenPopupCount() const override { return m_Open.Count(); }
    ContentLayoutBase* GetOpenPopup(uint32_t p_Index) const override;
    // Closes the popup when it closes on outside presses.
    void OnPressedOutside(ContentLayoutBase& p_Popup) override;

private:
    int32_t Find(const ContentLayoutBase* p_Popup) const;

    LayoutStack* m_Root = nullptr;    // not owned
    Lib::DynamicArray<Popup*> m_Open; // not owned; their openers own them
};
} // namespace Vozad
