#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

struct editline;
struct history;

namespace quorvix::cli {

// What Tab may put in place of text[from, cursor): the names that begin with it.
struct Completion {
    qsizetype from = 0;
    QStringList names;
};
using Completer = std::function<Completion(const QString& text, qsizetype cursor)>;

// One line read at the terminal, or why there is none.
struct EditedLine {
    enum class Kind { Text, Cancelled, End };
    Kind kind = Kind::End;
    QString text;
};

// The terminal's line editor (libedit, in its Emacs key map): arrows, Home/End, word moves, kill
// and yank, Up/Down through the entries given to remember(), Ctrl+R searching them as the user
// types, Tab completing a name. Ctrl+C clears the line (the terminal sends no interrupt while a
// line is being edited, so a Ctrl+C then never ends the program); Ctrl+D on an empty line ends
// the input.
class LineEditor {
public:
    LineEditor(const char* programName, Completer completer);
    ~LineEditor();
    LineEditor(const LineEditor&) = delete;
    LineEditor& operator=(const LineEditor&) = delete;

    EditedLine read(const QString& prompt);
    // Adds an entry to what Up and Ctrl+R reach, as the newest.
    void remember(const QString& entry);

private:
    static char* promptOf(editline* editor);
    static unsigned char completeKey(editline* editor, int key);
    static unsigned char cancelKey(editline* editor, int key);
    static LineEditor& of(editline* editor);
    unsigned char complete();

    editline* m_editor;
    history* m_history;
    Completer m_completer;
    QByteArray m_prompt;
    bool m_cancelled = false;
};

// The longest start that every name shares, compared without regard to case, spelled as the
// first name spells it.
QString sharedStart(const QStringList& names);

} // namespace quorvix::cli
