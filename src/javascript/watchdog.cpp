#include "watchdog.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <unistd.h>

namespace quorvix {

namespace {

// How often the memory is looked at while a run watches it. A script can allocate a few
// hundred megabytes a second, so the overshoot stays small.
constexpr std::chrono::milliseconds kMemoryPoll(20);

} // namespace

Watchdog::Watchdog(std::function<void()> onTimeout, std::function<void(Outcome)> onUnstoppable,
                   std::chrono::milliseconds escalateAfter)
    : m_onTimeout(std::move(onTimeout)), m_onUnstoppable(std::move(onUnstoppable)),
      m_escalateAfter(escalateAfter) {}

Watchdog::~Watchdog() {
    {
        std::lock_guard lock(m_mutex);
        m_stopping = true;
    }
    m_wake.notify_all();
    if (m_thread.joinable()) {
        m_thread.join();
    }
}

std::size_t Watchdog::residentBytes() {
    std::FILE* file = std::fopen("/proc/self/statm", "re");
    if (!file) {
        return 0;
    }
    unsigned long long size = 0;
    unsigned long long resident = 0;
    const int got = std::fscanf(file, "%llu %llu", &size, &resident);
    std::fclose(file);
    if (got != 2) {
        return 0;
    }
    return std::size_t(resident) * std::size_t(::sysconf(_SC_PAGESIZE));
}

std::size_t Watchdog::availableBytes() {
    std::FILE* file = std::fopen("/proc/meminfo", "re");
    if (!file) {
        return 0;
    }
    char line[256];
    unsigned long long kib = 0;
    while (std::fgets(line, sizeof line, file)) {
        if (std::sscanf(line, "MemAvailable: %llu kB", &kib) == 1) {
            break;
        }
    }
    std::fclose(file);
    return std::size_t(kib) * 1024;
}

void Watchdog::arm(std::chrono::milliseconds limit, std::size_t memoryGrowth,
                   std::uint32_t request) {
    {
        std::lock_guard lock(m_mutex);
        m_request = request;
        // A stop for this request came before the run began.
        const bool expired = request != 0 && request <= m_expiredThrough;
        m_deadline = std::chrono::steady_clock::now() +
                     (expired ? std::chrono::milliseconds::zero() : limit);
        m_armed = true;
        m_inRun = true;
        ++m_run;
        m_outcome = Outcome::Finished;
        // The watchdog's own thread reads the starting memory, and only for a run that lasts
        // (see loop()), so that arming costs the evaluation no file reads.
        m_memoryGrowth = memoryGrowth;
        m_memoryCeiling = 0;
        if (!m_thread.joinable()) {
            m_thread = std::thread([this] { loop(); });
        }
        // A thread that will wake before it matters takes the new run up then: in a burst of
        // runs, waking it for each would cost every evaluation a thread switch.
        const auto firstLook =
            memoryGrowth > 0 ? std::min(m_deadline, std::chrono::steady_clock::now() + kMemoryPoll)
                             : m_deadline;
        if (m_wakeAt <= firstLook) {
            return;
        }
    }
    m_wake.notify_all();
}

void Watchdog::expireNow() {
    {
        std::lock_guard lock(m_mutex);
        if (!m_armed) {
            return;
        }
        m_deadline = std::chrono::steady_clock::now();
    }
    m_wake.notify_all();
}

void Watchdog::expireThrough(std::uint32_t request) {
    {
        std::lock_guard lock(m_mutex);
        m_expiredThrough = std::max(m_expiredThrough, request);
        if (!m_armed || m_request == 0 || m_request > request) {
            return;
        }
        m_deadline = std::chrono::steady_clock::now();
    }
    m_wake.notify_all();
}

Watchdog::Outcome Watchdog::disarm() {
    std::lock_guard lock(m_mutex);
    m_armed = false;
    m_inRun = false;
    return m_outcome;
}

bool Watchdog::overMemory() const {
    // A run whose starting point is not read yet (ceiling 0) is not judged.
    return m_memoryGrowth > 0 && m_memoryCeiling > 0 && residentBytes() > m_memoryCeiling;
}

void Watchdog::loop() {
    std::unique_lock lock(m_mutex);
    while (!m_stopping) {
        if (!m_armed && m_inRun && m_outcome != Outcome::Finished && m_onUnstoppable) {
            // The run was told to stop; give it its time to do so.
            const std::uint64_t run = m_run;
            m_wakeAt = m_escalateAt;
            m_wake.wait_until(lock, m_wakeAt);
            if (m_inRun && run == m_run && !m_stopping &&
                std::chrono::steady_clock::now() >= m_escalateAt) {
                m_onUnstoppable(m_outcome);
                m_inRun = false;
            }
            continue;
        }
        if (!m_armed) {
            m_wakeAt = std::chrono::steady_clock::time_point::max();
            m_wake.wait(lock);
            continue;
        }
        const std::uint64_t run = m_run;
        m_wakeAt = m_memoryGrowth > 0
                       ? std::min(m_deadline, std::chrono::steady_clock::now() + kMemoryPoll)
                       : m_deadline;
        m_wake.wait_until(lock, m_wakeAt);
        if (!m_armed || m_stopping || run != m_run) {
            continue;
        }
        Outcome outcome = Outcome::Finished;
        if (std::chrono::steady_clock::now() >= m_deadline) {
            outcome = Outcome::TimedOut;
        } else if (m_memoryGrowth > 0 && m_memoryCeiling == 0) {
            // The run has lasted one poll interval: take its starting point now, outside the
            // lock so that the run can end meanwhile. Most runs end sooner and cost no file
            // reads at all; what a run allocates in its first interval is not counted.
            std::size_t growth = m_memoryGrowth;
            lock.unlock();
            if (const std::size_t available = availableBytes(); available > 0) {
                growth = std::min(growth, available / 2);
            }
            const std::size_t resident = residentBytes();
            lock.lock();
            if (m_armed && run == m_run) {
                m_memoryGrowth = resident > 0 ? growth : 0;
                m_memoryCeiling = resident + growth;
            }
            continue;
        } else if (overMemory()) {
            outcome = Outcome::OutOfMemory;
        }
        if (outcome != Outcome::Finished) {
            m_armed = false;
            m_outcome = outcome;
            m_escalateAt = std::chrono::steady_clock::now() + m_escalateAfter;
            // Called under the lock so that a disarm racing with the call sees the outcome.
            m_onTimeout();
        }
    }
}

} // namespace quorvix
