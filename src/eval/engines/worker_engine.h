#pragma once

#include "engine_protocol.h"
#include "script_engine.h"
#include "worker_process.h"

#include <QStringList>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

namespace quorvix {

// A script engine that runs in a helper program of its own (a worker), so that a script the
// engine cannot interrupt, or that brings the engine down, never takes the calculator with it.
// The worker enforces the time limit itself. A script that ignores its interruption makes the
// worker end itself, with an exit code that says which limit; a worker that has not answered a
// grace period after the limit is killed. Either way the next request starts a fresh worker. The
// worker's variables are lost then, which takeRestart() reports so that the caller can set up again
// what it relies on.
class WorkerEngine final : public ScriptEngine {
public:
    struct Launch {
        ScriptLanguage language;
        QString program; // the worker program's path
        QStringList arguments;
        std::chrono::milliseconds timeLimit;
        // How long past the time limit the worker may take to report its own timeout.
        std::chrono::milliseconds grace{1000};
        // How long a worker may take to start and report that it is ready.
        std::chrono::milliseconds startLimit{10000};
        // After a failed start, requests are answered at once with its failure; the next
        // start is tried by the first request this long after it.
        std::chrono::milliseconds retryAfter{5000};
        // The clock that paces those retries.
        std::function<WorkerProcess::Clock::time_point()> now = WorkerProcess::Clock::now;
    };

    explicit WorkerEngine(Launch launch);
    ~WorkerEngine() override;

    ScriptLanguage language() const override { return m_launch.language; }
    std::optional<ScriptValue> eval(const QString& expression) override;
    // Asks only a worker that is up, and waits a little longer than the worker's own preview
    // limit; a reply that comes later is passed over when it arrives. Leaves the descriptions
    // of the last call and the restart state alone.
    std::optional<ScriptValue> preview(const QString& expression) override;
    bool executeStatement(const QString& statement) override;
    QString errorDescription() const override { return m_error; }
    std::optional<qsizetype> errorPosition() const override { return m_errorPosition; }
    QString noTextFormDescription(const ScriptValue& value) const override;
    bool storeAnswer(const ScriptValue& answer, const QString& answerText) override;
    // Also replaces a worker that ended while idle (killed, out of memory), so that the
    // caller can set up the new one before its request; and after a failed start, says so
    // until a worker has started, with an empty description.
    bool takeRestart() override;
    // These two ask only a worker that is up.
    QStringList globalNames() override;
    std::vector<GlobalDescription> describeGlobals() override;
    // Sends the worker the stop signal, which interrupts the run of every request sent so far
    // as its time limit does, also one the worker has not begun; every later request fails at
    // once until clearStop().
    void requestStop() override;
    bool stopRequested() const override { return m_stop.load(std::memory_order_relaxed); }
    void clearStop() override { m_stop.store(false, std::memory_order_relaxed); }

private:
    // Sends a request and waits for its reply; nullopt, with m_error set, when there is none.
    std::optional<engine_protocol::ReplyContent> call(const QByteArray& request);
    bool ensureRunning();
    // Takes the replies of previews that were given up on, which the worker sends before any
    // later reply; Done when all have come by `deadline`.
    WorkerProcess::Io settleLatePreviews(WorkerProcess::Clock::time_point deadline);
    // Records a failed start, so that requests until the next try are answered at once.
    bool startFailed(const QString& failure);
    // Why the worker closed its end: the limit it ended itself for, or how it died.
    QString whyItEnded();
    // A question the caller asks for itself (not the user's evaluation): only a worker that is
    // up is asked, and the descriptions of the user's last call stay. The reply when it is of
    // the `expected` kind.
    std::optional<engine_protocol::ReplyContent> askForTheCaller(const QByteArray& request,
                                                                 engine_protocol::Reply expected);
    // Ends the worker after it failed to answer; `cause` begins the message.
    void abandonWorker(const QString& cause);
    // Whether frames are a request that a stop is for: call()'s, which looks for a stop before
    // it sends. A stop that came after that look, but read the count of frames sent before
    // these were in it, is sent again to cover them. Previews are not stopped: they have a
    // limit of their own, and a stop stays in force until the next evaluation.
    enum class Stoppable { No, Yes };
    // Sends whole frames to the worker, counted first (see requestStop).
    WorkerProcess::Io sendFrames(const QByteArray& frames,
                                 WorkerProcess::Clock::time_point deadline,
                                 Stoppable stoppable = Stoppable::No);
    // The stop signal for the runs of the first `framesSent` frames the worker was sent.
    static void signalStop(pid_t pid, std::uint32_t framesSent);

    Launch m_launch;
    std::unique_ptr<WorkerProcess> m_worker;
    // The running worker's process, for a stop from another thread; 0 while there is none.
    std::atomic<pid_t> m_workerPid = 0;
    // The frames sent to the running worker, which numbers its requests the same way: a stop
    // names the last of them, so that it also stops a request the worker has not begun yet.
    std::atomic<std::uint32_t> m_framesSent = 0;
    std::atomic<bool> m_stop = false;
    bool m_restart = false;
    // When the last start failed, and why; unset after a start that succeeded.
    std::optional<WorkerProcess::Clock::time_point> m_failedStartAt;
    QString m_startFailure;
    QString m_error;
    std::optional<qsizetype> m_errorPosition; // of the last failure, as the worker told it
    QString m_noTextForm; // the worker's description for the last answer without a text form
    // A small StoreAnswer request, sent in front of the next request: one write and one
    // wake-up of the worker per evaluation instead of two.
    QByteArray m_pendingFrames;
    // Previews whose replies are still to come.
    int m_latePreviews = 0;
};

} // namespace quorvix
