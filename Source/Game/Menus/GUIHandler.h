#pragma once
// The game's menu root: decides which panel is on screen, answers the menus' buttons and ESCAPE,
// and tells the game object to pause, resume or restart. Its content is a stack of four layers:
// the HUD with the frame-rate and points labels beneath the start, options and about menus.
#include "Corvan/Gui/Widgets/Label.h"
#include "Corvan/Layout/ContentLayoutBase.h"
#include "Corvan/Layout/INavigationKeys.h"
#include "Corvan/Window/IWindow.h"
#include "Game/ILocale.h"
#include "Game/Menus/AboutMenu.h"
#include "Game/Menus/IAboutMenuListener.h"
#include "Game/Menus/IOptionsMenuListener.h"
#include "Game/Menus/IStartMenuListener.h"
#include "Game/Menus/OptionsMenu.h"
#include "Game/Menus/PanelState.h"
#include "Game/Menus/StartMenu.h"
#include "Game/Records.h"
#include "Lib/Log.h"
#include "Lib/ReferenceCounter.h"
#include "Lib/String.h"

#include <cstdint>
#include <memory>

namespace Telvar
{
class IEngine;
}

namespace Vozad
{
class LayoutBar;
class LayoutStack;
} // namespace Vozad

namespace Snake
{
class ICoreInterface;
class IGameStateNotifier;

class GUIHandler : public Vozad::ContentLayoutBase,
                   public IStartMenuListener,
                   public IOptionsMenuListener,
                   public IAboutMenuListener,
                   public ILocale,
                   public Vozad::INavigationKeys
{
public:
    // The menus read the settings through the game object (p_Core).
    GUIHandler(Telvar::IEngine* p_Engine, IGameStateNotifier* p_Notifier, ICoreInterface* p_Core);
    ~GUIHandler() override;

    // Builds the menus, the HUD and the layer stack and shows the start menu; false at the
    // first part that cannot be built.
    bool Initialise(uint32_t p_TargetPoints);

    // A state that is already shown does nothing.
    void ShowPanel(PanelState p_State);
    // Hides the panel of p_State and goes back to the game view; nothing when no panel is shown.
    void HidePanel(PanelState p_State);
    PanelState GetPanelState() const { return m_PanelState; }
    bool IsGameStarted() const { return m_GameStarted; }

    // "Points: %u of %u" with the points and the target.
    void SetPoints(uint32_t p_Points);
    // Takes a new target (a new grid); the label follows at the next SetPoints.
    void SetTargetPoints(uint32_t p_TargetPoints) { m_TargetPoints = p_TargetPoints; }
    uint32_t GetTargetPoints() const { return m_TargetPoints; }
    // "m:ss.t", the round's played time, at the right of the frame-rate line; shown while both the
    // frame rate and the points are.
    void SetRoundTime(uint64_t p_Milliseconds);
    // What the game-over and game-won panels show under their title: the record of the board
    // and speed after the round, and whether the round set it. Kept until the next round ends.
    void SetRoundResult(const Record& p_Record, const RecordOutcome& p_Outcome);
    // ESCAPE's pause: the pause panel over the running round, which halts. Nothing while a panel
    // is shown.
    void PauseRound();
    // "FPS: %d"; the game object sets it every frame.
    void SetFps(int32_t p_FramesPerSecond);
    // The bot that plays ("Bot: autopilot") under the other labels; empty hides the line.
    void SetBotName(const Lib::String& p_Text);
    // The HUD panel collapses when no label is shown.
    void SetShowFps(bool p_Show);
    void SetShowPoints(bool p_Show);
    // The size of the HUD panel in the top left corner; empty while it is collapsed.
    Lib::RectSize GetHudExtent() const;

    // IStartMenuListener
    void OnStartPressed() override;
    void OnOptionsPressed() override;
    void OnAboutPressed() override;
    void OnQuitPressed() override;
    // IOptionsMenuListener
    void OnOptionsClosed() override;
    // IAboutMenuListener
    void OnAboutClosed(PanelState p_ReturnState) override;
    // ILocale: the game object's current language.
    Lib::String GetLocaleString(const Lib::String& p_Key) const override;

    // INavigationKeys of the start panel: every key but the movement keys.
    bool IsForNavigation(int32_t p_KeyCode) const override;

    // Movement keys are left to steering outside the options menu; other keys go to the shown
    // panel first; then ESCAPE pauses a running game, or starts the game from an options menu
    // opened before the first game.
    bool OnKeyPress(Vozad::EventKeyInput& p_Event) override;
    // Lays the layers out over the whole rectangle; a menu panel that would lie on the HUD is
    // laid out again in the part below it where it fits there.
    void UpdateLayout() override;
    void Draw(Vozad::IDrawingContext& p_Context) override;
    bool OnCursorEnter(Vozad::EventMouseEnter& p_Event) override;
    bool OnCursorLeave(Vozad::EventMouseLeave& p_Event) override;

    StartMenu& GetStartMenu() { return m_StartMenu; }
    OptionsMenu& GetOptionsMenu() { return m_OptionsMenu; }
    AboutMenu& GetAboutMenu() { return m_AboutMenu; }
    // Builds the about menu unless it is built already; opening it does the same.
    void PrepareAboutMenu();
    const Vozad::Label& GetFpsLabel() const { return m_FpsLabel; }
    const Vozad::Label& GetPointsLabel() const { return m_PointsLabel; }
    const Vozad::Label& GetTimeLabel() const { return m_TimeLabel; }
    const Vozad::Label& GetBotLabel() const { return m_BotLabel; }
    // Null before Initialise.
    const Vozad::LayoutBar* GetHudBar() const { return m_HudBar.get(); }

private:
    void UpdateHudVisibility();
    void UpdateTimeVisibility();
    void KeepMenusClearOfHud();

    Lib::LogTag m_Tag{"GUIHandler"};
    Telvar::IEngine* m_Engine; // not owned
    Lib::Ref<Vozad::IWindow> m_Window;
    IGameStateNotifier* m_Notifier; // the game object; not owned
    ICoreInterface* m_Core;         // the game object; not owned
    uint32_t m_TargetPoints = 0;
    bool m_GameStarted = false;
    PanelState m_PanelState = k_PanelNone;
    StartMenu m_StartMenu;
    OptionsMenu m_OptionsMenu;
    AboutMenu m_AboutMenu;
    bool m_AboutBuilt = false;
    Vozad::Label m_FpsLabel;
    Vozad::Label m_PointsLabel;
    Vozad::Label m_TimeLabel;
    // The record lines for the next game-over or game-won panel.
    Lib::String m_WonBest, m_LostBest, m_NewRecord;
    Vozad::Label m_BotLabel;
    // Declared after everything they hold, so the containers go before the menus and labels
    // they point at.
    std::unique_ptr<Vozad::LayoutBar> m_HudBar;
    Vozad::LayoutBase* m_HudPanel = nullptr; // owned by the HUD bar
    // The layer of each menu with the menu it centres; the layers are owned by the stack.
    struct MenuLayer
    {
        Vozad::LayoutBase* layer = nullptr;
        Vozad::LayoutBase* panel = nullptr;
    };
    MenuLayer m_MenuLayers[3];
    std::unique_ptr<Vozad::LayoutStack> m_Layers; // the content
};
} // namespace Snake
