#pragma once
// Which keys may move the keyboard focus through a panel's controls and activate them. A panel
// over something the player steers (the game's board) leaves the steering keys to the steering:
// the layer that knows the bindings answers, the engine's navigation only asks.
#include <cstdint>

namespace Vozad
{
class INavigationKeys
{
public:
    virtual ~INavigationKeys() = default;
    // False for a key that must neither move the focus nor activate a control.
    virtual bool IsForNavigation(int32_t p_KeyCode) const = 0;
};
} // namespace Vozad
