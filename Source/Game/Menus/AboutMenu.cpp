#include "Game/Menus/AboutMenu.h"

#include "Corvan/Events/InputEvents.h"
#include "Corvan/Events/KeyCodes.h"
#include "Corvan/Gui/Colours.h"
#include "Corvan/Gui/Containers/GridSizeMode.h"
#include "Corvan/Gui/Containers/LayoutBar.h"
#include "Corvan/Gui/Containers/LayoutMargin.h"
#include "Corvan/Gui/Containers/Scrollview.h"
#include "Corvan/Gui/FontSpec.h"
#include "Corvan/Gui/IGuiEngine.h"
#include "Corvan/Layout/LayoutStack.h"
#include "Game/ICoreInterface.h"
#include "Game/Menus/BuildInfo.h"
#include "Game/Menus/IAboutMenuListener.h"
#include "Game/Menus/LicenceTexts.h"
#include "Game/Menus/MenuPanelStyle.h"
#include "Game/Menus/TabbedMenuKit.h"

#include <string>
#include <string_view>

namespace Snake
{
namespace
{
using Vozad::GridSizeMode;

// One line of the credits page: its text, its font size and the gap that follows it.
struct CreditLine
{
    std::string text;
    uint32_t size;
    int32_t gapAfter;
};

std::string Formatted(const char* p_Format, const char* p_Value)
{
    return Lib::String::Format(p_Format, p_Value).ToNarrow().Bytes();
}

std::string_view LibraryShortName(std::string_view p_Name)
{
    const size_t end = p_Name.find("_license");
    return end == std::string_view::npos ? p_Name : p_Name.substr(0, end);
}
} // namespace

AboutMenu::AboutMenu(Vozad::IGuiEngine* p_Engine, IAboutMenuListener* p_Listener, ICoreInterface* p_Core)
    : m_Engine(p_Engine), m_Listener(p_Listener), m_Core(p_Core), m_Style(MakePanelStyle()),
      m_FocusGroup(this), m_TitleLabel(p_Engine, 40, Vozad::k_LabelAlignTopLeft),
      m_CreditsTab(p_Engine, 20, 0), m_LicencesTab(p_Engine, 20, 0), m_RecordsTab(p_Engine, 20, 0),
      m_BackButton(p_Engine, 20, 0)
{
}

AboutMenu::~AboutMenu() = default;

Lib::String AboutMenu::Text(const char* p_Key) const
{
    return m_Core->GetLocaleString(p_Key);
}

bool AboutMenu::Initialise()
{
    m_Window = m_Engine->GetWindow();
    if (!m_Window)
    {
        Lib::LogError(m_Tag, "The engine has no window; the about menu cannot be built");
        return false;
    }

    m_TitleLabel.GetStyle().textColour = Vozad::Colour::k_White;
    m_TitleLabel.SetText(Text("menu_about.title"));

    StyleTabButton(m_CreditsTab);
    StyleTabButton(m_LicencesTab);
    StyleTabButton(m_RecordsTab);
    m_RecordsTab.SetText(Text("menu_about.tab_records.title"));
    m_RecordsTab.SetForwarder(this);
    m_CreditsTab.SetText(Text("menu_about.tab_credits.title"));
    m_LicencesTab.SetText(Text("menu_about.tab_license.title"));
    m_CreditsTab.SetForwarder(this);
    m_LicencesTab.SetForwarder(this);
    m_BackButton.SetText(Text("menu_about.back"));
    m_BackButton.SetForwarder(this);

    // The credits tab starts highlighted; the group keeps exactly one tab marked from now on.
    m_CreditsTab.SetFlag(Vozad::k_LayoutFocused, true);
    m_CreditsTab.GetForwarder()->OnFocusChanged(true, m_CreditsTab);
    m_FocusGroup.AddMember(&m_CreditsTab);
    m_FocusGroup.AddMember(&m_LicencesTab);
    m_FocusGroup.AddMember(&m_RecordsTab);

    BuildCreditsPage();
    BuildLicencesPage();
    m_RecordsPage = std::make_unique<Vozad::Scrollview>(m_Engine, 5, 1, k_PageBackground);
    FillRecordsPage();
    BuildContent();
    SetVisibility(Vozad::k_LayoutHidden);
    return true;
}

void AboutMenu::BuildCreditsPage()
{
    const std::string maker = k_MakerName;
    const CreditLine lines[] = {
        {"Thank you for playing.", 40, 20},
        {"==== DEVELOPED BY ====", 20, 0},
        {"A Game By", 15, 0},
        {maker, 25, 10},
        {" - Programming: " + maker, 15, 0},
        {" - Art: " + maker, 15, 20},
        {"==== SPECIAL THANKS & ADDITIONAL CONTRIBUTIONS ====", 20, 0},
        {Formatted(
             " - Special Thanks: To all the contributors and maintainers of the libraries used within %s",
             k_EngineName),
         15, 20},
        {"==== THIRD-PARTY ASSETS & TOOLS ====", 20, 0},
        {" - Fonts:", 15, 0},
        {"   - Noto_Sans", 15, 0},
        {" - Libraries:", 15, 0},
        {"   - freetype 2", 15, 0},
        {"   - GLM", 15, 0},
        {"   - edid", 15, 0},
        {"   - stb_image loader/writer", 15, 0},
        {"   - Lua (for scripting)", 15, 0},
        {"   - Dear ImGui (for UI)", 15, 0},
        {"   - OpenGL", 15, 0},
        {"   - Vulkan SDK", 15, 20},
        {Formatted("Made with %s", k_EngineName), 15, 20},
        {"==== GAME TITLE & LEGAL NOTICE ====", 20, 0},
        {"VORL (Vorlquest)", 20, 0},
        {Formatted("Version: %s", k_ProductVersion), 15, 0},
        {Formatted("Build: %s", k_BuildStamp), 15, 0},
        {Formatted("Commit: %s", k_BuildRevision), 15, 0},
        {"VORL (Vorlquest) is a trademark of " + maker + ". All rights reserved.", 15, 0},
        {"Web: https://www.kestrova.example", 15, 0},
    };

    auto column = std::make_unique<Vozad::LayoutBar>(1);
    column->SetFlag(Vozad::k_LayoutAtLeastDesiredHeight, true);
    for (const CreditLine& line : lines)
    {
        auto label = std::make_unique<Vozad::Label>(m_Engine, line.size, Vozad::k_LabelAlignTopLeft);
        label->GetStyle().textColour = Vozad::Colour::k_White;
        label->SetText(Lib::String(line.text.c_str()));
        Append(*column, std::move(label), 1, GridSizeMode::Auto);
        if (line.gapAfter > 0)
            Append(*column, nullptr, false, line.gapAfter, GridSizeMode::Fixed);
    }

    auto centred = std::make_unique<Vozad::LayoutBar>(0);
    centred->SetFlag(Vozad::k_LayoutAtLeastDesiredHeight, true);
    Append(*centred, nullptr, false, 1, GridSizeMode::Weighted);
    Append(*centred, std::move(column), 1, GridSizeMode::Auto);
    Append(*centred, nullptr, false, 1, GridSizeMode::Weighted);

    m_CreditsPage = std::make_unique<Vozad::Scrollview>(m_Engine, 5, 1, k_PageBackground);
    m_CreditsPage->SetContent(std::move(centred));
}

void AboutMenu::BuildLicencesPage()
{
    auto makeLabel = [this](const std::string& p_Text)
    {
        auto label = std::make_unique<Vozad::Label>(m_Engine, 13, Vozad::k_LabelAlignTopLeft);
        label->GetStyle().font = Vozad::FontSpec{13, Vozad::k_BuiltInFontName};
        label->GetStyle().textColour = Vozad::Colour::k_White;
        label->m_MultiLine = true;
        label->SetText(Lib::String(std::string_view(p_Text)));
        return label;
    };

    auto column = std::make_unique<Vozad::LayoutBar>(1);
    column->SetFlag(Vozad::k_LayoutAtLeastDesiredHeight, true);

    std::string overview =
        Lib::String::Format("%s %s", k_EngineName, "uses the following libraries:\n").ToNarrow().Bytes();
    for (const LicenceText& licence : GetLicenceTexts())
    {
        overview += " - ";
        overview += LibraryShortName(licence.name);
        overview += "\n";
    }
    overview += "\n\n";
    Append(*column, makeLabel(overview), 1, GridSizeMode::Auto);
    for (const LicenceText& licence : GetLicenceTexts())
        Append(*column, makeLabel(std::string(licence.text) + "\n\n"), 1, GridSizeMode::Auto);

    m_LicencesPage = std::make_unique<Vozad::Scrollview>(m_Engine, 5, 1, k_PageBackground);
    m_LicencesPage->SetContent(std::move(column));
    m_LicencesPage->SetContentFont(Vozad::FontSpec{13, Vozad::k_BuiltInFontName});
}

void AboutMenu::BuildContent()
{
    m_Pages = std::make_unique<Vozad::LayoutStack>();
    m_Pages->AddLayer(m_CreditsPage.get(), false);
    m_Pages->AddLayer(m_LicencesPage.get(), false);
    m_Pages->AddLayer(m_RecordsPage.get(), false);

    m_Margin = BuildTabbedFrame({&m_TitleLabel,
                                 {&m_CreditsTab, &m_LicencesTab, &m_RecordsTab},
                                 m_Pages.get(),
                                 LeftAlignedRow({&m_BackButton}, 0)});
    SetContent(m_Margin.get(), false);
}

void AboutMenu::Show()
{
    SetVisibility(Vozad::k_LayoutVisible);
    if (m_RecordsPage)
        FillRecordsPage();
    SelectTab(m_CurrentTab);
}

void AboutMenu::Hide()
{
    SetVisibility(Vozad::k_LayoutHidden);
}

void AboutMenu::SelectTab(int32_t p_Tab)
{
    m_CurrentTab = p_Tab > k_AboutTabCredits && p_Tab < k_AboutTabCount ? p_Tab : k_AboutTabCredits;
    if (!m_CreditsPage || !m_LicencesPage || !m_RecordsPage)
        return;
    Vozad::Scrollview* pages[k_AboutTabCount] = {m_CreditsPage.get(), m_LicencesPage.get(),
                                                 m_RecordsPage.get()};
    for (int32_t tab = 0; tab < k_AboutTabCount; ++tab)
    {
        const bool shown = tab == m_CurrentTab;
        pages[tab]->SetVisibility(shown ? Vozad::k_LayoutVisible : Vozad::k_LayoutHidden);
        pages[tab]->SetEnabled(shown);
    }
    UpdateLayout();
}

void AboutMenu::Close()
{
    m_Listener->OnAboutClosed(m_ReturnState);
}

bool AboutMenu::OnKeyPress(Vozad::EventKeyInput& p_Event)
{
    if (!IsEnabled() || !IsVisible())
        return false;
    if (ContentLayoutBase::OnKeyPress(p_Event))
        return true;
    if (p_Event.keyCode != Vozad::KeyCode::Escape && p_Event.keyCode != Vozad::KeyCode::B)
        return false;
    Close();
    return true;
}

void AboutMenu::UpdateLayout()
{
    ContentLayoutBase::UpdateLayout();
}

void AboutMenu::Draw(Vozad::IDrawingContext& p_Context)
{
    if (!IsVisible())
        return;
    DrawPanelFrame(*this, m_Style, p_Context);
    ContentLayoutBase::Draw(p_Context);
}

void AboutMenu::SetVisibility(int32_t p_Visibility)
{
    ContentLayoutBase::SetVisibility(p_Visibility);
    m_Style.changed = true;
}

bool AboutMenu::OnKeyPress(Vozad::EventKeyInput& p_Event, Vozad::LayoutBase& p_Sender)
{
    // The back button keeps the keyboard focus after the panel is gone; Return then is the game's.
    if (!IsEnabled() || !IsVisible())
        return false;
    if (&p_Sender != &m_BackButton || p_Event.keyCode != Vozad::KeyCode::Return)
        return false;
    Close();
    return true;
}

Vozad::LayoutBase* AboutMenu::OnMousePress(Vozad::EventMousePress& p_Event, Vozad::LayoutBase& p_Sender)
{
    if (p_Event.button != Vozad::MouseButton::Left)
        return nullptr;
    if (&p_Sender == &m_CreditsTab)
        SelectTab(k_AboutTabCredits);
    else if (&p_Sender == &m_LicencesTab)
        SelectTab(k_AboutTabLicences);
    else if (&p_Sender == &m_RecordsTab)
        SelectTab(k_AboutTabRecords);
    else
        return nullptr;
    return &p_Sender;
}

Vozad::LayoutBase* AboutMenu::OnMouseClick(Vozad::EventMousePress& p_Event, Vozad::LayoutBase& p_Sender)
{
    if (p_Event.button != Vozad::MouseButton::Left || &p_Sender != &m_BackButton || !IsEnabled() ||
        !IsVisible())
        return nullptr;
    Close();
    return &p_Sender;
}
} // namespace Snake
