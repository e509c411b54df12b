#include "Corvan/Gui/Containers/ColouredLayout.h"

#include "Corvan/Gui/Colours.h"
#include "Corvan/Gui/IDrawingContext.h"
#include "Corvan/Layout/ILayoutEventForwarder.h"

namespace Vozad
{
ColouredLayout::ColouredLayout(uint32_t p_BackgroundColour, uint32_t p_BorderColour, int32_t p_Rounding)
{
    // Given in the drawing packing, stored as every style stores colours; drawing swaps back.
    m_Style.backgroundColour = Colour::SwapRedBlue(p_BackgroundColour);
    m_Style.borderColour = Colour::SwapRedBlue(p_BorderColour);
    m_Style.borderThickness = 1;
    m_Style.rounding = p_Rounding;
}

LayoutBase* ColouredLayout::OnMousePress(EventMousePress& p_Event)
{
    // A press on the panel's own background belongs to the panel.
    LayoutBase* child = LayoutGrid::OnMousePress(p_Event);
    return child ? child : this;
}

LayoutBase* ColouredLayout::OnMouseRelease(EventMousePress& p_Event)
{
    if (LayoutBase* child = LayoutGrid::OnMouseRelease(p_Event))
        return child;
    if (!PassesInput())
        return nullptr;
    if (ILayoutEventForwarder* forwarder = GetForwarder())
        forwarder->OnMouseRelease(p_Event, *this);
    return this;
}

LayoutBase* ColouredLayout::OnMouseClick(EventMousePress& p_Event)
{
    LayoutBase* child = LayoutGrid::OnMouseClick(p_Event);
    return child ? child : this;
}

void ColouredLayout::Draw(IDrawingContext& p_Context)
{
    // A Hidden or Collapsed panel paints nothing at all, background included.
    if (!IsVisible())
        return;
    const LayoutRect drawn = GetDrawnRect();
    const float rounding = static_cast<float>(m_Style.rounding);
    p_Context.SetColour(Colour::SwapRedBlue(m_Style.backgroundColour));
    p_Context.FillRect(drawn, rounding);
    p_Context.SetColour(Colour::SwapRedBlue(m_Style.borderColour));
    p_Context.DrawRect(drawn, 1.0f, rounding);
    DrawCells(p_Context);
}
} // namespace Vozad
