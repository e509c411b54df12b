#include "Corvan/Window/GamepadMapper.h"

#include "Corvan/Events/KeyCodes.h"

#include <algorithm>
#include <cstdlib>

namespace Vozad
{
namespace
{
int32_t KeyOf(GamepadButton p_Button)
{
    switch (p_Button)
    {
    case GamepadButton::A:
        return KeyCode::Return;
    case GamepadButton::B:
    case GamepadButton::Start:
        return KeyCode::Escape;
    case GamepadButton::DpadUp:
        return KeyCode::UpArrow;
    case GamepadButton::DpadDown:
        return KeyCode::DownArrow;
    case GamepadButton::DpadLeft:
        return KeyCode::LeftArrow;
    case GamepadButton::DpadRight:
        return KeyCode::RightArrow;
    default:
        return KeyCode::None;
    }
}
} // namespace

void GamepadMapper::Set(int32_t p_KeyCode, Source p_Source, bool p_Down, std::vector<GamepadKey>& p_Out)
{
    auto held = std::find_if(m_Held.begin(), m_Held.end(),
                             [p_KeyCode](const Held& p_Held) { return p_Held.keyCode == p_KeyCode; });
    const uint32_t before = held == m_Held.end() ? 0 : held->sources;
    const uint32_t after = p_Down ? before | p_Source : before & ~static_cast<uint32_t>(p_Source);
    if (held == m_Held.end() && after != 0)
        m_Held.push_back({p_KeyCode, after});
    else if (held != m_Held.end() && after == 0)
        m_Held.erase(held);
    else if (held != m_Held.end())
        held->sources = after;
    if ((before == 0) != (after == 0))
        p_Out.push_back({p_KeyCode, after != 0});
}

std::vector<GamepadKey> GamepadMapper::OnButton(GamepadButton p_Button, bool p_Down)
{
    std::vector<GamepadKey> keys;
    const int32_t code = KeyOf(p_Button);
    if (code != KeyCode::None)
        Set(code, k_FromButton, p_Down, keys);
    return keys;
}

std::vector<GamepadKey> GamepadMapper::OnStick(int32_t p_X, int32_t p_Y)
{
    // Only the axis pushed further counts: a diagonal would press two arrows, and the snake
    // would take whichever the game reads first.
    const bool horizontal = std::abs(p_X) >= std::abs(p_Y);
    const int32_t major = horizontal ? p_X : p_Y;
    const bool pushed = std::abs(major) > k_DeadZone;
    std::vector<GamepadKey> keys;
    const struct
    {
        int32_t code;
        bool on;
    } directions[] = {
        {KeyCode::LeftArrow, pushed && horizontal && major < 0},
        {KeyCode::RightArrow, pushed && horizontal && major > 0},
        {KeyCode::UpArrow, pushed && !horizontal && major < 0},
        {KeyCode::DownArrow, pushed && !horizontal && major > 0},
    };
    // Releases first, so a stick swung from left to up never holds both for a moment.
    for (const auto& direction : directions)
        if (!direction.on)
            Set(direction.code, k_FromStick, false, keys);
    for (const auto& direction : directions)
        if (direction.on)
            Set(direction.code, k_FromStick, true, keys);
    return keys;
}

std::vector<GamepadKey> GamepadMapper::ReleaseAll()
{
    std::vector<GamepadKey> keys;
    for (const Held& held : m_Held)
        keys.push_back({held.keyCode, false});
    m_Held.clear();
    return keys;
}
} // namespace Vozad
