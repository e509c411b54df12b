#pragma once
// When the snake's next step is due.
#include <cstdint>

namespace Snake
{
// True once at least 1 / speed seconds have passed. A speed of 0 never steps.
inline bool IsStepDue(uint64_t p_ElapsedMicroseconds, uint32_t p_MovesPerSecond)
{
    return p_MovesPerSecond != 0 && p_ElapsedMicroseconds * p_MovesPerSecond >= 1000000u;
}
} // namespace Snake
