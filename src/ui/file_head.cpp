#include "file_head.h"

#include <QFile>

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quorvix::ui {

FileHead readFileHead(const QString& path, qsizetype maxBytes, FilePart part) {
    FileHead head;
    const QByteArray name = QFile::encodeName(path);
    // O_NONBLOCK: opening a fifo for reading would otherwise wait for a writer.
    const int fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) {
        struct stat info {};
        head.regularFile = ::stat(name.constData(), &info) == 0 && S_ISREG(info.st_mode);
        return head;
    }
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        return head;
    }
    head.regularFile = true;
    head.size = info.st_size;

    const qsizetype wanted = std::max<qsizetype>(0, std::min<qint64>(maxBytes, info.st_size));
    head.bytes.resize(wanted);
    const off_t from = part == FilePart::End ? off_t(info.st_size - wanted) : 0;
    qsizetype got = 0;
    bool failed = false;
    while (got < wanted) {
        const ssize_t n =
            ::pread(fd, head.bytes.data() + got, size_t(wanted - got), from + off_t(got));
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0) {
            failed = true;
            break;
        }
        if (n == 0) {
            break; // the file shrank since fstat
        }
        got += n;
    }
    ::close(fd);
    head.bytes.truncate(got);
    head.readable = !failed;
    return head;
}

} // namespace quorvix::ui
