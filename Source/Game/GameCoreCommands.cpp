// What the game does with the console's command lines.
#include "Corvan/EntryPoint/IEngine.h"
#include "Corvan/Gui/Colours.h"
#include "Game/GameCommands.h"
#include "Game/GameCore.h"
#include "Lib/Platform/File.h"

#include <cwchar>

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
        if (p_Arguments.Count() != 2)
            break;
        const Lib::RectSize size = m_Engine->GetWindowSize();
        const uint32_t value = ParseSizeArgument(p_Arguments[1]);
        Echo(p_Line);
        if (p_CommandId == k_CommandCustomWidth)
            SetResolution(value, size.height);
        else
            SetResolution(size.width, value);
        return;
    }
    case k_CommandVSync:
        if (p_Arguments.Count() != 2)
            break;
        Echo(p_Line);
        // Only for this run: the stored setting stays as it is.
        if (m_Window)
            m_Window->SwapVSync(std::wcstol(p_Arguments[1].Data(), nullptr, 10) != 0);
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
