// The key code space, 0..380 (0 = no key):
//   10..28    F1..F19
//   32        space
//   43 44 46  the OEM comma, plus and period positions
//   48..57    digits 0..9
//   62 98 152 the OEM 102, OEM 2 and OEM 1 positions
//   180 196   the German ´ and Ä keys (US = and ')
//   214 223   the German Ö and ß keys (US ; and -)
//   65..90    letters A..Z
//   270..279  numeric pad 0..9
//   280..286  num lock, pad divide, multiply, subtract, add, (285 unused), decimal
//   300..315  escape, tab, caps lock, "~", shifts, controls, Windows keys, alts, OEM minus,
//             applications, return, backspace
//   330..338  print screen, scroll lock, pause, insert, delete, home, end, page up, page down
//   360..363  arrows left, right, up, down
#include "Corvan/Events/KeyCodes.h"

#include <cstddef>
#include <cstring>
#include <iterator>

namespace Vozad
{
namespace
{
struct KeyNameRow
{
    const char* name;
    int32_t code;
};

// Order matters: lookups return the first match, which is how a letter's code yields its
// upper-case name while both cases still parse. Stored configuration files use these names.
constexpr KeyNameRow k_KeyNames[] = {
    {"F1", 10},
    {"F2", 11},
    {"F3", 12},
    {"F4", 13},
    {"F5", 14},
    {"F6", 15},
    {"F7", 16},
    {"F8", 17},
    {"F9", 18},
    {"F10", 19},
    {"F11", 20},
    {"F12", 21},
    {"F13", 22},
    {"F14", 23},
    {"F15", 24},
    {"F16", 25},
    {"F17", 26},
    {"F18", 27},
    {"F19", 28},
    {"A", 65},
    {"a", 65},
    {"B", 66},
    {"b", 66},
    {"C", 67},
    {"c", 67},
    {"D", 68},
    {"d", 68},
    {"E", 69},
    {"e", 69},
    {"F", 70},
    {"f", 70},
    {"G", 71},
    {"g", 71},
    {"H", 72},
    {"h", 72},
    {"I", 73},
    {"i", 73},
    {"J", 74},
    {"j", 74},
    {"K", 75},
    {"k", 75},
    {"L", 76},
    {"l", 76},
    {"M", 77},
    {"m", 77},
    {"N", 78},
    {"n", 78},
    {"O", 79},
    {"o", 79},
    {"P", 80},
    {"p", 80},
    {"Q", 81},
    {"q", 81},
    {"R", 82},
    {"r", 82},
    {"S", 83},
    {"s", 83},
    {"T", 84},
    {"t", 84},
    {"U", 85},
    {"u", 85},
    {"V", 86},
    {"v", 86},
    {"W", 87},
    {"w", 87},
    {"X", 88},
    {"x", 88},
    {"Y", 89},
    {"y", 89},
    {"Z", 90},
    {"z", 90},
    {"NUMPAD_0", 270},
    {"NUMPAD_1", 271},
    {"NUMPAD_2", 272},
    {"NUMPAD_3", 273},
    {"NUMPAD_4", 274},
    {"NUMPAD_5", 275},
    {"NUMPAD_6", 276},
    {"NUMPAD_7", 277},
    {"NUMPAD_8", 278},
    {"NUMPAD_9", 279},
    {"ESCAPE", 300},
    {"~", 303},
    {"LEFT_ARROW", 360},
    {"RIGHT_ARROW", 361},
    {"UP_ARROW", 362},
    {"DOWN_ARROW", 363},
    // The punctuation keys, named after what a US keyboard prints on them. Appended, so every
    // name above keeps the code it always had.
    {"MINUS", 223},
    {"EQUALS", 180},
    {"LEFT_BRACKET", 152},
    {"RIGHT_BRACKET", 44},
    {"BACKSLASH", 98},
    {"SEMICOLON", 214},
    {"APOSTROPHE", 196},
    {"COMMA", 43},
    {"PERIOD", 46},
    {"SLASH", 312},
    {"NONUS_BACKSLASH", 62},
};
static_assert(std::size(k_KeyNames) == 98, "the key-name table has 98 rows");

struct ModifierRow
{
    int32_t code;
    uint32_t bit;
};

constexpr ModifierRow k_Modifiers[] = {
    {KeyCode::LeftControl, k_ModifierLeftControl}, {KeyCode::RightControl, k_ModifierRightControl},
    {KeyCode::LeftAlt, k_ModifierLeftAlt},         {KeyCode::RightAlt, k_ModifierRightAlt},
    {KeyCode::LeftShift, k_ModifierLeftShift},     {KeyCode::RightShift, k_ModifierRightShift},
};
} // namespace

int32_t KeyCodeFromName(const char* p_Name)
{
    if (!p_Name)
        return KeyCode::None;
    const std::size_t length = std::strlen(p_Name);
    for (const KeyNameRow& row : k_KeyNames)
        if (std::strlen(row.name) == length && std::memcmp(row.name, p_Name, length) == 0)
            return row.code;
    return KeyCode::None;
}

const char* KeyNameFromCode(int32_t p_Code)
{
    for (const KeyNameRow& row : k_KeyNames)
        if (row.code == p_Code)
            return row.name;
    return "";
}

uint32_t ModifierMask(const int32_t* p_KeyStates)
{
    if (!p_KeyStates)
        return 0;
    // Only a fresh press counts: once auto-repeat has turned a modifier into "held" (2), keys
    // typed afterwards arrive without it.
    uint32_t mask = 0;
    for (const ModifierRow& row : k_Modifiers)
        if (p_KeyStates[row.code] == 1)
            mask |= row.bit;
    return mask;
}
} // namespace Vozad
