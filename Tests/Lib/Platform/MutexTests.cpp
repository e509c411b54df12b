#include "../FatalExit.h"
#include "Lib/Platform/Mutex.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>
#include <unistd.h>

TEST(Mutex, LocksOnlyOnceCreated)
{
    Lib::Mutex mutex;
    EXPECT_FALSE(mutex.IsCreated());
    EXPECT_FALSE(mutex.Lock());
    EXPECT_FALSE(mutex.IsLocked());

    ASSERT_TRUE(mutex.Create());
    EXPECT_TRUE(mutex.Create()) << "creating twice keeps the first";
    EXPECT_TRUE(mutex.IsCreated());
    ASSERT_TRUE(mutex.Lock());
    EXPECT_TRUE(mutex.IsLocked());
    EXPECT_FALSE(mutex.Lock()) << "a second lock by the owner fails instead of hanging";
    mutex.Unlock();
    EXPECT_FALSE(mutex.IsLocked());
    EXPECT_TRUE(mutex.Lock());
    mutex.Unlock();
}

TEST(Mutex, KeepsOtherThreadsOutWhileHeld)
{
    Lib::Mutex mutex;
    ASSERT_TRUE(mutex.Create());
    ASSERT_TRUE(mutex.Lock());
    std::atomic<bool> entered{false};
    std::thread other(
        [&]
        {
            if (mutex.Lock())
            {
                entered = true;
                mutex.Unlock();
            }
        });
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_FALSE(entered.load());
    mutex.Unlock();
    other.join();
    EXPECT_TRUE(entered.load());
}

TEST(Mutex, DestroyingAHeldMutexReleasesIt)
{
    // Destroying a held pthread mutex is undefined; the wrapper must unlock first. The sanitizers
    // and the error-checking mutex turn a missed unlock into a failure here.
    EXPECT_EXIT(
        {
            dup2(2, 1);
            {
                Lib::Mutex mutex;
                mutex.Create();
                mutex.Lock();
            }
            _exit(0);
        },
        testing::ExitedWithCode(0), "");
}

TEST(Mutex, FailingToUnlockIsFatal)
{
    EXPECT_EXIT(
        {
            dup2(2, 1);
            Lib::Mutex mutex;
            mutex.Unlock();
        },
        testing::ExitedWithCode(TestSupport::k_FatalExitStatus),
        "CRASH +\\| .* Mutex: Unable to unlock the mutex\\.");
    EXPECT_EXIT(
        {
            dup2(2, 1);
            Lib::Mutex mutex;
            mutex.Create();
            mutex.Unlock();
        },
        testing::ExitedWithCode(TestSupport::k_FatalExitStatus), "Mutex: Unable to unlock the mutex\\.");
    // Held by a thread that is gone: this thread cannot unlock it when the mutex is destroyed.
    EXPECT_EXIT(
        {
            dup2(2, 1);
            Lib::Mutex mutex;
            mutex.Create();
            std::thread([&] { mutex.Lock(); }).join();
        },
        testing::ExitedWithCode(TestSupport::k_FatalExitStatus), "Mutex: Unable to unlock the mutex\\.");
}
