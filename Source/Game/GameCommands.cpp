#include "Game/GameCommands.h"

#include <cstdint>
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
    table.Add({"bot", " <name>|off // A bot plays the round; off gives the control back", k_CommandBot});
    table.Add({"bots", " // Lists the bots, compiled in and in Scripts/", k_CommandBots});
    table.Add({"g_attract", "", k_CommandAttract});
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

Lib::DynamicArray<Lib::String> CommandArguments(const Lib::DynamicArray<Lib::String>& p_Tokens)
{
    Lib::DynamicArray<Lib::String> arguments;
    for (uint32_t i = 1; i < p_Tokens.Count(); ++i)
        if (!p_Tokens[i].IsEmpty())
            arguments.Add(p_Tokens[i]);
    return arguments;
}

const char* CommandUsage(int32_t p_CommandId)
{
    switch (p_CommandId)
    {
    case k_CommandCustomWidth:
        return "r_customwidth <pixels>";
    case k_CommandCustomHeight:
        return "r_customheight <pixels>";
    case k_CommandVSync:
        return "g_vsync <0|1>";
    case k_CommandBot:
        return "bot <name>|off";
    case k_CommandAttract:
        return "g_attract <0|1>";
    default:
        return nullptr;
    }
}

bool ParsePixels(const Lib::String& p_Text, uint32_t& p_Pixels)
{
    const std::wstring text = p_Text.Wide();
    if (text.empty() || text.find_first_not_of(L"0123456789") != std::wstring::npos)
        return false;
    uint64_t value = 0;
    for (const wchar_t digit : text)
    {
        value = value * 10 + static_cast<uint64_t>(digit - L'0');
        if (value > UINT32_MAX)
        {
            value = UINT32_MAX;
            break;
        }
    }
    if (value == 0)
        return false;
    p_Pixels = static_cast<uint32_t>(value);
    return true;
}

bool ParseSwitch(const Lib::String& p_Text, bool& p_On)
{
    const std::wstring text = p_Text.Wide();
    const size_t digits = text.find_first_not_of(L"+-") == 1 ? 1 : 0;
    if (text.size() <= digits || text.find_first_not_of(L"0123456789", digits) != std::wstring::npos)
        return false;
    p_On = text.find_first_not_of(L"0", digits) != std::wstring::npos;
    return true;
}
} // namespace Snake
