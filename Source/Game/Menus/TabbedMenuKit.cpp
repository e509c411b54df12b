#include "Game/Menus/TabbedMenuKit.h"

#include "Corvan/Gui/Containers/ColouredLayout.h"
#include "Corvan/Gui/Containers/LayoutBar.h"
#include "Corvan/Gui/Containers/LayoutMargin.h"
#include "Game/Menus/MenuPanelStyle.h"

namespace Snake
{
using Vozad::GridSizeMode;

void Append(Vozad::LayoutBar& p_Bar, Vozad::LayoutBase* p_Element, bool p_Owned, int32_t p_Value,
            GridSizeMode p_Mode)
{
    p_Bar.AddSlot(p_Value, p_Mode);
    if (p_Element)
        p_Bar.SetElement(p_Element, p_Owned, -1, -1);
}

void Append(Vozad::LayoutBar& p_Bar, std::unique_ptr<Vozad::LayoutBase> p_Element, int32_t p_Value,
            GridSizeMode p_Mode)
{
    Append(p_Bar, p_Element.release(), true, p_Value, p_Mode);
}

std::unique_ptr<Vozad::LayoutBar> LeftAlignedRow(std::initializer_list<Vozad::LayoutBase*> p_Elements,
                                                 int32_t p_Gap)
{
    auto row = std::make_unique<Vozad::LayoutBar>(0);
    bool first = true;
    for (Vozad::LayoutBase* element : p_Elements)
    {
        if (!first)
            Append(*row, nullptr, false, p_Gap, GridSizeMode::Fixed);
        Append(*row, element, false, 1, GridSizeMode::Auto);
        first = false;
    }
    Append(*row, nullptr, false, 1, GridSizeMode::Fill);
    return row;
}

std::unique_ptr<Vozad::ColouredLayout> NewSeparator()
{
    return std::make_unique<Vozad::ColouredLayout>(k_SeparatorColour, 0, 3);
}

std::unique_ptr<Vozad::LayoutMargin> BuildTabbedFrame(TabbedFrameParts p_Parts)
{
    auto tabRow = std::make_unique<Vozad::LayoutBar>(0);
    bool first = true;
    for (Vozad::LayoutBase* tab : p_Parts.tabs)
    {
        if (!first)
            Append(*tabRow, nullptr, false, 10, GridSizeMode::Fixed);
        Append(*tabRow, tab, false, 1, GridSizeMode::Auto);
        first = false;
    }

    auto tabColumn = std::make_unique<Vozad::LayoutBar>(1);
    Append(*tabColumn, std::move(tabRow), 1, GridSizeMode::Auto);
    Append(*tabColumn, nullptr, false, 10, GridSizeMode::Fixed);
    Append(*tabColumn, NewSeparator(), 1, GridSizeMode::Fixed);
    Append(*tabColumn, nullptr, false, 15, GridSizeMode::Fixed);
    Append(*tabColumn, p_Parts.pages, false, 1, GridSizeMode::Weighted);

    auto tabArea = std::make_unique<Vozad::LayoutBar>(0);
    Append(*tabArea, nullptr, false, 1, GridSizeMode::Weighted);
    Append(*tabArea, std::move(tabColumn), 20, GridSizeMode::Weighted);
    Append(*tabArea, nullptr, false, 1, GridSizeMode::Weighted);

    auto column = std::make_unique<Vozad::LayoutBar>(1);
    Append(*column, LeftAlignedRow({p_Parts.title}, 0), 1, GridSizeMode::Auto);
    Append(*column, nullptr, false, 10, GridSizeMode::Fixed);
    Append(*column, std::move(tabArea), 1, GridSizeMode::Weighted);
    Append(*column, nullptr, false, 15, GridSizeMode::Fixed);
    Append(*column, std::move(p_Parts.buttonRow), 1, GridSizeMode::Auto);

    auto margin = std::make_unique<Vozad::LayoutMargin>(10);
    margin->SetElement(std::move(column), 1, 1);
    return margin;
}
} // namespace Snake
