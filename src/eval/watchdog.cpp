#include "watchdog.h"

namespace quorvix {

Watchdog::Watchdog(std::function<void()> onTimeout) : m_onTimeout(std::move(onTimeout)) {}

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

void Watchdog::arm(std::chrono::milliseconds limit) {
    {
        std::lock_guard lock(m_mutex);
        m_deadline = std::chrono::steady_clock::now() + limit;
        m_armed = true;
        m_fired = false;
        if (!m_thread.joinable()) {
            m_thread = std::thread([this] { loop(); });
        }
    }
    m_wake.notify_all();
}

bool Watchdog::disarm() {
    std::lock_guard lock(m_mutex);
    m_armed = false;
    return m_fired;
}

void Watchdog::loop() {
    std::unique_lock lock(m_mutex);
    while (!m_stopping) {
        if (!m_armed) {
            m_wake.wait(lock);
            continue;
        }
        if (m_wake.wait_until(lock, m_deadline) == std::cv_status::timeout && m_armed &&
            std::chrono::steady_clock::now() >= m_deadline) {
            m_armed = false;
            m_fired = true;
            // Called under the lock so that a disarm racing with the time-out sees m_fired.
            m_onTimeout();
        }
    }
}

} // namespace quorvix
