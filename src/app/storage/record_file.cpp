#include "record_file.h"

#include "file_head.h"
#include "file_replace.h"

#include <QDir>
#include <QFileInfo>
#include <QLockFile>

namespace quorvix::app {

namespace {

// Longer than any header line the program writes: a first line longer than this is no header.
constexpr qsizetype kHeaderReadLimit = 256;

// Another copy holds the lock only while it reads and replaces the file: a wait this long means
// that copy hangs, and the change is left for the next one.
constexpr int kLockWaitMs = 3000;

} // namespace

bool isRecordFile(QByteArrayView bytes, QByteArrayView header) {
    if (bytes.isEmpty()) {
        return true;
    }
    const QByteArrayView rest = bytes.startsWith(header) ? bytes.sliced(header.size()) : "-";
    return rest.isEmpty() || rest.startsWith('\n') || rest.startsWith("\r\n");
}

QByteArray readRecordFile(const QString& path, qsizetype limit) {
    const ui::FileHead tail = ui::readFileHead(path, limit, ui::FilePart::End);
    if (!tail.readable || tail.size <= limit) {
        return tail.bytes;
    }
    // The newest records are at the end: the lines cut off are the oldest. The first line of
    // the tail is only part of one.
    const ui::FileHead head = ui::readFileHead(path, kHeaderReadLimit);
    const qsizetype headerEnd = head.bytes.indexOf('\n');
    if (headerEnd < 0) {
        return head.bytes; // no header line: not a record file
    }
    return head.bytes.left(headerEnd + 1) + tail.bytes.sliced(tail.bytes.indexOf('\n') + 1);
}

bool changeRecordFile(const QString& path, qsizetype limit, const RecordChange& change) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QLockFile lock(path + QStringLiteral(".lock"));
    // A folder that takes no new files holds no lock either; the file itself may still be
    // writable there (replaceFile then overwrites it in place), which is left to this copy alone.
    if (!lock.tryLock(kLockWaitMs) && lock.error() != QLockFile::PermissionError) {
        return false;
    }
    const std::optional<QByteArray> changed = change(readRecordFile(path, limit));
    return !changed || replaceFile(path, *changed, FileAccess::OwnerOnly);
}

} // namespace quorvix::app
