#pragma once

#include "evaluation_command.h"
#include "input_assist.h"
#include "line_state.h"

#include <QPlainTextEdit>

#include <functional>
#include <memory>
#include <optional>

class QMenu;

namespace quorvix::app {

// The text a paste or a drop puts in the input line: one line break at its end is dropped.
QString withoutTrailingLineBreak(QString text);

// The input line: a word-wrapping, centred, multi-line text box. Plain Enter is left to the
// window (it presses the evaluate button); Shift+Enter types a line break, so a multi-line
// statement can be written. Tab moves on to the next control instead of typing a tab.
//
// The cursor and selection survive a change of focus, and getting the focus back selects
// nothing by itself: the keypad edits at the kept cursor while its button has the focus.
//
// Up and Down move the cursor between lines; only where the cursor cannot go further (the first
// line, or the last) do they ask the recall handler for an earlier or later input.
class CommandBox : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit CommandBox(QWidget* parent = nullptr);

    // The text as typed: a non-breaking space stays one; a line break reads as "\n".
    QString text() const;
    // Replaces the whole text; the cursor goes to 0 with nothing selected.
    void setText(const QString& text);

    // Zero-based cursor position, or where the selection begins.
    qsizetype selStart() const;
    // Number of selected characters from selStart() on.
    qsizetype selLength() const;
    // Selects `length` characters from `start`, the cursor at the selection's end; positions
    // outside the text are clamped.
    void setSelection(qsizetype start, qsizetype length);

    // The text with its cursor and selection, as the keypad edits see it.
    keypad::LineState lineState() const;
    // Takes over an edited state: the text (as one undoable change, only if it differs), then
    // the cursor and selection.
    void setLineState(const keypad::LineState& state);

    void setAlignment(Qt::Alignment alignment);

    // Gives the text to put in the line for a step through earlier inputs (-1 for Up, +1 for
    // Down) with the line holding `current`, or nothing to let the key move the cursor.
    using RecallHandler =
        std::function<std::optional<QString>(int direction, const QString& current)>;
    void setRecallHandler(RecallHandler handler) { m_recall = std::move(handler); }

    // Turns on colouring, completion and the signature hint, which follow the engine's
    // language and global names.
    void setAssistSources(std::function<ScriptLanguage()> language,
                          std::function<QStringList()> names);
    // Nullptr until setAssistSources().
    InputAssist* assist() const { return m_assist; }

    // The context menu: the standard edit actions and whatever contextMenuOpening() adds.
    std::unique_ptr<QMenu> createContextMenu(const QPoint& position);

    // Above this many characters the input line wraps anywhere instead of at word boundaries.
    // Qt looks for a word boundary from each line's start to the end of the word, so a long
    // text without blanks ("1+1+1...") takes time that grows with the square of its length:
    // over a minute for a megabyte.
    static constexpr qsizetype kWordWrapLimit = 8192;
    // The most characters a paste or a drop may leave in the input line; a longer paste is
    // refused, and the line and the clipboard keep what they held.
    static constexpr qsizetype kMaxPastedLength = kMaxInputLength;

signals:
    // The context menu is being built; actions added to `menu` show after the standard ones.
    void contextMenuOpening(QMenu* menu);
    // A paste or drop was refused: it would have made the line `length` characters long.
    void pasteRefused(qsizetype length);

protected:
    // Tab and Ctrl+Space reach completion here, before Tab moves the focus.
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    // A paste or a drop: the wrapping is fitted to the coming length before the text goes in.
    // The data is read once; a source that goes away while it is read inserts nothing.
    void insertFromMimeData(const QMimeData* source) override;

private:
    // Chooses the wrapping for a text of `length` characters before it is laid out. Once a long
    // text has been in the box, the wrapping stays "anywhere" for as long as undo or redo could
    // bring that text back.
    void fitWrapping(qsizetype length);
    // Up or Down on the first or last line: puts the recalled text in, the cursor at its end.
    bool recall(int direction);

    RecallHandler m_recall;
    InputAssist* m_assist = nullptr;

    bool m_longText = false; // a text over kWordWrapLimit is in the box or its undo history
};

} // namespace quorvix::app
