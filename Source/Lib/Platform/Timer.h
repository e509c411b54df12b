#pragma once
// The monotonic high-resolution counter and a stopwatch on it.
#include <cstdint>

namespace Lib
{
// {counter at the start, microseconds elapsed since}
struct ElapsedTime
{
    int64_t start = 0;
    uint64_t microseconds = 0;
};

// Counter ticks per microsecond; 0 while the counter is unavailable.
int64_t GetTicksPerMicrosecond();
// The counter now; 0 while the counter is unavailable.
int64_t ReadPerformanceCounter();

class Timer
{
public:
    Timer(); // starts at once
    void Restart();
    int64_t Start() const { return m_Start; }
    ElapsedTime Elapsed() const;

private:
    int64_t m_Start = 0;
};
} // namespace Lib
