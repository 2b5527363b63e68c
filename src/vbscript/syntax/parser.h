#pragma once

#include "ast.h"
#include "global_table.h"
#include "lexer.h"
#include "limits/stack_guard.h"
#include "objects/class_def.h"
#include "token.h"
#include "values/error_codes.h"

#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

namespace vbs {

struct CallerScope;

// How a binary operator binds: it takes a left operand whose operators bind at least `left`
// (its precedence level, 1 loosest) and parses its right operand at `right`.
struct OperatorRule {
    BinaryOp op;
    std::uint8_t left;
    std::uint8_t right;
};

// The rule of the binary operator that token `t` is, from the one operator table
// (parser_expr.cpp); null for a token that is none. Select Case's "Is" takes its comparison
// from here too.
const OperatorRule* binaryRule(const Token& t);

// The outcome of parsing one call's text. After a syntax error `error` and `errorPos` (the
// offset in the text where the error lies) tell what failed, and no statement or expression is
// returned.
struct ParseResult {
    Outcome error = Outcome::Normal;
    std::size_t errorPos = 0;
    Block statements;   // statement mode
    ExprPtr expression; // expression mode
    // The text says Option Explicit (or it was in force already).
    bool optionExplicit = false;
    // The procedures this text's definitions replaced: one may still be running (a procedure
    // whose Execute redefines it), so the caller decides when they go.
    std::vector<std::shared_ptr<Procedure>> replaced;
};

// Recursive-descent parser for statements and for single expressions. Names are collected per
// scope while parsing and resolved to slots when the text has parsed without error, so a
// failed parse defines nothing. Nesting is limited so that no input can exhaust the C++ stack.
class Parser {
public:
    // `stackEnd`: where the calling thread's stack ends (StackExtent), 0 when unknown. Texts
    // the source holds are counted in `budget`.
    Parser(std::u16string_view source, GlobalTable& globals, std::uintptr_t stackEnd,
           const Budget& budget);

    ParseResult parseStatements();
    ParseResult parseExpression();
    // Text that Execute or Eval runs inside a procedure: its names outside any procedure it
    // defines are looked up in `caller` first, and the variables it makes are added there.
    void runInside(CallerScope& caller) { caller_ = &caller; }
    // A name defined nowhere stays undefined (Scope::Undefined) instead of becoming a new
    // variable, so that parsing a text only to look at it adds nothing to the global scope.
    void defineNothing() { definesNothing_ = true; }

    // Deeper nesting of expressions or blocks ends in "Out of stack space".
    static constexpr int kMaxNesting = 1000;

private:
    struct ProcScope {
        std::shared_ptr<Procedure> proc;
        // The class whose member this procedure is; null for a script-level procedure.
        std::shared_ptr<ClassDef> cls;
        bool property = false; // ended by End Property, left by Exit Property
        std::unordered_map<std::u16string, std::int32_t> locals;
        std::vector<Expr*> pending;
    };
    // What a syntax error throws (see fail); caught only in run().
    struct Fail {
        Outcome code;
        std::size_t pos;
    };

    // Token access.
    const Token& upcoming(std::size_t ahead = 0) const {
        return ahead == 0 && current_ ? *current_ : peekFar(ahead);
    }
    const Token& peekFar(std::size_t ahead) const;
    const std::u16string& nameOf(const Token& t) const { return lexer_.list().names[t.payload]; }
    Variant valueOf(const Token& t) const {
        return t.smallInteger ? Variant::integer(static_cast<std::int16_t>(t.payload))
                              : lexer_.list().values[t.payload];
    }
    const Token& advance();
    // Returns to an earlier token, for a parse that backs up.
    void backUp(std::size_t pos);
    bool isKeyword(Keyword k, std::size_t ahead = 0) const;
    bool isWord(std::u16string_view lower, std::size_t ahead = 0) const;
    bool beginsWithMember(const Expr& target) const;
    bool acceptKeyword(Keyword k);
    void expectKeyword(Keyword k, Outcome code);
    void expect(Tok kind, Outcome code);
    // The one way the parser reports an error: the code and the source offset it lies at.
    [[noreturn]] void fail(Outcome code, std::size_t pos) const;
    // At the current token (or the lexer's error, if that token is one).
    [[noreturn]] void fail(Outcome code) const;
    bool atSeparator() const;
    bool atStatementEnd() const;
    // Counts one level of nesting; fails with "Out of stack space" beyond the limit.
    void enterNesting();

    // Statements (parser.cpp).
    using StatementParser = StmtPtr (Parser::*)();
    ParseResult run(void (Parser::*body)(ParseResult&));
    void statementsInto(ParseResult& r);
    void expressionInto(ParseResult& r);
    Block parseBlock(bool singleLine);
    bool startsStatement() const;
    static StatementParser statementParser(Keyword k);
    StmtPtr parseStatement();
    StmtPtr parseScoped();
    StmtPtr parseLet();
    StmtPtr parseOption();
    StmtPtr parseErase();
    StmtPtr parseRandomize();
    StmtPtr parseIf();
    StmtPtr parseFor();
    Block parseLoopBody();
    StmtPtr parseDo();
    StmtPtr parseWhile();
    StmtPtr parseSelect();
    CaseItem parseCaseItem();
    StmtPtr parseExit();
    // Declarations (parser_decl.cpp): Dim and ReDim, Const, Sub and Function, On Error.
    StmtPtr parseDim();
    StmtPtr parseOnError();
    StmtPtr parseConst();
    StmtPtr parseProcedure();
    // Sub, Function or Property Get/Let/Set after its keywords, up to its End; `kind` is the
    // keyword that ends it (Sub, Function, or Keyword::None for Property).
    std::unique_ptr<ProcScope> parseProcedureRest(Keyword kind, bool isFunction,
                                                  std::shared_ptr<ClassDef> cls);
    void parseParameters(ProcScope& scope);
    void parseProcedureBody(ProcScope& scope);
    void expectProcedureEnd(Keyword kind, bool isFunction);
    // Class ... End Class (parser_class.cpp).
    StmtPtr parseClass();
    void parseClassEntry(const std::shared_ptr<ClassDef>& def);
    void parseClassMember(const std::shared_ptr<ClassDef>& def, bool isPublic, bool isDefault);
    void parseClassVariables(ClassDef& def, bool isPublic);
    ClassMember& classMember(ClassDef& def, const std::u16string& lower);
    StmtPtr parseWith();
    StmtPtr parseAssignOrCall();
    ExprPtr parseStatementTarget();
    void parseTargetArgs(Expr& target);
    StmtPtr parseSet();
    StmtPtr parseCallKeyword();
    void expectBlockEnd(Keyword k, Outcome code);

    // Expressions (parser_expr.cpp).
    ExprPtr parseExpr();
    ExprPtr parseBinary(int minPrec);
    bool foldNextLiteral(Expr& left, const OperatorRule& rule);
    bool foldInto(Expr& left, const Expr& right, BinaryOp op);
    void appendOperation(ExprPtr& left, const OperatorRule& rule, ExprPtr right, std::size_t pos);
    ExprPtr parseOperand();
    ExprPtr parsePrimary();
    ExprPtr parseParenthesized();
    ExprPtr parseKeywordOperand();
    ExprPtr parseNameChain();
    ExprPtr parseMember(ExprPtr object);
    ExprPtr parseCallOn(ExprPtr callee);
    void parseArgs(std::vector<ExprPtr>& args);
    ExprPtr parseArgument();
    ExprPtr makeName(const Token& t);
    Variant constantValue(const Expr& e) const;

    // Names (parser_names.cpp).
    void declare(Expr& name);
    void resolveAll();
    void resolve(Expr& e, ProcScope* scope);
    bool resolveAtScriptLevel(Expr& e);
    void makeVariable(Expr& e, ProcScope* scope);
    // A script-level name of a text run inside a procedure, found among that procedure's
    // variables or Me's members.
    bool resolveInCaller(Expr& e);
    void resolvePending(const std::vector<Expr*>& names, ProcScope* scope);
    // A class may not share its name with a script-level variable, constant or procedure
    // (Name redefined).
    void checkClassNames() const;
    // Takes the procedure `g` holds, for ParseResult::replaced.
    void retire(GlobalEntry& g);
    // Names waiting for resolution in the current scope; a parse that backs up drops the names
    // it collected on the abandoned path.
    std::vector<Expr*>& pending() { return proc_ ? proc_->pending : topPending_; }
    std::size_t pendingCount() { return pending().size(); }
    void truncatePending(std::size_t n) { pending().resize(n); }

    // Lexes on demand, also from const look-ahead: only its cache changes.
    mutable Lexer lexer_;
    std::u16string_view source_;
    Budget budget_;
    std::size_t pos_ = 0;
    // Token pos_ once looked at (the lexer's tokens do not move); null after a move.
    mutable const Token* current_ = nullptr;
    GlobalTable& globals_;
    // The script's setting, turned on for the rest of this text by an Option Explicit in it.
    bool optionExplicit_;
    int depth_ = 0;
    StackGuard stack_;
    // Loops open around the statement being parsed, for checking Exit Do and Exit For.
    struct OpenLoops {
        int doLoops = 0;
        int forLoops = 0;
    };
    OpenLoops loops_;
    ProcScope* proc_ = nullptr;
    std::vector<std::unique_ptr<ProcScope>> procs_;
    std::vector<Expr*> topPending_;
    std::vector<std::u16string> topDims_;
    std::vector<std::pair<std::u16string, Variant>> topConsts_;
    std::vector<std::shared_ptr<ClassDef>> classes_;
    CallerScope* caller_ = nullptr;
    bool definesNothing_ = false;
    std::vector<std::shared_ptr<Procedure>> replaced_;
};

} // namespace vbs
