#pragma once

#include "public/variant.h"
#include "values/operators.h"

#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

// The syntax tree. Names are resolved once, after their scope has been parsed, to a slot: a
// local of the running procedure, an entry of the global table or a built-in function, so that
// running the tree never looks a name up.
namespace vbs {

struct Expr;
struct Stmt;
struct Procedure;
struct GlobalEntry;
struct ClassDef;
using ExprPtr = std::unique_ptr<Expr>;
using StmtPtr = std::unique_ptr<Stmt>;
using Block = std::vector<StmtPtr>;

// Runners. Every statement and expression holds the function that runs it, chosen for its shape
// (kind, scope, the kinds of its operands) the first time it runs and kept, so the tests a tree
// walker makes on every pass are made once per node (run/node_runners.cpp). An
// expression's function counts its own step towards the time limit; a literal or a plain
// variable counts none.
// Unlike the helpers off the hot path (Result<T>), a runner writes its value through an
// out-parameter: `x = a op b` is computed straight into x, and an operand into the caller's
// storage, with no temporary (run/node_runners.cpp); fib22, loop1M and method22 of
// bench/instruction_counts.sh run through these on every step.
class Executor;
using StmtRunner = Outcome (*)(Executor&, const Stmt&);
using ExprRunner = Outcome (*)(Executor&, const Expr&, Variant&);
// An expression used as the condition of If, Do or While: its truth value.
using TruthRunner = Outcome (*)(Executor&, const Expr&, bool&);
// The runner every node starts with: picks the node's own, keeps it, and runs it.
Outcome specializeStatement(Executor& x, const Stmt& s);
Outcome specializeExpression(Executor& x, const Expr& e, Variant& out);
Outcome specializeTruth(Executor& x, const Expr& e, bool& out);

enum class Scope : std::uint8_t {
    Unresolved,
    Local,     // index into the running procedure's slots
    Global,    // index into the global table
    Builtin,   // index into the built-in function table
    Member,    // index into the members of the class whose procedure runs (Me's class)
    Undefined, // undeclared under Option Explicit: error 500 when reached
};

enum class ExprKind : std::uint8_t {
    Literal, // value
    Name,    // name/scope/index, args when written with parentheses (call or subscript)
    Member,  // args[0] is the object, name the member, args[1...] the arguments
    Unary,   // unaryOp on args[0]
    Binary,  // args[0] ops[0] args[1] ops[1] args[2] ...: one node per run of operators of
             // one precedence, evaluated left to right, so long sums do not nest deeply
    New,     // New name
    Me,      // the instance whose procedure runs
    With,    // the object of the innermost With block (the left of ".member")
    Call,    // args[0] called or indexed with args[1...]: "x(0)(1)", "(f)(x)"
};

// An operator's operands as the runner picked for it found them: the slot of a plain local on
// the left, and the number of an Integer literal on the right. The operator's code reads them
// here rather than through the operand's node, which saves two loads, each waiting on the one
// before, per operand (fib's n - 1 and n < 2); a mispredicted branch on the result waits for
// all of them.
struct OperandCache {
    std::int32_t leftSlot = -1;
    std::int16_t rightInteger = 0;
};

struct Expr {
    mutable ExprRunner run = &specializeExpression;
    mutable TruthRunner truth = &specializeTruth;
    ExprKind kind = ExprKind::Literal;
    Scope scope = Scope::Unresolved;
    UnaryOp unaryOp = UnaryOp::Neg;
    // Written as name(...), even with nothing inside.
    bool hasParens = false;
    // The whole expression was in parentheses: passed by value even to a ByRef parameter.
    bool parenthesized = false;
    // Scope::Builtin: called with the one argument it may take, and a built-in that only reads
    // its arguments (not Eval, Execute, ExecuteGlobal or GetRef): the count needs no check.
    bool builtinOnOneValue = false;
    // Literal: an argument left out between commas, "f(a, , c)" (not an explicit Empty).
    bool leftOut = false;
    // Name: the slot or member the name was bound to; Scope::Builtin: the built-in.
    std::int32_t index = -1;
    // Binary: its operands as the runner picked for it found them.
    mutable OperandCache operands;
    // Scope::Global: the entry itself (entries never move), saving the table look-up.
    GlobalEntry* global = nullptr;
    std::size_t pos = 0;
    Variant value;
    // Lower-case name of a Name or Member.
    std::u16string name;
    std::vector<ExprPtr> args;
    std::vector<BinaryOp> ops;
    // Member: the class last seen and that member's index in it, so that calls from one site
    // on objects of one class look the name up once. The class is held weakly beside its
    // address: while it lives no other class can have that address, and the tree (which a
    // class's own procedures are part of) keeps no class alive.
    mutable const ClassDef* cachedClass = nullptr;
    mutable std::weak_ptr<const ClassDef> cachedClassAlive;
    mutable std::int32_t cachedMember = -1;
    // The procedure a read or call of that member runs when it takes arguments (a Sub,
    // Function or Property Get with parameters); null for anything else. Also for a Name of
    // Scope::Member called with arguments, where it is found once: Me's class is always that
    // of the procedure the name lies in.
    mutable const Procedure* cachedMethod = nullptr;
};

struct DimItem {
    ExprPtr target; // a Name
    // Sizes (upper bounds) for Dim a(3) / ReDim a(n); empty for a plain variable.
    std::vector<ExprPtr> bounds;
    bool isArray = false;
};

struct CaseItem {
    enum class Kind : std::uint8_t { Value, Range, Is } kind = Kind::Value;
    BinaryOp op = BinaryOp::Eq; // Is comparisons
    ExprPtr low;
    ExprPtr high;
};

struct CaseClause {
    std::vector<CaseItem> items; // empty for Case Else
    bool isElse = false;
    Block body;
};

enum class StmtKind : std::uint8_t {
    Assign, // AssignStmt: target = value
    Set,    // AssignStmt: Set target = value
    Call,   // CallStmt: target is the call (Name or Member); args in target
    Dim,    // DimStmt
    ReDim,  // DimStmt, with preserve
    Erase,  // EraseStmt
    If,     // IfStmt
    For,    // ForStmt
    ForEach,
    Do,
    Select,
    Exit,
    OnErrorResumeNext, // Stmt alone
    OnErrorGoto0,      // Stmt alone
    Randomize,
    With,
};

enum class ExitKind : std::uint8_t { Do, For, Function, Sub };

// A statement. Its kind says which of the types below it is; as<T>() gives that type, so each
// statement holds exactly the parts its kind has.
struct Stmt {
    Stmt(StmtKind k, std::size_t at) : kind(k), pos(at) {}
    Stmt(const Stmt&) = delete;
    Stmt& operator=(const Stmt&) = delete;
    virtual ~Stmt() = default;
    template <typename T> const T& as() const { return static_cast<const T&>(*this); }

    mutable StmtRunner run = &specializeStatement;
    StmtKind kind;
    std::size_t pos;
};

// target = value, Set target = value.
struct AssignStmt : Stmt {
    using Stmt::Stmt;
    ExprPtr target;
    ExprPtr value;
    // Of the form `s = s & ...` (see Executor::execAppend).
    bool joinsOntoTarget = false;
};

struct CallStmt : Stmt {
    using Stmt::Stmt;
    ExprPtr target;
    // Written with the Call keyword (Windows treats some calls differently then).
    bool callKeyword = false;
};

// Dim, ReDim [Preserve].
struct DimStmt : Stmt {
    using Stmt::Stmt;
    std::vector<DimItem> items;
    bool preserve = false;
};

struct EraseStmt : Stmt {
    using Stmt::Stmt;
    ExprPtr target;
};

// conds[i] leads to blocks[i]; elseBlock when none holds.
struct IfStmt : Stmt {
    using Stmt::Stmt;
    std::vector<ExprPtr> conds;
    std::vector<Block> blocks;
    Block elseBlock;
};

struct ForStmt : Stmt {
    using Stmt::Stmt;
    ExprPtr target;
    ExprPtr start;
    ExprPtr limit;
    ExprPtr step; // null without Step
    Block body;
};

struct ForEachStmt : Stmt {
    using Stmt::Stmt;
    ExprPtr target;
    ExprPtr collection; // the array or object run through
    Block body;
};

// Do [While|Until cond] ... Loop [While|Until cond], and While ... Wend.
struct DoStmt : Stmt {
    using Stmt::Stmt;
    ExprPtr cond; // null for a loop without a condition
    bool testFirst = false;
    bool until = false;
    // While ... Wend: "Exit Do" inside it leaves the enclosing Do, not the While.
    bool whileWend = false;
    Block body;
};

struct SelectStmt : Stmt {
    using Stmt::Stmt;
    ExprPtr subject; // the value the cases are compared with
    std::vector<CaseClause> cases;
};

struct ExitStmt : Stmt {
    using Stmt::Stmt;
    ExitKind exitKind = ExitKind::Do;
};

struct RandomizeStmt : Stmt {
    using Stmt::Stmt;
    ExprPtr seed; // null without one
};

struct WithStmt : Stmt {
    using Stmt::Stmt;
    ExprPtr object;
    Block body;
};

struct Parameter {
    std::u16string name; // lower case
    bool byRef = true;
};

// A Function or Sub. Slots: the parameters first, then the function's result, then locals.
struct Procedure {
    std::u16string name; // lower case
    bool isFunction = false;
    std::vector<Parameter> params;
    // The count of arguments a call may start with at once: params.size(), or -1 when the call
    // must first pass the check of callableFrom (ArgumentBinder::accepts).
    std::int32_t quickArgumentCount = 0;
    // Defined by Execute while procedure `callableFrom` ran: it sees the global scope, but only
    // that procedure (and it itself) may call it. Null for every other procedure.
    const Procedure* callableFrom = nullptr;
    std::int32_t resultSlot = -1;
    std::int32_t slotCount = 0;
    // Procedure-level constants: slot and value, set when a call starts.
    std::vector<std::pair<std::int32_t, Variant>> constants;
    Block body;
    // Calls of it under way: a running procedure that a text given to Execute redefines is
    // kept until it returns.
    mutable std::int32_t running = 0;
    // Every variable's slot by lower-case name, for text that Execute and Eval run inside it.
    std::unordered_map<std::u16string, std::int32_t> localNames;
};

} // namespace vbs
