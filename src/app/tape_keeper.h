#pragma once

#include "result_tape.h"

#include <QObject>
#include <functional>
#include <optional>

namespace quorvix::app {

class HistoryKeeper;

// Ties the result tape to its file, which follows the input history: while the history is
// remembered the tape is written at once after each change; while it is not, the tape lives in
// memory only and the file is emptied. The file is read once, when first needed (never before
// the window is shown); entries recorded before that go after the ones read.
class TapeKeeper : public QObject {
    Q_OBJECT
public:
    // `locate` gives the file's path when it is first needed; empty keeps the tape in memory.
    TapeKeeper(HistoryKeeper& history, std::function<QString()> locate, QObject* parent = nullptr);

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

signals:
    void changed();

private:
    void save();

    HistoryKeeper& m_history;
    std::function<QString()> m_locate;
    QString m_path;
    bool m_loaded = false;
    bool m_fileEmpty = false; // the file is known to hold no entries
    ResultTape m_tape;
    std::optional<QList<TapeEntry>> m_cleared; // what clear() took, until the clearing is final
};

} // namespace quorvix::app
