#pragma once
// A player that is not at the keyboard: asked once per step, before the step, where the head goes.
#include "Game/Board.h"

#include <cstdint>
#include <string>

namespace Snake
{
struct BotDecision
{
    bool stopped = false; // the bot broke down (a script error or limit); it loses the round
    bool turn = false;    // false: the snake keeps its direction
    int32_t direction = k_DirectionRight;
};

class IBot
{
public:
    virtual ~IBot() = default;
    virtual BotDecision Decide(const Board& p_Board) = 0;
    // Why the bot stopped, or what it did wrong and was ignored for; empty when nothing happened.
    virtual const std::string& GetNote() const = 0;
};
} // namespace Snake
