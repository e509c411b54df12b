#pragma once
// What the game may ask of the engine's sound: register effects once, play them by id, and set
// the volume. Without an audio device every call still works and nothing is heard.
#include <cstdint>
#include <vector>

namespace Vozad
{
class IAudioPlayer
{
public:
    virtual ~IAudioPlayer() = default;

    // Mono signed 16-bit samples at k_AudioSampleRate; returns the id that Play takes.
    virtual uint32_t AddSound(std::vector<int16_t> p_Samples) = 0;
    // Starts the sound over whatever plays already; p_Gain 0 to 1 scales this one voice.
    // Unknown ids are ignored.
    virtual void Play(uint32_t p_SoundId, float p_Gain) = 0;
    // 0 to 100; values outside are held to that range.
    virtual void SetVolume(int32_t p_Volume) = 0;
    // Muted, the device keeps running and plays silence.
    virtual void SetMuted(bool p_Muted) = 0;
    // False when no audio device could be opened.
    virtual bool HasDevice() const = 0;
};
} // namespace Vozad
