#pragma once

#include "evaluation_command.h"

#include <QObject>
#include <QThread>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <optional>

namespace quorvix {

// Runs the evaluation command on a thread of its own, with a large stack, so that the thread
// that starts a run never waits long for a script. A run that ends within `patience` is handed
// back before start() returns, as if it had run in place: a person cannot see so short a wait,
// and keys typed meanwhile reach the input line in order. A longer one arrives later, as
// finished() on the thread that started it. One run at a time; while it is in flight only the
// engine's thread uses the command and the engine, and the starting thread leaves them alone.
// The thread is made at the first run, never at start-up.
class BackgroundEvaluation : public QObject {
    Q_OBJECT
public:
    BackgroundEvaluation(EvaluationCommand& command, ScriptEngine& engine,
                         std::chrono::milliseconds patience, QObject* parent = nullptr);
    // Stops a run in flight and waits for the thread to end.
    ~BackgroundEvaluation() override;

    // Starts a run of the command on `input`; false, and nothing starts, while one is in flight.
    bool start(const QString& input);
    bool running() const { return m_running; }
    // Asks the run in flight to stop; it ends soon after and is reported as any other.
    void stop();
    // Waits until the run in flight, if any, has been reported (for shutting down).
    void waitForIdle();
    void setPatience(std::chrono::milliseconds patience) { m_patience = patience; }
    // Asks for the answer `input` would give (EvaluationCommand::preview), on the engine's
    // thread; it arrives as previewed(). Never while a run is in flight, and one at a time: a
    // newer request replaces one not yet begun.
    void preview(const QString& input);
    // No run and no preview is in flight: the engine may be asked directly.
    bool idle() const { return !m_running && !m_previewing; }

    // The engine's stack: deep recursion in a script ends in "Out of stack space" whatever
    // stack the program was started with, far below this.
    static constexpr uint kStackBytes = 64u << 20;

signals:
    void finished(const quorvix::EvaluationResult& result);
    // The answer for `input`, or nothing when there is none to show.
    void previewed(const QString& input, const std::optional<QString>& answer);

private:
    class Thread;
    // Hands a finished run's result to finished(), once.
    void deliver();

    EvaluationCommand& m_command;
    ScriptEngine& m_engine;
    std::chrono::milliseconds m_patience;
    Thread* m_thread = nullptr;
    bool m_running = false; // the starting thread's own view
    bool m_previewing = false;
    std::optional<QString> m_nextPreview; // asked for while one was in flight
    void startPreview(const QString& input);
    std::mutex m_mutex;
    std::condition_variable m_ended;
    std::optional<EvaluationResult> m_result; // under m_mutex: a run's result not yet handed on
};

} // namespace quorvix
