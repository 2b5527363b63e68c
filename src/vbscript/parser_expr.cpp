#include "parser.h"

#include "caller_scope.h"

#include "operators.h"

namespace vbs {
namespace {

// Not (level 6) is unary and sits between And and the comparisons; unary minus binds tighter
// than ^, so -3^2 is 9.
constexpr int kNotOperandLevel = 7;

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

ExprPtr literal(Variant v, std::size_t pos) {
    auto e = std::make_unique<Expr>();
    e->kind = ExprKind::Literal;
    e->value = std::move(v);
    e->pos = pos;
    return e;
}

} // namespace

// Binary operators and their levels, loosest first. Select Case's `Is` takes its comparison
// from here as well.
bool binaryRule(const Token& t, OperatorRule& r) {
    if (t.kind == Tok::Keyword) {
        switch (t.keyword) {
        case Keyword::Imp:
            r = {BinaryOp::Imp, 1};
            return true;
        case Keyword::Eqv:
            r = {BinaryOp::Eqv, 2};
            return true;
        case Keyword::Xor:
            r = {BinaryOp::Xor, 3};
            return true;
        case Keyword::Or:
            r = {BinaryOp::Or, 4};
            return true;
        case Keyword::And:
            r = {BinaryOp::And, 5};
            return true;
        case Keyword::Is:
            r = {BinaryOp::Is, 7};
            return true;
        case Keyword::Mod:
            r = {BinaryOp::Mod, 10};
            return true;
        default:
            return false;
        }
    }
    switch (t.kind) {
    case Tok::Equal:
        r = {BinaryOp::Eq, 7};
        return true;
    case Tok::NotEqual:
        r = {BinaryOp::Ne, 7};
        return true;
    case Tok::Less:
        r = {BinaryOp::Lt, 7};
        return true;
    case Tok::Greater:
        r = {BinaryOp::Gt, 7};
        return true;
    case Tok::LessEqual:
        r = {BinaryOp::Le, 7};
        return true;
    case Tok::GreaterEqual:
        r = {BinaryOp::Ge, 7};
        return true;
    case Tok::Ampersand:
        r = {BinaryOp::Concat, 8};
        return true;
    case Tok::Plus:
        r = {BinaryOp::Add, 9};
        return true;
    case Tok::Minus:
        r = {BinaryOp::Sub, 9};
        return true;
    case Tok::Backslash:
        r = {BinaryOp::IntDiv, 11};
        return true;
    case Tok::Star:
        r = {BinaryOp::Mul, 12};
        return true;
    case Tok::Slash:
        r = {BinaryOp::Div, 12};
        return true;
    case Tok::Caret:
        r = {BinaryOp::Pow, 13};
        return true;
    default:
        return false;
    }
}

ExprPtr Parser::parseExpr() {
    return parseBinary(1);
}

ExprPtr Parser::parseBinary(int minLevel) {
    enterNesting();
    ExprPtr left = parseOperand();
    OperatorRule rule{};
    while (binaryRule(peek(), rule) && rule.level >= minLevel) {
        if (foldable(*left) && foldNextLiteral(*left, rule)) {
            continue;
        }
        const std::size_t pos = advance().pos;
        ExprPtr right = parseBinary(rule.level + 1);
        // Constant operands are computed now: a megabyte of "1+1+..." becomes one literal
        // instead of half a million nodes.
        if (foldable(*left) && foldable(*right)) {
            Variant folded;
            if (binaryOp(rule.op, left->value, right->value, NumberLocale{}, budget_, folded) ==
                    ErrorCode::None &&
                !folded.isString()) {
                left->value = std::move(folded);
                continue;
            }
        }
        // Extend the chain of this level rather than nesting: 1+2+3+... stays one node.
        const bool extend = left->kind == ExprKind::Binary && !left->parenthesized &&
                            left->precedence == rule.level;
        if (!extend) {
            auto node = std::make_unique<Expr>();
            node->kind = ExprKind::Binary;
            node->pos = pos;
            node->precedence = rule.level;
            node->args.push_back(std::move(left));
            left = std::move(node);
        }
        left->ops.push_back(rule.op);
        left->args.push_back(std::move(right));
    }
    --depth_;
    return left;
}

// "literal op literal" where nothing binds tighter to the right literal: computed into
// `left` straight from the tokens, without a node for the right side. Returns false (having
// consumed nothing) when the shape does not fit or the operation fails.
bool Parser::foldNextLiteral(Expr& left, const OperatorRule& rule) {
    const Token& operand = peek(1);
    if (operand.kind != Tok::Number && operand.kind != Tok::Date) {
        return false;
    }
    OperatorRule next{};
    if (binaryRule(peek(2), next) && next.level > rule.level) {
        return false;
    }
    Variant folded;
    if (binaryOp(rule.op, left.value, valueOf(operand), NumberLocale{}, budget_, folded) !=
        ErrorCode::None) {
        return false;
    }
    left.value = std::move(folded);
    advance();
    advance();
    return true;
}

ExprPtr Parser::parseOperand() {
    const Token& t = peek();
    if (t.kind == Tok::Minus || t.kind == Tok::Plus ||
        (t.kind == Tok::Keyword && t.keyword == Keyword::Not)) {
        enterNesting();
        auto e = std::make_unique<Expr>();
        e->kind = ExprKind::Unary;
        e->pos = t.pos;
        e->unaryOp = t.kind == Tok::Minus  ? UnaryOp::Neg
                     : t.kind == Tok::Plus ? UnaryOp::Plus
                                           : UnaryOp::Not;
        advance();
        e->args.push_back(e->unaryOp == UnaryOp::Not ? parseBinary(kNotOperandLevel)
                                                     : parseOperand());
        --depth_;
        Variant folded;
        if (foldable(*e->args[0]) &&
            unaryOp(e->unaryOp, e->args[0]->value, NumberLocale{}, folded) == ErrorCode::None) {
            return literal(std::move(folded), e->pos);
        }
        return e;
    }
    return parsePrimary();
}

ExprPtr Parser::parsePrimary() {
    const Token& t = peek();
    switch (t.kind) {
    case Tok::Number:
    case Tok::String:
    case Tok::Date:
        advance();
        return literal(valueOf(t), t.pos);
    case Tok::Identifier:
    case Tok::Dot:
        return parseNameChain();
    case Tok::LParen: {
        advance();
        enterNesting();
        ExprPtr e = parseExpr();
        expect(Tok::RParen, ErrorCode::ExpectedRParen);
        --depth_;
        e->parenthesized = true;
        // "(f)(x)": the value in parentheses is indexed or called, "(o).m" reads its member.
        for (;;) {
            if (peek().kind == Tok::LParen) {
                e = parseCallOn(std::move(e));
            } else if (peek().kind == Tok::Dot) {
                e = parseMember(std::move(e));
            } else {
                return e;
            }
        }
    }
    case Tok::Keyword:
        switch (t.keyword) {
        case Keyword::True:
            advance();
            return literal(Variant::boolean(true), t.pos);
        case Keyword::False:
            advance();
            return literal(Variant::boolean(false), t.pos);
        case Keyword::Empty:
            advance();
            return literal(Variant(), t.pos);
        case Keyword::Null:
            advance();
            return literal(Variant::null(), t.pos);
        case Keyword::Nothing:
            advance();
            return literal(Variant::object(nullptr), t.pos);
        case Keyword::New: {
            advance();
            if (peek().kind != Tok::Identifier) {
                fail(ErrorCode::ExpectedIdentifier);
            }
            auto e = std::make_unique<Expr>();
            e->kind = ExprKind::New;
            e->pos = t.pos;
            e->name = nameOf(advance());
            return e;
        }
        default:
            break;
        }
        break;
    case Tok::End:
    case Tok::Newline:
    case Tok::Colon:
        // The text ends where an operand should be: "1+".
        fail(ErrorCode::SyntaxError);
    default:
        break;
    }
    fail(ErrorCode::ExpectedExpression);
}

ExprPtr Parser::parseNameChain() {
    ExprPtr e;
    if (peek().kind == Tok::Dot) {
        // ".member" names a member of the innermost With's object.
        e = std::make_unique<Expr>();
        e->kind = ExprKind::With;
        e->pos = peek().pos;
    } else {
        e = makeName(advance());
        if (peek().kind == Tok::LParen) {
            parseArgs(e->args);
            e->hasParens = true;
        }
    }
    for (;;) {
        if (peek().kind == Tok::Dot) {
            e = parseMember(std::move(e));
        } else if (peek().kind == Tok::LParen && e->hasParens) {
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
    e->pos = peek().pos;
    e->hasParens = true;
    e->args.push_back(std::move(callee));
    parseArgs(e->args);
    return e;
}

ExprPtr Parser::parseMember(ExprPtr object) {
    advance(); // "."
    const Token& t = peek();
    // Any keyword may name a member: "Err.Raise", "x.End".
    if (t.kind != Tok::Identifier && t.kind != Tok::Keyword) {
        fail(ErrorCode::ExpectedIdentifier);
    }
    advance();
    auto e = std::make_unique<Expr>();
    e->kind = ExprKind::Member;
    e->pos = t.pos;
    e->name = nameOf(t);
    e->args.push_back(std::move(object));
    if (peek().kind == Tok::LParen) {
        parseArgs(e->args);
        e->hasParens = true;
    }
    return e;
}

void Parser::parseArgs(std::vector<ExprPtr>& args) {
    enterNesting();
    expect(Tok::LParen, ErrorCode::ExpectedLParen);
    if (peek().kind != Tok::RParen) {
        for (;;) {
            args.push_back(parseArgument());
            if (peek().kind != Tok::Comma) {
                break;
            }
            advance();
        }
    }
    expect(Tok::RParen, ErrorCode::ExpectedRParen);
    --depth_;
}

// An argument may be left out between commas, "FormatNumber(x, 0, , , False)": it is passed
// as Empty, which the built-ins take for "not given".
ExprPtr Parser::parseArgument() {
    if (peek().kind == Tok::Comma || peek().kind == Tok::RParen) {
        return literal(Variant(), peek().pos);
    }
    return parseExpr();
}

ExprPtr Parser::makeName(const Token& t) {
    auto e = std::make_unique<Expr>();
    e->kind = ExprKind::Name;
    e->name = nameOf(t);
    e->pos = t.pos;
    if (e->name == u"me") {
        // Me is the instance a class's procedure runs for; elsewhere it means nothing.
        const bool inClass = proc_ ? proc_->cls != nullptr : caller_ && caller_->cls;
        if (!inClass) {
            fail(ErrorCode::InvalidMe, t.pos);
        }
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
        if (unaryOp(e.unaryOp, constantValue(*e.args[0]), NumberLocale{}, out) != ErrorCode::None) {
            fail(ErrorCode::ExpectedLiteral, e.pos);
        }
        return out;
    }
    case ExprKind::Binary: {
        Variant acc = constantValue(*e.args[0]);
        for (std::size_t i = 0; i < e.ops.size(); ++i) {
            Variant out;
            if (binaryOp(e.ops[i], acc, constantValue(*e.args[i + 1]), NumberLocale{}, budget_,
                         out) != ErrorCode::None) {
                fail(ErrorCode::ExpectedLiteral, e.pos);
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
    fail(ErrorCode::ExpectedLiteral, e.pos);
}

} // namespace vbs
