#pragma once
// The four keys the snake is steered with, as the configuration names them. Steering reads them
// every frame, and the menus ask whether a key is one of them, so that a key the player steers
// with never doubles as a menu shortcut.
#include <cstdint>

namespace Snake
{
class ICoreInterface;

// The engine key code of the key bound to a movement entry (k_ConfigMoveLeft ... Down); 0 when
// the entry names no key of the key-name table.
int32_t MovementKeyCode(ICoreInterface& p_Core, int32_t p_ConfigId);
// True when one of the four movement entries is bound to this key code.
bool IsMovementKey(ICoreInterface& p_Core, int32_t p_KeyCode);
} // namespace Snake
