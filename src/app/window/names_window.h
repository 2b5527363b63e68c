#pragma once

#include "global_description.h"
#include "script_engine.h"

#include <QWidget>
#include <functional>
#include <vector>

class QLabel;
class QTreeWidget;

namespace quorvix::app {

// The session's names in a window of its own: its variables and constants with their values, its
// procedures with their parameters and its classes, for the language in use, in the order they
// were made. Enter or a double click puts the chosen name in the input line at its cursor; Esc
// closes the window.
class NamesWindow : public QWidget {
    Q_OBJECT
public:
    // `insert` puts a text in the input line at its cursor and brings the input line back;
    // `spelled` gives a name as the user writes it.
    using Inserter = std::function<void(const QString&)>;
    using Speller = std::function<QString(const QString&)>;
    NamesWindow(Inserter insert, Speller spelled, QWidget* parent = nullptr);

    // Lists `names`, the session's in `language`, numbers and dates written as the output box
    // writes them. A name the user chose stays chosen while it is there; else the newest is.
    void showNames(ScriptLanguage language, const std::vector<GlobalDescription>& names,
                   QChar decimalSeparator, const vbs::DateForm& dates);
    // The chosen row's name as inserted; empty when none is chosen.
    QString chosenName() const;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void insertChosen();

    Inserter m_insert;
    Speller m_spelled;
    QLabel* m_heading;
    QTreeWidget* m_list;
    // The user moved to a name since the list was filled: it stays chosen.
    bool m_userChose = false;
};

} // namespace quorvix::app
