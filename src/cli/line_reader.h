#pragma once

#include <QByteArray>
#include <QIODevice>
#include <QString>
#include <optional>

namespace quorvix::cli {

// One line of input: its text, or nullopt when it is longer than the limit.
struct InputLine {
    std::optional<QString> text;
};

// Reads UTF-8 lines (ended by LF or CR LF; a UTF-8 mark at the start is skipped) in pieces, so
// that a line that never ends costs bounded memory: a line over the limit is reported as soon as
// it is known to be too long, and the rest of it is dropped.
class LineReader {
public:
    LineReader(QIODevice& input, qsizetype maxLength);

    // The next line; nullopt at the end of the input.
    std::optional<InputLine> next();

private:
    QIODevice& m_input;
    qsizetype m_maxLength;
    // The next piece of input into m_pending, unless what it holds is not all taken yet;
    // false at the end of the input.
    bool fillPending();
    // Drops input up to and including the next LF; false when the input ends first.
    bool skipRestOfLine();

    bool m_first = true;
    bool m_skipping = false; // the line reported too long has not been read to its end yet
    QByteArray m_pending;    // the last piece read, taken up to m_taken
    qsizetype m_taken = 0;
};

} // namespace quorvix::cli
