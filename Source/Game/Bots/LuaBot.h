#pragma once
// A bot written in Lua: the script defines decide(board) and runs in the engine's script host, a
// process of its own (ScriptProcess.h) that the game ends when an answer is late.
//
// board = { columns, rows, points, target,
//           snake = { {x=, y=}, ... } (head first, 0-based from the top left),
//           item = {x=, y=}, direction = "up" | "down" | "left" | "right" }
// decide returns "up", "down", "left", "right", or nil to keep going. Any other answer is
// ignored; an error, a broken limit or a late answer stops the bot and loses the round.
#include "Corvan/Scripting/ScriptProcess.h"
#include "Game/Bots/IBot.h"
#include "Game/SettingValue.h"

#include <chrono>

namespace Snake
{
// How long the game waits for a bot's answer unless the settings say otherwise.
inline constexpr std::chrono::milliseconds k_DefaultBotAnswerTime{50};
// A plain loop spends this budget in about a fifth of the default wait, so that its clearer
// message comes before the wait ends.
inline constexpr uint64_t k_BotInstructionsPerCall = 2'000'000;
// The memory cap; a script file larger than it could never be compiled under it.
inline constexpr size_t k_BotMemoryBytes = 16u * 1024u * 1024u;

// The waits a player may set (g_botwait, in milliseconds): long enough for a bot that searches
// the board, short enough that a late one costs no more than a second of play.
inline constexpr std::chrono::milliseconds k_ShortestBotAnswerTime{10};
inline constexpr std::chrono::milliseconds k_LongestBotAnswerTime{1000};
// g_botwait: a number outside the bounds is held to them, a text that is no number gives the
// default (the start-up check names either).
inline constexpr NumberRule k_BotWaitRule{static_cast<int32_t>(k_DefaultBotAnswerTime.count()),
                                          static_cast<int32_t>(k_ShortestBotAnswerTime.count()),
                                          static_cast<int32_t>(k_LongestBotAnswerTime.count()),
                                          static_cast<int32_t>(k_ShortestBotAnswerTime.count()),
                                          static_cast<int32_t>(k_LongestBotAnswerTime.count())};
// The wait g_botwait's text gives, quietly.
std::chrono::milliseconds BotAnswerTimeSetting(const Lib::String& p_Text);
// The wait an argument asks for (--simulate --wait); false when it is not a whole number of
// milliseconds within the bounds.
bool ParseBotAnswerTime(const std::string& p_Text, std::chrono::milliseconds& p_Time);

// A bot's limits in the script host, with the given wait for each answer.
Telvar::ScriptProcessLimits BotLimits(std::chrono::milliseconds p_AnswerTime = k_DefaultBotAnswerTime);

// The board as the table decide() is handed.
Telvar::ScriptValue BoardForScript(const Board& p_Board);
const char* DirectionName(int32_t p_Direction);

class LuaBot : public IBot
{
public:
    explicit LuaBot(Telvar::ScriptProcessLimits p_Limits = BotLimits()) : m_Script(p_Limits) {}

    // False, with the reason in GetNote, when the script cannot be loaded or has no decide().
    bool LoadFile(const std::string& p_Path);
    bool LoadText(const std::string& p_Source, const std::string& p_Name);

    BotDecision Decide(const Board& p_Board) override;
    const std::string& GetNote() const override { return m_Note; }

private:
    bool Stop(const std::string& p_Reason);

    Telvar::ScriptProcess m_Script;
    std::string m_Name;
    std::string m_Note;
    bool m_Stopped = false;
};
} // namespace Snake
