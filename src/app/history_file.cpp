#include "history_file.h"

#include "file_head.h"
#include "file_replace.h"
#include "line_escape.h"

#include <QDir>
#include <QFileInfo>

namespace quorvix::app {

namespace {

constexpr QByteArrayView kHeader = "#Quorvix input history";
constexpr QByteArrayView kRememberOff = "#remember=0";

} // namespace

QByteArray historyText(const HistoryContent& content) {
    QByteArray text = kHeader.toByteArray() + '\n';
    if (!content.remember) {
        return text + kRememberOff.toByteArray() + '\n';
    }
    for (const QString& entry : content.entries) {
        text += escapedLine(entry) + '\n';
    }
    return text;
}

HistoryContent parseHistory(QByteArrayView bytes) {
    HistoryContent content;
    qsizetype start = 0;
    for (qsizetype end = bytes.indexOf('\n'); end >= 0; end = bytes.indexOf('\n', start)) {
        QByteArrayView line = bytes.sliced(start, end - start);
        start = end + 1;
        if (line.endsWith('\r')) {
            line.chop(1); // a file saved by an editor with CR LF line ends
        }
        if (line.startsWith('#')) {
            if (line == kRememberOff) {
                content.remember = false;
            }
            continue;
        }
        if (std::optional<QString> entry = unescapedLine(line); entry && !entry->isEmpty()) {
            content.entries.append(*entry);
        }
    }
    return content;
}

QString historyPathBeside(const QString& settingsPath) {
    if (settingsPath.isEmpty()) {
        return QString();
    }
    return QFileInfo(settingsPath).dir().filePath(QStringLiteral("Quorvix-history.txt"));
}

HistoryContent readHistoryFile(const QString& path) {
    const help::FileHead head = help::readFileHead(path, kHistoryReadLimit);
    return head.readable ? parseHistory(head.bytes) : HistoryContent();
}

bool writeHistoryFile(const QString& path, const HistoryContent& content) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    return replaceFile(path, historyText(content), FileAccess::OwnerOnly);
}

} // namespace quorvix::app
