#include "line_escape.h"

#include <QStringDecoder>

#include <algorithm>

namespace quorvix::app {

QByteArray escapedLine(const QString& entry) {
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

std::optional<QString> unescapedLine(QByteArrayView line) {
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
    // A control character other than a tab and the escaped line breaks is not typed text: the
    // line holds binary data.
    const auto control = [](QChar c) {
        return c.category() == QChar::Other_Control && c != u'\t' && c != u'\n' && c != u'\r';
    };
    if (decoder.hasError() || std::any_of(entry.cbegin(), entry.cend(), control)) {
        return std::nullopt;
    }
    return entry;
}

} // namespace quorvix::app
