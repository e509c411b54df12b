#include "Corvan/Audio/AudioMixer.h"

#include <gtest/gtest.h>

#include <vector>

namespace
{
std::vector<int16_t> MixBlock(Vozad::AudioMixer& p_Mixer, uint32_t p_Count)
{
    std::vector<int16_t> block(p_Count, 12345); // anything the mixer fails to write shows
    p_Mixer.Mix(block.data(), p_Count);
    return block;
}
} // namespace

TEST(AudioMixerTest, IdleMixerWritesSilence)
{
    Vozad::AudioMixer mixer;
    mixer.AddSound({1000, 1000});
    EXPECT_EQ(MixBlock(mixer, 4), (std::vector<int16_t>{0, 0, 0, 0}));
}

TEST(AudioMixerTest, VoicesAreSummedAndEndWithTheirSound)
{
    Vozad::AudioMixer mixer;
    const uint32_t a = mixer.AddSound({100, 200, 300});
    const uint32_t b = mixer.AddSound({10, 20});
    mixer.Play(a, 1.0f);
    mixer.Play(b, 1.0f);
    EXPECT_EQ(MixBlock(mixer, 5), (std::vector<int16_t>{110, 220, 300, 0, 0}));
    EXPECT_EQ(mixer.GetVoiceCount(), 0u);
    // A voice carries on across blocks.
    mixer.Play(a, 0.5f);
    EXPECT_EQ(MixBlock(mixer, 2), (std::vector<int16_t>{50, 100}));
    EXPECT_EQ(MixBlock(mixer, 2), (std::vector<int16_t>{150, 0}));
}

TEST(AudioMixerTest, VolumeScalesAlongASquaredCurveAndMuteWritesSilenceWhileTimeGoesOn)
{
    struct Case
    {
        int32_t volume;
        bool muted;
        int16_t expected;
    };
    for (const Case& c : {Case{100, false, 10000}, Case{50, false, 2500}, Case{0, false, 0},
                          Case{250, false, 10000}, Case{-3, false, 0}, Case{100, true, 0}})
    {
        SCOPED_TRACE(c.volume);
        Vozad::AudioMixer mixer;
        const uint32_t id = mixer.AddSound({10000, 10000, 10000});
        mixer.SetVolume(c.volume);
        mixer.SetMuted(c.muted);
        mixer.Play(id, 1.0f);
        EXPECT_EQ(MixBlock(mixer, 1).front(), c.expected);
    }
    // Unmuting later does not bring back what played while muted.
    Vozad::AudioMixer mixer;
    const uint32_t id = mixer.AddSound({500, 500});
    mixer.SetMuted(true);
    mixer.Play(id, 1.0f);
    MixBlock(mixer, 2);
    mixer.SetMuted(false);
    EXPECT_EQ(MixBlock(mixer, 2), (std::vector<int16_t>{0, 0}));
}

TEST(AudioMixerTest, LoudSumsClipAndUnknownSoundsAndExtraVoicesAreHandled)
{
    Vozad::AudioMixer mixer;
    const uint32_t loud = mixer.AddSound({30000, -30000});
    mixer.Play(loud, 1.0f);
    mixer.Play(loud, 1.0f);
    EXPECT_EQ(MixBlock(mixer, 2), (std::vector<int16_t>{32767, -32768}));

    mixer.Play(99, 1.0f);
    const uint32_t empty = mixer.AddSound({});
    mixer.Play(empty, 1.0f);
    EXPECT_EQ(mixer.GetVoiceCount(), 0u);

    const uint32_t one = mixer.AddSound(std::vector<int16_t>(10, 1));
    for (uint32_t i = 0; i < Vozad::AudioMixer::k_MaxVoices + 3; ++i)
        mixer.Play(one, 1.0f);
    EXPECT_EQ(mixer.GetVoiceCount(), Vozad::AudioMixer::k_MaxVoices);
    EXPECT_EQ(MixBlock(mixer, 1).front(), static_cast<int16_t>(Vozad::AudioMixer::k_MaxVoices));
}
