#pragma once
// The one way a bot moves the snake, in the window game and in the simulation alike: asked once
// before each step, its turn goes through the same rule a player's key does.
#include "Game/Board.h"
#include "Game/Bots/IBot.h"

namespace Snake
{
// Asks p_Bot and turns the head when it says so; a turn the rules refuse leaves the direction.
// The decision comes back so that the caller sees a stopped bot.
BotDecision SteerByBot(Board& p_Board, IBot& p_Bot);
} // namespace Snake
