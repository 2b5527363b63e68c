#pragma once

#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

namespace quorvix {

// Calls a function from its own thread when a run outlasts its time limit. One thread serves
// every run, so arming costs no thread start on the evaluation path.
class Watchdog {
public:
    explicit Watchdog(std::function<void()> onTimeout);
    ~Watchdog();
    Watchdog(const Watchdog&) = delete;
    Watchdog& operator=(const Watchdog&) = delete;

    void arm(std::chrono::milliseconds limit);
    // Ends the current run; true if the time-out fired during it.
    bool disarm();

private:
    void loop();

    std::function<void()> m_onTimeout;
    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::thread m_thread;
    bool m_armed = false;
    bool m_fired = false;
    bool m_stopping = false;
    std::chrono::steady_clock::time_point m_deadline;
};

} // namespace quorvix
