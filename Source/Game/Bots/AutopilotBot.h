#pragma once
// The compiled-in bot that wins every grid: it follows a Hamiltonian cycle, which can never run
// into the body, and while the snake is short it cuts ahead along the cycle towards the item.
// A cut only ever skips free cells between the head and the nearest body cell ahead and keeps a
// reserve of free cells before that one, so the body stays in cycle order behind the head and
// the way round to the tail stays open.
#include "Game/Bots/HamiltonianCycle.h"
#include "Game/Bots/IBot.h"

namespace Snake
{
class AutopilotBot : public IBot
{
public:
    // Without shortcuts it walks the plain cycle, the slow baseline the shortcuts are measured by.
    explicit AutopilotBot(bool p_Shortcuts = true) : m_Shortcuts(p_Shortcuts) {}

    BotDecision Decide(const Board& p_Board) override;
    const std::string& GetNote() const override { return m_Note; }

private:
    bool m_Shortcuts;
    GridSize m_CycleGrid;
    HamiltonianCycle m_Cycle{GridSize{}};
    std::string m_Note;
};
} // namespace Snake
