#include "Game/Bots/AutopilotBot.h"

#include <algorithm>

namespace Snake
{
BotDecision AutopilotBot::Decide(const Board& p_Board)
{
    BotDecision decision;
    if (!(m_CycleGrid == p_Board.GetGrid()) || !m_Cycle.IsValid())
    {
        m_CycleGrid = p_Board.GetGrid();
        m_Cycle = HamiltonianCycle(m_CycleGrid);
        if (!m_Cycle.IsValid())
        {
            m_Note = "autopilot: no cycle through a grid with two odd sides";
            return decision;
        }
    }
    const auto& segments = p_Board.GetSegments();
    const Cell head = segments[0].cell;
    Cell target = m_Cycle.Next(head);

    const uint32_t cells = m_Cycle.GetCount();
    if (m_Shortcuts && segments.Count() * 2 < cells)
    {
        // The nearest body cell ahead along the cycle; the tail while the body keeps cycle order.
        uint32_t toBody = cells;
        for (uint32_t i = 1; i < segments.Count(); ++i)
        {
            const uint32_t distance = m_Cycle.Distance(head, segments[i].cell);
            if (distance != 0)
                toBody = std::min(toBody, distance);
        }
        uint32_t toItem = m_Cycle.Distance(head, p_Board.GetItem());
        if (toItem == 0)
            toItem = cells;
        // Free cells kept between the head and the body: every catch holds the tail back a step,
        // and a run of catches can use up the room in front before any hole behind comes free.
        const uint32_t reserve = std::max<uint32_t>(4, cells / 8);
        uint32_t best = 1;
        for (int32_t direction = 0; direction < 4; ++direction)
        {
            const Cell next = Neighbour(head, direction);
            if (!p_Board.IsInside(next) || p_Board.IsOnSnake(next, 0))
                continue;
            const uint32_t distance = m_Cycle.Distance(head, next);
            // After the cut: free cells left in front of the head, and those left behind in
            // holes in the body that only come back once the tail has passed them.
            // (Signed: right after a catch the new segment still shares a cell.)
            const int64_t ahead = static_cast<int64_t>(toBody) - distance - 1;
            const int64_t behind = static_cast<int64_t>(cells) - segments.Count() - 1 - ahead;
            if (distance > best && distance <= toItem && ahead >= static_cast<int64_t>(reserve) &&
                ahead >= behind + reserve)
            {
                best = distance;
                target = next;
            }
        }
    }
    decision.turn = true;
    decision.direction = DirectionBetween(head, target);
    return decision;
}
} // namespace Snake
