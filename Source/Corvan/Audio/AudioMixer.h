#pragma once
// Sums the voices that play at the moment into one block of samples. It knows nothing of the
// device: the device calls Mix from its own thread while holding its lock, the owner calls the
// rest under the same lock.
#include <cstdint>
#include <vector>

namespace Vozad
{
class AudioMixer
{
public:
    // More voices than this at once would only be noise; the oldest one gives way.
    static constexpr uint32_t k_MaxVoices = 8;

    uint32_t AddSound(std::vector<int16_t> p_Samples);
    uint32_t GetSoundCount() const { return static_cast<uint32_t>(m_Sounds.size()); }
    void Play(uint32_t p_SoundId, float p_Gain);
    void SetVolume(int32_t p_Volume);
    int32_t GetVolume() const { return m_Volume; }
    void SetMuted(bool p_Muted) { m_Muted = p_Muted; }
    bool IsMuted() const { return m_Muted; }
    uint32_t GetVoiceCount() const { return static_cast<uint32_t>(m_Voices.size()); }

    // Fills p_Count samples; voices move on even while muted, so unmuting never replays an old
    // effect. Sums beyond full scale are clipped.
    void Mix(int16_t* p_Out, uint32_t p_Count);

private:
    struct Voice
    {
        uint32_t sound = 0;
        uint32_t position = 0;
        float gain = 1.0f;
    };

    std::vector<std::vector<int16_t>> m_Sounds;
    std::vector<Voice> m_Voices; // oldest first
    int32_t m_Volume = 100;
    bool m_Muted = false;
};
} // namespace Vozad
