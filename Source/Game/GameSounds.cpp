#include "Game/GameSounds.h"

#include "Corvan/Audio/AudioFormat.h"
#include "Corvan/Audio/IAudioPlayer.h"

namespace Snake
{
namespace
{
using Vozad::ToneSegment;
using Vozad::Waveform;

// A bright upward chirp: the reward has to be heard over a fast game.
constexpr ToneSegment k_CatchTones[] = {
    {660.0f, 880.0f, 0.05f, 0.55f, Waveform::Square},
    {990.0f, 1320.0f, 0.09f, 0.5f, Waveform::Square},
};
// A turn happens many times a round: a short, soft tick.
constexpr ToneSegment k_TurnTones[] = {
    {300.0f, 260.0f, 0.025f, 0.18f, Waveform::Triangle},
};
// Falling steps, slow enough to say "over".
constexpr ToneSegment k_GameOverTones[] = {
    {440.0f, 415.0f, 0.18f, 0.5f, Waveform::Square},
    {370.0f, 349.0f, 0.18f, 0.5f, Waveform::Square},
    {311.0f, 220.0f, 0.45f, 0.55f, Waveform::Square},
};
// A rising major arpeggio that ends on a held note.
constexpr ToneSegment k_WinTones[] = {
    {523.0f, 523.0f, 0.1f, 0.5f, Waveform::Triangle},
    {659.0f, 659.0f, 0.1f, 0.5f, Waveform::Triangle},
    {784.0f, 784.0f, 0.1f, 0.5f, Waveform::Triangle},
    {1047.0f, 1047.0f, 0.45f, 0.55f, Waveform::Triangle},
};
} // namespace

std::span<const Vozad::ToneSegment> GameSoundTones(GameSound p_Sound)
{
    switch (p_Sound)
    {
    case GameSound::Catch:
        return k_CatchTones;
    case GameSound::Turn:
        return k_TurnTones;
    case GameSound::GameOver:
        return k_GameOverTones;
    case GameSound::Win:
        return k_WinTones;
    default:
        return {};
    }
}

int32_t ParseSoundVolume(const Lib::String& p_Text)
{
    return ReadNumber(p_Text, k_SoundVolumeRule).value;
}

bool ParseSoundMuted(const Lib::String& p_Text)
{
    return ReadSwitch(p_Text).value != 0;
}

void GameSounds::Load(Vozad::IAudioPlayer& p_Player)
{
    m_Player = &p_Player;
    for (size_t i = 0; i < m_Ids.size(); ++i)
        m_Ids[i] = p_Player.AddSound(
            Vozad::SynthesizeTones(GameSoundTones(static_cast<GameSound>(i)), Vozad::k_AudioSampleRate));
}

void GameSounds::Play(GameSound p_Sound, int32_t p_Volume, bool p_Muted)
{
    const auto index = static_cast<size_t>(p_Sound);
    if (!m_Player || index >= m_Ids.size())
        return;
    // Taken with every effect: a setting changed in the options or the console counts at once.
    m_Player->SetVolume(p_Volume);
    m_Player->SetMuted(p_Muted);
    m_Player->Play(m_Ids[index], 1.0f);
}
} // namespace Snake
