#include "Lib/Platform/FileSystem.h"

#include "Lib/Log.h"
#include "Lib/Platform/SystemError.h"

#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace Lib
{
namespace
{
bool IsFolder(const std::string& p_Path)
{
    struct stat info
    {
    };
    return stat(p_Path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

// Links count by what they point to, the way the folder listing of other systems reports a linked
// folder as a folder; a dangling link is listed as a file.
bool EntryIsFolder(const std::string& p_Folder, const dirent& p_Entry)
{
    if (p_Entry.d_type == DT_DIR)
        return true;
    if (p_Entry.d_type != DT_LNK && p_Entry.d_type != DT_UNKNOWN)
        return false;
    return IsFolder(p_Folder + p_Entry.d_name);
}
} // namespace

FolderContent ListFolder(const String& p_Path)
{
    static const LogTag s_Tag("FileSystem");

    FolderContent content;
    content.path = p_Path;
    std::string folder = p_Path.ToNarrow().Bytes();
    if (folder.empty() || !IsFolder(folder))
        return content;
    if (folder.back() != '/')
        folder.push_back('/');

    DIR* directory = opendir(folder.c_str());
    int error = directory ? 0 : errno;
    while (directory)
    {
        errno = 0;
        const dirent* entry = readdir(directory);
        if (!entry)
        {
            error = errno;
            break;
        }
        if (strcmp(entry->d_name, ".") == 0 || strcmp(entry->d_name, "..") == 0)
            continue;
        if (EntryIsFolder(folder, *entry))
            content.folders.Add(String(entry->d_name));
        else
            content.files.Add(String(entry->d_name));
    }

    if (error != 0)
    {
        LogError(s_Tag, "Error while retrieving folder content of: %s, error code: %lu",
                 p_Path.ToNarrow().Data(), static_cast<unsigned long>(error));
        // Logging may have touched errno; the report is about the listing's failure.
        errno = error;
        ReportSystemError(s_Tag, "Error while retrieving folder content");
    }
    if (directory)
        closedir(directory);
    return content;
}

bool PathExists(const String& p_Path)
{
    struct stat info
    {
    };
    return !p_Path.IsEmpty() && stat(p_Path.ToNarrow().Data(), &info) == 0;
}

bool CreateFolder(const String& p_Path)
{
    if (p_Path.IsEmpty())
        return false;
    const NarrowString path = p_Path.ToNarrow();
    if (mkdir(path.Data(), 0777) == 0)
        return true;
    return errno == EEXIST && IsFolder(path.Bytes());
}

bool IsReadOnlyFile(const String& p_Path)
{
    struct stat info
    {
    };
    const NarrowString path = p_Path.ToNarrow();
    if (p_Path.IsEmpty() || stat(path.Data(), &info) != 0 || !S_ISREG(info.st_mode))
        return false;
    if ((info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0)
        return true;
    // A read-only file system is no choice of the user's: writing there fails with its reason.
    return access(path.Data(), W_OK) != 0 && errno != EROFS;
}

} // namespace Lib
