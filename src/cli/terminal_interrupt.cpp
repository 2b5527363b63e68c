#include "terminal_interrupt.h"

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <pthread.h>
#include <thread>
#include <unistd.h>

namespace quorvix::cli {

TerminalInterrupt::TerminalInterrupt(ScriptEngine& engine) : m_engine(engine) {
    // Blocked in every thread, and taken by one thread of its own with sigwait, so that the
    // engine is never asked from a signal handler.
    sigset_t interrupt;
    sigemptyset(&interrupt);
    sigaddset(&interrupt, SIGINT);
    ::pthread_sigmask(SIG_BLOCK, &interrupt, nullptr);
    std::thread([this, interrupt] {
        using Clock = std::chrono::steady_clock;
        Clock::time_point last = Clock::time_point::min();
        for (;;) {
            int signal = 0;
            if (::sigwait(&interrupt, &signal) != 0) {
                continue;
            }
            const Clock::time_point now = Clock::now();
            const bool again =
                last != Clock::time_point::min() && now - last < std::chrono::seconds(1);
            last = now;
            if (!m_running.load() || again) {
                // As the default action would: ended by the interrupt.
                ::signal(SIGINT, SIG_DFL);
                ::pthread_sigmask(SIG_UNBLOCK, &interrupt, nullptr);
                ::raise(SIGINT);
                std::_Exit(130);
            }
            m_engine.requestStop();
        }
    }).detach();
}

void TerminalInterrupt::runStarts() {
    // A stop asked for the last run is taken back before this one.
    m_engine.clearStop();
    m_running.store(true);
}

} // namespace quorvix::cli
