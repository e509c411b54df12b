// The options menu's decisions that need no window: what Apply passes on and in which order, the
// key assignment, and the entries of its lists.
#include "Game/Menus/KeyAssignment.h"
#include "Game/Menus/OptionsModel.h"

#include "Corvan/Events/KeyCodes.h"
#include "Game/ApplicationConfig.h"
#include "Game/ConfigIds.h"
#include "Support/LogFileRedirect.h"
#include "Support/TempFolder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{
using namespace Snake;

std::string Narrow(const Lib::String& p_Text)
{
    return p_Text.ToNarrow().Bytes();
}

std::vector<std::string> Narrow(const std::vector<Lib::String>& p_Texts)
{
    std::vector<std::string> texts;
    for (const Lib::String& text : p_Texts)
        texts.push_back(Narrow(text));
    return texts;
}

OptionsValues Initial()
{
    OptionsValues values;
    values.language = 0;
    values.showFps = true;
    values.showPoints = true;
    values.gridMode = 2;
    values.speed = 4;
    values.keys = {360, 361, 362, 363};
    values.windowMode = 0;
    values.monitor = 0;
    values.resolution = 3;
    values.vsync = true;
    return values;
}

TEST(OptionsApplyPlan, NothingChangedMeansNothingApplied)
{
    EXPECT_TRUE(PlanApply(Initial(), Initial()).empty());
}

TEST(OptionsApplyPlan, EveryChangedControlIsAppliedInTheFixedOrder)
{
    OptionsValues chosen = Initial();
    // Changed in the reverse of Apply's order, to show that the order is Apply's own.
    chosen.frameCap = 3;
    chosen.vsync = false;
    chosen.resolution = 1;
    chosen.monitor = 1;
    chosen.windowMode = 2;
    chosen.keys = {65, 68, 87, 83};
    chosen.speed = 0;
    chosen.gridMode = 11;
    chosen.showPoints = false;
    chosen.showFps = false;
    chosen.language = 1;
    const std::vector<ApplyStep> expected = {
        ApplyStep::Language, ApplyStep::ShowFps,    ApplyStep::ShowPoints, ApplyStep::GridMode,
        ApplyStep::Speed,    ApplyStep::KeyLeft,    ApplyStep::KeyRight,   ApplyStep::KeyUp,
        ApplyStep::KeyDown,  ApplyStep::WindowMode, ApplyStep::Monitor,    ApplyStep::Resolution,
        ApplyStep::VSync,    ApplyStep::FrameCap,
    };
    EXPECT_EQ(PlanApply(Initial(), chosen), expected);
}

TEST(OptionsApplyPlan, OnlyTheControlsThatDifferAreApplied)
{
    struct Case
    {
        const char* name;
        void (*change)(OptionsValues&);
        std::vector<ApplyStep> expected;
    };
    const Case cases[] = {
        {"language", [](OptionsValues& v) { v.language = 1; }, {ApplyStep::Language}},
        {"points only", [](OptionsValues& v) { v.showPoints = false; }, {ApplyStep::ShowPoints}},
        {"up key", [](OptionsValues& v) { v.keys[k_MoveKeyUp] = 87; }, {ApplyStep::KeyUp}},
        {"speed and vsync",
         [](OptionsValues& v)
         {
             v.vsync = false;
             v.speed = 1;
         },
         {ApplyStep::Speed, ApplyStep::VSync}},
        {"frame cap", [](OptionsValues& v) { v.frameCap = 6; }, {ApplyStep::FrameCap}},
        {"multisampling after the frame cap",
         [](OptionsValues& v)
         {
             v.multisample = 1;
             v.frameCap = 2;
         },
         {ApplyStep::FrameCap, ApplyStep::Multisample}},
        {"window mode and resolution",
         [](OptionsValues& v)
         {
             v.resolution = 0;
             v.windowMode = 1;
         },
         {ApplyStep::WindowMode, ApplyStep::Resolution}},
    };
    for (const Case& test : cases)
    {
        OptionsValues chosen = Initial();
        test.change(chosen);
        EXPECT_EQ(PlanApply(Initial(), chosen), test.expected) << test.name;
    }
}

TEST(OptionsApplyPlan, AnUnlistedSpeedStaysWhenTheFirstEntryIsAppliedOrChosen)
{
    // A configured 5 is not in the list: the list shows its first entry, and that is also what
    // counts as applied, so neither leaving nor explicitly choosing "1" changes the speed.
    OptionsValues applied = Initial();
    applied.speed = SpeedIndexFor(5);
    EXPECT_EQ(applied.speed, 0u);
    OptionsValues chosen = applied;
    EXPECT_TRUE(PlanApply(applied, chosen).empty());
    chosen.speed = 0; // "1" picked from the list
    EXPECT_TRUE(PlanApply(applied, chosen).empty());
    chosen.speed = 1; // "2"
    EXPECT_EQ(PlanApply(applied, chosen), std::vector<ApplyStep>{ApplyStep::Speed});
}

TEST(OptionsInitialValues, SpeedEntryForTheGameSpeedAndLanguageFromTheConfiguredText)
{
    // The game hands over its speed already held to 1 ... 10; a speed the list lacks shows the
    // first entry.
    const std::pair<uint32_t, uint32_t> speeds[] = {{1, 0},  {2, 1}, {4, 2}, {6, 3}, {8, 4},
                                                    {10, 5}, {5, 0}, {7, 0}, {3, 0}};
    for (const auto& [speed, index] : speeds)
        EXPECT_EQ(SpeedIndexFor(speed), index) << speed;

    const std::pair<const char*, uint32_t> languages[] = {
        {"English", 0}, {"Deutsch", 1}, {"German", 0}, {"deutsch", 0}, {"", 0}};
    for (const auto& [text, index] : languages)
        EXPECT_EQ(LanguageIndexFor(text), index) << text;
}

TEST(OptionsLists, WindowModesAreTheSupportedOnesInAscendingBitOrder)
{
    const std::vector<WindowModeChoice> seven = WindowModeChoices(7);
    ASSERT_EQ(seven.size(), 3u);
    EXPECT_EQ(seven[0].mode, 1);
    EXPECT_STREQ(seven[0].textKey, "window_mode.windowed");
    EXPECT_EQ(seven[1].mode, 2);
    EXPECT_STREQ(seven[1].textKey, "window_mode.fullscreen_exclusive");
    EXPECT_EQ(seven[2].mode, 4);
    EXPECT_STREQ(seven[2].textKey, "window_mode.fullscreen_borderless");
    EXPECT_EQ(WindowModeIndexFor(seven, 4), 2u);
    EXPECT_EQ(WindowModeIndexFor(seven, 1), 0u);
    // A maximised window is not in the list: the first entry stands for it.
    EXPECT_EQ(WindowModeIndexFor(seven, 8), 0u);

    const std::vector<WindowModeChoice> some = WindowModeChoices(16 | 4 | 8);
    ASSERT_EQ(some.size(), 3u);
    EXPECT_STREQ(some[0].textKey, "window_mode.fullscreen_borderless");
    EXPECT_STREQ(some[1].textKey, "window_mode.maximised");
    EXPECT_STREQ(some[2].textKey, "window_mode.minimised");
    EXPECT_TRUE(WindowModeChoices(0).empty());
}

// What Apply stores for a window mode is what the next start reads back as that mode.
TEST(OptionsLists, AStoredWindowModeOpensTheSameModeAtTheNextStart)
{
    TestSupport::TempFolder folder;
    TestSupport::LogFileRedirect logFile{folder.File("gamelog.txt")};
    for (const WindowModeChoice& choice : WindowModeChoices(7))
    {
        const int32_t setting = WindowModeSettingFor(choice.mode);
        ASSERT_GE(setting, 0) << choice.textKey;
        const std::string path = folder.File("mode.cfg");
        TestSupport::WriteWholeFile(path, "set r_windowmode \"" + std::to_string(setting) + "\"\n");
        const Lib::Ref<ApplicationConfig> config = LoadApplicationConfig(path.c_str());
        EXPECT_EQ(config->GetWindowSettings().windowMode, choice.mode) << choice.textKey;
    }
    // Maximised and minimised have no number: nothing is stored for them.
    EXPECT_EQ(WindowModeSettingFor(8), -1);
    EXPECT_EQ(WindowModeSettingFor(16), -1);
}

Vozad::MonitorInfo Monitor(const char* p_Device, const char* p_Product, Vozad::MonitorRect p_Rect,
                           std::vector<std::pair<uint32_t, uint32_t>> p_Modes = {})
{
    Vozad::MonitorInfo monitor;
    monitor.deviceName = p_Device;
    monitor.productName = p_Product;
    monitor.rect = p_Rect;
    for (const auto& [width, height] : p_Modes)
        monitor.displayModes.Add(Vozad::DisplayMode{width, height, 60});
    return monitor;
}

TEST(OptionsLists, MonitorsAreListedByNameWithTheWindowsOneMarkedAndSelected)
{
    Vozad::MonitorCollection monitors;
    monitors.monitors.Add(Monitor("\\\\.\\DISPLAY1", "DELL U2412M", {0, 1920, 0, 1080}));
    monitors.monitors.Add(Monitor("\\\\.\\DISPLAY2", "", {1920, 3200, 0, 1024}));

    const ChoiceList onSecond = MonitorChoices(monitors, {2000, 100}, "current");
    EXPECT_EQ(Narrow(onSecond.texts), (std::vector<std::string>{"DELL U2412M", "\\\\.\\DISPLAY2 (current)"}));
    EXPECT_EQ(onSecond.selected, 1u);

    const ChoiceList onFirst = MonitorChoices(monitors, {0, 0}, "aktuell");
    EXPECT_EQ(Narrow(onFirst.texts), (std::vector<std::string>{"DELL U2412M (aktuell)", "\\\\.\\DISPLAY2"}));
    EXPECT_EQ(onFirst.selected, 0u);

    // Off every monitor: nothing is marked, the first entry is selected.
    const ChoiceList nowhere = MonitorChoices(monitors, {-500, 100}, "current");
    EXPECT_EQ(Narrow(nowhere.texts), (std::vector<std::string>{"DELL U2412M", "\\\\.\\DISPLAY2"}));
    EXPECT_EQ(nowhere.selected, 0u);

    EXPECT_TRUE(MonitorChoices(Vozad::MonitorCollection{}, {0, 0}, "current").texts.empty());
}

TEST(OptionsLists, ResolutionsShowEveryModeAndSelectTheClientSize)
{
    const Vozad::MonitorInfo monitor =
        Monitor("D", "", {0, 1920, 0, 1080}, {{800, 600}, {1024, 768}, {1280, 720}, {1920, 1080}});
    const ChoiceList atSize = ResolutionChoices(monitor.displayModes, {1280, 720});
    EXPECT_EQ(Narrow(atSize.texts),
              (std::vector<std::string>{"800 x 600", "1024 x 768", "1280 x 720", "1920 x 1080"}));
    EXPECT_EQ(atSize.selected, 2u);
    // A client size that is no display mode: the first entry.
    EXPECT_EQ(ResolutionChoices(monitor.displayModes, {1000, 700}).selected, 0u);
    EXPECT_EQ(ResolutionChoices(monitor.displayModes, {1920, 1080}).selected, 3u);
    EXPECT_TRUE(ResolutionChoices(Lib::DynamicArray<Vozad::DisplayMode>{}, {800, 600}).texts.empty());
}

TEST(OptionsLists, ResolutionTextsAreReadBackAsWidthAndHeight)
{
    struct Case
    {
        const char* text;
        bool ok;
        uint32_t width, height;
    };
    const Case cases[] = {
        {"1920 x 1080", true, 1920, 1080}, {"800x600", true, 800, 600},
        {"  640 x  480", true, 640, 480},  {"x 600", false, 0, 0},
        {"1280 x", false, 0, 0},           {"1280 600", false, 0, 0},
        {"0 x 600", false, 0, 0},          {"abc x def", false, 0, 0},
        {"99999999999 x 5", false, 0, 0},
    };
    for (const Case& test : cases)
    {
        uint32_t width = 7, height = 7;
        EXPECT_EQ(ParseResolution(test.text, width, height), test.ok) << test.text;
        if (test.ok)
        {
            EXPECT_EQ(width, test.width) << test.text;
            EXPECT_EQ(height, test.height) << test.text;
        }
        else
        {
            EXPECT_EQ(width, 7u) << test.text << ": a failed read leaves the size alone";
        }
    }
}

TEST(OptionsLists, TheWindowKeepsItsOffsetOnTheNewMonitor)
{
    const Vozad::MonitorRect primary{0, 1920, 0, 1080};
    const Vozad::MonitorRect right{1920, 3840, 0, 1080};
    const Vozad::MonitorRect leftAbove{-1280, 0, -200, 824};
    const Vozad::WindowRect window{100, 900, 50, 650};
    EXPECT_EQ(MonitorMoveTarget(primary, right, window), (Lib::Point{2020, 50}));
    EXPECT_EQ(MonitorMoveTarget(primary, leftAbove, window), (Lib::Point{-1180, -150}));
    EXPECT_EQ(MonitorMoveTarget(right, primary, {2020, 2820, 50, 650}), (Lib::Point{100, 50}));
}

std::array<std::string, k_MoveKeyCount> ArrowKeys()
{
    return {"LEFT_ARROW", "RIGHT_ARROW", "UP_ARROW", "DOWN_ARROW"};
}

TEST(KeyAssignmentTest, EditStartsTheWaitOnlyForAChosenKeyButton)
{
    KeyAssignment keys;
    keys.Reset(ArrowKeys());
    EXPECT_FALSE(keys.Begin());
    EXPECT_FALSE(keys.IsWaiting());
    EXPECT_EQ(keys.OnKey('A'), KeyAssignment::Outcome::NotWaiting);
    EXPECT_EQ(keys.GetShown(k_MoveKeyLeft), "LEFT_ARROW");

    keys.Choose(7); // not a row
    EXPECT_FALSE(keys.HasChosen());
    keys.Choose(k_MoveKeyUp);
    ASSERT_TRUE(keys.Begin());
    EXPECT_TRUE(keys.IsWaiting());
    EXPECT_FALSE(keys.Begin()) << "a second Edit while waiting starts nothing";
    keys.Choose(k_MoveKeyDown);
    EXPECT_EQ(keys.GetChosen(), static_cast<uint32_t>(k_MoveKeyUp)) << "the row stays while waiting";
}

TEST(KeyAssignmentTest, TheNextKeyEndsTheWait)
{
    struct Case
    {
        const char* name;
        int32_t code;
        KeyAssignment::Outcome outcome;
        const char* shown;
    };
    const Case cases[] = {
        {"ESCAPE cancels", Vozad::KeyCode::Escape, KeyAssignment::Outcome::Cancelled, "UP_ARROW"},
        {"a letter", 'W', KeyAssignment::Outcome::Assigned, "W"},
        {"a function key", Vozad::KeyCode::F11, KeyAssignment::Outcome::Assigned, "F11"},
        {"a pad digit", 278, KeyAssignment::Outcome::Assigned, "NUMPAD_8"},
        {"space has no name", Vozad::KeyCode::Space, KeyAssignment::Outcome::Unnamed, "UP_ARROW"},
        {"no key", 0, KeyAssignment::Outcome::Unnamed, "UP_ARROW"},
    };
    for (const Case& test : cases)
    {
        KeyAssignment keys;
        keys.Reset(ArrowKeys());
        keys.Choose(k_MoveKeyUp);
        ASSERT_TRUE(keys.Begin());
        EXPECT_EQ(keys.OnKey(test.code), test.outcome) << test.name;
        EXPECT_FALSE(keys.IsWaiting()) << test.name;
        EXPECT_EQ(keys.GetShown(k_MoveKeyUp), test.shown) << test.name;
        EXPECT_EQ(keys.GetApplied(k_MoveKeyUp), "UP_ARROW") << test.name << ": nothing is applied yet";
        EXPECT_EQ(keys.GetShown(k_MoveKeyLeft), "LEFT_ARROW") << test.name;
    }
}

TEST(KeyAssignmentTest, BackShowsTheAppliedKeysAgainAndApplyKeepsTheNewOnes)
{
    KeyAssignment keys;
    keys.Reset(ArrowKeys());
    auto assign = [&keys](uint32_t p_Row, int32_t p_Code)
    {
        keys.Choose(p_Row);
        ASSERT_TRUE(keys.Begin());
        ASSERT_EQ(keys.OnKey(p_Code), KeyAssignment::Outcome::Assigned);
    };
    assign(k_MoveKeyLeft, 'A');
    assign(k_MoveKeyDown, 'S');
    EXPECT_EQ(keys.GetShownCode(k_MoveKeyLeft), 'A');
    EXPECT_EQ(keys.GetAppliedCode(k_MoveKeyLeft), Vozad::KeyCode::LeftArrow);

    // Apply took the left key only.
    keys.MarkApplied(k_MoveKeyLeft);
    EXPECT_EQ(keys.GetApplied(k_MoveKeyLeft), "A");

    EXPECT_EQ(keys.RestoreUnapplied(), std::vector<uint32_t>{k_MoveKeyDown});
    EXPECT_EQ(keys.GetShown(k_MoveKeyLeft), "A");
    EXPECT_EQ(keys.GetShown(k_MoveKeyDown), "DOWN_ARROW");
    EXPECT_TRUE(keys.RestoreUnapplied().empty());

    // A key the configuration names but the table does not know has code 0 on both sides.
    keys.SetKey(k_MoveKeyRight, "SHIFT");
    EXPECT_EQ(keys.GetShownCode(k_MoveKeyRight), 0);
    EXPECT_EQ(keys.GetAppliedCode(k_MoveKeyRight), 0);
    EXPECT_EQ(keys.GetShown(k_MoveKeyRight), "SHIFT");
}

TEST(KeyAssignmentTest, MovementRowsMapToTheirConfigurationEntries)
{
    EXPECT_EQ(MoveKeyConfigId(k_MoveKeyLeft), k_ConfigMoveLeft);
    EXPECT_EQ(MoveKeyConfigId(k_MoveKeyRight), k_ConfigMoveRight);
    EXPECT_EQ(MoveKeyConfigId(k_MoveKeyUp), k_ConfigMoveUp);
    EXPECT_EQ(MoveKeyConfigId(k_MoveKeyDown), k_ConfigMoveDown);
    EXPECT_EQ(MoveKeyConfigId(k_MoveKeyCount), k_ConfigNone);
}
} // namespace
