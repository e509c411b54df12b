// The start menu on the fixed-metrics engine: its texts, its letter keys and its buttons.
#include "Game/Menus/StartMenu.h"

#include "Corvan/Events/IEventBase.h"
#include "Corvan/Events/InputEvents.h"
#include "Corvan/Gui/Containers/LayoutBar.h"
#include "Game/Locale.h"
#include "Game/Menus/BuildInfo.h"
#include "Game/Menus/IStartMenuListener.h"

#include "Support/FixedMetricsGuiEngine.h"
#include "Support/RecordingDrawingContext.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{
using namespace Snake;

class RecordingListener : public IStartMenuListener
{
public:
    void OnStartPressed() override { calls.push_back("start"); }
    void OnOptionsPressed() override { calls.push_back("options"); }
    void OnAboutPressed() override { calls.push_back("about"); }
    void OnQuitPressed() override { calls.push_back("quit"); }

    std::vector<std::string> calls;
};

std::string Narrow(const Lib::String& p_Text)
{
    return p_Text.ToNarrow().Bytes();
}

Lib::Point Centre(const Vozad::LayoutBase& p_Element)
{
    const Vozad::LayoutRect& rect = p_Element.GetRect();
    return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

class StartMenuTest : public testing::Test
{
protected:
    void SetUp() override
    {
        m_Locale.LoadLanguages(m_Language);
        ASSERT_TRUE(m_Menu.Initialise());
        m_Menu.SetRect({100, 740, 50, 410});
    }

    bool PressKey(int32_t p_Code)
    {
        Vozad::EventKeyInput event(Vozad::k_EventKeyPress, p_Code, 1, 0);
        return m_Menu.OnKeyPress(event);
    }

    Vozad::LayoutBase* Click(const Vozad::LayoutBase& p_Element, int32_t p_Button)
    {
        Vozad::EventMousePress event(p_Button, 0, 0, Centre(p_Element));
        return m_Menu.OnMouseClick(event);
    }

    const char* m_Language = "English";
    Vozad::Testing::FixedMetricsGuiEngine m_Engine;
    Locale m_Locale;
    RecordingListener m_Listener;
    StartMenu m_Menu{&m_Engine, &m_Locale, &m_Listener};
};

TEST_F(StartMenuTest, InitialiseSetsTheLocalisedTextsAndTheVersionLineAndLeavesThePanelHidden)
{
    EXPECT_EQ(Narrow(m_Menu.GetTitleLabel().GetText()), "VORL (Vorlquest)");
    EXPECT_EQ(Narrow(m_Menu.GetFirstButton().GetText()), "Start");
    EXPECT_EQ(Narrow(m_Menu.GetOptionsButton().GetText()), "Options");
    EXPECT_EQ(Narrow(m_Menu.GetAboutButton().GetText()), "About");
    EXPECT_EQ(Narrow(m_Menu.GetQuitButton().GetText()), "Quit");
    EXPECT_EQ(Narrow(m_Menu.GetVersionLabel().GetText()),
              std::string("Version: 1.0.0.0 (Build ") + k_BuildStamp + ")");
    EXPECT_EQ(m_Menu.GetVisibility(), Vozad::k_LayoutHidden);
    ASSERT_NE(m_Menu.GetContent(), nullptr);
    EXPECT_EQ(m_Menu.GetContent()->GetVisibility(), Vozad::k_LayoutHidden);
    EXPECT_EQ(m_Menu.GetFirstButton().GetForwarder(), &m_Menu);
    EXPECT_EQ(m_Menu.GetQuitButton().GetForwarder(), &m_Menu);
}

TEST_F(StartMenuTest, GermanButtonsComeFromTheGermanText)
{
    Locale german;
    german.LoadLanguages("Deutsch");
    StartMenu menu(&m_Engine, &german, &m_Listener);
    ASSERT_TRUE(menu.Initialise());
    EXPECT_EQ(Narrow(menu.GetOptionsButton().GetText()), "Optionen");
    EXPECT_EQ(Narrow(menu.GetAboutButton().GetText()), "Info");
    EXPECT_EQ(Narrow(menu.GetQuitButton().GetText()), "Beenden");
}

TEST_F(StartMenuTest, LetterKeysPressTheirButtonsOnlyWhileThePanelIsShown)
{
    const struct
    {
        int32_t key;
        const char* call; // null: not handled
    } cases[] = {{83, "start"}, {79, "options"}, {65, "about"},  {73, "about"},
                 {81, "quit"},  {66, nullptr},   {115, nullptr}, {300, nullptr}};

    for (const auto& c : cases)
    {
        m_Listener.calls.clear();
        EXPECT_FALSE(PressKey(c.key)) << "hidden panel, key " << c.key;
        EXPECT_TRUE(m_Listener.calls.empty()) << "hidden panel, key " << c.key;
    }
    m_Menu.Show();
    for (const auto& c : cases)
    {
        m_Listener.calls.clear();
        EXPECT_EQ(PressKey(c.key), c.call != nullptr) << "key " << c.key;
        const std::vector<std::string> expected =
            c.call ? std::vector<std::string>{c.call} : std::vector<std::string>{};
        EXPECT_EQ(m_Listener.calls, expected) << "key " << c.key;
    }
}

TEST_F(StartMenuTest, ShowLaysTheRowsOutCentredInsideThePanel)
{
    m_Menu.Show();
    EXPECT_EQ(m_Menu.GetVisibility(), Vozad::k_LayoutVisible);
    const Vozad::Button* buttons[] = {&m_Menu.GetFirstButton(), &m_Menu.GetOptionsButton(),
                                      &m_Menu.GetAboutButton(), &m_Menu.GetQuitButton()};
    int32_t previousBottom = m_Menu.GetTitleLabel().GetRect().bottom;
    for (const Vozad::Button* button : buttons)
    {
        const Vozad::LayoutRect& rect = button->GetRect();
        EXPECT_GT(rect.Width(), 0);
        EXPECT_GT(rect.top, previousBottom) << Narrow(button->GetText());
        // Centred: the space left and right of the button differ by at most the rounding of halves.
        EXPECT_LE(std::abs((rect.left - 100) - (740 - rect.right)), 1) << Narrow(button->GetText());
        previousBottom = rect.bottom;
    }
    const Vozad::LayoutRect& version = m_Menu.GetVersionLabel().GetRect();
    EXPECT_EQ(version.left, 105);
    EXPECT_GT(version.top, previousBottom);
    // The fixed 5 pixels at the bottom may also take the rounding rest of the weighted rows.
    EXPECT_LE(version.bottom, 410 - 5);
    EXPECT_GE(version.bottom, 410 - 5 - 12);
}

TEST_F(StartMenuTest, LeftClicksAndSpaceOrReturnOnAFocusedButtonReportThatButton)
{
    m_Menu.Show();
    Vozad::Button* buttons[] = {&m_Menu.GetFirstButton(), &m_Menu.GetOptionsButton(),
                                &m_Menu.GetAboutButton(), &m_Menu.GetQuitButton()};
    const char* names[] = {"start", "options", "about", "quit"};
    for (int i = 0; i < 4; ++i)
    {
        m_Listener.calls.clear();
        EXPECT_EQ(Click(*buttons[i], 3), buttons[i]); // the button takes it, the menu ignores it
        EXPECT_TRUE(m_Listener.calls.empty()) << names[i];
        EXPECT_EQ(Click(*buttons[i], 1), buttons[i]);
        EXPECT_EQ(m_Listener.calls, std::vector<std::string>{names[i]});

        m_Listener.calls.clear();
        buttons[i]->SetFlag(Vozad::k_LayoutFocused, true);
        EXPECT_TRUE(PressKey(32)) << names[i];
        EXPECT_TRUE(PressKey(314)) << names[i];
        EXPECT_FALSE(PressKey(13)) << names[i];
        buttons[i]->SetFlag(Vozad::k_LayoutFocused, false);
        EXPECT_EQ(m_Listener.calls, (std::vector<std::string>{names[i], names[i]}));
    }
}

TEST_F(StartMenuTest, AButtonLeftFocusedWhenThePanelWentAwayReportsNothing)
{
    m_Menu.Show();
    Vozad::Button& start = m_Menu.GetFirstButton();
    start.SetFlag(Vozad::k_LayoutFocused, true); // the engine focused it on the press of a click
    m_Menu.Hide();
    // The engine hands keys to the focused element directly, past the hidden panel.
    Vozad::EventKeyInput space(Vozad::k_EventKeyPress, 32, 1, 0);
    EXPECT_FALSE(start.OnKeyPress(space));
    Vozad::EventMousePress click(1, 0, 0, Centre(start));
    start.OnMouseClick(click);
    EXPECT_TRUE(m_Listener.calls.empty());
}

TEST_F(StartMenuTest, ALeftPressOnAButtonIsConsumedAndAPressElsewhereIsNot)
{
    Vozad::EventMousePress left(1, 1, 0, {});
    Vozad::EventMousePress right(3, 1, 0, {});
    Vozad::Label other(&m_Engine, 13);
    EXPECT_EQ(m_Menu.OnMousePress(left, m_Menu.GetAboutButton()), &m_Menu.GetAboutButton());
    EXPECT_EQ(m_Menu.OnMousePress(right, m_Menu.GetAboutButton()), nullptr);
    EXPECT_EQ(m_Menu.OnMousePress(left, other), nullptr);
    EXPECT_TRUE(m_Listener.calls.empty());
}

TEST_F(StartMenuTest, ThePanelDrawsItsFrameOnlyWhileVisible)
{
    Vozad::Testing::RecordingDrawingContext hidden;
    m_Menu.Draw(hidden);
    EXPECT_TRUE(hidden.calls.empty());

    m_Menu.Show();
    Vozad::Testing::RecordingDrawingContext shown;
    m_Menu.Draw(shown);
    ASSERT_GE(shown.calls.size(), 2u);
    // Background 60, 63, 65 at alpha 200 and border 140, 142, 142, in the drawing packing.
    EXPECT_EQ(shown.calls[0], "FillRect 100 740 50 410 r4 c=c8413f3c");
    EXPECT_EQ(shown.calls[1], "DrawRect 100 740 50 410 t1 r4 c=ff8e8e8c");
    EXPECT_EQ(shown.CallsStartingWith("DrawText \"Start\"").size(), 1u);
    EXPECT_EQ(shown.CallsStartingWith("DrawText \"Version: 1.0.0.0").size(), 1u);
}
} // namespace
