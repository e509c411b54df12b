#include "Game/GameSounds.h"

#include "Corvan/Audio/AudioFormat.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>

namespace
{
int32_t PeakOf(Snake::GameSound p_Sound)
{
    const std::vector<int16_t> samples =
        Vozad::SynthesizeTones(Snake::GameSoundTones(p_Sound), Vozad::k_AudioSampleRate);
    int32_t peak = 0;
    for (int16_t s : samples)
        peak = std::max(peak, std::abs(static_cast<int32_t>(s)));
    return peak;
}

double SecondsOf(Snake::GameSound p_Sound)
{
    double seconds = 0.0;
    for (const Vozad::ToneSegment& segment : Snake::GameSoundTones(p_Sound))
        seconds += segment.seconds;
    return seconds;
}
} // namespace

TEST(GameSoundsTest, EffectsAreShortAndTheTurnIsTheQuietOne)
{
    using Snake::GameSound;
    for (GameSound sound : {GameSound::Catch, GameSound::Turn, GameSound::GameOver, GameSound::Win})
    {
        SCOPED_TRACE(static_cast<int>(sound));
        EXPECT_GT(SecondsOf(sound), 0.0);
        EXPECT_LE(SecondsOf(sound), 1.0);
        EXPECT_GT(PeakOf(sound), 1000);
    }
    // A turn comes with almost every step; it must stay well under the catch.
    EXPECT_LT(PeakOf(GameSound::Turn) * 2, PeakOf(GameSound::Catch));
    // A step at the top speed comes every 100 ms or so: the turn tick is over before it.
    EXPECT_LT(SecondsOf(GameSound::Turn), 0.05);
}

TEST(GameSoundsTest, SettingsTextsAreReadForgivingly)
{
    struct Case
    {
        const char* text;
        int32_t volume;
    };
    for (const Case& c : {Case{"60", 60}, Case{"0", 0}, Case{"100", 100}, Case{"250", 100}, Case{"-5", 0},
                          Case{"", 60}, Case{"loud", 60}, Case{"40x", 60}, Case{"99999999999999999999", 100}})
    {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(Snake::ParseSoundVolume(Lib::String(c.text)), c.volume);
    }
    EXPECT_TRUE(Snake::ParseSoundMuted(Lib::String("1")));
    EXPECT_FALSE(Snake::ParseSoundMuted(Lib::String("0")));
    EXPECT_FALSE(Snake::ParseSoundMuted(Lib::String("yes")));
}
