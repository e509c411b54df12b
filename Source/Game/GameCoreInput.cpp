// The keys the game itself reacts to: its fixed keys on a press, the movement keys every frame.
#include "Corvan/EntryPoint/IEngine.h"
#include "Corvan/Events/InputEvents.h"
#include "Corvan/Events/KeyCodes.h"
#include "Game/ConfigIds.h"
#include "Game/ConfigReader.h"
#include "Game/GameCore.h"
#include "Game/MovementKeys.h"

namespace Snake
{
uint32_t GameCore::GetKeyForCommand(const std::string& p_Command) const
{
    return Store().GetKeyForCommand(p_Command);
}

bool GameCore::OnKeyPress(Vozad::EventKeyInput& p_Event)
{
    const uint32_t keyCode = static_cast<uint32_t>(p_Event.keyCode);
    if (keyCode != 0 && keyCode == GetKeyForCommand("screenshot"))
    {
        if (m_Window)
            m_Window->SaveScreenshot(Lib::String(), Lib::String("Snake"));
        return true;
    }
    if ((p_Event.modifiers & Vozad::k_ModifierLeftControl) != 0 && p_Event.keyCode == Vozad::KeyCode::D)
    {
        m_Engine->ToggleFlag();
        return true;
    }
    if (keyCode != 0 && keyCode == GetKeyForCommand("toggleconsole"))
    {
        ToggleConsole();
        return true;
    }
    BufferTurn(p_Event.keyCode);
    return Vozad::ContentLayoutBase::OnKeyPress(p_Event);
}

void GameCore::ToggleConsole()
{
    Vozad::ConsoleTextBox& input = m_Console.GetTextBox();
    if (m_Console.IsVisible())
    {
        m_Console.SetVisibility(Vozad::k_LayoutHidden);
        input.SetFocused(false);
        m_Engine->ReleaseFocus(&input);
    }
    else
    {
        m_Console.SetVisibility(Vozad::k_LayoutVisible);
        input.SetFocused(true);
        m_Engine->SetFocus(&input);
        // Typing in the console is no time to steer: with the option the round waits for it.
        if (m_GameState == k_GameRunning && IsOptionOn(k_ConfigAutoPause))
            m_GuiHandler.PauseRound();
    }
}

bool GameCore::IsBoundKeyPressed(int32_t p_ConfigId)
{
    const int32_t keyCode = MovementKeyCode(*this, p_ConfigId);
    if (keyCode <= 0)
        return false;
    // A key that went down and up again between two frames is up by now; its latch still tells
    // of the tap, so a quick tap steers as surely as a held key.
    const uint32_t code = static_cast<uint32_t>(keyCode);
    return m_Engine->IsKeyPressed(code) || m_Engine->WasKeyPressed(code);
}

void GameCore::BufferTurn(int32_t p_KeyCode)
{
    if (m_GameState != k_GameRunning || m_Console.IsVisible() || !IsOptionOn(k_ConfigTurnBuffer))
        return;
    struct KeyTurn
    {
        int32_t configId;
        int32_t direction;
    };
    constexpr KeyTurn k_KeyTurns[] = {{k_ConfigMoveLeft, k_DirectionLeft},
                                      {k_ConfigMoveRight, k_DirectionRight},
                                      {k_ConfigMoveUp, k_DirectionUp},
                                      {k_ConfigMoveDown, k_DirectionDown}};
    for (const KeyTurn& turn : k_KeyTurns)
    {
        if (p_KeyCode <= 0 || MovementKeyCode(*this, turn.configId) != p_KeyCode)
            continue;
        m_Turns.Press(turn.direction, m_Board.GetDirection());
        return;
    }
}

void GameCore::Steer()
{
    // The arrow keys browse the console's history while it is open; nothing typed there steers.
    if (m_Console.IsVisible())
        return;
    // Buffered turns come from the presses, in order, one per step; held keys do not repeat them.
    if (IsOptionOn(k_ConfigTurnBuffer))
    {
        if (m_Turns.TakeTurn(m_Board))
        {
            m_SnakeBody.SetDirection(m_Board.GetDirection());
            UpdateReadyMarker();
        }
        return;
    }
    // Looked up every frame, so a key rebound in the options menu counts at once.
    const bool left = IsBoundKeyPressed(k_ConfigMoveLeft);
    const bool right = IsBoundKeyPressed(k_ConfigMoveRight);
    const bool up = IsBoundKeyPressed(k_ConfigMoveUp);
    const bool down = IsBoundKeyPressed(k_ConfigMoveDown);
    if (!(left || right || up || down))
        return;
    if (m_Pilot)
        HandBackControl("a movement key was pressed");
    if (m_Board.Steer(left, right, up, down))
    {
        m_SnakeBody.SetDirection(m_Board.GetDirection());
        PlaySound(GameSound::Turn);
    }
}
} // namespace Snake
