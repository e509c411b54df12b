#include "Corvan/Gui/Containers/LayoutMargin.h"

namespace Vozad
{
LayoutMargin::LayoutMargin(int32_t p_Margin)
{
    AddColumn(p_Margin, GridSizeMode::Fixed);
    AddColumn(1, GridSizeMode::Weighted);
    AddColumn(p_Margin, GridSizeMode::Fixed);
    AddRow(p_Margin, GridSizeMode::Fixed);
    AddRow(1, GridSizeMode::Weighted);
    AddRow(p_Margin, GridSizeMode::Fixed);
}
} // namespace Vozad
