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
    MatchedBracket,
    UnmatchedBracket,
};

struct SyntaxSpan {
    qsizetype start = 0;
    qsizetype length = 0;
    SpanKind kind = SpanKind::Number;
    friend bool operator==(const SyntaxSpan&, const SyntaxSpan&) = default;
};

// The coloured pieces of the input line, in order; text not covered keeps the line's own
// colour. `userNames` holds the names of the engine's global scope (lower case for VBScript).
// The bracket at the cursor (the one after it, else the one before) is marked with its partner,
// or alone as unmatched.
std::vector<SyntaxSpan> syntaxSpans(const QString& text, ScriptLanguage language,
                                    const QSet<QString>& userNames, qsizetype cursor);

} // namespace quorvix::app
