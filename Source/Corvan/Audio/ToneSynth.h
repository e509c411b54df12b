#pragma once
// Builds short sound effects from tone segments at start-up, so the program ships no sample files.
#include <cstdint>
#include <span>
#include <vector>

namespace Vozad
{
enum class Waveform : int32_t
{
    Sine = 0,
    Square = 1,
    Triangle = 2,
};

// One piece of an effect: a tone that glides from startHz to endHz over its duration and fades
// out towards its end. Segments follow one another without a gap.
struct ToneSegment
{
    float startHz = 440.0f;
    float endHz = 440.0f;
    float seconds = 0.1f;
    float amplitude = 0.5f; // 0 to 1 of full scale
    Waveform waveform = Waveform::Sine;
};

// Mono samples at p_SampleRate. Each segment rises over a few milliseconds and decays to zero at
// its end, so effects neither click when they start nor when one segment hands over to the next.
std::vector<int16_t> SynthesizeTones(std::span<const ToneSegment> p_Segments, int32_t p_SampleRate);
} // namespace Vozad
