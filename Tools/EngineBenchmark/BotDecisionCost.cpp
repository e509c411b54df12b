// What a Lua bot's decision costs in the script host against the same script run inside the
// game's process, as it ran before the host: the same sandbox, the same board table, the same
// answers. Prints one line per way and their ratio; never a pass or fail.
//   BotDecisionCost [decisions]      (default 20000; the host program is found as the game finds it)
#include "Corvan/Scripting/LuaSandbox.h"
#include "Corvan/Scripting/ScriptProcess.h"
#include "Game/Board.h"
#include "Game/Bots/LuaBot.h"
#include "Game/GridModes.h"
#include "Game/IRandomSource.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace
{
// The README's first bot: a few comparisons a step, so the host's own cost shows.
const char* const k_WalkScript = R"lua(
function decide(board)
  local head = board.snake[1]
  if board.item.y < head.y then return "up" end
  if board.item.y > head.y then return "down" end
  if board.item.x < head.x then return "left" end
  if board.item.x > head.x then return "right" end
  return nil
end
)lua";

// A bot that does some work per step: a breadth-first search from the head to the item over the
// free cells, as a careful bot would.
const char* const k_SearchScript = R"lua(
function decide(board)
  local w, h = board.columns, board.rows
  local blocked = {}
  for i = 2, #board.snake do local c = board.snake[i]; blocked[c.y * w + c.x] = true end
  local head = board.snake[1]
  local start = head.y * w + head.x
  local goal = board.item.y * w + board.item.x
  local from = {[start] = start}
  local queue, first = {start}, 1
  while first <= #queue do
    local at = queue[first]; first = first + 1
    if at == goal then break end
    local x, y = at % w, at // w
    for _, n in ipairs({y > 0 and at - w, y < h - 1 and at + w, x > 0 and at - 1, x < w - 1 and at + 1}) do
      if n and not blocked[n] and from[n] == nil then from[n] = at; queue[#queue + 1] = n end
    end
  end
  local step = goal
  while from[step] and from[step] ~= start do step = from[step] end
  if step == start - w then return "up" elseif step == start + w then return "down"
  elseif step == start - 1 then return "left" else return "right" end
end
)lua";

class FixedRandom : public Snake::IRandomSource
{
public:
    uint32_t Next() override { return m_State = m_State * 1664525u + 1013904223u; }

private:
    uint32_t m_State = 7;
};

template <typename Decide>
double MicrosecondsPerDecision(uint32_t p_Decisions, const Telvar::ScriptValue& p_Board, Decide p_Decide)
{
    const auto before = std::chrono::steady_clock::now();
    for (uint32_t i = 0; i < p_Decisions; ++i)
        if (!p_Decide(p_Board))
            return -1.0;
    const double micros =
        std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - before).count();
    return micros / p_Decisions;
}
} // namespace

int main(int argc, char** argv)
{
    const uint32_t decisions = argc > 1 ? static_cast<uint32_t>(std::strtoul(argv[1], nullptr, 10)) : 20000;
    FixedRandom random;
    Snake::Board board(random);
    board.SetGrid(Snake::GridModeSize(11));
    board.Restart();
    const Telvar::ScriptValue table = Snake::BoardForScript(board);
    const Telvar::ScriptProcessLimits limits = Snake::BotLimits(std::chrono::milliseconds(1000));

    struct Bot
    {
        const char* name;
        const char* script;
    };
    for (const Bot& bot : {Bot{"walk", k_WalkScript}, Bot{"search", k_SearchScript}})
    {
        Telvar::LuaSandbox sandbox(limits.sandbox);
        if (!sandbox.LoadText(bot.script, "bot.lua"))
        {
            std::fprintf(stderr, "%s\n", sandbox.GetLastError().c_str());
            return 1;
        }
        Telvar::ScriptProcess host(limits);
        const auto startBefore = std::chrono::steady_clock::now();
        if (!host.LoadText(bot.script, "bot.lua"))
        {
            std::fprintf(stderr, "%s\n", host.GetLastError().c_str());
            return 1;
        }
        const double startMs =
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - startBefore).count();

        Telvar::ScriptValue answer;
        // Rounds of both in turn, so that a busy moment of the machine hits both alike.
        double inProcess = 0.0;
        double inHost = 0.0;
        const int rounds = 5;
        for (int round = 0; round < rounds; ++round)
        {
            inProcess += MicrosecondsPerDecision(decisions / rounds, table,
                                                 [&](const Telvar::ScriptValue& p_Board)
                                                 { return sandbox.Call("decide", p_Board, answer); });
            inHost += MicrosecondsPerDecision(decisions / rounds, table,
                                              [&](const Telvar::ScriptValue& p_Board)
                                              { return host.Call("decide", p_Board, answer); });
        }
        inProcess /= rounds;
        inHost /= rounds;
        std::printf("bot_decision bot=%s in_process us_per_decision=%.2f script_host us_per_decision=%.2f "
                    "added_us=%.2f ratio=%.2f host_start_and_load_ms=%.2f decisions=%u\n",
                    bot.name, inProcess, inHost, inHost - inProcess, inHost / inProcess, startMs, decisions);
    }
    return 0;
}
