// The step clock with and without a fair start, and the round's played time.
#include "Game/RoundClock.h"
#include "Game/StepTiming.h"

#include <gtest/gtest.h>

namespace
{
using namespace Snake;

constexpr uint64_t k_Second = 1000000;

TEST(StepClock, WithoutAFairStartTheFirstStepAfterAStartComesAtOnce)
{
    StepClock clock(0);
    clock.Stepped(1 * k_Second);
    // A pause of five seconds, then Resume: the step is long due.
    clock.RoundGoes(6 * k_Second, false);
    EXPECT_TRUE(clock.IsDue(6 * k_Second, 8));
    EXPECT_FALSE(clock.IsReady());
}

TEST(StepClock, AFairStartWaitsOneFullInterval)
{
    struct Case
    {
        uint32_t speed;
        uint64_t notYet; // after the start
        uint64_t due;
    };
    const Case cases[] = {{1, k_Second - 1, k_Second}, {8, 124999, 125000}, {10, 99999, 100000}};
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.speed);
        StepClock clock(0);
        const uint64_t start = 7 * k_Second;
        clock.RoundGoes(start, true);
        EXPECT_TRUE(clock.IsReady());
        EXPECT_FALSE(clock.IsDue(start, c.speed));
        EXPECT_FALSE(clock.IsDue(start + c.notYet, c.speed));
        EXPECT_TRUE(clock.IsDue(start + c.due, c.speed));
        clock.Stepped(start + c.due);
        EXPECT_FALSE(clock.IsReady()) << "the marker goes with the first step";
        EXPECT_FALSE(clock.IsDue(start + c.due, c.speed));
    }
}

TEST(StepClock, AReadingBeforeTheLastStepIsNotDue)
{
    StepClock clock(5 * k_Second);
    EXPECT_FALSE(clock.IsDue(4 * k_Second, 10));
}

TEST(RoundClock, OnlyRunningTimeCounts)
{
    RoundClock clock;
    clock.Start(10 * k_Second);
    EXPECT_EQ(clock.Elapsed(12 * k_Second), 2 * k_Second);
    clock.Stop(12 * k_Second);
    EXPECT_EQ(clock.Elapsed(30 * k_Second), 2 * k_Second) << "paused";
    clock.Resume(30 * k_Second);
    clock.Resume(31 * k_Second); // a second resume changes nothing
    EXPECT_EQ(clock.Elapsed(33 * k_Second), 5 * k_Second);
    clock.Start(40 * k_Second);
    EXPECT_EQ(clock.Elapsed(40 * k_Second), 0u) << "a new round starts from nothing";
}
} // namespace
