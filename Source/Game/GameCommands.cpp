#include "Game/GameCommands.h"

#include <cstdint>
#include <cwchar>
#include <string>

namespace Snake
{
Lib::DynamicArray<Vozad::ConsoleCommand> GameCommandTable()
{
    Lib::DynamicArray<Vozad::ConsoleCommand> table;
    table.Add({"help", " // Show this help", k_CommandHelp});
    table.Add({"restart", "", k_CommandRestart});
    table.Add({"quit", "", k_CommandQuit});
    table.Add({"clear", " // Clears the whole console", k_CommandClear});
    table.Add({"r_customwidth", "", k_CommandCustomWidth});
    table.Add({"r_customheight", "", k_CommandCustomHeight});
    table.Add({"g_vsync", "", k_CommandVSync});
    table.Add({"remove_config", "", k_CommandRemoveConfig});
    return table;
}

Lib::DynamicArray<Lib::String> HelpLines(const Lib::DynamicArray<Vozad::ConsoleCommand>& p_Commands)
{
    std::string text = "help\n===== HELP =====\nFollowing are the available commands:\n";
    for (const Vozad::ConsoleCommand& command : p_Commands)
    {
        text += ' ';
        text += command.name ? command.name : "";
        text += command.description ? command.description : "";
        text += '\n';
    }
    text.pop_back();

    Lib::DynamicArray<Lib::String> lines;
    std::size_t start = 0;
    while (true)
    {
        const std::size_t end = text.find('\n', start);
        lines.Add(Lib::String(std::string_view(text).substr(start, end - start)));
        if (end == std::string::npos)
            break;
        start = end + 1;
    }
    return lines;
}

uint32_t ParseSizeArgument(const Lib::String& p_Text)
{
    const long long value = std::wcstoll(p_Text.Data(), nullptr, 10);
    if (value < 0)
        return 0;
    return value > static_cast<long long>(UINT32_MAX) ? UINT32_MAX : static_cast<uint32_t>(value);
}
} // namespace Snake
