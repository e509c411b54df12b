#include "Lib/Platform/WorkingFolder.h"

#include <cerrno>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

namespace Lib
{
namespace
{
std::string Reason(const std::string& p_Folder, const char* p_What, int p_Error)
{
    return "cannot " + std::string(p_What) + " \"" + p_Folder + "\": " + std::strerror(p_Error);
}

// mkdir -p: each prefix ending before a '/' is made in turn; ones that exist are fine as long as
// they are folders (or links to folders).
bool CreateFolders(const std::string& p_Path, std::string& p_Error)
{
    for (size_t end = p_Path.find('/', 1);; end = p_Path.find('/', end + 1))
    {
        const std::string prefix = p_Path.substr(0, end);
        if (!prefix.empty() && mkdir(prefix.c_str(), 0777) != 0 && errno != EEXIST)
        {
            p_Error = Reason(prefix, "create the folder", errno);
            return false;
        }
        if (end == std::string::npos)
            return true;
    }
}
} // namespace

bool EnterWorkingFolder(const std::string& p_Path, std::string& p_Error)
{
    if (p_Path.empty())
    {
        p_Error = "cannot use the folder \"\": the name is empty";
        return false;
    }
    if (!CreateFolders(p_Path, p_Error))
        return false;
    struct stat info
    {
    };
    if (stat(p_Path.c_str(), &info) != 0)
    {
        p_Error = Reason(p_Path, "use the folder", errno);
        return false;
    }
    if (!S_ISDIR(info.st_mode))
    {
        p_Error = Reason(p_Path, "use the folder", ENOTDIR);
        return false;
    }
    // The settings are only written when the game ends: a folder that cannot take them must be
    // refused now, not after a whole session.
    if (access(p_Path.c_str(), W_OK | X_OK) != 0)
    {
        p_Error = Reason(p_Path, "write into", errno);
        return false;
    }
    if (chdir(p_Path.c_str()) != 0)
    {
        p_Error = Reason(p_Path, "enter", errno);
        return false;
    }
    return true;
}
} // namespace Lib
