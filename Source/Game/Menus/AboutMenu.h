#pragma once
// The credits and licences panel with two tabs; ESCAPE, B or the back button leave it towards the
// panel it was opened from.
#include "Corvan/Gui/Widgets/Button.h"
#include "Corvan/Gui/Widgets/Label.h"
#include "Corvan/Gui/Widgets/WidgetStyle.h"
#include "Corvan/Layout/ContentLayoutBase.h"
#include "Corvan/Layout/ILayoutEventForwarder.h"
#include "Corvan/Layout/LayoutFocusGroup.h"
#include "Corvan/Window/IWindow.h"
#include "Game/Menus/PanelState.h"
#include "Lib/Log.h"
#include "Lib/ReferenceCounter.h"

#include <cstdint>
#include <memory>

namespace Vozad
{
class IGuiEngine;
class LayoutMargin;
class LayoutStack;
class Scrollview;
} // namespace Vozad

namespace Snake
{
class IAboutMenuListener;
class ICoreInterface;

enum AboutTab : int32_t
{
    k_AboutTabCredits = 0,
    k_AboutTabLicences = 1,
    k_AboutTabRecords = 2,
    k_AboutTabCount = 3,
};

class AboutMenu : public Vozad::ContentLayoutBase, public Vozad::ILayoutEventForwarder
{
public:
    AboutMenu(Vozad::IGuiEngine* p_Engine, IAboutMenuListener* p_Listener, ICoreInterface* p_Core);
    ~AboutMenu() override;

    // False when the engine has no window; otherwise builds both pages and leaves the panel hidden.
    bool Initialise();
    // Visible, the current tab selected again and laid out.
    void Show();
    void Hide();
    // The panel state the listener gets back when the menu is closed.
    void SetReturnState(PanelState p_State) { m_ReturnState = p_State; }
    PanelState GetReturnState() const { return m_ReturnState; }
    void SelectTab(int32_t p_Tab);
    int32_t GetCurrentTab() const { return m_CurrentTab; }

    Vozad::Label& GetTitleLabel() { return m_TitleLabel; }
    Vozad::Button& GetCreditsTab() { return m_CreditsTab; }
    Vozad::Button& GetLicencesTab() { return m_LicencesTab; }
    Vozad::Button& GetRecordsTab() { return m_RecordsTab; }
    Vozad::Button& GetBackButton() { return m_BackButton; }
    // Null before Initialise.
    Vozad::Scrollview* GetCreditsPage() { return m_CreditsPage.get(); }
    Vozad::Scrollview* GetLicencesPage() { return m_LicencesPage.get(); }
    Vozad::Scrollview* GetRecordsPage() { return m_RecordsPage.get(); }
    // Rows of the records table shown now (without the heading); 0 when there are none.
    uint32_t GetRecordRowCount() const { return m_RecordRows; }

    // ESCAPE and B close the menu.
    bool OnKeyPress(Vozad::EventKeyInput& p_Event) override;
    void UpdateLayout() override;
    void Draw(Vozad::IDrawingContext& p_Context) override;
    void SetVisibility(int32_t p_Visibility) override;

    // The element operations stay callable beside the forwarder operations of the same names.
    using ContentLayoutBase::OnMouseClick;
    using ContentLayoutBase::OnMousePress;

    // As the forwarder of the tab buttons (through the focus group) and the back button.
    bool OnKeyPress(Vozad::EventKeyInput& p_Event, Vozad::LayoutBase& p_Sender) override;
    Vozad::LayoutBase* OnMousePress(Vozad::EventMousePress& p_Event, Vozad::LayoutBase& p_Sender) override;
    Vozad::LayoutBase* OnMouseClick(Vozad::EventMousePress& p_Event, Vozad::LayoutBase& p_Sender) override;

private:
    void Close();
    Lib::String Text(const char* p_Key) const;
    void BuildCreditsPage();
    void BuildLicencesPage();
    // The table of every grid mode and speed that has a record (AboutMenuRecords.cpp); built
    // again whenever the menu is shown, since a round may have set a record since.
    void FillRecordsPage();
    void BuildContent();

    Lib::LogTag m_Tag{"AboutMenu"};
    Vozad::IGuiEngine* m_Engine; // not owned
    Lib::Ref<Vozad::IWindow> m_Window;
    IAboutMenuListener* m_Listener; // the GUI handler; not owned
    ICoreInterface* m_Core;         // the game object; not owned
    Vozad::WidgetStyle m_Style;
    Vozad::LayoutFocusGroup m_FocusGroup;
    PanelState m_ReturnState = k_PanelNone;
    int32_t m_CurrentTab = k_AboutTabCredits;
    Vozad::Label m_TitleLabel;
    Vozad::Button m_CreditsTab;
    Vozad::Button m_LicencesTab;
    Vozad::Button m_RecordsTab;
    uint32_t m_RecordRows = 0;
    Vozad::Button m_BackButton;
    // Last, so the containers go before the widgets they hold.
    std::unique_ptr<Vozad::Scrollview> m_CreditsPage;
    std::unique_ptr<Vozad::Scrollview> m_LicencesPage;
    std::unique_ptr<Vozad::Scrollview> m_RecordsPage;
    std::unique_ptr<Vozad::LayoutStack> m_Pages;
    std::unique_ptr<Vozad::LayoutMargin> m_Margin;
};
} // namespace Snake
