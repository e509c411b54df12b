#pragma once
// The engine's sound output: SDL's audio subsystem pulls the mixer's blocks from its own thread.
// A machine without a device (or a driver that refuses) leaves a player that plays nothing.
#include "Corvan/Audio/AudioMixer.h"
#include "Corvan/Audio/IAudioPlayer.h"
#include "Lib/Log.h"

#include <cstdint>

namespace Vozad
{
class AudioDevice : public IAudioPlayer
{
public:
    AudioDevice() = default;
    ~AudioDevice() override;
    AudioDevice(const AudioDevice&) = delete;
    AudioDevice& operator=(const AudioDevice&) = delete;

    // Opens the default output; false (after one log line) when there is none. The player works
    // either way.
    bool Open();
    void Close();

    uint32_t AddSound(std::vector<int16_t> p_Samples) override;
    void Play(uint32_t p_SoundId, float p_Gain) override;
    void SetVolume(int32_t p_Volume) override;
    void SetMuted(bool p_Muted) override;
    bool HasDevice() const override { return m_Device != 0; }

private:
    static void FillBlock(void* p_User, uint8_t* p_Stream, int p_Length);
    void Lock();
    void Unlock();

    Lib::LogTag m_Tag{"AudioDevice"};
    AudioMixer m_Mixer;    // touched by the device thread: only under Lock
    uint32_t m_Device = 0; // SDL's device id; 0 while none is open
    bool m_OwnsSubsystem = false;
};
} // namespace Vozad
