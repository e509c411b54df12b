#pragma once
// Quick turns kept for the steps to come. A player who presses two turns faster than the snake
// steps (up, then left, to make a U-turn) would otherwise lose the second: it is refused because,
// until the snake moves, it leads straight back onto the neck. The buffer takes the presses in
// order and lets the board have one turn per step.
#include "Game/BoardTypes.h"

#include <array>
#include <cstdint>

namespace Snake
{
class Board;

class TurnBuffer
{
public:
    // Turns pressed between two steps that are kept, the one taken at once included.
    static constexpr uint32_t k_Capacity = 2;

    // A movement key went down. A press is kept unless the buffer is full or it repeats the
    // direction that the turn before it (or, with none waiting, the head) already has.
    // True when it was kept.
    bool Press(int32_t p_Direction, int32_t p_CurrentDirection);
    // Gives the board the next waiting turn unless one was taken since the last step. A turn the
    // board refuses (it would reverse onto the neck) is dropped and the next one tried, so a
    // refused turn never costs the round. True when the head's direction changed.
    bool TakeTurn(Board& p_Board);
    // The snake stepped: the next waiting turn may be taken.
    void OnStep() { m_TakenSinceStep = false; }
    // A new round or a pause: presses of the past do not steer what comes next.
    void Clear();

    uint32_t Waiting() const { return m_Count; }
    bool TakenSinceStep() const { return m_TakenSinceStep; }

private:
    std::array<int32_t, k_Capacity> m_Turns{};
    uint32_t m_Count = 0;
    bool m_TakenSinceStep = false;
};
} // namespace Snake
