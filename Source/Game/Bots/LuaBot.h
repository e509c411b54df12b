#pragma once
// A bot written in Lua: the script defines decide(board) and runs in the engine's sandbox.
//
// board = { columns, rows, points, target,
//           snake = { {x=, y=}, ... } (head first, 0-based from the top left),
//           item = {x=, y=}, direction = "up" | "down" | "left" | "right" }
// decide returns "up", "down", "left", "right", or nil to keep going. Any other answer is
// ignored; an error or a broken limit stops the bot and loses the round.
#include "Corvan/EntryPoint/LuaSandbox.h"
#include "Game/Bots/IBot.h"

namespace Snake
{
// The board as the table decide() is handed.
Telvar::ScriptValue BoardForScript(const Board& p_Board);
const char* DirectionName(int32_t p_Direction);

class LuaBot : public IBot
{
public:
    explicit LuaBot(Telvar::SandboxLimits p_Limits = {}) : m_Sandbox(p_Limits) {}

    // False, with the reason in GetNote, when the script cannot be loaded or has no decide().
    bool LoadFile(const std::string& p_Path);
    bool LoadText(const std::string& p_Source, const std::string& p_Name);

    BotDecision Decide(const Board& p_Board) override;
    const std::string& GetNote() const override { return m_Note; }

private:
    bool CheckDecide();

    Telvar::LuaSandbox m_Sandbox;
    std::string m_Name;
    std::string m_Note;
    bool m_Stopped = false;
};
} // namespace Snake
