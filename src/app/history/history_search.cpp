#include "history_search.h"

#include "command_box.h"
#include "live_status.h"

#include <QKeyEvent>

namespace quorvix::app {

qsizetype olderMatch(const QStringList& entries, const QString& query, qsizetype from) {
    for (qsizetype i = std::min(from, entries.size() - 1); i >= 0; --i) {
        if (entries.at(i).contains(query, Qt::CaseInsensitive)) {
            return i;
        }
    }
    return -1;
}

HistorySearch::HistorySearch(CommandBox* box, std::function<QStringList()> entries)
    : QObject(box), m_box(box), m_entries(std::move(entries)), m_status(new ui::LiveStatus(box)) {
    m_status->setObjectName(QStringLiteral("HistorySearchStatus"));
    m_status->setAccessibleName(QStringLiteral("history search"));
    m_status->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_status->setAutoFillBackground(true);
    m_status->hide();
    box->installEventFilter(this);
    box->viewport()->installEventFilter(this);
}

bool HistorySearch::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::KeyPress: {
        const auto* key = static_cast<QKeyEvent*>(event);
        return watched == m_box &&
               keyPress(key->key(), key->modifiers() & ~Qt::KeypadModifier, key->text());
    }
    case QEvent::ShortcutOverride: {
        // While searching, Esc and Enter belong to the search, not to the window.
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (m_searching &&
            (key == Qt::Key_Escape || key == Qt::Key_Return || key == Qt::Key_Enter)) {
            event->accept();
            return true;
        }
        return false;
    }
    case QEvent::FocusOut:
    case QEvent::MouseButtonPress:
        if (m_searching) {
            finish(true);
        }
        return false;
    default:
        return false;
    }
}

bool HistorySearch::keyPress(int key, Qt::KeyboardModifiers modifiers, const QString& text) {
    if (key == Qt::Key_R && modifiers == Qt::ControlModifier) {
        if (!m_searching) {
            start();
        } else {
            search(m_match < 0 ? m_list.size() - 1 : m_match - 1);
        }
        return true;
    }
    if (!m_searching) {
        return false;
    }
    switch (key) {
    case Qt::Key_Escape:
        finish(false);
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        finish(true);
        return true;
    case Qt::Key_Backspace:
        m_query.chop(1);
        search(m_list.size() - 1);
        return true;
    case Qt::Key_Shift:
    case Qt::Key_Control:
    case Qt::Key_Alt:
    case Qt::Key_Meta:
    case Qt::Key_AltGr:
        return true; // a modifier alone changes nothing yet
    default:
        break;
    }
    const bool typed = !text.isEmpty() && text.at(0).isPrint() &&
                       !(modifiers & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
    if (typed) {
        m_query += text;
        search(m_match < 0 ? m_list.size() - 1 : m_match);
        return true;
    }
    finish(true);
    return false;
}

void HistorySearch::start() {
    m_list = m_entries();
    m_draft = m_box->lineState();
    m_query.clear();
    m_match = -1;
    m_searching = true;
    m_status->show();
    showStatus(QStringLiteral("Search inputs (Ctrl+R: older, Esc: cancel):"));
}

void HistorySearch::search(qsizetype from) {
    const qsizetype found = olderMatch(m_list, m_query, from);
    if (found < 0) {
        showStatus((m_match < 0 ? QStringLiteral("No input holds \"%1\"")
                                : QStringLiteral("No older input holds \"%1\""))
                       .arg(m_query));
        return;
    }
    m_match = found;
    const QString& entry = m_list.at(found);
    m_box->setLineState({entry, entry.indexOf(m_query, 0, Qt::CaseInsensitive), m_query.size()});
    showStatus(QStringLiteral("Search inputs: %1").arg(m_query));
}

void HistorySearch::finish(bool keepMatch) {
    m_searching = false;
    m_status->hide();
    if (!keepMatch) {
        m_box->setLineState(m_draft);
    } else if (m_match >= 0) {
        m_box->setLineState({m_box->text(), m_box->text().size(), 0});
    }
}

void HistorySearch::showStatus(const QString& text) {
    const QRect room = m_box->contentsRect().adjusted(2, 0, -2, 0);
    m_status->setText(m_status->fontMetrics().elidedText(text, Qt::ElideRight, room.width()));
    m_status->adjustSize();
    m_status->move(room.left(), room.bottom() - m_status->height());
    m_status->raise();
    m_status->say(m_status->text());
}

} // namespace quorvix::app
