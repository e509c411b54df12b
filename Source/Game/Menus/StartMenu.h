#pragma once
// The small centred panel that is the start, pause, game-won and game-over menu: a title, four
// buttons and the version line. The GUI handler changes the title and the first button's text.
#include "Corvan/Gui/Widgets/Button.h"
#include "Corvan/Gui/Widgets/Label.h"
#include "Corvan/Gui/Widgets/WidgetStyle.h"
#include "Corvan/Layout/ContentLayoutBase.h"
#include "Corvan/Layout/ILayoutEventForwarder.h"

#include <memory>

namespace Vozad
{
class IGuiEngine;
class LayoutBar;
} // namespace Vozad

namespace Snake
{
class ILocale;
class IStartMenuListener;

class StartMenu : public Vozad::ContentLayoutBase, public Vozad::ILayoutEventForwarder
{
public:
    StartMenu(Vozad::IGuiEngine* p_Engine, ILocale* p_Locale, IStartMenuListener* p_Listener);
    ~StartMenu() override;

    // Texts, forwarders and layout; leaves the panel hidden. Always true.
    bool Initialise();
    // Visible and laid out in the rectangle it has.
    void Show();
    void Hide();

    Vozad::Label& GetTitleLabel() { return m_TitleLabel; }
    Vozad::Button& GetFirstButton() { return m_StartButton; }
    Vozad::Button& GetOptionsButton() { return m_OptionsButton; }
    Vozad::Button& GetAboutButton() { return m_AboutButton; }
    Vozad::Button& GetQuitButton() { return m_QuitButton; }
    const Vozad::Label& GetVersionLabel() const { return m_VersionLabel; }
    // The lines under the title of the game-over and game-won panels: the record ("Best: ...")
    // and, when the round set it, "New record!". Empty texts collapse them.
    void SetResult(const Lib::String& p_Best, const Lib::String& p_NewRecord);
    const Vozad::Label& GetBestLabel() const { return m_BestLabel; }
    const Vozad::Label& GetNewRecordLabel() const { return m_NewRecordLabel; }
    const Vozad::WidgetStyle& GetStyle() const { return m_Style; }

    // The panel's letter keys: S start, O options, A or I about, Q quit.
    bool OnKeyPress(Vozad::EventKeyInput& p_Event) override;
    void UpdateLayout() override;
    void Draw(Vozad::IDrawingContext& p_Context) override;
    void SetVisibility(int32_t p_Visibility) override;

    // The element operations stay callable beside the forwarder operations of the same names.
    using ContentLayoutBase::OnMouseClick;
    using ContentLayoutBase::OnMousePress;

    // As the forwarder of its four buttons.
    bool OnKeyPress(Vozad::EventKeyInput& p_Event, Vozad::LayoutBase& p_Sender) override;
    Vozad::LayoutBase* OnMousePress(Vozad::EventMousePress& p_Event, Vozad::LayoutBase& p_Sender) override;
    Vozad::LayoutBase* OnMouseClick(Vozad::EventMousePress& p_Event, Vozad::LayoutBase& p_Sender) override;

private:
    // Tells the listener about the button; false when the sender is none of the four.
    bool ReportButton(const Vozad::LayoutBase& p_Sender);
    // The best and new-record labels side by side, centred in the gap that holds them.
    std::unique_ptr<Vozad::LayoutBase> ResultLine();
    void BuildContent();

    Vozad::IGuiEngine* m_Engine;    // not owned
    ILocale* m_Locale;              // the GUI handler; not owned
    IStartMenuListener* m_Listener; // the GUI handler; not owned
    Vozad::WidgetStyle m_Style;
    Vozad::Label m_TitleLabel;
    Vozad::Button m_StartButton;
    Vozad::Button m_OptionsButton;
    Vozad::Button m_AboutButton;
    Vozad::Button m_QuitButton;
    Vozad::Label m_VersionLabel;
    Vozad::Label m_BestLabel;
    Vozad::Label m_NewRecordLabel;
    // Last, so the bars go before the widgets they hold.
    std::unique_ptr<Vozad::LayoutBar> m_Bar;
};
} // namespace Snake
