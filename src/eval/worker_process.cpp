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
    // The helper starts with default signal handling, whatever the caller ignores or blocks.
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    sigset_t none;
    sigset_t all;
    sigemptyset(&none);
    sigfillset(&all);
    posix_spawnattr_setsigmask(&attributes, &none);
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

WorkerProcess::Io WorkerProcess::send(const QByteArray& payload, Clock::time_point deadline) {
    const auto size = static_cast<std::uint32_t>(payload.size());
    QByteArray frame(reinterpret_cast<const char*>(&size), sizeof size);
    frame += payload;
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

WorkerProcess::Io WorkerProcess::receive(QByteArray& payload, Clock::time_point deadline) {
    std::uint32_t size = 0;
    QByteArray header;
    qsizetype wanted = sizeof size;
    QByteArray* target = &header;
    for (;;) {
        while (target->size() < wanted) {
            const qsizetype before = target->size();
            const qsizetype chunk = std::min<qsizetype>(wanted - before, qsizetype(1) << 20);
            target->resize(before + chunk);
            const ssize_t n =
                ::recv(m_socket, target->data() + before, static_cast<size_t>(chunk), 0);
            if (n > 0) {
                target->resize(before + n);
                continue;
            }
            target->resize(before);
            if (n < 0 && errno == EINTR) {
                continue;
            }
            if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
                if (!waitReadable(deadline, POLLIN)) {
                    return Io::TimedOut;
                }
                continue;
            }
            return Io::Closed;
        }
        if (target == &payload) {
            return Io::Done;
        }
        std::memcpy(&size, header.constData(), sizeof size);
        if (size > engine_protocol::kMaxFrameBytes) {
            return Io::Closed; // no well-behaved helper sends that much
        }
        payload.clear();
        payload.reserve(size);
        wanted = size;
        target = &payload;
    }
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

} // namespace quorvix
