#include "command_box.h"

#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QPainter>
#include <QPointer>
#include <QTextCursor>
#include <algorithm>

namespace quorvix::app {

namespace {

// The clipboard's data is fetched from its owner on demand, and every fetch runs the event loop,
// during which the owner may go away and the clipboard drop or replace `source`. So the text is
// read once, the object checked before each further use, and only the copy is kept.
QString textOf(const QMimeData* source) {
    const QPointer<const QMimeData> guard(source);
    if (!guard || !guard->hasText() || !guard) {
        return {};
    }
    return guard->text();
}

} // namespace

QString withoutTrailingLineBreak(QString text) {
    // A copied terminal line or spreadsheet cell ends with its line break, which the user did not
    // mean as a second line; the breaks inside a copied script stay.
    if (text.endsWith(u"\r\n")) {
        text.chop(2);
    } else if (text.endsWith(u'\n') || text.endsWith(u'\r')) {
        text.chop(1);
    }
    return text;
}

CommandBox::CommandBox(QWidget* parent) : QPlainTextEdit(parent) {
    setTabChangesFocus(true);
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    connect(document(), &QTextDocument::contentsChanged, this,
            [this] { fitWrapping(document()->characterCount() - 1); });
    // Two lines are visible; longer input scrolls with the cursor.
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
}

void CommandBox::fitWrapping(qsizetype length) {
    if (length > kWordWrapLimit) {
        m_longText = true;
    } else if (!document()->isUndoAvailable() && !document()->isRedoAvailable()) {
        m_longText = false;
    }
    const QTextOption::WrapMode mode =
        m_longText ? QTextOption::WrapAnywhere : QTextOption::WrapAtWordBoundaryOrAnywhere;
    if (wordWrapMode() != mode) {
        setWordWrapMode(mode);
    }
}

void CommandBox::setText(const QString& text) {
    fitWrapping(text.size());
    setPlainText(text);
    setSelection(0, 0);
}

qsizetype CommandBox::selStart() const {
    return textCursor().selectionStart();
}

qsizetype CommandBox::selLength() const {
    const QTextCursor cursor = textCursor();
    return cursor.selectionEnd() - cursor.selectionStart();
}

void CommandBox::setSelection(qsizetype start, qsizetype length) {
    // The document's last position is its character count minus the closing paragraph mark.
    const qsizetype last = std::max<qsizetype>(0, document()->characterCount() - 1);
    start = std::clamp<qsizetype>(start, 0, last);
    length = std::clamp<qsizetype>(length, 0, last - start);
    QTextCursor cursor = textCursor();
    cursor.setPosition(int(start));
    cursor.setPosition(int(start + length), QTextCursor::KeepAnchor);
    setTextCursor(cursor);
}

keypad::LineState CommandBox::lineState() const {
    return {text(), selStart(), selLength()};
}

void CommandBox::setLineState(const keypad::LineState& state) {
    if (state.text != text()) {
        fitWrapping(state.text.size());
        QTextCursor cursor = textCursor();
        cursor.select(QTextCursor::Document);
        cursor.insertText(state.text);
    }
    setSelection(state.selStart, state.selLength);
}

void CommandBox::setAlignment(Qt::Alignment alignment) {
    QTextOption option = document()->defaultTextOption();
    option.setAlignment(alignment);
    document()->setDefaultTextOption(option);
}

QString CommandBox::text() const {
    // toPlainText() would turn a non-breaking space into a blank; the line is taken as typed,
    // only the paragraph and line separators read back as "\n".
    QString text = document()->toRawText();
    for (QChar& c : text) {
        if (c == QChar::ParagraphSeparator || c == QChar::LineSeparator) {
            c = u'\n';
        }
    }
    return text;
}

void CommandBox::insertFromMimeData(const QMimeData* source) {
    // The base class would read `source` again after it may have gone: the copy is inserted
    // here, as plain text, the way the base class inserts it.
    const QString pasted = withoutTrailingLineBreak(textOf(source));
    if (pasted.isEmpty() || isReadOnly()) {
        return;
    }
    const qsizetype length = document()->characterCount() - 1 - selLength() + pasted.size();
    if (length > kMaxPastedLength) {
        emit pasteRefused(length);
        return;
    }
    fitWrapping(length);
    QTextCursor cursor = textCursor();
    cursor.insertText(pasted);
    setTextCursor(cursor);
    ensureCursorVisible();
}

std::unique_ptr<QMenu> CommandBox::createContextMenu(const QPoint& position) {
    std::unique_ptr<QMenu> menu(createStandardContextMenu(position));
    emit contextMenuOpening(menu.get());
    return menu;
}

void CommandBox::contextMenuEvent(QContextMenuEvent* event) {
    const std::unique_ptr<QMenu> menu = createContextMenu(event->pos());
    menu->exec(event->globalPos());
}

void CommandBox::paintEvent(QPaintEvent* event) {
    QPlainTextEdit::paintEvent(event);
    if (m_assist) {
        QPainter painter(viewport());
        m_assist->paintErrorMark(painter);
    }
}

void CommandBox::setAssistSources(std::function<ScriptLanguage()> language,
                                  std::function<QStringList()> names) {
    delete m_assist;
    m_assist = new InputAssist(this, std::move(language), std::move(names));
}

bool CommandBox::event(QEvent* event) {
    if (m_assist && event->type() == QEvent::KeyPress &&
        m_assist->keyPress(*static_cast<QKeyEvent*>(event)) == InputAssist::KeyUse::Consumed) {
        event->accept();
        return true;
    }
    return QPlainTextEdit::event(event);
}

bool CommandBox::recall(int direction) {
    if (!m_recall) {
        return false;
    }
    // Visual lines count, so Up still walks through a long line that wraps.
    QTextCursor probe = textCursor();
    probe.clearSelection();
    if (probe.movePosition(direction < 0 ? QTextCursor::Up : QTextCursor::Down)) {
        return false;
    }
    const std::optional<QString> recalled = m_recall(direction, text());
    if (!recalled) {
        return false;
    }
    // One undoable change: Ctrl+Z brings back what the line held.
    setLineState({*recalled, recalled->size(), 0});
    ensureCursorVisible();
    return true;
}

void CommandBox::keyPressEvent(QKeyEvent* event) {
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    if ((event->key() == Qt::Key_Up || event->key() == Qt::Key_Down) &&
        modifiers == Qt::NoModifier && recall(event->key() == Qt::Key_Up ? -1 : +1)) {
        event->accept();
        return;
    }
    if (event->key() == Qt::Key_F10 && modifiers == Qt::ShiftModifier) {
        // The keyboard's other way to the context menu, for keyboards without a menu key.
        const QPoint at = cursorRect().center();
        QContextMenuEvent menuEvent(QContextMenuEvent::Keyboard, at, viewport()->mapToGlobal(at));
        contextMenuEvent(&menuEvent);
        event->accept();
        return;
    }
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        if (modifiers == Qt::ShiftModifier) {
            // A real paragraph break, so that the text reads back with "\n".
            insertPlainText(QStringLiteral("\n"));
            event->accept();
            return;
        }
        if (modifiers == Qt::NoModifier) {
            // The window's default button takes it.
            event->ignore();
            return;
        }
    }
    QPlainTextEdit::keyPressEvent(event);
}

} // namespace quorvix::app
