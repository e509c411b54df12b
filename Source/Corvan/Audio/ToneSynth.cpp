#include "Corvan/Audio/ToneSynth.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace Vozad
{
namespace
{
constexpr double k_AttackSeconds = 0.004;

double Wave(Waveform p_Waveform, double p_Phase)
{
    // p_Phase counts whole cycles; only its fraction matters.
    const double fraction = p_Phase - std::floor(p_Phase);
    switch (p_Waveform)
    {
    case Waveform::Square:
        return fraction < 0.5 ? 1.0 : -1.0;
    case Waveform::Triangle:
        return fraction < 0.5 ? 4.0 * fraction - 1.0 : 3.0 - 4.0 * fraction;
    case Waveform::Sine:
    default:
        return std::sin(2.0 * std::numbers::pi * fraction);
    }
}
} // namespace

std::vector<int16_t> SynthesizeTones(std::span<const ToneSegment> p_Segments, int32_t p_SampleRate)
{
    std::vector<int16_t> samples;
    if (p_SampleRate <= 0)
        return samples;
    for (const ToneSegment& segment : p_Segments)
    {
        const auto count = static_cast<int64_t>(std::lround(std::max(0.0f, segment.seconds) * p_SampleRate));
        const double amplitude = std::clamp(static_cast<double>(segment.amplitude), 0.0, 1.0) * 32767.0;
        const double attack = std::max(1.0, k_AttackSeconds * p_SampleRate);
        // Each segment starts its own phase at 0: its envelope starts at 0 as well, so nothing jumps.
        double phase = 0.0;
        for (int64_t i = 0; i < count; ++i)
        {
            const double progress = count > 1 ? static_cast<double>(i) / static_cast<double>(count - 1) : 1.0;
            const double frequency = segment.startHz + (segment.endHz - segment.startHz) * progress;
            const double rise = std::min(1.0, static_cast<double>(i) / attack);
            // Quadratic decay: most of the energy early, silence exactly at the last sample.
            const double fall = (1.0 - progress) * (1.0 - progress);
            const double value = Wave(segment.waveform, phase) * amplitude * rise * fall;
            samples.push_back(static_cast<int16_t>(std::lround(std::clamp(value, -32767.0, 32767.0))));
            phase += frequency / p_SampleRate;
        }
    }
    return samples;
}
} // namespace Vozad
