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
#include "Game/Menus/MenuPanelStyle.h"
#include "Game/Menus/TabbedMenuKit.h"

namespace Snake
{
namespace
{
using Vozad::GridSizeMode;

// Label column, gap, control column, gap, and the rest of the line.
std::unique_ptr<Vozad::LayoutGrid> NewFormGrid(int32_t p_ControlWidth, bool p_WithRest)
{
    auto grid = std::make_unique<Vozad::LayoutGrid>();
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

std::unique_ptr<Vozad::Label> OptionsMenu::NewLabel(const char* p_Key, uint32_t p_Size)
{
    auto label = std::make_unique<Vozad::Label>(m_Engine, p_Size, Vozad::k_LabelAlignTopLeft);
    label->GetStyle().textColour = Vozad::Colour::k_White;
    label->SetText(Text(p_Key));
    return label;
}

std::unique_ptr<Vozad::LayoutBar> OptionsMenu::HeadingRow(const char* p_Title)
{
    auto row = std::make_unique<Vozad::LayoutBar>(0);
    Append(*row, NewLabel(p_Title, 18), 150, GridSizeMode::Fixed);
    Append(*row, nullptr, false, 10, GridSizeMode::Fixed);
    Append(*row, NewLabel("menu_options.tab_input.movement_key", 18), 120, GridSizeMode::Fixed);
    return row;
}

std::unique_ptr<Vozad::Scrollview> OptionsMenu::MakePage(std::unique_ptr<Vozad::LayoutBase> p_Content)
{
    // The column may grow below the view; the wheel scrolls it.
    auto column = std::make_unique<Vozad::LayoutBar>(1);
    column->SetFlag(Vozad::k_LayoutAtLeastDesiredHeight, true);
    Append(*column, std::move(p_Content), 1, GridSizeMode::Auto);
    auto page = std::make_unique<Vozad::Scrollview>(m_Engine, 10, 1, k_PageBackground);
    page->SetContent(std::move(column));
    return page;
}

std::unique_ptr<Vozad::LayoutBase> OptionsMenu::BuildGeneralPage()
{
    auto grid = NewFormGrid(150, true);
    // The sound section follows the game's settings under a heading of its own.
    AddSpacedRows(*grid, 8);
    const char* labels[] = {"menu_options.tab_general.language",     "menu_options.tab_general.show_fps",
                            "menu_options.tab_general.show_points",  "menu_options.tab_general.grid_mode",
                            "menu_options.tab_general.speed",        nullptr,
                            "menu_options.tab_general.sound_volume", "menu_options.tab_general.sound_mute"};
    Vozad::LayoutBase* controls[] = {&m_LanguageList,          &m_ShowFpsBox,        &m_ShowPointsBox,
                                     &m_GridModeList,          &m_SpeedList,         nullptr,
                                     &m_Sound.GetVolumeList(), &m_Sound.GetMuteBox()};
    for (int32_t i = 0; i < 8; ++i)
    {
        if (!labels[i])
            continue;
        grid->SetElement(NewLabel(labels[i], 13), 0, 2 * i);
        grid->SetElement(controls[i], false, 2, 2 * i);
    }
    grid->SetElement(NewLabel("menu_options.tab_general.sound", 18), 0, 10);
    grid->SetElement(&m_LanguageNote, false, 4, 0);
    return grid;
}

std::unique_ptr<Vozad::LayoutBase> OptionsMenu::BuildInputPage()
{
    auto keys = NewFormGrid(120, true);
    for (int32_t row = 0; row < 5; ++row)
        keys->AddRow(1, GridSizeMode::Auto);
    const char* labels[k_MoveKeyCount] = {
        "menu_options.tab_input.move_left", "menu_options.tab_input.move_right",
        "menu_options.tab_input.move_up", "menu_options.tab_input.move_down"};
    for (uint32_t row = 0; row < k_MoveKeyCount; ++row)
    {
        const int32_t gridRow = static_cast<int32_t>(row);
        keys->SetElement(NewLabel(labels[row], 13), 0, gridRow);
        keys->SetElement(&m_KeyButtons[row], false, 2, gridRow);
        keys->SetElement(&m_AssignLabels[row], false, 4, gridRow);
    }

    auto screenshot = NewFormGrid(120, true);
    screenshot->AddRow(1, GridSizeMode::Auto);
    screenshot->SetElement(NewLabel("menu_options.tab_input.screenshot", 13), 0, 0);
    screenshot->SetElement(&m_ScreenshotKey, false, 2, 0);

    auto column = std::make_unique<Vozad::LayoutBar>(1);
    Append(*column, HeadingRow("menu_options.tab_input.movement_title"), 1, GridSizeMode::Auto);
    Append(*column, nullptr, false, 5, GridSizeMode::Fixed);
    Append(*column, NewSeparator(), 1, GridSizeMode::Fixed);
    Append(*column, nullptr, false, 10, GridSizeMode::Fixed);
    Append(*column, std::move(keys), 1, GridSizeMode::Auto);
    Append(*column, nullptr, false, 20, GridSizeMode::Fixed);
    Append(*column, HeadingRow("menu_options.tab_input.action_title"), 1, GridSizeMode::Auto);
    Append(*column, nullptr, false, 5, GridSizeMode::Fixed);
    Append(*column, NewSeparator(), 1, GridSizeMode::Fixed);
    Append(*column, nullptr, false, 10, GridSizeMode::Fixed);
    Append(*column, std::move(screenshot), 1, GridSizeMode::Auto);
    return column;
}

std::unique_ptr<Vozad::LayoutBase> OptionsMenu::BuildGraphicsPage()
{
    auto grid = NewFormGrid(250, false);
    const char* labels[] = {"menu_options.tab_graphics.renderer",   "menu_options.tab_graphics.window_mode",
                            "menu_options.tab_graphics.monitor",    "menu_options.tab_graphics.resolution",
                            "menu_options.tab_graphics.vsync",      "menu_options.tab_graphics.frame_cap",
                            "menu_options.tab_graphics.multisample"};
    Vozad::LayoutBase* controls[] = {&m_RendererList, &m_WindowModeList, &m_MonitorList,    &m_ResolutionList,
                                     &m_VSyncBox,     &m_FrameCapList,   &m_MultisampleList};
    constexpr int32_t k_Rows = static_cast<int32_t>(std::size(labels));
    AddSpacedRows(*grid, k_Rows);
    for (int32_t i = 0; i < k_Rows; ++i)
    {
        grid->SetElement(NewLabel(labels[i], 13), 0, 2 * i);
        grid->SetElement(controls[i], false, 2, 2 * i);
    }
    return grid;
}

std::unique_ptr<Vozad::LayoutBase> OptionsMenu::BuildGameplayPage()
{
    // The box first: the texts are sentences, wider than the label column of the other pages.
    auto grid = std::make_unique<Vozad::LayoutGrid>();
    grid->AddColumn(30, GridSizeMode::Fixed);
    grid->AddColumn(10, GridSizeMode::Fixed);
    grid->AddColumn(1, GridSizeMode::Weighted);
    AddSpacedRows(*grid, static_cast<int32_t>(k_GameplayOptionCount));
    for (uint32_t i = 0; i < k_GameplayOptionCount; ++i)
    {
        const int32_t row = 2 * static_cast<int32_t>(i);
        grid->SetElement(m_GameplayBoxes[i].get(), false, 0, row);
        grid->SetElement(NewLabel(k_GameplayOptions[i].labelKey, 13), 2, row);
    }
    return grid;
}

void OptionsMenu::BuildContent()
{
    m_Pages[k_OptionsTabGeneral] = MakePage(BuildGeneralPage());
    m_Pages[k_OptionsTabInput] = MakePage(BuildInputPage());
    m_Pages[k_OptionsTabGraphics] = MakePage(BuildGraphicsPage());
    m_Pages[k_OptionsTabGameplay] = MakePage(BuildGameplayPage());
    m_PageStack = std::make_unique<Vozad::LayoutStack>();
    for (auto& page : m_Pages)
        m_PageStack->AddLayer(page.get(), false);

    m_Margin = BuildTabbedFrame({&m_TitleLabel,
                                 {&m_Tabs[k_OptionsTabGeneral], &m_Tabs[k_OptionsTabInput],
                                  &m_Tabs[k_OptionsTabGraphics], &m_Tabs[k_OptionsTabGameplay]},
                                 m_PageStack.get(),
                                 LeftAlignedRow({&m_BackButton, &m_ApplyButton, &m_EditButton}, 20)});
    SetContent(m_Margin.get(), false);
}
} // namespace Snake
