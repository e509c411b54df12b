#pragma once
// The options panel with its General, Input and Graphics tabs. Changes reach the game, the window
// and the configuration only with Apply; Back and ESCAPE leave without applying.
//
// What the GUI handler relies on (the rest of the class is the options menu's own):
// - construction with the engine, the handler's IOptionsMenuListener and the game's ICoreInterface;
// - SetWindow before Build (the handler takes the window from the engine and fails without one);
// - Build once, leaving the panel Hidden;
// - Show and Hide for ShowPanel (3) and HidePanel (3); Show selects the current tab again and
//   shows the settings in force;
// - OnOptionsClosed of the listener on Back or on ESCAPE while the menu holds the keyboard focus.
//   A key routed down the tree to the panel without focus is left to the GUI handler, whose ESCAPE
//   rule starts a game that was never started.
#include "Corvan/Gui/Popup/ComboBox.h"
#include "Corvan/Gui/Popup/IComboBoxItemSelect.h"
#include "Corvan/Gui/Widgets/Button.h"
#include "Corvan/Gui/Widgets/Checkbox.h"
#include "Corvan/Gui/Widgets/ICheckboxListener.h"
#include "Corvan/Gui/Widgets/Label.h"
#include "Corvan/Gui/Widgets/WidgetStyle.h"
#include "Corvan/Layout/ContentLayoutBase.h"
#include "Corvan/Layout/ILayoutEventForwarder.h"
#include "Corvan/Layout/LayoutFocusGroup.h"
#include "Corvan/Window/IWindow.h"
#include "Game/Menus/KeyAssignment.h"
#include "Game/Menus/OptionsModel.h"
#include "Game/Menus/SoundOptions.h"
#include "Lib/Log.h"
#include "Lib/ReferenceCounter.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace Telvar
{
class IEngine;
}

namespace Vozad
{
class LayoutBar;
class LayoutMargin;
class LayoutStack;
class Scrollview;
} // namespace Vozad

namespace Snake
{
class ICoreInterface;
class IOptionsMenuListener;

enum OptionsTab : int32_t
{
    k_OptionsTabGeneral = 0,
    k_OptionsTabInput = 1,
    k_OptionsTabGraphics = 2,
    k_OptionsTabGameplay = 3,
    k_OptionsTabCount = 4,
};

class OptionsMenu : public Vozad::ContentLayoutBase,
                    public Vozad::ILayoutEventForwarder,
                    public Vozad::IComboBoxItemSelect,
                    public Vozad::ICheckboxListener
{
public:
    OptionsMenu(Telvar::IEngine* p_Engine, IOptionsMenuListener* p_Listener, ICoreInterface* p_Core);
    ~OptionsMenu() override;

    void SetWindow(Lib::Ref<Vozad::IWindow> p_Window);
    // Reads the settings, fills the controls, builds the tabs and the Graphics lists, and hides
    // the panel. Without a window (SetWindow) only the logged error happens.
    void Build();
    // Visible with the current tab, every control showing the setting in force: choices left
    // with Back or ESCAPE are gone.
    void Show();
    // Hidden; a running key assignment ends without a key.
    void Hide();
    void SelectTab(int32_t p_Tab);
    int32_t GetCurrentTab() const { return m_CurrentTab; }

    // Passes every control that differs from its applied value on, in a fixed order, and fills
    // the Graphics lists again.
    void Apply();
    // Back: nothing is applied, and the next Show starts from the settings in force; the listener
    // is told.
    void Close();

    // The values applied last and the values the controls show now.
    OptionsValues GetAppliedValues() const;
    OptionsValues GetChosenValues() const;
    bool IsWaitingForKey() const { return m_Keys.IsWaiting(); }
    const KeyAssignment& GetKeyAssignment() const { return m_Keys; }
    // Whether Build has run (with a window).
    bool IsBuilt() const { return m_Built; }

    Vozad::Label& GetTitleLabel() { return m_TitleLabel; }
    Vozad::Button& GetTab(int32_t p_Tab) { return m_Tabs.at(static_cast<size_t>(p_Tab)); }
    Vozad::Button& GetBackButton() { return m_BackButton; }
    Vozad::Button& GetApplyButton() { return m_ApplyButton; }
    Vozad::Button& GetEditButton() { return m_EditButton; }
    Vozad::ComboBox& GetLanguageList() { return m_LanguageList; }
    Vozad::Label& GetLanguageNote() { return m_LanguageNote; }
    Vozad::Checkbox& GetShowFpsBox() { return m_ShowFpsBox; }
    Vozad::Checkbox& GetShowPointsBox() { return m_ShowPointsBox; }
    Vozad::ComboBox& GetGridModeList() { return m_GridModeList; }
    Vozad::ComboBox& GetSpeedList() { return m_SpeedList; }
    Vozad::Button& GetKeyButton(uint32_t p_Row) { return m_KeyButtons.at(p_Row); }
    Vozad::Label& GetAssignLabel(uint32_t p_Row) { return m_AssignLabels.at(p_Row); }
    Vozad::Label& GetScreenshotKeyLabel() { return m_ScreenshotKey; }
    Vozad::ComboBox& GetRendererList() { return m_RendererList; }
    Vozad::ComboBox& GetWindowModeList() { return m_WindowModeList; }
    Vozad::ComboBox& GetMonitorList() { return m_MonitorList; }
    Vozad::ComboBox& GetResolutionList() { return m_ResolutionList; }
    Vozad::Checkbox& GetVSyncBox() { return m_VSyncBox; }
    Vozad::ComboBox& GetFrameCapList() { return m_FrameCapList; }
    Vozad::ComboBox& GetMultisampleList() { return m_MultisampleList; }
    // The check box of row p_Index of k_GameplayOptions.
    Vozad::Checkbox& GetGameplayBox(uint32_t p_Index) { return *m_GameplayBoxes.at(p_Index); }
    SoundOptions& GetSoundOptions() { return m_Sound; }
    // Null before Build.
    Vozad::Scrollview* GetPage(int32_t p_Tab) { return m_Pages.at(static_cast<size_t>(p_Tab)).get(); }

    // While a key is awaited every key is the assignment's; otherwise ESCAPE closes the menu when
    // it holds the keyboard focus.
    bool OnKeyPress(Vozad::EventKeyInput& p_Event) override;
    // While a key is awaited a press only gives the mouse back, and clicks do nothing.
    Vozad::LayoutBase* OnMousePress(Vozad::EventMousePress& p_Event) override;
    Vozad::LayoutBase* OnMouseClick(Vozad::EventMousePress& p_Event) override;
    void Draw(Vozad::IDrawingContext& p_Context) override;
    void SetVisibility(int32_t p_Visibility) override;

    // As the forwarder of the tab buttons (through the focus group), the key buttons and the
    // Back, Apply and Edit buttons.
    Vozad::LayoutBase* OnMousePress(Vozad::EventMousePress& p_Event, Vozad::LayoutBase& p_Sender) override;
    Vozad::LayoutBase* OnMouseClick(Vozad::EventMousePress& p_Event, Vozad::LayoutBase& p_Sender) override;
    using ILayoutEventForwarder::OnKeyPress;

    // A selection or a tick only changes the control; Apply reads them.
    void OnComboBoxItemSelected(Vozad::ComboBox&, uint32_t) override {}
    void OnCheckboxChanged(Vozad::Checkbox&) override {}

private:
    // Configuration-backed values as the configuration holds them now.
    struct ConfiguredValues
    {
        uint32_t language = 0;
        bool showFps = false;
        bool showPoints = false;
        uint32_t gridMode = 0;
        uint32_t speed = 0;
        std::array<std::string, k_MoveKeyCount> keys;
        bool vsync = false;
        uint32_t frameCap = 0;
        uint32_t multisample = 0;
        std::array<bool, k_GameplayOptionCount> gameplay{};
    };

    Lib::String Text(const char* p_Key) const;
    // A configuration key name as the menu shows it (SpokenKeyName).
    Lib::String Spoken(const std::string& p_KeyName) const;
    ConfiguredValues ReadConfiguredValues() const;
    void StyleWidgets();
    void FillGeneralControls(const ConfiguredValues& p_Values);
    void FillFrameCapList(uint32_t p_Selected);
    void FillMultisampleList(uint32_t p_Selected);
    // Builds the pages and the panel's content (OptionsMenuLayout.cpp).
    void BuildContent();
    std::unique_ptr<Vozad::Scrollview> MakePage(std::unique_ptr<Vozad::LayoutBase> p_Content);
    std::unique_ptr<Vozad::LayoutBase> BuildGeneralPage();
    std::unique_ptr<Vozad::LayoutBase> BuildInputPage();
    std::unique_ptr<Vozad::LayoutBase> BuildGraphicsPage();
    std::unique_ptr<Vozad::LayoutBase> BuildGameplayPage();
    std::unique_ptr<Vozad::Label> NewLabel(const char* p_Key, uint32_t p_Size);
    std::unique_ptr<Vozad::LayoutBar> HeadingRow(const char* p_Title);

    // Fills the Graphics lists marked for refilling from the engine and the window
    // (OptionsMenuGraphics.cpp); their selections become the applied values.
    void FillGraphicsTab();
    void MarkGraphicsForRefill(bool p_Renderer);
    void FillRendererList();
    void FillWindowModeList();
    void FillMonitorList();
    void FillResolutionList();
    // The monitor list entry holding the window and the selected monitor's resolutions as they
    // would be filled now.
    ChoiceList CurrentMonitorChoices() const;
    ChoiceList CurrentResolutionChoices(uint32_t p_Monitor) const;
    // Every control at the value in force (the configuration, the window), as applied.
    void ShowStoredSettings();
    // False when there is no such monitor (logged); the window then stays where it is.
    bool MoveWindowToMonitor(uint32_t p_Monitor);

    void ApplyStepNow(ApplyStep p_Step, const OptionsValues& p_Chosen);
    void ShowKey(uint32_t p_Row);
    void StartAssignment();
    void EndAssignment();
    void HandleAssignmentKey(int32_t p_Code);
    // The row of a key button, or k_MoveKeyCount.
    uint32_t KeyRowOf(const Vozad::LayoutBase& p_Element) const;
    int32_t TabOf(const Vozad::LayoutBase& p_Element) const;

    Lib::LogTag m_Tag{"OptionsMenu"};
    Telvar::IEngine* m_Engine; // not owned
    Lib::Ref<Vozad::IWindow> m_Window;
    IOptionsMenuListener* m_Listener; // the GUI handler; not owned
    ICoreInterface* m_Core;           // the game object; not owned
    Vozad::WidgetStyle m_Style;
    Vozad::LayoutFocusGroup m_FocusGroup;
    int32_t m_CurrentTab = k_OptionsTabGeneral;
    bool m_Built = false;

    // Values applied last (keys live in m_Keys) and the language the program started with.
    OptionsValues m_Applied;
    uint32_t m_StartLanguage = 0;
    KeyAssignment m_Keys;
    std::vector<WindowModeChoice> m_WindowModes; // what the window-mode list shows, in order
    bool m_RefillRenderer = false;
    bool m_RefillWindowModes = false;
    bool m_RefillMonitors = false;
    bool m_RefillResolutions = false;

    Vozad::Label m_TitleLabel;
    std::array<Vozad::Button, k_OptionsTabCount> m_Tabs;
    Vozad::Button m_BackButton;
    Vozad::Button m_ApplyButton;
    Vozad::Button m_EditButton;

    Vozad::ComboBox m_LanguageList;
    Vozad::Label m_LanguageNote;
    Vozad::Checkbox m_ShowFpsBox;
    Vozad::Checkbox m_ShowPointsBox;
    Vozad::ComboBox m_GridModeList;
    Vozad::ComboBox m_SpeedList;
    SoundOptions m_Sound;

    std::array<Vozad::Button, k_MoveKeyCount> m_KeyButtons;
    std::array<Vozad::Label, k_MoveKeyCount> m_AssignLabels;
    Vozad::Label m_ScreenshotKey;

    Vozad::ComboBox m_RendererList;
    Vozad::ComboBox m_WindowModeList;
    Vozad::ComboBox m_MonitorList;
    Vozad::ComboBox m_ResolutionList;
    Vozad::Checkbox m_VSyncBox;
    Vozad::ComboBox m_FrameCapList;
    Vozad::ComboBox m_MultisampleList;

    std::vector<std::unique_ptr<Vozad::Checkbox>> m_GameplayBoxes; // one per k_GameplayOptions row

    // Last, so the containers go before the widgets they hold.
    std::array<std::unique_ptr<Vozad::Scrollview>, k_OptionsTabCount> m_Pages;
    std::unique_ptr<Vozad::LayoutStack> m_PageStack;
    std::unique_ptr<Vozad::LayoutMargin> m_Margin;
};
} // namespace Snake
