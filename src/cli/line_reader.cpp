#include "line_reader.h"

#include <QStringDecoder>

namespace quorvix::cli {

namespace {

// UTF-8 gives every UTF-16 unit at most three bytes, so a line of more bytes than this is over
// the limit whatever it holds.
qsizetype maxLineBytes(qsizetype maxLength) {
    return 3 * maxLength + 1; // and a CR before the LF (the first line may carry a UTF-8 mark)
}

} // namespace

LineReader::LineReader(QIODevice& input, qsizetype maxLength)
    : m_input(input), m_maxLength(maxLength) {}

bool LineReader::fillPending() {
    constexpr qint64 kPiece = 64 * 1024;
    if (m_taken == m_pending.size()) {
        m_pending = m_input.read(kPiece);
        m_taken = 0;
    }
    return m_taken < m_pending.size();
}

bool LineReader::skipRestOfLine() {
    while (fillPending()) {
        const qsizetype lf = m_pending.indexOf('\n', m_taken);
        m_taken = lf >= 0 ? lf + 1 : m_pending.size();
        if (lf >= 0) {
            return true;
        }
    }
    return false;
}

std::optional<InputLine> LineReader::next() {
    if (m_skipping) {
        m_skipping = false;
        if (!skipRestOfLine()) {
            return std::nullopt;
        }
    }
    QByteArray bytes;
    bool ended = false; // by an LF, not by the end of the input
    bool any = false;
    while (!ended && fillPending()) {
        any = true;
        const qsizetype lf = m_pending.indexOf('\n', m_taken);
        ended = lf >= 0;
        const qsizetype stop = ended ? lf : m_pending.size();
        bytes += QByteArrayView(m_pending).sliced(m_taken, stop - m_taken);
        m_taken = ended ? lf + 1 : stop;
        if (bytes.size() > maxLineBytes(m_maxLength) + (m_first ? 3 : 0)) {
            m_first = false;
            // Said at once, so that a line that never ends is answered too; the rest of the
            // line is dropped before the next one is read.
            m_skipping = !ended;
            return InputLine{};
        }
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
    QString text = QStringDecoder(QStringDecoder::Utf8).decode(bytes);
    if (text.size() > m_maxLength) {
        return InputLine{};
    }
    return InputLine{std::move(text)};
}

} // namespace quorvix::cli
