#include "Game/GridModes.h"
#include "Game/StepTiming.h"

#include <gtest/gtest.h>

namespace
{
using namespace Snake;

TEST(GridModes, TableHoldsTheTwelveSizesColumnsFirst)
{
    const GridSize expected[] = {{6, 6},   {10, 6},  {6, 10},  {8, 8},   {13, 8},  {8, 13},
                                 {10, 10}, {16, 10}, {10, 16}, {12, 12}, {20, 12}, {12, 20}};
    for (uint32_t i = 0; i < k_GridModeCount; ++i)
        EXPECT_EQ(GridModeSize(i), expected[i]) << "mode " << i;
    EXPECT_EQ(GridModeSize(12), (GridSize{12, 20})) << "past the table: the last mode";
}

// A text that is no whole number gives the default mode 2.
TEST(GridModes, ConfiguredGridModeIsReadAsUnsignedAndHeldToTheTable)
{
    const struct
    {
        const char* text;
        uint32_t mode;
    } cases[] = {
        {"0", 0}, {"4", 4}, {"11", 11},  {"12", 11}, {"-1", 11}, {"-12", 11}, {"99999999999", 11},
        {"", 2},  {"x", 2}, {"7abc", 2}, {" 3", 2},  {"nan", 2}, {"07", 7},   {"4294967296", 11},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ParseGridMode(Lib::String(c.text)), c.mode) << '"' << c.text << '"';
    EXPECT_EQ(GridModeSize(ParseGridMode(Lib::String("12"))), (GridSize{12, 20}));
    EXPECT_EQ(GridModeSize(ParseGridMode(Lib::String("-1"))), (GridSize{12, 20}));
}

TEST(GridModes, ConfiguredSpeedIsClampedToOneToTen)
{
    const struct
    {
        const char* text;
        uint32_t speed;
    } cases[] = {
        {"0", 1},   {"1", 1}, {"5", 5},    {"10", 10}, {"11", 10},
        {"-1", 10}, {"", 8},  {"fast", 8}, {"3x", 8},  {"inf", 8},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ParseGameSpeed(Lib::String(c.text)), c.speed) << '"' << c.text << '"';
}

TEST(StepTiming, StepIsDueAfterOneIntervalOfTheSpeed)
{
    const struct
    {
        uint64_t elapsed;
        uint32_t speed;
        bool due;
    } cases[] =
        {
            {0, 1, false},       {999999, 1, false}, {1000000, 1, true}, {99999, 10, false},
            {100000, 10, true},  {333333, 3, false}, {333334, 3, true},  {5000000, 10, true},
            {5000000, 0, false}, // a speed of 0 must not divide by zero nor move
        };
    for (const auto& c : cases)
        EXPECT_EQ(IsStepDue(c.elapsed, c.speed), c.due) << c.elapsed << " us at " << c.speed;
}
} // namespace
