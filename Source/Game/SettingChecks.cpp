#include "Game/SettingChecks.h"

#include "Corvan/Events/KeyCodes.h"
#include "Game/ApplicationConfig.h"
#include "Game/ConfigIds.h"
#include "Game/FrameCap.h"
#include "Game/GameSounds.h"
#include "Game/GridModes.h"
#include "Game/Locale.h"
#include "Game/MultisampleSetting.h"
#include "Game/SettingValue.h"

#include <map>

namespace Snake
{
namespace
{
SettingCheck FromNumber(const SettingValue& p_Value)
{
    return {p_Value.usable, std::to_string(p_Value.value)};
}

// The bindings whose key the game looks up; the others ("+scores", "pause", "+speed", and
// "togglemenu", whose key is fixed to Escape) bind nothing, and their default key names are
// not in the key-name table either.
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
    for (const ConfigEntry& entry : p_Store.Entries())
    {
        if (entry.kind != k_Set || entry.id != p_Id)
            continue;
        counting = &entry;
        if (!IsAppliedAtStartUp(p_Id))
            break;
    }
    return counting;
}

void ReportUnusableSettings(const ConfigReader& p_Store)
{
    // One pass finds the line that counts for each setting and binding, so that a file of many
    // lines costs no more than reading it.
    const Lib::DynamicArray<ConfigEntry>& entries = p_Store.Entries();
    std::map<int32_t, uint32_t> countingSet;
    std::map<int32_t, uint32_t> firstBind;
    for (uint32_t i = 0; i < entries.Count(); ++i)
    {
        const ConfigEntry& entry = entries[i];
        if (entry.id == k_ConfigNone)
            continue;
        if (entry.kind == k_Set && (IsAppliedAtStartUp(entry.id) || !countingSet.contains(entry.id)))
            countingSet[entry.id] = i;
        else if (entry.kind == k_Bind && !firstBind.contains(entry.id))
            firstBind[entry.id] = i;
    }

    const auto counts = [](const std::map<int32_t, uint32_t>& p_Lines, int32_t p_Id, uint32_t p_Line)
    {
        const auto found = p_Lines.find(p_Id);
        return found != p_Lines.end() && found->second == p_Line;
    };
    for (uint32_t i = 0; i < entries.Count(); ++i)
    {
        const ConfigEntry& entry = entries[i];
        if (entry.kind == k_Set && entry.id != k_ConfigRenderer && counts(countingSet, entry.id, i))
        {
            const SettingCheck check = CheckSetting(entry.id, entry.value);
            if (!check.usable)
                WarnUnusableSetting(entry.name.ToNarrow().Bytes(), entry.value, check.used);
        }
        else if (entry.kind == k_Bind && IsBindingTheGameUses(entry.id) && counts(firstBind, entry.id, i) &&
                 Vozad::KeyCodeFromName(entry.name.ToNarrow().Data()) == Vozad::KeyCode::None)
        {
            // A binding's setting is its command, its value the key name.
            WarnUnusableSetting(entry.value.ToNarrow().Bytes(), entry.name, "no key");
        }
    }
}
} // namespace Snake
