// The frame limiter's wait on a scripted clock: it sleeps for all but the spin margin, sleeps again
// when woken early, spins only for what is left, and never returns before the frame's end.
#include "Corvan/EntryPoint/FramePacer.h"

#include <gtest/gtest.h>

#include <vector>

using Telvar::FrameClock;
using Telvar::k_FrameSpinMilliseconds;
using Telvar::WaitForFrameEnd;

namespace
{
// Every read moves time on by a microsecond; a sleep moves it on by what was asked times the
// scale (below 1: woken early; above 1: woken late).
struct ScriptedClock
{
    float now = 0.0f;
    float sleepScale = 1.0f;
    std::vector<float> sleeps;
    int reads = 0;

    FrameClock Clock()
    {
        return FrameClock{[this]
                          {
                              ++reads;
                              now += 0.001f;
                              return now;
                          },
                          [this](float p_Milliseconds)
                          {
                              sleeps.push_back(p_Milliseconds);
                              now += p_Milliseconds * sleepScale;
                          }};
    }
};

TEST(FramePacerTest, SleepsAllButTheSpinMarginAndEndsOnTime)
{
    struct Case
    {
        const char* name;
        float start;      // elapsed when the wait begins
        float frame;      // the frame's length
        float sleepScale; // how the sleeps turn out
        size_t minSleeps; // how many sleeps the wait asks for
        size_t maxSleeps;
    };
    const Case cases[] = {
        {"a menu frame at 60 fps", 2.0f, 16.667f, 1.0f, 1, 1},
        {"woken early, sleeps again", 2.0f, 16.667f, 0.5f, 2, 40},
        {"woken late, does not sleep again", 2.0f, 16.667f, 1.3f, 1, 1},
        {"within the margin: spins only", 16.4f, 16.667f, 1.0f, 0, 0},
        {"frame already over: returns at once", 20.0f, 16.667f, 1.0f, 0, 0},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        ScriptedClock clock;
        clock.now = c.start;
        clock.sleepScale = c.sleepScale;
        const float elapsed = WaitForFrameEnd(clock.Clock(), c.frame);

        EXPECT_GE(elapsed, c.frame);
        EXPECT_FLOAT_EQ(elapsed, clock.now);
        EXPECT_GE(clock.sleeps.size(), c.minSleeps);
        EXPECT_LE(clock.sleeps.size(), c.maxSleeps);
        if (!clock.sleeps.empty())
        {
            EXPECT_NEAR(clock.sleeps.front(), c.frame - c.start - 0.001f - k_FrameSpinMilliseconds, 1e-3f);
        }
        // No sleep runs into the margin, and the spin covers at most the margin (one read per
        // simulated microsecond).
        for (const float sleep : clock.sleeps)
            EXPECT_GT(sleep, 0.0f);
        if (c.start < c.frame && c.sleepScale <= 1.0f)
        {
            EXPECT_LE(clock.reads, static_cast<int>(k_FrameSpinMilliseconds / 0.001f) + 20);
        }
        if (c.start >= c.frame)
        {
            EXPECT_EQ(clock.reads, 1);
        }
    }
}
} // namespace
