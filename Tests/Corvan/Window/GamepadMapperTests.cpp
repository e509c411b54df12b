#include "Corvan/Window/GamepadMapper.h"

#include "Corvan/Events/KeyCodes.h"

#include <gtest/gtest.h>

#include <vector>

namespace
{
using Vozad::GamepadButton;
using Vozad::GamepadKey;
using Vozad::GamepadMapper;
namespace KeyCode = Vozad::KeyCode;

using Keys = std::vector<GamepadKey>;
} // namespace

TEST(GamepadMapper, ButtonsAreTheMenuAndSteeringKeys)
{
    struct Case
    {
        GamepadButton button;
        int32_t key;
    };
    for (const Case& c :
         {Case{GamepadButton::A, KeyCode::Return}, Case{GamepadButton::B, KeyCode::Escape},
          Case{GamepadButton::Start, KeyCode::Escape}, Case{GamepadButton::DpadUp, KeyCode::UpArrow},
          Case{GamepadButton::DpadDown, KeyCode::DownArrow},
          Case{GamepadButton::DpadLeft, KeyCode::LeftArrow},
          Case{GamepadButton::DpadRight, KeyCode::RightArrow}})
    {
        GamepadMapper mapper;
        EXPECT_EQ(mapper.OnButton(c.button, true), (Keys{{c.key, true}}));
        EXPECT_EQ(mapper.OnButton(c.button, false), (Keys{{c.key, false}}));
    }
    GamepadMapper mapper;
    EXPECT_TRUE(mapper.OnButton(GamepadButton::Other, true).empty());
    // A release without a press is nothing to report.
    EXPECT_TRUE(mapper.OnButton(GamepadButton::A, false).empty());
}

TEST(GamepadMapper, TheStickSteersOutsideItsDeadZoneAlongTheAxisPushedFurthest)
{
    const int32_t past = GamepadMapper::k_DeadZone + 1;
    struct Step
    {
        int32_t x, y;
        Keys keys;
    };
    const std::vector<Step> steps = {
        {GamepadMapper::k_DeadZone, 0, {}},       // resting drift steers nothing
        {-past, 0, {{KeyCode::LeftArrow, true}}}, // left
        {-32768, 0, {}},                          // further left: still held, no new press
        {-20000, -25000, {{KeyCode::LeftArrow, false}, {KeyCode::UpArrow, true}}}, // up wins the diagonal
        {0, 32767, {{KeyCode::UpArrow, false}, {KeyCode::DownArrow, true}}},
        {past, 0, {{KeyCode::DownArrow, false}, {KeyCode::RightArrow, true}}},
        {0, 0, {{KeyCode::RightArrow, false}}},
    };
    GamepadMapper mapper;
    for (const Step& step : steps)
    {
        SCOPED_TRACE(std::to_string(step.x) + ", " + std::to_string(step.y));
        EXPECT_EQ(mapper.OnStick(step.x, step.y), step.keys);
    }
}

TEST(GamepadMapper, ADirectionHeldTwiceIsOneKeyAndUnplugReleasesEverything)
{
    GamepadMapper mapper;
    EXPECT_EQ(mapper.OnButton(GamepadButton::DpadLeft, true), (Keys{{KeyCode::LeftArrow, true}}));
    EXPECT_TRUE(mapper.OnStick(-30000, 0).empty()) << "already down through the d-pad";
    EXPECT_TRUE(mapper.OnButton(GamepadButton::DpadLeft, false).empty()) << "the stick still holds it";
    EXPECT_EQ(mapper.OnStick(0, 0), (Keys{{KeyCode::LeftArrow, false}}));

    mapper.OnButton(GamepadButton::A, true);
    mapper.OnStick(0, 30000);
    Keys released = mapper.ReleaseAll();
    EXPECT_EQ(released, (Keys{{KeyCode::Return, false}, {KeyCode::DownArrow, false}}));
    EXPECT_TRUE(mapper.ReleaseAll().empty());
    // Afterwards a press is a press again.
    EXPECT_EQ(mapper.OnButton(GamepadButton::A, true), (Keys{{KeyCode::Return, true}}));
}
