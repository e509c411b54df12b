#pragma once
// Translation from SDL scancodes (the physical key) to the engine's key codes: the window's
// one table of platform key numbers. The header stays free of SDL so callers need not see it.
#include <cstdint>

namespace Vozad
{
inline constexpr int32_t k_ScancodeTableSize = 512;

// The engine key code of a scancode; 0 for a key the engine does not know or a value outside
// 0..k_ScancodeTableSize - 1.
int32_t KeyCodeFromScancode(int32_t p_Scancode);
} // namespace Vozad
