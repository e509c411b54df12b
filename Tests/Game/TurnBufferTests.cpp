// Quick turns with the turn buffer against the board's own rules: a second turn pressed before
// the step is kept and taken at the next step, a turn that would reverse onto the neck is
// dropped without ending the round, and without the buffer the board refuses the second turn as
// it always did.
#include "Game/Board.h"
#include "Game/IRandomSource.h"
#include "Game/TurnBuffer.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{
using namespace Snake;

class FixedRandom : public IRandomSource
{
public:
    uint32_t Next() override { return 0; }
};

// A snake of three on row 3 of the 10 x 10 grid, head at (4, 3), moving right; the item is in
// the top-left corner, out of the way.
struct Round
{
    FixedRandom random;
    Board board{random};
    TurnBuffer turns;
    Round()
    {
        board.SetGrid(GridModeSize(6));
        Lib::DynamicArray<Segment> snake;
        snake.Add(Segment{{4, 3}, k_DirectionRight});
        snake.Add(Segment{{3, 3}, k_DirectionRight});
        snake.Add(Segment{{2, 3}, k_DirectionRight});
        board.SetSegments(snake);
        board.SetItem(Cell{0, 0});
    }
    // One frame (take a waiting turn), then one step.
    StepResult FrameAndStep()
    {
        turns.TakeTurn(board);
        const StepResult result = board.Step();
        if (result != StepResult::Lost)
            turns.OnStep();
        return result;
    }
    std::string Head() const
    {
        const Cell head = board.GetHead().cell;
        return std::to_string(head.column) + "," + std::to_string(head.row);
    }
};

TEST(TurnBuffer, TwoQuickTurnsAreTakenOnePerStep)
{
    struct Case
    {
        const char* name;
        std::vector<int32_t> presses;
        std::vector<std::string> heads; // after each of the following steps
    };
    const Case cases[] = {
        {"up then left: a U-turn", {k_DirectionUp, k_DirectionLeft}, {"4,2", "3,2", "2,2"}},
        {"down then left", {k_DirectionDown, k_DirectionLeft}, {"4,4", "3,4"}},
        {"up then right", {k_DirectionUp, k_DirectionRight}, {"4,2", "5,2", "6,2"}},
        {"the reverse is dropped, the next turn taken", {k_DirectionLeft, k_DirectionUp}, {"4,2", "4,1"}},
        {"a third press is not kept",
         {k_DirectionUp, k_DirectionLeft, k_DirectionDown},
         {"4,2", "3,2", "2,2"}},
        {"the same direction twice counts once",
         {k_DirectionUp, k_DirectionUp, k_DirectionLeft},
         {"4,2", "3,2"}},
        {"pressing the way it goes keeps no turn", {k_DirectionRight, k_DirectionDown}, {"4,4", "4,5"}},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        Round round;
        for (int32_t direction : c.presses)
        {
            // Presses come between two steps; the first is taken at the next frame.
            round.turns.Press(direction, round.board.GetDirection());
            round.turns.TakeTurn(round.board);
        }
        for (const std::string& head : c.heads)
        {
            ASSERT_NE(round.FrameAndStep(), StepResult::Lost);
            EXPECT_EQ(round.Head(), head);
        }
    }
}

TEST(TurnBuffer, ATurnThatBecameAReverseAtItsStepIsDroppedNotFatal)
{
    Round round;
    // Up is taken; then down is pressed: at its step the neck lies below the head.
    round.turns.Press(k_DirectionUp, round.board.GetDirection());
    round.turns.TakeTurn(round.board);
    round.turns.Press(k_DirectionDown, round.board.GetDirection());
    EXPECT_EQ(round.turns.Waiting(), 1u);
    ASSERT_NE(round.FrameAndStep(), StepResult::Lost);
    EXPECT_EQ(round.Head(), "4,2");
    EXPECT_EQ(round.board.GetDirection(), k_DirectionUp);
    // Its step: down would lead onto the neck, so it is dropped and the snake goes on.
    ASSERT_NE(round.FrameAndStep(), StepResult::Lost);
    EXPECT_EQ(round.Head(), "4,1");
    EXPECT_EQ(round.turns.Waiting(), 0u);
}

TEST(TurnBuffer, ClearForgetsWaitingTurns)
{
    Round round;
    round.turns.Press(k_DirectionUp, k_DirectionRight);
    round.turns.TakeTurn(round.board);
    round.turns.Press(k_DirectionLeft, k_DirectionUp);
    round.turns.Clear();
    EXPECT_EQ(round.turns.Waiting(), 0u);
    EXPECT_FALSE(round.turns.TakenSinceStep());
    EXPECT_FALSE(round.turns.TakeTurn(round.board));
}

// What the original rules do with the same two quick presses: the second turn is refused, so
// the snake goes on upwards.
TEST(TurnBuffer, WithoutTheBufferTheSecondQuickTurnIsLost)
{
    Round round;
    EXPECT_TRUE(round.board.Steer(false, false, true, false));  // up
    EXPECT_FALSE(round.board.Steer(true, false, false, false)); // left: onto the neck, refused
    ASSERT_NE(round.board.Step(), StepResult::Lost);
    ASSERT_NE(round.board.Step(), StepResult::Lost);
    EXPECT_EQ(round.Head(), "4,1");
}
} // namespace
