#pragma once

#include "call_frame.h"
#include "limits/stack_guard.h"
#include "objects/class_def.h"
#include "run_errors.h"
#include "runtime.h"
#include "syntax/ast.h"
#include "syntax/global_table.h"
#include "values/error_codes.h"

#include <array>
#include <chrono>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace vbs {

struct CallerScope;
class ProcedureReference;
enum class ScriptBuiltin : std::uint8_t;

// Runs syntax trees. Global names were bound to their table entries by the parser.
class Executor {
    // The specializer's runners run the executor's parts (run/node_runners.cpp).
    friend struct Specializer;
    // Binding a call's arguments reads and evaluates them as the executor does.
    friend class ArgumentBinder;

public:
    // Classes named by New are looked up in `globals`; Execute adds to it.
    Executor(Runtime& runtime, GlobalTable& globals);
    ~Executor();
    Executor(const Executor&) = delete;
    Executor& operator=(const Executor&) = delete;

    // Off: every node runs by its general runner, never a specialised one (for comparing the
    // two). Set before the first run; a node keeps the runner it got.
    void setSpecializing(bool on) { specializes_ = on; }
    bool specializing() const { return specializes_; }
    // Starts a run: the deadline and the stack measure count from here, on a stack that ends
    // at `stackEnd` (StackExtent; 0 when unknown).
    void begin(std::chrono::steady_clock::time_point deadline, std::uintptr_t stackEnd);
    // False when the run failed; then errorNumber()/errorDescription() tell why.
    bool runBlock(const Block& block);
    bool evaluate(const Expr& e, Variant& out);
    // After a run: runs the Class_Terminate of objects released and not yet ended, then frees
    // reference cycles. Errors in a Class_Terminate are ignored, as they have no caller.
    void finishRun();
    // An object given as an answer stands for the value of its default member (Nothing stays).
    bool answerValue(Variant& v);

    int errorNumber() const { return errors_.of(errors_.failure).number; }
    std::u16string errorDescription() const { return errors_.of(errors_.failure).description; }
    // Where the statement that failed begins in the run's source: of the outermost one, as
    // procedures called from it may come from an earlier source.
    std::size_t failedStatementPos() const { return errors_.statementPos; }
    // Where the innermost expression that failed begins (the operator of an operation, the
    // name of a call), within that same outermost statement; kNoPosition when the failure
    // lies in no expression of the run's source (a time-out, a statement of its own).
    std::size_t failedExpressionPos() const { return errors_.expressionPos; }
    static constexpr std::size_t kNoPosition = RunErrors::kNoPosition;
    // The description a time-out reports.
    void setTimeoutText(std::u16string text) { errors_.timeoutText = std::move(text); }

private:
    // Statements (statements.cpp): blocks, If, the loops, Select Case.
    Outcome execBlock(const Block& block);
    Outcome runStatements(const Block& block);
    Outcome execBranch(const Block& branch);
    Outcome execIf(const IfStmt& s);
    Outcome ifCondition(const Expr& cond, bool& taken);
    // The truth of an If, Do or While condition, by its truth runner; evalCondition is the
    // general test: the value evaluated and read as a truth value.
    Outcome condition(const Expr& e, bool& out) { return e.truth(*this, e, out); }
    Outcome execFor(const ForStmt& s);
    // The start, limit and step of a For loop, evaluated and checked in that order.
    Outcome forBounds(const ForStmt& s, Variant& start, Variant& limit, Variant& step);
    // A For bound or step, evaluated and checked.
    Result<Variant> forBound(const Expr& e);
    // The passes of a For loop whose counter `var` holds its start. The bounds are taken by
    // value: locals of the loop, which the body cannot reach.
    Outcome runForPasses(const Block& body, Variant& var, Variant limit, Variant step);
    Outcome execForEach(const ForEachStmt& s);
    // The array For Each walks: `e`'s value, an object's items.
    Outcome forEachItems(const Expr& e, Variant& collection);
    // For Each over an object: replaces it by an array of the items it enumerates.
    Outcome collectionItems(Variant& collection);
    Outcome execDo(const DoStmt& s);
    Outcome execSelect(const SelectStmt& s);
    // Whether one Case item matches `subject`.
    Result<bool> caseMatches(const CaseItem& item, const Variant& subject);
    Outcome execRandomize(const RandomizeStmt& s);

    // Expressions (expressions.cpp).
    // Runs the expression's runner, which counts its own step.
    Outcome eval(const Expr& e, Variant& out) { return e.run(*this, e, out); }
    // Counts the step and checks the stack: the time-out or Out of stack space when the
    // evaluation must not start.
    Outcome evaluationMayStart();
    // Counts work; every so often checks the clock: Timeout when it is past. The count is
    // inline, as every evaluation and call passes here; the clock read is not.
    Outcome countStep() {
        return ++ticks_ < Runtime::kStepsPerClockRead ? Outcome::Normal : clockStillRunning();
    }
    // The clock read of countStep(): restarts the count; Timeout when the deadline is past.
    Outcome clockStillRunning();
    Outcome evalUnary(const Expr& e, Variant& out);
    Outcome evalMe(Variant& out);
    // Binary operators. Each operator tries fastBinaryOp once on its operands as they are, and
    // only when that declines goes the general way (applyBinary). A node of one operator has
    // runners of its own (run/node_runners.cpp); a run (a + b - c) is evaluated left to right.
    Outcome evalOperatorRun(const Expr& e, Variant& out);
    // One operator whose operands are not all literals or variables (fib(n - 1) + fib(n - 2)),
    // or on which the fast path declined; `BothComputed` when neither operand is one.
    template <bool BothComputed>
    Outcome evalOperatorOnResults(const Expr& e, BinaryOp op, Variant& out);
    // An operand's value, at `value`: a literal or plain variable where it lies, anything else
    // run by its code into `storage`.
    Outcome operand(const Expr& e, Variant& storage, const Variant*& value);
    // An operand run by its own code into `storage`, at `value`.
    Outcome runIntoStorage(const Expr& e, Variant& storage, const Variant*& value);
    // The operands of one operator on the general path, with room for the values they stand
    // for (an object's default value, text read as a number).
    struct Operands {
        const Variant* left;
        const Variant* right;
        Variant leftText;
        Variant rightText;
    };
    // Operator `i` of `e` on `left` and `right` by the general rules, after the fast path
    // declined.
    Outcome applyBinary(const Expr& e, std::size_t i, const Variant* left, const Variant* right,
                        Variant& out);
    void readTextAsNumber(const Expr& e, std::size_t i, Operands& operands);
    // The value of a literal or plain variable without copying it; null for anything else.
    const Variant* valueInPlace(const Expr& e) const;
    Outcome operandValue(const Variant*& operand, Variant& holder);
    Outcome evalCondition(const Expr& e, bool& out);
    Outcome evalName(const Expr& e, Variant& out);
    // A name read that is no variable: a procedure, a built-in or a member of Me's class called.
    Outcome evalCalledName(const Expr& e, Variant& out);
    // name(...) on a variable's value: an array element, or an object's default member.
    Outcome evalApplied(const Expr& e, const Variant& value, Variant& out);

    // Names (executor_inline.h, expressions.cpp).
    // What a name is looked up for: a reader also takes a script-level constant's value (and
    // a class name's), a writer a variable only.
    enum class NameUse : std::uint8_t { Read, Write };
    template <NameUse Use>
    using NamePlace = std::conditional_t<Use == NameUse::Read, const Variant*, Variant*>;
    // Where the value a name stands for lives: a local's slot, a script-level variable, or a
    // variable of the running instance's class. Null for a name that is (now) none: a
    // procedure, a property, a built-in, an undefined name, and for a writer a constant. The
    // one place that walks locals, class variables and script-level names, for every reader
    // and writer; `scope` is the name's, a constant where the caller knows it (the runner
    // picked for a local or a script-level name), so that the choice folds away.
    template <NameUse Use> NamePlace<Use> resolve(const Expr& name, Scope scope) const;
    // The variable a plain name denotes, at `place`; the error for a name that is none.
    Outcome variable(const Expr& name, Variant*& place);
    // A number or text stored into a plain local or script-level variable, with nothing to check
    // or copy; false (and nothing done) for any other target. The one plain-assignment path.
    bool storedInPlainVariable(const Expr& target, Variant& value);

    // Calls (calls.cpp): of script procedures, their arguments bound to the parameters, and of
    // built-ins.
    Outcome execCall(const Expr& target);
    Outcome execCallStatement(const CallStmt& s);
    // `me`: the instance a class's procedure runs for. `assigned`: the value a Property Let or
    // Set receives as its last parameter. `site`: the call's expression, where a failure of the
    // call is marked (noteFailurePlace).
    Outcome callProcedure(const Procedure& p, const std::vector<ExprPtr>& args, std::size_t first,
                          Variant* out, ClassInstance* me = nullptr,
                          const Variant* assigned = nullptr, const Expr* site = nullptr);
    // The calls recursion and loops make most, each the one body (runCall) with the parts it
    // does not pass fixed as constants, so none tests for them: a script-level procedure named
    // in an expression (`site`, whose arguments are the call's); one named by a call statement;
    // a class's procedure called as a member of `me`.
    Outcome callScriptFunction(const Procedure& p, const Expr& site, Variant& out);
    Outcome callScriptSub(const Procedure& p, const std::vector<ExprPtr>& args);
    Outcome callMethod(const Procedure& p, const std::vector<ExprPtr>& args, std::size_t first,
                       ClassInstance& me, Variant& out);
    // A procedure of Me's class named alone with its arguments by `site` (fib(n - 1) inside the
    // class), and one named as a member of `me` by `site` (Me.fib(n - 1)), whose args[0] is the
    // object; a failure is marked at the site.
    Outcome callOwnMethod(const Procedure& p, const Expr& site, ClassInstance& me, Variant& out);
    Outcome callMethodAt(const Procedure& p, const Expr& site, ClassInstance& me, Variant& out);
    Outcome runCall(const Procedure& p, const std::vector<ExprPtr>& args, std::size_t first,
                    Variant* out, ClassInstance* me, const Variant* assigned, const Expr* site);
    // The steps of a call besides binding its arguments (ArgumentBinder): whether it may
    // start, and running the body in a frame of its own.
    Outcome callMayStart();
    Outcome runBody(const Procedure& p, Variant** slots, ClassInstance* me);
    void enterFrame(Frame& f) {
        frame_ = &f;
        localSlots_ = f.slots;
    }
    // The variable of the running procedure's slot `slot`.
    Variant* localAt(std::int32_t slot) const { return localSlots_[slot]; }
    Outcome callBuiltin(int index, const std::vector<ExprPtr>& args, std::size_t first,
                        Variant& out);
    // An operand that calls a built-in by name.
    Outcome evalBuiltinOperand(const Expr& e, Variant& out);
    Outcome callBuiltinInGeneral(int index, const std::vector<ExprPtr>& args, std::size_t first,
                                 Variant& out);
    // An array for Join or Filter, its objects replaced by their default values.
    Outcome elementValues(Variant& array);
    // The value of a built-in's only argument, read where it lies; null when it must be
    // evaluated into a copy.
    const Variant* argumentInPlace(const Expr& argument, const Variant& out) const;

    // Assignment (assignment.cpp).
    Outcome execAssign(const AssignStmt& s);
    Outcome assignInGeneral(const AssignStmt& s, Variant& value);
    // name = v or name(i, j) = v, once the value is ready: a variable, an array element, or
    // through an object's default member.
    Outcome assignToName(const Expr& target, MemberAccess access, Variant& value);
    Outcome assignDefaultMember(const Variant& holder, const std::vector<ExprPtr>& args,
                                MemberAccess access, Variant& value);
    // x(0)(1) = v: into the array an element holds.
    Outcome assignNested(const Expr& target, Variant& value);
    // The variable of `s = s & ...` (joinsOntoTarget) when it holds text; else null.
    Variant* textAppendedTo(const AssignStmt& s);
    // Joins the operands after the first of `value` onto `text`, in place when it can.
    Outcome execAppend(const Expr& value, Variant& text);

    // Arrays (arrays.cpp).
    Outcome execDim(const DimStmt& s);
    Outcome execReDim(const DimStmt& s);
    Outcome execErase(const EraseStmt& s);
    // The element a(i, j) denotes, at `place`.
    Outcome element(Variant& array, const std::vector<ExprPtr>& args, std::size_t first,
                    Variant*& place);
    // A subscript's or a bound's value, as a Long.
    Outcome wholeNumber(const Expr& e, std::int32_t& out);
    // The subscripts' values.
    Outcome subscripts(const std::vector<ExprPtr>& args, std::int32_t* index,
                       std::size_t first = 0);
    // The element at `index` (`count` subscripts); null when there is none.
    static Variant* elementAt(Variant& array, const std::int32_t* index, std::size_t count);
    // The bounds of one Dim a(...) or ReDim a(...), held on the stack: ReDim Preserve in a loop
    // allocates nothing for them.
    struct Bounds {
        // Only the first `count` are set: setting all would cost each ReDim as much as the rest.
        std::array<std::int32_t, limits::kMaxDimensions> upper;
        std::size_t count = 0;
        void copyTo(std::vector<ArrayBound>& out) const {
            out.resize(count);
            for (std::size_t d = 0; d < count; ++d) {
                out[d].upper = upper[d];
            }
        }
    };
    // The bounds of Dim a(...) or ReDim a(...), evaluated and checked; `total` elements.
    Outcome arrayBounds(const std::vector<ExprPtr>& bounds, Bounds& out, std::size_t& total);
    // Gives `out` `total` Empty elements; Out of memory when the budget refuses.
    Outcome sizeArray(ArrayData& out, std::size_t total);
    Outcome makeArray(const std::vector<ExprPtr>& bounds, ArrayData& out);
    // ReDim Preserve of the array `var` holds to `bounds` (`total` elements).
    Outcome preserveInto(Variant& var, const Bounds& bounds, std::size_t total);

    // Objects and classes (members.cpp).
    // A member read or call leaves its result in `value`; an
    // assignment finds the value assigned there.
    Outcome evalMember(const Expr& e, MemberAccess access, Variant& value);
    Outcome evalMeMember(const Expr& e, Variant& out);
    Outcome invokeMember(ObjectData& o, std::int32_t member, MemberAccess access,
                         const std::vector<ExprPtr>& args, std::size_t first, Variant& value);
    // A member of a class's instance, which the call holds while the member runs.
    Outcome invokeClassMember(ClassInstance& o, std::int32_t member, MemberAccess access,
                              const std::vector<ExprPtr>& args, std::size_t first, Variant& value);
    // The same for an instance the caller holds.
    Outcome invokeHeldClassMember(ClassInstance& o, std::int32_t member, MemberAccess access,
                                  const std::vector<ExprPtr>& args, std::size_t first,
                                  Variant& value);
    // A member of Me's class named alone inside it (Call m, m = v, m read): Me is held by the
    // call whose procedure runs, so this call takes no reference of its own.
    Outcome invokeOwnMember(std::int32_t member, MemberAccess access,
                            const std::vector<ExprPtr>& args, Variant& value);
    // The same for a name given arguments (fib(n - 1)), read: a procedure that takes them is
    // called straight from the member's slot; anything else goes the way of evalName.
    Outcome callOwnMember(const Expr& e, Variant& out);
    // A class variable of an instance, read, assigned or indexed by `args[first...]`.
    Outcome accessField(Variant& field, MemberAccess access, const std::vector<ExprPtr>& args,
                        std::size_t first, Variant& value);
    // Replaces an object by the value of its default member (an object used as a value).
    Outcome toValue(Variant& v);
    // The value of `e`, an object replaced by its default member's value.
    Outcome evalValue(const Expr& e, Variant& out);
    // `callee` applied to the arguments args[first...]: an array indexed, an object's default
    // member called.
    Outcome applyArguments(Variant& callee, const std::vector<ExprPtr>& args, std::size_t first,
                           Variant& out);
    Outcome evalNew(const Expr& e, Variant& out);
    Outcome evalWithObject(Variant& out);
    Outcome evalCallExpr(const Expr& e, Variant& out);
    // Assigns to a name of the running class's members (a variable or a property).
    Outcome assignMember(const Expr& target, MemberAccess access, Variant& value);
    Outcome execWith(const WithStmt& s);
    void runTerminations();

    // Errors (errors.cpp): On Error, the Err object, raising, and where a failure lies.
    Outcome execOnError(bool resumeNext);
    // The one place a failure reaches Err, for every statement kind. Under On Error Resume Next of
    // the running procedure (each call, and each text run by Execute, starts without it) it fills
    // Err and returns true; false when the error must travel up: no Resume Next here, or a
    // time-out, which nothing catches. VBScript resumes at the statement after the one that failed;
    // where that statement has parts of its own the caller picks the point: a failing If condition
    // goes into its Then branch, a failing loop header runs the body once
    // (runOnceAfterHeaderError), a failing Select subject enters the first Case, a failing Case
    // item its own Case.
    bool resumeAfterError(Outcome failure);
    // A loop header (condition, For bounds, For Each collection) failed and was resumed: the
    // body runs once, as VBScript goes on with the statement after the header. `ownExit` is
    // the loop's own Exit, which ends only this loop (Normal for a loop without one).
    Outcome runOnceAfterHeaderError(const Block& body, Outcome ownExit);
    // A time-out is the host's stop: On Error catches it nowhere.
    static bool catchable(Outcome failure) { return failure != Outcome::Timeout; }
    // Keeps where `e` lies when no inner expression of this source claimed the failure yet;
    // returns `failure`. Called only on the failure path, so success costs nothing.
    Outcome noteFailurePlace(const Expr& e, Outcome failure);
    // `o`, a failure's place kept by noteFailurePlace.
    Outcome withFailurePlace(const Expr& e, Outcome o) {
        return o == Outcome::Normal ? o : noteFailurePlace(e, o);
    }
    // An error whose number and texts the script chose: held until captured, and returned as
    // Outcome::Raised.
    Outcome raise(ErrState error);
    // Err.Raise: the arguments given replace what Err holds, the others are kept.
    Outcome raiseFromScript(const Expr& call);
    Outcome errMember(const Expr& e, MemberAccess access, Variant& value);

    // Execute, Eval, ExecuteGlobal and GetRef (script_text.cpp).
    // Eval, Execute, ExecuteGlobal and GetRef, with their argument.
    Outcome callScriptBuiltin(ScriptBuiltin which, Variant& argument, Variant& out);
    // Parses and runs `text` as an expression (Eval) or statements, in the running
    // procedure's scope or (`global`) the script level's.
    Outcome runText(const std::u16string& text, bool expression, bool global, Variant& out);
    Outcome runParsedText(const Expr* expression, const Block& statements, CallerScope* scope,
                          Variant& out);
    Outcome procedureReference(const Variant& name, Variant& out);
    // GetRef's result called with the arguments args[first...].
    Outcome callReference(const ProcedureReference& ref, const std::vector<ExprPtr>& args,
                          std::size_t first, Variant& out);

    Runtime& rt_;
    GlobalTable& globals_;
    // Procedures redefined by Execute while they ran; kept until the run ends.
    std::vector<std::shared_ptr<Procedure>> retired_;
    ObjectHeap& heap_;
    // The objects of the With blocks being run, innermost last.
    std::vector<Variant> withObjects_;
    bool runningTerminations_ = false;
    Frame topFrame_;
    Frame* frame_ = &topFrame_;
    // frame_->slots, kept beside it: a local's value is then two loads from the executor, not
    // three, and most of a procedure's operands are locals (set only by enterFrame).
    Variant** localSlots_ = nullptr;
    StackGuard stack_;
    std::uintptr_t stackEnd_ = 0;
    bool specializes_ = true;
    int callDepth_ = 0;
    std::uint32_t ticks_ = 0;
    RunErrors errors_;

    // What native objects call script through (Runtime::scriptCaller): a call of `callee` with
    // values, made as "callee(args...)" in script is, within this run's limits.
    class ValueCaller final : public ScriptCaller {
    public:
        explicit ValueCaller(Executor& x) : x_(x) {}
        Outcome callWithValues(const Variant& callee, const Variant* args, std::size_t count,
                               Variant& out) override;

    private:
        Executor& x_;
    };
    ValueCaller valueCaller_{*this};
};

} // namespace vbs
