#include "worker_engine.h"

#include "timeout_description.h"

#include <QFileInfo>
#include <csignal>

namespace quorvix {

using Clock = WorkerProcess::Clock;

namespace {
constexpr qsizetype kPendingLimit = 64 * 1024;
// How long a preview is waited for: the worker's own limit, and time to answer.
constexpr std::chrono::milliseconds kPreviewWait =
    kPreviewTimeLimit + std::chrono::milliseconds(150);
} // namespace

WorkerEngine::WorkerEngine(Launch launch) : m_launch(std::move(launch)) {}

WorkerEngine::~WorkerEngine() = default;

bool WorkerEngine::ensureRunning() {
    if (m_worker) {
        return true;
    }
    // A worker that cannot start would otherwise cost every request the whole start limit.
    if (m_failedStartAt && m_launch.now() < *m_failedStartAt + m_launch.retryAfter) {
        m_error = m_startFailure;
        return false;
    }
    const QString unavailable = languageName(m_launch.language) +
                                QStringLiteral(" is not available: ") +
                                QFileInfo(m_launch.program).fileName() + u' ';
    QString why;
    m_worker = WorkerProcess::start(m_launch.program, m_launch.arguments, &why);
    if (!m_worker) {
        return startFailed(unavailable + why);
    }
    QByteArray payload;
    const WorkerProcess::Io io = m_worker->receive(payload, Clock::now() + m_launch.startLimit);
    const std::optional<engine_protocol::ReplyContent> reply =
        io == WorkerProcess::Io::Done ? engine_protocol::readReply(payload) : std::nullopt;
    if (reply && reply->kind == engine_protocol::Reply::Ready) {
        m_failedStartAt.reset();
        m_framesSent.store(0);
        m_workerPid.store(m_worker->pid());
        return true;
    }
    QString failure;
    if (io == WorkerProcess::Io::TimedOut) {
        failure =
            unavailable + QStringLiteral("did not start within %1 seconds")
                              .arg(std::chrono::duration<double>(m_launch.startLimit).count());
    } else if (io == WorkerProcess::Io::Closed) {
        failure = unavailable +
                  QStringLiteral("stopped as it started (%1)").arg(m_worker->exitDescription());
    } else {
        failure = unavailable + QStringLiteral("is not the engine's worker");
    }
    m_worker.reset();
    return startFailed(failure);
}

bool WorkerEngine::startFailed(const QString& failure) {
    m_failedStartAt = m_launch.now();
    m_startFailure = failure;
    m_error = failure;
    return false;
}

QString WorkerEngine::whyItEnded() {
    const QString how = m_worker->exitDescription();
    switch (m_worker->exitCode()) {
    case engine_protocol::kExitTimedOut:
        return timeoutDescription(m_launch.timeLimit);
    case engine_protocol::kExitOutOfMemory:
        return QStringLiteral("Out of memory");
    default:
        return languageName(m_launch.language) +
               QStringLiteral(" stopped unexpectedly (%1)").arg(how);
    }
}

void WorkerEngine::abandonWorker(const QString& cause) {
    m_workerPid.store(0);
    m_worker.reset();
    m_pendingFrames.clear();
    m_latePreviews = 0;
    m_restart = true;
    m_errorPosition.reset();
    m_error = cause + QStringLiteral("; %1 was restarted, and only Pi and Ans were kept")
                          .arg(languageName(m_launch.language));
}

void WorkerEngine::requestStop() {
    // Sequentially consistent with call()'s look after the worker's start: either this finds
    // the worker's pid or call() finds the stop. Likewise with sendFrames: either this reads
    // the count with its frames in, or sendFrames finds the stop and sends it again.
    m_stop.store(true);
    if (const pid_t pid = m_workerPid.load(); pid > 0) {
        signalStop(pid, m_framesSent.load());
    }
}

void WorkerEngine::signalStop(pid_t pid, std::uint32_t framesSent) {
    sigval value{};
    value.sival_int = static_cast<int>(framesSent);
    ::sigqueue(pid, WorkerProcess::stopSignal(), value);
}

WorkerProcess::Io WorkerEngine::sendFrames(const QByteArray& frames,
                                           WorkerProcess::Clock::time_point deadline,
                                           Stoppable stoppable) {
    const std::uint32_t count = WorkerProcess::frameCount(frames);
    const std::uint32_t sent = m_framesSent.fetch_add(count) + count;
    if (stoppable == Stoppable::Yes && m_stop.load()) {
        signalStop(m_worker->pid(), sent);
    }
    return m_worker->send(frames, deadline);
}

std::optional<engine_protocol::ReplyContent> WorkerEngine::call(const QByteArray& request) {
    m_errorPosition.reset();
    // A stop that came between two requests of one evaluation ends it before the next; so does
    // one that came while the worker started, which found no process to signal.
    const auto stopped = [this] {
        if (!m_stop.load()) {
            return false;
        }
        m_error = timeoutDescription(m_launch.timeLimit);
        return true;
    };
    if (stopped() || !ensureRunning() || stopped()) {
        return std::nullopt;
    }
    if (static_cast<std::size_t>(request.size()) > engine_protocol::kMaxFrameBytes) {
        m_error = QStringLiteral("Out of memory");
        return std::nullopt;
    }
    const Clock::time_point deadline = Clock::now() + m_launch.timeLimit + m_launch.grace;
    QByteArray payload;
    m_pendingFrames += WorkerProcess::frame(request);
    WorkerProcess::Io io = sendFrames(std::exchange(m_pendingFrames, {}), deadline, Stoppable::Yes);
    if (io == WorkerProcess::Io::Done) {
        io = settleLatePreviews(deadline);
    }
    if (io == WorkerProcess::Io::Done) {
        io = m_worker->receive(payload, deadline);
    }
    switch (io) {
    case WorkerProcess::Io::TimedOut:
        // The worker's own time limit did not stop the script: one call it cannot interrupt.
        abandonWorker(timeoutDescription(m_launch.timeLimit));
        return std::nullopt;
    case WorkerProcess::Io::Closed:
        abandonWorker(whyItEnded());
        return std::nullopt;
    case WorkerProcess::Io::Invalid:
    case WorkerProcess::Io::Done:
        break;
    }
    std::optional<engine_protocol::ReplyContent> reply =
        io == WorkerProcess::Io::Done ? engine_protocol::readReply(payload) : std::nullopt;
    if (!reply) {
        abandonWorker(languageName(m_launch.language) +
                      QStringLiteral(" sent a reply that could not be read"));
    } else if (reply->kind == engine_protocol::Reply::Failed) {
        m_error = reply->error;
        m_errorPosition = reply->errorPosition;
    }
    return reply;
}

WorkerProcess::Io WorkerEngine::settleLatePreviews(Clock::time_point deadline) {
    for (; m_latePreviews > 0; --m_latePreviews) {
        QByteArray ignored;
        if (const WorkerProcess::Io io = m_worker->receive(ignored, deadline);
            io != WorkerProcess::Io::Done) {
            return io;
        }
    }
    return WorkerProcess::Io::Done;
}

std::optional<ScriptValue> WorkerEngine::preview(const QString& expression) {
    const Clock::time_point deadline = Clock::now() + kPreviewWait;
    if (!m_worker || settleLatePreviews(deadline) != WorkerProcess::Io::Done) {
        return std::nullopt;
    }
    const QByteArray request = engine_protocol::previewRequest(expression);
    if (static_cast<std::size_t>(request.size()) > engine_protocol::kMaxFrameBytes) {
        return std::nullopt;
    }
    // An answer stored for the next request goes first, so that the preview sees it.
    m_pendingFrames += WorkerProcess::frame(request);
    if (sendFrames(std::exchange(m_pendingFrames, {}), deadline) != WorkerProcess::Io::Done) {
        return std::nullopt; // a worker that ended is found out by the next call
    }
    QByteArray payload;
    switch (m_worker->receive(payload, deadline)) {
    case WorkerProcess::Io::TimedOut:
        ++m_latePreviews;
        return std::nullopt;
    case WorkerProcess::Io::Done:
        break;
    default:
        return std::nullopt;
    }
    const std::optional<engine_protocol::ReplyContent> reply = engine_protocol::readReply(payload);
    if (!reply || reply->kind != engine_protocol::Reply::Preview || !reply->previewed) {
        return std::nullopt;
    }
    return reply->value;
}

std::optional<engine_protocol::ReplyContent>
WorkerEngine::askForTheCaller(const QByteArray& request, engine_protocol::Reply expected) {
    if (!m_worker) {
        return std::nullopt;
    }
    const QString error = m_error;
    const std::optional<qsizetype> errorPosition = m_errorPosition;
    const QString noTextForm = m_noTextForm;
    std::optional<engine_protocol::ReplyContent> reply = call(request);
    m_error = error;
    m_errorPosition = errorPosition;
    m_noTextForm = noTextForm;
    if (!reply || reply->kind != expected) {
        return std::nullopt;
    }
    return reply;
}

QStringList WorkerEngine::globalNames() {
    std::optional<engine_protocol::ReplyContent> reply =
        askForTheCaller(engine_protocol::globalNamesRequest(), engine_protocol::Reply::Names);
    return reply ? std::move(reply->names) : QStringList();
}

std::vector<GlobalDescription> WorkerEngine::describeGlobals() {
    std::optional<engine_protocol::ReplyContent> reply =
        askForTheCaller(engine_protocol::describeGlobalsRequest(), engine_protocol::Reply::Globals);
    return reply ? std::move(reply->globals) : std::vector<GlobalDescription>();
}

std::optional<ScriptValue> WorkerEngine::eval(const QString& expression) {
    std::optional<engine_protocol::ReplyContent> reply =
        call(engine_protocol::evalRequest(expression));
    if (!reply || reply->kind != engine_protocol::Reply::Value) {
        if (reply && reply->kind != engine_protocol::Reply::Failed) {
            abandonWorker(languageName(m_launch.language) +
                          QStringLiteral(" answered out of turn"));
        }
        return std::nullopt;
    }
    m_noTextForm = std::move(reply->noTextForm);
    return std::move(reply->value);
}

bool WorkerEngine::executeStatement(const QString& statement) {
    const std::optional<engine_protocol::ReplyContent> reply =
        call(engine_protocol::executeStatementRequest(statement));
    if (reply && reply->kind != engine_protocol::Reply::Done &&
        reply->kind != engine_protocol::Reply::Failed) {
        abandonWorker(languageName(m_launch.language) + QStringLiteral(" answered out of turn"));
        return false;
    }
    return reply && reply->kind == engine_protocol::Reply::Done;
}

QString WorkerEngine::noTextFormDescription(const ScriptValue&) const {
    return m_noTextForm;
}

bool WorkerEngine::storeAnswer(const ScriptValue& answer, const QString& answerText) {
    if (answer.kind == ScriptValue::Kind::Null ||
        (answer.kind == ScriptValue::Kind::Object && !answer.hasText) || !m_worker) {
        return false;
    }
    // No reply to wait for: the worker stores it before it runs the next request. A small one
    // goes with that request; a large one now, so as not to be held here.
    const QByteArray request = engine_protocol::storeAnswerRequest(answer, answerText);
    if (static_cast<std::size_t>(request.size()) > engine_protocol::kMaxFrameBytes) {
        return false; // the worker would refuse it
    }
    const QByteArray frame = WorkerProcess::frame(request);
    if (frame.size() <= kPendingLimit) {
        m_pendingFrames = frame; // a newer answer replaces one not yet sent
        return true;
    }
    m_pendingFrames.clear();
    const WorkerProcess::Io io = sendFrames(frame, Clock::now() + m_launch.grace);
    if (io != WorkerProcess::Io::Done) {
        abandonWorker(whyItEnded());
        return false;
    }
    return true;
}

bool WorkerEngine::takeRestart() {
    // A late preview's reply would look like a worker that talks out of turn: it is taken
    // first if it has come, and a worker still owing one is judged by the next call.
    const auto soon = Clock::now() + std::chrono::milliseconds(1);
    if (m_worker && settleLatePreviews(soon) == WorkerProcess::Io::Done &&
        m_worker->endedWhileIdle()) {
        abandonWorker(whyItEnded());
    }
    if (!m_worker && m_failedStartAt) {
        // The next worker is the first to run: the caller's set-up never reached a worker, and
        // nothing was lost to say anything about.
        m_error.clear();
        return true;
    }
    return std::exchange(m_restart, false);
}

} // namespace quorvix
