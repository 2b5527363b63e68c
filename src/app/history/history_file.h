#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>

#include <optional>

namespace quorvix::app {

// The input history file, "Quorvix-history.txt", UTF-8 text of one record a line, each ended by
// LF:
//
//     #Quorvix input history
//     #remember=0          (only while remembering is off; the entries are then left out)
//     #preview=0           (only while the answer is not shown as the user types)
//     1+1
//     2*3                  (entries oldest first)
//
// In an entry a backslash is written "\\", a line feed "\n", a carriage return "\r", and a "#"
// that begins it "\#". Lines are read one by one, so damage costs only the lines it touches: a
// damaged line (see unescapedLine) is skipped, a last line without its LF (a cut file) is
// dropped, and lines of "#" that are not known are ignored. A file that does not begin with the
// header line is no history at all (an empty file is an empty one).
struct HistoryContent {
    QStringList entries; // oldest first
    bool remember = true;
    bool preview = true; // the input line shows the answer as the user types
    friend bool operator==(const HistoryContent&, const HistoryContent&) = default;
};

QByteArray historyText(const HistoryContent& content);
// Nothing when the bytes are not a history.
std::optional<HistoryContent> parseHistory(QByteArrayView bytes);

inline constexpr QLatin1StringView kHistoryFileName("Quorvix-history.txt");

// Above the most the program writes (InputHistory's character limit at 3 bytes each, one line
// end an entry): a huge file must not hold up the program. Of a longer file the newest entries
// are read.
inline constexpr qsizetype kHistoryReadLimit = qsizetype(4) << 20;

} // namespace quorvix::app
