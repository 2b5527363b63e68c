#pragma once

#include "line_state.h"

#include <QObject>
#include <QStringList>
#include <functional>

namespace quorvix::ui {
class LiveStatus;
}

namespace quorvix::app {

class CommandBox;

// Where the search of the input history goes next: of `entries` (oldest first), the newest one at
// or before `from` that holds `query` anywhere, without regard to case; -1 when none does.
qsizetype olderMatch(const QStringList& entries, const QString& query, qsizetype from);

// Ctrl+R in the input line searches the input history as shells do: typed characters narrow
// the search, which goes from the newest entry to the oldest; Ctrl+R again goes to the next older
// match, Backspace widens it again. The line shows the match with the found text selected, and a
// line in the input line's lower left corner (announced to assistive technology) shows the search
// text or that nothing holds it. Enter takes the match into the line to be edited or evaluated
// with a second Enter; Esc puts back the draft the line held before. Any other key, a click or a
// change of focus ends the search with the match in the line and then acts as usual.
class HistorySearch : public QObject {
    Q_OBJECT
public:
    // `entries` gives the history, oldest first, when a search starts.
    HistorySearch(CommandBox* box, std::function<QStringList()> entries);

    bool searching() const { return m_searching; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool keyPress(int key, Qt::KeyboardModifiers modifiers, const QString& text);
    void start();
    // Finds the match for the query at or before `from` and shows it; with none, the line
    // keeps what it shows.
    void search(qsizetype from);
    void finish(bool keepMatch);
    void showStatus(const QString& text);

    CommandBox* m_box;
    std::function<QStringList()> m_entries;
    ui::LiveStatus* m_status;
    bool m_searching = false;
    QStringList m_list;
    QString m_query;
    qsizetype m_match = -1;
    keypad::LineState m_draft;
};

} // namespace quorvix::app
