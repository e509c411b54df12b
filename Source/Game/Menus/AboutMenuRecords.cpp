// The records page of the about menu: one row per grid mode and speed with a record.
#include "Corvan/Gui/Colours.h"
#include "Corvan/Gui/Containers/GridSizeMode.h"
#include "Corvan/Gui/Containers/LayoutBar.h"
#include "Corvan/Gui/Containers/LayoutGrid.h"
#include "Corvan/Gui/Containers/Scrollview.h"
#include "Game/ICoreInterface.h"
#include "Game/Menus/AboutMenu.h"
#include "Game/Records.h"

#include <string>

namespace Snake
{
namespace
{
using Vozad::GridSizeMode;

constexpr int32_t k_ColumnWidths[] = {280, 100, 150, 150};
constexpr uint32_t k_TextSize = 15;
constexpr uint32_t k_HeadingSize = 18;
} // namespace

void AboutMenu::FillRecordsPage()
{
    const RecordTable* table = m_Core->GetRecords();
    auto makeLabel = [this](const Lib::String& p_Text, uint32_t p_Size)
    {
        auto label = std::make_unique<Vozad::Label>(m_Engine, p_Size, Vozad::k_LabelAlignTopLeft);
        label->GetStyle().textColour = Vozad::Colour::k_White;
        label->SetText(p_Text);
        return label;
    };

    auto grid = std::make_unique<Vozad::LayoutGrid>();
    for (int32_t width : k_ColumnWidths)
        grid->AddColumn(width, GridSizeMode::Fixed);
    const char* headings[] = {"menu_about.records.grid", "menu_about.records.speed",
                              "menu_about.records.best_points", "menu_about.records.fastest_win"};
    grid->AddRow(1, GridSizeMode::Auto);
    for (int32_t column = 0; column < 4; ++column)
        grid->SetElement(makeLabel(Text(headings[column]), k_HeadingSize), column, 0);

    m_RecordRows = 0;
    for (uint32_t mode = 0; table && mode < k_GridModeCount; ++mode)
    {
        for (uint32_t speed = 1; speed <= k_RecordSpeedCount; ++speed)
        {
            const Record record = table->Get(mode, speed);
            if (record.bestPoints == 0)
                continue;
            const int32_t row = static_cast<int32_t>(++m_RecordRows);
            grid->AddRow(1, GridSizeMode::Auto);
            const std::string modeKey = "menu_options.tab_general.grid_modes." + std::to_string(mode);
            grid->SetElement(makeLabel(Text(modeKey.c_str()), k_TextSize), 0, row);
            grid->SetElement(makeLabel(Lib::String::Format("%u", speed), k_TextSize), 1, row);
            grid->SetElement(makeLabel(Lib::String::Format("%u", record.bestPoints), k_TextSize), 2, row);
            const std::string win = record.fastestWinMs != 0 ? FormatDuration(record.fastestWinMs) : "-";
            grid->SetElement(makeLabel(Lib::String(win.c_str()), k_TextSize), 3, row);
        }
    }

    auto column = std::make_unique<Vozad::LayoutBar>(1);
    column->SetFlag(Vozad::k_LayoutAtLeastDesiredHeight, true);
    column->AddSlot(1, GridSizeMode::Auto);
    column->SetElement(std::move(grid), -1, -1);
    if (m_RecordRows == 0)
    {
        column->AddSlot(10, GridSizeMode::Fixed);
        column->AddSlot(1, GridSizeMode::Auto);
        column->SetElement(makeLabel(Text("menu_about.records.none"), k_TextSize), -1, -1);
    }
    m_RecordsPage->SetContent(std::move(column));
}
} // namespace Snake
