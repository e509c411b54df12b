#include "Game/Menus/OptionsModel.h"

#include "Corvan/Window/WindowSettings.h"
#include "Game/ConfigIds.h"
#include "Game/FrameCap.h"
#include "Game/Locale.h"

#include <algorithm>
#include <cstdlib>
#include <cwctype>

namespace Snake
{
int32_t MoveKeyConfigId(uint32_t p_Row)
{
    switch (p_Row)
    {
    case k_MoveKeyLeft:
        return k_ConfigMoveLeft;
    case k_MoveKeyRight:
        return k_ConfigMoveRight;
    case k_MoveKeyUp:
        return k_ConfigMoveUp;
    case k_MoveKeyDown:
        return k_ConfigMoveDown;
    default:
        return k_ConfigNone;
    }
}

std::vector<ApplyStep> PlanApply(const OptionsValues& p_Applied, const OptionsValues& p_Chosen)
{
    std::vector<ApplyStep> steps;
    auto addWhen = [&steps](bool p_Differs, ApplyStep p_Step)
    {
        if (p_Differs)
            steps.push_back(p_Step);
    };
    addWhen(p_Applied.language != p_Chosen.language, ApplyStep::Language);
    addWhen(p_Applied.showFps != p_Chosen.showFps, ApplyStep::ShowFps);
    addWhen(p_Applied.showPoints != p_Chosen.showPoints, ApplyStep::ShowPoints);
    addWhen(p_Applied.gridMode != p_Chosen.gridMode, ApplyStep::GridMode);
    addWhen(p_Applied.speed != p_Chosen.speed, ApplyStep::Speed);
    const ApplyStep keySteps[k_MoveKeyCount] = {ApplyStep::KeyLeft, ApplyStep::KeyRight, ApplyStep::KeyUp,
                                                ApplyStep::KeyDown};
    for (uint32_t row = 0; row < k_MoveKeyCount; ++row)
        addWhen(p_Applied.keys[row] != p_Chosen.keys[row], keySteps[row]);
    addWhen(p_Applied.windowMode != p_Chosen.windowMode, ApplyStep::WindowMode);
    addWhen(p_Applied.monitor != p_Chosen.monitor, ApplyStep::Monitor);
    addWhen(p_Applied.resolution != p_Chosen.resolution, ApplyStep::Resolution);
    addWhen(p_Applied.vsync != p_Chosen.vsync, ApplyStep::VSync);
    addWhen(p_Applied.frameCap != p_Chosen.frameCap, ApplyStep::FrameCap);
    addWhen(p_Applied.multisample != p_Chosen.multisample, ApplyStep::Multisample);
    addWhen(p_Applied.gameplay != p_Chosen.gameplay, ApplyStep::Gameplay);
    return steps;
}

uint32_t LanguageIndexFor(const Lib::String& p_Configured)
{
    for (uint32_t i = 0; i < k_LanguageCount; ++i)
        if (p_Configured == Lib::String(LanguageOwnName(LanguageName(i))))
            return i;
    return 0;
}

uint32_t SpeedIndexFor(uint32_t p_Speed)
{
    for (uint32_t i = 0; i < k_OptionSpeeds.size(); ++i)
        if (k_OptionSpeeds[i] == p_Speed)
            return i;
    return 0;
}

uint32_t FrameCapIndexFor(const Lib::String& p_Configured)
{
    const int32_t setting = ParseFrameCap(p_Configured);
    for (uint32_t i = 0; i < std::size(k_FrameCapChoices); ++i)
        if (k_FrameCapChoices[i] == setting)
            return i;
    return 0;
}

std::vector<WindowModeChoice> WindowModeChoices(int32_t p_SupportedModes)
{
    static constexpr WindowModeChoice k_Modes[] = {
        {1, "window_mode.windowed"},
        {2, "window_mode.fullscreen_exclusive"},
        {4, "window_mode.fullscreen_borderless"},
        {8, "window_mode.maximised"},
        {16, "window_mode.minimised"},
    };
    std::vector<WindowModeChoice> choices;
    for (const WindowModeChoice& mode : k_Modes)
        if ((p_SupportedModes & mode.mode) != 0)
            choices.push_back(mode);
    return choices;
}

uint32_t WindowModeIndexFor(const std::vector<WindowModeChoice>& p_Choices, int32_t p_Mode)
{
    for (uint32_t i = 0; i < p_Choices.size(); ++i)
        if (p_Choices[i].mode == p_Mode)
            return i;
    return 0;
}

int32_t WindowModeSettingFor(int32_t p_Mode)
{
    switch (p_Mode)
    {
    case Vozad::k_WindowModeWindowed:
        return 0;
    case Vozad::k_WindowModeFullscreenExclusive:
        return 1;
    case Vozad::k_WindowModeFullscreenBorderless:
        return 2;
    default:
        return -1;
    }
}

int32_t MonitorIndexAt(const Vozad::MonitorCollection& p_Monitors, Lib::Point p_WindowPosition)
{
    return p_Monitors.FindMonitorAt(p_WindowPosition.x, p_WindowPosition.y);
}

Lib::String MonitorName(const Vozad::MonitorInfo& p_Monitor)
{
    return p_Monitor.productName.IsEmpty() ? p_Monitor.deviceName : p_Monitor.productName;
}

ChoiceList MonitorChoices(const Vozad::MonitorCollection& p_Monitors, Lib::Point p_WindowPosition,
                          const Lib::String& p_CurrentWord)
{
    ChoiceList list;
    const int32_t current = MonitorIndexAt(p_Monitors, p_WindowPosition);
    for (uint32_t i = 0; i < p_Monitors.monitors.Count(); ++i)
    {
        Lib::String text = MonitorName(p_Monitors.monitors[i]);
        if (static_cast<int32_t>(i) == current)
            text.Append(Lib::String::Format(" (%s)", p_CurrentWord.ToNarrow().Data()));
        list.texts.push_back(text);
    }
    list.selected = current < 0 ? 0 : static_cast<uint32_t>(current);
    return list;
}

ChoiceList ResolutionChoices(const Lib::DynamicArray<Vozad::DisplayMode>& p_Modes, Lib::RectSize p_ClientSize)
{
    ChoiceList list;
    bool found = false;
    for (uint32_t i = 0; i < p_Modes.Count(); ++i)
    {
        const Vozad::DisplayMode& mode = p_Modes[i];
        list.texts.push_back(Lib::String::Format("%u x %u", mode.width, mode.height));
        if (!found && mode.width == p_ClientSize.width && mode.height == p_ClientSize.height)
        {
            list.selected = i;
            found = true;
        }
    }
    return list;
}

namespace
{
// A decimal number after optional leading white space; false without a digit or above 32 bits.
bool ReadNumber(const std::wstring& p_Text, uint32_t& p_Value)
{
    size_t position = 0;
    while (position < p_Text.size() && std::iswspace(static_cast<wint_t>(p_Text[position])))
        ++position;
    if (position == p_Text.size() || p_Text[position] < L'0' || p_Text[position] > L'9')
        return false;
    uint64_t value = 0;
    for (; position < p_Text.size() && p_Text[position] >= L'0' && p_Text[position] <= L'9'; ++position)
    {
        value = value * 10 + static_cast<uint64_t>(p_Text[position] - L'0');
        if (value > UINT32_MAX)
            return false;
    }
    p_Value = static_cast<uint32_t>(value);
    return true;
}
} // namespace

bool ParseResolution(const Lib::String& p_Text, uint32_t& p_Width, uint32_t& p_Height)
{
    const std::wstring& text = p_Text.Wide();
    const size_t cut = text.find(L'x');
    if (cut == std::wstring::npos)
        return false;
    uint32_t width = 0, height = 0;
    if (!ReadNumber(text.substr(0, cut), width) || !ReadNumber(text.substr(cut + 1), height) || width == 0 ||
        height == 0)
        return false;
    p_Width = width;
    p_Height = height;
    return true;
}

Lib::Point MonitorMoveTarget(const Vozad::MonitorRect& p_Old, const Vozad::MonitorRect& p_New,
                             const Vozad::WindowRect& p_Window)
{
    return {std::abs(p_Old.left - p_Window.left) + p_New.left,
            std::abs(p_Old.top - p_Window.top) + p_New.top};
}
} // namespace Snake
