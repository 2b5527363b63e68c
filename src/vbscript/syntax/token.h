#pragma once

#include "public/variant.h"
#include "values/error_codes.h"

#include <cstdint>
#include <deque>
#include <string>
#include <vector>

namespace vbs {

enum class Tok : std::uint8_t {
    End,        // end of the text
    Newline,    // a line end: separates statements like ":"
    Colon,      // ":"
    Number,     // value holds Integer, Long or Double
    String,     // value holds the text with "" already folded
    Date,       // value holds the Date
    Identifier, // text holds the name as written, lower the lower-case form
    Keyword,    // keyword holds which one
    Plus,
    Minus,
    Star,
    Slash,
    Backslash,
    Caret,
    Ampersand,
    Equal,
    NotEqual,
    Less,
    Greater,
    LessEqual,
    GreaterEqual,
    LParen,
    RParen,
    Comma,
    Dot,
    Error, // error holds what the lexer found wrong; stays last (kTokenKindCount)
};

inline constexpr std::size_t kTokenKindCount = static_cast<std::size_t>(Tok::Error) + 1;

// Reserved words. Words that may also be names (Error, Explicit, Step, Preserve, Property,
// Default) stay identifiers and the parser recognises them where they mean something.
// Kept in alphabetical order (the lexer looks keywords up by first letter).
#define VBS_KEYWORD_LIST(X)                                                                        \
    X(And, "and")                                                                                  \
    X(ByRef, "byref")                                                                              \
    X(ByVal, "byval")                                                                              \
    X(Call, "call")                                                                                \
    X(Case, "case")                                                                                \
    X(Class, "class")                                                                              \
    X(Const, "const")                                                                              \
    X(Dim, "dim")                                                                                  \
    X(Do, "do")                                                                                    \
    X(Each, "each")                                                                                \
    X(Else, "else")                                                                                \
    X(ElseIf, "elseif")                                                                            \
    X(Empty, "empty")                                                                              \
    X(End, "end")                                                                                  \
    X(Eqv, "eqv")                                                                                  \
    X(Erase, "erase")                                                                              \
    X(Exit, "exit")                                                                                \
    X(False, "false")                                                                              \
    X(For, "for")                                                                                  \
    X(Function, "function")                                                                        \
    X(Goto, "goto")                                                                                \
    X(If, "if")                                                                                    \
    X(Imp, "imp")                                                                                  \
    X(In, "in")                                                                                    \
    X(Is, "is")                                                                                    \
    X(Let, "let")                                                                                  \
    X(Loop, "loop")                                                                                \
    X(Mod, "mod")                                                                                  \
    X(New, "new")                                                                                  \
    X(Next, "next")                                                                                \
    X(Not, "not")                                                                                  \
    X(Nothing, "nothing")                                                                          \
    X(Null, "null")                                                                                \
    X(On, "on")                                                                                    \
    X(Option, "option")                                                                            \
    X(Or, "or")                                                                                    \
    X(Private, "private")                                                                          \
    X(Public, "public")                                                                            \
    X(ReDim, "redim")                                                                              \
    X(Resume, "resume")                                                                            \
    X(Select, "select")                                                                            \
    X(Set, "set")                                                                                  \
    X(Sub, "sub")                                                                                  \
    X(Then, "then")                                                                                \
    X(To, "to")                                                                                    \
    X(True, "true")                                                                                \
    X(Until, "until")                                                                              \
    X(Wend, "wend")                                                                                \
    X(While, "while")                                                                              \
    X(With, "with")                                                                                \
    X(Xor, "xor")

enum class Keyword : std::uint8_t {
    None,
#define VBS_KEYWORD_ENUM(name, text) name,
    VBS_KEYWORD_LIST(VBS_KEYWORD_ENUM)
#undef VBS_KEYWORD_ENUM
};

// Keyword::None and the keywords: the size of a table indexed by Keyword.
#define VBS_KEYWORD_COUNT(name, text) +1
inline constexpr std::size_t kKeywordCount = 1 VBS_KEYWORD_LIST(VBS_KEYWORD_COUNT);
#undef VBS_KEYWORD_COUNT

// 16 bytes, so that even a megabyte of source lexes quickly: literal values and names sit in
// side tables of the TokenList.
struct Token {
    Tok kind = Tok::End;
    Keyword keyword = Keyword::None;
    // A Number whose Integer value is the payload itself (most literals): no table entry.
    bool smallInteger = false;
    Outcome error = Outcome::Normal;
    // Offset of the token's first character in the source.
    std::uint32_t pos = 0;
    // Number, String, Date: index into TokenList::values. Identifier, Keyword: index into
    // TokenList::names (keywords too, so that ".end" can name a member).
    std::uint32_t payload = 0;
};

// Deques, so that references to tokens and names stay valid while more are lexed.
struct TokenList {
    std::deque<Token> tokens;
    std::vector<Variant> values;
    // Lower-case spellings.
    std::deque<std::u16string> names;
};

} // namespace vbs
