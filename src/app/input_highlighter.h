#pragma once

#include "syntax_spans.h"

#include <QSyntaxHighlighter>
#include <functional>

namespace quorvix::app {

// Colours the input line by syntaxSpans(). The whole text is scanned once per change and each
// paragraph takes its part, so a comment or string that spans lines is coloured whole.
class InputHighlighter : public QSyntaxHighlighter {
    Q_OBJECT
public:
    // Above this many characters nothing is coloured: every keystroke scans the whole text and
    // lays its paragraph out again with the formats.
    static constexpr qsizetype kMaxHighlightedLength = 20'000;

    InputHighlighter(QTextDocument* document, std::function<ScriptLanguage()> language);

    void setUserNames(QSet<QString> names);
    // The cursor decides which brackets are marked; a move next to a bracket colours again.
    void setCursorPosition(qsizetype cursor);

    static QTextCharFormat formatOf(SpanKind kind);

protected:
    void highlightBlock(const QString& text) override;

private:
    const std::vector<SyntaxSpan>& spans();
    bool nearBracket(qsizetype cursor) const;

    std::function<ScriptLanguage()> m_language;
    QSet<QString> m_userNames;
    qsizetype m_cursor = 0;
    // The spans of the document as of m_revision (-1: to be scanned again).
    std::vector<SyntaxSpan> m_spans;
    int m_revision = -1;
    ScriptLanguage m_spansLanguage = ScriptLanguage::VBScript;
};

} // namespace quorvix::app
