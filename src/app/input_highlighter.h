#pragma once

#include "syntax_spans.h"

#include <QObject>
#include <QTextCharFormat>
#include <functional>

class QTextDocument;

namespace quorvix::app {

// Colours the input line by syntaxSpans(). The whole text is scanned once per change and each
// paragraph takes its part, so a comment or string that spans lines is coloured whole. The
// formats go to the paragraphs' layouts as ranges: QSyntaxHighlighter copies a format for every
// character, which costs several times the layout itself in a long line.
class InputHighlighter : public QObject {
    Q_OBJECT
public:
    // Above this many characters nothing is coloured. Qt merges the formats of a paragraph at
    // each layout in time that grows faster than its length: a keystroke costs about 4 ms at
    // 4,000 characters but 20 ms at 10,000 (bench/input_bench), against 2 ms uncoloured.
    static constexpr qsizetype kMaxHighlightedLength = 4'000;

    InputHighlighter(QTextDocument* document, std::function<ScriptLanguage()> language);

    void setUserNames(QSet<QString> names);
    // The cursor decides which brackets are marked; a move next to a bracket colours again.
    void setCursorPosition(qsizetype cursor);

    static QTextCharFormat formatOf(SpanKind kind);
    // Colours the whole text again.
    void rehighlight();

private:
    bool nearBracket(qsizetype cursor) const;

    QTextDocument* m_document;
    std::function<ScriptLanguage()> m_language;
    QSet<QString> m_userNames;
    qsizetype m_cursor = 0;
    std::vector<SyntaxSpan> m_spans; // as last applied
    bool m_applying = false;         // the formats being set change the document too
};

} // namespace quorvix::app
