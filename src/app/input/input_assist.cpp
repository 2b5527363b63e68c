#include "input_assist.h"

#include "input_highlighter.h"
#include "name_at_cursor.h"
#include "name_candidates.h"
#include "script_words.h"

#include <QAbstractItemView>
#include <QCompleter>
#include <QKeyEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QStringListModel>
#include <QTextBlock>
#include <QTextLayout>
#include <QToolTip>
#include <optional>

namespace quorvix::app {
namespace {

QString plainText(const QPlainTextEdit& box) {
    QString text = box.document()->toRawText();
    for (QChar& c : text) {
        if (c == QChar::ParagraphSeparator || c == QChar::LineSeparator) {
            c = u'\n';
        }
    }
    return text;
}

// The characters of the lines on screen, and of a line either side. The input line scrolls by
// whole lines, the vertical scroll bar counting them, so the lines are read from the layout; a
// hit test would shape them again, which costs more than the colours it saves. Nothing while a
// paragraph on the way is not laid out yet.
std::optional<std::pair<qsizetype, qsizetype>> shownText(const QPlainTextEdit& box) {
    const QTextDocument* document = box.document();
    const int first = std::max(0, box.verticalScrollBar()->value() - 1);
    int lines = box.viewport()->height() / std::max(1, box.fontMetrics().lineSpacing()) + 2;
    QTextBlock block = document->findBlockByLineNumber(first);
    if (!block.isValid()) {
        return std::nullopt;
    }
    int line = first - block.firstLineNumber();
    const QTextLine top = block.layout()->lineAt(line);
    const qsizetype from = block.position() + (top.isValid() ? top.textStart() : 0);
    // Forward through the paragraphs until enough lines are counted.
    while (block.isValid()) {
        const int count = block.layout()->lineCount();
        if (count == 0) {
            return std::nullopt;
        }
        if (line + lines < count) {
            const QTextLine bottom = block.layout()->lineAt(line + lines);
            return std::pair{from, block.position() + bottom.textStart() + bottom.textLength()};
        }
        lines -= count - line;
        line = 0;
        block = block.next();
    }
    return std::pair{from, document->characterCount()};
}

bool tooLong(const QPlainTextEdit& box) {
    return box.document()->characterCount() - 1 > InputHighlighter::kMaxHighlightedLength;
}

} // namespace

InputAssist::InputAssist(QPlainTextEdit* box, std::function<ScriptLanguage()> language,
                         std::function<QStringList()> names)
    : QObject(box), m_box(box), m_language(std::move(language)), m_names(std::move(names)),
      m_highlighter(new InputHighlighter(box->document(), m_language,
                                         [box] { return box->textCursor().position(); })),
      m_completer(new QCompleter(this)), m_model(new QStringListModel(this)) {
    m_completer->setModel(m_model);
    m_completer->setWidget(box);
    m_completer->setCompletionMode(QCompleter::PopupCompletion);
    m_completer->setCaseSensitivity(Qt::CaseInsensitive);
    m_completer->setFilterMode(Qt::MatchStartsWith);
    connect(m_completer, qOverload<const QString&>(&QCompleter::activated), this,
            &InputAssist::insertCompletion);
    connect(box, &QPlainTextEdit::cursorPositionChanged, this, [this] {
        m_highlighter->setCursorPosition(m_box->textCursor().position());
        updateHint();
    });
    connect(box->document(), &QTextDocument::contentsChanged, this, &InputAssist::textChanged);
    // Every scroll, resize and edit asks for a repaint first: the colours follow what is shown.
    connect(box, &QPlainTextEdit::updateRequest, this, [this] {
        if (const auto shown = shownText(*m_box)) {
            m_highlighter->setVisibleRange(shown->first, shown->second);
        }
    });
}

void InputAssist::refreshNames() {
    const ScriptLanguage language = m_language();
    QSet<QString> names;
    for (const QString& name : m_names()) {
        names.insert(language == ScriptLanguage::VBScript ? name.toLower() : name);
    }
    m_userNames = names;
    m_highlighter->setUserNames(std::move(names));
}

void InputAssist::rehighlight() {
    m_highlighter->rehighlight();
}

InputAssist::KeyUse InputAssist::keyPress(QKeyEvent& event) {
    const Qt::KeyboardModifiers modifiers = event.modifiers() & ~Qt::KeypadModifier;
    const int key = event.key();
    if (m_completer->popup()->isVisible()) {
        if (key == Qt::Key_Escape) {
            m_completer->popup()->hide();
            return KeyUse::Consumed;
        }
        if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Tab) {
            acceptCompletion();
            return KeyUse::Consumed;
        }
        return KeyUse::NotMine;
    }
    const bool tab = key == Qt::Key_Tab && modifiers == Qt::NoModifier;
    const bool ctrlSpace = key == Qt::Key_Space && modifiers == Qt::ControlModifier;
    if ((tab || ctrlSpace) && openCompletion(ctrlSpace)) {
        return KeyUse::Consumed;
    }
    return KeyUse::NotMine;
}

QString InputAssist::spelled(const QString& name) const {
    return m_language() == ScriptLanguage::VBScript ? m_spellings.spelled(name) : name;
}

bool InputAssist::openCompletion(bool allowEmpty) {
    const QTextCursor cursor = m_box->textCursor();
    if (cursor.hasSelection() || m_box->isReadOnly()) {
        return false;
    }
    const ScriptLanguage language = m_language();
    refreshNames();
    const std::optional<NameCandidates> found = nameCandidates(
        plainText(*m_box), cursor.position(), language, m_userNames.values(),
        [this](const QString& name) { return spelled(name); }, allowEmpty);
    if (!found || found->names.isEmpty()) {
        return false;
    }
    m_model->setStringList(found->names);
    m_completer->setCompletionPrefix(found->prefix.prefix);
    if (m_completer->completionCount() == 0) {
        return false;
    }
    m_prefixStart = found->prefix.start;
    QRect rect = m_box->cursorRect();
    rect.setWidth(m_completer->popup()->sizeHintForColumn(0) + 24);
    m_completer->complete(rect);
    m_completer->popup()->setCurrentIndex(m_completer->completionModel()->index(0, 0));
    return true;
}

void InputAssist::acceptCompletion() {
    QModelIndex index = m_completer->popup()->currentIndex();
    if (!index.isValid()) {
        index = m_completer->completionModel()->index(0, 0);
    }
    const QString name = index.data().toString();
    m_completer->popup()->hide();
    if (!name.isEmpty()) {
        insertCompletion(name);
    }
}

void InputAssist::insertCompletion(const QString& name) {
    QTextCursor cursor = m_box->textCursor();
    const qsizetype end = cursor.position();
    if (m_prefixStart > end) {
        return;
    }
    cursor.setPosition(int(m_prefixStart));
    cursor.setPosition(int(end), QTextCursor::KeepAnchor);
    cursor.insertText(name);
    m_box->setTextCursor(cursor);
}

void InputAssist::textChanged() {
    if (!m_markedText.isNull() && plainText(*m_box) != m_markedText) {
        m_markedText = QString();
        m_errorMark.reset();
        m_box->viewport()->update();
    }
    if (m_completer->popup()->isVisible()) {
        // The list follows the name as it is typed, and goes when there is none.
        const std::optional<NamePrefix> found =
            namePrefixAt(plainText(*m_box), m_box->textCursor().position(), m_language(), true);
        if (!found || found->start != m_prefixStart) {
            m_completer->popup()->hide();
            return;
        }
        m_completer->setCompletionPrefix(found->prefix);
        if (m_completer->completionCount() == 0) {
            m_completer->popup()->hide();
        } else {
            m_completer->popup()->setCurrentIndex(m_completer->completionModel()->index(0, 0));
        }
    }
}

void InputAssist::updateHint() {
    QString hint;
    if (!tooLong(*m_box)) {
        const QTextCursor cursor = m_box->textCursor();
        if (const std::optional<EnclosingCall> call =
                enclosingCall(plainText(*m_box), cursor.position())) {
            const ScriptWord* word = findWord(m_language(), call->qualifier, call->name);
            if (word && word->signature.contains(u'(')) {
                hint = word->signature;
            }
        }
    }
    if (hint == m_hint) {
        return;
    }
    m_hint = hint;
    if (hint.isEmpty()) {
        QToolTip::hideText();
    } else if (m_box->hasFocus()) {
        QToolTip::showText(m_box->viewport()->mapToGlobal(m_box->cursorRect().bottomLeft()), hint,
                           m_box);
    }
}

void InputAssist::markError(qsizetype position) {
    const QString text = plainText(*m_box);
    if (text.isEmpty()) {
        return;
    }
    m_errorMark = std::clamp<qsizetype>(position, 0, text.size() - 1);
    m_markedText = text;
    m_box->viewport()->update();
}

void InputAssist::paintErrorMark(QPainter& painter) const {
    if (!m_errorMark) {
        return;
    }
    QTextCursor cursor(m_box->document());
    cursor.setPosition(int(*m_errorMark));
    const QRect at = m_box->cursorRect(cursor);
    cursor.setPosition(int(*m_errorMark + 1));
    const QRect next = m_box->cursorRect(cursor);
    // The next position on the same line ends the character; a line break or the end of a
    // wrapped line has no such end, so it gets a character's usual width.
    const int minWidth = m_box->fontMetrics().averageCharWidth();
    const int width =
        next.top() == at.top() && next.left() > at.left() ? next.left() - at.left() : minWidth;
    // A little wider than the character, so that even a narrow one gets a few waves.
    const int left = at.left() - std::max(0, minWidth - width) / 2 - 2;
    const int right = left + std::max(width, minWidth) + 2;
    // A zigzag three pixels deep across the bottom of the line, in a full colour on a dark
    // edge, so that it stands out on black, on the selection and on a marked bracket alike.
    QPolygon wave;
    const int base = at.bottom() + 1;
    for (int x = left, step = 0; x <= right; x += 3, ++step) {
        wave << QPoint(x, step % 2 == 0 ? base : base - 3);
    }
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(Qt::black, 4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPolyline(wave);
    painter.setPen(QPen(errorMarkColour(), 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPolyline(wave);
    painter.restore();
}

} // namespace quorvix::app
