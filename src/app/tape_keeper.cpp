#include "tape_keeper.h"

#include "history_keeper.h"

#include <utility>

namespace quorvix::app {

TapeKeeper::TapeKeeper(HistoryKeeper& history, std::function<QString()> locate, QObject* parent)
    : QObject(parent), m_history(history), m_locate(std::move(locate)) {
    connect(&history, &HistoryKeeper::rememberingChanged, this, [this] {
        if (m_loaded) {
            save();
        }
    });
}

void TapeKeeper::load() {
    if (m_loaded) {
        return;
    }
    m_loaded = true;
    m_history.load();
    m_path = m_locate();
    if (m_path.isEmpty()) {
        return;
    }
    const QList<TapeEntry> kept = readTapeFile(m_path);
    if (!m_history.remembering()) {
        // Left from a run that remembered: the next save empties it.
        m_fileEmpty = kept.isEmpty();
        return;
    }
    const qsizetype recordedBefore = m_tape.entries().size();
    m_tape.addOlder(kept);
    if (recordedBefore > 0) {
        save();
    }
    emit changed();
}

void TapeKeeper::record(TapeEntry entry) {
    load();
    m_tape.add(std::move(entry));
    save();
    emit changed();
}

void TapeKeeper::remove(qsizetype index) {
    load();
    m_tape.remove(index);
    save();
    emit changed();
}

void TapeKeeper::clear() {
    load();
    if (!m_tape.entries().isEmpty()) {
        m_cleared = m_tape.entries();
    }
    m_tape.clear();
    emit changed();
}

bool TapeKeeper::undoClear() {
    if (!m_cleared) {
        return false;
    }
    m_tape.addOlder(*std::exchange(m_cleared, std::nullopt));
    emit changed();
    return true;
}

void TapeKeeper::finishClear() {
    if (m_cleared) {
        save();
    }
}

void TapeKeeper::save() {
    m_cleared.reset(); // what is written is what the tape holds
    const bool remembering = m_history.remembering();
    // Not remembering: the file keeps nothing of this run nor of earlier ones, and once it is
    // empty it is left alone.
    if (m_path.isEmpty() || (!remembering && m_fileEmpty)) {
        return;
    }
    // A file that cannot be written costs only the remembering.
    if (writeTapeFile(m_path, remembering ? m_tape.entries() : QList<TapeEntry>())) {
        m_fileEmpty = !remembering || m_tape.entries().isEmpty();
    }
}

} // namespace quorvix::app
