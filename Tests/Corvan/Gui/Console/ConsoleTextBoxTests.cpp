#include "Corvan/Events/IEventBase.h"
#include "Corvan/Events/InputEvents.h"
#include "Corvan/Events/KeyCodes.h"
#include "Corvan/Gui/Console/ConsoleTextBox.h"
#include "Corvan/Gui/Console/IConsoleInterface.h"
#include "Support/FixedMetricsGuiEngine.h"
#include "Support/RecordingDrawingContext.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{
using namespace Vozad;
using Testing::FixedMetricsGuiEngine;
using Testing::RecordingDrawingContext;

struct ExecutedCommand
{
    int32_t id;
    std::string line;
    std::vector<std::string> arguments;
};

class RecordingConsoleInterface : public IConsoleInterface
{
public:
    void ExecuteCommand(int32_t p_CommandId, const Lib::String& p_Line,
                        const Lib::DynamicArray<Lib::String>& p_Arguments) override
    {
        ExecutedCommand command{p_CommandId, p_Line.ToNarrow().Bytes(), {}};
        for (const Lib::String& argument : p_Arguments)
            command.arguments.push_back(argument.ToNarrow().Bytes());
        executed.push_back(command);
    }

    std::vector<ExecutedCommand> executed;
};

std::vector<std::string> Narrow(const Lib::DynamicArray<Lib::String>& p_Strings)
{
    std::vector<std::string> result;
    for (const Lib::String& text : p_Strings)
        result.push_back(text.ToNarrow().Bytes());
    return result;
}

struct TextBoxFixture : testing::Test
{
    TextBoxFixture()
    {
        box.Setup();
        box.m_Commands.Add({"help", " // Show this help", 1});
        box.m_Commands.Add({"quit", "", 3});
        box.m_Commands.Add({"clear", " // Clears the whole console", 4});
    }

    void Type(const std::string& p_Text)
    {
        for (char character : p_Text)
        {
            EventTextInput event(Lib::String(std::string(1, character)));
            EXPECT_TRUE(box.OnTextInput(event));
        }
    }
    bool Press(int32_t p_Key, int32_t p_Modifiers = 0)
    {
        EventKeyInput event(k_EventKeyPress, p_Key, k_KeyActionPress, p_Modifiers);
        return box.OnKeyPress(event);
    }
    bool Repeat(int32_t p_Key)
    {
        EventKeyInput event(k_EventKeyRepeat, p_Key, k_KeyActionRepeat, 0);
        return box.OnKeyRepeat(event);
    }
    void Submit(const std::string& p_Line)
    {
        Type(p_Line);
        Press(KeyCode::Return);
    }
    std::string Input() const { return box.GetInputLine().ToNarrow().Bytes(); }

    FixedMetricsGuiEngine engine;
    RecordingConsoleInterface commands;
    ConsoleTextBox box{&engine, &commands};
};

struct TokenCase
{
    const char* line;
    std::vector<std::string> tokens;
};

TEST(ConsoleTextBoxTokenizer, CutsAtEveryBlank)
{
    const TokenCase cases[] = {
        {"help", {"help"}},
        {"r_customwidth 1024", {"r_customwidth", "1024"}},
        {"a  b", {"a", "", "b"}}, // two blanks: an empty token between
        {"a ", {"a"}},            // a trailing blank adds nothing
        {"a   ", {"a", "", ""}},  // only the last blank adds nothing
        {" a", {"", "a"}},        // a leading blank is an empty command name
        {" ", {""}},              // a lone blank: one empty token
        {"x\ty", {"x\ty"}},       // only the blank separates
    };
    for (const TokenCase& testCase : cases)
        EXPECT_EQ(Narrow(ConsoleTextBox::Tokenize(testCase.line)), testCase.tokens)
            << '"' << testCase.line << '"';
}

TEST_F(TextBoxFixture, ReturnExecutesTheLookedUpCommandWithTheLineAndItsTokens)
{
    const struct
    {
        const char* line;
        int32_t id;
    } cases[] = {{"clear", 4},  {"help me  now", 1}, {"Help", 0},
                 {"helpme", 0}, {"unknown 1", 0},    {" quit", 0}};
    for (const auto& testCase : cases)
    {
        commands.executed.clear();
        Submit(testCase.line);
        ASSERT_EQ(commands.executed.size(), 1u) << testCase.line;
        EXPECT_EQ(commands.executed[0].id, testCase.id) << testCase.line;
        EXPECT_EQ(commands.executed[0].line, testCase.line);
        EXPECT_EQ(commands.executed[0].arguments, Narrow(ConsoleTextBox::Tokenize(testCase.line)));
        EXPECT_EQ(Input(), "");
        EXPECT_EQ(box.GetHistory()[box.GetHistory().Count() - 1].ToNarrow().Bytes(), testCase.line);
    }
}

TEST_F(TextBoxFixture, ReturnOnAnEmptyLineDoesNothingButIsConsumed)
{
    EXPECT_TRUE(Press(KeyCode::Return));
    EXPECT_TRUE(commands.executed.empty());
    EXPECT_EQ(box.GetHistory().Count(), 0u);
}

TEST_F(TextBoxFixture, HistoryKeepsTheNewestHundredLines)
{
    for (int i = 0; i <= 100; ++i)
        Submit("line" + std::to_string(i));
    ASSERT_EQ(box.GetHistory().Count(), 100u);
    EXPECT_EQ(box.GetHistory()[0].ToNarrow().Bytes(), "line1");
    EXPECT_EQ(box.GetHistory()[99].ToNarrow().Bytes(), "line100");
    EXPECT_EQ(commands.executed.size(), 101u);
}

TEST_F(TextBoxFixture, UpAndDownBrowseTheHistory)
{
    EXPECT_TRUE(Press(KeyCode::UpArrow)); // no history: nothing
    EXPECT_EQ(Input(), "");
    EXPECT_EQ(box.GetHistoryPosition(), -1);

    Submit("first");
    Submit("second");
    Submit("third");

    Press(KeyCode::UpArrow);
    EXPECT_EQ(Input(), "third");
    Press(KeyCode::UpArrow);
    EXPECT_EQ(Input(), "second");
    Press(KeyCode::UpArrow);
    Press(KeyCode::UpArrow); // already the oldest
    EXPECT_EQ(Input(), "first");
    EXPECT_EQ(box.GetHistoryPosition(), 0);
    Press(KeyCode::DownArrow);
    Press(KeyCode::DownArrow);
    EXPECT_EQ(Input(), "third");
    EXPECT_TRUE(Press(KeyCode::DownArrow)); // already the newest
    EXPECT_EQ(Input(), "third");
    EXPECT_EQ(box.GetHistoryPosition(), 2);

    // A submission ends the browsing; Down from a fresh line starts at the oldest entry.
    Press(KeyCode::Return);
    EXPECT_EQ(box.GetHistoryPosition(), -1);
    Press(KeyCode::DownArrow);
    EXPECT_EQ(Input(), "first");
    // Repeats browse as well.
    EXPECT_TRUE(Repeat(KeyCode::DownArrow));
    EXPECT_EQ(Input(), "second");
}

TEST_F(TextBoxFixture, TheLineTakesAtMostOneHundredFiftyCharacters)
{
    Type(std::string(151, 'x'));
    EXPECT_EQ(box.GetInputLine().Length(), 150u);
    // A longer text in one event is cut as well.
    EventTextInput two(Lib::String("yy"));
    EXPECT_TRUE(box.OnTextInput(two));
    EXPECT_EQ(box.GetInputLine().Length(), 150u);
    Press(KeyCode::Backspace);
    EventTextInput many(Lib::String("abc"));
    EXPECT_TRUE(box.OnTextInput(many));
    EXPECT_EQ(Input(), std::string(149, 'x') + "a");
}

TEST_F(TextBoxFixture, TheConsoleKeysCharactersAreIgnored)
{
    for (const char* character : {"^", "`"}) // German and US keyboards
    {
        Type(std::string("a") + character + "b");
        EXPECT_EQ(Input(), "ab") << character;
        EventTextInput twice(Lib::String(std::string(2, character[0])));
        box.OnTextInput(twice); // only the exact single character is ignored
        EXPECT_EQ(Input(), std::string("ab") + character + character) << character;
        while (!Input().empty())
            Press(KeyCode::Backspace);
    }
}

TEST_F(TextBoxFixture, LeftControlWithCClearsTheLine)
{
    Submit("older");
    Press(KeyCode::UpArrow);
    Type("x");
    EXPECT_TRUE(Press(KeyCode::C, k_ModifierRightControl));
    EXPECT_EQ(Input(), "olderx");
    EXPECT_TRUE(Press(KeyCode::C));
    EXPECT_EQ(Input(), "olderx");
    EXPECT_TRUE(Press(KeyCode::C, k_ModifierLeftControl));
    EXPECT_EQ(Input(), "");
    EXPECT_EQ(box.GetHistoryPosition(), -1);
    EXPECT_EQ(commands.executed.size(), 1u);
}

TEST_F(TextBoxFixture, BackspaceErasesAndRepeats)
{
    Type("abcd");
    EXPECT_TRUE(Press(KeyCode::Backspace));
    EXPECT_EQ(Input(), "abc");
    EXPECT_TRUE(Repeat(KeyCode::Backspace));
    EXPECT_TRUE(Repeat(KeyCode::Backspace));
    EXPECT_EQ(Input(), "a");
    EXPECT_TRUE(Repeat(KeyCode::Backspace));
    EXPECT_TRUE(Repeat(KeyCode::Backspace)); // empty: nothing left to erase, still consumed
    EXPECT_EQ(Input(), "");
    EXPECT_TRUE(box.GetStyle().text.IsEmpty());

    // Only Backspace repeats: a held Return does not submit.
    Type("help");
    EXPECT_TRUE(Repeat(KeyCode::Return));
    EXPECT_TRUE(commands.executed.empty());
    EXPECT_EQ(Input(), "help");
}

TEST_F(TextBoxFixture, SetupMeasuresPromptAndHeight)
{
    EXPECT_EQ(box.GetPromptWidth(), 14); // "] " at 7 pixels a character
    EXPECT_EQ(box.GetDesiredSize().height, 16u + 2u * (6u + 1u));
    EXPECT_EQ(box.GetFont().name, Lib::String("ProggyClean.ttf"));
    EXPECT_EQ(box.GetFont().size, 13u);
}

TEST_F(TextBoxFixture, DrawsPromptTextAndCursorBehindTheText)
{
    box.SetRect({10, 410, 100, 130});
    box.UpdateLayout();
    Type("ab");
    RecordingDrawingContext context;
    box.Draw(context);
    const std::vector<std::string> expected = {
        "FillRect 10 410 100 130 r0 c=ff2b2b2b",     "DrawText \"] \" 17 107 13pt w0 c=ffffffff",
        "DrawText \"ab\" 31 107 13pt w0 c=ffffffff", "DrawText \"_\" 45 107 13pt w0 c=ffffffff",
        "DrawRect 10 410 100 130 t1 r0 c=ffff8000",
    };
    EXPECT_EQ(context.calls, expected);

    box.SetVisibility(k_LayoutHidden);
    RecordingDrawingContext hidden;
    box.Draw(hidden);
    EXPECT_TRUE(hidden.calls.empty());
}

TEST_F(TextBoxFixture, AHiddenLineTakesNoInput)
{
    box.SetVisibility(k_LayoutHidden);
    EventTextInput text(Lib::String("a"));
    EXPECT_FALSE(box.OnTextInput(text));
    EXPECT_FALSE(Press(KeyCode::Return));
    EXPECT_EQ(Input(), "");
}
} // namespace
