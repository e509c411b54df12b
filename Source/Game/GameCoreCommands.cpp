// What the game does with the console's command lines.
#include "Corvan/EntryPoint/IEngine.h"
#include "Corvan/Gui/Colours.h"
#include "Game/GameCommands.h"
#include "Game/GameCore.h"
#include "Lib/Platform/File.h"

namespace Snake
{
namespace
{
constexpr uint32_t k_OutputColour = Vozad::Colour::k_Green;
constexpr uint32_t k_ErrorColour = Vozad::Colour::k_Yellow;
} // namespace

void GameCore::Echo(const Lib::String& p_Line)
{
    m_Console.AddLine(p_Line, k_OutputColour);
}

void GameCore::NotRecognised(const Lib::String& p_Line)
{
    Lib::String text("Not a recognised command: \"");
    text.Append(p_Line);
    text.Append(Lib::String("\""));
    m_Console.AddLine(text, k_ErrorColour);
}

void GameCore::ShowUsage(int32_t p_CommandId)
{
    // A known command with a missing or bad argument: say what it takes, and do nothing else.
    m_Console.AddLine(Lib::String(std::string_view(CommandUsage(p_CommandId))), k_ErrorColour);
}

bool GameCore::ReadSwitchArgument(int32_t p_CommandId, const Lib::DynamicArray<Lib::String>& p_Arguments,
                                  bool& p_On)
{
    const Lib::DynamicArray<Lib::String> arguments = CommandArguments(p_Arguments);
    if (arguments.Count() == 1 && ParseSwitch(arguments[0], p_On))
        return true;
    ShowUsage(p_CommandId);
    return false;
}

void GameCore::ShowHelp()
{
    for (const Lib::String& line : HelpLines(m_Commands))
        m_Console.AddLine(line, k_OutputColour);
}

void GameCore::ExecuteCommand(int32_t p_CommandId, const Lib::String& p_Line,
                              const Lib::DynamicArray<Lib::String>& p_Arguments)
{
    switch (p_CommandId)
    {
    case k_CommandHelp:
        ShowHelp();
        return;
    case k_CommandRestart:
        Echo(p_Line);
        Restart(Lib::String());
        return;
    case k_CommandQuit:
        Echo(p_Line);
        m_Engine->Quit();
        return;
    case k_CommandClear:
        m_Console.GetScrollView().ClearLines();
        return;
    case k_CommandCustomWidth:
    case k_CommandCustomHeight:
    {
        const Lib::DynamicArray<Lib::String> arguments = CommandArguments(p_Arguments);
        uint32_t value = 0;
        if (arguments.Count() != 1 || !ParsePixels(arguments[0], value))
        {
            ShowUsage(p_CommandId);
            return;
        }
        const Lib::RectSize size = m_Engine->GetWindowSize();
        Echo(p_Line);
        if (p_CommandId == k_CommandCustomWidth)
            SetResolution(value, size.height);
        else
            SetResolution(size.width, value);
        return;
    }
    case k_CommandVSync:
    {
        bool on = false;
        if (!ReadSwitchArgument(p_CommandId, p_Arguments, on))
            return;
        Echo(p_Line);
        // Only for this run: the stored setting stays as it is.
        if (m_Window)
            m_Window->SwapVSync(on);
        return;
    }
    case k_CommandBot:
        RunBotCommand(p_Line, p_Arguments);
        return;
    case k_CommandBots:
        Echo(p_Line);
        ListBots();
        return;
    case k_CommandAttract:
        RunAttractCommand(p_Line, p_Arguments);
        return;
    case k_CommandRemoveConfig:
        Echo(p_Line);
        // A missing file is what was asked for, so the result does not matter.
        Lib::DeleteFile(Lib::String("gamedata.cfg"));
        return;
    default:
        break;
    }
    NotRecognised(p_Line);
}
} // namespace Snake
