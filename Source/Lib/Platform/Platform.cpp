#include "Lib/Platform/Platform.h"

#include "Lib/Log.h"

#include <algorithm>
#include <cctype>
#include <climits>
#include <cstdio>
#include <cstring>
#include <fontconfig/fontconfig.h>
#include <memory>
#include <string>
#include <sys/stat.h>
#include <sys/utsname.h>
#include <unistd.h>

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

// The one test every probed file has to pass.
bool IsPresentFile(const std::string& p_Path)
{
    struct stat info
    {
    };
    return !p_Path.empty() && stat(p_Path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

// The value of PRETTY_NAME in an os-release file, without its quotes; empty when there is none.
std::string ReadPrettyName(const char* p_File)
{
    FILE* file = fopen(p_File, "r");
    if (!file)
        return {};
    std::string result;
    char line[512];
    while (fgets(line, sizeof(line), file))
    {
        static constexpr char k_Key[] = "PRETTY_NAME=";
        if (strncmp(line, k_Key, sizeof(k_Key) - 1) != 0)
            continue;
        std::string value(line + sizeof(k_Key) - 1);
        while (!value.empty() && isspace(static_cast<unsigned char>(value.back())))
            value.pop_back();
        if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
            value.back() == value.front())
            value = value.substr(1, value.size() - 2);
        // Shell-style escapes are allowed inside the quotes.
        bool escaped = false;
        for (char character : value)
        {
            if (!escaped && character == '\\')
            {
                escaped = true;
                continue;
            }
            escaped = false;
            result.push_back(character);
        }
        break;
    }
    fclose(file);
    return result;
}

std::string OperatingSystemName(const utsname& p_System)
{
    for (const char* file : {"/etc/os-release", "/usr/lib/os-release"})
    {
        std::string name = ReadPrettyName(file);
        if (!name.empty())
            return name;
    }
    return std::string(p_System.sysname) + " " + p_System.release;
}

std::string ExecutablePath()
{
    char buffer[PATH_MAX + 1] = {};
    const ssize_t length = readlink("/proc/self/exe", buffer, PATH_MAX);
    return length > 0 ? std::string(buffer, static_cast<size_t>(length)) : std::string();
}

// The file fontconfig picks for the pattern. With p_RequireFamily, the match counts only when it
// really is that family: fontconfig always answers with its best substitute.
std::string MatchFontFile(FcConfig* p_Config, const char* p_Pattern, bool p_RequireFamily)
{
    FcPattern* pattern = FcNameParse(reinterpret_cast<const FcChar8*>(p_Pattern));
    if (!pattern)
        return {};
    FcConfigSubstitute(p_Config, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* match = FcFontMatch(p_Config, pattern, &result);
    FcPatternDestroy(pattern);
    if (!match)
        return {};

    bool accepted = !p_RequireFamily;
    FcChar8* family = nullptr;
    for (int index = 0; !accepted && FcPatternGetString(match, FC_FAMILY, index, &family) == FcResultMatch;
         ++index)
        accepted = FcStrCmpIgnoreCase(family, reinterpret_cast<const FcChar8*>(p_Pattern)) == 0;

    std::string file;
    FcChar8* path = nullptr;
    if (accepted && FcPatternGetString(match, FC_FILE, 0, &path) == FcResultMatch && path)
        file = reinterpret_cast<const char*>(path);
    FcPatternDestroy(match);
    return file;
}

// The system's font in place of a fixed font folder: Noto Sans when it is installed, else whatever
// the system uses for sans-serif text. A private configuration is loaded and dropped again, so
// nothing of fontconfig stays alive behind the engine's back.
std::string FindSystemFont()
{
    FcConfig* config = FcInitLoadConfigAndFonts();
    if (!config)
        return {};
    std::string file = MatchFontFile(config, "Noto Sans", true);
    if (!IsPresentFile(file))
        file = MatchFontFile(config, "sans-serif", false);
    FcConfigDestroy(config);
    return IsPresentFile(file) ? file : std::string();
}

// The first font file fontconfig knows of whose file name (without its folder) is p_FileName.
std::string FindFontFileNamed(const std::string& p_FileName)
{
    if (p_FileName.empty() || p_FileName.find('/') != std::string::npos)
        return {};
    FcConfig* config = FcInitLoadConfigAndFonts();
    if (!config)
        return {};
    FcPattern* pattern = FcPatternCreate();
    FcObjectSet* objects = FcObjectSetBuild(FC_FILE, nullptr);
    FcFontSet* fonts = pattern && objects ? FcFontList(config, pattern, objects) : nullptr;
    std::string found;
    for (int i = 0; fonts && i < fonts->nfont && found.empty(); ++i)
    {
        FcChar8* file = nullptr;
        if (FcPatternGetString(fonts->fonts[i], FC_FILE, 0, &file) != FcResultMatch || !file)
            continue;
        const std::string path = reinterpret_cast<const char*>(file);
        const size_t separator = path.find_last_of('/');
        const std::string name = separator == std::string::npos ? path : path.substr(separator + 1);
        if (name == p_FileName && IsPresentFile(path))
            found = path;
    }
    if (fonts)
        FcFontSetDestroy(fonts);
    if (objects)
        FcObjectSetDestroy(objects);
    if (pattern)
        FcPatternDestroy(pattern);
    FcConfigDestroy(config);
    return found;
}

void SplitAtLastSeparator(const std::string& p_Path, std::string& p_Folder, std::string& p_Name)
{
    const size_t separator = p_Path.find_last_of("/\\");
    if (separator == std::string::npos)
    {
        p_Folder.clear();
        p_Name = p_Path;
        return;
    }
    p_Folder = p_Path.substr(0, separator + 1);
    p_Name = p_Path.substr(separator + 1);
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
        SplitAtLastSeparator(FindSystemFont(), folder, name);
    if (name.empty())
    {
        // Without a font no text can be drawn: the start ends here, and the player must learn why.
        std::string tried;
        for (const char* candidate : k_Candidates)
            tried += std::string("\"") + k_FontFolder + candidate + "\", ";
        LogError(
            PlatformTag(),
            "No font could be found: tried %sand the system's fonts (fontconfig: \"Noto Sans\", then any "
            "\"sans-serif\" font).",
            tried.c_str());
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

    utsname system{};
    if (uname(&system) != 0)
    {
        LogError(PlatformTag(), "Unable to get operating system information!");
        return false;
    }

    // Built aside and published only when complete: a failed start leaves no half-made Platform
    // that a second attempt would take for a finished one.
    auto platform = std::make_unique<Platform>();
    platform->initialised = true;
    unsigned major = 0;
    unsigned minor = 0;
    sscanf(system.release, "%u.%u", &major, &minor);
    platform->majorVersion = major;
    platform->minorVersion = minor;
    platform->versionNumber = static_cast<double>(major * 10 + minor) / 10.0;
    platform->operatingSystemName = String(OperatingSystemName(system));

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

void SplitExecutablePath(const String& p_Path, String& p_Folder, String& p_Name)
{
    std::string folder;
    std::string name;
    SplitAtLastSeparator(p_Path.ToNarrow().Bytes(), folder, name);
    p_Folder = String(folder);
    p_Name = String(name);
}
} // namespace Lib
