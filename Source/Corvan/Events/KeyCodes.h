#pragma once
// The engine's key code space (0..380, 0 = no key), the key-name table used by the
// configuration and the menus, and the modifier mask carried by input events.
#include <cstdint>

namespace Vozad
{
inline constexpr int32_t k_KeyCodeCount = 381;

// Codes the engine and the game refer to by name; the full space is documented in KeyCodes.cpp.
namespace KeyCode
{
inline constexpr int32_t None = 0;
inline constexpr int32_t F1 = 10;
inline constexpr int32_t F11 = 20;
inline constexpr int32_t Space = 32;
// Letter keys carry the code of their capital letter.
inline constexpr int32_t A = 65;
inline constexpr int32_t B = 66;
inline constexpr int32_t C = 67;
inline constexpr int32_t D = 68;
inline constexpr int32_t E = 69;
inline constexpr int32_t F = 70;
inline constexpr int32_t G = 71;
inline constexpr int32_t H = 72;
inline constexpr int32_t I = 73;
inline constexpr int32_t J = 74;
inline constexpr int32_t K = 75;
inline constexpr int32_t L = 76;
inline constexpr int32_t M = 77;
inline constexpr int32_t N = 78;
inline constexpr int32_t O = 79;
inline constexpr int32_t P = 80;
inline constexpr int32_t Q = 81;
inline constexpr int32_t R = 82;
inline constexpr int32_t S = 83;
inline constexpr int32_t T = 84;
inline constexpr int32_t U = 85;
inline constexpr int32_t V = 86;
inline constexpr int32_t W = 87;
inline constexpr int32_t X = 88;
inline constexpr int32_t Y = 89;
inline constexpr int32_t Z = 90;
inline constexpr int32_t Escape = 300;
inline constexpr int32_t Tab = 301;
inline constexpr int32_t CapsLock = 302;
inline constexpr int32_t Tilde = 303; // the key below Escape: the console key
inline constexpr int32_t LeftShift = 304;
inline constexpr int32_t RightShift = 305;
inline constexpr int32_t LeftControl = 306;
inline constexpr int32_t RightControl = 307;
inline constexpr int32_t LeftAlt = 310;
inline constexpr int32_t RightAlt = 311;
inline constexpr int32_t Return = 314;
inline constexpr int32_t Backspace = 315;
inline constexpr int32_t Home = 335;
inline constexpr int32_t End = 336;
inline constexpr int32_t PageUp = 337;
inline constexpr int32_t PageDown = 338;
inline constexpr int32_t LeftArrow = 360;
inline constexpr int32_t RightArrow = 361;
inline constexpr int32_t UpArrow = 362;
inline constexpr int32_t DownArrow = 363;
} // namespace KeyCode

// The mouse buttons of the mouse-press event.
namespace MouseButton
{
inline constexpr int32_t Left = 1;
inline constexpr int32_t Right = 2;
inline constexpr int32_t Middle = 3;
} // namespace MouseButton

// Exact, case-sensitive lookup in the name table; 0 for an unknown name or null.
int32_t KeyCodeFromName(const char* p_Name);
// The first name with that code in table order ("A" for 65); "" when the code has no name.
const char* KeyNameFromCode(int32_t p_Code);

// Modifier bits: 0 left control, 1 right control, 2 left alt, 3 right alt, 4 left shift,
// 5 right shift. A bit is set when that key's state is 1 (pressed).
enum ModifierBit : uint32_t
{
    k_ModifierLeftControl = 1u << 0,
    k_ModifierRightControl = 1u << 1,
    k_ModifierLeftAlt = 1u << 2,
    k_ModifierRightAlt = 1u << 3,
    k_ModifierLeftShift = 1u << 4,
    k_ModifierRightShift = 1u << 5,
};
// p_KeyStates holds k_KeyCodeCount states (0 up, 1 pressed, 2 held).
uint32_t ModifierMask(const int32_t* p_KeyStates);
} // namespace Vozad
