#pragma once
#include <cstdint>

namespace Snake
{
// The ids by which the game addresses its settings and key bindings. They are fixed: the
// options menu, the console and the rules all refer to entries by these numbers.
enum ConfigId : int32_t
{
    k_ConfigNone = 0, // comments, unknown lines, commands and variables the game does not know
    k_ConfigScores = 1,
    k_ConfigToggleMenu = 2,
    k_ConfigMoveLeft = 3,
    k_ConfigMoveRight = 4,
    k_ConfigMoveUp = 5,
    k_ConfigMoveDown = 6,
    k_ConfigToggleConsole = 7,
    k_ConfigPause = 8,
    k_ConfigSpeed = 9,
    k_ConfigScreenshot = 10,
    k_ConfigCustomWidth = 11,
    k_ConfigCustomHeight = 12,
    k_ConfigFullscreen = 13,
    k_ConfigVSync = 14,
    k_ConfigShowFps = 15,
    k_ConfigShowPoints = 16,
    k_ConfigRenderer = 17,
    k_ConfigGpu = 18,
    k_ConfigCurrentMonitor = 19,
    k_ConfigWindowMode = 20,
    k_ConfigLanguage = 21,
    k_ConfigGridMode = 22,
    k_ConfigGameSpeed = 23,
    // Settings added after the original file's lines; a file that lacks them gets them appended.
    k_ConfigFrameCap = 24,
    k_ConfigMultisample = 25, // "auto", "off", "2", "4" or "8" samples per pixel
    // Gameplay options: rule changes a player opts into; "0" plays the original rules.
    k_ConfigTurnBuffer = 26,
    k_ConfigFairStart = 27,
    k_ConfigAutoPause = 28,
    k_ConfigAttract = 29,
    // Sound effects: "s_volume" 0 to 100 and "s_mute" 0 or 1.
    k_ConfigSoundVolume = 30,
    k_ConfigSoundMute = 31,
    // How many milliseconds the game waits for a Lua bot's answer before it ends the bot.
    k_ConfigBotWait = 32,
};

// Which half of an entry GetEntryText returns. The value side is what a setting holds: the
// value of a "set" line, the key name of a "bind" line. The name side is what the line is
// about: the variable, or the bound command.
enum class EntrySide : int32_t
{
    Name = 0,
    Value = 1,
};
} // namespace Snake
