#include "Game/GameCommands.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace Snake
{
namespace
{
struct GameCommand
{
    Vozad::ConsoleCommand command;
    // What follows the name, as the help and the usage line show it; empty without arguments.
    const char* arguments;
};

// The one place a command's arguments are written down: "help" and the usage line of a bad
// argument both read them from here.
constexpr GameCommand k_Commands[] = {
    {{"help", " // Show this help", k_CommandHelp}, ""},
    {{"restart", "", k_CommandRestart}, ""},
    {{"quit", "", k_CommandQuit}, ""},
    {{"clear", " // Clears the whole console", k_CommandClear}, ""},
    {{"r_customwidth", "", k_CommandCustomWidth}, "<pixels>"},
    {{"r_customheight", "", k_CommandCustomHeight}, "<pixels>"},
    {{"g_vsync", "", k_CommandVSync}, "<0|1>"},
    {{"remove_config", "", k_CommandRemoveConfig}, ""},
    {{"bot", " // A bot plays the round; off gives the control back", k_CommandBot}, "<name>|off"},
    {{"bots", " // Lists the bots, compiled in and in Scripts/", k_CommandBots}, ""},
    {{"g_attract", "", k_CommandAttract}, "<0|1>"},
};

const char* ArgumentsOf(int32_t p_CommandId)
{
    for (const GameCommand& entry : k_Commands)
        if (entry.command.id == p_CommandId)
            return entry.arguments;
    return "";
}

// "name" or "name arguments".
std::string Usage(const char* p_Name, int32_t p_CommandId)
{
    std::string usage = p_Name ? p_Name : "";
    const std::string_view arguments = ArgumentsOf(p_CommandId);
    if (!arguments.empty())
    {
        usage += ' ';
        usage += arguments;
    }
    return usage;
}
} // namespace

Lib::DynamicArray<Vozad::ConsoleCommand> GameCommandTable()
{
    Lib::DynamicArray<Vozad::ConsoleCommand> table;
    for (const GameCommand& entry : k_Commands)
        table.Add(entry.command);
    return table;
}

Lib::DynamicArray<Lib::String> HelpLines(const Lib::DynamicArray<Vozad::ConsoleCommand>& p_Commands)
{
    std::string text = "help\n===== HELP =====\nFollowing are the available commands:\n";
    for (const Vozad::ConsoleCommand& command : p_Commands)
    {
        text += ' ';
        text += Usage(command.name, command.id);
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

std::string CommandUsage(int32_t p_CommandId)
{
    for (const GameCommand& entry : k_Commands)
        if (entry.command.id == p_CommandId && *entry.arguments != '\0')
            return Usage(entry.command.name, p_CommandId);
    return std::string();
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
