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
    for (int i = 0; i < 60; ++i) {
        watchdog.arm(std::chrono::seconds(10), std::size_t{1} << 30);
        // Every other run lasts about as long as the watchdog waits before it reads memory.
        if (i % 2 == 0) {
            std::this_thread::sleep_for(std::chrono::microseconds(19000 + 200 * i));
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

// A run that goes on after it was interrupted is reported once more, so that the process can be
// ended; a run that stops in time is not.
TEST(Watchdog, RunThatIgnoresTheInterruptIsReportedAsUnstoppable) {
    for (const bool endsInTime : {false, true}) {
        std::atomic<int> unstoppable = 0;
        std::atomic<bool> interrupted = false;
        Watchdog watchdog([&] { interrupted = true; },
                          [&](Watchdog::Outcome outcome) {
                              EXPECT_EQ(outcome, Watchdog::Outcome::TimedOut);
                              ++unstoppable;
                          },
                          std::chrono::milliseconds(50));
        watchdog.arm(std::chrono::milliseconds(1));
        for (int i = 0; i < 1000 && !interrupted; ++i) {
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        ASSERT_TRUE(interrupted);
        if (endsInTime) {
            EXPECT_EQ(watchdog.disarm(), Watchdog::Outcome::TimedOut);
            std::this_thread::sleep_for(std::chrono::milliseconds(150));
            EXPECT_EQ(unstoppable, 0);
        } else {
            for (int i = 0; i < 1000 && unstoppable == 0; ++i) {
                std::this_thread::sleep_for(std::chrono::milliseconds(5));
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(150));
            EXPECT_EQ(unstoppable, 1);
            watchdog.disarm();
        }
    }
}
