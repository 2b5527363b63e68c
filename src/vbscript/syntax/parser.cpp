#include "parser.h"

#include <array>

namespace vbs {

Parser::Parser(std::u16string_view source, GlobalTable& globals, std::uintptr_t stackEnd,
               const Budget& budget)
    : lexer_(source, budget), source_(source), budget_(budget), globals_(globals),
      optionExplicit_(globals.optionExplicit) {
    stack_.reset(stackEnd);
}

// script := statement { (":" | line end) statement } ; what a text run by execute holds.
ParseResult Parser::parseStatements() {
    return run(&Parser::statementsInto);
}

// One expression and nothing after it: what eval and preview read.
ParseResult Parser::parseExpression() {
    return run(&Parser::expressionInto);
}

// Parse errors unwind with an exception that never leaves this class (see fail): the first
// error ends the parse, and a failed parse returns its code and position and nothing else, so
// it defines no name.
ParseResult Parser::run(void (Parser::*body)(ParseResult&)) {
    ParseResult r;
    try {
        (this->*body)(r);
        resolveAll();
    } catch (const Fail& f) {
        r = ParseResult{};
        r.error = f.code;
        r.errorPos = f.pos;
    }
    r.optionExplicit = optionExplicit_;
    r.replaced = std::move(replaced_);
    return r;
}

// A script: statements up to the end of the text. A block's closing word with no block open
// names the block it lacks.
void Parser::statementsInto(ParseResult& r) {
    r.statements = parseBlock(false);
    if (isKeyword(Keyword::Next)) {
        fail(Outcome::UnexpectedNext);
    }
    if (isKeyword(Keyword::Loop)) {
        fail(Outcome::LoopWithoutDo);
    }
    if (upcoming().kind != Tok::End) {
        fail(Outcome::ExpectedStatement);
    }
}

// One expression, as the calculator's input line is: blank lines after it are allowed, a
// second expression or statement is not.
void Parser::expressionInto(ParseResult& r) {
    if (upcoming().kind == Tok::End) {
        return; // an empty text is Empty
    }
    r.expression = parseExpr();
    while (upcoming().kind == Tok::Newline) {
        advance();
    }
    if (upcoming().kind != Tok::End) {
        fail(Outcome::ExpectedEndOfStatement);
    }
}

// The token `ahead` places after the current one, lexing as far as needed; past the end, the
// End token. The current token is kept at hand: the parser looks at it far more often than it
// moves.
const Token& Parser::peekFar(std::size_t ahead) const {
    const std::size_t i = pos_ + ahead;
    lexer_.ensure(i);
    const auto& tokens = lexer_.list().tokens;
    const Token& t = i < tokens.size() ? tokens[i] : tokens.back();
    if (ahead == 0) {
        current_ = &t;
    }
    return t;
}

const Token& Parser::advance() {
    const Token& t = upcoming();
    lexer_.ensure(pos_ + 1);
    if (pos_ + 1 < lexer_.list().tokens.size()) {
        ++pos_;
        current_ = nullptr;
    }
    return t;
}

void Parser::backUp(std::size_t pos) {
    pos_ = pos;
    current_ = nullptr;
}

bool Parser::isKeyword(Keyword k, std::size_t ahead) const {
    const Token& t = upcoming(ahead);
    return t.kind == Tok::Keyword && t.keyword == k;
}

bool Parser::isWord(std::u16string_view lower, std::size_t ahead) const {
    const Token& t = upcoming(ahead);
    return t.kind == Tok::Identifier && nameOf(t) == lower;
}

bool Parser::acceptKeyword(Keyword k) {
    if (isKeyword(k)) {
        advance();
        return true;
    }
    return false;
}

void Parser::expectKeyword(Keyword k, Outcome code) {
    if (!acceptKeyword(k)) {
        fail(code);
    }
}

void Parser::expect(Tok kind, Outcome code) {
    if (upcoming().kind != kind) {
        fail(code);
    }
    advance();
}

// Every syntax error is raised here, with the source offset the calculator marks and the
// script runner turns into a line number.
void Parser::fail(Outcome code, std::size_t pos) const {
    throw Fail{code, pos};
}

// An error at the current token. A lexer Error token stands for its own error wherever the
// parser meets it, so the first error by position is the one reported.
void Parser::fail(Outcome code) const {
    const Token& t = upcoming();
    fail(t.kind == Tok::Error ? t.error : code, t.pos);
}

bool Parser::atSeparator() const {
    const Tok k = upcoming().kind;
    return k == Tok::Newline || k == Tok::Colon;
}

bool Parser::atStatementEnd() const {
    const Tok k = upcoming().kind;
    return k == Tok::Newline || k == Tok::Colon || k == Tok::End || isKeyword(Keyword::Else);
}

void Parser::enterNesting() {
    if (++depth_ > kMaxNesting || stack_.exhausted()) {
        fail(Outcome::OutOfStack);
    }
}

// The words that close a block (Else, End, Loop, Next, Wend, Case) end the statement list
// before them; the block's own parse function checks that the right one came.
bool Parser::startsStatement() const {
    const Token& t = upcoming();
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

// Statements separated by line ends or ":" (empty statements are fine: "x = 1 :: :"). In
// the one-line If only ":" separates, and the line end closes the block.
Block Parser::parseBlock(bool singleLine) {
    enterNesting();
    Block block;
    for (;;) {
        while (upcoming().kind == Tok::Colon || (!singleLine && upcoming().kind == Tok::Newline)) {
            advance();
        }
        if (!startsStatement()) {
            break;
        }
        if (StmtPtr s = parseStatement()) {
            block.push_back(std::move(s));
        }
        if (atSeparator()) {
            continue;
        }
        if (startsStatement()) {
            fail(Outcome::ExpectedEndOfStatement);
        }
        break;
    }
    --depth_;
    return block;
}

// A statement starts with a keyword, which picks its parse function from this table, or with
// a name: an assignment or a call (Randomize is a name, not a keyword, as it may be assigned).
// Declarations (Const, Sub, Function, Class, Option Explicit) make no statement: they take
// effect when the whole text has parsed, hence they return null.
Parser::StatementParser Parser::statementParser(Keyword k) {
    struct Row {
        Keyword keyword;
        StatementParser parse;
    };
    static constexpr Row kStatements[] = {
        {Keyword::Dim, &Parser::parseDim},       {Keyword::ReDim, &Parser::parseDim},
        {Keyword::Public, &Parser::parseScoped}, {Keyword::Private, &Parser::parseScoped},
        {Keyword::Const, &Parser::parseConst},   {Keyword::Function, &Parser::parseProcedure},
        {Keyword::Sub, &Parser::parseProcedure}, {Keyword::Class, &Parser::parseClass},
        {Keyword::With, &Parser::parseWith},     {Keyword::If, &Parser::parseIf},
        {Keyword::For, &Parser::parseFor},       {Keyword::Do, &Parser::parseDo},
        {Keyword::While, &Parser::parseWhile},   {Keyword::Select, &Parser::parseSelect},
        {Keyword::Exit, &Parser::parseExit},     {Keyword::Call, &Parser::parseCallKeyword},
        {Keyword::Set, &Parser::parseSet},       {Keyword::Let, &Parser::parseLet},
        {Keyword::On, &Parser::parseOnError},    {Keyword::Option, &Parser::parseOption},
        {Keyword::Erase, &Parser::parseErase},
    };
    static constexpr auto kByKeyword = [] {
        std::array<StatementParser, kKeywordCount> byKeyword{};
        for (const Row& row : kStatements) {
            byKeyword[static_cast<std::size_t>(row.keyword)] = row.parse;
        }
        return byKeyword;
    }();
    return kByKeyword[static_cast<std::size_t>(k)];
}

// statement := keyword statement | assignment | call. Randomize is no keyword (it may name a
// variable), so "Randomize" not followed by "=" is taken as the statement.
StmtPtr Parser::parseStatement() {
    const Token& t = upcoming();
    if (t.kind == Tok::Identifier && nameOf(t) == u"randomize" && upcoming(1).kind != Tok::Equal) {
        return parseRandomize();
    }
    if (t.kind == Tok::Identifier || t.kind == Tok::Dot) {
        return parseAssignOrCall();
    }
    const StatementParser parse = t.kind == Tok::Keyword ? statementParser(t.keyword) : nullptr;
    if (!parse) {
        fail(Outcome::ExpectedStatement);
    }
    return (this->*parse)();
}

// "Public"/"Private" before Sub, Function or Const, or declaring variables like Dim.
StmtPtr Parser::parseScoped() {
    if (isKeyword(Keyword::Function, 1) || isKeyword(Keyword::Sub, 1) ||
        isKeyword(Keyword::Const, 1)) {
        advance();
        return (this->*statementParser(upcoming().keyword))();
    }
    return parseDim();
}

// Let target = value: the keyword changes nothing.
StmtPtr Parser::parseLet() {
    advance();
    return parseAssignOrCall();
}

// Option Explicit: from here on every name must be declared before it is used.
StmtPtr Parser::parseOption() {
    advance();
    if (!isWord(u"explicit")) {
        fail(Outcome::SyntaxError);
    }
    advance();
    optionExplicit_ = true;
    return nullptr;
}

// Erase a: a fixed array's elements become Empty, a dynamic array becomes empty.
StmtPtr Parser::parseErase() {
    auto s = std::make_unique<EraseStmt>(StmtKind::Erase, advance().pos);
    if (upcoming().kind != Tok::Identifier) {
        fail(Outcome::ExpectedIdentifier);
    }
    s->target = makeName(advance());
    return s;
}

// Randomize [seed]: without a seed the generator is seeded from the clock when it runs.
StmtPtr Parser::parseRandomize() {
    auto s = std::make_unique<RandomizeStmt>(StmtKind::Randomize, advance().pos);
    if (!atStatementEnd()) {
        s->seed = parseExpr();
    }
    return s;
}

void Parser::expectBlockEnd(Keyword k, Outcome code) {
    if (!isKeyword(Keyword::End)) {
        fail(Outcome::ExpectedEnd);
    }
    advance();
    expectKeyword(k, code);
}

// If has two forms. A Then that ends its line opens a block closed by End If, with ElseIf and
// Else inside; anything else after Then is the one-line form, which ends with its line (an End
// If there is allowed and ignored).
StmtPtr Parser::parseIf() {
    auto s = std::make_unique<IfStmt>(StmtKind::If, advance().pos);
    s->conds.push_back(parseExpr());
    expectKeyword(Keyword::Then, Outcome::ExpectedThen);
    if (upcoming().kind == Tok::Newline || upcoming().kind == Tok::End) {
        // Block form: Then ends its line. A ":" after Then starts the one-line form, whose first
        // statement is empty ("If c Then :" opens no block).
        s->blocks.push_back(parseBlock(false));
        while (isKeyword(Keyword::ElseIf)) {
            advance();
            s->conds.push_back(parseExpr());
            expectKeyword(Keyword::Then, Outcome::ExpectedThen);
            s->blocks.push_back(parseBlock(false));
        }
        if (acceptKeyword(Keyword::Else)) {
            s->elseBlock = parseBlock(false);
        }
        expectBlockEnd(Keyword::If, Outcome::ExpectedIf);
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

// For i = a To b [Step c] ... Next [i], or For Each x In collection ... Next. The loop's bounds
// are evaluated once, when the loop starts (the executor's rule); Exit For needs an open For.
StmtPtr Parser::parseFor() {
    const std::size_t pos = advance().pos;
    const bool each = acceptKeyword(Keyword::Each);
    if (upcoming().kind != Tok::Identifier) {
        fail(each ? Outcome::ExpectedIdentifier : Outcome::InvalidForVariable);
    }
    ExprPtr target = makeName(advance());
    if (each) {
        auto s = std::make_unique<ForEachStmt>(StmtKind::ForEach, pos);
        s->target = std::move(target);
        expectKeyword(Keyword::In, Outcome::ExpectedIn);
        s->collection = parseExpr();
        s->body = parseLoopBody();
        return s;
    }
    auto s = std::make_unique<ForStmt>(StmtKind::For, pos);
    s->target = std::move(target);
    expect(Tok::Equal, Outcome::ExpectedEquals);
    s->start = parseExpr();
    expectKeyword(Keyword::To, Outcome::ExpectedTo);
    s->limit = parseExpr();
    if (isWord(u"step")) {
        advance();
        s->step = parseExpr();
    }
    s->body = parseLoopBody();
    return s;
}

// The body of a For or For Each loop, which Exit For may leave, and its Next [name].
Block Parser::parseLoopBody() {
    ++loops_.forLoops;
    Block body = parseBlock(false);
    --loops_.forLoops;
    expectKeyword(Keyword::Next, Outcome::ExpectedNext);
    if (upcoming().kind == Tok::Identifier) {
        advance(); // "Next i"
    }
    return body;
}

// Do [While|Until c] ... Loop [While|Until c]: the condition at one end only, or none at all.
StmtPtr Parser::parseDo() {
    auto s = std::make_unique<DoStmt>(StmtKind::Do, advance().pos);
    if (isKeyword(Keyword::While) || isKeyword(Keyword::Until)) {
        s->testFirst = true;
        s->until = advance().keyword == Keyword::Until;
        s->cond = parseExpr();
    }
    ++loops_.doLoops;
    s->body = parseBlock(false);
    --loops_.doLoops;
    expectKeyword(Keyword::Loop, Outcome::ExpectedLoop);
    if (isKeyword(Keyword::While) || isKeyword(Keyword::Until)) {
        if (s->testFirst) {
            fail(Outcome::ExpectedEndOfStatement);
        }
        s->until = advance().keyword == Keyword::Until;
        s->cond = parseExpr();
    }
    return s;
}

// While c ... Wend: a Do While loop that Exit Do cannot leave (it counts no Do).
StmtPtr Parser::parseWhile() {
    auto s = std::make_unique<DoStmt>(StmtKind::Do, advance().pos);
    s->whileWend = true;
    s->testFirst = true;
    s->cond = parseExpr();
    s->body = parseBlock(false);
    expectKeyword(Keyword::Wend, Outcome::ExpectedWend);
    return s;
}

// Select Case x, then Case clauses of items: a value ("Case 1, 2"), a range ("Case 1 To 5")
// or "Is" with a comparison ("Case Is >= 10"), then Case Else.
StmtPtr Parser::parseSelect() {
    auto s = std::make_unique<SelectStmt>(StmtKind::Select, advance().pos);
    expectKeyword(Keyword::Case, Outcome::ExpectedCase);
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
                clause.items.push_back(parseCaseItem());
            } while (upcoming().kind == Tok::Comma && advance().kind == Tok::Comma);
        }
        clause.body = parseBlock(false);
        s->cases.push_back(std::move(clause));
    }
    expectBlockEnd(Keyword::Select, Outcome::ExpectedSelect);
    return s;
}

// "Is" takes its comparison from the operator table; any other operator there is a syntax
// error at that operator.
CaseItem Parser::parseCaseItem() {
    CaseItem item;
    if (acceptKeyword(Keyword::Is)) {
        item.kind = CaseItem::Kind::Is;
        const OperatorRule* rule = binaryRule(upcoming());
        if (!rule || !isComparison(rule->op)) {
            fail(Outcome::SyntaxError);
        }
        advance();
        item.op = rule->op;
        item.low = parseExpr();
        return item;
    }
    item.low = parseExpr();
    if (acceptKeyword(Keyword::To)) {
        item.kind = CaseItem::Kind::Range;
        item.high = parseExpr();
    }
    return item;
}

// Exit Do, For, Function, Sub or Property, each only inside what it leaves (Exit Function not
// in a Property Get, which Exit Property leaves).
StmtPtr Parser::parseExit() {
    auto s = std::make_unique<ExitStmt>(StmtKind::Exit, advance().pos);
    const Token& t = advance();
    const bool inFunction = proc_ && proc_->proc->isFunction && !proc_->property;
    const bool inSub = proc_ && !proc_->proc->isFunction;
    if (t.kind == Tok::Keyword && t.keyword == Keyword::Do && loops_.doLoops > 0) {
        s->exitKind = ExitKind::Do;
    } else if (t.kind == Tok::Keyword && t.keyword == Keyword::For && loops_.forLoops > 0) {
        s->exitKind = ExitKind::For;
    } else if (t.kind == Tok::Keyword && t.keyword == Keyword::Function && inFunction) {
        s->exitKind = ExitKind::Function;
    } else if (t.kind == Tok::Keyword && t.keyword == Keyword::Sub && inSub && !proc_->property) {
        s->exitKind = ExitKind::Sub;
    } else if (t.kind == Tok::Identifier && nameOf(t) == u"property" && proc_ && proc_->property) {
        s->exitKind = ExitKind::Sub;
    } else {
        fail(Outcome::InvalidExit, t.pos);
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

// A statement that starts with a name: "target = value" assigns (the first "=" of a
// statement is the assignment, every later one compares), anything else calls. A Sub is called
// without parentheses around its arguments: "f(a)" passes a by value as a parenthesised
// expression, "f(a, b)" is an error, "Call f(a, b)" is the form with parentheses.
StmtPtr Parser::parseAssignOrCall() {
    const std::size_t pos = upcoming().pos;
    ExprPtr target = parseStatementTarget();
    if (upcoming().kind == Tok::Equal) {
        advance();
        auto s = std::make_unique<AssignStmt>(StmtKind::Assign, pos);
        s->target = std::move(target);
        s->value = parseExpr();
        s->joinsOntoTarget = joinsOntoItself(*s->target, *s->value);
        return s;
    }
    auto s = std::make_unique<CallStmt>(StmtKind::Call, pos);
    if (target->hasParens) {
        const std::size_t first =
            target->kind == ExprKind::Member || target->kind == ExprKind::Call ? 1 : 0;
        if (target->args.size() > first + 1) {
            fail(Outcome::ParenthesesOnSubCall, s->pos);
        }
        if (target->args.size() == first + 1) {
            target->args.back()->parenthesized = true;
        }
    } else if (!atStatementEnd()) {
        do {
            target->args.push_back(atStatementEnd() ? parseExpr() : parseArgument());
        } while (upcoming().kind == Tok::Comma && advance().kind == Tok::Comma);
    }
    s->target = std::move(target);
    return s;
}

// The name chain a statement starts with: "x", "x(1).y", ".member" inside With.
ExprPtr Parser::parseStatementTarget() {
    ExprPtr target;
    if (upcoming().kind == Tok::Dot) {
        target = std::make_unique<Expr>();
        target->kind = ExprKind::With;
        target->pos = upcoming().pos;
    } else {
        target = makeName(advance());
        if (upcoming().kind == Tok::LParen) {
            parseTargetArgs(*target);
        }
    }
    while ((upcoming().kind == Tok::Dot && !beginsWithMember(*target)) ||
           (upcoming().kind == Tok::LParen && target->hasParens)) {
        target = upcoming().kind == Tok::Dot ? parseMember(std::move(target))
                                             : parseCallOn(std::move(target));
    }
    return target;
}

// Inside With, "ok .prop = 1, .prop" calls ok with two arguments: a dot with a blank before
// it, after a name, begins the first argument with a With member ("ok.prop" is a member).
bool Parser::beginsWithMember(const Expr& target) const {
    const std::size_t dot = upcoming().pos;
    return target.kind != ExprKind::With && dot > 0 &&
           (source_[dot - 1] == u' ' || source_[dot - 1] == u'\t');
}

// name(...) is a subscript or call target, unless what follows the ")" shows that the
// parentheses began the first argument: "f (a + 1) * 2, 3". The parse then backs up, dropping
// the names it collected.
void Parser::parseTargetArgs(Expr& target) {
    const std::size_t save = pos_;
    const std::size_t mark = pendingCount();
    std::vector<ExprPtr> args;
    parseArgs(args);
    if (upcoming().kind == Tok::Equal || atStatementEnd() || upcoming().kind == Tok::Dot ||
        upcoming().kind == Tok::LParen) {
        target.args = std::move(args);
        target.hasParens = true;
        return;
    }
    args.clear();
    truncatePending(mark);
    backUp(save);
}

// Set target = value: assigns an object reference (the value's default member is not read).
StmtPtr Parser::parseSet() {
    auto s = std::make_unique<AssignStmt>(StmtKind::Set, advance().pos);
    if (upcoming().kind != Tok::Identifier && upcoming().kind != Tok::Dot) {
        fail(Outcome::ExpectedIdentifier);
    }
    s->target = parseNameChain();
    expect(Tok::Equal, Outcome::ExpectedEquals);
    s->value = parseExpr();
    return s;
}

// Call f(a, b): a call whose arguments are in parentheses; a Function's result is dropped.
StmtPtr Parser::parseCallKeyword() {
    auto s = std::make_unique<CallStmt>(StmtKind::Call, advance().pos);
    s->callKeyword = true;
    if (upcoming().kind == Tok::LParen) {
        // "Call (f)(x)": the parenthesised value is called with what follows.
        s->target = parsePrimary();
        return s;
    }
    if (upcoming().kind != Tok::Identifier && upcoming().kind != Tok::Dot) {
        fail(Outcome::ExpectedIdentifier);
    }
    s->target = parseNameChain();
    return s;
}

} // namespace vbs
