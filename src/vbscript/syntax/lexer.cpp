#include "lexer.h"

#include "limits/script_limits.h"
#include "public/memory_budget.h"
#include "values/convert.h"
#include "values/operators.h"
#include "values/radix.h"

#include <cmath>
#include <cstdlib>
#include <iterator>
#include <string>

namespace vbs {
namespace {

bool isLetter(char16_t c) {
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}
bool isDigit(char16_t c) {
    return c >= u'0' && c <= u'9';
}
bool isLineEnd(char16_t c) {
    return c == u'\r' || c == u'\n';
}

struct KeywordName {
    std::u16string_view text;
    Keyword keyword;
};

// In alphabetical order (as VBS_KEYWORD_LIST is), so that the words of one first letter are
// neighbours.
constexpr KeywordName kKeywords[] = {
#define VBS_KEYWORD_ROW(name, text) {u"" text, Keyword::name},
    VBS_KEYWORD_LIST(VBS_KEYWORD_ROW)
#undef VBS_KEYWORD_ROW
};

// For each letter a...z, the first row of kKeywords starting with it (the next letter's
// first row ends the run): a name is compared with a few keywords, not all of them.
struct KeywordIndex {
    std::uint8_t first[27]{};
};

constexpr KeywordIndex makeKeywordIndex() {
    KeywordIndex index;
    std::size_t row = 0;
    for (std::size_t letter = 0; letter <= 26; ++letter) {
        while (row < std::size(kKeywords) &&
               static_cast<std::size_t>(kKeywords[row].text[0] - u'a') < letter) {
            ++row;
        }
        index.first[letter] = static_cast<std::uint8_t>(row);
    }
    return index;
}

constexpr bool keywordsSorted() {
    for (std::size_t row = 1; row < std::size(kKeywords); ++row) {
        if (!(kKeywords[row - 1].text < kKeywords[row].text)) {
            return false;
        }
    }
    return true;
}
static_assert(keywordsSorted(), "VBS_KEYWORD_LIST must stay in alphabetical order");

constexpr KeywordIndex kKeywordIndex = makeKeywordIndex();

// Operators and punctuation, grouped by first character, two-character spellings first so
// that "<=" is not read as "<". "=>", "=<" and "><" are old spellings of ">=", "<=" and "<>"
// that scripts still use.
struct OperatorSpelling {
    char16_t text[3];
    Tok kind;
};

constexpr OperatorSpelling kOperatorSpellings[] = {
    {u"<>", Tok::NotEqual},  {u"<=", Tok::LessEqual},    {u"<", Tok::Less},
    {u"><", Tok::NotEqual},  {u">=", Tok::GreaterEqual}, {u">", Tok::Greater},
    {u"=<", Tok::LessEqual}, {u"=>", Tok::GreaterEqual}, {u"=", Tok::Equal},
    {u"+", Tok::Plus},       {u"-", Tok::Minus},         {u"*", Tok::Star},
    {u"/", Tok::Slash},      {u"\\", Tok::Backslash},    {u"^", Tok::Caret},
    {u"&", Tok::Ampersand},  {u"(", Tok::LParen},        {u")", Tok::RParen},
    {u",", Tok::Comma},      {u".", Tok::Dot},           {u":", Tok::Colon},
};

// For each ASCII character, the first row of kOperatorSpellings that starts with it; past the
// end for a character that starts none.
struct OperatorIndex {
    std::uint8_t first[128]{};
};

constexpr OperatorIndex makeOperatorIndex() {
    OperatorIndex index;
    for (auto& row : index.first) {
        row = static_cast<std::uint8_t>(std::size(kOperatorSpellings));
    }
    for (std::size_t row = std::size(kOperatorSpellings); row-- > 0;) {
        index.first[kOperatorSpellings[row].text[0]] = static_cast<std::uint8_t>(row);
    }
    return index;
}

constexpr OperatorIndex kOperatorIndex = makeOperatorIndex();

void setError(Token& t, Outcome e) {
    t.kind = Tok::Error;
    t.error = e;
}

} // namespace

Keyword keywordFor(std::u16string_view lower) {
    if (lower.empty() || lower[0] < u'a' || lower[0] > u'z') {
        return Keyword::None;
    }
    const std::size_t letter = static_cast<std::size_t>(lower[0] - u'a');
    for (std::size_t row = kKeywordIndex.first[letter]; row < kKeywordIndex.first[letter + 1];
         ++row) {
        if (lower == kKeywords[row].text) {
            return kKeywords[row].keyword;
        }
    }
    return Keyword::None;
}

void Lexer::ensure(std::size_t index) {
    while (!finished_ && out_.tokens.size() <= index) {
        Token t;
        const bool more = next(t);
        const bool error = t.kind == Tok::Error;
        out_.tokens.push_back(t);
        if (!more || error) {
            finished_ = true;
            if (t.kind != Tok::End) {
                Token end;
                end.pos = static_cast<std::uint32_t>(src_.size());
                out_.tokens.push_back(end);
            }
        }
    }
}

TokenList Lexer::tokenize() {
    ensure(src_.size() + 1);
    return std::move(out_);
}

void Lexer::setValue(Token& t, Variant v) {
    t.payload = static_cast<std::uint32_t>(out_.values.size());
    out_.values.push_back(std::move(v));
}

// Blanks separate tokens; a line continuation, "_" last on its line (blanks may follow it),
// joins the next line to this one, so "x =_" and "3" on the next line are "x = 3".
void Lexer::skipBlanks() {
    for (;;) {
        const char16_t c = charAhead();
        if (c == u' ' || c == u'\t' || c == u'\f' || c == u'\v' || c == 0xA0) {
            ++pos_;
        } else if (c == u'_') {
            std::size_t p = pos_ + 1;
            while (p < src_.size() && (src_[p] == u' ' || src_[p] == u'\t')) {
                ++p;
            }
            if (p < src_.size() && !isLineEnd(src_[p])) {
                return;
            }
            if (p < src_.size() && src_[p] == u'\r' && p + 1 < src_.size() &&
                src_[p + 1] == u'\n') {
                ++p;
            }
            pos_ = p < src_.size() ? p + 1 : p;
        } else {
            return;
        }
    }
}

// The next token; false at the end of the text. A line end is a token, since it ends a
// statement as ":" does. "'" and Rem start a comment that runs to the line end.
bool Lexer::next(Token& t) {
    skipBlanks();
    t.pos = static_cast<std::uint32_t>(pos_);
    if (pos_ >= src_.size()) {
        t.kind = Tok::End;
        return false;
    }
    const char16_t c = charAhead();
    if (c == u'\'') {
        while (pos_ < src_.size() && !isLineEnd(src_[pos_])) {
            ++pos_;
        }
        return next(t);
    }
    if (isLineEnd(c)) {
        pos_ += (c == u'\r' && charAhead(1) == u'\n') ? 2u : 1u;
        t.kind = Tok::Newline;
        return true;
    }
    if (isDigit(c) || (c == u'.' && isDigit(charAhead(1)))) {
        lexNumber(t);
    } else if (c == u'&' && radixOf(charAhead(1)) != 0 &&
               digitValue(charAhead(2)) < radixOf(charAhead(1))) {
        lexRadix(t, 2, radixOf(charAhead(1)));
    } else if (c == u'&' && operandExpected() && digitValue(charAhead(1)) < 8) {
        // Where an operand is expected, "&" and octal digits are an octal literal as "&O" is:
        // "&10" is 8. After an operand "&" joins.
        lexRadix(t, 1, 8);
    } else if (c == u'"') {
        lexString(t);
    } else if (c == u'#') {
        lexDate(t);
    } else if (isLetter(c)) {
        lexIdentifier(t);
        // After a dot the word is a member's name, whatever it is: obj.Rem is no comment.
        if (t.kind == Tok::Identifier && out_.names[t.payload] == u"rem" &&
            previousKind() != Tok::Dot) {
            while (pos_ < src_.size() && !isLineEnd(src_[pos_])) {
                ++pos_;
            }
            return next(t);
        }
    } else if (c == u'[') {
        lexBracketed(t);
    } else if (!lexOperator(t)) {
        setError(t, Outcome::InvalidCharacter);
    }
    return true;
}

// A decimal literal ("12", "1.5", ".5", "1E3"). A whole number is an Integer up to 32767, a
// Long up to 2147483647 and a Double beyond; a fraction or exponent makes a Double. There is
// no sign: "-5" is unary minus on 5. Up to four digits are always an Integer, kept in the
// token itself.
void Lexer::lexNumber(Token& t) {
    const std::size_t start = pos_;
    bool isWhole = true;
    while (isDigit(charAhead())) {
        ++pos_;
    }
    if (charAhead() == u'.') {
        isWhole = false;
        ++pos_;
        while (isDigit(charAhead())) {
            ++pos_;
        }
    }
    if ((charAhead() == u'e' || charAhead() == u'E') &&
        (isDigit(charAhead(1)) ||
         ((charAhead(1) == u'+' || charAhead(1) == u'-') && isDigit(charAhead(2))))) {
        isWhole = false;
        pos_ += 2;
        while (isDigit(charAhead())) {
            ++pos_;
        }
    }
    t.kind = Tok::Number;
    if (isWhole && pos_ - start <= 4) {
        std::uint32_t v = 0;
        for (std::size_t i = start; i < pos_; ++i) {
            v = v * 10 + static_cast<std::uint32_t>(src_[i] - u'0');
        }
        t.smallInteger = true;
        t.payload = v;
        return;
    }
    std::string ascii(src_.begin() + static_cast<std::ptrdiff_t>(start),
                      src_.begin() + static_cast<std::ptrdiff_t>(pos_));
    const double value = std::strtod(ascii.c_str(), nullptr);
    if (std::isinf(value)) {
        setError(t, Outcome::InvalidNumber);
    } else if (isWhole && value <= 32767) {
        setValue(t, Variant::integer(static_cast<std::int16_t>(value)));
    } else if (isWhole && value <= 2147483647.0) {
        setValue(t, Variant::longInt(static_cast<std::int32_t>(value)));
    } else {
        setValue(t, Variant::dbl(value));
    }
}

bool Lexer::operandExpected() const {
    switch (previousKind()) {
    case Tok::Identifier:
    case Tok::Number:
    case Tok::String:
    case Tok::Date:
    case Tok::RParen:
        return false;
    case Tok::Keyword: {
        const Keyword word = out_.tokens.back().keyword;
        return word != Keyword::True && word != Keyword::False && word != Keyword::Empty &&
               word != Keyword::Null && word != Keyword::Nothing;
    }
    default:
        return true;
    }
}

// "&H1F", "&O17", "&HFFFF&", and "&17" where an operand is expected: hexadecimal and octal
// literals, by the 16/32-bit rule of radixPattern (the trailing "&" asks for the 32-bit
// reading). The prefix ("&H", "&") is `prefixLength` characters.
void Lexer::lexRadix(Token& t, std::size_t prefixLength, int radix) {
    pos_ += prefixLength;
    std::uint32_t value = 0;
    std::size_t digits = 0;
    const bool fits = readRadixDigits(src_.substr(pos_), radix, value, digits);
    pos_ += digits;
    if (!fits) {
        setError(t, Outcome::InvalidNumber);
        return;
    }
    bool wide = false;
    if (charAhead() == u'&') {
        wide = true;
        ++pos_;
    }
    t.kind = Tok::Number;
    setValue(t, fitInteger(radixPattern(value, digits, radix, wide), VarType::Integer));
}

// "text" on one line; "" inside stands for one quote. No other escapes exist.
void Lexer::lexString(Token& t) {
    ++pos_;
    std::u16string text;
    for (;;) {
        if (pos_ >= src_.size() || isLineEnd(src_[pos_])) {
            setError(t, Outcome::UnterminatedString);
            return;
        }
        if (src_[pos_] == u'"') {
            if (charAhead(1) == u'"') {
                text.push_back(u'"');
                pos_ += 2;
                continue;
            }
            ++pos_;
            break;
        }
        text.push_back(src_[pos_++]);
    }
    // A literal is a text like any other: the same limits hold.
    if (text.size() > limits::kMaxStringLength ||
        !budget_->allows(text.size() * sizeof(char16_t))) {
        setError(t, Outcome::OutOfMemory);
        return;
    }
    t.kind = Tok::String;
    setValue(t, Variant::string(std::move(text), budget_));
}

// "#1/2/2003#", "#2003-01-02 4:05 PM#", "#4:05:06#": a date literal always reads month before
// day, whatever the user's locale, so a script means the same everywhere.
void Lexer::lexDate(Token& t) {
    std::size_t end = pos_ + 1;
    while (end < src_.size() && src_[end] != u'#' && !isLineEnd(src_[end])) {
        ++end;
    }
    if (end >= src_.size() || src_[end] != u'#') {
        setError(t, Outcome::SyntaxError);
        return;
    }
    double serial = 0;
    if (!parseDateText(src_.substr(pos_ + 1, end - pos_ - 1), serial)) {
        setError(t, Outcome::SyntaxError);
        return;
    }
    pos_ = end + 1;
    t.kind = Tok::Date;
    setValue(t, Variant::date(serial));
}

// A name: a letter, then letters, digits and "_", at most 255 characters, compared without
// regard to case. Reserved words become Keyword tokens.
void Lexer::lexIdentifier(Token& t) {
    const std::size_t start = pos_;
    while (isLetter(charAhead()) || isDigit(charAhead()) || charAhead() == u'_') {
        ++pos_;
    }
    if (pos_ - start > 255) {
        setError(t, Outcome::IdentifierTooLong);
        return;
    }
    std::u16string lower = lowerAscii(src_.substr(start, pos_ - start));
    t.keyword = keywordFor(lower);
    t.payload = static_cast<std::uint32_t>(out_.names.size());
    out_.names.push_back(std::move(lower));
    t.kind = t.keyword == Keyword::None ? Tok::Identifier : Tok::Keyword;
}

// "[any text]" is a name made of that text, so that a name may be a reserved word or hold
// blanks.
void Lexer::lexBracketed(Token& t) {
    std::size_t end = pos_ + 1;
    while (end < src_.size() && src_[end] != u']' && !isLineEnd(src_[end])) {
        ++end;
    }
    if (end >= src_.size() || src_[end] != u']') {
        setError(t, Outcome::ExpectedIdentifier);
        return;
    }
    t.kind = Tok::Identifier;
    t.payload = static_cast<std::uint32_t>(out_.names.size());
    out_.names.push_back(lowerAscii(src_.substr(pos_ + 1, end - pos_ - 1)));
    pos_ = end + 1;
}

bool Lexer::lexOperator(Token& t) {
    const char16_t c = charAhead();
    if (c >= std::size(kOperatorIndex.first)) {
        return false;
    }
    for (std::size_t row = kOperatorIndex.first[c];
         row < std::size(kOperatorSpellings) && kOperatorSpellings[row].text[0] == c; ++row) {
        const OperatorSpelling& o = kOperatorSpellings[row];
        if (o.text[1] == u'\0' || charAhead(1) == o.text[1]) {
            t.kind = o.kind;
            pos_ += o.text[1] == u'\0' ? 1 : 2;
            return true;
        }
    }
    return false;
}

} // namespace vbs
