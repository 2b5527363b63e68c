#include "parser.h"

#include "caller_scope.h"

// Declarations: Dim, ReDim, Const, Function and Sub, and On Error.
namespace vbs {

// On Error Resume Next (a failing statement is skipped and Err tells what failed) and On Error
// GoTo 0 (failures stop the script again) are the only forms: there are no labels to go to.
StmtPtr Parser::parseOnError() {
    const std::size_t pos = advance().pos;
    if (!isWord(u"error")) {
        fail(Outcome::SyntaxError);
    }
    advance();
    if (acceptKeyword(Keyword::Resume)) {
        expectKeyword(Keyword::Next, Outcome::SyntaxError);
        return std::make_unique<Stmt>(StmtKind::OnErrorResumeNext, pos);
    }
    expectKeyword(Keyword::Goto, Outcome::SyntaxError);
    const Token& zero = upcoming();
    if (zero.kind != Tok::Number || valueOf(zero).asInt() != 0 || !valueOf(zero).isIntegral()) {
        fail(Outcome::SyntaxError);
    }
    advance();
    return std::make_unique<Stmt>(StmtKind::OnErrorGoto0, pos);
}

// Dim (or Public/Private at its place) declares names, arrays with constant bounds; ReDim
// [Preserve] sizes an array at run time, so its bounds may be any expression.
StmtPtr Parser::parseDim() {
    const std::size_t pos = upcoming().pos;
    const bool redim = advance().keyword == Keyword::ReDim;
    auto s = std::make_unique<DimStmt>(redim ? StmtKind::ReDim : StmtKind::Dim, pos);
    if (redim && isWord(u"preserve")) {
        advance();
        s->preserve = true;
    }
    do {
        if (upcoming().kind != Tok::Identifier) {
            fail(Outcome::ExpectedIdentifier);
        }
        DimItem item;
        item.target = makeName(advance());
        if (upcoming().kind == Tok::LParen) {
            item.isArray = true;
            advance();
            if (upcoming().kind != Tok::RParen) {
                do {
                    ExprPtr bound = parseExpr();
                    if (!redim && bound->kind != ExprKind::Literal &&
                        !(bound->kind == ExprKind::Unary &&
                          bound->args[0]->kind == ExprKind::Literal)) {
                        fail(Outcome::ExpectedInteger, bound->pos);
                    }
                    item.bounds.push_back(std::move(bound));
                } while (upcoming().kind == Tok::Comma && advance().kind == Tok::Comma);
            }
            expect(Tok::RParen, Outcome::ExpectedRParen);
        } else if (redim) {
            fail(Outcome::ExpectedLParen);
        }
        // In a class's procedure, ReDim of the class's own array variable resizes that
        // variable rather than declaring a local one.
        const bool memberArray = redim && proc_ && proc_->cls &&
                                 proc_->locals.count(item.target->name) == 0 &&
                                 proc_->cls->find(item.target->name) >= 0;
        if (!memberArray) {
            declare(*item.target);
        }
        s->items.push_back(std::move(item));
    } while (upcoming().kind == Tok::Comma && advance().kind == Tok::Comma);
    return s;
}

// A constant's value is fixed at parse time (constantValue): literals, operators on them and
// earlier constants.
StmtPtr Parser::parseConst() {
    advance();
    do {
        if (upcoming().kind != Tok::Identifier) {
            fail(Outcome::ExpectedIdentifier);
        }
        const Token& name = advance();
        expect(Tok::Equal, Outcome::ExpectedEquals);
        const std::size_t mark = pendingCount();
        ExprPtr e = parseExpr();
        Variant value = constantValue(*e);
        truncatePending(mark);
        if (proc_) {
            const std::int32_t slot = proc_->proc->slotCount++;
            proc_->locals[nameOf(name)] = slot;
            proc_->proc->constants.emplace_back(slot, std::move(value));
        } else if (caller_) {
            // Text run inside a procedure: a constant of that call.
            const std::int32_t slot = caller_->slotCount++;
            caller_->locals[nameOf(name)] = slot;
            caller_->constants.emplace_back(slot, std::move(value));
        } else {
            topConsts_.emplace_back(nameOf(name), std::move(value));
        }
    } while (upcoming().kind == Tok::Comma && advance().kind == Tok::Comma);
    return nullptr;
}

// Sub and Function live at script level only; they are hoisted (callable above their text)
// when the whole text has parsed.
StmtPtr Parser::parseProcedure() {
    const Token& kw = advance();
    if (proc_) {
        fail(Outcome::SyntaxError, kw.pos);
    }
    const bool isFunction = kw.keyword == Keyword::Function;
    procs_.push_back(parseProcedureRest(kw.keyword, isFunction, nullptr));
    return nullptr;
}

// name [ "(" parameters ")" ] line end, body, End Sub / Function / Property.
std::unique_ptr<Parser::ProcScope> Parser::parseProcedureRest(Keyword kind, bool isFunction,
                                                              std::shared_ptr<ClassDef> cls) {
    if (upcoming().kind != Tok::Identifier) {
        fail(Outcome::ExpectedIdentifier);
    }
    const Token& name = advance();
    auto scope = std::make_unique<ProcScope>();
    scope->proc = std::make_shared<Procedure>();
    scope->cls = std::move(cls);
    scope->property = kind == Keyword::None;
    Procedure& p = *scope->proc;
    p.name = nameOf(name);
    p.isFunction = isFunction;
    if (upcoming().kind == Tok::LParen) {
        parseParameters(*scope);
    }
    // A Function's result is a local variable named like the Function.
    if (isFunction) {
        p.resultSlot = p.slotCount++;
        scope->locals[p.name] = p.resultSlot;
    }
    parseProcedureBody(*scope);
    expectProcedureEnd(kind, isFunction);
    p.quickArgumentCount = static_cast<std::int32_t>(p.params.size());
    // A procedure that text given to Execute inside a procedure defines may be called only from
    // there [MS:Execute Statement]; ExecuteGlobal's, and a class's methods, from anywhere.
    if (caller_ && !scope->cls) {
        p.callableFrom = caller_->proc;
        p.quickArgumentCount = -1;
    }
    return scope;
}

// "(a, ByVal b, ByRef c())": parameters are ByRef unless marked ByVal; "()" after a name only
// says it takes an array. Each parameter is the next local slot.
void Parser::parseParameters(ProcScope& scope) {
    Procedure& p = *scope.proc;
    advance();
    while (upcoming().kind != Tok::RParen) {
        Parameter param;
        if (acceptKeyword(Keyword::ByVal)) {
            param.byRef = false;
        } else {
            acceptKeyword(Keyword::ByRef);
        }
        if (upcoming().kind != Tok::Identifier) {
            fail(Outcome::ExpectedIdentifier);
        }
        param.name = nameOf(advance());
        if (upcoming().kind == Tok::LParen && upcoming(1).kind == Tok::RParen) {
            advance();
            advance();
        }
        if (scope.locals.count(param.name) != 0) {
            fail(Outcome::NameRedefined);
        }
        scope.locals[param.name] = p.slotCount++;
        p.params.push_back(std::move(param));
        if (upcoming().kind != Tok::Comma) {
            break;
        }
        advance();
    }
    expect(Tok::RParen, Outcome::ExpectedRParen);
}

// A procedure's body starts outside any loop of the text around it: Exit Do and Exit For need
// a loop of their own.
void Parser::parseProcedureBody(ProcScope& scope) {
    const OpenLoops saved = loops_;
    loops_ = {};
    proc_ = &scope;
    scope.proc->body = parseBlock(false);
    proc_ = nullptr;
    loops_ = saved;
}

// End Sub, End Function or End Property ("Property" is a name, not a keyword).
void Parser::expectProcedureEnd(Keyword kind, bool isFunction) {
    if (kind != Keyword::None) {
        expectBlockEnd(kind, isFunction ? Outcome::ExpectedFunction : Outcome::ExpectedSub);
        return;
    }
    if (!isKeyword(Keyword::End)) {
        fail(Outcome::ExpectedEnd);
    }
    advance();
    if (!isWord(u"property")) {
        fail(Outcome::ExpectedProperty);
    }
    advance();
}

} // namespace vbs
