#include "Corvan/Events/IEventBase.h"
#include "Corvan/Events/InputEvents.h"
#include "Corvan/Events/KeyCodes.h"
#include "Corvan/Gui/IDrawingContext.h"
#include "Corvan/Gui/Popup/Popup.h"
#include "Corvan/Gui/Popup/PopupTestEngine.h"
#include "Corvan/Layout/ILayoutEventForwarder.h"
#include "Support/RecordingDrawingContext.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{
using namespace Vozad;
using Testing::PopupTestEngine;
using Testing::RecordingDrawingContext;

// What the popup shows: writes down the keys and clicks that reach it.
class ProbeElement : public LayoutBase
{
public:
    bool OnKeyPress(EventKeyInput& p_Event) override
    {
        keys.push_back(p_Event.keyCode);
        return true;
    }
    LayoutBase* OnMouseClick(EventMousePress&) override
    {
        ++clicks;
        return this;
    }
    void Draw(IDrawingContext& p_Context) override
    {
        p_Context.DrawText("probe", {GetRect().left, GetRect().top}, FontSpec{}, 0);
    }

    std::vector<int32_t> keys;
    int clicks = 0;
};

class FocusRecorder : public ILayoutEventForwarder
{
public:
    bool OnFocusChanged(bool p_Focused, LayoutBase&) override
    {
        changes.push_back(p_Focused);
        return false;
    }
    LayoutBase* OnMouseClick(EventMousePress&, LayoutBase& p_Sender) override
    {
        clickSenders.push_back(&p_Sender);
        return nullptr;
    }
    std::vector<bool> changes;
    std::vector<const LayoutBase*> clickSenders;
};

struct PopupFixture : testing::Test
{
    PopupFixture()
    {
        popup.SetContent(&probe, false);
        popup.SetForwarder(&recorder);
        popup.m_Position = {100, 50};
        popup.m_Size = {200, 80};
    }

    void Open() { engine.OpenPopup(&popup); }
    bool Key(int32_t p_Key)
    {
        EventKeyInput event(k_EventKeyPress, p_Key, k_KeyActionPress, 0);
        return popup.OnKeyPress(event);
    }
    LayoutBase* Click(Lib::Point p_Position)
    {
        EventMousePress event(1, 0, 0, p_Position);
        return popup.OnMouseClick(event);
    }
    // Press and release as the root stack hands them on: the press only when it lands on the
    // popup, the release and the click wherever they are; the event manager sets the focused bit
    // by where the press landed.
    LayoutBase* PressAndClick(Lib::Point p_Press, Lib::Point p_Release, LayoutBase** p_Released = nullptr)
    {
        LayoutBase& layer = popup;
        const bool inside = popup.GetRect().Contains(p_Press);
        EventMousePress press(1, 1, 0, p_Press);
        if (inside)
            layer.OnMousePress(press);
        popup.SetFlag(k_LayoutFocused, inside);
        EventMousePress release(1, 0, 0, p_Release);
        LayoutBase* released = layer.OnMouseRelease(release);
        if (p_Released)
            *p_Released = released;
        return Click(p_Release);
    }
    bool IsClosed() const { return !popup.IsVisible() && !engine.IsOpen(popup) && !popup.IsFocused(); }

    PopupTestEngine engine;
    ProbeElement probe;
    FocusRecorder recorder;
    Popup popup{&engine};
};

TEST_F(PopupFixture, StartsHiddenWithAllThreeBehaviours)
{
    EXPECT_EQ(popup.GetVisibility(), k_LayoutHidden);
    EXPECT_EQ(popup.GetBehaviour(), 7);
    EXPECT_TRUE(popup.HasFlag(k_LayoutSizeToDesired));
    EXPECT_FALSE(Key(KeyCode::Return)); // hidden: takes nothing
    EXPECT_TRUE(probe.keys.empty());
}

TEST_F(PopupFixture, PlacementIsClampedToTheWindow)
{
    const struct
    {
        Lib::Point position;
        Lib::RectSize size;
        LayoutRect expected;
    } cases[] = {
        {{100, 50}, {200, 80}, {100, 300, 50, 130}},
        {{-20, -5}, {100, 50}, {0, 80, 0, 45}},
        {{1200, 700}, {200, 100}, {1200, 1280, 700, 720}},
        {{0, 0}, {1280, 720}, {0, 1280, 0, 720}},
    };
    for (const auto& testCase : cases)
    {
        popup.m_Position = testCase.position;
        popup.m_Size = testCase.size;
        popup.UpdateLayout();
        EXPECT_EQ(popup.GetRect(), testCase.expected) << testCase.position.x << "," << testCase.position.y;
        // The shown element sits inside the one-pixel border.
        const LayoutRect inner{testCase.expected.left + 1, testCase.expected.right - 1,
                               testCase.expected.top + 1, testCase.expected.bottom - 1};
        EXPECT_EQ(probe.GetRect(), inner);
    }
}

TEST_F(PopupFixture, FollowsAWindowThatShrinks)
{
    Open();
    engine.windowSize = {250, 100};
    popup.UpdateLayout();
    EXPECT_EQ(popup.GetRect(), (LayoutRect{100, 250, 50, 100}));
}

TEST_F(PopupFixture, LosingTheFocusClosesItWithFlagOne)
{
    Open();
    ASSERT_TRUE(popup.IsVisible());
    ASSERT_TRUE(popup.IsFocused());
    popup.SetFocused(false);
    EXPECT_TRUE(IsClosed());
    EXPECT_EQ(recorder.changes.back(), false);

    popup.SetBehaviour(k_PopupCloseOnClick | k_PopupCloseOnKeys);
    Open();
    popup.SetFocused(false);
    EXPECT_TRUE(popup.IsVisible());
    EXPECT_TRUE(engine.IsOpen(popup));
}

TEST_F(PopupFixture, AClickInsideClosesItWithFlagTwo)
{
    Open();
    EXPECT_EQ(Click({150, 90}), &probe);
    EXPECT_EQ(probe.clicks, 1);
    EXPECT_TRUE(IsClosed());

    popup.SetBehaviour(k_PopupCloseOnOutside | k_PopupCloseOnKeys);
    Open();
    EXPECT_EQ(Click({150, 90}), &probe);
    EXPECT_TRUE(popup.IsVisible());
    EXPECT_TRUE(engine.IsOpen(popup));
}

TEST_F(PopupFixture, AClickBesideItIsLeftToTheLayersBelow)
{
    popup.SetBehaviour(k_PopupCloseOnClick | k_PopupCloseOnKeys); // a press beside it keeps it open
    Open();
    EXPECT_EQ(Click({50, 90}), nullptr);
    LayoutBase* released = nullptr;
    EXPECT_EQ(PressAndClick({50, 90}, {60, 95}, &released), nullptr);
    EXPECT_EQ(released, nullptr);
    EXPECT_EQ(probe.clicks, 0);
    EXPECT_TRUE(popup.IsVisible());
    EXPECT_TRUE(recorder.clickSenders.empty());
}

// Pressed on the list, dragged off it and released over whatever lies below: the popup takes
// that release and click, closes, and tells its forwarder; nothing below fires.
TEST_F(PopupFixture, APressOnItReleasedBesideItIsItsClickAndClosesIt)
{
    for (const Lib::Point beside : {Lib::Point{50, 90}, Lib::Point{150, 400}, Lib::Point{301, 131}})
    {
        Open();
        LayoutBase* released = nullptr;
        EXPECT_EQ(PressAndClick({150, 90}, beside, &released), &popup) << beside.x << "," << beside.y;
        EXPECT_EQ(released, &popup);
        EXPECT_TRUE(IsClosed());
        EXPECT_EQ(probe.clicks, 0) << "the content was not clicked";
    }
    EXPECT_EQ(recorder.clickSenders, (std::vector<const LayoutBase*>{&popup, &popup, &popup}));

    // Only the press that began the click counts: a later click beside it goes below again.
    popup.SetBehaviour(k_PopupCloseOnClick | k_PopupCloseOnKeys);
    Open();
    EXPECT_EQ(PressAndClick({150, 90}, {150, 95}), &probe); // an ordinary click inside ...
    Open();
    EXPECT_EQ(Click({50, 90}), nullptr); // ... leaves nothing behind
    EXPECT_TRUE(popup.IsVisible());
}

TEST_F(PopupFixture, ReturnAndEscapeCloseItAfterTheContentSawThemWithFlagFour)
{
    for (int32_t key : {KeyCode::Return, KeyCode::Escape})
    {
        Open();
        EXPECT_TRUE(Key(KeyCode::DownArrow));
        EXPECT_TRUE(popup.IsVisible());
        EXPECT_TRUE(Key(key));
        EXPECT_EQ(probe.keys.back(), key);
        EXPECT_TRUE(IsClosed());
    }

    popup.SetBehaviour(k_PopupCloseOnOutside | k_PopupCloseOnClick);
    Open();
    Key(KeyCode::Escape);
    EXPECT_TRUE(popup.IsVisible());
}

TEST_F(PopupFixture, AClickReportedToItAsForwarderClosesIt)
{
    Open();
    EventMousePress click(1, 0, 0, {150, 90});
    EXPECT_EQ(static_cast<ILayoutEventForwarder&>(popup).OnMouseClick(click, probe), nullptr);
    EXPECT_TRUE(IsClosed());
}

TEST_F(PopupFixture, CloseHidesItAndTellsTheForwarder)
{
    Open();
    EXPECT_EQ(recorder.changes, std::vector<bool>{true});
    popup.Close();
    EXPECT_FALSE(popup.IsVisible());
    EXPECT_FALSE(popup.IsFocused());
    EXPECT_EQ(recorder.changes.back(), false);
}

TEST_F(PopupFixture, DrawsItsFrameThenItsContent)
{
    Open();
    RecordingDrawingContext context;
    popup.Draw(context);
    const std::vector<std::string> expected = {
        "FillRect 100 300 50 130 r0 c=00000000",
        "DrawRect 100 300 50 130 t1 r0 c=ff61615f", // focused or not: the border colour
        "DrawText \"probe\" 101 51 14pt w0 c=ff61615f",
    };
    EXPECT_EQ(context.calls, expected);

    popup.SetFlag(k_LayoutFocused, false);
    RecordingDrawingContext unfocused;
    popup.Draw(unfocused);
    EXPECT_EQ(unfocused.calls[1], "DrawRect 100 300 50 130 t1 r0 c=ff61615f");
}

TEST_F(PopupFixture, ReplacingTheContentDestroysTheOwnedWrapperOnly)
{
    auto* owned = new ProbeElement();
    popup.SetContent(owned, true); // the popup now owns it; the probe stays ours
    popup.UpdateLayout();
    EXPECT_EQ(owned->GetRect(), (LayoutRect{101, 299, 51, 129}));
    popup.SetContent(&probe, false);
    popup.UpdateLayout();
    EXPECT_EQ(probe.GetRect(), (LayoutRect{101, 299, 51, 129}));
}
} // namespace
