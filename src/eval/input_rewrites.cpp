#include "input_rewrites.h"

namespace quorvix {

namespace {

bool isDigit(QChar c) {
    return c >= u'0' && c <= u'9';
}

bool needsStar(QChar a, QChar b) {
    return (a == u')' && (b == u'(' || isDigit(b))) || (isDigit(a) && b == u'(');
}

bool isNameCharacter(QChar c) {
    return c.isLetterOrNumber() || c == u'_';
}

bool isMemoryName(QChar c) {
    return QStringView(u"xyzck").contains(c.toLower());
}

// The signs the keypad shows (multiplication sign, division sign, minus sign) read as the
// operators they stand for, outside quoted text; one character for one, so positions keep.
QString readOperatorSigns(QString text, ScriptLanguage language) {
    const QStringView quotes =
        language == ScriptLanguage::JavaScript ? QStringView(u"\"'`") : QStringView(u"\"");
    QChar quote; // the quote that opened the text being read, if any
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (!quote.isNull()) {
            // JavaScript's backslash escapes the next character; VBScript doubles its quote,
            // which closes and reopens the text here with the same effect.
            if (c == u'\\' && language == ScriptLanguage::JavaScript) {
                ++i;
            } else if (c == quote) {
                quote = QChar();
            }
        } else if (quotes.contains(c)) {
            quote = c;
        } else if (c == u'\u00D7') {
            text[i] = u'*';
        } else if (c == u'\u00F7') {
            text[i] = u'/';
        } else if (c == u'\u2212') {
            text[i] = u'-';
        }
    }
    return text;
}

} // namespace

bool beginsWithExponentShorthand(QStringView text) {
    if (text.isEmpty() || (text[0] != u'e' && text[0] != u'E')) {
        return false;
    }
    if (text.size() == 1 || !isNameCharacter(text[1]) || isDigit(text[1])) {
        return true;
    }
    return isMemoryName(text[1]) && (text.size() == 2 || !isNameCharacter(text[2]));
}

QString trimBlanks(const QString& text) {
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text[begin] == u' ') {
        ++begin;
    }
    while (end > begin && text[end - 1] == u' ') {
        --end;
    }
    return text.mid(begin, end - begin);
}

QString insertImplicitMultiplication(const QString& text) {
    // One pass suffices: an inserted "*" never forms a pair itself, so a scan that also visits
    // the inserted characters finds exactly the pairs of the original text.
    QString out;
    out.reserve(text.size() + text.size() / 4);
    for (qsizetype i = 0; i < text.size(); ++i) {
        out.append(text[i]);
        if (i + 1 < text.size() && needsStar(text[i], text[i + 1])) {
            out.append(u'*');
        }
    }
    return out;
}

RewrittenInput rewriteInput(const QString& input, ScriptLanguage language) {
    QString text = insertImplicitMultiplication(readOperatorSigns(trimBlanks(input), language));
    if (text.startsWith(u'!')) {
        text.remove(0, 1);
        // Ans is the calculator's own; a statement may not assign it directly. Only the exact
        // start "ans=" is refused ("Ans =1" with a blank runs as typed).
        if (text.left(4).toLower() == QLatin1String("ans=")) {
            return {RewrittenInput::Mode::RefusedAnsAssignment, text};
        }
        // The dropped "!" is an empty prefix standing in for one character.
        return {RewrittenInput::Mode::Statement, text, 0, 1};
    }
    if (text.endsWith(u'=')) {
        text.chop(1);
    }
    if (!text.isEmpty()) {
        const QChar first = text[0];
        if (first == u'+' || first == u'-' || first == u'*' || first == u'/' || first == u'^') {
            text.prepend(QLatin1String("Ans "));
            return {RewrittenInput::Mode::Expression, text, 4, 0};
        } else if (beginsWithExponentShorthand(text)) {
            // "^" is exclusive or in JavaScript, so there the power operator is "**".
            const QLatin1String power = language == ScriptLanguage::JavaScript
                                            ? QLatin1String("Ans*10**")
                                            : QLatin1String("Ans*10^");
            text.replace(0, 1, power);
            return {RewrittenInput::Mode::Expression, text, power.size(), 1};
        }
    }
    return {RewrittenInput::Mode::Expression, text};
}

} // namespace quorvix

namespace quorvix {

qsizetype inputPosition(const QString& input, const RewrittenInput& rewritten, qsizetype position) {
    // Back through the prefix, then through the inserted stars, then past the trimmed blanks.
    const qsizetype inStarred = position < rewritten.prefixLength
                                    ? 0
                                    : position - rewritten.prefixLength + rewritten.prefixReplaces;
    qsizetype lead = 0;
    while (lead < input.size() && input[lead] == u' ') {
        ++lead;
    }
    const QString trimmed = trimBlanks(input);
    qsizetype starred = 0; // where trimmed[i] is in the text with the stars
    for (qsizetype i = 0; i < trimmed.size(); ++i) {
        if (starred >= inStarred) {
            return lead + i;
        }
        ++starred;
        if (i + 1 < trimmed.size() && needsStar(trimmed[i], trimmed[i + 1])) {
            if (starred >= inStarred) {
                return lead + i + 1; // an added "*" stands for the character after it
            }
            ++starred;
        }
    }
    return lead + trimmed.size();
}

} // namespace quorvix
