#pragma once
// How the toolkit names a font: a file name (not a path) and a size in points.
#include "Lib/Platform/Platform.h"
#include "Lib/String.h"

#include <cstdint>

namespace Vozad
{
struct FontSpec
{
    uint32_t size = 14;                           // points
    Lib::String name = Lib::GetDefaultFontName(); // file name such as "ProggyClean.ttf"

    bool operator==(const FontSpec& p_Other) const { return size == p_Other.size && name == p_Other.name; }
};

// ImGui's built-in font: any spec naming it draws with the 13-pixel built-in face.
inline constexpr const char* k_BuiltInFontName = "ProggyClean.ttf";
} // namespace Vozad
