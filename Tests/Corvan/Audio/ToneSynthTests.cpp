#include "Corvan/Audio/ToneSynth.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <vector>

namespace
{
using Vozad::ToneSegment;
using Vozad::Waveform;

int32_t Peak(const std::vector<int16_t>& p_Samples, size_t p_From, size_t p_To)
{
    int32_t peak = 0;
    for (size_t i = p_From; i < p_To && i < p_Samples.size(); ++i)
        peak = std::max(peak, std::abs(static_cast<int32_t>(p_Samples[i])));
    return peak;
}

// Rising zero crossings count whole cycles.
int32_t Cycles(const std::vector<int16_t>& p_Samples, size_t p_From, size_t p_To)
{
    int32_t cycles = 0;
    for (size_t i = p_From + 1; i < p_To; ++i)
        if (p_Samples[i - 1] < 0 && p_Samples[i] >= 0)
            ++cycles;
    return cycles;
}
} // namespace

TEST(ToneSynthTest, LengthPitchAndLoudnessFollowTheSegments)
{
    const int32_t rate = 8000;
    for (Waveform wave : {Waveform::Sine, Waveform::Square, Waveform::Triangle})
    {
        SCOPED_TRACE(static_cast<int>(wave));
        const ToneSegment segments[] = {{400.0f, 400.0f, 0.5f, 0.5f, wave},
                                        {100.0f, 100.0f, 0.25f, 0.25f, wave}};
        const std::vector<int16_t> samples = Vozad::SynthesizeTones(segments, rate);
        ASSERT_EQ(samples.size(), 6000u);
        // 400 Hz over the first half second: about 200 cycles; 100 Hz over a quarter: 25.
        EXPECT_NEAR(Cycles(samples, 0, 4000), 200, 2);
        EXPECT_NEAR(Cycles(samples, 4000, 6000), 25, 2);
        // Never above the segment's share of full scale, and clearly audible early in it.
        EXPECT_LE(Peak(samples, 0, 4000), 16384);
        EXPECT_GT(Peak(samples, 0, 1000), 8000);
        EXPECT_LE(Peak(samples, 4000, 6000), 8192);
    }
}

TEST(ToneSynthTest, SegmentsStartAndEndAtSilenceSoNothingClicks)
{
    const int32_t rate = 44100;
    const ToneSegment segments[] = {{1000.0f, 2000.0f, 0.05f, 1.0f, Waveform::Square},
                                    {500.0f, 250.0f, 0.05f, 1.0f, Waveform::Square}};
    const std::vector<int16_t> samples = Vozad::SynthesizeTones(segments, rate);
    const size_t half = samples.size() / 2;
    for (size_t edge : {size_t{0}, half})
        EXPECT_LT(std::abs(samples[edge]), 500) << "at " << edge;
    EXPECT_LT(std::abs(samples[half - 1]), 500);
    EXPECT_EQ(samples.back(), 0);
    // The glide: the first half of a 1000 to 2000 Hz sweep has fewer cycles than the second.
    EXPECT_LT(Cycles(samples, 0, half / 2), Cycles(samples, half / 2, half));
}

TEST(ToneSynthTest, NothingToMakeGivesNoSamples)
{
    const ToneSegment zero[] = {{440.0f, 440.0f, 0.0f, 0.5f, Waveform::Sine}};
    EXPECT_TRUE(Vozad::SynthesizeTones(zero, 44100).empty());
    const ToneSegment some[] = {{440.0f, 440.0f, 0.1f, 0.5f, Waveform::Sine}};
    EXPECT_TRUE(Vozad::SynthesizeTones(some, 0).empty());
    EXPECT_TRUE(Vozad::SynthesizeTones({}, 44100).empty());
}
