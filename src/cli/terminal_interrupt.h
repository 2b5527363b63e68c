#pragma once

#include "script_engine.h"

#include <atomic>

namespace quorvix::cli {

// Ctrl+C typed at the terminal while an evaluation runs stops that evaluation, as the window's
// Stop does, and the session goes on with the next line; a second Ctrl+C within a second, or one
// while nothing runs, ends the program as Ctrl+C always does. Only for a session at a terminal:
// input from a file or a pipe keeps the default.
class TerminalInterrupt {
public:
    // Takes SIGINT from here on: call before any thread is started.
    explicit TerminalInterrupt(ScriptEngine& engine);

    // Brackets one evaluation.
    void runStarts();
    void runEnds() { m_running.store(false); }

private:
    ScriptEngine& m_engine;
    std::atomic<bool> m_running = false;
};

} // namespace quorvix::cli
