#include "parser.h"

#include "caller_scope.h"

#include "values/operators.h"

#include <array>

namespace vbs {
namespace {

// VBScript's binary operators, loosest first. Each row gives the binding power of the
// operator's left side; its right operand is parsed at one more, so every operator, "^"
// included, associates to the left: 2^3^2 is 64 and 1-2-3 is -4. The comparisons and Is share
// one level, so "1 = 1 < 0" is "(1 = 1) < 0", and "=" inside an expression always compares:
// only a statement's first "=" assigns. "\" binds tighter than Mod and looser than "*" and
// "/", hence 5\4/2 is 2. Not (below the comparisons) and unary minus (above "^") are in
// kUnaryOperators.
struct OperatorRow {
    Tok kind;
    Keyword keyword; // for Tok::Keyword
    BinaryOp op;
    std::uint8_t level;
};

constexpr OperatorRow kBinaryOperators[] = {
    {Tok::Keyword, Keyword::Imp, BinaryOp::Imp, 1},
    {Tok::Keyword, Keyword::Eqv, BinaryOp::Eqv, 2},
    {Tok::Keyword, Keyword::Xor, BinaryOp::Xor, 3},
    {Tok::Keyword, Keyword::Or, BinaryOp::Or, 4},
    {Tok::Keyword, Keyword::And, BinaryOp::And, 5},
    // Level 6 is Not's.
    {Tok::Equal, Keyword::None, BinaryOp::Eq, 7},
    {Tok::NotEqual, Keyword::None, BinaryOp::Ne, 7},
    {Tok::Less, Keyword::None, BinaryOp::Lt, 7},
    {Tok::Greater, Keyword::None, BinaryOp::Gt, 7},
    {Tok::LessEqual, Keyword::None, BinaryOp::Le, 7},
    {Tok::GreaterEqual, Keyword::None, BinaryOp::Ge, 7},
    {Tok::Keyword, Keyword::Is, BinaryOp::Is, 7},
    {Tok::Ampersand, Keyword::None, BinaryOp::Concat, 8},
    {Tok::Plus, Keyword::None, BinaryOp::Add, 9},
    {Tok::Minus, Keyword::None, BinaryOp::Sub, 9},
    {Tok::Keyword, Keyword::Mod, BinaryOp::Mod, 10},
    {Tok::Backslash, Keyword::None, BinaryOp::IntDiv, 11},
    {Tok::Star, Keyword::None, BinaryOp::Mul, 12},
    {Tok::Slash, Keyword::None, BinaryOp::Div, 12},
    {Tok::Caret, Keyword::None, BinaryOp::Pow, 13},
};

// The loosest and the tightest binary level.
constexpr int kLoosestLevel = 1;
constexpr int kTightestLevel = 13;

// The table above indexed by token kind and by keyword, built at compile time: looking an
// operator up costs one load. A level of 0 marks a token that is no binary operator.
struct OperatorIndex {
    OperatorRule bySymbol[kTokenKindCount]{};
    OperatorRule byKeyword[kKeywordCount]{};
};

constexpr OperatorIndex makeOperatorIndex() {
    OperatorIndex index;
    for (const OperatorRow& row : kBinaryOperators) {
        const OperatorRule rule{row.op, row.level, static_cast<std::uint8_t>(row.level + 1)};
        if (row.kind == Tok::Keyword) {
            index.byKeyword[static_cast<std::size_t>(row.keyword)] = rule;
        } else {
            index.bySymbol[static_cast<std::size_t>(row.kind)] = rule;
        }
    }
    return index;
}

constexpr OperatorIndex kOperatorIndex = makeOperatorIndex();

// The level of each BinaryOp, from the same table: a Binary node's level is that of its
// operators.
constexpr auto kLevelOfOp = [] {
    std::array<std::uint8_t, static_cast<std::size_t>(BinaryOp::Imp) + 1> levels{};
    for (const OperatorRow& row : kBinaryOperators) {
        levels[static_cast<std::size_t>(row.op)] = row.level;
    }
    return levels;
}();

// Prefix operators. Unary minus and plus bind tighter than "^" (-3^2 is 9, 2^-2 is 0.25): their
// operand is a single operand, itself perhaps signed ("--1"). Not binds looser than the
// comparisons and tighter than And: "Not a = b" is "Not (a = b)", and it may start a right
// operand: "a <> Not b".
struct UnaryRow {
    Tok kind;
    Keyword keyword;
    UnaryOp op;
    int operandLevel; // above kTightestLevel: one operand, no binary operator
};

constexpr UnaryRow kUnaryOperators[] = {
    {Tok::Minus, Keyword::None, UnaryOp::Neg, kTightestLevel + 1},
    {Tok::Plus, Keyword::None, UnaryOp::Plus, kTightestLevel + 1},
    {Tok::Keyword, Keyword::Not, UnaryOp::Not, 7}, // the comparisons' level
};

const UnaryRow* unaryRule(const Token& t) {
    for (const UnaryRow& row : kUnaryOperators) {
        if (t.kind == row.kind && t.keyword == row.keyword) {
            return &row;
        }
    }
    return nullptr;
}

// Literals whose operators give the same result at any time and in any locale: numbers,
// dates, truth values, Empty. Text is left alone (its reading depends on the locale) and so
// is anything that fails (the error belongs to the run, not to parsing).
bool foldable(const Expr& e) {
    if (e.kind != ExprKind::Literal) {
        return false;
    }
    const VarType t = e.value.type();
    return t != VarType::String && t != VarType::Object && t != VarType::Array;
}

// The keywords that stand for a value.
bool keywordConstant(Keyword k, Variant& out) {
    switch (k) {
    case Keyword::True:
        out = Variant::boolean(true);
        return true;
    case Keyword::False:
        out = Variant::boolean(false);
        return true;
    case Keyword::Empty:
        out = Variant();
        return true;
    case Keyword::Null:
        out = Variant::null();
        return true;
    case Keyword::Nothing:
        out = Variant::object(nullptr);
        return true;
    default:
        return false;
    }
}

ExprPtr literal(Variant v, std::size_t pos) {
    auto e = std::make_unique<Expr>();
    e->kind = ExprKind::Literal;
    e->value = std::move(v);
    e->pos = pos;
    return e;
}

} // namespace

const OperatorRule* binaryRule(const Token& t) {
    const OperatorRule* rule = t.kind == Tok::Keyword
                                   ? &kOperatorIndex.byKeyword[static_cast<std::size_t>(t.keyword)]
                                   : &kOperatorIndex.bySymbol[static_cast<std::size_t>(t.kind)];
    return rule->left != 0 ? rule : nullptr;
}

// expression := operand { binary-operator operand }, by the precedence of the operator table.
ExprPtr Parser::parseExpr() {
    return parseBinary(kLoosestLevel);
}

// Precedence climbing: an operand, then every operator that binds at least `minLevel`, each
// with a right operand parsed at that operator's right binding power.
ExprPtr Parser::parseBinary(int minLevel) {
    enterNesting();
    ExprPtr left = parseOperand();
    while (const OperatorRule* rule = binaryRule(upcoming())) {
        if (rule->left < minLevel) {
            break;
        }
        if (foldable(*left) && foldNextLiteral(*left, *rule)) {
            continue;
        }
        const std::size_t pos = advance().pos;
        ExprPtr right = parseBinary(rule->right);
        if (!foldInto(*left, *right, rule->op)) {
            appendOperation(left, *rule, std::move(right), pos);
        }
    }
    --depth_;
    return left;
}

// Constant operands are computed now: a megabyte of "1+1+..." becomes one literal instead of
// half a million nodes. False (and `left` unchanged) when either side is no constant, the
// operation fails or it makes text.
bool Parser::foldInto(Expr& left, const Expr& right, BinaryOp op) {
    if (!foldable(left) || !foldable(right)) {
        return false;
    }
    Variant folded;
    if (binaryOp(op, left.value, right.value, NumberLocale{}, budget_, folded) != Outcome::Normal ||
        folded.isString()) {
        return false;
    }
    left.value = std::move(folded);
    return true;
}

// Adds "op right" to `left`, extending the chain of this level rather than nesting:
// 1+2+3+... stays one node.
void Parser::appendOperation(ExprPtr& left, const OperatorRule& rule, ExprPtr right,
                             std::size_t pos) {
    const bool extend = left->kind == ExprKind::Binary && !left->parenthesized &&
                        kLevelOfOp[static_cast<std::size_t>(left->ops[0])] == rule.left;
    if (!extend) {
        auto node = std::make_unique<Expr>();
        node->kind = ExprKind::Binary;
        node->pos = pos;
        node->args.push_back(std::move(left));
        left = std::move(node);
    }
    left->ops.push_back(rule.op);
    left->args.push_back(std::move(right));
}

// "literal op literal" where nothing binds tighter to the right literal: computed into
// `left` straight from the tokens, without a node for the right side. Returns false (having
// consumed nothing) when the shape does not fit or the operation fails.
bool Parser::foldNextLiteral(Expr& left, const OperatorRule& rule) {
    const Token& operand = upcoming(1);
    if (operand.kind != Tok::Number && operand.kind != Tok::Date) {
        return false;
    }
    const OperatorRule* next = binaryRule(upcoming(2));
    if (next && next->left >= rule.right) {
        return false;
    }
    Variant folded;
    if (binaryOp(rule.op, left.value, valueOf(operand), NumberLocale{}, budget_, folded) !=
        Outcome::Normal) {
        return false;
    }
    left.value = std::move(folded);
    advance();
    advance();
    return true;
}

// A prefix operator and its operand, or a primary. A signed constant becomes a literal.
ExprPtr Parser::parseOperand() {
    const Token& t = upcoming();
    const UnaryRow* rule = unaryRule(t);
    if (!rule) {
        return parsePrimary();
    }
    enterNesting();
    auto e = std::make_unique<Expr>();
    e->kind = ExprKind::Unary;
    e->pos = t.pos;
    e->unaryOp = rule->op;
    advance();
    e->args.push_back(rule->operandLevel > kTightestLevel ? parseOperand()
                                                          : parseBinary(rule->operandLevel));
    --depth_;
    Variant folded;
    if (foldable(*e->args[0]) &&
        unaryOp(e->unaryOp, e->args[0]->value, NumberLocale{}, folded) == Outcome::Normal) {
        return literal(std::move(folded), e->pos);
    }
    return e;
}

// An operand without prefix operators: a literal, a name chain, a parenthesised expression,
// a keyword constant (True, False, Empty, Null, Nothing) or "New ClassName".
ExprPtr Parser::parsePrimary() {
    const Token& t = upcoming();
    switch (t.kind) {
    case Tok::Number:
    case Tok::String:
    case Tok::Date:
        advance();
        return literal(valueOf(t), t.pos);
    case Tok::Identifier:
    case Tok::Dot:
        return parseNameChain();
    case Tok::LParen:
        return parseParenthesized();
    case Tok::Keyword:
        return parseKeywordOperand();
    case Tok::End:
    case Tok::Newline:
    case Tok::Colon:
        // The text ends where an operand should be: "1+".
        fail(Outcome::SyntaxError);
    default:
        fail(Outcome::ExpectedExpression);
    }
}

// "(expr)", then what indexes, calls or reads a member of its value: "(a + b)(x)", "(o).m".
// The parentheses are kept on the node: "f (a)" passes a by value.
ExprPtr Parser::parseParenthesized() {
    advance();
    enterNesting();
    ExprPtr e = parseExpr();
    expect(Tok::RParen, Outcome::ExpectedRParen);
    --depth_;
    e->parenthesized = true;
    for (;;) {
        if (upcoming().kind == Tok::LParen && e->kind == ExprKind::Name && !e->hasParens) {
            // "(f)(x)", "((f))(x)": brackets around a bare name only name what is called, so
            // a procedure gets the arguments as in f(x), and a variable is indexed as in a(x).
            e->parenthesized = false;
            parseArgs(e->args);
            e->hasParens = true;
        } else if (upcoming().kind == Tok::LParen) {
            e = parseCallOn(std::move(e));
        } else if (upcoming().kind == Tok::Dot) {
            e = parseMember(std::move(e));
        } else {
            return e;
        }
    }
}

// True, False, Empty, Null, Nothing, or New ClassName.
ExprPtr Parser::parseKeywordOperand() {
    const Token& t = upcoming();
    if (t.keyword == Keyword::New) {
        advance();
        if (upcoming().kind != Tok::Identifier) {
            fail(Outcome::ExpectedIdentifier);
        }
        auto e = std::make_unique<Expr>();
        e->kind = ExprKind::New;
        e->pos = t.pos;
        e->name = nameOf(advance());
        return e;
    }
    Variant value;
    if (!keywordConstant(t.keyword, value)) {
        fail(Outcome::ExpectedExpression);
    }
    advance();
    return literal(std::move(value), t.pos);
}

// A name and what follows it: arguments in parentheses (a call or a subscript: the parser
// cannot tell which), members ".m", and further subscripts "x(0)(1)".
ExprPtr Parser::parseNameChain() {
    ExprPtr e;
    if (upcoming().kind == Tok::Dot) {
        // ".member" names a member of the innermost With's object.
        e = std::make_unique<Expr>();
        e->kind = ExprKind::With;
        e->pos = upcoming().pos;
    } else {
        e = makeName(advance());
        if (upcoming().kind == Tok::LParen) {
            parseArgs(e->args);
            e->hasParens = true;
        }
    }
    for (;;) {
        if (upcoming().kind == Tok::Dot) {
            e = parseMember(std::move(e));
        } else if (upcoming().kind == Tok::LParen && e->hasParens) {
            e = parseCallOn(std::move(e));
        } else {
            return e;
        }
    }
}

// A call or subscript on what came before: "x(0)(1)", "o.items(1)(2)".
ExprPtr Parser::parseCallOn(ExprPtr callee) {
    auto e = std::make_unique<Expr>();
    e->kind = ExprKind::Call;
    e->pos = upcoming().pos;
    e->hasParens = true;
    e->args.push_back(std::move(callee));
    parseArgs(e->args);
    return e;
}

// ".name" after an object, with its arguments if any.
ExprPtr Parser::parseMember(ExprPtr object) {
    advance(); // "."
    const Token& t = upcoming();
    // Any keyword may name a member: "Err.Raise", "x.End".
    if (t.kind != Tok::Identifier && t.kind != Tok::Keyword) {
        fail(Outcome::ExpectedIdentifier);
    }
    advance();
    auto e = std::make_unique<Expr>();
    e->kind = ExprKind::Member;
    e->pos = t.pos;
    e->name = nameOf(t);
    e->args.push_back(std::move(object));
    if (upcoming().kind == Tok::LParen) {
        parseArgs(e->args);
        e->hasParens = true;
    }
    return e;
}

// "(" [ argument { "," argument } ] ")".
void Parser::parseArgs(std::vector<ExprPtr>& args) {
    enterNesting();
    expect(Tok::LParen, Outcome::ExpectedLParen);
    if (upcoming().kind != Tok::RParen) {
        for (;;) {
            args.push_back(parseArgument());
            if (upcoming().kind != Tok::Comma) {
                break;
            }
            advance();
        }
    }
    expect(Tok::RParen, Outcome::ExpectedRParen);
    --depth_;
}

// An argument may be left out between commas, "FormatNumber(x, 0, , , False)": it is an
// Empty marked as left out, which a built-in takes for "not given" and a procedure as Empty.
ExprPtr Parser::parseArgument() {
    if (upcoming().kind == Tok::Comma || upcoming().kind == Tok::RParen) {
        ExprPtr place = literal(Variant(), upcoming().pos);
        place->leftOut = true;
        return place;
    }
    return parseExpr();
}

// A name, left for resolution (parser_names.cpp) when the whole text has parsed.
ExprPtr Parser::makeName(const Token& t) {
    auto e = std::make_unique<Expr>();
    e->kind = ExprKind::Name;
    e->name = nameOf(t);
    e->pos = t.pos;
    if (e->name == u"me") {
        // Me is the instance a class's procedure runs for. Outside a class the text is still
        // read, as a host may give the script level an object of its own; ours gives none, so
        // using it there fails when it runs (Executor::evalMe).
        e->kind = ExprKind::Me;
        return e;
    }
    pending().push_back(e.get());
    return e;
}

// Const needs a value now: literals, operators on them and earlier constants.
Variant Parser::constantValue(const Expr& e) const {
    switch (e.kind) {
    case ExprKind::Literal:
        return e.value;
    case ExprKind::Unary: {
        Variant out;
        if (unaryOp(e.unaryOp, constantValue(*e.args[0]), NumberLocale{}, out) != Outcome::Normal) {
            fail(Outcome::ExpectedLiteral, e.pos);
        }
        return out;
    }
    case ExprKind::Binary: {
        Variant acc = constantValue(*e.args[0]);
        for (std::size_t i = 0; i < e.ops.size(); ++i) {
            Variant out;
            if (binaryOp(e.ops[i], acc, constantValue(*e.args[i + 1]), NumberLocale{}, budget_,
                         out) != Outcome::Normal) {
                fail(Outcome::ExpectedLiteral, e.pos);
            }
            acc = std::move(out);
        }
        return acc;
    }
    case ExprKind::Name:
        if (!e.hasParens) {
            if (proc_) {
                for (const auto& [slot, value] : proc_->proc->constants) {
                    const auto it = proc_->locals.find(e.name);
                    if (it != proc_->locals.end() && it->second == slot) {
                        return value;
                    }
                }
            }
            for (auto it = topConsts_.rbegin(); it != topConsts_.rend(); ++it) {
                if (it->first == e.name) {
                    return it->second;
                }
            }
            const int g = globals_.find(e.name);
            if (g >= 0 && globals_.at(g).kind == GlobalEntry::Kind::Constant) {
                return globals_.at(g).value;
            }
        }
        break;
    default:
        break;
    }
    fail(Outcome::ExpectedLiteral, e.pos);
}

} // namespace vbs
