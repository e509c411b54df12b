#include "Lib/Platform/SystemInfo.h"

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
bool IsPresentFile(const std::string& p_Path)
{
    struct stat info
    {
    };
    return !p_Path.empty() && stat(p_Path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

namespace
{

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

std::string PrettyName(const utsname& p_System)
{
    for (const char* file : {"/etc/os-release", "/usr/lib/os-release"})
    {
        std::string name = ReadPrettyName(file);
        if (!name.empty())
            return name;
    }
    return std::string(p_System.sysname) + " " + p_System.release;
}

} // namespace

bool ReadSystemVersion(SystemVersion& p_Version)
{
    utsname system{};
    if (uname(&system) != 0)
        return false;
    unsigned major = 0;
    unsigned minor = 0;
    sscanf(system.release, "%u.%u", &major, &minor);
    p_Version.major = major;
    p_Version.minor = minor;
    p_Version.name = PrettyName(system);
    return true;
}

std::string ExecutablePath()
{
    char buffer[PATH_MAX + 1] = {};
    const ssize_t length = readlink("/proc/self/exe", buffer, PATH_MAX);
    return length > 0 ? std::string(buffer, static_cast<size_t>(length)) : std::string();
}

namespace
{
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

} // namespace

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

const char* SystemFontSearchText()
{
    return "the system's fonts (fontconfig: \"Noto Sans\", then any \"sans-serif\" font)";
}
} // namespace Lib
