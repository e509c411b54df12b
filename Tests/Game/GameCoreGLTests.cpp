// The game object on the real engine, window and GL context under the test run's Xvfb: a round
// on the 6x6 board read back from the presented frames, steering through real key events, the
// pause rule, the console commands and the game's own keys.
#include "Corvan/EntryPoint/CorvanEntry.h"
#include "Corvan/Events/IEventBase.h"
#include "Corvan/Events/InputEvents.h"
#include "Corvan/Events/KeyCodes.h"
#include "Corvan/Events/WindowEvents.h"
#include "Corvan/Gui/Colours.h"
#include "Game/ApplicationConfig.h"
#include "Game/ConfigIds.h"
#include "Game/ConfigReader.h"
#include "Game/GameCore.h"
#include "Game/OutputForwarder.h"
#include "Game/Scene/BoardLayout.h"
#include "Lib/Platform/Platform.h"

#include "Game/BoardPaths.h"
#include "Game/Menus/MenuGLSupport.h"
#include "Support/CapturingForwarder.h"
#include "Support/DefaultConfigFile.h"
#include "Support/LogFileRedirect.h"
#include "Support/LogLines.h"
#include "Support/TempFolder.h"
#include "Support/WindowPixels.h"

#include <gtest/gtest.h>

#include <GL/gl.h>
#include <SDL2/SDL.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <iostream>
#include <string>
#include <thread>
#include <vector>

namespace
{
using namespace Snake;

std::string Replace(std::string p_Text, const std::string& p_Old, const std::string& p_New)
{
    const size_t at = p_Text.find(p_Old);
    if (at != std::string::npos)
        p_Text.replace(at, p_Old.size(), p_New);
    return p_Text;
}

// The default file with a 6x6 board at ten moves per second in a 1280 x 720 window without
// vertical sync, so frames follow each other as fast as the software renderer draws them.
std::string SixBySixConfig()
{
    std::string text = TestSupport::k_DefaultConfigFile;
    text = Replace(text, "set grid_mode \"2\"", "set grid_mode \"0\"");
    text = Replace(text, "set game_speed \"8\"", "set game_speed \"10\"");
    text = Replace(text, "set g_vsync \"1\"", "set g_vsync \"0\"");
    return text;
}

// The same at one move per second: a few frames never see a step.
std::string SlowSixBySixConfig()
{
    return Replace(SixBySixConfig(), "set game_speed \"10\"", "set game_speed \"1\"");
}

using TestSupport::ReadPresentedPixel;
using TestSupport::Rgba;

::testing::AssertionResult IsBackdrop(const Rgba& p_Pixel)
{
    return TestSupport::NearRgb(TestSupport::RgbOf(p_Pixel), {51, 77, 77}, 2);
}

bool IsSnakeGreen(const Rgba& p_Pixel)
{
    return p_Pixel[1] > p_Pixel[0] + 30 && p_Pixel[1] > p_Pixel[2] + 30;
}

std::string Text(const Rgba& p_Pixel)
{
    return std::to_string(p_Pixel[0]) + " " + std::to_string(p_Pixel[1]) + " " + std::to_string(p_Pixel[2]);
}

// The game with a hook at the start of every frame, before its own steering and step.
class ScriptedGame : public GameCore
{
public:
    using GameCore::GameCore;

    void OnRendererUpdate(Vozad::EventRendererUpdate& p_Event) override
    {
        if (beforeFrame)
            beforeFrame(p_Event.frameNumber);
        GameCore::OnRendererUpdate(p_Event);
        if (afterFrame)
            afterFrame(p_Event.frameNumber);
    }

    std::function<void(uint64_t)> beforeFrame;
    std::function<void(uint64_t)> afterFrame;
    using GameCore::ArrangeRound;
};

// The middle of a body segment is its pale yellow-green diamond; the head's middle is dark green.
bool IsSnakeMiddle(const Rgba& p_Pixel)
{
    return p_Pixel[1] >= p_Pixel[0] && p_Pixel[1] > p_Pixel[2] + 40;
}

bool IsAppleRed(const Rgba& p_Pixel)
{
    return p_Pixel[0] > p_Pixel[1] + 60 && p_Pixel[0] > p_Pixel[2] + 60;
}

Telvar::EngineSettings ContinuousLoop()
{
    Telvar::EngineSettings settings;
    settings.loopMode = 2;
    return settings;
}

std::vector<std::wstring> ConsoleTexts(Vozad::Console& p_Console)
{
    std::vector<std::wstring> texts;
    Vozad::ConsoleScrollView& view = p_Console.GetScrollView();
    for (uint32_t i = 0; i < view.GetLineCount(); ++i)
        texts.push_back(view.GetLine(i).text.Wide());
    return texts;
}

void PushKey(uint32_t p_Type, SDL_Scancode p_Scancode)
{
    SDL_Event event{};
    event.type = p_Type;
    event.key.keysym.scancode = p_Scancode;
    event.key.state = p_Type == SDL_KEYDOWN ? SDL_PRESSED : SDL_RELEASED;
    SDL_PushEvent(&event);
}

class GameCoreGLTest : public testing::Test
{
protected:
    GameCoreGLTest() : m_OldFolder(std::filesystem::current_path())
    {
        // Screenshots and "remove_config" work in the working folder.
        std::filesystem::current_path(m_Folder.Path());
    }
    ~GameCoreGLTest() override { std::filesystem::current_path(m_OldFolder); }

    void TearDown() override
    {
        m_Game.reset();
        m_Engine.reset();
        m_Config.Reset();
        Lib::ShutdownPlatform();
    }

    // Engine and game as the entry builds them, from a configuration file in the test folder.
    void Start(const std::string& p_ConfigText = SixBySixConfig())
    {
        TestSupport::WriteWholeFile(m_Folder.File("gamedata.cfg"), p_ConfigText);
        m_Config = LoadApplicationConfig(Lib::String(m_Folder.File("gamedata.cfg").c_str()));
        m_Engine = std::make_unique<Telvar::CorvanEntry>();
        ASSERT_TRUE(m_Engine->Initialise(ContinuousLoop(), m_Config->GetWindowSettings()));
        m_Engine->SetUserData(&m_Config->GetConfigReader());
        m_Game = std::make_unique<ScriptedGame>(m_Engine.get(), m_Config);
        ASSERT_TRUE(m_Game->Initialise());
    }

    ConfigReader& Store() { return m_Config->GetConfigReader(); }

    // The start button, with the item drawn anew until it lies well away from where the head
    // can go in a few frames: the snake stays one segment long and may turn any way.
    void StartRoundAwayFromTheItem()
    {
        m_Game->GetGuiHandler().OnStartPressed();
        while (m_Game->GetBoard().GetItem().row < 4)
            m_Game->RestartGame();
    }

    // Types the line into the console's input box and submits it.
    void Submit(Vozad::ConsoleTextBox& p_Input, const char* p_Line)
    {
        for (const char* c = p_Line; *c; ++c)
        {
            Vozad::EventTextInput text(Lib::String(std::string(1, *c)));
            p_Input.OnTextInput(text);
        }
        Vozad::EventKeyInput enter = Key(Vozad::KeyCode::Return);
        p_Input.OnKeyPress(enter);
    }

    Vozad::EventKeyInput Key(int32_t p_Code, int32_t p_Modifiers = 0)
    {
        return Vozad::EventKeyInput(Vozad::k_EventKeyPress, p_Code, 1, p_Modifiers);
    }

    TestSupport::TempFolder m_Folder;
    TestSupport::LogFileRedirect m_LogFile{m_Folder.File("gamelog.txt")};
    std::filesystem::path m_OldFolder;
    Lib::Ref<ApplicationConfig> m_Config;
    std::unique_ptr<Telvar::CorvanEntry> m_Engine;
    std::unique_ptr<ScriptedGame> m_Game;
};

TEST_F(GameCoreGLTest, InitialisationReadsTheSettingsAndShowsTheStartMenu)
{
    ASSERT_NO_FATAL_FAILURE(
        Start(Replace(SixBySixConfig(), "set game_speed \"10\"", "set game_speed \"0\"")));
    EXPECT_EQ(m_Game->GetGameState(), k_GameNotStarted);
    EXPECT_EQ(m_Game->GetGuiHandler().GetPanelState(), k_PanelStart);
    EXPECT_EQ(m_Game->GetTargetPoints(), 36u);
    EXPECT_EQ(m_Game->GetGameSpeed(), 1u) << "game_speed 0 moves once per second";
    EXPECT_EQ(m_Game->GetBoard().GetPoints(), 1u);
    EXPECT_EQ(m_Game->GetGuiHandler().GetPointsLabel().GetText().Wide(), L"Points: 1 of 36");
    EXPECT_FALSE(m_Game->GetConsole().IsVisible());
    EXPECT_EQ(m_Game->GetSnakeBody().GetEntities().Count(), 1u);
    EXPECT_EQ(m_Game->GetSnakeBody().GetLayout().cellSize, 120);
    EXPECT_EQ(m_Game->GetSnakeBody().GetLayout().offsetX, 280);
    const Vozad::OrthoCam& camera = m_Game->GetCamera();
    EXPECT_FLOAT_EQ(camera.GetRight(), 1280.0f / 720.0f);
    EXPECT_FLOAT_EQ(camera.GetTop(), 1.0f);
    EXPECT_FLOAT_EQ(camera.GetPosition().z, 16.0f);
}

TEST_F(GameCoreGLTest, StartedRoundMovesTheHeadRightUntilTheBorderEndsIt)
{
    ASSERT_NO_FATAL_FAILURE(Start());
    ScriptedGame& game = *m_Game;
    const BoardLayout layout = ComputeBoardLayout(1280, 720, GridSize{6, 6});
    const auto centre = [&](int32_t p_Column) { return CellRect(layout, Cell{p_Column, 1}); };

    bool checked = false;
    uint64_t framesAfterThirdColumn = 0;
    std::array<Rgba, 6> row{};
    Rgba headTopLeft, headTopRight, outside;
    std::vector<int32_t> headColumns;
    game.beforeFrame = [&](uint64_t p_Frame)
    {
        // Started on frame 3: a loop that draws every frame runs the start-up's idle work (window
        // icon, about menu) after frame 2, and that pause would cut the head's frames on a column.
        if (p_Frame < 3)
            return;
        if (p_Frame == 3)
        {
            // The start button; a new item is drawn until it lies off the head's row.
            game.GetGuiHandler().OnStartPressed();
            while (game.GetBoard().GetItem().row == 1)
                game.RestartGame();
            headColumns.assign(1, game.GetBoard().GetHead().cell.column);
            return;
        }
        if (game.GetGameState() != k_GameRunning)
            return;
        if (game.GetBoard().GetHead().cell.column == 3 && ++framesAfterThirdColumn == 2 && !checked)
        {
            // The head has been on column 3 for a whole presented frame.
            for (int32_t column = 0; column < 6; ++column)
            {
                const PixelRect rect = centre(column);
                row[column] = ReadPresentedPixel((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
            }
            const PixelRect head = centre(3);
            headTopLeft = ReadPresentedPixel(head.left + 6, head.top + 6);
            headTopRight = ReadPresentedPixel(head.right - 6, head.top + 6);
            outside = ReadPresentedPixel(100, 600);
            checked = true;
            Vozad::EventKeyInput f11 = Key(Vozad::KeyCode::F11);
            EXPECT_TRUE(game.OnKeyPress(f11));
        }
    };
    game.afterFrame = [&](uint64_t)
    {
        if (headColumns.empty() || headColumns.back() != game.GetBoard().GetHead().cell.column)
            headColumns.push_back(game.GetBoard().GetHead().cell.column);
        if (game.GetGameState() == k_GameHalted)
            m_Engine->Quit();
    };
    EXPECT_EQ(m_Engine->Run(), 0);

    ASSERT_TRUE(checked);
    // The step clock ran since construction, so the first step comes with the first frame.
    EXPECT_EQ(headColumns, (std::vector<int32_t>{1, 2, 3, 4, 5})) << "one cell per step, columns - 2 steps";
    EXPECT_EQ(game.GetGameState(), k_GameHalted);
    EXPECT_EQ(game.GetGuiHandler().GetPanelState(), k_PanelGameOver);
    EXPECT_EQ(game.GetBoard().GetHead().cell, (Cell{5, 1})) << "the losing step moves nothing";

    EXPECT_TRUE(IsSnakeGreen(row[3])) << "head cell: " << Text(row[3]);
    for (int32_t column : {0, 1, 2, 4, 5})
        EXPECT_TRUE(IsBackdrop(row[column])) << "column " << column << ": " << Text(row[column]);
    EXPECT_EQ(Text(outside), "122 122 122") << "beside the board the clear colour";
    // The head image looks down with its rounded snout at the bottom; turned to the right the
    // snout's transparent corners are on the right.
    EXPECT_TRUE(IsSnakeGreen(headTopLeft)) << Text(headTopLeft);
    EXPECT_TRUE(IsBackdrop(headTopRight)) << Text(headTopRight);

    std::vector<std::filesystem::path> shots;
    for (const auto& entry : std::filesystem::directory_iterator(m_Folder.Path() / "Screenshots"))
        shots.push_back(entry.path());
    ASSERT_EQ(shots.size(), 1u) << "F11 saves one screenshot";
    EXPECT_EQ(shots[0].extension(), ".png");
    EXPECT_EQ(shots[0].filename().string().rfind("Snake", 0), 0u);
    if (const char* copy = std::getenv("VORL_GAME_SCREENSHOT"))
        std::filesystem::copy_file(shots[0], copy, std::filesystem::copy_options::overwrite_existing);
}

TEST_F(GameCoreGLTest, BoundMovementKeysSteerThroughTheEngineKeyState)
{
    ASSERT_NO_FATAL_FAILURE(Start(SlowSixBySixConfig()));
    ScriptedGame& game = *m_Game;
    std::vector<int32_t> directions;
    float headRotationMovingDown = -1.0f;
    float headRotationMovingUp = -1.0f;
    game.beforeFrame = [&](uint64_t p_Frame)
    {
        switch (p_Frame)
        {
        case 1:
            StartRoundAwayFromTheItem();
            directions.push_back(game.GetBoard().GetDirection());
            break;
        case 2:
            // Left and down together while moving right: the vertical key wins.
            PushKey(SDL_KEYDOWN, SDL_SCANCODE_LEFT);
            PushKey(SDL_KEYDOWN, SDL_SCANCODE_DOWN);
            break;
        case 4:
        {
            directions.push_back(game.GetBoard().GetDirection());
            Telvar::Transform head;
            if (m_Engine->GetTransform(game.GetSnakeBody().GetEntities()[0], head))
                headRotationMovingDown = head.rotationZ;
            PushKey(SDL_KEYUP, SDL_SCANCODE_LEFT);
            PushKey(SDL_KEYUP, SDL_SCANCODE_DOWN);
            break;
        }
        case 6:
            // The key names are read every frame, so a rebinding counts at once.
            Store().SetEntryText(k_ConfigMoveUp, Lib::String("W"));
            PushKey(SDL_KEYDOWN, SDL_SCANCODE_UP);
            break;
        case 8:
            directions.push_back(game.GetBoard().GetDirection());
            PushKey(SDL_KEYUP, SDL_SCANCODE_UP);
            PushKey(SDL_KEYDOWN, SDL_SCANCODE_W);
            break;
        case 10:
        {
            directions.push_back(game.GetBoard().GetDirection());
            Telvar::Transform head;
            if (m_Engine->GetTransform(game.GetSnakeBody().GetEntities()[0], head))
                headRotationMovingUp = head.rotationZ;
            PushKey(SDL_KEYUP, SDL_SCANCODE_W);
            m_Engine->Quit();
            break;
        }
        default:
            break;
        }
    };
    EXPECT_EQ(m_Engine->Run(), 0);
    EXPECT_EQ(directions,
              (std::vector<int32_t>{k_DirectionRight, k_DirectionDown, k_DirectionDown, k_DirectionUp}))
        << "right at the start, down from left+down, the unbound up arrow ignored, W turns up";
    EXPECT_FLOAT_EQ(headRotationMovingDown, 0.0f) << "a head moving down is drawn unturned";
    EXPECT_FLOAT_EQ(headRotationMovingUp, 180.0f) << "moving up: turned by 180 degrees";
}

// A key that goes down and up between two frames is up whenever the game looks at the key
// states; the press latch still lets it steer, once.
TEST_F(GameCoreGLTest, ATapWithinOneFrameSteersOnce)
{
    ASSERT_NO_FATAL_FAILURE(Start(SlowSixBySixConfig()));
    ScriptedGame& game = *m_Game;
    std::vector<int32_t> directions;
    game.beforeFrame = [&](uint64_t p_Frame)
    {
        switch (p_Frame)
        {
        case 1:
            StartRoundAwayFromTheItem();
            break;
        case 2:
            // Both reach the window in the next frame's one pump.
            PushKey(SDL_KEYDOWN, SDL_SCANCODE_DOWN);
            PushKey(SDL_KEYUP, SDL_SCANCODE_DOWN);
            break;
        case 5:
            // Three frames on, the tap must not still be steering: Right wins now.
            directions.push_back(game.GetBoard().GetDirection());
            PushKey(SDL_KEYDOWN, SDL_SCANCODE_RIGHT);
            PushKey(SDL_KEYUP, SDL_SCANCODE_RIGHT);
            break;
        case 8:
            directions.push_back(game.GetBoard().GetDirection());
            m_Engine->Quit();
            break;
        default:
            break;
        }
    };
    EXPECT_EQ(m_Engine->Run(), 0);
    EXPECT_EQ(directions, (std::vector<int32_t>{k_DirectionDown, k_DirectionRight}));
}

TEST_F(GameCoreGLTest, WhileTheConsoleIsOpenMovementKeysDoNotSteer)
{
    ASSERT_NO_FATAL_FAILURE(Start(SlowSixBySixConfig()));
    ScriptedGame& game = *m_Game;
    std::vector<int32_t> directions;
    game.beforeFrame = [&](uint64_t p_Frame)
    {
        switch (p_Frame)
        {
        case 1:
        {
            StartRoundAwayFromTheItem();
            Vozad::EventKeyInput tilde = Key(Vozad::KeyCode::Tilde);
            game.OnKeyPress(tilde);
            PushKey(SDL_KEYDOWN, SDL_SCANCODE_DOWN);
            break;
        }
        case 4:
        {
            // Held through three frames with the console open.
            directions.push_back(game.GetBoard().GetDirection());
            Vozad::EventKeyInput tilde = Key(Vozad::KeyCode::Tilde);
            game.OnKeyPress(tilde);
            break;
        }
        case 6:
            // The same key, still held, steers once the console is closed.
            directions.push_back(game.GetBoard().GetDirection());
            PushKey(SDL_KEYUP, SDL_SCANCODE_DOWN);
            m_Engine->Quit();
            break;
        default:
            break;
        }
    };
    EXPECT_EQ(m_Engine->Run(), 0);
    EXPECT_EQ(directions, (std::vector<int32_t>{k_DirectionRight, k_DirectionDown}));
}

TEST_F(GameCoreGLTest, AfterAPauseLongerThanAnIntervalTheFirstRunningFrameSteps)
{
    ASSERT_NO_FATAL_FAILURE(Start());
    ScriptedGame& game = *m_Game;
    int32_t columnBeforeResume = -1;
    int32_t columnAfterResume = -1;
    game.beforeFrame = [&](uint64_t p_Frame)
    {
        if (p_Frame == 1)
        {
            game.GetGuiHandler().OnStartPressed();
            while (game.GetBoard().GetItem().row == 1)
                game.RestartGame();
            game.Pause();
        }
        if (p_Frame == 3)
        {
            std::this_thread::sleep_for(std::chrono::milliseconds(150)); // longer than 1/10 s
            columnBeforeResume = game.GetBoard().GetHead().cell.column;
            game.Resume();
        }
    };
    game.afterFrame = [&](uint64_t p_Frame)
    {
        if (p_Frame == 3)
        {
            columnAfterResume = game.GetBoard().GetHead().cell.column;
            m_Engine->Quit();
        }
    };
    EXPECT_EQ(m_Engine->Run(), 0);
    EXPECT_EQ(columnBeforeResume, 1) << "paused before the first step";
    EXPECT_EQ(columnAfterResume, 2);
}

TEST_F(GameCoreGLTest, ConsoleCommandsAnswerInGreenAndYellow)
{
    ASSERT_NO_FATAL_FAILURE(Start());
    ScriptedGame& game = *m_Game;
    Vozad::Console& console = game.GetConsole();
    Vozad::ConsoleTextBox& input = console.GetTextBox();
    Vozad::EventKeyInput tilde = Key(Vozad::KeyCode::Tilde);
    ASSERT_TRUE(game.OnKeyPress(tilde));
    const auto submit = [&](const char* p_Line) { Submit(input, p_Line); };

    submit("help");
    std::vector<std::wstring> lines = ConsoleTexts(console);
    ASSERT_EQ(lines.size(), 14u) << "no echo line before the help text";
    EXPECT_EQ(lines[0], L"help");
    EXPECT_EQ(lines[1], L"===== HELP =====");
    EXPECT_EQ(lines[7], L" r_customwidth <pixels>") << "a command's help line names its arguments";
    EXPECT_EQ(lines[10], L" remove_config");
    EXPECT_EQ(lines[11], L" bot <name>|off // A bot plays the round; off gives the control back");
    EXPECT_EQ(console.GetScrollView().GetLine(5).colour, Vozad::Colour::k_Green);

    submit("clear");
    EXPECT_TRUE(ConsoleTexts(console).empty()) << "clear leaves no echo";

    // Unknown names are not recognised; a known command with a missing or bad argument says what
    // it takes, in one yellow line without an echo, and changes nothing.
    const Lib::RectSize sizeBefore = m_Engine->GetWindow()->GetWindowSize();
    const struct
    {
        const char* line;
        const wchar_t* answer;
    } refused[] = {
        {"HELP", L"Not a recognised command: \"HELP\""},
        {"nonsense 1", L"Not a recognised command: \"nonsense 1\""},
        {"r_customwidth", L"r_customwidth <pixels>"},
        {"r_customwidth 800 600", L"r_customwidth <pixels>"},
        {"r_customwidth wide", L"r_customwidth <pixels>"},
        {"r_customwidth 0", L"r_customwidth <pixels>"},
        {"r_customwidth -800", L"r_customwidth <pixels>"},
        {"r_customheight", L"r_customheight <pixels>"},
        {"r_customheight 600px", L"r_customheight <pixels>"},
        {"g_vsync", L"g_vsync <0|1>"},
        {"g_vsync on", L"g_vsync <0|1>"},
        {"bot", L"bot <name>|off"},
        {"bot autopilot cycle", L"bot <name>|off"},
        {"g_attract", L"g_attract <0|1>"},
        {"g_attract yes", L"g_attract <0|1>"},
    };
    for (const auto& c : refused)
    {
        const uint32_t before = console.GetScrollView().GetLineCount();
        submit(c.line);
        lines = ConsoleTexts(console);
        ASSERT_EQ(lines.size(), before + 1u) << c.line;
        EXPECT_EQ(lines.back(), c.answer) << c.line;
        EXPECT_EQ(console.GetScrollView().GetLine(console.GetScrollView().GetLineCount() - 1).colour,
                  Vozad::Colour::k_Yellow)
            << c.line;
    }
    EXPECT_EQ(m_Engine->GetWindow()->GetWindowSize(), sizeBefore);
    EXPECT_EQ(Store().GetEntryText(k_ConfigCustomWidth, EntrySide::Value).Wide(), L"1280");

    // A bot that cannot be seated is refused in a Warning of the log, which the game's console
    // shows as it shows every log line.
    {
        TestSupport::CapturingForwarder log;
        submit("bot ../x");
        submit("bot nosuch");
        const std::vector<std::string> messages = log.Messages();
        ASSERT_EQ(messages.size(), 2u);
        EXPECT_EQ(messages[0],
                  "Bot '../x' cannot play: '../x' is no bot name: use letters, digits, '_' and '-' only; the "
                  "player steers");
        EXPECT_EQ(messages[1], "Bot 'nosuch' cannot play: no bot named 'nosuch' (neither compiled in nor "
                               "\"Scripts/nosuch.lua\"); the player steers");
        EXPECT_NE(log.lines[0].find("] Warning "), std::string::npos) << log.lines[0];
    }

    // Height alone changes; the configuration gets both values.
    const Lib::String vsyncBefore = Store().GetEntryText(k_ConfigVSync, EntrySide::Value);
    submit("r_customheight 600");
    EXPECT_EQ(ConsoleTexts(console).back(), L"r_customheight 600");
    EXPECT_EQ(console.GetScrollView().GetLine(console.GetScrollView().GetLineCount() - 1).colour,
              Vozad::Colour::k_Green);
    EXPECT_EQ(m_Engine->GetWindow()->GetWindowSize(), (Lib::RectSize{1280, 600}));
    EXPECT_EQ(Store().GetEntryText(k_ConfigCustomWidth, EntrySide::Value).Wide(), L"1280");
    EXPECT_EQ(Store().GetEntryText(k_ConfigCustomHeight, EntrySide::Value).Wide(), L"600");
    EXPECT_EQ(Store().GetEntryText(k_ConfigVSync, EntrySide::Value), vsyncBefore);

    // Vertical sync for this run only.
    m_Engine->GetWindow()->SwapVSync(true);
    submit("g_vsync 0");
    EXPECT_FALSE(m_Engine->GetWindow()->RetrieveVSync());
    EXPECT_EQ(Store().GetEntryText(k_ConfigVSync, EntrySide::Value), vsyncBefore);

    ASSERT_TRUE(std::filesystem::exists(m_Folder.File("gamedata.cfg")));
    submit("remove_config");
    EXPECT_FALSE(std::filesystem::exists(m_Folder.File("gamedata.cfg")));
    EXPECT_EQ(ConsoleTexts(console).back(), L"remove_config");
    submit("remove_config");
    EXPECT_EQ(ConsoleTexts(console).back(), L"remove_config") << "a missing file is no error";

    // The resize reaches the game as an event; the board is laid out for the new height.
    // The engine's entities are gone after its run, so the backdrop is read during it.
    Telvar::Transform backdrop;
    bool readBackdrop = false;
    game.afterFrame = [&](uint64_t p_Frame)
    {
        if (p_Frame == 3)
        {
            readBackdrop = m_Engine->GetTransform(game.GetBackground().GetEntity(), backdrop);
            m_Engine->Quit();
        }
    };
    EXPECT_EQ(m_Engine->Run(), 0);
    EXPECT_EQ(game.GetSnakeBody().GetLayout().cellSize, 100);
    EXPECT_EQ(game.GetSnakeBody().GetLayout().offsetX, 340);
    ASSERT_TRUE(readBackdrop);
    EXPECT_FLOAT_EQ(backdrop.height, 2.0f);
    EXPECT_FLOAT_EQ(backdrop.width, 2.0f);
    EXPECT_FLOAT_EQ(backdrop.x, -1.0f);
    EXPECT_FLOAT_EQ(game.GetCamera().GetRight(), 1280.0f / 600.0f);

    // Removed during the run, written again at the end with the current settings.
    m_Game.reset();
    m_Engine.reset();
    m_Config.Reset();
    const std::string saved = TestSupport::ReadWholeFile(m_Folder.File("gamedata.cfg"));
    EXPECT_NE(saved.find("set r_customheight \"600\""), std::string::npos) << saved;
}

TEST_F(GameCoreGLTest, BotsTakeAndGiveBackTheWheelAndAttractModePlaysOnlyBehindTheStartMenu)
{
    ASSERT_NO_FATAL_FAILURE(Start());
    ScriptedGame& game = *m_Game;
    Vozad::ConsoleTextBox& input = game.GetConsole().GetTextBox();
    Vozad::EventKeyInput tilde = Key(Vozad::KeyCode::Tilde);
    ASSERT_TRUE(game.OnKeyPress(tilde));
    EXPECT_FALSE(game.GetGuiHandler().GetBotLabel().IsVisible());

    Submit(input, "bot autopilot");
    EXPECT_EQ(game.GetPilotName(), "autopilot");
    EXPECT_TRUE(game.GetGuiHandler().GetBotLabel().IsVisible());
    EXPECT_EQ(game.GetGuiHandler().GetBotLabel().GetText().Wide(), L"Bot: autopilot");
    Submit(input, "bot off");
    EXPECT_TRUE(game.GetPilotName().empty());
    EXPECT_FALSE(game.GetGuiHandler().GetBotLabel().IsVisible());

    EXPECT_EQ(Store().GetEntryText(k_ConfigAttract, EntrySide::Value).Wide(), L"0");
    Submit(input, "g_attract 1");
    EXPECT_EQ(Store().GetEntryText(k_ConfigAttract, EntrySide::Value).Wide(), L"1");

    // Behind the start menu the demo steps and catches; no panel, no round of the player's.
    std::vector<Cell> heads;
    uint32_t mostPoints = 0;
    bool leftTheStartMenu = false;
    game.afterFrame = [&](uint64_t p_Frame)
    {
        const Cell head = game.GetBoard().GetHead().cell;
        if (heads.empty() || !(heads.back() == head))
            heads.push_back(head);
        mostPoints = std::max(mostPoints, game.GetBoard().GetPoints());
        leftTheStartMenu = leftTheStartMenu || game.GetGuiHandler().GetPanelState() != k_PanelStart ||
                           game.GetGameState() != k_GameNotStarted;
        if (mostPoints >= 3 || p_Frame > 3000)
            m_Engine->Quit();
    };
    EXPECT_EQ(m_Engine->Run(), 0);
    EXPECT_GE(mostPoints, 3u) << heads.size() << " cells visited";
    EXPECT_FALSE(leftTheStartMenu);
    EXPECT_TRUE(game.IsAttractPlaying());
    EXPECT_EQ(game.GetGuiHandler().GetBotLabel().GetText().Wide(), L"Demo: autopilot");

    // Start: the player's round from the first cell, with one point, and the demo is gone.
    game.GetGuiHandler().OnStartPressed();
    EXPECT_FALSE(game.IsAttractPlaying());
    EXPECT_EQ(game.GetBoard().GetSegments().Count(), 1u);
    EXPECT_EQ(game.GetBoard().GetHead().cell, (Cell{1, 1}));
    EXPECT_EQ(game.GetBoard().GetPoints(), 1u);
    EXPECT_EQ(game.GetGameState(), k_GameRunning);
    EXPECT_FALSE(game.GetGuiHandler().GetBotLabel().IsVisible());
}

// The test run's screen offers 1920 x 1080 at most; the window's minimum is 640 x 480.
TEST_F(GameCoreGLTest, ConsoleSizesAreHeldToWhatCanBeShownAndTheSizeTakenIsStored)
{
    ASSERT_NO_FATAL_FAILURE(Start());
    Vozad::IWindow& window = *m_Engine->GetWindow();
    Vozad::ConsoleTextBox& input = m_Game->GetConsole().GetTextBox();
    const auto stored = [this]
    {
        return Store().GetEntryText(k_ConfigCustomWidth, EntrySide::Value).ToNarrow().Bytes() +
               std::string(" x ") +
               Store().GetEntryText(k_ConfigCustomHeight, EntrySide::Value).ToNarrow().Bytes();
    };
    const struct
    {
        const char* line;
        Lib::RectSize size;
        const char* kept;
    } cases[] = {
        {"r_customheight 300", {1280, 480}, "1280 x 480"},   // the file used to keep "300"
        {"r_customwidth 100000", {1920, 480}, "1920 x 480"}, // used to lock every later start out
        {"r_customwidth 100000", {1920, 480}, "1920 x 480"}, // unchanged: still what the window has
        {"r_customheight 4294967296", {1920, 1080}, "1920 x 1080"},
        {"r_customwidth 1024", {1024, 1080}, "1024 x 1080"},
    };
    for (const auto& c : cases)
    {
        Submit(input, c.line);
        EXPECT_EQ(window.GetWindowSize(), c.size) << c.line;
        EXPECT_EQ(stored(), c.kept) << c.line;
        const Vozad::WindowRect rect = window.GetRect();
        EXPECT_GE(rect.left, 0) << c.line;
        EXPECT_GE(rect.top, 0) << c.line;
        EXPECT_LE(rect.right, 1920) << c.line;
        EXPECT_LE(rect.bottom, 1080) << c.line;
    }
    // An accepted command is echoed as typed.
    const std::vector<std::wstring> lines = ConsoleTexts(m_Game->GetConsole());
    EXPECT_NE(std::find(lines.begin(), lines.end(), L"r_customwidth 100000"), lines.end());

    m_Game.reset();
    m_Engine.reset();
    m_Config.Reset();
    const std::string saved = TestSupport::ReadWholeFile(m_Folder.File("gamedata.cfg"));
    EXPECT_NE(saved.find("set r_customwidth \"1024\""), std::string::npos) << saved;
    EXPECT_NE(saved.find("set r_customheight \"1080\""), std::string::npos) << saved;
}

// Values the game cannot use, through the whole start: each is named once (the monitor only once
// the window knows there is no fourth one), not again while the game runs, opens its options and
// applies them, and the file is written back byte for byte: start-up stores neither the window
// size it took nor the switches it applied over texts that stand for them.
TEST_F(GameCoreGLTest, ValuesThatCannotBeUsedAreNamedOnceAndTheFileKeepsItsBytes)
{
    std::string text = TestSupport::k_DefaultConfigFile;
    const std::pair<const char*, const char*> replacements[] = {
        {"bind LEFT_ARROW", "bind LEFT \"+moveleft\"\nbind LEFT_ARROW"},
        {"set r_customwidth \"1280\"", "set r_customwidth \"wide\""},
        {"set r_customheight \"720\"", "set r_customheight \"0720\""},
        {"set r_fps \"1\"", "set r_fps \"on\""},
        {"set r_currentmonitor \"0\"", "set r_currentmonitor \"3\""},
        {"set g_vsync \"1\"", "set g_vsync \"yes\""},
        {"set language \"English\"", "set language \"Klingon\""},
        {"set grid_mode \"2\"", "set grid_mode \"nan\""},
        {"set game_speed \"8\"", "set game_speed \"inf\""},
        {"set r_framecap \"0\"", "set r_framecap \"060\""},
        {"set g_fairstart \"0\"", "set g_fairstart \"true\""},
        {"set s_volume \"60\"", "set s_volume \"-5\""},
        {"set s_mute \"0\"", "set s_mute \"2\""},
        {"set r_multisample \"auto\"", "set r_multisample \"16x\""},
    };
    for (const auto& [old, replacement] : replacements)
    {
        ASSERT_NE(text.find(old), std::string::npos) << old;
        text = Replace(text, old, replacement);
    }
    const auto warning = [](const std::string& p_Name, const std::string& p_Value, const std::string& p_Used)
    {
        return "Setting \"" + p_Name + "\" has the value \"" + p_Value +
               "\", which cannot be used: " + p_Used + " is used instead";
    };
    const std::vector<std::string> expected = {
        warning("+moveleft", "LEFT", "no key"),
        warning("r_customwidth", "wide", "1280"),
        warning("r_fps", "on", "0"),
        warning("g_vsync", "yes", "0"),
        warning("language", "Klingon", "English"),
        warning("grid_mode", "nan", "2"),
        warning("game_speed", "inf", "8"),
        warning("g_fairstart", "true", "0"),
        warning("s_volume", "-5", "0"),
        warning("s_mute", "2", "0"),
        warning("r_multisample", "16x", "auto"),
        warning("r_currentmonitor", "3", "0"),
    };
    const auto warnings = [this]
    {
        return TestSupport::WarningsOf(TestSupport::ReadWholeFile(m_Folder.File("gamelog.txt")),
                                       "ConfigReader", "Setting \"");
    };

    ASSERT_NO_FATAL_FAILURE(Start(text));
    ASSERT_EQ(m_Engine->GetMonitorCollection().monitors.Count(), 1u) << "the test run's screen";
    EXPECT_EQ(warnings(), expected);
    EXPECT_EQ(m_Game->GetGameSpeed(), 8u);
    EXPECT_EQ(m_Game->GetTargetPoints(), 60u) << "grid mode 2, 10 x 6";
    EXPECT_EQ(m_Engine->GetWindow()->GetWindowSize(), (Lib::RectSize{1280, 720}));
    EXPECT_FALSE(m_Game->GetGuiHandler().GetFpsLabel().IsVisible());

    ScriptedGame& game = *m_Game;
    game.beforeFrame = [&](uint64_t p_Frame)
    {
        if (p_Frame == 1)
            game.GetGuiHandler().OnOptionsPressed();
        if (p_Frame == 2)
            game.GetGuiHandler().GetOptionsMenu().Apply();
        if (p_Frame == 3)
            game.GetGuiHandler().OnStartPressed();
    };
    game.afterFrame = [&](uint64_t p_Frame)
    {
        if (p_Frame == 5)
            m_Engine->Quit();
    };
    EXPECT_EQ(m_Engine->Run(), 0);
    EXPECT_EQ(warnings(), expected) << "said once a start";

    m_Game.reset();
    m_Engine.reset();
    m_Config.Reset();
    EXPECT_EQ(TestSupport::ReadWholeFile(m_Folder.File("gamedata.cfg")), text);
}

TEST_F(GameCoreGLTest, ConsoleKeyTogglesTheConsoleAndLeftControlDTogglesTheEngineFlag)
{
    ASSERT_NO_FATAL_FAILURE(Start());
    ScriptedGame& game = *m_Game;
    Vozad::Console& console = game.GetConsole();

    Vozad::EventKeyInput tilde = Key(Vozad::KeyCode::Tilde);
    EXPECT_TRUE(game.OnKeyPress(tilde));
    EXPECT_TRUE(console.IsVisible());
    EXPECT_TRUE(console.GetTextBox().IsFocused());
    EXPECT_TRUE(game.OnKeyPress(tilde));
    EXPECT_FALSE(console.IsVisible());
    EXPECT_FALSE(console.GetTextBox().IsFocused());

    Vozad::EventKeyInput controlD = Key(68, 1);
    EXPECT_TRUE(game.OnKeyPress(controlD));
    EXPECT_FALSE(m_Engine->ToggleFlag()) << "the game's Ctrl+D switched the flag on, this switches it off";
    Vozad::EventKeyInput plainD = Key(68, 0);
    game.OnKeyPress(plainD);
    EXPECT_TRUE(m_Engine->ToggleFlag()) << "D without Control leaves the flag alone";
}

TEST_F(GameCoreGLTest, LogLinesReachTheConsoleInWhitePendingOnesFirst)
{
    ASSERT_NO_FATAL_FAILURE(Start());
    OutputForwarder forwarder;
    forwarder.ForwardOutput(Lib::String("early one"));
    forwarder.ForwardOutput(Lib::String("early two"));
    forwarder.SetReceiver(m_Game->GetOutputReceiver());
    forwarder.ForwardOutput(Lib::String("after"));
    EXPECT_EQ(ConsoleTexts(m_Game->GetConsole()),
              (std::vector<std::wstring>{L"early one", L"early two", L"after"}));
    EXPECT_EQ(m_Game->GetConsole().GetScrollView().GetLine(0).colour, Vozad::Colour::k_White);
}

TEST_F(GameCoreGLTest, ChangingTheGridResetsTheSnakeButKeepsStateAndPoints)
{
    ASSERT_NO_FATAL_FAILURE(Start());
    ScriptedGame& game = *m_Game;
    game.SetGridMode(10);
    EXPECT_EQ(game.GetTargetPoints(), 240u);
    EXPECT_EQ(game.GetGuiHandler().GetPointsLabel().GetText().Wide(), L"Points: 1 of 240");
    EXPECT_EQ(Store().GetEntryText(k_ConfigGridMode, EntrySide::Value).Wide(), L"10");
    EXPECT_EQ(game.GetGameState(), k_GameNotStarted);
    EXPECT_EQ(game.GetBoard().GetSegments().Count(), 1u);
    // The HUD's corner lies on the 20 x 12 board, so the board makes room for it; without a HUD
    // it fills the window's height.
    const BoardLayout clear =
        ComputeBoardLayoutClearOf(1280, 720, GridSize{20, 12}, game.GetGuiHandler().GetHudExtent());
    EXPECT_LT(clear.cellSize, 60);
    EXPECT_EQ(game.GetSnakeBody().GetLayout().cellSize, clear.cellSize);
    EXPECT_EQ(game.GetSnakeBody().GetLayout().offsetY, clear.offsetY);
    game.SetShowFps(false);
    game.SetShowPoints(false);
    EXPECT_EQ(game.GetSnakeBody().GetLayout().cellSize, 60);
    EXPECT_EQ(game.GetSnakeBody().GetLayout().offsetX, 40);
    EXPECT_EQ(game.GetPointToCatch().GetRect().right - game.GetPointToCatch().GetRect().left, 60);
    game.SetGameSpeed(3);
    EXPECT_EQ(game.GetGameSpeed(), 3u);
    EXPECT_EQ(Store().GetEntryText(k_ConfigGameSpeed, EntrySide::Value).Wide(), L"3");
}
TEST_F(GameCoreGLTest, OptionsShowTheGridAndSpeedTheGameReadAndChoosingOthersAppliesThem)
{
    // Read as unsigned, "-1" is beyond both ends: the largest board and the highest speed.
    std::string config = Replace(SixBySixConfig(), "set grid_mode \"0\"", "set grid_mode \"-1\"");
    config = Replace(config, "set game_speed \"10\"", "set game_speed \"-1\"");
    ASSERT_NO_FATAL_FAILURE(Start(config));
    ASSERT_EQ(m_Game->GetGridMode(), 11u);
    ASSERT_EQ(m_Game->GetGameSpeed(), 10u);

    GUIHandler& gui = m_Game->GetGuiHandler();
    gui.OnOptionsPressed();
    OptionsMenu& options = gui.GetOptionsMenu();
    EXPECT_EQ(options.GetGridModeList().GetSelectedIndex(), 11u);
    EXPECT_EQ(options.GetGridModeList().GetText().Wide(), L"12 x 20");
    EXPECT_EQ(options.GetSpeedList().GetText().Wide(), L"10");

    // What the lists showed before was what the game did not play, so choosing it did nothing.
    ASSERT_NO_FATAL_FAILURE(Snake::Testing::ChooseListEntry(*m_Engine, options.GetGridModeList(), 0));
    ASSERT_NO_FATAL_FAILURE(Snake::Testing::ChooseListEntry(*m_Engine, options.GetSpeedList(), 0));
    options.Apply();
    EXPECT_EQ(m_Game->GetGridMode(), 0u);
    EXPECT_EQ(m_Game->GetTargetPoints(), 36u);
    EXPECT_EQ(m_Game->GetGameSpeed(), 1u);
    EXPECT_EQ(Store().GetEntryText(k_ConfigGridMode, EntrySide::Value).Wide(), L"0");
    EXPECT_EQ(Store().GetEntryText(k_ConfigGameSpeed, EntrySide::Value).Wide(), L"1");
}
TEST_F(GameCoreGLTest, TheWinningCatchEatsTheItemAndShowsTheWholeSnake)
{
    ASSERT_NO_FATAL_FAILURE(Start());
    ScriptedGame& game = *m_Game;
    const GridSize grid{6, 6};
    const std::vector<Cell> path = Snake::Testing::SerpentinePath(grid);
    const BoardLayout layout = ComputeBoardLayout(1280, 720, grid);

    bool won = false;
    int32_t framesAfterWin = 0;
    std::vector<Rgba> lastRow, firstRow;
    std::array<Rgba, 5> itemCell{};
    game.beforeFrame = [&](uint64_t p_Frame)
    {
        if (p_Frame == 1)
        {
            // The position one move before the win: 36 points, the snake along the path up to
            // the last cell but one, its tail doubled where the last catch grew it, the item on
            // the one free cell straight ahead of the head.
            game.GetGuiHandler().OnStartPressed();
            Lib::DynamicArray<Segment> snake;
            for (size_t i = path.size() - 1; i-- > 0;)
                snake.Add(Segment{path[i], Snake::Testing::DirectionFromTo(path[i], path[i + 1])});
            snake.Add(snake[snake.Count() - 1]);
            game.ArrangeRound(snake, path.back(), game.GetTargetPoints());
            return;
        }
        if (!won)
            return;
        // For a person to look at: VORL_WON_SCREENSHOT names where the won board is copied.
        if (++framesAfterWin == 2 && std::getenv("VORL_WON_SCREENSHOT"))
        {
            Vozad::EventKeyInput f11 = Key(Vozad::KeyCode::F11);
            game.OnKeyPress(f11);
        }
        if (framesAfterWin != 3)
            return;
        // The won board has been presented; the game-won panel lies over the middle rows.
        const PixelRect item = CellRect(layout, path.back());
        const int32_t third = (item.right - item.left) / 3;
        const int32_t xs[] = {(item.left + item.right) / 2, item.left + third, item.right - third,
                              item.left + third, item.right - third};
        const int32_t ys[] = {(item.top + item.bottom) / 2, item.top + third, item.top + third,
                              item.bottom - third, item.bottom - third};
        for (size_t i = 0; i < itemCell.size(); ++i)
            itemCell[i] = ReadPresentedPixel(xs[i], ys[i]);
        for (int32_t column = 0; column < grid.columns; ++column)
        {
            const PixelRect top = CellRect(layout, Cell{column, 0});
            const PixelRect bottom = CellRect(layout, Cell{column, grid.rows - 1});
            firstRow.push_back(ReadPresentedPixel((top.left + top.right) / 2, (top.top + top.bottom) / 2));
            lastRow.push_back(
                ReadPresentedPixel((bottom.left + bottom.right) / 2, (bottom.top + bottom.bottom) / 2));
        }
        m_Engine->Quit();
    };
    game.afterFrame = [&](uint64_t)
    {
        if (game.GetGameState() == k_GameHalted)
            won = true;
    };
    EXPECT_EQ(m_Engine->Run(), 0);

    ASSERT_EQ(game.GetGuiHandler().GetPanelState(), k_PanelGameWon);
    EXPECT_EQ(game.GetBoard().GetHead().cell, path.back());
    EXPECT_FALSE(game.GetPointToCatch().IsVisible());
    EXPECT_EQ(game.GetSnakeBody().GetEntities().Count(), 36u);
    ASSERT_EQ(firstRow.size(), 6u);
    EXPECT_TRUE(IsSnakeGreen(itemCell[0])) << "the head on the item's cell: " << Text(itemCell[0]);
    for (const Rgba& pixel : itemCell)
        EXPECT_FALSE(IsAppleRed(pixel)) << "no apple over the head: " << Text(pixel);
    for (int32_t column = 0; column < grid.columns; ++column)
    {
        EXPECT_TRUE(IsSnakeMiddle(firstRow[column]))
            << "row 0, column " << column << ": " << Text(firstRow[column]);
        EXPECT_TRUE(IsSnakeMiddle(lastRow[column]))
            << "row 5, column " << column << ": " << Text(lastRow[column]);
    }

    if (const char* copy = std::getenv("VORL_WON_SCREENSHOT"))
        for (const auto& entry : std::filesystem::directory_iterator(m_Folder.Path() / "Screenshots"))
            std::filesystem::copy_file(entry.path(), copy, std::filesystem::copy_options::overwrite_existing);

    // The next round brings the item back.
    game.RestartGame();
    EXPECT_TRUE(game.GetPointToCatch().IsVisible());
}
bool Overlap(const Vozad::LayoutRect& p_A, const Vozad::LayoutRect& p_B)
{
    return p_A.left < p_B.right && p_B.left < p_A.right && p_A.top < p_B.bottom && p_B.top < p_A.bottom;
}

TEST_F(GameCoreGLTest, TheHudLeavesTheStartCellOfTheWidestBoardInSight)
{
    // 20 x 12 fills the width of a 1280 x 720 window; the HUD's corner lies on the board.
    ASSERT_NO_FATAL_FAILURE(Start(Replace(SixBySixConfig(), "set grid_mode \"0\"", "set grid_mode \"10\"")));
    ScriptedGame& game = *m_Game;
    const Lib::RectSize hud = game.GetGuiHandler().GetHudExtent();
    ASSERT_EQ(hud.width, 275u);
    ASSERT_GT(hud.height, 40u);

    Rgba centre, topLeft, topRight;
    PixelRect start;
    game.beforeFrame = [&](uint64_t p_Frame)
    {
        if (p_Frame != 3)
            return;
        // The start menu is up; the head waits on its start cell.
        start = CellRect(game.GetSnakeBody().GetLayout(), Cell{1, 1});
        const int32_t inset = (start.right - start.left) / 10;
        centre = ReadPresentedPixel((start.left + start.right) / 2, (start.top + start.bottom) / 2);
        topLeft = ReadPresentedPixel(start.left + inset, start.top + inset);
        topRight = ReadPresentedPixel(start.right - inset, start.top + inset);
        m_Engine->Quit();
    };
    EXPECT_EQ(m_Engine->Run(), 0);

    const Vozad::LayoutRect hudRect{0, static_cast<int32_t>(hud.width), 0, static_cast<int32_t>(hud.height)};
    EXPECT_FALSE(Overlap(hudRect, Vozad::LayoutRect{start.left, start.right, start.top, start.bottom}))
        << "start cell " << start.left << "," << start.top << " - " << start.right << "," << start.bottom;
    // The head looks right: green on its left, the snout's transparent corner on the right shows
    // the board's backdrop, not the HUD's panel.
    EXPECT_TRUE(IsSnakeGreen(centre)) << Text(centre);
    EXPECT_TRUE(IsSnakeGreen(topLeft)) << Text(topLeft);
    EXPECT_TRUE(IsBackdrop(topRight)) << Text(topRight);
}

// Pixels bright enough to be white text, row by row, in a window rectangle of the presented frame.
std::vector<bool> BrightPixels(const Vozad::LayoutRect& p_Rect)
{
    std::vector<bool> bright;
    for (int32_t y = p_Rect.top; y < p_Rect.bottom; ++y)
        for (int32_t x = p_Rect.left; x < p_Rect.right; ++x)
        {
            const Rgba pixel = ReadPresentedPixel(x, y);
            bright.push_back(pixel[0] > 200 && pixel[1] > 200 && pixel[2] > 200);
        }
    return bright;
}

TEST_F(GameCoreGLTest, InTheSmallestWindowNoMenuTitleLiesUnderTheHud)
{
    std::string config = Replace(SixBySixConfig(), "set r_customwidth \"1280\"", "set r_customwidth \"640\"");
    config = Replace(config, "set r_customheight \"720\"", "set r_customheight \"480\"");
    ASSERT_NO_FATAL_FAILURE(Start(config));
    ScriptedGame& game = *m_Game;
    GUIHandler& gui = game.GetGuiHandler();
    const auto windowHeight = static_cast<int32_t>(m_Engine->GetWindowSize().height);
    ASSERT_EQ(windowHeight, 480);
    const Lib::RectSize hud = gui.GetHudExtent();
    const Vozad::LayoutRect hudRect{0, static_cast<int32_t>(hud.width), 0, static_cast<int32_t>(hud.height)};

    // Each menu in turn: a panel that moved clear of the HUD is checked by its place; one too
    // large to move must show its title the same with and without the HUD beneath it.
    struct Menu
    {
        const char* name;
        Vozad::LayoutBase* panel;
        Vozad::LayoutBase* title;
        std::function<void()> open;
    };
    const Menu menus[] = {
        {"start menu", &gui.GetStartMenu(), &gui.GetStartMenu().GetTitleLabel(), [] {}},
        {"options menu", &gui.GetOptionsMenu(), &gui.GetOptionsMenu().GetTitleLabel(),
         [&gui] { gui.OnOptionsPressed(); }},
        {"about menu", &gui.GetAboutMenu(), &gui.GetAboutMenu().GetTitleLabel(),
         [&gui]
         {
             gui.OnOptionsClosed();
             gui.OnAboutPressed();
         }},
    };
    std::vector<std::string> report;
    size_t menu = 0;
    uint64_t next = 3;
    Vozad::LayoutRect title;
    std::vector<bool> withHud;
    int32_t clear = 0, covering = 0;
    game.beforeFrame = [&](uint64_t p_Frame)
    {
        if (p_Frame != next)
            return;
        const Menu& current = menus[menu];
        const Vozad::LayoutRect panel = current.panel->GetDrawnRect();
        const std::string where = std::string(current.name) + " at " + std::to_string(panel.left) + "," +
                                  std::to_string(panel.top) + " - " + std::to_string(panel.right) + "," +
                                  std::to_string(panel.bottom);
        if (!withHud.empty())
        {
            // The HUD was hidden for the frame just presented.
            if (BrightPixels(title) != withHud)
                report.push_back(where + ": the title changes with the HUD");
            withHud.clear();
            gui.SetShowFps(true);
            gui.SetShowPoints(true);
        }
        else if (panel.top < 0 || panel.bottom > windowHeight || panel.Width() <= 0)
            report.push_back(where + ": outside the window");
        else if (!Overlap(hudRect, panel))
            ++clear;
        else
        {
            ++covering;
            title = current.title->GetDrawnRect();
            withHud = BrightPixels(title);
            gui.SetShowFps(false);
            gui.SetShowPoints(false);
            next = p_Frame + 2;
            return;
        }
        if (++menu == std::size(menus))
        {
            m_Engine->Quit();
            return;
        }
        menus[menu].open();
        next = p_Frame + 2;
    };
    EXPECT_EQ(m_Engine->Run(), 0);
    EXPECT_EQ(menu, std::size(menus)) << "every menu was looked at";
    EXPECT_EQ(report, std::vector<std::string>{}) << "HUD " << hud.width << " x " << hud.height;
    EXPECT_GE(clear, 1) << "the start menu is clear of the HUD";
    std::cout << clear << " menus clear of the HUD, " << covering << " over it\n";
}
} // namespace

// A virtual controller, driven by the test, plugged in while the game runs: A starts the round
// from the start menu, the left stick and the d-pad steer, and unplugging it is noticed.
TEST_F(GameCoreGLTest, AGamepadPluggedInDuringPlayStartsAndSteersTheRound)
{
    ASSERT_NO_FATAL_FAILURE(Start(SlowSixBySixConfig()));
    ScriptedGame& game = *m_Game;
    int device = -1;
    SDL_Joystick* joystick = nullptr;
    std::vector<int32_t> states;
    std::vector<int32_t> directions;
    game.beforeFrame = [&](uint64_t p_Frame)
    {
        switch (p_Frame)
        {
        case 2:
            device = SDL_JoystickAttachVirtual(SDL_JOYSTICK_TYPE_GAMECONTROLLER, SDL_CONTROLLER_AXIS_MAX,
                                               SDL_CONTROLLER_BUTTON_MAX, 0);
            joystick = device >= 0 ? SDL_JoystickOpen(device) : nullptr;
            break;
        case 6:
            states.push_back(game.GetGameState());
            if (joystick)
                SDL_JoystickSetVirtualButton(joystick, SDL_CONTROLLER_BUTTON_A, SDL_PRESSED);
            break;
        case 10:
            states.push_back(game.GetGameState());
            if (joystick)
            {
                SDL_JoystickSetVirtualButton(joystick, SDL_CONTROLLER_BUTTON_A, SDL_RELEASED);
                // Inside the dead zone first: nothing turns.
                SDL_JoystickSetVirtualAxis(joystick, SDL_CONTROLLER_AXIS_LEFTY, 8000);
            }
            break;
        case 14:
            directions.push_back(game.GetBoard().GetDirection());
            if (joystick)
                SDL_JoystickSetVirtualAxis(joystick, SDL_CONTROLLER_AXIS_LEFTY, 30000);
            break;
        case 18:
            directions.push_back(game.GetBoard().GetDirection());
            if (joystick)
            {
                SDL_JoystickSetVirtualAxis(joystick, SDL_CONTROLLER_AXIS_LEFTY, 0);
                SDL_JoystickSetVirtualButton(joystick, SDL_CONTROLLER_BUTTON_DPAD_RIGHT, SDL_PRESSED);
            }
            break;
        case 22:
            directions.push_back(game.GetBoard().GetDirection());
            if (joystick)
            {
                SDL_JoystickClose(joystick);
                joystick = nullptr;
            }
            if (device >= 0)
                SDL_JoystickDetachVirtual(device);
            break;
        case 26:
            // Unplugged while the d-pad was held: the arrow key is let go.
            EXPECT_FALSE(m_Engine->IsKeyPressed(static_cast<uint32_t>(Vozad::KeyCode::RightArrow)));
            m_Engine->Quit();
            break;
        default:
            break;
        }
    };
    EXPECT_EQ(m_Engine->Run(), 0);
    ASSERT_GE(device, 0) << SDL_GetError();
    EXPECT_EQ(states, (std::vector<int32_t>{k_GameNotStarted, k_GameRunning})) << "A did not start the round";
    EXPECT_EQ(directions, (std::vector<int32_t>{k_DirectionRight, k_DirectionDown, k_DirectionRight}))
        << "the stick inside its dead zone, then down, then the d-pad right";
    const std::string log = TestSupport::ReadWholeFile(m_Folder.File("gamelog.txt"));
    EXPECT_NE(log.find("Gamepad: Game controller connected: "), std::string::npos) << log;
    EXPECT_NE(log.find("Gamepad: Game controller disconnected: "), std::string::npos);
}
