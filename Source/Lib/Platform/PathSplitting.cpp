#include "Lib/Platform/FileSystem.h"
#include "Lib/Platform/Platform.h"

#include <string>

namespace Lib
{
namespace
{
// A backslash is an ordinary letter of a Linux file name, but a separator on Windows, where both
// separate folders.
#ifdef _WIN32
constexpr const wchar_t* k_FolderSeparators = L"/\\";
#else
constexpr const wchar_t* k_FolderSeparators = L"/";
#endif
} // namespace

String FolderOf(const String& p_FilePath)
{
    const std::wstring& path = p_FilePath.Wide();
    const size_t separator = path.find_last_of(k_FolderSeparators);
    if (separator == std::wstring::npos)
        return String(".");
    return String(separator == 0 ? path.substr(0, 1) : path.substr(0, separator));
}

String FileNameOf(const String& p_FilePath)
{
    const std::wstring& path = p_FilePath.Wide();
    const size_t separator = path.find_last_of(k_FolderSeparators);
    return separator == std::wstring::npos ? p_FilePath : String(path.substr(separator + 1));
}

void SplitExecutablePath(const String& p_Path, String& p_Folder, String& p_Name)
{
    // The executable's path comes from the system in either form, so both separators count here.
    const std::wstring& path = p_Path.Wide();
    const size_t separator = path.find_last_of(L"/\\");
    if (separator == std::wstring::npos)
    {
        p_Folder = String();
        p_Name = p_Path;
        return;
    }
    p_Folder = String(path.substr(0, separator + 1));
    p_Name = String(path.substr(separator + 1));
}
} // namespace Lib
