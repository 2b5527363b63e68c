#include "history_file.h"

#include "file_head.h"
#include "file_replace.h"

#include <QDir>
#include <QFileInfo>
#include <QStringDecoder>

#include <optional>

namespace quorvix::app {

namespace {

constexpr QByteArrayView kHeader = "#Quorvix input history";
constexpr QByteArrayView kRememberOff = "#remember=0";

QByteArray escaped(const QString& entry) {
    const QByteArray utf8 = entry.toUtf8();
    QByteArray line;
    line.reserve(utf8.size() + 2);
    if (utf8.startsWith('#')) {
        line += '\\';
    }
    for (const char c : utf8) {
        switch (c) {
        case '\\':
            line += "\\\\";
            break;
        case '\n':
            line += "\\n";
            break;
        case '\r':
            line += "\\r";
            break;
        default:
            line += c;
        }
    }
    return line;
}

// The entry of one line without its LF; nothing when the line is damaged.
std::optional<QString> unescaped(QByteArrayView line) {
    QByteArray utf8;
    utf8.reserve(line.size());
    for (qsizetype i = 0; i < line.size(); ++i) {
        if (line[i] != '\\') {
            utf8 += line[i];
            continue;
        }
        if (++i == line.size()) {
            return std::nullopt;
        }
        switch (line[i]) {
        case '\\':
            utf8 += '\\';
            break;
        case 'n':
            utf8 += '\n';
            break;
        case 'r':
            utf8 += '\r';
            break;
        case '#':
            utf8 += '#';
            break;
        default:
            return std::nullopt;
        }
    }
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString entry = decoder(utf8);
    if (decoder.hasError()) {
        return std::nullopt;
    }
    return entry;
}

} // namespace

QByteArray historyText(const HistoryContent& content) {
    QByteArray text = kHeader.toByteArray() + '\n';
    if (!content.remember) {
        return text + kRememberOff.toByteArray() + '\n';
    }
    for (const QString& entry : content.entries) {
        text += escaped(entry) + '\n';
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
        if (std::optional<QString> entry = unescaped(line); entry && !entry->isEmpty()) {
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
