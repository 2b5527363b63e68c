#include "executor.h"
#include "executor_inline.h"
#include "library/builtins.h"

namespace vbs {

// Nothing is compiled here: each node's runner (the function that runs it) is picked, once, for
// the node's shape. The runners are the executor's own parts (execIf, evalMember, ...) reached
// without a dispatch on the node's kind, and, for the shapes that loops and recursion run most,
// specialised bodies that make no test of kind or scope at all. A specialised runner declines to
// the general one for the
// values it does not handle (an object, an array, an overflow), never for a shape, which is
// fixed once the source is read; what may change while the script runs (a script-level name that
// Execute turns into a procedure) is checked each time.
struct Specializer {
    // Where an operand of a specialised code lies.
    // IntegerLiteral is a right operand's only: an Integer literal (n - 1, i < 10).
    enum class Place : std::uint8_t { Literal, Local, Global, IntegerLiteral };

    // A local's variable. Told to the compiler never to be null, so that a local's code makes
    // no test for it: every slot of a frame points at a variable (its own or, ByRef, the
    // caller's).
    static Variant* localSlot(Executor& x, const Expr& e) { return localSlot(x, e.index); }
    static Variant* localSlot(Executor& x, std::int32_t index) {
        Variant* slot = x.localAt(index);
        if (!slot) {
            __builtin_unreachable();
        }
        return slot;
    }
    // The operand's value where it lies; null for a script-level name that now denotes a
    // procedure (a call, for the general way).
    template <Place P> static const Variant* at(Executor& x, const Expr& e) {
        if constexpr (P == Place::Literal) {
            return &e.value;
        } else if constexpr (P == Place::Local) {
            return localSlot(x, e);
        } else {
            return x.resolve<Executor::NameUse::Read>(e, Scope::Global);
        }
    }

    // The operands of the operator `e`, where they lie. A local's slot on the left and an
    // Integer literal on the right are read from e.operands (keepOperands). The literal comes as
    // a copy in `scratch`, whose type the compiler then knows, so that the fast path tests only
    // the left operand's type (as Lua has opcodes that add or compare a small constant).
    // Measured: fib22 of bench/instruction_counts.sh takes 9 fewer instructions a call (3 %).
    template <Place P> static const Variant* leftOperand(Executor& x, const Expr& e) {
        if constexpr (P == Place::Local) {
            return localSlot(x, e.operands.leftSlot);
        } else {
            return at<P>(x, *e.args[0]);
        }
    }
    template <Place P>
    static const Variant* rightOperand(Executor& x, const Expr& e, Variant& scratch) {
        if constexpr (P == Place::IntegerLiteral) {
            scratch.setWhole(VarType::Integer, e.operands.rightInteger);
            return &scratch;
        } else {
            return at<P>(x, *e.args[1]);
        }
    }
    // Notes in e.operands what leftOperand and rightOperand read there, once the code of the
    // operator `e` is picked for the places l and r. A literal never changes, nor does the slot
    // a local was bound to.
    static void keepOperands(const Expr& e, Place l, Place r) {
        if (l == Place::Local) {
            e.operands.leftSlot = e.args[0]->index;
        }
        if (r == Place::IntegerLiteral) {
            e.operands.rightInteger = static_cast<std::int16_t>(e.args[1]->value.asInt());
        }
    }

    // One of three codes, by place.
    template <typename Code> static Code byPlace(Place p, Code literal, Code local, Code global) {
        return p == Place::Literal ? literal : p == Place::Local ? local : global;
    }
    // A right operand's: one of four.
    template <typename Code>
    static Code byRightPlace(Place p, Code literal, Code local, Code global, Code integer) {
        return p == Place::IntegerLiteral ? integer : byPlace(p, literal, local, global);
    }
    // The place of an operator's right operand: an Integer literal has one of its own.
    static bool rightPlaceOf(const Expr& e, Place& place) {
        if (!placeOf(e, place)) {
            return false;
        }
        if (place == Place::Literal && e.value.type() == VarType::Integer) {
            place = Place::IntegerLiteral;
        }
        return true;
    }

    static bool isPlain(const Expr& e) { return !e.hasParens && e.kind == ExprKind::Name; }
    static bool placeOf(const Expr& e, Place& place) {
        if (e.kind == ExprKind::Literal) {
            place = Place::Literal;
            return true;
        }
        if (!isPlain(e) || (e.scope != Scope::Local && e.scope != Scope::Global)) {
            return false;
        }
        place = e.scope == Scope::Local ? Place::Local : Place::Global;
        return true;
    }

    // ---- Expressions

    static Outcome literal(Executor&, const Expr& e, Variant& out) {
        out = e.value;
        return Outcome::Normal;
    }
    static Outcome local(Executor& x, const Expr& e, Variant& out) {
        out = *at<Place::Local>(x, e);
        return Outcome::Normal;
    }
    // A script-level name: a call when it names a procedure (checked each time: Execute may
    // define one under a name that was a variable), else the general reading of a name.
    static Outcome globalName(Executor& x, const Expr& e, Variant& out) {
        const GlobalEntry& g = *e.global;
        if (g.kind == GlobalEntry::Kind::Procedure) {
            return x.callScriptFunction(*g.proc, e, out);
        }
        if (!e.hasParens) {
            return globalValue(x, e, out);
        }
        return e.args.size() == 1 ? elementOf<Place::Global>(x, e, out) : name(x, e, out);
    }
    // a(i): one element of an array variable, by one subscript, without the general way's
    // look at what the name holds. The variable never moves; element() looks at what it holds
    // again once the subscript has run. Anything but an array (an object, whose default member
    // takes the subscript) goes the general way.
    template <Place P>
    [[gnu::noinline]] static Outcome elementOf(Executor& x, const Expr& e, Variant& out) {
        VBS_TRY(x.evaluationMayStart());
        Variant* array = target<P>(x, e);
        if (!array || !array->isArray()) {
            return x.withFailurePlace(e, x.evalName(e, out));
        }
        Variant* item = nullptr;
        VBS_TRY(x.withFailurePlace(e, x.element(*array, e.args, 0, item)));
        out = *item;
        return Outcome::Normal;
    }
    // A plain script-level variable's value, as `local` gives a local's. Out of line, so that
    // the copy's reference count costs the call above nothing (measured with name's noinline:
    // inlined, fib22 of bench/instruction_counts.sh takes 2.9 % more instructions).
    [[gnu::noinline]] static Outcome globalValue(Executor& x, const Expr& e, Variant& out) {
        out = *at<Place::Global>(x, e);
        return Outcome::Normal;
    }
    // Out of line, so that globalName's call of a procedure saves no registers of its own
    // (measured with globalValue's, see there).
    [[gnu::noinline]] static Outcome name(Executor& x, const Expr& e, Variant& out) {
        VBS_TRY(x.evaluationMayStart());
        return x.withFailurePlace(e, x.evalName(e, out));
    }
    // A member of Me's class given arguments. A method's call counts the step and checks the
    // stack itself (callOwnMember); anything else starts there.
    static Outcome ownMember(Executor& x, const Expr& e, Variant& out) {
        return x.withFailurePlace(e, x.callOwnMember(e, out));
    }
    // fib(n - 1) inside a class, fib a procedure of the class that takes arguments: called
    // straight, as the procedure found when the runner was picked is the one on every run.
    static Outcome ownMethod(Executor& x, const Expr& e, Variant& out) {
        return x.callOwnMethod(*e.cachedMethod, e, *x.frame_->me, out);
    }
    static ExprRunner ownMemberRunner(const Executor& x, const Expr& e) {
        if (const ClassInstance* self = x.frame_->me) {
            e.cachedMethod =
                self->def().members[static_cast<std::size_t>(e.index)].methodWithParameters();
        }
        return e.cachedMethod ? &ownMethod : &ownMember;
    }
    static Outcome builtin(Executor& x, const Expr& e, Variant& out) {
        return x.evalBuiltinOperand(e, out);
    }
    // Sqr(i): a built-in that only reads its one argument, given a literal or plain variable,
    // reads it where it lies (an object, which stands for its default value, and a result that
    // would land on the argument itself go the general way). The call is a step; it cannot
    // nest, so the stack needs no check.
    template <Place P> static Outcome builtinOnPlain(Executor& x, const Expr& e, Variant& out) {
        const Variant* value = at<P>(x, *e.args[0]);
        if (!value || value == &out || value->isObject()) {
            return x.evalBuiltinOperand(e, out);
        }
        VBS_TRY(x.countStep());
        return x.withFailurePlace(e, builtinAt(e.index).fn(x.rt_, value, 1, out));
    }
    static ExprRunner builtinRunner(const Expr& e) {
        Place place{};
        if (!e.builtinOnOneValue || !placeOf(*e.args[0], place)) {
            return &builtin;
        }
        return byPlace<ExprRunner>(place, &builtinOnPlain<Place::Literal>,
                                   &builtinOnPlain<Place::Local>, &builtinOnPlain<Place::Global>);
    }
    // One operator on two literals or plain variables (n - 1, s + i): read where they lie and
    // computed by the fast path straight into `out`, with no step of its own (the loop pass
    // or call around it counts); the general way when the fast path declines the values. The
    // operator is a constant of each instance, so the fast path's choice of operator is made
    // when the code is picked.
    template <BinaryOp Op, Place L, Place R>
    static Outcome plainOperator(Executor& x, const Expr& e, Variant& out) {
        const Variant* left = leftOperand<L>(x, e);
        Variant scratch;
        const Variant* right = rightOperand<R>(x, e, scratch);
        if (left && right && fastBinaryOp(Op, *left, *right, out)) {
            return Outcome::Normal;
        }
        return operatorOnResults<Op>(x, e, out);
    }
    // One operator whose operands are not all literals or plain variables (fib(n - 1) + ...),
    // or whose values the fast path declined. `OperandsStart`: both operands start themselves
    // (startsItself), so the operator's own step and stack check would only repeat theirs.
    template <BinaryOp Op, bool BothComputed = false, bool OperandsStart = false>
    static Outcome operatorOnResults(Executor& x, const Expr& e, Variant& out) {
        if constexpr (!OperandsStart) {
            VBS_TRY(x.evaluationMayStart());
        }
        return x.withFailurePlace(e, x.evalOperatorOnResults<BothComputed>(e, Op, out));
    }
    // A call or a member: its runner counts its step and checks the stack before anything
    // that nests (a procedure's call, a subscript, an argument); what it does without that (a
    // class variable read through Me) is a variable's read.
    static bool startsItself(const Expr& e) {
        return (e.kind == ExprKind::Name && e.hasParens) || e.kind == ExprKind::Member;
    }
    static Outcome operatorRun(Executor& x, const Expr& e, Variant& out) {
        VBS_TRY(x.evaluationMayStart());
        return x.withFailurePlace(e, x.evalOperatorRun(e, out));
    }
    static Outcome unary(Executor& x, const Expr& e, Variant& out) {
        VBS_TRY(x.evaluationMayStart());
        return x.evalUnary(e, out);
    }
    static Outcome member(Executor& x, const Expr& e, Variant& out) {
        VBS_TRY(x.evaluationMayStart());
        return x.withFailurePlace(e, x.evalMember(e, MemberAccess::Get, out));
    }
    // o.fib(n - 1) on a plain variable: when o holds the instance whose procedure runs, this is
    // Me.fib(n - 1), which needs no hold on the instance (evalMember) nor a look at its kind.
    template <Place P> static Outcome memberOfPlain(Executor& x, const Expr& e, Variant& out) {
        const Variant* object = at<P>(x, *e.args[0]);
        const ObjectData* self = x.frame_->me;
        if (self && object && object->isObject() && object->objectPtr() == self) {
            return meMember(x, e, out);
        }
        return member(x, e, out);
    }
    static ExprRunner memberRunner(const Expr& e) {
        const Expr& object = *e.args[0];
        Place place{};
        if (object.kind == ExprKind::Me) {
            return &meMember;
        }
        if (!placeOf(object, place) || place == Place::Literal) {
            return &member;
        }
        return place == Place::Local ? &memberOfPlain<Place::Local> : &memberOfPlain<Place::Global>;
    }
    // Me.fib(n - 1) inside a class; it starts as evalMeMember says. Once the site knows Me's
    // class, a procedure taking arguments is called straight (Me reaches private ones too).
    static Outcome meMember(Executor& x, const Expr& e, Variant& out) {
        ClassInstance* self = x.frame_->me;
        if (self && e.cachedMethod && siteKnowsClass(e, *self)) {
            return x.callMethodAt(*e.cachedMethod, e, *self, out);
        }
        return x.withFailurePlace(e, x.evalMeMember(e, out));
    }
    static Outcome newObject(Executor& x, const Expr& e, Variant& out) {
        VBS_TRY(x.evaluationMayStart());
        return x.withFailurePlace(e, x.evalNew(e, out));
    }
    static Outcome me(Executor& x, const Expr&, Variant& out) {
        VBS_TRY(x.evaluationMayStart());
        return x.evalMe(out);
    }
    static Outcome withObject(Executor& x, const Expr& e, Variant& out) {
        VBS_TRY(x.evaluationMayStart());
        return x.withFailurePlace(e, x.evalWithObject(out));
    }
    static Outcome call(Executor& x, const Expr& e, Variant& out) {
        VBS_TRY(x.evaluationMayStart());
        return x.withFailurePlace(e, x.evalCallExpr(e, out));
    }
    static Outcome unresolved(Executor&, const Expr&, Variant&) { return Outcome::SyntaxError; }

    // The code of Code<Op> for a comparison operator; null for any other operator.
    template <typename Result, template <BinaryOp> typename Code>
    static Result forComparison(BinaryOp op) {
        switch (op) {
        case BinaryOp::Eq:
            return &Code<BinaryOp::Eq>::run;
        case BinaryOp::Ne:
            return &Code<BinaryOp::Ne>::run;
        case BinaryOp::Lt:
            return &Code<BinaryOp::Lt>::run;
        case BinaryOp::Gt:
            return &Code<BinaryOp::Gt>::run;
        case BinaryOp::Le:
            return &Code<BinaryOp::Le>::run;
        case BinaryOp::Ge:
            return &Code<BinaryOp::Ge>::run;
        default:
            return nullptr;
        }
    }
    // The code of Code<Op> for the node's operator: the fast path's operators each have their
    // own; the others, which it never takes, share the general one.
    template <template <BinaryOp> typename Code> static ExprRunner forOperator(BinaryOp op) {
        switch (op) {
        case BinaryOp::Add:
            return &Code<BinaryOp::Add>::run;
        case BinaryOp::Sub:
            return &Code<BinaryOp::Sub>::run;
        case BinaryOp::Mul:
            return &Code<BinaryOp::Mul>::run;
        default:
            break;
        }
        const ExprRunner comparison = forComparison<ExprRunner, Code>(op);
        return comparison ? comparison : &Code<BinaryOp::Concat>::run;
    }
    template <Place L, Place R> struct OnPlain {
        template <BinaryOp Op> struct Code {
            static Outcome run(Executor& x, const Expr& e, Variant& out) {
                return plainOperator<Op, L, R>(x, e, out);
            }
        };
    };
    template <bool BothComputed, bool OperandsStart = false> struct OnResults {
        template <BinaryOp Op> struct Code {
            static Outcome run(Executor& x, const Expr& e, Variant& out) {
                return operatorOnResults<Op, BothComputed, OperandsStart>(x, e, out);
            }
        };
    };
    template <Place L, Place R> static ExprRunner plainOperatorRunner(BinaryOp op) {
        return forOperator<OnPlain<L, R>::template Code>(op);
    }

    template <Place L> static ExprRunner plainOperatorRunner(Place r, BinaryOp op) {
        return byRightPlace(r, plainOperatorRunner<L, Place::Literal>(op),
                            plainOperatorRunner<L, Place::Local>(op),
                            plainOperatorRunner<L, Place::Global>(op),
                            plainOperatorRunner<L, Place::IntegerLiteral>(op));
    }

    static ExprRunner operatorRunner(const Expr& e) {
        Place l{};
        Place r{};
        if (e.ops.size() != 1) {
            return &operatorRun;
        }
        const bool leftInPlace = placeOf(*e.args[0], l);
        const bool rightInPlace = rightPlaceOf(*e.args[1], r);
        if (!leftInPlace && !rightInPlace) {
            return startsItself(*e.args[0]) && startsItself(*e.args[1])
                       ? forOperator<OnResults<true, true>::template Code>(e.ops[0])
                       : forOperator<OnResults<true>::template Code>(e.ops[0]);
        }
        if (!leftInPlace || !rightInPlace) {
            return forOperator<OnResults<false>::template Code>(e.ops[0]);
        }
        keepOperands(e, l, r);
        return byPlace(l, plainOperatorRunner<Place::Literal>(r, e.ops[0]),
                       plainOperatorRunner<Place::Local>(r, e.ops[0]),
                       plainOperatorRunner<Place::Global>(r, e.ops[0]));
    }

    static ExprRunner nameRunner(const Executor& x, const Expr& e) {
        switch (e.scope) {
        case Scope::Local:
            if (!e.hasParens) {
                return &local;
            }
            return e.args.size() == 1 ? &elementOf<Place::Local> : &name;
        case Scope::Global:
            return &globalName;
        case Scope::Builtin:
            return builtinRunner(e);
        case Scope::Member:
            return e.hasParens ? ownMemberRunner(x, e) : &name;
        default:
            return &name;
        }
    }

    static ExprRunner runnerFor(const Executor& x, const Expr& e) {
        switch (e.kind) {
        case ExprKind::Literal:
            return &literal;
        case ExprKind::Name:
            return nameRunner(x, e);
        case ExprKind::Binary:
            return operatorRunner(e);
        case ExprKind::Unary:
            return &unary;
        case ExprKind::Member:
            return memberRunner(e);
        case ExprKind::New:
            return &newObject;
        case ExprKind::Me:
            return &me;
        case ExprKind::With:
            return &withObject;
        case ExprKind::Call:
            return &call;
        }
        return &unresolved;
    }

    // ---- Conditions

    // n < 2 on literals or plain variables: the comparison's truth straight from the fast path.
    // Its Boolean is a temporary that never holds a reference, so the compiler keeps it in
    // registers. False when the fast path declines the values: then the general way decides,
    // and as reading plain values has no effect of its own, it may read them again.
    template <BinaryOp Op, Place L, Place R>
    static bool plainTruth(Executor& x, const Expr& e, bool& out) {
        const Variant* left = leftOperand<L>(x, e);
        Variant scratch;
        const Variant* right = rightOperand<R>(x, e, scratch);
        Variant result;
        if (left && right && fastBinaryOp(Op, *left, *right, result)) {
            out = result.asBool();
            return true;
        }
        return false;
    }
    template <BinaryOp Op, Place L, Place R>
    static Outcome plainComparison(Executor& x, const Expr& e, bool& out) {
        return plainTruth<Op, L, R>(x, e, out) ? Outcome::Normal : generalTest(x, e, out);
    }
    static Outcome generalTest(Executor& x, const Expr& e, bool& out) {
        return x.evalCondition(e, out);
    }
    template <Place L, Place R> struct ComparisonOn {
        template <BinaryOp Op> struct Code {
            static Outcome run(Executor& x, const Expr& e, bool& out) {
                return plainComparison<Op, L, R>(x, e, out);
            }
        };
    };
    // An If with no ElseIf whose condition is such a comparison (If n < 2 Then): the branch
    // straight from the comparison's truth.
    template <Place L, Place R> struct IfOn {
        template <BinaryOp Op> struct Code {
            static Outcome run(Executor& x, const Stmt& s) {
                const auto& i = s.as<IfStmt>();
                bool taken = false;
                if (!plainTruth<Op, L, R>(x, *i.conds[0], taken)) {
                    return ifElse(x, s);
                }
                return branch(x, i, taken);
            }
        };
    };
    // The code `Kind` of ComparisonOn for a comparison of two literals or plain variables;
    // null for any other condition.
    template <typename Result, template <Place, Place> typename Kind>
    static Result forPlainComparison(const Expr& e) {
        Place l{};
        Place r{};
        if (e.kind != ExprKind::Binary || e.ops.size() != 1 || !isComparison(e.ops[0]) ||
            !placeOf(*e.args[0], l) || !rightPlaceOf(*e.args[1], r)) {
            return nullptr;
        }
        keepOperands(e, l, r);
        return byPlace(l, forPlainComparison<Result, Kind, Place::Literal>(r, e.ops[0]),
                       forPlainComparison<Result, Kind, Place::Local>(r, e.ops[0]),
                       forPlainComparison<Result, Kind, Place::Global>(r, e.ops[0]));
    }
    template <typename Result, template <Place, Place> typename Kind, Place L>
    static Result forPlainComparison(Place r, BinaryOp op) {
        return byRightPlace(
            r, forComparison<Result, Kind<L, Place::Literal>::template Code>(op),
            forComparison<Result, Kind<L, Place::Local>::template Code>(op),
            forComparison<Result, Kind<L, Place::Global>::template Code>(op),
            forComparison<Result, Kind<L, Place::IntegerLiteral>::template Code>(op));
    }
    static TruthRunner truthFor(const Expr& e) {
        const TruthRunner plain = forPlainComparison<TruthRunner, ComparisonOn>(e);
        return plain ? plain : &generalTest;
    }

    // ---- Statements

    template <typename T, Outcome (Executor::*Run)(const T&)>
    static Outcome statement(Executor& x, const Stmt& s) {
        return (x.*Run)(s.as<T>());
    }
    template <Outcome F> static Outcome exit(Executor&, const Stmt&) { return F; }
    template <bool ResumeNext> static Outcome onError(Executor& x, const Stmt&) {
        return x.execOnError(ResumeNext);
    }

    // The variable an assignment to a plain name writes: a local's slot, or a script-level
    // variable while the name still denotes one (null: the general way).
    template <Place T> static Variant* target(Executor& x, const Expr& name) {
        if constexpr (T == Place::Local) {
            return localSlot(x, name);
        } else {
            return x.resolve<Executor::NameUse::Write>(name, Scope::Global);
        }
    }
    // x = y, x = 1: a number or text copied straight into the variable, with no temporary. An
    // array or object value has rules of its own (the general way).
    template <Place V, Place T> static Outcome copyToPlain(Executor& x, const Stmt& s) {
        const auto& a = s.as<AssignStmt>();
        const Variant* value = at<V>(x, *a.value);
        Variant* into = target<T>(x, *a.target);
        if (!value || !into || value->isArray() || value->isObject()) {
            return x.execAssign(a);
        }
        if (into != value) {
            *into = *value;
        }
        return Outcome::Normal;
    }
    // x = a op b: computed straight into the variable. The operators write it only once the
    // result is whole (and read both operands before), so a failure leaves it as it was and an
    // operand that is the variable itself reads its old value.
    template <Place T> static Outcome operatorToPlain(Executor& x, const Stmt& s) {
        const auto& a = s.as<AssignStmt>();
        Variant* into = target<T>(x, *a.target);
        if (!into) {
            return x.execAssign(a);
        }
        return a.value->run(x, *a.value, *into);
    }
    template <Place T> static StmtRunner copyRunner(Place value) {
        return byPlace<StmtRunner>(value, &copyToPlain<Place::Literal, T>,
                                   &copyToPlain<Place::Local, T>, &copyToPlain<Place::Global, T>);
    }

    // a(i) = v: one element of an array variable, given a number or text, by the subscript's
    // value. The value is evaluated first, as the general way does; an object held by the
    // variable (its default member takes the subscript) or a value that is an array or object
    // goes the general way.
    template <Place T> static Outcome toElement(Executor& x, const Stmt& s) {
        const auto& a = s.as<AssignStmt>();
        Variant value;
        VBS_TRY(x.eval(*a.value, value));
        Variant* array = target<T>(x, *a.target);
        if (!array || !array->isArray() || value.isArray() || value.isObject()) {
            return x.assignInGeneral(a, value);
        }
        Variant* place = nullptr;
        VBS_TRY(x.element(*array, a.target->args, 0, place));
        *place = std::move(value);
        return Outcome::Normal;
    }
    static StmtRunner elementRunner(const Expr& target) {
        const bool shape = target.kind == ExprKind::Name && target.hasParens &&
                           !target.parenthesized && target.args.size() == 1;
        if (shape && target.scope == Scope::Local) {
            return &toElement<Place::Local>;
        }
        if (shape && target.scope == Scope::Global) {
            return &toElement<Place::Global>;
        }
        return &statement<AssignStmt, &Executor::execAssign>;
    }

    static StmtRunner assignRunner(const AssignStmt& s) {
        const Expr& target = *s.target;
        const Expr& value = *s.value;
        if (s.kind != StmtKind::Assign || s.joinsOntoTarget) {
            return &statement<AssignStmt, &Executor::execAssign>;
        }
        if (!isPlain(target)) {
            return elementRunner(target);
        }
        Place to{};
        if (!placeOf(target, to) || to == Place::Literal) {
            return &statement<AssignStmt, &Executor::execAssign>;
        }
        const bool toLocal = to == Place::Local;
        if (value.kind == ExprKind::Binary) {
            return toLocal ? &operatorToPlain<Place::Local> : &operatorToPlain<Place::Global>;
        }
        Place from{};
        if (placeOf(value, from)) {
            return toLocal ? copyRunner<Place::Local>(from) : copyRunner<Place::Global>(from);
        }
        return &statement<AssignStmt, &Executor::execAssign>;
    }

    // If c Then ... Else ... with no ElseIf: the one test, then the branch it picks. Out of
    // line, so that IfOn's fast path saves no registers for it: inlined there, fib22 of
    // bench/instruction_counts.sh takes 11 more instructions a call (3 %).
    [[gnu::noinline]] static Outcome ifElse(Executor& x, const Stmt& s) {
        const auto& i = s.as<IfStmt>();
        bool taken = false;
        VBS_TRY(x.ifCondition(*i.conds[0], taken));
        return branch(x, i, taken);
    }
    static Outcome branch(Executor& x, const IfStmt& i, bool taken) {
        return x.execBranch(taken ? i.blocks[0] : i.elseBlock);
    }

    static StmtRunner ifRunner(const IfStmt& s) {
        if (s.conds.size() != 1) {
            return &statement<IfStmt, &Executor::execIf>;
        }
        const StmtRunner plain = forPlainComparison<StmtRunner, IfOn>(*s.conds[0]);
        return plain ? plain : &ifElse;
    }

    // A call statement of a script-level name, while it names a procedure: straight to it.
    static Outcome callGlobal(Executor& x, const Stmt& s) {
        const auto& c = s.as<CallStmt>();
        const GlobalEntry& g = *c.target->global;
        if (g.kind != GlobalEntry::Kind::Procedure) {
            return x.execCallStatement(c);
        }
        return x.callScriptSub(*g.proc, c.target->args);
    }

    static StmtRunner callRunner(const CallStmt& s) {
        const Expr& target = *s.target;
        return target.kind == ExprKind::Name && target.scope == Scope::Global
                   ? &callGlobal
                   : &statement<CallStmt, &Executor::execCallStatement>;
    }

    static StmtRunner exitRunner(const ExitStmt& s) {
        switch (s.exitKind) {
        case ExitKind::Do:
            return &exit<Outcome::ExitDo>;
        case ExitKind::For:
            return &exit<Outcome::ExitFor>;
        default:
            return &exit<Outcome::ExitProc>;
        }
    }

    // ---- Without specialising (Executor::specializes_ off): each node's general runner, the
    // reference the specialised ones must agree with.

    static ExprRunner generalRunnerFor(const Executor& x, const Expr& e) {
        switch (e.kind) {
        case ExprKind::Name:
            return e.scope == Scope::Builtin ? &builtin : &name;
        case ExprKind::Binary:
            return &operatorRun;
        case ExprKind::Member:
            return &member;
        default:
            return runnerFor(x, e);
        }
    }
    static StmtRunner generalRunnerFor(const Stmt& s) {
        switch (s.kind) {
        case StmtKind::Assign:
        case StmtKind::Set:
            return &statement<AssignStmt, &Executor::execAssign>;
        case StmtKind::Call:
            return &statement<CallStmt, &Executor::execCallStatement>;
        case StmtKind::If:
            return &statement<IfStmt, &Executor::execIf>;
        default:
            return runnerFor(s);
        }
    }

    static StmtRunner runnerFor(const Stmt& s) {
        switch (s.kind) {
        case StmtKind::Assign:
        case StmtKind::Set:
            return assignRunner(s.as<AssignStmt>());
        case StmtKind::Call:
            return callRunner(s.as<CallStmt>());
        case StmtKind::Dim:
            return &statement<DimStmt, &Executor::execDim>;
        case StmtKind::ReDim:
            return &statement<DimStmt, &Executor::execReDim>;
        case StmtKind::Erase:
            return &statement<EraseStmt, &Executor::execErase>;
        case StmtKind::If:
            return ifRunner(s.as<IfStmt>());
        case StmtKind::For:
            return &statement<ForStmt, &Executor::execFor>;
        case StmtKind::ForEach:
            return &statement<ForEachStmt, &Executor::execForEach>;
        case StmtKind::Do:
            return &statement<DoStmt, &Executor::execDo>;
        case StmtKind::Select:
            return &statement<SelectStmt, &Executor::execSelect>;
        case StmtKind::Exit:
            return exitRunner(s.as<ExitStmt>());
        case StmtKind::OnErrorResumeNext:
            return &onError<true>;
        case StmtKind::OnErrorGoto0:
            return &onError<false>;
        case StmtKind::Randomize:
            return &statement<RandomizeStmt, &Executor::execRandomize>;
        case StmtKind::With:
            return &statement<WithStmt, &Executor::execWith>;
        }
        return &exit<Outcome::Normal>;
    }
};

Outcome specializeStatement(Executor& x, const Stmt& s) {
    s.run = x.specializing() ? Specializer::runnerFor(s) : Specializer::generalRunnerFor(s);
    return s.run(x, s);
}

Outcome specializeTruth(Executor& x, const Expr& e, bool& out) {
    e.truth = x.specializing() ? Specializer::truthFor(e) : &Specializer::generalTest;
    return e.truth(x, e, out);
}

Outcome specializeExpression(Executor& x, const Expr& e, Variant& out) {
    e.run = x.specializing() ? Specializer::runnerFor(x, e) : Specializer::generalRunnerFor(x, e);
    return e.run(x, e, out);
}

} // namespace vbs
