#include "sign_toggle.h"

#include <QStringView>

namespace quorvix::keypad {

namespace {

QString joined(std::initializer_list<QStringView> pieces) {
    QString result;
    for (QStringView piece : pieces) {
        result.append(piece);
    }
    return result;
}

// Wraps the text from zero-based `from` on as "(-" ... ")", keeping what comes before.
QString wrappedFrom(QStringView text, qsizetype from) {
    return joined({text.first(from), u"(-", text.sliced(from), u")"});
}

// The text ends with ")". The closers are its trailing run of ")"; the head is what comes
// before them. The toggle's own negation of a number is always "(-" number ")" with the ")"
// right after the number, so taking it away never touches a bracket the user typed, and two
// presses give the text back. Positions below are zero-based.
QString toggledBeforeClosers(QStringView text) {
    qsizetype headEnd = text.size();
    while (headEnd > 0 && text[headEnd - 1] == u')') {
        --headEnd;
    }
    if (headEnd == 0) {
        return text.toString(); // only brackets: no number to negate
    }
    if (isAsciiDigit(text[headEnd - 1])) {
        qsizetype start = headEnd - 1;
        while (start > 0 && isAsciiDigit(text[start - 1])) {
            --start;
        }
        const QStringView number = text.sliced(start, headEnd - start);
        if (start >= 2 && text[start - 2] == u'(' && text[start - 1] == u'-') {
            if (start >= 3 && isAsciiDigit(text[start - 3])) {
                // Only the minus goes: the bracket keeps the number apart from the digit
                // before it ("2(-5)" gives "2(5)").
                return joined({text.first(start - 1), text.sliced(start)});
            }
            // A wrapper: its "(-" and the ")" right after the number go.
            return joined({text.first(start - 2), number, text.sliced(headEnd + 1)});
        }
        return joined({text.first(start), u"(-", number, u")", text.sliced(headEnd)});
    }
    // No number just before the closers ("(2+)", "Sqr(x)"): the innermost bracket group that
    // ends there is negated by a minus after its "(", or the whole text when that "(" is
    // missing. A minus already there is what such a press left, and goes.
    qsizetype depth = 0;
    qsizetype open = headEnd - 1;
    for (; open >= 0; --open) {
        if (text[open] == u')') {
            ++depth;
        } else if (text[open] == u'(') {
            if (depth == 0) {
                break;
            }
            --depth;
        }
    }
    const qsizetype at = open + 1;
    if (text[at] == u'-') {
        return joined({text.first(at), text.sliced(at + 1)});
    }
    return joined({text.first(at), u"-", text.sliced(at)});
}

QString toggled(QStringView text) {
    if (text.isEmpty()) {
        return QStringLiteral("-");
    }
    if (text.endsWith(u')')) {
        return toggledBeforeClosers(text);
    }
    if (text.endsWith(u"(-")) {
        return text.chopped(2).toString();
    }
    if (!isAsciiDigit(text.back())) {
        return joined({text, u"(-"});
    }
    qsizetype start = text.size() - 1;
    while (start > 0 && isAsciiDigit(text[start - 1])) {
        --start;
    }
    return wrappedFrom(text, start);
}

} // namespace

LineState toggleSign(const LineState& state) {
    const LineState in = clamped(state);
    const bool allSelected = in.selLength == in.length();
    return cursorAtEnd(toggled(allSelected ? QStringView{} : QStringView{in.text}));
}

} // namespace quorvix::keypad
