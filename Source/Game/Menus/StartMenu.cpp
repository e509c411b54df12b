#include "Game/Menus/StartMenu.h"

#include "Corvan/Events/InputEvents.h"
#include "Corvan/Events/KeyCodes.h"
#include "Corvan/Gui/Colours.h"
#include "Corvan/Gui/Containers/GridSizeMode.h"
#include "Corvan/Gui/Containers/LayoutBar.h"
#include "Game/ILocale.h"
#include "Game/Menus/BuildInfo.h"
#include "Game/Menus/IStartMenuListener.h"
#include "Game/Menus/MenuPanelStyle.h"
#include "Lib/String.h"

namespace Snake
{
namespace
{
using Vozad::GridSizeMode;

// A row that centres one element at its desired width.
std::unique_ptr<Vozad::LayoutBar> CentredRow(Vozad::LayoutBase& p_Element)
{
    auto row = std::make_unique<Vozad::LayoutBar>(0);
    row->AddSlot(1, GridSizeMode::Weighted);
    row->AddSlot(1, GridSizeMode::Auto);
    row->SetElement(&p_Element, false, -1, -1);
    row->AddSlot(1, GridSizeMode::Weighted);
    return row;
}

void AddRow(Vozad::LayoutBar& p_Bar, std::unique_ptr<Vozad::LayoutBase> p_Row)
{
    p_Bar.AddSlot(1, GridSizeMode::Auto);
    p_Bar.SetElement(std::move(p_Row), -1, -1);
}
} // namespace

StartMenu::StartMenu(Vozad::IGuiEngine* p_Engine, ILocale* p_Locale, IStartMenuListener* p_Listener)
    : m_Engine(p_Engine), m_Locale(p_Locale), m_Listener(p_Listener), m_Style(MakePanelStyle()),
      m_TitleLabel(p_Engine, 40, Vozad::k_LabelAlignCentre), m_StartButton(p_Engine, 20, 3),
      m_OptionsButton(p_Engine, 20, 3), m_AboutButton(p_Engine, 20, 3), m_QuitButton(p_Engine, 20, 3),
      m_VersionLabel(p_Engine, 13, Vozad::k_LabelAlignTopLeft),
      m_BestLabel(p_Engine, 14, Vozad::k_LabelAlignCentre),
      m_NewRecordLabel(p_Engine, 14, Vozad::k_LabelAlignCentre)
{
}

StartMenu::~StartMenu() = default;

bool StartMenu::Initialise()
{
    m_TitleLabel.GetStyle().textColour = Vozad::Colour::k_White;
    m_TitleLabel.SetText(m_Locale->GetLocaleString("menu_start.title"));
    m_StartButton.SetText(m_Locale->GetLocaleString("menu_start.start"));
    m_OptionsButton.SetText(m_Locale->GetLocaleString("menu_start.options"));
    m_AboutButton.SetText(m_Locale->GetLocaleString("menu_start.about"));
    m_QuitButton.SetText(m_Locale->GetLocaleString("menu_start.quit"));
    for (Vozad::Button* button : {&m_StartButton, &m_OptionsButton, &m_AboutButton, &m_QuitButton})
        button->SetForwarder(this);
    m_VersionLabel.SetText(Lib::String::Format("Version: %s (Build %s)", k_ProductVersion, k_BuildStamp));
    m_BestLabel.GetStyle().textColour = Vozad::Colour::k_White;
    m_NewRecordLabel.GetStyle().textColour = k_TabTextFocused;
    SetResult(Lib::String(), Lib::String());
    BuildContent();
    SetVisibility(Vozad::k_LayoutHidden);
    return true;
}

void StartMenu::BuildContent()
{
    m_Bar = std::make_unique<Vozad::LayoutBar>(1);
    m_Bar->AddSlot(2, GridSizeMode::Weighted);
    AddRow(*m_Bar, CentredRow(m_TitleLabel));
    bool first = true;
    for (Vozad::Button* button : {&m_StartButton, &m_OptionsButton, &m_AboutButton, &m_QuitButton})
    {
        m_Bar->AddSlot(2, GridSizeMode::Weighted);
        // The record line lies in the gap under the title: shown or not, the buttons keep
        // their places.
        if (first)
            m_Bar->SetElement(ResultLine(), -1, -1);
        first = false;
        AddRow(*m_Bar, CentredRow(*button));
    }
    m_Bar->AddSlot(2, GridSizeMode::Weighted);
    auto versionRow = std::make_unique<Vozad::LayoutBar>(0);
    versionRow->AddSlot(5, GridSizeMode::Fixed);
    versionRow->AddSlot(1, GridSizeMode::Auto);
    versionRow->SetElement(&m_VersionLabel, false, -1, -1);
    AddRow(*m_Bar, std::move(versionRow));
    m_Bar->AddSlot(5, GridSizeMode::Fixed);
    SetContent(m_Bar.get(), false);
}

std::unique_ptr<Vozad::LayoutBase> StartMenu::ResultLine()
{
    auto row = std::make_unique<Vozad::LayoutBar>(0);
    row->AddSlot(1, GridSizeMode::Weighted);
    row->AddSlot(1, GridSizeMode::Auto);
    row->SetElement(&m_BestLabel, false, -1, -1);
    row->AddSlot(12, GridSizeMode::Fixed);
    row->AddSlot(1, GridSizeMode::Auto);
    row->SetElement(&m_NewRecordLabel, false, -1, -1);
    row->AddSlot(1, GridSizeMode::Weighted);
    auto column = std::make_unique<Vozad::LayoutBar>(1);
    column->AddSlot(1, GridSizeMode::Weighted);
    column->AddSlot(1, GridSizeMode::Auto);
    column->SetElement(std::move(row), -1, -1);
    column->AddSlot(1, GridSizeMode::Weighted);
    return column;
}

void StartMenu::SetResult(const Lib::String& p_Best, const Lib::String& p_NewRecord)
{
    m_BestLabel.SetText(p_Best);
    m_BestLabel.SetVisibility(p_Best.IsEmpty() ? Vozad::k_LayoutCollapsed : Vozad::k_LayoutVisible);
    m_NewRecordLabel.SetText(p_NewRecord);
    m_NewRecordLabel.SetVisibility(p_NewRecord.IsEmpty() ? Vozad::k_LayoutCollapsed : Vozad::k_LayoutVisible);
}

void StartMenu::Show()
{
    SetVisibility(Vozad::k_LayoutVisible);
    UpdateLayout();
}

void StartMenu::Hide()
{
    SetVisibility(Vozad::k_LayoutHidden);
}

bool StartMenu::OnKeyPress(Vozad::EventKeyInput& p_Event)
{
    if (!IsEnabled() || !IsVisible())
        return false;
    if (ContentLayoutBase::OnKeyPress(p_Event))
        return true;
    switch (p_Event.keyCode)
    {
    case Vozad::KeyCode::S:
        m_Listener->OnStartPressed();
        return true;
    case Vozad::KeyCode::O:
        m_Listener->OnOptionsPressed();
        return true;
    case Vozad::KeyCode::A:
    case Vozad::KeyCode::I:
        m_Listener->OnAboutPressed();
        return true;
    case Vozad::KeyCode::Q:
        m_Listener->OnQuitPressed();
        return true;
    default:
        return false;
    }
}

void StartMenu::UpdateLayout()
{
    ContentLayoutBase::UpdateLayout();
}

void StartMenu::Draw(Vozad::IDrawingContext& p_Context)
{
    if (!IsVisible())
        return;
    DrawPanelFrame(*this, m_Style, p_Context);
    ContentLayoutBase::Draw(p_Context);
}

void StartMenu::SetVisibility(int32_t p_Visibility)
{
    ContentLayoutBase::SetVisibility(p_Visibility);
    m_Style.changed = true;
}

bool StartMenu::ReportButton(const Vozad::LayoutBase& p_Sender)
{
    // A button clicked just before the panel went away keeps the keyboard focus, so Space or
    // Return would still reach it during the game.
    if (!IsEnabled() || !IsVisible())
        return false;
    if (&p_Sender == &m_StartButton)
        m_Listener->OnStartPressed();
    else if (&p_Sender == &m_OptionsButton)
        m_Listener->OnOptionsPressed();
    else if (&p_Sender == &m_AboutButton)
        m_Listener->OnAboutPressed();
    else if (&p_Sender == &m_QuitButton)
        m_Listener->OnQuitPressed();
    else
        return false;
    return true;
}

bool StartMenu::OnKeyPress(Vozad::EventKeyInput& p_Event, Vozad::LayoutBase& p_Sender)
{
    if (p_Event.keyCode != Vozad::KeyCode::Space && p_Event.keyCode != Vozad::KeyCode::Return)
        return false;
    // Space or Return bound to steering presses no button here.
    return TakesNavigationKey(p_Event.keyCode) && ReportButton(p_Sender);
}

Vozad::LayoutBase* StartMenu::OnMousePress(Vozad::EventMousePress& p_Event, Vozad::LayoutBase& p_Sender)
{
    const bool isButton = &p_Sender == &m_StartButton || &p_Sender == &m_OptionsButton ||
                          &p_Sender == &m_AboutButton || &p_Sender == &m_QuitButton;
    return p_Event.button == Vozad::MouseButton::Left && isButton ? &p_Sender : nullptr;
}

Vozad::LayoutBase* StartMenu::OnMouseClick(Vozad::EventMousePress& p_Event, Vozad::LayoutBase& p_Sender)
{
    if (p_Event.button != Vozad::MouseButton::Left)
        return nullptr;
    return ReportButton(p_Sender) ? &p_Sender : nullptr;
}
} // namespace Snake
