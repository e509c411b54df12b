#include "Game/CommandLine.h"

#include <string>

namespace Snake
{
Lib::DynamicArray<Lib::String> SplitCommandLine(const Lib::String& p_CommandLine)
{
    Lib::DynamicArray<Lib::String> arguments;
    const std::wstring& text = p_CommandLine.Wide();
    size_t start = 0;
    while (start <= text.size())
    {
        size_t end = text.find(L' ', start);
        if (end == std::wstring::npos)
            end = text.size();
        if (end > start)
            arguments.Add(Lib::String(text.substr(start, end - start)));
        start = end + 1;
    }
    return arguments;
}

Lib::DynamicArray<Lib::String> BuildArgumentList(int p_Argc, const char* const* p_Argv)
{
    return BuildArgumentList(std::vector<std::string>(p_Argv + (p_Argc > 0 ? 1 : 0), p_Argv + p_Argc));
}

Lib::DynamicArray<Lib::String> BuildArgumentList(const std::vector<std::string>& p_Arguments)
{
    std::string commandLine;
    for (size_t i = 0; i < p_Arguments.size(); ++i)
    {
        if (i > 0)
            commandLine += ' ';
        commandLine += p_Arguments[i];
    }
    return SplitCommandLine(Lib::String(std::string_view(commandLine)));
}
} // namespace Snake
