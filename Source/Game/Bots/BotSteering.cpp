#include "Game/Bots/BotSteering.h"

namespace Snake
{
BotDecision SteerByBot(Board& p_Board, IBot& p_Bot)
{
    const BotDecision decision = p_Bot.Decide(p_Board);
    if (!decision.stopped && decision.turn)
        p_Board.Turn(decision.direction);
    return decision;
}
} // namespace Snake
