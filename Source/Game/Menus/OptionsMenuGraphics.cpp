// The Graphics page's lists: filled from the engine and the window after building and after
// every Apply, and the move of the window to another monitor.
#include "Game/Menus/OptionsMenu.h"

#include "Corvan/EntryPoint/IEngine.h"
#include "Game/ICoreInterface.h"

namespace Snake
{
namespace
{
void Fill(Vozad::ComboBox& p_List, const ChoiceList& p_Choices)
{
    p_List.Clear();
    for (uint32_t i = 0; i < p_Choices.texts.size(); ++i)
        p_List.AddItem(p_Choices.texts[i], i == p_Choices.selected);
}
} // namespace

void OptionsMenu::MarkGraphicsForRefill(bool p_Renderer)
{
    m_RefillRenderer = m_RefillRenderer || p_Renderer;
    m_RefillWindowModes = true;
    m_RefillMonitors = true;
    m_RefillResolutions = true;
}

void OptionsMenu::FillGraphicsTab()
{
    if (m_RefillRenderer)
        FillRendererList();
    if (m_RefillWindowModes)
        FillWindowModeList();
    if (m_RefillMonitors)
        FillMonitorList();
    // The resolutions are those of the monitor the list now selects.
    if (m_RefillResolutions)
        FillResolutionList();
    UpdateLayout();
}

void OptionsMenu::FillRendererList()
{
    m_RefillRenderer = false;
    m_RendererList.Clear();
    m_RendererList.AddItem(m_Engine->GetGraphicsApiInfo().apiName, true);
    // The renderer is chosen in the configuration file only; the list just names it.
    m_RendererList.SetEnabled(false);
}

void OptionsMenu::FillWindowModeList()
{
    m_RefillWindowModes = false;
    m_WindowModes = WindowModeChoices(m_Window->GetSupportedWindowModes());
    const uint32_t current = WindowModeIndexFor(m_WindowModes, m_Window->GetWindowMode());
    m_WindowModeList.Clear();
    for (uint32_t i = 0; i < m_WindowModes.size(); ++i)
        m_WindowModeList.AddItem(Text(m_WindowModes[i].textKey), i == current);
    m_Applied.windowMode = m_WindowModeList.GetSelectedIndex();
}

ChoiceList OptionsMenu::CurrentMonitorChoices() const
{
    return MonitorChoices(m_Engine->GetMonitorCollection(), m_Window->GetPosition(),
                          Text("menu_options.tab_graphics.current"));
}

ChoiceList OptionsMenu::CurrentResolutionChoices(uint32_t p_Monitor) const
{
    const Vozad::MonitorCollection monitors = m_Engine->GetMonitorCollection();
    if (p_Monitor >= monitors.monitors.Count())
        return {};
    return ResolutionChoices(monitors.monitors[p_Monitor].displayModes, m_Window->GetWindowSize());
}

void OptionsMenu::FillMonitorList()
{
    m_RefillMonitors = false;
    const ChoiceList choices = CurrentMonitorChoices();
    Fill(m_MonitorList, choices);
    m_MonitorList.SetEnabled(choices.texts.size() >= 2);
    m_Applied.monitor = m_MonitorList.GetSelectedIndex();
}

void OptionsMenu::FillResolutionList()
{
    m_RefillResolutions = false;
    Fill(m_ResolutionList, CurrentResolutionChoices(m_MonitorList.GetSelectedIndex()));
    m_Applied.resolution = m_ResolutionList.GetSelectedIndex();
}

bool OptionsMenu::MoveWindowToMonitor(uint32_t p_Monitor)
{
    const Vozad::MonitorCollection monitors = m_Engine->GetMonitorCollection();
    const uint32_t count = monitors.monitors.Count();
    const int32_t holding = MonitorIndexAt(monitors, m_Window->GetPosition());
    const uint32_t from = holding >= 0 ? static_cast<uint32_t>(holding) : m_Applied.monitor;
    if (p_Monitor >= count || from >= count)
    {
        Lib::LogError(m_Tag, "Cannot move the window to monitor %u of %u", p_Monitor, count);
        return false;
    }
    const Lib::Point target = MonitorMoveTarget(monitors.monitors[from].rect,
                                                monitors.monitors[p_Monitor].rect, m_Window->GetRect());
    Lib::LogInfo(m_Tag, "Moving the window to monitor %u at %d, %d", p_Monitor, target.x, target.y);
    m_Window->SetPosition(target.x, target.y);
    return true;
}
} // namespace Snake
