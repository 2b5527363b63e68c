// quorvix-javascript: the calculator's JavaScript engine as a program of its own. The
// calculator starts it with the time limit in milliseconds (and, for tests, a memory limit in
// bytes) and sends it requests over file descriptor 3; it answers each there. A script it cannot
// interrupt ends this process, or the calculator kills it, which costs the calculator nothing
// but the script's variables.

#include "engine_protocol.h"
#include "javascript_engine.h"
#include "large_stack.h"
#include "worker_process.h"

#include <QCoreApplication>
#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <optional>
#include <pthread.h>
#include <sys/prctl.h>
#include <thread>
#include <unistd.h>

namespace {

constexpr int kChannel = quorvix::WorkerProcess::kHelperDescriptor;

// The engine's stack. QJSEngine stops a script at a fixed call depth, and one call can take
// several kilobytes of stack on the way through built-ins (a getter, a toString, a callback);
// the parser and the regular expression compiler recurse on their own. This is far more than
// any of them reaches before its own check fires, and costs only what is used.
constexpr std::size_t kEngineStackBytes = std::size_t(256) << 20;

// Reads the calculator's frames through a buffer, so that a request and the answer stored in
// front of it take one read.
class FrameReader {
public:
    // The next frame's payload; nullopt when the calculator has gone or sent no frame.
    std::optional<QByteArray> next() {
        std::uint32_t size = 0;
        if (!fill(sizeof size)) {
            return std::nullopt;
        }
        std::memcpy(&size, m_buffer.constData() + m_start, sizeof size);
        if (size > quorvix::engine_protocol::kMaxFrameBytes || !fill(sizeof size + size)) {
            return std::nullopt;
        }
        QByteArray payload = m_buffer.mid(m_start + qsizetype(sizeof size), qsizetype(size));
        m_start += qsizetype(sizeof size) + qsizetype(size);
        return payload;
    }

private:
    // Makes at least `wanted` unread bytes available.
    bool fill(std::size_t wanted) {
        if (m_start == m_buffer.size()) {
            m_buffer.clear(); // also lets go of a large request's memory
            m_start = 0;
        } else if (m_start > 0 && m_buffer.size() - m_start < qsizetype(wanted)) {
            m_buffer.remove(0, m_start);
            m_start = 0;
        }
        while (m_buffer.size() - m_start < qsizetype(wanted)) {
            const qsizetype have = m_buffer.size();
            const qsizetype room =
                std::max<qsizetype>(qsizetype(wanted) - (have - m_start), qsizetype(64) << 10);
            m_buffer.resize(have + room);
            const ssize_t n = ::read(kChannel, m_buffer.data() + have, std::size_t(room));
            m_buffer.resize(have + std::max<ssize_t>(n, 0));
            if (n == 0 || (n < 0 && errno != EINTR)) {
                return false;
            }
        }
        return true;
    }

    QByteArray m_buffer;
    qsizetype m_start = 0;
};

bool writeAll(const char* data, std::size_t size) {
    while (size > 0) {
        const ssize_t n = ::write(kChannel, data, size);
        if (n > 0) {
            data += n;
            size -= static_cast<std::size_t>(n);
        } else if (n < 0 && errno != EINTR) {
            return false;
        }
    }
    return true;
}

// One write for the whole frame, so that the calculator is woken once.
bool sendFrame(const QByteArray& payload) {
    const QByteArray frame = quorvix::WorkerProcess::frame(payload);
    return writeAll(frame.constData(), static_cast<std::size_t>(frame.size()));
}

// The calculator's stop signal interrupts the runs of the requests it names by their count
// (see WorkerProcess::stopSignal); one sent without a value, the run in progress. The signal
// is blocked in every thread (the calculator starts this program so), and this thread takes
// it with sigwaitinfo, so that the engine is never touched from a signal handler.
void takeStopSignals(quorvix::JavaScriptEngine& engine) {
    std::thread([&engine] {
        sigset_t stop;
        sigemptyset(&stop);
        sigaddset(&stop, quorvix::WorkerProcess::stopSignal());
        for (;;) {
            siginfo_t info{};
            if (::sigwaitinfo(&stop, &info) < 0) {
                continue;
            }
            if (info.si_code == SI_QUEUE) {
                engine.stopThrough(static_cast<std::uint32_t>(info.si_value.sival_int));
            } else {
                engine.requestStop();
            }
        }
    }).detach();
}

// Answers the calculator's requests until it goes; the process's exit code.
int serve(std::chrono::milliseconds timeLimit, std::size_t memoryLimit) {
    // A script that goes on after it was interrupted is stopped by ending this process; the
    // exit code tells the calculator why.
    quorvix::JavaScriptEngine engine{timeLimit, memoryLimit,
                                     [](quorvix::Watchdog::Outcome outcome) {
                                         ::_exit(outcome == quorvix::Watchdog::Outcome::OutOfMemory
                                                     ? quorvix::engine_protocol::kExitOutOfMemory
                                                     : quorvix::engine_protocol::kExitTimedOut);
                                     }};
    takeStopSignals(engine);
    if (!sendFrame(quorvix::engine_protocol::readyReply())) {
        return 1;
    }
    FrameReader reader;
    // Numbered as the calculator counts the frames it sends, for its stop signal.
    std::uint32_t requests = 0;
    for (;;) {
        const std::optional<QByteArray> request = reader.next();
        if (!request) {
            return 0; // the calculator has gone
        }
        engine.beginRequest(++requests);
        const std::optional<QByteArray> reply =
            quorvix::engine_protocol::answerRequest(engine, *request);
        if (!reply) {
            return 1;
        }
        if (!reply->isEmpty() && !sendFrame(*reply)) {
            return 0;
        }
    }
}

} // namespace

int main(int argc, char** argv) {
    // Ends with the calculator, even when the calculator is killed.
    ::prctl(PR_SET_PDEATHSIG, SIGKILL);
    // Blocked before any thread starts, so that only the stop thread takes it.
    sigset_t stop;
    sigemptyset(&stop);
    sigaddset(&stop, quorvix::WorkerProcess::stopSignal());
    ::pthread_sigmask(SIG_BLOCK, &stop, nullptr);
    // Ctrl+C at the terminal reaches the whole process group; it is the calculator's to act on
    // (it stops a run through the stop signal), and this process ends with it anyway.
    ::signal(SIGINT, SIG_IGN);
    // The time limit in milliseconds, and optionally how many bytes a run may grow by.
    bool valid = argc == 2 || argc == 3;
    long long limits[2] = {0,
                           static_cast<long long>(quorvix::JavaScriptEngine::kDefaultMemoryLimit)};
    for (int i = 1; valid && i < argc; ++i) {
        char* end = nullptr;
        limits[i - 1] = std::strtoll(argv[i], &end, 10);
        valid = *end == '\0' && limits[i - 1] > 0;
    }
    if (!valid || ::fcntl(kChannel, F_GETFD) < 0) {
        std::fputs("quorvix-javascript is started by the calculator, not by hand\n", stderr);
        return 2;
    }
    // Whatever a script prints goes to standard error; standard output is not ours to use.
    ::dup2(STDERR_FILENO, STDOUT_FILENO);

    QCoreApplication app(argc, argv);
    const std::chrono::milliseconds timeLimit(limits[0]);
    const auto memoryLimit = static_cast<std::size_t>(limits[1]);
    return quorvix::runOnLargeStack(kEngineStackBytes,
                                    [&] { return serve(timeLimit, memoryLimit); });
}
