#include "Game/Bots/LuaBot.h"

namespace Snake
{
namespace
{
Telvar::ScriptValue CellForScript(Cell p_Cell)
{
    return Telvar::ScriptValue::Table()
        .Set("x", Telvar::ScriptValue::Number(p_Cell.column))
        .Set("y", Telvar::ScriptValue::Number(p_Cell.row));
}

const char* const k_DirectionNames[4] = {"down", "right", "up", "left"}; // by Direction value
} // namespace

const char* DirectionName(int32_t p_Direction)
{
    return p_Direction >= 0 && p_Direction < 4 ? k_DirectionNames[p_Direction] : "right";
}

Telvar::ScriptValue BoardForScript(const Board& p_Board)
{
    Telvar::ScriptValue snake = Telvar::ScriptValue::Table();
    for (uint32_t i = 0; i < p_Board.GetSegments().Count(); ++i)
        snake.items.push_back(CellForScript(p_Board.GetSegments()[i].cell));
    return Telvar::ScriptValue::Table()
        .Set("columns", Telvar::ScriptValue::Number(p_Board.GetGrid().columns))
        .Set("rows", Telvar::ScriptValue::Number(p_Board.GetGrid().rows))
        .Set("snake", std::move(snake))
        .Set("item", CellForScript(p_Board.GetItem()))
        .Set("direction", Telvar::ScriptValue::Text(DirectionName(p_Board.GetDirection())))
        .Set("points", Telvar::ScriptValue::Number(p_Board.GetPoints()))
        .Set("target", Telvar::ScriptValue::Number(p_Board.GetTargetPoints()));
}

bool LuaBot::CheckDecide()
{
    if (m_Sandbox.HasFunction("decide"))
        return true;
    m_Note = m_Name + ": defines no function decide(board)";
    m_Stopped = true;
    return false;
}

bool LuaBot::LoadFile(const std::string& p_Path)
{
    m_Name = p_Path;
    if (!m_Sandbox.LoadFile(p_Path))
    {
        m_Note = m_Sandbox.GetLastError();
        m_Stopped = true;
        return false;
    }
    return CheckDecide();
}

bool LuaBot::LoadText(const std::string& p_Source, const std::string& p_Name)
{
    m_Name = p_Name;
    if (!m_Sandbox.LoadText(p_Source, p_Name))
    {
        m_Note = m_Sandbox.GetLastError();
        m_Stopped = true;
        return false;
    }
    return CheckDecide();
}

BotDecision LuaBot::Decide(const Board& p_Board)
{
    BotDecision decision;
    if (m_Stopped)
    {
        decision.stopped = true;
        return decision;
    }
    Telvar::ScriptValue answer;
    if (!m_Sandbox.Call("decide", BoardForScript(p_Board), answer))
    {
        m_Note = m_Sandbox.GetLastError();
        m_Stopped = true;
        decision.stopped = true;
        return decision;
    }
    if (answer.type == Telvar::ScriptValue::Type::Nil)
        return decision;
    if (answer.type == Telvar::ScriptValue::Type::Text)
    {
        for (int32_t direction = 0; direction < 4; ++direction)
        {
            if (answer.text == k_DirectionNames[direction])
            {
                decision.turn = true;
                decision.direction = direction;
                return decision;
            }
        }
    }
    // Only the first wrong answer is told; the snake just keeps going on each of them.
    if (m_Note.empty())
        m_Note =
            m_Name +
            ": decide returned something other than \"up\", \"down\", \"left\", \"right\" or nil; ignored";
    return decision;
}
} // namespace Snake
