#pragma once
// Layers that all cover the stack's rectangle, bottom layer first. The engine's root element is a
// stack whose first layer is the game's top element and whose later layers are open popups.
#include "Corvan/Layout/LayoutBase.h"
#include "Lib/DynamicArray.h"

#include <cstdint>
#include <memory>

namespace Vozad
{
struct StackLayer
{
    bool owned = false;
    LayoutBase* element = nullptr;
    bool hiddenWithStack = false; // Visible until the stack itself was hidden
};

class LayoutStack : public LayoutBase
{
public:
    LayoutStack() = default;
    // Destroys the owned layers, bottom first.
    ~LayoutStack() override;

    // Null is ignored; the layer goes on top, even when the element is already in the stack.
    void AddLayer(LayoutBase* p_Element, bool p_Owned);
    // Hands the element over: the stack owns and destroys it.
    void AddLayer(std::unique_ptr<LayoutBase> p_Element) { AddLayer(p_Element.release(), true); }
    // Removes every layer holding the element (the layers above move down) and destroys the
    // element once if any of those layers owned it.
    void RemoveLayer(LayoutBase* p_Element);
    uint32_t GetLayerCount() const { return m_Layers.Count(); }
    const StackLayer& GetLayer(uint32_t p_Index) const { return m_Layers.At(p_Index); }

    // Only while the stack is enabled and Visible; the top layer is asked first and the first
    // layer that takes the event ends the walk.
    bool OnTextInput(EventTextInput& p_Event) override;
    bool OnKeyPress(EventKeyInput& p_Event) override;
    bool OnKeyRepeat(EventKeyInput& p_Event) override;
    bool OnKeyRelease(EventKeyInput& p_Event) override;
    bool OnMouseScroll(EventMouseScroll& p_Event) override;
    LayoutBase* OnMousePress(EventMousePress& p_Event) override;
    LayoutBase* OnMouseRelease(EventMousePress& p_Event) override;
    LayoutBase* OnMouseClick(EventMousePress& p_Event) override;
    LayoutBase* FindElementAt(EventCursor& p_Event) override;
    LayoutBase* OnHoverChanged(EventCursor& p_Event) override;
    bool OnCursorDrag(EventCursor& p_Event) override;
    // Entering and leaving the window go from the bottom layer up.
    bool OnCursorEnter(EventMouseEnter& p_Event) override;
    bool OnCursorLeave(EventMouseLeave& p_Event) override;

    void UpdateLayout() override;
    void Draw(IDrawingContext& p_Context) override;
    void SetOrigin(Lib::Point p_Origin) override;
    void SetClipRect(const LayoutRect& p_ClipRect) override;
    // Passed to the Visible layers; showing the stack again also shows the layers that hiding it
    // took away, and only those.
    void SetVisibility(int32_t p_Visibility) override;
    Lib::RectSize GetDesiredSize() const override;
    LayoutBase* FindById(int32_t p_Id) override;
    void ForEachChild(const std::function<void(LayoutBase&)>& p_Visit) override
    {
        for (uint32_t i = 0; i < m_Layers.Count(); ++i)
            if (m_Layers.At(i).element)
                p_Visit(*m_Layers.At(i).element);
    }

private:
    bool TakesEvents() const { return IsEnabled() && IsVisible(); }

    Lib::DynamicArray<StackLayer> m_Layers; // bottom first
};
} // namespace Vozad
