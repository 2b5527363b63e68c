#pragma once

#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <mutex>
#include <thread>

namespace quorvix {

// Calls a function from its own thread when a run outlasts its time limit, or when the process
// grows by more than a memory limit during the run. One thread serves every run, so arming
// costs no thread start on the evaluation path.
class Watchdog {
public:
    // Why the function was called.
    enum class Outcome { Finished, TimedOut, OutOfMemory };

    // `onUnstoppable`, if given, is called when a run has not ended `escalateAfter` after
    // `onTimeout` was called for it: the run ignores the interruption, and only ending the
    // process will stop it.
    explicit Watchdog(std::function<void()> onTimeout,
                      std::function<void(Outcome)> onUnstoppable = {},
                      std::chrono::milliseconds escalateAfter = std::chrono::milliseconds(500));
    ~Watchdog();
    Watchdog(const Watchdog&) = delete;
    Watchdog& operator=(const Watchdog&) = delete;

    // `memoryGrowth`, if not zero, is how many bytes the process's resident memory may grow
    // during the run; the limit is lowered to half the memory the system has available when
    // the run starts, so that the system is never driven out of memory.
    // `request`, if not zero, numbers the run's request for expireThrough.
    void arm(std::chrono::milliseconds limit, std::size_t memoryGrowth = 0,
             std::uint32_t request = 0);
    // Ends the current run and tells whether the function was called during it, and why.
    Outcome disarm();
    // Treats the current run, if any, as past its time limit now: the user asked it to stop.
    // Safe from any thread; a run that has ended is not touched.
    void expireNow();
    // Treats the runs of requests numbered up to `request` as past their time limits: the one
    // armed now, and any armed later. Safe from any thread.
    void expireThrough(std::uint32_t request);

    // The process's resident memory in bytes, 0 when unknown.
    static std::size_t residentBytes();
    // The memory the system has available for new allocations in bytes, 0 when unknown.
    static std::size_t availableBytes();

private:
    void loop();
    bool overMemory() const;

    std::function<void()> m_onTimeout;
    std::function<void(Outcome)> m_onUnstoppable;
    std::chrono::milliseconds m_escalateAfter;
    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::thread m_thread;
    bool m_armed = false; // the run is watched
    bool m_inRun = false; // between arm() and disarm(), even after onTimeout was called
    std::chrono::steady_clock::time_point m_escalateAt; // for the run that onTimeout was called for
    std::uint64_t m_run = 0;     // counts arm() calls, so a late reading is not taken for a new run
    std::uint32_t m_request = 0; // the armed run's request; 0: not numbered
    std::uint32_t m_expiredThrough = 0; // see expireThrough
    bool m_stopping = false;
    Outcome m_outcome = Outcome::Finished;
    std::chrono::steady_clock::time_point m_deadline;
    std::size_t m_memoryGrowth = 0;  // 0: memory is not watched
    std::size_t m_memoryCeiling = 0; // resident bytes at which the run is stopped
    // When the thread looks next on its own; max() while it waits for a run.
    std::chrono::steady_clock::time_point m_wakeAt = std::chrono::steady_clock::time_point::min();
};

} // namespace quorvix
