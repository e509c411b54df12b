// Menus from the keyboard: which controls the focus walks, in which order, and what Tab, the
// arrow keys and Return do through the event manager.
#include "Corvan/EventRouting/EventManager.h"
#include "Corvan/Events/KeyCodes.h"
#include "Corvan/Gui/Containers/GridSizeMode.h"
#include "Corvan/Gui/Containers/LayoutBar.h"
#include "Corvan/Layout/ContentLayoutBase.h"
#include "Corvan/Layout/FocusOrder.h"
#include "Corvan/Layout/INavigationKeys.h"
#include "Corvan/Layout/IUiFocus.h"
#include "Corvan/Layout/LayoutStack.h"
#include "Corvan/Layout/LayoutTestElements.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace
{
using namespace Vozad;
using namespace LayoutTesting;

// A control as far as the focus walk is concerned.
class Control : public TestElement
{
public:
    using TestElement::TestElement;
    bool TakesKeyboardFocus() const override { return true; }
};

// What the controls reported of the mouse; focus changes and keys are left out.
std::vector<Call> MouseCalls(const RecordingForwarder& p_Listener)
{
    std::vector<Call> calls;
    for (const Call& call : p_Listener.calls)
        if (call.operation.rfind("OnMouse", 0) == 0)
            calls.push_back(call);
    return calls;
}

class InputLine : public TestElement
{
public:
    using TestElement::TestElement;
    bool KeepsNavigationKeys() const override { return true; }
};

// The keys a panel leaves to something else, as the game's steering keys.
class KeysLeftElsewhere : public INavigationKeys
{
public:
    explicit KeysLeftElsewhere(std::vector<int32_t> p_Keys) : m_Keys(std::move(p_Keys)) {}
    bool IsForNavigation(int32_t p_KeyCode) const override
    {
        return std::find(m_Keys.begin(), m_Keys.end(), p_KeyCode) == m_Keys.end();
    }

private:
    std::vector<int32_t> m_Keys;
};

class NoFocusOwner : public IUiFocus
{
public:
    void SetFocus(LayoutBase*) override {}
    void ReleaseFocus(LayoutBase*) override {}
};

// A vertical panel of four controls 20 pixels tall, with a label-like element between the first
// two, all inside a holder on a root stack as the engine builds it.
struct Panel
{
    Panel()
    {
        bar.AddSlot(20, GridSizeMode::Fixed);
        bar.SetElement(&a, false, -1, -1);
        bar.AddSlot(20, GridSizeMode::Fixed);
        bar.SetElement(&label, false, -1, -1);
        for (Control* control : {&b, &c, &d})
        {
            bar.AddSlot(20, GridSizeMode::Fixed);
            bar.SetElement(control, false, -1, -1);
        }
        holder.SetContent(&bar, false);
        root.AddLayer(&holder, false);
        root.SetRect({0, 100, 0, 100});
        root.UpdateLayout();
        for (Control* control : {&a, &b, &c, &d})
            control->SetForwarder(&listener);
        manager.SetRoot(&root);
    }
    ~Panel() { SetKeyboardFocusShown(nullptr); }

    void Press(int32_t p_Key, int32_t p_Modifiers = 0) { manager.SendKeyPress(p_Key, 1, p_Modifiers); }

    // First, so they outlive the elements that give the focus back as they go.
    NoFocusOwner focusOwner;
    EventManager manager{&focusOwner};

    Control a{"a"}, b{"b"}, c{"c"}, d{"d"};
    TestElement label{"label"};
    LayoutBar bar{1};
    ContentLayoutBase holder;
    LayoutStack root;
    RecordingForwarder listener;
};
} // namespace

TEST(FocusOrder, CollectsShownActiveControlsInPlacementOrder)
{
    Panel panel;
    EXPECT_EQ(CollectFocusable(panel.root),
              (std::vector<LayoutBase*>{&panel.a, &panel.b, &panel.c, &panel.d}));

    panel.b.SetVisibility(k_LayoutCollapsed);
    panel.c.SetActive(false);
    EXPECT_EQ(CollectFocusable(panel.root), (std::vector<LayoutBase*>{&panel.a, &panel.d}));

    // A hidden or disabled holder hides everything inside it: a panel that is not shown.
    panel.holder.SetVisibility(k_LayoutHidden);
    EXPECT_TRUE(CollectFocusable(panel.root).empty());
    panel.holder.SetVisibility(k_LayoutVisible);
    panel.bar.SetEnabled(false);
    EXPECT_TRUE(CollectFocusable(panel.root).empty());
}

TEST(FocusOrder, StepsWrapAroundAndStartAtAnEnd)
{
    Panel panel;
    const std::vector<LayoutBase*> order = CollectFocusable(panel.root);
    struct Case
    {
        LayoutBase* current;
        int step;
        LayoutBase* expected;
    };
    for (const Case& c :
         {Case{nullptr, 1, &panel.a}, Case{nullptr, -1, &panel.d}, Case{&panel.label, 1, &panel.a},
          Case{&panel.a, 1, &panel.b}, Case{&panel.d, 1, &panel.a}, Case{&panel.a, -1, &panel.d},
          Case{&panel.c, -1, &panel.b}})
        EXPECT_EQ(StepFocus(order, c.current, c.step), c.expected);
    EXPECT_EQ(StepFocus({}, nullptr, 1), nullptr);
}

TEST(KeyboardNavigation, TabAndArrowsMoveTheFocusAndShowItsOutline)
{
    Panel panel;
    struct Case
    {
        int32_t key;
        int32_t modifiers;
        LayoutBase* focused;
    };
    const std::vector<Case> keys = {
        {KeyCode::Tab, 0, &panel.a},
        {KeyCode::Tab, 0, &panel.b},
        {KeyCode::DownArrow, 0, &panel.c},
        {KeyCode::RightArrow, 0, &panel.d},
        {KeyCode::Tab, 0, &panel.a},
        {KeyCode::Tab, k_ModifierLeftShift, &panel.d},
        {KeyCode::UpArrow, 0, &panel.c},
        {KeyCode::LeftArrow, 0, &panel.b},
        {KeyCode::Tab, k_ModifierRightShift, &panel.a},
    };
    for (const Case& key : keys)
    {
        panel.Press(key.key, key.modifiers);
        EXPECT_EQ(panel.manager.GetFocusedElement(), key.focused) << key.key;
        EXPECT_EQ(GetKeyboardFocusShown(), key.focused);
        EXPECT_TRUE(key.focused->IsFocused());
    }
    EXPECT_FALSE(panel.b.IsFocused());

    // A mouse press takes the outline away, the focus stays where the press put it.
    panel.manager.SendMouseButtonDown(1, 0, {50, 70});
    panel.manager.SendMouseButtonUp(1, 0, {50, 70});
    EXPECT_EQ(GetKeyboardFocusShown(), nullptr);
    EXPECT_EQ(panel.manager.GetFocusedElement(), &panel.c);
    // The keyboard goes on from there.
    panel.Press(KeyCode::Tab);
    EXPECT_EQ(panel.manager.GetFocusedElement(), &panel.d);
    EXPECT_EQ(GetKeyboardFocusShown(), &panel.d);

    // Destroyed, the outlined control is forgotten.
    panel.manager.ForgetElement(&panel.d);
    EXPECT_EQ(GetKeyboardFocusShown(), nullptr);
}

TEST(KeyboardNavigation, ReturnClicksTheFocusedControlOrTheFirstOne)
{
    Panel panel;
    panel.Press(KeyCode::Return);
    // Nothing was focused: the first control was clicked, and now has the focus and the outline.
    EXPECT_EQ(MouseCalls(panel.listener),
              (std::vector<Call>{
                  {"OnMousePress", &panel.a}, {"OnMouseRelease", &panel.a}, {"OnMouseClick", &panel.a}}));
    EXPECT_EQ(panel.manager.GetFocusedElement(), &panel.a);
    EXPECT_EQ(GetKeyboardFocusShown(), &panel.a);

    panel.Press(KeyCode::Tab);
    panel.Press(KeyCode::Tab);
    panel.listener.calls.clear();
    panel.Press(KeyCode::Return);
    EXPECT_EQ(MouseCalls(panel.listener),
              (std::vector<Call>{
                  {"OnMousePress", &panel.c}, {"OnMouseRelease", &panel.c}, {"OnMouseClick", &panel.c}}));
    EXPECT_EQ(GetKeyboardFocusShown(), &panel.c);
}

TEST(KeyboardNavigation, KeysTakenElsewhereOrByAnInputLineDoNotMoveTheFocus)
{
    Panel panel;
    panel.Press(KeyCode::Tab);
    // A control that takes the key (a list opening on Return) keeps it.
    panel.listener.answer = true;
    panel.Press(KeyCode::Tab);
    EXPECT_EQ(panel.manager.GetFocusedElement(), &panel.a);
    panel.listener.answer = false;

    // An input line (the console's) keeps every key.
    InputLine line{"line"};
    panel.manager.SetFocus(&line);
    panel.listener.calls.clear();
    panel.Press(KeyCode::Tab);
    panel.Press(KeyCode::Return);
    EXPECT_EQ(panel.manager.GetFocusedElement(), &line);
    EXPECT_TRUE(MouseCalls(panel.listener).empty()) << "a control was clicked";
    panel.manager.ReleaseFocus(&line);

    // A holder that took the focus from a click on its background does not stop the walk.
    panel.manager.SetFocus(&panel.holder);
    panel.Press(KeyCode::Tab);
    EXPECT_EQ(panel.manager.GetFocusedElement(), &panel.a);
    panel.manager.ReleaseFocus(&panel.a);

    // Other keys, and a panel without controls, change nothing.
    panel.Press(65);
    EXPECT_EQ(panel.manager.GetFocusedElement(), nullptr);
    panel.holder.SetVisibility(k_LayoutHidden);
    panel.Press(KeyCode::Tab);
    EXPECT_EQ(panel.manager.GetFocusedElement(), nullptr);
}

// A panel that leaves keys to something else (the board's steering): they neither move the focus
// nor click a control, from no focus or from a focused control; Tab still walks. Other panels,
// and the same panel once the setting is taken away, navigate with them.
TEST(KeyboardNavigation, KeysAPanelLeavesElsewhereNeitherMoveNorActivate)
{
    Panel panel;
    const KeysLeftElsewhere steering({KeyCode::UpArrow, KeyCode::DownArrow, KeyCode::Return});
    panel.holder.SetNavigationKeys(&steering);
    for (LayoutBase* focused : {static_cast<LayoutBase*>(nullptr), static_cast<LayoutBase*>(&panel.b)})
    {
        if (focused)
            panel.manager.SetFocus(focused);
        for (int32_t key : {KeyCode::DownArrow, KeyCode::UpArrow, KeyCode::Return})
        {
            panel.Press(key);
            EXPECT_EQ(panel.manager.GetFocusedElement(), focused) << key;
        }
        EXPECT_TRUE(MouseCalls(panel.listener).empty()) << "a left key clicked a control";
    }
    panel.Press(KeyCode::RightArrow);
    EXPECT_EQ(panel.manager.GetFocusedElement(), &panel.c) << "a key the panel keeps moves on";
    panel.Press(KeyCode::Tab, k_ModifierLeftShift);
    EXPECT_EQ(panel.manager.GetFocusedElement(), &panel.b);
    EXPECT_EQ(GetKeyboardFocusShown(), &panel.b);

    EXPECT_FALSE(NavigationKeyReaches(panel.root, panel.a, KeyCode::DownArrow));
    EXPECT_TRUE(NavigationKeyReaches(panel.root, panel.a, KeyCode::Tab));
    Control elsewhere{"elsewhere"};
    EXPECT_TRUE(NavigationKeyReaches(panel.root, elsewhere, KeyCode::DownArrow));

    panel.holder.SetNavigationKeys(nullptr);
    panel.Press(KeyCode::DownArrow);
    EXPECT_EQ(panel.manager.GetFocusedElement(), &panel.c);
}
