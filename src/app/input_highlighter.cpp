#include "input_highlighter.h"

#include <QTextDocument>

namespace quorvix::app {

InputHighlighter::InputHighlighter(QTextDocument* document,
                                   std::function<ScriptLanguage()> language)
    : QSyntaxHighlighter(document), m_language(std::move(language)) {}

QTextCharFormat InputHighlighter::formatOf(SpanKind kind) {
    // Light colours, each readable on the input line's black background.
    QTextCharFormat format;
    switch (kind) {
    case SpanKind::Number:
        format.setForeground(QColor(0xff, 0xc0, 0x40));
        break;
    case SpanKind::String:
        format.setForeground(QColor(0x80, 0xf0, 0x80));
        break;
    case SpanKind::Keyword:
        format.setForeground(QColor(0x80, 0xb0, 0xff));
        format.setFontWeight(QFont::Bold);
        break;
    case SpanKind::Builtin:
        format.setForeground(QColor(0x40, 0xe0, 0xe0));
        break;
    case SpanKind::UserName:
        format.setForeground(QColor(0xff, 0xff, 0x80));
        break;
    case SpanKind::Operator:
        format.setForeground(QColor(0xf0, 0xf0, 0xf0));
        break;
    case SpanKind::Comment:
        format.setForeground(QColor(0xa0, 0xa0, 0xa0));
        format.setFontItalic(true);
        break;
    case SpanKind::MatchedBracket:
        format.setForeground(Qt::white);
        format.setBackground(QColor(0x30, 0x60, 0x30));
        break;
    case SpanKind::UnmatchedBracket:
        format.setForeground(Qt::white);
        format.setBackground(QColor(0xa0, 0x00, 0x00));
        break;
    }
    return format;
}

void InputHighlighter::setUserNames(QSet<QString> names) {
    if (names != m_userNames) {
        m_userNames = std::move(names);
        m_revision = -1;
        rehighlight();
    }
}

bool InputHighlighter::nearBracket(qsizetype cursor) const {
    for (const SyntaxSpan& span : m_spans) {
        if ((span.kind == SpanKind::MatchedBracket || span.kind == SpanKind::UnmatchedBracket) &&
            (span.start == cursor || span.start + 1 == cursor)) {
            return true;
        }
    }
    const QTextDocument* doc = document();
    for (const qsizetype at : {cursor - 1, cursor}) {
        const QChar c = at >= 0 && at < doc->characterCount() ? doc->characterAt(int(at)) : QChar();
        if (QStringView(u"()[]{}").contains(c)) {
            return true;
        }
    }
    return false;
}

void InputHighlighter::setCursorPosition(qsizetype cursor) {
    if (cursor == m_cursor) {
        return;
    }
    const bool again = nearBracket(m_cursor) || nearBracket(cursor);
    m_cursor = cursor;
    if (again && document()->characterCount() - 1 <= kMaxHighlightedLength) {
        m_revision = -1;
        rehighlight();
    }
}

const std::vector<SyntaxSpan>& InputHighlighter::spans() {
    const ScriptLanguage language = m_language();
    if (m_revision != document()->revision() || language != m_spansLanguage) {
        QString text = document()->toRawText();
        for (QChar& c : text) {
            if (c == QChar::ParagraphSeparator || c == QChar::LineSeparator) {
                c = u'\n';
            }
        }
        m_spans = syntaxSpans(text, language, m_userNames, m_cursor);
        m_revision = document()->revision();
        m_spansLanguage = language;
    }
    return m_spans;
}

void InputHighlighter::highlightBlock(const QString& text) {
    if (document()->characterCount() - 1 > kMaxHighlightedLength) {
        return;
    }
    const qsizetype begin = currentBlock().position();
    const qsizetype end = begin + text.size();
    const std::vector<SyntaxSpan>& all = spans();
    auto it =
        std::lower_bound(all.begin(), all.end(), begin, [](const SyntaxSpan& s, qsizetype at) {
            return s.start + s.length <= at;
        });
    for (; it != all.end() && it->start < end; ++it) {
        const qsizetype from = std::max(it->start, begin);
        const qsizetype to = std::min(it->start + it->length, end);
        setFormat(int(from - begin), int(to - from), formatOf(it->kind));
    }
}

} // namespace quorvix::app
