// quorvix-javascript: the calculator's JavaScript engine as a program of its own. The
// calculator starts it with the time limit in milliseconds and sends it requests over file
// descriptor 3; it answers each there. A script it cannot interrupt is ended by the calculator
// killing this process, which costs the calculator nothing but the script's variables.

#include "engine_protocol.h"
#include "javascript_engine.h"
#include "worker_process.h"

#include <QCoreApplication>
#include <cerrno>
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/prctl.h>
#include <unistd.h>

namespace {

constexpr int kChannel = quorvix::WorkerProcess::kHelperDescriptor;

bool readAll(char* data, std::size_t size) {
    while (size > 0) {
        const ssize_t n = ::read(kChannel, data, size);
        if (n > 0) {
            data += n;
            size -= static_cast<std::size_t>(n);
        } else if (n == 0 || errno != EINTR) {
            return false;
        }
    }
    return true;
}

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

bool sendFrame(const QByteArray& payload) {
    const auto size = static_cast<std::uint32_t>(payload.size());
    return writeAll(reinterpret_cast<const char*>(&size), sizeof size) &&
           writeAll(payload.constData(), static_cast<std::size_t>(payload.size()));
}

} // namespace

int main(int argc, char** argv) {
    // Ends with the calculator, even when the calculator is killed.
    ::prctl(PR_SET_PDEATHSIG, SIGKILL);
    bool valid = argc == 2;
    long long limit = 0;
    if (valid) {
        char* end = nullptr;
        limit = std::strtoll(argv[1], &end, 10);
        valid = *end == '\0' && limit > 0;
    }
    if (!valid || ::fcntl(kChannel, F_GETFD) < 0) {
        std::fputs("quorvix-javascript is started by the calculator, not by hand\n", stderr);
        return 2;
    }
    // Whatever a script prints goes to standard error; standard output is not ours to use.
    ::dup2(STDERR_FILENO, STDOUT_FILENO);

    QCoreApplication app(argc, argv);
    quorvix::JavaScriptEngine engine{std::chrono::milliseconds(limit)};
    if (!sendFrame(quorvix::engine_protocol::readyReply())) {
        return 1;
    }
    for (;;) {
        std::uint32_t size = 0;
        if (!readAll(reinterpret_cast<char*>(&size), sizeof size)) {
            return 0; // the calculator has gone
        }
        if (size > quorvix::engine_protocol::kMaxFrameBytes) {
            return 1;
        }
        QByteArray request(static_cast<qsizetype>(size), Qt::Uninitialized);
        if (!readAll(request.data(), size)) {
            return 0;
        }
        const std::optional<QByteArray> reply =
            quorvix::engine_protocol::answerRequest(engine, request);
        if (!reply) {
            return 1;
        }
        if (!reply->isEmpty() && !sendFrame(*reply)) {
            return 0;
        }
    }
}
