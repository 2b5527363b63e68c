#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>

#include <optional>

namespace quorvix::app {

// One evaluation as the tape keeps it: the input, and what the output box showed after it.
struct TapeEntry {
    QString input;
    QString output;        // empty when the box was left as it was (a statement)
    bool answered = false; // the output is an answer; else a message or an error
    friend bool operator==(const TapeEntry&, const TapeEntry&) = default;
};

// Every evaluation in order, oldest first, within bounds: the oldest make room first.
class ResultTape {
public:
    static constexpr qsizetype kMaxEntries = 1000;
    // A longer input or message is kept cut to this many characters and marked so.
    static constexpr qsizetype kMaxFieldLength = 65'536;
    // All entries together keep at most this many characters.
    static constexpr qsizetype kMaxTotalLength = 1'048'576;
    // An answer is kept whole up to this length, so that it can be inserted again; a longer one
    // is kept as a note of its length, as a cut answer would insert a wrong value.
    static constexpr qsizetype kMaxAnswerLength = kMaxTotalLength / 4;

    // A blank input that left the output box as it was is not kept.
    void add(TapeEntry entry);
    // Puts `older` (oldest first) before the entries, as read from where they were kept.
    void addOlder(const QList<TapeEntry>& older);
    void remove(qsizetype index);
    void clear();

    const QList<TapeEntry>& entries() const { return m_entries; }

private:
    void dropOldest();

    QList<TapeEntry> m_entries;
    qsizetype m_totalLength = 0;
};

// The entry as a reader sees it: the input, then "= answer" or "! message" on the next line.
QString tapeEntryText(const TapeEntry& entry);
// Every entry so, one blank line between two.
QString tapeText(const QList<TapeEntry>& entries);

// The tape file, "Quorvix-tape.txt", UTF-8 text of one record a line, each ended by LF:
//
//     #Quorvix result tape
//     >1+1                 (an input: begins an entry)
//     =2                   (its answer)
//     >1/0
//     !Division by zero    (its message or error)
//
// with the texts written as escapedLine() writes them. Damage costs only the lines it touches:
// a damaged input line drops its entry, a damaged output line only the output, an output line
// with no input before it and unknown lines are skipped, and a last line without its LF is cut.
// A file that does not begin with the header line is no tape at all (an empty file is an empty
// one): nothing then.
QByteArray tapeFileText(const QList<TapeEntry>& entries);
std::optional<QList<TapeEntry>> parseTapeFile(QByteArrayView bytes);

inline constexpr QLatin1StringView kTapeFileName("Quorvix-tape.txt");
// Above the most the program writes (kMaxTotalLength at 3 bytes each with escapes and marks); of
// a longer file the newest entries are read.
inline constexpr qsizetype kTapeReadLimit = qsizetype(8) << 20;

} // namespace quorvix::app
