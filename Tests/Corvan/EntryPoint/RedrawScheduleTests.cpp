#include "Corvan/EntryPoint/RedrawSchedule.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace
{
using Telvar::RedrawSchedule;

constexpr double k_Now = 500.0;
constexpr double k_NoDeadline = k_Now + 1.0; // the frame-rate reading's next second

TEST(RedrawSchedule, WithoutRequestsTheLoopWaitsUntilTheDeadline)
{
    RedrawSchedule schedule;
    EXPECT_FALSE(schedule.IsDue(k_Now));
    EXPECT_EQ(schedule.WaitMilliseconds(k_Now, k_NoDeadline), 1000u);
    EXPECT_LT(schedule.NextRequest(), 0.0);
}

TEST(RedrawSchedule, WaitsEndAtTheEarliestMomentAndNeverBeforeIt)
{
    struct Case
    {
        const char* what;
        double request; // NaN: none
        double deadline;
        uint32_t wait;
    };
    const double none = std::numeric_limits<double>::quiet_NaN();
    const Case cases[] = {
        {"a request now", k_Now, k_NoDeadline, 0},
        {"a request in the past", k_Now - 3.0, k_NoDeadline, 0},
        {"a later request before the deadline", k_Now + 0.25, k_NoDeadline, 250},
        {"a request after the deadline", k_Now + 4.0, k_NoDeadline, 1000},
        {"part of a millisecond is rounded up", k_Now + 0.0101, k_NoDeadline, 11},
        {"a deadline that has passed", none, k_Now - 0.5, 0},
        {"no deadline at all is cut to an hour", none, std::numeric_limits<double>::infinity(), 3600000},
        {"a deadline that is not a number", none, none, 0},
    };
    for (const Case& c : cases)
    {
        RedrawSchedule schedule;
        if (!std::isnan(c.request))
            schedule.Request(c.request);
        EXPECT_EQ(schedule.WaitMilliseconds(k_Now, c.deadline), c.wait) << c.what;
        EXPECT_EQ(schedule.IsDue(k_Now), c.wait == 0 && !std::isnan(c.request)) << c.what;
    }
}

// The game asks for the next frame during each frame of a running round: the frame that begins
// afterwards serves the request, and without a new one the loop goes back to waiting.
TEST(RedrawSchedule, AFrameServesTheRequestsDueWhenItBegins)
{
    RedrawSchedule schedule;
    schedule.Request(k_Now + 0.001); // during frame 1
    schedule.Request(k_Now + 2.0);   // an animation's next step
    EXPECT_TRUE(schedule.IsDue(k_Now + 0.002));

    schedule.BeginFrame(k_Now + 0.002); // frame 2
    EXPECT_FALSE(schedule.IsDue(k_Now + 0.003));
    EXPECT_DOUBLE_EQ(schedule.NextRequest(), k_Now + 2.0);
    EXPECT_EQ(schedule.WaitMilliseconds(k_Now + 1.5, k_Now + 10.0), 500u);

    schedule.BeginFrame(k_Now + 2.0); // the animation's frame
    EXPECT_LT(schedule.NextRequest(), 0.0);
}

// A request made while a frame runs asks for the following frame, not for the one that is
// already being drawn.
TEST(RedrawSchedule, ARequestDuringAFrameOutlivesItsBeginning)
{
    RedrawSchedule schedule;
    schedule.BeginFrame(k_Now);
    schedule.Request(k_Now + 0.004);
    EXPECT_TRUE(schedule.IsDue(k_Now + 0.016));
    schedule.BeginFrame(k_Now + 0.016);
    EXPECT_FALSE(schedule.IsDue(k_Now + 0.016));
}
} // namespace
