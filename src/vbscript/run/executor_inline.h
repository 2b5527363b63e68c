#pragma once

// The executor's hot paths that more than one of its files inlines: the step count of an
// evaluation, the block loop, an If's condition, the value of an operand and one operator on
// operands not all in place. The four always_inline below are measured together: as calls,
// fib22 of bench/instruction_counts.sh takes 1.8 % more instructions and method22 1.3 % more
// (loop1M 13 % fewer; which of the four that comes from is not yet measured).
#include "executor.h"

namespace vbs {

// Every evaluation counts towards the time limit, so one huge expression stops like a loop
// does; and nesting stops before the thread's stack ends.
inline Outcome Executor::evaluationMayStart() {
    VBS_TRY(countStep());
    return stack_.exhausted() ? Outcome::OutOfStack : Outcome::Normal;
}

// A block's statements in order. Inlined into execBlock and into the call of a procedure, whose
// body is the hot block of recursion.
[[gnu::always_inline]] inline Outcome Executor::runStatements(const Block& block) {
    for (const StmtPtr& s : block) {
        const Outcome f = s->run(*this, *s);
        // Objects released by the statement end now, before the next one runs.
        if (heap_.hasTerminating()) {
            runTerminations();
        }
        if (f == Outcome::Normal) {
            continue;
        }
        if (isError(f)) {
            if (resumeAfterError(f)) {
                continue; // On Error Resume Next: Err holds the error, the next statement runs
            }
            errors_.statementPos = s->pos; // each enclosing block overwrites it on the way out
        }
        return f;
    }
    return Outcome::Normal;
}

// An If or ElseIf condition's truth. One that fails under On Error Resume Next counts as true:
// the Then branch runs. Any other outcome than Normal is a failure that stops the statement.
inline Outcome Executor::ifCondition(const Expr& cond, bool& taken) {
    const Outcome test = condition(cond, taken);
    if (test == Outcome::Normal) {
        return Outcome::Normal;
    }
    taken = true;
    return resumeAfterError(test) ? Outcome::Normal : test;
}

// Whether the member site `e` has looked its name up in the class of `instance` (its cachedMember
// and cachedMethod hold for it).
inline bool siteKnowsClass(const Expr& e, const ClassInstance& instance) {
    return e.cachedClass == &instance.def() && !e.cachedClassAlive.expired();
}

template <Executor::NameUse Use>
[[gnu::always_inline]] inline Executor::NamePlace<Use> Executor::resolve(const Expr& name,
                                                                         Scope scope) const {
    switch (scope) {
    case Scope::Local:
        return localAt(name.index);
    case Scope::Global: {
        // Execute may turn a variable's name into a procedure's while the script runs.
        const GlobalEntry::Kind kind = name.global->kind;
        const bool found = Use == NameUse::Read ? kind != GlobalEntry::Kind::Procedure
                                                : kind == GlobalEntry::Kind::Variable;
        return found ? &name.global->value : nullptr;
    }
    case Scope::Member: {
        ClassInstance& self = *frame_->me;
        const std::int32_t field = self.def().members[static_cast<std::size_t>(name.index)].field;
        return field >= 0 ? &self.fields[static_cast<std::size_t>(field)] : nullptr;
    }
    default:
        return nullptr;
    }
}

// A member of Me's class is not plain: assigning to it goes the general way.
inline bool Executor::storedInPlainVariable(const Expr& target, Variant& value) {
    if (target.kind != ExprKind::Name || target.hasParens || target.scope == Scope::Member) {
        return false;
    }
    Variant* place = resolve<NameUse::Write>(target, target.scope);
    if (!place) {
        return false;
    }
    *place = std::move(value);
    return true;
}

inline const Variant* Executor::valueInPlace(const Expr& e) const {
    if (e.kind == ExprKind::Literal) {
        return &e.value;
    }
    // A class variable is read by its code: the instance's members are looked up there.
    if (e.kind != ExprKind::Name || e.hasParens || e.scope == Scope::Member) {
        return nullptr;
    }
    return resolve<NameUse::Read>(e, e.scope);
}

// An operand's value: a literal or plain variable where it lies, anything else run by its own
// code into `storage` (a call, an operator on results). Always inline, as x + Sqr(i) * Sin(i)
// passes here three times.
[[gnu::always_inline]] inline Outcome Executor::operand(const Expr& e, Variant& storage,
                                                        const Variant*& value) {
    if ((value = valueInPlace(e))) {
        return Outcome::Normal;
    }
    return runIntoStorage(e, storage, value);
}
[[gnu::always_inline]] inline Outcome Executor::runIntoStorage(const Expr& e, Variant& storage,
                                                               const Variant*& value) {
    value = &storage;
    return e.run(*this, e, storage);
}

// One operator on operands that are not all in place, or on which the fast path declined; `op`
// is the node's, passed as a constant by the codes that know it. `BothComputed`: neither
// operand is a literal or plain variable (fib(n - 1) + fib(n - 2)), which the code knows from
// the node's shape, so neither is looked for in place.
// Always inline into the operator codes: fib's sum and x + Sqr(i) * Sin(i) pass here.
template <bool BothComputed>
[[gnu::always_inline]] inline Outcome Executor::evalOperatorOnResults(const Expr& e, BinaryOp op,
                                                                      Variant& out) {
    const auto value = [this](const Expr& operandExpr, Variant& storage, const Variant*& at) {
        return BothComputed ? runIntoStorage(operandExpr, storage, at)
                            : operand(operandExpr, storage, at);
    };
    Variant leftValue;
    Variant rightValue;
    const Variant* left = nullptr;
    const Variant* right = nullptr;
    VBS_TRY(value(*e.args[0], leftValue, left));
    VBS_TRY(value(*e.args[1], rightValue, right));
    // Two operands that lie where they are have been tried on the fast path already.
    const bool evaluated = BothComputed || left == &leftValue || right == &rightValue;
    if (evaluated && fastBinaryOp(op, *left, *right, out)) {
        return Outcome::Normal;
    }
    return applyBinary(e, 0, left, right, out);
}

} // namespace vbs
