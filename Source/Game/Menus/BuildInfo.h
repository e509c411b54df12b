#pragma once
// What the menus tell about this build. The stamp and the revision are written when the game is
// built (cmake/BuildStamp.cmake).

namespace Snake
{
inline constexpr const char* k_ProductVersion = "1.0.0.0";
inline constexpr const char* k_EngineName = "Quarne Engine";
inline constexpr const char* k_MakerName = "Kestrova Technologies";

// UTC date and time of the build: year, month, day, hour, minute, second (14 digits).
extern const char k_BuildStamp[];
// The source revision's first 10 hexadecimal digits; k_UnknownRevision outside a git checkout.
extern const char k_BuildRevision[];
inline constexpr const char* k_UnknownRevision = "unknown";
} // namespace Snake
