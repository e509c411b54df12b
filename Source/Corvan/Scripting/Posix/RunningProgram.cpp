#include "Corvan/Scripting/RunningProgram.h"

#include <system_error>
#include <unistd.h>

namespace Telvar
{
std::filesystem::path RunningProgramPath()
{
    std::error_code error;
    std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::filesystem::path() : self;
}

std::string ProgramFileName(const std::string& p_Name)
{
    return p_Name;
}

bool IsRunnableProgram(const std::filesystem::path& p_Path)
{
    return access(p_Path.c_str(), X_OK) == 0;
}
} // namespace Telvar
