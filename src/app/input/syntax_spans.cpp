#include "syntax_spans.h"

#include "name_at_cursor.h"
#include "script_words.h"

#include <QHash>
#include <algorithm>
#include <array>
#include <optional>

namespace quorvix::app {
namespace {

bool isDigit(QChar c) {
    return c >= u'0' && c <= u'9';
}

bool isBracket(QChar c) {
    return c == u'(' || c == u')' || c == u'[' || c == u']' || c == u'{' || c == u'}';
}

class Scanner {
public:
    Scanner(const QString& text, ScriptLanguage language, const QSet<QString>& userNames)
        : m_text(text), m_js(language == ScriptLanguage::JavaScript), m_language(language),
          m_userNames(userNames) {}

    std::vector<SyntaxSpan> run() {
        // The calculator's exponent shorthand: a leading "e3" is a number.
        skipBlanks();
        if (m_at < size() && (at(0) == u'e' || at(0) == u'E') &&
            (isDigit(at(1)) || ((at(1) == u'-' || at(1) == u'+') && isDigit(at(2))))) {
            const qsizetype start = m_at++;
            if (at(0) == u'-' || at(0) == u'+') {
                ++m_at;
            }
            number(start);
        }
        while (m_at < size()) {
            step();
        }
        return std::move(m_spans);
    }

    std::vector<qsizetype> brackets; // positions of brackets outside strings and comments
    std::vector<std::pair<qsizetype, qsizetype>> names; // unqualified names: start, length

private:
    qsizetype size() const { return m_text.size(); }
    QChar at(qsizetype ahead) const {
        return m_at + ahead < size() ? m_text[m_at + ahead] : QChar();
    }
    void add(qsizetype start, SpanKind kind) {
        if (m_at > start) {
            m_spans.push_back({start, m_at - start, kind});
        }
    }
    void skipBlanks() {
        while (m_at < size() && at(0).isSpace()) {
            ++m_at;
        }
    }
    void toLineEnd(qsizetype start) {
        while (m_at < size() && at(0) != u'\n') {
            ++m_at;
        }
        add(start, SpanKind::Comment);
    }

    void number(qsizetype start) {
        if (m_js && at(0) == u'x' && m_text[start] == u'0') {
            ++m_at;
        }
        while (m_at < size() && (isNameChar(at(0)) || at(0) == u'.')) {
            const QChar c = at(0);
            ++m_at;
            if ((c == u'e' || c == u'E') && (at(0) == u'+' || at(0) == u'-')) {
                ++m_at;
            }
        }
        add(start, SpanKind::Number);
    }

    void quoted(qsizetype start, QChar quote) {
        ++m_at;
        while (m_at < size()) {
            const QChar c = at(0);
            ++m_at;
            if (m_js && c == u'\\') {
                ++m_at;
            } else if (c == quote) {
                if (!m_js && at(0) == quote) {
                    ++m_at; // "" inside a VBScript string
                } else {
                    break;
                }
            }
        }
        m_at = std::min(m_at, size());
        add(start, SpanKind::String);
    }

    void name(qsizetype start) {
        while (m_at < size() && isNameChar(at(0))) {
            ++m_at;
        }
        const QStringView word = QStringView(m_text).mid(start, m_at - start);
        if (!m_js && word.compare(u"rem", Qt::CaseInsensitive) == 0 &&
            (m_at >= size() || at(0).isSpace())) {
            toLineEnd(start);
            return;
        }
        QStringView qualifier;
        if (start > 1 && m_text[start - 1] == u'.') {
            qsizetype q = start - 1;
            while (q > 0 && isNameChar(m_text[q - 1])) {
                --q;
            }
            qualifier = QStringView(m_text).mid(q, start - 1 - q);
        }
        if (!qualifier.isEmpty()) {
            if (const std::optional<SpanKind> kind = kindOf(qualifier, word)) {
                add(start, *kind);
            }
            return;
        }
        names.emplace_back(start, m_at - start);
        // A line repeats its names: each is looked up once per scan.
        auto known = m_kinds.constFind(word);
        if (known == m_kinds.constEnd()) {
            known = m_kinds.insert(word, kindOf({}, word));
        }
        if (*known) {
            add(start, **known);
        }
    }

    std::optional<SpanKind> kindOf(QStringView qualifier, QStringView word) const {
        if (const ScriptWord* found = findWord(m_language, qualifier, word)) {
            return found->kind == WordKind::Keyword ? SpanKind::Keyword : SpanKind::Builtin;
        }
        if (qualifier.isEmpty() &&
            m_userNames.contains(m_js ? word.toString() : word.toString().toLower())) {
            return SpanKind::UserName;
        }
        return std::nullopt;
    }

    void step() {
        const qsizetype start = m_at;
        const QChar c = at(0);
        if (c.isSpace()) {
            ++m_at;
        } else if (isDigit(c) || (c == u'.' && isDigit(at(1)))) {
            number(start);
        } else if (!m_js && c == u'&' &&
                   (at(1) == u'H' || at(1) == u'h' || at(1) == u'O' || at(1) == u'o')) {
            ++m_at;
            number(start);
        } else if (c == u'"' || (m_js && (c == u'\'' || c == u'`'))) {
            quoted(start, c);
        } else if (!m_js && c == u'\'') {
            toLineEnd(start);
        } else if (m_js && c == u'/' && at(1) == u'/') {
            toLineEnd(start);
        } else if (m_js && c == u'/' && at(1) == u'*') {
            const qsizetype end = m_text.indexOf(QStringLiteral("*/"), m_at + 2);
            m_at = end < 0 ? size() : end + 2;
            add(start, SpanKind::Comment);
        } else if (!m_js && c == u'#') {
            const qsizetype end = m_text.indexOf(u'#', m_at + 1);
            m_at = end < 0 ? size() : end + 1;
            add(start, SpanKind::Number); // a date literal
        } else if (isNameChar(c)) {
            name(start);
        } else if (isBracket(c)) {
            // A placeholder: whether it is quiet or unmatched is known once all are found.
            brackets.push_back(m_at);
            m_spans.push_back({m_at++, 1, SpanKind::Bracket});
        } else {
            ++m_at;
            if (QStringLiteral("+-*/\\^&=<>!%|~?:").contains(c)) {
                add(start, SpanKind::Operator);
            }
        }
    }

    const QString& m_text;
    const bool m_js;
    const ScriptLanguage m_language;
    const QSet<QString>& m_userNames;
    QHash<QStringView, std::optional<SpanKind>> m_kinds; // views into m_text
    qsizetype m_at = 0;
    std::vector<SyntaxSpan> m_spans;
};

// Pairs each bracket with the nearest unpaired opening one of its own kind before it; the kinds
// nest independently, so "(]" leaves both alone and "([)]" pairs both.
std::vector<qsizetype> pairBrackets(const QString& text, const std::vector<qsizetype>& brackets) {
    std::vector<qsizetype> partners(brackets.size(), -1);
    std::array<std::vector<std::size_t>, 3> open; // indices into `brackets`, by kind
    const QString kinds = QStringLiteral("([{)]}");
    for (std::size_t i = 0; i < brackets.size(); ++i) {
        const auto kind = static_cast<std::size_t>(kinds.indexOf(text[brackets[i]]));
        if (kind < 3) {
            open[kind].push_back(i);
        } else if (std::vector<std::size_t>& stack = open[kind - 3]; !stack.empty()) {
            partners[i] = brackets[stack.back()];
            partners[stack.back()] = brackets[i];
            stack.pop_back();
        }
    }
    return partners;
}

} // namespace

ScannedText scanSyntax(const QString& text, ScriptLanguage language,
                       const QSet<QString>& userNames) {
    Scanner scanner(text, language, userNames);
    ScannedText scanned;
    scanned.spans = scanner.run();
    scanned.brackets = std::move(scanner.brackets);
    scanned.names = std::move(scanner.names);
    scanned.partners = pairBrackets(text, scanned.brackets);
    std::size_t bracket = 0;
    for (SyntaxSpan& span : scanned.spans) {
        if (span.kind == SpanKind::Bracket && scanned.partners[bracket++] < 0) {
            span.kind = SpanKind::UnmatchedBracket;
        }
    }
    return scanned;
}

std::vector<SyntaxSpan> bracketMarks(const ScannedText& scanned, qsizetype cursor) {
    const std::vector<qsizetype>& brackets = scanned.brackets;
    // The bracket after the cursor first, else the one before it.
    for (const qsizetype probe : {cursor, cursor - 1}) {
        const auto it = std::lower_bound(brackets.begin(), brackets.end(), probe);
        if (it == brackets.end() || *it != probe) {
            continue;
        }
        const qsizetype other = scanned.partners[static_cast<std::size_t>(it - brackets.begin())];
        if (other < 0) {
            return {{probe, 1, SpanKind::UnmatchedBracket}};
        }
        return {{std::min(probe, other), 1, SpanKind::MatchedBracket},
                {std::max(probe, other), 1, SpanKind::MatchedBracket}};
    }
    return {};
}

std::vector<SyntaxSpan> withMarks(const std::vector<SyntaxSpan>& spans,
                                  const std::vector<SyntaxSpan>& marks) {
    std::vector<SyntaxSpan> all;
    all.reserve(spans.size() + marks.size());
    // Marks sit on brackets only, each of which has a span of its own that the mark replaces.
    auto mark = marks.begin();
    for (const SyntaxSpan& span : spans) {
        for (; mark != marks.end() && mark->start <= span.start; ++mark) {
            all.push_back(*mark);
        }
        if (all.empty() || all.back().start != span.start) {
            all.push_back(span);
        }
    }
    all.insert(all.end(), mark, marks.end());
    return all;
}

std::vector<SyntaxSpan> syntaxSpans(const QString& text, ScriptLanguage language,
                                    const QSet<QString>& userNames, qsizetype cursor) {
    const ScannedText scanned = scanSyntax(text, language, userNames);
    return withMarks(scanned.spans, bracketMarks(scanned, cursor));
}

} // namespace quorvix::app
