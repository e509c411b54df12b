#pragma once
// The console's input line: prompt, typed text and cursor, a history of submitted lines browsed
// with Up and Down, and submission of commands to the game.
#include "Corvan/Gui/Console/ConsoleCommand.h"
#include "Corvan/Gui/FontSpec.h"
#include "Corvan/Gui/Widgets/WidgetStyle.h"
#include "Corvan/Layout/LayoutBase.h"
#include "Lib/DynamicArray.h"
#include "Lib/Log.h"
#include "Lib/String.h"

namespace Vozad
{
class IConsoleInterface;
class IGuiEngine;

class ConsoleTextBox : public LayoutBase
{
public:
    static constexpr uint32_t k_MaxInputLength = 150;
    static constexpr uint32_t k_MaxHistory = 100;

    ConsoleTextBox(IGuiEngine* p_Engine, IConsoleInterface* p_CommandHandler);

    // Measures the prompt and the line height and registers the inputs the line never takes.
    void Setup();

    bool OnTextInput(EventTextInput& p_Event) override; // always consumed
    bool KeepsNavigationKeys() const override { return true; }
    bool OnKeyPress(EventKeyInput& p_Event) override;  // always consumed
    bool OnKeyRepeat(EventKeyInput& p_Event) override; // always consumed
    void UpdateLayout() override;
    void Draw(IDrawingContext& p_Context) override;
    void SetVisibility(int32_t p_Visibility) override;

    // The line cut at every space: two spaces in a row give an empty token, a trailing space
    // gives none.
    static Lib::DynamicArray<Lib::String> Tokenize(const Lib::String& p_Line);
    // Exact, case-sensitive; 0 when no command has that name.
    int32_t FindCommandId(const Lib::String& p_Name) const;

    const Lib::String& GetInputLine() const { return m_InputLine; }
    const Lib::DynamicArray<Lib::String>& GetHistory() const { return m_History; }
    int32_t GetHistoryPosition() const { return m_HistoryPosition; } // -1 = not browsing
    int32_t GetPromptWidth() const { return m_PromptWidth; }
    const WidgetStyle& GetStyle() const { return m_Style; }
    const FontSpec& GetFont() const { return m_Font; }

    // Filled by the owner.
    Lib::DynamicArray<ConsoleCommand> m_Commands;

private:
    void MeasureInput();
    void UpdateTextPosition();
    // Press and auto-repeat: both browse the history and erase; only a press submits or clears.
    bool OnKey(const EventKeyInput& p_Event, bool p_Repeat);
    void MoveInHistory(int32_t p_KeyCode);
    void Submit();
    void EraseLastCharacter();
    void ClearInput();

    Lib::LogTag m_Tag{"ConsoleTextBox"};
    IGuiEngine* m_Engine = nullptr;                // not owned
    IConsoleInterface* m_CommandHandler = nullptr; // not owned
    FontSpec m_Font{13, k_BuiltInFontName};
    int32_t m_PromptWidth = 0;
    WidgetStyle m_Style;
    int32_t m_Padding = 6;
    Lib::DynamicArray<Lib::String> m_IgnoredInputs;
    int32_t m_HistoryPosition = -1;
    Lib::DynamicArray<Lib::String> m_History; // oldest first
    Lib::String m_InputLine;
};
} // namespace Vozad
