#include "Game/SettingChecks.h"

#include "Corvan/Events/KeyCodes.h"
#include "Game/ApplicationConfig.h"
#include "Game/Bots/LuaBot.h"
#include "Game/ConfigIds.h"
#include "Game/FrameCap.h"
#include "Game/GameSounds.h"
#include "Game/GridModes.h"
#include "Game/Locale.h"
#include "Game/MultisampleSetting.h"
#include "Game/SettingValue.h"

#include <algorithm>
#include <functional>
#include <vector>

namespace Snake
{
namespace
{
SettingCheck FromNumber(const SettingValue& p_Value)
{
    return {p_Value.usable, std::to_string(p_Value.value)};
}

// The bindings whose key the game looks up. "+scores", "pause" and "+speed" bind nothing (their
// default keys TAB, PAUSE and SHIFT are not in the key-name table), and the menu key is Escape
// whatever "togglemenu" names.
bool IsBindingTheGameUses(int32_t p_Id)
{
    switch (p_Id)
    {
    case k_ConfigMoveLeft:
    case k_ConfigMoveRight:
    case k_ConfigMoveUp:
    case k_ConfigMoveDown:
    case k_ConfigToggleConsole:
    case k_ConfigScreenshot:
        return true;
    default:
        return false;
    }
}

const Lib::String k_Bind = "bind";
const Lib::String k_Set = "set";
} // namespace

SettingCheck CheckSetting(int32_t p_Id, const Lib::String& p_Text)
{
    switch (p_Id)
    {
    case k_ConfigCustomWidth:
        return FromNumber(ReadNumber(p_Text, k_ClientWidthRule));
    case k_ConfigCustomHeight:
        return FromNumber(ReadNumber(p_Text, k_ClientHeightRule));
    case k_ConfigCurrentMonitor:
    case k_ConfigGpu:
        return FromNumber(ReadNumber(p_Text, k_DeviceIndexRule));
    case k_ConfigWindowMode:
        return FromNumber(ReadNumber(p_Text, k_WindowModeRule));
    case k_ConfigRenderer:
    {
        const int32_t renderer = RendererFromSetting(p_Text);
        return {renderer == 0 || renderer == 1, "no renderer"};
    }
    case k_ConfigGridMode:
        return FromNumber(ReadNumber(p_Text, k_GridModeRule));
    case k_ConfigGameSpeed:
        return FromNumber(ReadNumber(p_Text, k_GameSpeedRule));
    case k_ConfigFrameCap:
        return FromNumber(ReadNumber(p_Text, k_FrameCapRule));
    case k_ConfigSoundVolume:
        return FromNumber(ReadNumber(p_Text, k_SoundVolumeRule));
    case k_ConfigBotWait:
        return FromNumber(ReadNumber(p_Text, k_BotWaitRule));
    case k_ConfigVSync:
    case k_ConfigShowFps:
    case k_ConfigShowPoints:
    case k_ConfigTurnBuffer:
    case k_ConfigFairStart:
    case k_ConfigAutoPause:
    case k_ConfigAttract:
    case k_ConfigSoundMute:
        return FromNumber(ReadSwitch(p_Text));
    case k_ConfigMultisample:
    {
        const ParsedMultisample parsed = ParseMultisample(p_Text);
        return {parsed.valid, MultisampleText(parsed.setting).ToNarrow().Bytes()};
    }
    case k_ConfigLanguage:
    {
        // The locale takes the language whose own name the text is, and otherwise shows English.
        for (uint32_t index = 0; index < k_LanguageCount; ++index)
            if (p_Text == Lib::String(LanguageOwnName(LanguageName(index))))
                return {true, p_Text.ToNarrow().Bytes()};
        return {false, LanguageOwnName(LanguageName(k_LanguageEnglish))};
    }
    default:
        return {true, p_Text.ToNarrow().Bytes()};
    }
}

bool IsAppliedAtStartUp(int32_t p_Id)
{
    switch (p_Id)
    {
    case k_ConfigCustomWidth:
    case k_ConfigCustomHeight:
    case k_ConfigCurrentMonitor:
    case k_ConfigWindowMode:
    case k_ConfigRenderer:
    case k_ConfigGpu:
    case k_ConfigMultisample:
        return true;
    default:
        return false;
    }
}

const ConfigEntry* CountingEntry(const ConfigReader& p_Store, int32_t p_Id)
{
    const ConfigEntry* counting = nullptr;
    const bool binding = IsBindingTheGameUses(p_Id);
    for (const ConfigEntry& entry : p_Store.Entries())
    {
        if (entry.kind != (binding ? k_Bind : k_Set) || entry.id != p_Id)
            continue;
        counting = &entry;
        if (!IsAppliedAtStartUp(p_Id))
            break;
    }
    return counting;
}

void ReportUnusableSettings(const ConfigReader& p_Store)
{
    std::vector<const ConfigEntry*> counting;
    for (const ConfigEntry& setting : p_Store.Defaults())
    {
        const bool checked = (setting.kind == k_Set && setting.id != k_ConfigRenderer) ||
                             (setting.kind == k_Bind && IsBindingTheGameUses(setting.id));
        if (const ConfigEntry* entry = checked ? CountingEntry(p_Store, setting.id) : nullptr)
            counting.push_back(entry);
    }
    // Said in the order of the file's lines.
    std::sort(counting.begin(), counting.end(), std::less<>());
    for (const ConfigEntry* entry : counting)
    {
        if (entry->kind == k_Bind)
        {
            // A binding's setting is its command, its value the key name.
            if (Vozad::KeyCodeFromName(entry->name.ToNarrow().Data()) == Vozad::KeyCode::None)
                WarnUnusableSetting(entry->value.ToNarrow().Bytes(), entry->name, "no key");
            continue;
        }
        const SettingCheck check = CheckSetting(entry->id, entry->value);
        if (!check.usable)
            WarnUnusableSetting(entry->name.ToNarrow().Bytes(), entry->value, check.used);
    }
}
} // namespace Snake
