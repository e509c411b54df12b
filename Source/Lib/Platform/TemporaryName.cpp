#include "Lib/Platform/FileReplace.h"

namespace Lib
{
std::string TemporaryNameFor(const std::string& p_Target, int64_t p_ProcessId)
{
    return p_Target + ".tmp-" + std::to_string(p_ProcessId);
}

bool IsTemporaryNameOf(std::string_view p_Name, std::string_view p_TargetName, int64_t& p_ProcessId)
{
    constexpr std::string_view k_Infix = ".tmp-";
    if (p_TargetName.empty() || !p_Name.starts_with(p_TargetName) ||
        p_Name.substr(p_TargetName.size()).substr(0, k_Infix.size()) != k_Infix)
        return false;
    const std::string_view digits = p_Name.substr(p_TargetName.size() + k_Infix.size());
    if (digits.empty() || digits.size() > 18)
        return false;
    int64_t value = 0;
    for (const char digit : digits)
    {
        if (digit < '0' || digit > '9')
            return false;
        value = value * 10 + (digit - '0');
    }
    p_ProcessId = value;
    return true;
}

} // namespace Lib
