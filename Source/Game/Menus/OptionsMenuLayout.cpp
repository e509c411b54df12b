// The options panel's layout: the title, the tab row over the three pages, the button row, and
// the grid of each page.
#include "Game/Menus/OptionsMenu.h"

#include "Corvan/EntryPoint/IEngine.h"
#include "Corvan/Gui/Colours.h"
#include "Corvan/Gui/Containers/ColouredLayout.h"
#include "Corvan/Gui/Containers/GridSizeMode.h"
#include "Corvan/Gui/Containers/LayoutBar.h"
#include "Corvan/Gui/Containers/LayoutGrid.h"
#include "Corvan/Gui/Containers/LayoutMargin.h"
#include "Corvan/Gui/Containers/Scrollview.h"
#include "Corvan/Layout/LayoutStack.h"
#include "Game/ICoreInterface.h"

namespace Snake
{
namespace
{
using Vozad::GridSizeMode;

constexpr uint32_t k_PageBackground = 0xFF383838;  // grey 56
constexpr uint32_t k_SeparatorColour = 0xFF8E8E8C; // 140, 142, 142 in the drawing packing

// Puts the element into a new slot at the end of the bar.
void Append(Vozad::LayoutBar& p_Bar, Vozad::LayoutBase* p_Element, bool p_Owned, int32_t p_Value,
            GridSizeMode p_Mode)
{
    p_Bar.AddSlot(p_Value, p_Mode);
    if (p_Element)
        p_Bar.SetElement(p_Element, p_Owned, -1, -1);
}

Vozad::ColouredLayout* NewSeparator()
{
    return new Vozad::ColouredLayout(k_SeparatorColour, 0, 3);
}

// Label column, gap, control column, gap, and the rest of the line.
Vozad::LayoutGrid* NewFormGrid(int32_t p_ControlWidth, bool p_WithRest)
{
    auto* grid = new Vozad::LayoutGrid();
    grid->AddColumn(150, GridSizeMode::Fixed);
    grid->AddColumn(10, GridSizeMode::Fixed);
    grid->AddColumn(p_ControlWidth, GridSizeMode::Fixed);
    if (p_WithRest)
    {
        grid->AddColumn(10, GridSizeMode::Fixed);
        grid->AddColumn(1, GridSizeMode::Weighted);
    }
    return grid;
}

// Auto rows with a 10-pixel gap between each two; the returned row index of entry i is 2 i.
void AddSpacedRows(Vozad::LayoutGrid& p_Grid, int32_t p_Count)
{
    for (int32_t row = 0; row < p_Count; ++row)
    {
        if (row > 0)
            p_Grid.AddRow(10, GridSizeMode::Fixed);
        p_Grid.AddRow(1, GridSizeMode::Auto);
    }
}
} // namespace

Vozad::Label* OptionsMenu::NewLabel(const char* p_Key, uint32_t p_Size)
{
    auto* label = new Vozad::Label(m_Engine, p_Size, Vozad::k_LabelAlignTopLeft);
    label->GetStyle().textColour = Vozad::Colour::k_White;
    label->SetText(Text(p_Key));
    return label;
}

Vozad::LayoutBar* OptionsMenu::HeadingRow(const char* p_Title)
{
    auto* row = new Vozad::LayoutBar(0);
    Append(*row, NewLabel(p_Title, 18), true, 150, GridSizeMode::Fixed);
    Append(*row, nullptr, false, 10, GridSizeMode::Fixed);
    Append(*row, NewLabel("menu_options.tab_input.movement_key", 18), true, 120, GridSizeMode::Fixed);
    return row;
}

Vozad::Scrollview* OptionsMenu::MakePage(Vozad::LayoutBase* p_Content)
{
    // The column may grow below the view; the wheel scrolls it.
    auto* column = new Vozad::LayoutBar(1);
    column->SetFlag(Vozad::k_LayoutAtLeastDesiredHeight, true);
    Append(*column, p_Content, true, 1, GridSizeMode::Auto);
    auto* page = new Vozad::Scrollview(m_Engine, 10, 1, k_PageBackground);
    page->SetContent(column, true);
    return page;
}

Vozad::LayoutBase* OptionsMenu::BuildGeneralPage()
{
    Vozad::LayoutGrid* grid = NewFormGrid(150, true);
    AddSpacedRows(*grid, 5);
    const char* labels[] = {"menu_options.tab_general.language", "menu_options.tab_general.show_fps",
                            "menu_options.tab_general.show_points", "menu_options.tab_general.grid_mode",
                            "menu_options.tab_general.speed"};
    Vozad::LayoutBase* controls[] = {&m_LanguageList, &m_ShowFpsBox, &m_ShowPointsBox, &m_GridModeList,
                                     &m_SpeedList};
    for (int32_t i = 0; i < 5; ++i)
    {
        grid->SetElement(NewLabel(labels[i], 13), true, 0, 2 * i);
        grid->SetElement(controls[i], false, 2, 2 * i);
    }
    grid->SetElement(&m_LanguageNote, false, 4, 0);
    return grid;
}

Vozad::LayoutBase* OptionsMenu::BuildInputPage()
{
    Vozad::LayoutGrid* keys = NewFormGrid(120, true);
    for (int32_t row = 0; row < 5; ++row)
        keys->AddRow(1, GridSizeMode::Auto);
    const char* labels[k_MoveKeyCount] = {
        "menu_options.tab_input.move_left", "menu_options.tab_input.move_right",
        "menu_options.tab_input.move_up", "menu_options.tab_input.move_down"};
    for (uint32_t row = 0; row < k_MoveKeyCount; ++row)
    {
        const int32_t gridRow = static_cast<int32_t>(row);
        keys->SetElement(NewLabel(labels[row], 13), true, 0, gridRow);
        keys->SetElement(&m_KeyButtons[row], false, 2, gridRow);
        keys->SetElement(&m_AssignLabels[row], false, 4, gridRow);
    }

    Vozad::LayoutGrid* screenshot = NewFormGrid(120, true);
    screenshot->AddRow(1, GridSizeMode::Auto);
    screenshot->SetElement(NewLabel("menu_options.tab_input.screenshot", 13), true, 0, 0);
    screenshot->SetElement(&m_ScreenshotKey, false, 2, 0);

    auto* column = new Vozad::LayoutBar(1);
    Append(*column, HeadingRow("menu_options.tab_input.movement_title"), true, 1, GridSizeMode::Auto);
    Append(*column, nullptr, false, 5, GridSizeMode::Fixed);
    Append(*column, NewSeparator(), true, 1, GridSizeMode::Fixed);
    Append(*column, nullptr, false, 10, GridSizeMode::Fixed);
    Append(*column, keys, true, 1, GridSizeMode::Auto);
    Append(*column, nullptr, false, 20, GridSizeMode::Fixed);
    Append(*column, HeadingRow("menu_options.tab_input.action_title"), true, 1, GridSizeMode::Auto);
    Append(*column, nullptr, false, 5, GridSizeMode::Fixed);
    Append(*column, NewSeparator(), true, 1, GridSizeMode::Fixed);
    Append(*column, nullptr, false, 10, GridSizeMode::Fixed);
    Append(*column, screenshot, true, 1, GridSizeMode::Auto);
    return column;
}

Vozad::LayoutBase* OptionsMenu::BuildGraphicsPage()
{
    Vozad::LayoutGrid* grid = NewFormGrid(250, false);
    AddSpacedRows(*grid, 6);
    const char* labels[] = {"menu_options.tab_graphics.renderer", "menu_options.tab_graphics.window_mode",
                            "menu_options.tab_graphics.monitor",  "menu_options.tab_graphics.resolution",
                            "menu_options.tab_graphics.vsync",    "menu_options.tab_graphics.frame_cap"};
    Vozad::LayoutBase* controls[] = {&m_RendererList,   &m_WindowModeList, &m_MonitorList,
                                     &m_ResolutionList, &m_VSyncBox,       &m_FrameCapList};
    for (int32_t i = 0; i < 6; ++i)
    {
        grid->SetElement(NewLabel(labels[i], 13), true, 0, 2 * i);
        grid->SetElement(controls[i], false, 2, 2 * i);
    }
    return grid;
}

void OptionsMenu::BuildContent()
{
    m_Pages[k_OptionsTabGeneral].reset(MakePage(BuildGeneralPage()));
    m_Pages[k_OptionsTabInput].reset(MakePage(BuildInputPage()));
    m_Pages[k_OptionsTabGraphics].reset(MakePage(BuildGraphicsPage()));
    m_PageStack = std::make_unique<Vozad::LayoutStack>();
    for (auto& page : m_Pages)
        m_PageStack->AddLayer(page.get(), false);

    auto* tabRow = new Vozad::LayoutBar(0);
    Append(*tabRow, &m_Tabs[k_OptionsTabGeneral], false, 1, GridSizeMode::Auto);
    Append(*tabRow, nullptr, false, 10, GridSizeMode::Fixed);
    Append(*tabRow, &m_Tabs[k_OptionsTabInput], false, 1, GridSizeMode::Auto);
    Append(*tabRow, nullptr, false, 10, GridSizeMode::Fixed);
    Append(*tabRow, &m_Tabs[k_OptionsTabGraphics], false, 1, GridSizeMode::Auto);

    auto* tabColumn = new Vozad::LayoutBar(1);
    Append(*tabColumn, tabRow, true, 1, GridSizeMode::Auto);
    Append(*tabColumn, nullptr, false, 10, GridSizeMode::Fixed);
    Append(*tabColumn, NewSeparator(), true, 1, GridSizeMode::Fixed);
    Append(*tabColumn, nullptr, false, 15, GridSizeMode::Fixed);
    Append(*tabColumn, m_PageStack.get(), false, 1, GridSizeMode::Weighted);

    auto* tabArea = new Vozad::LayoutBar(0);
    Append(*tabArea, nullptr, false, 1, GridSizeMode::Weighted);
    Append(*tabArea, tabColumn, true, 20, GridSizeMode::Weighted);
    Append(*tabArea, nullptr, false, 1, GridSizeMode::Weighted);

    auto* titleRow = new Vozad::LayoutBar(0);
    Append(*titleRow, &m_TitleLabel, false, 1, GridSizeMode::Auto);
    Append(*titleRow, nullptr, false, 1, GridSizeMode::Fill);

    auto* buttonRow = new Vozad::LayoutBar(0);
    Append(*buttonRow, &m_BackButton, false, 1, GridSizeMode::Auto);
    Append(*buttonRow, nullptr, false, 20, GridSizeMode::Fixed);
    Append(*buttonRow, &m_ApplyButton, false, 1, GridSizeMode::Auto);
    Append(*buttonRow, nullptr, false, 20, GridSizeMode::Fixed);
    Append(*buttonRow, &m_EditButton, false, 1, GridSizeMode::Auto);
    Append(*buttonRow, nullptr, false, 1, GridSizeMode::Fill);

    auto* column = new Vozad::LayoutBar(1);
    Append(*column, titleRow, true, 1, GridSizeMode::Auto);
    Append(*column, nullptr, false, 10, GridSizeMode::Fixed);
    Append(*column, tabArea, true, 1, GridSizeMode::Weighted);
    Append(*column, nullptr, false, 15, GridSizeMode::Fixed);
    Append(*column, buttonRow, true, 1, GridSizeMode::Auto);

    m_Margin = std::make_unique<Vozad::LayoutMargin>(10);
    m_Margin->SetElement(column, true, 1, 1);
    SetContent(m_Margin.get(), false);
}
} // namespace Snake
