#include "Corvan/Window/ScancodeTable.h"

#include <SDL2/SDL_scancode.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
#include <limits>

namespace
{
using namespace Vozad;

struct ScancodeCase
{
    int32_t scancode;
    int32_t code;
};

void ExpectCodes(std::initializer_list<ScancodeCase> p_Cases)
{
    for (const ScancodeCase& c : p_Cases)
        EXPECT_EQ(KeyCodeFromScancode(c.scancode), c.code) << "scancode " << c.scancode;
}

TEST(ScancodeTable, LettersDigitsAndFunctionKeys)
{
    ExpectCodes({
        {SDL_SCANCODE_A, 65},
        {SDL_SCANCODE_B, 66},
        {SDL_SCANCODE_M, 77},
        {SDL_SCANCODE_Y, 89},
        {SDL_SCANCODE_Z, 90},
        {SDL_SCANCODE_1, 49},
        {SDL_SCANCODE_5, 53},
        {SDL_SCANCODE_9, 57},
        {SDL_SCANCODE_0, 48},
        {SDL_SCANCODE_F1, 10},
        {SDL_SCANCODE_F11, 20},
        {SDL_SCANCODE_F12, 21},
    });
}

TEST(ScancodeTable, EditingAndNavigationKeys)
{
    ExpectCodes({
        {SDL_SCANCODE_RETURN, 314}, {SDL_SCANCODE_ESCAPE, 300},      {SDL_SCANCODE_BACKSPACE, 315},
        {SDL_SCANCODE_TAB, 301},    {SDL_SCANCODE_SPACE, 32},        {SDL_SCANCODE_CAPSLOCK, 302},
        {SDL_SCANCODE_PAUSE, 332},  {SDL_SCANCODE_PRINTSCREEN, 330}, {SDL_SCANCODE_SCROLLLOCK, 331},
        {SDL_SCANCODE_INSERT, 333}, {SDL_SCANCODE_HOME, 335},        {SDL_SCANCODE_PAGEUP, 337},
        {SDL_SCANCODE_DELETE, 334}, {SDL_SCANCODE_END, 336},         {SDL_SCANCODE_PAGEDOWN, 338},
        {SDL_SCANCODE_LEFT, 360},   {SDL_SCANCODE_RIGHT, 361},       {SDL_SCANCODE_UP, 362},
        {SDL_SCANCODE_DOWN, 363},
    });
}

TEST(ScancodeTable, LeftAndRightModifiersAreDistinct)
{
    ExpectCodes({
        {SDL_SCANCODE_LSHIFT, 304},
        {SDL_SCANCODE_RSHIFT, 305},
        {SDL_SCANCODE_LCTRL, 306},
        {SDL_SCANCODE_RCTRL, 307},
        {SDL_SCANCODE_LALT, 310},
        {SDL_SCANCODE_RALT, 311},
        {SDL_SCANCODE_LGUI, 308},
        {SDL_SCANCODE_RGUI, 309},
        {SDL_SCANCODE_APPLICATION, 313},
    });
}

TEST(ScancodeTable, PunctuationKeysGoByGermanPosition)
{
    ExpectCodes({
        {SDL_SCANCODE_GRAVE, 303},
        {SDL_SCANCODE_LEFTBRACKET, 152},
        {SDL_SCANCODE_RIGHTBRACKET, 44},
        {SDL_SCANCODE_COMMA, 43},
        {SDL_SCANCODE_SLASH, 312},
        {SDL_SCANCODE_PERIOD, 46},
        {SDL_SCANCODE_BACKSLASH, 98},
        {SDL_SCANCODE_NONUSHASH, 98},
        {SDL_SCANCODE_NONUSBACKSLASH, 62},
        // The German keys at these positions (ß, ´, Ö, Ä) by their Latin-1 codes.
        {SDL_SCANCODE_MINUS, 223},
        {SDL_SCANCODE_EQUALS, 180},
        {SDL_SCANCODE_SEMICOLON, 214},
        {SDL_SCANCODE_APOSTROPHE, 196},
    });
}

TEST(ScancodeTable, NumericPad)
{
    ExpectCodes({
        {SDL_SCANCODE_NUMLOCKCLEAR, 280},
        {SDL_SCANCODE_KP_DIVIDE, 281},
        {SDL_SCANCODE_KP_MULTIPLY, 282},
        {SDL_SCANCODE_KP_MINUS, 283},
        {SDL_SCANCODE_KP_PLUS, 284},
        {SDL_SCANCODE_KP_PERIOD, 286},
        {SDL_SCANCODE_KP_ENTER, 314},
        {SDL_SCANCODE_KP_0, 270},
        {SDL_SCANCODE_KP_1, 271},
        {SDL_SCANCODE_KP_5, 275},
        {SDL_SCANCODE_KP_9, 279},
    });
}

TEST(ScancodeTable, UnmappedAndOutOfRangeScancodesGiveZero)
{
    ExpectCodes({
        {SDL_SCANCODE_UNKNOWN, 0},
        {SDL_SCANCODE_F13, 0},
        {SDL_SCANCODE_F24, 0},
        {SDL_SCANCODE_MENU, 0},
        {SDL_SCANCODE_MUTE, 0},
        {SDL_SCANCODE_KP_EQUALS, 0},
        {SDL_SCANCODE_KP_COMMA, 0},
        {SDL_SCANCODE_AUDIONEXT, 0},
        {511, 0},
    });
    for (int32_t scancode : {-1, -512, 512, 513, 100000, std::numeric_limits<int32_t>::min(),
                             std::numeric_limits<int32_t>::max()})
        EXPECT_EQ(KeyCodeFromScancode(scancode), 0) << "scancode " << scancode;
}

// Every mapped code must be one the engine can hold a state for. Two physical keys share a code on
// purpose only: the keypad's Enter with Return, and the ISO # key with the backslash scancode
// that X11 may report for it.
TEST(ScancodeTable, CodesStayInsideTheKeySpaceAndAreUnique)
{
    int32_t owner[381] = {};
    for (int32_t scancode = 0; scancode < k_ScancodeTableSize; ++scancode)
    {
        const int32_t code = KeyCodeFromScancode(scancode);
        ASSERT_GE(code, 0) << "scancode " << scancode;
        ASSERT_LE(code, 380) << "scancode " << scancode;
        if (code == 0)
            continue;
        const bool sharedOnPurpose = scancode == SDL_SCANCODE_KP_ENTER || scancode == SDL_SCANCODE_NONUSHASH;
        if (owner[code] != 0 && !sharedOnPurpose)
            ADD_FAILURE() << "scancodes " << owner[code] << " and " << scancode << " both give " << code;
        if (owner[code] == 0)
            owner[code] = scancode;
    }
}
} // namespace
