#include "Corvan/Layout/LayoutStack.h"
#include "Corvan/Layout/LayoutTestElements.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{
using namespace Vozad;
using namespace LayoutTesting;

// A layer that answers a fixed result and writes down every event that reaches it.
class AnsweringLayer : public TestElement
{
public:
    AnsweringLayer(std::string p_Name, std::vector<std::string>* p_Journal)
        : TestElement(std::move(p_Name), p_Journal)
    {
    }

    bool OnTextInput(EventTextInput&) override { return Bool("text"); }
    bool OnKeyPress(EventKeyInput&) override { return Bool("press"); }
    bool OnKeyRepeat(EventKeyInput&) override { return Bool("repeat"); }
    bool OnKeyRelease(EventKeyInput&) override { return Bool("release"); }
    bool OnMouseScroll(EventMouseScroll&) override { return Bool("wheel"); }
    LayoutBase* OnMousePress(EventMousePress&) override { return Element("mouse press"); }
    LayoutBase* OnMouseRelease(EventMousePress&) override { return Element("mouse release"); }
    LayoutBase* OnMouseClick(EventMousePress&) override { return Element("click"); }
    LayoutBase* FindElementAt(EventCursor&) override { return Element("find"); }
    LayoutBase* OnHoverChanged(EventCursor&) override { return Element("hover"); }
    bool OnCursorDrag(EventCursor&) override { return Bool("drag"); }
    bool OnCursorEnter(EventMouseEnter&) override { return Bool("enter"); }
    bool OnCursorLeave(EventMouseLeave&) override { return Bool("leave"); }

    bool answer = false;
    LayoutBase* element = nullptr;

private:
    bool Bool(const char* p_What)
    {
        journal->push_back(name + " " + p_What);
        return answer;
    }
    LayoutBase* Element(const char* p_What)
    {
        journal->push_back(name + " " + p_What);
        return element;
    }
};

// A stack over the whole window with two layers: the bottom one covers everything, the top one
// (a popup, say) only a corner.
struct StackFixture : testing::Test
{
    StackFixture()
    {
        stack.AddLayer(&bottom, false);
        stack.AddLayer(&top, false);
        stack.SetRect({0, 800, 0, 600});
        stack.UpdateLayout();
        top.SetRect({0, 100, 0, 100});
        journal.clear();
    }

    std::vector<std::string> journal;
    AnsweringLayer bottom{"bottom", &journal};
    AnsweringLayer top{"top", &journal};
    LayoutStack stack;
};

TEST(LayoutStack, AddLayerIgnoresNullAndAllowsDuplicates)
{
    LayoutStack stack;
    TestElement element;
    stack.AddLayer(nullptr, true);
    stack.AddLayer(&element, false);
    stack.AddLayer(&element, false);
    ASSERT_EQ(stack.GetLayerCount(), 2u);
    EXPECT_EQ(stack.GetLayer(1).element, &element);
    EXPECT_FALSE(stack.GetLayer(1).owned);
}

TEST(LayoutStack, RemoveLayerDropsEveryLayerOfTheElementAndDestroysItOnceIfOwned)
{
    std::vector<std::string> journal;
    LayoutStack stack;
    TestElement below("below", &journal);
    auto* popup = new TestElement("popup", &journal);
    TestElement above("above", &journal);
    stack.AddLayer(&below, false);
    stack.AddLayer(popup, true);
    stack.AddLayer(&above, false);
    stack.AddLayer(popup, true);

    stack.RemoveLayer(popup);
    EXPECT_EQ(journal, (std::vector<std::string>{"popup destroyed"}));
    ASSERT_EQ(stack.GetLayerCount(), 2u);
    EXPECT_EQ(stack.GetLayer(0).element, &below);
    EXPECT_EQ(stack.GetLayer(1).element, &above);

    stack.RemoveLayer(&above); // not owned: only forgotten
    EXPECT_EQ(stack.GetLayerCount(), 1u);
    EXPECT_EQ(journal.size(), 1u);
}

TEST(LayoutStack, DestroysOwnedLayersBottomFirstAndEachOnlyOnce)
{
    std::vector<std::string> journal;
    TestElement borrowed("borrowed", &journal);
    {
        LayoutStack stack;
        auto* twice = new TestElement("twice", &journal);
        stack.AddLayer(new TestElement("first", &journal), true);
        stack.AddLayer(&borrowed, false);
        stack.AddLayer(twice, true);
        stack.AddLayer(new TestElement("last", &journal), true);
        stack.AddLayer(twice, true);
    }
    EXPECT_EQ(journal, (std::vector<std::string>{"first destroyed", "twice destroyed", "last destroyed"}));
}

TEST_F(StackFixture, LayoutGivesEveryLayerTheStacksRectangleFromTheTopDown)
{
    stack.SetRect({0, 1024, 0, 768});
    stack.UpdateLayout();
    EXPECT_EQ(bottom.GetRect(), (LayoutRect{0, 1024, 0, 768}));
    EXPECT_EQ(top.GetRect(), (LayoutRect{0, 1024, 0, 768}));
    EXPECT_EQ(journal, (std::vector<std::string>{"top layout", "bottom layout"}));
}

TEST_F(StackFixture, DrawsVisibleLayersFromTheBottomUp)
{
    TestElement hidden("hidden", &journal);
    hidden.SetVisibility(k_LayoutHidden);
    stack.AddLayer(&hidden, false);
    stack.Draw(UnusedDrawingContext());
    EXPECT_EQ(journal, (std::vector<std::string>{"bottom draw", "top draw"}));

    journal.clear();
    stack.LayoutBase::SetVisibility(k_LayoutHidden);
    stack.Draw(UnusedDrawingContext());
    EXPECT_TRUE(journal.empty());
}

TEST_F(StackFixture, HidingAndShowingTheStackBringsBackTheLayersItHid)
{
    TestElement hiddenByOwner("hidden", &journal);
    hiddenByOwner.SetVisibility(k_LayoutHidden);
    stack.AddLayer(&hiddenByOwner, false);

    for (int32_t away : {k_LayoutHidden, k_LayoutCollapsed})
    {
        stack.SetVisibility(away);
        EXPECT_EQ(bottom.GetVisibility(), away);
        EXPECT_EQ(top.GetVisibility(), away);

        stack.SetVisibility(k_LayoutVisible);
        EXPECT_TRUE(bottom.IsVisible()) << away;
        EXPECT_TRUE(top.IsVisible()) << away;
        EXPECT_EQ(hiddenByOwner.GetVisibility(), k_LayoutHidden) << "the owner's choice stays";
    }

    journal.clear();
    stack.Draw(UnusedDrawingContext());
    EXPECT_EQ(journal, (std::vector<std::string>{"bottom draw", "top draw"}));
}

TEST_F(StackFixture, PressInsideTheTopLayerNeverReachesLowerLayersWhenTaken)
{
    top.element = &top;
    bottom.element = &bottom;
    EventMousePress inside(1, 1, 0, {50, 50});
    EXPECT_EQ(stack.OnMousePress(inside), &top);
    EXPECT_EQ(journal, (std::vector<std::string>{"top mouse press"}));

    journal.clear();
    EventMousePress outside(1, 1, 0, {400, 300});
    EXPECT_EQ(stack.OnMousePress(outside), &bottom);
    EXPECT_EQ(journal, (std::vector<std::string>{"bottom mouse press"}));

    journal.clear();
    top.element = nullptr; // inside, but the top layer takes nothing: the walk goes on
    EXPECT_EQ(stack.OnMousePress(inside), &bottom);
    EXPECT_EQ(journal, (std::vector<std::string>{"top mouse press", "bottom mouse press"}));
}

TEST_F(StackFixture, WheelAndPressSkipDisabledOrHiddenLayers)
{
    bottom.answer = true;
    bottom.element = &bottom;
    top.answer = true;
    top.element = &top;
    for (const bool disable : {true, false})
    {
        journal.clear();
        top.SetEnabled(!disable);
        top.SetVisibility(disable ? k_LayoutVisible : k_LayoutHidden);
        EventMouseScroll wheel(-120, {50, 50});
        EXPECT_TRUE(stack.OnMouseScroll(wheel));
        EventMousePress press(1, 1, 0, {50, 50});
        EXPECT_EQ(stack.OnMousePress(press), &bottom);
        EXPECT_EQ(journal, (std::vector<std::string>{"bottom wheel", "bottom mouse press"})) << disable;
    }
}

TEST_F(StackFixture, WheelOutsideTheTopLayerGoesToTheLayersBelow)
{
    top.answer = true;
    bottom.answer = true;
    EventMouseScroll outside(-120, {400, 300});
    EXPECT_TRUE(stack.OnMouseScroll(outside));
    EventMouseScroll inside(-120, {100, 100}); // on the top layer's corner: edges count
    EXPECT_TRUE(stack.OnMouseScroll(inside));
    EXPECT_EQ(journal, (std::vector<std::string>{"bottom wheel", "top wheel"}));
}

TEST_F(StackFixture, KeyPressSkipsHiddenLayersButOtherEventsVisitEveryLayer)
{
    top.SetVisibility(k_LayoutHidden);
    top.SetEnabled(false);
    top.SetRect({0, 1, 0, 1});
    EventKeyInput press(k_EventKeyPress, 65, k_KeyActionPress, 0);
    EventKeyInput repeat(k_EventKeyRepeat, 65, k_KeyActionRepeat, 0);
    EventKeyInput release(k_EventKeyRelease, 65, k_KeyActionRelease, 0);
    EventTextInput text("a");
    EventMousePress up(1, 0, 0, {400, 300});
    EventCursor position = EventCursor::Position(1, {400, 300}, {0, 0});
    EventCursor hover = EventCursor::Hover(position, 1);
    EXPECT_FALSE(stack.OnKeyPress(press));
    EXPECT_FALSE(stack.OnKeyRepeat(repeat));
    EXPECT_FALSE(stack.OnKeyRelease(release));
    EXPECT_FALSE(stack.OnTextInput(text));
    EXPECT_EQ(stack.OnMouseRelease(up), nullptr);
    EXPECT_EQ(stack.OnMouseClick(up), nullptr);
    EXPECT_EQ(stack.FindElementAt(position), nullptr);
    EXPECT_EQ(stack.OnHoverChanged(hover), nullptr);
    EXPECT_FALSE(stack.OnCursorDrag(position));
    EXPECT_EQ(journal, (std::vector<std::string>{
                           "bottom press",
                           "top repeat",
                           "bottom repeat",
                           "top release",
                           "bottom release",
                           "top text",
                           "bottom text",
                           "top mouse release",
                           "bottom mouse release",
                           "top click",
                           "bottom click",
                           "top find",
                           "bottom find",
                           "top hover",
                           "bottom hover",
                           "top drag",
                           "bottom drag",
                       }));
}

TEST_F(StackFixture, FirstLayerThatTakesAnEventEndsTheWalk)
{
    top.answer = true;
    top.element = &top;
    EventTextInput text("a");
    EXPECT_TRUE(stack.OnTextInput(text));
    EventCursor position = EventCursor::Position(0, {400, 300}, {0, 0});
    EXPECT_EQ(stack.FindElementAt(position), &top);
    EXPECT_EQ(journal, (std::vector<std::string>{"top text", "top find"}));
}

TEST_F(StackFixture, CursorEnterAndLeaveGoFromTheBottomUpUntilTaken)
{
    EventMouseEnter enter({1, 1}, {0, 0});
    EXPECT_FALSE(stack.OnCursorEnter(enter));
    bottom.answer = true;
    EventMouseLeave leave({1, 1}, {0, 0});
    EXPECT_TRUE(stack.OnCursorLeave(leave));
    EXPECT_EQ(journal, (std::vector<std::string>{"bottom enter", "top enter", "bottom leave"}));
}

TEST_F(StackFixture, DisabledOrHiddenStackTakesNoEvent)
{
    top.answer = true;
    top.element = &top;
    bottom.answer = true;
    bottom.element = &bottom;
    for (const bool disable : {true, false})
    {
        stack.SetEnabled(!disable);
        stack.LayoutBase::SetVisibility(disable ? k_LayoutVisible : k_LayoutHidden);
        EventTextInput text("a");
        EventMousePress press(1, 1, 0, {50, 50});
        EventCursor position = EventCursor::Position(0, {50, 50}, {0, 0});
        EventMouseEnter enter({1, 1}, {0, 0});
        EXPECT_FALSE(stack.OnTextInput(text));
        EXPECT_EQ(stack.OnMousePress(press), nullptr);
        EXPECT_EQ(stack.FindElementAt(position), nullptr);
        EXPECT_FALSE(stack.OnCursorEnter(enter));
    }
    EXPECT_TRUE(journal.empty());
}

TEST_F(StackFixture, VisibilityOriginAndClipRectReachOnlyVisibleLayers)
{
    top.SetVisibility(k_LayoutHidden);
    stack.SetOrigin({0, -10});
    stack.SetClipRect({1, 2, 3, 4});
    stack.SetVisibility(k_LayoutCollapsed);
    EXPECT_EQ(bottom.GetOrigin(), (Lib::Point{0, -10}));
    EXPECT_EQ(bottom.GetClipRect(), (LayoutRect{1, 2, 3, 4}));
    EXPECT_EQ(bottom.GetVisibility(), k_LayoutCollapsed);
    EXPECT_EQ(top.GetOrigin(), (Lib::Point{0, 0}));
    EXPECT_TRUE(top.GetClipRect().IsNone());
    EXPECT_EQ(top.GetVisibility(), k_LayoutHidden);
    EXPECT_EQ(stack.GetVisibility(), k_LayoutCollapsed);
}

TEST_F(StackFixture, DesiredSizeAddsUpTheVisibleLayers)
{
    bottom.SetDesiredSize(200, 100);
    top.SetDesiredSize(50, 20);
    TestElement hidden;
    hidden.SetDesiredSize(1000, 1000);
    hidden.SetVisibility(k_LayoutHidden);
    stack.AddLayer(&hidden, false);
    EXPECT_EQ(stack.GetDesiredSize(), (Lib::RectSize{250, 120}));

    stack.LayoutBase::SetVisibility(k_LayoutHidden);
    EXPECT_EQ(stack.GetDesiredSize(), (Lib::RectSize{0, 0}));
}

TEST_F(StackFixture, LayersWithoutWishesLeaveTheStackWithoutAWishInsteadOfWrapping)
{
    bottom.SetDesiredSize(200, 100); // top and the extra layer wish nothing
    TestElement third;
    stack.AddLayer(&third, false);
    EXPECT_EQ(stack.GetDesiredSize(), (Lib::RectSize{2147483647u, 2147483647u}));
}

TEST_F(StackFixture, FindByIdSearchesTheStackThenTheLayersFromTheTop)
{
    bottom.SetId(3);
    top.SetId(3);
    stack.SetId(9);
    EXPECT_EQ(stack.FindById(9), &stack);
    EXPECT_EQ(stack.FindById(3), &top);
    EXPECT_EQ(stack.FindById(4), nullptr);
}

// A layer that closes itself (leaves the stack) while it handles an event and lets it pass on.
class ClosingLayer : public TestElement
{
public:
    ClosingLayer(LayoutStack& p_Stack, std::vector<std::string>* p_Journal)
        : TestElement("closing", p_Journal), m_Stack(p_Stack)
    {
    }
    LayoutBase* OnMouseClick(EventMousePress&) override
    {
        journal->push_back("closing click");
        m_Stack.RemoveLayer(this);
        return nullptr;
    }

private:
    LayoutStack& m_Stack;
};

TEST_F(StackFixture, LayerThatLeavesTheStackDuringAnEventDoesNotBreakTheWalk)
{
    ClosingLayer closing(stack, &journal);
    stack.AddLayer(&closing, false);
    bottom.element = &bottom;
    EventMousePress click(1, 0, 0, {50, 50});
    EXPECT_EQ(stack.OnMouseClick(click), &bottom);
    EXPECT_EQ(journal, (std::vector<std::string>{"closing click", "top click", "bottom click"}));
    EXPECT_EQ(stack.GetLayerCount(), 2u);
}
} // namespace
