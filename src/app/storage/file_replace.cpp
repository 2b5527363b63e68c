#include "file_replace.h"

#include <QByteArray>
#include <QFile>
#include <QRandomGenerator>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quorvix::app {

namespace {

bool writeAll(int fd, QByteArrayView bytes) {
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, size_t(bytes.size() - done));
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            return false;
        }
        done += n;
    }
    return true;
}

// A name beside `name` that no one else uses; -1 with errno set when none can be made.
int createSibling(const QByteArray& name, QByteArray& sibling, mode_t mode) {
    const qsizetype slash = name.lastIndexOf('/');
    const QByteArray folder = name.left(slash + 1);
    const QByteArray base = name.mid(slash + 1);
    for (int attempt = 0; attempt < 16; ++attempt) {
        sibling = folder + '.' + base + '-' +
                  QByteArray::number(QRandomGenerator::global()->generate(), 16);
        const int fd =
            ::open(sibling.constData(),
                   O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC | O_NOCTTY, mode);
        if (fd >= 0 || errno != EEXIST) {
            return fd;
        }
    }
    return -1;
}

// The last resort: overwrites an existing regular file, not a link, where it is.
bool overwriteInPlace(const QByteArray& name, QByteArrayView bytes, FileAccess access) {
    // O_NONBLOCK: a fifo without a reader fails at once instead of holding up shut-down.
    const int fd =
        ::open(name.constData(), O_WRONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) {
        return false;
    }
    struct stat info {};
    // The new bytes go over the old ones before the rest is cut off, so that a failure loses as
    // little as it can.
    bool ok = ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) &&
              (access == FileAccess::KeepExisting || ::fchmod(fd, 0600) == 0) &&
              writeAll(fd, bytes) && ::ftruncate(fd, bytes.size()) == 0 && ::fsync(fd) == 0;
    ok = ::close(fd) == 0 && ok;
    return ok;
}

} // namespace

bool replaceFile(const QString& path, QByteArrayView bytes, FileAccess access) {
    const QByteArray name = QFile::encodeName(path);
    QByteArray sibling;
    const bool ownerOnly = access == FileAccess::OwnerOnly;
    // A private file is private from its first byte on: made with 0600 and set to it before
    // anything is written, whatever the umask.
    const int fd = createSibling(name, sibling, ownerOnly ? 0600 : 0666);
    if (fd < 0) {
        const bool folderTakesNoFiles = errno == EACCES || errno == EPERM || errno == EROFS;
        return folderTakesNoFiles && overwriteInPlace(name, bytes, access);
    }
    struct stat old {};
    const bool replacesFile = ::lstat(name.constData(), &old) == 0 && S_ISREG(old.st_mode);
    const bool setMode = ownerOnly || replacesFile;
    const mode_t mode = ownerOnly ? mode_t(0600) : mode_t(old.st_mode & 07777);
    bool ok = (!setMode || ::fchmod(fd, mode) == 0) && writeAll(fd, bytes) && ::fsync(fd) == 0;
    ok = ::close(fd) == 0 && ok;
    ok = ok && ::rename(sibling.constData(), name.constData()) == 0;
    if (!ok) {
        ::unlink(sibling.constData());
    }
    return ok;
}

} // namespace quorvix::app
