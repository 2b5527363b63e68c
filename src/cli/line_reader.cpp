#include "line_reader.h"

#include <QStringDecoder>

namespace quorvix::cli {

namespace {

// UTF-8 gives every UTF-16 unit at most three bytes, so a line of more bytes than this is over
// the limit whatever it holds.
qsizetype maxLineBytes(qsizetype maxLength) {
    return 3 * maxLength + 1; // and a CR before the LF
}

} // namespace

LineReader::LineReader(QIODevice& input, qsizetype maxLength)
    : m_input(input), m_maxLength(maxLength) {}

std::optional<InputLine> LineReader::next() {
    constexpr qint64 kPiece = 64 * 1024;
    QByteArray bytes;
    bool tooLong = false;
    bool ended = false; // by an LF, not by the end of the input
    bool any = false;
    while (!ended) {
        if (m_taken == m_pending.size()) {
            m_pending = m_input.read(kPiece);
            m_taken = 0;
            if (m_pending.isEmpty()) {
                break;
            }
        }
        any = true;
        const qsizetype lf = m_pending.indexOf('\n', m_taken);
        ended = lf >= 0;
        const qsizetype stop = ended ? lf : m_pending.size();
        if (!tooLong) {
            bytes += QByteArrayView(m_pending).sliced(m_taken, stop - m_taken);
            tooLong = bytes.size() > maxLineBytes(m_maxLength);
            if (tooLong) {
                bytes = QByteArray();
            }
        }
        m_taken = ended ? lf + 1 : stop;
    }
    if (!any) {
        return std::nullopt;
    }
    if (m_first && bytes.startsWith("\xEF\xBB\xBF")) {
        bytes.remove(0, 3);
    }
    m_first = false;
    if (ended && bytes.endsWith('\r')) {
        bytes.chop(1);
    }
    if (tooLong) {
        return InputLine{};
    }
    QString text = QStringDecoder(QStringDecoder::Utf8).decode(bytes);
    if (text.size() > m_maxLength) {
        return InputLine{};
    }
    return InputLine{std::move(text)};
}

} // namespace quorvix::cli
