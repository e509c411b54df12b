#pragma once
// Every element of the GUI tree: its rectangle, wished size, state flags, visibility and id, and
// the default event behaviour that reports to the element's listener.
#include "Corvan/Layout/LayoutRect.h"
#include "Lib/Point.h"
#include "Lib/RectSize.h"

#include <cstdint>
#include <functional>

namespace Vozad
{
class EventCursor;
class EventKeyInput;
class EventMouseEnter;
class EventMouseLeave;
class EventMousePress;
class EventMouseScroll;
class EventTextInput;
class IDrawingContext;
class ILayoutEventForwarder;
class INavigationKeys;
class IUiFocus;
class LayoutBase;

// State flag bits. Bits 4 to 6 are layout hints that widget constructors and owners set directly.
enum LayoutFlag : uint32_t
{
    k_LayoutEnabled = 1,
    k_LayoutFocused = 2, // in a focus group also the highlighted member
    k_LayoutHovered = 4,
    k_LayoutActive = 8,                // takes input; labels clear it
    k_LayoutSizeToDesired = 16,        // a grid cell gives the element no more than its desired size
    k_LayoutAtLeastDesiredWidth = 32,  // a grid lays itself out at least as wide as it wishes
    k_LayoutAtLeastDesiredHeight = 64, // a grid lays itself out at least as tall as it wishes
};

enum LayoutVisibility : int32_t
{
    k_LayoutVisible = 0,
    k_LayoutHidden = 1,    // neither draws nor takes input, keeps its desired size
    k_LayoutCollapsed = 2, // as hidden, and wishes no space at all
};

// Told of every element's destruction, so that whoever tracks elements by pointer across events
// (the event manager's hovered element) never keeps a dangling one.
class ILayoutLifetimeObserver
{
public:
    virtual ~ILayoutLifetimeObserver() = default;
    virtual void OnElementDestroyed(const LayoutBase* p_Element) = 0;
};

// A desired width or height of this value means "no wish: take what the parent gives".
inline constexpr int32_t k_NoDesiredSize = 2147483647;

class LayoutBase
{
public:
    LayoutBase() = default;
    LayoutBase(const LayoutBase&) = delete;
    LayoutBase& operator=(const LayoutBase&) = delete;
    virtual ~LayoutBase();

    // Event operations. The defaults report to the forwarder only while the element passes input.
    virtual bool OnTextInput(EventTextInput& p_Event);
    virtual bool OnKeyPress(EventKeyInput& p_Event); // also needs the focused bit
    virtual bool OnKeyRepeat(EventKeyInput& p_Event);
    virtual bool OnKeyRelease(EventKeyInput& p_Event);
    virtual bool OnMouseScroll(EventMouseScroll& p_Event);
    virtual LayoutBase* OnMousePress(EventMousePress& p_Event);
    virtual LayoutBase* OnMouseRelease(EventMousePress& p_Event);
    virtual LayoutBase* OnMouseClick(EventMousePress& p_Event);
    // A leaf that is asked is the answer: containers have already tested the position.
    virtual LayoutBase* FindElementAt(EventCursor& p_Event);
    virtual LayoutBase* OnHoverChanged(EventCursor& p_Event);
    virtual bool OnCursorDrag(EventCursor& p_Event);
    virtual bool OnCursorEnter(EventMouseEnter& p_Event);
    virtual bool OnCursorLeave(EventMouseLeave& p_Event);

    virtual void UpdateLayout() {}
    virtual void Draw(IDrawingContext&) {}
    virtual void SetOrigin(Lib::Point p_Origin);
    virtual void SetClipRect(const LayoutRect& p_ClipRect);
    virtual bool IsEnabled() const;
    virtual void SetEnabled(bool p_Enabled);
    virtual bool IsVisible() const;
    virtual int32_t GetVisibility() const;
    // Leaving Visible while focused gives the focus back through the focus owner.
    virtual void SetVisibility(int32_t p_Visibility);
    virtual bool IsFocused() const;
    // Tells the forwarder; use SetFlag to change the bit without telling anyone.
    virtual void SetFocused(bool p_Focused);
    virtual bool IsHovered() const;
    virtual void SetHovered(bool p_Hovered);
    virtual bool IsActive() const;
    virtual void SetActive(bool p_Active);
    // Only stores the rectangle; the parent calls UpdateLayout next.
    virtual void SetRect(const LayoutRect& p_Rect);
    // (0, 0) when Collapsed; k_NoDesiredSize components are passed on unchanged.
    virtual Lib::RectSize GetDesiredSize() const;
    virtual void SetDesiredSize(int32_t p_Width, int32_t p_Height);
    virtual void SetDesiredWidth(int32_t p_Width);
    virtual void SetDesiredHeight(int32_t p_Height);
    virtual LayoutBase* FindById(int32_t p_Id);
    // The elements this one holds, in the order they were placed; leaves hold none.
    virtual void ForEachChild(const std::function<void(LayoutBase&)>&) {}
    // Whether Tab and the arrow keys stop here: controls do, labels and containers do not.
    virtual bool TakesKeyboardFocus() const { return false; }
    // Whether Tab and the arrow keys belong to this element while it has the focus (an input
    // line), instead of moving the focus on.
    virtual bool KeepsNavigationKeys() const { return false; }

    // Enabled, Visible and active: the condition for every default event operation.
    bool PassesInput() const;
    bool HasFlag(uint32_t p_Flag) const { return (m_Flags & p_Flag) != 0; }
    // Changes flag bits directly, without notifying the forwarder.
    void SetFlag(uint32_t p_Flag, bool p_Set);
    uint32_t GetFlags() const { return m_Flags; }

    // One observer for the process (the engine's event manager); null for none.
    static void SetLifetimeObserver(ILayoutLifetimeObserver* p_Observer);
    static ILayoutLifetimeObserver* GetLifetimeObserver();

    ILayoutEventForwarder* GetForwarder() const { return m_Forwarder; }
    void SetForwarder(ILayoutEventForwarder* p_Forwarder) { m_Forwarder = p_Forwarder; }
    // The keys that may navigate among the controls this element holds; null lets every
    // navigation key do so. Not owned.
    const INavigationKeys* GetNavigationKeys() const { return m_NavigationKeys; }
    void SetNavigationKeys(const INavigationKeys* p_Keys) { m_NavigationKeys = p_Keys; }
    // False when this element's navigation keys refuse p_KeyCode.
    bool TakesNavigationKey(int32_t p_KeyCode) const;
    IUiFocus* GetFocusOwner() const { return m_FocusOwner; }
    void SetFocusOwner(IUiFocus* p_FocusOwner) { m_FocusOwner = p_FocusOwner; }
    Lib::Point GetOrigin() const { return m_Origin; }
    const LayoutRect& GetClipRect() const { return m_ClipRect; }
    const LayoutRect& GetRect() const { return m_Rect; }
    // Where the element draws in the window: its rectangle moved by its origin.
    LayoutRect GetDrawnRect() const
    {
        return {m_Rect.left + m_Origin.x, m_Rect.right + m_Origin.x, m_Rect.top + m_Origin.y,
                m_Rect.bottom + m_Origin.y};
    }
    int32_t GetDesiredWidth() const { return m_DesiredWidth; }
    int32_t GetDesiredHeight() const { return m_DesiredHeight; }
    int32_t GetId() const { return m_Id; }
    void SetId(int32_t p_Id) { m_Id = p_Id; }

private:
    ILayoutEventForwarder* m_Forwarder = nullptr;      // not owned
    const INavigationKeys* m_NavigationKeys = nullptr; // not owned
    Lib::Point m_Origin;                               // added to the rectangle where the element draws
    LayoutRect m_ClipRect;                             // from the parent; all zero = none
    IUiFocus* m_FocusOwner = nullptr;                  // the owner that last focused this element; not owned
    LayoutRect m_Rect;                                 // assigned by the parent, before the origin offset
    int32_t m_DesiredWidth = k_NoDesiredSize;
    int32_t m_DesiredHeight = k_NoDesiredSize;
    uint32_t m_Flags = k_LayoutEnabled | k_LayoutActive;
    int32_t m_Visibility = k_LayoutVisible;
    int32_t m_Id = -1;
};
} // namespace Vozad
