#include "tape_keeper.h"

#include "history_keeper.h"
#include "record_file.h"

#include <QDir>

#include <algorithm>

#include <utility>

namespace quorvix::app {

TapeKeeper::TapeKeeper(HistoryKeeper& history, std::function<KeptFile()> locate, QObject* parent)
    : QObject(parent), m_history(history), m_locate(std::move(locate)) {
    connect(&history, &HistoryKeeper::rememberingChanged, this, [this](bool on) {
        if (m_loaded) {
            // On again: this run's entries are kept from now on, as if just recorded.
            m_unwritten = on ? m_tape.entries() : QList<TapeEntry>();
            m_removed.clear();
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
    m_file = m_locate();
    if (m_file.readPath.isEmpty()) {
        return;
    }
    const std::optional<QList<TapeEntry>> kept =
        parseTapeFile(readRecordFile(m_file.readPath, kTapeReadLimit));
    if (!kept) {
        m_foreign = true;
        m_notice = QStringLiteral("%1 is not a result tape: it is left as it is, and new entries "
                                  "are not saved")
                       .arg(QDir::toNativeSeparators(m_file.readPath));
        return;
    }
    if (!m_history.remembering()) {
        // Left from a run that remembered: the next save empties it.
        m_fileEmpty = kept->isEmpty();
        return;
    }
    m_tape.addOlder(*kept);
    if (m_file.readPath != m_file.writePath) {
        m_unwritten = m_tape.entries(); // the home's file starts with them
    }
    emit changed();
}

void TapeKeeper::record(TapeEntry entry) {
    load();
    m_tape.add(entry);
    if (m_history.remembering()) {
        // While the file cannot be written, only the newest could ever be kept.
        m_unwritten.append(std::move(entry));
        m_unwritten.remove(0, std::max<qsizetype>(0, m_unwritten.size() - ResultTape::kMaxEntries));
    }
    save();
    emit changed();
}

void TapeKeeper::remove(qsizetype index) {
    load();
    if (index >= 0 && index < m_tape.entries().size()) {
        m_removed.append(m_tape.entries().at(index));
    }
    m_tape.remove(index);
    save();
    emit changed();
}

void TapeKeeper::clear() {
    load();
    if (!m_tape.entries().isEmpty()) {
        // The newest entries the file has not seen yet are the unwritten ones.
        m_cleared = m_tape.entries();
        m_clearedUnwritten = std::exchange(m_unwritten, {});
    }
    m_tape.clear();
    emit changed();
}

bool TapeKeeper::undoClear() {
    if (!m_cleared) {
        return false;
    }
    m_tape.addOlder(*std::exchange(m_cleared, std::nullopt));
    m_unwritten = std::exchange(m_clearedUnwritten, {}) + m_unwritten;
    emit changed();
    return true;
}

void TapeKeeper::finishClear() {
    if (m_cleared) {
        save();
    }
}

void TapeKeeper::save() {
    // The clearing is final: what the file holds of the cleared entries goes, only those (another
    // copy's entries that came since stay).
    if (m_cleared) {
        m_removed += m_cleared->mid(0, m_cleared->size() - m_clearedUnwritten.size());
        m_cleared.reset();
        m_clearedUnwritten.clear();
    }
    const bool remembering = m_history.remembering();
    // Not remembering: the file keeps nothing of this run nor of earlier ones, and once it is
    // empty it is left alone.
    if (m_file.writePath.isEmpty() || m_foreign || (!remembering && m_fileEmpty)) {
        return;
    }
    // A file that cannot be written costs only the remembering.
    if (changeRecordFile(m_file.writePath, kTapeReadLimit,
                         [this](const QByteArray& held) { return merged(held); }) &&
        !m_foreign) {
        m_fileEmpty = !remembering || m_tape.entries().isEmpty();
        m_unwritten.clear();
        m_removed.clear();
    }
}

std::optional<QByteArray> TapeKeeper::merged(const QByteArray& held) {
    std::optional<QList<TapeEntry>> kept = parseTapeFile(held);
    if (!kept) {
        m_foreign = true; // another program's file took its place
        return std::nullopt;
    }
    if (!m_history.remembering()) {
        return tapeFileText({});
    }
    // What other copies wrote since stays; this copy's new entries follow, and what its user
    // removed goes (of equal entries, the newest).
    QList<TapeEntry> all = std::move(*kept);
    all += m_unwritten;
    for (const TapeEntry& gone : std::as_const(m_removed)) {
        if (const qsizetype at = all.lastIndexOf(gone); at >= 0) {
            all.removeAt(at);
        }
    }
    m_tape = ResultTape();
    m_tape.addOlder(all);
    return tapeFileText(m_tape.entries());
}

} // namespace quorvix::app
