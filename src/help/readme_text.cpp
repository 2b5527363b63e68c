#include "readme_text.h"

#include <QStringDecoder>

namespace quorvix::help {

namespace {

QString decoded(QByteArrayView bytes) {
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(bytes);
    if (utf8.hasError()) {
        text = QString::fromLatin1(bytes);
    }
    return text;
}

// Where to cut a part of the file: after its last line end, or after its last LF when it has
// no CR, or else before a UTF-8 sequence that the cut would split.
qsizetype cutPoint(QByteArrayView bytes) {
    if (const qsizetype cr = bytes.lastIndexOf('\r'); cr >= 0) {
        return cr + 1;
    }
    if (const qsizetype lf = bytes.lastIndexOf('\n'); lf >= 0) {
        return lf + 1;
    }
    qsizetype lead = bytes.size();
    while (lead > 0 && bytes.size() - lead < 4 && (uchar(bytes[lead - 1]) & 0xC0) == 0x80) {
        --lead; // continuation bytes of the last sequence
    }
    if (lead == 0) {
        return bytes.size();
    }
    const uchar c = uchar(bytes[lead - 1]);
    const qsizetype expected = c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC0 ? 2 : 1;
    const qsizetype have = bytes.size() - lead + 1;
    return have < expected ? lead - 1 : bytes.size();
}

// Appends a line and its CR LF. A very long line goes in pieces of kLongLine characters: one
// paragraph of a million characters takes the text box many seconds to wrap.
void appendLine(QString& out, QStringView line) {
    while (line.size() > kLongLine) {
        qsizetype piece = kLongLine;
        if (line[piece - 1].isHighSurrogate()) {
            --piece; // keep a surrogate pair together
        }
        out += line.first(piece);
        out += u"\r\n";
        line = line.sliced(piece);
    }
    out += line;
    out += u"\r\n";
}

} // namespace

QString readmeText(QByteArrayView bytes, qint64 fileSize) {
    const bool cut = fileSize > bytes.size();
    if (cut) {
        bytes = bytes.first(cutPoint(bytes));
    }
    const QString text = decoded(bytes);

    QString out;
    out.reserve(text.size() + text.size() / 16 + 64);
    qsizetype lineStart = 0;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i <= n; ++i) {
        if (i < n && text[i] != u'\r') {
            continue;
        }
        if (i == n && lineStart == n) {
            break; // the last line had its line end
        }
        appendLine(out, QStringView(text).sliced(lineStart, i - lineStart));
        if (i + 1 < n && text[i + 1] == u'\n') {
            ++i;
        }
        lineStart = i + 1;
    }
    out.replace(QChar(0), QChar(0x2400));

    if (cut) {
        out += QStringLiteral("\r\n[The rest of this file, %1 of its %2 bytes, is not shown.]\r\n")
                   .arg(fileSize - bytes.size())
                   .arg(fileSize);
    }
    return out;
}

} // namespace quorvix::help
