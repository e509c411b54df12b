#pragma once
// The system's monotonic high-resolution counter, for Timer.cpp. Internal to the platform layer;
// the engine reads it through Lib/Platform/Timer.h.
#include <cstdint>

namespace Lib
{
// How many ticks of the counter make a microsecond; false when the counter cannot be used.
bool ReadCounterResolution(int64_t& p_TicksPerMicrosecond);
// The counter now; false when it cannot be read.
bool ReadCounter(int64_t& p_Counter);
} // namespace Lib
