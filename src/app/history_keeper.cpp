#include "history_keeper.h"

#include "command_box.h"

#include <QMenu>

namespace quorvix::app {

HistoryKeeper::HistoryKeeper(CommandBox* box, std::function<QString()> locate, QObject* parent)
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
    m_path = m_locate();
    if (m_path.isEmpty()) {
        return;
    }
    const HistoryContent content = readHistoryFile(m_path);
    m_remember = content.remember;
    const qsizetype recordedBefore = m_history.entries().size();
    if (m_remember) {
        m_history.addOlder(content.entries);
        if (recordedBefore > 0) {
            save();
        }
    }
}

void HistoryKeeper::record(const QString& input) {
    load();
    if (m_history.add(input) && m_remember) {
        save();
    }
}

void HistoryKeeper::setRemembering(bool on) {
    load();
    m_remember = on;
    save();
    emit rememberingChanged(on);
}

void HistoryKeeper::clear() {
    load();
    m_history.clear();
    save();
}

void HistoryKeeper::save() const {
    if (!m_path.isEmpty()) {
        // A file that cannot be written costs only the remembering, never the evaluation.
        writeHistoryFile(m_path, {m_history.entries(), m_remember});
    }
}

void HistoryKeeper::addMenuActions(QMenu* menu) {
    load();
    menu->addSeparator();
    QAction* remember = menu->addAction(QStringLiteral("Re&member inputs"));
    remember->setObjectName(QStringLiteral("rememberInputs"));
    remember->setCheckable(true);
    remember->setChecked(m_remember);
    connect(remember, &QAction::toggled, this, &HistoryKeeper::setRemembering);
    QAction* clearAll = menu->addAction(QStringLiteral("Clear input &history"));
    clearAll->setObjectName(QStringLiteral("clearInputHistory"));
    clearAll->setEnabled(!m_history.entries().isEmpty());
    connect(clearAll, &QAction::triggered, this, &HistoryKeeper::clear);
}

} // namespace quorvix::app
