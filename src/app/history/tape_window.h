#pragma once

#include "result_tape.h"

#include <QList>
#include <QWidget>
#include <functional>

class QLineEdit;
class QListWidget;
class QPushButton;

namespace quorvix::ui {
class LiveStatus;
}

namespace quorvix::app {

class TapeKeeper;

// The result tape: every evaluation in order, newest at the bottom, in a window of its own.
// Enter (or a double click) puts the chosen entry's answer in the input line at its cursor,
// Shift+Enter its input; Ctrl+C copies the entry, Delete removes it; the buttons do the same
// and also copy or clear the whole tape and save it as text.
//
// The filter above the list (Ctrl+F) shows only the entries whose input or answer holds its
// text, without regard to case; the keys and buttons then act on what is shown, and Clear all,
// which could only mean entries out of sight as well, waits until the filter is emptied.
class TapeWindow : public QWidget {
    Q_OBJECT
public:
    // `insert` puts a text in the input line at its cursor and brings the input line back.
    using Inserter = std::function<void(const QString&)>;
    TapeWindow(TapeKeeper& tape, Inserter insert, QWidget* parent = nullptr);
    ~TapeWindow() override;

    // Writes the tape as text to `path`; false, and says so in the window, when it could not.
    bool saveAs(const QString& path);
    // The chosen entry, or -1.
    qsizetype currentEntry() const;

    QLineEdit* Filter = nullptr;
    QListWidget* Entries = nullptr;
    QPushButton* InsertAnswer = nullptr;
    QPushButton* InsertInput = nullptr;
    QPushButton* CopyEntry = nullptr;
    QPushButton* CopyAll = nullptr;
    QPushButton* DeleteEntry = nullptr;
    QPushButton* ClearAll = nullptr;
    QPushButton* Save = nullptr;
    ui::LiveStatus* Status = nullptr;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The tape's keys; false for any other key.
    bool handleKey(QKeyEvent* event);
    void refill();
    void updateButtons();
    void insertChosen(bool answer);
    void copyChosen();
    void deleteChosen();
    void askToSave();
    void clearAll();
    void undoClear();

    // The entries the list shows, in its order: the tape's entries that pass the filter.
    QList<TapeEntry> shownEntries() const;

    TapeKeeper& m_tape;
    Inserter m_insert;
    QList<qsizetype> m_shown; // the tape index of each row
};

} // namespace quorvix::app
