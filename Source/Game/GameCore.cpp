#include "Game/GameCore.h"

#include "Corvan/EntryPoint/IEngine.h"
#include "Corvan/Events/WindowEvents.h"
#include "Corvan/Gui/Colours.h"
#include "Corvan/Gui/Containers/LayoutBar.h"
#include "Corvan/Layout/LayoutStack.h"
#include "Corvan/Renderer/ImageResources.h"
#include "Corvan/Window/WindowSettings.h"
#include "Game/ApplicationConfig.h"
#include "Game/ConfigIds.h"
#include "Game/ConfigReader.h"
#include "Game/FrameCap.h"
#include "Game/GameCommands.h"
#include "Game/MultisampleSetting.h"
#include "Game/Scene/SceneImages.h"
#include "Game/SettingChecks.h"
#include "Game/SettingValue.h"

#include <cmath>

namespace Snake
{
namespace
{
// The engine's limiter stands aside by itself while vertical sync paces the frames, so the cap
// can stay on: it takes over whenever sync is switched off or the driver refuses it.
void ApplyFrameCap(Telvar::IEngine& p_Engine, Vozad::IWindow* p_Window, int32_t p_Setting)
{
    uint32_t refreshRate = k_FallbackRefreshRate;
    if (p_Window)
    {
        const Lib::Point position = p_Window->GetPosition();
        refreshRate = MonitorRefreshRate(p_Engine.GetMonitorCollection(), position.x, position.y);
    }
    const uint32_t rate = FrameCapRate(p_Setting, refreshRate);
    p_Engine.SetFrameLimit(rate != 0 ? rate : 1, rate != 0);
}

// Start-up stores what the window really got, but leaves a text that already stands for that
// value as it is: "0800", or one the start-up check named because it could not be used.
void StoreUnlessItStandsFor(ConfigReader& p_Store, int32_t p_Id, const Lib::String& p_Text)
{
    const Lib::String current = p_Store.GetEntryText(p_Id, EntrySide::Value);
    if (current != p_Text && CheckSetting(p_Id, current).used != p_Text.ToNarrow().Bytes())
        p_Store.SetEntryText(p_Id, p_Text);
}

// The window starts on the first monitor when the configured one is not there; only once the
// monitors are known can that be said.
void WarnOfAMissingMonitor(const ConfigReader& p_Store, const Vozad::MonitorCollection& p_Monitors)
{
    const ConfigEntry* entry = CountingEntry(p_Store, k_ConfigCurrentMonitor);
    if (!entry)
        return;
    const SettingValue index = ReadNumber(entry->value, k_DeviceIndexRule);
    const uint32_t count = p_Monitors.monitors.Count();
    if (index.usable && count != 0 && static_cast<uint32_t>(index.value) >= count)
        WarnUnusableSetting(entry->name.ToNarrow().Bytes(), entry->value, "0");
}
} // namespace

GameCore::GameCore(Telvar::IEngine* p_Engine, Lib::Ref<ApplicationConfig> p_Config)
    : m_Engine(p_Engine), m_Config(std::move(p_Config)), m_GuiHandler(p_Engine, this, this),
      m_Console(p_Engine, this, this), m_Background(p_Engine, &m_HudCorner),
      m_PointToCatch(p_Engine, &m_HudCorner), m_SnakeBody(p_Engine, &m_HudCorner)
{
}

GameCore::~GameCore()
{
    // The engine outlives the game; it must not reach into a destroyed tree or receiver.
    if (m_Installed)
    {
        m_Engine->SetWindowEventReceiver(nullptr);
        m_Engine->SetRootContent(nullptr);
    }
    m_Engine->ReleaseFocus(&m_Console.GetTextBox());
}

ConfigReader& GameCore::Store()
{
    return m_Config->GetConfigReader();
}

const ConfigReader& GameCore::Store() const
{
    return m_Config->GetConfigReader();
}

std::vector<const Vozad::ImageResource*> GameCore::ImagesOfTheFirstPicture()
{
    return {Vozad::FindImageResource(k_SnakeHeadImage), Vozad::FindImageResource(k_SnakeBodyImage),
            Vozad::FindImageResource(k_FoodImage)};
}

bool GameCore::Initialise()
{
    m_Window = m_Engine->GetWindow();
    if (m_Window)
    {
        m_Window->CenterCursor();
        // Decoding the icon and handing it to the window system takes some 25 ms that the first
        // picture need not wait for.
        m_Engine->RunWhenIdle(
            [self = std::weak_ptr<GameCore*>(m_Self)]
            {
                const std::shared_ptr<GameCore*> game = self.lock();
                const Vozad::ImageResource* icon = Vozad::FindImageResource(k_SnakeHeadImage);
                if (game && (*game)->m_Window && icon)
                    (*game)->m_Window->SetIcon(icon->bytes, icon->size, icon->name);
            });
        // Built before the first picture, the about menu (its texts measured, its font sizes
        // rasterised) held that picture back by some 20 ms; an idle moment after it is free.
        m_Engine->RunWhenIdle(
            [self = std::weak_ptr<GameCore*>(m_Self)]
            {
                if (const std::shared_ptr<GameCore*> game = self.lock())
                {
                    (*game)->m_GuiHandler.PrepareAboutMenu();
                    // The next frame adds the menu's font sizes to the atlas; drawn now, it does
                    // so while the player has only just seen the start menu.
                    (*game)->m_Engine->RequestRedraw(0.0);
                }
            });
    }

    m_Locale.LoadLanguages(Store().GetEntryText(k_ConfigLanguage, EntrySide::Value));

    if (m_Window)
    {
        // A configured size the window could not take is replaced by the one it opened at, so
        // the file holds what the player sees. Fullscreen sizes are the monitor's, not a setting.
        if (m_Window->GetWindowMode() == Vozad::k_WindowModeWindowed)
        {
            const Lib::RectSize size = m_Window->GetWindowedSize();
            StoreUnlessItStandsFor(Store(), k_ConfigCustomWidth, Lib::String::Format("%u", size.width));
            StoreUnlessItStandsFor(Store(), k_ConfigCustomHeight, Lib::String::Format("%u", size.height));
        }
        WarnOfAMissingMonitor(Store(), m_Engine->GetMonitorCollection());
    }

    m_GridMode = ParseGridMode(Store().GetEntryText(k_ConfigGridMode, EntrySide::Value));
    m_Board.SetGrid(GridModeSize(m_GridMode));

    if (!m_GuiHandler.Initialise(m_Board.GetTargetPoints()))
        return false;

    // Applied without being stored again: the file keeps the texts it was read with.
    if (m_Window)
        m_Window->SwapVSync(IsOptionOn(k_ConfigVSync));
    ApplyFrameCap(*m_Engine, m_Window.Get(),
                  ParseFrameCap(Store().GetEntryText(k_ConfigFrameCap, EntrySide::Value)));
    m_GuiHandler.SetShowFps(IsOptionOn(k_ConfigShowFps));
    m_GuiHandler.SetShowPoints(IsOptionOn(k_ConfigShowPoints));
    m_HudCorner = m_GuiHandler.GetHudExtent();

    m_Speed = ParseGameSpeed(Store().GetEntryText(k_ConfigGameSpeed, EntrySide::Value));
    LoadSounds();

    const Lib::RectSize windowSize = m_Engine->GetWindowSize();
    m_Camera.SetPosition(glm::vec3(0.0f, 0.0f, 16.0f));
    AdaptCamera(static_cast<float>(windowSize.width), static_cast<float>(windowSize.height));
    const GridSize grid = m_Board.GetGrid();
    m_Background.Create(grid);
    m_Board.PlaceItemAnywhere();
    m_PointToCatch.Create(grid, m_Board.GetItem());
    m_Board.ResetSnake();
    m_SnakeBody.Reset(grid);
    m_Board.SetPoints(1);
    m_GuiHandler.SetPoints(1);
    m_Records.Load();
    UpdateRoundTime();

    m_Commands = GameCommandTable();
    m_Console.Setup(m_Commands);
    m_Console.SetVisibility(Vozad::k_LayoutHidden);
    m_Engine->ReleaseFocus(&m_Console.GetTextBox());
    m_Console.GetTextBox().SetFlag(Vozad::k_LayoutFocused, false);

    BuildGuiTree();
    m_Engine->SetRootContent(this);
    m_Engine->SetWindowEventReceiver(this);
    m_Installed = true;

    if (m_Window)
    {
        m_Window->Show();
        m_Window->Focus();
    }
    Lib::LogInfo(m_Tag, "==== VORL successfully initialised ====");
    Lib::LogInfo(m_Tag, "%s", "");
    return true;
}

void GameCore::BuildGuiTree()
{
    // The menus fill the window inside a column and a row; the console lies above them.
    auto row = std::make_unique<Vozad::LayoutBar>(0);
    row->AddSlot(1, Vozad::GridSizeMode::Weighted);
    row->SetElement(&m_GuiHandler, false, -1, -1);
    m_MenuColumn = std::make_unique<Vozad::LayoutBar>(1);
    m_MenuColumn->AddSlot(1, Vozad::GridSizeMode::Weighted);
    m_MenuColumn->SetElement(std::move(row), -1, -1);

    m_Layers = std::make_unique<Vozad::LayoutStack>();
    m_Layers->AddLayer(&m_ReadyMarker, false);
    m_Layers->AddLayer(m_MenuColumn.get(), false);
    m_Layers->AddLayer(&m_Console, false);
    SetContent(m_Layers.get(), false);
}

void GameCore::ReceiveLine(const Lib::String& p_Line)
{
    m_Console.AddLine(p_Line, Vozad::Colour::k_White);
}

// ---- ICoreInterface ----

Lib::String GameCore::GetLocaleString(const Lib::String& p_Key)
{
    return m_Locale.GetLocaleString(p_Key);
}

Lib::String GameCore::GetConfigValue(int32_t p_Id)
{
    return Store().GetEntryText(p_Id, EntrySide::Value);
}

void GameCore::SetConfigValue(int32_t p_Id, const Lib::String& p_Text)
{
    Store().SetEntryText(p_Id, p_Text);
}

void GameCore::Quit()
{
    m_Engine->Quit();
}

void GameCore::Restart(const Lib::String& p_Arguments)
{
    // The new instance reads the file while it starts, long before this one ends and saves: what
    // was set in this session must be on disk before it exists. The write replaces the file in
    // one step, so the new instance never reads half of it.
    if (!Store().WriteFile())
        Lib::LogWarning(m_Tag, "The new instance starts with the settings saved last.");
    m_Engine->Restart(p_Arguments);
}

void GameCore::SetResolution(uint32_t p_Width, uint32_t p_Height)
{
    if (!m_Window)
        return;
    // The window holds the size to what its monitor and driver can show; a refused size (0)
    // changes nothing, any other request leaves the size the window really took in the store.
    const bool changed = m_Window->SetClientSize(p_Width, p_Height);
    if (changed || (p_Width != 0 && p_Height != 0))
        StoreWindowSize();
}

void GameCore::StoreWindowSize()
{
    // While fullscreen the window covers its monitor; the setting is the windowed size.
    const Lib::RectSize size = m_Window->GetWindowedSize();
    const Lib::String width = Lib::String::Format("%u", size.width);
    const Lib::String height = Lib::String::Format("%u", size.height);
    if (Store().GetEntryText(k_ConfigCustomWidth, EntrySide::Value) != width)
        Store().SetEntryText(k_ConfigCustomWidth, width);
    if (Store().GetEntryText(k_ConfigCustomHeight, EntrySide::Value) != height)
        Store().SetEntryText(k_ConfigCustomHeight, height);
}

void GameCore::SetVSync(bool p_On)
{
    if (m_Window)
        m_Window->SwapVSync(p_On);
    Store().SetEntryText(k_ConfigVSync, Lib::String(p_On ? "1" : "0"));
}

void GameCore::SetFrameCap(int32_t p_Setting)
{
    ApplyFrameCap(*m_Engine, m_Window.Get(), p_Setting);
    Store().SetEntryText(k_ConfigFrameCap, Lib::String::Format("%d", p_Setting));
}

void GameCore::SetMultisample(int32_t p_Setting)
{
    m_Engine->SetMultisample(p_Setting);
    Store().SetEntryText(k_ConfigMultisample, MultisampleText(p_Setting));
}

void GameCore::SetShowFps(bool p_Show)
{
    m_GuiHandler.SetShowFps(p_Show);
    KeepBoardClearOfHud();
    Store().SetEntryText(k_ConfigShowFps, Lib::String(p_Show ? "1" : "0"));
}

void GameCore::SetShowPoints(bool p_Show)
{
    m_GuiHandler.SetShowPoints(p_Show);
    KeepBoardClearOfHud();
    Store().SetEntryText(k_ConfigShowPoints, Lib::String(p_Show ? "1" : "0"));
}

void GameCore::SetGridMode(uint32_t p_Index)
{
    // The options menu only offers the table's modes; anything else would leave the board
    // without a size, so it is held to the table like the configured value.
    m_GridMode = p_Index < k_GridModeCount ? p_Index : k_GridModeCount - 1;
    Store().SetEntryText(k_ConfigGridMode, Lib::String::Format("%d", static_cast<int32_t>(m_GridMode)));
    m_Board.SetGrid(GridModeSize(m_GridMode));
    m_GuiHandler.SetTargetPoints(m_Board.GetTargetPoints());
    // The label would otherwise name the old board's size until the next catch or game.
    m_GuiHandler.SetPoints(m_Board.GetPoints());
    const GridSize grid = m_Board.GetGrid();
    m_Background.Layout(grid);
    m_Board.PlaceItemAnywhere();
    m_PointToCatch.Layout(grid, m_Board.GetItem());
    m_PointToCatch.SetVisible(true);
    m_Board.ResetSnake();
    m_SnakeBody.Reset(grid);
    const Lib::RectSize size = m_Engine->GetWindowSize();
    AdaptCamera(static_cast<float>(size.width), static_cast<float>(size.height));
}

void GameCore::SetGameSpeed(uint32_t p_Speed)
{
    m_Speed = p_Speed;
    Store().SetEntryText(k_ConfigGameSpeed, Lib::String::Format("%d", static_cast<int32_t>(p_Speed)));
}

// ---- IGameStateNotifier ----

void GameCore::Resume()
{
    m_GameState = k_GameRunning;
    m_RoundClock.Resume(Now());
    RoundGoes();
}

void GameCore::RoundGoes()
{
    m_Turns.Clear();
    m_StepClock.RoundGoes(Now(), IsOptionOn(k_ConfigFairStart));
    UpdateReadyMarker();
}

bool GameCore::IsOptionOn(int32_t p_ConfigId) const
{
    return ReadSwitch(Store().GetEntryText(p_ConfigId, EntrySide::Value)).value != 0;
}

void GameCore::RestartGame()
{
    StopAttract();
    ResetRound();
    m_BotSteeredRound = false;
    m_GameState = k_GameRunning;
    m_RoundClock.Start(Now());
    UpdateRoundTime();
    RoundGoes();
    // A seated bot starts the new round afresh, a script read anew from its file.
    if (m_Pilot)
    {
        std::string error;
        if (!SeatPilot(m_PilotName, error))
            HandBackControl("it could not be loaded again: " + error);
    }
}

void GameCore::ResetRound()
{
    // The rules' own start of a round, the one the simulation plays from too.
    m_Board.Restart();
    m_GuiHandler.SetPoints(m_Board.GetPoints());
    m_PointToCatch.Layout(m_Board.GetGrid(), m_Board.GetItem());
    m_PointToCatch.SetVisible(true);
    m_SnakeBody.Reset(m_Board.GetGrid());
}

void GameCore::Pause()
{
    m_GameState = k_GameHalted;
    m_RoundClock.Stop(Now());
    m_Turns.Clear();
    m_StepClock.EndReady();
    UpdateReadyMarker();
}

void GameCore::ArrangeRound(const Lib::DynamicArray<Segment>& p_Segments, Cell p_Item, uint32_t p_Points)
{
    m_Board.SetSegments(p_Segments);
    m_Board.SetItem(p_Item);
    m_Board.SetPoints(p_Points);
    m_GuiHandler.SetPoints(p_Points);
    m_PointToCatch.Layout(m_Board.GetGrid(), p_Item);
    m_SnakeBody.Update(p_Segments);
}

// ---- window and frame events ----

void GameCore::AdaptCamera(float p_Width, float p_Height)
{
    // A size without area (a minimised window) keeps the shape the box had.
    if (p_Width > 0.0f && p_Height > 0.0f)
        m_CameraAspect = p_Width / p_Height;
    m_Camera.SetBox(-m_CameraAspect, m_CameraAspect, 1.0f, -1.0f);
}

void GameCore::LayOutScene()
{
    const GridSize grid = m_Board.GetGrid();
    m_Background.Layout(grid);
    m_PointToCatch.Layout(grid, m_Board.GetItem());
    m_SnakeBody.Layout(grid, m_Board.GetSegments());
    UpdateReadyMarker();
}

void GameCore::KeepBoardClearOfHud()
{
    const Lib::RectSize corner = m_GuiHandler.GetHudExtent();
    if (corner.width == m_HudCorner.width && corner.height == m_HudCorner.height)
        return;
    m_HudCorner = corner;
    LayOutScene();
}

void GameCore::OnWindowResize(Vozad::EventWindowResize& p_Event)
{
    LayOutScene();
    SetResolution(p_Event.size.width, p_Event.size.height);
    AdaptCamera(static_cast<float>(p_Event.size.width), static_cast<float>(p_Event.size.height));
}

void GameCore::OnWindowFullscreen(Vozad::EventWindowFullscreen& p_Event)
{
    AdaptCamera(static_cast<float>(p_Event.size.width), static_cast<float>(p_Event.size.height));
}

void GameCore::OnQuitRequest(Vozad::EventQuitRequest& p_Event)
{
    p_Event.answer = 0;
}

void GameCore::OnRendererUpdate(Vozad::EventRendererUpdate& p_Event)
{
    m_GuiHandler.SetFps(static_cast<int32_t>(std::lround(p_Event.fps)));
    if (m_GameState != k_GameRunning)
    {
        PlayAttract();
        // The demo behind the start menu moves by itself like a round does.
        if (IsAttractPlaying())
            m_Engine->RequestRedraw(0.0);
        return;
    }
    Steer();
    StepSnake();
    UpdateRoundTime();
    // A running round moves by itself; the engine draws otherwise only when input arrives.
    if (m_GameState == k_GameRunning)
        m_Engine->RequestRedraw(0.0);
}

void GameCore::UpdateRoundTime()
{
    // The label changes ten times a second, not every frame.
    const uint64_t tenths = m_RoundClock.Elapsed(Now()) / 100000;
    if (tenths == m_ShownRoundTenths)
        return;
    m_ShownRoundTenths = tenths;
    m_GuiHandler.SetRoundTime(tenths * 100);
}

void GameCore::UpdateReadyMarker()
{
    if (!m_StepClock.IsReady() || m_GameState != k_GameRunning)
    {
        m_ReadyMarker.Hide();
        return;
    }
    const BoardLayout& layout = m_SnakeBody.GetLayout();
    const Segment& head = m_Board.GetHead();
    m_ReadyMarker.Show(CellRect(layout, head.cell), CellRect(layout, Neighbour(head.cell, head.direction)),
                       GetLocaleString("game.ready"));
}

void GameCore::FinishRound(bool p_Won)
{
    m_GameState = k_GameHalted;
    m_RoundClock.Stop(Now());
    UpdateRoundTime();
    m_StepClock.EndReady();
    UpdateReadyMarker();
    const uint64_t timeMs = m_RoundClock.Elapsed(Now()) / 1000;
    const uint32_t points = m_Board.GetPoints();
    // Demo rounds end elsewhere and never come here; a round a bot had any part in is shown
    // against the record but does not count for one.
    RecordOutcome outcome;
    if (m_BotSteeredRound)
        Lib::LogInfo(m_Tag, "A bot steered this round: it sets no record");
    else
        outcome = m_Records.Table().Submit(m_GridMode, m_Speed, points, p_Won, timeMs);
    if (outcome.IsNewRecord())
        m_Records.Save();
    m_GuiHandler.SetRoundResult(m_Records.Table().Get(m_GridMode, m_Speed), outcome);
    m_GuiHandler.ShowPanel(p_Won ? k_PanelGameWon : k_PanelGameOver);
}

void GameCore::StepSnake()
{
    if (!m_StepClock.IsDue(Now(), m_Speed))
        return;
    SteerByPilot();
    const StepResult result = m_Board.Step();
    PlayStepSound(result);
    if (result == StepResult::Lost)
    {
        // The snake stays where it was, and so does the step clock.
        FinishRound(false);
        return;
    }
    ShowStep(result);
    if (result == StepResult::Won)
    {
        FinishRound(true);
    }
    m_StepClock.Stepped(Now());
    m_Turns.OnStep();
    UpdateReadyMarker();
}

void GameCore::ShowStep(StepResult p_Result)
{
    m_SnakeBody.Update(m_Board.GetSegments());
    if (p_Result == StepResult::Won)
    {
        // The winning catch eats the item without placing another: the whole snake is shown.
        m_PointToCatch.SetVisible(false);
    }
    else if (p_Result == StepResult::Grew)
    {
        m_GuiHandler.SetPoints(m_Board.GetPoints());
        m_PointToCatch.Layout(m_Board.GetGrid(), m_Board.GetItem());
    }
}

void GameCore::OnWindowFocus(Vozad::EventWindowFocus& p_Event)
{
    // A player who switches to another window cannot steer; with the option the round waits.
    if (!p_Event.focused && m_GameState == k_GameRunning && IsOptionOn(k_ConfigAutoPause))
        m_GuiHandler.PauseRound();
}

void GameCore::OnRendererPresent(Vozad::EventRendererPresent&)
{
    m_Engine->SetClearColour(122, 122, 122);
    Vozad::WindowRect view;
    if (m_Window)
    {
        const Lib::RectSize size = m_Window->GetWindowSize();
        view.right = static_cast<int32_t>(size.width);
        view.bottom = static_cast<int32_t>(size.height);
    }
    m_Engine->SetCamera(0, view, m_Camera);
    m_Engine->Render();
}
} // namespace Snake
