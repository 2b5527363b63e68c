#pragma once

#include "ast.h"
#include "class_def.h"
#include "error_codes.h"
#include "global_table.h"
#include "lexer.h"
#include "stack_guard.h"
#include "token.h"

#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

namespace vbs {

struct CallerScope;

// A binary operator and its precedence level (1 loosest).
struct OperatorRule {
    BinaryOp op;
    int level;
};

// The binary operator token `t` is, with its level; false for a token that is none.
bool binaryRule(const Token& t, OperatorRule& r);

// The outcome of parsing one call's text.
struct ParseResult {
    ErrorCode error = ErrorCode::None;
    std::size_t errorPos = 0;
    Block statements;   // statement mode
    ExprPtr expression; // expression mode
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
    Parser(std::u16string_view source, GlobalTable& globals, bool optionExplicit,
           std::uintptr_t stackEnd, const Budget& budget);

    ParseResult parseStatements();
    ParseResult parseExpression();
    // Text that Execute or Eval runs inside a procedure: its names outside any procedure it
    // defines are looked up in `caller` first, and the variables it makes are added there.
    void runInside(CallerScope& caller) { caller_ = &caller; }

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
    struct Fail {
        ErrorCode code;
        std::size_t pos;
    };

    // Token access.
    const Token& peek(std::size_t ahead = 0) const;
    const std::u16string& nameOf(const Token& t) const { return lexer_.list().names[t.payload]; }
    Variant valueOf(const Token& t) const {
        return t.smallInteger ? Variant::integer(static_cast<std::int16_t>(t.payload))
                              : lexer_.list().values[t.payload];
    }
    const Token& advance();
    bool isKeyword(Keyword k, std::size_t ahead = 0) const;
    bool isWord(std::u16string_view lower, std::size_t ahead = 0) const;
    bool acceptKeyword(Keyword k);
    void expectKeyword(Keyword k, ErrorCode code);
    void expect(Tok kind, ErrorCode code);
    [[noreturn]] void fail(ErrorCode code) const;
    [[noreturn]] void fail(ErrorCode code, std::size_t pos) const;
    bool atSeparator() const;
    bool atStatementEnd() const;
    // Counts one level of nesting; fails with "Out of stack space" beyond the limit.
    void enterNesting();

    // Statements (parser.cpp).
    Block parseBlock(bool singleLine);
    bool startsStatement() const;
    StmtPtr parseStatement(bool singleLine);
    StmtPtr parseIf();
    StmtPtr parseFor();
    StmtPtr parseDo();
    StmtPtr parseWhile();
    StmtPtr parseSelect();
    StmtPtr parseExit();
    StmtPtr parseDim(bool redim);
    StmtPtr parseOnError();
    void parseConst();
    void parseProcedure();
    // Sub, Function or Property Get/Let/Set after its keywords, up to its End; `kind` is the
    // keyword that ends it (Sub, Function, or Keyword::None for Property).
    std::unique_ptr<ProcScope> parseProcedureRest(Keyword kind, bool isFunction,
                                                  std::shared_ptr<ClassDef> cls);
    // Class ... End Class (parser_class.cpp).
    void parseClass();
    void parseClassMember(const std::shared_ptr<ClassDef>& def, bool isPublic, bool isDefault);
    void parseClassVariables(ClassDef& def, bool isPublic);
    ClassMember& classMember(ClassDef& def, const std::u16string& lower);
    StmtPtr parseWith();
    StmtPtr parseAssignOrCall();
    StmtPtr parseSet();
    StmtPtr parseCallKeyword();
    void expectBlockEnd(Keyword k, ErrorCode code);

    // Expressions (parser_expr.cpp).
    ExprPtr parseExpr();
    ExprPtr parseBinary(int minPrec);
    bool foldNextLiteral(Expr& left, const OperatorRule& rule);
    ExprPtr parseOperand();
    ExprPtr parsePrimary();
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
    GlobalTable& globals_;
    bool optionExplicit_;
    int depth_ = 0;
    StackGuard stack_;
    int loopDepth_[2] = {0, 0}; // Do, For: for checking Exit
    ProcScope* proc_ = nullptr;
    std::vector<std::unique_ptr<ProcScope>> procs_;
    std::vector<Expr*> topPending_;
    std::vector<std::u16string> topDims_;
    std::vector<std::pair<std::u16string, Variant>> topConsts_;
    std::vector<std::shared_ptr<ClassDef>> classes_;
    // With blocks open around the statement being parsed ("." needs one).
    int withDepth_ = 0;
    CallerScope* caller_ = nullptr;
    std::vector<std::shared_ptr<Procedure>> replaced_;
};

} // namespace vbs
