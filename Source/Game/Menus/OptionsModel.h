#pragma once
// What the options menu decides without a window: the values its controls stand for, which of
// them Apply has to pass on and in which order, and the entries of its lists.
#include "Corvan/Window/IWindow.h"
#include "Corvan/Window/Monitor.h"
#include "Game/GridModes.h"
#include "Game/Menus/GameplayOptions.h"
#include "Lib/DynamicArray.h"
#include "Lib/Point.h"
#include "Lib/RectSize.h"
#include "Lib/String.h"

#include <array>
#include <cstdint>
#include <vector>

namespace Snake
{
// Rows of the movement keys, in the order the menu shows and applies them.
enum MoveKeyRow : uint32_t
{
    k_MoveKeyLeft = 0,
    k_MoveKeyRight = 1,
    k_MoveKeyUp = 2,
    k_MoveKeyDown = 3,
    k_MoveKeyCount = 4,
};

// The configuration entry of each movement key row.
int32_t MoveKeyConfigId(uint32_t p_Row);

// The speeds the speed list offers, in list order.
inline constexpr std::array<uint32_t, 6> k_OptionSpeeds = {1, 2, 4, 6, 8, 10};
inline constexpr uint32_t k_OptionGridModeCount = k_GridModeCount;

// What each control shows. Lists are compared by the selected index, keys by key code.
struct OptionsValues
{
    uint32_t language = 0; // index into the language table
    bool showFps = false;
    bool showPoints = false;
    uint32_t gridMode = 0; // index into the grid mode table
    uint32_t speed = 0;    // index into k_OptionSpeeds
    std::array<int32_t, k_MoveKeyCount> keys{};
    uint32_t windowMode = 0; // index into the window-mode list
    uint32_t monitor = 0;    // index into the monitor list
    uint32_t resolution = 0; // index into the resolution list
    bool vsync = false;
    uint32_t frameCap = 0;                              // index into k_FrameCapChoices
    uint32_t multisample = 0;                           // index into k_MultisampleChoices
    std::array<bool, k_GameplayOptionCount> gameplay{}; // ticked, in the order of k_GameplayOptions
};

// One step of Apply; the enumeration order is the order in which Apply takes them.
enum class ApplyStep : int32_t
{
    Language,
    ShowFps,
    ShowPoints,
    GridMode,
    Speed,
    KeyLeft,
    KeyRight,
    KeyUp,
    KeyDown,
    WindowMode,
    Monitor,
    Resolution,
    VSync,
    FrameCap,
    Multisample,
    Gameplay, // every gameplay option whose box differs
};

// The steps whose control differs from the value applied last, in Apply's order.
std::vector<ApplyStep> PlanApply(const OptionsValues& p_Applied, const OptionsValues& p_Chosen);

// The list entry the configured language stands for (matched by the language's own name);
// the first entry when the text names no language.
uint32_t LanguageIndexFor(const Lib::String& p_Configured);
// The speed list entry equal to the game's speed; the first entry when no entry equals it.
uint32_t SpeedIndexFor(uint32_t p_Speed);
// The frame-cap list entry of the configured cap; the first (the refresh rate) when the list has
// no entry for it.
uint32_t FrameCapIndexFor(const Lib::String& p_Configured);

// A list the menu fills: its texts in order and the entry to select.
struct ChoiceList
{
    std::vector<Lib::String> texts;
    uint32_t selected = 0;
};

struct WindowModeChoice
{
    int32_t mode = 0;         // the window mode bit
    const char* textKey = ""; // locale key of its name
};

// The modes of the supported-modes mask in ascending bit order.
std::vector<WindowModeChoice> WindowModeChoices(int32_t p_SupportedModes);
// The position of the mode in the choices; the first entry when the mode is not among them.
uint32_t WindowModeIndexFor(const std::vector<WindowModeChoice>& p_Choices, int32_t p_Mode);
// The number "r_windowmode" stores for a window mode bit (windowed 0, exclusive fullscreen 1,
// borderless fullscreen 2); -1 for a mode the setting has no number for.
int32_t WindowModeSettingFor(int32_t p_Mode);

// The index of the monitor that holds the window position, or -1.
int32_t MonitorIndexAt(const Vozad::MonitorCollection& p_Monitors, Lib::Point p_WindowPosition);
// The name a monitor is listed under: its product name, else its device name.
Lib::String MonitorName(const Vozad::MonitorInfo& p_Monitor);
// One entry per monitor; the one holding the window position is selected and carries
// " (<p_CurrentWord>)". Without such a monitor the first entry is selected and none is marked.
ChoiceList MonitorChoices(const Vozad::MonitorCollection& p_Monitors, Lib::Point p_WindowPosition,
                          const Lib::String& p_CurrentWord);
// "%u x %u" for every display mode; the mode of the client size is selected, else the first.
ChoiceList ResolutionChoices(const Lib::DynamicArray<Vozad::DisplayMode>& p_Modes,
                             Lib::RectSize p_ClientSize);
// Reads "<width> x <height>": the text is cut at its first 'x' and both sides are read as
// decimal numbers (leading spaces skipped). False when either side holds no number above 0.
bool ParseResolution(const Lib::String& p_Text, uint32_t& p_Width, uint32_t& p_Height);

// Where the window goes on the new monitor: the same offset from the monitor's top-left corner.
Lib::Point MonitorMoveTarget(const Vozad::MonitorRect& p_Old, const Vozad::MonitorRect& p_New,
                             const Vozad::WindowRect& p_Window);
} // namespace Snake
