// The options menu with the real engine: a real window and its lists, real text measuring, and
// what the three tabs look like on screen.
#include "Game/Menus/OptionsMenu.h"

#include "Corvan/Events/InputEvents.h"
#include "Corvan/Events/KeyCodes.h"
#include "Corvan/Gui/Containers/GridSizeMode.h"
#include "Corvan/Gui/Containers/LayoutBar.h"
#include "Corvan/Gui/Containers/Scrollview.h"
#include "Corvan/Window/EngineWindow.h"
#include "Game/ConfigIds.h"
#include "Game/GridModes.h"
#include "Game/ICoreInterface.h"
#include "Game/Locale.h"
#include "Game/Menus/IOptionsMenuListener.h"
#include "Game/MultisampleSetting.h"

#include "Game/Menus/MenuGLSupport.h"

#include <SDL2/SDL.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace
{
using namespace Snake;
using Snake::Testing::ChooseListEntry;
using Snake::Testing::MenuGLTest;
using Vozad::GridSizeMode;

std::string Narrow(const Lib::String& p_Text)
{
    return p_Text.ToNarrow().Bytes();
}

// The game object as the options menu sees it: a configuration with the built-in values, setters
// that store like the game's, and every change written down in order.
class OptionsGame : public ICoreInterface
{
public:
    explicit OptionsGame(const char* p_Language) { locale.LoadLanguages(p_Language); }

    Lib::String GetLocaleString(const Lib::String& p_Key) override { return locale.GetLocaleString(p_Key); }
    Lib::String GetConfigValue(int32_t p_Id) override
    {
        auto found = config.find(p_Id);
        return found == config.end() ? Lib::String("Invalid Entry") : Lib::String(found->second.c_str());
    }
    void SetConfigValue(int32_t p_Id, const Lib::String& p_Text) override
    {
        Record("SetConfigValue " + std::to_string(p_Id) + " " + Narrow(p_Text));
        config[p_Id] = Narrow(p_Text);
    }
    void Quit() override { Record("Quit"); }
    void Restart(const Lib::String&) override { Record("Restart"); }
    void SetResolution(uint32_t p_Width, uint32_t p_Height) override
    {
        Record("SetResolution " + std::to_string(p_Width) + " " + std::to_string(p_Height));
        if (window && window->SetClientSize(p_Width, p_Height))
        {
            config[k_ConfigCustomWidth] = std::to_string(p_Width);
            config[k_ConfigCustomHeight] = std::to_string(p_Height);
        }
    }
    void SetVSync(bool p_On) override
    {
        Record("SetVSync " + Bool(p_On));
        config[k_ConfigVSync] = Bool(p_On);
    }
    void SetFrameCap(int32_t p_Setting) override
    {
        Record("SetFrameCap " + std::to_string(p_Setting));
        config[k_ConfigFrameCap] = std::to_string(p_Setting);
    }
    void SetMultisample(int32_t p_Setting) override
    {
        Record("SetMultisample " + std::to_string(p_Setting));
        config[k_ConfigMultisample] = MultisampleText(p_Setting).ToNarrow().Bytes();
    }
    void SetShowFps(bool p_Show) override
    {
        Record("SetShowFps " + Bool(p_Show));
        config[k_ConfigShowFps] = Bool(p_Show);
    }
    void SetShowPoints(bool p_Show) override
    {
        Record("SetShowPoints " + Bool(p_Show));
        config[k_ConfigShowPoints] = Bool(p_Show);
    }
    void SetGridMode(uint32_t p_Index) override
    {
        Record("SetGridMode " + std::to_string(p_Index));
        config[k_ConfigGridMode] = std::to_string(p_Index);
    }
    void SetGameSpeed(uint32_t p_Speed) override
    {
        Record("SetGameSpeed " + std::to_string(p_Speed));
        config[k_ConfigGameSpeed] = std::to_string(p_Speed);
    }
    void SetAttract(bool p_On) override { Record(std::string("SetAttract ") + (p_On ? "1" : "0")); }
    // The game reads the two settings with its own parsers; this stand-in reads the stored text
    // the same way.
    uint32_t GetGridMode() const override
    {
        return ParseGridMode(Lib::String(config.at(k_ConfigGridMode).c_str()));
    }
    uint32_t GetGameSpeed() const override
    {
        return ParseGameSpeed(Lib::String(config.at(k_ConfigGameSpeed).c_str()));
    }

    static std::string Bool(bool p_Value) { return p_Value ? "1" : "0"; }
    void Record(const std::string& p_Call) { calls.push_back(p_Call); }

    Locale locale;
    Lib::Ref<Vozad::IWindow> window;
    std::map<int32_t, std::string> config = {
        {k_ConfigMoveLeft, "LEFT_ARROW"},
        {k_ConfigMoveRight, "RIGHT_ARROW"},
        {k_ConfigMoveUp, "UP_ARROW"},
        {k_ConfigMoveDown, "DOWN_ARROW"},
        {k_ConfigCustomWidth, "1280"},
        {k_ConfigCustomHeight, "720"},
        {k_ConfigVSync, "1"},
        {k_ConfigShowFps, "1"},
        {k_ConfigShowPoints, "1"},
        {k_ConfigLanguage, "English"},
        {k_ConfigGridMode, "2"},
        {k_ConfigGameSpeed, "8"},
    };
    std::vector<std::string> calls;
};

class ClosingListener : public IOptionsMenuListener
{
public:
    void OnOptionsClosed() override { ++closes; }
    int32_t closes = 0;
};

Lib::Point Centre(const Vozad::LayoutBase& p_Element)
{
    const Vozad::LayoutRect& rect = p_Element.GetRect();
    return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

std::vector<std::string> Items(const Vozad::ComboBox& p_List)
{
    std::vector<std::string> items;
    for (uint32_t i = 0; i < p_List.GetItemCount(); ++i)
        items.push_back(Narrow(p_List.GetItemText(i)));
    return items;
}

class OptionsMenuGLTest : public MenuGLTest
{
protected:
    void Build(const char* p_Language = "English", std::map<int32_t, std::string> p_Config = {})
    {
        m_Game = std::make_unique<OptionsGame>(p_Language);
        for (const auto& [id, value] : p_Config)
            m_Game->config[id] = value;
        m_Game->window = m_Engine->GetWindow();
        m_Menu = std::make_unique<OptionsMenu>(m_Engine.get(), &m_Listener, m_Game.get());
        m_Menu->SetWindow(m_Engine->GetWindow());
        m_Menu->Build();
        m_Layer = std::make_unique<Vozad::LayoutBar>(1);
        auto* inner = new Vozad::LayoutBar(0);
        inner->AddSlot(2, GridSizeMode::Weighted);
        inner->AddSlot(8, GridSizeMode::Weighted);
        inner->SetElement(m_Menu.get(), false, -1, -1);
        inner->AddSlot(2, GridSizeMode::Weighted);
        m_Layer->AddSlot(2, GridSizeMode::Weighted);
        m_Layer->AddSlot(8, GridSizeMode::Weighted);
        m_Layer->SetElement(inner, true, -1, -1);
        m_Layer->AddSlot(2, GridSizeMode::Weighted);
        m_Layer->SetRect({0, Snake::Testing::k_WindowWidth, 0, Snake::Testing::k_WindowHeight});
        m_Layer->UpdateLayout();
    }

    void TearDown() override
    {
        if (m_Engine)
            m_Engine->SetRootContent(nullptr);
        m_Layer.reset();
        m_Menu.reset();
        m_Game.reset();
        MenuGLTest::TearDown();
    }

    bool PressKey(int32_t p_Code)
    {
        Vozad::EventKeyInput event(Vozad::k_EventKeyPress, p_Code, 1, 0);
        return m_Menu->OnKeyPress(event);
    }

    // A left press or click routed from the panel down to the element's centre.
    Vozad::LayoutBase* Press(const Vozad::LayoutBase& p_Element)
    {
        Vozad::EventMousePress event(1, 1, 0, Centre(p_Element));
        return m_Menu->OnMousePress(event);
    }
    Vozad::LayoutBase* Click(const Vozad::LayoutBase& p_Element)
    {
        Vozad::EventMousePress event(1, 0, 0, Centre(p_Element));
        return m_Menu->OnMouseClick(event);
    }
    // Press and click, with the focus going where the engine would put it.
    void PressAndClick(Vozad::LayoutBase& p_Element)
    {
        Vozad::LayoutBase* target = Press(p_Element);
        if (target)
            m_Engine->SetFocus(target);
        Click(p_Element);
    }

    // Picks an entry the way a user does with the keyboard: Return opens the list, the arrows
    // move the highlight, Return takes it.
    void Choose(Vozad::ComboBox& p_List, uint32_t p_Index) { ChooseListEntry(*m_Engine, p_List, p_Index); }

    // Key button chosen, Edit pressed and clicked: the menu waits for a key.
    void StartAssigning(uint32_t p_Row)
    {
        m_Menu->SelectTab(k_OptionsTabInput);
        PressAndClick(m_Menu->GetKeyButton(p_Row));
        PressAndClick(m_Menu->GetEditButton());
        ASSERT_TRUE(m_Menu->IsWaitingForKey());
    }

    bool RawMouse() const
    {
        auto* window = dynamic_cast<Vozad::EngineWindow*>(m_Engine->GetWindow().Get());
        return window && window->IsRawMouseInput();
    }

    ClosingListener m_Listener;
    std::unique_ptr<OptionsGame> m_Game;
    std::unique_ptr<OptionsMenu> m_Menu;
    std::unique_ptr<Vozad::LayoutBar> m_Layer;
};

TEST_F(OptionsMenuGLTest, BuildsHiddenWithThreeTabsAndEveryControlAtItsConfiguredValue)
{
    Build();
    EXPECT_EQ(m_Menu->GetVisibility(), Vozad::k_LayoutHidden);
    EXPECT_EQ(Narrow(m_Menu->GetTitleLabel().GetText()), "Options");
    EXPECT_EQ(Narrow(m_Menu->GetTab(k_OptionsTabGeneral).GetText()), "General");
    EXPECT_EQ(Narrow(m_Menu->GetTab(k_OptionsTabInput).GetText()), "Input");
    EXPECT_EQ(Narrow(m_Menu->GetTab(k_OptionsTabGraphics).GetText()), "Graphics");
    EXPECT_EQ(m_Menu->GetTab(k_OptionsTabGeneral).GetDesiredWidth(), 100);
    EXPECT_TRUE(m_Menu->GetTab(k_OptionsTabGeneral).IsFocused());
    EXPECT_EQ(Narrow(m_Menu->GetBackButton().GetText()), "Back");
    EXPECT_EQ(Narrow(m_Menu->GetApplyButton().GetText()), "Apply");
    EXPECT_EQ(Narrow(m_Menu->GetEditButton().GetText()), "Edit");

    EXPECT_EQ(Items(m_Menu->GetLanguageList()), (std::vector<std::string>{"English", "Deutsch"}));
    EXPECT_EQ(m_Menu->GetLanguageList().GetSelectedIndex(), 0u);
    EXPECT_EQ(m_Menu->GetLanguageNote().GetVisibility(), Vozad::k_LayoutCollapsed);
    EXPECT_TRUE(m_Menu->GetShowFpsBox().IsChecked());
    EXPECT_TRUE(m_Menu->GetShowPointsBox().IsChecked());
    ASSERT_EQ(m_Menu->GetGridModeList().GetItemCount(), 12u);
    EXPECT_EQ(Narrow(m_Menu->GetGridModeList().GetItemText(0)), "Beginner (6 x 6)");
    EXPECT_EQ(Narrow(m_Menu->GetGridModeList().GetItemText(11)), "12 x 20");
    EXPECT_EQ(m_Menu->GetGridModeList().GetSelectedIndex(), 2u);
    EXPECT_EQ(Items(m_Menu->GetSpeedList()), (std::vector<std::string>{"1", "2", "4", "6", "8", "10"}));
    EXPECT_EQ(Narrow(m_Menu->GetSpeedList().GetText()), "8");

    // Said as people say them; the configuration keeps LEFT_ARROW and the like.
    const char* keys[] = {"Left arrow", "Right arrow", "Up arrow", "Down arrow"};
    for (uint32_t row = 0; row < k_MoveKeyCount; ++row)
    {
        EXPECT_EQ(Narrow(m_Menu->GetKeyButton(row).GetText()), keys[row]);
        EXPECT_EQ(m_Menu->GetKeyButton(row).GetDesiredWidth(), 150);
        EXPECT_EQ(m_Menu->GetKeyButton(row).GetStyle().textColourFocused, 0xFF00FF00u);
        EXPECT_EQ(m_Menu->GetAssignLabel(row).GetVisibility(), Vozad::k_LayoutCollapsed);
    }
    EXPECT_EQ(Narrow(m_Menu->GetScreenshotKeyLabel().GetText()), "F11");

    EXPECT_EQ(Items(m_Menu->GetRendererList()),
              std::vector<std::string>{Narrow(m_Engine->GetGraphicsApiInfo().apiName)});
    EXPECT_FALSE(m_Menu->GetRendererList().IsEnabled());
    EXPECT_EQ(Items(m_Menu->GetWindowModeList()),
              (std::vector<std::string>{"Windowed", "Fullscreen exclusive", "Fullscreen borderless"}));
    EXPECT_EQ(m_Menu->GetWindowModeList().GetSelectedIndex(), 0u);

    const Vozad::MonitorCollection monitors = m_Engine->GetMonitorCollection();
    ASSERT_EQ(monitors.monitors.Count(), 1u) << "the test display has one screen";
    ASSERT_EQ(m_Menu->GetMonitorList().GetItemCount(), 1u);
    EXPECT_EQ(Narrow(m_Menu->GetMonitorList().GetItemText(0)),
              Narrow(MonitorName(monitors.monitors[0])) + " (current)");
    EXPECT_FALSE(m_Menu->GetMonitorList().IsEnabled()) << "one monitor: nothing to choose";
    const ChoiceList resolutions = ResolutionChoices(monitors.monitors[0].displayModes, {1280, 720});
    EXPECT_EQ(Items(m_Menu->GetResolutionList()).size(), resolutions.texts.size());
    EXPECT_EQ(m_Menu->GetResolutionList().GetSelectedIndex(), resolutions.selected);
    EXPECT_TRUE(m_Menu->GetVSyncBox().IsChecked());

    EXPECT_TRUE(m_Game->calls.empty()) << "building changes nothing";
}

TEST_F(OptionsMenuGLTest, ConfiguredValuesOutsideTheListsAndGermanSelection)
{
    Build("Deutsch", {{k_ConfigLanguage, "Deutsch"},
                      {k_ConfigShowFps, "0"},
                      {k_ConfigShowPoints, "yes"},
                      {k_ConfigGridMode, "40"},
                      {k_ConfigGameSpeed, "5"},
                      {k_ConfigVSync, "0"},
                      {k_ConfigMoveUp, "W"}});
    EXPECT_EQ(Narrow(m_Menu->GetLanguageList().GetText()), "Deutsch");
    EXPECT_EQ(Narrow(m_Menu->GetTab(k_OptionsTabGeneral).GetText()), "Generell");
    EXPECT_FALSE(m_Menu->GetShowFpsBox().IsChecked());
    EXPECT_FALSE(m_Menu->GetShowPointsBox().IsChecked()) << "only \"1\" is true";
    EXPECT_EQ(m_Menu->GetGridModeList().GetSelectedIndex(), 11u);
    EXPECT_EQ(Narrow(m_Menu->GetSpeedList().GetText()), "1");
    EXPECT_FALSE(m_Menu->GetVSyncBox().IsChecked());
    EXPECT_EQ(Narrow(m_Menu->GetKeyButton(k_MoveKeyUp).GetText()), "W");
}

TEST_F(OptionsMenuGLTest, TabsShowOnePageAndTheEditButtonOnlyOnTheInputTab)
{
    Build();
    m_Menu->Show();
    EXPECT_EQ(m_Menu->GetVisibility(), Vozad::k_LayoutVisible);
    struct Case
    {
        int32_t tab;
        int32_t editVisibility;
    };
    const Case cases[] = {{k_OptionsTabGeneral, Vozad::k_LayoutCollapsed},
                          {k_OptionsTabInput, Vozad::k_LayoutVisible},
                          {k_OptionsTabGraphics, Vozad::k_LayoutCollapsed}};
    ASSERT_EQ(m_Menu->GetCurrentTab(), k_OptionsTabGeneral);
    EXPECT_EQ(m_Menu->GetEditButton().GetVisibility(), Vozad::k_LayoutCollapsed);
    for (const Case& test : cases)
    {
        EXPECT_EQ(Press(m_Menu->GetTab(test.tab)), &m_Menu->GetTab(test.tab));
        EXPECT_EQ(m_Menu->GetCurrentTab(), test.tab);
        for (int32_t tab = 0; tab < k_OptionsTabCount; ++tab)
            EXPECT_EQ(m_Menu->GetTab(tab).IsFocused(), tab == test.tab) << "highlight " << test.tab;
        for (int32_t tab = 0; tab < k_OptionsTabCount; ++tab)
        {
            EXPECT_EQ(m_Menu->GetPage(tab)->IsVisible(), tab == test.tab) << test.tab << " " << tab;
            EXPECT_EQ(m_Menu->GetPage(tab)->IsEnabled(), tab == test.tab) << test.tab << " " << tab;
        }
        EXPECT_EQ(m_Menu->GetEditButton().GetVisibility(), test.editVisibility) << test.tab;
    }
    // Hidden and shown again, the menu comes back on the tab it was left on.
    m_Menu->Hide();
    m_Menu->Show();
    EXPECT_EQ(m_Menu->GetCurrentTab(), k_OptionsTabGraphics);
    EXPECT_TRUE(m_Menu->GetPage(k_OptionsTabGraphics)->IsVisible());
    m_Menu->SelectTab(k_OptionsTabInput);
    EXPECT_TRUE(m_Menu->GetTab(k_OptionsTabInput).IsFocused()) << "selected without a press";
    EXPECT_FALSE(m_Menu->GetTab(k_OptionsTabGraphics).IsFocused());
}

TEST_F(OptionsMenuGLTest, ApplyPassesOnOnlyWhatChangedInOrderAndOnlyOnce)
{
    Build();
    m_Menu->Show();
    Choose(m_Menu->GetSpeedList(), 1);       // "2"
    Choose(m_Menu->GetGridModeList(), 5);    // "8 x 13"
    m_Menu->GetVSyncBox().SetChecked(false); // Graphics, applied after the window's settings
    // The frame cap list names the rate its first entry stands for (60 on the test display).
    ASSERT_EQ(m_Menu->GetFrameCapList().GetItemCount(), 7u);
    EXPECT_EQ(Narrow(m_Menu->GetFrameCapList().GetItemText(0)), "Refresh rate (60 fps)");
    EXPECT_EQ(m_Menu->GetFrameCapList().GetSelectedIndex(), 0u) << "no setting stored: the refresh rate";
    Choose(m_Menu->GetFrameCapList(), 3); // "120"
    // Multisampling lists automatic, off and the counts, automatic when nothing is stored.
    ASSERT_EQ(m_Menu->GetMultisampleList().GetItemCount(), 5u);
    EXPECT_EQ(Narrow(m_Menu->GetMultisampleList().GetItemText(0)), "Automatic");
    EXPECT_EQ(Narrow(m_Menu->GetMultisampleList().GetItemText(1)), "Off");
    EXPECT_EQ(Narrow(m_Menu->GetMultisampleList().GetItemText(4)), "8x");
    EXPECT_EQ(m_Menu->GetMultisampleList().GetSelectedIndex(), 0u);
    Choose(m_Menu->GetMultisampleList(), 3); // "4x", applied last
    ASSERT_NE(Click(m_Menu->GetShowFpsBox()), nullptr);
    ASSERT_FALSE(m_Menu->GetShowFpsBox().IsChecked());
    EXPECT_TRUE(m_Game->calls.empty()) << "a selection or a tick only changes the control";

    PressAndClick(m_Menu->GetApplyButton());
    EXPECT_EQ(m_Game->calls, (std::vector<std::string>{"SetShowFps 0", "SetGridMode 5", "SetGameSpeed 2",
                                                       "SetVSync 0", "SetFrameCap 120", "SetMultisample 4"}));
    EXPECT_EQ(m_Game->config[k_ConfigMultisample], "4");
    m_Game->calls.clear();
    PressAndClick(m_Menu->GetApplyButton());
    EXPECT_TRUE(m_Game->calls.empty()) << "applied values are not applied again";

    // Changed back: applied again.
    Choose(m_Menu->GetSpeedList(), 4);
    PressAndClick(m_Menu->GetApplyButton());
    EXPECT_EQ(m_Game->calls, std::vector<std::string>{"SetGameSpeed 8"});
    EXPECT_EQ(m_Listener.closes, 0);
}

// The Gameplay tab: every option off unless its entry is "1"; a tick reaches the configuration
// only with Apply, and only for the box that changed. German names the tab in German.
TEST_F(OptionsMenuGLTest, TheGameplayTabShowsTheOptionsAndApplyStoresTheTickedOnes)
{
    Build("English", {{k_ConfigFairStart, "1"}});
    m_Menu->Show();
    EXPECT_EQ(Narrow(m_Menu->GetTab(k_OptionsTabGameplay).GetText()), "Gameplay");
    ASSERT_EQ(k_GameplayOptionCount, 4u);
    EXPECT_FALSE(m_Menu->GetGameplayBox(0).IsChecked()) << "g_turnbuffer is off without a \"1\"";
    EXPECT_TRUE(m_Menu->GetGameplayBox(1).IsChecked());
    EXPECT_FALSE(m_Menu->GetGameplayBox(2).IsChecked());
    EXPECT_FALSE(m_Menu->GetGameplayBox(3).IsChecked()) << "attract mode is off without a \"1\"";

    m_Menu->SelectTab(k_OptionsTabGameplay);
    EXPECT_EQ(m_Menu->GetPage(k_OptionsTabGameplay)->GetVisibility(), Vozad::k_LayoutVisible);
    EXPECT_EQ(m_Menu->GetPage(k_OptionsTabGeneral)->GetVisibility(), Vozad::k_LayoutHidden);
    ASSERT_NE(Click(m_Menu->GetGameplayBox(0)), nullptr);
    ASSERT_TRUE(m_Menu->GetGameplayBox(0).IsChecked());
    ASSERT_NE(Click(m_Menu->GetGameplayBox(1)), nullptr);
    EXPECT_TRUE(m_Game->calls.empty());
    m_Menu->Apply();
    EXPECT_EQ(m_Game->calls,
              (std::vector<std::string>{"SetConfigValue " + std::to_string(k_ConfigTurnBuffer) + " 1",
                                        "SetConfigValue " + std::to_string(k_ConfigFairStart) + " 0"}));
    EXPECT_EQ(m_Game->config[k_ConfigTurnBuffer], "1");
    m_Game->calls.clear();
    m_Menu->Apply();
    EXPECT_TRUE(m_Game->calls.empty());

    Build("Deutsch", {{k_ConfigLanguage, "Deutsch"}});
    EXPECT_EQ(Narrow(m_Menu->GetTab(k_OptionsTabGameplay).GetText()), "Spielweise");
}

TEST_F(OptionsMenuGLTest, AnUnlistedConfiguredSpeedSurvivesApply)
{
    Build("English", {{k_ConfigGameSpeed, "5"}});
    m_Menu->Show();
    m_Menu->Apply();
    Choose(m_Menu->GetSpeedList(), 1);
    Choose(m_Menu->GetSpeedList(), 0); // "1" chosen explicitly
    m_Menu->Apply();
    EXPECT_TRUE(m_Game->calls.empty());
    EXPECT_EQ(m_Game->config[k_ConfigGameSpeed], "5");
}

TEST_F(OptionsMenuGLTest, AnotherLanguageIsStoredAndNotedButTheMenuStaysInItsLanguage)
{
    Build();
    m_Menu->Show();
    Choose(m_Menu->GetLanguageList(), 1);
    m_Menu->Apply();
    EXPECT_EQ(m_Game->calls, std::vector<std::string>{"SetConfigValue 21 Deutsch"});
    EXPECT_EQ(m_Menu->GetLanguageNote().GetVisibility(), Vozad::k_LayoutVisible);
    EXPECT_EQ(Narrow(m_Menu->GetLanguageNote().GetText()), "Needs a restart to apply");
    EXPECT_EQ(Narrow(m_Menu->GetTitleLabel().GetText()), "Options");
    EXPECT_GT(m_Menu->GetLanguageNote().GetRect().Width(), 0) << "laid out beside the list";

    m_Game->calls.clear();
    Choose(m_Menu->GetLanguageList(), 0);
    m_Menu->Apply();
    EXPECT_EQ(m_Game->calls, std::vector<std::string>{"SetConfigValue 21 English"});
    EXPECT_EQ(m_Menu->GetLanguageNote().GetVisibility(), Vozad::k_LayoutCollapsed);
}

TEST_F(OptionsMenuGLTest, AssigningAKeyWaitsWithRawMouseAndEscapeCancelsWithoutClosing)
{
    Build();
    m_Menu->Show();
    StartAssigning(k_MoveKeyLeft);
    EXPECT_TRUE(RawMouse());
    EXPECT_TRUE(m_Menu->IsFocused()) << "the menu takes the keyboard";
    EXPECT_TRUE(m_Menu->GetKeyButton(k_MoveKeyLeft).IsFocused());
    EXPECT_EQ(m_Menu->GetAssignLabel(k_MoveKeyLeft).GetVisibility(), Vozad::k_LayoutVisible);
    EXPECT_EQ(m_Menu->GetAssignLabel(k_MoveKeyRight).GetVisibility(), Vozad::k_LayoutCollapsed);

    // A press gives the mouse back, clicks do nothing, and the wait goes on.
    EXPECT_EQ(Press(m_Menu->GetBackButton()), m_Menu.get());
    EXPECT_FALSE(RawMouse());
    EXPECT_EQ(Click(m_Menu->GetBackButton()), m_Menu.get());
    EXPECT_EQ(m_Listener.closes, 0);
    EXPECT_TRUE(m_Menu->IsWaitingForKey());

    EXPECT_TRUE(PressKey(Vozad::KeyCode::Escape));
    EXPECT_FALSE(m_Menu->IsWaitingForKey());
    EXPECT_EQ(m_Listener.closes, 0) << "the first ESCAPE only cancels";
    EXPECT_EQ(Narrow(m_Menu->GetKeyButton(k_MoveKeyLeft).GetText()), "Left arrow");
    EXPECT_EQ(m_Menu->GetAssignLabel(k_MoveKeyLeft).GetVisibility(), Vozad::k_LayoutCollapsed);
    EXPECT_FALSE(RawMouse());

    EXPECT_TRUE(PressKey(Vozad::KeyCode::Escape));
    EXPECT_EQ(m_Listener.closes, 1) << "the second ESCAPE closes";
    EXPECT_TRUE(m_Game->calls.empty());
}

TEST_F(OptionsMenuGLTest, AnAssignedKeyIsShownAndBackRestoresItWithoutStoring)
{
    Build();
    m_Menu->Show();
    StartAssigning(k_MoveKeyLeft);
    EXPECT_TRUE(PressKey('A'));
    EXPECT_EQ(Narrow(m_Menu->GetKeyButton(k_MoveKeyLeft).GetText()), "A");
    StartAssigning(k_MoveKeyUp);
    EXPECT_TRUE(PressKey(Vozad::KeyCode::Space)) << "a key without a name ends the wait";
    EXPECT_EQ(Narrow(m_Menu->GetKeyButton(k_MoveKeyUp).GetText()), "Up arrow");
    EXPECT_TRUE(m_Game->calls.empty()) << "nothing is stored before Apply";

    PressAndClick(m_Menu->GetBackButton());
    EXPECT_EQ(m_Listener.closes, 1);
    EXPECT_EQ(Narrow(m_Menu->GetKeyButton(k_MoveKeyLeft).GetText()), "Left arrow");
    EXPECT_TRUE(m_Game->calls.empty());
}

TEST_F(OptionsMenuGLTest, AppliedKeysAreStoredByNameAndStayAfterBack)
{
    Build();
    m_Menu->Show();
    StartAssigning(k_MoveKeyDown);
    EXPECT_TRUE(PressKey('S'));
    StartAssigning(k_MoveKeyLeft);
    EXPECT_TRUE(PressKey(Vozad::KeyCode::F1));
    PressAndClick(m_Menu->GetApplyButton());
    EXPECT_EQ(m_Game->calls, (std::vector<std::string>{"SetConfigValue 3 F1", "SetConfigValue 6 S"}));

    m_Menu->Close();
    EXPECT_EQ(Narrow(m_Menu->GetKeyButton(k_MoveKeyLeft).GetText()), "F1");
    EXPECT_EQ(Narrow(m_Menu->GetKeyButton(k_MoveKeyDown).GetText()), "S");
}

TEST_F(OptionsMenuGLTest, HidingTheMenuWhileWaitingGivesTheMouseBack)
{
    Build();
    m_Menu->Show();
    StartAssigning(k_MoveKeyRight);
    m_Menu->Hide();
    EXPECT_FALSE(m_Menu->IsWaitingForKey());
    EXPECT_FALSE(RawMouse());
    EXPECT_EQ(m_Menu->GetAssignLabel(k_MoveKeyRight).GetVisibility(), Vozad::k_LayoutCollapsed);
}

TEST_F(OptionsMenuGLTest, EscapeWithoutFocusIsLeftToTheGuiHandler)
{
    Build();
    m_Menu->Show();
    EXPECT_FALSE(m_Menu->IsFocused());
    EXPECT_FALSE(PressKey(Vozad::KeyCode::Escape));
    EXPECT_EQ(m_Listener.closes, 0);
    m_Engine->SetFocus(m_Menu.get());
    EXPECT_TRUE(PressKey(Vozad::KeyCode::Escape));
    EXPECT_EQ(m_Listener.closes, 1);
}

TEST_F(OptionsMenuGLTest, TheRendererListCannotBeOpened)
{
    Build();
    m_Menu->Show();
    m_Menu->SelectTab(k_OptionsTabGraphics);
    PressAndClick(m_Menu->GetRendererList());
    EXPECT_FALSE(m_Menu->GetRendererList().IsOpen());
}

TEST_F(OptionsMenuGLTest, WindowModeAndVSyncGoToTheWindowAndTheListsFollowIt)
{
    Build();
    m_Menu->Show();
    m_Menu->SelectTab(k_OptionsTabGraphics);
    Lib::Ref<Vozad::IWindow> window = m_Engine->GetWindow();
    ASSERT_EQ(window->GetWindowMode(), 1);

    Choose(m_Menu->GetWindowModeList(), 2);
    m_Menu->Apply();
    EXPECT_EQ(window->GetWindowMode(), 4);
    EXPECT_EQ(m_Menu->GetWindowModeList().GetSelectedIndex(), 2u) << "refilled from the window";
    EXPECT_EQ(m_Menu->GetAppliedValues().windowMode, 2u);

    Choose(m_Menu->GetWindowModeList(), 0);
    m_Menu->Apply();
    EXPECT_EQ(window->GetWindowMode(), 1);
    EXPECT_EQ(m_Menu->GetWindowModeList().GetSelectedIndex(), 0u);
    // Stored as "r_windowmode" numbers, so that the next start opens the same way.
    EXPECT_EQ(m_Game->calls,
              (std::vector<std::string>{"SetConfigValue " + std::to_string(k_ConfigWindowMode) + " 2",
                                        "SetConfigValue " + std::to_string(k_ConfigWindowMode) + " 0"}));
}

TEST_F(OptionsMenuGLTest, AnotherResolutionIsSetThroughTheGameAndTheListFollowsTheWindow)
{
    Build();
    m_Menu->Show();
    const Vozad::ComboBox& list = m_Menu->GetResolutionList();
    if (list.GetItemCount() < 2)
        GTEST_SKIP() << "the test display offers a single mode";
    const uint32_t other = list.GetSelectedIndex() == 0 ? 1 : 0;
    const std::string text = Narrow(list.GetItemText(other));
    Choose(m_Menu->GetResolutionList(), other);
    m_Menu->Apply();
    ASSERT_EQ(m_Game->calls.size(), 1u);
    uint32_t width = 0, height = 0;
    ASSERT_TRUE(ParseResolution(Lib::String(text.c_str()), width, height));
    EXPECT_EQ(m_Game->calls[0], "SetResolution " + std::to_string(width) + " " + std::to_string(height));
    EXPECT_EQ(m_Engine->GetWindow()->GetWindowSize().width, width);
    EXPECT_EQ(Narrow(list.GetText()), text) << "the refilled list selects the new client size";
}

// Every visit starts from the settings in force: what Back left behind is neither shown again nor
// applied by a later Apply of something else; a setting changed elsewhere (the console) shows.
TEST_F(OptionsMenuGLTest, ShowShowsTheStoredSettingsAndForgetsWhatBackLeft)
{
    Build();
    m_Menu->Show();
    ASSERT_NE(Click(m_Menu->GetShowFpsBox()), nullptr);
    ASSERT_FALSE(m_Menu->GetShowFpsBox().IsChecked());
    Choose(m_Menu->GetGridModeList(), 7);
    m_Menu->GetVSyncBox().SetChecked(false);
    m_Menu->GetGameplayBox(0).SetChecked(true);
    m_Menu->GetSoundOptions().GetMuteBox().SetChecked(true);
    StartAssigning(k_MoveKeyLeft);
    ASSERT_TRUE(PressKey('A'));
    PressAndClick(m_Menu->GetBackButton());
    ASSERT_EQ(m_Listener.closes, 1);
    m_Game->config[k_ConfigGameSpeed] = "2"; // the console, while the menu was closed

    m_Menu->Show();
    EXPECT_TRUE(m_Menu->GetShowFpsBox().IsChecked());
    EXPECT_EQ(m_Menu->GetGridModeList().GetSelectedIndex(), 2u) << "the stored grid";
    EXPECT_TRUE(m_Menu->GetVSyncBox().IsChecked());
    EXPECT_FALSE(m_Menu->GetGameplayBox(0).IsChecked());
    EXPECT_FALSE(m_Menu->GetSoundOptions().GetMuteBox().IsChecked());
    EXPECT_EQ(Narrow(m_Menu->GetKeyButton(k_MoveKeyLeft).GetText()), "Left arrow");
    EXPECT_EQ(Narrow(m_Menu->GetSpeedList().GetText()), "2");
    m_Menu->Apply();
    EXPECT_TRUE(m_Game->calls.empty()) << "Apply applies exactly what is shown";

    Choose(m_Menu->GetSpeedList(), 4);
    m_Menu->Apply();
    EXPECT_EQ(m_Game->calls, std::vector<std::string>{"SetGameSpeed 8"});
    EXPECT_EQ(m_Game->config[k_ConfigShowFps], "1");
}

// The whole way of a key assignment through the window's input handling: SDL events become
// engine events, the event manager routes them into the tree and moves the focus.
TEST_F(OptionsMenuGLTest, AKeyIsAssignedThroughRealInputAndEscapeThenCloses)
{
    Build();
    m_Menu->Show();
    m_Menu->SelectTab(k_OptionsTabInput);
    m_Engine->SetRootContent(m_Layer.get());
    auto* window = dynamic_cast<Vozad::EngineWindow*>(m_Engine->GetWindow().Get());
    ASSERT_NE(window, nullptr);
    const Uint32 windowId = SDL_GetWindowID(window->GetSdlWindow());
    auto click = [&](const Vozad::LayoutBase& p_Element)
    {
        const Lib::Point at = Centre(p_Element);
        for (Uint32 type : {SDL_MOUSEBUTTONDOWN, SDL_MOUSEBUTTONUP})
        {
            SDL_Event event{};
            event.type = type;
            event.button.windowID = windowId;
            event.button.button = SDL_BUTTON_LEFT;
            event.button.state = type == SDL_MOUSEBUTTONDOWN ? SDL_PRESSED : SDL_RELEASED;
            event.button.x = at.x;
            event.button.y = at.y;
            window->HandleEvent(event);
        }
    };
    auto key = [&](SDL_Scancode p_Scancode)
    {
        for (Uint32 type : {SDL_KEYDOWN, SDL_KEYUP})
        {
            SDL_Event event{};
            event.type = type;
            event.key.windowID = windowId;
            event.key.state = type == SDL_KEYDOWN ? SDL_PRESSED : SDL_RELEASED;
            event.key.keysym.scancode = p_Scancode;
            window->HandleEvent(event);
        }
    };

    click(m_Menu->GetKeyButton(k_MoveKeyRight));
    EXPECT_TRUE(m_Menu->GetKeyButton(k_MoveKeyRight).IsFocused()) << "the pressed key button has the focus";
    click(m_Menu->GetEditButton());
    ASSERT_TRUE(m_Menu->IsWaitingForKey());
    EXPECT_TRUE(m_Menu->IsFocused());
    EXPECT_TRUE(m_Menu->GetKeyButton(k_MoveKeyRight).IsFocused()) << "marked while waiting";
    EXPECT_TRUE(RawMouse());

    key(SDL_SCANCODE_D);
    EXPECT_FALSE(m_Menu->IsWaitingForKey());
    EXPECT_FALSE(RawMouse());
    EXPECT_EQ(Narrow(m_Menu->GetKeyButton(k_MoveKeyRight).GetText()), "D");
    EXPECT_EQ(m_Listener.closes, 0);

    click(m_Menu->GetApplyButton());
    EXPECT_EQ(m_Game->calls, std::vector<std::string>{"SetConfigValue 4 D"});
    EXPECT_EQ(m_Game->config[k_ConfigMoveRight], "D");

    // Edit again, ESCAPE cancels, and the next ESCAPE reaches the menu that holds the focus.
    click(m_Menu->GetKeyButton(k_MoveKeyRight));
    click(m_Menu->GetEditButton());
    ASSERT_TRUE(m_Menu->IsWaitingForKey());
    key(SDL_SCANCODE_ESCAPE);
    EXPECT_FALSE(m_Menu->IsWaitingForKey());
    EXPECT_EQ(m_Listener.closes, 0);
    key(SDL_SCANCODE_ESCAPE);
    EXPECT_EQ(m_Listener.closes, 1);
    EXPECT_EQ(Narrow(m_Menu->GetKeyButton(k_MoveKeyRight).GetText()), "D");
    m_Engine->SetRootContent(nullptr);
}

// Apply moves the window to the chosen monitor with the window's SetPosition; the test display has
// one monitor, so the move itself is checked here.
TEST_F(OptionsMenuGLTest, TheWindowMovesWhereApplySendsItAlsoFromFullscreen)
{
    Lib::Ref<Vozad::IWindow> window = m_Engine->GetWindow();
    auto* engineWindow = dynamic_cast<Vozad::EngineWindow*>(window.Get());
    ASSERT_NE(engineWindow, nullptr);
    window->SetPosition(200, 100);
    EXPECT_EQ(window->GetPosition(), (Lib::Point{200, 100}));
    EXPECT_EQ(window->GetRect().left, 200);
    int x = 0, y = 0;
    SDL_GetWindowPosition(engineWindow->GetSdlWindow(), &x, &y);
    EXPECT_EQ(x, 200);
    EXPECT_EQ(y, 100);

    window->SetWindowMode(4);
    ASSERT_EQ(window->GetWindowMode(), 4);
    window->SetPosition(300, 150);
    EXPECT_EQ(window->GetWindowMode(), 4);
    EXPECT_NE(SDL_GetWindowFlags(engineWindow->GetSdlWindow()) & SDL_WINDOW_FULLSCREEN, 0u)
        << "a fullscreen window stays fullscreen on its new monitor";
    window->SetWindowMode(1);
    EXPECT_EQ(window->GetPosition(), (Lib::Point{300, 150})) << "leaving fullscreen returns to the new place";
}

// The brightest channel value inside the rectangle.
unsigned Brightest(const Snake::Testing::Frame& p_Frame, const Vozad::LayoutRect& p_Rect)
{
    unsigned best = 0;
    for (int32_t y = std::max(0, p_Rect.top); y < std::min(p_Frame.height, p_Rect.bottom); ++y)
        for (int32_t x = std::max(0, p_Rect.left); x < std::min(p_Frame.width, p_Rect.right); ++x)
        {
            const unsigned char* pixel = &p_Frame.pixels[(static_cast<size_t>(y) * p_Frame.width + x) * 4];
            best = std::max({best, static_cast<unsigned>(pixel[0]), static_cast<unsigned>(pixel[1]),
                             static_cast<unsigned>(pixel[2])});
        }
    return best;
}

TEST_F(OptionsMenuGLTest, TheThreeTabsAreDrawn)
{
    Build();
    m_Menu->Show();
    Choose(m_Menu->GetLanguageList(), 1);
    m_Menu->Apply(); // the note beside the language list
    m_Engine->SetRootContent(m_Layer.get());
    std::vector<Snake::Testing::Frame> frames =
        Snake::Testing::FrameGrabber(*m_Engine, {3, 6, 9, 12},
                                     [&](uint64_t p_Frame)
                                     {
                                         if (p_Frame == 3)
                                             m_Menu->SelectTab(k_OptionsTabInput);
                                         if (p_Frame == 6)
                                             m_Menu->SelectTab(k_OptionsTabGraphics);
                                         if (p_Frame == 9)
                                             StartAssigning(k_MoveKeyUp);
                                     })
            .Run();
    ASSERT_EQ(frames.size(), 4u);
    frames[0].SaveIfAsked("options-general");
    frames[1].SaveIfAsked("options-input");
    frames[2].SaveIfAsked("options-graphics");
    frames[3].SaveIfAsked("options-input-assigning");
    // Each tab's first control shows its text in white; the other pages leave that place empty.
    EXPECT_GT(Brightest(frames[0], m_Menu->GetLanguageList().GetRect()), 200u);
    EXPECT_GT(Brightest(frames[1], m_Menu->GetKeyButton(k_MoveKeyLeft).GetRect()), 200u);
    EXPECT_GT(Brightest(frames[2], m_Menu->GetWindowModeList().GetRect()), 200u);
    EXPECT_GT(Brightest(frames[0], m_Menu->GetTitleLabel().GetRect()), 200u);
    EXPECT_GT(Brightest(frames[0], m_Menu->GetLanguageNote().GetRect()), 200u) << "the orange note";
    EXPECT_GT(Brightest(frames[3], m_Menu->GetAssignLabel(k_MoveKeyUp).GetRect()), 200u);
    PressKey(Vozad::KeyCode::Escape);
    m_Engine->SetRootContent(nullptr);
}
} // namespace
