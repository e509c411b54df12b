#pragma once
// Turns a game controller's buttons and left stick into the engine's keys: the d-pad and the
// stick are the arrow keys, A is Return, B and Start are Escape. A key goes down when the first
// of its sources goes down and up when the last one lets go, so a d-pad and a stick held the same
// way press the key once.
#include <cstdint>
#include <vector>

namespace Vozad
{
struct GamepadKey
{
    int32_t keyCode = 0;
    bool down = false;
    bool operator==(const GamepadKey&) const = default;
};

enum class GamepadButton : int32_t
{
    A,
    B,
    Start,
    DpadUp,
    DpadDown,
    DpadLeft,
    DpadRight,
    Other,
};

class GamepadMapper
{
public:
    // About 37 % of the stick's travel: a resting stick that drifts never steers.
    static constexpr int32_t k_DeadZone = 12000;

    std::vector<GamepadKey> OnButton(GamepadButton p_Button, bool p_Down);
    // The left stick's axes, -32768 to 32767 (y grows downwards).
    std::vector<GamepadKey> OnStick(int32_t p_X, int32_t p_Y);
    // Every key still down goes up (the controller was unplugged).
    std::vector<GamepadKey> ReleaseAll();

private:
    enum Source : uint32_t
    {
        k_FromButton = 1,
        k_FromStick = 2,
    };
    struct Held
    {
        int32_t keyCode;
        uint32_t sources;
    };
    void Set(int32_t p_KeyCode, Source p_Source, bool p_Down, std::vector<GamepadKey>& p_Out);

    std::vector<Held> m_Held;
};
} // namespace Vozad
