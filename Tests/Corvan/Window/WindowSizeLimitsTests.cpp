#include "Corvan/Window/WindowSizeLimits.h"

#include <gtest/gtest.h>

#include <ostream>

namespace Lib
{
void PrintTo(const RectSize& p_Size, std::ostream* p_Out)
{
    *p_Out << p_Size.width << " x " << p_Size.height;
}
void PrintTo(const Point& p_Point, std::ostream* p_Out)
{
    *p_Out << p_Point.x << ", " << p_Point.y;
}
} // namespace Lib

namespace
{
using namespace Vozad;

MonitorInfo MonitorWith(MonitorRect p_Rect, std::initializer_list<DisplayMode> p_Modes)
{
    MonitorInfo monitor;
    monitor.rect = p_Rect;
    monitor.displayModes = Lib::DynamicArray<DisplayMode>(p_Modes);
    return monitor;
}

TEST(WindowSizeLimits, TheLargestDisplayModeIsTheWidestAndTallestModeOrTheMonitorWithoutModes)
{
    EXPECT_EQ(LargestDisplayMode(
                  MonitorWith({0, 1280, 0, 720}, {{640, 480, 60}, {1920, 1080, 60}, {1280, 1024, 60}})),
              (Lib::RectSize{1920, 1080}));
    EXPECT_EQ(LargestDisplayMode(MonitorWith({0, 1600, 0, 900}, {{2560, 1080, 60}, {1280, 1440, 60}})),
              (Lib::RectSize{2560, 1440}));
    EXPECT_EQ(LargestDisplayMode(MonitorWith({-1920, 0, 100, 1300}, {})), (Lib::RectSize{1920, 1200}));
}

TEST(WindowSizeLimits, TheTighterOfDisplayAndGraphicsLimitsHoldsEachSize)
{
    // The display mode, the GL driver's viewport and render buffer maximum: the smaller wins.
    const SizeLimits limits = ComputeSizeLimits(640, 480, {1920, 1080}, {16384, 16384});
    EXPECT_EQ(limits.maxWidth, 1920u);
    EXPECT_EQ(limits.maxHeight, 1080u);
    const SizeLimits driverBound = ComputeSizeLimits(640, 480, {7680, 4320}, {4096, 8192});
    EXPECT_EQ(driverBound.maxWidth, 4096u);
    EXPECT_EQ(driverBound.maxHeight, 4320u);
    // No graphics limit known (Vulkan probe, no driver answer): the display alone.
    const SizeLimits displayOnly = ComputeSizeLimits(640, 480, {1920, 1080}, {0, 0});
    EXPECT_EQ(displayOnly.maxWidth, 1920u);
    // A monitor smaller than the minimum still gets a window it can show.
    const SizeLimits tiny = ComputeSizeLimits(640, 480, {320, 240}, {0, 0});
    EXPECT_EQ(tiny.minWidth, 320u);
    EXPECT_EQ(tiny.minHeight, 240u);
    const SizeLimits negative = ComputeSizeLimits(-5, 0, {1920, 1080}, {0, 0});
    EXPECT_EQ(negative.minWidth, 0u);
}

TEST(WindowSizeLimits, SizesAreHeldBetweenTheLimits)
{
    const SizeLimits limits = ComputeSizeLimits(640, 480, {1920, 1080}, {16384, 16384});
    const struct
    {
        Lib::RectSize requested, applied;
    } cases[] = {
        {{1280, 720}, {1280, 720}},   {{100000, 720}, {1920, 720}}, {{100000, 100000}, {1920, 1080}},
        {{1280, 300}, {1280, 480}},   {{300, 200}, {640, 480}},     {{UINT32_MAX, 1}, {1920, 480}},
        {{1920, 1080}, {1920, 1080}}, {{640, 480}, {640, 480}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(LimitClientSize(c.requested, limits), c.applied)
            << c.requested.width << " x " << c.requested.height;
}

TEST(WindowSizeLimits, WindowsAreCentredAndNeverStartOffTheMonitor)
{
    const MonitorRect monitor{0, 1920, 0, 1080};
    EXPECT_EQ(CentreOnMonitor(monitor, {800, 600}), (Lib::Point{560, 240}));
    // Larger than the monitor (a display mode beyond the current one): at its corner.
    EXPECT_EQ(CentreOnMonitor({0, 1280, 0, 720}, {1920, 1080}), (Lib::Point{0, 0}));
    // A monitor to the left of the primary one.
    EXPECT_EQ(CentreOnMonitor({-1280, 0, 0, 1024}, {640, 480}), (Lib::Point{-960, 272}));
    EXPECT_EQ(CentreOnMonitor({-1280, 0, 0, 1024}, {2000, 2000}), (Lib::Point{-1280, 0}));

    // A window that grows where it stands moves back onto the monitor as far as it can.
    EXPECT_EQ(FitOnMonitor(monitor, {560, 240}, {1920, 720}), (Lib::Point{0, 240}));
    EXPECT_EQ(FitOnMonitor(monitor, {1500, 900}, {800, 600}), (Lib::Point{1120, 480}));
    EXPECT_EQ(FitOnMonitor(monitor, {100, 100}, {800, 600}), (Lib::Point{100, 100}));
    EXPECT_EQ(FitOnMonitor(monitor, {-50, -20}, {800, 600}), (Lib::Point{0, 0}));
}
} // namespace
