#include "Lib/Platform/SystemError.h"

#include "Lib/Platform/Windows/Win32.h"
#include "Lib/String.h"

namespace Lib
{
namespace
{
// Directory-service errors are not in the system's own message table.
std::string DirectoryServiceText(DWORD p_Code, bool& p_Loaded)
{
    HMODULE library = LoadLibraryW(L"Ntdsbmsg.dll");
    p_Loaded = library != nullptr;
    if (!library)
        return {};
    wchar_t buffer[512] = {};
    const DWORD length = FormatMessageW(FORMAT_MESSAGE_FROM_HMODULE | FORMAT_MESSAGE_IGNORE_INSERTS, library,
                                        p_Code, 0, buffer, 512, nullptr);
    FreeLibrary(library);
    std::wstring text(buffer, length);
    while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r' || text.back() == L' '))
        text.pop_back();
    return Utf8FromWide(text);
}
} // namespace

void ReportSystemError(const LogTag& p_Tag, const char* p_Text)
{
    // Taken first: anything called below may overwrite the last error.
    const DWORD code = GetLastError();
    const char* text = p_Text ? p_Text : "";
    std::string message = SystemErrorText(code);
    if (message.empty())
    {
        bool loaded = false;
        message = DirectoryServiceText(code, loaded);
        if (!loaded)
        {
            LogError(p_Tag, "%s, error code: %lu, message: Could not retrieve error message.", text,
                     static_cast<unsigned long>(code));
            return;
        }
    }
    if (message.empty())
        message = "Error message not found.";
    LogError(p_Tag, "%s, error code: %lu, message: %s", text, static_cast<unsigned long>(code),
             message.c_str());
}
} // namespace Lib
