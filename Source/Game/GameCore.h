#pragma once
// The game object: owns the round (board, speed, state), its drawing, the menus and the
// console, and is the engine's root GUI element and window-event receiver. It talks to the
// engine only through IEngine.
#include "Corvan/Gui/Console/Console.h"
#include "Corvan/Gui/Console/ConsoleCommand.h"
#include "Corvan/Gui/Console/IConsoleInterface.h"
#include "Corvan/Gui/Console/IKeybindingInterface.h"
#include "Corvan/Layout/IWindowEventBase.h"
#include "Corvan/Renderer/OrthoCamController.h"
#include "Corvan/Window/IWindow.h"
#include "Game/Board.h"
#include "Game/ICoreInterface.h"
#include "Game/IGameStateNotifier.h"
#include "Game/IOutputReceiver.h"
#include "Game/IRandomSource.h"
#include "Game/Locale.h"
#include "Game/Menus/GUIHandler.h"
#include "Game/Scene/PointToCatch.h"
#include "Game/Scene/SceneBackground.h"
#include "Game/Scene/SnakeBody.h"
#include "Lib/DynamicArray.h"
#include "Lib/Log.h"
#include "Lib/Platform/Timer.h"
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
    void SetShowFps(bool p_Show) override;
    void SetShowPoints(bool p_Show) override;
    void SetGridMode(uint32_t p_Index) override;
    void SetGameSpeed(uint32_t p_Speed) override;
    uint32_t GetGridMode() const override { return m_GridMode; }
    uint32_t GetGameSpeed() const override { return m_Speed; }

    // IGameStateNotifier
    void Resume() override;
    void RestartGame() override;
    void Pause() override;

    // The screenshot key, left Ctrl + D and the console key; everything else goes to the menus
    // and the console.
    bool OnKeyPress(Vozad::EventKeyInput& p_Event) override;

    void OnWindowCreate(Vozad::EventWindowCreate&) override {}
    void OnWindowFocus(Vozad::EventWindowFocus&) override {}
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

    int32_t GetGameState() const { return m_GameState; }
    uint32_t GetTargetPoints() const { return m_Board.GetTargetPoints(); }
    const Board& GetBoard() const { return m_Board; }
    const Locale& GetLocale() const { return m_Locale; }
    GUIHandler& GetGuiHandler() { return m_GuiHandler; }
    Vozad::Console& GetConsole() { return m_Console; }
    const Lib::DynamicArray<Vozad::ConsoleCommand>& GetCommands() const { return m_Commands; }
    const SceneBackground& GetBackground() const { return m_Background; }
    const PointToCatch& GetPointToCatch() const { return m_PointToCatch; }
    const SnakeBody& GetSnakeBody() const { return m_SnakeBody; }
    const Vozad::OrthoCamController& GetCameraController() const { return m_CameraController; }

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
    void StepSnake();
    void AdaptCamera(float p_Width, float p_Height);
    void LayOutScene();
    // Takes the HUD's current size and lays the board out around it.
    void KeepBoardClearOfHud();
    void ToggleConsole();
    void BuildGuiTree();
    void Echo(const Lib::String& p_Line);
    void NotRecognised(const Lib::String& p_Line);
    void ShowUsage(int32_t p_CommandId);
    // Keeps the window's client size in the configuration: the size it has, which may be less
    // than what was asked for.
    void StoreWindowSize();
    void ShowHelp();

    Lib::LogTag m_Tag{"GameCore"};
    Locale m_Locale;
    Telvar::IEngine* m_Engine; // not owned
    Lib::Ref<ApplicationConfig> m_Config;
    int32_t m_StartWidth = 0;
    int32_t m_StartHeight = 0;
    uint32_t m_GridMode = 0;
    Lib::Ref<Vozad::IWindow> m_Window;
    // The game never updates the controller, so no key moves or zooms the board.
    Vozad::OrthoCamController m_CameraController{nullptr, nullptr};
    GUIHandler m_GuiHandler;
    Lib::DynamicArray<Vozad::ConsoleCommand> m_Commands;
    Vozad::Console m_Console;
    int32_t m_GameState = k_GameNotStarted;
    uint32_t m_Speed = 1;
    ProcessRandom m_Random;
    Board m_Board{m_Random};
    // The HUD's corner of the window, which the board leaves free; empty while the HUD is hidden.
    Lib::RectSize m_HudCorner;
    SceneBackground m_Background;
    PointToCatch m_PointToCatch;
    SnakeBody m_SnakeBody;
    // Started at construction and renewed only by a step; pausing does not stop it.
    Lib::Timer m_StepTimer;
    // The two layers of the GUI tree: the menus inside two bars, the console above them.
    // Declared last so they go before the elements they point at.
    std::unique_ptr<Vozad::LayoutBar> m_MenuColumn;
    std::unique_ptr<Vozad::LayoutStack> m_Layers;
    bool m_Installed = false;
};
} // namespace Snake
