#pragma once
// The pieces the tabbed menu panels (about, options) are built from, so that both frames keep the
// same proportions: the title row, the tab row over a separator and the pages, and the button row.
#include "Corvan/Gui/Containers/GridSizeMode.h"

#include <cstdint>
#include <initializer_list>
#include <memory>

namespace Vozad
{
class ColouredLayout;
class LayoutBar;
class LayoutBase;
class LayoutMargin;
} // namespace Vozad

namespace Snake
{
// Puts the element into a new slot at the end of the bar; a null element leaves the slot empty.
void Append(Vozad::LayoutBar& p_Bar, Vozad::LayoutBase* p_Element, bool p_Owned, int32_t p_Value,
            Vozad::GridSizeMode p_Mode);
// The same for an element handed over: the bar owns it.
void Append(Vozad::LayoutBar& p_Bar, std::unique_ptr<Vozad::LayoutBase> p_Element, int32_t p_Value,
            Vozad::GridSizeMode p_Mode);

// The elements at their desired widths, p_Gap pixels apart, and the rest of the line left empty.
// The elements are not owned by the row.
std::unique_ptr<Vozad::LayoutBar> LeftAlignedRow(std::initializer_list<Vozad::LayoutBase*> p_Elements,
                                                 int32_t p_Gap);

// The thin line under the tab row and under a page's headings.
std::unique_ptr<Vozad::ColouredLayout> NewSeparator();

// The parts of a tabbed frame. Title, tabs and pages stay the menu's; the button row is handed over.
struct TabbedFrameParts
{
    Vozad::LayoutBase* title = nullptr;
    std::initializer_list<Vozad::LayoutBase*> tabs;
    Vozad::LayoutBase* pages = nullptr;
    std::unique_ptr<Vozad::LayoutBar> buttonRow;
};

// The whole frame inside the panel's 10-pixel margin; the margin owns every bar built here.
std::unique_ptr<Vozad::LayoutMargin> BuildTabbedFrame(TabbedFrameParts p_Parts);
} // namespace Snake
