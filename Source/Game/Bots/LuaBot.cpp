#include "Game/Bots/LuaBot.h"

#include "Lib/Platform/File.h"

#include <cerrno>
#include <charconv>

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

std::chrono::milliseconds BotAnswerTimeSetting(const Lib::String& p_Text)
{
    return std::chrono::milliseconds(ReadNumber(p_Text, k_BotWaitRule).value);
}

bool ParseBotAnswerTime(const std::string& p_Text, std::chrono::milliseconds& p_Time)
{
    p_Time = k_DefaultBotAnswerTime;
    int64_t value = 0;
    const char* end = p_Text.data() + p_Text.size();
    const auto [position, error] = std::from_chars(p_Text.data(), end, value);
    if (p_Text.empty() || error != std::errc() || position != end ||
        value < k_ShortestBotAnswerTime.count() || value > k_LongestBotAnswerTime.count())
        return false;
    p_Time = std::chrono::milliseconds(value);
    return true;
}

Telvar::ScriptProcessLimits BotLimits(std::chrono::milliseconds p_AnswerTime)
{
    Telvar::ScriptProcessLimits limits;
    limits.sandbox.memoryBytes = k_BotMemoryBytes;
    limits.sandbox.instructionsPerCall = k_BotInstructionsPerCall;
    limits.answerTime = p_AnswerTime;
    return limits;
}

bool LuaBot::Stop(const std::string& p_Reason)
{
    m_Note = p_Reason;
    m_Stopped = true;
    return false;
}

bool LuaBot::LoadFile(const std::string& p_Path)
{
    m_Name = p_Path;
    // Only a regular file is read, without blocking, and none larger than the memory cap.
    Lib::File file(Lib::String(p_Path.c_str()), Lib::FileMode::ReadBinary);
    const int32_t error = file.Read(k_BotMemoryBytes);
    if (error == EFBIG)
        return Stop(p_Path + ": too large for the script memory limit");
    if (error != 0)
        return Stop(p_Path + ": cannot be read: " + file.ErrorText().ToNarrow().Data());
    return LoadText(file.Bytes(), p_Path);
}

bool LuaBot::LoadText(const std::string& p_Source, const std::string& p_Name)
{
    m_Name = p_Name;
    if (!m_Script.LoadText(p_Source, p_Name))
        return Stop(m_Script.GetLastError());
    bool found = false;
    if (!m_Script.HasFunction("decide", found))
        return Stop(m_Script.GetLastError());
    if (!found)
        return Stop(m_Name + ": defines no function decide(board)");
    return true;
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
    if (!m_Script.Call("decide", BoardForScript(p_Board), answer))
    {
        Stop(m_Script.GetLastError());
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
