// The GUI handler on the real engine: which panel each button and key leads to, what the game
// object is told, and the HUD.
#include "Game/Menus/GUIHandler.h"
#include "Game/Records.h"

#include "Corvan/Events/IEventBase.h"
#include "Corvan/Events/InputEvents.h"
#include "Corvan/Events/KeyCodes.h"
#include "Corvan/Gui/Containers/LayoutBar.h"
#include "Corvan/Gui/Containers/Scrollview.h"
#include "Game/ApplicationConfig.h"
#include "Game/ConfigIds.h"
#include "Game/Menus/OptionsModel.h"
#include "Game/Menus/PanelState.h"

#include "Game/Menus/MenuGLSupport.h"
#include "Game/Menus/RecordingGame.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace
{
using namespace Snake;
using Snake::Testing::RecordingGame;

constexpr int32_t k_Escape = 300;

std::string Narrow(const Lib::String& p_Text)
{
    return p_Text.ToNarrow().Bytes();
}

class GUIHandlerGLTest : public Snake::Testing::MenuGLTest
{
protected:
    void Build(const char* p_Language = "English")
    {
        m_Game = std::make_unique<RecordingGame>(p_Language);
        m_Handler = std::make_unique<GUIHandler>(m_Engine.get(), m_Game.get(), m_Game.get());
        ASSERT_TRUE(m_Handler->Initialise(36));
        m_Handler->SetRect({0, Snake::Testing::k_WindowWidth, 0, Snake::Testing::k_WindowHeight});
        m_Handler->UpdateLayout();
    }

    void TearDown() override
    {
        if (m_Engine)
            m_Engine->SetRootContent(nullptr);
        m_Handler.reset();
        MenuGLTest::TearDown();
    }

    bool Press(int32_t p_Code)
    {
        Vozad::EventKeyInput event(Vozad::k_EventKeyPress, p_Code, 1, 0);
        return m_Handler->OnKeyPress(event);
    }

    // Which of the three panels are Visible, as "start options about" flags.
    std::string Shown() const
    {
        std::string shown;
        shown += m_Handler->GetStartMenu().IsVisible() ? "S" : "-";
        shown += m_Handler->GetOptionsMenu().IsVisible() ? "O" : "-";
        shown += m_Handler->GetAboutMenu().IsVisible() ? "A" : "-";
        return shown;
    }

    std::string Title() { return Narrow(m_Handler->GetStartMenu().GetTitleLabel().GetText()); }
    std::string FirstButton() { return Narrow(m_Handler->GetStartMenu().GetFirstButton().GetText()); }

    std::unique_ptr<RecordingGame> m_Game;
    std::unique_ptr<GUIHandler> m_Handler;
};

TEST_F(GUIHandlerGLTest, InitialiseShowsTheStartMenuAndTheHudInTheTopLeftCorner)
{
    Build();
    EXPECT_EQ(m_Handler->GetPanelState(), k_PanelStart);
    EXPECT_EQ(Shown(), "S--");
    EXPECT_EQ(Title(), "VORL (Vorlquest)");
    EXPECT_EQ(FirstButton(), "Start");
    EXPECT_FALSE(m_Handler->IsGameStarted());
    EXPECT_TRUE(m_Game->calls.empty());

    EXPECT_EQ(Narrow(m_Handler->GetFpsLabel().GetText()), "FPS: 0");
    EXPECT_EQ(Narrow(m_Handler->GetPointsLabel().GetText()), "Points: 0 of 36");
    EXPECT_EQ(m_Handler->GetFpsLabel().GetDesiredWidth(), 240);
    EXPECT_EQ(m_Handler->GetPointsLabel().GetDesiredWidth(), 24025);
    EXPECT_EQ(m_Handler->GetFpsLabel().GetStyle().textColour, 0xFFFFFFFFu);

    const Vozad::LayoutBase* panel = m_Handler->GetHudBar()->GetElement(0, 0);
    ASSERT_NE(panel, nullptr);
    const Vozad::LayoutRect hud = panel->GetRect();
    EXPECT_EQ(hud.left, 0);
    EXPECT_EQ(hud.top, 0);
    EXPECT_EQ(hud.right, 275);
    // As high as both lines and the two margins of 10; the round's time at the right of the
    // frame-rate line.
    const Vozad::LayoutRect fps = m_Handler->GetFpsLabel().GetRect();
    const Vozad::LayoutRect points = m_Handler->GetPointsLabel().GetRect();
    const Vozad::LayoutRect time = m_Handler->GetTimeLabel().GetRect();
    EXPECT_EQ(fps.left, 10);
    EXPECT_EQ(fps.top, 10);
    EXPECT_EQ(points.top, fps.bottom);
    EXPECT_EQ(hud.bottom, points.bottom + 10);
    EXPECT_EQ(time.top, fps.top);
    EXPECT_EQ(time.left, 160) << "in the last 105 pixels of the line";
    EXPECT_EQ(Narrow(m_Handler->GetTimeLabel().GetText()), "0:00.0");

    // The start menu takes the middle half of the window each way.
    EXPECT_EQ(m_Handler->GetStartMenu().GetRect(), (Vozad::LayoutRect{320, 960, 180, 540}));
}

TEST_F(GUIHandlerGLTest, EachStartPanelStateSetsItsTitleAndFirstButton)
{
    Build();
    const struct
    {
        PanelState state;
        const char* title;
        const char* button;
    } cases[] = {{k_PanelPause, "Currently paused", "Resume"},
                 {k_PanelGameWon, "Game Won", "Start"},
                 {k_PanelGameOver, "Game Over", "Start"},
                 {k_PanelStart, "VORL (Vorlquest)", "Start"}};
    for (const auto& c : cases)
    {
        m_Handler->HidePanel(m_Handler->GetPanelState());
        m_Handler->ShowPanel(c.state);
        EXPECT_EQ(m_Handler->GetPanelState(), c.state);
        EXPECT_EQ(Shown(), "S--") << c.state;
        EXPECT_EQ(Title(), c.title);
        EXPECT_EQ(FirstButton(), c.button);
    }
    // The other buttons keep their localised texts.
    EXPECT_EQ(Narrow(m_Handler->GetStartMenu().GetOptionsButton().GetText()), "Options");
}

// The record lines under the title: the best points after a lost round, the fastest win after a
// won one, "New record!" when the round set it, and nothing on the start and pause panels.
TEST_F(GUIHandlerGLTest, TheGameOverAndGameWonPanelsShowTheRecord)
{
    Build();
    const Vozad::Label& best = m_Handler->GetStartMenu().GetBestLabel();
    const Vozad::Label& newRecord = m_Handler->GetStartMenu().GetNewRecordLabel();
    EXPECT_EQ(best.GetVisibility(), Vozad::k_LayoutCollapsed) << "the start panel has no record line";

    RecordTable table;
    RecordOutcome outcome = table.Submit(0, 8, 17, false, 42000);
    m_Handler->SetRoundResult(table.Get(0, 8), outcome);
    m_Handler->HidePanel(m_Handler->GetPanelState());
    m_Handler->ShowPanel(k_PanelGameOver);
    EXPECT_EQ(Narrow(best.GetText()), "Best: 17 points");
    EXPECT_EQ(best.GetVisibility(), Vozad::k_LayoutVisible);
    EXPECT_EQ(Narrow(newRecord.GetText()), "New record!");
    EXPECT_EQ(newRecord.GetVisibility(), Vozad::k_LayoutVisible);

    outcome = table.Submit(0, 8, 9, false, 1000);
    m_Handler->SetRoundResult(table.Get(0, 8), outcome);
    m_Handler->HidePanel(m_Handler->GetPanelState());
    m_Handler->ShowPanel(k_PanelGameOver);
    EXPECT_EQ(Narrow(best.GetText()), "Best: 17 points");
    EXPECT_EQ(newRecord.GetVisibility(), Vozad::k_LayoutCollapsed) << "9 points are no record";

    outcome = table.Submit(0, 8, 36, true, 83456);
    m_Handler->SetRoundResult(table.Get(0, 8), outcome);
    m_Handler->HidePanel(m_Handler->GetPanelState());
    m_Handler->ShowPanel(k_PanelGameWon);
    EXPECT_EQ(Narrow(best.GetText()), "Best: 1:23.4");
    EXPECT_EQ(newRecord.GetVisibility(), Vozad::k_LayoutVisible);

    m_Handler->HidePanel(m_Handler->GetPanelState());
    m_Handler->ShowPanel(k_PanelPause);
    EXPECT_EQ(best.GetVisibility(), Vozad::k_LayoutCollapsed);
    EXPECT_EQ(newRecord.GetVisibility(), Vozad::k_LayoutCollapsed);
}

TEST_F(GUIHandlerGLTest, InGermanThePauseTextsStayAsTheyAre)
{
    Build("Deutsch");
    EXPECT_EQ(Narrow(m_Handler->GetStartMenu().GetAboutButton().GetText()), "Info");
    m_Handler->HidePanel(k_PanelStart);
    m_Handler->ShowPanel(k_PanelPause);
    EXPECT_EQ(Title(), "Currently paused");
    EXPECT_EQ(FirstButton(), "Resume");
}

// Every row of the panel-state table, driven by the keys and buttons a player uses.
TEST_F(GUIHandlerGLTest, EveryTransitionOfThePanelTable)
{
    struct Case
    {
        const char* what;
        std::function<void(GUIHandler&)> reach; // from the start menu to the "from" state
        std::function<bool(GUIHandler&)> act;
        int32_t to;
        std::string shown;
        std::vector<std::string> told; // what the game object hears during the act
    };
    auto key = [this](int32_t p_Code) { return [this, p_Code](GUIHandler&) { return Press(p_Code); }; };
    auto toState = [](PanelState p_State)
    {
        return [p_State](GUIHandler& p_Handler)
        {
            p_Handler.HidePanel(p_Handler.GetPanelState());
            p_Handler.ShowPanel(p_State);
        };
    };
    auto none = [](GUIHandler&) {};
    auto playing = [this](GUIHandler&) { Press(Vozad::KeyCode::S); };
    auto paused = [this](GUIHandler&)
    {
        Press(Vozad::KeyCode::S);
        Press(k_Escape);
    };

    const std::vector<Case> cases = {
        {"start: first button", none, key(Vozad::KeyCode::S), k_PanelNone, "---", {"RestartGame"}},
        {"game won: first button",
         toState(k_PanelGameWon),
         key(Vozad::KeyCode::S),
         k_PanelNone,
         "---",
         {"RestartGame"}},
        {"game over: first button",
         toState(k_PanelGameOver),
         key(Vozad::KeyCode::S),
         k_PanelNone,
         "---",
         {"RestartGame"}},
        {"pause: first button", paused, key(Vozad::KeyCode::S), k_PanelNone, "---", {"Resume"}},
        {"start: options", none, key(Vozad::KeyCode::O), k_PanelOptions, "-O-", {}},
        {"pause: options", paused, key(Vozad::KeyCode::O), k_PanelOptions, "-O-", {}},
        {"game won: options", toState(k_PanelGameWon), key(Vozad::KeyCode::O), k_PanelOptions, "-O-", {}},
        {"game over: options", toState(k_PanelGameOver), key(Vozad::KeyCode::O), k_PanelOptions, "-O-", {}},
        {"start: about", none, key(Vozad::KeyCode::A), k_PanelAbout, "--A", {}},
        {"pause: about", paused, key(Vozad::KeyCode::A), k_PanelAbout, "--A", {}},
        {"game won: about", toState(k_PanelGameWon), key(Vozad::KeyCode::A), k_PanelAbout, "--A", {}},
        {"game over: about", toState(k_PanelGameOver), key(Vozad::KeyCode::A), k_PanelAbout, "--A", {}},
        {"options: back",
         [this](GUIHandler&) { Press(Vozad::KeyCode::O); },
         [](GUIHandler& p_Handler)
         {
             p_Handler.OnOptionsClosed();
             return true;
         },
         k_PanelStart,
         "S--",
         {}},
        {"options, never started: ESCAPE",
         [this](GUIHandler&) { Press(Vozad::KeyCode::O); },
         key(k_Escape),
         k_PanelNone,
         "---",
         {"Resume"}},
        {"about from start: B",
         [this](GUIHandler&) { Press(Vozad::KeyCode::A); },
         key(Vozad::KeyCode::B),
         k_PanelStart,
         "S--",
         {}},
        {"about from pause: B",
         [this, paused](GUIHandler& p_Handler)
         {
             paused(p_Handler);
             Press(Vozad::KeyCode::A);
         },
         key(Vozad::KeyCode::B),
         k_PanelPause,
         "S--",
         {}},
        {"about from game over: ESCAPE",
         [&](GUIHandler& p_Handler)
         {
             toState(k_PanelGameOver)(p_Handler);
             Press(Vozad::KeyCode::A);
         },
         key(k_Escape),
         k_PanelGameOver,
         "S--",
         {}},
        {"playing: ESCAPE", playing, key(k_Escape), k_PanelPause, "S--", {"Pause"}},
        {"playing: lost",
         playing,
         [](GUIHandler& p_Handler)
         {
             p_Handler.ShowPanel(k_PanelGameOver);
             return true;
         },
         k_PanelGameOver,
         "S--",
         {}},
        {"playing: won",
         playing,
         [](GUIHandler& p_Handler)
         {
             p_Handler.ShowPanel(k_PanelGameWon);
             return true;
         },
         k_PanelGameWon,
         "S--",
         {}},
    };

    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.what);
        Build();
        c.reach(*m_Handler);
        m_Game->calls.clear();
        EXPECT_TRUE(c.act(*m_Handler));
        EXPECT_EQ(m_Handler->GetPanelState(), c.to);
        EXPECT_EQ(Shown(), c.shown);
        EXPECT_EQ(m_Game->calls, c.told);
        m_Handler.reset();
    }
}

TEST_F(GUIHandlerGLTest, AboutRemembersWhereItWasOpenedAndReturningToTheGameResumesIt)
{
    Build();
    Press(Vozad::KeyCode::S);
    Press(k_Escape);
    Press(Vozad::KeyCode::A);
    EXPECT_EQ(m_Handler->GetAboutMenu().GetReturnState(), k_PanelPause);

    // Closed towards the game view, the game runs again.
    m_Game->calls.clear();
    m_Handler->OnAboutClosed(k_PanelNone);
    EXPECT_EQ(m_Handler->GetPanelState(), k_PanelNone);
    EXPECT_EQ(Shown(), "---");
    EXPECT_EQ(m_Game->calls, std::vector<std::string>{"Resume"});
}

TEST_F(GUIHandlerGLTest, TheAboutMenuIsBuiltWhenFirstOpenedWithItsPagesAndTexts)
{
    Build();
    // Nothing of it is built before the player asks for it, and it takes no room on the start menu.
    EXPECT_EQ(m_Handler->GetAboutMenu().GetCreditsPage(), nullptr);
    EXPECT_FALSE(m_Handler->GetAboutMenu().IsVisible());

    Press(Vozad::KeyCode::A);
    ASSERT_EQ(m_Handler->GetPanelState(), k_PanelAbout);
    AboutMenu& about = m_Handler->GetAboutMenu();
    ASSERT_NE(about.GetCreditsPage(), nullptr);
    ASSERT_NE(about.GetLicencesPage(), nullptr);
    EXPECT_TRUE(about.IsVisible());
    EXPECT_TRUE(about.GetCreditsPage()->IsVisible());
    EXPECT_EQ(Narrow(about.GetCreditsTab().GetText()), "Credits");
    EXPECT_EQ(Narrow(about.GetBackButton().GetText()), "Back");
    // Laid out inside the panel's place at once, not on some later frame.
    EXPECT_GT(about.GetCreditsPage()->GetRect().Width(), 0);
    EXPECT_GT(about.GetCreditsPage()->GetRect().Height(), 0);

    // Closed and opened again, the same pages serve: it is built once.
    Vozad::Scrollview* credits = about.GetCreditsPage();
    m_Handler->OnAboutClosed(k_PanelStart);
    Press(Vozad::KeyCode::A);
    EXPECT_EQ(about.GetCreditsPage(), credits);
    EXPECT_EQ(Shown(), "--A");
}

TEST_F(GUIHandlerGLTest, EscapeIsOnlyTakenWhilePlayingOrInOptionsBeforeTheFirstGame)
{
    Build();
    // Start menu: nothing.
    EXPECT_FALSE(Press(k_Escape));
    EXPECT_EQ(m_Handler->GetPanelState(), k_PanelStart);

    // Playing: pause; in the pause menu ESCAPE does nothing more.
    Press(Vozad::KeyCode::S);
    EXPECT_TRUE(Press(k_Escape));
    EXPECT_EQ(m_Handler->GetPanelState(), k_PanelPause);
    m_Game->calls.clear();
    EXPECT_FALSE(Press(k_Escape));
    EXPECT_EQ(m_Handler->GetPanelState(), k_PanelPause);
    EXPECT_EQ(Title(), "Currently paused");
    EXPECT_TRUE(m_Game->calls.empty());

    // Options after a game was started: ESCAPE is the options menu's business, not a game start.
    Press(Vozad::KeyCode::O);
    EXPECT_EQ(m_Handler->GetPanelState(), k_PanelOptions);
    Press(k_Escape);
    EXPECT_TRUE(m_Game->calls.empty());
}

// With the snake steered by A, B, W and S, those letters are the game's: the start-menu panels
// and the about page leave them alone, the other shortcuts and ESCAPE keep working, and the
// options menu still takes them when a movement key is being assigned.
TEST_F(GUIHandlerGLTest, KeysBoundToMovementAreNoMenuShortcuts)
{
    Build();
    m_Game->config = {
        {k_ConfigMoveLeft, "A"}, {k_ConfigMoveRight, "B"}, {k_ConfigMoveUp, "W"}, {k_ConfigMoveDown, "s"}};
    m_Handler->OnStartPressed();
    EXPECT_TRUE(Press(k_Escape));
    ASSERT_EQ(m_Handler->GetPanelState(), k_PanelPause);
    m_Game->calls.clear();

    for (int32_t key : {Vozad::KeyCode::S, Vozad::KeyCode::A})
    {
        EXPECT_FALSE(Press(key)) << key;
        EXPECT_EQ(m_Handler->GetPanelState(), k_PanelPause) << key;
        EXPECT_EQ(Shown(), "S--") << key;
    }
    EXPECT_TRUE(m_Game->calls.empty());

    EXPECT_TRUE(Press(Vozad::KeyCode::I));
    ASSERT_EQ(m_Handler->GetPanelState(), k_PanelAbout);
    EXPECT_FALSE(Press(Vozad::KeyCode::B));
    EXPECT_EQ(m_Handler->GetPanelState(), k_PanelAbout);
    EXPECT_TRUE(Press(k_Escape));
    ASSERT_EQ(m_Handler->GetPanelState(), k_PanelPause);

    EXPECT_TRUE(Press(Vozad::KeyCode::O));
    ASSERT_EQ(m_Handler->GetPanelState(), k_PanelOptions);
    OptionsMenu& options = m_Handler->GetOptionsMenu();
    options.SelectTab(k_OptionsTabInput);
    for (Vozad::LayoutBase* element : {static_cast<Vozad::LayoutBase*>(&options.GetKeyButton(k_MoveKeyUp)),
                                       static_cast<Vozad::LayoutBase*>(&options.GetEditButton())})
    {
        const Vozad::LayoutRect& rect = element->GetRect();
        const Lib::Point centre{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
        Vozad::EventMousePress press(1, 1, 0, centre);
        if (Vozad::LayoutBase* target = options.OnMousePress(press))
            m_Engine->SetFocus(target);
        Vozad::EventMousePress click(1, 0, 0, centre);
        options.OnMouseClick(click);
    }
    ASSERT_TRUE(options.IsWaitingForKey());
    EXPECT_TRUE(Press(Vozad::KeyCode::A));
    EXPECT_FALSE(options.IsWaitingForKey());
    EXPECT_EQ(options.GetKeyAssignment().GetShown(k_MoveKeyUp), "A");
}

TEST_F(GUIHandlerGLTest, OptionsOpenedFromThePauseMenuLeadBackToTheStartMenuAndANewGame)
{
    Build();
    Press(Vozad::KeyCode::S);
    Press(k_Escape);
    Press(Vozad::KeyCode::O);
    m_Handler->OnOptionsClosed();
    EXPECT_EQ(m_Handler->GetPanelState(), k_PanelStart);
    EXPECT_EQ(FirstButton(), "Start");
    m_Game->calls.clear();
    Press(Vozad::KeyCode::S);
    EXPECT_EQ(m_Game->calls, std::vector<std::string>{"RestartGame"});
}

TEST_F(GUIHandlerGLTest, TheHudCollapsesWhenNeitherLabelIsShown)
{
    Build();
    const struct
    {
        bool fps;
        bool points;
        int32_t hud;
    } cases[] = {{false, false, Vozad::k_LayoutCollapsed},
                 {true, false, Vozad::k_LayoutVisible},
                 {false, true, Vozad::k_LayoutVisible},
                 {true, true, Vozad::k_LayoutVisible}};
    for (const auto& c : cases)
    {
        m_Handler->SetShowFps(c.fps);
        m_Handler->SetShowPoints(c.points);
        EXPECT_EQ(m_Handler->GetHudBar()->GetVisibility(), c.hud) << c.fps << c.points;
        EXPECT_EQ(m_Handler->GetFpsLabel().GetVisibility(),
                  c.fps ? Vozad::k_LayoutVisible : Vozad::k_LayoutCollapsed);
        EXPECT_EQ(m_Handler->GetPointsLabel().GetVisibility(),
                  c.points ? Vozad::k_LayoutVisible : Vozad::k_LayoutCollapsed);
        EXPECT_EQ(m_Handler->GetTimeLabel().GetVisibility(),
                  c.points && c.fps ? Vozad::k_LayoutVisible : Vozad::k_LayoutCollapsed);
        if (c.points && !c.fps)
        {
            EXPECT_EQ(m_Handler->GetPointsLabel().GetRect().top, 10) << "the points label moves up";
        }
    }
}

TEST_F(GUIHandlerGLTest, PointsAndFramesPerSecondTexts)
{
    Build();
    m_Handler->SetPoints(5);
    EXPECT_EQ(Narrow(m_Handler->GetPointsLabel().GetText()), "Points: 5 of 36");
    m_Handler->SetTargetPoints(240);
    m_Handler->SetPoints(1);
    EXPECT_EQ(Narrow(m_Handler->GetPointsLabel().GetText()), "Points: 1 of 240");
    m_Handler->SetFps(59);
    EXPECT_EQ(Narrow(m_Handler->GetFpsLabel().GetText()), "FPS: 59");
}

TEST_F(GUIHandlerGLTest, TheTextsComeFromTheGameObjectsLocale)
{
    Build("Deutsch");
    EXPECT_EQ(Narrow(m_Handler->GetLocaleString("menu_start.about")), "Info");
    EXPECT_EQ(Narrow(m_Handler->GetLocaleString("no.such.key")), "");
}

TEST_F(GUIHandlerGLTest, QuitInTheStartMenuEndsTheEnginesLoop)
{
    Build();
    m_Engine->SetRootContent(m_Handler.get());
    uint64_t lastFrame = 0;
    Snake::Testing::FrameGrabber grabber(*m_Engine, {1000},
                                         [&](uint64_t p_Frame)
                                         {
                                             lastFrame = p_Frame;
                                             if (p_Frame == 2)
                                             {
                                                 EXPECT_TRUE(Press(Vozad::KeyCode::Q));
                                             }
                                         });
    EXPECT_TRUE(grabber.Run().empty());
    EXPECT_EQ(lastFrame, 2u);
}

TEST_F(GUIHandlerGLTest, TheStartMenuAndTheHudAreDrawn)
{
    Build();
    m_Handler->SetPoints(3);
    m_Handler->SetFps(60);
    m_Engine->SetRootContent(m_Handler.get());
    std::vector<Snake::Testing::Frame> frames = Snake::Testing::FrameGrabber(*m_Engine, {3}).Run();
    ASSERT_EQ(frames.size(), 1u);
    frames[0].SaveIfAsked("vorl-gui-start");
    const Vozad::LayoutRect points = m_Handler->GetPointsLabel().GetRect();
    unsigned brightest = 0;
    for (int32_t x = points.left; x < points.right; ++x)
        for (int32_t y = points.top; y < points.bottom; ++y)
        {
            unsigned red = 0;
            std::sscanf(frames[0].At(x, y).c_str(), "%X", &red);
            brightest = std::max(brightest, red);
        }
    EXPECT_GT(brightest, 200u) << "the points text";
    // The HUD's face: 60, 63, 65 at alpha 200 over the window's clear colour.
    EXPECT_NE(frames[0].At(5, 5), frames[0].At(300, 5));
}
} // namespace
