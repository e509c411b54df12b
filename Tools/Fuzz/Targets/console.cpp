// The console's input line and the game's command dispatch, driven by a stand-in GUI engine with
// fixed text metrics. The input is a script of key presses and typed texts; every submitted line
// goes through the tokenizer, the command lookup and the argument parsers the game uses.
#include "Corvan/Events/IEventBase.h"
#include "Corvan/Events/InputEvents.h"
#include "Corvan/Events/KeyCodes.h"
#include "Corvan/Gui/Console/ConsoleTextBox.h"
#include "Corvan/Gui/Console/IConsoleInterface.h"
#include "Game/GameCommands.h"
#include "Support/FixedMetricsGuiEngine.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace
{
using namespace Vozad;

void Check(bool p_Holds)
{
    if (!p_Holds)
        std::abort();
}

// What the game does with a line, without the game around it: the same lookups and parsers.
class StandInGame : public IConsoleInterface
{
public:
    const ConsoleTextBox* box = nullptr;

    void ExecuteCommand(int32_t p_CommandId, const Lib::String& p_Line,
                        const Lib::DynamicArray<Lib::String>& p_Tokens) override
    {
        Check(!p_Line.IsEmpty() && p_Line.Length() <= ConsoleTextBox::k_MaxInputLength);
        // The tokens are the line cut at every blank: joined again they give the line back,
        // short of a single trailing blank.
        Lib::String joined;
        for (uint32_t i = 0; i < p_Tokens.Count(); ++i)
        {
            if (i > 0)
                joined.Append(Lib::String(" "));
            joined.Append(p_Tokens[i]);
        }
        Lib::String withBlank = joined;
        withBlank.Append(Lib::String(" "));
        Check(joined == p_Line || withBlank == p_Line);
        Check(p_CommandId == (p_Tokens.IsEmpty() ? 0 : box->FindCommandId(p_Tokens[0])));

        const Lib::DynamicArray<Lib::String> arguments = Snake::CommandArguments(p_Tokens);
        for (const Lib::String& argument : arguments)
            Check(!argument.IsEmpty());
        switch (p_CommandId)
        {
        case Snake::k_CommandCustomWidth:
        case Snake::k_CommandCustomHeight:
        {
            uint32_t pixels = 0;
            if (arguments.Count() == 1 && Snake::ParsePixels(arguments[0], pixels))
                CheckPixels(arguments[0], pixels);
            Check(!Snake::CommandUsage(p_CommandId).empty());
            break;
        }
        case Snake::k_CommandVSync:
        {
            bool on = false;
            if (arguments.Count() == 1)
                (void)Snake::ParseSwitch(arguments[0], on);
            break;
        }
        case Snake::k_CommandHelp:
            (void)Snake::HelpLines(box->m_Commands);
            break;
        default:
            break;
        }
    }

private:
    // Digits only, above 0, and the value itself while it fits in 32 bits.
    static void CheckPixels(const Lib::String& p_Text, uint32_t p_Pixels)
    {
        const std::string digits = p_Text.ToNarrow().Bytes();
        uint64_t value = 0;
        for (char digit : digits)
        {
            Check(digit >= '0' && digit <= '9');
            value = value > UINT32_MAX ? value : value * 10 + static_cast<uint64_t>(digit - '0');
        }
        Check(p_Pixels > 0);
        Check(p_Pixels == (value > UINT32_MAX ? UINT32_MAX : value));
    }
};
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* p_Data, size_t p_Size)
{
    Testing::FixedMetricsGuiEngine engine;
    StandInGame game;
    ConsoleTextBox textBox(&engine, &game);
    game.box = &textBox;
    ConsoleTextBox* box = &textBox;
    box->Setup();
    box->m_Commands = Snake::GameCommandTable();

    size_t at = 0;
    while (at < p_Size)
    {
        const uint8_t op = p_Data[at++];
        const int32_t modifiers = (op & 0x80) ? k_ModifierLeftControl : 0;
        switch (op & 0x07)
        {
        case 0:
        case 1:
        case 2:
        case 3:
        case 4:
        {
            static constexpr int32_t k_Keys[] = {KeyCode::Return, KeyCode::Backspace, KeyCode::UpArrow,
                                                 KeyCode::DownArrow, 67 /* C, with Ctrl clears */};
            const EventType type = (op & 0x40) ? k_EventKeyRepeat : k_EventKeyPress;
            EventKeyInput event(type, k_Keys[op & 0x07],
                                type == k_EventKeyPress ? k_KeyActionPress : k_KeyActionRepeat, modifiers);
            Check(type == k_EventKeyPress ? box->OnKeyPress(event) : box->OnKeyRepeat(event));
            break;
        }
        default:
        {
            // A typed text of up to 15 bytes, as an input method may hand over several at once.
            const size_t length = std::min<size_t>((op >> 3) & 0x0F, p_Size - at);
            EventTextInput event(
                Lib::String(std::string(reinterpret_cast<const char*>(p_Data + at), length)));
            at += length;
            Check(box->OnTextInput(event));
            break;
        }
        }
        Check(box->GetInputLine().Length() <= ConsoleTextBox::k_MaxInputLength);
        Check(box->GetHistory().Count() <= ConsoleTextBox::k_MaxHistory);
    }
    return 0;
}
