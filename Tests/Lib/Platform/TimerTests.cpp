#include "Lib/Platform/Timer.h"

#include <gtest/gtest.h>

#include <chrono>
#include <ctime>
#include <thread>
#ifdef _WIN32
#include <windows.h>
#endif

namespace
{
// The system's own monotonic counter, read past the engine: the performance counter on Windows,
// the monotonic clock in nanoseconds on Linux.
int64_t SystemCounter()
{
#ifdef _WIN32
    LARGE_INTEGER now{};
    QueryPerformanceCounter(&now);
    return now.QuadPart;
#else
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<int64_t>(now.tv_sec) * 1000000000 + now.tv_nsec;
#endif
}

int64_t SystemTicksPerMicrosecond()
{
#ifdef _WIN32
    LARGE_INTEGER frequency{};
    QueryPerformanceFrequency(&frequency);
    return frequency.QuadPart / 1000000;
#else
    return 1000;
#endif
}
} // namespace

TEST(Timer, CounterIsTheSystemsMonotonicCounter)
{
    EXPECT_EQ(Lib::GetTicksPerMicrosecond(), SystemTicksPerMicrosecond());
    const int64_t before = SystemCounter();
    const int64_t counter = Lib::ReadPerformanceCounter();
    const int64_t after = SystemCounter();
    EXPECT_LE(before, counter);
    EXPECT_LE(counter, after);
}

TEST(Timer, ElapsedLiesBetweenTheSleepAndAnOuterMeasurement)
{
    const int64_t outerStart = SystemCounter();
    const Lib::Timer timer;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    const Lib::ElapsedTime elapsed = timer.Elapsed();
    const int64_t outerMicroseconds = (SystemCounter() - outerStart) / SystemTicksPerMicrosecond();

    EXPECT_EQ(elapsed.start, timer.Start());
    EXPECT_GE(elapsed.microseconds, 20000u);
    EXPECT_LE(elapsed.microseconds, static_cast<uint64_t>(outerMicroseconds));
}

TEST(Timer, RestartMeasuresFromTheNewStart)
{
    Lib::Timer timer;
    const int64_t firstStart = timer.Start();
    std::this_thread::sleep_for(std::chrono::milliseconds(15));
    const int64_t beforeRestart = Lib::ReadPerformanceCounter();
    timer.Restart();

    EXPECT_GE(timer.Start(), beforeRestart);
    EXPECT_GE(timer.Start() - firstStart, 15 * 1000 * SystemTicksPerMicrosecond());
    const uint64_t elapsed = timer.Elapsed().microseconds;
    const int64_t after = Lib::ReadPerformanceCounter();
    EXPECT_LE(elapsed, static_cast<uint64_t>((after - timer.Start()) / SystemTicksPerMicrosecond()));
}
