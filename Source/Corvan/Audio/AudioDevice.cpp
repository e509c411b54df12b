#include "Corvan/Audio/AudioDevice.h"

#include "Corvan/Audio/AudioFormat.h"

#include <SDL.h>

#include <utility>

namespace Vozad
{
AudioDevice::~AudioDevice()
{
    Close();
}

bool AudioDevice::Open()
{
    if (m_Device != 0)
        return true;
    if (SDL_WasInit(SDL_INIT_AUDIO) == 0)
    {
        if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0)
        {
            Lib::LogWarning(m_Tag, "No audio device, sounds are not played: %s", SDL_GetError());
            return false;
        }
        m_OwnsSubsystem = true;
    }
    SDL_AudioSpec wanted{};
    wanted.freq = k_AudioSampleRate;
    wanted.format = AUDIO_S16SYS;
    wanted.channels = 1;
    // About 12 ms: short enough that a catch is heard with the step that made it.
    wanted.samples = 512;
    wanted.callback = &AudioDevice::FillBlock;
    wanted.userdata = this;
    // SDL converts to whatever the device wants; the mixer keeps its one format.
    const SDL_AudioDeviceID device = SDL_OpenAudioDevice(nullptr, 0, &wanted, nullptr, 0);
    if (device == 0)
    {
        Lib::LogWarning(m_Tag, "No audio device, sounds are not played: %s", SDL_GetError());
        if (m_OwnsSubsystem)
        {
            SDL_QuitSubSystem(SDL_INIT_AUDIO);
            m_OwnsSubsystem = false;
        }
        return false;
    }
    m_Device = device;
    Lib::LogInfo(m_Tag, "Audio device opened with the %s driver", SDL_GetCurrentAudioDriver());
    SDL_PauseAudioDevice(m_Device, 0);
    return true;
}

void AudioDevice::Close()
{
    if (m_Device != 0)
    {
        SDL_CloseAudioDevice(m_Device);
        m_Device = 0;
    }
    if (m_OwnsSubsystem)
    {
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        m_OwnsSubsystem = false;
    }
}

void AudioDevice::Lock()
{
    if (m_Device != 0)
        SDL_LockAudioDevice(m_Device);
}

void AudioDevice::Unlock()
{
    if (m_Device != 0)
        SDL_UnlockAudioDevice(m_Device);
}

void AudioDevice::FillBlock(void* p_User, uint8_t* p_Stream, int p_Length)
{
    auto* self = static_cast<AudioDevice*>(p_User);
    // SDL holds the device lock while it runs this.
    self->m_Mixer.Mix(reinterpret_cast<int16_t*>(p_Stream),
                      static_cast<uint32_t>(p_Length) / sizeof(int16_t));
}

uint32_t AudioDevice::AddSound(std::vector<int16_t> p_Samples)
{
    Lock();
    const uint32_t id = m_Mixer.AddSound(std::move(p_Samples));
    Unlock();
    return id;
}

void AudioDevice::Play(uint32_t p_SoundId, float p_Gain)
{
    // Without a device nothing would ever take the voice off again.
    if (m_Device == 0)
        return;
    Lock();
    m_Mixer.Play(p_SoundId, p_Gain);
    Unlock();
}

void AudioDevice::SetVolume(int32_t p_Volume)
{
    Lock();
    m_Mixer.SetVolume(p_Volume);
    Unlock();
}

void AudioDevice::SetMuted(bool p_Muted)
{
    Lock();
    m_Mixer.SetMuted(p_Muted);
    Unlock();
}
} // namespace Vozad
