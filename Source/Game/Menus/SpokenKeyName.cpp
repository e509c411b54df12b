#include "Game/Menus/SpokenKeyName.h"

namespace Snake
{
namespace
{
constexpr std::string_view k_NumpadPrefix = "NUMPAD_";
} // namespace

Lib::String SpokenKeyName(const std::string& p_Name, const std::function<Lib::String(const char*)>& p_Lookup)
{
    if (p_Name.empty())
        return Lib::String();
    const std::string key = "key_name." + p_Name;
    Lib::String spoken = p_Lookup(key.c_str());
    if (!spoken.IsEmpty())
        return spoken;
    if (p_Name.starts_with(k_NumpadPrefix) && p_Name.size() > k_NumpadPrefix.size())
    {
        const Lib::String pad = p_Lookup("key_name.NUMPAD");
        if (!pad.IsEmpty())
            return Lib::String((pad.ToNarrow().Bytes() + " " + p_Name.substr(k_NumpadPrefix.size())).c_str());
    }
    return Lib::String(p_Name.c_str());
}
} // namespace Snake
