#include "sign_toggle.h"

#include <QStringView>

namespace quorvix::keypad {

namespace {

QString joined(std::initializer_list<QStringView> pieces) {
    qsizetype size = 0;
    for (QStringView piece : pieces) {
        size += piece.size();
    }
    QString result;
    result.reserve(size);
    for (QStringView piece : pieces) {
        result.append(piece);
    }
    return result;
}

// Wraps the text from zero-based `from` on as "(-" ... ")", keeping what comes before.
QString wrappedFrom(QStringView text, qsizetype from) {
    return joined({text.first(from), u"(-", text.sliced(from), u")"});
}

// The text ends with ")" and has at least two characters. Positions below are zero-based.
QString scanBrackets(QStringView text) {
    const qsizetype last = text.size() - 1;
    if (last == 1) {
        return wrappedFrom(text, 0); // nothing to scan: "5)" gives "(-5))"
    }
    qsizetype i = last - 2;
    while (i > 0 && isAsciiDigit(text[i])) {
        --i;
    }
    const QChar c = text[i];
    if (c == u'(') {
        return joined({text.first(i + 1), u"-", text.sliced(i + 1)});
    }
    if (i == 0) {
        return isAsciiDigit(c) ? joined({u"(-", text}) : wrappedFrom(text, 1);
    }
    if (c == u'-' && text[i - 1] == u'(') {
        if (i == 1) {
            return text.sliced(2, last - 2).toString();
        }
        if (!isAsciiDigit(text[i - 2])) {
            // The wrapper's "(-" and the text's final ")" both go.
            return joined({text.first(i - 1), text.sliced(i + 1, last - i - 1)});
        }
        return joined({text.first(i), text.sliced(i + 1)});
    }
    return wrappedFrom(text, i + 1);
}

QString toggled(QStringView text) {
    if (text.isEmpty()) {
        return QStringLiteral("-");
    }
    if (text.endsWith(u')')) {
        return text.size() == 1 ? text.toString() : scanBrackets(text);
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
