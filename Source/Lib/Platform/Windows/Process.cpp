#include "Lib/Platform/Process.h"

#include "Lib/Platform/ProcessStart.h"
#include "Lib/Platform/Windows/Win32.h"

#include <string>
#include <vector>

namespace Lib
{
namespace
{
// One argument as the C runtime's command-line parser (and CommandLineToArgvW) reads it back:
// quoted when it holds a space, tab or quote or is empty; a backslash run doubles only before a
// quote. Nothing else interprets the line: no shell runs.
void AppendQuoted(std::wstring& p_Line, const std::wstring& p_Argument)
{
    if (!p_Line.empty())
        p_Line.push_back(L' ');
    if (!p_Argument.empty() && p_Argument.find_first_of(L" \t\n\v\"") == std::wstring::npos)
    {
        p_Line += p_Argument;
        return;
    }
    p_Line.push_back(L'"');
    size_t backslashes = 0;
    for (const wchar_t character : p_Argument)
    {
        if (character == L'\\')
        {
            ++backslashes;
            continue;
        }
        if (character == L'"')
            backslashes = backslashes * 2 + 1;
        p_Line.append(backslashes, L'\\');
        backslashes = 0;
        p_Line.push_back(character);
    }
    p_Line.append(backslashes * 2, L'\\');
    p_Line.push_back(L'"');
}
} // namespace

int32_t GetCurrentProcessId()
{
    return static_cast<int32_t>(::GetCurrentProcessId());
}

int64_t GetCurrentThreadId()
{
    return static_cast<int64_t>(::GetCurrentThreadId());
}

bool ProcessIsRunning(int64_t p_ProcessId)
{
    if (p_ProcessId <= 0 || p_ProcessId > static_cast<int64_t>(MAXDWORD))
        return false;
    HANDLE process =
        OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, static_cast<DWORD>(p_ProcessId));
    if (!process)
        // Another user's process cannot be opened, but it runs.
        return GetLastError() == ERROR_ACCESS_DENIED;
    // An ended process stays openable while anyone holds a handle to it; it is signalled then.
    const bool running = WaitForSingleObject(process, 0) == WAIT_TIMEOUT;
    CloseHandle(process);
    return running;
}

unsigned long StartProgram(const std::vector<std::string>& p_Arguments, int32_t& p_ProcessId)
{
    // The program itself is named by the application name, so a path with spaces cannot be read
    // as another program; the command line carries it again as argument 0, as every C runtime
    // expects.
    std::wstring commandLine;
    for (const std::string& argument : p_Arguments)
        AppendQuoted(commandLine, WideFromUtf8(argument));
    std::vector<wchar_t> writable(commandLine.begin(), commandLine.end());
    writable.push_back(L'\0');

    // No handle is inherited: the window's, the driver's and the log's handles belong to this
    // process only. The console, if any, is shared as it is.
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION created{};
    if (!CreateProcessW(WideFromUtf8(p_Arguments.at(0)).c_str(), writable.data(), nullptr, nullptr, FALSE, 0,
                        nullptr, nullptr, &startup, &created))
        return GetLastError();
    CloseHandle(created.hThread);
    CloseHandle(created.hProcess);
    p_ProcessId = static_cast<int32_t>(created.dwProcessId);
    return 0;
}
} // namespace Lib
