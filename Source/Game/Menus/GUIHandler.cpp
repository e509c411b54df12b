#include "Game/Menus/GUIHandler.h"

#include "Corvan/EntryPoint/IEngine.h"
#include "Corvan/Events/InputEvents.h"
#include "Corvan/Events/KeyCodes.h"
#include "Corvan/Gui/Colours.h"
#include "Corvan/Gui/Containers/ColouredLayout.h"
#include "Corvan/Gui/Containers/GridSizeMode.h"
#include "Corvan/Gui/Containers/LayoutBar.h"
#include "Corvan/Gui/Containers/LayoutMargin.h"
#include "Corvan/Layout/LayoutStack.h"
#include "Game/ICoreInterface.h"
#include "Game/IGameStateNotifier.h"
#include "Game/MovementKeys.h"

namespace Snake
{
namespace
{
using Vozad::GridSizeMode;

constexpr uint32_t k_HudBackground = 0xC8413F3C; // 60, 63, 65 at alpha 200, drawing packing
constexpr uint32_t k_HudBorder = 0xC88E8E8C;     // 140, 142, 142 at alpha 200
constexpr int32_t k_HudWidth = 275;
constexpr int32_t k_FpsLabelWidth = 240;
// Wide enough that in practice only the label's cell limits the points text.
constexpr int32_t k_PointsLabelWidth = 24025;
constexpr int32_t k_TimeLabelWidth = 105; // "10:00.0" at the HUD's size

// Three weighted slots on one axis; the middle one is for the element.
std::unique_ptr<Vozad::LayoutBar> ThreeSlotBar(int32_t p_Vertical, int32_t p_Side, int32_t p_Middle)
{
    auto bar = std::make_unique<Vozad::LayoutBar>(p_Vertical);
    for (int32_t value : {p_Side, p_Middle, p_Side})
        bar->AddSlot(value, GridSizeMode::Weighted);
    return bar;
}

// The menu panel stays the handler's; the two bars around it belong to the layer.
std::unique_ptr<Vozad::LayoutBar> CentredLayer(Vozad::LayoutBase& p_Panel, int32_t p_Side, int32_t p_Middle)
{
    auto row = ThreeSlotBar(0, p_Side, p_Middle);
    row->SetElement(&p_Panel, false, 1, 0);
    auto column = ThreeSlotBar(1, p_Side, p_Middle);
    column->SetElement(std::move(row), 0, 1);
    return column;
}

bool IsStartMenuState(PanelState p_State)
{
    return p_State == k_PanelStart || p_State == k_PanelPause || p_State == k_PanelGameWon ||
           p_State == k_PanelGameOver;
}
} // namespace

GUIHandler::GUIHandler(Telvar::IEngine* p_Engine, IGameStateNotifier* p_Notifier, ICoreInterface* p_Core)
    : m_Engine(p_Engine), m_Notifier(p_Notifier), m_Core(p_Core), m_StartMenu(p_Engine, this, this),
      m_OptionsMenu(p_Engine, this, p_Core), m_AboutMenu(p_Engine, this, p_Core), m_FpsLabel(p_Engine, 30),
      m_PointsLabel(p_Engine, 30), m_TimeLabel(p_Engine, 30), m_BotLabel(p_Engine, 30)
{
}

GUIHandler::~GUIHandler() = default;

bool GUIHandler::Initialise(uint32_t p_TargetPoints)
{
    if (!m_StartMenu.Initialise())
        return false;
    // The start, pause and end panels lie over the board: the keys the player steers with (an
    // arrow held as the round ends) must not walk their buttons to Quit.
    m_StartMenu.SetNavigationKeys(this);

    Lib::Ref<Vozad::IWindow> window = m_Engine->GetWindow();
    if (!window)
    {
        Lib::LogError(m_Tag, "The engine has no window; the options menu cannot be built");
        return false;
    }
    m_OptionsMenu.SetWindow(window);
    m_OptionsMenu.Build();
    m_OptionsMenu.Hide();

    // The about menu (credits, every licence text, the records) is built after the first picture
    // (PrepareAboutMenu) or when it is opened before that: measuring its texts and adding its two
    // font sizes held the first picture back by some 20 ms.
    m_AboutMenu.Hide();

    m_Window = m_Engine->GetWindow();
    if (!m_Window)
    {
        Lib::LogError(m_Tag, "The engine has no window");
        return false;
    }

    m_TargetPoints = p_TargetPoints;
    m_FpsLabel.GetStyle().textColour = Vozad::Colour::k_White;
    m_PointsLabel.GetStyle().textColour = Vozad::Colour::k_White;
    m_FpsLabel.SetText("FPS: 0");
    m_FpsLabel.SetDesiredWidth(k_FpsLabelWidth);
    m_PointsLabel.SetText(Lib::String::Format("Points: 0 of %u", m_TargetPoints));
    m_PointsLabel.SetDesiredWidth(k_PointsLabelWidth);
    m_BotLabel.GetStyle().textColour = Vozad::Colour::k_White;
    m_BotLabel.SetDesiredWidth(k_FpsLabelWidth);
    m_BotLabel.SetVisibility(Vozad::k_LayoutCollapsed);
    m_TimeLabel.GetStyle().textColour = Vozad::Colour::k_White;
    SetRoundTime(0);

    // The round's time sits at the right of the frame-rate line: a line of its own would make the
    // panel taller and push the menus below it.
    auto topLine = std::make_unique<Vozad::LayoutBar>(0);
    topLine->AddSlot(1, GridSizeMode::Weighted);
    topLine->SetElement(&m_FpsLabel, false, -1, -1);
    topLine->AddSlot(k_TimeLabelWidth, GridSizeMode::Fixed);
    topLine->SetElement(&m_TimeLabel, false, -1, -1);
    auto labels = std::make_unique<Vozad::LayoutBar>(1);
    labels->AddSlot(1, GridSizeMode::Auto);
    labels->SetElement(std::move(topLine), -1, -1);
    labels->AddSlot(1, GridSizeMode::Auto);
    labels->SetElement(&m_PointsLabel, false, -1, -1);
    labels->AddSlot(1, GridSizeMode::Auto);
    labels->SetElement(&m_BotLabel, false, -1, -1);
    auto margin = std::make_unique<Vozad::LayoutMargin>(10);
    margin->SetElement(std::move(labels), 1, 1);
    auto panel = std::make_unique<Vozad::ColouredLayout>(k_HudBackground, k_HudBorder, 4);
    panel->AddRow(1, GridSizeMode::Weighted);
    panel->AddColumn(1, GridSizeMode::Weighted);
    panel->SetElement(std::move(margin), 0, 0);
    m_HudPanel = panel.get();
    m_HudBar = std::make_unique<Vozad::LayoutBar>(0);
    m_HudBar->AddSlot(k_HudWidth, GridSizeMode::Fixed);
    m_HudBar->SetElement(std::move(panel), -1, -1);
    auto hudLayer = std::make_unique<Vozad::LayoutBar>(1);
    hudLayer->AddSlot(1, GridSizeMode::Auto);
    hudLayer->SetElement(m_HudBar.get(), false, -1, -1);

    // The HUD lies beneath the menus: a menu too large to move clear of it covers the HUD,
    // never the other way round.
    m_Layers = std::make_unique<Vozad::LayoutStack>();
    m_Layers->AddLayer(std::move(hudLayer));
    const struct
    {
        Vozad::LayoutBase& panel;
        int32_t side;
        int32_t middle;
    } menus[] = {{m_StartMenu, 2, 4}, {m_OptionsMenu, 2, 8}, {m_AboutMenu, 1, 8}};
    for (uint32_t i = 0; i < 3; ++i)
    {
        auto layer = CentredLayer(menus[i].panel, menus[i].side, menus[i].middle);
        m_MenuLayers[i] = {layer.get(), &menus[i].panel};
        m_Layers->AddLayer(std::move(layer));
    }
    SetContent(m_Layers.get(), false);

    ShowPanel(k_PanelStart);
    return true;
}

void GUIHandler::PrepareAboutMenu()
{
    if (!m_AboutBuilt)
        m_AboutBuilt = m_AboutMenu.Initialise();
}

void GUIHandler::ShowPanel(PanelState p_State)
{
    if (p_State == m_PanelState)
        return;
    // Another panel still on screen would stay there under the new one, out of every state's
    // reach; the menus always hide first, this covers callers outside them.
    const PanelState previous = m_PanelState;
    const bool samePanel = IsStartMenuState(previous) && IsStartMenuState(p_State);
    if (previous != k_PanelNone && !samePanel)
        HidePanel(previous);
    m_PanelState = p_State;

    switch (p_State)
    {
    case k_PanelStart:
        m_StartMenu.SetResult(Lib::String(), Lib::String());
        m_StartMenu.GetTitleLabel().SetText(GetLocaleString("menu_start.title"));
        m_StartMenu.GetFirstButton().SetText("Start");
        m_StartMenu.Show();
        break;
    case k_PanelPause:
        m_StartMenu.SetResult(Lib::String(), Lib::String());
        m_StartMenu.GetTitleLabel().SetText("Currently paused");
        m_StartMenu.GetFirstButton().SetText("Resume");
        m_StartMenu.Show();
        break;
    case k_PanelGameWon:
        m_StartMenu.SetResult(m_WonBest, m_NewRecord);
        m_StartMenu.GetTitleLabel().SetText(GetLocaleString("menu_gamewon.title"));
        m_StartMenu.GetFirstButton().SetText("Start");
        m_StartMenu.Show();
        break;
    case k_PanelGameOver:
        m_StartMenu.SetResult(m_LostBest, m_NewRecord);
        m_StartMenu.GetTitleLabel().SetText(GetLocaleString("menu_gameover.title"));
        m_StartMenu.GetFirstButton().SetText("Start");
        m_StartMenu.Show();
        break;
    case k_PanelOptions:
        m_OptionsMenu.Show();
        break;
    case k_PanelAbout:
        PrepareAboutMenu();
        m_AboutMenu.Show();
        break;
    default:
        break;
    }
}

void GUIHandler::HidePanel(PanelState p_State)
{
    if (m_PanelState == k_PanelNone)
        return;
    m_PanelState = k_PanelNone;
    if (p_State == k_PanelOptions)
        m_OptionsMenu.Hide();
    else if (p_State == k_PanelAbout)
        m_AboutMenu.Hide();
    else if (IsStartMenuState(p_State))
        m_StartMenu.Hide();
}

void GUIHandler::SetPoints(uint32_t p_Points)
{
    m_PointsLabel.SetText(Lib::String::Format("Points: %u of %u", p_Points, m_TargetPoints));
}

void GUIHandler::SetRoundTime(uint64_t p_Milliseconds)
{
    m_TimeLabel.SetText(Lib::String(FormatDuration(p_Milliseconds).c_str()));
}

void GUIHandler::SetRoundResult(const Record& p_Record, const RecordOutcome& p_Outcome)
{
    const std::string best = GetLocaleString("menu_result.best").ToNarrow().Bytes();
    const std::string points =
        CountOfPoints(p_Record.bestPoints, GetLocaleString("menu_result.point").ToNarrow().Bytes(),
                      GetLocaleString("menu_result.points").ToNarrow().Bytes());
    m_LostBest = Lib::String((best + " " + points).c_str());
    m_WonBest = p_Record.fastestWinMs != 0
                    ? Lib::String((best + " " + FormatDuration(p_Record.fastestWinMs)).c_str())
                    : m_LostBest;
    m_NewRecord = p_Outcome.IsNewRecord() ? GetLocaleString("menu_result.new_record") : Lib::String();
}

void GUIHandler::PauseRound()
{
    if (m_PanelState != k_PanelNone)
        return;
    ShowPanel(k_PanelPause);
    m_Notifier->Pause();
}

void GUIHandler::SetFps(int32_t p_FramesPerSecond)
{
    m_FpsLabel.SetText(Lib::String::Format("FPS: %d", p_FramesPerSecond));
}

void GUIHandler::SetShowFps(bool p_Show)
{
    m_FpsLabel.SetVisibility(p_Show ? Vozad::k_LayoutVisible : Vozad::k_LayoutCollapsed);
    UpdateTimeVisibility();
    UpdateHudVisibility();
}

void GUIHandler::SetShowPoints(bool p_Show)
{
    m_PointsLabel.SetVisibility(p_Show ? Vozad::k_LayoutVisible : Vozad::k_LayoutCollapsed);
    UpdateTimeVisibility();
    UpdateHudVisibility();
}

void GUIHandler::SetBotName(const Lib::String& p_Text)
{
    m_BotLabel.SetText(p_Text);
    m_BotLabel.SetVisibility(p_Text.IsEmpty() ? Vozad::k_LayoutCollapsed : Vozad::k_LayoutVisible);
    UpdateHudVisibility();
}

void GUIHandler::UpdateTimeVisibility()
{
    // The time shares the frame-rate line and belongs to the points: it shows while both do, so
    // either label alone stays the only line of the panel.
    const bool shown = m_FpsLabel.IsVisible() && m_PointsLabel.IsVisible();
    m_TimeLabel.SetVisibility(shown ? Vozad::k_LayoutVisible : Vozad::k_LayoutCollapsed);
}

void GUIHandler::UpdateHudVisibility()
{
    if (!m_HudBar)
        return;
    const bool anyShown = m_FpsLabel.IsVisible() || m_PointsLabel.IsVisible() || m_BotLabel.IsVisible();
    m_HudBar->SetVisibility(anyShown ? Vozad::k_LayoutVisible : Vozad::k_LayoutCollapsed);
    m_HudBar->UpdateLayout();
    UpdateLayout();
}

Lib::RectSize GUIHandler::GetHudExtent() const
{
    // A collapsed bar wishes for no size at all.
    return m_HudBar ? m_HudBar->GetDesiredSize() : Lib::RectSize{};
}

void GUIHandler::UpdateLayout()
{
    ContentLayoutBase::UpdateLayout();
    KeepMenusClearOfHud();
}

void GUIHandler::KeepMenusClearOfHud()
{
    if (!m_HudPanel || !m_HudBar || !m_HudBar->IsVisible())
        return;
    const Vozad::LayoutRect hud = m_HudPanel->GetRect();
    Vozad::LayoutRect below = GetRect();
    below.top = hud.bottom;
    if (below.Height() <= 0)
        return;
    const auto overlaps = [](const Vozad::LayoutRect& p_A, const Vozad::LayoutRect& p_B)
    { return p_A.left < p_B.right && p_B.left < p_A.right && p_A.top < p_B.bottom && p_B.top < p_A.bottom; };
    for (const MenuLayer& menu : m_MenuLayers)
    {
        if (!overlaps(menu.panel->GetRect(), hud))
            continue;
        menu.layer->SetRect(below);
        menu.layer->UpdateLayout();
        // A panel that needs more room than is left below the HUD goes back over the whole
        // window, where it covers the HUD beneath it.
        const Vozad::LayoutRect panel = menu.panel->GetRect();
        if (panel.top < below.top || panel.bottom > below.bottom || panel.left < below.left ||
            panel.right > below.right)
        {
            menu.layer->SetRect(GetRect());
            menu.layer->UpdateLayout();
        }
    }
}

void GUIHandler::OnStartPressed()
{
    const PanelState previous = m_PanelState;
    HidePanel(previous);
    m_GameStarted = true;
    if (previous == k_PanelPause)
        m_Notifier->Resume();
    else
        m_Notifier->RestartGame();
}

void GUIHandler::OnOptionsPressed()
{
    HidePanel(m_PanelState);
    ShowPanel(k_PanelOptions);
    UpdateLayout();
}

void GUIHandler::OnAboutPressed()
{
    m_AboutMenu.SetReturnState(m_PanelState);
    HidePanel(m_PanelState);
    ShowPanel(k_PanelAbout);
    UpdateLayout();
}

void GUIHandler::OnQuitPressed()
{
    m_Engine->Quit();
}

void GUIHandler::OnOptionsClosed()
{
    if (m_PanelState != k_PanelNone)
    {
        m_PanelState = k_PanelNone;
        m_OptionsMenu.Hide();
    }
    ShowPanel(k_PanelStart);
}

void GUIHandler::OnAboutClosed(PanelState p_ReturnState)
{
    if (m_PanelState != k_PanelNone)
    {
        m_PanelState = k_PanelNone;
        m_AboutMenu.Hide();
    }
    ShowPanel(p_ReturnState);
    if (p_ReturnState == k_PanelNone)
        m_Notifier->Resume();
}

Lib::String GUIHandler::GetLocaleString(const Lib::String& p_Key) const
{
    return m_Core->GetLocaleString(p_Key);
}

bool GUIHandler::IsForNavigation(int32_t p_KeyCode) const
{
    return !IsMovementKey(*m_Core, p_KeyCode);
}

bool GUIHandler::OnKeyPress(Vozad::EventKeyInput& p_Event)
{
    // A key the player steers with is no menu shortcut: with W, A, S and D bound, S in the pause
    // panel must not resume nor A open the about page. The options menu still sees every key,
    // since assigning a movement key means pressing it there; ESCAPE stays the menu key.
    if (m_PanelState != k_PanelOptions && p_Event.keyCode != Vozad::KeyCode::Escape &&
        IsMovementKey(*m_Core, p_Event.keyCode))
        return false;
    if (ContentLayoutBase::OnKeyPress(p_Event))
        return true;
    if (p_Event.keyCode != Vozad::KeyCode::Escape)
        return false;
    if (m_PanelState == k_PanelNone)
    {
        PauseRound();
        return true;
    }
    if (m_PanelState == k_PanelOptions && !m_GameStarted)
    {
        HidePanel(k_PanelOptions);
        m_Notifier->Resume();
        return true;
    }
    return false;
}

void GUIHandler::Draw(Vozad::IDrawingContext& p_Context)
{
    if (IsVisible())
        ContentLayoutBase::Draw(p_Context);
}

bool GUIHandler::OnCursorEnter(Vozad::EventMouseEnter&)
{
    return false;
}

bool GUIHandler::OnCursorLeave(Vozad::EventMouseLeave&)
{
    return false;
}
} // namespace Snake
