#pragma once
#include <cstdint>

namespace Vozad
{
// Every sound of the engine is mono, signed 16-bit, at this rate: short effects need no more,
// and one format keeps the mixer a plain sum.
inline constexpr int32_t k_AudioSampleRate = 44100;
} // namespace Vozad
