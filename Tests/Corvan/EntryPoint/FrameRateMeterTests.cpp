#include "Corvan/EntryPoint/FrameRateMeter.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace
{
using Telvar::FrameRateMeter;

// Drives the meter as the main loop does: a frame is counted when it starts and measured when
// it ends, and with a steady rate one frame ends where the next begins. Returns every rate the
// meter reported.
std::vector<float> SteadyLoop(double p_FramesPerSecond, int p_Frames, double p_Start = 100.0)
{
    const double duration = 1.0 / p_FramesPerSecond;
    FrameRateMeter meter(p_Start);
    std::vector<float> rates;
    for (int frame = 0; frame < p_Frames; ++frame)
    {
        meter.CountFrame();
        const double frameEnd = p_Start + (frame + 1) * duration;
        if (meter.Measure(frameEnd))
            rates.push_back(meter.GetRate());
    }
    return rates;
}

TEST(FrameRateMeter, SteadyRatesAreMeasuredExactlyEverySecond)
{
    for (const double rate : {30.0, 60.0, 75.0, 144.0})
    {
        const std::vector<float> rates = SteadyLoop(rate, static_cast<int>(rate * 5) + 1);
        ASSERT_GE(rates.size(), 4u) << rate << " Hz";
        for (size_t i = 0; i < rates.size(); ++i)
        {
            EXPECT_NEAR(rates[i], rate, rate * 1e-6) << rate << " Hz, measurement " << i;
            // What the HUD shows, rounded to the nearest whole frame.
            EXPECT_EQ(std::lround(rates[i]), std::lround(rate)) << rate << " Hz, measurement " << i;
        }
    }
}

TEST(FrameRateMeter, NothingIsMeasuredBeforeASecondHasPassed)
{
    FrameRateMeter meter(10.0);
    meter.CountFrame();
    EXPECT_FALSE(meter.Measure(10.5));
    EXPECT_FLOAT_EQ(meter.GetRate(), 0.0f);
    meter.CountFrame();
    EXPECT_FALSE(meter.Measure(10.999));
    meter.CountFrame();
    ASSERT_TRUE(meter.Measure(11.0));
    EXPECT_FLOAT_EQ(meter.GetRate(), 3.0f) << "three frames ended within the second";
}

TEST(FrameRateMeter, EachWindowHoldsOnlyTheFramesThatEndedInIt)
{
    FrameRateMeter meter(0.0);
    for (int frame = 0; frame < 10; ++frame)
        meter.CountFrame();
    ASSERT_TRUE(meter.Measure(2.0));
    EXPECT_FLOAT_EQ(meter.GetRate(), 5.0f) << "ten frames over two seconds";
    // A long stall: one frame over four seconds.
    meter.CountFrame();
    ASSERT_TRUE(meter.Measure(6.0));
    EXPECT_FLOAT_EQ(meter.GetRate(), 0.25f);
}
} // namespace
