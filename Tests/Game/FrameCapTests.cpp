// The frame cap the game asks the engine for: the stored setting, the monitor's refresh rate, and
// the options list entry a stored cap selects.
#include "Game/FrameCap.h"
#include "Game/Menus/OptionsModel.h"

#include <gtest/gtest.h>

namespace
{
using namespace Snake;

TEST(FrameCap, StoredTextsAreReadAsRefreshRateFixedRateOrOff)
{
    const struct
    {
        const char* text;
        int32_t setting;
        uint32_t rateAt75Hz; // what the engine's limiter gets on a 75 Hz monitor; 0 is no cap
        uint32_t listEntry;  // the options list entry shown
    } cases[] = {
        {"0", k_FrameCapRefreshRate, 75, 0},
        {"", k_FrameCapRefreshRate, 75, 0},
        {"fast", k_FrameCapRefreshRate, 75, 0},
        {"60fps", k_FrameCapRefreshRate, 75, 0},
        {"-7", k_FrameCapRefreshRate, 75, 0},
        {"30", 30, 30, 1},
        {"144", 144, 144, 4},
        {"-1", k_FrameCapOff, 0, 6},
        {"90", 90, 90, 0}, // a rate the list does not offer still caps; the list shows its first entry
        {"100000", 1000, 1000, 0},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(ParseFrameCap(Lib::String(c.text)), c.setting);
        EXPECT_EQ(FrameCapRate(ParseFrameCap(Lib::String(c.text)), 75), c.rateAt75Hz);
        EXPECT_EQ(FrameCapIndexFor(Lib::String(c.text)), c.listEntry);
    }
    EXPECT_EQ(FrameCapRate(k_FrameCapRefreshRate, 0), k_FallbackRefreshRate);
}

Vozad::MonitorInfo Monitor(int32_t p_Left, int32_t p_Width, int32_t p_Height,
                           std::initializer_list<Vozad::DisplayMode> p_Modes)
{
    Vozad::MonitorInfo monitor;
    monitor.rect = {p_Left, p_Left + p_Width, 0, p_Height};
    for (const Vozad::DisplayMode& mode : p_Modes)
        monitor.displayModes.Add(mode);
    return monitor;
}

TEST(FrameCap, RefreshRateIsThatOfTheMonitorHoldingTheWindowAtItsOwnSize)
{
    Vozad::MonitorCollection monitors;
    monitors.monitors.Add(Monitor(0, 1920, 1080, {{1280, 720, 60}, {1920, 1080, 60}, {1920, 1080, 144}}));
    monitors.monitors.Add(Monitor(1920, 1280, 1024, {{1280, 1024, 75}, {1920, 1080, 240}}));
    monitors.monitors.Add(Monitor(3200, 800, 600, {{800, 600, 0}}));

    EXPECT_EQ(MonitorRefreshRate(monitors, 100, 100), 144u);
    EXPECT_EQ(MonitorRefreshRate(monitors, 2000, 100), 75u);
    EXPECT_EQ(MonitorRefreshRate(monitors, 3300, 100), k_FallbackRefreshRate) << "no rate reported";
    EXPECT_EQ(MonitorRefreshRate(monitors, -500, -500), 144u) << "off every monitor: the primary";
    EXPECT_EQ(MonitorRefreshRate(Vozad::MonitorCollection{}, 0, 0), k_FallbackRefreshRate);
}
} // namespace
