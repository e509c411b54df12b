#pragma once
// Where the toolkit finds a font file by its name, and the pixel size a font description loads at.
#include "Corvan/Gui/FontSpec.h"
#include "Lib/String.h"

namespace Vozad
{
// The program's font folder, relative to the working directory.
inline constexpr const char* k_FontFolder = "Resources/Fonts/";

// Looks for a file named exactly p_Name: first in the program's font folder and its subfolders
// (each folder's own files before its subfolders, subfolders in listing order, depth first),
// then among the system's installed fonts. False, with p_Path untouched, for an empty name or a
// name found nowhere.
bool ResolveFontPath(const Lib::String& p_Name, Lib::String& p_Path);

// ImGui's built-in font always has 13 pixels; every other font has floor(points * 96 / 72): the
// screen is taken to have 96 dots per inch, without further scaling.
float FontPixelSize(const FontSpec& p_Font);
} // namespace Vozad
