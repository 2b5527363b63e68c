#pragma once

#include "input_rewrites.h"

#include <QSet>
#include <QString>
#include <vector>

namespace quorvix::app {

enum class SpanKind {
    Number,
    String,
    Keyword,
    Builtin, // built-in functions and constants
    UserName,
    Operator,
    Comment,
    Bracket,          // a bracket with its partner, in a quiet colour
    MatchedBracket,   // the bracket at the cursor and its partner
    UnmatchedBracket, // a bracket without a partner, wherever the cursor is
};

struct SyntaxSpan {
    qsizetype start = 0;
    qsizetype length = 0;
    SpanKind kind = SpanKind::Number;
    friend bool operator==(const SyntaxSpan&, const SyntaxSpan&) = default;
};

// The coloured pieces of a text but for the marks at the cursor, in order, and where its
// brackets outside strings and comments are with their partners. The marks depend on the cursor
// only, so a cursor move asks for them alone.
struct ScannedText {
    std::vector<SyntaxSpan> spans;
    std::vector<qsizetype> brackets;
    std::vector<qsizetype> partners; // of each bracket in `brackets`, or -1 when it has none
    // The names outside strings and comments, as written (start, length), in order.
    std::vector<std::pair<qsizetype, qsizetype>> names;
};
ScannedText scanSyntax(const QString& text, ScriptLanguage language,
                       const QSet<QString>& userNames);

// The bracket at the cursor (the one after it, else the one before) marked with its partner, or
// alone as unmatched; in order, empty when the cursor is at no bracket.
std::vector<SyntaxSpan> bracketMarks(const ScannedText& scanned, qsizetype cursor);

// Both in one list, in order; a mark takes the place of the span it covers. Text not covered
// keeps the line's own colour. `userNames` holds the names of the engine's global scope (lower
// case for VBScript).
std::vector<SyntaxSpan> syntaxSpans(const QString& text, ScriptLanguage language,
                                    const QSet<QString>& userNames, qsizetype cursor);
std::vector<SyntaxSpan> withMarks(const std::vector<SyntaxSpan>& spans,
                                  const std::vector<SyntaxSpan>& marks);

} // namespace quorvix::app
