#pragma once

#include "input_rewrites.h"

#include <QObject>
#include <QSet>
#include <QStringList>
#include <functional>

class QCompleter;
class QKeyEvent;
class QPlainTextEdit;
class QStringListModel;

namespace quorvix::app {

class InputHighlighter;

// Colouring, completion, the signature hint and the error mark of the input line.
//
// Completion opens on Tab after the start of a name, or on Ctrl+Space; while it is open, Esc
// closes only the list, and Enter or Tab takes the chosen name. Tab with no name to complete
// moves the focus as before; Enter and Esc are left alone while no list is open.
class InputAssist : public QObject {
    Q_OBJECT
public:
    // `language` tells the engine's current language, `names` asks its global scope.
    InputAssist(QPlainTextEdit* box, std::function<ScriptLanguage()> language,
                std::function<QStringList()> names);

    enum class KeyUse { NotMine, Consumed };
    // Called with every key press before the box handles it.
    KeyUse keyPress(QKeyEvent& event);

    // Asks the engine for the user's names again (for colouring and completion).
    void refreshNames();
    // Colours again, after the language changed.
    void rehighlight();

    // Marks the character at `position` with a wavy underline until the text changes.
    void markError(qsizetype position);

    QCompleter* completer() const { return m_completer; }
    // The signature shown for the call around the cursor, empty when none.
    const QString& hint() const { return m_hint; }

private:
    bool openCompletion(bool allowEmpty);
    void acceptCompletion();
    void insertCompletion(const QString& name);
    void updateHint();
    void textChanged();

    QPlainTextEdit* m_box;
    std::function<ScriptLanguage()> m_language;
    std::function<QStringList()> m_names;
    InputHighlighter* m_highlighter;
    QCompleter* m_completer;
    QStringListModel* m_model;
    QSet<QString> m_userNames;
    qsizetype m_prefixStart = 0;
    QString m_hint;
    QString m_markedText; // the text the error mark belongs to
};

} // namespace quorvix::app
