#include "history_keeper.h"

#include "command_box.h"
#include "record_file.h"

#include <QDir>
#include <QFileInfo>
#include <QMenu>

#include <algorithm>

namespace quorvix::app {

HistoryKeeper::HistoryKeeper(CommandBox* box, std::function<KeptFile()> locate, QObject* parent)
    : QObject(parent), m_locate(std::move(locate)) {
    box->setRecallHandler([this](int direction, const QString& current) {
        load();
        return direction < 0 ? m_history.up(current) : m_history.down(current);
    });
    connect(box, &CommandBox::contextMenuOpening, this, &HistoryKeeper::addMenuActions);
}

void HistoryKeeper::load() {
    if (m_loaded) {
        return;
    }
    m_loaded = true;
    m_file = m_locate();
    if (m_file.readPath.isEmpty()) {
        return;
    }
    const QString shownPath = QDir::toNativeSeparators(m_file.readPath);
    const std::optional<HistoryContent> content =
        parseHistory(readRecordFile(m_file.readPath, kHistoryReadLimit));
    if (!content) {
        m_foreign = true;
        emit notice(QStringLiteral("%1 is not an input history: it is left as it is, and new "
                                   "inputs are not saved")
                        .arg(shownPath));
        return;
    }
    m_remember = content->remember;
    if (m_preview != content->preview) {
        m_preview = content->preview;
        emit previewingChanged(m_preview);
    }
    m_history.addOlder(content->entries);
    const bool readInHome = m_file.readPath == m_file.writePath;
    if (!readInHome) {
        m_unwritten = m_history.entries(); // the home's file starts with them
    }
    // Said once at the start, rather than found anew at each evaluation.
    if (!m_history.entries().isEmpty() &&
        !(readInHome ? QFileInfo(m_file.writePath).isWritable() : save())) {
        emit notice(
            QStringLiteral("%1 cannot be written: new inputs are not saved").arg(shownPath));
    }
}

void HistoryKeeper::record(const QString& input) {
    load();
    if (m_history.add(input) && m_remember) {
        // While the file cannot be written, only the newest could ever be kept.
        m_unwritten.append(input);
        m_unwritten.remove(0,
                           std::max<qsizetype>(0, m_unwritten.size() - InputHistory::kMaxEntries));
        save();
    }
}

void HistoryKeeper::setRemembering(bool on) {
    load();
    m_remember = on;
    // On again: this run's inputs are kept from now on, as if just recorded.
    m_unwritten = on ? m_history.entries() : QStringList();
    save();
    emit rememberingChanged(on);
}

void HistoryKeeper::setPreviewing(bool on) {
    load();
    m_preview = on;
    save();
    emit previewingChanged(on);
}

void HistoryKeeper::clear() {
    load();
    m_history.clear();
    m_unwritten.clear();
    m_cleared = true;
    save();
}

bool HistoryKeeper::save() {
    if (m_file.writePath.isEmpty() || m_foreign) {
        return false;
    }
    // A file that cannot be written costs only the remembering, never the evaluation.
    const bool written = changeRecordFile(m_file.writePath, kHistoryReadLimit,
                                          [this](const QByteArray& held) { return merged(held); });
    if (written && !m_foreign) {
        m_unwritten.clear();
        m_cleared = false;
    }
    return written && !m_foreign;
}

std::optional<QByteArray> HistoryKeeper::merged(const QByteArray& held) {
    const std::optional<HistoryContent> kept = parseHistory(held);
    if (!kept) {
        m_foreign = true; // another program's file took its place
        return std::nullopt;
    }
    if (!m_remember) {
        return historyText({{}, false, m_preview});
    }
    // What other copies wrote since stays; this copy's new inputs follow.
    InputHistory all;
    all.addOlder(m_cleared ? QStringList() : kept->entries);
    for (const QString& input : std::as_const(m_unwritten)) {
        all.add(input);
    }
    m_history = std::move(all);
    return historyText({m_history.entries(), true, m_preview});
}

void HistoryKeeper::addMenuActions(QMenu* menu) {
    load();
    menu->addSeparator();
    QAction* remember = menu->addAction(QStringLiteral("Re&member inputs"));
    remember->setObjectName(QStringLiteral("rememberInputs"));
    remember->setCheckable(true);
    remember->setChecked(m_remember);
    connect(remember, &QAction::toggled, this, &HistoryKeeper::setRemembering);
    QAction* preview = menu->addAction(QStringLiteral("Show the &answer while typing"));
    preview->setObjectName(QStringLiteral("previewAnswers"));
    preview->setCheckable(true);
    preview->setChecked(m_preview);
    connect(preview, &QAction::toggled, this, &HistoryKeeper::setPreviewing);
    QAction* clearAll = menu->addAction(QStringLiteral("Clear input &history"));
    clearAll->setObjectName(QStringLiteral("clearInputHistory"));
    clearAll->setEnabled(!m_history.entries().isEmpty());
    connect(clearAll, &QAction::triggered, this, &HistoryKeeper::clear);
}

} // namespace quorvix::app
