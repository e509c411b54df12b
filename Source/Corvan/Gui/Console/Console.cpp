#include "Corvan/Gui/Console/Console.h"

#include "Corvan/Gui/Containers/GridSizeMode.h"
#include "Corvan/Gui/Containers/LayoutBar.h"

#include <memory>

namespace Vozad
{
Console::Console(IGuiEngine* p_Engine, IKeybindingInterface* p_Keybindings,
                 IConsoleInterface* p_ConsoleInterface)
    : m_Engine(p_Engine), m_Keybindings(p_Keybindings), m_ConsoleInterface(p_ConsoleInterface),
      m_ScrollView(p_Engine), m_TextBox(p_Engine, p_ConsoleInterface)
{
}

void Console::Setup(const Lib::DynamicArray<ConsoleCommand>& p_Commands)
{
    m_TextBox.Setup();
    m_ScrollView.Setup();
    m_TextBox.m_Commands = p_Commands;
    BuildLayout();
    SetVisibility(k_LayoutHidden);
}

void Console::BuildLayout()
{
    // Output above input; the input line takes the height it wishes, the output the rest.
    auto inner = std::make_unique<LayoutBar>(1);
    inner->AddSlot(1, GridSizeMode::Weighted);
    inner->AddElement(&m_ScrollView, false, 1, GridSizeMode::Auto);
    inner->SetElement(&m_TextBox, false, -1, -1);

    auto middle = std::make_unique<LayoutBar>(0);
    middle->AddSlot(1, GridSizeMode::Weighted);
    middle->SetElement(std::move(inner), -1, -1);

    // The console covers the upper three quarters; the last quarter stays empty.
    auto outer = std::make_unique<LayoutBar>(1);
    outer->AddSlot(3, GridSizeMode::Weighted);
    outer->AddElement(std::move(middle), 1, GridSizeMode::Weighted);
    SetContent(std::move(outer));
}

void Console::AddLine(const Lib::String& p_Text, uint32_t p_Colour)
{
    m_ScrollView.AddLine({p_Colour, p_Text});
}

bool Console::OnTextInput(EventTextInput& p_Event)
{
    return IsEnabled() && IsVisible() && m_TextBox.OnTextInput(p_Event);
}

bool Console::OnKeyPress(EventKeyInput& p_Event)
{
    return IsEnabled() && IsVisible() && m_TextBox.OnKeyPress(p_Event);
}

bool Console::OnKeyRepeat(EventKeyInput& p_Event)
{
    return IsEnabled() && IsVisible() && m_TextBox.OnKeyRepeat(p_Event);
}

// A press anywhere on a shown console belongs to it, so clicks never fall through to the game
// behind it; a click that no part takes lands on the input line.
LayoutBase* Console::OnMousePress(EventMousePress& p_Event)
{
    if (!IsEnabled() || !IsVisible())
        return nullptr;
    LayoutBase* handler = ContentLayoutBase::OnMousePress(p_Event);
    return handler ? handler : this;
}

LayoutBase* Console::OnMouseRelease(EventMousePress& p_Event)
{
    if (!IsEnabled() || !IsVisible())
        return nullptr;
    LayoutBase* handler = ContentLayoutBase::OnMouseRelease(p_Event);
    return handler ? handler : this;
}

LayoutBase* Console::OnMouseClick(EventMousePress& p_Event)
{
    if (!IsEnabled() || !IsVisible())
        return nullptr;
    LayoutBase* handler = ContentLayoutBase::OnMouseClick(p_Event);
    return handler ? handler : &m_TextBox;
}
} // namespace Vozad
