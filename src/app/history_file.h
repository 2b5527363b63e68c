#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>

namespace quorvix::app {

// The input history file, "Quorvix-history.txt", UTF-8 text of one record a line, each ended by
// LF:
//
//     #Quorvix input history
//     #remember=0          (only while remembering is off; the entries are then left out)
//     1+1
//     2*3                  (entries oldest first)
//
// In an entry a backslash is written "\\", a line feed "\n", a carriage return "\r", and a "#"
// that begins it "\#". Lines are read one by one, so damage costs only the lines it touches: a
// line that is not valid UTF-8 or has an unknown escape is skipped, a last line without its LF
// (a cut file) is dropped, and lines of "#" that are not known are ignored.
struct HistoryContent {
    QStringList entries; // oldest first
    bool remember = true;
    friend bool operator==(const HistoryContent&, const HistoryContent&) = default;
};

QByteArray historyText(const HistoryContent& content);
HistoryContent parseHistory(QByteArrayView bytes);

// The history file beside the settings file at `settingsPath`: the two share one home. Empty
// when `settingsPath` is.
QString historyPathBeside(const QString& settingsPath);

// Reading stops here, above the most the program writes (InputHistory's character limit at 3
// bytes each, one line end an entry): a huge file must not hold up the program.
inline constexpr qsizetype kHistoryReadLimit = qsizetype(4) << 20;

// Never blocks; a missing, unreadable or odd file (a folder, a fifo) reads as empty.
HistoryContent readHistoryFile(const QString& path);
// Replaces the file whole, or leaves it as it was, readable by the user only; makes its folder
// if needed. False when it could not be written.
bool writeHistoryFile(const QString& path, const HistoryContent& content);

} // namespace quorvix::app
