#include "Corvan/Layout/LayoutStack.h"

#include "Corvan/Events/InputEvents.h"

#include <utility>

namespace Vozad
{
namespace
{
// Desired sizes of several layers are added up; one layer without a wish (k_NoDesiredSize)
// leaves the stack without one, and the sum never wraps around.
uint32_t AddDesired(uint32_t p_Sum, uint32_t p_Value)
{
    const uint64_t sum = static_cast<uint64_t>(p_Sum) + p_Value;
    return sum >= static_cast<uint64_t>(k_NoDesiredSize) ? static_cast<uint32_t>(k_NoDesiredSize)
                                                         : static_cast<uint32_t>(sum);
}

// Visits the layers from the top down until one answers with something. A layer may close a
// popup while it handles the event, so the count is read again on every step.
template <class Result, class Visit> Result TopDown(Lib::DynamicArray<StackLayer>& p_Layers, Visit p_Visit)
{
    uint32_t next = p_Layers.Count();
    while (next > 0)
    {
        next = next > p_Layers.Count() ? p_Layers.Count() : next;
        if (next == 0)
            break;
        --next;
        if (Result result = p_Visit(*p_Layers.At(next).element))
            return result;
    }
    return Result{};
}

// The same walk from the bottom up, for every layer.
template <class Visit> void BottomUp(Lib::DynamicArray<StackLayer>& p_Layers, Visit p_Visit)
{
    for (uint32_t i = 0; i < p_Layers.Count(); ++i)
        p_Visit(*p_Layers.At(i).element);
}
} // namespace

LayoutStack::~LayoutStack()
{
    // Taken out first, so a layer's destructor never meets the stack half dismantled.
    Lib::DynamicArray<StackLayer> layers = std::move(m_Layers);
    for (uint32_t i = 0; i < layers.Count(); ++i)
    {
        const StackLayer& layer = layers.At(i);
        if (!layer.owned)
            continue;
        // An element added twice as owned is still destroyed only once.
        bool destroyedBefore = false;
        for (uint32_t j = 0; j < i && !destroyedBefore; ++j)
            destroyedBefore = layers.At(j).owned && layers.At(j).element == layer.element;
        if (!destroyedBefore)
            delete layer.element;
    }
}

void LayoutStack::AddLayer(LayoutBase* p_Element, bool p_Owned)
{
    if (p_Element)
        m_Layers.Add(StackLayer{p_Owned, p_Element});
}

void LayoutStack::RemoveLayer(LayoutBase* p_Element)
{
    if (!p_Element)
        return;
    bool owned = false;
    for (uint32_t i = m_Layers.Count(); i > 0; --i)
    {
        if (m_Layers.At(i - 1).element != p_Element)
            continue;
        owned = owned || m_Layers.At(i - 1).owned;
        m_Layers.Remove(i - 1);
    }
    // Destroyed only after the stack has forgotten it, whatever its destructor does.
    if (owned)
        delete p_Element;
}

bool LayoutStack::OnTextInput(EventTextInput& p_Event)
{
    return TakesEvents() &&
           TopDown<bool>(m_Layers, [&](LayoutBase& p_Layer) { return p_Layer.OnTextInput(p_Event); });
}

bool LayoutStack::OnKeyPress(EventKeyInput& p_Event)
{
    return TakesEvents() && TopDown<bool>(m_Layers, [&](LayoutBase& p_Layer)
                                          { return p_Layer.IsVisible() && p_Layer.OnKeyPress(p_Event); });
}

bool LayoutStack::OnKeyRepeat(EventKeyInput& p_Event)
{
    return TakesEvents() &&
           TopDown<bool>(m_Layers, [&](LayoutBase& p_Layer) { return p_Layer.OnKeyRepeat(p_Event); });
}

bool LayoutStack::OnKeyRelease(EventKeyInput& p_Event)
{
    return TakesEvents() &&
           TopDown<bool>(m_Layers, [&](LayoutBase& p_Layer) { return p_Layer.OnKeyRelease(p_Event); });
}

bool LayoutStack::OnMouseScroll(EventMouseScroll& p_Event)
{
    return TakesEvents() && TopDown<bool>(m_Layers,
                                          [&](LayoutBase& p_Layer)
                                          {
                                              return p_Layer.IsEnabled() && p_Layer.IsVisible() &&
                                                     p_Layer.GetRect().Contains(p_Event.position) &&
                                                     p_Layer.OnMouseScroll(p_Event);
                                          });
}

LayoutBase* LayoutStack::OnMousePress(EventMousePress& p_Event)
{
    if (!TakesEvents())
        return nullptr;
    return TopDown<LayoutBase*>(m_Layers,
                                [&](LayoutBase& p_Layer) -> LayoutBase*
                                {
                                    if (!p_Layer.IsEnabled() || !p_Layer.IsVisible() ||
                                        !p_Layer.GetRect().Contains(p_Event.position))
                                        return nullptr;
                                    return p_Layer.OnMousePress(p_Event);
                                });
}

LayoutBase* LayoutStack::OnMouseRelease(EventMousePress& p_Event)
{
    if (!TakesEvents())
        return nullptr;
    return TopDown<LayoutBase*>(m_Layers,
                                [&](LayoutBase& p_Layer) { return p_Layer.OnMouseRelease(p_Event); });
}

LayoutBase* LayoutStack::OnMouseClick(EventMousePress& p_Event)
{
    if (!TakesEvents())
        return nullptr;
    return TopDown<LayoutBase*>(m_Layers, [&](LayoutBase& p_Layer) { return p_Layer.OnMouseClick(p_Event); });
}

LayoutBase* LayoutStack::FindElementAt(EventCursor& p_Event)
{
    if (!TakesEvents())
        return nullptr;
    return TopDown<LayoutBase*>(m_Layers,
                                [&](LayoutBase& p_Layer) { return p_Layer.FindElementAt(p_Event); });
}

LayoutBase* LayoutStack::OnHoverChanged(EventCursor& p_Event)
{
    if (!TakesEvents())
        return nullptr;
    return TopDown<LayoutBase*>(m_Layers,
                                [&](LayoutBase& p_Layer) { return p_Layer.OnHoverChanged(p_Event); });
}

bool LayoutStack::OnCursorDrag(EventCursor& p_Event)
{
    return TakesEvents() &&
           TopDown<bool>(m_Layers, [&](LayoutBase& p_Layer) { return p_Layer.OnCursorDrag(p_Event); });
}

bool LayoutStack::OnCursorEnter(EventMouseEnter& p_Event)
{
    if (!TakesEvents())
        return false;
    for (uint32_t i = 0; i < m_Layers.Count(); ++i)
    {
        if (m_Layers.At(i).element->OnCursorEnter(p_Event))
            return true;
    }
    return false;
}

bool LayoutStack::OnCursorLeave(EventMouseLeave& p_Event)
{
    if (!TakesEvents())
        return false;
    for (uint32_t i = 0; i < m_Layers.Count(); ++i)
    {
        if (m_Layers.At(i).element->OnCursorLeave(p_Event))
            return true;
    }
    return false;
}

void LayoutStack::UpdateLayout()
{
    TopDown<bool>(m_Layers,
                  [&](LayoutBase& p_Layer)
                  {
                      p_Layer.SetRect(GetRect());
                      p_Layer.UpdateLayout();
                      return false;
                  });
}

void LayoutStack::Draw(IDrawingContext& p_Context)
{
    if (!IsVisible())
        return;
    BottomUp(m_Layers,
             [&](LayoutBase& p_Layer)
             {
                 if (p_Layer.IsVisible())
                     p_Layer.Draw(p_Context);
             });
}

void LayoutStack::SetOrigin(Lib::Point p_Origin)
{
    LayoutBase::SetOrigin(p_Origin);
    BottomUp(m_Layers,
             [&](LayoutBase& p_Layer)
             {
                 if (p_Layer.IsVisible())
                     p_Layer.SetOrigin(p_Origin);
             });
}

void LayoutStack::SetClipRect(const LayoutRect& p_ClipRect)
{
    LayoutBase::SetClipRect(p_ClipRect);
    BottomUp(m_Layers,
             [&](LayoutBase& p_Layer)
             {
                 if (p_Layer.IsVisible())
                     p_Layer.SetClipRect(p_ClipRect);
             });
}

void LayoutStack::SetVisibility(int32_t p_Visibility)
{
    LayoutBase::SetVisibility(p_Visibility);
    const bool showing = p_Visibility == k_LayoutVisible;
    for (uint32_t i = 0; i < m_Layers.Count(); ++i)
    {
        StackLayer& layer = m_Layers.At(i);
        if (!layer.element->IsVisible() && !layer.hiddenWithStack)
            continue; // hidden by its owner: stays as it is
        layer.hiddenWithStack = !showing;
        layer.element->SetVisibility(p_Visibility);
    }
}

Lib::RectSize LayoutStack::GetDesiredSize() const
{
    Lib::RectSize size;
    if (!IsVisible())
        return size;
    for (const StackLayer& layer : m_Layers)
    {
        if (!layer.element->IsVisible())
            continue;
        const Lib::RectSize desired = layer.element->GetDesiredSize();
        size.width = AddDesired(size.width, desired.width);
        size.height = AddDesired(size.height, desired.height);
    }
    return size;
}

LayoutBase* LayoutStack::FindById(int32_t p_Id)
{
    if (p_Id == GetId())
        return this;
    return TopDown<LayoutBase*>(m_Layers, [&](LayoutBase& p_Layer) { return p_Layer.FindById(p_Id); });
}
} // namespace Vozad
