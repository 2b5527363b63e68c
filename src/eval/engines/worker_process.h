#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <chrono>
#include <csignal>
#include <cstdint>
#include <memory>
#include <sys/types.h>

namespace quorvix {

// A helper program started with one end of a socket pair as its file descriptor 3, over which
// length-prefixed frames go both ways. Every wait has a deadline, so a helper that hangs or
// dies never blocks the caller past it; the helper is killed when this object goes.
class WorkerProcess {
public:
    using Clock = std::chrono::steady_clock;
    // The descriptor the helper finds its end of the socket on.
    static constexpr int kHelperDescriptor = 3;
    // The signal that asks the helper to stop what it is running. Its value (sigqueue) is the
    // number of frames sent to the helper so far: the stop is for the runs of those frames,
    // also of one the helper has not begun yet. A real-time signal, so that two stops sent
    // close together both arrive, each with its value. The helper starts with it blocked and
    // takes it with sigwaitinfo.
    static int stopSignal() { return SIGRTMIN; }

    // Invalid: the helper announced a frame larger than the protocol allows.
    enum class Io { Done, TimedOut, Closed, Invalid };

    // Starts `program`; on failure returns null and says why in `error`.
    static std::unique_ptr<WorkerProcess> start(const QString& program,
                                                const QStringList& arguments, QString* error);
    ~WorkerProcess();
    WorkerProcess(const WorkerProcess&) = delete;
    WorkerProcess& operator=(const WorkerProcess&) = delete;

    // A payload with its length in front, as send() takes it.
    static QByteArray frame(const QByteArray& payload);
    // How many whole frames `frames` holds, one after another as frame() makes them.
    static std::uint32_t frameCount(const QByteArray& frames);
    // Sends one or more frames, written together.
    Io send(const QByteArray& frames, Clock::time_point deadline);
    // Receives one frame's payload. The deadline holds for the whole frame, however steadily
    // its bytes come.
    Io receive(QByteArray& payload, Clock::time_point deadline);
    // Whether the helper, asked nothing, has closed its end or sent something: either way it
    // cannot take a request. Never waits.
    bool endedWhileIdle() const;

    // Kills the helper and waits for it; afterwards exitDescription() tells how it ended.
    void kill();
    // After send or receive said Closed: how the helper ended ("exit code 1", "signal 11"),
    // waiting up to a second for it.
    QString exitDescription();
    // After exitDescription(): the helper's exit code, or -1 when a signal ended it.
    int exitCode() const;
    pid_t pid() const { return m_pid; }

private:
    WorkerProcess(pid_t pid, int socket) : m_pid(pid), m_socket(socket) {}
    bool waitReadable(Clock::time_point deadline, short events);
    // Makes at least `wanted` bytes of the helper's that are not yet taken available.
    Io fill(qsizetype wanted, Clock::time_point deadline);
    void reap(bool wait);

    pid_t m_pid;
    int m_socket;
    QByteArray m_buffer; // what the helper sent, from m_start on not yet taken
    qsizetype m_start = 0;
    bool m_reaped = false;
    int m_status = 0;
};

} // namespace quorvix
