#include "worker_process.h"

#include "engine_protocol.h"

#include <QFile>
#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdint>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sched.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace quorvix {
namespace {

QString systemError(const char* what, int error) {
    return QStringLiteral("%1: %2").arg(QLatin1String(what),
                                        QString::fromLocal8Bit(std::strerror(error)));
}

constexpr std::chrono::microseconds kSpin(200);

int millisecondsUntil(WorkerProcess::Clock::time_point deadline) {
    const auto left =
        std::chrono::ceil<std::chrono::milliseconds>(deadline - WorkerProcess::Clock::now());
    return static_cast<int>(std::clamp<long long>(left.count(), 0, 1 << 30));
}

} // namespace

std::unique_ptr<WorkerProcess> WorkerProcess::start(const QString& program,
                                                    const QStringList& arguments, QString* error) {
    int ends[2];
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, ends) != 0) {
        *error = systemError("socketpair", errno);
        return nullptr;
    }
    int helperEnd = ends[1];
    // dup2 onto the same number would leave close-on-exec set, so the helper's end must not
    // already be the descriptor it is meant to find.
    if (helperEnd == kHelperDescriptor) {
        helperEnd = ::fcntl(ends[1], F_DUPFD_CLOEXEC, kHelperDescriptor + 1);
        ::close(ends[1]);
    }

    const QByteArray path = QFile::encodeName(program);
    std::vector<QByteArray> argumentBytes{path};
    for (const QString& argument : arguments) {
        argumentBytes.push_back(argument.toLocal8Bit());
    }
    std::vector<char*> argv;
    for (QByteArray& bytes : argumentBytes) {
        argv.push_back(bytes.data());
    }
    argv.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, helperEnd, kHelperDescriptor);
    // Nothing else of the caller's (its display connection, its files) goes to the helper.
    posix_spawn_file_actions_addclosefrom_np(&actions, kHelperDescriptor + 1);
    // The helper starts with default signal handling, whatever the caller ignores or blocks,
    // but with the stop signal blocked: a stop sent before the helper waits for it is kept for
    // it instead of ending it.
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    sigset_t stopOnly;
    sigset_t all;
    sigemptyset(&stopOnly);
    sigaddset(&stopOnly, stopSignal());
    sigfillset(&all);
    posix_spawnattr_setsigmask(&attributes, &stopOnly);
    posix_spawnattr_setsigdefault(&attributes, &all);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);

    pid_t pid = 0;
    const int spawned =
        ::posix_spawn(&pid, path.constData(), &actions, &attributes, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attributes);
    ::close(helperEnd);
    if (spawned != 0) {
        ::close(ends[0]);
        *error = systemError("cannot start it", spawned);
        return nullptr;
    }
    ::fcntl(ends[0], F_SETFL, ::fcntl(ends[0], F_GETFL) | O_NONBLOCK);
    return std::unique_ptr<WorkerProcess>(new WorkerProcess(pid, ends[0]));
}

WorkerProcess::~WorkerProcess() {
    kill();
    ::close(m_socket);
}

bool WorkerProcess::waitReadable(Clock::time_point deadline, short events) {
    // Most answers come within a few dozen microseconds. Looking again for that long costs
    // less than going to sleep and being woken, which on a virtual machine can take as long
    // again as the evaluation itself; the helper meanwhile runs on another processor, or
    // after the yield on this one.
    const Clock::time_point spinEnd = std::min(deadline, Clock::now() + kSpin);
    while (Clock::now() < spinEnd) {
        pollfd entry{m_socket, events, 0};
        if (::poll(&entry, 1, 0) != 0) {
            return true;
        }
        ::sched_yield();
    }
    for (;;) {
        pollfd entry{m_socket, events, 0};
        const int ready = ::poll(&entry, 1, millisecondsUntil(deadline));
        if (ready > 0) {
            return true;
        }
        if (ready == 0) {
            return false;
        }
        if (errno != EINTR) {
            return true; // the read or write that follows reports the failure
        }
    }
}

QByteArray WorkerProcess::frame(const QByteArray& payload) {
    const auto size = static_cast<std::uint32_t>(payload.size());
    QByteArray frame;
    frame.reserve(static_cast<qsizetype>(sizeof size) + payload.size());
    frame.append(reinterpret_cast<const char*>(&size), sizeof size);
    frame.append(payload);
    return frame;
}

std::uint32_t WorkerProcess::frameCount(const QByteArray& frames) {
    std::uint32_t count = 0;
    for (qsizetype at = 0; frames.size() - at >= qsizetype(sizeof(std::uint32_t)); ++count) {
        std::uint32_t size = 0;
        std::memcpy(&size, frames.constData() + at, sizeof size);
        at += qsizetype(sizeof size) + qsizetype(size);
    }
    return count;
}

WorkerProcess::Io WorkerProcess::send(const QByteArray& frame, Clock::time_point deadline) {
    qsizetype sent = 0;
    while (sent < frame.size()) {
        const ssize_t n = ::send(m_socket, frame.constData() + sent,
                                 static_cast<size_t>(frame.size() - sent), MSG_NOSIGNAL);
        if (n > 0) {
            sent += n;
            continue;
        }
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            if (!waitReadable(deadline, POLLOUT)) {
                return Io::TimedOut;
            }
            continue;
        }
        return Io::Closed;
    }
    return Io::Done;
}

WorkerProcess::Io WorkerProcess::fill(qsizetype wanted, Clock::time_point deadline) {
    if (m_start == m_buffer.size()) {
        m_buffer.clear(); // also lets go of a large reply's memory
        m_start = 0;
    } else if (m_start > 0 && m_buffer.size() - m_start < wanted) {
        m_buffer.remove(0, m_start);
        m_start = 0;
    }
    while (m_buffer.size() - m_start < wanted) {
        if (Clock::now() >= deadline || !waitReadable(deadline, POLLIN)) {
            return Io::TimedOut;
        }
        const qsizetype have = m_buffer.size();
        const qsizetype room = std::max<qsizetype>(wanted - (have - m_start), qsizetype(64) << 10);
        m_buffer.resize(have + room);
        const ssize_t n = ::recv(m_socket, m_buffer.data() + have, static_cast<size_t>(room), 0);
        m_buffer.resize(have + std::max<ssize_t>(n, 0));
        if (n == 0 || (n < 0 && errno != EINTR && errno != EAGAIN && errno != EWOULDBLOCK)) {
            return Io::Closed;
        }
    }
    return Io::Done;
}

WorkerProcess::Io WorkerProcess::receive(QByteArray& payload, Clock::time_point deadline) {
    std::uint32_t size = 0;
    Io io = fill(sizeof size, deadline);
    if (io != Io::Done) {
        return io;
    }
    std::memcpy(&size, m_buffer.constData() + m_start, sizeof size);
    if (size > engine_protocol::kMaxFrameBytes) {
        return Io::Invalid; // no well-behaved helper sends that much
    }
    io = fill(qsizetype(sizeof size) + qsizetype(size), deadline);
    if (io != Io::Done) {
        return io;
    }
    payload = m_buffer.mid(m_start + qsizetype(sizeof size), qsizetype(size));
    m_start += qsizetype(sizeof size) + qsizetype(size);
    return Io::Done;
}

bool WorkerProcess::endedWhileIdle() const {
    pollfd entry{m_socket, POLLIN, 0};
    return m_start < m_buffer.size() || ::poll(&entry, 1, 0) > 0;
}

void WorkerProcess::reap(bool wait) {
    if (m_reaped) {
        return;
    }
    pid_t done;
    do {
        done = ::waitpid(m_pid, &m_status, wait ? 0 : WNOHANG);
    } while (done < 0 && errno == EINTR);
    if (done == m_pid || done < 0) {
        m_reaped = true;
    }
}

void WorkerProcess::kill() {
    if (!m_reaped) {
        ::kill(m_pid, SIGKILL);
        reap(true);
    }
}

QString WorkerProcess::exitDescription() {
    // A helper that closed its socket is ending; give it a moment before calling it a hang.
    const auto deadline = Clock::now() + std::chrono::seconds(1);
    reap(false);
    while (!m_reaped && Clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
        reap(false);
    }
    if (!m_reaped) {
        kill();
    }
    if (WIFSIGNALED(m_status)) {
        return QStringLiteral("signal %1").arg(WTERMSIG(m_status));
    }
    return QStringLiteral("exit code %1").arg(WEXITSTATUS(m_status));
}

int WorkerProcess::exitCode() const {
    return m_reaped && WIFEXITED(m_status) ? WEXITSTATUS(m_status) : -1;
}

} // namespace quorvix
