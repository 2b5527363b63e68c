#include "history_file.h"

#include "line_escape.h"
#include "record_file.h"

namespace quorvix::app {

namespace {

constexpr QByteArrayView kHeader = "#Quorvix input history";
constexpr QByteArrayView kRememberOff = "#remember=0";
constexpr QByteArrayView kPreviewOff = "#preview=0";

} // namespace

QByteArray historyText(const HistoryContent& content) {
    QByteArray text = kHeader.toByteArray() + '\n';
    if (!content.preview) {
        text += kPreviewOff.toByteArray() + '\n';
    }
    if (!content.remember) {
        return text + kRememberOff.toByteArray() + '\n';
    }
    for (const QString& entry : content.entries) {
        text += escapedLine(entry) + '\n';
    }
    return text;
}

std::optional<HistoryContent> parseHistory(QByteArrayView bytes) {
    if (!isRecordFile(bytes, kHeader)) {
        return std::nullopt;
    }
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
            } else if (line == kPreviewOff) {
                content.preview = false;
            }
            continue;
        }
        if (std::optional<QString> entry = unescapedLine(line); entry && !entry->isEmpty()) {
            content.entries.append(*entry);
        }
    }
    return content;
}

} // namespace quorvix::app
