#include "Lib/Platform/SystemInfo.h"

#include "Lib/Platform/Windows/Win32.h"
#include "Lib/String.h"

#include <cstdio>
#include <cwchar>
#include <vector>

namespace Lib
{
namespace
{
// The font every Windows installation brings.
constexpr const wchar_t* k_SystemFontFileName = L"Arial.ttf";

// The system's names by version; Windows 11 still reports 10.0.
const char* VersionName(uint32_t p_Major, uint32_t p_Minor)
{
    struct Named
    {
        uint32_t major, minor;
        const char* name;
    };
    static constexpr Named k_Names[] = {{10, 0, "Windows 10"},   {6, 3, "Windows 8.1"},
                                        {6, 2, "Windows 8"},     {6, 1, "Windows 7"},
                                        {6, 0, "Windows Vista"}, {5, 2, "Windows XP Professional 64"},
                                        {5, 1, "Windows XP"}};
    for (const Named& named : k_Names)
        if (named.major == p_Major && named.minor == p_Minor)
            return named.name;
    return nullptr;
}

// The folders that hold installed fonts, with their separator: the system's, then the current
// user's (where Windows 10 puts fonts installed without administrator rights).
std::vector<std::wstring> FontFolders()
{
    std::vector<std::wstring> folders;
    wchar_t windows[MAX_PATH] = {};
    const UINT length = GetWindowsDirectoryW(windows, MAX_PATH);
    if (length > 0 && length < MAX_PATH)
        folders.push_back(std::wstring(windows, length) + L"\\Fonts\\");
    if (const wchar_t* local = _wgetenv(L"LOCALAPPDATA"); local && *local)
        folders.push_back(std::wstring(local) + L"\\Microsoft\\Windows\\Fonts\\");
    return folders;
}

bool IsPresentWide(const std::wstring& p_Path)
{
    const DWORD attributes = GetFileAttributesW(p_Path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}
} // namespace

bool ReadSystemVersion(SystemVersion& p_Version)
{
    // GetVersionEx answers what the manifest claims, RtlGetVersion what the system is.
    using RtlGetVersionFunction = LONG(WINAPI*)(OSVERSIONINFOW*);
    RtlGetVersionFunction rtlGetVersion = nullptr;
    if (HMODULE ntdll = GetModuleHandleW(L"ntdll.dll"))
        rtlGetVersion = reinterpret_cast<RtlGetVersionFunction>(
            reinterpret_cast<void*>(GetProcAddress(ntdll, "RtlGetVersion")));
    OSVERSIONINFOW info{};
    info.dwOSVersionInfoSize = sizeof(info);
    // Without it the system is still Windows, only of unknown version: nothing is refused for that.
    if (!rtlGetVersion || rtlGetVersion(&info) != 0)
    {
        p_Version.name = "Windows";
        return true;
    }
    p_Version.major = info.dwMajorVersion;
    p_Version.minor = info.dwMinorVersion;
    if (const char* name = VersionName(info.dwMajorVersion, info.dwMinorVersion))
        p_Version.name = name;
    else
    {
        char text[64] = {};
        snprintf(text, sizeof(text), "Windows %lu.%lu", info.dwMajorVersion, info.dwMinorVersion);
        p_Version.name = text;
    }
    return true;
}

std::string ExecutablePath()
{
    // Paths may pass MAX_PATH where long paths are enabled; the buffer grows until the name fits.
    std::vector<wchar_t> buffer(MAX_PATH);
    while (buffer.size() <= 32768)
    {
        const DWORD length = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0)
            return {};
        if (length < buffer.size())
            return Utf8FromWide(std::wstring_view(buffer.data(), length));
        buffer.resize(buffer.size() * 2);
    }
    return {};
}

bool IsPresentFile(const std::string& p_Path)
{
    return !p_Path.empty() && IsPresentWide(WidePath(p_Path));
}

std::string FindSystemFont()
{
    for (const std::wstring& folder : FontFolders())
        if (IsPresentWide(folder + k_SystemFontFileName))
            return Utf8FromWide(folder + k_SystemFontFileName);
    return {};
}

std::string FindFontFileNamed(const std::string& p_FileName)
{
    if (p_FileName.empty() || p_FileName.find_first_of("/\\:") != std::string::npos)
        return {};
    const std::wstring name = WidePath(p_FileName);
    for (const std::wstring& folder : FontFolders())
        if (IsPresentWide(folder + name))
            return Utf8FromWide(folder + name);
    return {};
}

const char* SystemFontSearchText()
{
    return "the Windows font folders (\"Arial.ttf\")";
}
} // namespace Lib
