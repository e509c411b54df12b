#include "Corvan/EventRouting/EventManager.h"
#include "Corvan/Events/IInputCapture.h"
#include "Corvan/Layout/ContentLayoutBase.h"
#include "Corvan/Layout/IUiFocus.h"
#include "Corvan/Layout/IWindowEventBase.h"
#include "Corvan/Layout/LayoutStack.h"
#include "Corvan/Layout/LayoutTestElements.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace
{
using namespace Vozad;
using namespace LayoutTesting;

std::string Text(const IEventBase& p_Event)
{
    return p_Event.GetName().ToNarrow().Bytes();
}

// The game's side: writes down every window and frame event with its payload.
class RecordingReceiver : public IWindowEventBase
{
public:
    void OnWindowCreate(EventWindowCreate& p_Event) override { log.push_back(Text(p_Event)); }
    void OnWindowFocus(EventWindowFocus& p_Event) override
    {
        log.push_back(Text(p_Event) + " " + std::to_string(p_Event.focused));
    }
    void OnWindowPosition(EventWindowPosition& p_Event) override
    {
        log.push_back(Text(p_Event) + " " + std::to_string(p_Event.position.x) + "," +
                      std::to_string(p_Event.position.y));
    }
    void OnWindowResize(EventWindowResize& p_Event) override
    {
        log.push_back(Text(p_Event) + Size(p_Event.size));
    }
    void OnWindowMinimize(EventWindowMinimize& p_Event) override { log.push_back(Text(p_Event)); }
    void OnWindowMaximize(EventWindowMaximize& p_Event) override
    {
        log.push_back(Text(p_Event) + Size(p_Event.size));
    }
    void OnWindowFullscreen(EventWindowFullscreen& p_Event) override
    {
        log.push_back(Text(p_Event) + Size(p_Event.size));
    }
    void OnQuitRequest(EventQuitRequest& p_Event) override
    {
        log.push_back(Text(p_Event) + " " + std::to_string(p_Event.answer));
        p_Event.answer = quitAnswer;
    }
    void OnWindowClose(EventWindowClose& p_Event) override { log.push_back(Text(p_Event)); }
    void OnRendererUpdate(EventRendererUpdate& p_Event) override
    {
        log.push_back(Text(p_Event) + " " + std::to_string(p_Event.frameNumber) + " " +
                      std::to_string(p_Event.previousFrameStart) + " " +
                      std::to_string(p_Event.microseconds) + " " +
                      std::to_string(static_cast<int>(p_Event.fps)));
    }
    void OnRendererPresent(EventRendererPresent& p_Event) override { log.push_back(Text(p_Event)); }

    int32_t quitAnswer = 0;
    std::vector<std::string> log;

private:
    static std::string Size(Lib::RectSize p_Size)
    {
        return " " + std::to_string(p_Size.width) + "x" + std::to_string(p_Size.height);
    }
};

// The engine's focus owner hands the focus to the event manager, as the engine does.
class EngineFocus : public IUiFocus
{
public:
    void SetFocus(LayoutBase* p_Element) override { manager->SetFocus(p_Element); }
    void ReleaseFocus(LayoutBase* p_Element) override { manager->ReleaseFocus(p_Element); }
    EventManager* manager = nullptr;
};

class InputCapture : public IInputCapture
{
public:
    bool WantsKeyboard() const override { return keyboard; }
    bool WantsMouse() const override { return mouse; }
    bool keyboard = false;
    bool mouse = false;
};

struct ManagerFixture : testing::Test
{
    ManagerFixture() { focus.manager = &manager; }

    EngineFocus focus;
    EventManager manager{&focus};
    RecordingReceiver receiver;
};

TEST_F(ManagerFixture, TwentyWindowEventsWaitForTheReceiverAndTheTwentyFirstIsLost)
{
    manager.SendWindowCreate();
    manager.SendWindowFocus(true);
    manager.SendWindowPosition({30, 40});
    manager.SendWindowResize({800, 600});
    manager.SendWindowMinimize();
    manager.SendWindowMaximize({1920, 1080});
    manager.SendWindowFullscreen({2560, 1440});
    manager.SendWindowClose();
    for (uint32_t i = 0; i < 12; ++i)
        manager.SendWindowResize({i, i});
    EXPECT_EQ(manager.QueuedCount(), 20u);
    manager.SendWindowFocus(false); // the twenty-first
    EXPECT_EQ(manager.QueuedCount(), 20u);

    manager.SetWindowEventReceiver(&receiver);
    std::vector<std::string> expected = {
        "WindowCreateEvent",
        "WindowFocusEvent 1",
        "WindowPositionEvent 30,40",
        "WindowSizeEvent 800x600",
        "WindowMinimizeEvent",
        "WindowMaximizeEvent 1920x1080",
        "WindowFullscreenEvent 2560x1440",
        "WindowCloseEvent",
    };
    for (uint32_t i = 0; i < 12; ++i)
        expected.push_back("WindowSizeEvent " + std::to_string(i) + "x" + std::to_string(i));
    EXPECT_EQ(receiver.log, expected);
    EXPECT_EQ(manager.QueuedCount(), 0u);

    // From now on events go straight through.
    manager.SendWindowFocus(false);
    EXPECT_EQ(receiver.log.back(), "WindowFocusEvent 0");
    EXPECT_EQ(receiver.log.size(), 21u);
    EXPECT_EQ(manager.QueuedCount(), 0u);
}

TEST_F(ManagerFixture, QueueIsKeptWhileNoReceiverIsInstalled)
{
    manager.SendWindowCreate();
    manager.SetWindowEventReceiver(nullptr);
    EXPECT_EQ(manager.QueuedCount(), 1u);
    manager.SetWindowEventReceiver(&receiver);
    EXPECT_EQ(receiver.log, (std::vector<std::string>{"WindowCreateEvent"}));
}

TEST_F(ManagerFixture, QuitAnswerSevenKeepsTheWindowAndAnyOtherClosesIt)
{
    manager.SetWindowEventReceiver(&receiver);
    for (const int32_t answer : {7, 0, 1, 6, 8, -7})
    {
        receiver.log.clear();
        receiver.quitAnswer = answer;
        const bool mayClose = manager.SendQuitRequest();
        EXPECT_EQ(mayClose, answer != 7) << answer;
        // What the window does with the answer.
        if (mayClose)
            manager.SendWindowClose();
        const std::vector<std::string> expected =
            answer == 7 ? std::vector<std::string>{"QuitRequestEvent 0"}
                        : std::vector<std::string>{"QuitRequestEvent 0", "WindowCloseEvent"};
        EXPECT_EQ(receiver.log, expected) << answer;
    }
}

TEST_F(ManagerFixture, FrameEventsAndQuitRequestWithoutReceiverDoNothingAndAreNotQueued)
{
    manager.SendRendererUpdate(1, 60.0f, 2, 3);
    manager.SendRendererPresent();
    EXPECT_TRUE(manager.SendQuitRequest()); // nobody objects
    EXPECT_EQ(manager.QueuedCount(), 0u);

    manager.SetWindowEventReceiver(&receiver);
    EXPECT_TRUE(receiver.log.empty());
    manager.SendRendererUpdate(42, 59.9f, 1000, 16667);
    manager.SendRendererPresent();
    EXPECT_EQ(receiver.log,
              (std::vector<std::string>{"RendererUpdateEvent 42 1000 16667 59", "RendererPresentEvent"}));
}

// A leaf that answers pointer events only under the cursor, as the containers of the GUI ask
// their children: the root stack itself leaves most position tests to its layers.
class Widget : public TestElement
{
public:
    using TestElement::TestElement;
    LayoutBase* OnMousePress(EventMousePress& p_Event) override
    {
        return GetRect().Contains(p_Event.position) ? TestElement::OnMousePress(p_Event) : nullptr;
    }
    LayoutBase* OnMouseRelease(EventMousePress& p_Event) override
    {
        return GetRect().Contains(p_Event.position) ? TestElement::OnMouseRelease(p_Event) : nullptr;
    }
    LayoutBase* OnMouseClick(EventMousePress& p_Event) override
    {
        return GetRect().Contains(p_Event.position) ? TestElement::OnMouseClick(p_Event) : nullptr;
    }
    LayoutBase* FindElementAt(EventCursor& p_Event) override
    {
        return GetRect().Contains(p_Event.position) ? TestElement::FindElementAt(p_Event) : nullptr;
    }
};

// An element that keeps its own counsel on release and drag and writes down what it is asked.
class Slider : public Widget
{
public:
    using Widget::Widget;
    LayoutBase* OnMouseRelease(EventMousePress&) override
    {
        own.push_back("release");
        return nullptr;
    }
    bool OnCursorDrag(EventCursor&) override
    {
        own.push_back("drag");
        return false;
    }
    LayoutBase* OnHoverChanged(EventCursor& p_Event) override
    {
        own.push_back("hover " + std::to_string(p_Event.entered));
        return nullptr;
    }
    std::vector<std::string> own;
};

// A layer that answers a position query with itself whatever its state, as a combo box does.
class AlwaysHit : public Slider
{
public:
    using Slider::Slider;
    LayoutBase* FindElementAt(EventCursor&) override { return this; }
};

// The window's tree: a root stack over 800 x 600 whose bottom layer takes no input (presses and
// hovers over it find nothing), with a button and a second button on top.
struct TreeFixture : ManagerFixture
{
    TreeFixture()
    {
        background.SetActive(false);
        background.SetForwarder(&backgroundForwarder);
        root.AddLayer(&background, false);
        root.AddLayer(&button, false);
        root.AddLayer(&other, false);
        root.SetRect({0, 800, 0, 600});
        root.UpdateLayout();
        button.SetRect({10, 50, 10, 30});
        other.SetRect({100, 150, 10, 30});
        button.SetForwarder(&buttonForwarder);
        other.SetForwarder(&otherForwarder);
        field.SetForwarder(&fieldForwarder);
        manager.SetRoot(&root);
        manager.SetInputCapture(&capture);
    }

    // Listeners outlive their elements: a focused element tells its listener when it goes.
    InputCapture capture;
    RecordingForwarder backgroundForwarder;
    RecordingForwarder buttonForwarder;
    RecordingForwarder otherForwarder;
    RecordingForwarder fieldForwarder;
    RecordingForwarder rootForwarder;
    LayoutStack root;
    TestElement background{"background"};
    Widget button{"button"};
    Widget other{"other"};
    TestElement field{"field"}; // focusable, but not part of the tree
};

TEST_F(TreeFixture, TextInputGoesToTheFocusedElementOnlyWhenTheTreeLeavesIt)
{
    manager.SendTextInput("a"); // no focused element: nothing happens
    focus.SetFocus(&field);
    fieldForwarder.calls.clear();

    manager.SendTextInput("b");
    EXPECT_EQ(fieldForwarder.Operations(), (std::vector<std::string>{"OnTextInput"}));
    EXPECT_EQ(buttonForwarder.Operations(), (std::vector<std::string>{"OnTextInput", "OnTextInput"}));

    buttonForwarder.answer = true; // the tree takes it now
    manager.SendTextInput("c");
    EXPECT_EQ(fieldForwarder.calls.size(), 1u);
}

TEST_F(TreeFixture, KeyPressReachesTheFocusedElementWhenTheRootDoesNotTakeIt)
{
    focus.SetFocus(&field);
    fieldForwarder.calls.clear();
    manager.SendKeyPress(65, k_KeyActionPress, 0);
    EXPECT_EQ(fieldForwarder.Operations(), (std::vector<std::string>{"OnKeyPress"}));

    // A focused root with a listener: the listener first, then the focused element.
    root.SetForwarder(&rootForwarder);
    root.SetFlag(k_LayoutFocused, true);
    manager.SendKeyPress(66, k_KeyActionPress, 0);
    EXPECT_EQ(rootForwarder.calls, (std::vector<Call>{{"OnKeyPress", &root}}));
    EXPECT_EQ(fieldForwarder.calls.size(), 2u);

    rootForwarder.answer = true;
    manager.SendKeyPress(67, k_KeyActionPress, 0);
    EXPECT_EQ(rootForwarder.calls.size(), 2u);
    EXPECT_EQ(fieldForwarder.calls.size(), 2u);

    // Without the focused bit the root's listener is skipped.
    root.SetFlag(k_LayoutFocused, false);
    manager.SendKeyPress(68, k_KeyActionPress, 0);
    EXPECT_EQ(rootForwarder.calls.size(), 2u);
    EXPECT_EQ(fieldForwarder.calls.size(), 3u);
}

TEST_F(TreeFixture, KeyPressOfAnUnfocusedElementIsNotTaken)
{
    // The focused element lost its bit to a focus group: it is still the target but ignores it.
    focus.SetFocus(&field);
    field.SetFlag(k_LayoutFocused, false);
    fieldForwarder.calls.clear();
    manager.SendKeyPress(65, k_KeyActionPress, 0);
    manager.SendKeyRepeat(65, k_KeyActionRepeat, 0);
    manager.SendKeyRelease(65, k_KeyActionRelease, 0);
    EXPECT_EQ(fieldForwarder.Operations(), (std::vector<std::string>{"OnKeyRepeat", "OnKeyRelease"}));
}

TEST_F(TreeFixture, KeyEventsWaitWhileTheBackEndWantsTheKeyboard)
{
    focus.SetFocus(&field);
    fieldForwarder.calls.clear();
    capture.keyboard = true;
    manager.SendKeyPress(65, k_KeyActionPress, 0);
    manager.SendKeyRepeat(65, k_KeyActionRepeat, 0);
    manager.SendKeyRelease(65, k_KeyActionRelease, 0);
    manager.SendTextInput("a");
    EXPECT_EQ(fieldForwarder.Operations(), (std::vector<std::string>{"OnTextInput"}));

    capture.keyboard = false;
    capture.mouse = true; // the mouse does not hold keys back
    manager.SendKeyRelease(65, k_KeyActionRelease, 0);
    EXPECT_EQ(fieldForwarder.calls.size(), 2u);
}

TEST_F(TreeFixture, MousePressFocusesTheElementItResolvesTo)
{
    focus.SetFocus(&field);
    manager.SendMouseButtonDown(1, 0, {20, 20});

    EXPECT_EQ(manager.GetFocusedElement(), &button);
    EXPECT_EQ(button.GetFocusOwner(), &focus);
    EXPECT_TRUE(button.IsFocused());
    EXPECT_FALSE(field.IsFocused());
    EXPECT_EQ(fieldForwarder.focusValues, (std::vector<bool>{true, false}));
    EXPECT_EQ(buttonForwarder.Operations(), (std::vector<std::string>{"OnMousePress", "OnFocusChanged"}));
    EXPECT_TRUE(manager.IsButtonHeld());
}

TEST_F(TreeFixture, MousePressOnTheFocusedElementOrOnNothingLeavesTheFocus)
{
    manager.SendMouseButtonDown(1, 0, {20, 20});
    manager.SendMouseButtonUp(1, 0, {20, 20});
    buttonForwarder.calls.clear();

    manager.SendMouseButtonDown(1, 0, {20, 20}); // the focused button again
    EXPECT_EQ(buttonForwarder.Operations(), (std::vector<std::string>{"OnMousePress"}));
    manager.SendMouseButtonUp(1, 0, {20, 20});

    buttonForwarder.calls.clear();
    manager.SendMouseButtonDown(1, 0, {400, 400}); // the background takes nothing
    EXPECT_EQ(manager.GetFocusedElement(), &button);
    EXPECT_TRUE(button.IsFocused());
    EXPECT_TRUE(buttonForwarder.calls.empty());
}

TEST_F(TreeFixture, MouseUpReleasesAndThenClicks)
{
    manager.SendMouseButtonDown(1, 0, {20, 20});
    buttonForwarder.calls.clear();
    manager.SendMouseButtonUp(1, 0, {20, 20});
    EXPECT_EQ(buttonForwarder.Operations(), (std::vector<std::string>{"OnMouseRelease", "OnMouseClick"}));
    EXPECT_FALSE(manager.IsButtonHeld());
}

TEST_F(TreeFixture, FocusedElementThatIgnoresAReleaseElsewhereHasItsListenerTold)
{
    RecordingForwarder sliderForwarder;
    Slider slider("slider");
    slider.SetForwarder(&sliderForwarder);
    focus.SetFocus(&slider);
    sliderForwarder.calls.clear();

    manager.SendMouseButtonUp(1, 0, {20, 20}); // released over the button
    EXPECT_EQ(slider.own, (std::vector<std::string>{"release"}));
    EXPECT_EQ(sliderForwarder.calls, (std::vector<Call>{{"OnMouseRelease", &slider}}));

    // Not when the focused element does not take input.
    slider.SetEnabled(false);
    manager.SendMouseButtonUp(1, 0, {20, 20});
    EXPECT_EQ(slider.own.size(), 2u);
    EXPECT_EQ(sliderForwarder.calls.size(), 1u);
}

TEST_F(TreeFixture, ReleaseAndClickOnNothingGoToTheRootsListener)
{
    root.SetForwarder(&rootForwarder);
    manager.SendMouseButtonUp(1, 0, {400, 400});
    EXPECT_EQ(rootForwarder.calls, (std::vector<Call>{{"OnMouseRelease", &root}, {"OnMouseClick", &root}}));

    root.SetActive(false); // the root no longer passes input
    manager.SendMouseButtonUp(1, 0, {400, 400});
    EXPECT_EQ(rootForwarder.calls.size(), 2u);
}

TEST_F(TreeFixture, MouseButtonsAndWheelWaitWhileTheBackEndWantsTheMouse)
{
    capture.mouse = true;
    manager.SendMouseButtonDown(1, 0, {20, 20});
    manager.SendMouseButtonUp(1, 0, {20, 20});
    manager.SendMouseScroll(-120, {20, 20});
    EXPECT_TRUE(buttonForwarder.calls.empty());
    EXPECT_EQ(manager.GetFocusedElement(), nullptr);

    manager.SendCursorMove(0, {20, 20}, {1, 1}); // cursor moves are always delivered
    EXPECT_EQ(buttonForwarder.Operations(), (std::vector<std::string>{"FindElementAt", "OnHoverChanged"}));
}

TEST_F(TreeFixture, ReleaseHeldBackByTheBackEndStillEndsTheDrag)
{
    manager.SendMouseButtonDown(1, 0, {20, 20});
    capture.mouse = true;
    manager.SendMouseButtonUp(1, 0, {20, 20});
    EXPECT_FALSE(manager.IsButtonHeld());
}

TEST_F(TreeFixture, HoverTrackingSendsLeaveToTheOldAndEnterToTheNewElement)
{
    manager.SendCursorMove(0, {20, 20}, {0, 0});
    EXPECT_TRUE(button.IsHovered());
    EXPECT_EQ(manager.GetHoveredElement(), &button);
    manager.SendCursorMove(0, {21, 20}, {1, 0}); // still the same element: nothing new
    manager.SendCursorMove(0, {120, 20}, {99, 0});
    EXPECT_FALSE(button.IsHovered());
    EXPECT_TRUE(other.IsHovered());
    manager.SendCursorMove(0, {400, 400}, {280, 380}); // over nothing
    EXPECT_FALSE(other.IsHovered());
    EXPECT_EQ(manager.GetHoveredElement(), nullptr);

    EXPECT_EQ(buttonForwarder.hoverEntered, (std::vector<int32_t>{1, 0}));
    EXPECT_EQ(otherForwarder.hoverEntered, (std::vector<int32_t>{1, 0}));
    // Asked twice where it is, told twice that the hover changed.
    EXPECT_EQ(buttonForwarder.Operations(), (std::vector<std::string>{"FindElementAt", "OnHoverChanged",
                                                                      "FindElementAt", "OnHoverChanged"}));
}

TEST_F(TreeFixture, OldElementHearsItWasLeftBeforeTheNewOneHearsItWasEntered)
{
    RecordingForwarder shared;
    button.SetForwarder(&shared);
    other.SetForwarder(&shared);
    manager.SendCursorMove(0, {20, 20}, {0, 0});
    manager.SendCursorMove(0, {120, 20}, {100, 0});
    std::vector<std::pair<const LayoutBase*, int32_t>> hovers;
    uint32_t next = 0;
    for (const Call& call : shared.calls)
    {
        if (call.operation == "OnHoverChanged")
            hovers.emplace_back(call.sender, shared.hoverEntered.at(next++));
    }
    EXPECT_EQ(hovers,
              (std::vector<std::pair<const LayoutBase*, int32_t>>{{&button, 1}, {&button, 0}, {&other, 1}}));
}

TEST_F(TreeFixture, HoveredElementThatTakesNoInputDecidesForItself)
{
    RecordingForwarder comboForwarder;
    AlwaysHit combo("combo");
    combo.SetForwarder(&comboForwarder);
    root.AddLayer(&combo, false);

    manager.SendCursorMove(0, {20, 20}, {0, 0});
    EXPECT_TRUE(combo.IsHovered()); // the manager sets the bit itself ...
    EXPECT_TRUE(combo.own.empty()); // ... and only the listener is told
    EXPECT_EQ(comboForwarder.hoverEntered, (std::vector<int32_t>{1}));

    combo.SetEnabled(false);
    root.RemoveLayer(&combo);
    manager.SendCursorMove(0, {400, 400}, {0, 0});
    EXPECT_EQ(combo.own, (std::vector<std::string>{"hover 0"}));
    EXPECT_TRUE(combo.IsHovered());
    EXPECT_EQ(comboForwarder.hoverEntered.size(), 1u);
}

TEST_F(TreeFixture, HeldButtonDragsTheFocusedElementAndPausesHover)
{
    RecordingForwarder sliderForwarder;
    Slider slider("slider");
    slider.SetForwarder(&sliderForwarder);
    root.AddLayer(&slider, false);
    slider.SetRect({200, 300, 10, 30});
    root.SetForwarder(&rootForwarder);

    manager.SendMouseButtonDown(1, 0, {250, 20});
    ASSERT_EQ(manager.GetFocusedElement(), &slider);
    sliderForwarder.calls.clear();
    manager.SendCursorMove(1, {20, 20}, {-230, 0}); // over the button, but dragging
    manager.SendCursorEnter({20, 20}, {0, 0});
    manager.SendCursorLeave({20, 20}, {0, 0});

    EXPECT_EQ(slider.own, (std::vector<std::string>{"drag"}));
    EXPECT_EQ(sliderForwarder.calls, (std::vector<Call>{{"OnCursorDrag", &slider}}));
    EXPECT_FALSE(button.IsHovered());
    EXPECT_TRUE(buttonForwarder.calls.empty());
    EXPECT_TRUE(backgroundForwarder.calls.empty());

    manager.SendMouseButtonUp(1, 0, {20, 20});
    buttonForwarder.calls.clear();
    manager.SendCursorMove(0, {21, 20}, {1, 0});
    EXPECT_TRUE(button.IsHovered());
}

TEST_F(TreeFixture, WindowEnterAndLeaveReachTheRootWhileNoButtonIsHeld)
{
    manager.SendCursorEnter({5, 5}, {0, 0});
    manager.SendCursorLeave({5, 5}, {0, 0});
    // The stack visits its layers from the bottom up; the inactive background takes nothing.
    EXPECT_EQ(buttonForwarder.Operations(), (std::vector<std::string>{"OnCursorEnter", "OnCursorLeave"}));
}

TEST_F(TreeFixture, WheelGoesToTheLayerUnderTheCursor)
{
    manager.SendMouseScroll(-120, {20, 20});
    manager.SendMouseScroll(-120, {120, 20});
    EXPECT_EQ(buttonForwarder.Operations(), (std::vector<std::string>{"OnMouseScroll"}));
    EXPECT_EQ(otherForwarder.Operations(), (std::vector<std::string>{"OnMouseScroll"}));
}

TEST_F(TreeFixture, FocusFollowsSetFocusAndReleaseFocus)
{
    focus.SetFocus(nullptr);
    EXPECT_EQ(manager.GetFocusedElement(), nullptr);
    focus.SetFocus(&button);
    focus.ReleaseFocus(&other); // not the focused one: ignored
    EXPECT_EQ(manager.GetFocusedElement(), &button);
    focus.SetFocus(&other);
    EXPECT_FALSE(button.IsFocused());
    focus.ReleaseFocus(&other);
    EXPECT_EQ(manager.GetFocusedElement(), nullptr);
    EXPECT_FALSE(other.IsFocused());
    EXPECT_EQ(otherForwarder.focusValues, (std::vector<bool>{true, false}));
}

TEST_F(TreeFixture, HidingTheFocusedElementGivesTheFocusBackToTheManager)
{
    manager.SendMouseButtonDown(1, 0, {20, 20});
    manager.SendMouseButtonUp(1, 0, {20, 20});
    button.SetVisibility(k_LayoutHidden);
    EXPECT_EQ(manager.GetFocusedElement(), nullptr);
    EXPECT_FALSE(button.IsFocused());

    // A key press now finds no focused element.
    // The element hears of the loss twice: from hiding itself and from the focus owner.
    manager.SendKeyPress(65, k_KeyActionPress, 0);
    EXPECT_EQ(buttonForwarder.focusValues, (std::vector<bool>{true, false, false}));
}

TEST_F(TreeFixture, DestroyedFocusedElementIsForgotten)
{
    auto* dialog = new TestElement("dialog");
    root.AddLayer(dialog, true);
    dialog->SetRect({500, 600, 500, 600});
    manager.SendMouseButtonDown(1, 0, {550, 550});
    ASSERT_EQ(manager.GetFocusedElement(), dialog);
    dialog->SetFlag(k_LayoutFocused, false); // as a focus group or popup does
    root.RemoveLayer(dialog);
    EXPECT_EQ(manager.GetFocusedElement(), nullptr);
    manager.SendKeyPress(65, k_KeyActionPress, 0);
    manager.SendMouseButtonUp(1, 0, {550, 550});
}

TEST_F(TreeFixture, DestroyedHoveredElementIsForgottenWithoutBeingAsked)
{
    // A list refilled under the cursor destroys its rows without telling anyone.
    auto* row = new TestElement("row");
    root.AddLayer(row, true);
    row->SetRect({500, 600, 500, 600});
    manager.SendCursorMove(0, {550, 550}, {0, 0});
    ASSERT_EQ(manager.GetHoveredElement(), row);
    root.RemoveLayer(row);
    EXPECT_EQ(manager.GetHoveredElement(), nullptr);
    manager.SendCursorMove(0, {20, 20}, {-530, -530}); // must not reach the destroyed row
    EXPECT_TRUE(button.IsHovered());
}

TEST_F(TreeFixture, ForgetElementDropsTheHoveredElement)
{
    manager.SendCursorMove(0, {20, 20}, {0, 0});
    manager.ForgetElement(&button);
    EXPECT_EQ(manager.GetHoveredElement(), nullptr);
}

// A popup as the GUI toolkit will have it: a holder with a content, as a layer of the root.
struct TestPopup
{
    explicit TestPopup(const char* p_Name, LayoutRect p_Rect) : content(p_Name)
    {
        popup.SetContent(&content, false);
        popup.SetForwarder(&forwarder);
        content.SetForwarder(&contentForwarder);
        popup.SetRect(p_Rect);
        popup.UpdateLayout();
    }
    RecordingForwarder forwarder;
    RecordingForwarder contentForwarder;
    ContentLayoutBase popup;
    TestElement content;
};

// The open popups, closing those that are missed by a press, as the popup handling does.
class OpenPopups : public IOpenPopups
{
public:
    explicit OpenPopups(LayoutStack& p_Root) : m_Root(p_Root) {}
    void Open(TestPopup& p_Popup)
    {
        m_Popups.Add(&p_Popup.popup);
        m_Root.AddLayer(&p_Popup.popup, false);
    }
    uint32_t GetOpenPopupCount() const override { return m_Popups.Count(); }
    ContentLayoutBase* GetOpenPopup(uint32_t p_Index) const override { return m_Popups.At(p_Index); }
    void OnPressedOutside(ContentLayoutBase& p_Popup) override
    {
        missed.push_back(&p_Popup);
        p_Popup.SetVisibility(k_LayoutHidden);
        m_Root.RemoveLayer(&p_Popup);
        m_Popups.Remove(static_cast<uint32_t>(m_Popups.Find(&p_Popup)));
    }
    std::vector<const LayoutBase*> missed;

private:
    LayoutStack& m_Root;
    Lib::DynamicArray<ContentLayoutBase*> m_Popups;
};

struct PopupFixture : TreeFixture
{
    PopupFixture()
    {
        popups.Open(lower);
        popups.Open(upper);
        manager.SetOpenPopups(&popups);
    }
    TestPopup lower{"lower", {300, 400, 100, 200}};
    TestPopup upper{"upper", {500, 600, 100, 200}};
    OpenPopups popups{root};
};

TEST_F(PopupFixture, PressInsideAPopupFocusesItAndClosesTheOthers)
{
    manager.SendMouseButtonDown(1, 0, {350, 150});
    EXPECT_TRUE(lower.popup.IsFocused());
    EXPECT_EQ(lower.forwarder.calls, (std::vector<Call>{{"OnFocusChanged", &lower.popup}}));
    EXPECT_EQ(lower.forwarder.focusValues, (std::vector<bool>{true}));
    EXPECT_EQ(upper.forwarder.focusValues, (std::vector<bool>{false}));
    EXPECT_EQ(popups.missed, (std::vector<const LayoutBase*>{&upper.popup}));
    EXPECT_EQ(popups.GetOpenPopupCount(), 1u);
    EXPECT_EQ(manager.GetFocusedElement(), &lower.content); // the press itself went through the tree
}

TEST_F(PopupFixture, PressOutsideEveryPopupClosesThemAll)
{
    lower.popup.SetFlag(k_LayoutFocused, true);
    manager.SendMouseButtonDown(1, 0, {20, 20});
    EXPECT_FALSE(lower.popup.IsFocused());
    EXPECT_EQ(popups.missed, (std::vector<const LayoutBase*>{&upper.popup, &lower.popup}));
    EXPECT_EQ(popups.GetOpenPopupCount(), 0u);
    EXPECT_EQ(root.GetLayerCount(), 3u);
    EXPECT_EQ(manager.GetFocusedElement(), &button);
}

TEST_F(PopupFixture, HiddenPopupIsLeftAlone)
{
    upper.popup.LayoutBase::SetVisibility(k_LayoutHidden);
    manager.SendMouseButtonDown(1, 0, {20, 20});
    EXPECT_TRUE(upper.forwarder.calls.empty());
    EXPECT_EQ(popups.missed, (std::vector<const LayoutBase*>{&lower.popup}));
}

TEST_F(PopupFixture, WheelOverAPopupScrollsItsContentOnce)
{
    lower.contentForwarder.answer = true;
    manager.SendMouseScroll(-120, {350, 150});
    EXPECT_EQ(lower.contentForwarder.Operations(), (std::vector<std::string>{"OnMouseScroll"}));

    // A content that does not take the wheel leaves it to the tree, which asks the popup layer.
    lower.contentForwarder.answer = false;
    lower.contentForwarder.calls.clear();
    manager.SendMouseScroll(-120, {350, 150});
    EXPECT_EQ(lower.contentForwarder.Operations(),
              (std::vector<std::string>{"OnMouseScroll", "OnMouseScroll"}));
}

TEST_F(PopupFixture, WheelOverADisabledPopupGoesOnlyThroughTheTree)
{
    lower.content.SetEnabled(false);
    manager.SendMouseScroll(-120, {350, 150});
    EXPECT_TRUE(lower.contentForwarder.calls.empty());
    manager.SendMouseScroll(-120, {20, 20}); // outside every popup
    EXPECT_EQ(buttonForwarder.Operations(), (std::vector<std::string>{"OnMouseScroll"}));
}
} // namespace
