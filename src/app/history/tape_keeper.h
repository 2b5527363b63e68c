#pragma once

#include "result_tape.h"
#include "settings_file.h"

#include <QObject>
#include <functional>
#include <optional>

namespace quorvix::app {

class HistoryKeeper;

// Ties the result tape to its file, which follows the input history: while the history is
// remembered the tape is written at once after each change; while it is not, the tape lives in
// memory only and the file is emptied. The file is read once, when first needed (never before
// the window is shown).
//
// Several running copies share the file as they share the history: each adds its own new
// entries to what the file holds at that moment, and removes from it only what its user removed.
// A file that is not a tape is never written, which takeNotice() says once.
class TapeKeeper : public QObject {
    Q_OBJECT
public:
    // `locate` gives the file's place when it is first needed; empty keeps the tape in memory.
    TapeKeeper(HistoryKeeper& history, std::function<KeptFile()> locate, QObject* parent = nullptr);

    void load();
    void record(TapeEntry entry);
    void remove(qsizetype index);
    // Empties the tape; the file keeps the entries until the clearing is final, so that
    // undoClear() can bring them back. It becomes final at the next write (a new entry, a
    // removal) or at finishClear().
    void clear();
    // False when there is no clearing to take back.
    bool undoClear();
    void finishClear();

    const QList<TapeEntry>& entries() const { return m_tape.entries(); }
    // What the user should know about the file, once; empty when nothing.
    QString takeNotice() { return std::exchange(m_notice, QString()); }

signals:
    void changed();

private:
    void save();
    // The file's new text from what it `held`; nothing when it is not a tape.
    std::optional<QByteArray> merged(const QByteArray& held);

    HistoryKeeper& m_history;
    std::function<KeptFile()> m_locate;
    KeptFile m_file;
    bool m_loaded = false;
    bool m_fileEmpty = false;     // the file is known to hold no entries
    bool m_foreign = false;       // the file is not a tape: it is left as it is
    QList<TapeEntry> m_unwritten; // entries of this run the file does not hold yet
    QList<TapeEntry> m_removed;   // entries the user removed that the file may still hold
    QString m_notice;
    ResultTape m_tape;
    std::optional<QList<TapeEntry>> m_cleared; // what clear() took, until the clearing is final
    QList<TapeEntry> m_clearedUnwritten;       // the newest of those, which the file never held
};

} // namespace quorvix::app
