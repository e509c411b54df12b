#pragma once
// The developer console: the output view above the input line, covering the upper three
// quarters of its rectangle. Hidden until the game's console key shows it.
#include "Corvan/Gui/Console/ConsoleCommand.h"
#include "Corvan/Gui/Console/ConsoleScrollView.h"
#include "Corvan/Gui/Console/ConsoleTextBox.h"
#include "Corvan/Layout/ContentLayoutBase.h"
#include "Lib/DynamicArray.h"
#include "Lib/Log.h"
#include "Lib/String.h"

#include <cstdint>

namespace Vozad
{
class IConsoleInterface;
class IGuiEngine;
class IKeybindingInterface;

class Console : public ContentLayoutBase
{
public:
    Console(IGuiEngine* p_Engine, IKeybindingInterface* p_Keybindings, IConsoleInterface* p_ConsoleInterface);

    // The owner's one preparation after construction: measures both parts, copies the command
    // table into the input line, builds the layout and hides the console.
    void Setup(const Lib::DynamicArray<ConsoleCommand>& p_Commands);
    void BuildLayout();
    // p_Colour in the drawing packing 0xAABBGGRR.
    void AddLine(const Lib::String& p_Text, uint32_t p_Colour);

    // Text and keys go to the input line whatever the layout says.
    bool OnTextInput(EventTextInput& p_Event) override;
    bool OnKeyPress(EventKeyInput& p_Event) override;
    bool OnKeyRepeat(EventKeyInput& p_Event) override;
    LayoutBase* OnMousePress(EventMousePress& p_Event) override;
    LayoutBase* OnMouseRelease(EventMousePress& p_Event) override;
    LayoutBase* OnMouseClick(EventMousePress& p_Event) override;

    ConsoleTextBox& GetTextBox() { return m_TextBox; }
    ConsoleScrollView& GetScrollView() { return m_ScrollView; }
    IKeybindingInterface* GetKeybindings() const { return m_Keybindings; }

private:
    Lib::LogTag m_Tag{"Console"};
    IGuiEngine* m_Engine = nullptr;                  // not owned
    IKeybindingInterface* m_Keybindings = nullptr;   // not owned
    IConsoleInterface* m_ConsoleInterface = nullptr; // not owned
    ConsoleScrollView m_ScrollView;
    ConsoleTextBox m_TextBox;
};
} // namespace Vozad
