#include "watchdog.h"

#include <atomic>
#include <gtest/gtest.h>
#include <thread>

using quorvix::Watchdog;

TEST(Watchdog, BackToBackShortRunsAreNeverStopped) {
    // The starting memory of a run is read on the watchdog's thread; a run that begins while
    // the reading for the one before is under way must not be judged by a missing reading.
    std::atomic<int> calls = 0;
    Watchdog watchdog([&] { ++calls; });
    for (int i = 0; i < 200; ++i) {
        watchdog.arm(std::chrono::seconds(10), std::size_t{1} << 30);
        // Every other run lasts long enough for the watchdog to take its reading and wait.
        if (i % 2 == 0) {
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
        ASSERT_EQ(watchdog.disarm(), Watchdog::Outcome::Finished) << "run " << i;
    }
    EXPECT_EQ(calls, 0);
}

TEST(Watchdog, StopsARunPastItsTimeLimit) {
    std::atomic<bool> called = false;
    Watchdog watchdog([&] { called = true; });
    watchdog.arm(std::chrono::milliseconds(1));
    for (int i = 0; i < 1000 && !called; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    EXPECT_TRUE(called);
    EXPECT_EQ(watchdog.disarm(), Watchdog::Outcome::TimedOut);
    // The next run starts afresh.
    watchdog.arm(std::chrono::seconds(10));
    EXPECT_EQ(watchdog.disarm(), Watchdog::Outcome::Finished);
}
