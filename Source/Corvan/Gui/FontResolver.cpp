#include "Corvan/Gui/FontResolver.h"

#include "Lib/Platform/FileSystem.h"
#include "Lib/Platform/Platform.h"

#include <cmath>
#include <map>
#include <string>

namespace Vozad
{
namespace
{
// Depth first through p_Folder (which ends with a separator).
bool SearchFolder(const Lib::String& p_Folder, const Lib::String& p_Name, Lib::String& p_Path)
{
    const Lib::FolderContent content = Lib::ListFolder(p_Folder);
    for (uint32_t i = 0; i < content.files.Count(); ++i)
    {
        if (content.files[i] == p_Name)
        {
            p_Path = Lib::String::Concat(p_Folder, p_Name);
            return true;
        }
    }
    for (uint32_t i = 0; i < content.folders.Count(); ++i)
    {
        const Lib::String subfolder =
            Lib::String::Format("%s/%s/", p_Folder.ToNarrow().Data(), content.folders[i].ToNarrow().Data());
        if (SearchFolder(subfolder, p_Name, p_Path))
            return true;
    }
    return false;
}

// Asking the system costs a scan of its font configuration; the installed fonts do not change
// while the program runs, so every name is asked once, misses included.
Lib::String FindSystemFont(const Lib::String& p_Name)
{
    static std::map<std::wstring, Lib::String> s_Known;
    const auto known = s_Known.find(p_Name.Wide());
    if (known != s_Known.end())
        return known->second;
    Lib::String path = Lib::FindSystemFontFile(p_Name);
    s_Known.emplace(p_Name.Wide(), path);
    return path;
}
} // namespace

bool ResolveFontPath(const Lib::String& p_Name, Lib::String& p_Path)
{
    if (p_Name.IsEmpty())
        return false;
    if (SearchFolder(Lib::String(k_FontFolder), p_Name, p_Path))
        return true;
    const Lib::String system = FindSystemFont(p_Name);
    if (system.IsEmpty())
        return false;
    p_Path = system;
    return true;
}

float FontPixelSize(const FontSpec& p_Font)
{
    if (p_Font.name == Lib::String(k_BuiltInFontName))
        return 13.0f;
    return std::floor(static_cast<float>(p_Font.size) * 96.0f / 72.0f);
}
} // namespace Vozad
