#include "Lib/Platform/Platform.h"

#include "Lib/Log.h"
#include "Lib/Platform/SystemInfo.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>

namespace Lib
{
namespace
{
constexpr size_t k_DefaultFontNameCapacity = 50; // 49 characters and the terminator

std::unique_ptr<Platform> g_Platform;
char g_DefaultFontName[k_DefaultFontNameCapacity] = {};

const LogTag& PlatformTag()
{
    static const LogTag s_Tag("Platform");
    return s_Tag;
}

// Fills the default font fields; false when no candidate is present.
bool FindDefaultFont(Platform& p_Platform)
{
    static constexpr const char* k_FontFolder = "Resources/Fonts/Noto_Sans/";
    std::string folder;
    std::string name;
    static constexpr const char* k_Candidates[] = {"NotoSansJP-Regular.otf", "NotoSans-Regular.ttf"};
    for (const char* candidate : k_Candidates)
    {
        if (IsPresentFile(std::string(k_FontFolder) + candidate))
        {
            folder = k_FontFolder;
            name = candidate;
            break;
        }
    }
    if (name.empty())
    {
        String systemFolder;
        String systemName;
        SplitExecutablePath(String(FindSystemFont()), systemFolder, systemName);
        folder = systemFolder.ToNarrow().Bytes();
        name = systemName.ToNarrow().Bytes();
    }
    if (name.empty())
    {
        // Without a font no text can be drawn: the start ends here, and the player must learn why.
        std::string tried;
        for (const char* candidate : k_Candidates)
            tried += std::string("\"") + k_FontFolder + candidate + "\", ";
        LogError(PlatformTag(), "No font could be found: tried %sand %s.", tried.c_str(),
                 SystemFontSearchText());
        return false;
    }

    p_Platform.defaultFontFolder = String(folder);
    p_Platform.defaultFontFileName = String(name);
    p_Platform.defaultFontPath = String(folder + name);
    return true;
}

// At most 49 bytes, never ending inside a character.
void StoreDefaultFontName(const std::string& p_Name)
{
    size_t length = std::min(p_Name.size(), k_DefaultFontNameCapacity - 1);
    if (length < p_Name.size())
        while (length > 0 && (static_cast<unsigned char>(p_Name[length]) & 0xC0) == 0x80)
            --length;
    memcpy(g_DefaultFontName, p_Name.data(), length);
    g_DefaultFontName[length] = '\0';
}
} // namespace

bool InitialisePlatform()
{
    if (g_Platform)
        return true;

    SystemVersion system;
    if (!ReadSystemVersion(system))
    {
        LogError(PlatformTag(), "Unable to get operating system information!");
        return false;
    }

    // Built aside and published only when complete: a failed start leaves no half-made Platform
    // that a second attempt would take for a finished one.
    auto platform = std::make_unique<Platform>();
    platform->initialised = true;
    platform->majorVersion = system.major;
    platform->minorVersion = system.minor;
    platform->versionNumber = static_cast<double>(system.major * 10 + system.minor) / 10.0;
    platform->operatingSystemName = String(system.name);

    // DPI needs nothing here: every display reports its own through the window layer.

    platform->executablePath = String(ExecutablePath());
    SplitExecutablePath(platform->executablePath, platform->executableFolder, platform->executableName);

    if (!FindDefaultFont(*platform))
        return false;

    LogInfo(PlatformTag(), "Font found, setting default font: '%s'",
            platform->defaultFontPath.ToNarrow().Data());
    StoreDefaultFontName(platform->defaultFontFileName.ToNarrow().Bytes());
    g_Platform = std::move(platform);
    return true;
}

String FindSystemFontFile(const String& p_FileName)
{
    return String(FindFontFileNamed(p_FileName.ToNarrow().Bytes()));
}

Platform* GetPlatform()
{
    if (!g_Platform)
        LogError(PlatformTag(), "Platform wasn't initialised, please initialise the platform first.");
    return g_Platform.get();
}

void ShutdownPlatform()
{
    g_Platform.reset();
}

const char* GetDefaultFontName()
{
    return g_DefaultFontName;
}

} // namespace Lib
