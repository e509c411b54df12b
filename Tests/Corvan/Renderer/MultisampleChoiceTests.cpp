// Which sample count the frame draws with, for each setting on a software and a hardware driver.
#include "Corvan/Renderer/MultisampleChoice.h"

#include <gtest/gtest.h>

namespace
{
using Vozad::ChooseSamples;
using Vozad::k_MultisampleAutomatic;
using Vozad::k_MultisampleOff;

TEST(MultisampleChoice, SettingAndDriverGiveTheSampleCount)
{
    const struct
    {
        int32_t setting;
        bool software;
        int32_t maxSamples;
        int32_t samples;
        bool clamped;
        bool softwareOff; // the reason "automatic" gives for drawing without samples
    } cases[] = {
        // Automatic: off on a CPU rasterizer, 4x on a GPU, lowered quietly to what the GPU offers.
        {k_MultisampleAutomatic, true, 8, 0, false, true},
        {k_MultisampleAutomatic, false, 8, 4, false, false},
        {k_MultisampleAutomatic, false, 2, 2, false, false},
        {k_MultisampleAutomatic, false, 1, 0, false, false},
        // Off is off everywhere.
        {k_MultisampleOff, true, 8, 0, false, false},
        {k_MultisampleOff, false, 8, 0, false, false},
        // An explicit count is honoured on either kind of driver, up to the driver's maximum.
        {2, true, 8, 2, false, false},
        {4, true, 8, 4, false, false},
        {8, false, 32, 8, false, false},
        {8, false, 4, 4, true, false},
        {8, true, 0, 0, true, false},   // a driver without multisampling draws without it
        {1, false, 8, 0, false, false}, // one sample per pixel is no multisampling
    };
    for (const auto& c : cases)
    {
        const Vozad::MultisampleChoice choice = ChooseSamples(c.setting, c.software, c.maxSamples);
        const std::string where = "setting " + std::to_string(c.setting) +
                                  (c.software ? " software" : " GPU") + " max " +
                                  std::to_string(c.maxSamples);
        EXPECT_EQ(choice.samples, c.samples) << where;
        EXPECT_EQ(choice.clamped, c.clamped) << where;
        EXPECT_EQ(choice.software, c.softwareOff) << where;
    }
}
} // namespace
