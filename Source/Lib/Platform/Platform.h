#pragma once
// What the engine knows about the system it runs on: the OS, the executable, the default font.
#include "Lib/String.h"

#include <cstdint>

namespace Lib
{
struct Platform
{
    String reserved0;
    String operatingSystemName;
    String reserved1, reserved2, reserved3; // kept for the record layout; nothing fills them
    bool initialised = false;
    String executablePath;
    String executableFolder; // up to and including the last separator; empty when there is none
    String executableName;   // behind the last separator; the whole path when there is none
    String defaultFontFolder;
    String defaultFontFileName;
    String defaultFontPath;
    double displayDpi = 0.0;
    double versionNumber = 0.0; // (major * 10 + minor) / 10
    uint32_t majorVersion = 0;
    uint32_t minorVersion = 0;
};

// Creates the process-wide Platform; true at once when it exists. Fails when no default font can
// be found (or the system cannot be identified), and then leaves no Platform behind.
bool InitialisePlatform();
// The Platform, or null (with an Error line) before InitialisePlatform.
Platform* GetPlatform();
// Destroys the Platform (the engine's shutdown does this).
void ShutdownPlatform();

// The full path of an installed system font whose file name is exactly p_FileName (the system's
// font folders stand in for a fixed font folder); empty when the system has no such file.
String FindSystemFontFile(const String& p_FileName);

// The name every new font description starts with (at most 49 characters).
const char* GetDefaultFontName();

// Splits a path at its last '/' or '\' into folder (separator included) and name.
void SplitExecutablePath(const String& p_Path, String& p_Folder, String& p_Name);
} // namespace Lib
