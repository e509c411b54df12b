#include "Corvan/Window/ScancodeTable.h"

#include "Corvan/Events/KeyCodes.h"

#include <SDL2/SDL_scancode.h>

#include <array>
#include <cstddef>

namespace Vozad
{
namespace
{
static_assert(SDL_NUM_SCANCODES == k_ScancodeTableSize, "one table entry per SDL scancode");

using ScancodeTable = std::array<int32_t, k_ScancodeTableSize>;

// The table goes by physical key, not by the character a layout puts on it. Key bindings and
// the console key must stay where the player's fingers expect them whatever layout the desktop
// runs, and the engine's codes for the punctuation keys were laid out after the key positions
// of a German ISO keyboard. So each OEM key is matched by where it sits on that keyboard: the
// key below Escape is "~" (the console key), the key right of P is 152, and so on.
constexpr ScancodeTable BuildScancodeTable()
{
    ScancodeTable table{};

    for (int32_t i = 0; i < 26; ++i)
        table[SDL_SCANCODE_A + i] = 65 + i;
    // SDL orders the digit row 1..9, 0 as it sits on the keyboard.
    for (int32_t i = 0; i < 9; ++i)
        table[SDL_SCANCODE_1 + i] = 49 + i;
    table[SDL_SCANCODE_0] = 48;
    for (int32_t i = 0; i < 12; ++i)
        table[SDL_SCANCODE_F1 + i] = KeyCode::F1 + i;

    table[SDL_SCANCODE_RETURN] = KeyCode::Return;
    table[SDL_SCANCODE_ESCAPE] = KeyCode::Escape;
    table[SDL_SCANCODE_BACKSPACE] = KeyCode::Backspace;
    table[SDL_SCANCODE_TAB] = KeyCode::Tab;
    table[SDL_SCANCODE_SPACE] = KeyCode::Space;
    table[SDL_SCANCODE_CAPSLOCK] = KeyCode::CapsLock;

    table[SDL_SCANCODE_PRINTSCREEN] = 330;
    table[SDL_SCANCODE_SCROLLLOCK] = 331;
    table[SDL_SCANCODE_PAUSE] = 332;
    table[SDL_SCANCODE_INSERT] = 333;
    table[SDL_SCANCODE_DELETE] = 334;
    table[SDL_SCANCODE_HOME] = 335;
    table[SDL_SCANCODE_END] = 336;
    table[SDL_SCANCODE_PAGEUP] = 337;
    table[SDL_SCANCODE_PAGEDOWN] = 338;

    table[SDL_SCANCODE_LEFT] = KeyCode::LeftArrow;
    table[SDL_SCANCODE_RIGHT] = KeyCode::RightArrow;
    table[SDL_SCANCODE_UP] = KeyCode::UpArrow;
    table[SDL_SCANCODE_DOWN] = KeyCode::DownArrow;

    table[SDL_SCANCODE_NUMLOCKCLEAR] = 280;
    table[SDL_SCANCODE_KP_DIVIDE] = 281;
    table[SDL_SCANCODE_KP_MULTIPLY] = 282;
    table[SDL_SCANCODE_KP_MINUS] = 283;
    table[SDL_SCANCODE_KP_PLUS] = 284;
    table[SDL_SCANCODE_KP_PERIOD] = 286;
    // The pad's Enter is the same key as Return to everything that reads key codes.
    table[SDL_SCANCODE_KP_ENTER] = KeyCode::Return;
    for (int32_t i = 0; i < 9; ++i)
        table[SDL_SCANCODE_KP_1 + i] = 271 + i;
    table[SDL_SCANCODE_KP_0] = 270;

    table[SDL_SCANCODE_LSHIFT] = KeyCode::LeftShift;
    table[SDL_SCANCODE_RSHIFT] = KeyCode::RightShift;
    table[SDL_SCANCODE_LCTRL] = KeyCode::LeftControl;
    table[SDL_SCANCODE_RCTRL] = KeyCode::RightControl;
    table[SDL_SCANCODE_LALT] = KeyCode::LeftAlt;
    table[SDL_SCANCODE_RALT] = KeyCode::RightAlt; // AltGr arrives as right Alt
    table[SDL_SCANCODE_LGUI] = 308;
    table[SDL_SCANCODE_RGUI] = 309;
    table[SDL_SCANCODE_APPLICATION] = 313;

    // Punctuation keys, named by their US position, coded by the German key that sits there.
    table[SDL_SCANCODE_GRAVE] = KeyCode::Tilde; // ^
    table[SDL_SCANCODE_LEFTBRACKET] = 152;      // Ü
    table[SDL_SCANCODE_RIGHTBRACKET] = 44;      // +
    table[SDL_SCANCODE_COMMA] = 43;             // ,
    table[SDL_SCANCODE_PERIOD] = 46;            // .
    table[SDL_SCANCODE_SLASH] = 312;            // -
    table[SDL_SCANCODE_NONUSHASH] = 98;         // #
    table[SDL_SCANCODE_BACKSLASH] = 98;         // X11 reports the ISO # key as backslash
    table[SDL_SCANCODE_NONUSBACKSLASH] = 62;    // <
    // The German letters at the remaining positions take their Latin-1 character codes, which
    // no other key of the space uses.
    table[SDL_SCANCODE_MINUS] = 223;      // ß
    table[SDL_SCANCODE_EQUALS] = 180;     // ´
    table[SDL_SCANCODE_SEMICOLON] = 214;  // Ö
    table[SDL_SCANCODE_APOSTROPHE] = 196; // Ä

    return table;
}

constexpr ScancodeTable k_ScancodeTable = BuildScancodeTable();
} // namespace

int32_t KeyCodeFromScancode(int32_t p_Scancode)
{
    if (p_Scancode < 0 || p_Scancode >= k_ScancodeTableSize)
        return KeyCode::None;
    return k_ScancodeTable[static_cast<std::size_t>(p_Scancode)];
}
} // namespace Vozad
