#pragma once

#include "history_file.h"
#include "input_history.h"
#include "settings_file.h"

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
// Several running copies share the file: each writes its own new inputs after what the file
// holds at that moment, and then recalls the inputs of all of them. A file that is not a history
// is never written; a history that cannot be written is still recalled. Either is said once.
//
// The file is read once, when first needed or when load() is called after the window is shown.
class HistoryKeeper : public QObject {
    Q_OBJECT
public:
    // `locate` gives the file's place when it is first needed (finding the home probes the
    // disk); an empty place keeps the history in memory only.
    HistoryKeeper(CommandBox* box, std::function<KeptFile()> locate, QObject* parent = nullptr);

    void load();
    void record(const QString& input);
    bool remembering() const { return m_remember; }
    // Off empties the file but for the mark that remembering is off; this run still recalls.
    void setRemembering(bool on);
    void clear();
    // Whether the input line shows the answer as the user types; kept in the file with the
    // history's own setting.
    bool previewing() const { return m_preview; }
    void setPreviewing(bool on);

    const InputHistory& history() const { return m_history; }

signals:
    void rememberingChanged(bool on);
    void previewingChanged(bool on);
    // Something the user should know about the file, said once.
    void notice(const QString& text);

private:
    void addMenuActions(QMenu* menu);
    // False when the file could not be written.
    bool save();
    // The file's new text from what it `held`; nothing when it is not a history.
    std::optional<QByteArray> merged(const QByteArray& held);

    std::function<KeptFile()> m_locate;
    KeptFile m_file;
    bool m_loaded = false;
    bool m_foreign = false; // the file is not a history: it is left as it is
    bool m_remember = true;
    bool m_preview = true;
    bool m_cleared = false;  // the user cleared the history: the file's entries go too
    QStringList m_unwritten; // entries of this run the file does not hold yet, oldest first
    InputHistory m_history;
};

} // namespace quorvix::app
