#include "name_at_cursor.h"

namespace quorvix::app {
namespace {

bool isDigit(QChar c) {
    return c >= u'0' && c <= u'9';
}

// The start of the run of name characters that ends at `end`.
qsizetype nameStart(const QString& text, qsizetype end) {
    qsizetype start = end;
    while (start > 0 && isNameChar(text[start - 1])) {
        --start;
    }
    return start;
}

// The name before a dot at `dot`, or nothing when the dot follows something else (a digit:
// the dot is a decimal point).
std::optional<QString> qualifierBefore(const QString& text, qsizetype dot) {
    const qsizetype start = nameStart(text, dot);
    if (start == dot || isDigit(text[start])) {
        return std::nullopt;
    }
    return text.mid(start, dot - start);
}

} // namespace

bool isNameChar(QChar c) {
    return c.isLetterOrNumber() || c == u'_' || c == u'$';
}

std::optional<NamePrefix> namePrefixAt(const QString& text, qsizetype cursor,
                                       ScriptLanguage language, bool allowEmpty) {
    if (cursor < 0 || cursor > text.size()) {
        return std::nullopt;
    }
    if (cursor < text.size() && isNameChar(text[cursor])) {
        return std::nullopt; // in the middle of a word
    }
    NamePrefix result;
    result.start = nameStart(text, cursor);
    result.prefix = text.mid(result.start, cursor - result.start);
    if (result.prefix.isEmpty() && !allowEmpty) {
        return std::nullopt;
    }
    if (!result.prefix.isEmpty() && isDigit(result.prefix[0])) {
        return std::nullopt; // a number, its exponent included
    }
    const QChar before = result.start > 0 ? text[result.start - 1] : QChar();
    if (before == u'&' && language == ScriptLanguage::VBScript) {
        return std::nullopt; // &H1F, &O17
    }
    if (before == u'.') {
        const std::optional<QString> qualifier = qualifierBefore(text, result.start - 1);
        if (!qualifier) {
            return std::nullopt;
        }
        result.qualifier = *qualifier;
    }
    const bool atStart = text.left(result.start).trimmed().isEmpty();
    // What Enter would read as the exponent shorthand ("e3", "Ex") is no name to complete.
    if (atStart && !result.prefix.isEmpty() &&
        beginsWithExponentShorthand(QStringView(text).mid(result.start))) {
        return std::nullopt;
    }
    return result;
}

std::optional<EnclosingCall> enclosingCall(const QString& text, qsizetype cursor) {
    int depth = 0;
    for (qsizetype i = std::min(cursor, text.size()) - 1; i >= 0; --i) {
        const QChar c = text[i];
        if (c == u')') {
            ++depth;
        } else if (c == u'(' && depth > 0) {
            --depth;
        } else if (c == u'(') {
            qsizetype end = i;
            while (end > 0 && text[end - 1] == u' ') {
                --end;
            }
            const qsizetype start = nameStart(text, end);
            if (start == end || isDigit(text[start])) {
                return std::nullopt;
            }
            EnclosingCall call{text.mid(start, end - start), {}};
            if (start > 0 && text[start - 1] == u'.') {
                call.qualifier = qualifierBefore(text, start - 1).value_or(QString());
            }
            return call;
        } else if (c == u'\n') {
            return std::nullopt;
        }
    }
    return std::nullopt;
}

} // namespace quorvix::app
