#include "Corvan/Scripting/RunningProgram.h"

#include <windows.h>

#include <system_error>
#include <vector>

namespace Telvar
{
std::filesystem::path RunningProgramPath()
{
    // Long paths are allowed to exceed MAX_PATH; a buffer that comes back full was too small.
    std::vector<wchar_t> buffer(MAX_PATH);
    for (;;)
    {
        const DWORD length = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0)
            return {};
        if (length < buffer.size())
            return std::filesystem::path(std::wstring(buffer.data(), length));
        buffer.resize(buffer.size() * 2);
    }
}

std::string ProgramFileName(const std::string& p_Name)
{
    return p_Name + ".exe";
}

bool IsRunnableProgram(const std::filesystem::path& p_Path)
{
    // Windows has no execute bit to ask for: a regular file with the program suffix is one.
    std::error_code error;
    return std::filesystem::is_regular_file(p_Path, error);
}
} // namespace Telvar
