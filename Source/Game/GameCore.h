#pragma once
// The game object: owns the round (board, speed, state), its drawing, the menus and the
// console, and is the engine's root GUI element and window-event receiver. It talks to the
// engine only through IEngine.
#include "Corvan/Gui/Console/Console.h"
#include "Corvan/Gui/Console/ConsoleCommand.h"
#include "Corvan/Gui/Console/IConsoleInterface.h"
#include "Corvan/Gui/Console/IKeybindingInterface.h"
#include "Corvan/Layout/IWindowEventBase.h"
#include "Corvan/Renderer/OrthoCam.h"
#include "Corvan/Window/IWindow.h"
#include "Game/Board.h"
#include "Game/Bots/IBot.h"
#include "Game/GameSounds.h"
#include "Game/ICoreInterface.h"
#include "Game/IGameStateNotifier.h"
#include "Game/IOutputReceiver.h"
#include "Game/IRandomSource.h"
#include "Game/Locale.h"
#include "Game/Menus/GUIHandler.h"
#include "Game/RecordsFile.h"
#include "Game/RoundClock.h"
#include "Game/Scene/PointToCatch.h"
#include "Game/Scene/ReadyMarker.h"
#include "Game/Scene/SceneBackground.h"
#include "Game/Scene/SnakeBody.h"
#include "Game/StepTiming.h"
#include "Game/TurnBuffer.h"
#include "Lib/DynamicArray.h"
#include "Lib/Log.h"
#include "Lib/Platform/Timer.h"
#include "Lib/ReferenceCounter.h"
#include "Lib/String.h"

#include <chrono>
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
class LayoutStack;
struct ImageResource;
} // namespace Vozad

namespace Snake
{
class ApplicationConfig;
class ConfigReader;

enum GameState : int32_t
{
    k_GameNotStarted = 0,
    k_GameHalted = 1, // paused, lost or won
    k_GameRunning = 2,
};

class GameCore : public Vozad::IWindowEventBase,
                 public Vozad::IKeybindingInterface,
                 public Vozad::IConsoleInterface,
                 public ICoreInterface,
                 public IGameStateNotifier,
                 public IOutputReceiver
{
public:
    GameCore(Telvar::IEngine* p_Engine, Lib::Ref<ApplicationConfig> p_Config);
    ~GameCore() override;

    // The compiled-in scene images the first picture shows (the snake and its food), for the engine
    // to decode while it makes its window.
    static std::vector<const Vozad::ImageResource*> ImagesOfTheFirstPicture();

    // False only when the menus cannot be built.
    bool Initialise();
    IOutputReceiver* GetOutputReceiver() { return this; }

    // IOutputReceiver: a log line, in white.
    void ReceiveLine(const Lib::String& p_Line) override;

    // IKeybindingInterface
    uint32_t GetKeyForCommand(const std::string& p_Command) const override;
    // IConsoleInterface
    void ExecuteCommand(int32_t p_CommandId, const Lib::String& p_Line,
                        const Lib::DynamicArray<Lib::String>& p_Arguments) override;

    // ICoreInterface
    Lib::String GetLocaleString(const Lib::String& p_Key) override;
    Lib::String GetConfigValue(int32_t p_Id) override;
    void SetConfigValue(int32_t p_Id, const Lib::String& p_Text) override;
    void Quit() override;
    void Restart(const Lib::String& p_Arguments) override;
    void SetResolution(uint32_t p_Width, uint32_t p_Height) override;
    void SetVSync(bool p_On) override;
    void SetFrameCap(int32_t p_Setting) override;
    void SetMultisample(int32_t p_Setting) override;
    void SetShowFps(bool p_Show) override;
    void SetShowPoints(bool p_Show) override;
    void SetGridMode(uint32_t p_Index) override;
    void SetGameSpeed(uint32_t p_Speed) override;
    // Attract mode: the autopilot plays behind the start menu.
    void SetAttract(bool p_On) override;
    uint32_t GetGridMode() const override { return m_GridMode; }
    uint32_t GetGameSpeed() const override { return m_Speed; }
    const RecordTable* GetRecords() const override { return &m_Records.Table(); }

    // IGameStateNotifier
    void Resume() override;
    void RestartGame() override;
    void Pause() override;

    // The screenshot key, left Ctrl + D and the console key; everything else goes to the menus
    // and the console.
    bool OnKeyPress(Vozad::EventKeyInput& p_Event) override;

    void OnWindowCreate(Vozad::EventWindowCreate&) override {}
    // With g_autopause a running round pauses when the window loses the focus.
    void OnWindowFocus(Vozad::EventWindowFocus& p_Event) override;
    void OnWindowPosition(Vozad::EventWindowPosition&) override {}
    void OnWindowResize(Vozad::EventWindowResize& p_Event) override;
    void OnWindowMinimize(Vozad::EventWindowMinimize&) override {}
    void OnWindowMaximize(Vozad::EventWindowMaximize&) override {}
    void OnWindowFullscreen(Vozad::EventWindowFullscreen& p_Event) override;
    // Lets the window close.
    void OnQuitRequest(Vozad::EventQuitRequest& p_Event) override;
    void OnWindowClose(Vozad::EventWindowClose&) override {}
    // The frame-rate label, then in a running round steering and the step.
    void OnRendererUpdate(Vozad::EventRendererUpdate& p_Event) override;
    // Draws the board through the game camera.
    void OnRendererPresent(Vozad::EventRendererPresent& p_Event) override;

    GameState GetGameState() const { return m_GameState; }
    uint32_t GetTargetPoints() const { return m_Board.GetTargetPoints(); }
    const Board& GetBoard() const { return m_Board; }
    const Locale& GetLocale() const { return m_Locale; }
    GUIHandler& GetGuiHandler() { return m_GuiHandler; }
    Vozad::Console& GetConsole() { return m_Console; }
    const Lib::DynamicArray<Vozad::ConsoleCommand>& GetCommands() const { return m_Commands; }
    const SceneBackground& GetBackground() const { return m_Background; }
    const PointToCatch& GetPointToCatch() const { return m_PointToCatch; }
    const SnakeBody& GetSnakeBody() const { return m_SnakeBody; }
    const Vozad::OrthoCam& GetCamera() const { return m_Camera; }
    const TurnBuffer& GetTurnBuffer() const { return m_Turns; }
    const ReadyMarker& GetReadyMarker() const { return m_ReadyMarker; }
    // The played time of the current (or last) round in microseconds.
    uint64_t GetRoundTime() const { return m_RoundClock.Elapsed(Now()); }
    // The bot that steers the player's rounds; empty while the player does.
    const std::string& GetPilotName() const { return m_PilotName; }
    // True while the board behind the start menu plays itself.
    bool IsAttractPlaying() const { return m_AttractBot != nullptr; }

protected:
    // For tests: puts a position that the rules would take long to reach on the board and on
    // the screen (snake head first, item, points).
    void ArrangeRound(const Lib::DynamicArray<Segment>& p_Segments, Cell p_Item, uint32_t p_Points);

private:
    ConfigReader& Store();
    const ConfigReader& Store() const;
    // Down now, or tapped since the last frame.
    bool IsBoundKeyPressed(int32_t p_ConfigId);
    void Steer();
    // With g_turnbuffer: a movement key's press is kept for the steps to come.
    void BufferTurn(int32_t p_KeyCode);
    void StepSnake();
    // A gameplay option ("1" in its configuration entry); read when needed, so Apply counts at once.
    bool IsOptionOn(int32_t p_ConfigId) const;
    // Microseconds on the game's monotonic clock.
    uint64_t Now() const { return m_GameClock.Elapsed().microseconds; }
    // The round goes on after Start, Restart or Resume.
    void RoundGoes();
    // Lost or won: the clock stops, the records take the round, the panel shows the outcome.
    void FinishRound(bool p_Won);
    void UpdateReadyMarker();
    void UpdateRoundTime();
    // Shows what a step did on the board: the body, and after a catch the points and the item.
    void ShowStep(StepResult p_Result);
    // A new round on the board and the screen; the game state stays.
    void ResetRound();

    // Bots (GameCoreBots.cpp).
    void RunBotCommand(const Lib::String& p_Line, const Lib::DynamicArray<Lib::String>& p_Arguments);
    void ListBots();
    void RunAttractCommand(const Lib::String& p_Line, const Lib::DynamicArray<Lib::String>& p_Arguments);
    // Seats the named bot; false, with the reason in p_Error, when there is no such bot.
    bool SeatPilot(const std::string& p_Name, std::string& p_Error);
    // g_botwait as a wait (an unusable value is named at start-up).
    std::chrono::milliseconds BotAnswerTime();
    // The player steers again; p_Why ends the log line.
    void HandBackControl(const std::string& p_Why);
    // Asks the seated bot before a step of the player's round.
    void SteerByPilot();
    // A frame of attract mode: starts, steps or stops the demo round behind the start menu.
    void PlayAttract();
    void StopAttract();
    // "Bot: <name>" on the HUD while a bot plays, nothing while the player does.
    void ShowPilotOnHud();
    // Sound effects (GameCoreSound.cpp); the volume and mute settings are read with each one.
    void LoadSounds();
    void PlaySound(GameSound p_Sound);
    void PlayStepSound(StepResult p_Result);
    void AdaptCamera(float p_Width, float p_Height);
    void LayOutScene();
    // Takes the HUD's current size and lays the board out around it.
    void KeepBoardClearOfHud();
    void ToggleConsole();
    void BuildGuiTree();
    void Echo(const Lib::String& p_Line);
    void NotRecognised(const Lib::String& p_Line);
    void ShowUsage(int32_t p_CommandId);
    // The one 0/1 argument of the command; false, with the usage shown, when it is missing or bad.
    bool ReadSwitchArgument(int32_t p_CommandId, const Lib::DynamicArray<Lib::String>& p_Arguments,
                            bool& p_On);
    // Keeps the window's client size in the configuration: the size it has, which may be less
    // than what was asked for.
    void StoreWindowSize();
    void ShowHelp();

    Lib::LogTag m_Tag{"GameCore"};
    Locale m_Locale;
    Telvar::IEngine* m_Engine; // not owned
    Lib::Ref<ApplicationConfig> m_Config;
    uint32_t m_GridMode = 0;
    Lib::Ref<Vozad::IWindow> m_Window;
    // A fixed camera: no key moves or zooms the board; only the window's shape changes its box.
    Vozad::OrthoCam m_Camera;
    float m_CameraAspect = 1.0f;
    GUIHandler m_GuiHandler;
    Lib::DynamicArray<Vozad::ConsoleCommand> m_Commands;
    Vozad::Console m_Console;
    GameState m_GameState = k_GameNotStarted;
    uint32_t m_Speed = 1;
    ProcessRandom m_Random;
    Board m_Board{m_Random};
    // The HUD's corner of the window, which the board leaves free; empty while the HUD is hidden.
    Lib::RectSize m_HudCorner;
    SceneBackground m_Background;
    PointToCatch m_PointToCatch;
    SnakeBody m_SnakeBody;
    // Started at construction; the step clock and the round clock read it.
    Lib::Timer m_GameClock;
    // Renewed by a step (and by a fair start); pausing does not stop it.
    StepClock m_StepClock;
    RoundClock m_RoundClock;
    uint64_t m_ShownRoundTenths = ~0ull;
    TurnBuffer m_Turns;
    RecordsFile m_Records;
    ReadyMarker m_ReadyMarker;
    // The demo behind the start menu keeps its own step time, so the player's step clock stays untouched.
    Lib::Timer m_AttractTimer;
    std::unique_ptr<IBot> m_Pilot; // steers the player's rounds instead of the keys
    std::string m_PilotName;
    bool m_PilotNoteLogged = false;
    // A bot steered at least one step of the round: its end sets no record, as the record is
    // what the player did.
    bool m_BotSteeredRound = false;
    std::unique_ptr<IBot> m_AttractBot; // set while the demo round plays
    GameSounds m_Sounds;
    // The two layers of the GUI tree: the menus inside two bars, the console above them.
    // Declared last so they go before the elements they point at.
    std::unique_ptr<Vozad::LayoutBar> m_MenuColumn;
    std::unique_ptr<Vozad::LayoutStack> m_Layers;
    bool m_Installed = false;
    // Work handed to the engine for its first idle moment holds a weak copy: a game gone by
    // then leaves it with nothing to do.
    std::shared_ptr<GameCore*> m_Self = std::make_shared<GameCore*>(this);
};
} // namespace Snake
