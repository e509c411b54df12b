#include "Corvan/Window/WheelLimiter.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <vector>

namespace
{
using namespace Vozad;

TEST(WheelScrollAmount, OneNotchAtThreeLinesGivesEighteen)
{
    EXPECT_EQ(WheelScrollAmount(k_WheelScrollLines, k_WheelDeltaPerNotch), 18);
    EXPECT_EQ(WheelScrollAmount(k_WheelScrollLines, -k_WheelDeltaPerNotch), -18);
    EXPECT_EQ(WheelScrollAmount(k_WheelScrollLines, WheelDeltaFromNotches(1.0f)), 18);
    EXPECT_EQ(WheelScrollAmount(k_WheelScrollLines, WheelDeltaFromNotches(-2.0f)), -36);
    // A half notch from a high-resolution wheel scrolls half as far.
    EXPECT_EQ(WheelScrollAmount(k_WheelScrollLines, WheelDeltaFromNotches(0.5f)), 9);
    EXPECT_EQ(WheelScrollAmount(k_WheelScrollLines, 0), 0);
}

TEST(WheelScrollAmount, PageScrollingGivesTheExtremes)
{
    EXPECT_EQ(WheelScrollAmount(k_WheelScrollPage, 120), std::numeric_limits<int32_t>::max());
    EXPECT_EQ(WheelScrollAmount(k_WheelScrollPage, -120), std::numeric_limits<int32_t>::min());
}

TEST(WheelScrollAmount, HugeDeltasDoNotOverflowBeforeTheDivision)
{
    // 3 x (2^31 - 1) x 6 does not fit 32 bits; the result after dividing by 120 does.
    EXPECT_EQ(WheelScrollAmount(k_WheelScrollLines, std::numeric_limits<int32_t>::max()), 322122547);
    EXPECT_EQ(WheelScrollAmount(k_WheelScrollLines, std::numeric_limits<int32_t>::min()), -322122547);
    EXPECT_EQ(WheelDeltaFromNotches(std::numeric_limits<float>::infinity()), 0);
}

class WheelLimiterTest : public testing::Test
{
protected:
    // Feeds messages at the given times (seconds) and records which pass.
    std::vector<bool> Feed(const std::vector<double>& p_Times)
    {
        std::vector<bool> accepted;
        for (double time : p_Times)
        {
            m_Now = time;
            accepted.push_back(m_Limiter.Accept());
        }
        return accepted;
    }

    double m_Now = 0.0;
    WheelLimiter m_Limiter{[this] { return m_Now; }};
};

TEST_F(WheelLimiterTest, ThirdMessageWithinTenMillisecondsIsDropped)
{
    EXPECT_EQ(Feed({1.000, 1.005, 1.010}), (std::vector<bool>{true, true, false}));
}

TEST_F(WheelLimiterTest, AMessageAfterTheBurstWindowStartsANewBurst)
{
    // 4th: still inside the first burst's window; 5th: after it, a new burst of count 1;
    // 6th: second of the new burst; 7th: third of the new burst, inside its window.
    EXPECT_EQ(Feed({2.000, 2.001, 2.002, 2.016, 2.0170, 2.0171, 2.0172}),
              (std::vector<bool>{true, true, false, false, true, true, false}));
    EXPECT_EQ(m_Limiter.BurstCount(), 3u);
}

TEST_F(WheelLimiterTest, SlowMessagesAllPass)
{
    EXPECT_EQ(Feed({0.0, 0.1, 0.2, 0.3, 0.4}), (std::vector<bool>(5, true)));
}

TEST(WheelLimiter, DefaultClockPassesTheFirstMessages)
{
    WheelLimiter limiter;
    EXPECT_TRUE(limiter.Accept());
    EXPECT_TRUE(limiter.Accept());
    EXPECT_EQ(limiter.BurstCount(), 2u);
}
} // namespace
