#include "input_highlighter.h"

#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>
#include <algorithm>
#include <array>

namespace quorvix::app {
namespace {

constexpr std::size_t kKinds = static_cast<std::size_t>(SpanKind::UnmatchedBracket) + 1;

// A format that sets only colours leaves every glyph where it was, so it may be left out of
// text that is not on screen; any other property could move the line breaks.
bool onlyColours(const QTextCharFormat& format) {
    const QMap<int, QVariant> properties = format.properties();
    return std::all_of(properties.keyBegin(), properties.keyEnd(), [](int property) {
        return property == QTextFormat::ForegroundBrush || property == QTextFormat::BackgroundBrush;
    });
}

// A position after an edit at `from` that took `removed` characters and put `added` in.
qsizetype shifted(qsizetype at, int from, int removed, int added) {
    if (at >= from + removed) {
        return at + added - removed;
    }
    return std::min<qsizetype>(at, from + added);
}

} // namespace

InputHighlighter::InputHighlighter(QTextDocument* document,
                                   std::function<ScriptLanguage()> language,
                                   std::function<qsizetype()> cursor)
    : QObject(document), m_document(document), m_language(std::move(language)),
      m_cursorNow(std::move(cursor)) {
    connect(document, &QTextDocument::contentsChange, this, &InputHighlighter::contentsChanged);
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
    case SpanKind::Bracket:
        // Quieter than the line's own red, which would read as a fault.
        format.setForeground(QColor(0xb0, 0xb0, 0xb0));
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

void InputHighlighter::setCursorPosition(qsizetype cursor) {
    if (cursor == m_cursor) {
        return;
    }
    m_cursor = cursor;
    std::vector<SyntaxSpan> marks = bracketMarks(m_scanned, cursor);
    if (marks != m_marks) {
        m_marks = std::move(marks);
        apply();
    }
}

void InputHighlighter::setVisibleRange(qsizetype from, qsizetype to) {
    m_visibleFrom = from;
    m_visibleTo = to;
    if (!m_applying && (from < m_colouredFrom || to > m_colouredTo)) {
        apply();
    }
}

void InputHighlighter::contentsChanged(int from, int removed, int added) {
    if (m_applying || (removed == 0 && added == 0)) {
        return;
    }
    // The characters on screen move with the edit until the line reports them again.
    if (m_visibleTo != kEverything) {
        m_visibleFrom = shifted(m_visibleFrom, from, removed, added);
        m_visibleTo = shifted(m_visibleTo, from, removed, added);
    }
    rehighlight();
}

void InputHighlighter::rehighlight() {
    m_text = m_document->toRawText();
    for (QChar& c : m_text) {
        if (c == QChar::ParagraphSeparator || c == QChar::LineSeparator) {
            c = u'\n';
        }
    }
    m_scanned = m_document->characterCount() - 1 <= kMaxHighlightedLength
                    ? scanSyntax(m_text, m_language(), m_userNames)
                    : ScannedText();
    if (m_cursorNow) {
        m_cursor = m_cursorNow();
    }
    m_marks = bracketMarks(m_scanned, m_cursor);
    apply();
}

void InputHighlighter::apply() {
    static const std::array<QTextCharFormat, kKinds> formats = [] {
        std::array<QTextCharFormat, kKinds> all;
        for (std::size_t i = 0; i < all.size(); ++i) {
            all[i] = formatOf(static_cast<SpanKind>(i));
        }
        return all;
    }();
    static const std::array<bool, kKinds> colourOnly = [] {
        std::array<bool, kKinds> all{};
        for (std::size_t i = 0; i < all.size(); ++i) {
            all[i] = onlyColours(formats[i]);
        }
        return all;
    }();
    m_colouredFrom = m_visibleFrom <= kColouredMargin ? 0 : m_visibleFrom - kColouredMargin;
    m_colouredTo =
        m_visibleTo >= kEverything - kColouredMargin ? kEverything : m_visibleTo + kColouredMargin;
    const std::vector<SyntaxSpan> spans = withMarks(m_scanned.spans, m_marks);
    m_applying = true;
    auto span = spans.cbegin();
    for (QTextBlock block = m_document->begin(); block.isValid(); block = block.next()) {
        const qsizetype begin = block.position();
        const qsizetype end = begin + block.length();
        QList<QTextLayout::FormatRange> ranges;
        for (; span != spans.cend() && span->start < end; ++span) {
            const auto kind = static_cast<std::size_t>(span->kind);
            const qsizetype from = std::max(span->start, begin);
            const qsizetype to = std::min(span->start + span->length, end);
            if (!colourOnly[kind] || (to > m_colouredFrom && from < m_colouredTo)) {
                ranges.append({int(from - begin), int(to - from), formats[kind]});
            }
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
