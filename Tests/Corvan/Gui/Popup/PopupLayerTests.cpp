// The popup layer under the event manager: what a press does to the popups that are open, also
// when a popup's listener opens or closes popups while the press is being handled.
#include "Corvan/Gui/Popup/PopupLayer.h"

#include "Corvan/EventRouting/EventManager.h"
#include "Corvan/Gui/Popup/Popup.h"
#include "Corvan/Layout/ILayoutEventForwarder.h"
#include "Corvan/Layout/IUiFocus.h"
#include "Corvan/Layout/LayoutStack.h"

#include "Support/FixedMetricsGuiEngine.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

namespace
{
using namespace Vozad;

// Widgets reach the popup layer and the focus through the engine, as in the running program.
class LayerEngine : public Testing::FixedMetricsGuiEngine, public IUiFocus
{
public:
    void SetFocus(LayoutBase* p_Element) override { manager.SetFocus(p_Element); }
    void ReleaseFocus(LayoutBase* p_Element) override { manager.ReleaseFocus(p_Element); }
    void OpenPopup(Popup* p_Popup) override { layer.Open(p_Popup); }
    void ClosePopup(Popup* p_Popup) override { layer.Close(p_Popup); }
    PopupLayer layer;
    EventManager manager{this};
};

// Writes down every focus change of its popup and runs p_OnLost when the popup loses the focus.
class FocusListener : public ILayoutEventForwarder
{
public:
    bool OnFocusChanged(bool p_Focused, LayoutBase&) override
    {
        changes.push_back(p_Focused);
        if (!p_Focused && onLost)
            onLost();
        return true;
    }
    std::vector<bool> changes;
    std::function<void()> onLost;
};

class PopupLayerTest : public testing::Test
{
protected:
    PopupLayerTest()
    {
        m_Root.SetRect({0, 800, 0, 600});
        m_Engine.layer.SetRoot(&m_Root);
        m_Engine.manager.SetRoot(&m_Root);
        m_Engine.manager.SetOpenPopups(&m_Engine.layer);
        const Lib::Point positions[] = {{10, 10}, {210, 10}, {410, 10}};
        for (int i = 0; i < 3; ++i)
        {
            m_Popups[i]->m_Position = positions[i];
            m_Popups[i]->m_Size = {100, 100};
            m_Popups[i]->SetForwarder(&m_Listeners[i]);
        }
    }

    void OpenAll()
    {
        for (Popup* popup : m_Popups)
            m_Engine.OpenPopup(popup);
        for (FocusListener& listener : m_Listeners)
            listener.changes.clear();
    }

    LayerEngine m_Engine;
    LayoutStack m_Root;
    FocusListener m_Listeners[3];
    Popup m_Left{&m_Engine}, m_Middle{&m_Engine}, m_Right{&m_Engine};
    Popup* m_Popups[3] = {&m_Left, &m_Middle, &m_Right};
};

TEST_F(PopupLayerTest, OpenShowsAndFocusesOnceAndCloseRemovesTheLayer)
{
    m_Engine.OpenPopup(m_Popups[0]);
    m_Engine.OpenPopup(m_Popups[0]);
    ASSERT_EQ(m_Engine.layer.GetOpenPopupCount(), 1u);
    EXPECT_TRUE(m_Popups[0]->IsVisible());
    EXPECT_TRUE(m_Popups[0]->IsFocused());
    EXPECT_EQ(m_Listeners[0].changes, (std::vector<bool>{true}));
    EXPECT_EQ(m_Root.GetLayerCount(), 1u);

    m_Engine.ClosePopup(m_Popups[0]);
    EXPECT_EQ(m_Engine.layer.GetOpenPopupCount(), 0u);
    EXPECT_EQ(m_Root.GetLayerCount(), 0u);
}

TEST_F(PopupLayerTest, OpenPopupsMoveOntoANewRoot)
{
    OpenAll();
    LayoutStack newRoot;
    m_Engine.layer.SetRoot(&newRoot);
    EXPECT_EQ(newRoot.GetLayerCount(), 3u);
    // Without a root nothing more opens.
    m_Engine.layer.SetRoot(nullptr);
    Popup late(&m_Engine);
    m_Engine.OpenPopup(&late);
    EXPECT_EQ(m_Engine.layer.GetOpenPopupCount(), 3u);
    EXPECT_FALSE(late.IsVisible());
}

TEST_F(PopupLayerTest, PopupClosedFromInsideThePressIsPassedAndNoPopupIsVisitedTwice)
{
    // The top popup stays open on outside presses; when it loses the focus, its listener closes
    // the lowest popup, which the press has not reached yet.
    OpenAll();
    m_Popups[2]->SetBehaviour(0);
    m_Listeners[2].onLost = [this] { m_Engine.ClosePopup(m_Popups[0]); };

    m_Engine.manager.SendMouseButtonDown(1, 0, {700, 500});

    EXPECT_EQ(m_Listeners[2].changes, (std::vector<bool>{false}));
    // The middle one loses the focus and then closes itself, which tells its listener again.
    EXPECT_EQ(m_Listeners[1].changes, (std::vector<bool>{false, false}));
    EXPECT_TRUE(m_Listeners[0].changes.empty());
    ASSERT_EQ(m_Engine.layer.GetOpenPopupCount(), 1u);
    EXPECT_EQ(m_Engine.layer.GetOpenPopup(0), m_Popups[2]);
    EXPECT_TRUE(m_Popups[2]->IsVisible());
    EXPECT_FALSE(m_Popups[1]->IsVisible());
}

TEST_F(PopupLayerTest, PressInsideOnePopupClosesTheOthersThatCloseOnOutsidePresses)
{
    OpenAll();
    m_Engine.manager.SendMouseButtonDown(1, 0, {250, 50});
    EXPECT_EQ(m_Listeners[1].changes, (std::vector<bool>{true}));
    ASSERT_EQ(m_Engine.layer.GetOpenPopupCount(), 1u);
    EXPECT_EQ(m_Engine.layer.GetOpenPopup(0), m_Popups[1]);
}

TEST_F(PopupLayerTest, DestroyedPopupLeavesTheLayerAndTheRoot)
{
    auto popup = std::make_unique<Popup>(&m_Engine);
    m_Engine.OpenPopup(popup.get());
    m_Engine.layer.Forget(popup.get());
    EXPECT_EQ(m_Engine.layer.GetOpenPopupCount(), 0u);
    EXPECT_EQ(m_Root.GetLayerCount(), 0u);
}
} // namespace
