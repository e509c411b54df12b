#include "Corvan/Renderer/ScreenshotFile.h"

#include "Lib/Platform/File.h"
#include "Lib/Platform/NewFile.h"

#include <cerrno>

namespace Vozad
{
namespace
{
// More screenshots than this within one second are not a player pressing a key.
constexpr uint32_t k_MaxCopiesPerName = 1000;
} // namespace

std::string NumberedPath(const std::string& p_Path, uint32_t p_Copy)
{
    if (p_Copy <= 1)
        return p_Path;
    const size_t slash = p_Path.rfind('/');
    size_t dot = p_Path.rfind('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
        dot = p_Path.size();
    return p_Path.substr(0, dot) + "_" + std::to_string(p_Copy) + p_Path.substr(dot);
}

NewFileResult WriteNewFile(const std::string& p_Path, const std::vector<uint8_t>& p_Bytes)
{
    NewFileResult result;
    result.path = p_Path;
    const std::string_view bytes(reinterpret_cast<const char*>(p_Bytes.data()), p_Bytes.size());
    for (uint32_t copy = 1; copy <= k_MaxCopiesPerName; ++copy)
    {
        const std::string path = NumberedPath(p_Path, copy);
        const int32_t error = Lib::WriteNewFile(Lib::String(path), bytes);
        if (error == EEXIST)
            continue;
        result.path = path;
        if (error != 0)
        {
            result.error = Lib::ErrorTextOf(error).ToNarrow().Bytes();
            return result;
        }
        result.written = true;
        return result;
    }
    result.error = "every name for this second is taken";
    return result;
}
} // namespace Vozad
