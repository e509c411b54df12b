#include "Game/TurnBuffer.h"

#include "Game/Board.h"

namespace Snake
{
bool TurnBuffer::Press(int32_t p_Direction, int32_t p_CurrentDirection)
{
    if (m_Count + (m_TakenSinceStep ? 1u : 0u) >= k_Capacity)
        return false;
    const int32_t before = m_Count > 0 ? m_Turns[m_Count - 1] : p_CurrentDirection;
    if (p_Direction == before)
        return false;
    m_Turns[m_Count++] = p_Direction;
    return true;
}

bool TurnBuffer::TakeTurn(Board& p_Board)
{
    if (m_TakenSinceStep)
        return false;
    while (m_Count > 0)
    {
        const int32_t direction = m_Turns[0];
        for (uint32_t i = 1; i < m_Count; ++i)
            m_Turns[i - 1] = m_Turns[i];
        --m_Count;
        // Turning to the direction the head already has changes nothing and uses no step.
        if (direction == p_Board.GetDirection())
            continue;
        if (p_Board.Turn(direction))
        {
            m_TakenSinceStep = true;
            return true;
        }
    }
    return false;
}

void TurnBuffer::Clear()
{
    m_Count = 0;
    m_TakenSinceStep = false;
}
} // namespace Snake
