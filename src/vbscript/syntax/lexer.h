#pragma once

#include "token.h"

#include <string_view>
#include <vector>

namespace vbs {

// Turns source text into tokens, as far as the parser asks for them: a parse that stops early
// (an error, the nesting limit) does not pay for the rest of a huge input. A malformed piece
// (a stray character, an open string) becomes one Error token, after which the list ends: the
// parser reports it when it gets there, so the first error by position is the one the user
// sees.
class Lexer {
public:
    // String literals are counted in `budget`.
    Lexer(std::u16string_view source, Budget budget) : src_(source), budget_(std::move(budget)) {}
    // Lexes until token `index` exists or the text has ended (the list then ends with End).
    void ensure(std::size_t index);
    const TokenList& list() const { return out_; }
    // All tokens at once.
    TokenList tokenize();

private:
    bool next(Token& t);
    void skipBlanks();
    void lexNumber(Token& t);
    void lexRadix(Token& t, std::size_t prefixLength, int radix);
    void lexString(Token& t);
    void lexDate(Token& t);
    void lexIdentifier(Token& t);
    void lexBracketed(Token& t);
    bool lexOperator(Token& t);
    // The kind of the token before the one being read; End at the start.
    Tok previousKind() const { return out_.tokens.empty() ? Tok::End : out_.tokens.back().kind; }
    // The token being read begins an operand: no operand (a name, a literal, a closing bracket,
    // a value keyword) ends just before it.
    bool operandExpected() const;
    char16_t charAhead(std::size_t ahead = 0) const {
        return pos_ + ahead < src_.size() ? src_[pos_ + ahead] : u'\0';
    }

    void setValue(Token& t, Variant v);

    std::u16string_view src_;
    Budget budget_;
    std::size_t pos_ = 0;
    TokenList out_;
    bool finished_ = false;
};

Keyword keywordFor(std::u16string_view lower);

} // namespace vbs
