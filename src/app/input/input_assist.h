#pragma once

#include "input_rewrites.h"
#include "name_spellings.h"

#include <QColor>
#include <QObject>
#include <QSet>
#include <QStringList>
#include <functional>
#include <optional>

class QCompleter;
class QKeyEvent;
class QPainter;
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
    // Notes how the names in script text that ran (an input, the library) are written.
    void learnSpellings(const QString& text) { m_spellings.learn(text, m_language()); }
    // A name of the engine's as the user writes it: VBScript gives its names in lower case.
    QString spelled(const QString& name) const;
    // Colours again, after the language changed.
    void rehighlight();

    // Marks the character at `position` with a wavy underline until the text changes.
    void markError(qsizetype position);
    // The marked character, if any.
    std::optional<qsizetype> errorMark() const { return m_errorMark; }
    // Draws the mark on the box's viewport, after the text and its selection: a text format's
    // underline would lie under the selection, which every evaluation leaves over the input.
    void paintErrorMark(QPainter& painter) const;
    static QColor errorMarkColour() { return {0xff, 0x30, 0x30}; }

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
    NameSpellings m_spellings;
    qsizetype m_prefixStart = 0;
    QString m_hint;
    QString m_markedText; // the text the error mark belongs to
    std::optional<qsizetype> m_errorMark;
};

} // namespace quorvix::app
