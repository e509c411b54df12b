#pragma once
// The licence texts of the libraries the program uses, in the order the about menu lists them.
// They are read from the installed packages when the game is built (Menus/LicenceTable.cmake).
#include <span>
#include <string_view>

namespace Snake
{
struct LicenceText
{
    const char* name;      // "edid_license", ...
    const char* library;   // the name on the text's banner
    std::string_view text; // starts with the banner; UTF-8
};

std::span<const LicenceText> GetLicenceTexts();
} // namespace Snake
