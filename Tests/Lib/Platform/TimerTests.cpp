#include "Lib/Platform/Timer.h"

#include <gtest/gtest.h>

#include <chrono>
#include <ctime>
#include <thread>

namespace
{
int64_t MonotonicNanoseconds()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<int64_t>(now.tv_sec) * 1000000000 + now.tv_nsec;
}
} // namespace

TEST(Timer, CounterIsTheMonotonicClockInNanoseconds)
{
    EXPECT_EQ(Lib::GetTicksPerMicrosecond(), 1000);
    const int64_t before = MonotonicNanoseconds();
    const int64_t counter = Lib::ReadPerformanceCounter();
    const int64_t after = MonotonicNanoseconds();
    EXPECT_LE(before, counter);
    EXPECT_LE(counter, after);
}

TEST(Timer, ElapsedLiesBetweenTheSleepAndAnOuterMeasurement)
{
    const int64_t outerStart = MonotonicNanoseconds();
    const Lib::Timer timer;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    const Lib::ElapsedTime elapsed = timer.Elapsed();
    const int64_t outerMicroseconds = (MonotonicNanoseconds() - outerStart) / 1000;

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
    EXPECT_GE(timer.Start() - firstStart, 15 * 1000000);
    const uint64_t elapsed = timer.Elapsed().microseconds;
    const int64_t after = Lib::ReadPerformanceCounter();
    EXPECT_LE(elapsed, static_cast<uint64_t>((after - timer.Start()) / 1000));
}
