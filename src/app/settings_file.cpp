#include "settings_file.h"

#include "file_head.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quorvix::app {

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

bool isItemEnd(char c) {
    return c == ',' || c == '\r' || c == '\n';
}

QByteArrayView trimmedBlanks(QByteArrayView item) {
    while (!item.isEmpty() && isBlank(item.front())) {
        item = item.sliced(1);
    }
    while (!item.isEmpty() && isBlank(item.back())) {
        item.chop(1);
    }
    return item;
}

} // namespace

std::vector<QByteArray> settingsItems(QByteArrayView content) {
    std::vector<QByteArray> items;
    const qsizetype n = content.size();
    qsizetype pos = 0;
    while (pos < n) {
        qsizetype first = pos;
        while (first < n && isBlank(content[first])) {
            ++first;
        }
        qsizetype end = pos;
        if (first < n && content[first] == '"') {
            const qsizetype close = content.indexOf('"', first + 1);
            const qsizetype stop = close < 0 ? n : close;
            items.push_back(content.sliced(first + 1, stop - first - 1).toByteArray());
            end = stop;
        } else {
            end = first;
            while (end < n && !isItemEnd(content[end])) {
                ++end;
            }
            items.push_back(content.sliced(pos, end - pos).toByteArray());
        }
        while (end < n && !isItemEnd(content[end])) {
            ++end; // the rest of a quoted item's field
        }
        // One separator: a comma, or one line end (CR LF counts once).
        if (end < n && content[end] == '\r' && end + 1 < n && content[end + 1] == '\n') {
            ++end;
        }
        pos = end + 1;
    }
    return items;
}

std::vector<SettingsAction> settingsActions(QByteArrayView content) {
    std::vector<SettingsAction> actions;
    for (const QByteArray& item : settingsItems(content)) {
        const QByteArray t = trimmedBlanks(item).toByteArray().toLower();
        if (t == "lang=1") {
            actions.push_back(SettingsAction::SelectJavaScript);
        }
        if (t == "pad=1") {
            actions.push_back(SettingsAction::PressKeypad);
        }
    }
    return actions;
}

QByteArray settingsText(bool vbscript, bool keypadHidden) {
    QByteArray text = vbscript ? "lang=0\r\n" : "lang=1\r\n";
    text += keypadHidden ? "pad=0\r\n" : "pad=1\r\n";
    return text;
}

SettingsFile::SettingsFile(const QString& folder, const QString& userFolder)
    : m_path(QDir(folder).filePath(QStringLiteral("Quorvix.ini"))),
      m_userPath(userFolder.isEmpty() ? QString()
                                      : QDir(userFolder).filePath(QStringLiteral("Quorvix.ini"))) {}

SettingsFile::Content SettingsFile::read() const {
    Content content = readAt(m_path);
    if (!content.present && !m_userPath.isEmpty()) {
        content = readAt(m_userPath);
    }
    return content;
}

bool SettingsFile::write(QByteArrayView bytes) const {
    if (writeAt(m_path, bytes)) {
        return true;
    }
    if (m_userPath.isEmpty()) {
        return false;
    }
    QDir().mkpath(QFileInfo(m_userPath).absolutePath());
    return writeAt(m_userPath, bytes);
}

SettingsFile::Content SettingsFile::readAt(const QString& path) {
    const help::FileHead head = help::readFileHead(path, kMaxBytes + 1);
    Content content;
    content.present = head.regularFile;
    if (head.readable && head.size <= kMaxBytes && head.bytes.size() <= kMaxBytes) {
        content.bytes = head.bytes;
    }
    return content;
}

bool SettingsFile::writeAt(const QString& path, QByteArrayView bytes) {
    const QByteArray name = QFile::encodeName(path);
    // O_NONBLOCK: a fifo without a reader fails at once instead of holding up shut-down.
    const int fd = ::open(name.constData(),
                          O_WRONLY | O_CREAT | O_TRUNC | O_NONBLOCK | O_CLOEXEC | O_NOCTTY, 0666);
    if (fd < 0) {
        return false;
    }
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, size_t(bytes.size() - done));
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            break;
        }
        done += n;
    }
    const bool closed = ::close(fd) == 0;
    return closed && done == bytes.size();
}

} // namespace quorvix::app
