#include "Corvan/Gui/Console/ConsoleTextBox.h"

#include "Corvan/Events/InputEvents.h"
#include "Corvan/Events/KeyCodes.h"
#include "Corvan/Gui/Colours.h"
#include "Corvan/Gui/Console/IConsoleInterface.h"
#include "Corvan/Gui/IDrawingContext.h"
#include "Corvan/Gui/IGuiEngine.h"

namespace Vozad
{
namespace
{
const char* const k_Prompt = "] ";
const char* const k_Cursor = "_";
} // namespace

ConsoleTextBox::ConsoleTextBox(IGuiEngine* p_Engine, IConsoleInterface* p_CommandHandler)
    : m_Engine(p_Engine), m_CommandHandler(p_CommandHandler)
{
    SetFlag(k_LayoutSizeToDesired, true);
    m_Style.backgroundColour = 0xFF2B2B2B;
    m_Style.borderColour = 0xFF0080FF;
    m_Style.textColour = Colour::SwapRedBlue(Colour::k_White);
    m_Style.borderThickness = 1;
    m_Style.font = m_Font;
}

void ConsoleTextBox::Setup()
{
    m_PromptWidth = static_cast<int32_t>(m_Engine->MeasureText(k_Prompt, m_Font).width);
    m_Style.textMetrics = m_Engine->MeasureText("TestText", m_Font);
    SetDesiredHeight(static_cast<int32_t>(m_Style.textMetrics.height) +
                     2 * (m_Padding + m_Style.borderThickness));
    // Only the height of the sample is kept: the line starts empty.
    m_Style.textMetrics.width = 0.0f;
    m_Style.textMetrics.glyphs.Clear();
    // The console key's own character arrives as text right after the key has opened the
    // console: "^" on German keyboards, "`" on US ones.
    m_IgnoredInputs.Add("^");
    m_IgnoredInputs.Add("`");
}

bool ConsoleTextBox::OnTextInput(EventTextInput& p_Event)
{
    if (!IsEnabled() || !IsVisible())
        return false;
    for (const Lib::String& ignored : m_IgnoredInputs)
        if (ignored == p_Event.text)
            return true;
    if (m_InputLine.Length() >= k_MaxInputLength)
        return true;
    // A text of several characters is cut so the line never passes its limit.
    m_InputLine.Append(p_Event.text.Substring(0, k_MaxInputLength - m_InputLine.Length()));
    m_Style.text = m_InputLine;
    MeasureInput();
    UpdateTextPosition();
    return true;
}

bool ConsoleTextBox::OnKeyPress(EventKeyInput& p_Event)
{
    return OnKey(p_Event, false);
}

bool ConsoleTextBox::OnKeyRepeat(EventKeyInput& p_Event)
{
    return OnKey(p_Event, true);
}

bool ConsoleTextBox::OnKey(const EventKeyInput& p_Event, bool p_Repeat)
{
    if (!IsEnabled() || !IsVisible())
        return false;
    const int32_t key = p_Event.keyCode;
    if (key == KeyCode::UpArrow || key == KeyCode::DownArrow)
    {
        MoveInHistory(key);
        return true;
    }
    // Held keys only keep erasing: a held Return must not submit the line again and again.
    if (!p_Repeat && (p_Event.modifiers & k_ModifierLeftControl) != 0 && key == KeyCode::C &&
        !m_InputLine.IsEmpty())
    {
        m_HistoryPosition = -1;
        ClearInput();
    }
    else if (!p_Repeat && key == KeyCode::Return && !m_InputLine.IsEmpty())
        Submit();
    else if (key == KeyCode::Backspace && !m_InputLine.IsEmpty())
        EraseLastCharacter();
    MeasureInput();
    return true;
}

void ConsoleTextBox::MoveInHistory(int32_t p_KeyCode)
{
    const int32_t count = static_cast<int32_t>(m_History.Count());
    if (count == 0)
        return;
    if (p_KeyCode == KeyCode::UpArrow)
    {
        if (m_HistoryPosition == 0)
            return;
        m_HistoryPosition = m_HistoryPosition == -1 ? count - 1 : m_HistoryPosition - 1;
    }
    else
    {
        if (m_HistoryPosition == count - 1)
            return;
        // From a fresh line Down starts at the oldest entry.
        m_HistoryPosition = m_HistoryPosition + 1;
    }
    m_InputLine = m_History[static_cast<uint32_t>(m_HistoryPosition)];
    m_Style.text = m_InputLine;
    MeasureInput();
    UpdateTextPosition();
}

Lib::DynamicArray<Lib::String> ConsoleTextBox::Tokenize(const Lib::String& p_Line)
{
    Lib::DynamicArray<Lib::String> tokens;
    const std::wstring& text = p_Line.Wide();
    size_t start = 0;
    for (size_t i = 0; i < text.size(); ++i)
    {
        if (text[i] != L' ')
            continue;
        tokens.Add(Lib::String(text.substr(start, i - start)));
        start = i + 1;
    }
    if (start < text.size())
        tokens.Add(Lib::String(text.substr(start)));
    return tokens;
}

int32_t ConsoleTextBox::FindCommandId(const Lib::String& p_Name) const
{
    for (const ConsoleCommand& command : m_Commands)
        if (command.name && Lib::String(command.name) == p_Name)
            return command.id;
    return 0;
}

void ConsoleTextBox::Submit()
{
    const Lib::DynamicArray<Lib::String> tokens = Tokenize(m_InputLine);
    // Every non-empty line has a first token (a lone blank gives one empty token), which names
    // no command unless the table has an empty name.
    const int32_t id = tokens.IsEmpty() ? 0 : FindCommandId(tokens[0]);
    // The handler gets its own copy: the line is cleared right after it returns.
    const Lib::String line = m_InputLine;
    if (m_CommandHandler)
        m_CommandHandler->ExecuteCommand(id, line, tokens);
    if (m_History.Count() >= k_MaxHistory)
        m_History.Remove(0);
    m_History.Add(line);
    m_HistoryPosition = -1;
    ClearInput();
}

void ConsoleTextBox::EraseLastCharacter()
{
    m_InputLine = m_InputLine.Substring(0, m_InputLine.Length() - 1);
    if (m_InputLine.IsEmpty())
    {
        m_Style.text = Lib::String();
        return;
    }
    m_Style.text = m_InputLine;
    UpdateTextPosition();
}

void ConsoleTextBox::ClearInput()
{
    m_InputLine = Lib::String();
    m_Style.text = Lib::String();
}

void ConsoleTextBox::MeasureInput()
{
    if (m_InputLine.IsEmpty())
    {
        // The empty line keeps the line height, so the prompt does not move.
        m_Style.textMetrics.width = 0.0f;
        m_Style.textMetrics.glyphs.Clear();
        return;
    }
    TextMetrics metrics = m_Engine->MeasureText(m_InputLine, m_Font);
    if (metrics.height <= 0.0f)
        metrics.height = m_Style.textMetrics.height;
    m_Style.textMetrics = std::move(metrics);
}

void ConsoleTextBox::UpdateTextPosition()
{
    const LayoutRect drawn = GetDrawnRect();
    m_Style.drawnRect = drawn;
    m_Style.textPosition = {
        drawn.left + m_Padding + m_Style.borderThickness,
        drawn.top +
            static_cast<int32_t>((static_cast<float>(drawn.Height()) - m_Style.textMetrics.height) * 0.5f)};
}

void ConsoleTextBox::UpdateLayout()
{
    UpdateTextPosition();
    m_Style.changed = false;
}

void ConsoleTextBox::Draw(IDrawingContext& p_Context)
{
    if (!IsVisible())
        return;
    if (m_Style.changed)
        UpdateLayout();
    const LayoutRect rect = GetDrawnRect();
    p_Context.SetColour(Colour::SwapRedBlue(m_Style.backgroundColour));
    p_Context.FillRect(rect, 0.0f);

    const Lib::Point position = m_Style.textPosition;
    const int32_t inputX = position.x + m_PromptWidth;
    p_Context.SetColour(Colour::SwapRedBlue(m_Style.textColour));
    p_Context.DrawText(k_Prompt, position, m_Font, 0);
    p_Context.DrawText(m_InputLine, {inputX, position.y}, m_Font, 0);
    p_Context.DrawText(k_Cursor, {inputX + static_cast<int32_t>(m_Style.textMetrics.width), position.y},
                       m_Font, 0);

    p_Context.SetColour(Colour::SwapRedBlue(m_Style.borderColour));
    p_Context.DrawRect(rect, 1.0f, 0.0f);
}

void ConsoleTextBox::SetVisibility(int32_t p_Visibility)
{
    LayoutBase::SetVisibility(p_Visibility);
    m_Style.changed = true;
}
} // namespace Vozad
