#include "Game/Menus/OptionsMenu.h"

#include "Corvan/EntryPoint/IEngine.h"
#include "Corvan/Events/InputEvents.h"
#include "Corvan/Events/KeyCodes.h"
#include "Corvan/Gui/Colours.h"
#include "Corvan/Gui/Containers/LayoutMargin.h"
#include "Corvan/Gui/Containers/Scrollview.h"
#include "Corvan/Layout/LayoutStack.h"
#include "Game/ConfigIds.h"
#include "Game/FrameCap.h"
#include "Game/ICoreInterface.h"
#include "Game/Locale.h"
#include "Game/Menus/IOptionsMenuListener.h"
#include "Game/Menus/MenuPanelStyle.h"
#include "Game/Menus/SpokenKeyName.h"
#include "Game/MultisampleSetting.h"

#include <algorithm>
#include <iterator>

namespace Snake
{
namespace
{
constexpr uint32_t k_KeyFocusedGreen = 0xFF00FF00;
constexpr int32_t k_WideTabWidth = 130;

bool IsOne(const Lib::String& p_Value)
{
    return p_Value == Lib::String("1");
}
} // namespace

OptionsMenu::OptionsMenu(Telvar::IEngine* p_Engine, IOptionsMenuListener* p_Listener, ICoreInterface* p_Core)
    : m_Engine(p_Engine), m_Listener(p_Listener), m_Core(p_Core), m_Style(MakePanelStyle()),
      m_FocusGroup(this),
      m_TitleLabel(p_Engine, 40, Vozad::k_LabelAlignTopLeft), m_Tabs{{Vozad::Button(p_Engine, 20, 0),
                                                                      Vozad::Button(p_Engine, 20, 0),
                                                                      Vozad::Button(p_Engine, 20, 0),
                                                                      Vozad::Button(p_Engine, 20, 0)}},
      m_BackButton(p_Engine, 20, 0), m_ApplyButton(p_Engine, 20, 0), m_EditButton(p_Engine, 20, 0),
      m_LanguageList(p_Engine, 14, this), m_LanguageNote(p_Engine, 13), m_ShowFpsBox(p_Engine),
      m_ShowPointsBox(p_Engine), m_GridModeList(p_Engine, 14, this), m_SpeedList(p_Engine, 14, this),
      m_Sound(p_Engine, this), m_KeyButtons{{Vozad::Button(p_Engine, 14, 0), Vozad::Button(p_Engine, 14, 0),
                                             Vozad::Button(p_Engine, 14, 0), Vozad::Button(p_Engine, 14, 0)}},
      m_AssignLabels{{Vozad::Label(p_Engine, 14), Vozad::Label(p_Engine, 14), Vozad::Label(p_Engine, 14),
                      Vozad::Label(p_Engine, 14)}},
      m_ScreenshotKey(p_Engine, 13), m_RendererList(p_Engine, 14, this), m_WindowModeList(p_Engine, 12, this),
      m_MonitorList(p_Engine, 12, this), m_ResolutionList(p_Engine, 12, this), m_VSyncBox(p_Engine),
      m_FrameCapList(p_Engine, 12, this), m_MultisampleList(p_Engine, 12, this)
{
    for (uint32_t i = 0; i < k_GameplayOptionCount; ++i)
        m_GameplayBoxes.push_back(std::make_unique<Vozad::Checkbox>(p_Engine));
}

OptionsMenu::~OptionsMenu()
{
    // The mouse must not stay captured by a menu that is gone.
    if (m_Keys.IsWaiting() && m_Window)
        m_Window->SetRawMouseInput(false);
}

void OptionsMenu::SetWindow(Lib::Ref<Vozad::IWindow> p_Window)
{
    m_Window = p_Window;
}

Lib::String OptionsMenu::Text(const char* p_Key) const
{
    return m_Core->GetLocaleString(p_Key);
}

OptionsMenu::ConfiguredValues OptionsMenu::ReadConfiguredValues() const
{
    ConfiguredValues values;
    values.language = LanguageIndexFor(m_Core->GetConfigValue(k_ConfigLanguage));
    values.showFps = IsOne(m_Core->GetConfigValue(k_ConfigShowFps));
    values.showPoints = IsOne(m_Core->GetConfigValue(k_ConfigShowPoints));
    // The game's own reading of the grid and speed settings, so the lists show what is played.
    values.gridMode = std::min(m_Core->GetGridMode(), k_OptionGridModeCount - 1);
    values.speed = SpeedIndexFor(m_Core->GetGameSpeed());
    for (uint32_t row = 0; row < k_MoveKeyCount; ++row)
        values.keys[row] = m_Core->GetConfigValue(MoveKeyConfigId(row)).ToNarrow().Bytes();
    values.vsync = IsOne(m_Core->GetConfigValue(k_ConfigVSync));
    values.frameCap = FrameCapIndexFor(m_Core->GetConfigValue(k_ConfigFrameCap));
    values.multisample =
        MultisampleIndexFor(ParseMultisample(m_Core->GetConfigValue(k_ConfigMultisample)).setting);
    for (uint32_t i = 0; i < k_GameplayOptionCount; ++i)
        values.gameplay[i] = IsOne(m_Core->GetConfigValue(k_GameplayOptions[i].configId));
    return values;
}

void OptionsMenu::Build()
{
    if (!m_Window)
    {
        Lib::LogError(m_Tag, "The options menu has no window; it cannot be built");
        return;
    }
    StyleWidgets();
    const ConfiguredValues values = ReadConfiguredValues();
    FillGeneralControls(values);
    m_Sound.Fill(*m_Core);
    m_StartLanguage = values.language;
    m_Keys.Reset(values.keys);
    for (uint32_t row = 0; row < k_MoveKeyCount; ++row)
        ShowKey(row);
    m_ScreenshotKey.SetText(Spoken(Vozad::KeyNameFromCode(Vozad::KeyCode::F11)));

    BuildContent();
    MarkGraphicsForRefill(true);
    FillGraphicsTab();
    m_Built = true;
    SetVisibility(Vozad::k_LayoutHidden);
}

void OptionsMenu::StyleWidgets()
{
    m_TitleLabel.GetStyle().textColour = Vozad::Colour::k_White;
    m_TitleLabel.SetText(Text("menu_options.title"));

    const char* tabKeys[k_OptionsTabCount] = {
        "menu_options.tab_general.title", "menu_options.tab_input.title", "menu_options.tab_graphics.title",
        "menu_options.tab_gameplay.title"};
    for (int32_t tab = 0; tab < k_OptionsTabCount; ++tab)
    {
        Vozad::Button& button = m_Tabs[static_cast<size_t>(tab)];
        StyleTabButton(button);
        button.SetText(Text(tabKeys[tab]));
        button.SetForwarder(this);
    }
    // "Gameplay" and "Spielweise" are wider than the other tab names.
    m_Tabs[k_OptionsTabGameplay].SetDesiredWidth(k_WideTabWidth);
    // The General tab starts highlighted; the group keeps exactly one tab marked from now on.
    m_Tabs[0].SetFlag(Vozad::k_LayoutFocused, true);
    for (Vozad::Button& button : m_Tabs)
        m_FocusGroup.AddMember(&button);

    m_BackButton.SetText(Text("menu_options.back"));
    m_ApplyButton.SetText(Text("menu_options.apply"));
    m_EditButton.SetText(Text("menu_options.edit"));
    m_BackButton.SetForwarder(this);
    m_ApplyButton.SetForwarder(this);
    m_EditButton.SetForwarder(this);

    m_LanguageNote.GetStyle().textColour = k_TabTextFocused;
    m_LanguageNote.SetText(Text("menu_options.tab_general.language_note"));
    m_LanguageNote.SetVisibility(Vozad::k_LayoutCollapsed);

    for (uint32_t row = 0; row < k_MoveKeyCount; ++row)
    {
        Vozad::Button& button = m_KeyButtons[row];
        button.GetStyle().textColour = Vozad::Colour::k_White;
        button.GetStyle().textColourFocused = k_KeyFocusedGreen;
        button.GetStyle().changed = true;
        button.SetDesiredWidth(150);
        button.SetForwarder(this);
        Vozad::Label& assign = m_AssignLabels[row];
        assign.GetStyle().textColour = k_TabTextFocused;
        assign.SetText(Text("menu_options.tab_input.assign_key"));
        assign.SetVisibility(Vozad::k_LayoutCollapsed);
    }
    m_ScreenshotKey.GetStyle().textColour = Vozad::Colour::k_White;
}

void OptionsMenu::FillGeneralControls(const ConfiguredValues& p_Values)
{
    m_LanguageList.Clear();
    for (uint32_t i = 0; i < k_LanguageCount; ++i)
        m_LanguageList.AddItem(Lib::String(LanguageOwnName(LanguageName(i))), i == p_Values.language);
    m_ShowFpsBox.SetChecked(p_Values.showFps);
    m_ShowPointsBox.SetChecked(p_Values.showPoints);
    m_GridModeList.Clear();
    for (uint32_t i = 0; i < k_OptionGridModeCount; ++i)
        m_GridModeList.AddItem(
            Text(Lib::String::Format("menu_options.tab_general.grid_modes.%u", i).ToNarrow().Data()),
            i == p_Values.gridMode);
    m_SpeedList.Clear();
    for (uint32_t i = 0; i < k_OptionSpeeds.size(); ++i)
        m_SpeedList.AddItem(Lib::String::Format("%u", k_OptionSpeeds[i]), i == p_Values.speed);
    m_VSyncBox.SetChecked(p_Values.vsync);
    FillFrameCapList(p_Values.frameCap);
    FillMultisampleList(p_Values.multisample);
    for (uint32_t i = 0; i < k_GameplayOptionCount; ++i)
        m_GameplayBoxes[i]->SetChecked(p_Values.gameplay[i]);

    m_Applied.language = m_LanguageList.GetSelectedIndex();
    m_Applied.showFps = p_Values.showFps;
    m_Applied.showPoints = p_Values.showPoints;
    m_Applied.gridMode = m_GridModeList.GetSelectedIndex();
    m_Applied.speed = m_SpeedList.GetSelectedIndex();
    m_Applied.vsync = p_Values.vsync;
    m_Applied.frameCap = m_FrameCapList.GetSelectedIndex();
    m_Applied.multisample = m_MultisampleList.GetSelectedIndex();
    m_Applied.gameplay = p_Values.gameplay;
}

void OptionsMenu::FillFrameCapList(uint32_t p_Selected)
{
    // The first entry names the rate it stands for, so the player sees the cap in force.
    uint32_t refreshRate = k_FallbackRefreshRate;
    if (m_Window)
    {
        const Lib::Point position = m_Window->GetPosition();
        refreshRate = MonitorRefreshRate(m_Engine->GetMonitorCollection(), position.x, position.y);
    }
    m_FrameCapList.Clear();
    for (uint32_t i = 0; i < std::size(k_FrameCapChoices); ++i)
    {
        const int32_t choice = k_FrameCapChoices[i];
        Lib::String text;
        if (choice == k_FrameCapRefreshRate)
            text = Lib::String(Text("menu_options.tab_graphics.frame_cap_refresh").Wide() +
                               Lib::String::Format(" (%u fps)", refreshRate).Wide());
        else if (choice == k_FrameCapOff)
            text = Text("menu_options.tab_graphics.frame_cap_off");
        else
            text = Lib::String::Format("%d", choice);
        m_FrameCapList.AddItem(text, i == p_Selected);
    }
}

void OptionsMenu::FillMultisampleList(uint32_t p_Selected)
{
    m_MultisampleList.Clear();
    for (uint32_t i = 0; i < std::size(k_MultisampleChoices); ++i)
    {
        const int32_t choice = k_MultisampleChoices[i];
        Lib::String text;
        if (choice == Vozad::k_MultisampleAutomatic)
            text = Text("menu_options.tab_graphics.multisample_auto");
        else if (choice == Vozad::k_MultisampleOff)
            text = Text("menu_options.tab_graphics.multisample_off");
        else
            text = Lib::String::Format("%dx", choice);
        m_MultisampleList.AddItem(text, i == p_Selected);
    }
}

void OptionsMenu::Show()
{
    SetVisibility(Vozad::k_LayoutVisible);
    if (m_Built)
        ShowStoredSettings();
    SelectTab(m_CurrentTab);
}

void OptionsMenu::Hide()
{
    if (m_Keys.IsWaiting())
        EndAssignment();
    SetVisibility(Vozad::k_LayoutHidden);
}

void OptionsMenu::SelectTab(int32_t p_Tab)
{
    m_CurrentTab = p_Tab >= 0 && p_Tab < k_OptionsTabCount ? p_Tab : k_OptionsTabGeneral;
    // The highlight follows the page also when the tab is selected without a press.
    Vozad::Button& tabButton = m_Tabs[static_cast<size_t>(m_CurrentTab)];
    tabButton.SetFlag(Vozad::k_LayoutFocused, true);
    m_FocusGroup.OnFocusChanged(true, tabButton);
    if (!m_Pages[0])
        return;
    for (int32_t tab = 0; tab < k_OptionsTabCount; ++tab)
    {
        const bool shown = tab == m_CurrentTab;
        Vozad::Scrollview& page = *m_Pages[static_cast<size_t>(tab)];
        page.SetVisibility(shown ? Vozad::k_LayoutVisible : Vozad::k_LayoutHidden);
        page.SetEnabled(shown);
    }
    m_EditButton.SetVisibility(m_CurrentTab == k_OptionsTabInput ? Vozad::k_LayoutVisible
                                                                 : Vozad::k_LayoutCollapsed);
    UpdateLayout();
}

void OptionsMenu::ShowStoredSettings()
{
    // Every visit starts from what is in force: a choice left with Back must neither reappear
    // nor be applied unseen by a later Apply of something else.
    const ConfiguredValues stored = ReadConfiguredValues();
    FillGeneralControls(stored);
    for (uint32_t row = 0; row < k_MoveKeyCount; ++row)
    {
        m_Keys.SetKey(row, stored.keys[row]);
        ShowKey(row);
    }
    MarkGraphicsForRefill(false);
    FillGraphicsTab();
    m_Sound.Fill(*m_Core);
}

OptionsValues OptionsMenu::GetAppliedValues() const
{
    OptionsValues values = m_Applied;
    for (uint32_t row = 0; row < k_MoveKeyCount; ++row)
        values.keys[row] = m_Keys.GetAppliedCode(row);
    return values;
}

OptionsValues OptionsMenu::GetChosenValues() const
{
    OptionsValues values;
    values.language = m_LanguageList.GetSelectedIndex();
    values.showFps = m_ShowFpsBox.IsChecked();
    values.showPoints = m_ShowPointsBox.IsChecked();
    values.gridMode = m_GridModeList.GetSelectedIndex();
    values.speed = m_SpeedList.GetSelectedIndex();
    for (uint32_t row = 0; row < k_MoveKeyCount; ++row)
        values.keys[row] = m_Keys.GetShownCode(row);
    values.windowMode = m_WindowModeList.GetSelectedIndex();
    values.monitor = m_MonitorList.GetSelectedIndex();
    values.resolution = m_ResolutionList.GetSelectedIndex();
    values.vsync = m_VSyncBox.IsChecked();
    values.frameCap = m_FrameCapList.GetSelectedIndex();
    values.multisample = m_MultisampleList.GetSelectedIndex();
    for (uint32_t i = 0; i < k_GameplayOptionCount; ++i)
        values.gameplay[i] = m_GameplayBoxes[i]->IsChecked();
    return values;
}

void OptionsMenu::Apply()
{
    const OptionsValues chosen = GetChosenValues();
    for (ApplyStep step : PlanApply(GetAppliedValues(), chosen))
        ApplyStepNow(step, chosen);
    m_Sound.Apply(*m_Core);
    // What the window did with the new mode, place and size is what the lists show next.
    MarkGraphicsForRefill(false);
    FillGraphicsTab();
}

void OptionsMenu::ApplyStepNow(ApplyStep p_Step, const OptionsValues& p_Chosen)
{
    switch (p_Step)
    {
    case ApplyStep::Language:
        // The texts are loaded once at start; the new language shows after a restart.
        m_Core->SetConfigValue(k_ConfigLanguage,
                               Lib::String(LanguageOwnName(LanguageName(p_Chosen.language))));
        m_LanguageNote.SetVisibility(p_Chosen.language != m_StartLanguage ? Vozad::k_LayoutVisible
                                                                          : Vozad::k_LayoutCollapsed);
        m_Applied.language = p_Chosen.language;
        UpdateLayout();
        break;
    case ApplyStep::ShowFps:
        m_Core->SetShowFps(p_Chosen.showFps);
        m_Applied.showFps = p_Chosen.showFps;
        break;
    case ApplyStep::ShowPoints:
        m_Core->SetShowPoints(p_Chosen.showPoints);
        m_Applied.showPoints = p_Chosen.showPoints;
        break;
    case ApplyStep::GridMode:
        m_Core->SetGridMode(p_Chosen.gridMode);
        m_Applied.gridMode = p_Chosen.gridMode;
        break;
    case ApplyStep::Speed:
        m_Core->SetGameSpeed(k_OptionSpeeds.at(p_Chosen.speed));
        m_Applied.speed = p_Chosen.speed;
        break;
    case ApplyStep::KeyLeft:
    case ApplyStep::KeyRight:
    case ApplyStep::KeyUp:
    case ApplyStep::KeyDown:
    {
        const uint32_t row = static_cast<uint32_t>(p_Step) - static_cast<uint32_t>(ApplyStep::KeyLeft);
        const char* name = Vozad::KeyNameFromCode(p_Chosen.keys[row]);
        // Only named keys can be assigned; an unnamed one would write a bind line without a key.
        if (name && *name)
        {
            m_Core->SetConfigValue(MoveKeyConfigId(row), Lib::String(name));
            m_Keys.MarkApplied(row);
        }
        break;
    }
    case ApplyStep::WindowMode:
    {
        if (p_Chosen.windowMode < m_WindowModes.size())
            m_Window->SetWindowMode(m_WindowModes[p_Chosen.windowMode].mode);
        m_Applied.windowMode = p_Chosen.windowMode;
        // Stored is the mode the window took (a switch that fails leaves it windowed), so the next
        // start opens as the window is now.
        const int32_t setting = WindowModeSettingFor(m_Window->GetWindowMode());
        if (setting >= 0)
            m_Core->SetConfigValue(k_ConfigWindowMode, Lib::String::Format("%d", setting));
        break;
    }
    case ApplyStep::Monitor:
        if (MoveWindowToMonitor(p_Chosen.monitor))
            m_Core->SetConfigValue(k_ConfigCurrentMonitor, Lib::String::Format("%u", p_Chosen.monitor));
        m_Applied.monitor = p_Chosen.monitor;
        break;
    case ApplyStep::Resolution:
    {
        uint32_t width = 0, height = 0;
        if (p_Chosen.resolution < m_ResolutionList.GetItemCount() &&
            ParseResolution(m_ResolutionList.GetItemText(p_Chosen.resolution), width, height))
            m_Core->SetResolution(width, height);
        m_Applied.resolution = p_Chosen.resolution;
        break;
    }
    case ApplyStep::VSync:
        m_Core->SetVSync(p_Chosen.vsync);
        m_Applied.vsync = p_Chosen.vsync;
        break;
    case ApplyStep::FrameCap:
        if (p_Chosen.frameCap < std::size(k_FrameCapChoices))
            m_Core->SetFrameCap(k_FrameCapChoices[p_Chosen.frameCap]);
        m_Applied.frameCap = p_Chosen.frameCap;
        break;
    case ApplyStep::Multisample:
        if (p_Chosen.multisample < std::size(k_MultisampleChoices))
            m_Core->SetMultisample(k_MultisampleChoices[p_Chosen.multisample]);
        m_Applied.multisample = p_Chosen.multisample;
        break;
    case ApplyStep::Gameplay:
        for (uint32_t i = 0; i < k_GameplayOptionCount; ++i)
            if (p_Chosen.gameplay[i] != m_Applied.gameplay[i])
                m_Core->SetConfigValue(k_GameplayOptions[i].configId,
                                       Lib::String(p_Chosen.gameplay[i] ? "1" : "0"));
        m_Applied.gameplay = p_Chosen.gameplay;
        break;
    }
}

void OptionsMenu::Close()
{
    if (m_Keys.IsWaiting())
        EndAssignment();
    for (uint32_t row : m_Keys.RestoreUnapplied())
        ShowKey(row);
    m_Listener->OnOptionsClosed();
}

Lib::String OptionsMenu::Spoken(const std::string& p_KeyName) const
{
    return SpokenKeyName(p_KeyName, [this](const char* p_Key) { return Text(p_Key); });
}

void OptionsMenu::ShowKey(uint32_t p_Row)
{
    // The button says the key as people do; the assignment keeps the configuration's name.
    m_KeyButtons[p_Row].SetText(Spoken(m_Keys.GetShown(p_Row)));
}

void OptionsMenu::StartAssignment()
{
    if (!m_Keys.Begin())
        return;
    const uint32_t row = m_Keys.GetChosen();
    m_Window->SetRawMouseInput(true);
    m_Engine->SetFocus(this);
    m_KeyButtons[row].SetFlag(Vozad::k_LayoutFocused, true);
    m_AssignLabels[row].SetVisibility(Vozad::k_LayoutVisible);
    UpdateLayout();
}

void OptionsMenu::EndAssignment()
{
    m_Keys.Cancel();
    m_Window->SetRawMouseInput(false);
    const uint32_t row = m_Keys.GetChosen();
    if (row < k_MoveKeyCount)
    {
        m_AssignLabels[row].SetVisibility(Vozad::k_LayoutCollapsed);
        m_KeyButtons[row].SetFlag(Vozad::k_LayoutFocused, false);
    }
    UpdateLayout();
}

void OptionsMenu::HandleAssignmentKey(int32_t p_Code)
{
    const uint32_t row = m_Keys.GetChosen();
    const KeyAssignment::Outcome outcome = m_Keys.OnKey(p_Code);
    EndAssignment();
    if (outcome == KeyAssignment::Outcome::Assigned)
        ShowKey(row);
}

uint32_t OptionsMenu::KeyRowOf(const Vozad::LayoutBase& p_Element) const
{
    for (uint32_t row = 0; row < k_MoveKeyCount; ++row)
        if (&m_KeyButtons[row] == &p_Element)
            return row;
    return k_MoveKeyCount;
}

int32_t OptionsMenu::TabOf(const Vozad::LayoutBase& p_Element) const
{
    for (int32_t tab = 0; tab < k_OptionsTabCount; ++tab)
        if (&m_Tabs[static_cast<size_t>(tab)] == &p_Element)
            return tab;
    return -1;
}

bool OptionsMenu::OnKeyPress(Vozad::EventKeyInput& p_Event)
{
    if (!IsEnabled() || !IsVisible())
        return false;
    if (m_Keys.IsWaiting())
    {
        HandleAssignmentKey(p_Event.keyCode);
        return true;
    }
    if (ContentLayoutBase::OnKeyPress(p_Event))
        return true;
    if (p_Event.keyCode != Vozad::KeyCode::Escape || !IsFocused())
        return false;
    Close();
    return true;
}

Vozad::LayoutBase* OptionsMenu::OnMousePress(Vozad::EventMousePress& p_Event)
{
    if (!m_Keys.IsWaiting())
        return ContentLayoutBase::OnMousePress(p_Event);
    // The mouse comes back, the wait goes on: a key still ends it.
    m_Window->SetRawMouseInput(false);
    return this;
}

Vozad::LayoutBase* OptionsMenu::OnMouseClick(Vozad::EventMousePress& p_Event)
{
    if (m_Keys.IsWaiting())
        return this;
    return ContentLayoutBase::OnMouseClick(p_Event);
}

void OptionsMenu::Draw(Vozad::IDrawingContext& p_Context)
{
    if (!IsVisible())
        return;
    DrawPanelFrame(*this, m_Style, p_Context);
    ContentLayoutBase::Draw(p_Context);
}

void OptionsMenu::SetVisibility(int32_t p_Visibility)
{
    ContentLayoutBase::SetVisibility(p_Visibility);
    m_Style.changed = true;
}

Vozad::LayoutBase* OptionsMenu::OnMousePress(Vozad::EventMousePress& p_Event, Vozad::LayoutBase& p_Sender)
{
    if (p_Event.button != Vozad::MouseButton::Left)
        return nullptr;
    const int32_t tab = TabOf(p_Sender);
    if (tab >= 0)
    {
        SelectTab(tab);
        return &p_Sender;
    }
    const uint32_t row = KeyRowOf(p_Sender);
    if (row < k_MoveKeyCount)
    {
        m_Keys.Choose(row);
        return &p_Sender;
    }
    if (&p_Sender == &m_EditButton)
    {
        if (m_Keys.HasChosen())
            m_KeyButtons[m_Keys.GetChosen()].SetFlag(Vozad::k_LayoutFocused, true);
        return &p_Sender;
    }
    if (&p_Sender == &m_BackButton || &p_Sender == &m_ApplyButton)
        return &p_Sender; // their action comes with the click
    return nullptr;
}

Vozad::LayoutBase* OptionsMenu::OnMouseClick(Vozad::EventMousePress& p_Event, Vozad::LayoutBase& p_Sender)
{
    if (p_Event.button != Vozad::MouseButton::Left)
        return nullptr;
    if (&p_Sender == &m_BackButton)
    {
        Close();
        return &p_Sender;
    }
    if (&p_Sender == &m_ApplyButton)
    {
        Apply();
        return &p_Sender;
    }
    if (&p_Sender == &m_EditButton)
    {
        StartAssignment();
        return &p_Sender;
    }
    return nullptr;
}
} // namespace Snake
