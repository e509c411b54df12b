#pragma once
// What each system answers for Platform.cpp: its name and version, the running executable and its
// fonts. Internal to the platform layer; the rest of the engine asks Lib::Platform.
#include <cstdint>
#include <string>

namespace Lib
{
struct SystemVersion
{
    std::string name; // as a person would call it, e.g. "Debian GNU/Linux 12 (bookworm)"
    uint32_t major = 0;
    uint32_t minor = 0;
};

// False when the system cannot be identified at all.
bool ReadSystemVersion(SystemVersion& p_Version);
// The full path of the running program in UTF-8; empty when the system does not say.
std::string ExecutablePath();
// The one test every probed font file has to pass: an existing regular file.
bool IsPresentFile(const std::string& p_Path);
// The system's own font to use when the program brings none; empty when there is none.
std::string FindSystemFont();
// The path of an installed font file with exactly this file name; empty when there is none.
std::string FindFontFileNamed(const std::string& p_FileName);
// How FindSystemFont searched, for the line that says no font was found.
const char* SystemFontSearchText();
} // namespace Lib
