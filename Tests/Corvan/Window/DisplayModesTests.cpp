#include "Corvan/Window/DisplayModes.h"

#include <gtest/gtest.h>

#include <ostream>
#include <vector>

namespace Vozad
{
void PrintTo(const DisplayMode& p_Mode, std::ostream* p_Out)
{
    *p_Out << p_Mode.width << "x" << p_Mode.height << "@" << p_Mode.frequency;
}
} // namespace Vozad

namespace
{
using namespace Vozad;

Lib::DynamicArray<ReportedDisplayMode> Reported(std::initializer_list<ReportedDisplayMode> p_Modes)
{
    return Lib::DynamicArray<ReportedDisplayMode>(p_Modes);
}

std::vector<DisplayMode> ToVector(const Lib::DynamicArray<DisplayMode>& p_Modes)
{
    std::vector<DisplayMode> modes;
    for (const DisplayMode& mode : p_Modes)
        modes.push_back(mode);
    return modes;
}

TEST(DisplayModes, ModesWithoutFourBytesPerPixelAreDropped)
{
    const auto modes = ToVector(SelectDisplayModes(Reported({
        {1280, 720, 60, 2},
        {1920, 1080, 60, 4},
        {1600, 900, 60, 3},
    })));
    EXPECT_EQ(modes, (std::vector<DisplayMode>{{1920, 1080, 60}}));
}

TEST(DisplayModes, EachSizeOnceWithTheFirstFrequency)
{
    const auto modes = ToVector(SelectDisplayModes(Reported({
        {1920, 1080, 60, 4},
        {1920, 1080, 144, 4},
        {1920, 1200, 60, 4},
        {1920, 1080, 30, 4},
    })));
    EXPECT_EQ(modes, (std::vector<DisplayMode>{{1920, 1080, 60}, {1920, 1200, 60}}));
}

TEST(DisplayModes, AFrequencyFromADroppedModeIsNotKept)
{
    // The 16-bit mode comes first; its 75 Hz must not win over the 32-bit 60 Hz.
    const auto modes = ToVector(SelectDisplayModes(Reported({{800, 600, 75, 2}, {800, 600, 60, 4}})));
    EXPECT_EQ(modes, (std::vector<DisplayMode>{{800, 600, 60}}));
}

TEST(DisplayModes, SortedByWidthAndStableForEqualWidths)
{
    const auto modes = ToVector(SelectDisplayModes(Reported({
        {1024, 768, 60, 4},
        {800, 600, 60, 4},
        {640, 480, 60, 4},
        {800, 480, 60, 4},
        {1024, 576, 60, 4},
    })));
    EXPECT_EQ(modes, (std::vector<DisplayMode>{
                         {640, 480, 60}, {800, 600, 60}, {800, 480, 60}, {1024, 768, 60}, {1024, 576, 60}}));
}

TEST(DisplayModes, FindModeAtLeastTakesTheFirst32BitModeThatIsLargeEnough)
{
    const auto reported = Reported({
        {1920, 1080, 60, 2}, // large enough but 16-bit
        {640, 480, 60, 4},
        {1280, 600, 60, 4},
        {1280, 1024, 60, 4},
        {1920, 1080, 60, 4},
    });
    EXPECT_EQ(FindModeAtLeast(reported, 800, 600), 2);
    EXPECT_EQ(FindModeAtLeast(reported, 1281, 600), 4);
    EXPECT_EQ(FindModeAtLeast(reported, 2560, 1440), -1);
    EXPECT_EQ(FindModeAtLeast(Reported({}), 1, 1), -1);
}
} // namespace
