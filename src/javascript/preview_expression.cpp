#include "preview_expression.h"

#include <QStringView>
#include <algorithm>
#include <iterator>

namespace quorvix {
namespace {

// Operators that read their operands and change nothing, longest first so that the longest
// match wins. Sequences that would read as one of these but mean something else are refused
// before (kRefused): "x++" must not pass as "x + +".
constexpr QStringView kOperators[] = {u">>>", u"===", u"!==", u"**", u"<<", u">>", u"<=", u">=",
                                      u"==",  u"!=",  u"&&",  u"||", u"??", u"+",  u"-",  u"*",
                                      u"/",   u"%",   u"<",   u">",  u"&",  u"|",  u"^",  u"~",
                                      u"!",   u"?",   u":",   u"(",  u")"};
// "//" and "/*" would hide the rest of the text in a comment; "=>" makes a function.
constexpr QStringView kRefused[] = {u"++", u"--", u"//", u"/*", u"=>"};

// The Math members a preview may use: all but random, which advances its sequence.
constexpr QStringView kMathMembers[] = {
    u"abs",  u"acos",   u"acosh", u"asin",  u"asinh",   u"atan",  u"atanh", u"atan2",  u"cbrt",
    u"ceil", u"clz32",  u"cos",   u"cosh",  u"exp",     u"expm1", u"floor", u"fround", u"hypot",
    u"imul", u"log",    u"log1p", u"log10", u"log2",    u"max",   u"min",   u"pow",    u"round",
    u"sign", u"sin",    u"sinh",  u"sqrt",  u"tan",     u"tanh",  u"trunc", u"E",      u"LN10",
    u"LN2",  u"LOG10E", u"LOG2E", u"PI",    u"SQRT1_2", u"SQRT2"};

// Words that are no plain name: an operator (delete, typeof, in, new), a literal or a statement.
constexpr QStringView kKeywords[] = {
    u"await",    u"break",      u"case",      u"catch", u"class",    u"const",      u"continue",
    u"debugger", u"default",    u"delete",    u"do",    u"else",     u"enum",       u"export",
    u"extends",  u"false",      u"finally",   u"for",   u"function", u"if",         u"import",
    u"in",       u"instanceof", u"let",       u"new",   u"null",     u"return",     u"static",
    u"super",    u"switch",     u"this",      u"throw", u"true",     u"try",        u"typeof",
    u"var",      u"void",       u"while",     u"with",  u"yield",    u"implements", u"interface",
    u"package",  u"private",    u"protected", u"public"};

template <std::size_t N> bool listed(const QStringView (&list)[N], QStringView word) {
    return std::find(std::begin(list), std::end(list), word) != std::end(list);
}

bool isDigit(QChar c) {
    return c >= u'0' && c <= u'9';
}
bool startsName(QChar c) {
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || c == u'_' || c == u'$';
}
bool continuesName(QChar c) {
    return startsName(c) || isDigit(c);
}
bool isHexDigit(QChar c) {
    return isDigit(c) || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F');
}

// Reads the text left to right; every step either takes one token or refuses.
class Reader {
public:
    explicit Reader(QStringView text) : m_text(text) {}

    std::optional<PreviewReads> read() {
        while (skipSpace()) {
            if (!token()) {
                return std::nullopt;
            }
        }
        return m_reads;
    }

private:
    QChar at(qsizetype i) const { return i < m_text.size() ? m_text[i] : QChar(); }
    bool startsWith(QStringView s) const { return m_text.mid(m_pos).startsWith(s); }

    // Spaces and tabs only: a line break could end a statement where the reader sees none.
    bool skipSpace() {
        while (m_pos < m_text.size() && (m_text[m_pos] == u' ' || m_text[m_pos] == u'\t')) {
            ++m_pos;
        }
        return m_pos < m_text.size();
    }

    bool token() {
        const QChar c = m_text[m_pos];
        if (isDigit(c) || (c == u'.' && isDigit(at(m_pos + 1)))) {
            return operand(number());
        }
        if (c == u'"' || c == u'\'') {
            return operand(string(c));
        }
        if (startsName(c)) {
            return operand(name());
        }
        for (const QStringView s : kRefused) {
            if (startsWith(s)) {
                return false;
            }
        }
        if (c == u',') {
            ++m_pos;
            m_operandNext = true;
            return true;
        }
        for (const QStringView op : kOperators) {
            if (startsWith(op)) {
                // A "/" where an operand belongs starts a regular expression.
                if (op == u"/" && m_operandNext) {
                    return false;
                }
                m_pos += op.size();
                m_operandNext = op != u")";
                return true;
            }
        }
        return false;
    }

    bool operand(bool taken) {
        m_operandNext = false;
        return taken;
    }

    void digits(bool (*isOne)(QChar)) {
        while (m_pos < m_text.size() && isOne(m_text[m_pos])) {
            ++m_pos;
        }
    }

    // 12, 1.5, .5, 1., 1e-3, 0x1F; a letter or digit right after it (1n, 0b1, 1_0, 1.x) is refused.
    bool number() {
        if (startsWith(u"0x") || startsWith(u"0X")) {
            m_pos += 2;
            const qsizetype first = m_pos;
            digits(isHexDigit);
            if (m_pos == first) {
                return false;
            }
        } else {
            digits(isDigit);
            if (at(m_pos) == u'.') {
                ++m_pos;
                digits(isDigit);
            }
            if (at(m_pos) == u'e' || at(m_pos) == u'E') {
                ++m_pos;
                if (at(m_pos) == u'+' || at(m_pos) == u'-') {
                    ++m_pos;
                }
                if (!isDigit(at(m_pos))) {
                    return false;
                }
                digits(isDigit);
            }
        }
        return !continuesName(at(m_pos)) && at(m_pos) != u'.';
    }

    // Quoted text without escapes or line breaks, whose value is exactly what it shows.
    bool string(QChar quote) {
        for (++m_pos; m_pos < m_text.size(); ++m_pos) {
            const QChar c = m_text[m_pos];
            if (c == quote) {
                ++m_pos;
                return true;
            }
            if (c == u'\\' || c < u' ' || c == QChar(0x2028) || c == QChar(0x2029)) {
                return false;
            }
        }
        return false;
    }

    QStringView word() {
        const qsizetype start = m_pos;
        digits(continuesName);
        return m_text.mid(start, m_pos - start);
    }

    // A name, or Math.<member>: the only "." the text may hold, as any other reaches a property
    // of a value (a getter, a method).
    bool name() {
        const QStringView w = word();
        if (listed(kKeywords, w)) {
            return false;
        }
        const bool member = skipSpace() && at(m_pos) == u'.';
        if (w != u"Math") {
            if (member) {
                return false;
            }
            m_reads.globals.append(w.toString());
            return true;
        }
        if (!member) {
            return false; // Math itself is an object
        }
        ++m_pos;
        skipSpace();
        const QStringView m = word();
        if (!listed(kMathMembers, m)) {
            return false;
        }
        m_reads.mathMembers.append(m.toString());
        return true;
    }

    QStringView m_text;
    qsizetype m_pos = 0;
    bool m_operandNext = true;
    PreviewReads m_reads;
};

} // namespace

std::optional<PreviewReads> previewReads(const QString& expression) {
    return Reader(expression).read();
}

} // namespace quorvix
