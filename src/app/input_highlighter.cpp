#include "input_highlighter.h"

#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>
#include <array>

namespace quorvix::app {

InputHighlighter::InputHighlighter(QTextDocument* document,
                                   std::function<ScriptLanguage()> language)
    : QObject(document), m_document(document), m_language(std::move(language)) {
    connect(document, &QTextDocument::contentsChange, this, [this](int, int removed, int added) {
        if (!m_applying && (removed != 0 || added != 0)) {
            rehighlight();
        }
    });
}

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
    const QTextDocument* doc = m_document;
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
    if (again) {
        rehighlight();
    }
}

void InputHighlighter::rehighlight() {
    static const std::array<QTextCharFormat, 9> formats = [] {
        std::array<QTextCharFormat, 9> all;
        for (std::size_t i = 0; i < all.size(); ++i) {
            all[i] = formatOf(static_cast<SpanKind>(i));
        }
        return all;
    }();
    m_spans.clear();
    if (m_document->characterCount() - 1 <= kMaxHighlightedLength) {
        QString text = m_document->toRawText();
        for (QChar& c : text) {
            if (c == QChar::ParagraphSeparator || c == QChar::LineSeparator) {
                c = u'\n';
            }
        }
        m_spans = syntaxSpans(text, m_language(), m_userNames, m_cursor);
    }
    m_applying = true;
    auto span = m_spans.cbegin();
    for (QTextBlock block = m_document->begin(); block.isValid(); block = block.next()) {
        const qsizetype begin = block.position();
        const qsizetype end = begin + block.length();
        QList<QTextLayout::FormatRange> ranges;
        for (; span != m_spans.cend() && span->start < end; ++span) {
            const qsizetype from = std::max(span->start, begin);
            const qsizetype to = std::min(span->start + span->length, end);
            ranges.append(
                {int(from - begin), int(to - from), formats[static_cast<std::size_t>(span->kind)]});
            if (span->start + span->length > end) {
                break; // goes on in the next paragraph
            }
        }
        QTextLayout* layout = block.layout();
        if (layout->formats() != ranges) {
            layout->setFormats(ranges);
            m_document->markContentsDirty(int(begin), int(block.length()));
        }
    }
    m_applying = false;
}

} // namespace quorvix::app
