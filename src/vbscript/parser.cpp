#include "parser.h"

namespace vbs {

// Parse errors unwind with an exception that never leaves this class: the first error ends the
// parse, and its position and code are all the caller needs.
Parser::Parser(std::u16string_view source, GlobalTable& globals, bool optionExplicit,
               std::uintptr_t stackEnd, const Budget& budget)
    : lexer_(source, budget), source_(source), budget_(budget), globals_(globals),
      optionExplicit_(optionExplicit) {
    stack_.reset(stackEnd);
}

ParseResult Parser::parseStatements() {
    ParseResult r;
    try {
        r.statements = parseBlock(false);
        const Token& t = peek();
        if (t.kind != Tok::End) {
            if (t.kind == Tok::Keyword && t.keyword == Keyword::Next) {
                fail(ErrorCode::UnexpectedNext);
            }
            if (t.kind == Tok::Keyword && t.keyword == Keyword::Loop) {
                fail(ErrorCode::LoopWithoutDo);
            }
            fail(ErrorCode::ExpectedStatement);
        }
        resolveAll();
    } catch (const Fail& f) {
        r.error = f.code;
        r.errorPos = f.pos;
        r.statements.clear();
    }
    r.optionExplicit = optionExplicit_;
    r.replaced = std::move(replaced_);
    return r;
}

ParseResult Parser::parseExpression() {
    ParseResult r;
    try {
        if (peek().kind != Tok::End) {
            r.expression = parseExpr();
            while (peek().kind == Tok::Newline) {
                advance();
            }
            if (peek().kind == Tok::Error) {
                fail(peek().error);
            }
            if (peek().kind != Tok::End) {
                fail(ErrorCode::ExpectedEndOfStatement);
            }
        }
        resolveAll();
    } catch (const Fail& f) {
        r.error = f.code;
        r.errorPos = f.pos;
        r.expression.reset();
    }
    r.optionExplicit = optionExplicit_;
    return r;
}

const Token& Parser::peek(std::size_t ahead) const {
    const std::size_t i = pos_ + ahead;
    lexer_.ensure(i);
    const auto& tokens = lexer_.list().tokens;
    return i < tokens.size() ? tokens[i] : tokens.back();
}

const Token& Parser::advance() {
    const Token& t = peek();
    lexer_.ensure(pos_ + 1);
    if (pos_ + 1 < lexer_.list().tokens.size()) {
        ++pos_;
    }
    return t;
}

bool Parser::isKeyword(Keyword k, std::size_t ahead) const {
    const Token& t = peek(ahead);
    return t.kind == Tok::Keyword && t.keyword == k;
}

bool Parser::isWord(std::u16string_view lower, std::size_t ahead) const {
    const Token& t = peek(ahead);
    return t.kind == Tok::Identifier && nameOf(t) == lower;
}

bool Parser::acceptKeyword(Keyword k) {
    if (isKeyword(k)) {
        advance();
        return true;
    }
    return false;
}

void Parser::expectKeyword(Keyword k, ErrorCode code) {
    if (!acceptKeyword(k)) {
        fail(code);
    }
}

void Parser::expect(Tok kind, ErrorCode code) {
    if (peek().kind != kind) {
        fail(code);
    }
    advance();
}

void Parser::fail(ErrorCode code) const {
    // A lexer error token stands for its own error wherever the parser meets it.
    const Token& t = peek();
    throw Fail{t.kind == Tok::Error ? t.error : code, t.pos};
}

void Parser::fail(ErrorCode code, std::size_t pos) const {
    throw Fail{code, pos};
}

bool Parser::atSeparator() const {
    const Tok k = peek().kind;
    return k == Tok::Newline || k == Tok::Colon;
}

bool Parser::atStatementEnd() const {
    const Tok k = peek().kind;
    return k == Tok::Newline || k == Tok::Colon || k == Tok::End || isKeyword(Keyword::Else);
}

void Parser::enterNesting() {
    if (++depth_ > kMaxNesting || stack_.exhausted()) {
        fail(ErrorCode::OutOfStack);
    }
}

bool Parser::startsStatement() const {
    const Token& t = peek();
    switch (t.kind) {
    case Tok::End:
    case Tok::Newline:
        return false;
    case Tok::Keyword:
        switch (t.keyword) {
        case Keyword::Else:
        case Keyword::ElseIf:
        case Keyword::End:
        case Keyword::Loop:
        case Keyword::Next:
        case Keyword::Wend:
        case Keyword::Case:
            return false;
        default:
            return true;
        }
    default:
        return true;
    }
}

Block Parser::parseBlock(bool singleLine) {
    enterNesting();
    Block block;
    for (;;) {
        while (peek().kind == Tok::Colon || (!singleLine && peek().kind == Tok::Newline)) {
            advance();
        }
        if (!startsStatement()) {
            break;
        }
        if (StmtPtr s = parseStatement(singleLine)) {
            block.push_back(std::move(s));
        }
        if (atSeparator()) {
            continue;
        }
        if (startsStatement()) {
            fail(ErrorCode::ExpectedEndOfStatement);
        }
        break;
    }
    --depth_;
    return block;
}

StmtPtr Parser::parseStatement(bool singleLine) {
    const Token& t = peek();
    if (t.kind == Tok::Error) {
        fail(t.error);
    }
    if (t.kind == Tok::Dot) {
        return parseAssignOrCall();
    }
    if (t.kind == Tok::Identifier) {
        if (nameOf(t) == u"randomize" && peek(1).kind != Tok::Equal) {
            auto s = std::make_unique<Stmt>();
            s->kind = StmtKind::Randomize;
            s->pos = advance().pos;
            if (!atStatementEnd()) {
                s->seed = parseExpr();
            }
            return s;
        }
        return parseAssignOrCall();
    }
    if (t.kind != Tok::Keyword) {
        fail(ErrorCode::ExpectedStatement);
    }
    switch (t.keyword) {
    case Keyword::Dim:
        return parseDim(false);
    case Keyword::ReDim:
        return parseDim(true);
    case Keyword::Public:
    case Keyword::Private:
        if (isKeyword(Keyword::Function, 1) || isKeyword(Keyword::Sub, 1)) {
            advance();
            parseProcedure();
            return nullptr;
        }
        if (isKeyword(Keyword::Const, 1)) {
            advance();
            parseConst();
            return nullptr;
        }
        return parseDim(false);
    case Keyword::Const:
        parseConst();
        return nullptr;
    case Keyword::Function:
    case Keyword::Sub:
        parseProcedure();
        return nullptr;
    case Keyword::Class:
        parseClass();
        return nullptr;
    case Keyword::With:
        return parseWith();
    case Keyword::If:
        return parseIf();
    case Keyword::For:
        return parseFor();
    case Keyword::Do:
        return parseDo();
    case Keyword::While:
        return parseWhile();
    case Keyword::Select:
        return parseSelect();
    case Keyword::Exit:
        return parseExit();
    case Keyword::Call:
        return parseCallKeyword();
    case Keyword::Set:
        return parseSet();
    case Keyword::Let:
        advance();
        return parseAssignOrCall();
    case Keyword::On:
        return parseOnError();
    case Keyword::Option: {
        advance();
        if (!isWord(u"explicit")) {
            fail(ErrorCode::SyntaxError);
        }
        advance();
        optionExplicit_ = true;
        return nullptr;
    }
    case Keyword::Erase: {
        auto s = std::make_unique<Stmt>();
        s->kind = StmtKind::Erase;
        s->pos = advance().pos;
        if (peek().kind != Tok::Identifier) {
            fail(ErrorCode::ExpectedIdentifier);
        }
        s->target = makeName(advance());
        return s;
    }
    default:
        (void)singleLine;
        fail(ErrorCode::ExpectedStatement);
    }
}

void Parser::expectBlockEnd(Keyword k, ErrorCode code) {
    if (!isKeyword(Keyword::End)) {
        fail(ErrorCode::ExpectedEnd);
    }
    advance();
    expectKeyword(k, code);
}

StmtPtr Parser::parseIf() {
    auto s = std::make_unique<Stmt>();
    s->kind = StmtKind::If;
    s->pos = advance().pos;
    s->conds.push_back(parseExpr());
    expectKeyword(Keyword::Then, ErrorCode::ExpectedThen);
    if (peek().kind == Tok::Newline || peek().kind == Tok::End) {
        // Block form: Then ends its line. A ":" after Then starts the one-line form, whose first
        // statement is empty ("If c Then :" opens no block).
        s->blocks.push_back(parseBlock(false));
        while (isKeyword(Keyword::ElseIf)) {
            advance();
            s->conds.push_back(parseExpr());
            expectKeyword(Keyword::Then, ErrorCode::ExpectedThen);
            s->blocks.push_back(parseBlock(false));
        }
        if (acceptKeyword(Keyword::Else)) {
            s->elseBlock = parseBlock(false);
        }
        expectBlockEnd(Keyword::If, ErrorCode::ExpectedIf);
        return s;
    }
    // One-line form: every ":"-joined statement after Then belongs to Then until Else.
    s->blocks.push_back(parseBlock(true));
    if (acceptKeyword(Keyword::Else)) {
        s->elseBlock = parseBlock(true);
    }
    if (isKeyword(Keyword::End) && isKeyword(Keyword::If, 1)) {
        advance();
        advance();
    }
    return s;
}

StmtPtr Parser::parseFor() {
    auto s = std::make_unique<Stmt>();
    s->pos = advance().pos;
    const bool each = acceptKeyword(Keyword::Each);
    if (peek().kind != Tok::Identifier) {
        fail(each ? ErrorCode::ExpectedIdentifier : ErrorCode::InvalidForVariable);
    }
    s->target = makeName(advance());
    if (each) {
        s->kind = StmtKind::ForEach;
        expectKeyword(Keyword::In, ErrorCode::ExpectedIn);
        s->collection = parseExpr();
    } else {
        s->kind = StmtKind::For;
        expect(Tok::Equal, ErrorCode::ExpectedEquals);
        s->start = parseExpr();
        expectKeyword(Keyword::To, ErrorCode::ExpectedTo);
        s->limit = parseExpr();
        if (isWord(u"step")) {
            advance();
            s->step = parseExpr();
        }
    }
    ++loopDepth_[1];
    s->body = parseBlock(false);
    --loopDepth_[1];
    expectKeyword(Keyword::Next, ErrorCode::ExpectedNext);
    if (peek().kind == Tok::Identifier) {
        advance(); // "Next i"
    }
    return s;
}

StmtPtr Parser::parseDo() {
    auto s = std::make_unique<Stmt>();
    s->kind = StmtKind::Do;
    s->pos = advance().pos;
    if (isKeyword(Keyword::While) || isKeyword(Keyword::Until)) {
        s->testFirst = true;
        s->until = advance().keyword == Keyword::Until;
        s->cond = parseExpr();
    }
    ++loopDepth_[0];
    s->body = parseBlock(false);
    --loopDepth_[0];
    expectKeyword(Keyword::Loop, ErrorCode::ExpectedLoop);
    if (isKeyword(Keyword::While) || isKeyword(Keyword::Until)) {
        if (s->testFirst) {
            fail(ErrorCode::ExpectedEndOfStatement);
        }
        s->until = advance().keyword == Keyword::Until;
        s->cond = parseExpr();
    }
    return s;
}

StmtPtr Parser::parseWhile() {
    auto s = std::make_unique<Stmt>();
    s->kind = StmtKind::Do;
    s->whileWend = true;
    s->testFirst = true;
    s->pos = advance().pos;
    s->cond = parseExpr();
    s->body = parseBlock(false);
    expectKeyword(Keyword::Wend, ErrorCode::ExpectedWend);
    return s;
}

StmtPtr Parser::parseSelect() {
    auto s = std::make_unique<Stmt>();
    s->kind = StmtKind::Select;
    s->pos = advance().pos;
    expectKeyword(Keyword::Case, ErrorCode::ExpectedCase);
    s->subject = parseExpr();
    while (atSeparator()) {
        advance();
    }
    while (acceptKeyword(Keyword::Case)) {
        CaseClause clause;
        if (acceptKeyword(Keyword::Else)) {
            clause.isElse = true;
        } else {
            do {
                CaseItem item;
                if (acceptKeyword(Keyword::Is)) {
                    item.kind = CaseItem::Kind::Is;
                    OperatorRule rule{};
                    if (!binaryRule(advance(), rule) || !isComparison(rule.op)) {
                        fail(ErrorCode::SyntaxError);
                    }
                    item.op = rule.op;
                    item.low = parseExpr();
                } else {
                    item.low = parseExpr();
                    if (acceptKeyword(Keyword::To)) {
                        item.kind = CaseItem::Kind::Range;
                        item.high = parseExpr();
                    }
                }
                clause.items.push_back(std::move(item));
            } while (peek().kind == Tok::Comma && advance().kind == Tok::Comma);
        }
        clause.body = parseBlock(false);
        s->cases.push_back(std::move(clause));
    }
    expectBlockEnd(Keyword::Select, ErrorCode::ExpectedSelect);
    return s;
}

StmtPtr Parser::parseExit() {
    auto s = std::make_unique<Stmt>();
    s->kind = StmtKind::Exit;
    s->pos = advance().pos;
    const Token& t = advance();
    const bool inFunction = proc_ && proc_->proc->isFunction && !proc_->property;
    const bool inSub = proc_ && !proc_->proc->isFunction;
    if (t.kind == Tok::Keyword && t.keyword == Keyword::Do && loopDepth_[0] > 0) {
        s->exitKind = ExitKind::Do;
    } else if (t.kind == Tok::Keyword && t.keyword == Keyword::For && loopDepth_[1] > 0) {
        s->exitKind = ExitKind::For;
    } else if (t.kind == Tok::Keyword && t.keyword == Keyword::Function && inFunction) {
        s->exitKind = ExitKind::Function;
    } else if (t.kind == Tok::Keyword && t.keyword == Keyword::Sub && inSub && !proc_->property) {
        s->exitKind = ExitKind::Sub;
    } else if (t.kind == Tok::Identifier && nameOf(t) == u"property" && proc_ && proc_->property) {
        s->exitKind = ExitKind::Sub;
    } else {
        fail(ErrorCode::InvalidExit, t.pos);
    }
    return s;
}

namespace {

// `s = s & ...`: the statement the executor runs by growing s's own text.
bool joinsOntoItself(const Expr& target, const Expr& value) {
    if (target.kind != ExprKind::Name || target.hasParens || value.kind != ExprKind::Binary ||
        value.ops[0] != BinaryOp::Concat) {
        return false;
    }
    const Expr& first = *value.args[0];
    return first.kind == ExprKind::Name && !first.hasParens && first.name == target.name;
}

} // namespace

StmtPtr Parser::parseAssignOrCall() {
    auto s = std::make_unique<Stmt>();
    s->pos = peek().pos;
    ExprPtr target;
    if (peek().kind == Tok::Dot) {
        target = std::make_unique<Expr>();
        target->kind = ExprKind::With;
        target->pos = peek().pos;
    } else {
        target = makeName(advance());
    }
    if (target->kind != ExprKind::With && peek().kind == Tok::LParen) {
        // name(...) is a subscript or call target, unless what follows the ")" shows that the
        // parentheses began the first argument: "f (a + 1) * 2, 3".
        const std::size_t save = pos_;
        const std::size_t mark = pendingCount();
        std::vector<ExprPtr> args;
        parseArgs(args);
        if (peek().kind == Tok::Equal || atStatementEnd() || peek().kind == Tok::Dot ||
            peek().kind == Tok::LParen) {
            target->args = std::move(args);
            target->hasParens = true;
        } else {
            args.clear();
            truncatePending(mark);
            pos_ = save;
        }
    }
    while (peek().kind == Tok::Dot || (peek().kind == Tok::LParen && target->hasParens)) {
        target = peek().kind == Tok::Dot ? parseMember(std::move(target))
                                         : parseCallOn(std::move(target));
    }
    if (peek().kind == Tok::Equal) {
        advance();
        s->kind = StmtKind::Assign;
        s->target = std::move(target);
        s->value = parseExpr();
        s->joinsOntoTarget = joinsOntoItself(*s->target, *s->value);
        return s;
    }
    s->kind = StmtKind::Call;
    if (target->hasParens) {
        // "f(a)" as a statement passes a by value; "f(a, b)" needs Call.
        const std::size_t first =
            target->kind == ExprKind::Member || target->kind == ExprKind::Call ? 1 : 0;
        if (target->args.size() > first + 1) {
            fail(ErrorCode::ParenthesesOnSubCall, s->pos);
        }
        if (target->args.size() == first + 1) {
            target->args.back()->parenthesized = true;
        }
    } else if (!atStatementEnd()) {
        do {
            target->args.push_back(atStatementEnd() ? parseExpr() : parseArgument());
        } while (peek().kind == Tok::Comma && advance().kind == Tok::Comma);
    }
    s->target = std::move(target);
    return s;
}

StmtPtr Parser::parseSet() {
    auto s = std::make_unique<Stmt>();
    s->kind = StmtKind::Set;
    s->pos = advance().pos;
    if (peek().kind != Tok::Identifier && peek().kind != Tok::Dot) {
        fail(ErrorCode::ExpectedIdentifier);
    }
    s->target = parseNameChain();
    expect(Tok::Equal, ErrorCode::ExpectedEquals);
    s->value = parseExpr();
    return s;
}

StmtPtr Parser::parseCallKeyword() {
    auto s = std::make_unique<Stmt>();
    s->kind = StmtKind::Call;
    s->callKeyword = true;
    s->pos = advance().pos;
    if (peek().kind == Tok::LParen) {
        // "Call (f)(x)": the parenthesised value is called with what follows.
        s->target = parsePrimary();
        return s;
    }
    if (peek().kind != Tok::Identifier && peek().kind != Tok::Dot) {
        fail(ErrorCode::ExpectedIdentifier);
    }
    s->target = parseNameChain();
    return s;
}

} // namespace vbs
