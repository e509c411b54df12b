#pragma once
// The game's sound effects, made at start-up from tone segments, and which one plays when.
#include "Corvan/Audio/ToneSynth.h"
#include "Game/SettingValue.h"
#include "Lib/String.h"

#include <array>
#include <cstdint>
#include <span>

namespace Vozad
{
class IAudioPlayer;
}

namespace Snake
{
enum class GameSound : int32_t
{
    Catch = 0,
    Turn = 1,
    GameOver = 2,
    Win = 3,
    Count = 4,
};

// The tone segments of one effect.
std::span<const Vozad::ToneSegment> GameSoundTones(GameSound p_Sound);

// "s_volume": 0 to 100; text that is no whole number gives the default 60, numbers outside are
// held to the range.
inline constexpr NumberRule k_SoundVolumeRule{
    .fallback = 60, .minimum = 0, .maximum = 100, .belowMinimum = 0, .aboveMaximum = 100};
int32_t ParseSoundVolume(const Lib::String& p_Text);
// "s_mute": a switch, only "1" mutes.
bool ParseSoundMuted(const Lib::String& p_Text);

class GameSounds
{
public:
    // Synthesizes the effects and hands them to the player; the player is not owned.
    void Load(Vozad::IAudioPlayer& p_Player);
    // Before Load, nothing plays.
    void Play(GameSound p_Sound, int32_t p_Volume, bool p_Muted);

private:
    Vozad::IAudioPlayer* m_Player = nullptr;
    std::array<uint32_t, static_cast<size_t>(GameSound::Count)> m_Ids{};
};
} // namespace Snake
