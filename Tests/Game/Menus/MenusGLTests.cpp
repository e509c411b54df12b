// The start and about menus with the real engine: a real window, real text measuring through the
// GUI back end, and what the panels look like on screen.
#include "Game/Menus/AboutMenu.h"
#include "Game/Menus/StartMenu.h"

#include "Corvan/Events/IEventBase.h"
#include "Corvan/Events/InputEvents.h"
#include "Corvan/Gui/Containers/GridSizeMode.h"
#include "Corvan/Gui/Containers/LayoutBar.h"
#include "Corvan/Gui/Containers/Scrollview.h"
#include "Corvan/Gui/FontSpec.h"
#include "Game/Menus/BuildInfo.h"
#include "Game/Menus/IAboutMenuListener.h"
#include "Game/Menus/IStartMenuListener.h"
#include "Game/Menus/LicenceTexts.h"
#include "Game/Menus/PanelState.h"

#include "Game/Menus/MenuGLSupport.h"
#include "Game/Menus/RecordingGame.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace
{
using namespace Snake;
using Snake::Testing::MenuGLTest;
using Snake::Testing::RecordingGame;
using Vozad::GridSizeMode;

std::string Narrow(const Lib::String& p_Text)
{
    return p_Text.ToNarrow().Bytes();
}

Lib::Point Centre(const Vozad::LayoutBase& p_Element)
{
    const Vozad::LayoutRect& rect = p_Element.GetRect();
    return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

// The panel in the middle of the window, p_Middle / (2 p_Side + p_Middle) of each extent, as the
// GUI handler places it.
std::unique_ptr<Vozad::LayoutBar> CentredIn(Vozad::LayoutBase& p_Panel, int32_t p_Side, int32_t p_Middle)
{
    auto inner = new Vozad::LayoutBar(0);
    inner->AddSlot(p_Side, GridSizeMode::Weighted);
    inner->AddSlot(p_Middle, GridSizeMode::Weighted);
    inner->SetElement(&p_Panel, false, -1, -1);
    inner->AddSlot(p_Side, GridSizeMode::Weighted);
    auto outer = std::make_unique<Vozad::LayoutBar>(1);
    outer->AddSlot(p_Side, GridSizeMode::Weighted);
    outer->AddSlot(p_Middle, GridSizeMode::Weighted);
    outer->SetElement(inner, true, -1, -1);
    outer->AddSlot(p_Side, GridSizeMode::Weighted);
    return outer;
}

// The panel's background (60, 63, 65 at alpha 200) over what lies outside it.
::testing::AssertionResult IsPanelBackground(const std::string& p_Inside, const std::string& p_Outside)
{
    unsigned inside[3], outside[3];
    std::sscanf(p_Inside.c_str(), "%X %X %X", &inside[0], &inside[1], &inside[2]);
    std::sscanf(p_Outside.c_str(), "%X %X %X", &outside[0], &outside[1], &outside[2]);
    const unsigned panel[3] = {60, 63, 65};
    for (int i = 0; i < 3; ++i)
    {
        const double expected = (200.0 * panel[i] + 55.0 * outside[i]) / 255.0;
        if (std::abs(static_cast<double>(inside[i]) - expected) > 3.0)
            return ::testing::AssertionFailure() << "got " << p_Inside << " over " << p_Outside
                                                 << ", channel " << i << " expected about " << expected;
    }
    return ::testing::AssertionSuccess();
}

// The brightest channel value inside the rectangle: text drawn in white makes it high.
unsigned Brightest(const Snake::Testing::Frame& p_Frame, const Vozad::LayoutRect& p_Rect)
{
    unsigned brightest = 0;
    for (int32_t y = p_Rect.top; y < p_Rect.bottom; ++y)
        for (int32_t x = p_Rect.left; x < p_Rect.right; ++x)
        {
            unsigned red = 0;
            std::sscanf(p_Frame.At(x, y).c_str(), "%X", &red);
            brightest = std::max(brightest, red);
        }
    return brightest;
}

class RecordingAboutListener : public IAboutMenuListener
{
public:
    void OnAboutClosed(PanelState p_ReturnState) override { closes.push_back(p_ReturnState); }
    std::vector<PanelState> closes;
};

class StartListener : public IStartMenuListener
{
public:
    void OnStartPressed() override {}
    void OnOptionsPressed() override {}
    void OnAboutPressed() override {}
    void OnQuitPressed() override {}
};

class AboutMenuGLTest : public MenuGLTest
{
protected:
    void Build(const char* p_Language = "English")
    {
        m_Game = std::make_unique<RecordingGame>(p_Language);
        m_Menu = std::make_unique<AboutMenu>(m_Engine.get(), &m_Listener, m_Game.get());
        ASSERT_TRUE(m_Menu->Initialise());
        m_Layer = CentredIn(*m_Menu, 1, 8);
        m_Layer->SetRect({0, Snake::Testing::k_WindowWidth, 0, Snake::Testing::k_WindowHeight});
        m_Layer->UpdateLayout();
    }

    void TearDown() override
    {
        if (m_Engine)
            m_Engine->SetRootContent(nullptr);
        m_Layer.reset();
        m_Menu.reset();
        MenuGLTest::TearDown();
    }

    bool PressKey(int32_t p_Code)
    {
        Vozad::EventKeyInput event(Vozad::k_EventKeyPress, p_Code, 1, 0);
        return m_Menu->OnKeyPress(event);
    }

    Vozad::LayoutBase* MouseAt(const Vozad::LayoutBase& p_Element, int32_t p_Button, bool p_Press)
    {
        Vozad::EventMousePress event(p_Button, p_Press ? 1 : 0, 0, Centre(p_Element));
        return p_Press ? m_Menu->OnMousePress(event) : m_Menu->OnMouseClick(event);
    }

    RecordingAboutListener m_Listener;
    std::unique_ptr<RecordingGame> m_Game;
    std::unique_ptr<AboutMenu> m_Menu;
    std::unique_ptr<Vozad::LayoutBar> m_Layer;
};

TEST_F(AboutMenuGLTest, BuildsHiddenWithTheCreditsTabHighlightedAndTheLocalisedTexts)
{
    Build();
    EXPECT_EQ(m_Menu->GetVisibility(), Vozad::k_LayoutHidden);
    // The English text has no line for the title.
    EXPECT_EQ(Narrow(m_Menu->GetTitleLabel().GetText()), "");
    EXPECT_EQ(Narrow(m_Menu->GetCreditsTab().GetText()), "Credits");
    EXPECT_EQ(Narrow(m_Menu->GetLicencesTab().GetText()), "License");
    EXPECT_EQ(Narrow(m_Menu->GetBackButton().GetText()), "Back");
    EXPECT_TRUE(m_Menu->GetCreditsTab().IsFocused());
    EXPECT_FALSE(m_Menu->GetLicencesTab().IsFocused());
    EXPECT_EQ(m_Menu->GetCreditsTab().GetDesiredWidth(), 100);
    EXPECT_EQ(m_Menu->GetCreditsTab().GetStyle().textColourFocused, 0xFFFFA500u);
    EXPECT_EQ(m_Menu->GetLicencesTab().GetStyle().backgroundColourHovered, 0xFF58585Au);
    EXPECT_EQ(m_Menu->GetBackButton().GetForwarder(), m_Menu.get());
    EXPECT_NE(m_Menu->GetCreditsTab().GetForwarder(), nullptr);

    m_Menu->Show();
    EXPECT_EQ(m_Menu->GetCurrentTab(), k_AboutTabCredits);
    EXPECT_TRUE(m_Menu->GetCreditsPage()->IsVisible());
    EXPECT_TRUE(m_Menu->GetCreditsPage()->IsEnabled());
    EXPECT_EQ(m_Menu->GetLicencesPage()->GetVisibility(), Vozad::k_LayoutHidden);
    EXPECT_FALSE(m_Menu->GetLicencesPage()->IsEnabled());
}

TEST_F(AboutMenuGLTest, InGermanTheTitleIsInfo)
{
    Build("Deutsch");
    EXPECT_EQ(Narrow(m_Menu->GetTitleLabel().GetText()), "Info");
    EXPECT_EQ(Narrow(m_Menu->GetLicencesTab().GetText()), "Lizenz");
    EXPECT_EQ(Narrow(m_Menu->GetBackButton().GetText()), "Zur\xC3\xBC"
                                                         "ck");
}

TEST_F(AboutMenuGLTest, TheCreditsPageListsItsLinesInOrderWithTheirSizesAndGaps)
{
    Build();
    struct Line
    {
        std::string text; // empty: worded by the maker, must name it
        uint32_t size;
        int32_t gapAfter;
        bool operator==(const Line&) const = default;
    };
    const std::vector<Line> expected = {
        {"Thank you for playing.", 40, 20},
        {"==== DEVELOPED BY ====", 20, 0},
        {"A Game By", 15, 0},
        {"Kestrova Technologies", 25, 10},
        {"", 15, 0},
        {"", 15, 20},
        {"==== SPECIAL THANKS & ADDITIONAL CONTRIBUTIONS ====", 20, 0},
        {" - Special Thanks: To all the contributors and maintainers of the libraries used within Quarne "
         "Engine",
         15, 20},
        {"==== THIRD-PARTY ASSETS & TOOLS ====", 20, 0},
        {" - Fonts:", 15, 0},
        {"   - Noto_Sans", 15, 0},
        {" - Libraries:", 15, 0},
        {"   - freetype 2", 15, 0},
        {"   - GLM", 15, 0},
        {"   - edid", 15, 0},
        {"   - stb_image loader/writer", 15, 0},
        {"   - Lua (for scripting)", 15, 0},
        {"   - Dear ImGui (for UI)", 15, 0},
        {"   - OpenGL", 15, 0},
        {"   - Vulkan SDK", 15, 20},
        {"Made with Quarne Engine", 15, 20},
        {"", 20, 0},
        {"VORL (Vorlquest)", 20, 0},
        {"Version: 1.0.0.0", 15, 0},
        {std::string("Build: ") + k_BuildStamp, 15, 0},
        {std::string("Commit: ") + k_BuildRevision, 15, 0},
        {"", 15, 0},
        {"", 15, 0},
    };

    auto* centred = dynamic_cast<Vozad::LayoutBar*>(m_Menu->GetCreditsPage()->GetShownElement());
    ASSERT_NE(centred, nullptr);
    auto* column = dynamic_cast<Vozad::LayoutBar*>(centred->GetElement(1, 0));
    ASSERT_NE(column, nullptr);
    EXPECT_TRUE(column->HasFlag(Vozad::k_LayoutAtLeastDesiredHeight));

    std::vector<Line> lines;
    std::vector<std::string> wordedLines;
    for (uint32_t row = 0; row < column->GetRowCount(); ++row)
    {
        const Vozad::GridTrack& track = column->GetRow(row);
        auto* label = dynamic_cast<Vozad::Label*>(column->GetElement(0, static_cast<int32_t>(row)));
        if (!label)
        {
            ASSERT_FALSE(lines.empty()) << "a gap before the first line";
            EXPECT_EQ(track.mode, GridSizeMode::Fixed) << "row " << row;
            lines.back().gapAfter = track.value;
            continue;
        }
        EXPECT_EQ(track.mode, GridSizeMode::Auto) << "row " << row;
        EXPECT_EQ(label->GetStyle().textColour, 0xFFFFFFFFu);
        std::string text = Narrow(label->GetText());
        if (expected.size() > lines.size() && expected[lines.size()].text.empty())
        {
            wordedLines.push_back(text);
            text.clear();
        }
        lines.push_back({text, label->GetStyle().font.size, 0});
    }
    EXPECT_EQ(lines, expected);
    // Programming, art, the legal notice and the web address all name the maker; the heading
    // before the title is one of the "==== ... ====" kind.
    ASSERT_EQ(wordedLines.size(), 5u);
    EXPECT_NE(wordedLines[0].find("Kestrova Technologies"), std::string::npos) << wordedLines[0];
    EXPECT_NE(wordedLines[1].find("Kestrova Technologies"), std::string::npos) << wordedLines[1];
    EXPECT_EQ(wordedLines[2].rfind("==== ", 0), 0u) << wordedLines[2];
    EXPECT_EQ(wordedLines[2].substr(wordedLines[2].size() - 5), " ====") << wordedLines[2];
    EXPECT_NE(wordedLines[3].find("Kestrova Technologies"), std::string::npos) << wordedLines[3];
    EXPECT_NE(wordedLines[4].find("kestrova"), std::string::npos) << wordedLines[4];
}

TEST_F(AboutMenuGLTest, TheLicencesPageListsTheLibrariesThenOneMultiLineLabelPerText)
{
    Build();
    auto* column = dynamic_cast<Vozad::LayoutBar*>(m_Menu->GetLicencesPage()->GetShownElement());
    ASSERT_NE(column, nullptr);
    EXPECT_TRUE(column->HasFlag(Vozad::k_LayoutAtLeastDesiredHeight));
    const auto licences = GetLicenceTexts();
    ASSERT_EQ(column->GetRowCount(), licences.size() + 1);

    std::vector<std::string> texts;
    for (uint32_t row = 0; row < column->GetRowCount(); ++row)
    {
        auto* label = dynamic_cast<Vozad::Label*>(column->GetElement(0, static_cast<int32_t>(row)));
        ASSERT_NE(label, nullptr) << "row " << row;
        EXPECT_TRUE(label->m_MultiLine);
        EXPECT_EQ(label->GetStyle().font, (Vozad::FontSpec{13, "ProggyClean.ttf"}));
        EXPECT_EQ(label->GetStyle().textColour, 0xFFFFFFFFu);
        texts.push_back(Narrow(label->GetText()));
    }
    EXPECT_EQ(texts[0],
              "Quarne Engine uses the following libraries:\n - edid\n - freetype2\n - glm\n - imgui\n"
              " - lua\n - notosans_apache\n - notosans_ofl\n - opengl\n - stb_image\n - vulkan\n"
              " - sdl2\n - fontconfig\n - xrandr\n\n\n");
    for (size_t i = 0; i < licences.size(); ++i)
        EXPECT_EQ(texts[i + 1], Narrow(Lib::String(licences[i].text)) + "\n\n") << licences[i].name;
}

TEST_F(AboutMenuGLTest, EscapeBReturnOnBackAndALeftClickOnBackCloseTowardsTheRememberedState)
{
    Build();
    m_Menu->SetReturnState(k_PanelPause);
    m_Menu->Show();
    Vozad::Button& back = m_Menu->GetBackButton();

    const struct
    {
        const char* what;
        std::function<bool()> act;
        bool closes;
    } cases[] = {
        {"ESCAPE", [&] { return PressKey(300); }, true},
        {"B", [&] { return PressKey(66); }, true},
        {"A", [&] { return PressKey(65); }, false},
        {"Return, back not focused", [&] { return PressKey(314); }, false},
        {"Return on the focused back button",
         [&]
         {
             back.SetFlag(Vozad::k_LayoutFocused, true);
             const bool taken = PressKey(314);
             back.SetFlag(Vozad::k_LayoutFocused, false);
             return taken;
         },
         true},
        {"Space on the focused back button",
         [&]
         {
             back.SetFlag(Vozad::k_LayoutFocused, true);
             const bool taken = PressKey(32);
             back.SetFlag(Vozad::k_LayoutFocused, false);
             return taken;
         },
         false},
        {"left click on back", [&] { return MouseAt(back, 1, false) != nullptr; }, true},
        {"right click on back",
         [&]
         {
             MouseAt(back, 3, false);
             return false;
         },
         false},
    };
    for (const auto& c : cases)
    {
        m_Listener.closes.clear();
        const bool taken = c.act();
        if (c.closes)
        {
            EXPECT_TRUE(taken) << c.what;
            EXPECT_EQ(m_Listener.closes, std::vector<PanelState>{k_PanelPause}) << c.what;
        }
        else
        {
            EXPECT_FALSE(taken) << c.what;
            EXPECT_TRUE(m_Listener.closes.empty()) << c.what;
        }
    }

    // A hidden menu takes no keys, also not through a back button that kept the focus.
    m_Menu->Hide();
    m_Listener.closes.clear();
    EXPECT_FALSE(PressKey(300));
    back.SetFlag(Vozad::k_LayoutFocused, true);
    Vozad::EventKeyInput enter(Vozad::k_EventKeyPress, 314, 1, 0);
    EXPECT_FALSE(back.OnKeyPress(enter));
    EXPECT_TRUE(m_Listener.closes.empty());
}

TEST_F(AboutMenuGLTest, PressingATabButtonSelectsItsPage)
{
    Build();
    m_Menu->Show();
    EXPECT_EQ(MouseAt(m_Menu->GetLicencesTab(), 1, true), &m_Menu->GetLicencesTab());
    EXPECT_EQ(m_Menu->GetCurrentTab(), k_AboutTabLicences);
    EXPECT_TRUE(m_Menu->GetLicencesPage()->IsVisible());
    EXPECT_TRUE(m_Menu->GetLicencesPage()->IsEnabled());
    EXPECT_EQ(m_Menu->GetCreditsPage()->GetVisibility(), Vozad::k_LayoutHidden);
    EXPECT_FALSE(m_Menu->GetCreditsPage()->IsEnabled());

    // Another button than the left one selects nothing.
    MouseAt(m_Menu->GetCreditsTab(), 3, true);
    EXPECT_EQ(m_Menu->GetCurrentTab(), k_AboutTabLicences);

    MouseAt(m_Menu->GetCreditsTab(), 1, true);
    EXPECT_EQ(m_Menu->GetCurrentTab(), k_AboutTabCredits);
    EXPECT_TRUE(m_Menu->GetCreditsPage()->IsVisible());

    // Shown again, the menu keeps the tab last chosen.
    MouseAt(m_Menu->GetLicencesTab(), 1, true);
    m_Menu->Hide();
    m_Menu->Show();
    EXPECT_EQ(m_Menu->GetCurrentTab(), k_AboutTabLicences);
    EXPECT_TRUE(m_Menu->GetLicencesPage()->IsVisible());
    EXPECT_TRUE(m_Listener.closes.empty());
}

TEST_F(AboutMenuGLTest, TheCreditsPageScrollsWithTheWheelUntilItsEndMeetsTheView)
{
    Build();
    m_Menu->Show();
    Vozad::Scrollview& page = *m_Menu->GetCreditsPage();
    const int32_t contentHeight = static_cast<int32_t>(page.GetShownElement()->GetDesiredSize().height);
    const int32_t viewHeight = page.GetRect().Height();
    ASSERT_GT(contentHeight, viewHeight) << "the credits fit: nothing to scroll";

    int32_t lowest = 0;
    for (int i = 0; i < 100; ++i)
    {
        Vozad::EventMouseScroll event(-40, Centre(page));
        EXPECT_TRUE(static_cast<Vozad::LayoutBase&>(*m_Menu).OnMouseScroll(event));
        lowest = page.GetOffset().y;
    }
    // Scrolled down until the end of the content meets the inner bottom edge (padding 5, border 1).
    EXPECT_EQ(lowest, viewHeight - (contentHeight + 12));
    // A notch back up moves the text down by whole lines of its font, and a notch down returns.
    Vozad::EventMouseScroll up(40, Centre(page));
    static_cast<Vozad::LayoutBase&>(*m_Menu).OnMouseScroll(up);
    const int32_t raised = page.GetOffset().y;
    EXPECT_GT(raised, lowest);
    Vozad::EventMouseScroll down(-40, Centre(page));
    static_cast<Vozad::LayoutBase&>(*m_Menu).OnMouseScroll(down);
    EXPECT_EQ(page.GetOffset().y, lowest);
}

TEST_F(AboutMenuGLTest, BothTabsAreDrawnOnTheTranslucentPanel)
{
    Build("Deutsch");
    m_Menu->Show();
    m_Engine->SetRootContent(m_Layer.get());
    const Vozad::LayoutRect panel = m_Menu->GetRect();
    const Vozad::LayoutRect title = m_Menu->GetTitleLabel().GetRect();

    std::vector<Snake::Testing::Frame> frames =
        Snake::Testing::FrameGrabber(*m_Engine, {3, 6},
                                     [&](uint64_t p_Frame)
                                     {
                                         if (p_Frame == 3)
                                             m_Menu->SelectTab(k_AboutTabLicences);
                                     })
            .Run();
    ASSERT_EQ(frames.size(), 2u);
    const Snake::Testing::Frame& credits = frames[0];
    const Snake::Testing::Frame& licences = frames[1];
    credits.SaveIfAsked("vorl-about-credits");
    licences.SaveIfAsked("vorl-about-licences");
    ASSERT_EQ(credits.width, Snake::Testing::k_WindowWidth);
    EXPECT_TRUE(
        IsPanelBackground(credits.At(panel.left + 6, panel.top + 6), credits.At(panel.left - 10, panel.top)));
    EXPECT_GT(Brightest(credits, title), 200u) << "the title \"Info\" is drawn in white";
    // The licence text starts at the page's top-left corner, where the centred credits leave
    // the page empty: white glyphs there only on the licences tab.
    const Vozad::LayoutRect page = m_Menu->GetLicencesPage()->GetRect();
    const Vozad::LayoutRect pageStart{page.left + 6, page.left + 60, page.top + 6, page.top + 30};
    EXPECT_GT(Brightest(licences, pageStart), 200u);
    EXPECT_LT(Brightest(credits, pageStart), 100u);
}

TEST_F(AboutMenuGLTest, TheStartMenuIsDrawnCentredWithItsTitleAndButtons)
{
    RecordingGame game;
    StartListener listener;
    StartMenu menu(m_Engine.get(), &game.locale, &listener);
    ASSERT_TRUE(menu.Initialise());
    std::unique_ptr<Vozad::LayoutBar> layer = CentredIn(menu, 2, 4);
    m_Engine->SetRootContent(layer.get());
    menu.Show();

    std::vector<Snake::Testing::Frame> frames = Snake::Testing::FrameGrabber(*m_Engine, {3}).Run();
    ASSERT_EQ(frames.size(), 1u);
    const Snake::Testing::Frame& frame = frames[0];
    frame.SaveIfAsked("vorl-start-menu");
    const Vozad::LayoutRect panel = menu.GetRect();
    EXPECT_EQ(panel.left, Snake::Testing::k_WindowWidth / 4);
    EXPECT_EQ(panel.top, Snake::Testing::k_WindowHeight / 4);
    EXPECT_TRUE(
        IsPanelBackground(frame.At(panel.left + 6, panel.top + 6), frame.At(panel.left - 10, panel.top)));
    EXPECT_GT(Brightest(frame, menu.GetTitleLabel().GetRect()), 200u);
    const Vozad::LayoutRect start = menu.GetFirstButton().GetRect();
    EXPECT_EQ(frame.At(start.left + 3, (start.top + start.bottom) / 2), "4D 4D 4F");
    EXPECT_GT(Brightest(frame, start), 200u) << "the button's text";
    m_Engine->SetRootContent(nullptr);
}
} // namespace
