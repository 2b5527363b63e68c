#pragma once

#include "history_file.h"
#include "input_history.h"

#include <QObject>
#include <functional>

class QMenu;

namespace quorvix::app {

class CommandBox;

// Ties the input history to the input line and to its file: Up and Down in the line walk the
// history, each evaluated input is recorded and, while remembering is on, written to the file at
// once, so that neither Esc (which ends the program without its unload step) nor a crash loses
// it. The line's context menu gets "Remember inputs" and "Clear input history".
//
// The file is read once, when first needed or when load() is called after the window is shown;
// inputs recorded before that go after the ones read.
class HistoryKeeper : public QObject {
    Q_OBJECT
public:
    // `locate` gives the file's path when it is first needed (finding the home probes the disk);
    // an empty path keeps the history in memory only.
    HistoryKeeper(CommandBox* box, std::function<QString()> locate, QObject* parent = nullptr);

    void load();
    void record(const QString& input);
    bool remembering() const { return m_remember; }
    // Off empties the file but for the mark that remembering is off; this run still recalls.
    void setRemembering(bool on);
    void clear();

    const InputHistory& history() const { return m_history; }

signals:
    void rememberingChanged(bool on);

private:
    void addMenuActions(QMenu* menu);
    void save() const;

    std::function<QString()> m_locate;
    QString m_path;
    bool m_loaded = false;
    bool m_remember = true;
    InputHistory m_history;
};

} // namespace quorvix::app
