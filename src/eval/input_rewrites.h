#pragma once

#include "script_engine.h"

#include <QString>

// The calculator's shorthand rules, applied to a copy of the input line before it goes to the
// engine. Pure functions; positions are qsizetype, so inputs of any length are scanned whole.
namespace quorvix {

// Removes leading and trailing space characters only; tabs and other white space stay.
QString trimBlanks(const QString& text);

// True when a text that begins so is the exponent shorthand: e or E followed by a digit, a sign,
// a bracket, a point, a blank or nothing ("e3", "E-2", "e(2+1)", "E"), or E followed by one
// memory name ("Ex", which the Exp key followed by a memory key makes). A longer name ("Exp(1)",
// "Eval", "eps") is the user's name, not a power of ten.
bool beginsWithExponentShorthand(QStringView text);

// Inserts "*" between ")(", between ")" and a digit, and between a digit and "(". Nothing else:
// "Sqr(4)" and "x2" stay, quotes are not respected.
QString insertImplicitMultiplication(const QString& text);

struct RewrittenInput {
    enum class Mode {
        Expression,           // evaluate `text` and store the answer in Ans
        Statement,            // execute `text`
        RefusedAnsAssignment, // "!ans=..." : refused, nothing runs
    };
    Mode mode = Mode::Expression;
    QString text;
    // What the rules put in front of the user's text ("Ans ", "Ans*10^") and how many of the
    // user's characters it stands in for (the leading e, the "!"), so that a position can be
    // traced back.
    qsizetype prefixLength = 0;
    qsizetype prefixReplaces = 0;
};

// The whole chain: trim, the keypad's signs × ÷ − read as * / - outside quoted text, implicit
// multiplication, then statement mode for a leading "!", or in expression mode a trailing "="
// dropped, a leading operator continuing from Ans, and a leading e or E (not the start of a
// longer name such as "Exp") as "Ans times ten to the power of".
RewrittenInput rewriteInput(const QString& input, ScriptLanguage language);

// The position in `input` of the character at `position` in rewriteInput(input)'s text; a
// position inside an added "Ans " or "*" goes to the user's character it stands for.
qsizetype inputPosition(const QString& input, const RewrittenInput& rewritten, qsizetype position);

} // namespace quorvix
