#include "Corvan/Audio/AudioMixer.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace Vozad
{
uint32_t AudioMixer::AddSound(std::vector<int16_t> p_Samples)
{
    m_Sounds.push_back(std::move(p_Samples));
    return static_cast<uint32_t>(m_Sounds.size() - 1);
}

void AudioMixer::Play(uint32_t p_SoundId, float p_Gain)
{
    if (p_SoundId >= m_Sounds.size() || m_Sounds[p_SoundId].empty())
        return;
    if (m_Voices.size() >= k_MaxVoices)
        m_Voices.erase(m_Voices.begin());
    m_Voices.push_back({p_SoundId, 0, std::clamp(p_Gain, 0.0f, 1.0f)});
}

void AudioMixer::SetVolume(int32_t p_Volume)
{
    m_Volume = std::clamp(p_Volume, 0, 100);
}

void AudioMixer::Mix(int16_t* p_Out, uint32_t p_Count)
{
    // Loudness is heard roughly logarithmically: a squared slider spreads the quiet end out.
    const float level = static_cast<float>(m_Volume) / 100.0f;
    const float master = m_Muted ? 0.0f : level * level;
    for (uint32_t i = 0; i < p_Count; ++i)
    {
        float sum = 0.0f;
        for (Voice& voice : m_Voices)
        {
            const std::vector<int16_t>& samples = m_Sounds[voice.sound];
            if (voice.position < samples.size())
                sum += static_cast<float>(samples[voice.position++]) * voice.gain;
        }
        p_Out[i] = static_cast<int16_t>(std::lround(std::clamp(sum * master, -32768.0f, 32767.0f)));
    }
    std::erase_if(m_Voices, [this](const Voice& p_Voice)
                  { return p_Voice.position >= m_Sounds[p_Voice.sound].size(); });
}
} // namespace Vozad
